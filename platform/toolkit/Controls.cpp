#include "platform/toolkit/Controls.h"

#include "platform/base/Exceptions.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"

#include <algorithm>
#include <map>

namespace xe::tk {

TShiftState ShiftStateFromKeys(win::WPARAM keys)
{
    TShiftState s = 0;
    if (keys & win::MK_SHIFT)
        s |= ssShift;
    if (keys & win::MK_CONTROL)
        s |= ssCtrl;
    if (keys & win::MK_LBUTTON)
        s |= ssLeft;
    if (keys & win::MK_RBUTTON)
        s |= ssRight;
    if (keys & win::MK_MBUTTON)
        s |= ssMiddle;
    return s;
}

namespace {
std::map<TCursor, win::HCURSOR>& CustomCursors()
{
    static std::map<TCursor, win::HCURSOR> cursors;
    return cursors;
}
}

win::HCURSOR CursorHandle(TCursor cursor)
{
    win::LPCSTR shape = win::IDC_ARROW;
    switch (cursor) {
    case crNone:
        return nullptr;
    case crCross:
        shape = win::IDC_CROSS;
        break;
    case crIBeam:
        shape = win::IDC_IBEAM;
        break;
    case crSizeNESW:
        shape = win::IDC_SIZENESW;
        break;
    case crSizeNS:
        shape = win::IDC_SIZENS;
        break;
    case crSizeNWSE:
        shape = win::IDC_SIZENWSE;
        break;
    case crSizeWE:
        shape = win::IDC_SIZEWE;
        break;
    case crUpArrow:
        shape = win::IDC_UPARROW;
        break;
    case crHourGlass:
        shape = win::IDC_WAIT;
        break;
    case crNo:
        shape = win::IDC_NO;
        break;
    case crAppStart:
        shape = win::IDC_APPSTARTING;
        break;
    case crHelp:
        shape = win::IDC_HELP;
        break;
    case crHandPoint:
        shape = win::IDC_HAND;
        break;
    case crSizeAll:
        shape = win::IDC_SIZEALL;
        break;
    default:
        if (cursor > 0) {
            auto it = CustomCursors().find(cursor);
            if (it != CustomCursors().end())
                return it->second;
        }
        break;
    }
    return win::LoadCursor(nullptr, shape);
}

void SetCustomCursor(TCursor cursor, win::HCURSOR handle)
{
    if (cursor <= 0)
        return;
    if (handle)
        CustomCursors()[cursor] = handle;
    else
        CustomCursors().erase(cursor);
}

// ---------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner)
    : TComponent(owner)
{
    WindowProc = [this](TMessage& message) { WndProc(message); };
    FFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    // A control deleted while focused leaves without OnExit: it is no longer whole.
    if (TForm* form = GetParentForm(); form && form != this && form->FActiveControl.Get() == this)
        form->FActiveControl = nullptr;
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetCursor(TCursor value)
{
    if (value == FCursor)
        return;
    FCursor = value;
    // The shape changes at once when the mouse is over the control's window.
    TWinControl* host = dynamic_cast<TWinControl*>(this);
    if (!host || !host->WindowHandle())
        host = FParent;
    win::HWND h = host ? host->WindowHandle() : nullptr;
    win::POINT p;
    if (h && win::GetCursorPos(&p) && win::WindowFromPoint(p) == h && !win::GetCapture())
        win::SendMessage(
            h, win::WM_SETCURSOR, win::WPARAM(h), win::MAKELPARAM(win::HTCLIENT, int(win::WM_MOUSEMOVE)));
}

bool TControl::ShowHint() const
{
    if (FParentShowHint && FParent)
        return FParent->ShowHint();
    return FShowHint;
}

void TControl::SetShowHint(bool value)
{
    FShowHint = value;
    FParentShowHint = false;
}

TPopupMenu* TControl::PopupMenu() const { return FPopupMenu; }

void TControl::SetPopupMenu(TPopupMenu* value) { FPopupMenu = value; }

void TControl::SetAlign(TAlign value)
{
    if (value == FAlign)
        return;
    FAlign = value;
    if (FParent)
        FParent->AlignControls(true);
}

void TControl::SetAnchors(TAnchors value) { FAnchors = value; }

int TControl::ConstrainWidth(int width) const
{
    if (FConstraints.MaxWidth > 0)
        width = std::min(width, FConstraints.MaxWidth);
    return std::max(width, FConstraints.MinWidth);
}

int TControl::ConstrainHeight(int height) const
{
    if (FConstraints.MaxHeight > 0)
        height = std::min(height, FConstraints.MaxHeight);
    return std::max(height, FConstraints.MinHeight);
}

void TControl::SetConstraints(TSizeConstraints const& value)
{
    if (value == FConstraints)
        return;
    FConstraints = value;
    int w = ConstrainWidth(FWidth);
    int h = ConstrainHeight(FHeight);
    if (w != FWidth || h != FHeight)
        SetBounds(FLeft, FTop, w, h);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (parent == this)
        throw base::EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        if (FParentFont)
            ParentFontChanged();
        if (FParentColor)
            ParentColorChanged();
        Invalidate();
    }
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* w = dynamic_cast<TWinControl*>(parent))
        SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

TForm* TControl::GetParentForm() const
{
    TControl const* c = this;
    while (c->FParent)
        c = c->FParent;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = ConstrainWidth(width);
    height = ConstrainHeight(height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    TRect old = BoundsRect();
    Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    Invalidate();
    BoundsChanged(old);
}

void TControl::BoundsChanged(TRect const&) { }

void TControl::UpdateBoundsRect(TRect const& r)
{
    FLeft = r.Left;
    FTop = r.Top;
    FWidth = r.Width();
    FHeight = r.Height();
}

TPoint TControl::ClientToScreen(TPoint point) const
{
    TPoint p { point.X + FLeft, point.Y + FTop };
    return FParent ? FParent->ClientToScreen(p) : p;
}

TPoint TControl::ScreenToClient(TPoint point) const
{
    TPoint p = FParent ? FParent->ScreenToClient(point) : point;
    return { p.X - FLeft, p.Y - FTop };
}

void TControl::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    if (!value)
        Invalidate();
    FVisible = value;
    if (value)
        Invalidate();
    VisibleChanged();
}

void TControl::VisibleChanged()
{
    if (!FVisible)
        RemoveFocus();
    if (!FVisible && FParent) {
        if (FParent->MouseControl() == this)
            FParent->UpdateMouseControl(nullptr);
        if (FParent->CaptureControl() == this)
            FParent->SetCaptureControl(nullptr);
    }
}

bool TControl::Showing() const { return FVisible && (!FParent || FParent->Showing()); }

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    if (!value)
        RemoveFocus();
    EnabledChanged();
}

// ---------------------------------------------------------------------------------------
// Focus and keys

int TControl::TabOrder() const
{
    if (!FParent)
        return -1;
    auto const& list = FParent->FTabList;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TControl::SetTabOrder(int value)
{
    if (!FParent)
        return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    value = std::clamp(value, 0, int(list.size()));
    list.insert(list.begin() + value, this);
}

bool TControl::CanFocus() const
{
    if (!(FControlStyle & csFocusable) || !GetParentForm())
        return false;
    for (TControl const* c = this; c && !dynamic_cast<TForm const*>(c); c = c->FParent)
        if (!c->FVisible || !c->FEnabled)
            return false;
    return true;
}

bool TControl::Focused() const
{
    TForm* form = GetParentForm();
    return form && form != this && form->ActiveControl() == this;
}

void TControl::SetFocus()
{
    if (TForm* form = GetParentForm(); form && form != this)
        form->SetActiveControl(this);
    else
        throw base::EInvalidOperation("Cannot focus a disabled or invisible window");
}

void TControl::RemoveFocus()
{
    TForm* form = GetParentForm();
    if (!form || form == this || !form->ActiveControl())
        return;
    TControl* active = form->ActiveControl();
    auto const* self = dynamic_cast<TWinControl const*>(this);
    if (active == this || (self && self->ContainsControl(active)))
        form->SetActiveControl(nullptr);
}

void TControl::KeyDown(win::WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TControl::KeyUp(win::WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TControl::HandleKeyMessage(TMessage& message)
{
    if (message.Msg == win::WM_CHAR) {
        char c = char(message.WParam);
        KeyPress(c);
        message.WParam = win::WPARAM(static_cast<unsigned char>(c));
        return;
    }
    win::WORD key = win::WORD(message.WParam);
    if (message.Msg == win::WM_KEYDOWN)
        KeyDown(key, KeyboardShiftState());
    else
        KeyUp(key, KeyboardShiftState());
    message.WParam = key;
}

void TControl::SetCaption(std::string const& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    TextChanged();
}

void TControl::SetParentFont(bool value)
{
    FParentFont = value;
    if (value && FParent)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || !FParent)
        return;
    FSettingParentFont = true;
    FFont.Assign(FParent->Font());
    FSettingParentFont = false;
    FParentFont = true;
}

void TControl::FontChanged()
{
    if (!FSettingParentFont)
        FParentFont = false;
    Invalidate();
}

void TControl::SetColor(TColor value)
{
    if (value == FColor && !FParentColor)
        return;
    FColor = value;
    FParentColor = false;
    Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(this))
        w->ColorChangedNotify();
}

void TControl::SetParentColor(bool value)
{
    FParentColor = value;
    if (value && FParent)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!FParentColor || !FParent)
        return;
    FColor = FParent->Color();
    Invalidate();
}

bool TControl::MouseCapture() const { return FParent && FParent->CaptureControl() == this; }

void TControl::SetMouseCapture(bool value)
{
    if (!FParent)
        return;
    if (value)
        FParent->SetCaptureControl(this);
    else if (FParent->CaptureControl() == this)
        FParent->SetCaptureControl(nullptr);
}

void TControl::Invalidate()
{
    if (!FParent || !FVisible)
        return;
    win::HWND h = FParent->WindowHandle();
    if (!h)
        return;
    // The background under the control is erased too: a control that moves or hides
    // uncovers it, and an opaque one paints over it anyway.
    TRect r = BoundsRect();
    win::InvalidateRect(h, &r, win::TRUE);
}

void TControl::Repaint()
{
    if (!FParent || !Showing())
        return;
    win::HWND h = FParent->WindowHandle();
    if (!h)
        return;
    if (FControlStyle & csOpaque) {
        gfx::TCanvas* dc = win::GetDC(h);
        if (!dc)
            return;
        try {
            FParent->PaintControls(*dc, BoundsRect(), this);
        } catch (...) {
            win::ReleaseDC(h, dc);
            throw;
        }
        win::ReleaseDC(h, dc);
    } else {
        TRect r = BoundsRect();
        win::InvalidateRect(h, &r, win::TRUE);
        win::UpdateWindow(h);
    }
}

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::BringToFront()
{
    if (FParent)
        FParent->SetChildOrder(this, FParent->ControlCount() - 1);
}

void TControl::SendToBack()
{
    if (FParent)
        FParent->SetChildOrder(this, 0);
}

void TControl::Perform(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam)
{
    TMessage m { msg, wParam, lParam, 0 };
    WindowProc(m);
}

void TControl::WndProc(TMessage& message)
{
    if (win::IsClientMouseMessage(message.Msg)) {
        HandleMouseMessage(message);
        return;
    }
    switch (message.Msg) {
    case win::WM_MOUSEWHEEL:
        // Result 1: taken (the toolkit's own convention; the form reads it to fall back).
        message.Result
            = DoMouseWheel(ShiftStateFromKeys(win::LOWORD(uintptr_t(message.WParam))),
                  int(int16_t(win::HIWORD(uintptr_t(message.WParam)))), win::LParamToPoint(message.LParam))
            ? 1
            : 0;
        break;
    case CM_MOUSEENTER:
        MouseEnter();
        break;
    case CM_MOUSELEAVE:
        MouseLeave();
        break;
    case win::WM_KEYDOWN:
    case win::WM_KEYUP:
    case win::WM_CHAR:
        HandleKeyMessage(message);
        break;
    case CM_ENTER:
        DoEnter();
        break;
    case CM_EXIT:
        DoExit();
        break;
    default:
        break;
    }
}

void TControl::HandleMouseMessage(TMessage& message)
{
    int x = win::GET_X_LPARAM(message.LParam);
    int y = win::GET_Y_LPARAM(message.LParam);
    TShiftState shift = ShiftStateFromKeys(message.WParam);
    switch (message.Msg) {
    case win::WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK: {
        bool dbl = message.Msg == win::WM_LBUTTONDBLCLK;
        // A press focuses a control that takes the focus, before it sees the press.
        if (CanFocus())
            SetFocus();
        if (FControlStyle & csCaptureMouse)
            SetMouseCapture(true);
        if (FControlStyle & csClickEvents) {
            if (dbl)
                DblClick();
            else
                FClicked = true;
        }
        MouseDown(mbLeft, shift | (dbl ? ssDouble : 0), x, y);
        break;
    }
    case win::WM_LBUTTONUP:
        // The capture goes first, then the click (press and release both on the control),
        // then the release notification.
        if (FControlStyle & csCaptureMouse)
            SetMouseCapture(false);
        if (FClicked) {
            FClicked = false;
            if (base::PtInRect(ClientRect(), TPoint { x, y }))
                Click();
        }
        MouseUp(mbLeft, shift, x, y);
        break;
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONDBLCLK:
        MouseDown(mbRight, shift | (message.Msg == win::WM_RBUTTONDBLCLK ? ssDouble : 0), x, y);
        break;
    case win::WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        // A right click opens the control's popup menu at the mouse.
        if (FPopupMenu) {
            TPoint screen = ClientToScreen({ x, y });
            FPopupMenu->PopupComponent = this;
            FPopupMenu->Popup(screen.X, screen.Y);
        }
        break;
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONDBLCLK:
        MouseDown(mbMiddle, shift | (message.Msg == win::WM_MBUTTONDBLCLK ? ssDouble : 0), x, y);
        break;
    case win::WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    default:
        break;
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState, int, TPoint) { return false; }

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::PrepareFont(gfx::TCanvas& canvas) const { canvas.Font.Assign(FFont); }

namespace {
const std::vector<std::string> FontStyleNames = { "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut" };
}

void TControl::DefineProperties(TProperties& p)
{
    TComponent::DefineProperties(p);
    p.Integer(
        "Left", [this] { return FLeft; }, [this](int64_t v) { SetLeft(int(v)); });
    p.Integer(
        "Top", [this] { return FTop; }, [this](int64_t v) { SetTop(int(v)); });
    p.Integer(
        "Width", [this] { return FWidth; }, [this](int64_t v) { SetWidth(int(v)); }, -1);
    p.Integer(
        "Height", [this] { return FHeight; }, [this](int64_t v) { SetHeight(int(v)); }, -1);
    p.Boolean(
        "Visible", [this] { return FVisible; }, [this](bool v) { SetVisible(v); }, true);
    p.Boolean(
        "Enabled", [this] { return FEnabled; }, [this](bool v) { SetEnabled(v); }, true);
    DefineCaptionProperty(p);
    DefineColorProperties(p);
    DefineFontProperties(p);
    DefineLayoutProperties(p);
}

void TControl::DefineLayoutProperties(TProperties& p)
{
    p.Enum(
        "Align", { "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom" },
        [this] { return int64_t(FAlign); }, [this](int64_t v) { SetAlign(TAlign(v)); }, alNone);
    p.Set(
        "Anchors", { "akLeft", "akTop", "akRight", "akBottom" }, [this] { return int64_t(FAnchors); },
        [this](int64_t v) { SetAnchors(TAnchors(v)); }, akLeft | akTop);
    auto constraint = [&](char const* name, int TSizeConstraints::*field) {
        p.Integer(
            name, [this, field] { return int64_t(FConstraints.*field); },
            [this, field](int64_t v) {
                TSizeConstraints c = FConstraints;
                c.*field = int(std::max<int64_t>(0, v));
                SetConstraints(c);
            },
            0);
    };
    constraint("Constraints.MaxHeight", &TSizeConstraints::MaxHeight);
    constraint("Constraints.MaxWidth", &TSizeConstraints::MaxWidth);
    constraint("Constraints.MinHeight", &TSizeConstraints::MinHeight);
    constraint("Constraints.MinWidth", &TSizeConstraints::MinWidth);
    p.Integer(
        "Cursor", [this] { return int64_t(FCursor); }, [this](int64_t v) { SetCursor(TCursor(v)); },
        crDefault);
    p.String(
        "Hint", [this] { return FHint; }, [this](std::string const& v) { SetHint(v); });
    p.Boolean(
        "ParentShowHint", [this] { return FParentShowHint; }, [this](bool v) { SetParentShowHint(v); }, true);
    p.Reference(
        "PopupMenu", [this]() -> TComponent* { return FPopupMenu; },
        [this](TComponent* c) { SetPopupMenu(dynamic_cast<TPopupMenu*>(c)); });
    p.Boolean(
        "ShowHint", [this] { return FShowHint; },
        [this](bool v) {
            FShowHint = v;
            if (v)
                FParentShowHint = false;
        },
        false, [this] { return !FParentShowHint; });
}

void TControl::DefineTabProperties(TProperties& p, bool tabStopDefault)
{
    p.Integer(
        "TabOrder", [this] { return TabOrder(); }, [this](int64_t v) { SetTabOrder(int(v)); }, -1);
    p.Boolean(
        "TabStop", [this] { return FTabStop; }, [this](bool v) { FTabStop = v; }, tabStopDefault);
}

void TControl::DefineCaptionProperty(TProperties& p)
{
    p.String(
        "Caption", [this] { return FCaption; }, [this](std::string const& v) { SetCaption(v); });
}

void TControl::DefineColorProperties(TProperties& p)
{
    p.Color(
        "Color", [this] { return int64_t(FColor); }, [this](int64_t v) { SetColor(TColor(v)); },
        int64_t(base::clWindow), [this] { return !FParentColor; });
    p.Boolean(
        "ParentColor", [this] { return FParentColor; }, [this](bool v) { SetParentColor(v); }, true);
}

void TControl::DefineFontProperties(TProperties& p)
{
    auto own = [this] { return !FParentFont; };
    gfx::TFont def;
    p.Integer(
        "Font.Charset", [this] { return FFont.Charset(); }, [this](int64_t v) { FFont.SetCharset(int(v)); },
        def.Charset(), own);
    p.Color(
        "Font.Color", [this] { return int64_t(FFont.Color()); },
        [this](int64_t v) { FFont.SetColor(TColor(v)); }, int64_t(def.Color()), own);
    p.Integer(
        "Font.Height", [this] { return FFont.Height(); }, [this](int64_t v) { FFont.SetHeight(int(v)); },
        def.Height(), own);
    p.String(
        "Font.Name", [this] { return FFont.Name(); }, [this](std::string const& v) { FFont.SetName(v); },
        def.Name(), own);
    p.Set(
        "Font.Style", FontStyleNames, [this] { return int64_t(FFont.Style()); },
        [this](int64_t v) { FFont.SetStyle(gfx::TFontStyles(v)); }, int64_t(def.Style()), own);
    p.Boolean(
        "ParentFont", [this] { return FParentFont; }, [this](bool v) { SetParentFont(v); }, true);
}

void DefineFontProperties(TProperties& p, std::string const& prefix, gfx::TFont& font, gfx::TFont const& def,
    std::function<void()> changed)
{
    auto done = [changed] {
        if (changed)
            changed();
    };
    p.Integer(
        prefix + ".Charset", [&font] { return font.Charset(); },
        [&font, done](int64_t v) {
            font.SetCharset(int(v));
            done();
        },
        def.Charset());
    p.Color(
        prefix + ".Color", [&font] { return int64_t(font.Color()); },
        [&font, done](int64_t v) {
            font.SetColor(TColor(v));
            done();
        },
        int64_t(def.Color()));
    p.Integer(
        prefix + ".Height", [&font] { return font.Height(); },
        [&font, done](int64_t v) {
            font.SetHeight(int(v));
            done();
        },
        def.Height());
    p.String(
        prefix + ".Name", [&font] { return font.Name(); },
        [&font, done](std::string const& v) {
            font.SetName(v);
            done();
        },
        def.Name());
    p.Set(
        prefix + ".Style", FontStyleNames, [&font] { return int64_t(font.Style()); },
        [&font, done](int64_t v) {
            font.SetStyle(gfx::TFontStyles(v));
            done();
        },
        int64_t(def.Style()));
}

// ---------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner)
{
}

bool TGraphicControl::SetOpaque(bool value)
{
    TControlStyle const style = value ? FControlStyle | csOpaque : FControlStyle & ~csOpaque;
    if (style == FControlStyle)
        return false;
    FControlStyle = style;
    return true;
}

gfx::TCanvas& TGraphicControl::Canvas() const
{
    if (!FCanvas)
        throw base::EInvalidOperation(std::string(ClassName()) + ": the canvas exists only while painting");
    return *FCanvas;
}

void TGraphicControl::PaintTo(gfx::TCanvas& canvas)
{
    gfx::TCanvas* saved = FCanvas;
    FCanvas = &canvas;
    try {
        Paint();
    } catch (...) {
        FCanvas = saved;
        throw;
    }
    FCanvas = saved;
}

// ---------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner)
{
    FControlStyle = csAcceptsControls;
}

TWinControl::~TWinControl()
{
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
}

void TWinControl::InsertControl(TControl* control)
{
    if (std::find(FControls.begin(), FControls.end(), control) != FControls.end())
        return;
    FControls.push_back(control);
    FTabList.push_back(control);
    control->FParent = this;
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    control->Invalidate();
    control->RemoveFocus();
    if (FCaptureControl == control)
        SetCaptureControl(nullptr);
    if (FMouseControl == control)
        FMouseControl = nullptr;
    FControls.erase(std::find(FControls.begin(), FControls.end(), control));
    FTabList.erase(std::find(FTabList.begin(), FTabList.end(), control));
    control->FParent = nullptr;
}

void TWinControl::GetTabOrderList(std::vector<TControl*>& list) const
{
    for (TControl* c : FTabList) {
        list.push_back(c);
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->GetTabOrderList(list);
    }
}

bool TWinControl::ContainsControl(TControl const* control) const
{
    for (; control; control = control->Parent())
        if (control == this)
            return true;
    return false;
}

void TWinControl::Broadcast(TMessage& message)
{
    // A handler may add or remove controls; the list is the one taken before sending.
    std::vector<TControl*> controls = FControls;
    for (TControl* c : controls) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end())
            continue;
        TMessage m = message;
        c->WindowProc(m);
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->Broadcast(message);
    }
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->Visible() && (c->Enabled() || allowDisabled) && base::PtInRect(c->BoundsRect(), point))
            return c;
    }
    return nullptr;
}

void TWinControl::SetChildOrder(TControl* control, int order)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    FControls.erase(it);
    order = std::clamp(order, 0, int(FControls.size()));
    FControls.insert(FControls.begin() + order, control);
    control->Invalidate();
}

void TWinControl::PaintControls(gfx::TCanvas& canvas, TRect const& clip, TControl* from)
{
    bool started = from == nullptr;
    // A copy: painting code must not change the list, but be safe if it does.
    std::vector<TControl*> controls = FControls;
    for (TControl* c : controls) {
        if (c == from)
            started = true;
        if (!started || !c->Visible() || dynamic_cast<TWinControl*>(c))
            continue;
        TRect area;
        if (!base::IntersectRect(area, clip, c->BoundsRect()))
            continue;
        gfx::TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(area);
        canvas.OffsetViewportOrg(c->Left(), c->Top());
        c->PaintTo(canvas);
    }
}

void TWinControl::SetCaptureControl(TControl* control)
{
    FCaptureControl = control;
    win::HWND h = WindowHandle();
    if (!h)
        return;
    if (control)
        win::SetCapture(h);
    else if (win::GetCapture() == h)
        win::ReleaseCapture();
}

void TWinControl::CaptureLost() { FCaptureControl = nullptr; }

void TWinControl::UpdateMouseControl(TControl* control)
{
    if (control == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = control;
    if (old)
        old->Perform(CM_MOUSELEAVE);
    if (control && FMouseControl == control)
        control->Perform(CM_MOUSEENTER);
}

bool TWinControl::RouteMouseMessage(TMessage& message)
{
    TPoint pt { win::GET_X_LPARAM(message.LParam), win::GET_Y_LPARAM(message.LParam) };
    if (message.Msg == win::WM_MOUSEMOVE)
        UpdateMouseControl(ControlAtPos(pt, true));
    TControl* target = FCaptureControl ? FCaptureControl : ControlAtPos(pt);
    if (!target || target == this)
        return false;
    TMessage m = message;
    m.LParam = win::MAKELPARAM(pt.X - target->Left(), pt.Y - target->Top());
    target->WindowProc(m);
    message.Result = m.Result;
    return true;
}

void TWinControl::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove) {
        if (component == FCaptureControl)
            FCaptureControl = nullptr;
        if (component == FMouseControl)
            FMouseControl = nullptr;
    }
    TControl::Notification(component, operation);
}

void TWinControl::AlignControls(bool force)
{
    if (FAligning)
        return;
    TRect client = ClientRect();
    base::TSize size { client.Width(), client.Height() };
    base::TSize old = FAlignedClient;
    if (size == old && !force)
        return;
    FAlignedClient = size;
    // While a stored layout is read, sizes arrive one by one: only the last one counts.
    if (IsLoading())
        return;
    FAligning = true;
    struct TGuard {
        bool& Flag;
        ~TGuard() { Flag = false; }
    } guard { FAligning };
    std::vector<TControl*> controls = FControls;

    // Anchored controls keep their distances to the anchored edges.
    int dw = old.cx < 0 ? 0 : size.cx - old.cx;
    int dh = old.cy < 0 ? 0 : size.cy - old.cy;
    if (dw || dh)
        for (TControl* c : controls) {
            if (c->FAlign != alNone)
                continue;
            TRect r = c->BoundsRect();
            TAnchors a = c->FAnchors;
            if ((a & akLeft) && (a & akRight))
                r.Right += dw;
            else if (a & akRight)
                base::OffsetRect(r, dw, 0);
            else if (!(a & akLeft))
                base::OffsetRect(r, dw / 2, 0);
            if ((a & akTop) && (a & akBottom))
                r.Bottom += dh;
            else if (a & akBottom)
                base::OffsetRect(r, 0, dh);
            else if (!(a & akTop))
                base::OffsetRect(r, 0, dh / 2);
            if (!base::EqualRect(r, c->BoundsRect()))
                c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        }

    // Aligned controls fill the client area from its edges inward: top, bottom, left, right,
    // then the client control takes what is left.
    TRect area = client;
    for (TAlign kind : { alTop, alBottom, alLeft, alRight, alClient })
        for (TControl* c : controls) {
            if (c->FAlign != kind || !c->Visible())
                continue;
            int w = c->Width();
            int h = c->Height();
            switch (kind) {
            case alTop:
                c->SetBounds(area.Left, area.Top, area.Width(), h);
                area.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(area.Left, area.Bottom - h, area.Width(), h);
                area.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(area.Left, area.Top, w, area.Height());
                area.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(area.Right - w, area.Top, w, area.Height());
                area.Right -= c->Width();
                break;
            default:
                c->SetBounds(area.Left, area.Top, std::max(0, area.Width()), std::max(0, area.Height()));
                break;
            }
        }
}

TCursor TWinControl::CursorAt(TPoint client) const
{
    for (TControl const* c = ControlAtPos(client); c; c = c->Parent())
        if (c->Cursor() != crDefault)
            return c->Cursor();
    return Cursor();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* c : FControls)
        c->ParentFontChanged();
}

void TWinControl::ColorChangedNotify()
{
    for (TControl* c : FControls)
        c->ParentColorChanged();
}

} // namespace xe::tk
