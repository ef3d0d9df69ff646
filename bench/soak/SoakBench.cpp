// Runs the paged export again and again in one process and reports, after each run, the
// resident memory and the number of open file descriptors: both must stay flat, or something
// (a query, a file, a page buffer) is kept from one run to the next.
#include "app/PagedExport.h"
#include "platform/base/Files.h"
#include "platform/db/Connection.h"

#include <dirent.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace xe;

namespace {

void Generate(std::string const& path, long long rows)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        std::exit(2);
    std::string sql = "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
                      "CREATE TABLE t (id INTEGER NOT NULL, name VARCHAR(40), note TEXT, amount DOUBLE,"
                      " created DATETIME);"
                      "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < "
        + std::to_string(rows) + ") INSERT INTO t SELECT (x * 7919) % " + std::to_string(rows)
        + " + 1, '名字' || x,"
          " CASE WHEN x % 9 = 0 THEN NULL ELSE 'note <' || x || '> & more' END, x * 0.37,"
          " '2023-01-01 12:00:00' FROM n;";
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", error);
        std::exit(2);
    }
    sqlite3_close(db);
}

long ResidentKb()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int OpenDescriptors()
{
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.')
                ++count;
        closedir(dir);
    }
    return count - 1; // the directory being read
}

class TNoSteps : public app::TExportSteps {
public:
    void Start(int64_t, int64_t) override { }
    bool Cancelled() override { return false; }
    void PageDone(int64_t, int64_t) override { }
};

} // namespace

int main(int argc, char** argv)
{
    int const exports = argc > 1 ? std::atoi(argv[1]) : 100;
    long long const rows = argc > 2 ? std::atoll(argv[2]) : 100000;
    base::TTempDir dir("xe-soak");
    std::string const dbName = dir.File("soak.db");
    std::string const xmlName = dir.File("out.xml");
    Generate(dbName, rows);

    db::TADOConnection connection;
    connection.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dbName + ";";
    connection.Open();
    TNoSteps steps;
    long firstKb = 0;
    long maxKb = 0;
    int firstFds = 0;
    int maxFds = 0;
    auto const start = std::chrono::steady_clock::now();
    for (int i = 1; i <= exports; ++i) {
        auto const runStart = std::chrono::steady_clock::now();
        app::RunPagedExport(connection, "select * from t", xmlName, steps);
        double const seconds
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart).count();
        long const kb = ResidentKb();
        int const fds = OpenDescriptors();
        if (i == 1) {
            firstKb = kb;
            firstFds = fds;
        }
        maxKb = std::max(maxKb, kb);
        maxFds = std::max(maxFds, fds);
        std::printf("export %3d: %6.2f s, resident %7.1f MB, %d open descriptors, output %lld bytes\n", i,
            seconds, double(kb) / 1024.0, fds, (long long)base::FileSize(xmlName));
        std::fflush(stdout);
    }
    double const total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d exports of %lld rows in %.1f s; resident after the first %.1f MB, at most %.1f MB "
                "(growth %.1f MB); descriptors after the first %d, at most %d\n",
        exports, rows, total, double(firstKb) / 1024.0, double(maxKb) / 1024.0,
        double(maxKb - firstKb) / 1024.0, firstFds, maxFds);
    return maxFds == firstFds ? 0 : 1;
}
