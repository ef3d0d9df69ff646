#include "DbTestHelpers.h"

#include "platform/db/Query.h"
#include "platform/db/Variant.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

using namespace xe::db;
using namespace xe::test;
using xe::base::EConvertError;
using xe::base::EDatabaseError;

namespace {

class QueryTest : public xe::test::ProcessStateTest {
protected:
    void SetUp() override
    {
        State.UseCodePage("GBK");
        FPath = FDir.File("q.db");
        MakeDatabase(FPath,
            "CREATE TABLE t(id INTEGER PRIMARY KEY, name VARCHAR(20), amount REAL, note TEXT, \"乚名\" TEXT);"
            "INSERT INTO t VALUES (1, '数据', 1.5, NULL, 'x'), (2, 'b', NULL, 'n', 'y'), (3, 'c', 3, 'abc', "
            "'z');");
        FConn.ConnectionString = JetConnectionString(FPath);
        FConn.LoginPrompt = false;
        FConn.Open();
    }
    xe::base::TTempDir FDir;
    std::string FPath;
    TADOConnection FConn;
};

TEST_F(QueryTest, OpenIteratesFieldsAndCounts)
{
    TADOQuery q(&FConn);
    q.SetSQL("select count(*) from (SELECT * FROM t) as a");
    q.Open();
    ASSERT_TRUE(q.Active());
    EXPECT_EQ(q.Fields(0).AsInteger(), 3);

    q.SetSQL("SELECT id, name, amount FROM t ORDER BY id");
    EXPECT_FALSE(q.Active()); // setting the text closes the result
    q.Open();
    EXPECT_EQ(q.FieldCount(), 3);
    EXPECT_EQ(q.Fields(1).Name(), "name");
    EXPECT_EQ(q.Fields(0).DataType(), ftLargeint);
    EXPECT_EQ(q.Fields(1).DataType(), ftWideString);
    EXPECT_EQ(q.Fields(2).DataType(), ftFloat);
    EXPECT_EQ(q.RecordCount(), 3);
    std::vector<int64_t> ids;
    for (; !q.Eof(); q.Next())
        ids.push_back(q.Fields(0).AsInteger());
    EXPECT_EQ(ids, (std::vector<int64_t> { 1, 2, 3 }));
    EXPECT_THROW(q.Fields(0).Value(), EDatabaseError); // no current row at the end
    q.First();
    EXPECT_EQ(
        q.Fields(1).AsString(), xe::base::Ansi(u8"数据")); // text reaches the caller in the ANSI code page
    EXPECT_DOUBLE_EQ(q.Fields(2).AsFloat(), 1.5);
    EXPECT_THROW(q.Fields(3), EDatabaseError);
    ASSERT_NE(q.FindField("NAME"), nullptr);
}

TEST_F(QueryTest, StatementIsConvertedFromTheAnsiCodePageBeforeTranslation)
{
    // The GBK bytes of 乚 end in ']' (0x81 0x5D): a translator working on the raw bytes
    // would end the bracketed name in the middle of the character.
    std::string gbkName = xe::base::Ansi(u8"乚名");
    ASSERT_NE(gbkName.find(']'), std::string::npos);
    TADOQuery q(&FConn);
    q.SetSQL("SELECT [" + gbkName + "] FROM t WHERE name = '" + xe::base::Ansi(u8"数据") + "'");
    q.Open();
    EXPECT_EQ(q.Fields(0).Name(), gbkName);
    EXPECT_EQ(q.Fields(0).AsString(), "x");
    // Errors quote the statement as the user wrote it, in the ANSI code page.
    std::string bad = "SELECT Foo([" + gbkName + "]) FROM t";
    q.SetSQL(bad);
    try {
        q.Open();
        FAIL();
    } catch (EDatabaseError const& e) {
        EXPECT_NE(e.Message().find("'" + bad + "'"), std::string::npos) << e.Message();
    }
}

TEST_F(QueryTest, VariantToIntegerConversionErrors)
{
    TADOQuery q(&FConn);
    q.SetSQL("select MAX(ID) from (select top 0 *  from (SELECT * FROM t) order by id) ");
    q.Open();
    ASSERT_TRUE(q.Fields(0).IsNull());
    try {
        q.Fields(0).AsVariant().AsInteger();
        FAIL() << "no error";
    } catch (EConvertError const& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (Null) into type (Integer)");
    }
    EXPECT_THROW(TVariant::FromString("abc").AsInteger(), EConvertError);
    try {
        TVariant::FromString("abc").AsInteger();
    } catch (EConvertError const& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (OleStr) into type (Integer)");
    }
    EXPECT_EQ(TVariant::FromString(" 42 ").AsInteger(), 42);
    EXPECT_EQ(TVariant::FromDouble(2.5).AsInteger(), 2); // half to even
    EXPECT_EQ(TVariant::FromDouble(3.5).AsInteger(), 4);
    EXPECT_EQ(TVariant::FromInt(5000000000).AsInteger(), 5000000000); // beyond 32 bits, kept
    EXPECT_THROW(TVariant::FromDouble(1e30).AsInteger(), EConvertError);
    EXPECT_EQ(TVariant::FromDouble(0.1).AsString(), "0.1");
}

TEST_F(QueryTest, SqliteErrorsReadAsJetErrors)
{
    TADOQuery q(&FConn);
    q.SetSQL("SELECT * FROM nosuch");
    try {
        q.Open();
        FAIL();
    } catch (EDatabaseError const& e) {
        EXPECT_NE(e.Message().find("cannot find the input table or query 'nosuch'"), std::string::npos);
    }
    q.SetSQL("select top 30 * from (SELECT name FROM t) order by id");
    try {
        q.Open();
        FAIL();
    } catch (EDatabaseError const& e) {
        EXPECT_NE(e.Message().find("No value given for one or more required parameters"), std::string::npos);
        EXPECT_NE(e.Message().find("id"), std::string::npos);
    }
    EXPECT_FALSE(q.Active());
    // A function failing at run time.
    q.SetSQL("SELECT CLng(note) FROM t");
    EXPECT_THROW(q.Open(), EDatabaseError);

    TADOConnection closed;
    TADOQuery q2(&closed);
    q2.SetSQL("SELECT 1");
    EXPECT_THROW(q2.Open(), EDatabaseError);
}

} // namespace

// Jet's rules for aggregates and computed columns hold on Access data only; SQLite files keep
// SQLite's: a bare column of an aggregate takes one row's value, and a computed column is
// named after its expression.
TEST_F(QueryTest, SqliteFilesKeepSqlitesRulesForAggregates)
{
    TADOQuery q(&FConn);
    q.SetSQL("select name, sum(amount) from t where id = 3");
    q.Open();
    EXPECT_EQ(q.Fields(0).AsString(), "c");
    EXPECT_DOUBLE_EQ(q.Fields(1).AsFloat(), 3);
    EXPECT_EQ(q.Fields(1).Name(), "sum(\"amount\")");
    EXPECT_EQ(q.Fields(1).Info().Type, adLongVarWChar);
}
