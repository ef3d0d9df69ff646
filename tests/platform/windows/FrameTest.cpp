#include "platform/graphics/Region.h"
#include "tests/platform/windows/TestWindow.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

class FrameTest : public WindowSystemTest {
protected:
    void Frame(TTestWindow& w, std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> proc)
    {
        w.OnMessage = std::move(proc);
        SetWindowPos(w.Handle, nullptr, 0, 0, 0, 0,
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        H->RunScript(); // the first painting
        w.Log.clear();
    }
};

// The hit codes of a window that draws a frame of its own: 4-pixel borders with 8-pixel
// corners, a caption band of 20 pixels, HTOBJECT for a button at the caption's right end.
int FrameHit(HWND hwnd, LPARAM l)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    TPoint p { GET_X_LPARAM(l) - r.Left, GET_Y_LPARAM(l) - r.Top };
    int w = r.Width();
    int h = r.Height();
    bool left = p.X < 4, right = p.X >= w - 4, top = p.Y < 4, bottom = p.Y >= h - 4;
    bool nearLeft = p.X < 8, nearRight = p.X >= w - 8, nearTop = p.Y < 8, nearBottom = p.Y >= h - 8;
    if ((left && nearTop) || (top && nearLeft))
        return HTTOPLEFT;
    if ((right && nearTop) || (top && nearRight))
        return HTTOPRIGHT;
    if ((left && nearBottom) || (bottom && nearLeft))
        return HTBOTTOMLEFT;
    if ((right && nearBottom) || (bottom && nearRight))
        return HTBOTTOMRIGHT;
    if (left)
        return HTLEFT;
    if (right)
        return HTRIGHT;
    if (top)
        return HTTOP;
    if (bottom)
        return HTBOTTOM;
    if (p.Y < 24)
        return p.X >= w - 24 ? HTOBJECT : HTCAPTION;
    return HTCLIENT;
}

// A framed window: its own hit test and non-client size (4-pixel borders, 24 on top).
// Give it to a window with Frame, which applies the frame at once.
std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> Framed(HWND& hwnd)
{
    return [&hwnd](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_NCHITTEST)
            return FrameHit(hwnd, lp);
        if (m == WM_NCCALCSIZE) {
            RECT* r = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
            r->Left += 4;
            r->Top += 24;
            r->Right -= 4;
            r->Bottom -= 4;
            return 0;
        }
        return std::nullopt;
    };
}

TEST_F(FrameTest, KeysGoToTheFocusWindowWithCharactersAndModifiers)
{
    TTestWindow a("A", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow b("B", base::Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    ASSERT_EQ(GetActiveWindow(), b.Handle); // shown last
    EXPECT_EQ(GetFocus(), b.Handle);
    int16_t shiftSeen = 0;
    b.OnMessage = [&](UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_CHAR && wp == 'B')
            shiftSeen = GetKeyState(VK_SHIFT);
        return std::nullopt;
    };
    H->Type("aB");
    H->KeyPress(VK_RETURN);
    H->RunScript();
    auto keys = b.Only({ WM_KEYDOWN, WM_KEYUP, WM_CHAR });
    std::vector<std::pair<UINT, WPARAM>> seen;
    for (TLogged const& l : keys)
        seen.push_back({ l.Message, l.WParam });
    std::vector<std::pair<UINT, WPARAM>> expected { { WM_KEYDOWN, 'A' }, { WM_CHAR, 'a' }, { WM_KEYUP, 'A' },
        { WM_KEYDOWN, VK_SHIFT }, { WM_KEYDOWN, 'B' }, { WM_CHAR, 'B' }, { WM_KEYUP, 'B' },
        { WM_KEYUP, VK_SHIFT }, { WM_KEYDOWN, VK_RETURN }, { WM_CHAR, '\r' }, { WM_KEYUP, VK_RETURN } };
    EXPECT_EQ(seen, expected);
    EXPECT_LT(shiftSeen, 0); // while 'B' was typed
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    // Key-up messages carry the previous-state and transition bits, key-downs neither.
    EXPECT_EQ(keys[0].LParam & (KF_UP_BIT | KF_REPEAT_BIT), 0);
    EXPECT_EQ(keys[2].LParam & (KF_UP_BIT | KF_REPEAT_BIT), KF_UP_BIT | KF_REPEAT_BIT);
    EXPECT_EQ(a.Count(WM_KEYDOWN), 0);

    // The focus moves without activation; keys follow it.
    SetFocus(a.Handle);
    ASSERT_EQ(b.Only({ WM_KILLFOCUS }).size(), 1u);
    EXPECT_EQ(b.Only({ WM_KILLFOCUS })[0].WParam, WPARAM(a.Handle));
    EXPECT_EQ(a.Only({ WM_SETFOCUS }).back().WParam, WPARAM(b.Handle));
    H->KeyPress('X');
    H->RunScript();
    EXPECT_EQ(a.Count(WM_KEYDOWN), 1);
    EXPECT_EQ(b.Count(WM_KEYDOWN), 4);

    // A disabled window hears no keys.
    EnableWindow(a.Handle, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    SetActiveWindow(b.Handle);
    EnableWindow(b.Handle, FALSE);
    H->KeyPress('Y');
    H->RunScript();
    EXPECT_EQ(a.Count(WM_KEYDOWN), 1);
    EXPECT_EQ(b.Count(WM_KEYDOWN), 4);
}

TEST_F(FrameTest, AltF4ClosesAndAloneAltOrAltSpaceAsksForTheMenu)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    H->KeyPress(VK_MENU); // alone: the menu
    H->KeyPress(VK_SPACE, { VK_MENU }); // the system menu, with ' '
    H->KeyPress('F', { VK_MENU }); // a mnemonic, with 'f'
    H->RunScript();
    auto commands = w.Only({ WM_SYSCOMMAND });
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].WParam, SC_KEYMENU);
    EXPECT_EQ(commands[0].LParam, 0);
    EXPECT_EQ(commands[1].WParam, SC_KEYMENU);
    EXPECT_EQ(commands[1].LParam, LPARAM(' '));
    EXPECT_EQ(commands[2].LParam, LPARAM('f'));
    // With Alt held the system forms are used, the Alt bit set.
    auto sys = w.Only({ WM_SYSKEYDOWN, WM_SYSCHAR });
    ASSERT_GE(sys.size(), 3u);
    EXPECT_EQ(sys[1].WParam, WPARAM(VK_MENU));
    EXPECT_NE(sys[2].LParam & KF_ALTDOWN_BIT, 0);
    EXPECT_EQ(w.Count(WM_KEYDOWN), 0);

    // A press of the mouse between Alt's press and release keeps the menu closed.
    H->KeyDown(VK_MENU);
    H->Click(50, 50);
    H->KeyUp(VK_MENU);
    H->RunScript();
    EXPECT_EQ(w.Count(WM_SYSCOMMAND), 3);

    // Alt+F4: close, and no menu when Alt comes up after it.
    H->KeyPress(VK_F4, { VK_MENU });
    H->RunScript();
    auto last = w.Only({ WM_SYSCOMMAND });
    ASSERT_EQ(last.size(), 4u);
    EXPECT_EQ(last.back().WParam, SC_CLOSE);
    EXPECT_FALSE(IsWindow(w.Handle)); // DefWindowProc's WM_CLOSE destroys it
}

TEST_F(FrameTest, CursorFollowsTheHitCodeAndAWindowMayChooseItsOwn)
{
    TTestWindow w("W", base::Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
    Frame(w, Framed(w.Handle));
    struct TCase {
        TPoint At; // window coordinates
        int Hit = 0;
        LPCSTR Cursor = nullptr;
    };
    TCase const cases[] = {
        { { 1, 60 }, HTLEFT, IDC_SIZEWE },
        { { 198, 60 }, HTRIGHT, IDC_SIZEWE },
        { { 60, 1 }, HTTOP, IDC_SIZENS },
        { { 60, 148 }, HTBOTTOM, IDC_SIZENS },
        { { 1, 1 }, HTTOPLEFT, IDC_SIZENWSE },
        { { 198, 148 }, HTBOTTOMRIGHT, IDC_SIZENWSE },
        { { 198, 2 }, HTTOPRIGHT, IDC_SIZENESW },
        { { 2, 148 }, HTBOTTOMLEFT, IDC_SIZENESW },
        { { 60, 10 }, HTCAPTION, IDC_ARROW },
        { { 190, 10 }, HTOBJECT, IDC_ARROW },
        { { 60, 60 }, HTCLIENT, IDC_ARROW },
    };
    for (TCase const& c : cases) {
        w.Log.clear();
        H->Move(100 + c.At.X, 100 + c.At.Y);
        H->RunScript();
        auto set = w.Only({ WM_SETCURSOR });
        ASSERT_EQ(set.size(), 1u) << c.Hit;
        EXPECT_EQ(set[0].WParam, WPARAM(w.Handle));
        EXPECT_EQ(int16_t(LOWORD(uintptr_t(set[0].LParam))), c.Hit);
        EXPECT_EQ(HIWORD(uintptr_t(set[0].LParam)), WM_MOUSEMOVE);
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.Cursor)) << c.Hit;
        EXPECT_EQ(H->CursorShape(), CursorId(LoadCursor(nullptr, c.Cursor))) << c.Hit;
    }
    // A press tells the button message; the window may set a cursor of its own.
    w.OnMessage = [frame = Framed(w.Handle)](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_SETCURSOR && LOWORD(uintptr_t(lp)) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        return frame(m, wp, lp);
    };
    w.Log.clear();
    H->Press(160, 160, mbRight);
    H->Release(160, 160, mbRight);
    H->RunScript();
    auto set = w.Only({ WM_SETCURSOR });
    ASSERT_EQ(set.size(), 1u); // none for the release
    EXPECT_EQ(HIWORD(uintptr_t(set[0].LParam)), WM_RBUTTONDOWN);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
}

TEST_F(FrameTest, MoveSendsTheNonClientMessagesInOrder)
{
    TTestWindow w("W", base::Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
    Frame(w, Framed(w.Handle));
    H->Drag(150, 110, 170, 130, 2);
    H->RunScript();
    std::vector<UINT> order;
    for (TLogged const& l : w.Log)
        if (l.Message != WM_NCHITTEST && l.Message != WM_SETCURSOR && l.Message != WM_NCMOUSEMOVE
            && l.Message != WM_CAPTURECHANGED)
            order.push_back(l.Message);
    std::vector<UINT> expected { WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, //
        WM_MOVING, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, // first step
        WM_MOVING, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, // second step
        WM_EXITSIZEMOVE };
    EXPECT_EQ(order, expected);
    auto down = w.Only({ WM_NCLBUTTONDOWN });
    EXPECT_EQ(down[0].WParam, WPARAM(HTCAPTION));
    EXPECT_EQ(LParamToPoint(down[0].LParam), (TPoint { 150, 110 })); // screen point
    EXPECT_EQ(w.Only({ WM_SYSCOMMAND })[0].WParam, SC_MOVE | HTCAPTION);
    auto moving = w.Only({ WM_MOVING });
    EXPECT_EQ(moving[0].WParam, 0u);
    auto move = w.Only({ WM_MOVE });
    EXPECT_EQ(LParamToPoint(move.back().LParam), (TPoint { 124, 144 })); // the client's corner
    RECT r;
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(120, 120, 200, 150));

    // Without full-window dragging the window moves once, at the release; Escape cancels.
    SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    BOOL full = TRUE;
    SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    EXPECT_FALSE(full);
    w.Log.clear();
    H->Move(170, 130);
    H->Press(170, 130);
    H->Move(200, 150);
    H->Do([&] {
        RECT now;
        GetWindowRect(w.Handle, &now);
        EXPECT_EQ(now, base::Bounds(120, 120, 200, 150));
    });
    H->Release(200, 150);
    H->RunScript();
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(150, 140, 200, 150));
    EXPECT_EQ(w.Count(WM_WINDOWPOSCHANGED), 1);
    SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    H->Move(170, 150);
    H->Press(170, 150);
    H->Move(300, 300);
    H->KeyPress(VK_ESCAPE);
    H->Release(300, 300);
    H->RunScript();
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(150, 140, 200, 150));
}

TEST_F(FrameTest, SizeFromEachEdgeMovesOnlyThatEdgeWithItsCursor)
{
    struct TCase {
        TPoint At; // window coordinates of the press
        WPARAM Edge = 0;
        RECT Expected; // after dragging 10 pixels right and 20 down
        LPCSTR Cursor = nullptr;
    };
    TCase const cases[] = {
        { { 1, 60 }, WMSZ_LEFT, base::Rect(110, 100, 300, 250), IDC_SIZEWE },
        { { 198, 60 }, WMSZ_RIGHT, base::Rect(100, 100, 310, 250), IDC_SIZEWE },
        { { 60, 1 }, WMSZ_TOP, base::Rect(100, 120, 300, 250), IDC_SIZENS },
        { { 60, 148 }, WMSZ_BOTTOM, base::Rect(100, 100, 300, 270), IDC_SIZENS },
        { { 1, 1 }, WMSZ_TOPLEFT, base::Rect(110, 120, 300, 250), IDC_SIZENWSE },
        { { 198, 2 }, WMSZ_TOPRIGHT, base::Rect(100, 120, 310, 250), IDC_SIZENESW },
        { { 2, 148 }, WMSZ_BOTTOMLEFT, base::Rect(110, 100, 300, 270), IDC_SIZENESW },
        { { 198, 148 }, WMSZ_BOTTOMRIGHT, base::Rect(100, 100, 310, 270), IDC_SIZENWSE },
    };
    for (TCase const& c : cases) {
        TTestWindow w("W", base::Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
        Frame(w, Framed(w.Handle));
        HCURSOR during = nullptr;
        H->Move(100 + c.At.X, 100 + c.At.Y);
        H->Press(100 + c.At.X, 100 + c.At.Y);
        H->Move(110 + c.At.X, 120 + c.At.Y);
        H->Do([&] { during = GetCursor(); });
        H->Release(110 + c.At.X, 120 + c.At.Y);
        H->RunScript();
        RECT r;
        GetWindowRect(w.Handle, &r);
        EXPECT_EQ(r, c.Expected) << c.Edge;
        EXPECT_EQ(w.Only({ WM_SYSCOMMAND })[0].WParam, SC_SIZE | c.Edge);
        auto sizing = w.Only({ WM_SIZING });
        ASSERT_EQ(sizing.size(), 1u) << c.Edge;
        EXPECT_EQ(sizing[0].WParam, c.Edge);
        EXPECT_EQ(during, LoadCursor(nullptr, c.Cursor)) << c.Edge;
        // The client area follows the frame of the window's own WM_NCCALCSIZE.
        RECT client;
        GetClientRect(w.Handle, &client);
        EXPECT_EQ(client, base::Rect(0, 0, c.Expected.Width() - 8, c.Expected.Height() - 28));
    }
}

TEST_F(FrameTest, MinimiseMaximiseWithinMinMaxInfoAndRestore)
{
    TTestWindow w("W", base::Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
    auto frame = Framed(w.Handle);
    Frame(w, [&](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_GETMINMAXINFO) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
            mmi->ptMaxTrackSize = { 600, 500 }; // below the work area of 1024 x 738
            mmi->ptMaxPosition = { 10, 5 };
            return 0;
        }
        return frame(m, wp, lp);
    });
    SendMessage(w.Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(w.Handle));
    RECT r;
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(10, 5, 600, 500));
    EXPECT_EQ(H->NativeBounds(w.Handle), base::Bounds(10, 5, 600, 500));
    auto sizes = w.Only({ WM_SIZE });
    EXPECT_EQ(sizes.back().WParam, SIZE_MAXIMIZED);
    EXPECT_EQ(sizes.back().LParam, MAKELPARAM(592, 472));
    WINDOWPLACEMENT wp;
    ASSERT_TRUE(GetWindowPlacement(w.Handle, &wp));
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition, base::Bounds(100, 100, 200, 150));
    // A maximised window is not moved by its caption.
    H->Drag(300, 15, 350, 60);
    H->RunScript();
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(10, 5, 600, 500));

    // Minimised from maximised, restored to maximised, then to the bounds before.
    SendMessage(w.Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(w.Handle));
    EXPECT_TRUE(H->NativeMinimized(w.Handle));
    EXPECT_EQ(w.Only({ WM_SIZE }).back().WParam, SIZE_MINIMIZED);
    GetWindowPlacement(w.Handle, &wp);
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMINIMIZED));
    EXPECT_EQ(wp.flags, WPF_RESTORETOMAXIMIZED);
    EXPECT_NE(GetActiveWindow(), w.Handle);
    SendMessage(w.Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(w.Handle));
    EXPECT_TRUE(IsZoomed(w.Handle));
    SendMessage(w.Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(w.Handle));
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(100, 100, 200, 150));
    EXPECT_EQ(w.Only({ WM_SIZE }).back().WParam, SIZE_RESTORED);
    EXPECT_EQ(GetActiveWindow(), w.Handle);
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work, base::Rect(0, 0, 1024, 738));
}

TEST_F(FrameTest, OpacityRegionsAndTopmostReachTheDisplay)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    EXPECT_FALSE(SetLayeredWindowAttributes(w.Handle, 0, 100, LWA_ALPHA)); // not layered yet
    SetWindowLongPtr(w.Handle, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(w.Handle, 0, 100, LWA_ALPHA));
    EXPECT_EQ(H->NativeOpacity(w.Handle), 100);
    SetWindowLongPtr(w.Handle, GWL_EXSTYLE, 0);
    EXPECT_EQ(H->NativeOpacity(w.Handle), 255);

    gfx::TRegion round(base::Rect(10, 0, 90, 100));
    round = round.Union(gfx::TRegion(base::Rect(0, 10, 100, 90)));
    SetWindowRgn(w.Handle, &round, TRUE);
    ASSERT_TRUE(H->NativeShaped(w.Handle));
    EXPECT_TRUE(H->NativeShape(w.Handle).Contains(5, 50));
    EXPECT_FALSE(H->NativeShape(w.Handle).Contains(5, 5));
    SetWindowRgn(w.Handle, nullptr, TRUE);
    EXPECT_FALSE(H->NativeShaped(w.Handle));

    // A topmost window stays above windows shown after it.
    SetWindowPos(w.Handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    TTestWindow later("Later", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(EnumWindows().front(), w.Handle);
    EXPECT_EQ(WindowFromPoint({ 50, 50 }), w.Handle);
    SetWindowPos(w.Handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    BringWindowToTop(later.Handle);
    EXPECT_EQ(EnumWindows().front(), later.Handle);
}

} // namespace

namespace {

// One WM_NCPAINT as the procedure saw it: the whole frame, or a region in screen coordinates.
struct TNcPaint {
    bool Whole = false;
    gfx::TRegion Region;
};

TEST_F(FrameTest, FramePaintCarriesTheRegionAndUncoveredFramesRepaint)
{
    // B has a frame of its own (4-pixel borders, 24 on top) at (100, 100)-(300, 250); A lies
    // over B's top right corner: over part of its caption, its right border and its client area.
    TTestWindow b("B", base::Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
    std::vector<TNcPaint> paints;
    auto frame = Framed(b.Handle);
    Frame(b, [&](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_NCPAINT)
            paints.push_back(wp == NCPAINT_WHOLEFRAME ? TNcPaint { true, {} }
                                                      : TNcPaint { false, *reinterpret_cast<HRGN>(wp) });
        return frame(m, wp, lp);
    });
    TTestWindow a("A", base::Bounds(250, 80, 100, 60), WS_POPUP | WS_VISIBLE);
    H->RunScript();
    paints.clear();
    b.Log.clear();

    // Part of the frame: the region reaches beyond the client area (client coordinates).
    RECT band = base::Rect(-4, -24, 20, 0);
    RedrawWindow(b.Handle, &band, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_FALSE(paints[0].Whole);
    EXPECT_EQ(paints[0].Region, gfx::TRegion(base::Rect(100, 100, 124, 124)));
    // The whole frame is 1, as before.
    RedrawWindow(b.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_TRUE(paints[1].Whole);
    paints.clear();
    b.Log.clear();

    // Hiding A brings B's caption corner and right border to light: WM_SYNCPAINT, whose
    // default handling paints that part of the frame; the client area keeps its pixels.
    ShowWindow(a.Handle, SW_HIDE);
    EXPECT_EQ(b.Count(WM_SYNCPAINT), 0); // delivered by the queue, not inside ShowWindow
    H->RunScript();
    EXPECT_EQ(b.Count(WM_SYNCPAINT), 1);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_FALSE(paints[0].Whole);
    gfx::TRegion expected
        = gfx::TRegion(base::Rect(250, 100, 300, 140)).Subtract(gfx::TRegion(base::Rect(104, 124, 296, 246)));
    EXPECT_EQ(paints[0].Region, expected);
    EXPECT_EQ(b.Count(WM_PAINT), 0);
    auto order = b.Only({ WM_SYNCPAINT, WM_NCPAINT });
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].Message, WM_SYNCPAINT);

    // Moving A back over B and away again: only what A leaves uncovered of the frame, not
    // what it still covers, and nothing for a window A never covered.
    TTestWindow c("C", base::Bounds(600, 600, 50, 50), WS_POPUP | WS_VISIBLE);
    ShowWindow(a.Handle, SW_SHOWNA);
    SetWindowPos(a.Handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    H->RunScript();
    paints.clear();
    b.Log.clear();
    c.Log.clear();
    SetWindowPos(a.Handle, nullptr, 250, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    H->RunScript();
    EXPECT_EQ(b.Count(WM_SYNCPAINT), 1);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0].Region,
        gfx::TRegion(base::Rect(250, 130, 300, 140)).Subtract(gfx::TRegion(base::Rect(104, 124, 296, 246))));
    EXPECT_EQ(c.Count(WM_SYNCPAINT), 0);
}

TEST_F(FrameTest, MinimiseAndRestoreAreWindowPositionChanges)
{
    TTestWindow w("W", base::Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
    H->RunScript();
    w.Log.clear();
    auto changes = [&] {
        std::vector<std::pair<UINT, WPARAM>> out;
        for (TLogged const& l : w.Only({ WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE }))
            out.push_back({ l.Message, l.Message == WM_SIZE ? l.WParam : 0 });
        return out;
    };
    SendMessage(w.Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    std::vector<std::pair<UINT, WPARAM>> expected { { WM_WINDOWPOSCHANGING, 0 }, { WM_WINDOWPOSCHANGED, 0 },
        { WM_SIZE, SIZE_MINIMIZED } };
    EXPECT_EQ(changes(), expected);
    w.Log.clear();
    SendMessage(w.Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    expected.back().second = SIZE_RESTORED;
    EXPECT_EQ(changes(), expected);
    RECT r;
    GetWindowRect(w.Handle, &r);
    EXPECT_EQ(r, base::Bounds(100, 100, 200, 150));
}

TEST_F(FrameTest, APictureCursorReachesTheDisplayWithItsHotSpot)
{
    gfx::TBitmap picture(5, 7);
    picture.Fill(base::RGB(255, 0, 255));
    picture.ScanLine(3)[2 * 3] = 0x40; // one pixel of another colour
    HCURSOR pictured = CreatePictureCursor(picture, { 2, 3 }, base::RGB(255, 0, 255));
    ASSERT_NE(pictured, nullptr);
    EXPECT_NE(pictured, LoadCursor(nullptr, IDC_ARROW));
    TTestWindow w("W", base::Bounds(100, 100, 200, 150), WS_POPUP | WS_VISIBLE);
    w.OnMessage = [&](UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_SETCURSOR && LOWORD(uintptr_t(lp)) == HTCLIENT) {
            SetCursor(pictured);
            return TRUE;
        }
        return std::nullopt;
    };
    H->Move(150, 150);
    H->RunScript();
    EXPECT_EQ(GetCursor(), pictured);
    EXPECT_EQ(H->CursorShape(), CursorId(pictured));
    gfx::TBitmap const& shown = H->CursorPicture();
    ASSERT_EQ(shown.Width(), 5);
    ASSERT_EQ(shown.Height(), 7);
    EXPECT_EQ(shown.ScanLine(3)[2 * 3], 0x40);
    EXPECT_EQ(shown.ScanLine(0)[0], 0xFF);
    EXPECT_EQ(H->CursorHotSpot(), (TPoint { 2, 3 }));
    EXPECT_EQ(H->CursorTransparent(), base::RGB(255, 0, 255));
    // Away from the window the arrow again; a second picture cursor is another handle.
    H->Move(500, 500);
    H->RunScript();
    EXPECT_EQ(H->CursorShape(), CursorId(LoadCursor(nullptr, IDC_ARROW)));
    HCURSOR other = CreatePictureCursor(picture, { 0, 0 }, 0);
    EXPECT_NE(other, pictured);
    EXPECT_TRUE(DestroyCursor(pictured));
    EXPECT_FALSE(DestroyCursor(pictured));
    EXPECT_FALSE(DestroyCursor(LoadCursor(nullptr, IDC_ARROW)));
    EXPECT_EQ(CreatePictureCursor(gfx::TBitmap(), { 0, 0 }, 0), nullptr);
}

TEST_F(FrameTest, RefusedDeactivationKeepsTheWindowActiveWhileItCanBe)
{
    TTestWindow b("B", base::Bounds(300, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow a("A", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    ASSERT_EQ(GetActiveWindow(), a.Handle);
    bool refuse = true;
    a.OnMessage = [&](UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCACTIVATE && !wp && refuse)
            return FALSE;
        return std::nullopt;
    };
    H->RunScript();
    a.Log.clear();
    b.Log.clear();
    SetActiveWindow(b.Handle);
    EXPECT_EQ(GetActiveWindow(), a.Handle);
    EXPECT_EQ(a.Count(WM_NCACTIVATE), 1);
    EXPECT_EQ(a.Count(WM_ACTIVATE), 0);
    EXPECT_EQ(b.Count(WM_ACTIVATE), 0);
    H->Click(350, 50);
    H->RunScript();
    EXPECT_EQ(GetActiveWindow(), a.Handle);
    // A window that cannot hold the activation gives it up all the same.
    ShowWindow(a.Handle, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), b.Handle);
    ShowWindow(a.Handle, SW_SHOW);
    ASSERT_EQ(GetActiveWindow(), a.Handle);
    refuse = false;
    SetActiveWindow(b.Handle);
    EXPECT_EQ(GetActiveWindow(), b.Handle);
}

} // namespace
