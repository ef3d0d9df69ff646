#include "skin/controls/InnerScrollBar.h"

#include "skin/controls/SkinControl.h"
#include "skin/draw/FrameImage.h"

#include <algorithm>

namespace xe::skin {

using base::Rect;
using base::TRect;

gfx::TBitmap const* PictureAt(TspSkinData const* data, int index)
{
    if (!data || index < 0 || index >= int(data->ActivePictures.size()))
        return nullptr;
    gfx::TBitmap const* p = data->ActivePictures[size_t(index)].get();
    return p && !p->Empty() ? p : nullptr;
}

// A piece of a picture drawn as a horizontal strip of dst's width (fixed ends a and b),
// stretched to dst's height when that differs.
void DrawHorzPiece(
    gfx::TCanvas& canvas, gfx::TBitmap const& picture, TRect const& src, int a, int b, TRect const& dst)
{
    if (!PictureHolds(picture, src) || base::IsRectEmpty(dst))
        return;
    gfx::TBitmap strip;
    ComposeHorzStrip(a, b, strip, dst.Width(), src, picture);
    if (strip.Height() == dst.Height())
        canvas.Draw(dst.Left, dst.Top, strip);
    else
        canvas.StretchDraw(dst, strip);
}

// The same, vertical.
void DrawVertPiece(
    gfx::TCanvas& canvas, gfx::TBitmap const& picture, TRect const& src, int a, int b, TRect const& dst)
{
    if (!PictureHolds(picture, src) || base::IsRectEmpty(dst))
        return;
    gfx::TBitmap strip;
    ComposeVertStrip(a, b, strip, dst.Height(), src, picture);
    if (strip.Width() == dst.Width())
        canvas.Draw(dst.Left, dst.Top, strip);
    else
        canvas.StretchDraw(dst, strip);
}

void DrawPiece(gfx::TCanvas& canvas, gfx::TBitmap const& picture, TRect const& src, TRect const& dst)
{
    if (!PictureHolds(picture, src) || base::IsRectEmpty(dst))
        return;
    gfx::StretchBlt(canvas, dst.Left, dst.Top, dst.Width(), dst.Height(), picture, src.Left, src.Top,
        src.Width(), src.Height(), gfx::SRCCOPY);
}

namespace {

// A piece's length along the bar.
int Along(TspDataSkinScrollBarControl const& sb, TRect const& piece)
{
    return TspInnerScrollBar::Across(sb) ? piece.Width() : piece.Height();
}

// The picture turned a quarter round clockwise: its left edge becomes the top.
gfx::TBitmap TurnedClockwise(gfx::TBitmap const& b)
{
    gfx::TBitmap r(b.Height(), b.Width());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            r.SetPixel(b.Height() - 1 - y, x, b.Pixel(x, y));
    return r;
}
} // namespace

// --- the bar ----------------------------------------------------------------------------------

int TspInnerScrollBar::Thickness(TspDataSkinScrollBarControl const* look)
{
    return look ? std::min(look->SkinRect.Width(), look->SkinRect.Height()) : PlainWidth;
}

TspInnerScrollBar::TspInnerScrollBar(TSource& source)
    : FSource(source)
    , FTracker(*this)
{
}

// The buttons are square pieces at the bar's ends (the look's button images' heights), the
// thumb sits in the track between them in proportion to the shown part.
TRect TspInnerScrollBar::UpButton() const
{
    TRect const bar = FSource.InnerBarRect();
    if (base::IsRectEmpty(bar))
        return bar;
    auto const* sb = FSource.InnerBarLook();
    int const h = sb && !base::IsRectEmpty(sb->UpButtonRect) ? sb->UpButtonRect.Height() : bar.Width();
    return Rect(bar.Left, bar.Top, bar.Right, std::min(bar.Bottom, bar.Top + h));
}

TRect TspInnerScrollBar::DownButton() const
{
    TRect const bar = FSource.InnerBarRect();
    if (base::IsRectEmpty(bar))
        return bar;
    auto const* sb = FSource.InnerBarLook();
    int const h = sb && !base::IsRectEmpty(sb->DownButtonRect) ? sb->DownButtonRect.Height() : bar.Width();
    return Rect(bar.Left, std::max(bar.Top, bar.Bottom - h), bar.Right, bar.Bottom);
}

TRect TspInnerScrollBar::Thumb() const
{
    TRect const bar = FSource.InnerBarRect();
    if (base::IsRectEmpty(bar))
        return bar;
    int const top = UpButton().Bottom, bottom = DownButton().Top;
    int const track = bottom - top;
    int const range = std::max(FSource.InnerBarMax(), 0), page = std::max(FSource.InnerBarPage(), 1);
    if (track <= 0)
        return TRect {};
    auto const* sb = FSource.InnerBarLook();
    int const minHeight = sb && !base::IsRectEmpty(sb->ThumbRect) ? Along(*sb, sb->ThumbRect) : 8;
    int const h
        = std::clamp(int(int64_t(track) * page / (int64_t(range) + page)), std::min(minHeight, track), track);
    int const position = std::clamp(FSource.InnerBarPosition(), 0, range);
    int const y = top + (range > 0 ? int(int64_t(track - h) * position / range) : 0);
    return Rect(bar.Left, y, bar.Right, y + h);
}

TRect TspInnerScrollBar::PartRect(TPart part) const
{
    switch (part) {
    case spUpButton:
        return UpButton();
    case spDownButton:
        return DownButton();
    case spThumb:
        return Thumb();
    case spPageUp:
    case spPageDown: {
        TRect const thumb = Thumb();
        if (base::IsRectEmpty(thumb))
            return TRect {};
        TRect const bar = FSource.InnerBarRect();
        return part == spPageUp ? Rect(bar.Left, UpButton().Bottom, bar.Right, thumb.Top)
                                : Rect(bar.Left, thumb.Bottom, bar.Right, DownButton().Top);
    }
    default:
        return TRect {};
    }
}

TspScrollBarHost::TTrack TspInnerScrollBar::Track() const
{
    return TTrack { true, UpButton().Bottom, DownButton().Top, Thumb().Height(), 0, FSource.InnerBarMax() };
}

void TspInnerScrollBar::StepPart(TPart part)
{
    int const position = FSource.InnerBarPosition(), page = std::max(FSource.InnerBarPage(), 1);
    switch (part) {
    case spUpButton:
        FSource.InnerBarScrollTo(position - 1);
        break;
    case spDownButton:
        FSource.InnerBarScrollTo(position + 1);
        break;
    case spPageUp:
        FSource.InnerBarScrollTo(position - page);
        break;
    case spPageDown:
        FSource.InnerBarScrollTo(position + page);
        break;
    default:
        break;
    }
}

void TspInnerScrollBar::Paint(gfx::TCanvas& canvas, TspSkinData const* data) const
{
    TRect const bar = FSource.InnerBarRect();
    if (base::IsRectEmpty(bar))
        return;
    auto const* sb = FSource.InnerBarLook();
    gfx::TBitmap const* picture = sb ? PictureAt(data, sb->PictureIndex) : nullptr;
    TRect const up = UpButton(), down = DownButton(), thumb = Thumb();
    if (!picture) {
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
        canvas.FillRect(bar);
        canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
        for (TRect const& r : { up, down, thumb })
            if (!base::IsRectEmpty(r))
                canvas.FrameRect(r);
        return;
    }
    // The bar is drawn lying as the look is laid out and turned when the look lies across.
    bool const across = Across(*sb);
    int const len = bar.Height(), thick = bar.Width();
    gfx::TBitmap image(across ? len : thick, across ? thick : len);
    gfx::TCanvas& c = image.Canvas();
    auto place = [&](int from, int to) {
        return across ? Rect(from - bar.Top, 0, to - bar.Top, thick)
                      : Rect(0, from - bar.Top, thick, to - bar.Top);
    };
    DrawSkinRect(c, *picture, sb->SkinRect, LookCut(*sb), Rect(0, 0, image.Width(), image.Height()), false,
        true, nullptr);
    if (!base::IsRectEmpty(thumb)) {
        TRect const t = place(thumb.Top, thumb.Bottom);
        if (across)
            DrawHorzPiece(c, *picture, sb->ThumbRect, sb->ThumbOffset1, sb->ThumbOffset2, t);
        else
            DrawVertPiece(c, *picture, sb->ThumbRect, sb->ThumbOffset1, sb->ThumbOffset2, t);
        // The glyph in the thumb's middle.
        TRect const& g = sb->GlyphRect;
        if (!base::IsRectEmpty(g) && g.Width() <= t.Width() && g.Height() <= t.Height()) {
            int const x = t.Left + (t.Width() - g.Width()) / 2;
            int const y = t.Top + (t.Height() - g.Height()) / 2;
            DrawPiece(c, *picture, g, Rect(x, y, x + g.Width(), y + g.Height()));
        }
    }
    canvas.Draw(bar.Left, bar.Top, across ? TurnedClockwise(image) : image);
    auto button = [&](TRect const& normal, TRect const& held, bool isHeld) {
        return isHeld ? FirstNonEmpty({ held, normal }) : normal;
    };
    DrawPiece(canvas, *picture,
        button(sb->UpButtonRect, sb->DownUpButtonRect, FTracker.Pressed() == spUpButton), up);
    DrawPiece(canvas, *picture,
        button(sb->DownButtonRect, sb->DownDownButtonRect, FTracker.Pressed() == spDownButton), down);
}

} // namespace xe::skin
