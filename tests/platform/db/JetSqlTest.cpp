#include "platform/db/JetSql.h"
#include "platform/db/JetFunctions.h"
#include "platform/db/Sqlite.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace xe::db;
using xe::base::EDatabaseError;

namespace {

// An in-memory database with the Jet functions and a small table t(v, s).
class JetSqlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sqlite3_open(":memory:", &FDb);
        sqlite3_db_config(FDb, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        RegisterJetFunctions(FDb);
        sqlite3_exec(FDb,
            "CREATE TABLE t(id INTEGER, v INTEGER, s TEXT);"
            "INSERT INTO t VALUES (1, 10, 'alpha'), (2, 20, 'beta'), (3, 20, 'gamma'), (4, 30, NULL), (5, "
            "40, 'Alp');"
            "CREATE TABLE u(id INTEGER, w TEXT);"
            "INSERT INTO u VALUES (1, 'one'), (2, 'two'), (9, 'nine');",
            nullptr, nullptr, nullptr);
    }
    void TearDown() override { sqlite3_close(FDb); }

    // Every row of a Jet statement, columns joined by '|', NULL as "~".
    std::vector<std::string> Rows(std::string const& jet)
    {
        std::string sql = TranslateJet(jet);
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(FDb, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(
            FDb) << "\n" << sql;
        std::vector<std::string> rows;
        int rc;
        while (stmt && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            std::string row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                if (i)
                    row += "|";
                auto text = sqlite3_column_text(stmt, i);
                row += text ? reinterpret_cast<char const*>(text) : "~";
            }
            rows.push_back(row);
        }
        if (stmt && rc != SQLITE_DONE)
            rows.push_back("ERROR " + std::string(sqlite3_errmsg(FDb)));
        sqlite3_finalize(stmt);
        return rows;
    }
    std::string Value(std::string const& jet)
    {
        auto rows = Rows(jet);
        return rows.empty() ? "<no row>" : rows[0];
    }
    std::string ErrorOf(std::string const& jet)
    {
        try {
            TranslateJet(jet);
        } catch (EDatabaseError const& e) {
            return e.Message();
        }
        return "<no error>";
    }

    sqlite3* FDb = nullptr;
};

using V = std::vector<std::string>;

TEST_F(JetSqlTest, TokenizerKeepsKeywordsBracketsAndQuotesInsideLiterals)
{
    EXPECT_EQ(Value("SELECT 'select top 5 * from [x] where' AS s"), "select top 5 * from [x] where");
    EXPECT_EQ(Value("SELECT \"it's \"\"quoted\"\" & [not a name]\""), "it's \"quoted\" & [not a name]");
    EXPECT_EQ(Value("SELECT 'O''Brien'"), "O'Brien");
    EXPECT_EQ(Value("SELECT [s] FROM [t] WHERE [id] = 2"), "beta");
    EXPECT_EQ(Value("SELECT t.[s] AS [my name] FROM t WHERE t!id = 3"), "gamma");
    auto tokens = TokenizeJet("a<>b >= #1/2/2003# [x y]");
    ASSERT_EQ(tokens.size(), 7u);
    EXPECT_EQ(tokens[1].Text, "<>");
    EXPECT_EQ(tokens[4].Kind, TSqlToken::tkDate);
    EXPECT_EQ(tokens[5].Kind, TSqlToken::tkQuotedName);
    EXPECT_EQ(tokens[5].Text, "x y");
}

TEST_F(JetSqlTest, TopKeepsTiesWhenOrderedAsJetDoes)
{
    // 20 appears twice: TOP 2 ordered by v gives 10, 20, 20.
    EXPECT_EQ(Rows("SELECT TOP 2 v FROM t ORDER BY v"), (V { "10", "20", "20" }));
    EXPECT_EQ(Rows("SELECT TOP 1 v FROM t ORDER BY v DESC"), (V { "40" }));
    EXPECT_EQ(Rows("SELECT TOP 3 id FROM t ORDER BY v, id"), (V { "1", "2", "3" }));
    // Without ORDER BY there is nothing to tie on.
    EXPECT_EQ(Rows("SELECT TOP 2 id FROM t").size(), 2u);
    // Ordered by an alias of the select list.
    EXPECT_EQ(Rows("SELECT TOP 2 v * 2 AS twice FROM t ORDER BY twice"), (V { "20", "40", "40" }));
    // DISTINCT: ties among the distinct rows; duplicates do not push rows out.
    EXPECT_EQ(Rows("SELECT DISTINCT TOP 1 v, s FROM t WHERE v <= 20 ORDER BY v DESC"),
        (V { "20|beta", "20|gamma" }));
    EXPECT_EQ(Rows("SELECT DISTINCT TOP 3 v FROM t ORDER BY v"), (V { "10", "20", "30" }));
    EXPECT_EQ(Rows("SELECT DISTINCT TOP 1 * FROM t ORDER BY v DESC").size(), 1u);
    EXPECT_THROW(TranslateJet("SELECT DISTINCT TOP 1 s FROM t ORDER BY v"), EDatabaseError);
    // More than there are rows.
    EXPECT_EQ(Rows("SELECT TOP 99 id FROM t ORDER BY id").size(), 5u);
}

TEST_F(JetSqlTest, TopPercentRoundsUp)
{
    EXPECT_EQ(Rows("SELECT TOP 50 PERCENT id FROM t ORDER BY id"), (V { "1", "2", "3" }));
    EXPECT_EQ(Rows("SELECT TOP 20 PERCENT id FROM t").size(), 1u);
    EXPECT_EQ(Rows("SELECT TOP 100 PERCENT id FROM t").size(), 5u);
}

TEST_F(JetSqlTest, TopAtAnyDepth)
{
    EXPECT_EQ(Value("SELECT count(*) FROM (SELECT TOP 2 * FROM t ORDER BY v) AS a"), "3");
    EXPECT_EQ(Value("SELECT MAX(ID) FROM (select top 3 *  from (SELECT * FROM t) order by id) "), "3");
    EXPECT_EQ(Rows("SELECT s FROM t WHERE v IN (SELECT TOP 1 v FROM t ORDER BY v DESC)"), (V { "Alp" }));
    EXPECT_EQ(Value("SELECT (SELECT TOP 1 w FROM u ORDER BY id DESC) FROM t WHERE id = 1"), "nine");
    EXPECT_EQ(Rows("select top 2 * from (SELECT TOP 4 id, v FROM t ORDER BY id) WHERE  id >1 order by id"),
        (V { "2|20", "3|20" }));
}

TEST_F(JetSqlTest, DerivedTablesWithAndWithoutAlias)
{
    EXPECT_EQ(Value("select count(*) from (SELECT * FROM t WHERE v > 15) as a"), "4");
    EXPECT_EQ(Value("select count(*) from (SELECT * FROM t WHERE v > 15)"), "4");
    EXPECT_EQ(Value("SELECT x.s FROM (SELECT * FROM t) x WHERE x.id = 5"), "Alp");
}

TEST_F(JetSqlTest, LiteralsAndOperators)
{
    EXPECT_EQ(Value("SELECT #2024-01-05#"), "2024-01-05");
    EXPECT_EQ(Value("SELECT #1/5/2024 3:04:05 PM#"), "2024-01-05 15:04:05");
    EXPECT_EQ(Value("SELECT #12:30#"), "1899-12-30 12:30:00");
    EXPECT_EQ(Value("SELECT True & '|' & False & '|' & Yes & '|' & No"), "1|0|1|0");
    EXPECT_EQ(Value("SELECT 'a' & Null & 1.5 & 2"), "a1.52");
    EXPECT_EQ(Value("SELECT Null & Null"), "~");
    // & binds looser than +, as in Jet: (1 + 2) & 3.
    EXPECT_EQ(Value("SELECT 1 + 2 & 3"), "33");
    EXPECT_EQ(Value("SELECT 7 / 2"), "3.5");
    EXPECT_EQ(Value("SELECT 7 \\ 2 & ' ' & 7 Mod 3 & ' ' & 2 ^ 3 & ' ' & -2 ^ 2"), "3 1 8 -4");
    EXPECT_EQ(Rows("SELECT id FROM t WHERE v <> 20 AND NOT s Is Null ORDER BY id"), (V { "1", "5" }));
    EXPECT_EQ(
        Rows("SELECT id FROM t WHERE v Between 15 And 30 And id Not In (3) ORDER BY id"), (V { "2", "4" }));
}

// Long chains of one operator (a field list joined with separators, a long sum, many
// conditions) are written flat: nested, a few dozen of them overflowed SQLite's parser.
// Real nesting past the engine's depth gets an error that says so.
TEST_F(JetSqlTest, LongChainsRunAndDeepNestingSaysSo)
{
    std::string pieces = "SELECT Null", sum = "SELECT 0", terms = "SELECT id FROM t WHERE id > 0";
    std::string expected;
    for (int i = 1; i <= 250; ++i) {
        pieces += " & " + std::to_string(i % 10) + " & Null";
        expected += std::to_string(i % 10);
        sum += (i % 2 ? " + " : " - ") + std::to_string(i);
        terms += " AND id <> " + std::to_string(100 + i) + " OR id = -" + std::to_string(i);
    }
    EXPECT_EQ(Value(pieces), expected) << "a chain longer than one call's 100 arguments";
    EXPECT_EQ(Value(sum), "-125");
    EXPECT_EQ(Rows(terms + " ORDER BY id").size(), 5u);
    EXPECT_EQ(Value("SELECT 2 * 3 * 4 - 1 - 2 + 3"), "24");
    EXPECT_EQ(Value("SELECT 10 - (4 - 3) - (2 - 1)"), "8") << "parentheses on the right stay";

    std::string deep = "SELECT ";
    for (int i = 0; i < 40; ++i)
        deep += "Abs(1 + (1 * ";
    deep += "1" + std::string(80, ')');
    try {
        Prepare(FDb, TranslateJet(deep));
        ADD_FAILURE() << "a statement beyond the engine's depth ran";
    } catch (EDatabaseError const& e) {
        EXPECT_NE(std::string(e.what()).find("nested too deeply for the query engine"), std::string::npos)
            << e.what();
    }
}

TEST_F(JetSqlTest, LikeUsesAdoWildcards)
{
    // ADO runs Jet in ANSI-92 mode: % and _ are the wildcards; * ? # stand for themselves.
    EXPECT_EQ(Rows("SELECT id FROM t WHERE s Like 'al%' ORDER BY id"), (V { "1", "5" }));
    EXPECT_EQ(Rows("SELECT id FROM t WHERE s Like '_eta'"), (V { "2" }));
    EXPECT_EQ(Rows("SELECT id FROM t WHERE s Like '[b-g]%' ORDER BY id"), (V { "2", "3" }));
    EXPECT_EQ(Rows("SELECT id FROM t WHERE s Not Like '[!a]%' ORDER BY id"), (V { "1", "5" }));
    EXPECT_EQ(Rows("SELECT id FROM t WHERE s ALike 'AL%' ORDER BY id"), (V { "1", "5" }));
    EXPECT_EQ(Rows("SELECT id FROM t WHERE s Like 'al*'"), V {});
    EXPECT_EQ(
        Value("SELECT 'a1c' Like 'a#c', 'a#c' Like 'a#c', '50%' Like '50[%]', '50x' Like '50[%]', "
              "'xzy' Like 'x_y', 'a*b' Like 'a*b', 'axb' Like 'a*b', 'a?' Like 'A?', 'a_b' Like 'a[_]b'"),
        "0|1|1|0|1|1|0|1|1");
    EXPECT_TRUE(JetLike(U"数据表", U"数%"));
    EXPECT_FALSE(JetLike(U"数据表", U"数*"));
}

TEST_F(JetSqlTest, TrueIsWhatTheEngineStores)
{
    EXPECT_EQ(TranslateJet("SELECT True, Yes, False", -1), "SELECT -1, -1, 0");
    EXPECT_EQ(TranslateJet("SELECT True, On, No"), "SELECT 1, 1, 0");
    // A sign before it stays a sign, not the start of an SQL comment.
    EXPECT_EQ(TranslateJet("SELECT -True, 2 - -Yes", -1), "SELECT (- -1), (2 - (- -1))");
}

TEST_F(JetSqlTest, CommonFunctions)
{
    EXPECT_EQ(
        Value("SELECT IIf(v > 15, 'big', 'small'), Nz(s, 'none'), Nz(s) FROM t WHERE id = 4"), "big|none|");
    EXPECT_EQ(Value("SELECT Len(s), Mid(s, 2, 3), Mid(s, 3), Left(s, 2), Right(s, 3) FROM t WHERE id = 1"),
        "5|lph|pha|al|pha");
    EXPECT_EQ(Value("SELECT UCase('abc'), LCase('ABC'), '[' & Trim('  x  ') & ']', InStr('Hello', 'L'), "
                    "InStr(4, 'Hello', 'l'), InStr('Hello', 'z')"),
        "ABC|abc|[x]|3|4|0");
    EXPECT_EQ(Value("SELECT Len('数据'), Mid('数据导出', 2, 2)"), "2|据导");
    EXPECT_EQ(Value("SELECT Year(#2023-04-05 06:07:08#), Month(#2023-04-05#), Day('2023-04-05T01:02:03')"),
        "2023|4|5");
    EXPECT_EQ(
        Value("SELECT CStr(12) & 'x', CLng(2.5), CLng(3.5), CInt('12'), CDbl('1.5'), Int(-1.5), Abs(-3)"),
        "12x|2|4|12|1.5|-2|3");
    EXPECT_EQ(Value("SELECT Round(2.5), Round(3.5), Round(1.2345, 2)"), "2|4|1.23");
    EXPECT_NE(Value("SELECT Now(), Date()"), "~|~");
    EXPECT_EQ(Value("SELECT count(*), sum(v), min(s), max(v) FROM t"), "5|120|Alp|40");
}

TEST_F(JetSqlTest, JoinsUnionsGroups)
{
    EXPECT_EQ(Rows("SELECT t.id, u.w FROM (t INNER JOIN u ON t.id = u.id) ORDER BY t.id"),
        (V { "1|one", "2|two" }));
    EXPECT_EQ(Rows("SELECT t.id, u.w FROM t LEFT JOIN u ON t.id = u.id WHERE t.id <= 3 ORDER BY t.id"),
        (V { "1|one", "2|two", "3|~" }));
    EXPECT_EQ(
        Rows("SELECT id FROM t WHERE id < 2 UNION SELECT id FROM u ORDER BY id"), (V { "1", "2", "9" }));
    EXPECT_EQ(Rows("SELECT v, count(*) AS n FROM t GROUP BY v HAVING count(*) > 1"), (V { "20|2" }));
    EXPECT_EQ(Rows("SELECT TOP 1 v, count(*) FROM t GROUP BY v ORDER BY count(*) DESC"), (V { "20|2" }));
}

TEST_F(JetSqlTest, ErrorsNameTheConstructAndQuoteTheStatement)
{
    std::string e = ErrorOf("SELECT Foo(v) FROM t");
    EXPECT_NE(e.find("Undefined function 'Foo'"), std::string::npos) << e;
    EXPECT_NE(e.find("'SELECT Foo(v) FROM t'"), std::string::npos) << e;
    EXPECT_NE(ErrorOf("SELECT 'abc FROM t").find("Unterminated string"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT [abc FROM t").find("Unterminated bracketed name"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT #13/45/2020#").find("date"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT TOP x * FROM t").find("TOP"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT a FROM").find("FROM clause"), std::string::npos);
    EXPECT_NE(ErrorOf("DELETE FROM t").find("not supported"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT a Xor b FROM t").find("Xor"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT a FROM t WHERE").find("ends"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT a FROM t garbage more").find("after end"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT Mid('a') FROM t").find("Wrong number of arguments"), std::string::npos);
    EXPECT_NE(ErrorOf("SELECT a ? b").find("Invalid character"), std::string::npos);
}

// Statements a fuzzer found reaching SQLite half translated, or exhausting the stack: each
// gets the translator's own error.
TEST_F(JetSqlTest, MalformedStatementsGetTheTranslatorsError)
{
    auto translatorError = [](std::string const& sql) {
        try {
            std::string out = TranslateJet(sql);
            return "translated to: " + out;
        } catch (xe::base::EDatabaseError const& e) {
            return e.Message();
        }
    };
    EXPECT_NE(translatorError(std::string("SELECT \"a\0b\"", 13)).find("NUL"), std::string::npos);
    EXPECT_NE(translatorError(std::string("SELECT [a\0b] FROM t", 20)).find("NUL"), std::string::npos);
    EXPECT_NE(translatorError("SELECT 1=*").find("'*' stands only"), std::string::npos);
    EXPECT_NE(translatorError("SELECT id FROM t WHERE id = t.*").find("'*' stands only"), std::string::npos);
    EXPECT_NE(translatorError("SELECT * * 2 FROM t").find("'*' stands only"), std::string::npos);
    EXPECT_NE(
        translatorError("SELECT count(*) FROM t ORDER BY *").find("'*' stands only"), std::string::npos);
    EXPECT_NE(translatorError("SELECT*S").find("alias cannot follow"), std::string::npos);
    EXPECT_NE(translatorError("SELECT t.* AS x FROM t").find("alias cannot follow"), std::string::npos);
    EXPECT_NE(translatorError("SELECT t.z.y.F").find("at most three parts"), std::string::npos);
    EXPECT_NE(translatorError("SELECT a.b.* FROM t AS a").find("one table name only"), std::string::npos);
    EXPECT_NE(translatorError("SELECT 1 FROM a.b.c").find("at most two parts"), std::string::npos);
    EXPECT_NE(
        translatorError("SELECT " + std::string(2047, '-')).find("nested too deeply"), std::string::npos);
    EXPECT_NE(translatorError("SELECT " + std::string(300, '(') + "1" + std::string(300, ')'))
                  .find("nested too deeply"),
        std::string::npos);
    std::string nots;
    for (int i = 0; i < 300; ++i)
        nots += "NOT ";
    EXPECT_NE(translatorError("SELECT 1 WHERE " + nots + "1").find("nested too deeply"), std::string::npos);
    // What stays valid: stars where they belong, three-part names, moderate nesting.
    EXPECT_EQ(TranslateJet("SELECT *, t.* FROM main.t"), "SELECT *, \"t\".* FROM \"main\".\"t\"");
    EXPECT_EQ(TranslateJet("SELECT main.t.id FROM t"), "SELECT \"main\".\"t\".\"id\" FROM \"t\"");
    EXPECT_EQ(Value("SELECT " + std::string(50, '(') + "-(-1)" + std::string(50, ')')), "1");
}

TEST_F(JetSqlTest, DoubleQuotedTextIsNeverAName)
{
    // Jet's "..." is a string; SQLite's would be a name. The translation writes it as a string.
    EXPECT_EQ(Rows("SELECT id FROM t WHERE s = \"beta\""), (V { "2" }));
    EXPECT_NE(TranslateJet("SELECT \"id\" FROM t").find("'id'"), std::string::npos);
}

} // namespace
