#include "platform/ini/Profile.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace xe::base;
using namespace xe::ini;

TEST(Profile, LooksUpOneKeyWithoutRegardToCase)
{
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    WriteFileBytes(ini,
        "; comment\r\n[Other]\r\nStrSql=wrong\r\n[SYS]\r\n  strsql = select 1 "
        "\r\nXmlName=a.xml\nDbName=\rDbPass=x");
    EXPECT_EQ(GetPrivateProfileString("Sys", "StrSql", "d", ini), " select 1 ");
    EXPECT_EQ(GetPrivateProfileString("sys", "XMLNAME", "d", ini), "a.xml");
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbName", "d", ini), "");
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbPass", "d", ini), "x");
    EXPECT_EQ(GetPrivateProfileString("Sys", "Missing", "d", ini), "d");
    EXPECT_EQ(GetPrivateProfileString("Nope", "StrSql", "d", ini), "d");
}

TEST(Profile, FirstSectionAndKeyWin)
{
    TTempDir temp;
    std::string ini = temp.File("a.ini");
    WriteFileBytes(ini, "[Sys]\nk=1\nk=2\n[Sys]\nk=3\n");
    EXPECT_EQ(GetPrivateProfileString("Sys", "k", "", ini), "1");
}

TEST(Profile, ValueIsCutToTheBuffer)
{
    TTempDir temp;
    std::string ini = temp.File("a.ini");
    std::string value(3000, 'v');
    WriteFileBytes(ini, "[Sys]\nStrSql=" + value + "\n");
    std::string got = GetPrivateProfileString("Sys", "StrSql", "", ini);
    EXPECT_EQ(got.size(), 2047u);
    EXPECT_EQ(got, value.substr(0, 2047));
}

TEST(Profile, MissingOrUnreadableFilesGiveTheDefault)
{
    TTempDir temp;
    EXPECT_EQ(GetPrivateProfileString("Sys", "k", "d", temp.File("missing.ini")), "d");
    // A directory in the place of the file.
    ASSERT_TRUE(ForceDirectories(temp.File("dir.ini")));
    EXPECT_EQ(GetPrivateProfileString("Sys", "k", "d", temp.File("dir.ini")), "d");
}

TEST(Profile, FileWithoutRightsGivesTheDefault)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop reading";
    TTempDir temp;
    std::string ini = temp.File("a.ini");
    WriteFileBytes(ini, "[Sys]\nk=v\n");
    ::chmod(ToSystemPath(ini).c_str(), 0);
    EXPECT_EQ(GetPrivateProfileString("Sys", "k", "d", ini), "d");
}

TEST(Profile, OnePairOfMatchingQuotesIsDropped)
{
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    WriteFileBytes(ini,
        "[Sys]\n"
        "double=\"d:\\out\\a.xml\"\n"
        "single= 'select * from t' \n"
        "nested=\"'x'\"\n"
        "mixed=\"x'\n"
        "open=\"x\n"
        "lone=\"\n"
        "empty=\"\"\n"
        "inner=a \"b\" c\n");
    EXPECT_EQ(GetPrivateProfileString("Sys", "double", "", ini), "d:\\out\\a.xml");
    EXPECT_EQ(GetPrivateProfileString("Sys", "single", "", ini), "select * from t");
    EXPECT_EQ(GetPrivateProfileString("Sys", "nested", "", ini), "'x'");
    EXPECT_EQ(GetPrivateProfileString("Sys", "mixed", "", ini), "\"x'");
    EXPECT_EQ(GetPrivateProfileString("Sys", "open", "", ini), "\"x");
    EXPECT_EQ(GetPrivateProfileString("Sys", "lone", "", ini), "\"");
    EXPECT_EQ(GetPrivateProfileString("Sys", "empty", "d", ini), "");
    EXPECT_EQ(GetPrivateProfileString("Sys", "inner", "", ini), "a \"b\" c");
}

TEST(Profile, UnicodeFilesAreReadAsUtf8AndConvertedToTheCodePage)
{
    xe::test::TProcessState state;
    state.UseCodePage("GBK");
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    std::string const sysUtf8
        = reinterpret_cast<char const*>(u8"[Sys]\r\nDbPass=演示-2024\r\nStrSql=select 1\r\n");
    TProfileText text;

    // A byte-order mark is no part of the first line: the section header is found.
    WriteFileBytes(ini, "\xEF\xBB\xBF" + sysUtf8);
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbPass", "d", ini, &text), Ansi(u8"演示-2024"));
    EXPECT_TRUE(text.Utf8);
    EXPECT_TRUE(text.ByteOrderMark);
    EXPECT_TRUE(text.Lossless);
    EXPECT_EQ(GetPrivateProfileString("Sys", "StrSql", "d", ini), "select 1");

    // Without the mark: well-formed UTF-8 beyond ASCII is an editor's UTF-8.
    WriteFileBytes(ini, sysUtf8);
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbPass", "d", ini, &text), Ansi(u8"演示-2024"));
    EXPECT_TRUE(text.Utf8);
    EXPECT_FALSE(text.ByteOrderMark);

    // The same text in GBK is taken as it is.
    WriteFileBytes(ini, Ansi(u8"[Sys]\r\nDbPass=演示-2024\r\n"));
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbPass", "d", ini, &text), Ansi(u8"演示-2024"));
    EXPECT_FALSE(text.Utf8);
    EXPECT_TRUE(text.Lossless);

    // A missing key still gives the default, with nothing to report.
    EXPECT_EQ(GetPrivateProfileString("Sys", "XmlName", "d", ini, &text), "d");
    EXPECT_TRUE(text.Lossless);
}

TEST(Profile, TextTheCodePageCannotHoldIsReported)
{
    xe::test::TProcessState state;
    state.UseCodePage("GBK");
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    TProfileText text;

    // Latin-1 bytes: neither UTF-8 nor GBK. Only the value that holds them is reported.
    WriteFileBytes(ini, "[Sys]\nDbPass=caf\xE9\nStrSql=select 1\n");
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbPass", "", ini, &text), "caf\xE9");
    EXPECT_FALSE(text.Utf8);
    EXPECT_FALSE(text.Lossless);
    GetPrivateProfileString("Sys", "StrSql", "", ini, &text);
    EXPECT_TRUE(text.Lossless);

    // UTF-8 with a character GBK has no place for.
    WriteFileBytes(ini, "\xEF\xBB\xBF[Sys]\nDbPass=pass\xF0\x9F\x98\x80\n");
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbPass", "", ini, &text), "pass?");
    EXPECT_TRUE(text.Utf8);
    EXPECT_FALSE(text.Lossless);

    // With UTF-8 as the code page, a marked file loses only its mark.
    state.UseCodePage("UTF-8");
    EXPECT_EQ(GetPrivateProfileString("Sys", "DbPass", "", ini, &text), "pass\xF0\x9F\x98\x80");
    EXPECT_TRUE(text.Lossless);
}
