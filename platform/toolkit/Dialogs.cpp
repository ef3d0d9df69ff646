#include "platform/toolkit/Dialogs.h"

#include "platform/base/Strings.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <memory>

namespace xe::tk {

namespace {
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;

// Chinese text needs the CJK face; it also holds Latin letters.
void UseMessageFont(gfx::TFont& font)
{
    font.SetName(base::Ansi(u8"宋体"));
    font.SetHeight(-12);
    font.SetColor(base::clWindowText);
}
}

TMessageForm::TMessageForm(TComponent* owner, std::string const& caption, std::string const& text)
    : TForm(owner)
{
    SetBorderStyle(bsNone);
    SetBorderIcons(0);
    SetCaption(caption);
    UseMessageFont(Font());
    SetPosition(poMainFormCenter);

    // The text's width decides the box's: one line when it fits, else lines of the widest
    // width allowed.
    gfx::TBitmap scratch(1, 1);
    gfx::TCanvas& canvas = scratch.Canvas();
    UseMessageFont(canvas.Font);
    uint32_t const flags = gfx::DT_WORDBREAK | gfx::DT_EXPANDTABS | gfx::DT_NOPREFIX;
    TRect single = base::Rect(0, 0, 0, 0);
    canvas.DrawText(text, single, (flags & ~gfx::DT_WORDBREAK) | gfx::DT_CALCRECT);
    int const textWidth = std::clamp(single.Width() + 2, MinTextWidth, MaxTextWidth);
    TRect wrapped = base::Rect(0, 0, textWidth, 0);
    canvas.DrawText(text, wrapped, flags | gfx::DT_CALCRECT);
    int const textHeight = std::max(wrapped.Height(), canvas.TextHeight("Ag"));

    int const width = textWidth + 2 * Margin;
    int const textTop = CaptionBandHeight + Margin;
    int const buttonTop = textTop + textHeight + Margin;
    SetClientWidth(width);
    SetClientHeight(buttonTop + ButtonHeight + Margin);

    Message = new TLabel(this);
    Message->SetParent(this);
    Message->SetAutoSize(false);
    Message->SetWordWrap(true);
    Message->SetTransparent(true);
    Message->SetBounds(Margin, textTop, textWidth, textHeight);
    Message->SetCaption(text);

    OKButton = new TSpeedButton(this);
    OKButton->SetParent(this);
    OKButton->SetFlat(false);
    OKButton->SetBounds((width - ButtonWidth) / 2, buttonTop, ButtonWidth, ButtonHeight);
    OKButton->SetCaption("OK");
    OKButton->OnClick = [this](TComponent*) { SetModalResult(mrOk); };
}

void TMessageForm::PaintHandler(gfx::TCanvas& canvas, TRect const& area, bool erase)
{
    TForm::PaintHandler(canvas, area, erase);
    gfx::TCanvasSaver saver(canvas);
    TRect const band = base::Rect(0, 0, ClientWidth(), CaptionBandHeight);
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(base::clActiveCaption);
    canvas.FillRect(band);
    UseMessageFont(canvas.Font);
    canvas.Font.SetColor(base::clCaptionText);
    canvas.SetBkMode(gfx::TRANSPARENT);
    TRect text = base::Rect(Margin / 2, 0, band.Right - Margin / 2, band.Bottom);
    canvas.DrawText(
        Caption(), text, gfx::DT_SINGLELINE | gfx::DT_VCENTER | gfx::DT_NOPREFIX | gfx::DT_END_ELLIPSIS);
    // A one-pixel frame, since the box has no window frame of its own.
    canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
    canvas.FrameRect(ClientRect());
}

void ShowMessageBox(std::string const& text)
{
    std::string caption = Application ? Application->Title() : std::string();
    auto box = std::make_unique<TMessageForm>(nullptr, caption, text);
    box->ShowModal();
}

} // namespace xe::tk
