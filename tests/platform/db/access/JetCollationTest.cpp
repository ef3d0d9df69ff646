#include "platform/db/access/JetCollation.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

using namespace xe::db;

namespace {
// The names of a small table ordered under the collation of `sortOrder`.
std::vector<std::string> Ordered(uint32_t sortOrder, std::string* fallback = nullptr)
{
    sqlite3* db = nullptr;
    sqlite3_open("", &db);
    RegisterJetCollation(db, sortOrder, fallback);
    sqlite3_exec(db,
        "CREATE TABLE t(s TEXT COLLATE JET);"
        "INSERT INTO t VALUES ('上海'), ('北京'), ('深圳'), ('b'), ('A'), ('a'), ('Ä');",
        nullptr, nullptr, nullptr);
    std::vector<std::string> out;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT s FROM t ORDER BY s, rowid", -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW)
        out.emplace_back(reinterpret_cast<char const*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}
}

TEST(JetCollation, SortOrdersOfTheHeader)
{
    EXPECT_EQ(JetSortOrderLocale(0x0409), "root");
    EXPECT_NE(JetSortOrderLocale(0x0804).find("zh"), std::string::npos);
    EXPECT_NE(JetSortOrderLocale(0x20804).find("stroke"), std::string::npos);
    // General: case ignored (A and a keep their rows' order), Ä after them, before b.
    std::vector<std::string> general = Ordered(0x0409);
    ASSERT_EQ(general.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(general.begin(), general.begin() + 4),
        (std::vector<std::string> { "A", "a", "Ä", "b" }));
    // Chinese PRC sorts by pinyin, Han before Latin: bei, shang, shen (code points would
    // give 上 北 深).
    std::vector<std::string> pinyin = Ordered(0x0804);
    ASSERT_EQ(pinyin.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(pinyin.begin(), pinyin.begin() + 3),
        (std::vector<std::string> { "北京", "上海", "深圳" }));
    // A sort order ICU cannot map: case-insensitive code points, and a sentence saying so.
    std::string fallback;
    std::vector<std::string> unknown = Ordered(0x7FFF, &fallback);
    EXPECT_NE(fallback.find("0x7FFF"), std::string::npos) << fallback;
    EXPECT_EQ(std::vector<std::string>(unknown.begin(), unknown.begin() + 3),
        (std::vector<std::string> { "A", "a", "b" }));
    std::string none;
    Ordered(0x0409, &none);
    EXPECT_EQ(none, "");
}
