#include "platform/db/XmlWriter.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/base/TextFormat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace xe::db {

using xe::base::EDatabaseError;
using xe::base::Format;

void AppendXmlEscaped(std::string& out, std::string_view s)
{
    static char const replacement[] = "\xEF\xBF\xBD";
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        if (c < 0x80) {
            switch (c) {
            case '&':
                out += "&#x26;";
                break;
            case '<':
                out += "&#x3c;";
                break;
            case '>':
                out += "&#x3e;";
                break;
            case '\'':
                out += "&#x27;";
                break;
            case '"':
                out += "&#x22;";
                break;
            case '\t':
                out += "&#x9;";
                break;
            case '\r':
                out += "&#xd;";
                break;
            case '\n':
                out += "&#xa;";
                break;
            default:
                if (c < 0x20)
                    out += replacement;
                else
                    out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        // A well-formed UTF-8 sequence is copied; anything else becomes U+FFFD.
        size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
        if (c > 0xF4)
            len = 0;
        char32_t cp = len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
        bool ok = len != 0 && i + len <= s.size();
        for (size_t k = 1; ok && k < len; ++k) {
            unsigned char cc = s[i + k];
            if ((cc & 0xC0) != 0x80)
                ok = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (ok
            && ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))
                || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF))
            ok = false;
        if (ok) {
            out.append(s.substr(i, len));
            i += len;
        } else {
            out += replacement;
            ++i;
        }
    }
}

namespace {

bool IsPlainIdentifier(std::string_view n)
{
    if (n.empty() || !(std::isalpha(static_cast<unsigned char>(n[0])) || n[0] == '_'))
        return false;
    for (char ch : n)
        if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '_')
            || static_cast<unsigned char>(ch) >= 0x80)
            return false;
    return true;
}

std::string Lower(std::string_view s) { return xe::base::LowerCase(s); }

} // namespace

std::vector<std::string> XmlAttributeNames(std::vector<TXmlColumn> const& columns)
{
    std::vector<std::string> names;
    std::vector<std::string> taken; // lower case
    auto isTaken = [&](std::string const& n) {
        for (auto const& t : taken)
            if (t == Lower(n))
                return true;
        return false;
    };
    // Plain, first-seen names keep themselves; aliases are chosen after, so that an alias
    // never collides with a real column called like it.
    std::vector<bool> plain(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        plain[i] = IsPlainIdentifier(columns[i].Name) && !isTaken(columns[i].Name);
        if (plain[i])
            taken.push_back(Lower(columns[i].Name));
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (plain[i]) {
            names.push_back(columns[i].Name);
            continue;
        }
        std::string alias = "c";
        alias += std::to_string(i);
        while (isTaken(alias))
            alias += "_";
        taken.push_back(Lower(alias));
        names.push_back(alias);
    }
    return names;
}

namespace {

struct TTypeFacts {
    char const* DtType;
    char const* DbType; // or nullptr
    int MaxLength; // default dt:maxLength
    int Precision; // 0: not written
    bool Fixed;
};

TTypeFacts FactsOf(DataTypeEnum t)
{
    switch (t) {
    case adSmallInt:
        return { "i2", nullptr, 2, 5, true };
    case adInteger:
        return { "int", nullptr, 4, 10, true };
    case adBigInt:
        return { "i8", nullptr, 8, 19, true };
    case adTinyInt:
        return { "i1", nullptr, 1, 3, true };
    case adUnsignedTinyInt:
        return { "ui1", nullptr, 1, 3, true };
    case adSingle:
        return { "r4", nullptr, 4, 7, true };
    case adDouble:
        return { "float", nullptr, 8, 15, true };
    case adCurrency:
        return { "number", "currency", 8, 19, true };
    case adNumeric:
        return { "number", "numeric", 19, 18, true };
    case adDecimal:
        return { "number", "decimal", 16, 18, true };
    case adBoolean:
        return { "boolean", nullptr, 2, 0, true };
    case adDate:
        return { "dateTime", "variantdate", 16, 0, true };
    case adGUID:
        return { "uuid", nullptr, 16, 0, true };
    case adWChar:
        return { "string", nullptr, 255, 0, true };
    case adVarWChar:
        return { "string", nullptr, 255, 0, false };
    case adBinary:
        return { "bin.hex", nullptr, 255, 0, true };
    case adVarBinary:
        return { "bin.hex", nullptr, 510, 0, false };
    case adLongVarBinary:
        return { "bin.hex", nullptr, 1073741823, 0, false };
    case adLongVarWChar:
    case adEmpty:
        break;
    }
    return { "string", nullptr, 536870910, 0, false };
}

bool IsLongType(DataTypeEnum t) { return t == adLongVarWChar || t == adLongVarBinary || t == adEmpty; }

} // namespace

std::string XmlHeader(std::vector<TXmlColumn> const& columns)
{
    std::vector<std::string> names = XmlAttributeNames(columns);
    std::string out = "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
                      "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\r\n"
                      "\txmlns:rs='urn:schemas-microsoft-com:rowset'\r\n"
                      "\txmlns:z='#RowsetSchema'>\r\n"
                      "<s:Schema id='RowsetSchema'>\r\n"
                      "\t<s:ElementType name='row' content='eltOnly' rs:updatable='true'>\r\n";
    for (size_t i = 0; i < columns.size(); ++i) {
        TColumnInfo const& info = columns[i].Info;
        out += "\t\t<s:AttributeType name='" + names[i] + "'";
        if (names[i] != columns[i].Name) {
            out += " rs:name='";
            AppendXmlEscaped(out, columns[i].Name);
            out += "'";
        }
        out += " rs:number='" + std::to_string(i + 1) + "'";
        if (info.Nullable)
            out += " rs:nullable='true'";
        out += " rs:maydefer='true' rs:writeunknown='true'";
        if (!info.BaseTable.empty()) {
            out += " rs:basetable='";
            AppendXmlEscaped(out, info.BaseTable);
            out += "' rs:basecolumn='";
            AppendXmlEscaped(out, info.BaseColumn);
            out += "'";
        }
        if (info.KeyColumn)
            out += " rs:keycolumn='true'";
        if (info.AutoIncrement)
            out += " rs:autoincrement='true'";
        out += ">\r\n";

        TTypeFacts f = FactsOf(info.Type);
        out += std::string("\t\t\t<s:datatype dt:type='") + f.DtType + "'";
        if (f.DbType)
            out += std::string(" rs:dbtype='") + f.DbType + "'";
        bool sized = info.Type == adWChar || info.Type == adVarWChar || info.Type == adBinary
            || info.Type == adVarBinary || IsLongType(info.Type);
        int maxLength = sized && info.Size > 0 ? info.Size : f.MaxLength;
        out += " dt:maxLength='" + std::to_string(maxLength) + "'";
        if (info.Type == adNumeric || info.Type == adDecimal)
            out += " rs:scale='" + std::to_string(info.Scale) + "'";
        if (f.Precision > 0)
            out += " rs:precision='" + std::to_string(info.Precision > 0 ? info.Precision : f.Precision)
                + "'";
        if (f.Fixed || info.FixedLength)
            out += " rs:fixedlength='true'";
        if (IsLongType(info.Type) || info.Long)
            out += " rs:long='true'";
        out += "/>\r\n\t\t</s:AttributeType>\r\n";
    }
    out += "\t\t<s:extends type='rs:rowbase'/>\r\n"
           "\t</s:ElementType>\r\n"
           "</s:Schema>\r\n"
           "<rs:data>\r\n";
    return out;
}

std::string XmlTail() { return "</rs:data>\r\n</xml>"; }

namespace {

std::string_view ValueText(sqlite3_value* v)
{
    auto p = reinterpret_cast<char const*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

std::string_view ValueBlob(sqlite3_value* v)
{
    auto p = static_cast<char const*>(sqlite3_value_blob(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

[[noreturn]] void Misfit(TXmlColumn const& col, sqlite3_value* v, char const* what)
{
    std::string shown;
    switch (sqlite3_value_type(v)) {
    case SQLITE_BLOB:
        shown = "a binary value";
        break;
    default: {
        std::string_view t = ValueText(v);
        shown = "'";
        shown += xe::base::Utf8ToAnsi(t.substr(0, 40));
        shown += t.size() > 40 ? "...'" : "'";
    }
    }
    throw EDatabaseError(Format("The value %s of field '%s' cannot be written as %s.", shown.c_str(),
        xe::base::Utf8ToAnsi(col.Name).c_str(), what));
}

// Integral value of an integer, an integral double or a text holding one.
bool IntegralValue(sqlite3_value* v, int64_t& out)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        out = sqlite3_value_int64(v);
        return true;
    case SQLITE_FLOAT: {
        double d = sqlite3_value_double(v);
        if (d != std::floor(d) || !(std::fabs(d) < 9.2e18))
            return false;
        out = static_cast<int64_t>(d);
        return true;
    }
    case SQLITE_TEXT:
        return xe::base::TryStrToInt(xe::base::Trim(ValueText(v)), out);
    default:
        return false;
    }
}

bool NumericValue(sqlite3_value* v, double& out)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        out = static_cast<double>(sqlite3_value_int64(v));
        return true;
    case SQLITE_FLOAT:
        out = sqlite3_value_double(v);
        return true;
    case SQLITE_TEXT: {
        std::string s = xe::base::Trim(ValueText(v));
        char* end = nullptr;
        out = s.empty() ? 0 : std::strtod(s.c_str(), &end);
        return !s.empty() && *end == 0;
    }
    default:
        return false;
    }
}

// Exactly "yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss", the forms the engines store; false for
// anything else, which the general parser below reads.
bool FastDate(std::string_view t, int& y, int& mo, int& d, int& h, int& mi, int& s)
{
    if (t.size() != 10 && t.size() != 19)
        return false;
    auto digits = [&](size_t at, size_t count, int& value) {
        value = 0;
        for (size_t i = at; i < at + count; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return false;
            value = value * 10 + (t[i] - '0');
        }
        return true;
    };
    if (t[4] != '-' || t[7] != '-' || !digits(0, 4, y) || !digits(5, 2, mo) || !digits(8, 2, d))
        return false;
    h = mi = s = 0;
    return t.size() == 10
        || (t[10] == ' ' && t[13] == ':' && t[16] == ':' && digits(11, 2, h) && digits(14, 2, mi)
            && digits(17, 2, s));
}

// "yyyy-mm-dd[ |T]hh:nn[:ss[.fff]]", "yyyy-mm-dd", "hh:nn[:ss]", a real Julian day number or
// integer Unix seconds (SQLite's numeric date forms) as "yyyy-mm-ddThh:nn:ss", appended to
// out; false (and nothing appended) for anything else.
bool DateValue(sqlite3_value* v, std::string& out)
{
    int y = 1899, mo = 12, d = 30, h = 0, mi = 0, s = 0;
    if (sqlite3_value_type(v) == SQLITE_INTEGER || sqlite3_value_type(v) == SQLITE_FLOAT) {
        // SQLite's conventions: an integer counts Unix seconds, a real is a Julian day.
        double jd = sqlite3_value_type(v) == SQLITE_INTEGER
            ? static_cast<double>(sqlite3_value_int64(v)) / 86400.0 + 2440587.5
            : sqlite3_value_double(v);
        if (!(jd >= 1721059.5 && jd < 5373484.5))
            return false;
        int64_t secs = static_cast<int64_t>(std::floor((jd - 2440587.5) * 86400.0 + 0.5));
        int64_t days = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
        int64_t rem = secs - days * 86400;
        xe::base::TCivilDate date = xe::base::CivilFromDays(days);
        y = static_cast<int>(date.Year), mo = static_cast<int>(date.Month), d = static_cast<int>(date.Day);
        h = static_cast<int>(rem / 3600), mi = static_cast<int>(rem / 60 % 60),
        s = static_cast<int>(rem % 60);
    } else if (sqlite3_value_type(v) == SQLITE_TEXT && FastDate(ValueText(v), y, mo, d, h, mi, s)) {
        // the common "yyyy-mm-dd hh:nn:ss" read without sscanf; checked below like the rest
    } else if (sqlite3_value_type(v) == SQLITE_TEXT) {
        std::string t = xe::base::Trim(ValueText(v));
        int n = 0, consumed = 0;
        if (std::sscanf(t.c_str(), "%4d-%2d-%2d%n", &y, &mo, &d, &consumed) == 3) {
            std::string rest = t.substr(static_cast<size_t>(consumed));
            if (!rest.empty()) {
                if (rest[0] != ' ' && rest[0] != 'T')
                    return false;
                int c2 = 0;
                n = std::sscanf(rest.c_str() + 1, "%2d:%2d%n:%2d%n", &h, &mi, &c2, &s, &c2);
                if (n < 2)
                    return false;
                std::string tail = rest.substr(1 + static_cast<size_t>(c2));
                if (!tail.empty() && tail[0] == '.') {
                    size_t k = 1;
                    while (k < tail.size() && std::isdigit(static_cast<unsigned char>(tail[k])))
                        ++k;
                    tail = tail.substr(k);
                }
                if (!tail.empty() && tail != "Z")
                    return false;
            }
        } else {
            int c2 = 0;
            n = std::sscanf(t.c_str(), "%2d:%2d%n:%2d%n", &h, &mi, &c2, &s, &c2);
            if (n < 2 || static_cast<size_t>(c2) != t.size())
                return false;
        }
    } else {
        return false;
    }
    if (y < 100 || y > 9999 || !xe::base::IsValidDate(y, mo, d) || h > 23 || mi > 59 || s > 59 || h < 0
        || mi < 0 || s < 0)
        return false;
    xe::base::AppendDateTime(out, y, mo, d, h, mi, s, 'T');
    return true;
}

// A text value that is a plain decimal ("-123.4500") with at most `scale` fraction digits:
// the form in which an engine keeps a Currency or Decimal that a double cannot hold. Given
// with exactly `scale` fraction digits. Integers count as well: they are exact.
bool ExactDecimal(sqlite3_value* v, int scale, std::string& out)
{
    std::string s;
    if (sqlite3_value_type(v) == SQLITE_INTEGER)
        s = std::to_string(sqlite3_value_int64(v));
    else if (sqlite3_value_type(v) == SQLITE_TEXT)
        s = xe::base::Trim(ValueText(v));
    else
        return false;
    size_t i = s.empty() || s[0] != '-' ? 0 : 1;
    size_t digits = 0, point = std::string::npos;
    for (size_t k = i; k < s.size(); ++k) {
        if (s[k] == '.' && point == std::string::npos)
            point = k;
        else if (std::isdigit(static_cast<unsigned char>(s[k])))
            ++digits;
        else
            return false;
    }
    if (digits == 0)
        return false;
    std::string whole = s.substr(i, point == std::string::npos ? std::string::npos : point - i);
    std::string fraction = point == std::string::npos ? "" : s.substr(point + 1);
    if (fraction.size() > static_cast<size_t>(std::max(scale, 0)))
        return false; // more digits than the type keeps: rounded through a double as before
    fraction.resize(static_cast<size_t>(std::max(scale, 0)), '0');
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    bool zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
    std::string text(i && !zero ? "-" : "");
    text += whole.empty() ? std::string("0") : whole;
    if (!fraction.empty())
        text.append(".").append(fraction);
    out = std::move(text);
    return true;
}

// Decimal text with all its fraction digits ("-0.2500") as ADO writes the type: Currency
// without trailing zeros (-0.25), Jet's Decimal without the zero before the point (-.2500).
std::string DecimalText(std::string s, DataTypeEnum t)
{
    if (t == adCurrency) {
        if (s.find('.') != std::string::npos) {
            while (s.back() == '0')
                s.pop_back();
            if (s.back() == '.')
                s.pop_back();
        }
        return s == "-0" ? "0" : s;
    }
    if (t == adNumeric) {
        if (s.rfind("0.", 0) == 0)
            s.erase(0, 1);
        else if (s.rfind("-0.", 0) == 0)
            s.erase(1, 1);
    }
    return s;
}

bool IsUtf8(std::string_view s)
{
    size_t i = 0, n = s.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        if (len == 0 || i + len > n)
            return false;
        unsigned char c1 = static_cast<unsigned char>(s[i + 1]);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F) || (c == 0xF0 && c1 < 0x90)
            || (c == 0xF4 && c1 > 0x8F))
            return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += len;
    }
    return true;
}

bool GuidValue(sqlite3_value* v, std::string& out)
{
    std::string hex;
    if (sqlite3_value_type(v) == SQLITE_BLOB) {
        std::string_view b = ValueBlob(v);
        if (b.size() != 16)
            return false;
        // Data1, Data2 and Data3 are stored little-endian.
        static int const order[] = { 3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15 };
        for (int i : order)
            xe::base::AppendHex(hex, b.substr(static_cast<size_t>(i), 1), true);
    } else if (sqlite3_value_type(v) == SQLITE_TEXT) {
        std::string t = xe::base::Trim(ValueText(v));
        if (t.size() == 38 && t.front() == '{' && t.back() == '}')
            t = t.substr(1, 36);
        if (t.size() != 36)
            return false;
        for (size_t i = 0; i < t.size(); ++i) {
            bool dash = i == 8 || i == 13 || i == 18 || i == 23;
            if (dash ? t[i] != '-' : !std::isxdigit(static_cast<unsigned char>(t[i])))
                return false;
            if (!dash)
                hex += static_cast<char>(std::toupper(static_cast<unsigned char>(t[i])));
        }
    } else {
        return false;
    }
    // Built by appending: GCC 12 at -O3 warns (-Wrestrict, wrongly) on "literal" + string.
    std::string text("{");
    text.append(hex, 0, 8).append("-").append(hex, 8, 4).append("-").append(hex, 12, 4);
    text.append("-").append(hex, 16, 4).append("-").append(hex, 20).append("}");
    out = std::move(text);
    return true;
}

// An integer column: the value must be whole and fit the column's size.
void AppendIntegerValue(std::string& out, TXmlColumn const& col, sqlite3_value* v)
{
    DataTypeEnum t = col.Info.Type;
    int64_t i;
    if (!IntegralValue(v, i))
        Misfit(col, v, "an integer");
    int64_t lo = t == adSmallInt ? -32768 : t == adInteger ? INT32_MIN : t == adTinyInt ? -128 : INT64_MIN;
    int64_t hi = t == adSmallInt ? 32767 : t == adInteger ? INT32_MAX : t == adTinyInt ? 127 : INT64_MAX;
    if (t == adUnsignedTinyInt)
        lo = 0, hi = 255;
    if (i < lo || i > hi)
        Misfit(col, v,
            t == adInteger ? "a 32-bit integer (its declared type says 32 bits)" : "an integer of its size");
    xe::base::AppendInt(out, i);
}

// A floating or decimal column. Currency and Decimal keep the exact digits an engine stored
// as text; everything else goes through a double.
void AppendNumberValue(std::string& out, TXmlColumn const& col, sqlite3_value* v)
{
    DataTypeEnum t = col.Info.Type;
    std::string exact;
    if (t != adSingle && t != adDouble && ExactDecimal(v, t == adCurrency ? 4 : col.Info.Scale, exact)) {
        out += DecimalText(exact, t);
        return;
    }
    double d;
    if (!NumericValue(v, d))
        Misfit(col, v, "a number");
    if (!std::isfinite(d))
        Misfit(col, v, "a number (NaN and infinity cannot be saved)");
    if (t == adDouble) {
        if (sqlite3_value_type(v) == SQLITE_INTEGER)
            xe::base::AppendInt(out, sqlite3_value_int64(v));
        else
            xe::base::AppendFloat(out, d, 17, xe::base::TExponentDigits::Fewest);
    } else if (t == adSingle) {
        xe::base::AppendFloat(out, static_cast<float>(d), 8, xe::base::TExponentDigits::Fewest);
    } else {
        // to_chars in fixed form with a precision is printf's %.<scale>f.
        char buf[400];
        auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed,
            t == adCurrency ? 4 : std::min(col.Info.Scale, 38));
        out += DecimalText(std::string(buf, r.ptr), t);
    }
}

void AppendBooleanValue(std::string& out, TXmlColumn const& col, sqlite3_value* v)
{
    double d;
    std::string_view tv = sqlite3_value_type(v) == SQLITE_TEXT ? ValueText(v) : std::string_view();
    if (xe::base::SameText(tv, "true"))
        d = 1;
    else if (xe::base::SameText(tv, "false"))
        d = 0;
    else if (!NumericValue(v, d))
        Misfit(col, v, "a boolean");
    out += d != 0 ? "True" : "False";
}

// A string column (or one of unknown type), which can hold any value.
void AppendTextValue(std::string& out, TXmlColumn const& col, sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_FLOAT) {
        xe::base::AppendFloat(out, sqlite3_value_double(v), 15, xe::base::TExponentDigits::Fewest);
    } else if (sqlite3_value_type(v) == SQLITE_BLOB) {
        xe::base::AppendHex(out, ValueBlob(v), false);
    } else {
        std::string_view text = ValueText(v);
        if (IsUtf8(text)) {
            AppendXmlEscaped(out, text);
        } else {
            // Text an ANSI program wrote into an SQLite file: decoded from the ANSI code
            // page when every byte converts, refused otherwise (never U+FFFD).
            bool lossless = false;
            std::string decoded = xe::base::AnsiToUtf8(text, &lossless);
            if (!lossless || !IsUtf8(decoded))
                Misfit(col, v, "text (it is neither UTF-8 nor text in the ANSI code page)");
            AppendXmlEscaped(out, decoded);
        }
    }
}

void AppendValue(std::string& out, TXmlColumn const& col, sqlite3_value* v)
{
    switch (col.Info.Type) {
    case adSmallInt:
    case adInteger:
    case adBigInt:
    case adTinyInt:
    case adUnsignedTinyInt:
        AppendIntegerValue(out, col, v);
        return;
    case adSingle:
    case adDouble:
    case adCurrency:
    case adNumeric:
    case adDecimal:
        AppendNumberValue(out, col, v);
        return;
    case adBoolean:
        AppendBooleanValue(out, col, v);
        return;
    case adDate:
        if (!DateValue(v, out))
            Misfit(col, v, "a date");
        return;
    case adGUID: {
        std::string s;
        if (!GuidValue(v, s))
            Misfit(col, v, "a GUID");
        out += s;
        return;
    }
    case adBinary:
    case adVarBinary:
    case adLongVarBinary:
        xe::base::AppendHex(out, sqlite3_value_type(v) == SQLITE_BLOB ? ValueBlob(v) : ValueText(v), false);
        return;
    default:
        AppendTextValue(out, col, v);
    }
}

} // namespace

void AppendXmlRow(std::string& out, std::vector<TXmlColumn> const& columns,
    std::vector<std::string> const& attrNames, sqlite3_value** values)
{
    out += "\t<z:row";
    for (size_t i = 0; i < columns.size(); ++i) {
        if (sqlite3_value_type(values[i]) == SQLITE_NULL)
            continue;
        out += ' ';
        out += attrNames[i];
        out += "='";
        AppendValue(out, columns[i], values[i]);
        out += '\'';
    }
    out += "/>\r\n";
}

TColumnInfo ColumnInfoFromDeclType(std::string const& declType)
{
    TColumnInfo info;
    std::string t = xe::base::UpperCase(xe::base::Trim(declType));
    // "NAME(a[,b])" -> base name and the numbers.
    std::string base = t;
    int a = 0, b = 0;
    bool hasA = false, hasB = false;
    size_t paren = t.find('(');
    if (paren != std::string::npos) {
        base = xe::base::Trim(t.substr(0, paren));
        hasA = std::sscanf(t.c_str() + paren + 1, "%d", &a) == 1;
        size_t comma = t.find(',', paren);
        hasB = comma != std::string::npos && std::sscanf(t.c_str() + comma + 1, "%d", &b) == 1;
    }
    auto has = [&](char const* word) { return base.find(word) != std::string::npos; };
    auto is = [&](std::initializer_list<char const*> words) {
        for (char const* w : words)
            if (base == w)
                return true;
        return false;
    };
    if (base.empty()) {
        info.Type = adLongVarWChar;
    } else if (is({ "BOOLEAN", "BOOL", "BIT", "YESNO", "LOGICAL" })) {
        info.Type = adBoolean;
    } else if (is({ "INTEGER", "INT", "BIGINT", "INT8", "UNSIGNED BIG INT", "LONGLONG" })) {
        // SQLite's INTEGER holds 64 bits; only names that say 32 bits (INT4, LONG, ...) are int.
        info.Type = adBigInt;
    } else if (is({ "SMALLINT", "INT2", "TINYINT", "SHORT" })) {
        info.Type = adSmallInt;
    } else if (is({ "BYTE" })) {
        info.Type = adUnsignedTinyInt;
    } else if (has("INT") || is({ "LONG", "COUNTER", "AUTOINCREMENT" })) {
        info.Type = adInteger;
    } else if (has("CHAR") || has("CLOB") || has("TEXT") || is({ "STRING", "MEMO", "NOTE" })) {
        bool fixed = !has("VAR")
            && (base == "CHAR" || base == "NCHAR" || base == "CHARACTER" || base == "NATIONAL CHAR");
        if (hasA && a > 0 && a <= 255 * 16) {
            info.Type = fixed ? adWChar : adVarWChar;
            info.Size = a;
        } else {
            info.Type = adLongVarWChar;
        }
    } else if (is({ "BINARY", "VARBINARY" }) && hasA && a > 0) {
        info.Type = base == "BINARY" ? adBinary : adVarBinary;
        info.Size = a;
    } else if (has("BLOB") || is({ "BINARY", "VARBINARY", "LONGBINARY", "IMAGE", "OLEOBJECT" })) {
        info.Type = adLongVarBinary;
    } else if (is({ "SINGLE", "FLOAT4" })) {
        info.Type = adSingle;
    } else if (has("REAL") || has("FLOA") || has("DOUB")) {
        info.Type = adDouble;
    } else if (is({ "DATE", "DATETIME", "TIMESTAMP", "TIME", "SMALLDATETIME" })) {
        info.Type = adDate;
    } else if (is({ "MONEY", "CURRENCY", "SMALLMONEY" })) {
        info.Type = adCurrency;
    } else if (is({ "DECIMAL", "NUMERIC", "DEC" }) && hasA) {
        info.Type = adNumeric;
        info.Precision = std::min(std::max(a, 1), 28);
        info.Scale = hasB ? std::min(std::max(b, 0), info.Precision) : 0;
    } else if (is({ "DECIMAL", "NUMERIC", "DEC", "NUMBER" })) {
        info.Type = adDouble;
    } else if (is({ "GUID", "UUID", "UNIQUEIDENTIFIER" })) {
        info.Type = adGUID;
    } else {
        // A type name SQLite gives numeric affinity but we do not know: such a column can
        // hold any value, so it is written as text.
        info.Type = adLongVarWChar;
    }
    return info;
}

} // namespace xe::db
