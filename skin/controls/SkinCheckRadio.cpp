#include "skin/controls/SkinCheckRadio.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>
#include <vector>

namespace xe::skin {

using base::TRect;

TspSkinCheckRadioBox::TspSkinCheckRadioBox(tk::TComponent* owner)
    : TspSkinCheckRadioBox(owner, "checkbox", false)
{
}

TspSkinCheckRadioBox::TspSkinCheckRadioBox(tk::TComponent* owner, std::string defaultSkinDataName, bool radio)
    : TspSkinControl(owner, std::move(defaultSkinDataName))
    , FRadio(radio)
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
    SetBounds(0, 0, 100, 20);
}

void TspSkinCheckRadioBox::SetChecked(bool value)
{
    if (value == FChecked)
        return;
    FChecked = value;
    // One radio button of a group is checked.
    if (value && FRadio && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TspSkinCheckRadioBox*>(Parent()->Controls(i));
                other && other != this && other->FRadio && other->FGroupIndex == FGroupIndex)
                other->SetChecked(false);
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TspSkinCheckRadioBox::SetRadio(bool value)
{
    if (value == FRadio)
        return;
    FRadio = value;
    Invalidate();
}

void TspSkinCheckRadioBox::Toggle() { SetChecked(FRadio ? true : !FChecked); }

void TspSkinCheckRadioBox::Click()
{
    Toggle();
    TspSkinControl::Click();
}

void TspSkinCheckRadioBox::WndProc(tk::TMessage& message)
{
    // Quick clicks toggle each time.
    if (message.Msg == win::WM_LBUTTONDBLCLK)
        message.Msg = win::WM_LBUTTONDOWN;
    TspSkinControl::WndProc(message);
}

void TspSkinCheckRadioBox::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    TspSkinControl::KeyDown(key, shift);
    if (key == win::VK_SPACE) {
        FSpaceDown = true;
        key = 0;
        return;
    }
    // The arrow keys move the focus through a radio group, checking the button they reach.
    bool const next = key == win::VK_RIGHT || key == win::VK_DOWN;
    if (!FRadio || !Parent() || !(next || key == win::VK_LEFT || key == win::VK_UP))
        return;
    std::vector<TspSkinCheckRadioBox*> group;
    for (tk::TControl* c : Parent()->TabList())
        if (auto* r = dynamic_cast<TspSkinCheckRadioBox*>(c);
            r && r->FRadio && r->FGroupIndex == FGroupIndex && (r == this || r->CanFocus()))
            group.push_back(r);
    auto const at = std::find(group.begin(), group.end(), this);
    if (group.size() < 2 || at == group.end())
        return;
    size_t const i = size_t(at - group.begin()), n = group.size();
    TspSkinCheckRadioBox* target = group[next ? (i + 1) % n : (i + n - 1) % n];
    key = 0;
    target->SetFocus();
    target->Click();
}

void TspSkinCheckRadioBox::KeyUp(win::WORD& key, tk::TShiftState shift)
{
    TspSkinControl::KeyUp(key, shift);
    if (key == win::VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        key = 0;
        Click();
    }
}

void TspSkinCheckRadioBox::DoExit()
{
    FSpaceDown = false;
    TspSkinControl::DoExit();
}

TRect TspSkinCheckRadioBox::CheckImage() const
{
    auto const* look = LookAs<TspDataSkinCheckRadioControl>();
    if (!look)
        return {};
    TRect const* r = nullptr;
    if (!Enabled())
        r = FChecked ? &look->UnEnabledCheckImageRect : &look->UnEnabledUnCheckImageRect;
    else if (MouseIn() || Focused())
        r = FChecked ? &look->ActiveCheckImageRect : &look->ActiveUnCheckImageRect;
    // A state without its own image shows the normal one.
    if (!r || base::IsRectEmpty(*r))
        r = FChecked ? &look->CheckImageRect : &look->UnCheckImageRect;
    return *r;
}

bool TspSkinCheckRadioBox::PaintSkin(gfx::TCanvas& canvas)
{
    auto const* look = LookAs<TspDataSkinCheckRadioControl>();
    if (!look || !LookPicture())
        return false;
    TRect const client = ClientRect();
    bool const hot = Enabled() && (MouseIn() || Focused());
    TRect const back
        = hot && !base::IsRectEmpty(look->ActiveSkinRect) ? look->ActiveSkinRect : look->SkinRect;
    DrawLookRect(canvas, back, client);
    // The check image keeps its place from the left and is centred vertically as the box
    // grows; the text area grows with the box.
    int const dw = client.Width() - look->SkinRect.Width(), dh = client.Height() - look->SkinRect.Height();
    TRect const image = CheckImage();
    TRect const& area = look->CheckImageArea;
    if (!base::IsRectEmpty(image) && !base::IsRectEmpty(area)) {
        TRect const dst = base::Bounds(area.Left, area.Top + dh / 2, image.Width(), image.Height());
        DrawLookPiece(canvas, image, dst);
    }
    TRect const text = base::Rect(
        look->TextArea.Left, look->TextArea.Top, look->TextArea.Right + dw, look->TextArea.Bottom + dh);
    base::TColor const color = !Enabled() ? look->UnEnabledFontColor
        : hot                             ? look->ActiveFontColor
                                          : look->FontColor;
    DrawText(canvas, Caption(), text, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE,
        LookFont(look->FontName, look->FontHeight, look->FontStyle, color));
    return true;
}

void TspSkinCheckRadioBox::PaintPlain(gfx::TCanvas& canvas)
{
    TRect const client = ClientRect();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(client);
    int const size = 13, top = (client.Height() - size) / 2;
    TRect const box = base::Bounds(0, top, size, size);
    canvas.Brush.Color = base::ColorToRGB(Enabled() ? base::clWindow : base::clBtnFace);
    canvas.Pen.Color = base::ColorToRGB(base::clBtnShadow);
    if (FRadio)
        canvas.Ellipse(box);
    else
        canvas.Rectangle(box);
    if (FChecked) {
        canvas.Brush.Color = base::ColorToRGB(Enabled() ? base::clWindowText : base::clGrayText);
        canvas.Pen.Color = canvas.Brush.Color;
        TRect const mark = base::Rect(box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3);
        if (FRadio)
            canvas.Ellipse(mark);
        else
            canvas.FillRect(mark);
    }
    gfx::TFont font;
    font.Assign(Font());
    if (!Enabled())
        font.SetColor(base::clGrayText);
    TRect text = base::Rect(size + 4, 0, client.Right, client.Bottom);
    DrawText(canvas, Caption(), text, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE, font);
    if (Focused()) {
        canvas.Brush.Color = base::ColorToRGB(base::clBtnText);
        canvas.FrameRect(text);
    }
}

void TspSkinCheckRadioBox::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    bool const radioDefault = dynamic_cast<TspSkinRadioButton*>(this) != nullptr;
    p.Boolean(
        "Radio", [this] { return FRadio; }, [this](bool v) { SetRadio(v); }, radioDefault);
    p.Integer(
        "GroupIndex", [this] { return FGroupIndex; }, [this](int64_t v) { FGroupIndex = int(v); });
    p.Boolean(
        "Checked", [this] { return FChecked; }, [this](bool v) { SetChecked(v); });
}

} // namespace xe::skin
