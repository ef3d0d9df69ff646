#include "app/PagedExport.h"

#include "app/XmlSplice.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/db/Connection.h"
#include "platform/db/Materializations.h"
#include "tests/app/ExportFixtures.h"

#include <gtest/gtest.h>

using namespace xe;
using app::RunPagedExport;

namespace {

// Records the export's calls and stops it after a given page, as a confirmed close would.
class TRecordingSteps : public app::TExportSteps {
public:
    int64_t StopAfter = -1;
    int64_t Pages = -1;
    int64_t Rows = -1;
    std::vector<int64_t> Done;
    std::vector<bool> OutputExistedAfter;
    std::string XmlName;

    void Start(int64_t pageCount, int64_t rowCount) override
    {
        Pages = pageCount;
        Rows = rowCount;
    }
    bool Cancelled() override { return StopAfter >= 0 && int64_t(Done.size()) >= StopAfter; }
    void PageDone(int64_t page, int64_t) override
    {
        Done.push_back(page);
        OutputExistedAfter.push_back(base::FileExists(XmlName));
    }
};

class PagedExport : public ::testing::Test {
protected:
    base::TTempDir Dir { "xe-export" };
    std::string DbName = Dir.File("sample.db");
    std::string XmlName = Dir.File("out.xml");
    db::TADOConnection Connection;

    void Open(test::TSampleOptions const& options)
    {
        test::CreateSampleDatabase(DbName, options);
        Connection.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + DbName + ";";
        Connection.Open();
    }

    TRecordingSteps Run(std::string const& sql, int64_t stopAfter = -1)
    {
        TRecordingSteps steps;
        steps.StopAfter = stopAfter;
        steps.XmlName = XmlName;
        RunPagedExport(Connection, sql, XmlName, steps);
        return steps;
    }

    std::string Compare(std::string const& sql)
    {
        auto expected = test::QueryRows(DbName, sql);
        return test::CompareRows(test::ReadRowsetFile(XmlName), expected, { "id", "name", "note" });
    }
};

} // namespace

TEST(PagedExportTexts, StatementsKeepTheirExactSpacing)
{
    std::string const s = "select * from t where a = '某'";
    EXPECT_EQ(app::CountStatement(s), "select count(*) from (select * from t where a = '某') as a");
    EXPECT_EQ(
        app::FirstPageStatement(s), "select top 30 * from (select * from t where a = '某') order by id");
    EXPECT_EQ(app::LastIdStatement(s, 30),
        "select MAX(ID) from (select top 30 *  from (select * from t where a = '某') order by id) ");
    EXPECT_EQ(app::NextPageStatement(s, -7),
        "select top 30 * from (select * from t where a = '某') WHERE  id >-7 order by id");
}

TEST(PagedExportTexts, PageCountAndTempName)
{
    EXPECT_EQ(app::PageCount(0), 0);
    EXPECT_EQ(app::PageCount(1), 1);
    EXPECT_EQ(app::PageCount(30), 1);
    EXPECT_EQ(app::PageCount(31), 2);
    EXPECT_EQ(app::PageCount(300), 10);
    EXPECT_EQ(app::TempFileName("/some/dir/data.xml"), "/some/dir/Tempdata.xml");
    EXPECT_EQ(app::TempFileName("data.xml"), "Tempdata.xml");
    EXPECT_EQ(app::TempFileName("rel/数据.xml"), "rel/Temp数据.xml");
}

TEST_F(PagedExport, NoRowsWriteTheEmptyDocument)
{
    Open({ .Rows = 0 });
    base::WriteFileBytes(XmlName, "an earlier run's result");
    TRecordingSteps steps = Run("select * from t");
    EXPECT_EQ(steps.Pages, 0);
    EXPECT_EQ(steps.Rows, 0);
    EXPECT_TRUE(steps.Done.empty());
    test::TRowset document = test::ReadRowsetFile(XmlName);
    ASSERT_TRUE(document.Parsed) << document.Error;
    EXPECT_TRUE(document.Rows.empty());
    EXPECT_EQ(document.AttributeNames.size(), 11u);
}

TEST_F(PagedExport, OneAndTwoPages)
{
    Open({ .Rows = 31 });
    TRecordingSteps steps = Run("select * from t where id <= 30");
    EXPECT_EQ(steps.Pages, 1);
    EXPECT_EQ(Compare("select * from t where id <= 30 order by id"), "");

    steps = Run("select * from t");
    EXPECT_EQ(steps.Pages, 2);
    EXPECT_EQ(steps.Done, (std::vector<int64_t> { 1, 2 }));
    EXPECT_EQ(Compare("select * from t order by id"), "");
    EXPECT_FALSE(base::FileExists(app::TempFileName(XmlName))) << "the temp file is deleted at the end";
}

TEST_F(PagedExport, ShuffledPhysicalOrderGivesEveryRowOnceInIdOrder)
{
    Open({ .Rows = 1000, .Seed = 7, .Shuffled = true, .FirstId = -40, .IdStep = 3 });
    TRecordingSteps steps = Run("select * from t");
    EXPECT_EQ(steps.Pages, 34);
    EXPECT_EQ(Compare("select * from t order by id"), "");
}

// Every later page is answered from the statement's rows in id order (the ordered copy, or
// a seek through the table's integer key), never by running the statement in full: paging
// texts that the database layer no longer recognised would make the export quadratic again.
TEST_F(PagedExport, LaterPagesAreAnsweredInIdOrderNotByRunningTheStatement)
{
    Open({ .Rows = 300, .Shuffled = true }); // ten pages
    test::ExecSql(DbName,
        "CREATE TABLE k (id INTEGER PRIMARY KEY, name VARCHAR(40), note TEXT);"
        "INSERT INTO k SELECT id, name, note FROM t");
    struct TCase {
        char const* Sql;
        db::TRowSource Source;
        int64_t Plain; // statements run in full: the count, and the first page but for a seek
    };
    for (TCase const& c : { TCase { "select * from t", db::TRowSource::OrderedCopy, 2 },
             TCase { "select * from k", db::TRowSource::KeySeek, 1 } }) {
        SCOPED_TRACE(c.Sql);
        db::TMaterializations const& rows = Connection.Materializations();
        int64_t const plainBefore = rows.Opened(db::TRowSource::Statement);
        int64_t const inOrderBefore = rows.Opened(c.Source);
        Run(c.Sql);
        EXPECT_EQ(Compare(std::string(c.Sql) + " order by id"), "");
        EXPECT_EQ(rows.Opened(db::TRowSource::Statement) - plainBefore, c.Plain);
        EXPECT_EQ(rows.Opened(c.Source) - inOrderBefore, 2 * 9 + (2 - c.Plain));
    }
}

TEST_F(PagedExport, ReplacesAnExistingOutput)
{
    Open({ .Rows = 45 });
    base::WriteFileBytes(XmlName, std::string(100000, 'x') + "</rs:data>old");
    Run("select * from t");
    EXPECT_EQ(Compare("select * from t order by id"), "");
}

TEST_F(PagedExport, StopsBeforeThePageAfterTheStopAndRemovesWhatItWrote)
{
    Open({ .Rows = 300 });
    TRecordingSteps steps = Run("select * from t", 3);
    EXPECT_EQ(steps.Pages, 10);
    EXPECT_EQ(steps.Done, (std::vector<int64_t> { 1, 2, 3 }));
    EXPECT_FALSE(base::FileExists(app::TempFileName(XmlName)));
    EXPECT_FALSE(base::FileExists(XmlName)) << "three pages of ten would pass for a whole document";

    // A stop after the last page is still a stop; one before the first leaves an earlier
    // output as it was.
    EXPECT_EQ(Run("select * from t where id <= 60", 2).Done, (std::vector<int64_t> { 1, 2 }));
    EXPECT_FALSE(base::FileExists(XmlName));
    base::WriteFileBytes(XmlName, "an earlier run's result");
    EXPECT_TRUE(Run("select * from t", 0).Done.empty());
    EXPECT_EQ(base::ReadFileBytes(XmlName), "an earlier run's result");
}

TEST_F(PagedExport, DatabaseErrorsReachTheCaller)
{
    Open({ .Rows = 10 });
    EXPECT_THROW(Run("select nonsense from nowhere"), base::EDatabaseError);
    EXPECT_FALSE(base::FileExists(XmlName));
    // A statement without an id column fails at the first page.
    EXPECT_THROW(Run("select name from t"), base::Exception);
}

// The files as a user sees them between pages: the temp file holds the last page's whole
// document, and the output is the output before it, cut before its "</rs:data>", followed by
// that page's text after "<rs:data>". An output changed by someone else between pages is
// spliced the same way.
TEST_F(PagedExport, FilesBetweenPagesAreThoseOfSavingAndSplicingEachPage)
{
    Open({ .Rows = 100, .Shuffled = true });
    struct TWatchingSteps : TRecordingSteps {
        std::string TempName;
        std::string Before; // the output before the page
        std::vector<std::string> Problems;
        void PageDone(int64_t page, int64_t pages) override
        {
            TRecordingSteps::PageDone(page, pages);
            std::string const out = base::ReadFileBytes(XmlName);
            std::string const where = "after page " + std::to_string(page) + ": ";
            if (page == 1) {
                if (base::FileExists(TempName))
                    Problems.push_back(where + "a temp file before the second page");
            } else {
                std::string const temp = base::ReadFileBytes(TempName);
                size_t rows = 0;
                for (size_t at = temp.find("<z:row"); at != std::string::npos;
                     at = temp.find("<z:row", at + 1))
                    ++rows;
                if (rows != (page == pages ? 10u : 30u) || temp.rfind("<xml", 0) != 0
                    || !temp.ends_with("</rs:data>\r\n</xml>"))
                    Problems.push_back(where + "the temp file is not the page's document");
                std::string const expected
                    = Before.substr(0, Before.rfind("</rs:data>")) + temp.substr(temp.find("<rs:data>") + 9);
                if (out != expected)
                    Problems.push_back(where + "the output is not the splice of the page");
            }
            Before = out;
            if (page == 2) {
                // Another program rewrites the output between pages.
                Before = "<xml>\r\n<rs:data>\r\n\t<z:row id='0'/>\r\n</rs:data>\r\n</xml>";
                base::WriteFileBytes(XmlName, Before);
            }
        }
    } steps;
    steps.XmlName = XmlName;
    steps.TempName = app::TempFileName(XmlName);
    RunPagedExport(Connection, "select * from t", XmlName, steps);
    EXPECT_EQ(steps.Done, (std::vector<int64_t> { 1, 2, 3, 4 }));
    EXPECT_TRUE(steps.Problems.empty()) << steps.Problems.front();
    EXPECT_FALSE(base::FileExists(steps.TempName));
}

TEST(SplicePage, RefusesToJoinWithoutMarkersAndKeepsTheOutput)
{
    base::TTempDir dir("xe-splice");
    std::string const out = dir.File("out.xml");
    std::string const page = dir.File("Tempout.xml");
    std::string const good = "<xml><rs:data>\r\n\t<z:row id='1'/>\r\n</rs:data>\r\n</xml>";

    base::WriteFileBytes(out, good);
    base::WriteFileBytes(page, "<xml>no rows here</xml>");
    try {
        app::SplicePage(out, page);
        FAIL() << "a page without <rs:data> must not be joined";
    } catch (base::EFileError const& e) {
        EXPECT_NE(e.Message().find(page), std::string::npos) << e.Message();
    }
    EXPECT_EQ(base::ReadFileBytes(out), good);

    std::string const broken = "<xml><rs:data>\r\n\t<z:row id='1'/>\r\n" + std::string(200, ' ');
    base::WriteFileBytes(out, broken);
    base::WriteFileBytes(page, "<xml><rs:data>\r\n\t<z:row id='2'/>\r\n</rs:data>\r\n</xml>");
    try {
        app::SplicePage(out, page);
        FAIL() << "an output without </rs:data> must not be appended to";
    } catch (base::EFileError const& e) {
        EXPECT_NE(e.Message().find(out), std::string::npos) << e.Message();
    }
    EXPECT_EQ(base::ReadFileBytes(out), broken);

    base::WriteFileBytes(out, good);
    app::SplicePage(out, page);
    EXPECT_EQ(base::ReadFileBytes(out),
        "<xml><rs:data>\r\n\t<z:row id='1'/>\r\n\r\n\t<z:row id='2'/>\r\n</rs:data>\r\n</xml>");
}

TEST(TerminalProgress, LineShowsPagesRowsAndRate)
{
    EXPECT_EQ(app::TTerminalProgress::Line(3, 10, 290, 1500), "page 3/10, 90/290 rows, 60 rows/s");
    EXPECT_EQ(app::TTerminalProgress::Line(10, 10, 290, 0), "page 10/10, 290/290 rows, 0 rows/s");
}
