#include "platform/toolkit/Controls.h"

#include "platform/base/Exceptions.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"

#include <algorithm>

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
    if (FParent)
        FParent->RemoveControl(this);
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
    EnabledChanged();
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
    TRect r = BoundsRect();
    win::InvalidateRect(h, &r, (FControlStyle & csOpaque) ? win::FALSE : win::TRUE);
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
    switch (message.Msg) {
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
    case win::WM_RBUTTONDBLCLK:
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONUP:
    case win::WM_MBUTTONDBLCLK:
        HandleMouseMessage(message);
        break;
    case CM_MOUSEENTER:
        MouseEnter();
        break;
    case CM_MOUSELEAVE:
        MouseLeave();
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

// ---------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner)
{
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
    control->FParent = this;
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    control->Invalidate();
    if (FCaptureControl == control)
        SetCaptureControl(nullptr);
    if (FMouseControl == control)
        FMouseControl = nullptr;
    FControls.erase(std::find(FControls.begin(), FControls.end(), control));
    control->FParent = nullptr;
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
