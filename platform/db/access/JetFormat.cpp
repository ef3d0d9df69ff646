#include "platform/db/access/JetFormat.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/db/access/JetValues.h"

#include <set>

namespace xe::db {

namespace {
uint16_t Get16(std::string_view s, size_t at) { return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8); }
uint32_t Get32(std::string_view s, size_t at) { return Get16(s, at) | uint32_t(Get16(s, at + 2)) << 16; }

struct TTdefLayout {
    size_t Rows, MaxCols, VarCols, Cols, Indexes, RealIndexes, UsageMap, FreeMap, ColsStart, RealIndexSize,
        ColSize, ColNumber, ColVarIndex, ColFlags, ColExtFlags, ColFixedOffset, ColLength;
};
constexpr TTdefLayout Jet4Tdef { 16, 41, 43, 45, 47, 51, 55, 59, 63, 12, 25, 5, 7, 15, 16, 21, 23 };
constexpr TTdefLayout Jet3Tdef { 12, 21, 23, 25, 27, 31, 35, 39, 43, 8, 18, 1, 3, 13, 0, 14, 16 };

constexpr size_t MaxTdefPages = 64; // 256 columns with long names fit in far fewer
constexpr unsigned MaxColumns = 255;

[[noreturn]] void Corrupt(std::string const& errorText) { throw base::EDatabaseError(errorText); }

// The bytes of a map row, addressed as "row | page << 8".
std::string ReadMapRow(TJetFormat const& format, TJetPageReader const& read, uint32_t pageCount,
    uint32_t pointer, std::string const& errorText)
{
    uint32_t page = pointer >> 8;
    std::string bytes;
    if (page == 0 || page >= pageCount || !read(page, bytes) || bytes.size() != format.PageSize
        || bytes[0] != JetDataPage)
        Corrupt(errorText);
    std::string_view row;
    unsigned flags = 0;
    if (!JetFindRow(format, bytes, pointer & 0xFF, row, flags) || row.size() < 5)
        Corrupt(errorText);
    return std::string(row);
}
}

bool JetFindRow(
    TJetFormat const& format, std::string_view page, unsigned row, std::string_view& bytes, unsigned& flags)
{
    size_t countAt = format.RowCountOffset();
    if (page.size() != format.PageSize)
        return false;
    size_t count = Get16(page, countAt);
    size_t tableEnd = countAt + 2 + 2 * count;
    if (row >= count || tableEnd > format.PageSize)
        return false;
    uint16_t raw = Get16(page, countAt + 2 + 2 * row);
    size_t start = raw & JetRowOffset;
    size_t end = row == 0 ? format.PageSize : Get16(page, countAt + 2 * row) & JetRowOffset;
    if (start < tableEnd || start > end || end > format.PageSize)
        return false;
    flags = raw & JetRowFlags;
    bytes = page.substr(start, end - start);
    return true;
}

bool JetIsDataPageOf(std::string_view page, uint32_t tdefPage)
{
    return page.size() >= 8 && uint8_t(page[0]) == JetDataPage && Get32(page, 4) == tdefPage;
}

unsigned JetRowCount(TJetFormat const& format, std::string_view page)
{
    return page.size() < format.RowCountOffset() + 2 ? 0 : Get16(page, format.RowCountOffset());
}

TJetTableDef ReadJetTableDef(TJetFormat const& format, TJetPageReader const& read, uint32_t pageCount,
    uint32_t page, std::string const& errorText)
{
    TTdefLayout const& l = format.Jet3() ? Jet3Tdef : Jet4Tdef;
    // The definition with its continuation pages joined, as libmdb reads it.
    std::string tdef;
    std::set<uint32_t> seen;
    if (page == 0)
        Corrupt(errorText);
    for (uint32_t next = page; next != 0;) {
        std::string bytes;
        if (next >= pageCount || !seen.insert(next).second || seen.size() > MaxTdefPages || !read(next, bytes)
            || bytes.size() != format.PageSize || bytes[0] != JetTableDefPage)
            Corrupt(errorText);
        tdef += next == page ? bytes : bytes.substr(8);
        next = Get32(bytes, 4);
    }

    TJetTableDef table;
    table.Page = page;
    table.RowCount = Get32(tdef, l.Rows);
    table.MaxCols = Get16(tdef, l.MaxCols);
    table.VarCols = Get16(tdef, l.VarCols);
    unsigned cols = Get16(tdef, l.Cols);
    uint32_t realIndexes = Get32(tdef, l.RealIndexes);
    if (cols == 0 || cols > MaxColumns || table.VarCols > MaxColumns || realIndexes > 1000
        || Get32(tdef, l.Indexes) > 1000)
        Corrupt(errorText);
    size_t at = l.ColsStart + size_t(realIndexes) * l.RealIndexSize;
    if (at + size_t(cols) * l.ColSize > tdef.size())
        Corrupt(errorText);
    std::set<unsigned> numbers;
    for (unsigned i = 0; i < cols; ++i, at += l.ColSize) {
        TJetColumnDef c;
        c.Type = uint8_t(tdef[at]);
        c.Number = Get16(tdef, at + l.ColNumber);
        c.VarIndex = Get16(tdef, at + l.ColVarIndex);
        c.Flags = uint8_t(tdef[at + l.ColFlags]);
        c.ExtFlags = format.Jet3() ? 0 : uint8_t(tdef[at + l.ColExtFlags]);
        c.FixedOffset = Get16(tdef, at + l.ColFixedOffset);
        c.Length = Get16(tdef, at + l.ColLength);
        if (!format.Jet3()) {
            c.Precision = uint8_t(tdef[at + 11]);
            c.Scale = uint8_t(tdef[at + 12]);
        }
        if (c.Number > MaxColumns || !numbers.insert(c.Number).second
            || (c.Fixed() && size_t(c.FixedOffset) + c.Length > format.PageSize)
            || (!c.Fixed() && c.VarIndex >= table.VarCols))
            Corrupt(errorText);
        table.Columns.push_back(c);
    }
    // Column names follow; libmdb copies each into a 256-byte buffer.
    for (unsigned i = 0; i < cols; ++i) {
        size_t length;
        if (format.Jet3()) {
            if (at + 1 > tdef.size())
                Corrupt(errorText);
            length = uint8_t(tdef[at]);
            at += 1;
        } else {
            if (at + 2 > tdef.size())
                Corrupt(errorText);
            length = Get16(tdef, at);
            at += 2;
        }
        if (at + length > tdef.size() || length > 128 || (!format.Jet3() && length % 2))
            Corrupt(errorText);
        std::string_view name = std::string_view(tdef).substr(at, length);
        table.Columns[i].Name = format.Jet3()
            ? std::string(name)
            : DecodeJet4Text(reinterpret_cast<uint8_t const*>(name.data()), name.size());
        at += length;
    }

    // Index definitions follow the names: the real indexes (their column lists), then the
    // logical ones (which real index each uses, and its kind: 1 = primary key). libmdb is
    // not asked to read them; a malformed section only means no key is known.
    uint32_t logicalIndexes = Get32(tdef, l.Indexes);
    size_t realSize = format.Jet3() ? 39 : 52, mapAt = format.Jet3() ? 0 : 4;
    size_t logicalSize = format.Jet3() ? 20 : 28, logicalAt = format.Jet3() ? 0 : 4;
    size_t logicalStart = at + size_t(realIndexes) * realSize;
    if (logicalStart + size_t(logicalIndexes) * logicalSize <= tdef.size()) {
        for (uint32_t i = 0; i < logicalIndexes; ++i) {
            size_t e = logicalStart + i * logicalSize + logicalAt;
            uint32_t real = Get32(tdef, e + 4);
            if (uint8_t(tdef[e + logicalSize - logicalAt - (format.Jet3() ? 1 : 5)]) != 0x01
                || real >= realIndexes)
                continue;
            for (size_t k = 0; k < 10; ++k) {
                uint16_t number = Get16(tdef, at + real * realSize + mapAt + 3 * k);
                if (number != 0xFFFF)
                    table.PrimaryKey.push_back(number);
            }
        }
    }

    table.UsageMap = ReadMapRow(format, read, pageCount, Get32(tdef, l.UsageMap), errorText);
    ReadMapRow(format, read, pageCount, Get32(tdef, l.FreeMap), errorText);
    JetUsageMapPages(format, read, pageCount, table.UsageMap, errorText);
    return table;
}

std::vector<uint32_t> JetUsageMapPages(TJetFormat const& format, TJetPageReader const& read,
    uint32_t pageCount, std::string_view map, std::string const& errorText)
{
    std::vector<uint32_t> pages;
    auto addBits = [&](std::string_view bitmap, uint64_t first) {
        for (size_t i = 0; i < bitmap.size(); ++i) {
            uint8_t byte = uint8_t(bitmap[i]);
            for (int bit = 0; byte && bit < 8; ++bit) {
                if (byte & (1 << bit)) {
                    uint64_t page = first + i * 8 + bit;
                    if (page >= pageCount)
                        Corrupt(errorText);
                    pages.push_back(uint32_t(page));
                }
            }
        }
    };
    if (map.size() < 5)
        Corrupt(errorText);
    if (map[0] == 0) {
        addBits(map.substr(5), Get32(map, 1));
    } else if (map[0] == 1) {
        uint64_t perPage = (format.PageSize - 4) * 8;
        for (size_t i = 1, n = 0; i + 4 <= map.size(); i += 4, ++n) {
            uint32_t mapPage = Get32(map, i);
            if (mapPage == 0)
                continue;
            std::string bytes;
            if (mapPage >= pageCount || !read(mapPage, bytes) || bytes.size() != format.PageSize
                || bytes[0] != JetUsageBitmapPage)
                Corrupt(errorText);
            addBits(std::string_view(bytes).substr(4), n * perPage);
        }
    } else {
        Corrupt(errorText);
    }
    return pages;
}

bool JetReadRowHeader(TJetFormat const& format, std::string_view row, TJetRowHeader& header)
{
    header.CountSize = format.Jet3() ? 1 : 2;
    if (row.size() < header.CountSize)
        return false;
    header.Columns = format.Jet3() ? uint8_t(row[0]) : Get16(row, 0);
    size_t maskSize = (header.Columns + 7) / 8;
    if (header.CountSize + maskSize > row.size())
        return false;
    header.Mask = row.substr(row.size() - maskSize);
    return true;
}

bool JetRowsValid(TJetFormat const& format, std::string_view page, TJetTableDef const& table)
{
    unsigned count = JetRowCount(format, page);
    for (unsigned row = 0; row < count; ++row) {
        std::string_view r;
        unsigned flags = 0;
        if (!JetFindRow(format, page, row, r, flags))
            return false;
        // libmdb skips deleted rows and pointers as well.
        if (!JetLiveRow(flags))
            continue;
        TJetRowHeader header;
        if (!JetReadRowHeader(format, r, header))
            return false;
        size_t const countSize = header.CountSize, rowCols = header.Columns, maskSize = header.Mask.size();
        size_t fixedEnd = r.size() - maskSize;
        if (table.VarCols > 0) {
            size_t varEntry = format.Jet3() ? 1 : 2;
            if (countSize + maskSize + varEntry > r.size())
                return false;
            size_t varAt = r.size() - maskSize - varEntry;
            size_t varCount = format.Jet3() ? uint8_t(r[varAt]) : Get16(r, varAt);
            if (varCount > table.VarCols && varCount > rowCols)
                return false;
            if ((varCount + 1) * varEntry > varAt)
                return false;
            if (!format.Jet3()) {
                size_t eodAt = varAt - 2 * (varCount + 1);
                size_t previous = countSize;
                for (size_t i = 0; i <= varCount; ++i) {
                    size_t offset = i < varCount ? Get16(r, varAt - 2 * (i + 1)) : Get16(r, eodAt);
                    if (offset < previous || offset > eodAt)
                        return false;
                    previous = offset;
                }
                fixedEnd = varCount ? Get16(r, varAt - 2) : Get16(r, eodAt);
            } else {
                fixedEnd = varAt - varCount;
            }
        }
        for (TJetColumnDef const& c : table.Columns) {
            if (c.Fixed() && c.Type != 0x01 && c.Number < rowCols
                && countSize + c.FixedOffset + c.Length > fixedEnd)
                return false;
        }
    }
    return true;
}

bool JetCrackRow(
    TJetFormat const& format, std::string_view r, TJetTableDef const& table, std::vector<TJetField>& fields)
{
    fields.assign(table.Columns.size(), TJetField());
    TJetRowHeader header;
    if (!JetReadRowHeader(format, r, header))
        return false;
    size_t const countSize = header.CountSize, maskSize = header.Mask.size();

    // Variable columns: start offsets and the end of the variable data. The list is kept
    // from row to row: a table copy cracks a million rows.
    thread_local std::vector<size_t> starts;
    starts.clear();
    size_t dataEnd = r.size() - maskSize;
    if (table.VarCols > 0) {
        if (format.Jet3()) {
            size_t varAt = r.size() - maskSize - 1;
            size_t varCount = uint8_t(r[varAt]);
            size_t jumps = (r.size() - 1) / 256; // one byte per 256 bytes of row
            if (jumps + varCount + 2 > varAt)
                return false;
            size_t tableAt = varAt - jumps - 1; // the last variable offset, counting back
            if ((tableAt - varCount) / 256 < jumps)
                --jumps; // the last jump is a dummy; its byte stays in place
            size_t used = 0;
            for (size_t i = 0; i <= varCount; ++i) {
                while (used < jumps && i == uint8_t(r[varAt - used - 1]))
                    ++used;
                starts.push_back(uint8_t(r[tableAt - i]) + used * 256);
            }
        } else {
            size_t varAt = r.size() - maskSize - 2;
            size_t varCount = Get16(r, varAt);
            if ((varCount + 1) * 2 > varAt)
                return false;
            for (size_t i = 0; i < varCount; ++i)
                starts.push_back(Get16(r, varAt - 2 * (i + 1)));
            starts.push_back(Get16(r, varAt - 2 * (varCount + 1)));
        }
        for (size_t i = 0; i < starts.size(); ++i) {
            if (starts[i] < countSize || starts[i] > r.size() || (i && starts[i] < starts[i - 1]))
                return false;
        }
        dataEnd = starts.back();
    }

    for (size_t i = 0; i < table.Columns.size(); ++i) {
        TJetColumnDef const& c = table.Columns[i];
        TJetField& f = fields[i];
        f.Null = !header.Present(c.Number);
        if (f.Null || c.Type == 0x01)
            continue;
        if (c.Fixed()) {
            size_t at = countSize + c.FixedOffset;
            if (at + c.Length > dataEnd)
                return false;
            f.Bytes = r.substr(at, c.Length);
        } else if (size_t(c.VarIndex) + 1 < starts.size()) {
            f.Bytes = r.substr(starts[c.VarIndex], starts[c.VarIndex + 1] - starts[c.VarIndex]);
        } else {
            f.Null = true; // added after the row was written
        }
    }
    return true;
}

std::vector<TJetColumnProperties> JetColumnProperties(TJetFormat const& format, std::string_view b)
{
    std::vector<TJetColumnProperties> columns;
    if (b.size() < 4
        || (b.substr(0, 4) != std::string_view("MR2\0", 4) && b.substr(0, 4) != std::string_view("KKD\0", 4)))
        return columns;
    auto text = [&](std::string_view bytes) {
        return format.Jet3() ? std::string(bytes)
                             : DecodeJet4Text(reinterpret_cast<uint8_t const*>(bytes.data()), bytes.size());
    };
    std::vector<std::string> names;
    for (size_t pos = 4; pos + 6 <= b.size();) {
        size_t length = Get32(b, pos);
        uint16_t type = Get16(b, pos + 4);
        if (length < 6 || length > b.size() - pos)
            break;
        std::string_view block = b.substr(pos + 6, length - 6);
        pos += length;
        if (type == 0x80) {
            for (size_t at = 0; at + 2 <= block.size();) {
                size_t n = Get16(block, at);
                if (n > block.size() - at - 2)
                    break;
                names.push_back(text(block.substr(at + 2, n)));
                at += 2 + n;
            }
        } else if (type == 0x00 || type == 0x01) {
            // The block's object name (a column, or empty for the table), then the properties:
            // record size (2), DDL flag (1), data type (1), name index (2), value size (2), value.
            if (block.size() < 6)
                continue;
            size_t headerSize = Get32(block, 0);
            size_t nameSize = Get16(block, 4);
            if (headerSize < 6 || headerSize > block.size() || nameSize > headerSize - 6)
                continue;
            TJetColumnProperties column;
            column.Column = text(block.substr(6, nameSize));
            if (column.Column.empty())
                continue;
            for (size_t at = headerSize; at + 8 <= block.size();) {
                size_t recordSize = Get16(block, at);
                if (recordSize < 8 || recordSize > block.size() - at)
                    break;
                uint8_t dataType = uint8_t(block[at + 3]);
                size_t nameIndex = Get16(block, at + 4);
                size_t valueSize = Get16(block, at + 6);
                bool value = valueSize >= 1 && 8 + valueSize <= recordSize;
                std::string const* name = nameIndex < names.size() ? &names[nameIndex] : nullptr;
                if (name && value && base::SameText(*name, "Required") && dataType == 0x01
                    && block[at + 8] != 0)
                    column.Required = true;
                // The type of a calculated column's result, a column type byte.
                if (name && value && base::SameText(*name, "ResultType") && dataType == 0x02)
                    column.ResultType = uint8_t(block[at + 8]);
                at += recordSize;
            }
            columns.push_back(column);
        }
    }
    return columns;
}

std::vector<std::string> JetRequiredColumns(TJetFormat const& format, std::string_view blob)
{
    std::vector<std::string> required;
    for (TJetColumnProperties const& c : JetColumnProperties(format, blob))
        if (c.Required)
            required.push_back(c.Column);
    return required;
}

} // namespace xe::db
