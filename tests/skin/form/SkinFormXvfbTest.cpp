// A framed skinned form in a real window (an Xvfb server of the test's own, the SDL
// backend): its caption buttons, clicked by xdotool, maximise, restore, roll up, roll down,
// minimise and restore it.
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/toolkit/Forms.h"
#include "platform/windows/SdlBackend.h"
#include "platform/windows/WinUser.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/form/SkinnedForm.h"
#include "tests/support/ProcessState.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <poll.h>

using namespace xe;
using namespace xe::skin;

namespace {

std::string Shell(std::string const& command)
{
    std::string out;
    if (FILE* f = popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, f))
            out.append(buffer, n);
        pclose(f);
    }
    return out;
}

// Handles messages until done() or until ms of real time have passed.
bool PumpUntil(std::function<bool()> const& done, unsigned ms)
{
    uint64_t const deadline = win::GetTickCount64() + ms;
    win::UINT_PTR const timer
        = win::SetTimer(nullptr, 0, 50, [](win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {});
    win::MSG msg;
    while (!done() && win::GetTickCount64() < deadline && win::GetMessage(&msg, nullptr, 0, 0)) {
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
    win::KillTimer(nullptr, timer);
    return done();
}

} // namespace

TEST(SkinFormXvfbTest, CaptionButtonsChangeTheStateOfARealWindow)
{
    testsupport::TXvfb xvfb;
    if (!xvfb.Ok())
        GTEST_SKIP() << "Skipped: " << xvfb.Error << " (no X server for the real-window test)";
    ASSERT_EQ(std::system("command -v xdotool >/dev/null"), 0)
        << "xdotool is missing (scripts/setup installs it)";
    xe::test::TProcessState state;
    state.SetEnvironment("DISPLAY", xvfb.Display.c_str());
    state.SetEnvironment("SDL_VIDEODRIVER", "x11");
    std::unique_ptr<win::TSdlBackend> backend;
    for (int attempt = 0; !backend && attempt < 5; ++attempt) {
        try {
            backend = std::make_unique<win::TSdlBackend>();
        } catch (base::EInvalidOperation const&) {
            poll(nullptr, 0, 200);
        }
    }
    ASSERT_TRUE(backend) << "SDL cannot use the X server";
    win::InitWindowSystem(std::move(backend));
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
    win::DoneWindowSystem();
}
