// The shared SQLite helpers: error text in the ANSI code page, quoting, and the statement
// cache's loans.
#include "platform/db/Sqlite.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace xe;
using namespace xe::db;

namespace {

struct TMemoryDb {
    sqlite3* Db = nullptr;
    TMemoryDb() { sqlite3_open(":memory:", &Db); }
    ~TMemoryDb() { sqlite3_close_v2(Db); }
};

} // namespace

TEST(Sqlite, ErrorsAreAnsiAndNamesAndTextAreQuoted)
{
    TMemoryDb m;
    Exec(m.Db,
        "CREATE TABLE " + QuoteSqliteName("表\"x") + " (v TEXT); INSERT INTO " + QuoteSqliteName("表\"x")
            + " VALUES (" + QuoteSqliteText("it's") + ")");
    TSqliteStatement read = Prepare(m.Db, "SELECT v FROM \"表\"\"x\"");
    ASSERT_EQ(sqlite3_step(read.Get()), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<char const*>(sqlite3_column_text(read.Get(), 0)), "it's");

    // SQLite speaks UTF-8; the message reaches the system in the ANSI code page.
    for (auto run : { +[](sqlite3* db) { Exec(db, "SELECT * FROM 缺少"); },
             +[](sqlite3* db) { Prepare(db, "SELECT * FROM 缺少"); } }) {
        try {
            run(m.Db);
            ADD_FAILURE() << "no error";
        } catch (base::EDatabaseError const& e) {
            EXPECT_EQ(e.Message(), base::Ansi(u8"no such table: 缺少"));
        }
    }
    EXPECT_FALSE(TryPrepare(m.Db, "SELEC 1"));
}

TEST(Sqlite, CachedStatementsAreLentOnceAndComeBackReset)
{
    TMemoryDb m;
    auto cache = std::make_shared<TStatementCache>(m.Db);
    std::string const sql = "SELECT ?1 + 1";
    sqlite3_stmt* first = nullptr;
    sqlite3_stmt* second = nullptr;
    {
        TCachedStatement a(cache, sql);
        first = a.Get();
        // A second user of the same text while the first holds it gets its own statement.
        TCachedStatement b(cache, sql);
        second = b.Get();
        EXPECT_NE(second, first);
        sqlite3_bind_int(a.Get(), 1, 41);
        ASSERT_EQ(sqlite3_step(a.Get()), SQLITE_ROW);
        EXPECT_EQ(sqlite3_column_int(a.Get(), 0), 42);
        EXPECT_EQ(cache->Size(), 0u);
    }
    EXPECT_EQ(cache->Size(), 2u);
    {
        // Given back reset, with its bindings cleared.
        TCachedStatement again(cache, sql);
        EXPECT_TRUE(again.Get() == first || again.Get() == second);
        ASSERT_EQ(sqlite3_step(again.Get()), SQLITE_ROW);
        EXPECT_EQ(sqlite3_column_type(again.Get(), 0), SQLITE_NULL);
        EXPECT_EQ(cache->Size(), 1u);
        // A loan that outlives its cache finalizes its statement itself.
        cache.reset();
    }
}
