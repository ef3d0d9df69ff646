#include "tests/platform/windows/TestWindow.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

using QueueTest = WindowSystemTest;

TEST_F(QueueTest, CreationSendsItsMessagesInOrder)
{
    TTestWindow w("W", base::Bounds(10, 20, 200, 100), WS_POPUP | WS_VISIBLE);
    std::vector<UINT> first;
    for (TLogged const& l : w.Log)
        if (first.size() < 7)
            first.push_back(l.Message);
    std::vector<UINT> expected
        = { WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW };
    EXPECT_EQ(first, expected);
    RECT r;
    GetClientRect(w.Handle, &r);
    EXPECT_EQ(r, base::Rect(0, 0, 200, 100)); // frameless: all client

    TTestWindow framed("F", base::Bounds(10, 20, 200, 100), WS_CAPTION);
    GetClientRect(framed.Handle, &r);
    EXPECT_EQ(r, base::Rect(0, 0, 200 - 6, 100 - 6 - 19));
    POINT p { 0, 0 };
    ClientToScreen(framed.Handle, &p);
    EXPECT_EQ(p, (TPoint { 13, 42 }));
    ScreenToClient(framed.Handle, &p);
    EXPECT_EQ(p, (TPoint { 0, 0 }));
    EXPECT_FALSE(IsWindowVisible(framed.Handle));
}

TEST_F(QueueTest, NcCalcSizeAnswerBecomesTheClientArea)
{
    TTestWindow w("W", base::Bounds(0, 0, 200, 100), WS_POPUP);
    w.OnMessage = [](UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (m == WM_NCCALCSIZE && wp) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
            EXPECT_EQ(p->rgrc[0].Width(), 201); // the proposed new window rectangle
            p->rgrc[0].Left += 3;
            p->rgrc[0].Top += 29;
            p->rgrc[0].Right -= 3;
            p->rgrc[0].Bottom -= 3;
            return 0;
        }
        return std::nullopt;
    };
    SetWindowPos(w.Handle, nullptr, 0, 0, 201, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r;
    GetClientRect(w.Handle, &r);
    EXPECT_EQ(r, base::Rect(0, 0, 195, 68));
    auto sizes = w.Only({ WM_SIZE });
    EXPECT_EQ(LOWORD(uintptr_t(sizes.back().LParam)), 195);
    EXPECT_EQ(HIWORD(uintptr_t(sizes.back().LParam)), 68);
    EXPECT_EQ(GetClientAreaInWindow(w.Handle), base::Rect(3, 29, 198, 97));
}

TEST_F(QueueTest, SubclassingChainsAndRestores)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100));
    std::vector<UINT> seenBySubclass;
    WNDPROC previous = nullptr;
    WNDPROC sub = MakeObjectInstance([&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        seenBySubclass.push_back(m);
        if (m == WM_USER + 1)
            return 42;
        return CallWindowProc(previous, h, m, wp, lp);
    });
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(w.Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sub)));
    EXPECT_EQ(previous, w.Proc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(w.Handle, GWLP_WNDPROC)), sub);

    w.Log.clear();
    EXPECT_EQ(SendMessage(w.Handle, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(w.Count(WM_USER + 1), 0); // answered by the subclass, not passed on
    w.OnMessage = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return m == WM_USER + 2 ? std::optional<LRESULT>(7) : std::nullopt;
    };
    EXPECT_EQ(SendMessage(w.Handle, WM_USER + 2, 0, 0), 7); // chained to the original
    EXPECT_EQ(w.Count(WM_USER + 2), 1);

    // Restoring the original procedure takes the subclass out of the chain.
    SetWindowLongPtr(w.Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    seenBySubclass.clear();
    EXPECT_EQ(SendMessage(w.Handle, WM_USER + 1, 0, 0), 0);
    EXPECT_TRUE(seenBySubclass.empty());
    FreeObjectInstance(sub);
}

TEST_F(QueueTest, WindowMayDestroyItselfAndFreeItsProcedureInItsOwnHandler)
{
    auto* w = new TTestWindow("W", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow owned("Owned", base::Bounds(0, 0, 50, 50), WS_POPUP, w->Handle);
    HWND h = w->Handle;
    bool destroyed = false;
    w->OnMessage = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_CLOSE) {
            DestroyWindow(h);
            delete w; // frees the object and its procedure instance while it runs
            return 0;
        }
        if (m == WM_DESTROY)
            destroyed = !IsWindow(owned.Handle); // owned windows go first
        return std::nullopt;
    };
    H->CloseRequest("W");
    H->RunScript();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(owned.Handle));
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0); // a stale handle is harmless
    EXPECT_FALSE(PostMessage(h, WM_USER, 0, 0));
}

TEST_F(QueueTest, TimersFireInOrderOnTheVirtualClock)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100));
    std::vector<std::pair<uint64_t, UINT_PTR>> ticks;
    w.OnMessage = [&](UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_TIMER) {
            ticks.push_back({ GetTickCount64(), wp });
            if (wp == 3)
                KillTimer(w.Handle, 3); // one shot
        }
        return std::nullopt;
    };
    uint64_t start = GetTickCount64();
    SetTimer(w.Handle, 1, 30);
    SetTimer(w.Handle, 2, 20);
    SetTimer(w.Handle, 3, 25);
    SetTimer(w.Handle, 4, 1); // raised to the platform's minimum of 10 ms
    KillTimer(w.Handle, 4);
    SetTimer(w.Handle, 4, 1);
    H->RunFor(60);
    std::vector<std::pair<uint64_t, UINT_PTR>> expected = {
        { 10, 4 },
        { 20, 2 },
        { 20, 4 },
        { 25, 3 },
        { 30, 1 },
        { 30, 4 },
        { 40, 2 },
        { 40, 4 },
        { 50, 4 },
        { 60, 1 },
        { 60, 2 },
        { 60, 4 },
    };
    for (auto& t : ticks)
        t.first -= start;
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(GetTickCount64() - start, 60u); // time moved only as far as asked

    // Timers of a destroyed window die with it; thread timers call their procedure.
    static int threadTicks;
    threadTicks = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { ++threadTicks; });
    EXPECT_NE(id, 0u);
    DestroyWindow(w.Handle);
    ticks.clear();
    H->RunFor(250);
    EXPECT_TRUE(ticks.empty());
    EXPECT_EQ(threadTicks, 2);
    KillTimer(nullptr, id);
}

TEST_F(QueueTest, PaintComesLastAndCoalesces)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    H->RunScript();
    w.Log.clear();
    RECT a { 10, 10, 20, 20 };
    RECT b { 50, 60, 70, 80 };
    InvalidateRect(w.Handle, &a, FALSE);
    PostMessage(w.Handle, WM_USER, 0, 0);
    InvalidateRect(w.Handle, &b, TRUE);
    PostMessage(w.Handle, WM_USER + 1, 0, 0);
    PAINTSTRUCT seen {};
    w.OnMessage = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_PAINT) {
            BeginPaint(w.Handle, &seen);
            EndPaint(w.Handle, &seen);
            return 0;
        }
        return std::nullopt;
    };
    H->RunScript();
    auto order = w.Only({ WM_USER, WM_USER + 1, WM_PAINT, WM_ERASEBKGND });
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0].Message, UINT(WM_USER));
    EXPECT_EQ(order[1].Message, UINT(WM_USER + 1));
    EXPECT_EQ(order[2].Message, UINT(WM_PAINT));
    EXPECT_EQ(order[3].Message, UINT(WM_ERASEBKGND)); // sent from BeginPaint
    EXPECT_EQ(seen.rcPaint, base::Rect(10, 10, 70, 80));

    // A procedure that never validates is not asked again and again.
    w.OnMessage = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return m == WM_PAINT ? std::optional<LRESULT>(0) : std::nullopt;
    };
    w.Log.clear();
    InvalidateRect(w.Handle, nullptr, FALSE);
    H->RunScript();
    EXPECT_EQ(w.Count(WM_PAINT), 1);

    // Hidden windows are not painted until shown; UpdateWindow paints at once.
    ShowWindow(w.Handle, SW_HIDE);
    w.Log.clear();
    InvalidateRect(w.Handle, nullptr, FALSE);
    H->RunScript();
    EXPECT_EQ(w.Count(WM_PAINT), 0);
    ShowWindow(w.Handle, SW_SHOWNA);
    UpdateWindow(w.Handle);
    EXPECT_EQ(w.Count(WM_NCPAINT), 1);
    EXPECT_EQ(w.Count(WM_PAINT), 1);
    RECT none;
    EXPECT_FALSE(GetUpdateRect(w.Handle, &none, FALSE));
}

TEST_F(QueueTest, RedrawWindowFlags)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    H->RunScript();
    w.Log.clear();
    RedrawWindow(w.Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    EXPECT_EQ(w.Count(WM_NCPAINT), 1);
    EXPECT_EQ(w.Count(WM_ERASEBKGND), 1);
    EXPECT_EQ(w.Count(WM_PAINT), 0);
    RedrawWindow(w.Handle, nullptr, nullptr, RDW_UPDATENOW);
    EXPECT_EQ(w.Count(WM_PAINT), 1);
    RedrawWindow(w.Handle, nullptr, nullptr, RDW_INVALIDATE);
    RedrawWindow(w.Handle, nullptr, nullptr, RDW_VALIDATE);
    H->RunScript();
    EXPECT_EQ(w.Count(WM_PAINT), 1);
    RedrawWindow(w.Handle, nullptr, nullptr, RDW_INTERNALPAINT);
    H->RunScript();
    EXPECT_EQ(w.Count(WM_PAINT), 2);
}

// A modal loop as a toolkit runs one: the owner is disabled and the loop pumps messages
// until the dialog says it is done.
void RunModal(HWND owner, HWND dialog, bool const& done)
{
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    MSG msg;
    while (!done && GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    EnableWindow(owner, TRUE);
    ShowWindow(dialog, SW_HIDE);
}

TEST_F(QueueTest, ModalLoopsNest)
{
    TTestWindow main("Main", base::Bounds(0, 0, 300, 300), WS_POPUP | WS_VISIBLE);
    TTestWindow first("First", base::Bounds(400, 0, 100, 100), WS_POPUP, main.Handle);
    TTestWindow second("Second", base::Bounds(600, 0, 100, 100), WS_POPUP, first.Handle);
    bool firstDone = false;
    bool secondDone = false;
    std::vector<std::string> events;
    main.OnMessage = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONUP) {
            events.push_back("main: first opens");
            RunModal(main.Handle, first.Handle, firstDone);
            events.push_back("main: first closed");
        }
        return std::nullopt;
    };
    first.OnMessage = [&](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONUP && GET_X_LPARAM(l) < 50) {
            events.push_back("first: second opens");
            RunModal(first.Handle, second.Handle, secondDone);
            events.push_back("first: second closed");
        } else if (m == WM_LBUTTONUP)
            firstDone = true;
        return std::nullopt;
    };
    second.OnMessage = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_LBUTTONUP) {
            events.push_back("second: done");
            secondDone = true;
        }
        return std::nullopt;
    };
    H->Click("Main", 10, 10);
    H->WaitShown("First");
    H->Do([&] { events.push_back(IsWindowEnabled(main.Handle) ? "main enabled" : "main disabled"); });
    H->Click("Main", 20, 20); // dropped: the main window is disabled
    H->Click("First", 10, 10);
    H->WaitShown("Second");
    H->Click("Second", 10, 10);
    H->WaitHidden("Second");
    H->Click("First", 80, 10);
    H->RunScript();
    std::vector<std::string> expected = { "main: first opens", "main disabled", "first: second opens",
        "second: done", "first: second closed", "main: first closed" };
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(IsWindowEnabled(main.Handle));
    EXPECT_EQ(GetActiveWindow(), main.Handle);
    EXPECT_TRUE(H->ScriptDone());
}

TEST_F(QueueTest, IdleLoopWithNothingToWaitForRaises)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    MSG msg;
    auto drain = [&] {
        for (;;) {
            GetMessage(&msg, nullptr, 0, 0);
            DispatchMessage(&msg);
        }
    };
    EXPECT_THROW(drain(), EWouldWaitForever);

    // Waiting for a window that never comes raises too.
    H->WaitShown("Never");
    EXPECT_THROW(H->RunScript(), EWouldWaitForever);
    H->ClearScript();

    // A periodic timer alone keeps a loop busy only up to the idle limit.
    H->SetIdleLimit(1000);
    SetTimer(w.Handle, 1, 50);
    EXPECT_THROW(drain(), EWouldWaitForever);
    EXPECT_LE(w.Count(WM_TIMER), 21);
    EXPECT_GE(w.Count(WM_TIMER), 19);
}

TEST_F(QueueTest, MessagePostedByTheLastScriptedActionIsDelivered)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    H->Do([&] { PostMessage(w.Handle, WM_USER + 7, 0, 0); });
    MSG msg;
    bool delivered = false;
    for (int i = 0; i < 10 && !delivered; ++i) {
        ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
        delivered = msg.message == UINT(WM_USER + 7);
        DispatchMessage(&msg);
    }
    EXPECT_TRUE(delivered);
    // With the script used up, waiting again is an error, not a hang.
    EXPECT_THROW(GetMessage(&msg, nullptr, 0, 0), EWouldWaitForever);
}

TEST_F(QueueTest, QuitEndsGetMessageAfterPostedMessages)
{
    TTestWindow w("W", base::Bounds(0, 0, 100, 100));
    PostQuitMessage(3);
    PostMessage(w.Handle, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_USER));
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(3));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, MinimiseAndRestoreWindowsAndTheApplication)
{
    TTestWindow main("Main", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow other("Other", base::Bounds(200, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    SetActiveWindow(main.Handle);
    ShowWindow(main.Handle, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(main.Handle));
    EXPECT_EQ(main.Only({ WM_SIZE }).back().WParam, SIZE_MINIMIZED);
    EXPECT_EQ(GetActiveWindow(), other.Handle);
    EXPECT_EQ(WindowFromPoint({ 50, 50 }), nullptr); // a minimised window takes no input
    EXPECT_FALSE(H->NativeVisible(main.Handle));
    ShowWindow(main.Handle, SW_RESTORE);
    EXPECT_FALSE(IsIconic(main.Handle));
    EXPECT_EQ(GetActiveWindow(), main.Handle);
    EXPECT_EQ(main.Only({ WM_SIZE }).back().WParam, SIZE_RESTORED);

    MinimizeApplication();
    EXPECT_TRUE(IsApplicationMinimized());
    EXPECT_TRUE(IsIconic(main.Handle));
    EXPECT_TRUE(IsIconic(other.Handle));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    // The task bar's restore brings every window back and the active one with them.
    H->RestoreRequest("Other");
    H->RunScript();
    EXPECT_FALSE(IsApplicationMinimized());
    EXPECT_FALSE(IsIconic(main.Handle));
    EXPECT_FALSE(IsIconic(other.Handle));
    EXPECT_EQ(GetActiveWindow(), main.Handle);

    // A close request goes through WM_SYSCOMMAND and WM_CLOSE.
    H->CloseRequest("Other");
    H->RunScript();
    EXPECT_EQ(other.Only({ WM_SYSCOMMAND }).back().WParam, SC_CLOSE);
    EXPECT_EQ(other.Count(WM_CLOSE), 1);
    EXPECT_FALSE(IsWindow(other.Handle));
}

TEST_F(QueueTest, StylesTextAndLayeredAttributes)
{
    TTestWindow w("Old", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_CAPTION | WS_VISIBLE);
    LONG_PTR style = GetWindowLongPtr(w.Handle, GWL_STYLE);
    EXPECT_TRUE(style & WS_VISIBLE);
    SetWindowLongPtr(w.Handle, GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
    EXPECT_EQ(w.Count(WM_STYLECHANGING), 1);
    EXPECT_EQ(w.Count(WM_STYLECHANGED), 1);
    EXPECT_EQ(GetWindowLongPtr(w.Handle, GWL_STYLE), LONG_PTR(WS_POPUP | WS_VISIBLE));
    // The frame is recomputed when asked to.
    SetWindowPos(w.Handle, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    RECT r;
    GetClientRect(w.Handle, &r);
    EXPECT_EQ(r, base::Rect(0, 0, 100, 100));

    SetWindowText(w.Handle, "New");
    EXPECT_EQ(GetWindowText(w.Handle), "New");
    EXPECT_EQ(H->NativeTitle(w.Handle), "New");
    SetTaskbarTitle(w.Handle, "App");
    SetWindowText(w.Handle, "Newer");
    EXPECT_EQ(H->NativeTitle(w.Handle), "App");

    uint8_t alpha = 0;
    EXPECT_FALSE(SetLayeredWindowAttributes(w.Handle, 0, 100, LWA_ALPHA)); // not layered yet
    SetWindowLongPtr(w.Handle, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(w.Handle, 0, 100, LWA_ALPHA));
    EXPECT_TRUE(GetLayeredWindowAttributes(w.Handle, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 100);
    SetWindowLongPtr(w.Handle, GWL_EXSTYLE, 0);
    SetWindowLongPtr(w.Handle, GWL_EXSTYLE, WS_EX_LAYERED);
    GetLayeredWindowAttributes(w.Handle, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 255); // leaving the layered state forgot the alpha
}

// Only InitWindowSystem starts the window system: a window function used before it raises
// instead of opening a display of its own choosing.
TEST(WindowSystemStart, UseBeforeTheExplicitStartRaises)
{
    DoneWindowSystem();
    EXPECT_THROW(Backend(), base::EInvalidOperation);
    EXPECT_THROW(PostMessage(nullptr, WM_USER, 0, 0), base::EInvalidOperation);
    EXPECT_FALSE(WindowSystemRunning());
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(1)));
    InitWindowSystem(std::make_unique<THeadlessBackend>());
    EXPECT_STREQ(Backend().Name(), "headless");
    DoneWindowSystem();
    EXPECT_THROW(GetTickCount(), base::EInvalidOperation);
}

} // namespace
