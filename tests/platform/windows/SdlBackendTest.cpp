#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/graphics/Canvas.h"
#include "platform/windows/SdlBackend.h"
#include "tests/platform/windows/TestWindow.h"
#include "tests/support/Xvfb.h"

namespace xe::win::test {
namespace {

using testsupport::TXvfb;

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

// Pumps messages until done() or until ms of real time have passed. A 50 ms timer wakes
// the loop to look again, and ends the wait, so a missing event fails the test instead of
// hanging it.
bool PumpUntil(std::function<bool()> const& done, UINT ms)
{
    uint64_t deadline = GetTickCount64() + ms;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {});
    MSG msg;
    while (!done() && GetTickCount64() < deadline && GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    KillTimer(nullptr, timer);
    return done();
}

TEST(SdlBackendTest, RealWindowAppearsAndReceivesClicks)
{
    TXvfb xvfb;
    if (!xvfb.Ok())
        GTEST_SKIP() << "Skipped: " << xvfb.Error << " (no X server for the real-window test)";
    std::string oldDisplay = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", xvfb.Display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    // A freshly started Xvfb now and then turns SDL's first connection away; a few tries
    // tell that apart from a display SDL cannot use at all.
    std::unique_ptr<TSdlBackend> backend;
    for (int attempt = 0; !backend; ++attempt) {
        try {
            backend = std::make_unique<TSdlBackend>();
        } catch (base::EInvalidOperation const& e) {
            if (attempt == 4)
                FAIL() << "Xvfb runs on " << xvfb.Display << " but SDL cannot use it: " << e.what();
            poll(nullptr, 0, 200);
        }
    }
    InitWindowSystem(std::move(backend));
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

        // A click with the real pointer arrives as client messages.
        Shell(prefix + "xdotool mousemove 400 300 click 1");
        EXPECT_TRUE(PumpUntil([&] { return w.Count(WM_LBUTTONUP) > 0; }, 5000));
        auto down = w.Only({ WM_LBUTTONDOWN });
        ASSERT_EQ(down.size(), 1u);
        EXPECT_EQ(LParamToPoint(down[0].LParam), (TPoint { 80, 56 }));

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
    DoneWindowSystem();
    if (oldDisplay.empty())
        unsetenv("DISPLAY");
    else
        setenv("DISPLAY", oldDisplay.c_str(), 1);
}

} // namespace
} // namespace xe::win::test
