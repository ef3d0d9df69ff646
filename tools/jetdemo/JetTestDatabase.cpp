#include "tools/jetdemo/JetTestDatabase.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/access/JetFormat.h"
#include "platform/db/access/JetValues.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <map>

namespace xe::db {

namespace {
constexpr size_t PageSize = 4096;
constexpr size_t DataHeader = 14; // type, 1, free space, owner, 4 unknown, row count
constexpr uint32_t TablesContainerId = 0x0F000001;

using base::EInvalidOperation;

void Put16(std::string& s, size_t at, uint32_t v)
{
    s[at] = char(v & 0xFF);
    s[at + 1] = char(v >> 8 & 0xFF);
}
void Put32(std::string& s, size_t at, uint32_t v)
{
    Put16(s, at, v & 0xFFFF);
    Put16(s, at + 2, v >> 16);
}
void Append16(std::string& s, uint32_t v)
{
    s += char(v & 0xFF);
    s += char(v >> 8 & 0xFF);
}
void Append32(std::string& s, uint32_t v)
{
    Append16(s, v & 0xFFFF);
    Append16(s, v >> 16);
}
uint16_t Get16(std::string_view s, size_t at) { return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8); }
uint32_t Get32(std::string_view s, size_t at) { return Get16(s, at) | uint32_t(Get16(s, at + 2)) << 16; }

bool IsFixed(TJetColumnType type)
{
    return type != jtText && type != jtMemo && type != jtOle && type != jtBinary;
}

int FixedSize(TJetColumnType type)
{
    switch (type) {
    case jtBoolean:
    case jtByte:
        return 1;
    case jtInteger:
        return 2;
    case jtLong:
    case jtSingle:
        return 4;
    case jtCurrency:
    case jtDouble:
    case jtDateTime:
    case jtBigInt:
        return 8;
    case jtDateTimeExt:
        return 42;
    case jtGuid:
        return 16;
    case jtComplex:
        return 4;
    case jtNumeric:
        return 17;
    default:
        return 0;
    }
}

// A decimal text as an integer scaled by 10^scale, with its sign.
__extension__ typedef unsigned __int128 TUInt128;
TUInt128 ScaledDecimal(std::string_view text, int scale, bool& negative)
{
    negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+'))
        text.remove_prefix(1);
    TUInt128 value = 0;
    int fraction = -1;
    for (char c : text) {
        if (c == '.') {
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9')
            throw EInvalidOperation("Not a decimal: " + std::string(text));
        if (fraction >= scale)
            continue; // digits beyond the scale are cut
        value = value * 10 + unsigned(c - '0');
        if (fraction >= 0)
            ++fraction;
    }
    for (int i = fraction < 0 ? 0 : fraction; i < scale; ++i)
        value *= 10;
    return value;
}

std::string Utf16Bytes(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text)
        Append16(out, c);
    return out;
}

// Text in Jet 4's compressed form where possible: "FF FE", then one-byte characters
// and two-byte runs, each switch marked by a zero byte. A two-byte character whose
// low byte is zero cannot appear in that form; such text is stored as plain UTF-16.
std::string EncodeText(std::string const& utf8, bool compress)
{
    std::u16string units = base::Utf8ToUtf16(utf8);
    bool possible = compress && !units.empty();
    for (char16_t c : units)
        possible = possible && (c & 0xFF) != 0;
    if (!possible)
        return Utf16Bytes(units);
    std::string out = "\xFF\xFE";
    bool oneByte = true;
    for (char16_t c : units) {
        bool wantOne = c <= 0xFF;
        if (wantOne != oneByte) {
            out += '\0';
            oneByte = wantOne;
        }
        if (oneByte)
            out += char(c);
        else
            Append16(out, c);
    }
    return out;
}

// Memo and OLE values longer than this go to long-value (LVAL) pages.
constexpr size_t InlineLongValue = 2000;
constexpr uint32_t LvalOwner = 0x4C41564C; // "LVAL"
constexpr size_t MapPageBits = (PageSize - 4) * 8;

using TLongValueStore = std::function<std::string(std::string const& data)>;

std::string EncodeValue(TJetTestColumn const& c, std::string const& v, TLongValueStore const& storeLong)
{
    std::string out;
    switch (c.Type) {
    case jtByte:
        out += char(std::stoi(v));
        break;
    case jtInteger:
        Append16(out, uint16_t(std::stoi(v)));
        break;
    case jtLong:
    case jtComplex:
        Append32(out, uint32_t(std::stol(v)));
        break;
    case jtBigInt: {
        uint64_t x = uint64_t(std::stoll(v));
        Append32(out, uint32_t(x));
        Append32(out, uint32_t(x >> 32));
        break;
    }
    case jtDateTimeExt:
        out = v;
        out.resize(42, '\0');
        break;
    case jtCurrency: {
        bool negative;
        // Two's complement in unsigned arithmetic: the smallest Currency has no positive twin.
        uint64_t units = uint64_t(ScaledDecimal(v, 4, negative));
        if (negative)
            units = 0 - units;
        Append32(out, uint32_t(units));
        Append32(out, uint32_t(units >> 32));
        break;
    }
    case jtSingle: {
        float f = std::stof(v);
        out.assign(reinterpret_cast<char const*>(&f), 4);
        break;
    }
    case jtDouble: {
        double d = std::stod(v);
        out.assign(reinterpret_cast<char const*>(&d), 8);
        break;
    }
    case jtDateTime: {
        double d = ParseJetDate(v);
        out.assign(reinterpret_cast<char const*>(&d), 8);
        break;
    }
    case jtGuid: {
        std::string hex;
        for (char ch : v)
            if (std::isxdigit(uint8_t(ch)))
                hex += ch;
        if (hex.size() != 32)
            throw EInvalidOperation("Not a GUID: " + v);
        uint8_t b[16];
        for (int i = 0; i < 16; ++i)
            b[i] = uint8_t(std::stoi(hex.substr(size_t(2 * i), 2), nullptr, 16));
        uint8_t stored[16] = { b[3], b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11],
            b[12], b[13], b[14], b[15] };
        out.assign(reinterpret_cast<char const*>(stored), 16);
        break;
    }
    case jtNumeric: {
        bool negative;
        TUInt128 magnitude = ScaledDecimal(v, c.Scale, negative);
        out += char(negative ? 0x80 : 0);
        for (int word = 3; word >= 0; --word)
            Append32(out, uint32_t(magnitude >> (32 * word)));
        break;
    }
    case jtText:
        out = EncodeText(v, true);
        break;
    case jtMemo:
    case jtOle: {
        std::string data = c.Type == jtMemo ? EncodeText(v, true) : v;
        if (data.size() > InlineLongValue)
            return storeLong(data);
        Append32(out, uint32_t(data.size()) | 0x80000000u);
        Append32(out, 0);
        Append32(out, 0);
        out += data;
        break;
    }
    case jtBinary:
        out = v;
        break;
    default:
        throw EInvalidOperation("Unsupported column type");
    }
    return out;
}

// A calculated column's stored result: 16 bytes, the result's length (4), the result, 3
// bytes. Yes/No results are one byte (0xFF for Yes); Decimal results have a form of their own
// (length 14, scale, sign, then the 96-bit magnitude as a little-endian 32-bit word, most
// significant, and a little-endian 64-bit word); Memo results are wrapped inside their long
// value.
constexpr size_t CalculatedExtra = 23;

std::string WrapCalculated(std::string const& data)
{
    std::string out(16, '\0');
    Append32(out, uint32_t(data.size()));
    return out + data + std::string(3, '\0');
}

std::string EncodeCalculated(TJetTestColumn const& c, std::string const& v, TLongValueStore const& storeLong)
{
    switch (c.Type) {
    case jtBoolean:
        return WrapCalculated(v != "0" && !v.empty() ? "\xFF" : std::string(1, '\0'));
    case jtNumeric: {
        bool negative;
        TUInt128 magnitude = ScaledDecimal(v, c.Scale, negative);
        std::string data;
        Append16(data, 14);
        data += char(c.Scale);
        data += char(negative ? 0x80 : 0);
        Append32(data, uint32_t(magnitude >> 64));
        Append32(data, uint32_t(magnitude));
        Append32(data, uint32_t(magnitude >> 32));
        return WrapCalculated(data);
    }
    case jtMemo: {
        std::string data = WrapCalculated(EncodeText(v, true));
        if (data.size() > InlineLongValue)
            return storeLong(data);
        std::string out;
        Append32(out, uint32_t(data.size()) | 0x80000000u);
        Append32(out, 0);
        Append32(out, 0);
        return out + data;
    }
    default:
        return WrapCalculated(EncodeValue(c, v, storeLong));
    }
}

// One row in Jet 4 layout. `values` is indexed like `columns`; booleans live only in the
// null mask.
std::string EncodeRow(std::vector<TJetColumnDef> const& columns, unsigned varCols,
    std::vector<std::optional<std::string>> const& values)
{
    unsigned count = 0;
    size_t fixedSize = 0;
    for (auto const& c : columns) {
        count = std::max(count, unsigned(c.Number) + 1);
        if (c.Fixed() && c.Type != jtBoolean)
            fixedSize = std::max(fixedSize, size_t(c.FixedOffset) + c.Length);
    }
    std::string row;
    Append16(row, count);
    row.append(fixedSize, '\0');
    std::string mask((count + 7) / 8, '\0');
    std::vector<std::string const*> varData(varCols, nullptr);
    for (size_t i = 0; i < columns.size(); ++i) {
        auto const& c = columns[i];
        auto const& v = values[i];
        bool inMask = c.Type == jtBoolean && c.Fixed(); // a calculated Yes/No is a variable field
        bool set = inMask ? v && *v != "0" && !v->empty() : v.has_value();
        if (set)
            mask[c.Number / 8] = char(uint8_t(mask[c.Number / 8]) | 1 << (c.Number % 8));
        if (!v || inMask)
            continue;
        if (c.Fixed())
            std::memcpy(row.data() + 2 + c.FixedOffset, v->data(), std::min<size_t>(v->size(), c.Length));
        else
            varData[c.VarIndex] = &*v;
    }
    std::vector<uint32_t> offsets;
    for (unsigned i = 0; i < varCols; ++i) {
        offsets.push_back(uint32_t(row.size()));
        if (varData[i])
            row += *varData[i];
    }
    if (varCols > 0) {
        Append16(row, uint32_t(row.size()) + 0); // end of data, fixed below
        size_t eodAt = row.size() - 2;
        Put16(row, eodAt, uint32_t(eodAt));
        for (unsigned i = varCols; i-- > 0;)
            Append16(row, offsets[i]);
        Append16(row, varCols);
    }
    return row + mask;
}

// A data page; `flags` (0x4000 pointer row, 0x8000 moved row), when given, go into the row
// offsets, and `offsets` receives where each row starts.
std::string DataPage(uint32_t owner, std::vector<std::string> const& rows,
    std::vector<uint16_t> const& flags = {}, std::vector<size_t>* offsets = nullptr)
{
    std::string page(PageSize, '\0');
    page[0] = 0x01;
    page[1] = 0x01;
    Put32(page, 4, owner);
    Put16(page, 12, uint32_t(rows.size()));
    size_t end = PageSize;
    for (size_t i = 0; i < rows.size(); ++i) {
        end -= rows[i].size();
        std::memcpy(page.data() + end, rows[i].data(), rows[i].size());
        Put16(page, DataHeader + 2 * i, uint32_t(end) | (i < flags.size() ? flags[i] : 0));
        if (offsets)
            offsets->push_back(end);
    }
    Put16(page, 2, uint32_t(end - DataHeader - 2 * rows.size()));
    return page;
}

// A usage map row: an inline bitmap (type 0) when it is small, otherwise a list of bitmap
// pages (type 1), which are returned in `bitmapPages` to be written at `firstBitmapPage`.
std::string UsageMap(std::vector<uint32_t> const& pages, uint32_t firstBitmapPage,
    std::vector<std::string>& bitmapPages, bool reference)
{
    uint32_t last = 0;
    for (uint32_t p : pages)
        last = std::max(last, p);
    if (!reference && last / 8 + 1 <= 1900) {
        std::string bitmap(std::max<size_t>(64, last / 8 + 1), '\0');
        for (uint32_t p : pages)
            bitmap[p / 8] = char(uint8_t(bitmap[p / 8]) | 1 << (p % 8));
        std::string map(1, '\0');
        Append32(map, 0);
        return map + bitmap;
    }
    std::string map(1, '\x01');
    size_t count = last / MapPageBits + 1;
    for (size_t k = 0; k < count; ++k) {
        std::string page(PageSize, '\0');
        page[0] = 0x05;
        page[1] = 0x01;
        bitmapPages.push_back(page);
        Append32(map, firstBitmapPage + uint32_t(k));
    }
    for (uint32_t p : pages) {
        std::string& page = bitmapPages[p / MapPageBits];
        size_t bit = p % MapPageBits;
        page[4 + bit / 8] = char(uint8_t(page[4 + bit / 8]) | 1 << (bit % 8));
    }
    return map;
}

std::string PageOf(std::string const& bytes, uint32_t page)
{
    return bytes.substr(size_t(page) * PageSize, PageSize);
}
}

std::string TJetTestDatabase::TemplateFile() { return XE_FIXTURES_DIR "/access/jet4_empty_template.mdb"; }

TJetTestDatabase::TJetTestDatabase(std::string const& templateFile)
    : FBytes(base::ReadFileBytes(templateFile.empty() ? TemplateFile() : templateFile))
{
}

uint32_t TJetTestDatabase::AppendPage(std::string const& page)
{
    uint32_t number = uint32_t(FBytes.size() / PageSize);
    FBytes += page;
    return number;
}

void TJetTestDatabase::AddTable(TJetTestTable const& table)
{
    size_t next = 0;
    AddTable(table, [&](std::vector<TJetTestValue>& row) {
        if (next >= table.Rows.size())
            return false;
        row = table.Rows[next++];
        return true;
    });
}

void TJetTestDatabase::AddTable(TJetTestTable const& table, TJetTestRowSource const& nextRow)
{
    uint32_t tdefPage = uint32_t(FBytes.size() / PageSize);
    uint32_t mapPage = tdefPage + 1;
    uint32_t catalogPage = tdefPage + 2; // early, so that MSysObjects' inline map reaches it
    uint32_t firstLvalPage = tdefPage + 3;

    // Column descriptors: numbers in the given order, fixed columns packed in order.
    std::vector<TJetColumnDef> defs;
    unsigned varCols = 0;
    uint16_t fixedOffset = 0;
    for (size_t i = 0; i < table.Columns.size(); ++i) {
        auto const& c = table.Columns[i];
        TJetColumnDef d;
        d.Type = uint8_t(c.Type);
        d.Number = uint16_t(i);
        bool fixed = IsFixed(c.Type) && !c.Calculated;
        d.Flags = 0x02 | 0x10 | (fixed ? 0x01 : 0) | (c.AutoNumber ? 0x04 : 0);
        d.ExtFlags = (c.Type == jtText || c.Type == jtMemo ? 0x01 : 0) | (c.Calculated ? 0xC0 : 0);
        if (c.Calculated) {
            // In the variable part, its length counting the wrapping: 39 for the fixed-size
            // results, the text's bytes plus 23 for text.
            d.VarIndex = uint16_t(varCols++);
            d.Length = c.Type == jtText ? uint16_t(2 * c.Length + CalculatedExtra)
                : c.Type == jtMemo      ? 0
                                        : 39;
        } else if (fixed) {
            d.FixedOffset = fixedOffset;
            d.Length = uint16_t(FixedSize(c.Type));
            if (c.Type != jtBoolean)
                fixedOffset = uint16_t(fixedOffset + d.Length);
        } else {
            d.VarIndex = uint16_t(varCols++);
            d.Length = c.Type == jtText ? uint16_t(2 * c.Length)
                : c.Type == jtBinary    ? uint16_t(c.Length)
                                        : 0;
        }
        d.Name = c.Name;
        defs.push_back(d);
    }
    // The rows are written with the columns that existed then; the definition lists the
    // columns that exist now.
    std::vector<TJetColumnDef> rowDefs;
    unsigned rowVarCols = 0;
    for (size_t i = 0; i < defs.size(); ++i) {
        if (table.Columns[i].Added)
            continue;
        rowDefs.push_back(defs[i]);
        rowVarCols += defs[i].Fixed() ? 0 : 1;
    }
    std::vector<size_t> live;
    for (size_t i = 0; i < defs.size(); ++i)
        if (!table.Columns[i].Deleted)
            live.push_back(i);

    // Long values get whole LVAL pages after the map page: one row holding the value, or a
    // chain of rows, each starting with the pointer to the next.
    std::vector<std::string> lvalPages;
    TLongValueStore storeLong = [&](std::string const& data) {
        uint32_t first = firstLvalPage + uint32_t(lvalPages.size());
        std::string header;
        constexpr size_t singleCapacity = PageSize - DataHeader - 2;
        if (data.size() <= singleCapacity) {
            lvalPages.push_back(DataPage(LvalOwner, { data }));
            Append32(header, uint32_t(data.size()) | 0x40000000u);
        } else {
            constexpr size_t chunk = singleCapacity - 4;
            for (size_t at = 0; at < data.size(); at += chunk) {
                uint32_t page = firstLvalPage + uint32_t(lvalPages.size());
                std::string row;
                Append32(row, at + chunk < data.size() ? (page + 1) << 8 : 0);
                row += data.substr(at, chunk);
                lvalPages.push_back(DataPage(LvalOwner, { row }));
            }
            Append32(header, uint32_t(data.size()));
        }
        Append32(header, first << 8);
        Append32(header, 0);
        return header;
    };

    // Rows, packed into data pages that follow the long-value pages.
    uint32_t autoNumber = 0;
    std::vector<std::string> pages;
    std::vector<std::string> pageRows;
    std::vector<uint16_t> pageFlags;
    std::vector<size_t> pagePointers; // rows of the page that point to moved rows
    struct TPointer {
        size_t Page, At, Moved;
    };
    std::vector<TPointer> pointers;
    std::vector<std::string> movedRows; // each on a page of its own after the data pages
    size_t used = DataHeader;
    auto flush = [&]() {
        std::vector<size_t> offsets;
        pages.push_back(DataPage(tdefPage, pageRows, pageFlags, &offsets));
        for (size_t i = 0; i < pageRows.size(); ++i)
            if (pageFlags[i] == 0x4000)
                pointers.push_back({ pages.size() - 1, offsets[i], pagePointers[i] });
        pageRows.clear();
        pageFlags.clear();
        pagePointers.clear();
        used = DataHeader;
    };
    uint32_t rowCount = 0;
    std::vector<TJetTestValue> values;
    while (nextRow(values)) {
        ++rowCount;
        if (values.size() != table.Columns.size())
            throw EInvalidOperation("Row width differs from the column count");
        std::vector<std::optional<std::string>> encoded;
        for (size_t i = 0; i < values.size(); ++i) {
            auto const& c = table.Columns[i];
            if (c.Added)
                continue;
            if (!values[i] || (c.Type == jtBoolean && !c.Calculated)) {
                encoded.push_back(values[i]);
                continue;
            }
            encoded.push_back(c.Calculated ? EncodeCalculated(c, *values[i], storeLong)
                                           : EncodeValue(c, *values[i], storeLong));
            if (c.AutoNumber)
                autoNumber = std::max(autoNumber, uint32_t(std::stoul(*values[i])));
        }
        std::string row = EncodeRow(rowDefs, rowVarCols, encoded);
        if (row.size() + 2 + DataHeader > PageSize)
            throw EInvalidOperation("Row does not fit a page");
        uint16_t flags = 0;
        size_t moved = 0;
        if (OverflowEvery > 0 && rowCount % unsigned(OverflowEvery) == 0) {
            moved = movedRows.size();
            movedRows.push_back(row);
            row = std::string(4, '\0'); // the page number is filled in once it is known
            flags = 0x4000;
        }
        if (used + row.size() + 2 > PageSize)
            flush();
        pageRows.push_back(row);
        pageFlags.push_back(flags);
        pagePointers.push_back(moved);
        used += row.size() + 2;
    }
    if (!pageRows.empty())
        flush();
    std::vector<uint32_t> dataPages;
    uint32_t firstDataPage = firstLvalPage + uint32_t(lvalPages.size());
    for (size_t i = 0; i < pages.size(); ++i)
        dataPages.push_back(firstDataPage + uint32_t(i));
    // Moved rows: each alone on a page, flagged 0x8000, pointed to by
    // the row left in its place.
    for (size_t k = 0; k < movedRows.size(); ++k) {
        dataPages.push_back(firstDataPage + uint32_t(pages.size() + k));
    }
    for (auto const& pointer : pointers)
        Put32(pages[pointer.Page], pointer.At, (firstDataPage + uint32_t(pages.size() + pointer.Moved)) << 8);
    for (auto const& row : movedRows)
        pages.push_back(DataPage(tdefPage, { row }, { 0x8000 }));
    std::vector<std::string> bitmapPages;
    std::string usageMap
        = UsageMap(dataPages, firstDataPage + uint32_t(pages.size()), bitmapPages, ReferenceUsageMaps);

    // Table definition.
    std::string tdef(63, '\0');
    tdef[0] = 0x02;
    tdef[1] = 0x01;
    Put32(tdef, 16, rowCount);
    Put32(tdef, 20, autoNumber);
    Put32(tdef, 24, 1);
    tdef[40] = 0x4E;
    Put16(tdef, 41, uint32_t(defs.size()));
    Put16(tdef, 43, varCols);
    Put16(tdef, 45, uint32_t(live.size()));
    std::vector<size_t> keyColumns;
    for (size_t i : live)
        if (table.Columns[i].PrimaryKey)
            keyColumns.push_back(i);
    bool keyed = !keyColumns.empty() && keyColumns.size() <= 10;
    if (keyed) {
        Put32(tdef, 47, 1); // logical indexes
        Put32(tdef, 51, 1); // real indexes, each with 12 bytes (its row count) before the columns
        tdef.append(12, '\0');
    }
    Put32(tdef, 55, mapPage << 8 | 0);
    Put32(tdef, 59, mapPage << 8 | 1);
    for (size_t i : live) {
        auto const& d = defs[i];
        auto const& c = table.Columns[i];
        std::string e(25, '\0');
        e[0] = char(c.RawType ? c.RawType : d.Type);
        Put32(e, 1, 0x0659);
        Put16(e, 5, d.Number);
        Put16(e, 7, d.VarIndex);
        Put16(e, 9, d.Number);
        if (c.Type == jtNumeric) {
            e[11] = char(c.Precision);
            e[12] = char(c.Scale);
        } else if (c.Type == jtText || c.Type == jtMemo) {
            Put16(e, 11, 0x0409);
        }
        e[15] = char(d.Flags);
        e[16] = char(d.ExtFlags);
        Put16(e, 21, d.FixedOffset);
        Put16(e, 23, d.Length);
        tdef += e;
    }
    for (size_t i : live) {
        std::string name = Utf16Bytes(base::Utf8ToUtf16(table.Columns[i].Name));
        Append16(tdef, uint32_t(name.size()));
        tdef += name;
    }
    if (keyed) {
        // The real index: its columns (number, 1 = ascending; 0xFFFF ends), no pages, unique.
        std::string real(52, '\0');
        for (size_t k = 0; k < 10; ++k) {
            Put16(real, 4 + 3 * k, k < keyColumns.size() ? defs[keyColumns[k]].Number : 0xFFFF);
            real[6 + 3 * k] = char(k < keyColumns.size() ? 1 : 0);
        }
        real[42] = 0x01;
        // The logical index: number 0, on real index 0, no relation, kind 1 (primary key).
        std::string logical(28, '\0');
        Put32(logical, 13, 0xFFFFFFFFu);
        logical[23] = 0x01;
        std::string name = Utf16Bytes(base::Utf8ToUtf16("PrimaryKey"));
        tdef += real + logical;
        Append16(tdef, uint32_t(name.size()));
        tdef += name;
    }
    tdef += "\xFF\xFF";
    if (tdef.size() > PageSize)
        throw EInvalidOperation("Table definition does not fit a page");
    Put32(tdef, 8, uint32_t(tdef.size() - 8));
    Put16(tdef, 2, uint32_t(PageSize - tdef.size()));
    tdef.resize(PageSize, '\0');

    std::string freeMap(1, '\0');
    Append32(freeMap, 0);
    freeMap.append(64, '\0');

    AppendPage(tdef);
    AppendPage(DataPage(0, { usageMap, freeMap }));
    AppendPage(std::string(PageSize, '\0')); // the catalog page, written below
    for (auto const& page : lvalPages)
        AppendPage(page);
    for (auto const& page : pages)
        AppendPage(page);
    for (auto const& page : bitmapPages)
        AppendPage(page);
    // Column properties: a names block, then one block per column that has any.
    std::string properties;
    auto block = [](uint16_t type, std::string const& data) {
        std::string b;
        Append32(b, uint32_t(6 + data.size()));
        Append16(b, type);
        return b + data;
    };
    std::string names;
    for (char16_t const* name : { u"Required", u"ResultType" }) {
        std::string bytes = Utf16Bytes(name);
        Append16(names, uint32_t(bytes.size()));
        names += bytes;
    }
    for (auto const& c : table.Columns) {
        if (!c.Required && !c.Calculated)
            continue;
        std::string column = Utf16Bytes(base::Utf8ToUtf16(c.Name));
        std::string data;
        Append32(data, uint32_t(6 + column.size()));
        Append16(data, uint32_t(column.size()));
        data += column;
        // Records: size 9, DDL flag 0, data type, name index, value size 1, the value.
        if (c.Required)
            data += std::string("\x09\0\0\x01\0\0\x01\0\xFF", 9); // Required (Yes/No): Yes
        if (c.Calculated) // ResultType (Byte): the result's column type
            data += std::string("\x09\0\0\x02\x01\0\x01\0", 8) + char(c.Type);
        properties += block(0x01, data);
    }
    if (!properties.empty())
        properties = std::string("MR2\0", 4) + block(0x80, names) + properties;
    AddCatalogRow(table.Name, tdefPage, 1, properties, catalogPage);
}

void TJetTestDatabase::AddCatalogRow(
    std::string const& name, uint32_t tdefPage, int type, std::string const& properties, uint32_t page)
{
    TJetFormat format;
    TJetPageReader read = [this](uint32_t page, std::string& bytes) {
        bytes = PageOf(FBytes, page);
        return bytes.size() == PageSize;
    };
    uint32_t pageCount = uint32_t(FBytes.size() / PageSize);
    TJetTableDef catalog = ReadJetTableDef(format, read, pageCount, 2, "bad template");

    std::map<std::string, std::string> values;
    auto number32 = [](uint32_t v) {
        std::string s;
        Append32(s, v);
        return s;
    };
    double now = ParseJetDate("2026-01-02 03:04:05");
    std::string date(reinterpret_cast<char const*>(&now), 8);
    values["Id"] = number32(tdefPage);
    values["ParentId"] = number32(TablesContainerId);
    values["Name"] = Utf16Bytes(base::Utf8ToUtf16(name));
    values["Type"] = std::string({ char(type), 0 });
    values["Flags"] = number32(0);
    values["DateCreate"] = date;
    values["DateUpdate"] = date;
    if (!properties.empty()) {
        std::string lv;
        Append32(lv, uint32_t(properties.size()) | 0x80000000u);
        Append32(lv, 0);
        Append32(lv, 0);
        values["LvProp"] = lv + properties;
    }
    std::vector<std::optional<std::string>> row;
    for (auto const& c : catalog.Columns) {
        auto it = values.find(c.Name);
        row.push_back(it == values.end() ? std::nullopt : std::optional<std::string>(it->second));
    }
    std::string rowBytes = EncodeRow(catalog.Columns, catalog.VarCols, row);
    if (page == 0)
        page = AppendPage(DataPage(2, { rowBytes }));
    else
        FBytes.replace(size_t(page) * PageSize, PageSize, DataPage(2, { rowBytes }));

    // Mark the page in MSysObjects' usage map (an inline bitmap) and count the row.
    std::string tdef = PageOf(FBytes, 2);
    uint32_t pointer = Get32(tdef, 55);
    size_t mapPageAt = size_t(pointer >> 8) * PageSize;
    std::string mapPage = FBytes.substr(mapPageAt, PageSize);
    std::string_view mapRow;
    unsigned flags = 0;
    if (!JetFindRow(format, mapPage, pointer & 0xFF, mapRow, flags) || mapRow[0] != 0)
        throw EInvalidOperation("The template's catalog map is not an inline bitmap");
    size_t rowAt = size_t(mapRow.data() - mapPage.data());
    uint32_t bit = page - Get32(mapRow, 1);
    if (5 + bit / 8 >= mapRow.size())
        throw EInvalidOperation("The catalog map cannot reach page " + std::to_string(page));
    char& mapByte = FBytes[mapPageAt + rowAt + 5 + bit / 8];
    mapByte = char(mapByte | (1 << (bit % 8)));
    Put32(FBytes, 2 * PageSize + 16, Get32(tdef, 16) + 1);
}

void TJetTestDatabase::AddCatalogObject(std::string const& name, int type) { AddCatalogRow(name, 0, type); }

void TJetTestDatabase::SetPassword(std::u16string const& password)
{
    std::string page0 = FBytes.substr(0, PageSize);
    EncodeJetPassword(page0, password);
    FBytes.replace(0, PageSize, page0);
}

void TJetTestDatabase::SetAceVersion(int version)
{
    if (version < 2 || version > 6)
        throw base::EInvalidOperation("ACE versions are 2 to 6");
    FBytes.replace(4, 15, "Standard ACE DB");
    FBytes[0x14] = char(version);
}

void TJetTestDatabase::SaveToFile(std::string const& fileName) const
{
    base::WriteFileBytes(fileName, FBytes);
}

uint32_t TJetTestDatabase::SystemTablePage(std::string const& name) const
{
    TJetFormat format;
    TJetPageReader read = [this](uint32_t page, std::string& bytes) {
        bytes = PageOf(FBytes, page);
        return bytes.size() == PageSize;
    };
    uint32_t pageCount = uint32_t(FBytes.size() / PageSize);
    TJetTableDef catalog = ReadJetTableDef(format, read, pageCount, 2, "bad template");
    size_t nameAt = 0, idAt = 0;
    for (size_t i = 0; i < catalog.Columns.size(); ++i) {
        if (catalog.Columns[i].Name == "Name")
            nameAt = i;
        if (catalog.Columns[i].Name == "Id")
            idAt = i;
    }
    std::string wanted = Utf16Bytes(base::Utf8ToUtf16(name));
    for (uint32_t p : JetUsageMapPages(format, read, pageCount, catalog.UsageMap, "bad template")) {
        std::string page = PageOf(FBytes, p);
        if (!JetIsDataPageOf(page, 2))
            continue;
        for (unsigned row = 0; row < JetRowCount(format, page); ++row) {
            std::string_view bytes;
            unsigned flags = 0;
            std::vector<TJetField> fields;
            if (!JetFindRow(format, page, row, bytes, flags) || !JetLiveRow(flags)
                || !JetCrackRow(format, bytes, catalog, fields) || fields[nameAt].Null)
                continue;
            std::string stored(fields[nameAt].Bytes);
            if (stored == wanted
                || DecodeJet4Text(reinterpret_cast<uint8_t const*>(stored.data()), stored.size()) == name)
                return Get32(fields[idAt].Bytes, 0) & 0x00FFFFFF;
        }
    }
    throw EInvalidOperation("The template has no system table " + name);
}

void TJetTestDatabase::AppendRows(
    uint32_t tdefPage, std::vector<std::map<std::string, std::string>> const& rows)
{
    TJetFormat format;
    TJetPageReader read = [this](uint32_t page, std::string& bytes) {
        bytes = PageOf(FBytes, page);
        return bytes.size() == PageSize;
    };
    TJetTableDef def
        = ReadJetTableDef(format, read, uint32_t(FBytes.size() / PageSize), tdefPage, "bad template");
    std::vector<std::string> encoded;
    for (auto const& values : rows) {
        std::vector<std::optional<std::string>> row;
        for (auto const& c : def.Columns) {
            auto it = values.find(c.Name);
            row.push_back(it == values.end() ? std::nullopt : std::optional<std::string>(it->second));
        }
        encoded.push_back(EncodeRow(def.Columns, def.VarCols, row));
    }
    uint32_t page = AppendPage(DataPage(tdefPage, encoded));

    std::string tdef = PageOf(FBytes, tdefPage);
    uint32_t pointer = Get32(tdef, 55);
    size_t mapPageAt = size_t(pointer >> 8) * PageSize;
    std::string mapPage = FBytes.substr(mapPageAt, PageSize);
    std::string_view mapRow;
    unsigned flags = 0;
    if (!JetFindRow(format, mapPage, pointer & 0xFF, mapRow, flags) || mapRow[0] != 0)
        throw EInvalidOperation("The template's usage map is not an inline bitmap");
    size_t rowAt = size_t(mapRow.data() - mapPage.data());
    uint32_t bit = page - Get32(mapRow, 1);
    if (5 + bit / 8 >= mapRow.size())
        throw EInvalidOperation("The usage map cannot reach page " + std::to_string(page));
    char& mapByte = FBytes[mapPageAt + rowAt + 5 + bit / 8];
    mapByte = char(mapByte | (1 << (bit % 8)));
    Put32(FBytes, size_t(tdefPage) * PageSize + 16, Get32(tdef, 16) + uint32_t(rows.size()));
}

void TJetTestDatabase::AddSavedQuery(std::string const& name, std::vector<TJetQueryRow> const& rows)
{
    // Query ids are not pages; any id no table uses will do.
    uint32_t id = 0x0C000000u + uint32_t(FBytes.size() / PageSize);
    auto number = [](uint64_t v, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; ++i)
            s += char(v >> (8 * i) & 0xFF);
        return s;
    };
    std::vector<std::map<std::string, std::string>> encoded;
    for (TJetQueryRow const& r : rows) {
        std::map<std::string, std::string> values;
        values["ObjectId"] = number(id, 4);
        values["Attribute"] = number(uint32_t(r.Attribute), 1);
        values["Flag"] = number(uint32_t(r.Flag), 2);
        if (!r.Name1.empty())
            values["Name1"] = EncodeText(r.Name1, true);
        if (!r.Name2.empty())
            values["Name2"] = EncodeText(r.Name2, true);
        if (r.HasExpression || !r.Expression.empty()) {
            std::string text = EncodeText(r.Expression, true);
            values["Expression"] = number(uint32_t(text.size()) | 0x80000000u, 4) + number(0, 8) + text;
        }
        encoded.push_back(values);
    }
    encoded.insert(encoded.begin(), { { "ObjectId", number(id, 4) }, { "Attribute", number(0, 1) } });
    encoded.push_back({ { "ObjectId", number(id, 4) }, { "Attribute", number(255, 1) } });
    AppendRows(SystemTablePage("MSysQueries"), encoded);
    AddCatalogRow(name, id, 5);
}

void TJetTestDatabase::AddLinkedTable(std::string const& name, std::string const& database,
    std::string const& foreignName, std::string const& connect, int type)
{
    auto memo = [](std::string const& utf8) {
        std::string text = EncodeText(utf8, true);
        std::string lv;
        Append32(lv, uint32_t(text.size()) | 0x80000000u);
        Append32(lv, 0);
        Append32(lv, 0);
        return lv + text;
    };
    std::map<std::string, std::string> values;
    auto number32 = [](uint32_t v) {
        std::string s;
        Append32(s, v);
        return s;
    };
    values["Id"] = number32(0x0D000000u + uint32_t(FBytes.size() / PageSize));
    values["ParentId"] = number32(TablesContainerId);
    values["Name"] = Utf16Bytes(base::Utf8ToUtf16(name));
    values["Type"] = std::string({ char(type), 0 });
    values["Flags"] = number32(0);
    values["Database"] = memo(database);
    values["ForeignName"] = EncodeText(foreignName, true);
    if (!connect.empty())
        values["Connect"] = memo(connect);
    AppendRows(2, { values });
}

} // namespace xe::db
