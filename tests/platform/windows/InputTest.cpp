#include "platform/graphics/Region.h"
#include "tests/platform/windows/TestWindow.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

using InputTest = WindowSystemTest;

TEST_F(InputTest, HitTestChoosesClientOrNonClientMessages)
{
    TTestWindow w("Main", base::Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    w.OnMessage = CaptionBand(w.Handle, 20);
    auto caption = w.OnMessage;
    w.OnMessage = [&](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_NCLBUTTONDOWN)
            return 0; // no move loop here: only the routing is under test
        return caption(m, wp, lp);
    };
    H->Click(150, 150);
    H->Click(150, 105);
    H->Move(160, 108);
    H->RunScript();

    auto client = w.Only({ WM_LBUTTONDOWN, WM_LBUTTONUP });
    ASSERT_EQ(client.size(), 2u);
    EXPECT_EQ(client[0].Message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(LParamToPoint(client[0].LParam), (TPoint { 50, 50 })); // client coordinates
    EXPECT_EQ(client[0].WParam, MK_LBUTTON);
    EXPECT_EQ(client[1].WParam, WPARAM(0)); // the button is up after its release

    auto nc = w.Only({ WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCMOUSEMOVE });
    ASSERT_EQ(nc.size(), 4u); // move, down, up (the click) and the last move
    EXPECT_EQ(nc[1].Message, UINT(WM_NCLBUTTONDOWN));
    EXPECT_EQ(nc[1].WParam, WPARAM(HTCAPTION));
    EXPECT_EQ(LParamToPoint(nc[1].LParam), (TPoint { 150, 105 })); // screen coordinates
    EXPECT_EQ(nc[3].Message, UINT(WM_NCMOUSEMOVE));
    EXPECT_EQ(LParamToPoint(nc[3].LParam), (TPoint { 160, 108 }));
}

TEST_F(InputTest, TransparentHitsFallThroughAndDisabledWindowsDropInput)
{
    TTestWindow below("Below", base::Bounds(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
    TTestWindow above("Above", base::Bounds(50, 50, 100, 100), WS_POPUP | WS_VISIBLE);
    above.OnMessage = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCHITTEST)
            return HTTRANSPARENT;
        return std::nullopt;
    };
    H->Click(60, 60);
    H->RunScript();
    EXPECT_EQ(above.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(below.Count(WM_LBUTTONDOWN), 1);

    above.OnMessage = nullptr;
    EnableWindow(above.Handle, FALSE);
    below.Log.clear();
    H->Click(60, 60);
    H->RunScript();
    EXPECT_EQ(above.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(below.Count(WM_LBUTTONDOWN), 0); // not passed through to the window below
    EXPECT_EQ(above.Count(WM_ENABLE), 1);
}

TEST_F(InputTest, CaptureKeepsMouseMessagesUntilReleased)
{
    TTestWindow a("A", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow b("B", base::Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    a.OnMessage = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONDOWN)
            SetCapture(a.Handle);
        if (m == WM_LBUTTONUP)
            ReleaseCapture();
        return std::nullopt;
    };
    H->Press(10, 10);
    H->Move(250, 50); // over B
    H->Release(250, 50);
    H->Move(260, 50); // after the release B gets it again
    H->RunScript();

    auto moves = a.Only({ WM_MOUSEMOVE });
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(LParamToPoint(moves[0].LParam), (TPoint { 250, 50 })); // client coordinates of A
    EXPECT_EQ(a.Count(WM_LBUTTONUP), 1);
    EXPECT_EQ(b.Count(WM_LBUTTONUP), 0);
    EXPECT_EQ(b.Count(WM_MOUSEMOVE), 1);
    auto changed = a.Only({ WM_CAPTURECHANGED });
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].LParam, 0);
    EXPECT_EQ(GetCapture(), nullptr);

    // Taking the capture away tells the window that had it who has it now.
    SetCapture(a.Handle);
    SetCapture(b.Handle);
    changed = a.Only({ WM_CAPTURECHANGED });
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[1].LParam, reinterpret_cast<LPARAM>(b.Handle));
}

TEST_F(InputTest, WheelGoesUnderTheMouseUnlessCapturedWithScreenPointAndKeys)
{
    TTestWindow a("A", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow b("B", base::Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    H->KeyDown(VK_SHIFT);
    H->Wheel(250, 40, -240); // two notches toward the user over B
    H->KeyUp(VK_SHIFT);
    H->Wheel(500, 500, 120); // over no window: dropped
    H->RunScript();
    EXPECT_EQ(a.Count(WM_MOUSEWHEEL), 0);
    auto wheel = b.Only({ WM_MOUSEWHEEL });
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(int16_t(HIWORD(wheel[0].WParam)), -240);
    EXPECT_EQ(LOWORD(wheel[0].WParam), MK_SHIFT);
    EXPECT_EQ(LParamToPoint(wheel[0].LParam), (TPoint { 250, 40 })); // screen, not client

    // The capture window takes the wheel wherever the mouse is; a disabled window none.
    SetCapture(a.Handle);
    H->Wheel(250, 40, 120);
    H->RunScript();
    EXPECT_EQ(a.Count(WM_MOUSEWHEEL), 1);
    ReleaseCapture();
    EnableWindow(b.Handle, FALSE);
    H->Wheel(250, 40, 120);
    H->RunScript();
    EXPECT_EQ(b.Count(WM_MOUSEWHEEL), 1);
}

TEST_F(InputTest, LeaveTrackingReportsLeavingOnce)
{
    TTestWindow a("A", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow b("B", base::Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    a.OnMessage = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT t;
            t.dwFlags = TME_LEAVE;
            t.hwndTrack = a.Handle;
            TrackMouseEvent(&t);
        }
        return std::nullopt;
    };
    H->Move(10, 10);
    H->Move(20, 10);
    H->Move(250, 10);
    H->Move(500, 500); // the desktop
    H->RunScript();
    EXPECT_EQ(a.Count(WM_MOUSELEAVE), 1);
    EXPECT_EQ(b.Count(WM_MOUSELEAVE), 0);
}

TEST_F(InputTest, DoubleClicksNeedTimeAndDistance)
{
    HWND handle = nullptr;
    TTestWindow w("W", base::Bounds(0, 0, 200, 200), WS_POPUP | WS_VISIBLE);
    handle = w.Handle;
    auto presses = [&] {
        return w.Only({ WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK });
    };

    H->DoubleClick(50, 50);
    H->Click(50, 50); // a third press starts afresh
    H->RunScript();
    auto p = presses();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].Message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(p[1].Message, UINT(WM_LBUTTONDBLCLK));
    EXPECT_EQ(p[2].Message, UINT(WM_LBUTTONDOWN));

    w.Log.clear();
    H->Sleep(1000);
    H->Click(50, 50);
    H->Sleep(GetDoubleClickTime() + 1); // too late
    H->Click(50, 50);
    H->Sleep(1000);
    H->Click(50, 50);
    H->Click(53, 50); // too far
    H->RunScript();
    p = presses();
    ASSERT_EQ(p.size(), 4u);
    for (TLogged const& l : p)
        EXPECT_EQ(l.Message, UINT(WM_LBUTTONDOWN));

    // Non-client double clicks carry the hit code.
    w.Log.clear();
    w.OnMessage = [&](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_NCLBUTTONDOWN)
            return 0;
        return CaptionBand(handle, 20)(m, wp, lp);
    };
    H->Sleep(1000);
    H->DoubleClick(50, 5);
    H->RunScript();
    p = presses();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[1].Message, UINT(WM_NCLBUTTONDBLCLK));
    EXPECT_EQ(p[1].WParam, WPARAM(HTCAPTION));
}

TEST_F(InputTest, PressActivatesInPlatformOrder)
{
    TLog log;
    TTestWindow a("A", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, nullptr, &log);
    TTestWindow b("B", base::Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE, nullptr, &log);
    EXPECT_EQ(GetActiveWindow(), b.Handle);
    SetActiveWindow(a.Handle);
    EXPECT_EQ(GetFocus(), a.Handle);
    H->RunScript(); // first painting
    log.clear();

    H->Click(250, 50);
    H->RunScript();
    std::vector<std::pair<HWND, UINT>> seen;
    for (TLogged const& l : log)
        if (l.Message != WM_NCHITTEST && l.Message != WM_MOUSEMOVE && l.Message != WM_LBUTTONUP)
            seen.push_back({ l.Window, l.Message });
    std::vector<std::pair<HWND, UINT>> expected = {
        { b.Handle, WM_SETCURSOR }, // the move there
        { b.Handle, WM_MOUSEACTIVATE },
        { a.Handle, WM_NCACTIVATE },
        { a.Handle, WM_ACTIVATE },
        { b.Handle, WM_NCACTIVATE },
        { b.Handle, WM_ACTIVATE },
        { a.Handle, WM_KILLFOCUS },
        { b.Handle, WM_SETFOCUS },
        { b.Handle, WM_SETCURSOR }, // the press, once activated
        { b.Handle, WM_LBUTTONDOWN },
    };
    EXPECT_EQ(seen, expected);
    auto activate = b.Only({ WM_ACTIVATE });
    ASSERT_FALSE(activate.empty());
    EXPECT_EQ(LOWORD(activate.back().WParam), WA_CLICKACTIVE);
    EXPECT_EQ(activate.back().LParam, reinterpret_cast<LPARAM>(a.Handle));
    EXPECT_EQ(a.Only({ WM_NCACTIVATE }).back().WParam, WPARAM(FALSE));
    EXPECT_EQ(GetActiveWindow(), b.Handle);
    EXPECT_EQ(GetWindow(nullptr, GW_HWNDFIRST), b.Handle);

    // A window that refuses activation and eats the press gets neither.
    a.OnMessage = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_MOUSEACTIVATE)
            return MA_NOACTIVATEANDEAT;
        return std::nullopt;
    };
    a.Log.clear();
    H->Click(50, 50);
    H->RunScript();
    EXPECT_EQ(GetActiveWindow(), b.Handle);
    EXPECT_EQ(a.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(a.Count(WM_LBUTTONUP), 1);
}

TEST_F(InputTest, HidingOrDestroyingTheActiveWindowActivatesItsOwner)
{
    TTestWindow main("Main", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow other("Other", base::Bounds(300, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow dialog("Dialog", base::Bounds(20, 20, 50, 50), WS_POPUP | WS_VISIBLE, main.Handle);
    EXPECT_EQ(GetActiveWindow(), dialog.Handle);
    ShowWindow(dialog.Handle, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), main.Handle);
    ShowWindow(dialog.Handle, SW_SHOW);
    // Owned windows stay above their owner when the owner comes to the top.
    SetActiveWindow(main.Handle);
    std::vector<HWND> z = EnumWindows();
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z[0], dialog.Handle);
    EXPECT_EQ(z[1], main.Handle);
    SetActiveWindow(dialog.Handle);
    DestroyWindow(dialog.Handle);
    EXPECT_EQ(GetActiveWindow(), main.Handle);
}

TEST_F(InputTest, MoveLoopFollowsTheMouseAndHonoursMoving)
{
    TTestWindow w("W", base::Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    w.OnMessage = CaptionBand(w.Handle, 20);
    H->Drag(150, 105, 190, 135, 4);
    H->RunScript();
    RECT r;
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(140, 130, 200, 100));
    auto loop = w.Only({ WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE });
    ASSERT_EQ(loop.size(), 6u); // enter, four moves, exit
    EXPECT_EQ(loop.front().Message, UINT(WM_ENTERSIZEMOVE));
    EXPECT_EQ(loop.back().Message, UINT(WM_EXITSIZEMOVE));
    auto moves = w.Only({ WM_MOVE });
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(LParamToPoint(moves.back().LParam), (TPoint { 140, 130 }));
    EXPECT_EQ(w.Count(WM_LBUTTONUP), 0);
    EXPECT_EQ(w.Count(WM_NCLBUTTONUP), 0); // the loop takes the release
    EXPECT_EQ(GetCapture(), nullptr);

    // A WM_MOVING handler may change the proposed rectangle: here it snaps to x = 0.
    w.OnMessage
        = [caption = CaptionBand(w.Handle, 20)](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_MOVING) {
            auto* rect = reinterpret_cast<RECT*>(lp);
            if (rect->Left < 10)
                base::OffsetRect(*rect, -rect->Left, 0);
        }
        return caption(m, wp, lp);
    };
    H->Drag(150, 135, 15, 135, 3); // 135 pixels left: x = 140 - 135 = 5, snapped to 0
    H->RunScript();
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(0, 130, 200, 100));
}

TEST_F(InputTest, SizeLoopHonoursTrackSizesAndSizing)
{
    TTestWindow w("W", base::Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    w.OnMessage = [&](UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_NCHITTEST) {
            RECT r;
            GetWindowRect(w.Handle, &r);
            TPoint p = LParamToPoint(lp);
            if (p.X >= r.Right - 4 && p.Y >= r.Bottom - 4)
                return HTBOTTOMRIGHT;
            if (p.X < r.Left + 4)
                return HTLEFT;
            return HTCLIENT;
        }
        if (m == WM_GETMINMAXINFO) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
            mmi->ptMinTrackSize = { 150, 80 };
            mmi->ptMaxTrackSize = { 260, 160 };
            return 0;
        }
        return std::nullopt;
    };
    H->Drag(298, 198, 98, 98); // would shrink to 0 x 0
    H->RunScript();
    RECT r;
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(100, 100, 150, 80));
    auto sizing = w.Only({ WM_SIZING });
    ASSERT_FALSE(sizing.empty());
    EXPECT_EQ(sizing[0].WParam, WMSZ_BOTTOMRIGHT);

    H->Drag(248, 178, 548, 478); // would grow to 450 x 380
    H->RunScript();
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(100, 100, 260, 160));

    // Sizing from the left keeps the right edge where it is.
    H->Drag(101, 150, 281, 150);
    H->RunScript();
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Rect(210, 100, 360, 260)); // shrunk to the minimum width of 150
    auto sizes = w.Only({ WM_SIZE });
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(LOWORD(uintptr_t(sizes.back().LParam)), 150);
}

TEST_F(InputTest, RegionsShapeHitTesting)
{
    TTestWindow below("Below", base::Bounds(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
    TTestWindow above("Above", base::Bounds(100, 100, 100, 100), WS_POPUP | WS_VISIBLE);
    below.OnMessage = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_MOUSEACTIVATE)
            return MA_NOACTIVATE; // stays below
        return std::nullopt;
    };
    // A frame of 10 pixels: the middle of the window is a hole.
    gfx::TRegion frame
        = gfx::TRegion(base::Rect(0, 0, 100, 100)).Subtract(gfx::TRegion(base::Rect(10, 10, 90, 90)));
    SetWindowRgn(above.Handle, &frame, TRUE);
    EXPECT_EQ(WindowFromPoint({ 150, 150 }), below.Handle);
    EXPECT_EQ(WindowFromPoint({ 105, 150 }), above.Handle);
    H->Click(150, 150);
    H->Click(105, 150);
    H->RunScript();
    EXPECT_EQ(below.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(above.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(above.Count(WM_NCHITTEST), 3); // asked only where the region holds the point

    gfx::TRegion copy;
    EXPECT_EQ(GetWindowRgn(above.Handle, copy), gfx::COMPLEXREGION);
    EXPECT_EQ(copy, frame);
    SetWindowRgn(above.Handle, nullptr, TRUE);
    EXPECT_EQ(WindowFromPoint({ 150, 150 }), above.Handle);
    EXPECT_EQ(GetWindowRgn(above.Handle, copy), gfx::RGN_ERROR);
}

} // namespace
