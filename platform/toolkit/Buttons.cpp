#include "platform/toolkit/Buttons.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

namespace xe::tk {

TSpeedButton::TSpeedButton(TComponent* owner)
    : TGraphicControl(owner)
{
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool value)
{
    if (value == FFlat)
        return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value)
{
    FTransparent = value;
    if (SetOpaque(!value))
        Invalidate();
}

void TSpeedButton::SetState(TButtonState state)
{
    if (state == FState)
        return;
    FState = state;
    Repaint();
}

void TSpeedButton::Paint()
{
    gfx::TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    bool down = FState == bsDown;
    if (!FFlat || !FTransparent) {
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(FFlat ? Color() : base::clBtnFace);
        canvas.FillRect(r);
    }
    auto edge = [&](TColor topLeft, TColor bottomRight) {
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(topLeft);
        canvas.FillRect(base::Rect(r.Left, r.Top, r.Right, r.Top + 1));
        canvas.FillRect(base::Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
        canvas.Brush.Color = base::ColorToRGB(bottomRight);
        canvas.FillRect(base::Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
        canvas.FillRect(base::Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
    };
    if (down)
        edge(base::clBtnShadow, base::clBtnHighlight);
    else if (!FFlat || (FMouseInControl && Enabled()))
        edge(base::clBtnHighlight, base::clBtnShadow);

    PrepareFont(canvas);
    if (!Enabled())
        canvas.Font.SetColor(base::clGrayText);
    canvas.SetBkMode(gfx::TRANSPARENT);
    canvas.Brush.Style = gfx::bsClear;
    TRect text = r;
    if (down)
        base::OffsetRect(text, 1, 1);
    canvas.DrawText(
        Caption(), text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && Enabled()) {
        FDragging = true;
        SetState(bsDown);
    }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (FDragging)
        SetState(base::PtInRect(ClientRect(), TPoint { x, y }) ? bsDown : bsUp);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (FDragging && button == mbLeft) {
        FDragging = false;
        SetState(bsUp);
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter()
{
    TGraphicControl::MouseEnter();
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        if (FFlat)
            Invalidate();
    }
}

void TSpeedButton::MouseLeave()
{
    TGraphicControl::MouseLeave();
    if (FMouseInControl) {
        FMouseInControl = false;
        if (FFlat)
            Invalidate();
    }
}

void TSpeedButton::EnabledChanged()
{
    if (!Enabled()) {
        FMouseInControl = false;
        FDragging = false;
        FState = bsUp;
    }
    Invalidate();
}

void TSpeedButton::DefineProperties(TProperties& p)
{
    TControl::DefineProperties(p);
    p.Boolean(
        "Flat", [this] { return FFlat; }, [this](bool v) { SetFlat(v); }, true);
    p.Boolean(
        "Transparent", [this] { return FTransparent; }, [this](bool v) { SetTransparent(v); }, true);
}

} // namespace xe::tk
