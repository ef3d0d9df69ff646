#include <algorithm>
#include <cstdlib>

#include "platform/windows/WinUser.h"
#include "platform/windows/WindowSystem.h"

namespace xe::win {

namespace {

bool InFilter(UINT message, UINT filterMin, UINT filterMax)
{
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message >= filterMin && message <= filterMax;
}

// Client and non-client messages per button: down, up, double click.
struct TButtonMessages {
    UINT Down, Up, DblClk, NcDown, NcUp, NcDblClk;
};
constexpr TButtonMessages ButtonMessages[3] = {
    { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK },
    { WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK },
    { WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK },
};

} // namespace

void TWindowSystem::Post(const MSG& msg) { FPosted.push_back(msg); }

void TWindowSystem::PostFront(const MSG& msg) { FPosted.push_front(msg); }

void TWindowSystem::PostQuit(int code)
{
    FQuitPosted = true;
    FQuitCode = code;
}

void TWindowSystem::DropWindowMessages(HWND hwnd)
{
    std::erase_if(FPosted, [&](const MSG& m) { return m.hwnd == hwnd; });
}

bool TWindowSystem::Peek(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    bool remove = (removeFlags & PM_REMOVE) != 0;
    for (;;) {
        uint64_t now = FBackend->Now();

        // 0. Messages the system sends between other work: windows uncovered since the
        // last look repaint their frames.
        SendSyncPaints();

        // 1. Posted messages (input included), oldest first.
        for (auto it = FPosted.begin(); it != FPosted.end(); ++it) {
            if ((hwnd && it->hwnd != hwnd) || !InFilter(it->message, filterMin, filterMax))
                continue;
            *msg = *it;
            if (remove)
                FPosted.erase(it);
            LastMessageTime = msg->time;
            return true;
        }

        // 2. The quit request, once the posted messages are through.
        if (FQuitPosted && !hwnd && InFilter(WM_QUIT, filterMin, filterMax)) {
            *msg = MSG { nullptr, WM_QUIT, WPARAM(FQuitCode), 0, DWORD(now), CursorPos };
            if (remove)
                FQuitPosted = false;
            return true;
        }

        // 3. Painting, when nothing else is pending.
        if (InFilter(WM_PAINT, filterMin, filterMax)) {
            std::vector<HWND> order = FZOrder;
            for (HWND h : order) {
                TWindow* w = Get(h);
                if (!w || (hwnd && h != hwnd) || !w->Showing() || !NeedsPaint(*w))
                    continue;
                if (w->Update.Empty() && !w->InternalPaint) {
                    // Only the frame is invalid: it is painted here, no WM_PAINT follows.
                    SendNcPaint(h);
                    continue;
                }
                *msg = MSG { h, WM_PAINT, 0, 0, DWORD(now), CursorPos };
                return true;
            }
        }

        // 4. Input, once nothing is posted or to be painted: what was drawn is shown
        // first, as the user sees it before acting.
        FlushPresent();
        if (std::optional<TRawEvent> event = FBackend->PollEvent()) {
            ProcessRawEvent(*event);
            continue;
        }
        // 5. Timers that are due, earliest first. They come after input, so that a timer
        // that is always due cannot hold input back.
        if (InFilter(WM_TIMER, filterMin, filterMax)) {
            TTimer* due = nullptr;
            for (TTimer& t : FTimers) {
                if (t.Due > now || (hwnd && t.Window != hwnd))
                    continue;
                if (!due || t.Due < due->Due || (t.Due == due->Due && t.Seq < due->Seq))
                    due = &t;
            }
            if (due) {
                *msg = MSG { due->Window, WM_TIMER, due->Id, reinterpret_cast<LPARAM>(due->Proc), DWORD(now),
                    CursorPos };
                if (remove)
                    due->Due = now + due->Elapse;
                LastMessageTime = msg->time;
                return true;
            }
        }

        return false;
    }
}

bool TWindowSystem::Get(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    while (!Peek(msg, hwnd, filterMin, filterMax, PM_REMOVE))
        FBackend->WaitEvent(NextTimerDue());
    return msg->message != WM_QUIT;
}

LRESULT TWindowSystem::Dispatch(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, UINT_PTR(msg->wParam), msg->time);
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    LRESULT result = SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        // A procedure that did not validate would be asked again forever.
        SendNcPaint(msg->hwnd);
        if (TWindow* w = Get(msg->hwnd)) {
            w->Update = gfx::TRegion();
            w->Erase = false;
            w->InternalPaint = false;
        }
    }
    return result;
}

// --- timers -------------------------------------------------------------------------------------

UINT_PTR TWindowSystem::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (hwnd && !Get(hwnd))
        return 0;
    if (!hwnd)
        id = FNextThreadTimer++;
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, 0x7FFFFFFF);
    uint64_t due = FBackend->Now() + elapse;
    for (TTimer& t : FTimers)
        if (t.Window == hwnd && t.Id == id) {
            t.Elapse = elapse;
            t.Due = due;
            t.Proc = proc;
            t.Seq = FTimerSeq++;
            return id == 0 ? 1 : id;
        }
    FTimers.push_back(TTimer { hwnd, id, elapse, due, proc, FTimerSeq++ });
    return id == 0 ? 1 : id;
}

bool TWindowSystem::KillTimer(HWND hwnd, UINT_PTR id)
{
    return std::erase_if(FTimers, [&](TTimer const& t) { return t.Window == hwnd && t.Id == id; }) > 0;
}

std::optional<uint64_t> TWindowSystem::NextTimerDue() const
{
    std::optional<uint64_t> next;
    for (TTimer const& t : FTimers)
        if (!next || t.Due < *next)
            next = t.Due;
    return next;
}

// --- input routing ------------------------------------------------------------------------------

void TWindowSystem::ProcessRawEvent(TRawEvent const& event)
{
    switch (event.Kind) {
    case TRawEventKind::MouseMove:
    case TRawEventKind::ButtonDown:
    case TRawEventKind::ButtonUp:
        CursorPos = event.Pos;
        if (event.Kind == TRawEventKind::ButtonDown) {
            Buttons |= 1u << event.Button;
            AltAlone = false;
        } else if (event.Kind == TRawEventKind::ButtonUp)
            Buttons &= ~(1u << event.Button);
        if (FSizeMove.Active) {
            // The move or size loop owns the mouse until the left button comes up.
            if (event.Kind == TRawEventKind::MouseMove)
                TrackSizeMove(event.Pos);
            else if (event.Kind == TRawEventKind::ButtonUp && event.Button == mbLeft) {
                TrackSizeMove(event.Pos);
                FinishSizeMove();
            }
            return;
        }
        RouteMouse(event);
        return;
    case TRawEventKind::Wheel:
        CursorPos = event.Pos;
        if (!FSizeMove.Active)
            RouteWheel(event);
        return;
    case TRawEventKind::CloseRequest:
    case TRawEventKind::Minimize:
    case TRawEventKind::Restore: {
        TWindow* w = Get(event.Window);
        if (!w)
            return;
        if (!w->Enabled()) {
            // A disabled window (the owner of a modal dialog) acts on none of these, as it
            // takes no clicks: its modal window comes forward instead.
            BringModalForward();
            return;
        }
        WPARAM command = event.Kind == TRawEventKind::CloseRequest ? SC_CLOSE
            : event.Kind == TRawEventKind::Minimize                ? SC_MINIMIZE
                                                                   : SC_RESTORE;
        Post(MSG { event.Window, WM_SYSCOMMAND, command, 0, DWORD(FBackend->Now()), CursorPos });
        return;
    }
    case TRawEventKind::KeyDown:
    case TRawEventKind::KeyUp:
        RouteKey(event);
        return;
    case TRawEventKind::Text:
        RouteText(event);
        return;
    case TRawEventKind::TrayButtonDown:
    case TRawEventKind::TrayButtonUp:
    case TRawEventKind::TrayChanged:
        TrayEvent(event);
        return;
    case TRawEventKind::Exposed:
        // The display kept no copy of what was covered: the whole surface is shown again.
        if (TWindow* w = Get(event.Window); w && w->Showing())
            MarkDirty(*w, { 0, 0, w->Bounds.Width(), w->Bounds.Height() });
        return;
    case TRawEventKind::WindowLost:
        // Disabled or not, the window hears of it: nothing will show it again.
        if (Get(event.Window))
            Post(MSG { event.Window, WM_NATIVEDESTROYED, 0, 0, DWORD(FBackend->Now()), CursorPos });
        return;
    case TRawEventKind::Activate:
        if (!event.Window)
            Activate(nullptr, WA_INACTIVE);
        else if (TWindow* w = Get(event.Window); w && w->Showing() && w->Enabled())
            Activate(event.Window, WA_ACTIVE);
        return;
    }
}

// Keys go to the focus window, else to the active one; a disabled window gets none. With
// Alt held (and Ctrl not) the system forms WM_SYSKEYDOWN/WM_SYSKEYUP are used, and for
// F10 as well. The modifiers are tracked for GetKeyState whoever gets the message.
// Typed text goes where keys go, one WM_CHAR per byte (a double-byte character as its lead
// and trail bytes, as ANSI windows receive them).
void TWindowSystem::RouteText(TRawEvent const& event)
{
    if (FSizeMove.Active)
        return;
    HWND target = KeyTarget();
    TWindow* w = Get(target);
    if (!w || !w->Enabled())
        return;
    DWORD const time = DWORD(FBackend->Now());
    for (char c : event.Text)
        Post(MSG { target, WM_CHAR, WPARAM(uint8_t(c)), 1, time, CursorPos });
}

HWND TWindowSystem::KeyTarget() const
{
    if (Get(Focus))
        return Focus;
    // With no active window (the application minimised to the tray) an open menu, which
    // holds the capture, still takes the keys.
    return Get(Active) ? Active : Capture;
}

void TWindowSystem::RouteKey(TRawEvent const& event)
{
    int vk = event.Key & 0xFF;
    bool down = event.Kind == TRawEventKind::KeyDown;
    bool wasDown = Keys[vk];
    Keys[vk] = down;
    if (down) {
        if (vk == VK_MENU) {
            if (!wasDown)
                AltAlone = true;
        } else
            AltAlone = false;
    } else if (vk == VK_MENU) {
        KeyMenuPending = AltAlone;
        AltAlone = false;
    }
    if (FSizeMove.Active) {
        // Escape cancels a move or size loop; other keys are swallowed by it.
        if (down && vk == VK_ESCAPE) {
            HWND h = FSizeMove.Window;
            TRect r = FSizeMove.StartRect;
            bool putBack = FullDragWindows && FSizeMove.Moved;
            FSizeMove.Moved = false;
            EndSizeMove();
            if (putBack && Get(h))
                SetPos(h, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    HWND target = KeyTarget();
    TWindow* w = Get(target);
    if (!w || !w->Enabled()) {
        KeyMenuPending = false;
        return;
    }
    bool alt = Keys[VK_MENU] || vk == VK_MENU;
    bool sys = (alt && !Keys[VK_CONTROL]) || vk == VK_F10;
    LPARAM lParam = 1 | (LPARAM(vk & 0xFF) << 16);
    if (alt)
        lParam |= KF_ALTDOWN_BIT;
    if (down ? wasDown : true)
        lParam |= KF_REPEAT_BIT;
    if (!down)
        lParam |= KF_UP_BIT;
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    Post(MSG { target, message, WPARAM(vk), lParam, DWORD(FBackend->Now()), CursorPos });
}

// The wheel goes to the capture window (an open menu or list), else to the window under the
// mouse, as current desktops scroll what the user points at; a disabled window drops it.
// wParam: the turn in its high word, the buttons and Shift/Ctrl in its low word; lParam: the
// point on the screen.
void TWindowSystem::RouteWheel(TRawEvent const& event)
{
    int hit = HTCLIENT;
    HWND target = Capture && Get(Capture) ? Capture : HitWindow(event.Pos, &hit);
    TWindow* w = Get(target);
    if (!w || (!w->Enabled() && target != Capture))
        return;
    WPARAM keys = ((Buttons & (1u << mbLeft)) ? MK_LBUTTON : 0)
        | ((Buttons & (1u << mbRight)) ? MK_RBUTTON : 0) | ((Buttons & (1u << mbMiddle)) ? MK_MBUTTON : 0)
        | (Keys[VK_SHIFT] ? MK_SHIFT : 0) | (Keys[VK_CONTROL] ? MK_CONTROL : 0);
    WPARAM wParam = keys | (WPARAM(uint16_t(int16_t(event.Key))) << 16);
    Post(MSG { target, WM_MOUSEWHEEL, wParam, PointToLParam(event.Pos), DWORD(FBackend->Now()), event.Pos });
}

void TWindowSystem::SendSetCursor(HWND target, int hit, UINT mouseMessage)
{
    if (!target) {
        ChangeCursor(LoadCursor(nullptr, IDC_ARROW));
        return;
    }
    SendMessage(target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(hit, int(mouseMessage)));
}

void TWindowSystem::ChangeCursor(HCURSOR cursor)
{
    if (cursor == Cursor)
        return;
    Cursor = cursor;
    if (auto it = PictureCursors.find(cursor); it != PictureCursors.end())
        FBackend->SetCursorPicture(
            CursorId(cursor), it->second.Picture, it->second.HotSpot, it->second.Transparent);
    else
        FBackend->SetCursorShape(CursorId(cursor));
}

void TWindowSystem::RouteMouse(TRawEvent const& event)
{
    DWORD time = DWORD(FBackend->Now());
    HWND target = nullptr;
    int hit = HTCLIENT;
    if (Capture && Get(Capture)) {
        // The capture window gets every mouse message, as client messages.
        target = Capture;
    } else {
        target = HitWindow(event.Pos, &hit);
    }
    bool nonClient = target && hit != HTCLIENT;

    // Leave tracking: the tracked window hears once that the mouse left it (or its area).
    if (Tracking.hwndTrack) {
        bool trackNc = (Tracking.dwFlags & TME_NONCLIENT) != 0;
        if (Tracking.hwndTrack != target || trackNc != nonClient) {
            HWND left = Tracking.hwndTrack;
            Tracking.hwndTrack = nullptr;
            Post(MSG { left, UINT(trackNc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE), 0, 0, time, event.Pos });
        }
    }
    TButtonMessages const& bm = ButtonMessages[std::clamp(int(event.Button), 0, 2)];
    // The window under the mouse chooses the cursor before it gets a move or a press, told
    // the hit-test code and the mouse message; the capture window keeps the cursor it has.
    auto setCursor = [&](UINT mouseMessage) {
        if (Capture)
            return true;
        TWindow* under = Get(target);
        SendSetCursor(target, under && !under->Enabled() ? HTERROR : hit, mouseMessage);
        return !target || Get(target) != nullptr;
    };
    if (event.Kind == TRawEventKind::MouseMove && !setCursor(WM_MOUSEMOVE))
        return;
    if (!target)
        return;
    TWindow* w = Get(target);
    if (!w)
        return;
    // A disabled window drops mouse input (a modal window above it holds the user); a press
    // on it brings that modal window forward, so that it is never lost behind its owner.
    if (!w->Enabled() && target != Capture) {
        if (event.Kind == TRawEventKind::ButtonDown)
            BringModalForward();
        return;
    }

    WPARAM keys = ((Buttons & (1u << mbLeft)) ? MK_LBUTTON : 0)
        | ((Buttons & (1u << mbRight)) ? MK_RBUTTON : 0) | ((Buttons & (1u << mbMiddle)) ? MK_MBUTTON : 0);
    TPoint client = event.Pos;
    client.X -= w->Bounds.Left + w->Client.Left;
    client.Y -= w->Bounds.Top + w->Client.Top;
    auto post = [&](UINT message) {
        if (nonClient)
            Post(MSG { target, message, WPARAM(hit), PointToLParam(event.Pos), time, event.Pos });
        else
            Post(MSG { target, message, keys, PointToLParam(client), time, event.Pos });
    };
    switch (event.Kind) {
    case TRawEventKind::MouseMove:
        post(nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE);
        return;
    case TRawEventKind::ButtonDown: {
        if (hit == HTERROR || hit == HTNOWHERE)
            return;
        if (!Capture && target != Active) {
            UINT downMessage = nonClient ? bm.NcDown : bm.Down;
            LRESULT answer
                = SendMessage(target, WM_MOUSEACTIVATE, WPARAM(target), MAKELPARAM(hit, int(downMessage)));
            if (!Get(target))
                return;
            if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT || answer == 0) {
                Activate(target, WA_CLICKACTIVE);
                if (!Get(target))
                    return;
            }
            if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
                return;
        }
        if (!setCursor(bm.Down))
            return;
        bool dbl = FLastPress.Window == target && FLastPress.Button == event.Button
            && FLastPress.NonClient == nonClient && uint64_t(time) - FLastPress.Time <= GetDoubleClickTime()
            && std::abs(event.Pos.X - FLastPress.Pos.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2
            && std::abs(event.Pos.Y - FLastPress.Pos.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        if (dbl) {
            FLastPress.Window = nullptr; // a third press starts afresh
            post(nonClient ? bm.NcDblClk : bm.DblClk);
        } else {
            FLastPress = TLastPress { target, event.Button, nonClient, time, event.Pos };
            post(nonClient ? bm.NcDown : bm.Down);
        }
        return;
    }
    case TRawEventKind::ButtonUp:
        post(nonClient ? bm.NcUp : bm.Up);
        return;
    default:
        return;
    }
}

// --- free functions -------------------------------------------------------------------------------

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<TWindow> w = WS().Find(hwnd);
    if (!w)
        return 0;
    // The shared pointer keeps the window's record alive while its procedure runs, even if
    // the procedure destroys the window.
    WNDPROC proc = w->Proc;
    return proc(hwnd, msg, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindowSystem& ws = WS();
    if (hwnd && !ws.Get(hwnd))
        return FALSE;
    ws.Post(MSG { hwnd, msg, wParam, lParam, DWORD(ws.Backend().Now()), ws.CursorPos });
    return TRUE;
}

void PostQuitMessage(int exitCode) { WS().PostQuit(exitCode); }

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    return msg && WS().Peek(msg, hwnd, filterMin, filterMax, removeFlags);
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    return msg && WS().Get(msg, hwnd, filterMin, filterMax);
}

namespace {

// The character a key makes on a US keyboard with the given modifiers, or 0.
int KeyToChar(int vk, bool shift, bool ctrl)
{
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl)
            return vk - 'A' + 1;
        return shift ? vk : vk - 'A' + 'a';
    }
    if (ctrl)
        return 0;
    if (vk >= '0' && vk <= '9')
        return shift ? ")!@#$%^&*("[vk - '0'] : vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return '0' + vk - VK_NUMPAD0;
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_BACK:
        return '\b';
    case VK_TAB:
        return '\t';
    case VK_OEM_1:
        return shift ? ':' : ';';
    case VK_OEM_PLUS:
        return shift ? '+' : '=';
    case VK_OEM_COMMA:
        return shift ? '<' : ',';
    case VK_OEM_MINUS:
        return shift ? '_' : '-';
    case VK_OEM_PERIOD:
        return shift ? '>' : '.';
    case VK_OEM_2:
        return shift ? '?' : '/';
    case VK_OEM_3:
        return shift ? '~' : '`';
    case VK_OEM_4:
        return shift ? '{' : '[';
    case VK_OEM_5:
        return shift ? '|' : '\\';
    case VK_OEM_6:
        return shift ? '}' : ']';
    case VK_OEM_7:
        return shift ? '"' : '\'';
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    default:
        return 0;
    }
}

} // namespace

// A key press that makes a character is followed by WM_CHAR (WM_SYSCHAR with Alt held),
// with the same lParam, ahead of everything else queued.
BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    TWindowSystem& ws = WS();
    bool alt = (msg->lParam & KF_ALTDOWN_BIT) != 0;
    int c = KeyToChar(int(msg->wParam), ws.Keys[VK_SHIFT], ws.Keys[VK_CONTROL] && !alt);
    if (!c)
        return FALSE;
    // Where the backend reports typed text, printable characters come from it (they follow
    // the keyboard layout); keys make only control characters and Alt chords here.
    if (ws.Backend().TypesText() && msg->message == WM_KEYDOWN && c >= 0x20 && c != 0x7F)
        return FALSE;
    ws.PostFront(MSG { msg->hwnd, UINT(msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR), WPARAM(c),
        msg->lParam, msg->time, msg->pt });
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) { return WS().Dispatch(msg); }

BOOL WaitMessage()
{
    MSG msg;
    while (!WS().Peek(&msg, nullptr, 0, 0, PM_NOREMOVE))
        WS().Backend().WaitEvent(WS().NextTimerDue());
    return TRUE;
}

DWORD GetMessageTime() { return WS().LastMessageTime; }

DWORD GetTickCount() { return DWORD(WS().Backend().Now()); }

uint64_t GetTickCount64() { return WS().Backend().Now(); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC timerProc)
{
    return WS().SetTimer(hwnd, id, elapse, timerProc);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return WS().KillTimer(hwnd, id); }

} // namespace xe::win
