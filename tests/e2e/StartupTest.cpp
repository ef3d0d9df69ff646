// The built executable, run as a user runs it: copied alone into a folder, no arguments,
// headless. It must end in the failed state when its configuration cannot give a connection.
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "tests/app/ExportFixtures.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace xe::base;

namespace {

struct TRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs the copy of xmlexport in dir (current directory dir), headless, and collects its
// output streams.
TRun RunIn(TTempDir const& dir)
{
    std::string exe = dir.File("xmlexport");
    std::string command = "cd '" + dir.Path() + "' && XMLEXPORT_BACKEND=headless timeout 60 '" + exe + "' 2>'"
        + dir.File("stderr.txt") + "'";
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.Out.append(buffer, n);
    int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Err = ReadFileBytes(dir.File("stderr.txt"));
    return run;
}

void Install(TTempDir const& dir)
{
    WriteFileBytes(dir.File("xmlexport"), ReadFileBytes(XMLEXPORT_PATH));
    ASSERT_EQ(system(("chmod +x '" + dir.File("xmlexport") + "'").c_str()), 0);
}

const std::string FailedLine = reinterpret_cast<char const*>(u8"数据初始化失败...\n");

} // namespace

TEST(StartupTest, WithoutConfigurationCreatesAnEmptyOneAndEndsFailed)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    TRun run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);
    std::string const expected
        = std::string("\"").append(dir.File("InOut.ini")).append("\" gives no StrSql in section [Sys].\n");
    EXPECT_EQ(run.Err, expected);
    EXPECT_TRUE(FileExists(dir.File("InOut.ini")));
    EXPECT_EQ(FileSize(dir.File("InOut.ini")), 0);
}

TEST(StartupTest, MissingDatabaseEndsFailedAndLeavesTheConfigurationAlone)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    std::string ini = "[Sys]\r\nStrSql=select * from t\r\nXmlName=out.xml\r\nDbName="
        + dir.File("missing.mdb") + "\r\nDbPass=secret\r\n";
    WriteFileBytes(dir.File("InOut.ini"), ini);
    TRun run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);
    EXPECT_EQ(run.Err, "Could not find file '" + dir.File("missing.mdb") + "'.\n");
    EXPECT_EQ(ReadFileBytes(dir.File("InOut.ini")), ini);
    EXPECT_FALSE(FileExists(dir.File("out.xml")));
}

TEST(StartupTest, BlankValuesEndFailed)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    WriteFileBytes(dir.File("InOut.ini"), "[Sys]\nStrSql=select 1\nXmlName=out.xml\nDbName=\t\n");
    TRun run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);
    EXPECT_NE(run.Err.find("gives no DbName"), std::string::npos) << run.Err;

    // A configuration without the section counts as empty too.
    WriteFileBytes(dir.File("InOut.ini"), "[Other]\nStrSql=select 1\nXmlName=o.xml\nDbName=x.db\n");
    run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);
}

TEST(StartupTest, AFailingStatementEndsWithExitCodeOne)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    xe::exporttest::CreateSampleDatabase(dir.File("data.db"), { .Rows = 5 });
    // The database is fine; the statement's table is not there: the start succeeds and the
    // export fails, which is exit code 1 too, with the statement's error.
    xe::exporttest::WriteInOutIni(
        dir.File("InOut.ini"), "select * from nowhere", "out.xml", dir.File("data.db"), "");
    TRun run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_NE(run.Err.find("nowhere"), std::string::npos) << run.Err;
    EXPECT_FALSE(FileExists(dir.File("out.xml")));
}

TEST(StartupTest, RunsFromAChineseFolderAndFindsItsFilesThere)
{
    // The executable's directory enters the system converted to the ANSI code page and goes
    // back to UTF-8 at every file-system call; a mistake on either side loses InOut.ini.
    xe::test::TProcessState state;
    state.UseCodePage("GBK");
    TTempDir temp("xe-e2e");
    std::string folder = AnsiToUtf8(temp.Path()) + "导出工具/"; // on disk, UTF-8
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    WriteFileBytes(Utf8ToAnsi(folder + "xmlexport"), ReadFileBytes(XMLEXPORT_PATH));
    ASSERT_EQ(::chmod((folder + "xmlexport").c_str(), 0755), 0);
    xe::exporttest::TSampleOptions options;
    options.Rows = 45;
    xe::exporttest::CreateSampleDatabase(folder + "数据.db", options);
    xe::exporttest::WriteInOutIni(
        Utf8ToAnsi(folder + "InOut.ini"), "select * from t", "结果.xml", folder + "数据.db", "");

    std::string command
        = "cd '" + folder + "' && XMLEXPORT_BACKEND=headless timeout 60 ./xmlexport 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(out.find(reinterpret_cast<char const*>(u8"导出数据成功")), std::string::npos) << out;
    xe::exporttest::TXmlDocument document = xe::exporttest::ReadExportDocument(folder + "结果.xml");
    EXPECT_TRUE(document.Parsed) << document.Error;
    EXPECT_EQ(document.Rows.size(), 45u);
}

TEST(StartupTest, RunsFromFoldersTheAnsiCodePageCannotHold)
{
    // The executable's folder is a file-system path and stays one: converting it to GBK
    // would turn these names into "?" and look for InOut.ini in a folder that is not there.
    xe::test::TProcessState state;
    state.UseCodePage("GBK");
    TTempDir temp("xe-e2e");
    std::string const root = AnsiToUtf8(temp.Path());
    xe::exporttest::TSampleOptions options;
    options.Rows = 35;
    xe::exporttest::CreateSampleDatabase(root + "data.db", options);
    for (std::string name : { "Björn", "한국어", "😀 emoji" }) {
        SCOPED_TRACE(name);
        std::string folder = root + name + "/"; // on disk, UTF-8
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        std::string exe = folder + "xmlexport";
        ASSERT_EQ(std::system(("cp '" + std::string(XMLEXPORT_PATH) + "' '" + exe + "'").c_str()), 0);
        // The configuration's own text is ANSI; the paths in it are ASCII here.
        std::string ini = "[Sys]\r\nStrSql=select * from t\r\nXmlName=" + root + "out.xml\r\nDbName=" + root
            + "data.db\r\n";
        FILE* f = std::fopen((folder + "InOut.ini").c_str(), "wb");
        ASSERT_TRUE(f);
        std::fwrite(ini.data(), 1, ini.size(), f);
        std::fclose(f);

        std::string command = "cd '" + folder + "' && XMLEXPORT_BACKEND=headless timeout 60 ./xmlexport 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_TRUE(pipe);
        std::string out;
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        int status = pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
        EXPECT_NE(out.find(reinterpret_cast<char const*>(u8"导出数据成功")), std::string::npos) << out;
        EXPECT_EQ(xe::exporttest::ReadExportDocument(root + "out.xml").Rows.size(), 35u);
        ::unlink((root + "out.xml").c_str());
    }
    // Nothing was created under a name made of question marks.
    EXPECT_FALSE(DirectoryExists(temp.Path() + "Bj?rn"));
    EXPECT_FALSE(FileExists(temp.Path() + "Bj?rn/InOut.ini"));
}
