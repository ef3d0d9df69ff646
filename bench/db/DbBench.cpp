// Times the database side of a paged export: the statements of one late page and the whole
// page sequence (count, then for every page the maximum, the page and its XML file).
//
//   xe_db_bench [rows ...]      default: 100000 1000000
//
// Each run generates an 8-column table with an index on id, stored in shuffled order.

#include "platform/base/Files.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sqlite3.h>
#include <string>
#include <sys/resource.h>
#include <vector>

using namespace xe::db;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void Generate(std::string const& path, int64_t rows)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db,
        "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"
        "CREATE TABLE orders(id INTEGER NOT NULL, name VARCHAR(40), city TEXT, amount DOUBLE, qty INTEGER,"
        " created DATETIME, paid BOOLEAN, note TEXT);",
        nullptr, nullptr, nullptr);
    std::vector<int64_t> ids(static_cast<size_t>(rows));
    for (int64_t i = 0; i < rows; ++i)
        ids[static_cast<size_t>(i)] = i + 1;
    std::mt19937_64 rng(7);
    std::shuffle(ids.begin(), ids.end(), rng);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(
        db, "INSERT INTO orders VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)", -1, &insert, nullptr);
    static char const* const cities[] = { "北京", "上海", "Paris", "O'Hare & <Co>", "深圳" };
    for (int64_t id : ids) {
        std::string name = "customer " + std::to_string(id);
        char created[32];
        std::snprintf(created, sizeof created, "20%02d-%02d-%02d %02d:%02d:00", int(id % 25),
            int(id % 12 + 1), int(id % 28 + 1), int(id % 24), int(id % 60));
        sqlite3_bind_int64(insert, 1, id);
        sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, cities[id % 5], -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, 4, static_cast<double>(id % 10007) / 7.0);
        sqlite3_bind_int64(insert, 5, id % 100);
        sqlite3_bind_text(insert, 6, created, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 7, static_cast<int>(id % 2));
        if (id % 10 == 0)
            sqlite3_bind_null(insert, 8);
        else
            sqlite3_bind_text(insert, 8, "备注 note", -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "CREATE INDEX orders_id ON orders(id); COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

std::string MaxSql(std::string const& s, int64_t k)
{
    return "select MAX(ID) from (select top " + std::to_string(k) + " *  from (" + s + ") order by id) ";
}
std::string PageSql(std::string const& s, int64_t m)
{
    return "select top 30 * from (" + s + ") WHERE  id >" + std::to_string(m) + " order by id";
}

// User plus system CPU seconds of the process: the wall clock is shared with other work.
double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long PeakRssMb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void Run(int64_t rows)
{
    xe::base::TTempDir dir("xe-db-bench");
    std::string path = dir.File("bench.db");
    auto t0 = Clock::now();
    Generate(path, rows);
    std::printf("\n== %lld rows (generated in %.2f s)\n", static_cast<long long>(rows), Seconds(t0));

    std::string const s = "SELECT * FROM orders";
    int64_t const late = std::min<int64_t>(30000, (rows + 29) / 30);

    // The late page on the plain SQLite path, for comparison: what each page would cost
    // without the ordered copy.
    {
        TADOConnection conn;
        conn.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";";
        conn.Open();
        TADOQuery q(&conn);
        q.SetSQL(MaxSql(s, (late - 1) * 30));
        q.Open();
        std::string maxPlain = q.TranslatedSQL();
        q.SetSQL(PageSql(s, (late - 1) * 30));
        q.Open();
        std::string pagePlain = q.TranslatedSQL();
        auto t = Clock::now();
        for (std::string const& sql : { maxPlain, pagePlain }) {
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(conn.Handle(), sql.c_str(), -1, &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW) { }
            sqlite3_finalize(stmt);
        }
        std::printf("page %lld, plain SQLite path (max + page):   %9.3f ms\n", static_cast<long long>(late),
            Seconds(t) * 1000);
    }

    TADOConnection conn;
    conn.ConnectionString
        = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Jet OLEDB:Database Password=;";
    conn.Open();
    TADOQuery q(&conn);
    std::string temp = dir.File("Tempout.xml");

    // Page `late` alone: the first call makes the ordered copy, later calls reuse it.
    auto onePage = [&](int64_t page) {
        q.SetSQL(MaxSql(s, (page - 1) * 30));
        q.Open();
        int64_t m = q.Fields(0).AsVariant().AsInteger();
        q.SetSQL(PageSql(s, m));
        q.Open();
        q.SaveToFile(temp);
        return m;
    };
    t0 = Clock::now();
    onePage(late);
    double first = Seconds(t0);
    t0 = Clock::now();
    int const repeats = 200;
    for (int r = 0; r < repeats; ++r)
        onePage(late);
    double cached = Seconds(t0) / repeats;
    t0 = Clock::now();
    for (int r = 0; r < repeats; ++r)
        onePage(2);
    double early = Seconds(t0) / repeats;
    std::printf("ordered copy made once (first late page):    %9.3f s\n", first);
    std::printf("page %lld (max + page + XML), per page:     %9.3f ms\n", static_cast<long long>(late),
        cached * 1000);
    std::printf("page 2 (max + page + XML), per page:         %9.3f ms\n", early * 1000);

    // The whole sequence on a fresh connection: count, first page, every later page.
    TADOConnection fresh;
    fresh.ConnectionString = conn.ConnectionString;
    fresh.Open();
    TADOQuery e(&fresh);
    t0 = Clock::now();
    double cpu0 = CpuSeconds();
    e.SetSQL("select count(*) from (" + s + ") as a");
    e.Open();
    int64_t n = e.Fields(0).AsInteger();
    int64_t pages = n / 30 + (n % 30 ? 1 : 0);
    e.SetSQL("select top 30 * from (" + s + ") order by id");
    e.Open();
    e.SaveToFile(dir.File("out.xml"));
    double firstTenth = 0, lastTenth = 0;
    auto tPage = Clock::now();
    for (int64_t i = 2; i <= pages; ++i) {
        if (i == pages / 10 + 2)
            firstTenth = Seconds(tPage), tPage = Clock::now();
        if (i == pages - pages / 10 + 1)
            tPage = Clock::now();
        e.SetSQL(MaxSql(s, (i - 1) * 30));
        e.Open();
        int64_t m = e.Fields(0).AsVariant().AsInteger();
        e.SetSQL(PageSql(s, m));
        e.Open();
        e.SaveToFile(temp);
    }
    lastTenth = Seconds(tPage);
    double total = Seconds(t0);
    std::printf("whole sequence: %lld pages (count + pages + XML): %8.2f s (CPU %.2f s)\n",
        static_cast<long long>(pages), total, CpuSeconds() - cpu0);
    std::printf("first tenth of the pages: %.2f s, last tenth: %.2f s\n", firstTenth, lastTenth);
    std::printf("peak RSS so far: %ld MB\n", PeakRssMb());
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int64_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoll(argv[i]));
    if (sizes.empty())
        sizes = { 100000, 1000000 };
    for (int64_t rows : sizes)
        Run(rows);
    return 0;
}
