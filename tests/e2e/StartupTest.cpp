// The built executable, run as a user runs it: copied alone into a folder, no arguments,
// headless. It must end in the failed state when its configuration cannot give a connection.
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "tests/app/ExportFixtures.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace xe::base;

namespace {

struct TRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// How a run is started: its environment (on top of an empty DISPLAY and WAYLAND_DISPLAY),
// its arguments and the folder it runs in (the executable's folder when empty).
struct TRunOptions {
    std::string Environment = "XMLEXPORT_BACKEND=headless";
    std::string Arguments {};
    std::string WorkingDirectory {};
    int TimeoutSeconds = 60;
};

// Runs the copy of xmlexport in dir and collects its output streams.
TRun RunIn(TTempDir const& dir, TRunOptions const& options = {})
{
    std::string exe = dir.File("xmlexport");
    std::string cwd = options.WorkingDirectory.empty() ? dir.Path() : options.WorkingDirectory;
    std::string command = "cd '" + cwd
        + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u XMLEXPORT_BACKEND -u XMLEXPORT_CODEPAGE -u "
          "XMLEXPORT_JET3_CODEPAGE "
        + options.Environment + " timeout " + std::to_string(options.TimeoutSeconds) + " '" + exe + "' "
        + options.Arguments + " 2>'" + dir.File("stderr.txt") + "' </dev/null";
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

bool Has(std::string const& text, std::string_view part) { return text.find(part) != std::string::npos; }

size_t CountOf(std::string const& text, std::string_view part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
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
    // The user is told where the empty configuration now is, then what it lacks.
    std::string const expected = std::string("Created an empty configuration \"")
                                     .append(dir.File("InOut.ini"))
                                     .append("\".\n\"")
                                     .append(dir.File("InOut.ini"))
                                     .append("\" gives no StrSql in section [Sys].\n");
    EXPECT_EQ(run.Err, expected);
    // A configuration that is there is not announced again.
    run = RunIn(dir);
    EXPECT_FALSE(Has(run.Err, "Created")) << run.Err;
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
    xe::test::CreateSampleDatabase(dir.File("data.db"), { .Rows = 5 });
    // The database is fine; the statement's table is not there: the start succeeds and the
    // export fails, which is exit code 1 too, with the statement's error.
    xe::test::WriteInOutIni(
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
    xe::test::TSampleOptions options;
    options.Rows = 45;
    xe::test::CreateSampleDatabase(folder + "数据.db", options);
    xe::test::WriteInOutIni(
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
    xe::test::TRowset document = xe::test::ReadRowsetFile(folder + "结果.xml");
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
    xe::test::TSampleOptions options;
    options.Rows = 35;
    xe::test::CreateSampleDatabase(root + "data.db", options);
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
        EXPECT_EQ(xe::test::ReadRowsetFile(root + "out.xml").Rows.size(), 35u);
        ::unlink((root + "out.xml").c_str());
    }
    // Nothing was created under a name made of question marks.
    EXPECT_FALSE(DirectoryExists(temp.Path() + "Bj?rn"));
    EXPECT_FALSE(FileExists(temp.Path() + "Bj?rn/InOut.ini"));
}

TEST(StartupTest, SettingsAndArgumentsTheToolDoesNotTakeAreRefusedAtStart)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    struct TCase {
        std::string Environment;
        std::string Arguments;
        std::string_view Says;
    };
    TCase const cases[] = {
        { "XMLEXPORT_BACKEND=x11", "", "use sdl or headless" },
        { "XMLEXPORT_CODEPAGE=NOPE", "", "such as GBK" },
        { "XMLEXPORT_CODEPAGE=UTF-16", "", "keeps ASCII as it is" },
        { "XMLEXPORT_JET3_CODEPAGE=gbk", "", "code page number" },
        { "XMLEXPORT_BACKEND=headless", "--help --version", "one argument at most" },
    };
    for (TCase const& c : cases) {
        SCOPED_TRACE(c.Environment + " " + c.Arguments);
        TRun run = RunIn(dir, { .Environment = c.Environment, .Arguments = c.Arguments });
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(Has(run.Err, c.Says)) << run.Err;
        EXPECT_EQ(run.Out, "");
    }
    // Refused before anything ran: no configuration was created.
    EXPECT_FALSE(FileExists(dir.File("InOut.ini")));

    TRun run = RunIn(dir, { .Arguments = "--help" });
    EXPECT_EQ(run.ExitCode, 0);
    for (std::string_view part : { "XMLEXPORT_JET3_CODEPAGE", "2  an argument or setting", "128+N" })
        EXPECT_TRUE(Has(run.Out, part)) << part << " missing from:\n" << run.Out;
}

TEST(StartupTest, ADisplayThatCannotBeReachedRunsHeadless)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    xe::test::CreateSampleDatabase(dir.File("data.db"), { .Rows = 40 });
    xe::test::WriteInOutIni(dir.File("InOut.ini"), "select * from t", "out.xml", dir.File("data.db"), "");
    // A display no server answers on, as a stale DISPLAY under ssh, cron or sudo is.
    int number = 55;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))
        || std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock"))
        ++number;
    std::string const display = ":" + std::to_string(number);
    TRun run = RunIn(dir, { .Environment = "DISPLAY=" + display, .TimeoutSeconds = 30 });
    EXPECT_EQ(run.ExitCode, 0) << "124 is a run that waited for a window nobody sees\n" << run.Err;
    EXPECT_EQ(CountOf(run.Err, "No display is reachable (DISPLAY=" + display + ")"), 1u) << run.Err;
    EXPECT_EQ(CountOf(run.Err, "\n"), 1u) << run.Err;
    EXPECT_TRUE(Has(run.Out, reinterpret_cast<char const*>(u8"导出数据成功"))) << run.Out;
    EXPECT_EQ(xe::test::ReadRowsetFile(dir.File("out.xml")).Rows.size(), 40u);

    // A window asked for where there is no display is a failed start, before any export.
    ASSERT_TRUE(DeleteFile(dir.File("out.xml")));
    run = RunIn(dir, { .Environment = "XMLEXPORT_BACKEND=sdl", .TimeoutSeconds = 30 });
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_TRUE(Has(run.Err, "XMLEXPORT_BACKEND=sdl asks for a window, but no display is reachable"))
        << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_FALSE(FileExists(dir.File("out.xml")));
}

TEST(StartupTest, ConfigurationTextIsReadInTheEncodingItWasSavedIn)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    xe::test::CreateSampleDatabase(dir.File("data.db"), { .Rows = 12 });
    std::string const utf8 = "[Sys]\r\nStrSql=select * from t\r\nXmlName="
        + std::string(reinterpret_cast<char const*>(u8"结果.xml")) + "\r\nDbName=data.db\r\n";

    // An editor's UTF-8, with a byte-order mark and without one.
    for (std::string const& mark : { std::string("\xEF\xBB\xBF"), std::string() }) {
        SCOPED_TRACE(mark.empty() ? "UTF-8" : "UTF-8 with a byte-order mark");
        WriteFileBytes(dir.File("InOut.ini"), mark + utf8);
        TRun run = RunIn(dir);
        EXPECT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        std::string const output = dir.Path() + reinterpret_cast<char const*>(u8"结果.xml"); // on disk, UTF-8
        EXPECT_EQ(xe::test::ReadRowsetFile(output).Rows.size(), 12u);
        ::unlink(output.c_str());
    }

    // Bytes that are text in no code page the tool reads: the value is named, not used.
    WriteFileBytes(dir.File("InOut.ini"),
        "[Sys]\r\nStrSql=select * from t\r\nXmlName=caf\xE9.xml\r\nDbName=data.db\r\n");
    TRun run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, FailedLine);
    EXPECT_EQ(run.Err,
        "The XmlName value in \"" + dir.File("InOut.ini")
            + "\" is not text in the code page GBK; save the file in GBK or in UTF-8.\n");

    // UTF-8 with a character GBK has no place for: converted, it would be another password.
    WriteFileBytes(dir.File("InOut.ini"),
        "\xEF\xBB\xBF[Sys]\r\nStrSql=select * from "
        "t\r\nXmlName=out.xml\r\nDbName=data.db\r\nDbPass=key\xF0\x9F\x94\x91\r\n");
    run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err,
        "The DbPass value in \"" + dir.File("InOut.ini")
            + "\" (read as UTF-8) does not convert to the code page GBK.\n");
    EXPECT_FALSE(FileExists(dir.File("out.xml")));
}

TEST(StartupTest, RelativeNamesAreShownWhereTheyWereLookedFor)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    ASSERT_TRUE(ForceDirectories(dir.File("work")));
    WriteFileBytes(
        dir.File("InOut.ini"), "[Sys]\r\nStrSql=select * from t\r\nXmlName=out.xml\r\nDbName=a.mdb\r\n");
    // Relative names resolve against the current directory, not the executable's.
    TRun run = RunIn(dir, { .WorkingDirectory = dir.File("work") });
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "Could not find file '" + dir.File("work/a.mdb") + "'.\n");
}

#ifdef XE_MAKE_JET_DEMO
TEST(StartupTest, AChinesePasswordSavedAsUtf8OpensTheDatabase)
{
    TTempDir dir("xe-e2e");
    Install(dir);
    std::string command
        = std::string("'") + XE_MAKE_JET_DEMO + "' '" + dir.File("orders.mdb") + "' 40 '演示-2024'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto configuration = [](char const* password) {
        return "[Sys]\r\nStrSql=select * from orders\r\nXmlName=out.xml\r\nDbName=orders.mdb\r\nDbPass="
            + std::string(password) + "\r\n";
    };
    WriteFileBytes(dir.File("InOut.ini"), configuration(reinterpret_cast<char const*>(u8"演示-2024")));
    TRun run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(xe::test::ReadRowsetFile(dir.File("out.xml")).Rows.size(), 40u);

    // A wrong one says which database refused it, and that the file was taken for UTF-8.
    WriteFileBytes(dir.File("InOut.ini"), configuration(reinterpret_cast<char const*>(u8"演示-2023")));
    run = RunIn(dir);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err,
        "Not a valid password. The database is '" + dir.File("orders.mdb") + "'. (\"" + dir.File("InOut.ini")
            + "\" was read as UTF-8 text.)\n");
}
#endif

#if defined(XE_MAKE_JET_DEMO) && defined(XE_SOURCE_DIR)
TEST(StartupTest, TheDemoFolderExportsIntoItselfWhereverItIsMoved)
{
    TTempDir dir("xe-e2e");
    std::string const log = dir.File("demo.log");
    std::string command
        = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u XMLEXPORT_BACKEND -u XMLEXPORT_CODEPAGE ")
        + "XE_DEMO_NO_BUILD=1 XE_BUILD_DIR='" + XE_BUILD_DIR + "' XE_DEMO_DIR='" + dir.File("demo")
        + "' XE_DEMO_ROWS=45 timeout 120 '" + XE_SOURCE_DIR + "/scripts/demo' >'" + log + "' 2>&1 </dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFileBytes(log);
    EXPECT_EQ(xe::test::ReadRowsetFile(dir.File("demo/orders.xml")).Rows.size(), 45u);

    ASSERT_EQ(::rename(dir.File("demo").c_str(), dir.File("moved").c_str()), 0);
    command = "cd '" + dir.File("moved") + "' && XMLEXPORT_BACKEND=headless timeout 60 ./xmlexport >'" + log
        + "' 2>&1 </dev/null";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFileBytes(log);
    EXPECT_EQ(xe::test::ReadRowsetFile(dir.File("moved/orders.xml")).Rows.size(), 45u);
    // Nothing went back to where the folder was made.
    EXPECT_FALSE(DirectoryExists(dir.File("demo")));
}
#endif
