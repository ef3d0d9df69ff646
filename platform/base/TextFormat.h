#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xe::base {

// Formatting of numbers, dates and characters into byte strings, without the locale and
// without printf: these run for every value of an export.

// Proleptic Gregorian dates, days counted from 1970-01-01.
struct TCivilDate {
    int64_t Year = 1970;
    unsigned Month = 1; // 1..12
    unsigned Day = 1; // 1..31
};
TCivilDate CivilFromDays(int64_t days);
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day);
// A month of 1 to 12 and a day that the month has (29 February in leap years only).
bool IsValidDate(int64_t year, int month, int day);

// value in decimal, left-padded with zeros to at least `width` digits.
void AppendPadded(std::string& out, uint64_t value, int width);
void AppendInt(std::string& out, int64_t value);
// "yyyy-mm-dd" and, when separator is not 0, the separator and "hh:nn:ss".
void AppendDateTime(
    std::string& out, int64_t year, int month, int day, int hour, int minute, int second, char separator);

// One code point as UTF-8; a surrogate or a value above U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// Two hex digits a byte.
void AppendHex(std::string& out, std::string_view bytes, bool upperCase);

// A double as printf's "%.<digits>G" gives it, with the mantissa's trailing zeros (and a
// bare point) removed: 1.25, 3.14159, 1E+20, INF, NAN. The exponent is written with as few
// digits as it needs (1E+5), or with at least two as printf writes it (1E+05).
enum class TExponentDigits { Fewest, AtLeastTwo };
void AppendFloat(std::string& out, double value, int digits, TExponentDigits exponent);
std::string FloatText(double value, int digits, TExponentDigits exponent);

} // namespace xe::base
