#include "platform/db/access/AccessDatabase.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/Sqlite.h"
#include "platform/db/access/AceCrypto.h"
#include "platform/db/access/JetCollation.h"
#include "platform/db/access/JetFormat.h"
#include "platform/db/access/JetValues.h"

// libmdb 1.0.0 opens its extern "C" block before including glib, which breaks C++
// templates: glib has to come first.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <fcntl.h>
#include <functional>
#include <locale.h>
#include <optional>
#include <set>
#include <unistd.h>

namespace xe::db {

using base::EDatabaseError;

namespace {
uint32_t Get32(uint8_t const* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

char const* DeclaredType(TJetColumnType type)
{
    switch (type) {
    case jtBoolean:
    case jtByte:
    case jtInteger:
    case jtLong:
        return "INTEGER";
    case jtBigInt:
        return "INTEGER";
    case jtSingle:
    case jtDouble:
        return "REAL";
    case jtCurrency:
    case jtNumeric:
        // No affinity: an exact value kept as text stays text (see LoadTable).
        return "";
    case jtDateTime:
        return "DATETIME";
    case jtBinary:
    case jtOle:
        return "BLOB";
    default:
        return "TEXT";
    }
}

// Jet compares object names without regard to letter case, accented letters included.
bool SameName(std::string_view a, std::string_view b)
{
    static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    if (base::SameText(a, b))
        return true;
    if (!utf8)
        return false;
    std::u32string x = base::Utf8ToUtf32(a), y = base::Utf8ToUtf32(b);
    if (x.size() != y.size())
        return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (towlower_l(wint_t(x[i]), utf8) != towlower_l(wint_t(y[i]), utf8))
            return false;
    }
    return true;
}

// The code page of Jet 3 text: the header's, unless XMLEXPORT_JET3_CODEPAGE names another
// (for files whose header is wrong, say GBK text under a header that says 1252).
uint16_t Jet3CodePage(uint16_t header)
{
    char const* env = std::getenv("XMLEXPORT_JET3_CODEPAGE");
    int64_t value = 0;
    if (env && base::TryStrToInt(base::Trim(env), value) && value > 0 && value < 65536)
        return uint16_t(value);
    return header ? header : 1252;
}

// The bytes a calculated column's stored result adds to the result itself.
constexpr int CalculatedExtra = 23;

// Currency values of less than 2^32 in magnitude (in ten-thousandths) are copied as doubles
// without a detour through their text (see BindField).
constexpr int64_t CurrencyAsDouble = int64_t(1) << 32 << 13; // 2^32 * 8192 < 2^32 * 10000
}

struct TAccessDatabase::TImpl {
    MdbHandle* Mdb = nullptr;
    std::string Image; // a decrypted ACE file; libmdb reads from it
    TJetFormat Format;
    uint32_t PageCount = 0;
    std::string CorruptText;
    std::string DamagedText; // "The database '<file>' is damaged: "
    bool CollationWarned = false;
    uint16_t CodePage = 1252; // of Jet 3 text
    struct TEntry {
        std::string Name;
        int Type = 0;
        int Flags = 0;
        uint32_t Page = 0;
        std::vector<std::string> Required; // columns with the "Required" property
        std::vector<TJetColumnProperties> Properties; // of the columns, from LvProp
    };
    std::vector<TEntry> Catalog;

    int File = -1; // a plain file's own descriptor, for reading pages without libmdb

    ~TImpl()
    {
        if (Mdb)
            mdb_close(Mdb);
        if (File >= 0)
            ::close(File);
    }

    // The page as libmdb gives it (decoded where the file is encoded). A plain file is read
    // straight into `bytes`: a table copy reads every page, and libmdb's reads seek, stat
    // and copy for each.
    bool ReadPage(uint32_t page, std::string& bytes)
    {
        if (page >= PageCount)
            return false;
        if (File >= 0) {
            bytes.resize(Format.PageSize);
            return ::pread(File, bytes.data(), Format.PageSize, off_t(page) * off_t(Format.PageSize))
                == ssize_t(Format.PageSize);
        }
        if (mdb_read_alt_pg(Mdb, page) != ssize_t(Format.PageSize))
            return false;
        bytes.assign(reinterpret_cast<char const*>(Mdb->alt_pg_buf), Format.PageSize);
        return true;
    }

    TJetPageReader Reader()
    {
        return [this](uint32_t page, std::string& bytes) { return ReadPage(page, bytes); };
    }

    // The whole value of a memo or OLE field: inline, on one long-value page, or a chain of them.
    std::string ReadLongValue(uint8_t const* field, size_t fieldSize)
    {
        std::string storage;
        return std::string(LongValue(field, fieldSize, storage));
    }

    // The same without a copy where the value lies in the row: a view of the row's bytes,
    // or of `storage` when the value had to be gathered from other pages.
    std::string_view LongValue(uint8_t const* field, size_t fieldSize, std::string& storage)
    {
        if (fieldSize < 12)
            throw EDatabaseError(CorruptText);
        uint32_t header = Get32(field);
        size_t length = header & 0x3FFFFFFF;
        uint32_t pointer = Get32(field + 4);
        if (header & 0x80000000) {
            if (12 + length > fieldSize)
                throw EDatabaseError(CorruptText);
            return std::string_view(reinterpret_cast<char const*>(field) + 12, length);
        }
        std::string& value = storage;
        value.clear();
        std::set<uint32_t> seen;
        bool single = header & 0x40000000;
        while (value.size() < length) {
            std::string page;
            std::string_view row;
            unsigned flags = 0;
            if (pointer == 0 || !seen.insert(pointer).second || !ReadPage(pointer >> 8, page)
                || uint8_t(page[0]) != JetDataPage || !JetFindRow(Format, page, pointer & 0xFF, row, flags))
                throw EDatabaseError(CorruptText);
            if (single) {
                if (row.size() < length)
                    throw EDatabaseError(CorruptText);
                value.assign(row.substr(0, length));
                return value;
            }
            if (row.size() < 4)
                throw EDatabaseError(CorruptText);
            pointer = Get32(reinterpret_cast<uint8_t const*>(row.data()));
            value.append(row.substr(4, std::min(row.size() - 4, length - value.size())));
            if (pointer == 0 && value.size() < length)
                throw EDatabaseError(CorruptText);
        }
        return value;
    }

    // The catalog entry of the table; a saved query, a linked table or an unknown name is an
    // error naming it.
    TEntry const& FindTable(std::string_view utf8Name, std::string const& quotedName) const
    {
        TEntry const* entry = nullptr;
        for (auto const& e : Catalog) {
            if (!SameName(e.Name, utf8Name))
                continue;
            if (e.Type == MDB_QUERY)
                throw EDatabaseError("The statement names the saved query " + quotedName
                    + ", which this engine cannot run; name a table instead.");
            if (e.Type == MDB_LINKED_TABLE)
                throw EDatabaseError("The statement names the linked table " + quotedName
                    + ", whose data is not in this database file.");
            if (e.Type == MDB_TABLE)
                entry = &e;
        }
        if (!entry)
            throw EDatabaseError("The Microsoft Jet database engine cannot find the input table or query "
                + quotedName + ". Make sure it exists and that its name is spelled correctly.");

        return *entry;
    }

    // The columns as the copy declares them; a column type this engine cannot read is an
    // error naming it.
    std::vector<TAccessColumn> DescribeColumns(
        TJetTableDef const& def, TEntry const& entry, std::string const& quotedName) const
    {
        std::vector<TAccessColumn> columns;
        for (TJetColumnDef const& raw : def.Columns) {
            std::string name = Format.Jet3()
                ? Text(reinterpret_cast<uint8_t const*>(raw.Name.data()), raw.Name.size())
                : raw.Name;
            std::string columnName = "'" + name + "' of table " + quotedName;
            // An attachment or multi-valued column keeps its values in hidden tables; the copy
            // holds NULL there, and the engine refuses a statement that reads it.
            // A calculated column keeps its last result in the row, wrapped (see BindField),
            // always in the variable part of the row. Its type is the result's type, which
            // the "ResultType" property gives: Access 2010 stores other type bytes in the
            // definition (Integer for a Yes/No result, Decimal for a Single one, Text for a
            // Memo one); later versions store the result's type in both places.
            uint8_t type = raw.Type;
            if (raw.Calculated()) {
                for (TJetColumnProperties const& p : entry.Properties)
                    if (p.ResultType >= 0 && SameName(p.Column, name))
                        type = uint8_t(p.ResultType);
            }
            bool known = (type >= jtBoolean && type <= jtMemo) || type == jtGuid || type == jtNumeric
                || type == jtBigInt || type == jtDateTimeExt || type == jtComplex;
            if (!known)
                throw EDatabaseError("The column " + columnName + " has a type (0x"
                    + base::Format("%02X", unsigned(type)) + ") that this engine cannot read.");
            TAccessColumn c;
            c.Name = name;
            c.Type = TJetColumnType(type);
            if (c.Type == jtText && raw.Calculated())
                c.Size = raw.Length > CalculatedExtra ? (raw.Length - CalculatedExtra) / 2 : 255;
            else if (c.Type == jtText)
                c.Size = Format.Jet3() ? raw.Length : raw.Length / 2;
            else if (c.Type == jtBinary)
                c.Size = raw.Length;
            if (c.Type == jtNumeric && raw.Calculated()) {
                // Each calculated Decimal carries its own scale; the column takes the
                // largest the rows hold (see BindField).
                c.Precision = 28;
                c.Scale = 0;
            } else if (c.Type == jtNumeric) {
                c.Precision = raw.Precision;
                c.Scale = raw.Scale;
            }
            c.AutoNumber = raw.AutoNumber();
            bool required = false;
            for (std::string const& n : entry.Required)
                required = required || SameName(n, c.Name);
            for (uint16_t number : def.PrimaryKey)
                c.PrimaryKey = c.PrimaryKey || number == raw.Number;
            c.Nullable
                = raw.Calculated() || (!required && c.Type != jtBoolean && !c.AutoNumber && !c.PrimaryKey);
            columns.push_back(c);
        }

        return columns;
    }

    // A calculated column's stored result: 16 bytes, the result's length (4), the result, 3
    // bytes. An empty result is a NULL one, except for text, which may be empty.
    void UnwrapCalculated(TJetField& f, TAccessColumn const& c) const
    {
        if (f.Bytes.size() < 20)
            throw EDatabaseError(CorruptText);
        size_t length = Get32(reinterpret_cast<uint8_t const*>(f.Bytes.data()) + 16);
        if (length > f.Bytes.size() - 20)
            throw EDatabaseError(CorruptText);
        f.Bytes = f.Bytes.substr(20, length);
        f.Null = length == 0 && c.Type != jtText && c.Type != jtMemo;
    }

    // The decimal text of a calculated Decimal result, with its own scale.
    std::string CalculatedNumeric(TJetField f, TAccessColumn const& c, int& scale) const
    {
        UnwrapCalculated(f, c);
        std::string text;
        scale = 0;
        if (!f.Null && !FormatJetCalculatedNumeric(f.Bytes, text, scale))
            throw EDatabaseError(CorruptText);
        return text;
    }

    // Each calculated Decimal result carries its own scale; the column takes the largest
    // of its rows, so that every value keeps its digits in the copy and the XML.
    void WidenCalculatedScales(TJetTableDef const& def, std::vector<TAccessColumn>& columns)
    {
        std::vector<size_t> calculated;
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].Type == jtNumeric && def.Columns[i].Calculated())
                calculated.push_back(i);
        if (calculated.empty())
            return;
        ForEachRow(def, [&](std::vector<TJetField> const& fields) {
            for (size_t i : calculated) {
                int scale = 0;
                if (!fields[i].Null)
                    CalculatedNumeric(fields[i], columns[i], scale);
                columns[i].Scale = std::max(columns[i].Scale, scale);
            }
        });
    }

    // Binds one field of a cracked row to parameter p of the insert statement, converted to
    // the form the copy keeps for the column's type. quotedName names the table in errors.
    // Text is made in `buffer` (one per parameter, reused from row to row) and bound without a
    // copy: the buffers, and the page the row lies on, outlive the statement's next step.
    void BindField(sqlite3_stmt* s, int p, TAccessColumn const& c, TJetColumnDef const& raw, TJetField f,
        std::string const& quotedName, std::string& buffer)
    {
        // A long result (memo) is wrapped inside its long value instead.
        bool calculated = raw.Calculated() && !f.Null;
        if (calculated && c.Type != jtMemo && c.Type != jtOle)
            UnwrapCalculated(f, c);
        if (c.Type == jtBoolean && raw.Calculated()) {
            // Not kept in the null mask: one byte, 0 for No.
            if (f.Null)
                sqlite3_bind_null(s, p);
            else
                sqlite3_bind_int(s, p, f.Bytes.empty() || f.Bytes[0] == 0 ? 0 : -1);
            return;
        }
        if (c.Type == jtBoolean) {
            // The null mask holds the value (a field missing from an older row is No).
            // Jet's True is -1, and so is the copy's.
            sqlite3_bind_int(s, p, f.Null ? 0 : -1);
            return;
        }
        if (f.Null) {
            sqlite3_bind_null(s, p);
            return;
        }
        auto const* v = reinterpret_cast<uint8_t const*>(f.Bytes.data());
        size_t n = f.Bytes.size();
        auto need = [&](size_t bytes) {
            if (n < bytes)
                throw EDatabaseError(CorruptText);
        };
        // SQLite would turn NaN into NULL silently; such a value is refused by name.
        auto notANumber = [&](bool finite) {
            if (!finite)
                throw EDatabaseError("The column '" + c.Name + "' of table " + quotedName
                    + " holds a value that is not a finite number.");
        };
        // An exact decimal goes in as a double when the double gives the same digits back,
        // otherwise as its text, which the XML writer copies digit for digit.
        auto bindExact = [&](std::string const& text, int scale) {
            double x = 0;
            std::from_chars(text.data(), text.data() + text.size(), x);
            // to_chars in fixed form with a precision is printf's %.<scale>f.
            char back[400];
            auto end = std::to_chars(back, back + sizeof back, x, std::chars_format::fixed, scale).ptr;
            if (std::string_view(back, size_t(end - back)) == text)
                sqlite3_bind_double(s, p, x);
            else
                sqlite3_bind_text(s, p, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
        };
        switch (c.Type) {
        case jtByte:
            need(1);
            sqlite3_bind_int(s, p, v[0]);
            break;
        case jtInteger:
            need(2);
            sqlite3_bind_int(s, p, int16_t(v[0] | v[1] << 8));
            break;
        case jtLong:
            need(4);
            sqlite3_bind_int64(s, p, int32_t(Get32(v)));
            break;
        case jtBigInt:
            need(8);
            sqlite3_bind_int64(s, p, int64_t(uint64_t(Get32(v)) | uint64_t(Get32(v + 4)) << 32));
            break;
        case jtCurrency: {
            need(8);
            int64_t units = int64_t(uint64_t(Get32(v)) | uint64_t(Get32(v + 4)) << 32);
            // Below 2^32 the double nearest units / 10000 (which the division gives, both
            // operands exact) is off by less than half a ten-thousandth: its four places give
            // the same digits back, as bindExact would find.
            if (units > -CurrencyAsDouble && units < CurrencyAsDouble)
                sqlite3_bind_double(s, p, double(units) / 10000.0);
            else
                bindExact(FormatJetCurrency(units), 4);
            break;
        }
        case jtSingle:
        case jtDouble: {
            double x;
            if (c.Type == jtSingle) {
                need(4);
                float f;
                std::memcpy(&f, v, 4);
                x = f;
            } else {
                need(8);
                std::memcpy(&x, v, 8);
            }
            notANumber(std::isfinite(x));
            sqlite3_bind_double(s, p, x);
            break;
        }
        case jtDateTime: {
            need(8);
            double x;
            std::memcpy(&x, v, 8);
            buffer.clear();
            if (!AppendJetDate(buffer, x))
                throw EDatabaseError("The column '" + c.Name + "' of table " + quotedName
                    + " holds a date outside the years 1 to 9999.");
            sqlite3_bind_text(s, p, buffer.data(), int(buffer.size()), SQLITE_STATIC);
            break;
        }
        case jtDateTimeExt: {
            std::string text;
            if (!FormatJetDateTimeExt(f.Bytes, text))
                throw EDatabaseError("The column '" + c.Name + "' of table " + quotedName
                    + " holds a Date/Time Extended value that cannot be read.");
            sqlite3_bind_text(s, p, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        case jtGuid: {
            need(16);
            std::string text = FormatJetGuid(v);
            sqlite3_bind_text(s, p, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        case jtNumeric: {
            if (raw.Calculated()) {
                // Already unwrapped; padded to the column's scale (WidenCalculatedScales).
                std::string text;
                int scale = 0;
                if (!FormatJetCalculatedNumeric(f.Bytes, text, scale))
                    throw EDatabaseError(CorruptText);
                if (scale < c.Scale)
                    text += (scale == 0 ? "." : "") + std::string(size_t(c.Scale - scale), '0');
                bindExact(text, c.Scale);
                break;
            }
            need(17);
            std::string text = FormatJetNumeric(v, c.Scale);
            int64_t whole;
            if (c.Scale == 0 && base::TryStrToInt(text, whole))
                sqlite3_bind_int64(s, p, whole);
            else
                bindExact(text, c.Scale);
            break;
        }
        case jtBinary:
            sqlite3_bind_blob(s, p, n ? v : reinterpret_cast<uint8_t const*>(""), int(n), SQLITE_STATIC);
            break;
        case jtText:
            buffer.clear();
            AppendText(buffer, v, n);
            sqlite3_bind_text(s, p, buffer.data(), int(buffer.size()), SQLITE_STATIC);
            break;
        case jtMemo:
        case jtOle: {
            need(12);
            std::string_view value = LongValue(v, n, LongStorage);
            if (calculated) {
                TJetField inner { false, value };
                UnwrapCalculated(inner, c);
                value = inner.Bytes;
            }
            if (c.Type == jtOle) {
                buffer.assign(value);
                sqlite3_bind_blob(s, p, buffer.data(), int(buffer.size()), SQLITE_STATIC);
            } else {
                buffer.clear();
                AppendText(buffer, reinterpret_cast<uint8_t const*>(value.data()), value.size());
                sqlite3_bind_text(s, p, buffer.data(), int(buffer.size()), SQLITE_STATIC);
            }
            break;
        }
        default:
            sqlite3_bind_null(s, p);
            break;
        }
    }

    // "The database '<file>' is damaged: table '<name>', <where>: <what>."
    [[noreturn]] void Damaged(uint32_t tdefPage, std::string const& where, std::string const& what) const
    {
        std::string table = "MSysObjects";
        for (auto const& e : Catalog)
            if (e.Page == tdefPage && e.Type == MDB_TABLE)
                table = e.Name;
        throw EDatabaseError(DamagedText + "table '" + table + "', " + where + ": " + what + ".");
    }

    // Calls visit with the fields of every live row of the table: pages in the usage map's
    // order, rows in each page's order. Every data page of the table is checked against the
    // definition before its rows are cracked, and the rows read against the count the
    // definition records: a page that does not hold, or fewer rows than recorded (a page of
    // the map that is no longer a data page of the table), stop the read with an error naming
    // the table and the page, never with a short result.
    void ForEachRow(TJetTableDef const& def, std::function<void(std::vector<TJetField> const&)> const& visit)
    {
        std::string page;
        std::vector<TJetField> fields;
        std::vector<uint32_t> others; // pages of the map that are not data pages of the table
        uint64_t read = 0;
        for (uint32_t p : JetUsageMapPages(Format, Reader(), PageCount, def.UsageMap, CorruptText)) {
            std::string where = "page " + std::to_string(p);
            if (!ReadPage(p, page))
                Damaged(def.Page, where, "the page cannot be read");
            if (!JetIsDataPageOf(page, def.Page)) {
                // A map may mark pages the table gave up; only missing rows make them damage.
                others.push_back(p);
                continue;
            }
            if (!JetRowsValid(Format, page, def))
                Damaged(def.Page, where, "its row offsets or row layout do not hold");
            unsigned rows = JetRowCount(Format, page);
            for (unsigned row = 0; row < rows; ++row) {
                std::string_view bytes;
                unsigned flags = 0;
                if (!JetFindRow(Format, page, row, bytes, flags))
                    Damaged(def.Page, where, "row " + std::to_string(row) + " lies outside the page");
                if (!JetLiveRow(flags))
                    continue; // read where the moved row lies
                if (!JetCrackRow(Format, bytes, def, fields))
                    Damaged(def.Page, where, "row " + std::to_string(row) + " does not hold its columns");
                visit(fields);
                ++read;
            }
        }
        // More rows than recorded is a count left stale (real Access files have it); fewer
        // is rows lost.
        if (read < def.RowCount) {
            std::string what = std::to_string(read) + " rows were read where its definition records "
                + std::to_string(def.RowCount);
            std::string where = "definition page " + std::to_string(def.Page);
            if (!others.empty()) {
                where = others.size() == 1 ? "page " : "pages ";
                for (size_t i = 0; i < others.size() && i < 10; ++i)
                    where += (i ? ", " : "") + std::to_string(others[i]);
                where += others.size() > 10 ? ", ..." : "";
                what += " (not data pages of the table)";
            }
            Damaged(def.Page, where, what);
        }
    }

    std::string Text(uint8_t const* bytes, size_t size) const
    {
        return Format.Jet3() ? DecodeJet3Text(bytes, size, CodePage) : DecodeJet4Text(bytes, size);
    }

    void AppendText(std::string& out, uint8_t const* bytes, size_t size) const
    {
        if (Format.Jet3())
            out += DecodeJet3Text(bytes, size, CodePage);
        else
            AppendJet4Text(out, bytes, size);
    }

    std::string LongStorage; // a long value gathered from its pages, while its row is bound
};

TAccessDatabase::TAccessDatabase(std::string const& fileName, std::string_view password)
    : FFileName(fileName)
    , FImpl(std::make_unique<TImpl>())
{
    std::string systemPath = base::ToSystemPath(fileName);
    std::string page0;
    {
        FILE* file = std::fopen(systemPath.c_str(), "rb");
        if (!file)
            throw EDatabaseError("Could not find file '" + fileName + "'.");
        page0.resize(4096);
        page0.resize(std::fread(page0.data(), 1, page0.size(), file));
        std::fclose(file);
    }
    FHeader = DecodeJetHeader(page0, fileName);
    CheckJetPassword(FHeader, password);

    std::string corrupt = "Unrecognized database format '" + fileName + "'.";
    int64_t size = base::FileSize(fileName);
    TImpl& d = *FImpl;
    d.CorruptText = corrupt;
    d.DamagedText = "The database '" + fileName + "' is damaged: ";
    d.Format.Version = FHeader.Version;
    d.Format.PageSize = size_t(FHeader.PageSize);
    d.CodePage = Jet3CodePage(FHeader.CodePage);
    if (size < 3 * FHeader.PageSize || size % FHeader.PageSize != 0 || size / FHeader.PageSize > 0xFFFFFF)
        throw EDatabaseError(corrupt);
    d.PageCount = uint32_t(size / FHeader.PageSize);

    if (FHeader.IsEncryptedAce()) {
        // Decrypted in memory only; libmdb reads the image through a memory stream.
        d.Image = DecryptAceImage(base::ReadFileBytes(fileName), FHeader, password, fileName);
        d.Mdb = mdb_open_buffer(d.Image.data(), d.Image.size(), MDB_NOFLAGS);
    } else {
        d.Mdb = mdb_open(systemPath.c_str(), MDB_NOFLAGS);
        // libmdb decodes the pages of an encoded file (a key in the header); others are
        // read as they lie.
        if (FHeader.DbKey == 0)
            d.File = ::open(systemPath.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (!d.Mdb)
        throw EDatabaseError(corrupt);
    // The system catalog is a table like any other: check it before libmdb scans it.
    TJetTableDef catalog = ReadJetTableDef(d.Format, d.Reader(), d.PageCount, 2, corrupt);
    // The catalog is read here rather than by libmdb, whose parser of the property blobs
    // (LvProp) trusts every length in them. libmdb gets entries without properties.
    auto columnOf = [&](char const* name) {
        for (size_t i = 0; i < catalog.Columns.size(); ++i)
            if (base::SameText(catalog.Columns[i].Name, name))
                return int(i);
        throw EDatabaseError(corrupt);
    };
    int idAt = columnOf("Id"), nameAt = columnOf("Name"), typeAt = columnOf("Type"),
        flagsAt = columnOf("Flags");
    int propsAt = -1;
    for (size_t i = 0; i < catalog.Columns.size(); ++i)
        if (base::SameText(catalog.Columns[i].Name, "LvProp"))
            propsAt = int(i);
    d.ForEachRow(catalog, [&](std::vector<TJetField> const& fields) {
        auto const& id = fields[size_t(idAt)];
        auto const& name = fields[size_t(nameAt)];
        auto const& type = fields[size_t(typeAt)];
        if (id.Null || name.Null || type.Null || id.Bytes.size() < 4 || type.Bytes.size() < 2)
            return;
        {
            auto const* raw = reinterpret_cast<uint8_t const*>(name.Bytes.data());
            TImpl::TEntry e;
            e.Name = d.Text(raw, name.Bytes.size());
            e.Type = int16_t(uint8_t(type.Bytes[0]) | uint8_t(type.Bytes[1]) << 8) & 0x7F;
            auto const& flagsField = fields[size_t(flagsAt)];
            e.Flags = flagsField.Null || flagsField.Bytes.size() < 4
                ? 0
                : int(Get32(reinterpret_cast<uint8_t const*>(flagsField.Bytes.data())));
            e.Page = Get32(reinterpret_cast<uint8_t const*>(id.Bytes.data())) & 0x00FFFFFF;
            if (propsAt >= 0 && !fields[size_t(propsAt)].Null) {
                auto const& props = fields[size_t(propsAt)];
                std::string blob = d.ReadLongValue(
                    reinterpret_cast<uint8_t const*>(props.Bytes.data()), props.Bytes.size());
                e.Required = JetRequiredColumns(d.Format, blob);
                e.Properties = JetColumnProperties(d.Format, blob);
            }
            d.Catalog.push_back(std::move(e));
        }
    });
}

TAccessDatabase::~TAccessDatabase() = default;

TAccessDatabase::TObjectKind TAccessDatabase::FindObject(
    std::string_view utf8Name, std::string* exactName) const
{
    TObjectKind found = TObjectKind::None;
    for (auto const& e : FImpl->Catalog) {
        if (!SameName(e.Name, utf8Name))
            continue;
        TObjectKind kind = e.Type == MDB_TABLE ? TObjectKind::Table
            : e.Type == MDB_QUERY              ? TObjectKind::Query
            : e.Type == MDB_LINKED_TABLE       ? TObjectKind::LinkedTable
                                               : TObjectKind::Other;
        // A name can belong to a table and, say, a form; the table is what SQL means.
        if (found == TObjectKind::None || kind == TObjectKind::Table || kind == TObjectKind::Query
            || kind == TObjectKind::LinkedTable) {
            if (found == TObjectKind::Table)
                continue;
            found = kind;
            if (exactName)
                *exactName = e.Name;
        }
    }
    return found;
}

std::vector<std::string> TAccessDatabase::TableNames() const
{
    std::vector<std::string> names;
    for (auto const& e : FImpl->Catalog) {
        if (e.Type == MDB_TABLE && !(uint32_t(e.Flags) & 0x80000002u) && !e.Name.empty() && e.Name[0] != '~')
            names.push_back(e.Name);
    }
    return names;
}

TAccessTable TAccessDatabase::LoadTable(
    sqlite3* db, std::string_view utf8Name, std::string const& schema, std::string const& targetName)
{
    TImpl& d = *FImpl;
    std::string quotedName = std::string("'").append(utf8Name).append("'");
    TImpl::TEntry const& entry = d.FindTable(utf8Name, quotedName);
    TJetTableDef def = ReadJetTableDef(d.Format, d.Reader(), d.PageCount, entry.Page,
        d.DamagedText + "table " + quotedName + ", definition page " + std::to_string(entry.Page)
            + ": the definition or its usage map does not hold.");
    // Columns in the order of their numbers, as Jet presents them; the definition need not
    // list them in that order (it does not after a column was inserted).
    std::stable_sort(def.Columns.begin(), def.Columns.end(),
        [](TJetColumnDef const& a, TJetColumnDef const& b) { return a.Number < b.Number; });

    TAccessTable table;
    table.Name = targetName.empty() ? entry.Name : targetName;
    table.Columns = d.DescribeColumns(def, entry, quotedName);
    d.WidenCalculatedScales(def, table.Columns);

    // Text compares as Jet compares it in this database: its sort order, case ignored.
    std::string fallback;
    RegisterJetCollation(db, FHeader.SortOrder, &fallback);
    if (!fallback.empty() && !d.CollationWarned) {
        d.CollationWarned = true;
        std::fprintf(stderr, "%s\n", fallback.c_str());
    }
    // A primary key of one Byte, Integer or Long column becomes the SQLite table's INTEGER
    // PRIMARY KEY (its rowid): a statement that reads the table in key order then seeks each
    // page instead of sorting a copy. Jet keeps such a key unique and never NULL; a row that
    // breaks this (a damaged file) loads the table again without the key.
    std::optional<size_t> key;
    if (def.PrimaryKey.size() == 1)
        for (size_t i = 0; i < table.Columns.size(); ++i) {
            TJetColumnType type = table.Columns[i].Type;
            if (table.Columns[i].PrimaryKey && !def.Columns[i].Calculated()
                && (type == jtByte || type == jtInteger || type == jtLong))
                key = i;
        }
    std::string target = QuoteSqliteName(schema) + "." + QuoteSqliteName(table.Name);
    auto createSql = [&](bool keyed) {
        std::string create = "CREATE TABLE " + target + " (";
        for (size_t i = 0; i < table.Columns.size(); ++i) {
            TJetColumnType type = table.Columns[i].Type;
            create += (i ? ", " : "") + QuoteSqliteName(table.Columns[i].Name) + " " + DeclaredType(type);
            if (keyed && key == i)
                create += " PRIMARY KEY";
            if (type == jtText || type == jtMemo)
                create += std::string(" COLLATE ") + JetCollationName;
        }
        return create + ")";
    };
    std::string insert = "INSERT INTO " + target + " VALUES (";
    for (size_t i = 0; i < table.Columns.size(); ++i)
        insert += i ? ", ?" : "?";
    insert += ")";
    // The table is created inside the transaction: a load that fails leaves no table behind
    // that a later statement would take for an empty one.
    bool ownTransaction = sqlite3_get_autocommit(db);
    if (ownTransaction)
        Exec(db, "BEGIN");
    try {
        // Returns false, with nothing loaded, when a keyed load meets a NULL or repeated key.
        auto load = [&](bool keyed) {
            Exec(db, createSql(keyed));
            TSqliteStatement statement = Prepare(db, insert);
            sqlite3_stmt* s = statement.Get();
            table.RowCount = 0;
            bool broken = false;
            // A row written before columns were added lacks them; one written before columns
            // were deleted carries their slots: both are cracked by column number. Every
            // parameter is bound for every row, so no binding outlives its row.
            std::vector<std::string> buffers(table.Columns.size());
            d.ForEachRow(def, [&](std::vector<TJetField> const& fields) {
                if (broken)
                    return;
                if (keyed && fields[*key].Null) {
                    broken = true;
                    return;
                }
                for (size_t i = 0; i < table.Columns.size(); ++i)
                    d.BindField(
                        s, int(i) + 1, table.Columns[i], def.Columns[i], fields[i], quotedName, buffers[i]);
                int rc = sqlite3_step(s);
                sqlite3_reset(s);
                if (keyed && (rc & 0xFF) == SQLITE_CONSTRAINT) {
                    broken = true;
                    return;
                }
                if (rc != SQLITE_DONE)
                    throw EDatabaseError(SqliteErrorText(db));
                ++table.RowCount;
            });
            if (broken) {
                statement = {};
                Exec(db, "DROP TABLE " + target);
            }
            return !broken;
        };
        if (!key || !load(true))
            load(false);

        if (ownTransaction)
            Exec(db, "COMMIT");
    } catch (...) {
        if (ownTransaction)
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return table;
}

namespace {
// One row of a system table: its fields by column name, decoded as numbers or text.
template <class TImplT> struct TSystemRow {
    TImplT& D;
    std::vector<TJetField> const& Fields;
    std::vector<std::string> const& Names;
    std::vector<uint8_t> const& Types;

    TJetField const* Find(char const* name) const
    {
        for (size_t i = 0; i < Names.size(); ++i)
            if (base::SameText(Names[i], name))
                return Fields[i].Null ? nullptr : &Fields[i];
        return nullptr;
    }
    uint8_t TypeOf(TJetField const* f) const { return Types[size_t(f - Fields.data())]; }
    bool Null(char const* name) const { return !Find(name); }
    int64_t Number(char const* name) const
    {
        TJetField const* f = Find(name);
        if (!f)
            return 0;
        auto const* v = reinterpret_cast<uint8_t const*>(f->Bytes.data());
        size_t n = f->Bytes.size();
        switch (TypeOf(f)) {
        case jtByte:
            return n >= 1 ? v[0] : 0;
        case jtInteger:
            return n >= 2 ? int16_t(v[0] | v[1] << 8) : 0;
        case jtLong:
            return n >= 4 ? int32_t(Get32(v)) : 0;
        default:
            return 0;
        }
    }
    // A Text or Memo field's text; "" for NULL.
    std::string Text(char const* name) const
    {
        TJetField const* f = Find(name);
        if (!f)
            return {};
        auto const* v = reinterpret_cast<uint8_t const*>(f->Bytes.data());
        if (TypeOf(f) == jtMemo) {
            std::string value = D.ReadLongValue(v, f->Bytes.size());
            return D.Text(reinterpret_cast<uint8_t const*>(value.data()), value.size());
        }
        return D.Text(v, f->Bytes.size());
    }
};

// Calls visit with every row of the system table defined at tdefPage.
template <class TImplT, class TVisit> void ForEachSystemRow(TImplT& d, uint32_t tdefPage, TVisit const& visit)
{
    TJetTableDef def = ReadJetTableDef(d.Format, d.Reader(), d.PageCount, tdefPage, d.CorruptText);
    std::vector<std::string> names;
    std::vector<uint8_t> types;
    for (auto const& c : def.Columns) {
        names.push_back(d.Format.Jet3()
                ? d.Text(reinterpret_cast<uint8_t const*>(c.Name.data()), c.Name.size())
                : c.Name);
        types.push_back(c.Type);
    }
    d.ForEachRow(def, [&](std::vector<TJetField> const& fields) {
        visit(TSystemRow<TImplT> { d, fields, names, types });
    });
}
constexpr uint32_t CatalogPage = 2; // MSysObjects' definition
}

std::vector<TJetQueryRow> TAccessDatabase::SavedQueryRows(std::string_view utf8Name) const
{
    TImpl& d = *FImpl;
    // The query's id in the catalog, then its rows in MSysQueries.
    std::optional<int64_t> id;
    ForEachSystemRow(d, CatalogPage, [&](auto const& row) {
        if (!id && row.Number("Type") == MDB_QUERY && SameName(row.Text("Name"), utf8Name))
            id = row.Number("Id");
    });
    TImpl::TEntry const* queries = nullptr;
    for (auto const& e : d.Catalog)
        if (e.Type == MDB_TABLE && base::SameText(e.Name, "MSysQueries"))
            queries = &e;
    std::vector<TJetQueryRow> rows;
    if (!id || !queries)
        return rows;
    ForEachSystemRow(d, queries->Page, [&](auto const& row) {
        if (row.Number("ObjectId") != *id)
            return;
        TJetQueryRow q;
        q.Attribute = int(row.Number("Attribute"));
        q.Flag = int(row.Number("Flag"));
        q.Name1 = row.Text("Name1");
        q.Name2 = row.Text("Name2");
        q.HasExpression = !row.Null("Expression");
        q.Expression = row.Text("Expression");
        rows.push_back(std::move(q));
    });
    return rows;
}

std::optional<TAccessLink> TAccessDatabase::LinkOf(std::string_view utf8Name) const
{
    std::optional<TAccessLink> link;
    ForEachSystemRow(*FImpl, CatalogPage, [&](auto const& row) {
        // The type without the 0x7F mask: a report (-32764) is not an ODBC link (4).
        int64_t type = row.Number("Type");
        if (link || (type != 4 && type != MDB_LINKED_TABLE) || !SameName(row.Text("Name"), utf8Name))
            return;
        link = TAccessLink { int(type), row.Text("Database"), row.Text("ForeignName"), row.Text("Connect") };
    });
    return link;
}

} // namespace xe::db
