#include "skin/controls/SkinScrollBar.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>

namespace xe::skin {

using base::TRect;

namespace {
constexpr char const* HorizontalLook = "hscrollbar";
constexpr char const* VerticalLook = "vscrollbar";
constexpr int PlainMinThumb = 8;
} // namespace

TspSkinScrollBar::TspSkinScrollBar(tk::TComponent* owner)
    : TspSkinControl(owner, HorizontalLook)
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
    SetBounds(Left(), Top(), 121, 16);
}

void TspSkinScrollBar::SetKind(TScrollBarKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    char const* const oldLook = value == sbVertical ? HorizontalLook : VerticalLook;
    if (SkinDataName() == oldLook)
        SetSkinDataName(value == sbVertical ? VerticalLook : HorizontalLook);
    Invalidate();
}

void TspSkinScrollBar::SetParams(int position, int min, int max)
{
    max = std::max(min, max);
    position = std::clamp(position, min, max);
    bool const changed = position != FPosition;
    if (min != FMin || max != FMax || changed) {
        FMin = min;
        FMax = max;
        FPosition = position;
        Invalidate();
    }
    if (changed && OnChange)
        OnChange(this);
}

void TspSkinScrollBar::SetPageSize(int value)
{
    value = std::max(value, 0);
    if (value == FPageSize)
        return;
    FPageSize = value;
    Invalidate();
}

// --- geometry ------------------------------------------------------------------------------

void TspSkinScrollBar::Layout(int& upLength, int& downLength, int& trackFrom, int& trackTo) const
{
    int const length = Vertical() ? Height() : Width();
    auto* look = LookAs<TspDataSkinScrollBarControl>();
    if (look && !base::IsRectEmpty(look->TrackArea)) {
        // The buttons take what lies outside the track area in the look, at any size.
        TRect const& t = look->TrackArea;
        upLength = Vertical() ? t.Top : t.Left;
        downLength = Vertical() ? look->SkinRect.Height() - t.Bottom : look->SkinRect.Width() - t.Right;
    } else {
        // Square buttons of the bar's thickness.
        upLength = downLength = Vertical() ? Width() : Height();
    }
    // A bar too short for both buttons shares its length between them.
    if (upLength + downLength > length) {
        upLength = length / 2;
        downLength = length - upLength;
    }
    trackFrom = upLength;
    trackTo = length - downLength;
}

int TspSkinScrollBar::MinThumbLength() const
{
    if (auto* look = LookAs<TspDataSkinScrollBarControl>(); look && !base::IsRectEmpty(look->ThumbRect))
        return std::max(look->ThumbOffset1 + look->ThumbOffset2 + 2, PlainMinThumb);
    return PlainMinThumb;
}

int TspSkinScrollBar::ThumbLength(int trackLength) const
{
    int length = 0;
    if (FPageSize > 0)
        length = int(int64_t(trackLength) * FPageSize / (int64_t(FMax - FMin) + FPageSize));
    else if (auto* look = LookAs<TspDataSkinScrollBarControl>(); look && !base::IsRectEmpty(look->ThumbRect))
        length = Vertical() ? look->ThumbRect.Height() : look->ThumbRect.Width();
    else
        length = Vertical() ? Width() : Height();
    return std::min(std::max(length, MinThumbLength()), trackLength);
}

TRect TspSkinScrollBar::PartRect(TPart part) const
{
    int up = 0, down = 0, from = 0, to = 0;
    Layout(up, down, from, to);
    int const length = Vertical() ? Height() : Width();
    // [a, b) along the bar, across its whole thickness.
    auto span = [&](int a, int b) {
        return Vertical() ? base::Rect(0, a, Width(), b) : base::Rect(a, 0, b, Height());
    };
    int const trackLength = to - from;
    int const thumbLength = ThumbLength(trackLength);
    // No thumb when there is nothing to scroll, no room for it, or the bar is disabled.
    bool const thumb = Enabled() && FMax > FMin && trackLength >= MinThumbLength();
    int const thumbFrom
        = thumb ? from + int(int64_t(trackLength - thumbLength) * (FPosition - FMin) / (FMax - FMin)) : from;
    int const thumbTo = thumb ? thumbFrom + thumbLength : from;
    switch (part) {
    case spUpButton:
        return span(0, up);
    case spDownButton:
        return span(length - down, length);
    case spPageUp:
        return thumb ? span(from, thumbFrom) : TRect {};
    case spPageDown:
        return thumb ? span(thumbTo, to) : TRect {};
    case spThumb:
        return thumb ? span(thumbFrom, thumbTo) : TRect {};
    case spNone:
        break;
    }
    return {};
}

TspScrollBarHost::TTrack TspSkinScrollBar::Track() const
{
    int up = 0, down = 0, from = 0, to = 0;
    Layout(up, down, from, to);
    return TTrack { Vertical(), from, to, ThumbLength(to - from), FMin, FMax };
}

// --- drawing -------------------------------------------------------------------------------

void TspSkinScrollBar::DrawThumb(
    gfx::TCanvas& canvas, TspDataSkinScrollBarControl const& look, TRect const& src, TRect const& dst) const
{
    gfx::TBitmap const* picture = LookPicture();
    if (!picture || base::IsRectEmpty(src) || base::IsRectEmpty(dst))
        return;
    // The thumb's ends are kept and its middle tiled to the thumb's length; across the bar
    // it is scaled to the bar's thickness.
    gfx::TBitmap strip;
    if (Vertical())
        ComposeVertStrip(look.ThumbOffset1, look.ThumbOffset2, strip, dst.Height(), src, *picture);
    else
        ComposeHorzStrip(look.ThumbOffset1, look.ThumbOffset2, strip, dst.Width(), src, *picture);
    gfx::StretchBlt(canvas, dst.Left, dst.Top, dst.Width(), dst.Height(), strip, 0, 0, strip.Width(),
        strip.Height(), gfx::SRCCOPY);
}

bool TspSkinScrollBar::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinScrollBarControl>();
    if (!look || !LookPicture())
        return false;
    DrawLookRect(canvas, look->SkinRect, ClientRect());
    auto state
        = [&](TPart part, TRect const& normal, TRect const& active, TRect const& down) -> TRect const& {
        if (FTracker.Pressed() == part && FTracker.Hot() == part && !base::IsRectEmpty(down))
            return down;
        if ((FTracker.Hot() == part || FTracker.Pressed() == part) && !base::IsRectEmpty(active))
            return active;
        return normal;
    };
    DrawLookPiece(canvas,
        state(spUpButton, look->UpButtonRect, look->ActiveUpButtonRect, look->DownUpButtonRect),
        PartRect(spUpButton));
    DrawLookPiece(canvas,
        state(spDownButton, look->DownButtonRect, look->ActiveDownButtonRect, look->DownDownButtonRect),
        PartRect(spDownButton));
    TRect const thumb = PartRect(spThumb);
    if (!base::IsRectEmpty(thumb)) {
        // The dragged thumb shows its pressed image, the hot one its active image.
        TRect const& src = FTracker.Pressed() == spThumb && !base::IsRectEmpty(look->DownThumbRect)
            ? look->DownThumbRect
            : (FTracker.Hot() == spThumb || FTracker.Pressed() == spThumb)
                && !base::IsRectEmpty(look->ActiveThumbRect)
            ? look->ActiveThumbRect
            : look->ThumbRect;
        DrawThumb(canvas, *look, src, thumb);
        TRect const& glyph = FTracker.Pressed() == spThumb && !base::IsRectEmpty(look->DownGlyphRect)
            ? look->DownGlyphRect
            : (FTracker.Hot() == spThumb || FTracker.Pressed() == spThumb)
                && !base::IsRectEmpty(look->ActiveGlyphRect)
            ? look->ActiveGlyphRect
            : look->GlyphRect;
        // The glyph on the thumb's centre, when the thumb is long enough to hold it.
        if (!base::IsRectEmpty(glyph) && glyph.Width() <= thumb.Width() && glyph.Height() <= thumb.Height()) {
            int const gx = (thumb.Left + thumb.Right - glyph.Width()) / 2;
            int const gy = (thumb.Top + thumb.Bottom - glyph.Height()) / 2;
            DrawLookPiece(canvas, glyph, base::Rect(gx, gy, gx + glyph.Width(), gy + glyph.Height()));
        }
    }
    return true;
}

void TspSkinScrollBar::PaintPlain(gfx::TCanvas& canvas)
{
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(base::clScrollBar);
    canvas.FillRect(ClientRect());
    // Buttons and thumb: raised faces, sunken while pressed; arrows on the buttons.
    auto face = [&](TRect const& r, bool pressed) {
        if (base::IsRectEmpty(r))
            return;
        canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
        canvas.FillRect(r);
        canvas.Pen.Color = base::ColorToRGB(pressed ? base::clBtnShadow : base::clBtnHighlight);
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right - 1, r.Top);
        canvas.Pen.Color = base::ColorToRGB(pressed ? base::clBtnHighlight : base::clBtnShadow);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Bottom - 1);
    };
    auto arrow = [&](TRect const& r, bool towardsStart) {
        if (base::IsRectEmpty(r))
            return;
        canvas.Brush.Color = base::ColorToRGB(Enabled() ? base::clBtnText : base::clGrayText);
        int const cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        for (int i = 0; i < 4; ++i) {
            int const d = towardsStart ? -1 + i : 1 - i;
            canvas.FillRect(Vertical() ? base::Rect(cx - i, cy + d, cx + i + 1, cy + d + 1)
                                       : base::Rect(cx + d, cy - i, cx + d + 1, cy + i + 1));
        }
    };
    TRect const up = PartRect(spUpButton), down = PartRect(spDownButton);
    face(up, FTracker.Pressed() == spUpButton && FTracker.Hot() == spUpButton);
    arrow(up, true);
    face(down, FTracker.Pressed() == spDownButton && FTracker.Hot() == spDownButton);
    arrow(down, false);
    face(PartRect(spThumb), false);
}

// --- scrolling -----------------------------------------------------------------------------

void TspSkinScrollBar::Scroll(TScrollCode code, int position)
{
    position = std::clamp(position, FMin, FMax);
    if (OnScroll)
        OnScroll(this, code, position);
    SetPosition(position);
}

void TspSkinScrollBar::StepPart(TPart part)
{
    switch (part) {
    case spUpButton:
        Scroll(scLineUp, FPosition - FSmallChange);
        break;
    case spDownButton:
        Scroll(scLineDown, FPosition + FSmallChange);
        break;
    case spPageUp:
        Scroll(scPageUp, FPosition - FLargeChange);
        break;
    case spPageDown:
        Scroll(scPageDown, FPosition + FLargeChange);
        break;
    default:
        break;
    }
}

void TspSkinScrollBar::DragThumbTo(int position)
{
    if (position != FPosition)
        Scroll(scTrack, position);
}

// --- mouse and keys ------------------------------------------------------------------------

void TspSkinScrollBar::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    if (button == tk::mbLeft && Enabled())
        FTracker.Press({ x, y });
}

void TspSkinScrollBar::MouseMove(tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseMove(shift, x, y);
    FTracker.Move({ x, y });
}

void TspSkinScrollBar::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft) {
        TPart const released = FTracker.Release({ x, y });
        if (released == spThumb) {
            int position = FPosition;
            if (OnScroll)
                OnScroll(this, scPosition, position);
            SetPosition(position);
        }
        if (released != spNone) {
            int position = FPosition;
            if (OnScroll)
                OnScroll(this, scEndScroll, position);
        }
    }
    TspSkinControl::MouseUp(button, shift, x, y);
}

void TspSkinScrollBar::MouseLeave()
{
    FTracker.Leave();
    TspSkinControl::MouseLeave();
}

void TspSkinScrollBar::EnabledChanged()
{
    if (!Enabled())
        FTracker.Cancel();
    TspSkinControl::EnabledChanged();
}

bool TspSkinScrollBar::DoMouseWheel(tk::TShiftState, int wheelDelta, base::TPoint)
{
    if (!Enabled())
        return false;
    if (int const notches = WheelNotches(wheelDelta); notches != 0)
        Scroll(notches > 0 ? scLineUp : scLineDown, FPosition - notches * WheelScrollLines * FSmallChange);
    return true;
}

void TspSkinScrollBar::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    TspSkinControl::KeyDown(key, shift);
    if (key == 0 || !Enabled())
        return;
    bool const back = Vertical() ? key == win::VK_UP : key == win::VK_LEFT;
    bool const forward = Vertical() ? key == win::VK_DOWN : key == win::VK_RIGHT;
    if (back)
        Scroll(scLineUp, FPosition - FSmallChange);
    else if (forward)
        Scroll(scLineDown, FPosition + FSmallChange);
    else if (key == win::VK_PRIOR)
        Scroll(scPageUp, FPosition - FLargeChange);
    else if (key == win::VK_NEXT)
        Scroll(scPageDown, FPosition + FLargeChange);
    else if (key == win::VK_HOME)
        Scroll(scTop, FMin);
    else if (key == win::VK_END)
        Scroll(scBottom, FMax);
    else
        return;
    key = 0;
}

void TspSkinScrollBar::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.Enum(
        "Kind", { "sbHorizontal", "sbVertical" }, [this] { return int64_t(FKind); },
        [this](int64_t v) { SetKind(TScrollBarKind(v)); }, sbHorizontal);
    // Max before Min and Position, so that reading them in order never clips a value.
    p.Integer(
        "Max", [this] { return int64_t(FMax); }, [this](int64_t v) { SetMax(int(v)); }, 100);
    p.Integer(
        "Min", [this] { return int64_t(FMin); }, [this](int64_t v) { SetMin(int(v)); });
    p.Integer(
        "Position", [this] { return int64_t(FPosition); }, [this](int64_t v) { SetPosition(int(v)); });
    p.Integer(
        "PageSize", [this] { return int64_t(FPageSize); }, [this](int64_t v) { SetPageSize(int(v)); });
    p.Integer(
        "SmallChange", [this] { return int64_t(FSmallChange); },
        [this](int64_t v) { SetSmallChange(int(v)); }, 1);
    p.Integer(
        "LargeChange", [this] { return int64_t(FLargeChange); },
        [this](int64_t v) { SetLargeChange(int(v)); }, 10);
}

} // namespace xe::skin
