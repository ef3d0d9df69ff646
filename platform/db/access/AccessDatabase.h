#pragma once

#include "platform/db/access/JetHeader.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace xe::db {

// Jet column types as stored in a table definition.
enum TJetColumnType {
    jtBoolean = 0x01,
    jtByte = 0x02,
    jtInteger = 0x03,
    jtLong = 0x04,
    jtCurrency = 0x05,
    jtSingle = 0x06,
    jtDouble = 0x07,
    jtDateTime = 0x08,
    jtBinary = 0x09,
    jtText = 0x0A,
    jtOle = 0x0B,
    jtMemo = 0x0C,
    jtGuid = 0x0F,
    jtNumeric = 0x10,
    jtComplex = 0x12,
    jtBigInt = 0x13, // Large Number (Access 2016)
    jtDateTimeExt = 0x14, // Date/Time Extended (Access 2019): fixed-length ASCII in the row
};

// What the file says about one column of a table.
struct TAccessColumn {
    std::string Name; // UTF-8
    TJetColumnType Type = jtText;
    int Size = 0; // characters for Text, bytes for Binary; 0 for the others
    int Precision = 0; // Decimal only
    int Scale = 0; // Decimal only
    bool Nullable = true; // false for Required columns, Yes/No and AutoNumber
    bool AutoNumber = false;
    bool PrimaryKey = false; // part of the table's primary key
};

// One row of MSysQueries: a piece of a saved query's definition (see SavedQueries.h).
struct TJetQueryRow {
    int Attribute = 0;
    int Flag = 0;
    std::string Name1, Name2, Expression; // UTF-8; empty when NULL
    bool HasExpression = false;
};

// A linked table's record in the catalog.
struct TAccessLink {
    int Type = 6; // 6: an Access table or installable ISAM data (Excel, text, ...); 4: ODBC
    std::string Database; // UTF-8, the path as the linking database stores it
    std::string ForeignName; // the table's name in the linked data
    std::string Connect; // "" or ";DATABASE=..." for Access; "Excel 8.0;...", "ODBC;..." otherwise
};

struct TAccessTable {
    std::string Name; // UTF-8, as the file spells it
    std::vector<TAccessColumn> Columns;
    int64_t RowCount = 0; // rows copied
};

// An Access file (Jet 3, Jet 4, ACE), opened read only. The constructor checks the
// database password before anything else is read, then opens the file with libmdb and
// reads its catalog. Every error is an EDatabaseError with the message a Jet user would
// see; the file is never written.
class TAccessDatabase {
public:
    // Both strings in the ANSI code page.
    TAccessDatabase(std::string const& fileName, std::string_view password);
    ~TAccessDatabase();
    TAccessDatabase(TAccessDatabase const&) = delete;
    TAccessDatabase& operator=(TAccessDatabase const&) = delete;

    TJetHeader const& Header() const { return FHeader; }

    enum class TObjectKind { None, Table, Query, LinkedTable, Other };
    // Looks a name up in the catalog, ignoring ASCII letter case as Jet does. `exactName`
    // receives the spelling of the file (UTF-8).
    TObjectKind FindObject(std::string_view utf8Name, std::string* exactName = nullptr) const;
    // The user tables (system and temporary "~" tables left out), UTF-8.
    std::vector<std::string> TableNames() const;

    // Copies a table into `db` as <schema>.<name as the file spells it> (or <schema>.<targetName>
    // when given), in one transaction. A saved query, a linked table or a column type that
    // cannot be read (calculated memo) is an error naming it. Attachment and multi-valued
    // columns are copied as NULL and listed with their type (jtComplex), for the caller to
    // refuse where a statement reads them.
    TAccessTable LoadTable(sqlite3* db, std::string_view utf8Name, std::string const& schema = "main",
        std::string const& targetName = "");

    std::string const& FileName() const { return FFileName; } // ANSI
    // The definition rows of a saved query (MSysQueries), in the file's order.
    std::vector<TJetQueryRow> SavedQueryRows(std::string_view utf8Name) const;
    // The link record of a linked table (catalog type 6 or 4); nullopt for any other object.
    std::optional<TAccessLink> LinkOf(std::string_view utf8Name) const;

private:
    struct TImpl;
    TJetHeader FHeader;
    std::string FFileName;
    std::unique_ptr<TImpl> FImpl;
};

} // namespace xe::db
