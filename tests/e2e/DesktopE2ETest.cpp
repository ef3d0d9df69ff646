// xmlexport on a desktop like a user's: an Xvfb server of the test's own with a real window
// manager (openbox) and a real tray (trayer) that reserves a strip of the screen. The
// confirmation dialog must stay above the main window as a modal dialog, its system menu
// must be a popup that no window manager handles and that Escape or a click elsewhere
// closes, and what the menu covered must be painted again.
#include "platform/base/Files.h"
#include "tests/app/ExportFixtures.h"
#include "tests/e2e/ExecutableRun.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <vector>

using namespace xe;

namespace {

using test::TDesktopProgram;
using test::TXvfb;

using test::WaitFor;

class DesktopExport : public ::testing::Test {
protected:
    base::TTempDir Dir { "xe-desktop" };
    std::unique_ptr<TXvfb> Server;
    std::unique_ptr<TDesktopProgram> WindowManager;
    std::unique_ptr<TDesktopProgram> Tray;
    pid_t App = -1;

    void SetUp() override
    {
        Server = std::make_unique<TXvfb>();
        if (!Server->Ok())
            GTEST_SKIP() << "Skipped: " << Server->Error << " (no X server for the desktop test)";
        ASSERT_EQ(std::system("command -v xdotool >/dev/null && command -v xprop >/dev/null"), 0)
            << "xdotool or xprop is missing (scripts/setup installs them)";
        WindowManager = TDesktopProgram::WindowManager(Server->Display);
        ASSERT_TRUE(WindowManager->Ok()) << WindowManager->Error;
        Tray = TDesktopProgram::Tray(Server->Display);
        ASSERT_TRUE(Tray->Ok()) << Tray->Error;
        test::CreateSampleDatabase(Dir.File("data.db"), { .Rows = 250000, .Shuffled = true });
        test::WriteInOutIni(
            Dir.File("InOut.ini"), "select * from t", Dir.File("out.xml"), Dir.File("data.db"), "");
    }
    void TearDown() override { test::KillExecutable(App); }

    void Start() { App = test::StartExecutable(Dir, { .Display = Server->Display }); }
    std::string Out() { return test::ReadOutput(Dir, "stdout") + test::ReadOutput(Dir, "stderr"); }
    std::string X(std::string const& command) { return test::XClient(Server->Display, command); }
    std::vector<std::string> Windows()
    {
        std::istringstream ids(X("xdotool search --onlyvisible --pid " + std::to_string(App)));
        std::vector<std::string> out;
        for (std::string id; ids >> id;)
            out.push_back(id);
        return out;
    }
    std::string WaitWindow(std::string const& size)
    {
        std::string found;
        WaitFor(
            [&] {
                for (std::string const& id : Windows())
                    if (X("xdotool getwindowgeometry " + id).find("Geometry: " + size) != std::string::npos)
                        found = id;
                return !found.empty();
            },
            30000);
        return found;
    }
    // A shown window of the tool other than the given ones, or empty.
    std::string OtherWindow(std::vector<std::string> const& known)
    {
        for (std::string const& id : Windows())
            if (std::find(known.begin(), known.end(), id) == known.end())
                return id;
        return "";
    }
    void ClickIn(std::string const& window, int x, int y, int button = 1)
    {
        X("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y)
            + " sleep 0.1 click " + std::to_string(button));
    }
    // The window ids in the window manager's stacking order, bottom first.
    std::vector<unsigned long> Stacking()
    {
        std::string const text = X("xprop -root _NET_CLIENT_LIST_STACKING");
        std::vector<unsigned long> out;
        for (size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2))
            out.push_back(std::stoul(text.substr(at), nullptr, 16));
        return out;
    }
    int StackPosition(std::string const& id)
    {
        std::vector<unsigned long> const order = Stacking();
        auto it = std::find(order.begin(), order.end(), std::stoul(id));
        return it == order.end() ? -1 : int(it - order.begin());
    }
    struct TBox {
        int X = 0, Y = 0, W = 0, H = 0;
    };
    TBox GeometryOf(std::string const& id)
    {
        TBox b;
        std::string const text = X("xwininfo -id " + id);
        auto value = [&](char const* label) {
            size_t const at = text.find(label);
            return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + std::string(label).size());
        };
        b.X = value("Absolute upper-left X:");
        b.Y = value("Absolute upper-left Y:");
        b.W = value("Width:");
        b.H = value("Height:");
        return b;
    }
    // The pixels of a screen rectangle, as text (one line per pixel).
    std::string Pixels(TBox const& b)
    {
        return X("import -window root -crop " + std::to_string(b.W) + "x" + std::to_string(b.H) + "+"
            + std::to_string(b.X) + "+" + std::to_string(b.Y) + " txt:-");
    }
};

} // namespace

TEST_F(DesktopExport, ModalDialogStaysAboveItsOwnerAndItsMenuIsAPopupThatRepaintsWhatItCovered)
{
    Start();
    std::string const main = WaitWindow("355x175");
    ASSERT_FALSE(main.empty()) << "the main window did not appear: " << Out();
    ASSERT_TRUE(WaitFor(
        [&] { return Out().find(reinterpret_cast<char const*>(u8"正在导出数据...")) != std::string::npos; },
        30000));
    ClickIn(main, 297 + 9, 5 + 10); // the close image
    std::string const dialog = WaitWindow("200x135");
    ASSERT_FALSE(dialog.empty()) << "the dialog did not appear";

    // The dialog is a modal dialog of the main window to the window manager.
    char mainHex[32];
    std::snprintf(mainHex, sizeof mainHex, "0x%lx", std::stoul(main));
    std::string const props
        = X("xprop -id " + dialog + " WM_TRANSIENT_FOR _NET_WM_WINDOW_TYPE _NET_WM_STATE");
    EXPECT_NE(props.find(std::string("WM_TRANSIENT_FOR(WINDOW): window id # ") + mainHex), std::string::npos)
        << props;
    EXPECT_NE(props.find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos) << props;
    EXPECT_NE(props.find("_NET_WM_STATE_MODAL"), std::string::npos) << props;
    EXPECT_EQ(X("xprop -id " + main + " WM_TRANSIENT_FOR").find("window id"), std::string::npos)
        << "the main window belongs to no one";

    // The dialog's system menu: a popup menu that no window manager handles, inside the
    // work area.
    TBox const box = GeometryOf(dialog);
    X("xdotool mousemove --window " + dialog + " 60 12");
    poll(nullptr, 0, 300);
    std::string const before = Pixels(box);
    ClickIn(dialog, 60, 12, 3);
    std::string menu;
    ASSERT_TRUE(WaitFor(
        [&] {
            return !(menu = OtherWindow({ main, dialog })).empty();
        },
        10000))
        << "the system menu did not open";
    std::string const menuType = X("xprop -id " + menu + " _NET_WM_WINDOW_TYPE");
    EXPECT_NE(menuType.find("_NET_WM_WINDOW_TYPE_POPUP_MENU"), std::string::npos) << menuType;
    EXPECT_NE(X("xwininfo -id " + menu).find("Override Redirect State: yes"), std::string::npos);
    TBox const m = GeometryOf(menu);
    EXPECT_TRUE(m.X >= box.X && m.Y >= box.Y && m.X < box.X + box.W) << "opened at the caption";
    EXPECT_NE(Pixels(box), before) << "the menu covers part of the dialog";

    // Escape closes it, and the dialog shows what the menu covered again.
    X("xdotool key Escape");
    EXPECT_TRUE(WaitFor(
        [&] {
            return OtherWindow({ main, dialog }).empty();
        },
        5000))
        << "Escape did not close it";
    EXPECT_TRUE(WaitFor([&] { return Pixels(box) == before; }, 3000))
        << "the uncovered part was not repainted";

    // A click on the disabled main window leaves the dialog above it.
    ClickIn(main, 10, 120);
    poll(nullptr, 0, 500);
    EXPECT_GT(StackPosition(dialog), StackPosition(main)) << X("xprop -root _NET_CLIENT_LIST_STACKING");

    // A click outside every window of the tool closes it as well.
    ClickIn(dialog, 60, 12, 3);
    ASSERT_TRUE(WaitFor([&] { return !OtherWindow({ main, dialog }).empty(); }, 10000));
    X("xdotool mousemove 900 100 sleep 0.1 click 1");
    EXPECT_TRUE(WaitFor(
        [&] {
            return OtherWindow({ main, dialog }).empty();
        },
        5000))
        << "a click elsewhere did not close it";
    EXPECT_TRUE(WaitFor([&] { return Pixels(box) == before; }, 3000))
        << "the uncovered part was not repainted";
    X("import -window root desktop-dialog.png");
}
