#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/windows/WinUser.h"
#include "platform/windows/WindowSystem.h"

namespace xe::win {

namespace {

// Width of the frame that a window's style asks for.
int FrameThickness(DWORD style)
{
    if (style & WS_THICKFRAME)
        return GetSystemMetrics(SM_CXFRAME);
    if (style & WS_DLGFRAME)
        return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER)
        return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

int CaptionHeight(DWORD style)
{
    return (style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0;
}

// The client area of a window rectangle for a style: frameless windows are all client.
void ApplyDefaultFrame(DWORD style, RECT& r)
{
    int b = FrameThickness(style);
    r.Left += b;
    r.Right -= b;
    r.Top += b + CaptionHeight(style);
    r.Bottom -= b;
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
}

int DefaultHitTest(TWindow const& w, TPoint screen)
{
    if (!base::PtInRect(w.Bounds, screen))
        return HTNOWHERE;
    TPoint p { screen.X - w.Bounds.Left, screen.Y - w.Bounds.Top };
    if (base::PtInRect(w.Client, p))
        return HTCLIENT;
    int b = FrameThickness(w.Style);
    int width = w.Bounds.Width();
    int height = w.Bounds.Height();
    bool left = p.X < b;
    bool right = p.X >= width - b;
    bool top = p.Y < b;
    bool bottom = p.Y >= height - b;
    if (left || right || top || bottom) {
        if (!(w.Style & WS_THICKFRAME))
            return HTBORDER;
        if (top && left)
            return HTTOPLEFT;
        if (top && right)
            return HTTOPRIGHT;
        if (bottom && left)
            return HTBOTTOMLEFT;
        if (bottom && right)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        return top ? HTTOP : HTBOTTOM;
    }
    if (p.Y < b + CaptionHeight(w.Style))
        return HTCAPTION;
    return HTBORDER;
}

} // namespace

LPCSTR SizingCursor(bool sizing, WPARAM edge)
{
    if (!sizing)
        return IDC_ARROW;
    switch (edge) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT:
        return IDC_SIZEWE;
    case WMSZ_TOP:
    case WMSZ_BOTTOM:
        return IDC_SIZENS;
    case WMSZ_TOPLEFT:
    case WMSZ_BOTTOMRIGHT:
        return IDC_SIZENWSE;
    case WMSZ_TOPRIGHT:
    case WMSZ_BOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return IDC_ARROW;
    }
}

MINMAXINFO TWindowSystem::DefaultMinMaxInfo(HWND hwnd)
{
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi);
    MINMAXINFO mmi {};
    mmi.ptMaxSize = { mi.rcWork.Width(), mi.rcWork.Height() };
    mmi.ptMaxPosition = mi.rcWork.TopLeft();
    mmi.ptMinTrackSize = { GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK) };
    mmi.ptMaxTrackSize = { GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK) };
    return mmi;
}

// The system's move and size loop. It runs inside DefWindowProc's handling of the press
// that started it and follows the mouse (full-window dragging) until the left button comes
// up, the capture is taken away, WM_CANCELMODE arrives or the window goes. Other messages
// (timers, painting, posted ones) are dispatched meanwhile.
void TWindowSystem::RunSizeMoveLoop(HWND hwnd, bool sizing, WPARAM edge)
{
    std::shared_ptr<TWindow> w = Find(hwnd);
    if (!w || FSizeMove.Active || !(Buttons & (1u << mbLeft)) || (w->Style & WS_MAXIMIZE) || w->Minimized())
        return;
    FSizeMove = TSizeMove { true, hwnd, sizing, edge, CursorPos, CursorPos, w->Bounds,
        DefaultMinMaxInfo(hwnd), w->Bounds, false };
    struct TGuard {
        TWindowSystem& Ws;
        HWND Window;
        ~TGuard()
        {
            Ws.FSizeMove.Active = false;
            if (Ws.Capture == Window)
                Ws.SetCaptureWindow(nullptr);
        }
    } guard { *this, hwnd };

    SetCaptureWindow(hwnd);
    FSizeMove.Outline = w->Bounds;
    ChangeCursor(LoadCursor(nullptr, SizingCursor(sizing, edge)));
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    if (sizing && Get(hwnd)) {
        MINMAXINFO mmi = FSizeMove.Limits;
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
        FSizeMove.Limits = mmi;
    }
    MSG msg;
    while (FSizeMove.Active && Get(hwnd)) {
        if (!Get(&msg, nullptr, 0, 0)) {
            PostQuit(int(msg.wParam));
            break;
        }
        Dispatch(&msg);
    }
    FSizeMove.Active = false;
    if (Capture == hwnd)
        SetCaptureWindow(nullptr);
    if (Get(hwnd))
        SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

void TWindowSystem::FinishSizeMove()
{
    if (!FSizeMove.Active)
        return;
    // Without full-window dragging the window stayed put while its outline moved.
    HWND hwnd = FSizeMove.Window;
    if (!FullDragWindows && FSizeMove.Moved && Get(hwnd)) {
        TRect r = FSizeMove.Outline;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (FSizeMove.Sizing ? 0u : SWP_NOSIZE);
        SetPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), flags);
    }
    EndSizeMove();
}

void TWindowSystem::EndSizeMove()
{
    if (!FSizeMove.Active)
        return;
    FSizeMove.Active = false;
    // Wakes the loop's GetMessage, which may be waiting for input that ended the loop.
    Post(MSG { nullptr, WM_NULL, 0, 0, DWORD(FBackend->Now()), CursorPos });
}

void TWindowSystem::TrackSizeMove(TPoint cursor)
{
    HWND hwnd = FSizeMove.Window;
    if (!Get(hwnd))
        return;
    if (cursor == FSizeMove.Last)
        return;
    FSizeMove.Last = cursor;
    int dx = cursor.X - FSizeMove.Start.X;
    int dy = cursor.Y - FSizeMove.Start.Y;
    RECT r = FSizeMove.StartRect;
    if (!FSizeMove.Sizing) {
        base::OffsetRect(r, dx, dy);
        // The edge of a move is WMSZ_ 0; the handler may change the rectangle in place.
        SendMessage(hwnd, WM_MOVING, 0, LPARAM(&r));
        FSizeMove.Outline = r;
        FSizeMove.Moved = true;
        if (FullDragWindows && FSizeMove.Active && Get(hwnd))
            SetPos(hwnd, nullptr, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    WPARAM e = FSizeMove.Edge;
    bool left = e == WMSZ_LEFT || e == WMSZ_TOPLEFT || e == WMSZ_BOTTOMLEFT;
    bool right = e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOMRIGHT;
    bool top = e == WMSZ_TOP || e == WMSZ_TOPLEFT || e == WMSZ_TOPRIGHT;
    bool bottom = e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT;
    if (left)
        r.Left += dx;
    if (right)
        r.Right += dx;
    if (top)
        r.Top += dy;
    if (bottom)
        r.Bottom += dy;
    const MINMAXINFO& mm = FSizeMove.Limits;
    int width
        = std::clamp(r.Width(), mm.ptMinTrackSize.X, std::max(mm.ptMinTrackSize.X, mm.ptMaxTrackSize.X));
    int height
        = std::clamp(r.Height(), mm.ptMinTrackSize.Y, std::max(mm.ptMinTrackSize.Y, mm.ptMaxTrackSize.Y));
    if (left)
        r.Left = r.Right - width;
    else
        r.Right = r.Left + width;
    if (top)
        r.Top = r.Bottom - height;
    else
        r.Bottom = r.Top + height;
    SendMessage(hwnd, WM_SIZING, e, LPARAM(&r));
    FSizeMove.Outline = r;
    FSizeMove.Moved = true;
    if (FullDragWindows && FSizeMove.Active && Get(hwnd))
        SetPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindowSystem& ws = WS();
    std::shared_ptr<TWindow> w = ws.Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;

    case WM_NCCALCSIZE:
        if (lParam) {
            // With wParam TRUE lParam is NCCALCSIZE_PARAMS, whose first member is the rectangle.
            RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(lParam);
            ApplyDefaultFrame(w->Style, *r);
        }
        return 0;

    case WM_NCHITTEST:
        return DefaultHitTest(*w, LParamToPoint(lParam));

    case WM_NCPAINT:
        ws.DefaultNcPaint(hwnd, wParam == NCPAINT_WHOLEFRAME ? nullptr : reinterpret_cast<HRGN>(wParam));
        return 0;

    case WM_NCACTIVATE:
        if (FrameThickness(w->Style) || CaptionHeight(w->Style))
            ws.DefaultNcPaint(hwnd);
        return TRUE;

    case WM_ERASEBKGND:
        ws.DefaultEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        return 1;

    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }

    case WM_SYNCPAINT:
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_ERASENOW);
        return 0;

    case WM_SETTEXT: {
        w->Text = lParam ? reinterpret_cast<char const*>(lParam) : "";
        if (w->TaskbarTitle.empty())
            ws.Backend().SetTitle(hwnd, w->Text);
        if (CaptionHeight(w->Style))
            w->NcPaint = true;
        return TRUE;
    }

    case WM_GETTEXT: {
        if (!lParam || wParam == 0)
            return 0;
        size_t n = std::min(size_t(wParam) - 1, w->Text.size());
        std::memcpy(reinterpret_cast<char*>(lParam), w->Text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return LRESULT(n);
    }

    case WM_GETTEXTLENGTH:
        return LRESULT(w->Text.size());

    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;

    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            ws.ChangeFocus(hwnd);
        return 0;

    case WM_CANCELMODE:
        if (ws.InSizeMove())
            ws.EndSizeMove();
        if (ws.Capture == hwnd)
            ws.SetCaptureWindow(nullptr);
        return 0;

    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!wp)
            return 0;
        if (!(wp->flags & SWP_NOCLIENTMOVE))
            SendMessage(
                hwnd, WM_MOVE, 0, MAKELPARAM(w->Bounds.Left + w->Client.Left, w->Bounds.Top + w->Client.Top));
        if ((!(wp->flags & SWP_NOCLIENTSIZE) || (wp->flags & SWP_STATECHANGED)) && ws.Get(hwnd))
            SendMessage(hwnd, WM_SIZE,
                w->Minimized()                 ? SIZE_MINIMIZED
                    : (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                               : SIZE_RESTORED,
                MAKELPARAM(w->Client.Width(), w->Client.Height()));
        return 0;
    }

    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;

    case WM_QUERYOPEN:
    case WM_QUERYENDSESSION:
        return TRUE;

    case WM_SETCURSOR: {
        // The sizing shapes over the borders, the arrow everywhere else.
        int hit = int(int16_t(LOWORD(uintptr_t(lParam))));
        LPCSTR shape = hit >= HTLEFT && hit <= HTBOTTOMRIGHT
            ? SizingCursor(true, WPARAM(hit - HTLEFT + WMSZ_LEFT))
            : IDC_ARROW;
        SetCursor(LoadCursor(nullptr, shape));
        return TRUE;
    }

    case WM_SYSKEYDOWN:
        if (wParam == WPARAM(VK_F4) && (lParam & KF_ALTDOWN_BIT) && !(lParam & KF_REPEAT_BIT))
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;

    case WM_SYSKEYUP:
        // Alt pressed and released alone, or F10, asks for the window's menu.
        if ((wParam == WPARAM(VK_MENU) && std::exchange(ws.KeyMenuPending, false))
            || wParam == WPARAM(VK_F10))
            SendMessage(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;

    case WM_SYSCHAR:
        // Alt with a character (Alt+Space for the system menu, Alt+letter for a mnemonic).
        if (lParam & KF_ALTDOWN_BIT)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
        return 0;

    case WM_NCLBUTTONDOWN: {
        int hit = int(wParam);
        if (hit == HTCAPTION)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | WPARAM(hit - HTLEFT + WMSZ_LEFT), lParam);
        return 0;
    }

    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            return 0;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            return 0;
        case SC_MOVE:
            ws.RunSizeMoveLoop(hwnd, false, 0);
            return 0;
        case SC_SIZE:
            ws.RunSizeMoveLoop(hwnd, true, wParam & 0xF);
            return 0;
        default:
            return 0;
        }

    default:
        return 0;
    }
}

} // namespace xe::win
