// The built xmlexport, run headless in a folder of its own with an InOut.ini and a generated
// SQLite database; the joined document is read back with libxml2 and compared with the rows.
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "tests/app/ExportFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>

using namespace xe;
namespace fs = std::filesystem;

namespace {

struct TRun {
    int ExitCode = -1;
    std::string Out; // standard output (UTF-8)
    std::string Err;
};

class ExportE2E : public ::testing::Test {
protected:
    base::TTempDir Dir { "xe-e2e" };
    std::string ExeDir = Dir.File("bin/");
    std::string DbName = Dir.File("data.db");
    std::string XmlName = Dir.File("out.xml");

    void SetUp() override
    {
        fs::create_directories(ExeDir);
        std::error_code error;
        fs::create_hard_link(XMLEXPORT_PATH, ExeDir + "xmlexport", error);
        if (error)
            fs::copy_file(XMLEXPORT_PATH, ExeDir + "xmlexport");
    }

    // Shell commands run before the executable in its shell (limits, traps).
    std::string Prefix;

    // Runs the executable headless from workDir (default: the test folder).
    TRun Run(std::string workDir = "", std::string const& arguments = "")
    {
        if (workDir.empty())
            workDir = Dir.Path();
        std::string command = "cd '" + workDir + "' && " + Prefix
            + " XMLEXPORT_BACKEND=headless timeout 120 '" + ExeDir + "xmlexport' " + arguments + " >'"
            + Dir.File("stdout") + "' 2>'" + Dir.File("stderr") + "' </dev/null";
        int status = std::system(command.c_str());
        TRun run;
        run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = base::ReadFileBytes(Dir.File("stdout"));
        run.Err = base::ReadFileBytes(Dir.File("stderr"));
        return run;
    }

    void Configure(std::string const& sql, std::string const& xmlName = "")
    {
        test::WriteInOutIni(ExeDir + "InOut.ini", sql, xmlName.empty() ? XmlName : xmlName, DbName, "");
    }

    std::string Compare(std::string const& sql, std::string const& xml = "")
    {
        auto expected = test::QueryRows(DbName, sql);
        return test::CompareRows(
            test::ReadRowsetFile(xml.empty() ? XmlName : xml), expected, { "id", "name", "note" });
    }
};

bool Contains(std::string const& haystack, std::u8string_view needle)
{
    return haystack.find(std::string(needle.begin(), needle.end())) != std::string::npos;
}

} // namespace

TEST_F(ExportE2E, NoRowsWriteTheEmptyDocumentOverAnEarlierOutput)
{
    test::CreateSampleDatabase(DbName, { .Rows = 50 });
    base::WriteFileBytes(XmlName, "<xml><rs:data>\r\n\t<z:row id='999'/>\r\n</rs:data>\r\n</xml>");
    Configure("select * from t where id > 1000");
    TRun run = Run();
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Contains(run.Out, u8"正在导出数据...\n导出数据成功\n")) << run.Out;
    test::TRowset document = test::ReadRowsetFile(XmlName);
    ASSERT_TRUE(document.Parsed) << document.Error;
    EXPECT_EQ(document.Rows.size(), 0u);
    EXPECT_EQ(document.DataBlocks, 1);
    // The schema is the statement's: every column of the table.
    EXPECT_EQ(document.AttributeNames.size(), 11u);
    EXPECT_FALSE(base::FileExists(Dir.File("Tempout.xml")));
}

TEST_F(ExportE2E, OnePageAndTwoPages)
{
    test::CreateSampleDatabase(DbName, { .Rows = 31 });
    Configure("select * from t where id <= 30");
    TRun run = Run();
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Compare("select * from t where id <= 30 order by id"), "");

    Configure("select * from t");
    run = Run();
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Compare("select * from t order by id"), "");
    EXPECT_FALSE(base::FileExists(Dir.File("Tempout.xml")));
    EXPECT_TRUE(Contains(run.Out, u8"正在导出数据...\n导出数据成功\n")) << run.Out;
}

TEST_F(ExportE2E, ShuffledTableGivesEveryRowOnceInIdOrder)
{
    test::CreateSampleDatabase(DbName, { .Rows = 1000, .Seed = 99, .Shuffled = true });
    Configure("select * from t");
    TRun run = Run();
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Compare("select * from t order by id"), "");
    // Every column type of the table is in the schema; NULLs are absent attributes.
    auto document = test::ReadRowsetFile(XmlName);
    EXPECT_EQ(document.AttributeNames.size(), 11u);
}

TEST_F(ExportE2E, ChineseInTheStatementAndTheData)
{
    test::CreateSampleDatabase(DbName, { .Rows = 200, .Shuffled = true });
    // InOut.ini is written in GBK; the literals must reach the database intact. Under ADO,
    // Like takes % for any text and _ for one character.
    Configure("select * from t where name like '张三%' or name like '数_4' or name = '数据4'");
    TRun run = Run();
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    std::string const check
        = "select * from t where name like '张三%' or name like '数_4' or name = '数据4' order by id";
    EXPECT_EQ(test::QueryRows(DbName, check).size(), 21u);
    EXPECT_EQ(Compare(check), "");
}

TEST_F(ExportE2E, TrueAndWildcardsAsAdoMeansThem)
{
    test::CreateSampleDatabase(DbName, { .Rows = 200, .Shuffled = true });
    // An SQLite file keeps its own booleans (True is 1); Like takes % and _.
    Configure("select * from t where flag = True and (name like '张_1%' or name like '数据_')");
    TRun run = Run();
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    std::string const check
        = "select * from t where flag = 1 and (name like '张_1%' or name like '数据_') order by id";
    EXPECT_GT(test::QueryRows(DbName, check).size(), 0u);
    EXPECT_EQ(Compare(check), "");
}

TEST_F(ExportE2E, ExistingOutputIsReplaced)
{
    test::CreateSampleDatabase(DbName, { .Rows = 65 });
    base::WriteFileBytes(XmlName, "<xml><rs:data>\r\n\t<z:row id='999'/>\r\n</rs:data>\r\n</xml>");
    base::WriteFileBytes(Dir.File("Tempout.xml"), "left over");
    Configure("select * from t");
    TRun run = Run();
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Compare("select * from t order by id"), "");
    EXPECT_FALSE(base::FileExists(Dir.File("Tempout.xml")));
}

TEST_F(ExportE2E, RelativeOutputResolvesAgainstTheWorkingDirectory)
{
    test::CreateSampleDatabase(DbName, { .Rows = 40 });
    fs::create_directories(Dir.File("work/sub"));
    Configure("select * from t", "sub/rel.xml");
    TRun run = Run(Dir.File("work"));
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Compare("select * from t order by id", Dir.File("work/sub/rel.xml")), "");
    EXPECT_FALSE(base::FileExists(Dir.File("work/sub/Temprel.xml")));
    EXPECT_FALSE(base::FileExists(ExeDir + "sub/rel.xml"));
}

TEST_F(ExportE2E, BadStatementEndsWithExitCodeOne)
{
    test::CreateSampleDatabase(DbName, { .Rows = 10 });
    Configure("select * from no_such_table");
    TRun run = Run();
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_FALSE(run.Err.empty());
    EXPECT_FALSE(Contains(run.Out, u8"导出数据成功")) << run.Out;
    EXPECT_FALSE(base::FileExists(XmlName));
}

TEST_F(ExportE2E, MissingIdColumnEndsWithExitCodeOne)
{
    test::CreateSampleDatabase(DbName, { .Rows = 10 });
    Configure("select name, note from t");
    TRun run = Run();
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_FALSE(run.Err.empty());
    EXPECT_FALSE(Contains(run.Out, u8"导出数据成功")) << run.Out;
}

TEST_F(ExportE2E, MissingConfigurationIsAFailedStart)
{
    TRun run = Run();
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_NE(run.Err.find("gives no StrSql"), std::string::npos) << run.Err;
    EXPECT_TRUE(Contains(run.Out, u8"数据初始化失败...")) << run.Out;
    EXPECT_TRUE(base::FileExists(ExeDir + "InOut.ini"));
    EXPECT_EQ(base::FileSize(ExeDir + "InOut.ini"), 0);
}

TEST_F(ExportE2E, AFullDiskEndsWithAnErrorAndLeavesNoOutput)
{
    // The file size limit stands in for a full disk: writes beyond it fail. The tool ignores
    // SIGXFSZ, so it sees the failed write instead of being killed by it.
    test::CreateSampleDatabase(DbName, { .Rows = 600 });
    std::string const dbBytes = base::ReadFileBytes(DbName);
    Configure("select * from t");
    Prefix = "ulimit -f 40;";
    TRun run = Run();
    EXPECT_EQ(run.ExitCode, 1) << run.Out << run.Err;
    EXPECT_FALSE(Contains(run.Out, u8"导出数据成功")) << run.Out;
    EXPECT_NE(run.Err.find("out.xml\". File too large."), std::string::npos) << run.Err;
    EXPECT_FALSE(base::FileExists(XmlName));
    EXPECT_FALSE(base::FileExists(Dir.File("Tempout.xml")));
    EXPECT_EQ(base::ReadFileBytes(DbName), dbBytes);

    // Without the limit the same run succeeds.
    Prefix.clear();
    run = Run();
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Compare("select * from t order by id"), "");
}

TEST_F(ExportE2E, AnOutputNamedLikeTheDatabaseIsRefused)
{
    test::CreateSampleDatabase(DbName, { .Rows = 45 });
    std::string const dbBytes = base::ReadFileBytes(DbName);
    Configure("select * from t", DbName);
    TRun run = Run();
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_FALSE(Contains(run.Out, u8"导出数据成功")) << run.Out;
    EXPECT_NE(run.Err.find("is the database"), std::string::npos) << run.Err;
    EXPECT_EQ(base::ReadFileBytes(DbName), dbBytes);
}

TEST_F(ExportE2E, HelpVersionAndUnknownArguments)
{
    TRun run = Run("", "--help");
    EXPECT_EQ(run.ExitCode, 0);
    for (char const* part : { "Usage: xmlexport", "InOut.ini", "StrSql", "XMLEXPORT_BACKEND",
             "XMLEXPORT_CODEPAGE", "Exit status", "2  an argument" })
        EXPECT_NE(run.Out.find(part), std::string::npos) << part << " missing from:\n" << run.Out;
    EXPECT_EQ(run.Err, "");

    run = Run("", "--version");
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out.rfind("xmlexport ", 0), 0u) << run.Out;

    run = Run("", "--frobnicate");
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Err.find("--frobnicate"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
    run = Run("", "--help extra");
    EXPECT_EQ(run.ExitCode, 2);

    // None of them touched a file: no configuration was created.
    EXPECT_FALSE(base::FileExists(ExeDir + "InOut.ini"));
}
