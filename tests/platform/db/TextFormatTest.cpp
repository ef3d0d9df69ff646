// The text helpers every value of an export goes through, checked against printf and the
// calendar.
#include "platform/base/TextFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

using namespace xe::base;

namespace {

// printf's %.<digits>G with the mantissa's trailing zeros removed: the reference.
std::string PrintfFloat(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*G", digits, value);
    std::string s = text;
    size_t e = s.find('E');
    std::string mantissa = s.substr(0, e), exponent = e == std::string::npos ? "" : s.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
    }
    return mantissa + exponent;
}

} // namespace

TEST(TextFormat, FloatsAsPrintfWithEitherExponentRule)
{
    EXPECT_EQ(FloatText(1.25, 15, TExponentDigits::Fewest), "1.25");
    EXPECT_EQ(FloatText(1e20, 15, TExponentDigits::Fewest), "1E+20");
    EXPECT_EQ(FloatText(1e-5, 15, TExponentDigits::Fewest), "1E-5");
    EXPECT_EQ(FloatText(1e-5, 15, TExponentDigits::AtLeastTwo), "1E-05");
    EXPECT_EQ(FloatText(-2.5e-300, 15, TExponentDigits::AtLeastTwo), "-2.5E-300");
    EXPECT_EQ(FloatText(0.1, 17, TExponentDigits::Fewest), "0.10000000000000001");
    EXPECT_EQ(FloatText(-std::numeric_limits<double>::infinity(), 15, TExponentDigits::Fewest), "-INF");
    EXPECT_EQ(FloatText(std::numeric_limits<double>::quiet_NaN(), 15, TExponentDigits::Fewest), "NAN");
    EXPECT_EQ(FloatText(100000, 15, TExponentDigits::Fewest), "100000");

    // A seeded sweep over magnitudes and digit counts: the two-digit rule is printf itself.
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int i = 0; i < 20000; ++i) {
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        for (int digits : { 8, 15, 17 }) {
            std::string expected = PrintfFloat(value, digits);
            ASSERT_EQ(FloatText(value, digits, TExponentDigits::AtLeastTwo), expected) << value;
            size_t e = expected.find('E');
            if (e != std::string::npos && expected[e + 2] == '0')
                expected.erase(e + 2, 1);
            ASSERT_EQ(FloatText(value, digits, TExponentDigits::Fewest), expected) << value;
        }
    }
}

TEST(TextFormat, CalendarDatesAndDigits)
{
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(DaysFromCivil(1899, 12, 30), -25569);
    EXPECT_EQ(DaysFromCivil(1, 1, 1), -719162);
    EXPECT_EQ(DaysFromCivil(2000, 3, 1), 11017);
    for (int64_t days = -800000; days <= 3000000; days += 97) {
        TCivilDate date = CivilFromDays(days);
        ASSERT_TRUE(IsValidDate(date.Year, int(date.Month), int(date.Day))) << days;
        ASSERT_EQ(DaysFromCivil(date.Year, date.Month, date.Day), days);
    }
    TCivilDate leap = CivilFromDays(DaysFromCivil(2000, 2, 29));
    EXPECT_EQ(leap.Year * 10000 + leap.Month * 100 + leap.Day, 20000229);
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 4, 31));
    EXPECT_FALSE(IsValidDate(2023, 13, 1));
    EXPECT_FALSE(IsValidDate(2023, 1, 0));

    std::string out = "x";
    AppendDateTime(out, 987, 3, 4, 5, 6, 7, 'T');
    out += '|';
    AppendDateTime(out, 2024, 12, 31, 23, 59, 59, 0);
    out += '|';
    AppendInt(out, -9223372036854775807LL - 1);
    out += '|';
    AppendPadded(out, 42, 7);
    out += '|';
    AppendHex(out, std::string_view("\x00\x9f\xff", 3), false);
    AppendHex(out, std::string_view("\xab", 1), true);
    out += '|';
    AppendUtf8(out, U'é');
    AppendUtf8(out, U'中');
    AppendUtf8(out, U'\U0001F600');
    AppendUtf8(out, char32_t(0xD800));
    EXPECT_EQ(out,
        "x0987-03-04T05:06:07|2024-12-31|-9223372036854775808|0000042|009fffAB|"
        "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\xEF\xBF\xBD");
}
