// The export under failure: every file operation made to fail in turn, names that are the
// database itself, and what is left on disk afterwards.
#include "app/PagedExport.h"
#include "app/XmlSplice.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/db/Connection.h"
#include "tests/app/ExportFixtures.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace xe;

namespace {

class TQuietSteps : public app::TExportSteps {
public:
    void Start(int64_t, int64_t) override { }
    bool Cancelled() override { return false; }
    void PageDone(int64_t, int64_t) override { }
};

// Counts the file layer's operations and fails the FailAt-th one (1-based; 0: none).
struct TFaultCounter {
    int Count = 0;
    int FailAt = 0;
    std::vector<std::string> Log;
    TFaultCounter()
    {
        FState.SetFileFaultHook([this](base::TFileOp op, std::string const& path) {
            ++Count;
            Log.push_back(std::string(base::FileOpName(op)) + " " + base::ExtractFileName(path));
            return Count == FailAt ? ENOSPC : 0;
        });
    }

private:
    test::TProcessState FState;
};

class ExportIntegrity : public ::testing::Test {
protected:
    base::TTempDir Dir { "xe-integrity" };
    std::string DbName = Dir.File("sample.db");
    std::string XmlName = Dir.File("out.xml");
    std::string DbBytes;
    db::TADOConnection Connection;

    void Open(int rows)
    {
        test::CreateSampleDatabase(DbName, { .Rows = rows, .Shuffled = true });
        DbBytes = base::ReadFileBytes(DbName);
        Connection.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + DbName + ";";
        Connection.Open();
    }
    void Export(std::string const& xmlName)
    {
        TQuietSteps steps;
        app::RunPagedExport(Connection, "select * from t", xmlName, steps);
    }
    bool OutputIsComplete()
    {
        return test::CompareRows(test::ReadRowsetFile(XmlName),
                   test::QueryRows(DbName, "select * from t order by id"), { "id", "name", "note" })
            == "";
    }
};

} // namespace

TEST_F(ExportIntegrity, EveryFailingFileOperationEndsTheRunWithAnErrorAndNoFalseOutput)
{
    Open(300); // ten pages: the first saved straight, nine spliced
    int operations = 0;
    {
        TFaultCounter counter;
        Export(XmlName);
        operations = counter.Count;
    }
    ASSERT_TRUE(OutputIsComplete());
    ASSERT_GT(operations, 2 * 9); // at least the page file and the output for each spliced page

    for (int n = 1; n <= operations; ++n) {
        SCOPED_TRACE("failing operation " + std::to_string(n));
        base::DeleteFile(XmlName);
        std::string message;
        std::string failed;
        {
            TFaultCounter counter;
            counter.FailAt = n;
            try {
                Export(XmlName);
            } catch (base::Exception const& e) {
                message = e.Message();
            }
            failed = counter.Log.at(size_t(n - 1));
        }
        SCOPED_TRACE("which was: " + failed);
        ASSERT_FALSE(message.empty()) << "the failure was not reported";
        EXPECT_TRUE(message.find(XmlName) != std::string::npos
            || message.find(app::TempFileName(XmlName)) != std::string::npos)
            << "the error names no file: " << message;
        EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
        // A run that failed leaves neither its output nor its page file behind.
        EXPECT_FALSE(base::FileExists(XmlName));
        EXPECT_FALSE(base::FileExists(app::TempFileName(XmlName)));
        EXPECT_EQ(base::ReadFileBytes(DbName), DbBytes);
    }
}

TEST_F(ExportIntegrity, AnEarlierOutputStaysUntilTheFirstPageReplacesIt)
{
    Open(45);
    base::WriteFileBytes(XmlName, "an earlier run's result");
    TFaultCounter counter;
    counter.FailAt = 1; // the deletion of the old output, before anything is written
    EXPECT_THROW(Export(XmlName), base::EFileError);
    EXPECT_EQ(counter.Log.front(), "delete out.xml");
    // It was the first page's save that failed: the output was about to be replaced, and the
    // failed run removes what it may have begun.
    EXPECT_FALSE(base::FileExists(XmlName));

    // An error before the first page (a bad statement) leaves an earlier output alone.
    base::WriteFileBytes(XmlName, "an earlier run's result");
    TQuietSteps steps;
    EXPECT_THROW(
        app::RunPagedExport(Connection, "select nonsense from nowhere", XmlName, steps), base::Exception);
    EXPECT_EQ(base::ReadFileBytes(XmlName), "an earlier run's result");
}

TEST_F(ExportIntegrity, TheDatabaseIsNeverTheOutputOrThePageFile)
{
    Open(45);
    auto refused = [&](std::string const& xmlName) {
        try {
            Export(xmlName);
        } catch (base::EFileError const& e) {
            EXPECT_NE(e.Message().find(DbName), std::string::npos) << e.Message();
            return true;
        }
        return false;
    };
    // The same name, a hard link, a symbolic link, and a page file name that is the database.
    EXPECT_TRUE(refused(DbName));
    ASSERT_EQ(::link(DbName.c_str(), Dir.File("hard.xml").c_str()), 0);
    EXPECT_TRUE(refused(Dir.File("hard.xml")));
    ASSERT_EQ(::symlink(DbName.c_str(), Dir.File("soft.xml").c_str()), 0);
    EXPECT_TRUE(refused(Dir.File("soft.xml")));
    ASSERT_EQ(::symlink(DbName.c_str(), Dir.File("Tempx.xml").c_str()), 0);
    EXPECT_TRUE(refused(Dir.File("x.xml")));
    EXPECT_FALSE(base::FileExists(Dir.File("x.xml")));
    EXPECT_EQ(base::ReadFileBytes(DbName), DbBytes);
    EXPECT_EQ(base::ReadFileBytes(Dir.File("hard.xml")), DbBytes);

    // Another name in the same folder is fine.
    Export(XmlName);
    EXPECT_TRUE(OutputIsComplete());
    EXPECT_EQ(base::ReadFileBytes(DbName), DbBytes);
}

TEST(FileLayer, ShortWritesAndFailuresNameTheFile)
{
    base::TTempDir dir("xe-file-layer");
    std::string const name = dir.File("out.xml");
    app::AppendText(name, "<rs:data>");
    {
        TFaultCounter counter;
        counter.FailAt = 2; // open succeeds, the write fails
        try {
            app::AppendText(name, "more");
            FAIL() << "a failed write passed";
        } catch (base::EFileError const& e) {
            EXPECT_EQ(e.Message(), "Cannot write file \"" + name + "\". No space left on device.");
        }
    }
    EXPECT_EQ(base::ReadFileBytes(name), "<rs:data>");
    {
        TFaultCounter counter;
        counter.FailAt = 3; // open, read, then the cut fails
        base::WriteFileBytes(name, "<x><rs:data>" + std::string(30, ' ') + "</rs:data></x>");
        EXPECT_THROW(app::TruncateAtDataEnd(name, 20), base::EFileError);
        EXPECT_EQ(counter.Log.at(2), "truncate out.xml");
    }
}
