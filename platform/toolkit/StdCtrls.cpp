#include "platform/toolkit/StdCtrls.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

namespace xe::tk {

TLabel::TLabel(TComponent* owner)
    : TGraphicControl(owner)
{
    FControlStyle |= csOpaque;
    SetBounds(0, 0, 65, 17);
}

uint32_t TLabel::DrawTextFlags() const
{
    uint32_t flags = gfx::DT_EXPANDTABS | gfx::DT_NOPREFIX;
    if (FWordWrap)
        flags |= gfx::DT_WORDBREAK;
    if (FAlignment == taCenter)
        flags |= gfx::DT_CENTER;
    else if (FAlignment == taRightJustify)
        flags |= gfx::DT_RIGHT;
    return flags;
}

void TLabel::Paint()
{
    gfx::TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(Color());
        canvas.FillRect(r);
    }
    PrepareFont(canvas);
    if (!Enabled())
        canvas.Font.SetColor(base::clGrayText);
    canvas.SetBkMode(gfx::TRANSPARENT);
    canvas.Brush.Style = gfx::bsClear;
    if (FLayout != tlTop) {
        TRect calc = r;
        canvas.DrawText(Caption(), calc, DrawTextFlags() | gfx::DT_CALCRECT);
        int offset = r.Height() - calc.Height();
        r.Top += FLayout == tlCenter ? offset / 2 : offset;
    }
    canvas.DrawText(Caption(), r, DrawTextFlags());
}

void TLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading())
        return;
    gfx::TBitmap scratch(1, 1);
    gfx::TCanvas& canvas = scratch.Canvas();
    PrepareFont(canvas);
    TRect r = base::Rect(0, 0, FWordWrap ? Width() : 0, 0);
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    canvas.DrawText(text, r, DrawTextFlags() | gfx::DT_CALCRECT);
    int left = Left();
    if (FAlignment == taRightJustify && !FWordWrap)
        left += Width() - r.Width();
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    FTransparent = value;
    if (SetOpaque(!value))
        Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (value == FLayout)
        return;
    FLayout = value;
    Invalidate();
}

void TLabel::TextChanged()
{
    AdjustBounds();
    // A transparent label shows what lies below; that must be drawn again too.
    Invalidate();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::DefineProperties(TProperties& p)
{
    TControl::DefineProperties(p);
    p.Enum(
        "Alignment", { "taLeftJustify", "taRightJustify", "taCenter" },
        [this] { return int64_t(FAlignment); }, [this](int64_t v) { SetAlignment(TAlignment(v)); },
        taLeftJustify);
    p.Boolean(
        "AutoSize", [this] { return FAutoSize; }, [this](bool v) { SetAutoSize(v); }, true);
    p.Enum(
        "Layout", { "tlTop", "tlCenter", "tlBottom" }, [this] { return int64_t(FLayout); },
        [this](int64_t v) { SetLayout(TTextLayout(v)); }, tlTop);
    p.Boolean(
        "Transparent", [this] { return FTransparent; }, [this](bool v) { SetTransparent(v); });
    p.Boolean(
        "WordWrap", [this] { return FWordWrap; }, [this](bool v) { SetWordWrap(v); });
}

} // namespace xe::tk
