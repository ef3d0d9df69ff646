#include "platform/toolkit/Forms.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/toolkit/Dialogs.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace xe::tk {

namespace {
TScreen GScreen;
}

TScreen* Screen = &GScreen;
TApplication* Application = nullptr;

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (win::GetKeyState(win::VK_SHIFT) < 0)
        shift |= ssShift;
    if (win::GetKeyState(win::VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (win::GetKeyState(win::VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

// ---------------------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* owner)
    : TWinControl(owner)
{
    FControlStyle = csAcceptsControls;
    SetParentFont(false);
    SetParentColor(false);
    SetColor(base::clBtnFace);
    FObjectInstance
        = win::MakeObjectInstance([this](win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                      win::LPARAM lParam) { return MainWndProc(hwnd, msg, wParam, lParam); });
    UpdateBoundsRect(base::Bounds(0, 0, 320, 240));
    TControl::SetVisible(false);
    FHandle = win::CreateWindowEx(0, "", WindowStyle(), 0, 0, 320, 240, nullptr, FObjectInstance);
    if (!FHandle) {
        win::FreeObjectInstance(FObjectInstance);
        throw base::EOutOfResources("Error creating window");
    }
    SyncBounds();
    Screen->AddForm(this);
}

TForm::~TForm()
{
    Screen->RemoveForm(this);
    DestroyComponents();
    if (FHandle) {
        win::HWND h = FHandle;
        FHandle = nullptr;
        win::DestroyWindow(h);
    }
    if (FObjectInstance)
        win::FreeObjectInstance(FObjectInstance);
}

void TForm::BeforeDestruction()
{
    if (OnDestroy)
        OnDestroy(this);
    TWinControl::BeforeDestruction();
}

win::LRESULT TForm::MainWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam)
{
    if (!FHandle)
        FHandle = hwnd; // messages sent while the window is being created
    TMessage m { msg, wParam, lParam, 0 };
    WindowProc(m);
    return m.Result;
}

void TForm::DefaultHandler(TMessage& message)
{
    message.Result = FHandle ? win::DefWindowProc(FHandle, message.Msg, message.WParam, message.LParam) : 0;
}

void TForm::WndProc(TMessage& message)
{
    if (win::IsClientMouseMessage(message.Msg)) {
        if (message.Msg == win::WM_MOUSEMOVE) {
            win::TRACKMOUSEEVENT track;
            track.dwFlags = win::TME_LEAVE;
            track.hwndTrack = FHandle;
            win::TrackMouseEvent(&track);
        }
        if (!RouteMouseMessage(message))
            TWinControl::WndProc(message);
        return;
    }
    switch (message.Msg) {
    case win::WM_MOUSEWHEEL:
        if (RouteMouseWheel(message))
            return;
        break;
    case win::WM_PAINT: {
        win::PAINTSTRUCT ps;
        gfx::TCanvas* dc = win::BeginPaint(FHandle, &ps);
        if (dc) {
            try {
                PaintHandler(*dc, ps.rcPaint, ps.fErase != win::FALSE);
            } catch (...) {
                win::EndPaint(FHandle, &ps);
                throw;
            }
        }
        win::EndPaint(FHandle, &ps);
        message.Result = 0;
        return;
    }
    case win::WM_ERASEBKGND:
        // The form's colour; a component that took over the window procedure and paints
        // a background of its own answers this message instead.
        if (auto* dc = reinterpret_cast<gfx::TCanvas*>(message.WParam))
            EraseBackground(*dc, ClientRect());
        message.Result = 1;
        return;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN: {
        FDropChar = false;
        TWMKey key { message.Msg, win::WORD(message.WParam), message.LParam, 0 };
        if (!(Application && Application->KeyOffered()) && IsShortCut(key)) {
            message.Result = 0;
            return;
        }
        if (OnKeyDown) {
            win::WORD code = win::WORD(message.WParam);
            OnKeyDown(this, code, KeyboardShiftState());
            if (code == 0) {
                message.Result = 0;
                return;
            }
            message.WParam = code;
        }
        if (message.Msg == win::WM_KEYDOWN && DeliverKey(message)) {
            message.Result = 0;
            return;
        }
        if (message.Msg == win::WM_SYSKEYDOWN && DeliverDialogChar(message)) {
            message.Result = 0;
            return;
        }
        break;
    }
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP:
        if (OnKeyUp) {
            win::WORD code = win::WORD(message.WParam);
            OnKeyUp(this, code, KeyboardShiftState());
            if (code == 0) {
                message.Result = 0;
                return;
            }
            message.WParam = code;
        }
        if (message.Msg == win::WM_KEYUP && DeliverKey(message)) {
            message.Result = 0;
            return;
        }
        break;
    case win::WM_CHAR:
        if (OnKeyPress) {
            char c = char(message.WParam);
            OnKeyPress(this, c);
            if (c == 0) {
                message.Result = 0;
                return;
            }
            message.WParam = win::WPARAM(static_cast<unsigned char>(c));
        }
        if (DeliverKey(message)) {
            message.Result = 0;
            return;
        }
        break;
    case win::WM_SETCURSOR:
        // Over the client area the control under the mouse (or the form) may have a cursor.
        if (reinterpret_cast<win::HWND>(message.WParam) == FHandle
            && int16_t(win::LOWORD(uintptr_t(message.LParam))) == win::HTCLIENT) {
            win::POINT p;
            win::GetCursorPos(&p);
            TCursor cursor = CursorAt(ScreenToClient(p));
            if (cursor != crDefault) {
                win::SetCursor(CursorHandle(cursor));
                message.Result = win::TRUE;
                return;
            }
        }
        break;
    case win::WM_GETMINMAXINFO:
        DefaultHandler(message);
        if (auto* mmi = reinterpret_cast<win::MINMAXINFO*>(message.LParam)) {
            TSizeConstraints const& c = Constraints();
            if (c.MinWidth > 0)
                mmi->ptMinTrackSize.X = c.MinWidth;
            if (c.MinHeight > 0)
                mmi->ptMinTrackSize.Y = c.MinHeight;
            if (c.MaxWidth > 0)
                mmi->ptMaxTrackSize.X = c.MaxWidth;
            if (c.MaxHeight > 0)
                mmi->ptMaxTrackSize.Y = c.MaxHeight;
        }
        return;
    case win::WM_MOUSELEAVE:
        UpdateMouseControl(nullptr);
        break;
    case win::WM_CAPTURECHANGED:
        if (reinterpret_cast<win::HWND>(message.LParam) != FHandle)
            CaptureLost();
        break;
    case win::WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case win::WM_NATIVEDESTROYED:
        // No one can answer a modal form whose window is gone: it ends as cancelled.
        if (FModal) {
            FModalWindowLost = true;
            FModalResult = mrCancel;
        }
        break;
    case win::WM_ACTIVATE: {
        bool const active = win::LOWORD(message.WParam) != win::WA_INACTIVE;
        if (TControl* focused = ActiveControl())
            focused->Perform(active ? TControl::CM_ACTIVATE : TControl::CM_DEACTIVATE);
        if (!active) {
            if (OnDeactivate)
                OnDeactivate(this);
        } else if (OnActivate) {
            OnActivate(this);
        }
        break;
    }
    case win::WM_SIZE:
        // The state follows the window, except while the whole application is minimised.
        if (!win::IsApplicationMinimized())
            FWindowState = message.WParam == win::SIZE_MINIMIZED ? wsMinimized
                : message.WParam == win::SIZE_MAXIMIZED          ? wsMaximized
                                                                 : wsNormal;
        DefaultHandler(message);
        SyncBounds();
        return;
    case win::WM_MOVE:
    case win::WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        SyncBounds();
        return;
    default:
        if (IsControlBroadcast(message.Msg)) {
            Broadcast(message);
            return;
        }
        break;
    }
    DefaultHandler(message);
}

// Alt with a letter or digit (and not Ctrl) offers it to the controls, in their order on the
// form, before the window's own handling (the menu bar's Alt+letter): the first control
// whose caption marks that key takes it.
bool TForm::DeliverDialogChar(TMessage const& message)
{
    int const vk = int(message.WParam & 0xFF);
    bool const letter = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
    if (!letter || win::GetKeyState(win::VK_CONTROL) < 0 || win::GetKeyState(win::VK_MENU) >= 0)
        return false;
    std::function<bool(TWinControl const&)> offer = [&](TWinControl const& parent) {
        for (int i = 0; i < parent.ControlCount(); ++i) {
            TControl* c = parent.Controls(i);
            if (!c->Visible() || !c->Enabled())
                continue;
            if (c->DialogChar(char(vk)))
                return true;
            if (auto* w = dynamic_cast<TWinControl const*>(c); w && offer(*w))
                return true;
        }
        return false;
    };
    return offer(*this);
}

// The wheel turns what is under the mouse, as current desktops do (a list scrolls without
// being clicked first); a turn that control does not take (a button, the bare form) goes to
// the focused control, as the classic focus-only routing would send it. While a control holds
// the capture (a drag) it keeps the wheel too.
bool TForm::RouteMouseWheel(TMessage& message)
{
    TPoint const screen = win::LParamToPoint(message.LParam);
    TControl* under = CaptureControl();
    if (!under) {
        under = ControlAtPos(ScreenToClient(screen));
        // Down to the innermost control under the mouse.
        while (auto* w = dynamic_cast<TWinControl*>(under)) {
            TPoint const p = w->ScreenToClient(screen);
            TControl* inner = w->ControlAtPos(p);
            if (!inner)
                break;
            under = inner;
        }
    }
    for (TControl* target : { under, ActiveControl() }) {
        if (!target || target == this)
            continue;
        TMessage m = message;
        target->WindowProc(m);
        if (m.Result) {
            message.Result = 0;
            return true;
        }
        if (target == ActiveControl())
            break;
    }
    return false;
}

bool TForm::DeliverKey(TMessage& message)
{
    TControl* active = ActiveControl();
    bool wantsTab = active && (active->ControlStyle() & csWantTabs);
    // The character of a key that the control took, or of a Tab that moved the focus, is
    // not delivered.
    if (message.Msg == win::WM_CHAR && std::exchange(FDropChar, false))
        return true;
    if (active) {
        TMessage m = message;
        active->WindowProc(m);
        if (m.WParam == 0) {
            FDropChar = message.Msg == win::WM_KEYDOWN;
            return true;
        }
        message.WParam = m.WParam;
    }
    // Tab and Shift+Tab walk the tab order unless the focused control takes tabs itself.
    if (message.Msg == win::WM_KEYDOWN && message.WParam == win::WPARAM(win::VK_TAB) && !wantsTab) {
        TShiftState shift = KeyboardShiftState();
        if (!(shift & (ssCtrl | ssAlt))) {
            SelectNext(ActiveControl(), !(shift & ssShift), true);
            FDropChar = true;
            return true;
        }
    }
    return false;
}

void TForm::SetActiveControl(TControl* control)
{
    if (control == ActiveControl())
        return;
    if (control && (control == this || control->GetParentForm() != this || !control->CanFocus()))
        throw base::EInvalidOperation("Cannot focus a disabled or invisible window");
    if (FChangingFocus)
        return; // an OnExit or OnEnter handler moving the focus again is ignored
    FChangingFocus = true;
    try {
        TControl* old = ActiveControl();
        if (old)
            old->Perform(TControl::CM_EXIT);
        FActiveControl = control;
        if (control)
            control->Perform(TControl::CM_ENTER);
    } catch (...) {
        FChangingFocus = false;
        throw;
    }
    FChangingFocus = false;
}

TControl* TForm::FindNextControl(TControl* current, bool goForward, bool checkTabStop) const
{
    std::vector<TControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    int const n = int(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    // Without a current control the walk starts before the first (or after the last).
    int start = it == list.end() ? (goForward ? n - 1 : 0) : int(it - list.begin());
    for (int step = 1; step <= n; ++step) {
        int i = goForward ? (start + step) % n : (start - step % n + n) % n;
        TControl* c = list[size_t(i)];
        if (c->CanFocus() && (c->TabStop() || !checkTabStop))
            return c;
    }
    return nullptr;
}

void TForm::SelectNext(TControl* current, bool goForward, bool checkTabStop)
{
    if (TControl* next = FindNextControl(current, goForward, checkTabStop))
        SetActiveControl(next);
}

namespace {
std::vector<win::UINT>& ControlBroadcasts()
{
    static std::vector<win::UINT> messages;
    return messages;
}
}

void RegisterControlBroadcast(win::UINT msg)
{
    if (!IsControlBroadcast(msg))
        ControlBroadcasts().push_back(msg);
}

bool IsControlBroadcast(win::UINT msg)
{
    auto const& m = ControlBroadcasts();
    return std::find(m.begin(), m.end(), msg) != m.end();
}

void TForm::EraseBackground(gfx::TCanvas& canvas, TRect const& area)
{
    gfx::TCanvasSaver saver(canvas);
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(area);
}

void TForm::PaintWindow(gfx::TCanvas& canvas, TRect const& area)
{
    // Erase through the window procedure, as BeginPaint does, so that a component that took it
    // over (a skinned form) paints its own background instead of the form's colour.
    bool erased = false;
    {
        gfx::TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(area);
        TMessage erase { win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(&canvas), 0, 0 };
        WindowProc(erase);
        erased = erase.Result != 0;
    }
    PaintHandler(canvas, area, !erased);
}

void TForm::PaintHandler(gfx::TCanvas& canvas, TRect const& area, bool erase)
{
    if (erase)
        EraseBackground(canvas, area);
    if (OnPaint) {
        gfx::TCanvasSaver saver(canvas);
        OnPaint(this);
    }
    PaintControls(canvas, area);
}

void TForm::SyncBounds()
{
    if (!FHandle)
        return;
    win::RECT r;
    win::GetWindowRect(FHandle, &r);
    UpdateBoundsRect(r);
    AlignControls();
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    UpdateBoundsRect(base::Bounds(left, top, std::max(width, 0), std::max(height, 0)));
    if (FHandle)
        win::MoveWindow(FHandle, left, top, std::max(width, 0), std::max(height, 0), win::TRUE);
    SyncBounds();
}

void TForm::BoundsChanged(TRect const&) { }

TRect TForm::ClientRect() const
{
    win::RECT r;
    if (FHandle && win::GetClientRect(FHandle, &r))
        return r;
    return base::Rect(0, 0, Width(), Height());
}

void TForm::SetClientWidth(int value) { SetWidth(Width() - ClientWidth() + value); }

void TForm::SetClientHeight(int value) { SetHeight(Height() - ClientHeight() + value); }

TPoint TForm::ClientToScreen(TPoint point) const
{
    if (FHandle)
        win::ClientToScreen(FHandle, &point);
    return point;
}

TPoint TForm::ScreenToClient(TPoint point) const
{
    if (FHandle)
        win::ScreenToClient(FHandle, &point);
    return point;
}

void TForm::SetCaption(std::string const& value)
{
    TControl::SetCaption(value);
    if (FHandle)
        win::SetWindowText(FHandle, value);
}

win::DWORD TForm::WindowStyle() const
{
    win::DWORD style = win::WS_CLIPCHILDREN;
    switch (FBorderStyle) {
    case bsNone:
        style |= win::WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        style |= win::WS_CAPTION | win::WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        style |= win::WS_CAPTION | win::WS_THICKFRAME;
        break;
    case bsDialog:
        style |= win::WS_POPUP | win::WS_CAPTION;
        break;
    }
    if (FBorderStyle != bsNone && (FBorderIcons & biSystemMenu)) {
        style |= win::WS_SYSMENU;
        if (FBorderStyle != bsDialog && (FBorderIcons & biMinimize))
            style |= win::WS_MINIMIZEBOX;
        if (FBorderStyle != bsDialog && (FBorderIcons & biMaximize))
            style |= win::WS_MAXIMIZEBOX;
    }
    if (Visible())
        style |= win::WS_VISIBLE;
    return style;
}

void TForm::ApplyStyle()
{
    if (!FHandle)
        return;
    // The client size stays; the window grows or shrinks by the frame.
    int cw = ClientWidth();
    int ch = ClientHeight();
    win::SetWindowLongPtr(FHandle, win::GWL_STYLE, win::LONG_PTR(WindowStyle()));
    win::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
        win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE | win::SWP_FRAMECHANGED);
    SyncBounds();
    SetClientWidth(cw);
    SetClientHeight(ch);
}

void TForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    ApplyStyle();
}

void TForm::SetBorderIcons(TBorderIcons value)
{
    if (value == FBorderIcons)
        return;
    FBorderIcons = value;
    ApplyStyle();
}

void TForm::SetFormStyle(TFormStyle value)
{
    if (value == FFormStyle)
        return;
    FFormStyle = value;
    if (FHandle)
        win::SetWindowPos(FHandle, value == fsStayOnTop ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
            win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
}

TWindowState TForm::WindowState() const
{
    if (FHandle && Visible() && !win::IsApplicationMinimized()) {
        if (win::IsIconic(FHandle))
            return wsMinimized;
        if (win::IsZoomed(FHandle))
            return wsMaximized;
        return wsNormal;
    }
    return FWindowState;
}

void TForm::SetWindowState(TWindowState value)
{
    FWindowState = value;
    if (!FHandle || !Visible())
        return;
    if (value == wsNormal) {
        // A window minimised from maximised comes back maximised first.
        if (win::IsIconic(FHandle))
            win::ShowWindow(FHandle, win::SW_RESTORE);
        if (win::IsZoomed(FHandle))
            win::ShowWindow(FHandle, win::SW_RESTORE);
        return;
    }
    win::ShowWindow(FHandle, value == wsMinimized ? win::SW_MINIMIZE : win::SW_SHOWMAXIMIZED);
}

void TForm::SetMenu(TMainMenu* value) { FMenu = value; }

bool TForm::IsShortCut(TWMKey& message)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(message, handled);
    if (!handled && FMenu)
        handled = FMenu->IsShortCut(ShortCutFromKey(message.CharCode));
    return handled;
}

void TForm::PlaceOnFirstShow()
{
    if (FPlaced)
        return;
    FPlaced = true;
    TRect center;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        center = base::Rect(0, 0, Screen->Width(), Screen->Height());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TForm* main = Application ? Application->MainForm() : nullptr;
        if (main && main != this)
            center = main->BoundsRect();
        else
            center = base::Rect(0, 0, Screen->Width(), Screen->Height());
        break;
    }
    default:
        return;
    }
    SetBounds(center.Left + (center.Width() - Width()) / 2, center.Top + (center.Height() - Height()) / 2,
        Width(), Height());
}

void TForm::SetVisible(bool value)
{
    if (value == Visible())
        return;
    if (value) {
        PlaceOnFirstShow();
        DoShow();
        TControl::SetVisible(true);
        if (FHandle) {
            win::ShowWindow(FHandle,
                FWindowState == wsMinimized       ? win::SW_SHOWMINIMIZED
                    : FWindowState == wsMaximized ? win::SW_SHOWMAXIMIZED
                                                  : win::SW_SHOW);
            win::UpdateWindow(FHandle);
        }
    } else {
        TControl::SetVisible(false);
        if (FHandle)
            win::ShowWindow(FHandle, win::SW_HIDE);
        DoHide();
    }
}

void TForm::Update()
{
    if (FHandle)
        win::UpdateWindow(FHandle);
}

void TForm::Invalidate()
{
    if (FHandle)
        win::InvalidateRect(FHandle, nullptr, win::TRUE);
}

void TForm::Repaint()
{
    Invalidate();
    Update();
}

void TForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TForm::Show()
{
    SetVisible(true);
    if (FHandle)
        win::BringWindowToTop(FHandle);
}

void TForm::Hide() { SetVisible(false); }

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    bool isMain = Application && Application->MainForm() == this;
    if (action == caMinimize) {
        if (FHandle)
            win::ShowWindow(FHandle, win::SW_MINIMIZE);
    } else {
        // caFree too: forms are freed with the application, never inside a message pump.
        Hide();
    }
    if (isMain)
        Application->Terminate();
}

bool TForm::Active() const { return FHandle && win::GetActiveWindow() == FHandle; }

TModalResult TForm::ShowModal()
{
    // A form whose window the display destroyed cannot be shown again: no one could answer.
    if (FModalWindowLost)
        return mrCancel;
    if (Visible() || !Enabled() || FModal)
        throw base::EInvalidOperation("Cannot make a visible window modal");
    win::HWND previous = win::GetActiveWindow();
    std::vector<win::HWND> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* f = Screen->Forms(i);
        if (f != this && f->Handle() && win::IsWindowEnabled(f->Handle())) {
            win::EnableWindow(f->Handle(), win::FALSE);
            disabled.push_back(f->Handle());
        }
    }
    // The dialog belongs to the window that was active (else the main form) while it is
    // modal, so that the desktop keeps it above that window.
    win::HWND owner = previous;
    if ((!owner || owner == Handle()) && Application && Application->MainForm()
        && Application->MainForm() != this)
        owner = Application->MainForm()->Handle();
    if (owner == Handle())
        owner = nullptr;
    auto const oldOwner
        = win::SetWindowLongPtr(Handle(), win::GWLP_HWNDPARENT, reinterpret_cast<win::LONG_PTR>(owner));
    FModal = true;
    FModalResult = mrNone;
    auto restore = [&] {
        for (win::HWND h : disabled)
            if (win::IsWindow(h))
                win::EnableWindow(h, win::TRUE);
        FModal = false;
        Hide();
        if (Handle())
            win::SetWindowLongPtr(Handle(), win::GWLP_HWNDPARENT, oldOwner);
        if (previous && win::IsWindow(previous))
            win::SetActiveWindow(previous);
    };
    try {
        Show();
        do {
            if (Application) {
                Application->HandleMessage();
                if (Application->Terminated()) {
                    FModalResult = mrCancel;
                    break;
                }
            } else {
                win::MSG msg;
                if (!win::GetMessage(&msg, nullptr, 0, 0)) {
                    win::PostQuitMessage(int(msg.wParam));
                    FModalResult = mrCancel;
                    break;
                }
                win::TranslateMessage(&msg);
                win::DispatchMessage(&msg);
            }
            if (FModalResult != mrNone && FModalWindowLost) {
                FModalResult = mrCancel; // no close query can keep a window that is gone
                break;
            }
            if (FModalResult != mrNone) {
                // The close query and OnClose may still keep the dialog open.
                TCloseAction action = caNone;
                if (CloseQuery()) {
                    action = caHide;
                    DoClose(action);
                }
                if (action == caNone)
                    FModalResult = mrNone;
            }
        } while (FModalResult == mrNone);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return FModalResult;
}

void TForm::DefineProperties(TProperties& p)
{
    TComponent::DefineProperties(p);
    p.Integer(
        "Left", [this] { return Left(); }, [this](int64_t v) { SetLeft(int(v)); });
    p.Integer(
        "Top", [this] { return Top(); }, [this](int64_t v) { SetTop(int(v)); });
    p.Enum(
        "BorderStyle", { "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin" },
        [this] { return int64_t(FBorderStyle); }, [this](int64_t v) { SetBorderStyle(TFormBorderStyle(v)); },
        bsSizeable);
    p.Set(
        "BorderIcons", { "biSystemMenu", "biMinimize", "biMaximize", "biHelp" },
        [this] { return int64_t(FBorderIcons); }, [this](int64_t v) { SetBorderIcons(TBorderIcons(v)); },
        biSystemMenu | biMinimize | biMaximize);
    DefineCaptionProperty(p);
    // A stored active control that cannot take the focus when the form is read is dropped.
    p.Reference(
        "ActiveControl", [this] { return static_cast<TComponent*>(ActiveControl()); },
        [this](TComponent* c) {
            auto* control = dynamic_cast<TControl*>(c);
            if (!control || control->CanFocus())
                SetActiveControl(control);
        });
    p.Binary(
        "Icon",
        [this] {
            return TBinaryData { FIcon.Data(), {} };
        },
        [this](TBinaryData const& v) { FIcon.LoadFromData(v.Bytes); });
    p.Integer(
        "ClientWidth", [this] { return ClientWidth(); }, [this](int64_t v) { SetClientWidth(int(v)); }, -1);
    p.Integer(
        "ClientHeight", [this] { return ClientHeight(); }, [this](int64_t v) { SetClientHeight(int(v)); },
        -1);
    p.Color(
        "Color", [this] { return int64_t(Color()); }, [this](int64_t v) { SetColor(TColor(v)); },
        int64_t(base::clBtnFace));
    DefineFontProperties(p);
    p.Enum(
        "Position",
        { "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
            "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter" },
        [this] { return int64_t(FPosition); }, [this](int64_t v) { SetPosition(TPosition(v)); }, poDesigned);
    p.Enum(
        "FormStyle", { "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop" },
        [this] { return int64_t(FFormStyle); }, [this](int64_t v) { SetFormStyle(TFormStyle(v)); }, fsNormal);
    p.Enum(
        "WindowState", { "wsNormal", "wsMinimized", "wsMaximized" }, [this] { return int64_t(FWindowState); },
        [this](int64_t v) { SetWindowState(TWindowState(v)); }, wsNormal);
    p.Boolean(
        "AutoScroll", [this] { return FAutoScroll; }, [this](bool v) { SetAutoScroll(v); }, true);
    p.Boolean(
        "AutoSize", [this] { return FAutoSize; }, [this](bool v) { SetAutoSize(v); }, false);
    p.Boolean(
        "KeyPreview", [this] { return FKeyPreview; }, [this](bool v) { SetKeyPreview(v); }, false);
    p.Reference(
        "Menu", [this]() -> TComponent* { return FMenu; },
        [this](TComponent* c) { SetMenu(dynamic_cast<TMainMenu*>(c)); });
    DefineLayoutProperties(p);
}

// ---------------------------------------------------------------------------------------
// TScreen

TForm* TScreen::ActiveCustomForm() const
{
    win::HWND active = win::GetActiveWindow();
    if (!active)
        return nullptr;
    for (TForm* f : FForms)
        if (f->Handle() == active)
            return f;
    return nullptr;
}

int TScreen::Width() const { return win::GetSystemMetrics(win::SM_CXSCREEN); }

int TScreen::Height() const { return win::GetSystemMetrics(win::SM_CYSCREEN); }

void TScreen::AddForm(TForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TForm* form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}

// ---------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication()
    : TComponent(nullptr)
{
    Application = this;
}

TApplication::~TApplication()
{
    // Forms go in reverse order of creation, while the application still exists for them.
    DestroyComponents();
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    win::Backend();
    FErrorBox = win::Backend().UserPresent();
}

void TApplication::SetTitle(std::string const& value)
{
    FTitle = value;
    if (FMainForm && FMainForm->Handle())
        win::SetTaskbarTitle(FMainForm->Handle(), value);
}

void TApplication::FormCreated(TForm* form)
{
    if (!FMainForm) {
        FMainForm = form;
        if (!FTitle.empty() && form->Handle())
            win::SetTaskbarTitle(form->Handle(), FTitle);
    }
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FMainForm)
        FMainForm = nullptr;
    TComponent::Notification(component, operation);
}

bool TApplication::ProcessMessage(win::MSG& msg)
{
    if (msg.message == win::WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool key = msg.message == win::WM_KEYDOWN || msg.message == win::WM_SYSKEYDOWN;
    if (key)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (TForm* form = Screen->Forms(i); form->Handle() == msg.hwnd) {
                TWMKey k { msg.message, win::WORD(msg.wParam), msg.lParam, 0 };
                if (form->IsShortCut(k))
                    return true;
                break;
            }
    win::TranslateMessage(&msg);
    bool saved = std::exchange(FKeyOffered, key);
    try {
        win::DispatchMessage(&msg);
    } catch (...) {
        FKeyOffered = saved;
        throw;
    }
    FKeyOffered = saved;
    return true;
}

void TApplication::ProcessMessages()
{
    win::MSG msg;
    while (!FTerminated && win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE))
        ProcessMessage(msg);
}

void TApplication::HandleMessage()
{
    win::MSG msg;
    if (!win::GetMessage(&msg, nullptr, 0, 0)) {
        FTerminated = true;
        return;
    }
    ProcessMessage(msg);
}

void TApplication::Run()
{
    if (FMainForm && !FMainForm->Visible() && !FTerminated)
        FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    if (!FTerminated)
        win::PostQuitMessage(0);
}

void TApplication::Minimize() { win::MinimizeApplication(); }

void TApplication::Restore() { win::RestoreApplication(); }

int TApplication::HandleException(std::exception const& error)
{
    std::string message = error.what();
    // Messages are ANSI text inside the system; the terminal takes UTF-8.
    if (dynamic_cast<base::Exception const*>(&error))
        message = base::AnsiToUtf8(message);
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    if (FErrorBox) {
        // A user who started the tool from a desktop sees no terminal: the window must say
        // why it goes. The loop may have ended already; the box runs its own.
        FTerminated = false;
        try {
            ShowMessageBox(dynamic_cast<base::Exception const*>(&error) ? std::string(error.what())
                                                                        : base::Utf8ToAnsi(error.what()));
        } catch (std::exception const& boxError) {
            std::fprintf(stderr, "%s\n", boxError.what());
        }
    }
    return 1;
}

int TApplication::Execute(std::function<void()> const& body)
{
    try {
        body();
    } catch (std::exception const& e) {
        return HandleException(e);
    }
    return 0;
}

} // namespace xe::tk
