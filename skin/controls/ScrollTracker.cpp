#include "skin/controls/ScrollTracker.h"

#include <algorithm>
#include <cstdint>

namespace xe::skin {

using base::TPoint;
using H = TspScrollBarHost;

TspScrollTracker::TspScrollTracker(TspScrollBarHost& host)
    : FHost(host)
    , FRepeat(new tk::TTimer(nullptr))
{
    FRepeat->SetEnabled(false);
    FRepeat->OnTimer = [this](tk::TComponent*) { RepeatTick(); };
}

TspScrollTracker::TPart TspScrollTracker::PartAt(TPoint p) const
{
    for (TPart part : { H::spThumb, H::spUpButton, H::spDownButton, H::spPageUp, H::spPageDown })
        if (base::PtInRect(FHost.PartRect(part), p))
            return part;
    return H::spNone;
}

bool TspScrollTracker::Press(TPoint p)
{
    TPart const part = PartAt(p);
    if (part == H::spNone)
        return false;
    FMouse = p;
    FPressed = FHot = part;
    FHost.ScrollPartsChanged();
    if (part == H::spThumb) {
        base::TRect const thumb = FHost.PartRect(part);
        H::TTrack const t = FHost.Track();
        FDragOffset = t.Vertical ? p.Y - thumb.Top : p.X - thumb.Left;
        return true;
    }
    if (Step(part)) {
        FRepeat->SetInterval(H::RepeatDelay);
        FRepeat->SetEnabled(true);
    }
    return true;
}

void TspScrollTracker::Move(TPoint p)
{
    FMouse = p;
    if (FPressed == H::spThumb) {
        // The thumb's start follows the mouse along the track; the position is in the same
        // proportion of the range as the thumb's start of the room it has, rounded.
        H::TTrack const t = FHost.Track();
        int const free = (t.To - t.From) - t.ThumbLength;
        int const start = (t.Vertical ? p.Y : p.X) - FDragOffset - t.From;
        int64_t const range = int64_t(t.Max) - t.Min;
        int const position = free > 0 && range > 0
            ? t.Min + int((int64_t(std::clamp(start, 0, free)) * range * 2 + free) / (2 * int64_t(free)))
            : t.Min;
        FHost.DragThumbTo(position);
        return;
    }
    TPart const part = PartAt(p);
    // While a part is held, only that part can be lit.
    SetHot(FPressed == H::spNone || part == FPressed ? part : H::spNone);
}

TspScrollTracker::TPart TspScrollTracker::Release(TPoint p)
{
    TPart const released = FPressed;
    if (released == H::spNone)
        return released;
    FPressed = H::spNone;
    FRepeat->SetEnabled(false);
    FHot = PartAt(p);
    FHost.ScrollPartsChanged();
    return released;
}

void TspScrollTracker::Leave() { SetHot(H::spNone); }

void TspScrollTracker::Cancel()
{
    FRepeat->SetEnabled(false);
    if (FPressed == H::spNone && FHot == H::spNone)
        return;
    FPressed = FHot = H::spNone;
    FHost.ScrollPartsChanged();
}

bool TspScrollTracker::Step(TPart part)
{
    switch (part) {
    case H::spUpButton:
    case H::spDownButton:
        FHost.StepPart(part);
        return true;
    case H::spPageUp:
    case H::spPageDown:
        // Pages go on only while the mouse is still beside the thumb on that side.
        if (!base::PtInRect(FHost.PartRect(part), FMouse))
            return false;
        FHost.StepPart(part);
        return true;
    default:
        return false;
    }
}

void TspScrollTracker::RepeatTick()
{
    FRepeat->SetInterval(H::RepeatInterval);
    if (FPressed == H::spNone || FPressed == H::spThumb) {
        FRepeat->SetEnabled(false);
        return;
    }
    // A held button repeats only while the mouse stays on it.
    if ((FPressed == H::spUpButton || FPressed == H::spDownButton) && FHot != FPressed)
        return;
    Step(FPressed);
}

void TspScrollTracker::SetHot(TPart part)
{
    if (part == FHot)
        return;
    FHot = part;
    FHost.ScrollPartsChanged();
}

} // namespace xe::skin
