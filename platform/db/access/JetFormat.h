#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace xe::db {

// Our own reading of the structures libmdb walks, so that a damaged file is refused with an
// error before libmdb 1.0.0 (which trusts offsets and counts) is handed anything that
// would make it read outside its buffers.
//
// Table definition (TDEF) page, Jet 4 offsets (Jet 3 in brackets):
//   0   page type 2          4  next TDEF page (a long definition continues there, its
//   16 [12] row count           content resuming after that page's 8-byte header)
//   41 [21] max columns  43 [23] variable columns  45 [25] columns
//   47 [27] indexes      51 [31] real indexes
//   55 [35] usage map (row << 0 | page << 8)   59 [39] free-space map
//   63 [43] real index entries, 12 [8] bytes each, then one column entry per column,
//           25 [18] bytes: type 0, number 5 [1], variable index 7 [3], precision 11,
//           scale 12, flags 15 [13], extra flags 16, fixed offset 21 [14], length 23 [16];
//           then the column names (2-byte [1-byte] length, UTF-16LE [code page] text).
//
// Data page: type 1, owner TDEF page at 4, row count at 12 [8], then one 2-byte offset per
// row (0xC000 deleted, 0x4000 pointer to a row moved to another page, 0x8000 that moved
// row, offset & 0x1FFF); rows fill the page from
// its end, row 0 ending at the page end.
//
// Row: column count (2 [1] bytes) | fixed area | variable data | end of data |
//      variable offsets, last first | variable count | null mask (bit per column).
// (Jet 3 offsets and counts are single bytes, with a jump table for rows over 256 bytes.)

// Page types (the page's first byte).
constexpr uint8_t JetDataPage = 0x01;
constexpr uint8_t JetTableDefPage = 0x02;
constexpr uint8_t JetUsageBitmapPage = 0x05;

// The flag bits of a row offset, and the offset itself.
constexpr unsigned JetRowPointer = 0x4000; // a pointer to a row moved to another page
constexpr unsigned JetRowMoved = 0x8000; // the moved row itself, read like any other
constexpr unsigned JetRowDeleted = 0xC000; // both bits
constexpr unsigned JetRowFlags = 0xC000;
constexpr unsigned JetRowOffset = 0x1FFF;

struct TJetFormat {
    int Version = 1;
    size_t PageSize = 4096;
    bool Jet3() const { return Version == 0; }
    size_t RowCountOffset() const { return Jet3() ? 8 : 12; }
};

struct TJetColumnDef {
    uint8_t Type = 0;
    uint16_t Number = 0;
    uint16_t VarIndex = 0;
    uint8_t Flags = 0;
    uint8_t ExtFlags = 0;
    uint16_t FixedOffset = 0;
    uint16_t Length = 0;
    uint8_t Precision = 0; // Decimal only
    uint8_t Scale = 0; // Decimal only
    std::string Name; // UTF-8 for Jet 4; the stored bytes for Jet 3
    bool Fixed() const { return Flags & 0x01; }
    bool AutoNumber() const { return Flags & 0x44; } // 0x04 long, 0x40 GUID
    // Access 2010 calculated columns.
    bool Calculated() const { return ExtFlags & 0xC0; }
};

struct TJetTableDef {
    uint32_t Page = 0;
    uint32_t RowCount = 0; // the live rows the definition records
    uint16_t MaxCols = 0;
    uint16_t VarCols = 0;
    std::vector<TJetColumnDef> Columns; // in definition order
    std::string UsageMap; // the map row's bytes
    std::vector<uint16_t> PrimaryKey; // column numbers of the primary-key index, if any
};

// Gives the (decoded) bytes of a page; false when it cannot be read.
using TJetPageReader = std::function<bool(uint32_t page, std::string& bytes)>;

// Reads and checks a table definition and its usage map; raises EDatabaseError with
// `errorText` on anything out of bounds. Column types are not checked: a type the reader
// does not know is the caller's to name. Deleting columns leaves their variable-length
// slots counted, so the variable count may exceed the live columns.
TJetTableDef ReadJetTableDef(TJetFormat const& format, TJetPageReader const& read, uint32_t pageCount,
    uint32_t page, std::string const& errorText);

// The pages a usage map marks, in ascending order (type 0 inline bitmap or type 1 list of
// bitmap pages). Raises on a malformed map.
std::vector<uint32_t> JetUsageMapPages(TJetFormat const& format, TJetPageReader const& read,
    uint32_t pageCount, std::string_view map, std::string const& errorText);

// The bytes of row `row` of a data page; false when the row table or the row is out of
// bounds. `flags` receives the offset's flag bits (JetRowFlags of the offset).
bool JetFindRow(
    TJetFormat const& format, std::string_view page, unsigned row, std::string_view& bytes, unsigned& flags);

// Whether a page is a data page whose rows belong to the table defined at tdefPage.
bool JetIsDataPageOf(std::string_view page, uint32_t tdefPage);
// The number of rows in a data page's row table.
unsigned JetRowCount(TJetFormat const& format, std::string_view page);
// A row that holds data: neither deleted nor a pointer to a row moved elsewhere (both carry
// the pointer bit; the moved row itself is read where it lies).
inline bool JetLiveRow(unsigned flags) { return !(flags & JetRowPointer); }

// The two ends of a row that every reader needs first: the column count the row was written
// with (at its start) and the null mask (at its end, one bit per column).
struct TJetRowHeader {
    size_t CountSize = 0; // bytes of the column count: 1 in Jet 3, 2 in Jet 4
    size_t Columns = 0;
    std::string_view Mask;
    bool Present(unsigned number) const
    {
        return number < Columns && (uint8_t(Mask[number / 8]) >> (number % 8) & 1);
    }
};
// False when the row is too short to hold its count and mask.
bool JetReadRowHeader(TJetFormat const& format, std::string_view row, TJetRowHeader& header);

// Checks every live row of a data page owned by the table against its definition.
bool JetRowsValid(TJetFormat const& format, std::string_view page, TJetTableDef const& table);

// One field of a cracked row. Yes/No fields carry their value in Null (false = Yes).
struct TJetField {
    bool Null = true;
    std::string_view Bytes;
};

// Splits a row into the fields of the table's columns (same order as table.Columns);
// false when the row's offsets do not fit.
bool JetCrackRow(TJetFormat const& format, std::string_view row, TJetTableDef const& table,
    std::vector<TJetField>& fields);

// What a table's property blob (MSysObjects.LvProp: "MR2" for Jet 4, "KKD" for Jet 3) says
// about one column, as far as reading needs it. Malformed blobs give what could be read.
struct TJetColumnProperties {
    std::string Column; // UTF-8 for Jet 4; the stored bytes for Jet 3
    bool Required = false; // the "Required" property
    int ResultType = -1; // a calculated column's "ResultType" (a column type byte), -1 when absent
};
std::vector<TJetColumnProperties> JetColumnProperties(TJetFormat const& format, std::string_view blob);

// The names of the columns whose "Required" property is set, from a table's property
// blob (MSysObjects.LvProp: "MR2" for Jet 4, "KKD" for Jet 3). Malformed blobs give what
// could be read.
std::vector<std::string> JetRequiredColumns(TJetFormat const& format, std::string_view blob);

} // namespace xe::db
