// The built executable, run as a user runs it: copied alone into a folder, no arguments,
// headless. It must end in the failed state when its configuration cannot give a connection.
#include "platform/base/Files.h"
#include "platform/base/Strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
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
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);
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
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);
    EXPECT_EQ(ReadFileBytes(dir.File("InOut.ini")), ini);
    EXPECT_FALSE(FileExists(dir.File("out.xml")));
}

TEST(StartupTest, BlankValuesEndFailed)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    WriteFileBytes(dir.File("InOut.ini"), "[Sys]\nStrSql=  \nXmlName=out.xml\nDbName=\t\n");
    TRun run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);

    // A configuration without the section counts as empty too.
    WriteFileBytes(dir.File("InOut.ini"), "[Other]\nStrSql=select 1\nXmlName=o.xml\nDbName=x.db\n");
    run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, FailedLine);
}
