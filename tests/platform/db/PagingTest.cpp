#include "DbTestHelpers.h"

#include "platform/db/Materializations.h"
#include "platform/db/PagingStatements.h"
#include "platform/db/Query.h"
#include "platform/db/Sqlite.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace xe::db;
using namespace xe::test;

namespace {

// The statements of one export, as the export composes them.
std::string CountSql(std::string const& s) { return PagingCountStatement(s); }
std::string FirstPageSql(std::string const& s) { return PagingFirstStatement(s, 30); }
std::string MaxSql(std::string const& s, int64_t k) { return PagingLastIdStatement(s, k); }
std::string LaterPageSql(std::string const& s, int64_t m) { return PagingNextStatement(s, 30, m); }

// Runs the paged export over the connection and gives the joined document.
std::string ExportPages(
    TADOConnection& conn, std::string const& s, xe::base::TTempDir& dir, bool& allMaterialized)
{
    std::string out = dir.File("out.xml"), temp = dir.File("Tempout.xml");
    TADOQuery q(&conn);
    q.SetSQL(CountSql(s));
    q.Open();
    int64_t n = q.Fields(0).AsInteger();
    int64_t pages = n / 30 + (n % 30 ? 1 : 0);
    allMaterialized = true;
    for (int64_t i = 1; i <= pages; ++i) {
        if (i == 1) {
            q.SetSQL(FirstPageSql(s));
            q.Open();
            q.SaveToFile(out);
            continue;
        }
        q.SetSQL(MaxSql(s, (i - 1) * 30));
        q.Open();
        allMaterialized = allMaterialized && q.UsedMaterialization();
        int64_t m = q.Fields(0).AsVariant().AsInteger();
        q.SetSQL(LaterPageSql(s, m));
        q.Open();
        allMaterialized = allMaterialized && q.UsedMaterialization();
        q.SaveToFile(temp);
        std::string doc = xe::base::ReadFileBytes(out);
        size_t end = doc.find("</rs:data>");
        EXPECT_NE(end, std::string::npos);
        std::string page = xe::base::ReadFileBytes(temp);
        size_t begin = page.find("<rs:data>");
        EXPECT_NE(begin, std::string::npos);
        xe::base::WriteFileBytes(out, doc.substr(0, end) + page.substr(begin + 9));
    }
    return pages ? xe::base::ReadFileBytes(out) : std::string();
}

class PagingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 1,000 rows stored in shuffled physical order (no primary key: rowid order is the
        // insertion order), so a statement without ORDER BY returns them out of id order.
        std::vector<int> ids(1000);
        for (int i = 0; i < 1000; ++i)
            ids[static_cast<size_t>(i)] = i + 1;
        std::mt19937 rng(12345);
        std::shuffle(ids.begin(), ids.end(), rng);
        std::string sql = "CREATE TABLE data(id INTEGER, name TEXT, v REAL, grp INTEGER);"
                          "CREATE TABLE extra(id INTEGER, tag TEXT);";
        for (int id : ids) {
            sql += "INSERT INTO data VALUES (" + std::to_string(id) + ", 'n" + std::to_string(id) + "', "
                + std::to_string(id % 17) + ".5, " + std::to_string(id % 3) + ");";
            if (id % 2)
                sql += "INSERT INTO extra VALUES (" + std::to_string(id) + ", 't" + std::to_string(id)
                    + "');";
        }
        FPath = FDir.File("paging.db");
        MakeDatabase(FPath, sql);
        FConn.ConnectionString = JetConnectionString(FPath);
        FConn.Open();
    }

    // The ids the statement yields, read through a plain iteration.
    std::vector<int64_t> IdsOf(std::string const& s)
    {
        TADOQuery q(&FConn);
        q.SetSQL(s);
        q.Open();
        std::vector<int64_t> ids;
        for (; !q.Eof(); q.Next())
            ids.push_back(q.FindField("id")->AsInteger());
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    xe::base::TTempDir FDir;
    std::string FPath;
    TADOConnection FConn;
};

TEST_F(PagingTest, JoinedPagesHoldEveryRowOnceInIdOrder)
{
    size_t statements = 0;
    for (std::string s : {
             "SELECT * FROM data",
             "SELECT d.id, d.name, e.tag FROM data d INNER JOIN extra e ON d.id = e.id",
             "SELECT id, name FROM data WHERE grp <> 1 ORDER BY name DESC",
             "SELECT TOP 500 * FROM data ORDER BY v DESC",
         }) {
        SCOPED_TRACE(s);
        std::vector<int64_t> expected = IdsOf(s);
        ASSERT_FALSE(expected.empty());
        bool materialized = false;
        std::string doc = ExportPages(FConn, s, FDir, materialized);
        EXPECT_TRUE(materialized);
        auto parsed = ParseRowset(doc);
        ASSERT_TRUE(parsed.Parsed);
        EXPECT_EQ(CountOccurrences(doc, "<rs:data>"), 1u);
        EXPECT_EQ(CountOccurrences(doc, "</rs:data>"), 1u);
        std::vector<int64_t> ids;
        for (auto& row : parsed.Rows)
            ids.push_back(std::stoll(row["id"]));
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
        EXPECT_EQ(ids, expected);
        // Every page runs the same four prepared statements on the statement's ordered copy,
        // with other numbers bound: the cache does not grow with the pages.
        statements += 4;
        EXPECT_EQ(FConn.Statements()->Size(), statements);
    }
    // A statement on loan when the connection closes is finalized by its query, later.
    TADOQuery q(&FConn);
    q.SetSQL(LaterPageSql("SELECT * FROM data", 500));
    q.Open();
    EXPECT_TRUE(q.UsedMaterialization());
    FConn.Close();
    EXPECT_EQ(q.Fields(0).AsInteger(), 501);
}

// Rows of a result as typed text ("i:1", "f:2.5", "t:x", "n"), from the query object...
std::vector<std::string> QueryRows(TADOQuery& q)
{
    std::vector<std::string> rows;
    for (; !q.Eof(); q.Next()) {
        std::string row;
        for (int i = 0; i < q.FieldCount(); ++i) {
            TVariant v = q.Fields(i).Value();
            char buf[64];
            switch (v.VarType()) {
            case TVariant::varInt64:
                row += "i:" + v.AsString();
                break;
            case TVariant::varDouble:
                std::snprintf(buf, sizeof buf, "f:%.17g", v.AsFloat());
                row += buf;
                break;
            case TVariant::varNull:
                row += "n";
                break;
            default:
                row += "t:" + v.AsString();
            }
            row += "|";
        }
        rows.push_back(row);
    }
    return rows;
}

// ...and straight from SQLite.
std::vector<std::string> SqliteRows(sqlite3* db, std::string const& sql)
{
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    std::vector<std::string> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            char buf[64];
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER:
                row += "i:" + std::to_string(sqlite3_column_int64(stmt, i));
                break;
            case SQLITE_FLOAT:
                std::snprintf(buf, sizeof buf, "f:%.17g", sqlite3_column_double(stmt, i));
                row += buf;
                break;
            case SQLITE_NULL:
                row += "n";
                break;
            default:
                row += "t:" + std::string(reinterpret_cast<char const*>(sqlite3_column_text(stmt, i)));
            }
            row += "|";
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    return rows;
}

TEST(MaterializedShapesTest, EqualThePlainPathOnRandomTablesWithTiesAndNulls)
{
    xe::base::TTempDir dir;
    std::string path = dir.File("random.db");
    std::mt19937 rng(2024);
    std::string sql;
    // c typed INTEGER, TEXT and untyped; values with many ties, NULLs and mixed storage classes.
    for (char const* type : { "INTEGER", "TEXT", "" }) {
        std::string table = std::string("r_") + (*type ? type : "none");
        sql += "CREATE TABLE " + table + "(id INTEGER, c " + type + ", pad TEXT);";
        for (int i = 0; i < 300; ++i) {
            int kind = static_cast<int>(rng() % 10);
            std::string value = kind == 0 ? "NULL"
                : kind == 1               ? "'" + std::to_string(rng() % 20) + "'"
                : kind == 2               ? "'w" + std::to_string(rng() % 5) + "'"
                : kind == 3               ? std::to_string(rng() % 20) + ".5"
                                          : std::to_string(rng() % 20);
            sql += "INSERT INTO " + table + " VALUES (" + std::to_string(i) + ", " + value + ", 'p"
                + std::to_string(i) + "');";
        }
    }
    MakeDatabase(path, sql);
    TADOConnection conn;
    conn.ConnectionString = JetConnectionString(path);
    conn.Open();
    TADOQuery q(&conn);
    int materialized = 0, compared = 0;
    for (char const* table : { "r_INTEGER", "r_TEXT", "r_none" }) {
        std::string x = std::string("SELECT id, c, pad FROM ") + table;
        for (int trial = 0; trial < 40; ++trial) {
            int64_t k = static_cast<int64_t>(rng() % 320);
            std::string v
                = trial % 3 == 0 ? "'" + std::to_string(rng() % 20) + "'" : std::to_string(rng() % 22) + "";
            std::vector<std::string> statements = {
                "SELECT MAX(c) FROM (SELECT TOP " + std::to_string(k) + " * FROM (" + x + ") ORDER BY c)",
                "SELECT TOP " + std::to_string(k % 40) + " * FROM (" + x + ") WHERE c > " + v + " ORDER BY c",
                "SELECT TOP " + std::to_string(k % 40) + " * FROM (" + x + ") ORDER BY c",
            };
            for (std::string const& s : statements) {
                SCOPED_TRACE(s);
                q.SetSQL(s);
                q.Open();
                materialized += q.UsedMaterialization();
                auto fast = QueryRows(q);
                auto plain = SqliteRows(conn.Handle(), q.TranslatedSQL());
                std::sort(fast.begin(), fast.end());
                std::sort(plain.begin(), plain.end());
                EXPECT_EQ(fast, plain);
                ++compared;
            }
            // Without ORDER BY any rows above v will do: as many, each from the candidates.
            std::string unordered
                = "SELECT TOP " + std::to_string(k % 40) + " * FROM (" + x + ") WHERE c > " + v;
            q.SetSQL(unordered);
            q.Open();
            EXPECT_TRUE(q.UsedMaterialization());
            auto fast = QueryRows(q);
            auto plain = SqliteRows(conn.Handle(), q.TranslatedSQL());
            EXPECT_EQ(fast.size(), plain.size());
            auto candidates = SqliteRows(conn.Handle(), "SELECT * FROM (" + x + ") WHERE c > " + v);
            std::multiset<std::string> pool(candidates.begin(), candidates.end());
            for (auto& row : fast)
                EXPECT_TRUE(pool.count(row)) << unordered << " gave " << row;
        }
    }
    EXPECT_EQ(materialized, compared); // every shape was answered from the copy
    EXPECT_EQ(conn.Materializations().Count(), 3u); // one copy per (statement, column)
}

TEST(MaterializedShapesTest, CopyKeepsColumnTypesAndOrigins)
{
    xe::base::TTempDir dir;
    std::string path = dir.File("types.db");
    MakeDatabase(path,
        "CREATE TABLE t(id INTEGER NOT NULL, d DATETIME, amount DECIMAL(8,2));"
        "INSERT INTO t VALUES (3, '2020-01-01', 1.5), (1, NULL, 2), (2, '2021-05-06 07:08:09', NULL)");
    TADOConnection conn;
    conn.ConnectionString = JetConnectionString(path);
    conn.Open();
    TADOQuery q(&conn);
    std::string s = "SELECT * FROM t";
    q.SetSQL(FirstPageSql(s));
    q.Open();
    q.SaveToFile(dir.File("a.xml"));
    q.SetSQL(LaterPageSql(s, 1));
    q.Open();
    ASSERT_TRUE(q.UsedMaterialization());
    EXPECT_EQ(q.Fields(1).DataType(), ftDateTime);
    q.SaveToFile(dir.File("b.xml"));
    std::string a = xe::base::ReadFileBytes(dir.File("a.xml")),
                b = xe::base::ReadFileBytes(dir.File("b.xml"));
    EXPECT_EQ(a.substr(0, a.find("<rs:data>")), b.substr(0, b.find("<rs:data>")));
    EXPECT_NE(b.find("rs:basetable='t' rs:basecolumn='d'"), std::string::npos);
    EXPECT_NE(b.find("<z:row id='2' d='2021-05-06T07:08:09'/>"), std::string::npos) << b;
    EXPECT_NE(b.find("<z:row id='3' d='2020-01-01T00:00:00' amount='1.50'/>"), std::string::npos) << b;
}

TEST(MaterializedShapesTest, ColumnWithACollationUsesThePlainPath)
{
    xe::base::TTempDir dir;
    std::string path = dir.File("coll.db");
    MakeDatabase(
        path, "CREATE TABLE t(id TEXT COLLATE NOCASE); INSERT INTO t VALUES ('b'), ('A'), ('a'), ('C')");
    TADOConnection conn;
    conn.ConnectionString = JetConnectionString(path);
    conn.Open();
    TADOQuery q(&conn);
    q.SetSQL("select top 2 * from (SELECT * FROM t) WHERE  id >'a' order by id");
    q.Open();
    EXPECT_FALSE(q.UsedMaterialization());
    auto rows = QueryRows(q);
    EXPECT_EQ(rows, (std::vector<std::string> { "t:b|", "t:C|" }));
}

} // namespace

namespace {

// A table whose id is its integer primary key, with a filtering and a computed statement on
// it: pages of the first two are seeks, the third needs the ordered copy.
class KeySeekTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string sql = "CREATE TABLE k(id INTEGER PRIMARY KEY, name TEXT, grp INTEGER);";
        std::mt19937 rng(99);
        std::vector<int> ids;
        for (int id = -50; ids.size() < 200; id += 1 + int(rng() % 5))
            ids.push_back(id);
        std::shuffle(ids.begin(), ids.end(), rng);
        for (int id : ids)
            sql += "INSERT INTO k VALUES (" + std::to_string(id) + ", 'n" + std::to_string(id) + "', "
                + std::to_string(id % 3) + ");";
        FPath = FDir.File("key.db");
        MakeDatabase(FPath, sql);
        FConn.ConnectionString = JetConnectionString(FPath);
        FConn.Open();
    }

    std::vector<std::string> Rows(std::string const& statement, TRowSource* source = nullptr)
    {
        TADOQuery q(&FConn);
        q.SetSQL(statement);
        q.Open();
        if (source)
            *source = q.RowSource();
        return QueryRows(q);
    }

    xe::base::TTempDir FDir;
    std::string FPath;
    TADOConnection FConn;
};

} // namespace

TEST_F(KeySeekTest, PagesAndMaximaEqualThePlainStatementInAnyOrderOfAsking)
{
    for (std::string s : { "SELECT * FROM k", "SELECT id, name FROM k WHERE grp <> 1" }) {
        SCOPED_TRACE(s);
        // Ranks asked forwards in page steps, backwards, repeated, beyond the last row and 0.
        for (int64_t k : { 30, 60, 90, 61, 61, 7, 150, 500, 0, 1 }) {
            SCOPED_TRACE(k);
            TRowSource source = TRowSource::Statement;
            std::vector<std::string> seek = Rows(MaxSql(s, k), &source);
            EXPECT_EQ(source, TRowSource::KeySeek);
            // The plain answer: SQLite's own, with the rank as a LIMIT.
            std::vector<std::string> plain = SqliteRows(FConn.Handle(),
                "SELECT max(id) FROM (SELECT id FROM (" + s + ") ORDER BY id LIMIT " + std::to_string(k)
                    + ")");
            ASSERT_EQ(plain.size(), 1u);
            EXPECT_EQ(seek, plain);
        }
        for (int64_t m : { -1000, -50, 17, 18, 700 }) {
            SCOPED_TRACE(m);
            TRowSource source = TRowSource::Statement;
            std::vector<std::string> page = Rows(LaterPageSql(s, m), &source);
            EXPECT_EQ(source, TRowSource::KeySeek);
            EXPECT_EQ(page,
                SqliteRows(FConn.Handle(),
                    "SELECT * FROM (" + s + ") WHERE id > " + std::to_string(m) + " ORDER BY id LIMIT 30"));
        }
        TRowSource source = TRowSource::Statement;
        EXPECT_EQ(Rows(FirstPageSql(s), &source),
            SqliteRows(FConn.Handle(), "SELECT * FROM (" + s + ") ORDER BY id LIMIT 30"));
        EXPECT_EQ(source, TRowSource::KeySeek);
    }
    EXPECT_EQ(FConn.Materializations().Count(), 0u); // no copy was made

    // A computed id is no key: the first page runs the statement (the copy waits for the
    // second page), later pages come from the copy.
    std::string const computed = "SELECT id + 0 AS id, name FROM k";
    TRowSource source = TRowSource::KeySeek;
    std::vector<std::string> first = Rows(FirstPageSql(computed), &source);
    EXPECT_EQ(source, TRowSource::Statement);
    EXPECT_EQ(FConn.Materializations().Count(), 0u);
    EXPECT_EQ(first, SqliteRows(FConn.Handle(), "SELECT * FROM (" + computed + ") ORDER BY id LIMIT 30"));
    Rows(MaxSql(computed, 30), &source);
    EXPECT_EQ(source, TRowSource::OrderedCopy);
    EXPECT_EQ(FConn.Materializations().Count(), 1u);
}

TEST_F(KeySeekTest, AQueryReadsInOneTransactionThatKeepsTheCopies)
{
    std::string const computed = "SELECT id + 0 AS id, name FROM k";
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(FPath.c_str(), &writer), SQLITE_OK);
    char const* const write = "UPDATE k SET name = 'w' WHERE id = -50";
    {
        TADOQuery q(&FConn);
        q.SetSQL(MaxSql(computed, 30));
        q.Open();
        EXPECT_EQ(q.RowSource(), TRowSource::OrderedCopy);
        // The file is read in one transaction while the query lives: a writer waits.
        EXPECT_EQ(sqlite3_exec(writer, write, nullptr, nullptr, nullptr), SQLITE_BUSY);
    }
    EXPECT_EQ(sqlite3_exec(writer, write, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(writer);
    // The transaction was committed, not rolled back: the copy is still there and used.
    TRowSource source = TRowSource::Statement;
    Rows(LaterPageSql(computed, 10), &source);
    EXPECT_EQ(source, TRowSource::OrderedCopy);
    EXPECT_EQ(FConn.Materializations().Count(), 1u);
}

TEST_F(KeySeekTest, SavingKeepsTheCurrentRow)
{
    TADOQuery q(&FConn);
    q.SetSQL("SELECT id FROM k ORDER BY id");
    q.Open();
    std::string first = q.XmlText(); // from the first row, as after Open
    q.Next();
    q.Next();
    int64_t const third = q.Fields(0).AsInteger();
    EXPECT_EQ(q.XmlText(), first); // the whole result again
    EXPECT_EQ(q.Fields(0).AsInteger(), third);
    q.Next();
    EXPECT_GT(q.Fields(0).AsInteger(), third);
    EXPECT_EQ(CountOccurrences(first, "<z:row "), 200u);
}
