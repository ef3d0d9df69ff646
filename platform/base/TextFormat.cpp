#include "platform/base/TextFormat.h"

#include <charconv>

namespace xe::base {

// The era arithmetic counts 400-year eras of 146,097 days from 0000-03-01, so that the leap
// day falls at the end of each counted year.
TCivilDate CivilFromDays(int64_t days)
{
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = unsigned(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    TCivilDate date;
    date.Day = doy - (153 * mp + 2) / 5 + 1;
    date.Month = mp < 10 ? mp + 3 : mp - 9;
    date.Year = int64_t(yoe) + era * 400 + (date.Month <= 2);
    return date;
}

int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    unsigned yoe = unsigned(year - era * 400);
    unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

bool IsValidDate(int64_t year, int month, int day)
{
    static int const days[] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12 || day < 1 || day > days[month - 1])
        return false;
    return month != 2 || day != 29 || (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

void AppendPadded(std::string& out, uint64_t value, int width)
{
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (int n = int(end - digits); n < width; ++n)
        out += '0';
    out.append(digits, end);
}

void AppendInt(std::string& out, int64_t value)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendDateTime(
    std::string& out, int64_t year, int month, int day, int hour, int minute, int second, char separator)
{
    if (year < 0) {
        out += '-';
        year = -year;
    }
    AppendPadded(out, uint64_t(year), 4);
    out += '-';
    AppendPadded(out, uint64_t(month), 2);
    out += '-';
    AppendPadded(out, uint64_t(day), 2);
    if (separator == 0)
        return;
    out += separator;
    AppendPadded(out, uint64_t(hour), 2);
    out += ':';
    AppendPadded(out, uint64_t(minute), 2);
    out += ':';
    AppendPadded(out, uint64_t(second), 2);
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void AppendHex(std::string& out, std::string_view bytes, bool upperCase)
{
    char const* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    size_t at = out.size();
    out.resize(at + bytes.size() * 2);
    for (unsigned char c : bytes) {
        out[at++] = digits[c >> 4];
        out[at++] = digits[c & 15];
    }
}

void AppendFloat(std::string& out, double value, int digits, TExponentDigits exponent)
{
    // to_chars in general form with a precision is printf's %.<digits>g, without the locale.
    char text[64];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr;
    char* e = text;
    bool point = false;
    for (; e != end && *e != 'e'; ++e) {
        point = point || *e == '.';
        if (*e >= 'a' && *e <= 'z')
            *e = char(*e - 'a' + 'A'); // inf, nan
    }
    char* mantissaEnd = e;
    if (point) {
        while (mantissaEnd[-1] == '0')
            --mantissaEnd;
        if (mantissaEnd[-1] == '.')
            --mantissaEnd;
    }
    out.append(text, mantissaEnd);
    if (e == end)
        return;
    // "e+05" or "e-123": the sign, then the digits without their leading zeros.
    out += 'E';
    out += e[1];
    char const* expDigits = e + 2;
    while (end - expDigits > 1 && *expDigits == '0')
        ++expDigits;
    if (exponent == TExponentDigits::AtLeastTwo && end - expDigits < 2)
        out += '0';
    out.append(expDigits, size_t(end - expDigits));
}

std::string FloatText(double value, int digits, TExponentDigits exponent)
{
    std::string out;
    AppendFloat(out, value, digits, exponent);
    return out;
}

} // namespace xe::base
