// The built xmlexport stopped from outside while it runs headless: SIGINT, SIGTERM and SIGHUP
// during the pages and before the first one, and outputs it must refuse to replace.
#include "platform/base/Files.h"
#include "tests/app/ExportFixtures.h"
#include "tests/e2e/ExecutableRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

using namespace xe;
namespace fs = std::filesystem;

namespace {

// Enough rows that a signal sent once the first page is on disk lands well before the last.
constexpr int InterruptRows = 120000;

// Polls often: a signal is to land right after the first page.
bool WaitFor(std::function<bool()> const& condition, int timeoutMs)
{
    return test::WaitFor(condition, timeoutMs, 2);
}

class InterruptE2E : public ::testing::Test {
protected:
    static inline std::unique_ptr<base::TTempDir> Shared;
    static std::string SharedDb() { return Shared->File("big.db"); }

    static void SetUpTestSuite()
    {
        Shared = std::make_unique<base::TTempDir>("xe-interrupt-db");
        test::CreateSampleDatabase(SharedDb(), { .Rows = InterruptRows, .Shuffled = true });
    }
    static void TearDownTestSuite() { Shared.reset(); }

    base::TTempDir Dir { "xe-interrupt" };
    std::string XmlName = Dir.File("out.xml");
    std::string TempName = Dir.File("Tempout.xml");
    pid_t App = -1;
    // Runs the executable as the user nobody (a test running as root needs an ordinary user).
    bool AsNobody = false;

    void TearDown() override { test::KillExecutable(App); }

    void Configure(std::string const& sql, std::string const& dbName, std::string const& xmlName = "")
    {
        test::WriteInOutIni(Dir.File("InOut.ini"), sql, xmlName.empty() ? XmlName : xmlName, dbName, "");
    }

    // Starts the executable headless in the test folder, its output in files there.
    void Start() { App = test::StartExecutable(Dir, { .Display = "", .AsNobody = AsNobody }); }
    // The exit code; 1000 + N when signal N killed the process (it did not end by itself);
    // -1 on a time-out.
    int Wait(int timeoutMs = 120000)
    {
        int code = -1;
        if (!test::WaitFor([&] { return (code = test::ReapExecutable(App)) >= 0; }, timeoutMs, 2))
            return -1;
        App = -1;
        return code;
    }
    int Run()
    {
        Start();
        return Wait();
    }
    std::string Out() { return test::ReadOutput(Dir, "stdout"); }
    std::string Err() { return test::ReadOutput(Dir, "stderr"); }
    bool OutHas(std::u8string_view text)
    {
        return Out().find(std::string(text.begin(), text.end())) != std::string::npos;
    }
};

} // namespace

TEST_F(InterruptE2E, ASignalDuringThePagesRemovesTheOutputAndEndsWith128PlusItsNumber)
{
    for (int signal : { SIGINT, SIGTERM, SIGHUP }) {
        SCOPED_TRACE(strsignal(signal));
        Configure("select * from t", SharedDb());
        Start();
        // The first page is on disk: the export is under way.
        ASSERT_TRUE(WaitFor([&] { return base::FileExists(XmlName); }, 60000)) << Err();
        kill(App, signal);
        int const code = Wait();
        EXPECT_EQ(code, 128 + signal) << Err();
        EXPECT_FALSE(base::FileExists(XmlName)) << "a partial output is left";
        EXPECT_FALSE(base::FileExists(TempName));
        EXPECT_NE(Err().find("interrupted by"), std::string::npos) << Err();
        char const* name = signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP";
        EXPECT_NE(Err().find(name), std::string::npos) << Err();
        EXPECT_FALSE(OutHas(u8"导出数据成功"))
            << (code == 0 ? "the export ended before the signal; make the table larger" : "");
    }
}

TEST_F(InterruptE2E, ASignalBeforeTheFirstPageLeavesAnEarlierOutputAlone)
{
    // The count and the ordered copy of the first page's statement run for a while over the
    // big shuffled table; the signal comes as soon as the run says it is exporting.
    base::WriteFileBytes(XmlName, "an earlier run's result");
    Configure("select * from t", SharedDb());
    Start();
    ASSERT_TRUE(WaitFor([&] { return OutHas(u8"正在导出数据..."); }, 60000)) << Err();
    kill(App, SIGTERM);
    EXPECT_EQ(Wait(), 128 + SIGTERM) << Err();
    EXPECT_EQ(base::ReadFileBytes(XmlName), "an earlier run's result");
    EXPECT_FALSE(base::FileExists(TempName));
    EXPECT_NE(Err().find("SIGTERM"), std::string::npos) << Err();
}

TEST_F(InterruptE2E, OutputsThatCannotBeReplacedAreRefusedBeforeAnythingIsWritten)
{
    test::CreateSampleDatabase(Dir.File("data.db"), { .Rows = 50 });
    std::string const earlier = "an earlier run's result";

    // A read-only file: its mode bits say so for every user, root included.
    base::WriteFileBytes(XmlName, earlier);
    ASSERT_EQ(chmod(XmlName.c_str(), 0444), 0);
    Configure("select * from t", Dir.File("data.db"));
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(Err().find("\"" + XmlName + "\" is read-only"), std::string::npos) << Err();
    EXPECT_EQ(base::ReadFileBytes(XmlName), earlier);
    struct stat st { };
    ASSERT_EQ(stat(XmlName.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    EXPECT_FALSE(OutHas(u8"导出数据成功"));
    EXPECT_FALSE(base::FileExists(TempName));
    ASSERT_EQ(chmod(XmlName.c_str(), 0644), 0);

    // A folder where the file should be.
    fs::create_directories(Dir.File("folder.xml/inside"));
    Configure("select * from t", Dir.File("data.db"), Dir.File("folder.xml"));
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(Err().find("folder.xml\" is a folder"), std::string::npos) << Err();
    EXPECT_EQ(Err().find("could not be removed"), std::string::npos) << Err();
    EXPECT_TRUE(fs::is_directory(Dir.File("folder.xml/inside")));
}

TEST_F(InterruptE2E, AnOutputFolderWithoutWritePermissionIsRefused)
{
    // Root may write anywhere: the run is made as the user nobody then, and the test folder
    // opened for it.
    AsNobody = geteuid() == 0;
    if (AsNobody) {
        ASSERT_EQ(chmod(Dir.Path().c_str(), 0755), 0);
    }
    test::CreateSampleDatabase(Dir.File("data.db"), { .Rows = 50 });
    std::string const earlier = "an earlier run's result";
    fs::create_directories(Dir.File("locked"));
    std::string const locked = Dir.File("locked/out.xml");
    base::WriteFileBytes(locked, earlier);
    ASSERT_EQ(chmod(Dir.File("locked").c_str(), 0555), 0);
    Configure("select * from t", Dir.File("data.db"), locked);
    EXPECT_EQ(Run(), 1) << Err();
    EXPECT_NE(
        Err().find("No permission to write in the folder \"" + Dir.File("locked") + "\""), std::string::npos)
        << Err();
    EXPECT_EQ(Err().find("could not be removed"), std::string::npos) << Err();
    EXPECT_EQ(base::ReadFileBytes(locked), earlier);

    // A file of another user that this one may not write, in a folder it may write.
    if (AsNobody) {
        ASSERT_EQ(chmod(Dir.File("locked").c_str(), 0777), 0);
        EXPECT_EQ(Run(), 1) << Err();
        EXPECT_NE(Err().find("No permission to write the file \"" + locked + "\""), std::string::npos)
            << Err();
        EXPECT_EQ(base::ReadFileBytes(locked), earlier);
    }
    chmod(Dir.File("locked").c_str(), 0755);
}
