// A framed skinned form in a real window (an Xvfb server of the test's own, the SDL
// backend): its caption buttons, clicked by xdotool, maximise, restore, roll up, roll down,
// minimise and restore it.
#include "platform/base/Files.h"
#include "platform/toolkit/Forms.h"
#include "platform/windows/WinUser.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/form/SkinnedForm.h"
#include "skin/form/TrayIcon.h"
#include "tests/support/ProcessState.h"
#include "tests/support/RealWindows.h"
#include "tests/support/Xvfb.h"
#ifdef XE_HAVE_FAKE_TRAY
#include "tests/support/FakeTray.h"
#endif

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace xe;
using namespace xe::skin;

namespace {

using xe::test::PumpUntil;
using xe::test::Shell;

} // namespace

TEST(SkinFormXvfbTest, CaptionButtonsChangeTheStateOfARealWindow)
{
    xe::test::TXvfb xvfb;
    if (!xvfb.Ok())
        GTEST_SKIP() << "Skipped: " << xvfb.Error << " (no X server for the real-window test)";
    ASSERT_EQ(std::system("command -v xdotool >/dev/null"), 0)
        << "xdotool is missing (scripts/setup installs it)";
    xe::test::TProcessState state;
    std::string error;
    ASSERT_TRUE(xe::test::StartSdlWindows(xvfb, state, error)) << error;
    {
        tk::TApplication app;
        tk::TForm* mainForm = app.CreateForm<tk::TForm>(); // the main form minimises the application
        (void)mainForm;
        tk::TComponentPtr<TspCompressedStoredSkin> stored(new TspCompressedStoredSkin(nullptr));
        stored->SetCompressedData(
            base::ReadFileBytes(std::string(XE_SOURCE_DIR) + "/resources/skin/skin.skn"));
        tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
        data->SetCompressedStoredSkin(stored.get());
        auto* form = app.CreateForm<tk::TForm>();
        form->SetBorderStyle(tk::bsSizeable);
        form->SetCaption("XeSkinFrame");
        auto* skinned = new TspSkinnedForm(form);
        skinned->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
        skinned->SetSkinData(data.get());
        form->SetBounds(200, 150, 300, 200);
        form->Show();
        std::string const prefix = "DISPLAY=" + xvfb.Display + " ";
        auto shownAs = [&](std::string const& geometry) {
            return PumpUntil(
                [&] {
                    std::string const tree = Shell(prefix + "xwininfo -root -tree 2>/dev/null");
                    return tree.find("\"XeSkinFrame\": ") != std::string::npos
                        && tree.find(geometry) != std::string::npos;
                },
                5000);
        };
        ASSERT_TRUE(shownAs("300x200+200+150"));
        auto click = [&](char const* name) {
            TspActiveSkinObject* button = nullptr;
            for (auto const& o : skinned->ObjectList)
                if (o->IDName == name)
                    button = o.get();
            if (!button) {
                ADD_FAILURE() << "no " << name;
                return;
            }
            base::TRect const r = button->ObjectRect;
            int const x = form->Left() + (r.Left + r.Right) / 2, y = form->Top() + (r.Top + r.Bottom) / 2;
            Shell(prefix + "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        };
        TspWindowState const none = TspWindowState(-1);
        auto waitState = [&](TspWindowState state, bool rolled) {
            return PumpUntil(
                [&] {
                    return (state == none || skinned->WindowState == state)
                        && skinned->RollUpState() == rolled;
                },
                5000);
        };

        click("maximizebutton");
        EXPECT_TRUE(waitState(wsMaximized, false));
        base::TRect const max = form->BoundsRect();
        EXPECT_TRUE(shownAs(std::to_string(max.Width()) + "x" + std::to_string(max.Height())));
        click("maximizebutton");
        EXPECT_TRUE(waitState(wsNormal, false));
        EXPECT_TRUE(shownAs("300x200+200+150"));

        click("rollupbutton");
        EXPECT_TRUE(waitState(wsNormal, true));
        EXPECT_TRUE(shownAs("300x32+200+150")) << "rolled up to the caption strip";
        click("rollupbutton");
        EXPECT_TRUE(waitState(wsNormal, false));
        EXPECT_TRUE(shownAs("300x200+200+150"));

        click("minimizebutton");
        EXPECT_TRUE(waitState(wsMinimized, false));
        EXPECT_TRUE(shownAs("152x32+"));
        click("minimizebutton");
        EXPECT_TRUE(waitState(wsNormal, false));
        EXPECT_TRUE(shownAs("300x200+200+150"));
        Shell(prefix + "import -window root xvfb-skinned-form.png");
    }
}

#ifdef XE_HAVE_FAKE_TRAY
// Minimising to the tray on a real display: without a tray the window stays on view; with a
// tray of the test's own the icon asks to dock, the window is withdrawn and a click on the
// icon brings it back; a tray that quits gives the window back.
TEST(SkinFormXvfbTest, MinimiseToTrayDocksAnIconOnlyWhereATrayIs)
{
    xe::test::TXvfb xvfb;
    if (!xvfb.Ok())
        GTEST_SKIP() << "Skipped: " << xvfb.Error << " (no X server for the real-window test)";
    ASSERT_EQ(std::system("command -v xdotool >/dev/null"), 0)
        << "xdotool is missing (scripts/setup installs it)";
    xe::test::TProcessState state;
    std::string error;
    ASSERT_TRUE(xe::test::StartSdlWindows(xvfb, state, error)) << error;
    std::string const prefix = "DISPLAY=" + xvfb.Display + " ";
    {
        tk::TApplication app;
        tk::TForm* mainForm = app.CreateForm<tk::TForm>();
        mainForm->SetCaption("XeTrayForm");
        mainForm->SetBorderStyle(tk::bsNone);
        mainForm->SetBounds(100, 100, 200, 135);
        auto* skinned = new TspSkinnedForm(mainForm);
        auto* tray = new TspTrayIcon(mainForm);
        tray->SetHint("XeTray");
        skinned->SetTrayIcon(tray);
        mainForm->Show();
        auto mapState = [&] {
            std::string const info = Shell(prefix + "xwininfo -name XeTrayForm 2>/dev/null");
            size_t const at = info.find("Map State: ");
            return at == std::string::npos ? std::string("none")
                                           : info.substr(at + 11, info.find('\n', at) - at - 11);
        };
        auto waitMapState
            = [&](std::string const& state) { return PumpUntil([&] { return mapState() == state; }, 5000); };
        ASSERT_TRUE(waitMapState("IsViewable"));

        // No tray: the form is only minimised, its window stays (no window manager iconifies it).
        EXPECT_FALSE(win::NotificationAreaAvailable());
        skinned->MinimizeToTray();
        EXPECT_TRUE(win::IsApplicationMinimized());
        EXPECT_FALSE(win::IsApplicationHidden());
        PumpUntil([] { return false; }, 300);
        EXPECT_EQ(mapState(), "IsViewable") << "without a tray the window stays reachable";
        skinned->RestoreFromTray();

        auto fake = std::make_unique<xe::test::TFakeTray>(xvfb.Display, 700, 740);
        ASSERT_TRUE(fake->Ok());
        ASSERT_TRUE(PumpUntil([] { return win::NotificationAreaAvailable(); }, 5000));
        skinned->MinimizeToTray();
        EXPECT_TRUE(PumpUntil(
            [&] {
                fake->Pump();
                return fake->Docked.size() == 1;
            },
            5000))
            << "the dock request reaches the tray";
        EXPECT_TRUE(win::IsApplicationHidden());
        EXPECT_TRUE(waitMapState("IsUnMapped")) << "withdrawn while the tray holds the icon";
        auto const [x, y] = fake->IconCentre(0);
        Shell(prefix + "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        EXPECT_TRUE(PumpUntil([] { return !win::IsApplicationMinimized(); }, 5000)) << "the click restores";
        EXPECT_TRUE(waitMapState("IsViewable"));
        EXPECT_FALSE(tray->Shown());

        // The tray quits while the form is in it: the window comes back.
        skinned->MinimizeToTray();
        EXPECT_TRUE(PumpUntil(
            [&] {
                fake->Pump();
                return fake->Docked.size() == 2;
            },
            5000));
        EXPECT_TRUE(waitMapState("IsUnMapped"));
        fake.reset();
        EXPECT_TRUE(waitMapState("IsViewable")) << "back when the tray went";
        EXPECT_FALSE(win::IsApplicationHidden());
        Shell(prefix + "import -window root xvfb-tray.png");
    }
}
#endif
