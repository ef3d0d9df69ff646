#include "platform/db/access/JetValues.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace xe::db;

namespace {
std::string Text(std::initializer_list<int> bytes)
{
    std::vector<uint8_t> b(bytes.begin(), bytes.end());
    return DecodeJet4Text(b.data(), b.size());
}
}

TEST(JetValues, Jet4TextPlainAndCompressed)
{
    EXPECT_EQ(Text({}), "");
    EXPECT_EQ(Text({ 'a', 0, 0xE9, 0, 0x16, 0x21 }), "aé№");
    // Compressed: one-byte run, switch, two-byte run, switch back.
    EXPECT_EQ(Text({ 0xFF, 0xFE, 'Z', 'o', 0xEB, ' ', 0, 0x16, 0x21, 0, '3' }), "Zoë №3");
    EXPECT_EQ(Text({ 0xFF, 0xFE }), "");
    // A surrogate pair is one character; a lone half is replaced.
    EXPECT_EQ(Text({ 0x3D, 0xD8, 0x00, 0xDE }), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Text({ 0x3D, 0xD8, 'x', 0 }), "\xEF\xBF\xBDx");
    // An odd trailing byte is dropped rather than read past.
    EXPECT_EQ(Text({ 'a', 0, 'b' }), "a");
}

TEST(JetValues, Jet3TextUsesTheCodePage)
{
    uint8_t latin[] = { 'C', 'a', 'f', 0xE9 };
    EXPECT_EQ(DecodeJet3Text(latin, 4, 1252), "Café");
    uint8_t gbk[] = { 0xCA, 0xFD, 0xBE, 0xDD };
    EXPECT_EQ(DecodeJet3Text(gbk, 4, 936), "数据");
    // Windows maps every byte of 1252, the five unassigned ones to C1 controls.
    uint8_t high[] = { 0x80, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0x9F, 0xFF };
    EXPECT_EQ(DecodeJet3Text(high, 8, 1252), "\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00FF");
}

TEST(JetValues, DatesOutsideLibmdbsRangeAndNegativeTimes)
{
    EXPECT_EQ(FormatJetDate(0), "1899-12-30 00:00:00");
    EXPECT_EQ(FormatJetDate(29932), "1981-12-12 00:00:00");
    EXPECT_EQ(FormatJetDate(0.5), "1899-12-30 12:00:00");
    // Negative values: the day counts back, the fraction still runs forward.
    EXPECT_EQ(FormatJetDate(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(FormatJetDate(-728.0), "1898-01-01 00:00:00");
    EXPECT_EQ(FormatJetDate(2958465.999988426), "9999-12-31 23:59:59");
    EXPECT_EQ(FormatJetDate(-657434), "0100-01-01 00:00:00");
    // Rounding to the second may carry into the next day.
    EXPECT_EQ(FormatJetDate(1.9999999), "1900-01-01 00:00:00");
    EXPECT_EQ(FormatJetDate(NAN), "");
    EXPECT_EQ(FormatJetDate(1e300), "");
    for (char const* text :
        { "1899-12-29 06:00:00", "1600-02-29 23:59:59", "2024-02-29 12:34:56", "0100-01-01 00:00:00" })
        EXPECT_EQ(FormatJetDate(ParseJetDate(text)), text);
}

TEST(JetValues, DecimalsKeepEveryDigit)
{
    uint8_t v[17] = {};
    EXPECT_EQ(FormatJetNumeric(v, 4), "0.0000");
    EXPECT_EQ(FormatJetNumeric(v, 0), "0");
    v[0] = 0x80; // negative zero prints as zero
    EXPECT_EQ(FormatJetNumeric(v, 2), "0.00");
    v[13] = 0x39; // lowest word = 0x30 39 = 12345 (bytes 13..16, little endian)
    v[14] = 0x30;
    EXPECT_EQ(FormatJetNumeric(v, 2), "-123.45");
    EXPECT_EQ(FormatJetNumeric(v, 7), "-0.0012345");
    v[0] = 0;
    EXPECT_EQ(FormatJetNumeric(v, 0), "12345");
    // 28 nines need three of the four words.
    uint8_t big[17]
        = { 0x80, 0, 0, 0, 0, 0x5e, 0xce, 0x4f, 0x20, 0x61, 0x2, 0x25, 0x3e, 0xff, 0xff, 0xff, 0xf };
    EXPECT_EQ(FormatJetNumeric(big, 28), "-0.9999999999999999999999999999");
    EXPECT_EQ(FormatJetNumeric(big, 0), "-9999999999999999999999999999");
}

TEST(JetValues, GuidsAsAdoWritesThem)
{
    uint8_t g[16]
        = { 0x67, 0x45, 0x23, 0x01, 0xAB, 0x89, 0xEF, 0xCD, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF };
    EXPECT_EQ(FormatJetGuid(g), "{01234567-89AB-CDEF-0123-456789ABCDEF}");
}
