#include "skin/draw/LabelObjects.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/EffectBmp.h"

#include <algorithm>

namespace xe::skin {

using base::TRect;

// ---------------------------------------------------------------------------------------
// Label

TspSkinLabelObject::TspSkinLabelObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinLabel* data)
    : TspActiveSkinObject(form, skinData, data)
{
    if (!data)
        return;
    TextValue = data->TextValue;
    FontName = data->FontName;
    FontStyle = data->FontStyle;
    FontHeight = data->FontHeight;
    FontColor = data->FontColor;
    ActiveFontColor = data->ActiveFontColor;
    Alignment = data->Alignment;
}

bool TspSkinLabelObject::ChangesOnHover() const
{
    return !base::IsRectEmpty(HotRect) || FontColor != ActiveFontColor;
}

void TspSkinLabelObject::SetTextValue(std::string const& text)
{
    TextValue = text;
    if (Form)
        Form->RedrawObject(*this);
}

void TspSkinLabelObject::BuildImage(gfx::TBitmap& image, bool hotPicture, bool activeColor) const
{
    int const w = ObjectRect.Width(), h = ObjectRect.Height();
    image.SetSize(std::max(w, 0), std::max(h, 0));
    if (w < 1 || h < 1)
        return;
    gfx::TBitmap const* picture = hotPicture ? OwnPicture : NormalPicture();
    TRect const& source = hotPicture ? HotRect : NormalRect;
    if (picture && !base::IsRectEmpty(source))
        gfx::StretchBlt(image.Canvas(), 0, 0, w, h, *picture, source.Left, source.Top, source.Width(),
            source.Height(), gfx::SRCCOPY);
    if (TextValue.empty())
        return;
    gfx::TCanvas& c = image.Canvas();
    c.Brush.Style = gfx::bsClear;
    c.Font.SetName(FontName);
    c.Font.SetStyle(FontStyle);
    c.Font.SetHeight(FontHeight);
    c.Font.SetColor(activeColor ? ActiveFontColor : FontColor);
    base::TSize const size = c.TextExtent(TextValue);
    int x = 0;
    if (Alignment == taRightJustify)
        x = w - size.cx;
    else if (Alignment == taCenter)
        x = w / 2 - size.cx / 2;
    int const y = h / 2 - size.cy / 2;
    c.TextRect(base::Rect(0, 0, w, h), x, y, TextValue);
}

void TspSkinLabelObject::Draw(gfx::TCanvas& canvas, bool update)
{
    (void)update; // the frame picture never holds the text: the label always draws
    bool const hasHot = OwnPicture && !base::IsRectEmpty(HotRect);
    gfx::TBitmap image;
    if (MorphEnabled && CanMorph()) {
        gfx::TBitmap active;
        BuildImage(image, false, false);
        BuildImage(active, hasHot, true);
        TspEffectBmp mixed(image);
        TspEffectBmp const other(active);
        mixed.Morph(MorphMode, other, MorphFactor());
        mixed.Draw(canvas, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    // A hovered label that looks the same as a plain one draws its plain image, so that a
    // repaint of the whole frame under the mouse does not lose the text.
    if (ActiveState && ChangesOnHover())
        BuildImage(image, hasHot, true);
    else
        BuildImage(image, false, false);
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TspSkinLabelObject::MouseEnter()
{
    MouseInside = true;
    ActiveState = true;
    if (ChangesOnHover())
        RequestRedraw();
    if (Form)
        Form->MouseEnterEvent(IDName);
}

void TspSkinLabelObject::MouseLeave()
{
    MouseInside = false;
    ActiveState = false;
    if (ChangesOnHover())
        RequestRedraw();
    if (Form)
        Form->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------
// Bit label

TspSkinBitLabelObject::TspSkinBitLabelObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinBitLabel* data)
    : TspActiveSkinObject(form, skinData, data)
{
    if (!data)
        return;
    TextValue = data->TextValue;
    SymbolWidth = data->SymbolWidth;
    SymbolHeight = data->SymbolHeight;
    Symbols = data->Symbols;
}

void TspSkinBitLabelObject::SetTextValue(std::string const& text)
{
    TextValue = text;
    if (Form)
        Form->RedrawObject(*this);
}

void TspSkinBitLabelObject::Draw(gfx::TCanvas& canvas, bool update)
{
    (void)update;
    int const w = NormalRect.Width(), h = NormalRect.Height();
    if (w < 1 || h < 1)
        return;
    gfx::TBitmap image(w, h);
    if (gfx::TBitmap const* background = NormalPicture())
        gfx::BitBlt(image.Canvas(), 0, 0, w, h, *background, NormalRect.Left, NormalRect.Top, gfx::SRCCOPY);
    if (OwnPicture && SymbolWidth > 0 && SymbolHeight > 0) {
        // Characters are the text's bytes, looked up in the rows from the first on.
        for (size_t i = 0; i < TextValue.size(); ++i) {
            int const left = int(i) * SymbolWidth;
            int const cut = std::max(0, left + SymbolWidth - w);
            for (size_t r = 0; r < Symbols.size(); ++r) {
                size_t const c = Symbols[r].find(TextValue[i]);
                if (c == std::string::npos)
                    continue;
                gfx::BitBlt(image.Canvas(), left, 0, SymbolWidth - cut, SymbolHeight, *OwnPicture,
                    HotRect.Left + int(c) * SymbolWidth, HotRect.Top + int(r) * SymbolHeight, gfx::SRCCOPY);
                break;
            }
            // The character that crosses the right edge is the last one that shows.
            if (cut > 0)
                break;
        }
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

} // namespace xe::skin
