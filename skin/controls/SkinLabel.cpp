#include "skin/controls/SkinLabel.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

namespace xe::skin {

using base::TRect;

namespace {
std::vector<std::string> const AlignmentNames = { "taLeftJustify", "taRightJustify", "taCenter" };
}

TspSkinLabel::TspSkinLabel(tk::TComponent* owner)
    : TspSkinLabel(owner, "label")
{
}

TspSkinLabel::TspSkinLabel(tk::TComponent* owner, std::string defaultSkinDataName)
    : TspSkinControl(owner, std::move(defaultSkinDataName))
{
    FControlStyle |= tk::csOpaque;
    SetBounds(0, 0, 100, 21);
}

void TspSkinLabel::SetAlignment(tk::TAlignment value)
{
    FAlignment = value;
    Invalidate();
}

bool TspSkinLabel::PaintSkin(gfx::TCanvas& canvas)
{
    auto const* look = LookAs<TspDataSkinLabelControl>();
    if (!look || !LookPicture())
        return false;
    TRect const client = ClientRect();
    DrawLookRect(canvas, look->SkinRect, client);
    int const dw = client.Width() - look->SkinRect.Width(), dh = client.Height() - look->SkinRect.Height();
    TRect const& c = look->ClientRect;
    TRect const text = base::IsRectEmpty(c) ? client : base::Rect(c.Left, c.Top, c.Right + dw, c.Bottom + dh);
    DrawText(canvas, Caption(), text, AlignmentFlags(FAlignment) | gfx::DT_VCENTER | gfx::DT_SINGLELINE,
        LookFont(look->FontName, look->FontHeight, look->FontStyle, look->FontColor));
    return true;
}

void TspSkinLabel::PaintPlain(gfx::TCanvas& canvas)
{
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(ClientRect());
    DrawText(canvas, Caption(), ClientRect(),
        AlignmentFlags(FAlignment) | gfx::DT_VCENTER | gfx::DT_SINGLELINE, Font());
}

void TspSkinLabel::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.Enum(
        "Alignment", AlignmentNames, [this] { return int64_t(FAlignment); },
        [this](int64_t v) { SetAlignment(tk::TAlignment(v)); }, tk::taLeftJustify);
}

// ---------------------------------------------------------------------------------------
// TspSkinStdLabel

TspSkinStdLabel::TspSkinStdLabel(tk::TComponent* owner)
    : TspSkinControl(owner, "stdlabel")
{
    SetBounds(0, 0, 65, 17);
}

void TspSkinStdLabel::SetAlignment(tk::TAlignment value)
{
    FAlignment = value;
    Invalidate();
}

void TspSkinStdLabel::SetWordWrap(bool value)
{
    FWordWrap = value;
    Invalidate();
}

uint32_t TspSkinStdLabel::TextFlags() const
{
    return AlignmentFlags(FAlignment) | (FWordWrap ? gfx::DT_WORDBREAK : gfx::DT_SINGLELINE);
}

bool TspSkinStdLabel::PaintSkin(gfx::TCanvas& canvas)
{
    auto const* look = LookAs<TspDataSkinStdLabelControl>();
    if (!look)
        return false;
    base::TColor const color = MouseIn() && Enabled() ? look->ActiveFontColor : look->FontColor;
    DrawText(canvas, Caption(), ClientRect(), TextFlags(),
        LookFont(look->FontName, look->FontHeight, look->FontStyle, color));
    return true;
}

void TspSkinStdLabel::PaintPlain(gfx::TCanvas& canvas)
{
    gfx::TFont font;
    font.Assign(Font());
    if (!Enabled())
        font.SetColor(base::clGrayText);
    DrawText(canvas, Caption(), ClientRect(), TextFlags(), font);
}

void TspSkinStdLabel::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.Enum(
        "Alignment", AlignmentNames, [this] { return int64_t(FAlignment); },
        [this](int64_t v) { SetAlignment(tk::TAlignment(v)); }, tk::taLeftJustify);
    p.Boolean(
        "WordWrap", [this] { return FWordWrap; }, [this](bool v) { SetWordWrap(v); });
}

} // namespace xe::skin
