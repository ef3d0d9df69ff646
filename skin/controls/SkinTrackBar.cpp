#include "skin/controls/SkinTrackBar.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>

namespace xe::skin {

using base::TRect;

namespace {
constexpr char const* HorizontalLook = "htrackbar";
constexpr char const* VerticalLook = "trackbar";
// The thumb without a look: long side across the bar.
constexpr int PlainThumbLength = 10, PlainThumbThickness = 20;
} // namespace

TspSkinTrackBar::TspSkinTrackBar(tk::TComponent* owner)
    : TspSkinControl(owner, HorizontalLook)
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
    SetBounds(Left(), Top(), 150, 25);
}

void TspSkinTrackBar::SetRange(int min, int max)
{
    FMin = min;
    FMax = std::max(min, max);
    SetPosition(FPosition);
    Invalidate();
}

void TspSkinTrackBar::SetPosition(int value)
{
    value = std::clamp(value, FMin, FMax);
    if (value == FPosition)
        return;
    FPosition = value;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TspSkinTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (value == FOrientation)
        return;
    FOrientation = value;
    // The default look follows the orientation; a look the user chose stays.
    char const* const oldLook = value == trVertical ? HorizontalLook : VerticalLook;
    if (SkinDataName() == oldLook)
        SetSkinDataName(value == trVertical ? VerticalLook : HorizontalLook);
    Invalidate();
}

base::TSize TspSkinTrackBar::ThumbSize() const
{
    if (auto* look = LookAs<TspDataSkinTrackBarControl>(); look && !base::IsRectEmpty(look->ButtonRect))
        return { look->ButtonRect.Width(), look->ButtonRect.Height() };
    return Vertical() ? base::TSize { PlainThumbThickness, PlainThumbLength }
                      : base::TSize { PlainThumbLength, PlainThumbThickness };
}

void TspSkinTrackBar::Span(int& from, int& to) const
{
    int const length = Vertical() ? Height() : Width();
    if (auto* look = LookAs<TspDataSkinTrackBarControl>(); look && !base::IsRectEmpty(look->TrackArea)) {
        // The track area's distances from the look's ends are kept at any size.
        TRect const& t = look->TrackArea;
        from = Vertical() ? t.Top : t.Left;
        to = length - (Vertical() ? look->SkinRect.Height() - t.Bottom : look->SkinRect.Width() - t.Right);
    } else {
        base::TSize const thumb = ThumbSize();
        from = (Vertical() ? thumb.cy : thumb.cx) / 2;
        to = length - from;
    }
    to = std::max(to, from);
}

TRect TspSkinTrackBar::ThumbRect() const
{
    int from = 0, to = 0;
    Span(from, to);
    int const range = FMax - FMin;
    int const centre = range > 0 ? from + int(int64_t(to - from) * (FPosition - FMin) / range) : from;
    base::TSize const size = ThumbSize();
    if (Vertical()) {
        int const left = (Width() - size.cx) / 2, top = centre - size.cy / 2;
        return base::Rect(left, top, left + size.cx, top + size.cy);
    }
    int const left = centre - size.cx / 2, top = (Height() - size.cy) / 2;
    return base::Rect(left, top, left + size.cx, top + size.cy);
}

int TspSkinTrackBar::PositionAtCentre(int centre) const
{
    int from = 0, to = 0;
    Span(from, to);
    if (to <= from)
        return FMin;
    int64_t const range = FMax - FMin, offset = std::clamp(centre, from, to) - from;
    // Rounded to the nearest position.
    return FMin + int((offset * range * 2 + (to - from)) / (2 * int64_t(to - from)));
}

void TspSkinTrackBar::SetThumbHot(bool value)
{
    if (value == FThumbHot)
        return;
    FThumbHot = value;
    Invalidate();
}

// --- drawing -------------------------------------------------------------------------------

bool TspSkinTrackBar::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinTrackBarControl>();
    if (!look || !LookPicture())
        return false;
    DrawLookRect(canvas, look->SkinRect, ClientRect());
    bool const active = Enabled() && (FThumbHot || FDragging) && !base::IsRectEmpty(look->ActiveButtonRect);
    DrawLookPiece(canvas, active ? look->ActiveButtonRect : look->ButtonRect, ThumbRect());
    return true;
}

void TspSkinTrackBar::PaintPlain(gfx::TCanvas& canvas)
{
    TspSkinControl::PaintPlain(canvas);
    int from = 0, to = 0;
    Span(from, to);
    // A sunken groove along the span, and a raised thumb.
    TRect const groove = Vertical() ? base::Rect(Width() / 2 - 2, from, Width() / 2 + 2, to)
                                    : base::Rect(from, Height() / 2 - 2, to, Height() / 2 + 2);
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
    canvas.FillRect(groove);
    TRect const thumb = ThumbRect();
    canvas.Brush.Color
        = base::ColorToRGB((FThumbHot || FDragging) && Enabled() ? base::clBtnHighlight : base::clBtnFace);
    canvas.FillRect(thumb);
    canvas.Brush.Color = base::ColorToRGB(Focused() ? base::clHighlight : base::clBtnShadow);
    canvas.FrameRect(thumb);
}

// --- mouse and keys ------------------------------------------------------------------------

void TspSkinTrackBar::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    if (button != tk::mbLeft || !Enabled())
        return;
    if (CanFocus() && !Focused())
        SetFocus();
    TRect const thumb = ThumbRect();
    int const along = Vertical() ? y : x;
    int const centre = Vertical() ? (thumb.Top + thumb.Bottom) / 2 : (thumb.Left + thumb.Right) / 2;
    if (base::PtInRect(thumb, { x, y })) {
        FDragging = true;
        FDragOffset = along - centre;
        Invalidate();
        return;
    }
    // Beside the thumb: a page towards the click.
    SetPosition(FPosition + (along < centre ? -FPageSize : FPageSize));
}

void TspSkinTrackBar::MouseMove(tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseMove(shift, x, y);
    if (FDragging) {
        SetPosition(PositionAtCentre((Vertical() ? y : x) - FDragOffset));
        return;
    }
    SetThumbHot(base::PtInRect(ThumbRect(), { x, y }));
}

void TspSkinTrackBar::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft && FDragging) {
        FDragging = false;
        FThumbHot = base::PtInRect(ThumbRect(), { x, y });
        Invalidate();
    }
    TspSkinControl::MouseUp(button, shift, x, y);
}

void TspSkinTrackBar::MouseLeave()
{
    if (!FDragging)
        SetThumbHot(false);
    TspSkinControl::MouseLeave();
}

bool TspSkinTrackBar::DoMouseWheel(tk::TShiftState, int wheelDelta, base::TPoint)
{
    if (!Enabled())
        return false;
    // While the thumb is held the mouse sets the position.
    if (!FDragging)
        SetPosition(FPosition - WheelNotches(wheelDelta));
    return true;
}

void TspSkinTrackBar::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    TspSkinControl::KeyDown(key, shift);
    if (key == 0 || !Enabled())
        return;
    switch (key) {
    case win::VK_LEFT:
    case win::VK_UP:
        SetPosition(FPosition - 1);
        break;
    case win::VK_RIGHT:
    case win::VK_DOWN:
        SetPosition(FPosition + 1);
        break;
    case win::VK_PRIOR:
        SetPosition(FPosition - FPageSize);
        break;
    case win::VK_NEXT:
        SetPosition(FPosition + FPageSize);
        break;
    case win::VK_HOME:
        SetPosition(FMin);
        break;
    case win::VK_END:
        SetPosition(FMax);
        break;
    default:
        return;
    }
    key = 0;
}

void TspSkinTrackBar::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.Enum(
        "Orientation", { "trHorizontal", "trVertical" }, [this] { return int64_t(FOrientation); },
        [this](int64_t v) { SetOrientation(TTrackBarOrientation(v)); }, trHorizontal);
    // Max before Min and Position, so that reading them in order never clips a value.
    p.Integer(
        "Max", [this] { return int64_t(FMax); },
        [this](int64_t v) { SetRange(std::min(FMin, int(v)), int(v)); }, 10);
    p.Integer(
        "Min", [this] { return int64_t(FMin); }, [this](int64_t v) { SetMin(int(v)); });
    p.Integer(
        "Position", [this] { return int64_t(FPosition); }, [this](int64_t v) { SetPosition(int(v)); });
    p.Integer(
        "PageSize", [this] { return int64_t(FPageSize); }, [this](int64_t v) { SetPageSize(int(v)); }, 2);
}

} // namespace xe::skin
