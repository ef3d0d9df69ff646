#include "platform/base/Files.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace xe::base;

TEST(Files, PathParts)
{
    EXPECT_EQ(ExtractFilePath("/a/b/data.xml"), "/a/b/");
    EXPECT_EQ(ExtractFileDir("/a/b/data.xml"), "/a/b");
    EXPECT_EQ(ExtractFileName("/a/b/data.xml"), "data.xml");
    EXPECT_EQ(ExtractFilePath("data.xml"), "");
    EXPECT_EQ(ExtractFileDir("data.xml"), "");
    EXPECT_EQ(ExtractFileName("data.xml"), "data.xml");
    EXPECT_EQ(ExtractFileDir("/data.xml"), "/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
}

TEST(Files, ChinesePathsAreAnsiInsideAndUtf8Outside)
{
    xe::test::TProcessState state;
    state.UseCodePage("GBK");
    TTempDir temp;
    std::string dir = temp.Path() + Ansi(u8"数据/子目录");
    ASSERT_TRUE(ForceDirectories(dir));
    EXPECT_TRUE(DirectoryExists(dir));
    std::string file = dir + "/" + Ansi(u8"导出.xml");
    WriteFileBytes(file, "abc");
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(ReadFileBytes(file), "abc");
    EXPECT_EQ(FileSize(file), 3);
    // On disk the name is UTF-8.
    std::string utf8 = AnsiToUtf8(temp.Path()) + "数据/子目录/导出.xml";
    EXPECT_EQ(::access(utf8.c_str(), F_OK), 0);
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    // Deleting a missing file is no error.
    EXPECT_TRUE(DeleteFile(file));
}

TEST(Files, DirectoriesAreNotFiles)
{
    TTempDir temp;
    EXPECT_FALSE(FileExists(temp.Path()));
    EXPECT_TRUE(DirectoryExists(temp.Path()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_FALSE(ForceDirectories(""));
    EXPECT_THROW(ReadFileBytes(temp.File("missing")), EFileError);
}

TEST(Files, ExecutableDirectoryEndsWithSeparator)
{
    std::string dir = ExecutableDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(DirectoryExists(dir));
}
