#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/base/Strings.h"
#include "platform/graphics/Canvas.h"
#include "platform/windows/SdlBackend.h"
#include "tests/platform/windows/TestWindow.h"
#include "tests/support/ProcessState.h"
#include "tests/support/RealWindows.h"
#include "tests/support/Xvfb.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

TEST(SdlBackendTest, RealWindowAppearsAndReceivesClicks)
{
    TXvfb xvfb;
    if (!xvfb.Ok())
        GTEST_SKIP() << "Skipped: " << xvfb.Error << " (no X server for the real-window test)";
    TProcessState state;
    std::string error;
    ASSERT_TRUE(StartSdlWindows(xvfb, state, error)) << error;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    {
        TTestWindow w("XeSdlTest", base::Bounds(320, 244, 355, 175), WS_POPUP | WS_VISIBLE);
        std::string prefix = "DISPLAY=" + xvfb.Display + " ";

        // The window is mapped where the window system put it.
        std::string tree;
        PumpUntil(
            [&] {
                tree = Shell(prefix + "xwininfo -root -tree 2>/dev/null");
                return tree.find("\"XeSdlTest\": ") != std::string::npos
                    && tree.find("355x175+320+244") != std::string::npos;
            },
            5000);
        EXPECT_NE(tree.find("\"XeSdlTest\": "), std::string::npos) << tree;
        EXPECT_NE(tree.find("355x175+320+244"), std::string::npos) << tree;

        // What the window paints is what the display shows (blue, green and red in place).
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) // the first painting
            DispatchMessage(&msg);
        HDC dc = GetDC(w.Handle);
        dc->Brush.Color = base::RGB(255, 128, 0);
        dc->FillRect(base::Rect(0, 0, 355, 175));
        ReleaseDC(w.Handle, dc);
        std::string pixel;
        PumpUntil(
            [&] {
                pixel = Shell(prefix + "import -window root -crop 1x1+330+250 txt:- 2>/dev/null");
                return pixel.find("srgb(255,128,0)") != std::string::npos;
            },
            5000);
        EXPECT_NE(pixel.find("srgb(255,128,0)"), std::string::npos) << pixel;

        // A window region shapes the real window through the X shape extension.
        gfx::TRegion shape = gfx::CreateRectRgn(0, 0, 100, 50);
        SetWindowRgn(w.Handle, &shape, TRUE);
        std::string extents;
        PumpUntil(
            [&] {
                extents = Shell(prefix + "xwininfo -name XeSdlTest -shape 2>/dev/null");
                return extents.find("Window shape extents:  100x50") != std::string::npos;
            },
            5000);
        EXPECT_NE(extents.find("Window shape extents:  100x50"), std::string::npos) << extents;
        SetWindowRgn(w.Handle, nullptr, TRUE);

        // A click with the real pointer arrives as client messages.
        Shell(prefix + "xdotool mousemove 400 300 click 1");
        EXPECT_TRUE(PumpUntil([&] { return w.Count(WM_LBUTTONUP) > 0; }, 5000));
        auto down = w.Only({ WM_LBUTTONDOWN });
        ASSERT_EQ(down.size(), 1u);
        EXPECT_EQ(LParamToPoint(down[0].LParam), (TPoint { 80, 56 }));

        // A notch of the real wheel each way arrives as WM_MOUSEWHEEL: 120 units away from
        // the user, -120 toward, with the pointer's screen position.
        Shell(prefix + "xdotool mousemove 400 300 click 4 click 5");
        EXPECT_TRUE(PumpUntil([&] { return w.Count(WM_MOUSEWHEEL) > 1; }, 5000));
        auto wheel = w.Only({ WM_MOUSEWHEEL });
        ASSERT_EQ(wheel.size(), 2u);
        EXPECT_EQ(int16_t(HIWORD(wheel[0].WParam)), WHEEL_DELTA);
        EXPECT_EQ(int16_t(HIWORD(wheel[1].WParam)), -WHEEL_DELTA);
        EXPECT_EQ(LParamToPoint(wheel[0].LParam), (TPoint { 400, 300 }));

        // A window that follows the pointer while a button is held (as one dragged by its
        // title image) ends exactly where the pointer took it, however fast the moves come.
        TPoint anchor;
        w.OnMessage = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            POINT p;
            GetCursorPos(&p);
            if (m == WM_LBUTTONDOWN) {
                SetCapture(w.Handle);
                anchor = p;
            } else if (m == WM_MOUSEMOVE && GetCapture() == w.Handle) {
                RECT r;
                GetWindowRect(w.Handle, &r);
                MoveWindow(
                    w.Handle, r.Left + p.X - anchor.X, r.Top + p.Y - anchor.Y, r.Width(), r.Height(), TRUE);
                anchor = p;
            } else if (m == WM_LBUTTONUP)
                ReleaseCapture();
            return std::nullopt;
        };
        Shell(prefix
            + "xdotool mousemove 410 300 mousedown 1 mousemove 430 310 mousemove 460 330 mousemove 510 360 "
              "mousemove 540 380 mouseup 1"); // not a double click: away from the last click
        PumpUntil([&] { return w.Count(WM_LBUTTONUP) > 1; }, 5000);
        RECT moved;
        GetWindowRect(w.Handle, &moved);
        EXPECT_EQ(moved, base::Bounds(320 + 130, 244 + 80, 355, 175));

        // Moving the window moves the real one.
        MoveWindow(w.Handle, 100, 50, 355, 175, TRUE);
        PumpUntil(
            [&] {
                return Shell(prefix + "xwininfo -root -tree").find("355x175+100+50") != std::string::npos;
            },
            5000);
        EXPECT_NE(Shell(prefix + "xwininfo -root -tree").find("355x175+100+50"), std::string::npos);
    }
}

TEST(SdlBackendTest, FramedWindowChangesStateTakesKeysAndShowsTheSizingCursor)
{
    TXvfb xvfb;
    if (!xvfb.Ok())
        GTEST_SKIP() << "Skipped: " << xvfb.Error << " (no X server for the real-window test)";
    TProcessState state;
    std::string error;
    TSdlBackend* sdl = StartSdlWindows(xvfb, state, error);
    ASSERT_TRUE(sdl) << error;
    {
        TTestWindow w("XeFrameTest", base::Bounds(200, 150, 300, 200), WS_POPUP | WS_VISIBLE);
        // A frame of its own: 4-pixel sizing borders, a caption band, a size limit.
        w.OnMessage = [&](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
            if (m == WM_NCHITTEST) {
                RECT r;
                GetWindowRect(w.Handle, &r);
                TPoint p = LParamToPoint(lp);
                if (p.X < r.Left + 4)
                    return HTLEFT;
                if (p.X >= r.Right - 4)
                    return HTRIGHT;
                return p.Y < r.Top + 20 ? HTCAPTION : HTCLIENT;
            }
            if (m == WM_NCCALCSIZE) {
                RECT* r
                    = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
                r->Left += 4;
                r->Top += 20;
                r->Right -= 4;
                return 0;
            }
            if (m == WM_GETMINMAXINFO) {
                reinterpret_cast<MINMAXINFO*>(lp)->ptMaxTrackSize = { 800, 600 };
                return 0;
            }
            return std::nullopt;
        };
        std::string prefix = "DISPLAY=" + xvfb.Display + " ";
        auto shownAs = [&](std::string const& geometry) {
            return PumpUntil(
                [&] {
                    std::string tree = Shell(prefix + "xwininfo -root -tree 2>/dev/null");
                    return tree.find("\"XeFrameTest\": ") != std::string::npos
                        && tree.find(geometry) != std::string::npos;
                },
                5000);
        };
        ASSERT_TRUE(shownAs("300x200+200+150"));

        // Hovering, no button held: the sizing cursor over the left border, chosen by the
        // default handling of WM_SETCURSOR, and the arrow over the client area.
        Shell(prefix + "xdotool mousemove 350 250");
        EXPECT_TRUE(PumpUntil([&] { return w.Count(WM_SETCURSOR) > 0; }, 5000));
        w.Log.clear();
        Shell(prefix + "xdotool mousemove 201 250");
        EXPECT_TRUE(
            PumpUntil([&] { return sdl->CursorShape() == CursorId(LoadCursor(nullptr, IDC_SIZEWE)); }, 5000))
            << sdl->CursorShape();
        auto setCursor = w.Only({ WM_SETCURSOR });
        ASSERT_FALSE(setCursor.empty());
        EXPECT_EQ(setCursor.back().LParam, MAKELPARAM(HTLEFT, WM_MOUSEMOVE));
        EXPECT_EQ(w.Only({ WM_NCMOUSEMOVE }).size(), 1u) << "one move, passed on once";
        Shell(prefix + "xdotool mousemove 350 250");
        EXPECT_TRUE(
            PumpUntil([&] { return sdl->CursorShape() == CursorId(LoadCursor(nullptr, IDC_ARROW)); }, 5000))
            << sdl->CursorShape();
        EXPECT_GT(w.Count(WM_MOUSEMOVE), 0);
        // A picture cursor is made and shown on the display.
        gfx::TBitmap picture(16, 16);
        picture.Fill(base::RGB(0, 255, 0));
        HCURSOR pictured = CreatePictureCursor(picture, { 8, 8 }, base::RGB(255, 0, 255));
        SetCursor(pictured);
        EXPECT_EQ(sdl->CursorShape(), CursorId(pictured));
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        DestroyCursor(pictured);
        w.Log.clear();

        // A press on the border starts the size loop, which lasts until the release: both
        // are sent first.
        Shell(prefix + "xdotool mousemove 201 250 mousedown 1 mouseup 1");
        EXPECT_TRUE(PumpUntil([&] { return w.Count(WM_EXITSIZEMOVE) > 0; }, 5000));
        EXPECT_EQ(w.Only({ WM_SYSCOMMAND }).at(0).WParam, SC_SIZE | WMSZ_LEFT);
        EXPECT_EQ(sdl->CursorShape(), CursorId(LoadCursor(nullptr, IDC_SIZEWE)));
        Shell(prefix + "xdotool mousemove 350 250 click 1");
        EXPECT_TRUE(
            PumpUntil([&] { return sdl->CursorShape() == CursorId(LoadCursor(nullptr, IDC_ARROW)); }, 5000))
            << sdl->CursorShape();
        PumpUntil([&] { return w.Count(WM_LBUTTONUP) > 0; }, 2000);

        // A key press reaches the window as a key and a character.
        Shell(prefix + "xdotool key a");
        EXPECT_TRUE(PumpUntil([&] { return w.Count(WM_KEYUP) > 0; }, 5000));
        auto keys = w.Only({ WM_KEYDOWN, WM_CHAR });
        ASSERT_EQ(keys.size(), 2u);
        EXPECT_EQ(keys[0].WParam, WPARAM('A'));
        EXPECT_EQ(keys[1].WParam, WPARAM('a'));
        // On a French layout the key left of '3' types 'é', which no US key makes: the character
        // comes from the text the layout types, as its bytes in the ANSI code page.
        w.Log.clear();
        Shell(prefix + "setxkbmap fr");
        PumpUntil([] { return false; }, 300); // the keyboard mapping reaches the application
        Shell(prefix + "xdotool key eacute");
        std::string const eAcute = base::Utf8ToAnsi("\xC3\xA9");
        EXPECT_TRUE(PumpUntil([&] { return w.Count(WM_CHAR) >= int(eAcute.size()); }, 5000));
        Shell(prefix + "setxkbmap us");
        std::vector<WPARAM> chars;
        for (TLogged const& l : w.Only({ WM_CHAR }))
            chars.push_back(l.WParam);
        std::vector<WPARAM> expected;
        for (char c : eAcute)
            expected.push_back(WPARAM(uint8_t(c)));
        EXPECT_EQ(chars, expected);

        // Maximised within the size limit, minimised, restored.
        SendMessage(w.Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        EXPECT_TRUE(IsZoomed(w.Handle));
        EXPECT_TRUE(shownAs("800x600+0+0"));
        SendMessage(w.Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(IsIconic(w.Handle));
        PumpUntil([] { return false; }, 300);
        SendMessage(w.Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_FALSE(IsIconic(w.Handle));
        EXPECT_TRUE(IsZoomed(w.Handle));
        SendMessage(w.Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_FALSE(IsZoomed(w.Handle));
        EXPECT_TRUE(shownAs("300x200+200+150"));
        EXPECT_NE(Shell(prefix + "xwininfo -name XeFrameTest").find("IsViewable"), std::string::npos);
    }
}

} // namespace
