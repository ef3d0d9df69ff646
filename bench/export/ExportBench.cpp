// Times the paged export of generated tables (8 columns) and prints, for each run, the time
// and peak memory of the export, the time until its first page was on disk, and side by side
// the time `sqlite3 -json` takes to dump the same rows of the same file.
//
//   xe_export_bench [--shape pk|computed|heap]... [rows...]
//   xe_export_bench --make pk|computed|heap ROWS FILE   (only writes the table, for outside timers;
//                                                       prints the statement)
//
// Shapes (default: pk and computed):
//   pk        `select * from t`, t with id INTEGER PRIMARY KEY: every page is a seek
//   computed  a computed id over the same table: the pages come from the ordered copy
//   heap      `select * from t`, t with id a plain column stored in shuffled order: the copy
// Sizes default to 100000 1000000; the ratio of each size to the first is printed at the end.
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
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace xe;
using Clock = std::chrono::steady_clock;

namespace {

void Check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(2);
    }
}

struct TShape {
    char const* Name;
    char const* IdColumn; // the declaration of t.id
    char const* Statement;
};

TShape const Shapes[] = {
    { "pk", "id INTEGER PRIMARY KEY", "select * from t" },
    { "computed", "id INTEGER PRIMARY KEY",
        "select id + 0 as id, name, note, amount, qty, price, flag, created from t" },
    { "heap", "id INTEGER NOT NULL", "select * from t" },
};

// id (inserted in shuffled order), and seven columns of mixed types.
void Generate(std::string const& path, TShape const& shape, int64_t rows)
{
    base::DeleteFile(path);
    sqlite3* db = nullptr;
    Check(sqlite3_open(path.c_str(), &db), db);
    std::string const create
        = std::string("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; CREATE TABLE t (") + shape.IdColumn
        + ", name VARCHAR(40), note TEXT, amount DOUBLE, qty SMALLINT, price CURRENCY, flag BOOLEAN,"
          " created DATETIME); BEGIN;";
    Check(sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr), db);
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

// Notes when the count was known and when the first page was done.
class TTimedSteps : public app::TExportSteps {
public:
    explicit TTimedSteps(Clock::time_point start)
        : FStart(start)
    {
    }
    void Start(int64_t, int64_t) override { CountSeconds = Since(); }
    bool Cancelled() override { return false; }
    void PageDone(int64_t page, int64_t) override
    {
        if (page == 1)
            FirstPageSeconds = Since();
    }
    double CountSeconds = 0;
    double FirstPageSeconds = 0;

private:
    double Since() const { return std::chrono::duration<double>(Clock::now() - FStart).count(); }
    Clock::time_point FStart;
};

struct TResult {
    double Seconds = 0;
    double CpuSeconds = 0; // user + system time of the export
    double CountSeconds = 0; // from the start until the count was known
    double FirstPageSeconds = 0; // from the start until the first page was on disk
    long PeakKb = 0;
    long long Bytes = 0;
};

double CpuOf(struct rusage const& usage)
{
    auto seconds = [](timeval const& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Exports in a child process; its peak resident size is its own.
TResult Measure(std::string const& dbName, std::string const& statement, std::string const& xmlName)
{
    int fds[2];
    if (pipe(fds) != 0)
        std::exit(2);
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        struct rusage before { };
        getrusage(RUSAGE_SELF, &before);
        auto start = Clock::now();
        db::TADOConnection connection;
        connection.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dbName + ";";
        connection.Open();
        TTimedSteps steps(start);
        app::RunPagedExport(connection, statement, xmlName, steps);
        TResult result;
        result.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
        result.CountSeconds = steps.CountSeconds;
        result.FirstPageSeconds = steps.FirstPageSeconds;
        struct rusage usage { };
        getrusage(RUSAGE_SELF, &usage);
        result.PeakKb = usage.ru_maxrss;
        result.CpuSeconds = CpuOf(usage) - CpuOf(before);
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
double SqliteJsonSeconds(
    std::string const& dbName, std::string const& statement, std::string const& outName, double& cpuSeconds)
{
    std::string command = "sqlite3 -json '" + dbName + "' '" + statement + "' > '" + outName + "'";
    auto cpu = [] {
        struct rusage usage { };
        getrusage(RUSAGE_CHILDREN, &usage);
        return CpuOf(usage);
    };
    double cpuBefore = cpu();
    auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "sqlite3 -json failed (is the sqlite3 shell installed?)\n");
        return 0;
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    cpuSeconds = cpu() - cpuBefore;
    base::DeleteFile(outName);
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int64_t> sizes;
    std::vector<TShape const*> shapes;
    auto shapeNamed = [](char const* name) -> TShape const* {
        for (TShape const& shape : Shapes)
            if (std::strcmp(shape.Name, name) == 0)
                return &shape;
        std::fprintf(stderr, "unknown shape '%s' (pk, computed, heap)\n", name);
        std::exit(2);
    };
    if (argc == 5 && std::strcmp(argv[1], "--make") == 0) {
        TShape const* shape = shapeNamed(argv[2]);
        Generate(argv[4], *shape, std::atoll(argv[3]));
        std::printf("%s\n", shape->Statement);
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shape") == 0 && i + 1 < argc) {
            shapes.push_back(shapeNamed(argv[++i]));
        } else {
            sizes.push_back(std::atoll(argv[i]));
        }
    }
    if (sizes.empty())
        sizes = { 100000, 1000000 };
    if (shapes.empty())
        shapes = { &Shapes[0], &Shapes[1] };
    base::TTempDir dir("xe-export-bench");
    for (TShape const* shape : shapes) {
        std::vector<TResult> results;
        std::printf("%s: %s\n", shape->Name, shape->Statement);
        for (int64_t rows : sizes) {
            std::string dbName = dir.File("bench" + std::to_string(rows) + ".db");
            std::string xmlName = dir.File("out" + std::to_string(rows) + ".xml");
            std::fprintf(stderr, "generating %lld rows...\n", (long long)rows);
            Generate(dbName, *shape, rows);
            // Both read the file from the page cache: the anchor runs once before it is timed.
            double jsonCpu = 0;
            SqliteJsonSeconds(dbName, shape->Statement, dir.File("out.json"), jsonCpu);
            TResult r = Measure(dbName, shape->Statement, xmlName);
            base::DeleteFile(xmlName);
            double json = SqliteJsonSeconds(dbName, shape->Statement, dir.File("out.json"), jsonCpu);
            results.push_back(r);
            std::printf(
                "%9lld rows: %7.2f s wall, %7.2f s cpu, %8.0f rows/s, peak %5.1f MB, output %7.1f MB, "
                "count at %.2f s, first page at %.2f s\n",
                (long long)rows, r.Seconds, r.CpuSeconds, double(rows) / r.Seconds, double(r.PeakKb) / 1024.0,
                double(r.Bytes) / 1048576.0, r.CountSeconds, r.FirstPageSeconds);
            if (json > 0)
                std::printf(
                    "%9lld rows: sqlite3 -json %7.2f s wall, %7.2f s cpu; export / sqlite3 -json = %.2f "
                    "wall, %.2f cpu\n",
                    (long long)rows, json, jsonCpu, r.Seconds / json,
                    jsonCpu > 0 ? r.CpuSeconds / jsonCpu : 0.0);
            std::fflush(stdout);
            base::DeleteFile(dbName);
        }
        for (size_t i = 1; i < results.size(); ++i)
            std::printf("%s: ratio %lld/%lld rows: %.2f wall, %.2f cpu\n", shape->Name, (long long)sizes[i],
                (long long)sizes[0], results[i].Seconds / results[0].Seconds,
                results[i].CpuSeconds / results[0].CpuSeconds);
    }
    return 0;
}
