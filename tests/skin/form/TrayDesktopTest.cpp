// A skinned form minimised into a real tray (trayer) under a real window manager (openbox),
// on an Xvfb server of the test's own: the icon gets a usable size and shows its picture,
// its menu is a popup inside the work area that Escape closes, and when the tray quits the
// form comes back as from a click on the icon, with working caption buttons.
#include "platform/base/Files.h"
#include "platform/toolkit/Forms.h"
#include "platform/windows/WinUser.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinnedForm.h"
#include "skin/form/TrayIcon.h"
#include "tests/support/ProcessState.h"
#include "tests/support/RealWindows.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <unistd.h>

using namespace xe;
using namespace xe::skin;

namespace {

using xe::test::PumpUntil;
using xe::test::Shell;

// A window of the tree that `xwininfo -root -tree` prints, found by its name.
struct TTreeWindow {
    bool Found = false;
    int W = 0, H = 0, X = 0, Y = 0; // size and position on the screen
};

TTreeWindow FindInTree(std::string const& tree, std::string const& name)
{
    TTreeWindow w;
    size_t const at = tree.find("\"" + name + "\"");
    if (at == std::string::npos)
        return w;
    std::string const line = tree.substr(at, tree.find('\n', at) - at);
    // ... "name": ("res" "class")  WxH+x+y  +X+Y
    size_t const geometry
        = line.find_first_of("0123456789", line.rfind(")") == std::string::npos ? 0 : line.rfind(")"));
    if (geometry == std::string::npos)
        return w;
    int x = 0, y = 0;
    w.Found = std::sscanf(line.c_str() + geometry, "%dx%d%d%d %d%d", &w.W, &w.H, &x, &y, &w.X, &w.Y) == 6;
    return w;
}

} // namespace

TEST(TrayDesktopTest, IconInARealTrayAndTheFormBackWhenTheTrayQuits)
{
    xe::test::TXvfb xvfb;
    if (!xvfb.Ok())
        GTEST_SKIP() << "Skipped: " << xvfb.Error << " (no X server for the desktop test)";
    ASSERT_EQ(std::system("command -v xdotool >/dev/null && command -v xprop >/dev/null"), 0)
        << "xdotool or xprop is missing (scripts/setup installs them)";
    auto windowManager = xe::test::TDesktopProgram::WindowManager(xvfb.Display);
    ASSERT_TRUE(windowManager->Ok()) << windowManager->Error;
    auto tray = xe::test::TDesktopProgram::Tray(xvfb.Display);
    ASSERT_TRUE(tray->Ok()) << tray->Error;
    xe::test::TProcessState state;
    std::string error;
    ASSERT_TRUE(xe::test::StartSdlWindows(xvfb, state, error)) << error;
    std::string const prefix = "DISPLAY=" + xvfb.Display + " ";
    {
        tk::TApplication app;
        tk::TComponentPtr<TspCompressedStoredSkin> stored(new TspCompressedStoredSkin(nullptr));
        stored->SetCompressedData(
            base::ReadFileBytes(std::string(XE_SOURCE_DIR) + "/resources/skin/skin.skn"));
        tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
        data->SetCompressedStoredSkin(stored.get());
        auto* form = app.CreateForm<tk::TForm>();
        form->SetBorderStyle(tk::bsSizeable);
        form->SetCaption("XeTrayDesktop");
        auto* skinned = new TspSkinnedForm(form);
        skinned->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
        skinned->SetSkinData(data.get());
        skinned->SetAlwaysMinimizeToTray(true);
        auto* icon = new TspTrayIcon(form);
        gfx::TBitmap picture(16, 16);
        picture.Fill(base::RGB(255, 0, 0));
        icon->SetIcon(picture);
        icon->SetHint("XeTrayTip");
        skinned->SetTrayIcon(icon);
        int restored = 0;
        skinned->OnRestoreFromTray = [&](tk::TComponent*) { ++restored; };
        form->SetBounds(200, 150, 300, 200);
        form->Show();
        auto mapState = [&] {
            std::string const info = Shell(prefix + "xwininfo -name XeTrayDesktop 2>/dev/null");
            size_t const at = info.find("Map State: ");
            return at == std::string::npos ? std::string("none")
                                           : info.substr(at + 11, info.find('\n', at) - at - 11);
        };
        ASSERT_TRUE(PumpUntil([&] { return mapState() == "IsViewable"; }, 5000));
        auto button = [&](char const* name) -> TspActiveSkinObject* {
            for (auto const& o : skinned->ObjectList)
                if (o->IDName == name)
                    return o.get();
            return nullptr;
        };
        auto clickAt = [&](TspActiveSkinObject* o) {
            base::TRect const r = o->ObjectRect;
            int const x = form->Left() + (r.Left + r.Right) / 2, y = form->Top() + (r.Top + r.Bottom) / 2;
            Shell(prefix + "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y)
                + " sleep 0.1 click 1");
        };
        TspActiveSkinObject* minimize = button("minimizebutton");
        TspActiveSkinObject* maximize = button("maximizebutton");
        ASSERT_TRUE(minimize && maximize);

        // The minimise button puts the form into the tray.
        clickAt(minimize);
        ASSERT_TRUE(PumpUntil([] { return win::IsApplicationHidden(); }, 5000)) << "not hidden in the tray";
        ASSERT_TRUE(PumpUntil([&] { return mapState() == "IsUnMapped"; }, 5000));

        // The icon, embedded by the tray, has an icon's size and shows its picture.
        TTreeWindow docked;
        PumpUntil(
            [&] {
                docked = FindInTree(Shell(prefix + "xwininfo -root -tree 2>/dev/null"), "XeTrayTip");
                return docked.Found && docked.W > 1;
            },
            5000);
        ASSERT_TRUE(docked.Found) << "the icon is not in the tray";
        EXPECT_GE(docked.W, 16) << "trayer gives an icon without size hints a single pixel";
        EXPECT_GE(docked.H, 16);
        int const cx = docked.X + docked.W / 2, cy = docked.Y + docked.H / 2;
        std::string pixel;
        PumpUntil(
            [&] {
                pixel = Shell(prefix + "import -window root -crop 1x1+" + std::to_string(cx) + "+"
                    + std::to_string(cy) + " -depth 8 txt:- 2>/dev/null");
                return pixel.find("#FF0000") != std::string::npos;
            },
            5000);
        EXPECT_NE(pixel.find("#FF0000"), std::string::npos) << "the icon's picture: " << pixel;

        // A right click opens its menu: a popup inside the work area (above the tray's strip),
        // which Escape closes though no window of the application has the focus.
        Shell(prefix + "xdotool mousemove " + std::to_string(cx) + " " + std::to_string(cy)
            + " sleep 0.1 click 3");
        ASSERT_TRUE(PumpUntil([&] { return icon->Menu() && icon->Menu()->Visible(); }, 5000))
            << "no tray menu";
        int workBottom = 0;
        std::string const workArea = Shell(prefix + "xprop -root _NET_WORKAREA");
        int left = 0, top = 0, width = 0, height = 0;
        ASSERT_EQ(std::sscanf(workArea.c_str(), "_NET_WORKAREA(CARDINAL) = %d, %d, %d, %d", &left, &top,
                      &width, &height),
            4)
            << workArea;
        workBottom = top + height;
        EXPECT_LT(workBottom, 768) << "the tray reserves its strip";
        win::RECT menuRect;
        win::GetWindowRect(icon->Menu()->Handle(), &menuRect);
        EXPECT_LE(menuRect.Bottom, workBottom) << "the menu lies over the tray";
        std::string menuId;
        PumpUntil(
            [&] {
                std::istringstream ids(
                    Shell(prefix + "xdotool search --onlyvisible --pid " + std::to_string(getpid())));
                ids >> menuId;
                return !menuId.empty();
            },
            3000);
        std::string const menuType = Shell(prefix + "xprop -id " + menuId + " _NET_WM_WINDOW_TYPE 2>&1");
        EXPECT_NE(menuType.find("_NET_WM_WINDOW_TYPE_POPUP_MENU"), std::string::npos) << menuType;
        Shell(prefix + "xdotool key Escape");
        EXPECT_TRUE(PumpUntil([&] { return !icon->Menu()->Visible(); }, 5000))
            << "Escape did not close the menu";
        if (icon->Menu()->Visible())
            icon->Menu()->Close();

        // The tray quits: the form comes back as from the icon, and works.
        Shell(prefix + "xdotool mousemove 600 500");
        tray->Stop();
        EXPECT_TRUE(PumpUntil([&] { return mapState() == "IsViewable"; }, 5000))
            << "not back when the tray went";
        EXPECT_TRUE(PumpUntil([&] { return !win::IsApplicationMinimized(); }, 5000)) << "still minimised";
        EXPECT_EQ(restored, 1) << "OnRestoreFromTray";
        EXPECT_FALSE(icon->MinimizedToTray);
        EXPECT_FALSE(win::IsApplicationHidden());
        Shell(prefix + "xdotool mousemove " + std::to_string(form->Left() + 150) + " "
            + std::to_string(form->Top() + 120));
        PumpUntil([] { return false; }, 300);
        EXPECT_FALSE(minimize->ActiveState || minimize->MouseInside) << "the minimise button stays lit";
        clickAt(maximize);
        EXPECT_TRUE(PumpUntil([&] { return skinned->WindowState == wsMaximized; }, 5000))
            << "the caption buttons do not answer";
        clickAt(maximize);
        EXPECT_TRUE(PumpUntil([&] { return skinned->WindowState == wsNormal; }, 5000));
        // A drag on the caption moves the form.
        int const x0 = form->Left(), y0 = form->Top();
        Shell(prefix + "xdotool mousemove " + std::to_string(x0 + 60) + " " + std::to_string(y0 + 10)
            + " sleep 0.2 mousedown 1 sleep 0.2 mousemove_relative 20 10 sleep 0.2 mousemove_relative 20 10"
              " sleep 0.2 mouseup 1");
        EXPECT_TRUE(PumpUntil([&] { return form->Left() == x0 + 40 && form->Top() == y0 + 20; }, 5000))
            << "the caption drag did not move the form: " << form->Left() << "," << form->Top();
        Shell(prefix + "import -window root tray-desktop.png");
    }
}
