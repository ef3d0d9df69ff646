#include "skin/controls/SkinButton.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

namespace xe::skin {

using base::TRect;

TspSkinButton::TspSkinButton(tk::TComponent* owner)
    : TspSkinButton(owner, "button")
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
}

TspSkinButton::TspSkinButton(tk::TComponent* owner, std::string defaultSkinDataName)
    : TspSkinControl(owner, std::move(defaultSkinDataName))
{
    SetBounds(0, 0, 75, 25);
}

bool TspSkinButton::ShowsDown() const { return (Down() && MouseIn()) || FSpaceDown; }

TspSkinButton::TButtonImage TspSkinButton::CurrentImage() const
{
    if (!Enabled())
        return biDisabled;
    if (ShowsDown())
        return biDown;
    if (MouseIn() || Focused())
        return biActive;
    return biNormal;
}

TRect TspSkinButton::ImageRect(TspDataSkinButtonControl const& look, TButtonImage image) const
{
    TRect const* r = &look.SkinRect;
    switch (image) {
    case biNormal:
        break;
    case biActive:
        r = &look.ActiveSkinRect;
        break;
    case biDown:
        // A look without a down image shows the active one.
        r = !base::IsRectEmpty(look.DownSkinRect) ? &look.DownSkinRect : &look.ActiveSkinRect;
        break;
    case biDisabled:
        r = &look.DisabledSkinRect;
        break;
    }
    return base::IsRectEmpty(*r) ? look.SkinRect : *r;
}

void TspSkinButton::StateChanged()
{
    // The fade runs between the normal and the active image as the mouse comes and goes.
    auto const* look = LookAs<TspDataSkinButtonControl>();
    bool const hot = MouseIn() && Enabled() && !ShowsDown();
    if (look && look->Morphing && hot != FWasHot && !base::IsRectEmpty(look->ActiveSkinRect))
        StartMorph();
    else if (!Morphing())
        SetMorphFactor(hot ? 1 : 0);
    FWasHot = hot;
    TspSkinControl::StateChanged();
}

bool TspSkinButton::PaintSkin(gfx::TCanvas& canvas)
{
    auto const* look = LookAs<TspDataSkinButtonControl>();
    if (!look || !LookPicture())
        return false;
    TRect const client = ClientRect();
    TButtonImage const image = CurrentImage();
    if (Morphing() && (image == biNormal || image == biActive)) {
        gfx::TBitmap normal(client.Width(), client.Height()), active(client.Width(), client.Height());
        TFrameCut const cut = LookCut(*look);
        DrawSkinRect(normal.Canvas(), *LookPicture(), look->SkinRect, cut, client, false, true, nullptr);
        DrawSkinRect(
            active.Canvas(), *LookPicture(), look->ActiveSkinRect, cut, client, false, true, nullptr);
        DrawMorphed(canvas, normal, active, client, look->MorphKind);
    } else {
        DrawLookRect(canvas, ImageRect(*look, image), client);
    }
    base::TColor color = look->FontColor;
    switch (image) {
    case biActive:
        color = look->ActiveFontColor;
        break;
    case biDown:
        color = look->DownFontColor;
        break;
    case biDisabled:
        color = look->DisabledFontColor;
        break;
    case biNormal:
        break;
    }
    DrawText(canvas, Caption(), client, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE,
        LookFont(look->FontName, look->FontHeight, look->FontStyle, color));
    return true;
}

void TspSkinButton::PaintPlain(gfx::TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
    canvas.FillRect(r);
    bool const down = CurrentImage() == biDown;
    DrawEdge(canvas, r, down);
    if (down)
        base::OffsetRect(r, 1, 1);
    gfx::TFont font;
    font.Assign(Font());
    if (!Enabled())
        font.SetColor(base::clGrayText);
    DrawText(canvas, Caption(), r, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE, font);
    if (Focused()) {
        canvas.Brush.Color = base::ColorToRGB(base::clBtnText);
        canvas.FrameRect(base::Rect(3, 3, r.Right - 3, r.Bottom - 3));
    }
}

void TspSkinButton::Click()
{
    if (FModalResult != tk::mrNone)
        if (tk::TForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    TspSkinControl::Click();
}

void TspSkinButton::WndProc(tk::TMessage& message)
{
    // A quick second press is one more click, not a double click.
    if (message.Msg == win::WM_LBUTTONDBLCLK)
        message.Msg = win::WM_LBUTTONDOWN;
    TspSkinControl::WndProc(message);
}

void TspSkinButton::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    TspSkinControl::KeyDown(key, shift);
    if (key == win::VK_SPACE) {
        FSpaceDown = true;
        StateChanged();
        key = 0;
    } else if (key == win::VK_RETURN) {
        key = 0;
        Click();
    }
}

void TspSkinButton::KeyUp(win::WORD& key, tk::TShiftState shift)
{
    TspSkinControl::KeyUp(key, shift);
    if (key == win::VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        StateChanged();
        key = 0;
        Click();
    }
}

void TspSkinButton::DoExit()
{
    FSpaceDown = false;
    TspSkinControl::DoExit();
}

void TspSkinButton::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.Enum(
        "ModalResult", { "mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo" },
        [this] { return int64_t(FModalResult); }, [this](int64_t v) { FModalResult = tk::TModalResult(v); },
        tk::mrNone);
}

// ---------------------------------------------------------------------------------------
// TspSkinToolButton

TspSkinToolButton::TspSkinToolButton(tk::TComponent* owner)
    : TspSkinButton(owner, "toolbutton")
{
    SetBounds(0, 0, 23, 22);
}

bool TspSkinToolButton::ShowsDown() const { return FIsDown || TspSkinButton::ShowsDown(); }

void TspSkinToolButton::SetIsDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FIsDown)
        return;
    FIsDown = value;
    if (value && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TspSkinToolButton*>(Parent()->Controls(i));
                other && other != this && other->FGroupIndex == FGroupIndex && other->FIsDown) {
                other->FIsDown = false;
                other->StateChanged();
            }
    StateChanged();
}

void TspSkinToolButton::Click()
{
    if (FGroupIndex != 0) {
        if (!FIsDown)
            SetIsDown(true);
        else if (FAllowAllUp)
            SetIsDown(false);
    }
    TspSkinButton::Click();
}

void TspSkinToolButton::DefineProperties(tk::TProperties& p)
{
    TspSkinButton::DefineProperties(p);
    p.Integer(
        "GroupIndex", [this] { return FGroupIndex; }, [this](int64_t v) { FGroupIndex = int(v); });
    p.Boolean(
        "AllowAllUp", [this] { return FAllowAllUp; }, [this](bool v) { FAllowAllUp = v; });
    p.Boolean(
        "Down", [this] { return FIsDown; }, [this](bool v) { SetIsDown(v); });
}

} // namespace xe::skin
