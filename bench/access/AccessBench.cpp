// Times the Access engine on a generated 1,000,000-row Jet 4 table (8 mixed columns):
// loading into SQLite (rows a second), mdb-export on the same file for comparison, and the
// whole paged export through xmlexport (wall time and peak memory of the child process).
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/access/AccessDatabase.h"
#include "tests/support/JetTestDatabase.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

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
    peakMb = usage.ru_maxrss / 1024.0;
    auto time = [](timeval const& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    cpuSeconds = time(usage.ru_utime) + time(usage.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Generate(std::string const& file, int64_t rows)
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
    int64_t k = 0;
    char text[64];
    db::TJetTestDatabase writer;
    writer.AddTable(t, [&](std::vector<db::TJetTestValue>& row) {
        if (k >= rows)
            return false;
        ++k;
        // A fixed permutation of 1..rows: the physical order is not the id order.
        int64_t id = (k * 7919) % (rows + 1);
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
    writer.SaveToFile(file);
}

} // namespace

int main(int argc, char** argv)
{
    int64_t rows = argc > 1 ? std::atoll(argv[1]) : 1000000;
    base::TTempDir temp("xe-access-bench");
    std::string dir = argc > 2 ? base::IncludeTrailingPathDelimiter(argv[2]) : temp.Path();
    std::string file = dir + "bench.mdb";

    auto start = Clock::now();
    Generate(file, rows);
    std::printf("generated %lld rows, %.1f MB, in %.2f s\n", static_cast<long long>(rows),
        double(base::FileSize(file)) / 1048576.0, Seconds(start));

    // Warm the page cache so that every measurement reads from memory.
    base::ReadFileBytes(file);

    start = Clock::now();
    {
        db::TAccessDatabase access(file, "");
        sqlite3* scratch = nullptr;
        sqlite3_open("", &scratch);
        int64_t loaded = access.LoadTable(scratch, "t").RowCount;
        sqlite3_close(scratch);
        double s = Seconds(start);
        std::printf("engine load:  %lld rows in %.2f s = %.0f rows/s\n", static_cast<long long>(loaded), s,
            double(loaded) / s);
    }

    double seconds = 0, cpu = 0, peak = 0;
    double mdbSeconds = 0, mdbCpu = 0;
    if (RunTimed("mdb-export '" + file + "' t > /dev/null", seconds, cpu, peak)) {
        std::printf("mdb-export:   %.2f s = %.0f rows/s, %.2f s cpu (peak %.0f MB)\n", seconds,
            double(rows) / seconds, cpu, peak);
        mdbSeconds = seconds;
        mdbCpu = cpu;
    } else {
        std::printf("mdb-export:   not available\n");
    }

    std::string exeDir = dir + "bin/";
    base::ForceDirectories(exeDir);
    std::string copy = "cp '" XMLEXPORT_PATH "' '" + exeDir + "xmlexport'";
    if (std::system(copy.c_str()) != 0)
        return 1;
    std::string ini = "[Sys]\r\nStrSql=select * from t\r\nXmlName=" + dir + "out.xml\r\nDbName=" + file
        + "\r\nDbPass=\r\n";
    base::WriteFileBytes(exeDir + "InOut.ini", ini);
    bool ok = RunTimed(
        "cd '" + dir + "' && XMLEXPORT_BACKEND=headless '" + exeDir + "xmlexport' > '" + dir + "stdout' 2>&1",
        seconds, cpu, peak);
    std::printf("xmlexport:    %s, %.2f s = %.0f rows/s, %.2f s cpu, peak %.0f MB, output %.1f MB\n",
        ok ? "ok" : "FAILED", seconds, double(rows) / seconds, cpu, peak,
        double(base::FileSize(dir + "out.xml")) / 1048576.0);
    if (mdbSeconds > 0 && mdbCpu > 0)
        std::printf("xmlexport / mdb-export = %.2f wall, %.2f cpu\n", seconds / mdbSeconds, cpu / mdbCpu);
    return ok ? 0 : 1;
}
