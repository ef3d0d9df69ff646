#include "app/IniConfig.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

using namespace xe::app;
using namespace xe::base;

TEST(IniConfig, ValuesAreTrimmedOfTabsAndBlanks)
{
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    WriteFileBytes(ini, "[Sys]\r\nStrSql=\t  select * from t \t\r\nXmlName= out.xml\r\n");
    EXPECT_EQ(ReadIniValue("Sys", "StrSql", ini), "select * from t");
    EXPECT_EQ(ReadIniValue("Sys", "XmlName", ini), "out.xml");
    EXPECT_EQ(ReadIniValue("Sys", "DbPass", ini), "");
    EXPECT_EQ(ReadIniValue("", "StrSql", ini), "");
    EXPECT_EQ(ReadIniValue("Sys", "", ini), "");
}

TEST(IniConfig, LongValueIsCutBeforeTrimming)
{
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    // 2046 letters, then blanks from byte 2047 on: the cut keeps one blank, the trim drops it.
    std::string value = std::string(2046, 'a') + std::string(10, ' ') + "tail";
    WriteFileBytes(ini, "[Sys]\nStrSql=" + value + "\n");
    EXPECT_EQ(ReadIniValue("Sys", "StrSql", ini), std::string(2046, 'a'));
}

TEST(IniConfig, MissingSectionGivesEmptyValues)
{
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    WriteFileBytes(ini, "[Other]\nStrSql=x\n");
    EXPECT_EQ(ReadIniValue("Sys", "StrSql", ini), "");
}

TEST(IniConfig, MissingFileIsCreatedEmpty)
{
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    EXPECT_EQ(ReadIniValue("Sys", "StrSql", ini), "");
    EXPECT_TRUE(FileExists(ini));
    EXPECT_EQ(FileSize(ini), 0);
}

TEST(IniConfig, UnreadableFileIsNeverOverwritten)
{
    TTempDir temp;
    std::string ini = temp.File("InOut.ini");
    ASSERT_TRUE(ForceDirectories(ini));
    WriteFileBytes(ini + "/keep", "data");
    EXPECT_EQ(ReadIniValue("Sys", "StrSql", ini), "");
    EXPECT_TRUE(DirectoryExists(ini));
    EXPECT_EQ(ReadFileBytes(ini + "/keep"), "data");
}

TEST(IniConfig, CreateFileWithDirsMakesParents)
{
    xe::test::TProcessState state;
    state.UseCodePage("GBK");
    TTempDir temp;
    // The helpers take file-system paths: UTF-8, including names GBK cannot hold.
    std::string name = AnsiToUtf8(temp.Path()) + "配置/Björn/深/InOut.ini";
    EXPECT_TRUE(CreateFileWithDirs(name));
    EXPECT_TRUE(SystemFileExists(name));
    EXPECT_EQ(ReadSystemFile(name), "");
    // An existing file is kept as it is.
    {
        TFile file(name, TOpenMode::Append);
        file.Write("[Sys]\nXmlName=\"out.xml\"\n");
        file.Close();
    }
    EXPECT_TRUE(CreateFileWithDirs(name));
    EXPECT_TRUE(EnsureIniFile(name));
    EXPECT_EQ(ReadIniValue("Sys", "XmlName", name), "out.xml");
    // Nothing appeared under the name the code page would have made of it.
    EXPECT_FALSE(DirectoryExists(temp.Path() + Ansi(u8"配置/") + "Bj?rn"));
}

TEST(IniConfig, BareFileNameIsAFailure)
{
    EXPECT_FALSE(CreateFileWithDirs("InOut-never-created.ini"));
    EXPECT_FALSE(FileExists("InOut-never-created.ini"));
}
