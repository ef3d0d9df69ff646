// xmlexport in real windows: an Xvfb server of the test's own, the SDL backend, and a user
// played by xdotool who closes the main window during the export and answers the dialog.
// Screenshots of the screen are left in the test's working folder for the record.
#include "platform/base/Files.h"
#include "tests/app/ExportFixtures.h"
#include "tests/e2e/ExecutableRun.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

using namespace xe;

namespace {

// Enough rows that the export runs for a few seconds, so the close lands while it runs.
constexpr int XvfbRows = 250000;

using test::TXvfb;
using test::WaitFor;

class XvfbExport : public ::testing::Test {
protected:
    base::TTempDir Dir { "xe-xvfb" };
    std::string DbName = Dir.File("data.db");
    std::string XmlName = Dir.File("out.xml");
    std::unique_ptr<TXvfb> Server;
    pid_t App = -1;
    int ExitStatus = -1;

    void SetUp() override
    {
        Server = std::make_unique<TXvfb>();
        if (!Server->Ok())
            GTEST_SKIP() << "Skipped: " << Server->Error << " (no X server for the real-window test)";
        ASSERT_EQ(std::system("command -v xdotool >/dev/null"), 0)
            << "xdotool is missing (scripts/setup installs it)";
        test::CreateSampleDatabase(DbName, { .Rows = XvfbRows, .Shuffled = true });
        test::WriteInOutIni(Dir.File("InOut.ini"), "select * from t", XmlName, DbName, "");
    }
    void TearDown() override
    {
        if (!Exited())
            test::KillExecutable(App);
    }

    void Start() { App = test::StartExecutable(Dir, { .Display = Server->Display }); }
    bool Exited()
    {
        if (ExitStatus < 0 && App > 0)
            ExitStatus = test::ReapExecutable(App);
        return ExitStatus >= 0;
    }
    std::string Out() { return test::ReadOutput(Dir, "stdout"); }
    std::string Err() { return test::ReadOutput(Dir, "stderr"); }
    bool OutHas(std::u8string_view text)
    {
        return Out().find(std::string(text.begin(), text.end())) != std::string::npos;
    }

    // Runs an X client command on the test's display; its standard output.
    std::string X(std::string const& command) { return test::XClient(Server->Display, command); }
    // The visible window of the process with this size ("355x175"), or empty.
    std::string WindowOfSize(std::string const& size)
    {
        std::istringstream ids(X("xdotool search --onlyvisible --pid " + std::to_string(App)));
        std::string id;
        while (ids >> id)
            if (X("xdotool getwindowgeometry " + id).find("Geometry: " + size) != std::string::npos)
                return id;
        return "";
    }
    std::string WaitWindow(std::string const& size)
    {
        std::string id;
        WaitFor([&] { return !(id = WindowOfSize(size)).empty() || Exited(); }, 30000);
        return id;
    }
    void ClickIn(std::string const& window, int x, int y)
    {
        X("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y)
            + " click 1");
    }
    // A window's position and size on the screen, from xdotool.
    struct TGeometry {
        int X = -1, Y = -1, W = 0, H = 0;
    };
    TGeometry GeometryOf(std::string const& window)
    {
        TGeometry g;
        std::string const text = X("xdotool getwindowgeometry " + window);
        size_t at = text.find("Position: ");
        if (at != std::string::npos)
            std::sscanf(text.c_str() + at, "Position: %d,%d", &g.X, &g.Y);
        at = text.find("Geometry: ");
        if (at != std::string::npos)
            std::sscanf(text.c_str() + at, "Geometry: %dx%d", &g.W, &g.H);
        return g;
    }
    // A visible window of the process other than the given ones, or empty.
    std::string OtherWindow(std::vector<std::string> const& known)
    {
        std::istringstream ids(X("xdotool search --onlyvisible --pid " + std::to_string(App)));
        std::string id;
        while (ids >> id)
            if (std::find(known.begin(), known.end(), id) == known.end())
                return id;
        return "";
    }
    void Screenshot(std::string const& name) { X("import -window root '" + name + "'"); }

    // Starts the export, waits for it to run and clicks the main window's close image.
    std::string CloseDuringExport()
    {
        Start();
        std::string main = WaitWindow("355x175");
        EXPECT_FALSE(main.empty()) << "the main window did not appear; exit status " << ExitStatus
                                   << ", stdout: " << Out() << ", stderr: " << Err();
        EXPECT_TRUE(WaitFor([&] { return OutHas(u8"正在导出数据...") || Exited(); }, 30000));
        EXPECT_FALSE(OutHas(u8"导出数据成功")) << "the export ended before the close; make the table larger";
        ClickIn(main, 297 + 9, 5 + 10);
        return main;
    }
};

} // namespace

TEST_F(XvfbExport, CancelLetsTheExportFinishThenTheCloseImageCloses)
{
    std::string main = CloseDuringExport();
    std::string dialog = WaitWindow("200x135");
    ASSERT_FALSE(dialog.empty()) << "the dialog did not appear";
    Screenshot("xvfb-dialog.png");
    ClickIn(dialog, 105 + 30, 91 + 10);
    ASSERT_TRUE(WaitFor([&] { return OutHas(u8"导出数据成功") || Exited(); }, 120000)) << Out();
    EXPECT_FALSE(Exited()) << "the done window waits for its user";
    Screenshot("xvfb-done.png");
    ClickIn(main, 297 + 9, 5 + 10);
    ASSERT_TRUE(WaitFor([&] { return Exited(); }, 30000)) << "the done window did not close at once";
    EXPECT_EQ(ExitStatus, 0) << "stderr: " << Err();
    std::string xml = base::ReadFileBytes(XmlName);
    size_t rows = 0;
    for (size_t at = xml.find("<z:row "); at != std::string::npos; at = xml.find("<z:row ", at + 1))
        ++rows;
    EXPECT_EQ(rows, size_t(XvfbRows));
    EXPECT_FALSE(base::FileExists(Dir.File("Tempout.xml")));
}

TEST_F(XvfbExport, OkStopsTheExportAndLeavesNoFiles)
{
    CloseDuringExport();
    std::string dialog = WaitWindow("200x135");
    ASSERT_FALSE(dialog.empty()) << "the dialog did not appear";
    ClickIn(dialog, 27 + 30, 91 + 10);
    ASSERT_TRUE(WaitFor([&] { return Exited(); }, 30000)) << "the application did not end";
    EXPECT_EQ(ExitStatus, 0) << base::ReadFileBytes(Dir.File("stderr"));
    EXPECT_FALSE(base::FileExists(XmlName));
    EXPECT_FALSE(base::FileExists(Dir.File("Tempout.xml")));
    EXPECT_FALSE(OutHas(u8"导出数据成功"));
    Screenshot("xvfb-after-ok.png");
}

TEST_F(XvfbExport, WindowTitlesReadRightInEveryXClient)
{
    // The tool runs in the C locale; WM_NAME must still hold the title, not its UTF-8 bytes
    // taken for Latin-1.
    Start();
    std::string main = WaitWindow("355x175");
    ASSERT_FALSE(main.empty()) << "the main window did not appear; stderr: " << Err();
    std::string wmName = X("env LANG=C.UTF-8 LC_ALL=C.UTF-8 xprop -id " + main + " WM_NAME");
    EXPECT_NE(wmName.find(reinterpret_cast<char const*>(u8"= \"数据导出\"")), std::string::npos) << wmName;
    std::string found = X(std::string("env LANG=C.UTF-8 LC_ALL=C.UTF-8 xdotool search --name '")
        + reinterpret_cast<char const*>(u8"^数据导出$") + "'");
    EXPECT_NE(found.find(main), std::string::npos) << "xdotool found: " << found;
}

TEST_F(XvfbExport, AnErrorIsShownInAMessageBoxBeforeTheToolEnds)
{
    // A statement without an id column fails at its first page, inside the running tool.
    test::WriteInOutIni(Dir.File("InOut.ini"), "select name from t", XmlName, DbName, "");
    Start();
    std::string box;
    ASSERT_TRUE(WaitFor(
        [&] {
            std::istringstream ids(X("xdotool search --onlyvisible --pid " + std::to_string(App)));
            std::string id;
            while (ids >> id) {
                std::string geometry = X("xdotool getwindowgeometry " + id);
                if (geometry.find("355x175") == std::string::npos
                    && geometry.find("200x135") == std::string::npos)
                    box = id;
            }
            return !box.empty() || Exited();
        },
        60000));
    ASSERT_FALSE(box.empty()) << "no message box; exit status " << ExitStatus << ", stderr: " << Err();
    EXPECT_FALSE(Exited()) << "the tool waits until the message is read";
    EXPECT_NE(Err().find("id"), std::string::npos) << "the message also goes to standard error";
    Screenshot("xvfb-error-box.png");
    // OK sits centred at the bottom of the box.
    std::string geometry = X("xdotool getwindowgeometry " + box);
    int width = 0;
    int height = 0;
    size_t at = geometry.find("Geometry: ");
    ASSERT_NE(at, std::string::npos) << geometry;
    ASSERT_EQ(std::sscanf(geometry.c_str() + at, "Geometry: %dx%d", &width, &height), 2) << geometry;
    ClickIn(box, width / 2, height - 14 - 11);
    ASSERT_TRUE(WaitFor([&] { return Exited(); }, 30000)) << "OK did not end the tool";
    EXPECT_EQ(ExitStatus, 1);
    EXPECT_FALSE(base::FileExists(XmlName));
}

TEST_F(XvfbExport, DialogMovesByItsCaptionAndItsSystemMenuClosesAsCancel)
{
    std::string main = CloseDuringExport();
    std::string dialog = WaitWindow("200x135");
    ASSERT_FALSE(dialog.empty()) << "the dialog did not appear";
    TGeometry const before = GeometryOf(dialog);
    X("xdotool mousemove --window " + dialog
        + " 60 12 sleep 0.2 mousedown 1 sleep 0.2 mousemove_relative 10 10"
        + " sleep 0.2 mousemove_relative 20 10 sleep 0.2 mouseup 1");
    EXPECT_TRUE(WaitFor(
        [&] {
            TGeometry const g = GeometryOf(dialog);
            return g.X == before.X + 30 && g.Y == before.Y + 20;
        },
        5000))
        << "the caption band did not move the dialog";
    X("xdotool mousemove --window " + dialog + " 60 12 sleep 0.2 click 3");
    std::string menu;
    ASSERT_TRUE(WaitFor(
        [&] {
            return !(menu = OtherWindow({ main, dialog })).empty() || Exited();
        },
        10000))
        << "the system menu did not open";
    Screenshot("xvfb-system-menu.png");
    TGeometry const m = GeometryOf(menu);
    ClickIn(menu, m.W / 2, m.H / 2); // its one item, Close
    ASSERT_TRUE(WaitFor([&] { return OutHas(u8"导出数据成功") || Exited(); }, 120000)) << Out();
    EXPECT_FALSE(Exited()) << "Close answers as Cancel: the export goes on";
    ClickIn(main, 297 + 9, 5 + 10);
    ASSERT_TRUE(WaitFor([&] { return Exited(); }, 30000));
    EXPECT_EQ(ExitStatus, 0) << "stderr: " << Err();
    EXPECT_TRUE(base::FileExists(XmlName));
}

TEST_F(XvfbExport, AFailedStartIsExplainedInAMessageBoxAndTheWindowStays)
{
    // Started from a desktop, nobody reads standard error: the box says why nothing runs.
    test::WriteInOutIni(Dir.File("InOut.ini"), "select * from t", XmlName, Dir.File("missing.db"), "");
    Start();
    std::string box;
    ASSERT_TRUE(WaitFor(
        [&] {
            std::istringstream ids(X("xdotool search --onlyvisible --pid " + std::to_string(App)));
            std::string id;
            while (ids >> id)
                if (X("xdotool getwindowgeometry " + id).find("355x175") == std::string::npos)
                    box = id;
            return !box.empty() || Exited();
        },
        30000));
    ASSERT_FALSE(box.empty()) << "no message box; exit status " << ExitStatus << ", stderr: " << Err();
    // The status text came first, and the box carries the reason (its window name is the
    // application's title; the text is drawn, so the reason is checked on standard error).
    EXPECT_TRUE(OutHas(u8"数据初始化失败...")) << Out();
    EXPECT_NE(Err().find("Could not find file '" + Dir.File("missing.db") + "'."), std::string::npos)
        << Err();
    std::string main = WindowOfSize("355x175");
    EXPECT_FALSE(main.empty()) << "the main window is there behind the box";
    Screenshot("xvfb-start-failed-box.png");
    TGeometry const g = GeometryOf(box);
    ClickIn(box, g.W / 2, g.H - 14 - 11);
    // OK closes the box only: the window stays in the failed state until its user closes it.
    ASSERT_TRUE(
        WaitFor([&] { return WindowOfSize(std::to_string(g.W) + "x" + std::to_string(g.H)).empty(); }, 10000))
        << "OK did not close the box";
    EXPECT_FALSE(Exited()) << "the failed window waits for its user";
    ClickIn(main, 297 + 9, 5 + 10);
    ASSERT_TRUE(WaitFor([&] { return Exited(); }, 30000)) << "the close image did not end the tool";
    EXPECT_EQ(ExitStatus, 1);
}

// xdotool windowclose destroys the window; xkill (a window manager's "kill client") closes the
// whole display connection, after which Xlib ends the process itself.
TEST_F(XvfbExport, TheMainWindowDestroyedOrItsClientKilledFromOutsideStopsTheExport)
{
    for (bool killClient : { false, true }) {
        SCOPED_TRACE(killClient ? "xkill" : "xdotool windowclose");
        ExitStatus = -1;
        Start();
        std::string main = WaitWindow("355x175");
        ASSERT_FALSE(main.empty()) << "the main window did not appear; stderr: " << Err();
        // The first page is on disk: the export is under way.
        ASSERT_TRUE(WaitFor([&] { return base::FileExists(XmlName) || Exited(); }, 60000));
        ASSERT_FALSE(OutHas(u8"导出数据成功")) << "the export ended too soon; make the table larger";
        X(killClient ? "xkill -id " + main : "xdotool windowclose " + main);
        ASSERT_TRUE(WaitFor([&] { return Exited(); }, 60000)) << "the tool went on without its window";
        EXPECT_EQ(ExitStatus, 1) << Err();
        EXPECT_NE(Err().find(killClient ? "ended before the export finished" : "destroyed from outside"),
            std::string::npos)
            << Err();
        EXPECT_FALSE(base::FileExists(XmlName));
        EXPECT_FALSE(base::FileExists(Dir.File("Tempout.xml")));
        EXPECT_FALSE(OutHas(u8"导出数据成功"));
    }
}

// The dialog's window destroyed from outside answers it as Cancel: the export finishes.
TEST_F(XvfbExport, TheDialogDestroyedFromOutsideAnswersAsCancel)
{
    CloseDuringExport();
    std::string dialog = WaitWindow("200x135");
    ASSERT_FALSE(dialog.empty()) << "the dialog did not appear";
    X("xdotool windowclose " + dialog);
    ASSERT_TRUE(WaitFor([&] { return OutHas(u8"导出数据成功") || Exited(); }, 120000)) << Out();
    EXPECT_FALSE(Exited()) << "the done window waits for its user; stderr: " << Err();
    EXPECT_TRUE(WindowOfSize("200x135").empty());
    EXPECT_EQ(test::CompareRows(test::ReadRowsetFile(XmlName),
                  test::QueryRows(DbName, "select * from t order by id"), { "id", "name", "note" }),
        "");
}

// Once the export has finished, a signal or the window's loss only ends the process: the
// output is complete and the exit status says done.
TEST_F(XvfbExport, AfterTheExportASignalOrTheWindowsLossOnlyEndsTheProcess)
{
    test::WriteInOutIni(Dir.File("InOut.ini"), "select * from t where id <= 3000", XmlName, DbName, "");
    for (bool bySignal : { true, false }) {
        SCOPED_TRACE(bySignal ? "SIGTERM" : "xdotool windowclose");
        ExitStatus = -1;
        Start();
        std::string main = WaitWindow("355x175");
        ASSERT_FALSE(main.empty()) << "the main window did not appear; stderr: " << Err();
        ASSERT_TRUE(WaitFor([&] { return OutHas(u8"导出数据成功") || Exited(); }, 60000)) << Err();
        ASSERT_FALSE(Exited()) << "the done window waits for its user";
        if (bySignal)
            kill(App, SIGTERM);
        else
            X("xdotool windowclose " + main);
        ASSERT_TRUE(WaitFor([&] { return Exited(); }, 30000)) << "the tool did not end";
        EXPECT_EQ(ExitStatus, 0) << Err();
        EXPECT_EQ(test::CompareRows(test::ReadRowsetFile(XmlName),
                      test::QueryRows(DbName, "select * from t where id <= 3000 order by id"),
                      { "id", "name", "note" }),
            "");
    }
}
