// Times the paged export of generated tables (8 columns) and reports the rows per second,
// the ratio between the runs, each run's peak memory, and the time `sqlite3 -json` takes to
// dump the same rows (side by side, on the same file).
#include "app/PagedExport.h"
#include "platform/base/Files.h"
#include "platform/db/Connection.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace xe;

namespace {

void Check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(2);
    }
}

// id (shuffled physical order), and seven columns of mixed types.
void Generate(std::string const& path, int64_t rows)
{
    base::DeleteFile(path);
    sqlite3* db = nullptr;
    Check(sqlite3_open(path.c_str(), &db), db);
    Check(sqlite3_exec(db,
              "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
              "CREATE TABLE t (id INTEGER NOT NULL, name VARCHAR(40), note TEXT, amount DOUBLE, qty SMALLINT,"
              " price CURRENCY, flag BOOLEAN, created DATETIME); BEGIN;",
              nullptr, nullptr, nullptr),
        db);
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?,?,?,?,?,?,?,?)", -1, &insert, nullptr), db);
    std::vector<int64_t> ids(static_cast<size_t>(rows));
    for (int64_t i = 0; i < rows; ++i)
        ids[size_t(i)] = i + 1;
    std::mt19937_64 random(42);
    std::shuffle(ids.begin(), ids.end(), random);
    char text[64];
    for (int64_t id : ids) {
        sqlite3_reset(insert);
        sqlite3_bind_int64(insert, 1, id);
        std::snprintf(text, sizeof text, "名字%lld", (long long)id);
        sqlite3_bind_text(insert, 2, text, -1, SQLITE_TRANSIENT);
        if (id % 9 == 0)
            sqlite3_bind_null(insert, 3);
        else {
            std::snprintf(text, sizeof text, "note <%lld> & more text", (long long)(id * 31 % 100000));
            sqlite3_bind_text(insert, 3, text, -1, SQLITE_TRANSIENT);
        }
        sqlite3_bind_double(insert, 4, double(id) * 0.37);
        sqlite3_bind_int(insert, 5, int(id % 1000));
        sqlite3_bind_double(insert, 6, double(id % 10000) + 0.5);
        sqlite3_bind_int(insert, 7, int(id & 1));
        std::snprintf(
            text, sizeof text, "2023-%02d-%02d 12:%02d:00", int(id % 12 + 1), int(id % 28 + 1), int(id % 60));
        sqlite3_bind_text(insert, 8, text, -1, SQLITE_TRANSIENT);
        Check(sqlite3_step(insert), db);
    }
    sqlite3_finalize(insert);
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

class TNoSteps : public app::TExportSteps {
public:
    void Start(int64_t, int64_t) override { }
    bool Cancelled() override { return false; }
    void PageDone(int64_t, int64_t) override { }
};

struct TResult {
    double Seconds = 0;
    double CpuSeconds = 0; // user + system time of the export
    long PeakKb = 0;
    long long Bytes = 0;
};

// Exports in a child process; its peak resident size is its own.
TResult Measure(std::string const& dbName, std::string const& xmlName)
{
    int fds[2];
    if (pipe(fds) != 0)
        std::exit(2);
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        db::TADOConnection connection;
        connection.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dbName + ";";
        connection.Open();
        TNoSteps steps;
        struct rusage before;
        getrusage(RUSAGE_SELF, &before);
        auto start = std::chrono::steady_clock::now();
        app::ExportPages(connection, "select * from t", xmlName, steps);
        TResult result;
        result.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        result.PeakKb = usage.ru_maxrss;
        auto seconds = [](timeval const& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        result.CpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime) - seconds(before.ru_utime)
            - seconds(before.ru_stime);
        result.Bytes = base::FileSize(xmlName);
        if (write(fds[1], &result, sizeof result) != sizeof result)
            _exit(2);
        _exit(0);
    }
    close(fds[1]);
    TResult result;
    bool ok = read(fds[0], &result, sizeof result) == sizeof result;
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "export of %s failed\n", dbName.c_str());
        std::exit(1);
    }
    return result;
}

// Wall and CPU time of `sqlite3 -json` dumping the same rows, the yardstick of the export.
// (On a busy machine the CPU times compare better than the wall times.)
double SqliteJsonSeconds(std::string const& dbName, std::string const& outName, double& cpuSeconds)
{
    std::string command = "sqlite3 -json '" + dbName + "' 'select * from t' > '" + outName + "'";
    auto cpu = [] {
        struct rusage usage;
        getrusage(RUSAGE_CHILDREN, &usage);
        return double(usage.ru_utime.tv_sec) + double(usage.ru_utime.tv_usec) / 1e6
            + double(usage.ru_stime.tv_sec) + double(usage.ru_stime.tv_usec) / 1e6;
    };
    double cpuBefore = cpu();
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "sqlite3 -json failed (is the sqlite3 shell installed?)\n");
        return 0;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpuSeconds = cpu() - cpuBefore;
    base::DeleteFile(outName);
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int64_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoll(argv[i]));
    if (sizes.empty())
        sizes = { 100000, 1000000 };
    base::TTempDir dir("xe-export-bench");
    std::vector<TResult> results;
    for (int64_t rows : sizes) {
        std::string dbName = dir.File("bench" + std::to_string(rows) + ".db");
        std::fprintf(stderr, "generating %lld rows...\n", (long long)rows);
        Generate(dbName, rows);
        TResult r = Measure(dbName, dir.File("out" + std::to_string(rows) + ".xml"));
        base::DeleteFile(dir.File("out" + std::to_string(rows) + ".xml"));
        double jsonCpu = 0;
        double json = SqliteJsonSeconds(dbName, dir.File("out.json"), jsonCpu);
        results.push_back(r);
        std::printf("%9lld rows: %8.2f s wall, %8.2f s cpu, %9.0f rows/s, peak %6.1f MB, output %7.1f MB\n",
            (long long)rows, r.Seconds, r.CpuSeconds, double(rows) / r.Seconds, double(r.PeakKb) / 1024.0,
            double(r.Bytes) / 1048576.0);
        if (json > 0)
            std::printf(
                "%9lld rows: sqlite3 -json %8.2f s wall, %8.2f s cpu; export / sqlite3 -json = %.2f wall, "
                "%.2f cpu\n",
                (long long)rows, json, jsonCpu, r.Seconds / json, jsonCpu > 0 ? r.CpuSeconds / jsonCpu : 0.0);
        std::fflush(stdout);
        base::DeleteFile(dbName);
    }
    for (size_t i = 1; i < results.size(); ++i)
        std::printf("ratio %lld/%lld rows: %.2f wall, %.2f cpu\n", (long long)sizes[i], (long long)sizes[0],
            results[i].Seconds / results[0].Seconds, results[i].CpuSeconds / results[0].CpuSeconds);
    return 0;
}
