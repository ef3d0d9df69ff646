#include "platform/windows/WindowSystem.h"

#include <algorithm>
#include <utility>

#include "platform/windows/WinUser.h"

namespace xe::win {

namespace {

std::unique_ptr<TWindowSystem> GWindowSystem;

TRect ClientInScreen(TWindow const& w)
{
    TRect r = w.Client;
    base::OffsetRect(r, w.Bounds.Left, w.Bounds.Top);
    return r;
}

} // namespace

TWindowSystem& WS()
{
    // Starting a display behind the caller's back would open a real window whenever one is
    // reachable, even in a test that forgot to choose its backend.
    if (!GWindowSystem)
        throw base::EInvalidOperation("The window system is used before InitWindowSystem started it.");
    return *GWindowSystem;
}

bool WindowSystemRunning() { return GWindowSystem != nullptr; }

void InitWindowSystem(std::unique_ptr<TBackend> backend)
{
    DoneWindowSystem();
    GWindowSystem = std::make_unique<TWindowSystem>(backend ? std::move(backend) : CreateDefaultBackend());
}

void DoneWindowSystem()
{
    if (!GWindowSystem)
        return;
    // Destroying windows may run their procedures, which may still use the window system.
    std::vector<HWND> windows = GWindowSystem->ZOrder();
    for (HWND h : windows)
        GWindowSystem->Destroy(h);
    GWindowSystem.reset();
}

TBackend& Backend() { return WS().Backend(); }

TWindowSystem::TWindowSystem(std::unique_ptr<TBackend> backend)
    : FBackend(std::move(backend))
{
    Tracking.cbSize = sizeof(Tracking);
}

TWindowSystem::~TWindowSystem() = default;

std::shared_ptr<TWindow> TWindowSystem::Find(HWND hwnd) const
{
    auto it = FWindows.find(hwnd);
    return it == FWindows.end() ? nullptr : it->second;
}

TWindow* TWindowSystem::Get(HWND hwnd) const
{
    auto it = FWindows.find(hwnd);
    return it == FWindows.end() ? nullptr : it->second.get();
}

// --- creation and destruction ---------------------------------------------------------------

HWND TWindowSystem::Create(
    DWORD exStyle, std::string const& name, DWORD style, TRect bounds, HWND owner, WNDPROC proc, void* param)
{
    auto w = std::make_shared<TWindow>();
    w->Handle = reinterpret_cast<HWND>(FNextHandle++);
    w->Style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->ExStyle = exStyle;
    w->Bounds = bounds;
    w->Client = { 0, 0, bounds.Width(), bounds.Height() };
    w->Text = name;
    w->Proc = proc ? proc : &DefWindowProc;
    w->Owner = Get(owner) ? owner : nullptr;
    w->Surface.SetSize(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
    HWND h = w->Handle;
    FWindows[h] = w;
    // A new window goes above its owner's group, below nothing else: at the top.
    FZOrder.insert(FZOrder.begin(), h);
    KeepTopmostOnTop();
    FBackend->CreateNativeWindow(h, bounds, name, NativeKindOf(style, exStyle));

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hwndParent = w->Owner;
    cs.x = bounds.Left;
    cs.y = bounds.Top;
    cs.cx = bounds.Width();
    cs.cy = bounds.Height();
    cs.style = LONG_PTR(style);
    cs.lpszName = name.c_str();
    cs.dwExStyle = exStyle;

    MINMAXINFO mmi = DefaultMinMaxInfo(h);
    SendMessage(h, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
    if (!SendMessage(h, WM_NCCREATE, 0, LPARAM(&cs))) {
        Destroy(h);
        return nullptr;
    }
    if (!Get(h))
        return nullptr;
    RECT client = w->Bounds;
    SendMessage(h, WM_NCCALCSIZE, FALSE, LPARAM(&client));
    if (TWindow* live = Get(h)) {
        live->Client = client;
        base::OffsetRect(live->Client, -live->Bounds.Left, -live->Bounds.Top);
    }
    if (SendMessage(h, WM_CREATE, 0, LPARAM(&cs)) == -1) {
        Destroy(h);
        return nullptr;
    }
    if (!Get(h))
        return nullptr;
    SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->Client.Width(), w->Client.Height()));
    SendMessage(h, WM_MOVE, 0, PointToLParam(ClientInScreen(*w).TopLeft()));
    if (Get(h) && (style & WS_VISIBLE))
        Show(h,
            (style & WS_MINIMIZE)       ? SW_SHOWMINIMIZED
                : (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                        : SW_SHOW);
    return Get(h) ? h : nullptr;
}

bool TWindowSystem::Destroy(HWND hwnd)
{
    std::shared_ptr<TWindow> w = Find(hwnd);
    if (!w || w->Destroying)
        return false;
    w->Destroying = true;

    // Owned windows go first, as their owner's destruction would leave them ownerless.
    std::vector<HWND> owned;
    for (HWND h : FZOrder)
        if (TWindow* o = Get(h); o && o->Owner == hwnd)
            owned.push_back(h);
    for (HWND h : owned)
        Destroy(h);

    if (FSizeMove.Active && FSizeMove.Window == hwnd)
        EndSizeMove();
    if (w->Visible()) {
        if (w->Showing())
            Uncover(hwnd, ScreenArea(*w));
        w->Style &= ~WS_VISIBLE;
        FBackend->SetVisible(hwnd, false);
    }
    if (Active == hwnd)
        ActivateNext(hwnd);
    if (Capture == hwnd)
        SetCaptureWindow(nullptr);
    if (Focus == hwnd)
        Focus = nullptr;
    if (Tracking.hwndTrack == hwnd)
        Tracking.hwndTrack = nullptr;

    SendMessage(hwnd, WM_DESTROY, 0, 0);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);

    std::erase_if(FTimers, [&](TTimer const& t) { return t.Window == hwnd; });
    DropWindowMessages(hwnd);
    RemoveFromZOrder(hwnd);
    std::erase(FAppMinimizedWindows, hwnd);
    RemoveTrayIcons(hwnd);
    if (FLastPress.Window == hwnd)
        FLastPress.Window = nullptr;
    FBackend->DestroyNativeWindow(hwnd);
    FWindows.erase(hwnd);
    return true;
}

void TWindowSystem::RemoveFromZOrder(HWND hwnd) { std::erase(FZOrder, hwnd); }

TNativeKind TWindowSystem::NativeKindOf(DWORD style, DWORD exStyle)
{
    // A tool window that never takes the activation is a menu or a tip: the desktop must
    // not frame, move, focus or stack anything over it.
    bool const popup = (style & WS_POPUP) && !(style & WS_CAPTION) && (exStyle & WS_EX_TOOLWINDOW)
        && (exStyle & WS_EX_NOACTIVATE);
    return popup ? TNativeKind::Popup : TNativeKind::Normal;
}

void TWindowSystem::ShowNative(TWindow& w)
{
    // A window shown while its owner is disabled is that owner's modal window (its owner
    // takes no input until it goes); the desktop hears so before it maps the window.
    TWindow const* owner = Get(w.Owner);
    FBackend->SetOwner(w.Handle, owner ? w.Owner : nullptr, owner && !owner->Enabled());
    FBackend->SetVisible(w.Handle, true);
}

void TWindowSystem::KeepTopmostOnTop()
{
    std::stable_partition(FZOrder.begin(), FZOrder.end(), [&](HWND h) {
        TWindow* w = Get(h);
        return w && (w->ExStyle & WS_EX_TOPMOST);
    });
}

// --- position and size ----------------------------------------------------------------------

void TWindowSystem::ResizeSurface(TWindow& w)
{
    int width = std::max(0, w.Bounds.Width());
    int height = std::max(0, w.Bounds.Height());
    if (w.Surface.Width() != width || w.Surface.Height() != height) {
        w.Surface.SetSize(width, height);
        MarkDirty(w, { 0, 0, width, height });
    }
}

bool TWindowSystem::SetPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    std::shared_ptr<TWindow> w = Find(hwnd);
    if (!w)
        return false;
    WINDOWPOS wp;
    wp.hwnd = hwnd;
    wp.hwndInsertAfter = insertAfter;
    wp.x = (flags & SWP_NOMOVE) ? w->Bounds.Left : x;
    wp.y = (flags & SWP_NOMOVE) ? w->Bounds.Top : y;
    wp.cx = (flags & SWP_NOSIZE) ? w->Bounds.Width() : cx;
    wp.cy = (flags & SWP_NOSIZE) ? w->Bounds.Height() : cy;
    wp.flags = flags;
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&wp));
    if (!Get(hwnd))
        return false;

    TRect oldBounds = w->Bounds;
    TRect oldClient = ClientInScreen(*w);
    std::optional<gfx::TRegion> oldArea;
    if (w->Showing())
        oldArea = ScreenArea(*w);
    TRect newBounds = base::Bounds(wp.x, wp.y, std::max(0, wp.cx), std::max(0, wp.cy));
    bool sized = newBounds.Width() != oldBounds.Width() || newBounds.Height() != oldBounds.Height();
    bool moved = newBounds.Left != oldBounds.Left || newBounds.Top != oldBounds.Top;
    TRect newClient = oldClient;
    base::OffsetRect(newClient, newBounds.Left - oldBounds.Left, newBounds.Top - oldBounds.Top);
    if (sized || (wp.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS p;
        p.rgrc[0] = newBounds;
        p.rgrc[1] = oldBounds;
        p.rgrc[2] = oldClient;
        p.lppos = &wp;
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, LPARAM(&p));
        if (!Get(hwnd))
            return false;
        newClient = p.rgrc[0];
    }
    w->Bounds = newBounds;
    w->Client = newClient;
    base::OffsetRect(w->Client, -newBounds.Left, -newBounds.Top);
    if (sized)
        ResizeSurface(*w);
    if (sized || moved)
        FBackend->SetBounds(hwnd, newBounds);

    if (!(wp.flags & SWP_NOZORDER)) {
        if (wp.hwndInsertAfter == HWND_TOPMOST)
            w->ExStyle |= WS_EX_TOPMOST;
        else if (wp.hwndInsertAfter == HWND_NOTOPMOST)
            w->ExStyle &= ~WS_EX_TOPMOST;
        if (wp.hwndInsertAfter == HWND_TOP || wp.hwndInsertAfter == HWND_TOPMOST
            || wp.hwndInsertAfter == HWND_NOTOPMOST)
            BringToTop(hwnd);
        else if (wp.hwndInsertAfter == HWND_BOTTOM) {
            RemoveFromZOrder(hwnd);
            FZOrder.push_back(hwnd);
        } else if (Get(wp.hwndInsertAfter) && wp.hwndInsertAfter != hwnd) {
            RemoveFromZOrder(hwnd);
            auto it = std::find(FZOrder.begin(), FZOrder.end(), wp.hwndInsertAfter);
            FZOrder.insert(it + 1, hwnd);
        }
        KeepTopmostOnTop();
    }
    if ((wp.flags & SWP_SHOWWINDOW) && !w->Visible()) {
        w->Style |= WS_VISIBLE;
        ShowNative(*w);
        InvalidateAll(*w, true, true);
    }
    if ((wp.flags & SWP_HIDEWINDOW) && w->Visible()) {
        w->Style &= ~WS_VISIBLE;
        FBackend->SetVisible(hwnd, false);
        if (Capture == hwnd)
            SetCaptureWindow(nullptr);
        if (Active == hwnd)
            ActivateNext(hwnd);
    }
    if ((sized || (wp.flags & SWP_FRAMECHANGED)) && !(wp.flags & SWP_NOREDRAW))
        InvalidateAll(*w, true, true);
    if (oldArea)
        Uncover(hwnd, oldArea->Subtract(w->Showing() ? ScreenArea(*w) : gfx::TRegion()));
    if (!(wp.flags & SWP_NOACTIVATE) && w->Showing() && w->Enabled())
        Activate(hwnd, WA_ACTIVE);

    if (!Get(hwnd))
        return true;
    if (!moved)
        wp.flags |= SWP_NOMOVE;
    if (!sized)
        wp.flags |= SWP_NOSIZE;
    TRect clientNow = ClientInScreen(*w);
    if (clientNow.Left == oldClient.Left && clientNow.Top == oldClient.Top)
        wp.flags |= SWP_NOCLIENTMOVE;
    if (clientNow.Width() == oldClient.Width() && clientNow.Height() == oldClient.Height()
        && !(wp.flags & SWP_FRAMECHANGED))
        wp.flags |= SWP_NOCLIENTSIZE;
    wp.x = w->Bounds.Left;
    wp.y = w->Bounds.Top;
    wp.cx = w->Bounds.Width();
    wp.cy = w->Bounds.Height();
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&wp));
    return true;
}

void TWindowSystem::BringToTop(HWND hwnd)
{
    if (!Get(hwnd))
        return;
    // The window and every window it owns (directly or not) move to the top, the owned ones
    // above their owner, keeping their order among themselves.
    std::vector<HWND> group;
    std::vector<HWND> rest;
    auto ownedBy = [&](HWND h) {
        for (TWindow* w = Get(h); w; w = Get(w->Owner))
            if (w->Handle == hwnd)
                return true;
        return false;
    };
    for (HWND h : FZOrder)
        (ownedBy(h) ? group : rest).push_back(h);
    // The window itself goes to the bottom of its group.
    std::erase(group, hwnd);
    group.push_back(hwnd);
    FZOrder = group;
    FZOrder.insert(FZOrder.end(), rest.begin(), rest.end());
    KeepTopmostOnTop();
    FBackend->Raise(hwnd);
}

void TWindowSystem::ChangeMinimized(HWND hwnd, bool minimized)
{
    std::shared_ptr<TWindow> w = Find(hwnd);
    if (!w || w->Minimized() == minimized)
        return;
    // A state change is a position change as well: the window keeps its bounds (the backend
    // hides or shows it), but the procedure hears WM_WINDOWPOSCHANGING and CHANGED, whose
    // default handling sends WM_SIZE with the new state.
    WINDOWPOS wp;
    wp.hwnd = hwnd;
    wp.hwndInsertAfter = nullptr;
    wp.x = w->Bounds.Left;
    wp.y = w->Bounds.Top;
    wp.cx = w->Bounds.Width();
    wp.cy = w->Bounds.Height();
    wp.flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&wp));
    if (!Get(hwnd) || w->Minimized() == minimized)
        return;
    if (minimized) {
        if (w->Showing())
            Uncover(hwnd, ScreenArea(*w));
        w->Style |= WS_MINIMIZE;
    } else {
        w->Style &= ~WS_MINIMIZE;
    }
    FBackend->SetMinimized(hwnd, minimized);
    if (!minimized)
        InvalidateAll(*w, true, true);
    wp.x = w->Bounds.Left;
    wp.y = w->Bounds.Top;
    wp.cx = w->Bounds.Width();
    wp.cy = w->Bounds.Height();
    wp.flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCLIENTMOVE
        | SWP_STATECHANGED;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&wp));
}

bool TWindowSystem::Show(HWND hwnd, int cmd)
{
    std::shared_ptr<TWindow> w = Find(hwnd);
    if (!w)
        return false;
    bool wasVisible = w->Visible();
    auto makeVisible = [&] {
        if (w->Visible())
            return;
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        if (!Get(hwnd))
            return;
        w->Style |= WS_VISIBLE;
        ShowNative(*w);
        InvalidateAll(*w, true, true);
        MarkDirty(*w, { 0, 0, w->Bounds.Width(), w->Bounds.Height() });
    };

    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return false;
        SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
        if (!Get(hwnd))
            return true;
        if (w->Showing())
            Uncover(hwnd, ScreenArea(*w));
        w->Style &= ~WS_VISIBLE;
        FBackend->SetVisible(hwnd, false);
        if (Capture == hwnd)
            SetCaptureWindow(nullptr);
        if (Tracking.hwndTrack == hwnd)
            Tracking.hwndTrack = nullptr;
        if (Active == hwnd)
            ActivateNext(hwnd);
        return true;

    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        makeVisible();
        if (!Get(hwnd) || w->Minimized())
            return wasVisible;
        if (Capture == hwnd)
            SetCaptureWindow(nullptr);
        if (FSizeMove.Active && FSizeMove.Window == hwnd)
            EndSizeMove();
        ChangeMinimized(hwnd, true);
        if (Get(hwnd) && Active == hwnd)
            ActivateNext(hwnd);
        return wasVisible;

    case SW_MAXIMIZE: {
        makeVisible();
        if (!Get(hwnd))
            return wasVisible;
        if (w->Minimized()) {
            w->Style &= ~WS_MINIMIZE;
            FBackend->SetMinimized(hwnd, false);
        }
        if (!(w->Style & WS_MAXIMIZE)) {
            w->RestoreBounds = w->Bounds;
            MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
            SendMessage(hwnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
            if (!Get(hwnd))
                return wasVisible;
            // The maximised size is the maximum size, within the tracking limits.
            int cx = std::clamp(
                mmi.ptMaxSize.X, mmi.ptMinTrackSize.X, std::max(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X));
            int cy = std::clamp(
                mmi.ptMaxSize.Y, mmi.ptMinTrackSize.Y, std::max(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y));
            w->Style |= WS_MAXIMIZE;
            SetPos(hwnd, HWND_TOP, mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, cx, cy, SWP_FRAMECHANGED);
        }
        if (Get(hwnd))
            Activate(hwnd, WA_ACTIVE);
        return wasVisible;
    }

    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (AppMinimized && w->Minimized()) {
            RestoreApplication();
            return wasVisible;
        }
        makeVisible();
        if (!Get(hwnd))
            return wasVisible;
        if (w->Minimized()) {
            ChangeMinimized(hwnd, false);
        } else if (w->Style & WS_MAXIMIZE) {
            w->Style &= ~WS_MAXIMIZE;
            TRect r = w->RestoreBounds;
            SetPos(hwnd, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), SWP_FRAMECHANGED);
        }
        if (Get(hwnd) && w->Enabled())
            Activate(hwnd, WA_ACTIVE);
        return wasVisible;

    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        makeVisible();
        return wasVisible;

    case SW_SHOW:
    default:
        makeVisible();
        if (Get(hwnd) && w->Enabled() && !w->Minimized())
            Activate(hwnd, WA_ACTIVE);
        return wasVisible;
    }
}

// --- activation, focus, capture -------------------------------------------------------------

void TWindowSystem::Activate(HWND hwnd, int how)
{
    if (hwnd && !Get(hwnd))
        return;
    if (hwnd == Active) {
        if (hwnd)
            BringToTop(hwnd);
        return;
    }
    HWND old = Active;
    if (TWindow* o = Get(old)) {
        // A window that answers FALSE keeps the activation, as long as it can hold it (shown,
        // enabled, not going away) and another window asks for it.
        bool kept = !SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        o = Get(old);
        if (kept && hwnd && o && o->Showing() && o->Enabled() && !o->Destroying && Active == old)
            return;
        if (hwnd)
            BringToTop(hwnd);
        if (o)
            SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, o->Minimized() ? 1 : 0), LPARAM(hwnd));
    } else if (hwnd) {
        BringToTop(hwnd);
    }
    Active = hwnd;
    if (TWindow* n = Get(hwnd)) {
        SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
        if (Get(hwnd) && Active == hwnd)
            SendMessage(
                hwnd, WM_ACTIVATE, MAKEWPARAM(how, n->Minimized() ? 1 : 0), LPARAM(Get(old) ? old : nullptr));
    } else if (Focus) {
        ChangeFocus(nullptr);
    }
}

void TWindowSystem::ActivateNext(HWND leaving)
{
    auto eligible = [&](HWND h) {
        TWindow* w = Get(h);
        return w && h != leaving && !w->Destroying && w->Showing() && w->Enabled();
    };
    HWND next = nullptr;
    if (TWindow* w = Get(leaving); w && eligible(w->Owner))
        next = w->Owner;
    for (size_t i = 0; !next && i < FZOrder.size(); ++i)
        if (eligible(FZOrder[i]))
            next = FZOrder[i];
    if (next)
        Activate(next, WA_ACTIVE);
    else if (Active == leaving) {
        // Nothing left to activate: the leaving window is told it is no longer active.
        Active = nullptr;
        if (Get(leaving)) {
            SendMessage(leaving, WM_NCACTIVATE, FALSE, 0);
            if (TWindow* w = Get(leaving))
                SendMessage(leaving, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, w->Minimized() ? 1 : 0), 0);
        }
        if (Focus)
            ChangeFocus(nullptr);
    }
}

void TWindowSystem::ChangeFocus(HWND hwnd)
{
    if (hwnd && !Get(hwnd))
        return;
    if (hwnd == Focus)
        return;
    HWND old = Focus;
    Focus = hwnd;
    if (Get(old))
        SendMessage(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (Get(hwnd) && Focus == hwnd)
        SendMessage(hwnd, WM_SETFOCUS, WPARAM(Get(old) ? old : nullptr), 0);
}

HWND TWindowSystem::SetCaptureWindow(HWND hwnd)
{
    if (hwnd && !Get(hwnd))
        return Capture;
    HWND old = Capture;
    if (old == hwnd)
        return old;
    Capture = hwnd;
    FBackend->SetMouseCapture(hwnd);
    if (Get(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    // Taking the mouse away from the move or size loop ends it.
    if (FSizeMove.Active && Capture != FSizeMove.Window)
        EndSizeMove();
    return Get(old) ? old : nullptr;
}

HWND TWindowSystem::HitWindow(TPoint screen, int* hitCode)
{
    std::vector<HWND> order = FZOrder;
    for (HWND h : order) {
        TWindow* w = Get(h);
        if (!w || !w->Showing() || !base::PtInRect(w->Bounds, screen))
            continue;
        if (w->Region && !w->Region->Contains(screen.X - w->Bounds.Left, screen.Y - w->Bounds.Top))
            continue;
        if (!hitCode)
            return h;
        int code = int(SendMessage(h, WM_NCHITTEST, 0, PointToLParam(screen)));
        if (code == HTTRANSPARENT)
            continue;
        *hitCode = code;
        return Get(h) ? h : nullptr;
    }
    return nullptr;
}

// --- the whole application ------------------------------------------------------------------

void TWindowSystem::MinimizeApplication()
{
    if (AppMinimized)
        return;
    AppMinimized = true;
    FAppActive = Active;
    if (Capture)
        SetCaptureWindow(nullptr);
    Activate(nullptr, WA_INACTIVE);
    FAppMinimizedWindows.clear();
    std::vector<HWND> order = FZOrder;
    for (HWND h : order) {
        std::shared_ptr<TWindow> w = Find(h);
        if (!w || !w->Showing())
            continue;
        FAppMinimizedWindows.push_back(h);
        ChangeMinimized(h, true);
    }
}

void TWindowSystem::BringModalForward()
{
    if (AppMinimized)
        RestoreApplication();
    // The topmost enabled, visible window is the one the modal loop waits on.
    for (HWND h : std::vector<HWND>(FZOrder)) {
        TWindow* w = Get(h);
        if (!w || !w->Showing() || !w->Enabled() || w->Destroying)
            continue;
        SetPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
}

void TWindowSystem::RestoreApplication()
{
    if (!AppMinimized)
        return;
    UnhideApplication();
    AppMinimized = false;
    std::vector<HWND> windows = FAppMinimizedWindows;
    FAppMinimizedWindows.clear();
    // Bottom first, so that the z-order comes back as it was.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        std::shared_ptr<TWindow> w = Find(*it);
        if (!w || !w->Minimized())
            continue;
        ChangeMinimized(*it, false);
    }
    HWND target = FAppActive;
    FAppActive = nullptr;
    if (TWindow* w = Get(target); w && w->Showing() && w->Enabled())
        Activate(target, WA_ACTIVE);
    else
        ActivateNext(nullptr);
}

// --- the notification area ----------------------------------------------------------------

TWindowSystem::TTrayIcon* TWindowSystem::FindTrayIcon(HWND owner, UINT id)
{
    for (TTrayIcon& icon : FTrayIcons)
        if (icon.Owner == owner && icon.Id == id)
            return &icon;
    return nullptr;
}

bool TWindowSystem::NotifyIcon(DWORD message, NOTIFYICONDATA const& data)
{
    // Only the fields that uFlags names change; the others keep their values.
    auto apply = [&](TTrayIcon& icon) {
        if (data.uFlags & NIF_MESSAGE)
            icon.CallbackMessage = data.uCallbackMessage;
        if (data.uFlags & NIF_ICON)
            icon.Picture = data.hIcon ? *data.hIcon : gfx::TBitmap();
        if (data.uFlags & NIF_TIP)
            icon.Tip = data.szTip;
    };
    TTrayIcon* icon = FindTrayIcon(data.hWnd, data.uID);
    switch (message) {
    case NIM_ADD: {
        if (icon || !Get(data.hWnd))
            return false;
        TTrayIcon added { data.hWnd, data.uID, 0, FNextTrayId++, {}, {} };
        apply(added);
        FTrayIcons.push_back(std::move(added));
        FBackend->AddTrayIcon(FTrayIcons.back().BackendId, FTrayIcons.back().Picture, FTrayIcons.back().Tip);
        return true;
    }
    case NIM_MODIFY:
        if (!icon)
            return false;
        apply(*icon);
        FBackend->ChangeTrayIcon(icon->BackendId, icon->Picture, icon->Tip);
        return true;
    case NIM_DELETE: {
        if (!icon)
            return false;
        int const backendId = icon->BackendId;
        std::erase_if(FTrayIcons, [&](TTrayIcon const& i) { return i.BackendId == backendId; });
        FBackend->RemoveTrayIcon(backendId);
        // The last way back went: the windows return to the task bar.
        if (FTrayIcons.empty())
            UnhideApplication();
        return true;
    }
    default:
        return false;
    }
}

void TWindowSystem::RemoveTrayIcons(HWND owner)
{
    std::vector<int> gone;
    for (TTrayIcon const& icon : FTrayIcons)
        if (icon.Owner == owner)
            gone.push_back(icon.BackendId);
    if (gone.empty())
        return;
    std::erase_if(FTrayIcons, [&](TTrayIcon const& i) { return i.Owner == owner; });
    for (int id : gone)
        FBackend->RemoveTrayIcon(id);
    if (FTrayIcons.empty())
        UnhideApplication();
}

bool TWindowSystem::HideApplication()
{
    MinimizeApplication();
    if (AppHidden)
        return true;
    if (FTrayIcons.empty() || !FBackend->TrayAvailable())
        return false;
    AppHidden = true;
    // The window system keeps the windows minimised; only their native windows go, which
    // takes them off the task bar.
    for (HWND h : FAppMinimizedWindows)
        if (TWindow* w = Get(h); w && w->Visible())
            FBackend->SetVisible(h, false);
    return true;
}

void TWindowSystem::UnhideApplication()
{
    if (!AppHidden)
        return;
    AppHidden = false;
    for (HWND h : FAppMinimizedWindows)
        if (TWindow* w = Get(h); w && w->Visible())
            ShowNative(*w);
}

void TWindowSystem::TrayEvent(TRawEvent const& event)
{
    if (event.Kind == TRawEventKind::TrayChanged) {
        // Hidden windows are never left without a way back; the icons' windows hear that
        // their icons are one no more, so that they restore the application as a click
        // on the icon would.
        if (FBackend->TrayAvailable() || !AppHidden)
            return;
        UnhideApplication();
        DWORD const time = DWORD(FBackend->Now());
        for (TTrayIcon const& icon : FTrayIcons)
            if (icon.CallbackMessage)
                Post(MSG { icon.Owner, icon.CallbackMessage, WPARAM(icon.Id), LPARAM(NIN_AREAGONE), time,
                    CursorPos });
        return;
    }
    auto it = std::find_if(
        FTrayIcons.begin(), FTrayIcons.end(), [&](TTrayIcon const& i) { return i.BackendId == event.Key; });
    if (it == FTrayIcons.end() || !it->CallbackMessage)
        return;
    CursorPos = event.Pos;
    bool const down = event.Kind == TRawEventKind::TrayButtonDown;
    UINT mouse = 0;
    if (event.Button == mbLeft)
        mouse = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    else if (event.Button == mbRight)
        mouse = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    else
        return;
    DWORD const time = DWORD(FBackend->Now());
    // A second press soon after the first on the same icon is a double click.
    if (down && event.Button == mbLeft) {
        if (FLastTrayPress && FLastTrayPress->first == event.Key
            && uint64_t(time) - FLastTrayPress->second <= GetDoubleClickTime()) {
            mouse = WM_LBUTTONDBLCLK;
            FLastTrayPress.reset();
        } else
            FLastTrayPress = std::make_pair(event.Key, uint64_t(time));
    }
    Post(MSG { it->Owner, it->CallbackMessage, WPARAM(it->Id), LPARAM(mouse), time, event.Pos });
}

// --- free functions -------------------------------------------------------------------------

BOOL Shell_NotifyIcon(DWORD message, NOTIFYICONDATA const* data)
{
    return data && WS().NotifyIcon(message, *data) ? TRUE : FALSE;
}

bool NotificationAreaAvailable() { return WS().Backend().TrayAvailable(); }

bool HideApplication() { return WS().HideApplication(); }

bool IsApplicationHidden() { return WS().AppHidden; }

HWND CreateWindowEx(DWORD exStyle, std::string const& windowName, DWORD style, int x, int y, int width,
    int height, HWND owner, WNDPROC wndProc, void* param)
{
    if (x == CW_USEDEFAULT) {
        x = 100;
        y = 100;
    }
    if (width == CW_USEDEFAULT) {
        width = 400;
        height = 300;
    }
    return WS().Create(exStyle, windowName, style, base::Bounds(x, y, width, height), owner, wndProc, param);
}

BOOL DestroyWindow(HWND hwnd)
{
    // Shutting the window system down destroyed every window already.
    if (!WindowSystemRunning())
        return FALSE;
    return WS().Destroy(hwnd);
}

BOOL IsWindow(HWND hwnd) { return WindowSystemRunning() && WS().Get(hwnd) && !WS().Get(hwnd)->Destroying; }

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    TWindow* w = WS().Get(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return LONG_PTR(w->Style);
    case GWL_EXSTYLE:
        return LONG_PTR(w->ExStyle);
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->Proc);
    case GWLP_USERDATA:
        return w->UserData;
    case GWLP_ID:
        return w->Id;
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->Owner);
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    std::shared_ptr<TWindow> w = WS().Find(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        // STYLESTRUCT: the old and the new style.
        struct {
            DWORD styleOld;
            DWORD styleNew;
        } ss {};
        DWORD& field = index == GWL_STYLE ? w->Style : w->ExStyle;
        ss.styleOld = field;
        ss.styleNew = DWORD(value);
        SendMessage(hwnd, WM_STYLECHANGING, WPARAM(index), LPARAM(&ss));
        if (!WS().Get(hwnd))
            return 0;
        DWORD old = field;
        DWORD newStyle = ss.styleNew;
        if (index == GWL_STYLE) // visibility and state change only through their own calls
            newStyle = (newStyle & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE))
                | (old & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE));
        field = newStyle;
        if (index == GWL_EXSTYLE && ((old ^ newStyle) & WS_EX_LAYERED)) {
            // Leaving the layered state forgets the alpha.
            if (!(newStyle & WS_EX_LAYERED)) {
                w->LayeredFlags = 0;
                w->Alpha = 255;
            }
            WS().Backend().SetOpacity(hwnd, w->EffectiveAlpha());
        }
        if (index == GWL_EXSTYLE && ((old ^ newStyle) & WS_EX_TOPMOST))
            WS().KeepTopmostOnTop();
        ss.styleOld = old;
        SendMessage(hwnd, WM_STYLECHANGED, WPARAM(index), LPARAM(&ss));
        return LONG_PTR(old);
    }
    case GWLP_WNDPROC: {
        WNDPROC old = w->Proc;
        w->Proc = value ? reinterpret_cast<WNDPROC>(value) : &DefWindowProc;
        return reinterpret_cast<LONG_PTR>(old);
    }
    case GWLP_USERDATA:
        return std::exchange(w->UserData, value);
    case GWLP_ID:
        return std::exchange(w->Id, value);
    case GWLP_HWNDPARENT: {
        HWND old = w->Owner;
        HWND owner = reinterpret_cast<HWND>(value);
        w->Owner = WS().Get(owner) && owner != hwnd ? owner : nullptr;
        return reinterpret_cast<LONG_PTR>(old);
    }
    default:
        return 0;
    }
}

BOOL SetWindowText(HWND hwnd, std::string const& text)
{
    return BOOL(SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0);
}

std::string GetWindowText(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w ? w->Text : std::string();
}

int GetWindowTextLength(HWND hwnd) { return int(GetWindowText(hwnd).size()); }

void SetTaskbarTitle(HWND hwnd, std::string const& title)
{
    TWindow* w = WS().Get(hwnd);
    if (!w)
        return;
    w->TaskbarTitle = title;
    WS().Backend().SetTitle(hwnd, title.empty() ? w->Text : title);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = w->Bounds;
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = { 0, 0, std::max(0, w->Client.Width()), std::max(0, w->Client.Height()) };
    return TRUE;
}

RECT GetClientAreaInWindow(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w ? w->Client : RECT {};
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !point)
        return FALSE;
    point->X += w->Bounds.Left + w->Client.Left;
    point->Y += w->Bounds.Top + w->Client.Top;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !point)
        return FALSE;
    point->X -= w->Bounds.Left + w->Client.Left;
    point->Y -= w->Bounds.Top + w->Client.Top;
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return WS().SetPos(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return WS().SetPos(
        hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int cmdShow) { return WS().Show(hwnd, cmdShow); }

BOOL IsWindowVisible(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w && w->Visible();
}

BOOL IsIconic(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w && w->Minimized();
}

BOOL IsZoomed(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w && (w->Style & WS_MAXIMIZE);
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    std::shared_ptr<TWindow> w = WS().Find(hwnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = !w->Enabled();
    if (bool(enable) == w->Enabled())
        return wasDisabled;
    if (enable)
        w->Style &= ~WS_DISABLED;
    else {
        w->Style |= WS_DISABLED;
        // A disabled window keeps no mouse capture and no focus.
        if (WS().Capture == hwnd)
            SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        if (WS().Capture == hwnd)
            WS().SetCaptureWindow(nullptr);
        if (WS().Focus == hwnd)
            WS().ChangeFocus(nullptr);
    }
    SendMessage(hwnd, WM_ENABLE, WPARAM(enable ? TRUE : FALSE), 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w && w->Enabled();
}

BOOL BringWindowToTop(HWND hwnd)
{
    if (!WS().Get(hwnd))
        return FALSE;
    WS().BringToTop(hwnd);
    return TRUE;
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    TWindowSystem& ws = WS();
    std::vector<HWND> const& z = ws.ZOrder();
    if (cmd == GW_HWNDFIRST)
        return z.empty() ? nullptr : z.front();
    if (cmd == GW_HWNDLAST)
        return z.empty() ? nullptr : z.back();
    TWindow* w = ws.Get(hwnd);
    if (!w)
        return nullptr;
    auto it = std::find(z.begin(), z.end(), hwnd);
    switch (cmd) {
    case GW_OWNER:
        return w->Owner;
    case GW_HWNDNEXT:
        return it == z.end() || it + 1 == z.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return it == z.begin() || it == z.end() ? nullptr : *(it - 1);
    case GW_ENABLEDPOPUP:
        for (HWND h : z)
            if (TWindow* o = ws.Get(h); o && o->Owner == hwnd && o->Visible() && o->Enabled())
                return h;
        return nullptr;
    default:
        return nullptr;
    }
}

std::vector<HWND> EnumWindows() { return WS().ZOrder(); }

HWND FindWindow(std::string const& windowName)
{
    for (HWND h : WS().ZOrder())
        if (TWindow* w = WS().Get(h); w && !w->Destroying && w->Text == windowName)
            return h;
    return nullptr;
}

HWND WindowFromPoint(POINT point) { return WS().HitWindow(point, nullptr); }

int SetWindowRgn(HWND hwnd, gfx::TRegion const* region, BOOL redraw)
{
    std::shared_ptr<TWindow> w = WS().Find(hwnd);
    if (!w)
        return 0;
    if (region)
        w->Region = *region;
    else
        w->Region.reset();
    WS().Backend().SetShape(hwnd, region);
    if (redraw && w->Visible()) {
        WS().InvalidateAll(*w, true, true);
        WS().MarkDirty(*w, { 0, 0, w->Bounds.Width(), w->Bounds.Height() });
    }
    return 1;
}

int GetWindowRgn(HWND hwnd, gfx::TRegion& region)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !w->Region)
        return gfx::RGN_ERROR;
    region = *w->Region;
    return gfx::RegionKind(region);
}

BOOL SetLayeredWindowAttributes(HWND hwnd, DWORD colorKey, uint8_t alpha, DWORD flags)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !(w->ExStyle & WS_EX_LAYERED))
        return FALSE;
    w->ColorKey = colorKey;
    w->Alpha = alpha;
    w->LayeredFlags = flags;
    WS().Backend().SetOpacity(hwnd, w->EffectiveAlpha());
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, DWORD* colorKey, uint8_t* alpha, DWORD* flags)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !(w->ExStyle & WS_EX_LAYERED))
        return FALSE;
    if (colorKey)
        *colorKey = w->ColorKey;
    if (alpha)
        *alpha = w->Alpha;
    if (flags)
        *flags = w->LayeredFlags;
    return TRUE;
}

HWND GetActiveWindow() { return WS().Active; }

HWND SetActiveWindow(HWND hwnd)
{
    HWND old = WS().Active;
    TWindow* w = WS().Get(hwnd);
    if (hwnd && (!w || !w->Enabled()))
        return nullptr;
    WS().Activate(hwnd, WA_ACTIVE);
    return old;
}

HWND GetForegroundWindow() { return WS().Active; }

BOOL SetForegroundWindow(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    if (!w)
        return FALSE;
    WS().Activate(hwnd, WA_ACTIVE);
    return TRUE;
}

HWND GetFocus() { return WS().Focus; }

HWND SetFocus(HWND hwnd)
{
    HWND old = WS().Focus;
    TWindow* w = WS().Get(hwnd);
    if (hwnd && (!w || !w->Enabled()))
        return nullptr;
    WS().ChangeFocus(hwnd);
    return old;
}

HWND SetCapture(HWND hwnd) { return WS().SetCaptureWindow(hwnd); }

BOOL ReleaseCapture()
{
    WS().SetCaptureWindow(nullptr);
    return TRUE;
}

HWND GetCapture() { return WS().Capture; }

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = WS().CursorPos;
    return TRUE;
}

BOOL HasClipboard() { return Backend().HasClipboard() ? TRUE : FALSE; }

std::string GetClipboardText() { return Backend().ClipboardText(); }

BOOL SetClipboardText(std::string const& text)
{
    if (!Backend().HasClipboard())
        return FALSE;
    Backend().SetClipboardText(text);
    return TRUE;
}

int16_t GetKeyState(int virtualKey)
{
    TWindowSystem& ws = WS();
    uint32_t bit = virtualKey == VK_LBUTTON ? 1u << mbLeft
        : virtualKey == VK_RBUTTON          ? 1u << mbRight
        : virtualKey == VK_MBUTTON          ? 1u << mbMiddle
                                            : 0u;
    bool down = bit ? (ws.Buttons & bit) != 0 : virtualKey >= 0 && virtualKey < 256 && ws.Keys[virtualKey];
    return down ? int16_t(0x8000) : int16_t(0);
}

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name)
{
    int id = int(reinterpret_cast<uintptr_t>(name));
    if (instance || id > 0xFFFF)
        return nullptr; // no cursor resources of our own
    static constexpr int Standard[] = { 32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646,
        32648, 32649, 32650, 32651 };
    for (int s : Standard)
        if (s == id)
            return reinterpret_cast<HCURSOR>(uintptr_t(id));
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old = WS().Cursor;
    WS().ChangeCursor(cursor);
    return old;
}

HCURSOR GetCursor() { return WS().Cursor; }

HCURSOR CreatePictureCursor(gfx::TBitmap const& picture, POINT hotSpot, uint32_t transparentColor)
{
    if (picture.Empty())
        return nullptr;
    TWindowSystem& ws = WS();
    HCURSOR handle = reinterpret_cast<HCURSOR>(ws.NextPictureCursor++);
    ws.PictureCursors[handle] = { picture, hotSpot, transparentColor };
    return handle;
}

BOOL DestroyCursor(HCURSOR cursor)
{
    TWindowSystem& ws = WS();
    if (!ws.PictureCursors.contains(cursor))
        return FALSE;
    // The cursor on show stays until another is chosen, as the picture is the backend's copy.
    ws.PictureCursors.erase(cursor);
    return TRUE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    TWindow* w = WS().Get(hwnd);
    if (!w || !placement)
        return FALSE;
    bool zoomed = (w->Style & WS_MAXIMIZE) != 0;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = w->Minimized() && zoomed ? WPF_RESTORETOMAXIMIZED : 0;
    placement->showCmd = UINT(w->Minimized() ? SW_SHOWMINIMIZED : zoomed ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    placement->ptMinPosition = { -1, -1 };
    placement->ptMaxPosition = zoomed ? w->Bounds.TopLeft() : TPoint { -1, -1 };
    placement->rcNormalPosition = zoomed ? w->RestoreBounds : w->Bounds;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
    std::shared_ptr<TWindow> w = WS().Find(hwnd);
    if (!w || !placement)
        return FALSE;
    TRect r = placement->rcNormalPosition;
    if (w->Style & WS_MAXIMIZE)
        w->RestoreBounds = r;
    else
        WS().SetPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (WS().Get(hwnd))
        WS().Show(hwnd, int(placement->showCmd));
    return TRUE;
}

int16_t GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track)
        return FALSE;
    TRACKMOUSEEVENT& t = WS().Tracking;
    if (track->dwFlags & TME_CANCEL) {
        if (t.hwndTrack == track->hwndTrack)
            t.hwndTrack = nullptr;
        return TRUE;
    }
    if (!WS().Get(track->hwndTrack) || !(track->dwFlags & TME_LEAVE))
        return FALSE;
    t = *track;
    return TRUE;
}

UINT GetDoubleClickTime() { return 500; }

void MinimizeApplication() { WS().MinimizeApplication(); }
void RestoreApplication() { WS().RestoreApplication(); }
bool IsApplicationMinimized() { return WS().AppMinimized; }

} // namespace xe::win
