// Times the Access engine on a generated 1,000,000-row table (8 mixed columns), written as a
// Jet 4 .mdb and as an .accdb of the same rows: loading into SQLite (rows a second), then for
// each file the whole paged export through xmlexport against mdb-export on the same table,
// run in turn (xmlexport, mdb-export, xmlexport, ...) so that both see the same machine;
// the medians and the median of the pairs' ratios are printed with the load average.
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/access/AccessDatabase.h"
#include "tools/jetdemo/JetTestDatabase.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace xe;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Runs a shell command in a child; gives its wall time, CPU time (user + system, which
// compares better than the wall time on a busy machine) and peak resident memory (MB).
bool RunTimed(std::string const& command, double& seconds, double& cpuSeconds, double& peakMb)
{
    auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    seconds = Seconds(start);
    peakMb = double(usage.ru_maxrss) / 1024.0;
    auto time = [](timeval const& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    cpuSeconds = time(usage.ru_utime) + time(usage.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Generate(std::string const& mdb, std::string const& accdb, int64_t rows, bool keyed)
{
    db::TJetTestTable t;
    t.Name = "t";
    t.Columns = {
        { "id", db::jtLong },
        { "name", db::jtText, 40 },
        { "note", db::jtMemo },
        { "amount", db::jtDouble },
        { "qty", db::jtInteger },
        { "price", db::jtCurrency },
        { "flag", db::jtBoolean },
        { "created", db::jtDateTime },
    };
    t.Columns[0].AutoNumber = keyed;
    t.Columns[0].PrimaryKey = keyed;
    int64_t k = 0;
    char text[64];
    db::TJetTestDatabase writer;
    writer.AddTable(t, [&](std::vector<db::TJetTestValue>& row) {
        if (k >= rows)
            return false;
        ++k;
        // An AutoNumber key counts up as rows are added; without a key, a fixed permutation of
        // 1..rows: the physical order is not the id order.
        int64_t id = keyed ? k : (k * 7919) % (rows + 1);
        if (id == 0)
            id = k;
        row.assign(8, std::nullopt);
        row[0] = std::to_string(id);
        std::snprintf(text, sizeof text, "名字%lld", static_cast<long long>(id));
        row[1] = std::string(text);
        if (id % 9 != 0) {
            std::snprintf(
                text, sizeof text, "note <%lld> & more text", static_cast<long long>(id * 31 % 100000));
            row[2] = std::string(text);
        }
        std::snprintf(text, sizeof text, "%.3f", double(id % 100000) / 7.0);
        row[3] = std::string(text);
        row[4] = std::to_string(id % 30000);
        std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(id % 1000000),
            static_cast<long long>(id % 100));
        row[5] = std::string(text);
        row[6] = std::string(id % 2 ? "1" : "0");
        std::snprintf(text, sizeof text, "20%02lld-%02lld-%02lld 12:%02lld:00",
            static_cast<long long>(id % 30), static_cast<long long>(id % 12 + 1),
            static_cast<long long>(id % 28 + 1), static_cast<long long>(id % 60));
        row[7] = std::string(text);
        return true;
    });
    writer.SaveToFile(mdb);
    writer.SetAceVersion(3);
    writer.SaveToFile(accdb);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string LoadAverage()
{
    double load[3] = {};
    if (getloadavg(load, 3) != 3)
        return "unknown";
    return base::Format("%.2f %.2f %.2f", load[0], load[1], load[2]);
}

// Exports table t of `file` through xmlexport and through mdb-export, `runs` times each in
// turn after one warm-up pair, and prints both medians and the ratios.
bool Compare(std::string const& dir, std::string const& file, int64_t rows, int runs)
{
    std::string exeDir = dir + "bin/";
    std::string ini = "[Sys]\r\nStrSql=select * from t\r\nXmlName=" + dir + "out.xml\r\nDbName=" + file
        + "\r\nDbPass=\r\n";
    base::WriteFileBytes(exeDir + "InOut.ini", ini);
    std::string ours = "cd '" + dir + "' && XMLEXPORT_BACKEND=headless '" + exeDir + "xmlexport' > '" + dir
        + "stdout' 2>&1";
    std::string theirs = "mdb-export '" + file + "' t > /dev/null";
    std::vector<double> wall[2], cpu[2], wallRatio, cpuRatio;
    double peak = 0, mdbPeak = 0;
    bool ok = true, mdbOk = true;
    for (int run = 0; run <= runs; ++run) {
        double s[2] = {}, c[2] = {}, p = 0;
        ok = RunTimed(ours, s[0], c[0], peak) && ok;
        mdbOk = RunTimed(theirs, s[1], c[1], p) && mdbOk;
        mdbPeak = std::max(mdbPeak, p);
        if (run == 0)
            continue; // the warm-up pair
        for (int k = 0; k < 2; ++k) {
            wall[k].push_back(s[k]);
            cpu[k].push_back(c[k]);
        }
        wallRatio.push_back(s[0] / s[1]);
        cpuRatio.push_back(c[0] / c[1]);
    }
    // A child's peak counts what this process held when it was forked: no peak reads lower.
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    std::printf("%s (%.1f MB), %d runs each in turn, medians (peaks read no lower than %.0f MB):\n",
        base::ExtractFileName(file).c_str(), double(base::FileSize(file)) / 1048576.0, runs,
        double(resident) * double(sysconf(_SC_PAGESIZE)) / 1048576.0);
    std::printf("  xmlexport:  %s, %.2f s = %.0f rows/s, %.2f s cpu, peak %.0f MB, output %.1f MB\n",
        ok ? "ok" : "FAILED", Median(wall[0]), double(rows) / Median(wall[0]), Median(cpu[0]), peak,
        double(base::FileSize(dir + "out.xml")) / 1048576.0);
    if (!mdbOk) {
        std::printf("  mdb-export: not available\n");
        return ok;
    }
    std::printf("  mdb-export: %.2f s = %.0f rows/s, %.2f s cpu, peak %.0f MB\n", Median(wall[1]),
        double(rows) / Median(wall[1]), Median(cpu[1]), mdbPeak);
    std::printf("  xmlexport / mdb-export = %.2f wall, %.2f cpu (medians of the pairs; cpu %.2f to %.2f)\n",
        Median(wallRatio), Median(cpuRatio), *std::min_element(cpuRatio.begin(), cpuRatio.end()),
        *std::max_element(cpuRatio.begin(), cpuRatio.end()));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    // xe_access_bench [rows] [folder] [runs] [keyless]: id is the table's AutoNumber primary
    // key unless "keyless" is given
    int64_t rows = argc > 1 ? std::atoll(argv[1]) : 1000000;
    base::TTempDir temp("xe-access-bench");
    std::string dir = argc > 2 ? base::IncludeTrailingPathDelimiter(argv[2]) : temp.Path();
    int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    bool keyed = !(argc > 4 && std::string_view(argv[4]) == "keyless");
    std::string mdb = dir + "bench.mdb", accdb = dir + "bench.accdb";

    auto start = Clock::now();
    Generate(mdb, accdb, rows, keyed);
    std::printf("generated %lld rows%s, %.1f MB, in %.2f s\n", static_cast<long long>(rows),
        keyed ? ", id the AutoNumber primary key" : ", no key", double(base::FileSize(mdb)) / 1048576.0,
        Seconds(start));

    // Warm the page cache so that every measurement reads from memory.
    base::ReadFileBytes(mdb);
    base::ReadFileBytes(accdb);
    std::printf("load average at start: %s\n", LoadAverage().c_str());

    start = Clock::now();
    {
        db::TAccessDatabase access(mdb, "");
        sqlite3* scratch = nullptr;
        sqlite3_open("", &scratch);
        int64_t loaded = access.LoadTable(scratch, "t").RowCount;
        sqlite3_close(scratch);
        double s = Seconds(start);
        std::printf("engine load:  %lld rows in %.2f s = %.0f rows/s\n", static_cast<long long>(loaded), s,
            double(loaded) / s);
    }

    std::string exeDir = dir + "bin/";
    base::ForceDirectories(exeDir);
    std::string copy = "cp '" XMLEXPORT_PATH "' '" + exeDir + "xmlexport'";
    if (std::system(copy.c_str()) != 0)
        return 1;
    bool ok = Compare(dir, mdb, rows, runs);
    ok = Compare(dir, accdb, rows, runs) && ok;
    std::printf("load average at end: %s\n", LoadAverage().c_str());
    return ok ? 0 : 1;
}
