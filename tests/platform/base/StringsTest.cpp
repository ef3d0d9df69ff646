#include "platform/base/Strings.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

using namespace xe::base;
using xe::test::TProcessState;

TEST(Strings, GbkIsTheDefaultCodePage)
{
    TProcessState state;
    state.UseCodePage("");
    if (std::getenv("XMLEXPORT_CODEPAGE") == nullptr) {
        EXPECT_EQ(AnsiCodePage(), "GBK");
    }
    state.UseCodePage("GBK");
    // "完成" is CD EA B3 C9 in GBK.
    EXPECT_EQ(Ansi(u8"完成"), "\xCD\xEA\xB3\xC9");
    EXPECT_EQ(AnsiToUtf8("\xCD\xEA\xB3\xC9"), "完成");
    EXPECT_EQ(AnsiToUtf16("\xCD\xEA\xB3\xC9"), u"完成");
    EXPECT_EQ(Utf16ToAnsi(u"完成"), "\xCD\xEA\xB3\xC9");
    EXPECT_EQ(AnsiToUtf32("a\xCD\xEA"), U"a完");
}

TEST(Strings, GbkTrailBytesMayLookLikeBrackets)
{
    TProcessState state;
    state.UseCodePage("GBK");
    // 0x5D (']') and 0x5C ('\') occur as trail bytes of GBK characters.
    std::string ansi = "\x81\x5D\x81\x5C";
    bool ok = false;
    std::string utf8 = AnsiToUtf8(ansi, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(utf8.find(']'), std::string::npos);
    EXPECT_EQ(Utf8ToAnsi(utf8), ansi);
}

TEST(Strings, InvalidBytesBecomeReplacementsAndAreReported)
{
    TProcessState state;
    state.UseCodePage("GBK");
    bool ok = true;
    // A lead byte without its trail byte at the end, and 0xFF which GBK never uses.
    std::string utf8 = AnsiToUtf8("ab\xFF"
                                  "c\x81",
        &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(utf8,
        "ab\xEF\xBF\xBD"
        "c\xEF\xBF\xBD");
    ok = true;
    EXPECT_EQ(Utf8ToAnsi("x\xC3", &ok), "x?");
    EXPECT_FALSE(ok);
    ok = true;
    // A character GBK cannot hold.
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80", &ok), "?");
    EXPECT_FALSE(ok);
}

TEST(Strings, EnvironmentCanChooseUtf8)
{
    TProcessState state;
    state.UseCodePage("UTF-8");
    EXPECT_EQ(Ansi(u8"完成"), "完成");
    EXPECT_EQ(AnsiToUtf16("完成"), u"完成");
}

TEST(Strings, OnlyCodePagesThatKeepAsciiCanBeTheAnsiCodePage)
{
    for (char const* name : { "GBK", "gb18030", "CP936", "BIG5", "CP1252", "UTF-8", "ISO-8859-1" })
        EXPECT_TRUE(IsUsableCodePage(name)) << name;
    // Unknown to iconv, or ASCII is no longer ASCII in it (brackets, '=', '/').
    for (char const* name : { "", "NOPE", "UTF-16", "UTF-16LE", "UTF-32", "IBM037", "UTF-7" })
        EXPECT_FALSE(IsUsableCodePage(name)) << name;

    TProcessState state;
    state.UseCodePage("utf8");
    EXPECT_TRUE(AnsiIsUtf8());
    state.UseCodePage("GBK");
    EXPECT_FALSE(AnsiIsUtf8());

    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8(reinterpret_cast<char const*>(u8"密码 ok")));
    EXPECT_FALSE(IsValidUtf8(Ansi(u8"密码"))); // GBK bytes
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF")); // an overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xE5\xAF")); // cut short
}

TEST(Strings, TrimRemovesControlCharactersAndBlanks)
{
    EXPECT_EQ(Trim(" \t\r\n select 1 \x01\x1F "), "select 1");
    EXPECT_EQ(Trim(std::string("\0a\0", 3)), "a");
    EXPECT_EQ(Trim("   "), "");
    // Bytes above 127 (GBK text) are never trimmed.
    EXPECT_EQ(Trim("\xCD\xEA "), "\xCD\xEA");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(Strings, FormatAndIntegers)
{
    EXPECT_EQ(Format("Value must be between %d and %d", 0, 100), "Value must be between 0 and 100");
    EXPECT_EQ(Format("'%s'", "x"), "'x'");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(StrToIntDef("-17", 5), -17);
    EXPECT_EQ(StrToIntDef("+17", 5), 5);
    EXPECT_EQ(StrToIntDef("0x10", 5), 5);
    EXPECT_EQ(StrToIntDef("", 5), 5);
    EXPECT_EQ(StrToIntDef("-", 5), 5);
    EXPECT_EQ(StrToIntDef("99999999999999999999", 5), 5);
    EXPECT_EQ(StrToIntDef("-9223372036854775808", 5), INT64_MIN);
}

TEST(Strings, CaseHelpersLeaveMultiByteTextAlone)
{
    EXPECT_TRUE(SameText("FORMINFO", "forminfo"));
    EXPECT_FALSE(SameText("a", "ab"));
    EXPECT_EQ(UpperCase("ab\xCD\xEA"), "AB\xCD\xEA");
    EXPECT_EQ(LowerCase("AZ@[`{\xC1\xDA"), "az@[`{\xC1\xDA");
    EXPECT_FALSE(SameText("@", "`"));
    EXPECT_FALSE(SameText("[", "{"));
}

TEST(Strings, SplitLinesEndsLinesAtCrLfLfAndLoneCr)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines { "a", "b", "c", "d" }));
    // A CR just before a LF makes one line end; LF CR makes two.
    EXPECT_EQ(SplitLines("a\r\r\nb\n\rc"), (Lines { "a", "", "b", "", "c" }));
    // What follows the last line end is a line, even when empty; so is an empty text.
    EXPECT_EQ(SplitLines("a\r"), (Lines { "a", "" }));
    EXPECT_EQ(SplitLines("\r\n"), (Lines { "", "" }));
    EXPECT_EQ(SplitLines(""), (Lines { "" }));
    // GBK trail bytes are never line ends.
    EXPECT_EQ(SplitLines("\xCD\xEA\r\xB3\xC9"), (Lines { "\xCD\xEA", "\xB3\xC9" }));
    EXPECT_EQ(SplitLines(std::u32string_view(U"\u5B8C\r\u6210\r\n")),
        (std::vector<std::u32string_view> { U"\u5B8C", U"\u6210", U"" }));
}
