#pragma once

// The mouse on a scroll bar, shared by the stand-alone scroll bar and the bars built into
// the list box and the memo: which part is pressed and which lit, the thumb dragged in
// proportion to the track, and a held button or page repeating.

#include "platform/base/Geometry.h"
#include "platform/toolkit/ExtCtrls.h"

namespace xe::skin {

// What a scroll bar tells the tracker and what the tracker asks of it.
class TspScrollBarHost {
public:
    // The parts of a bar, for hit testing and the state of each.
    enum TPart { spNone, spUpButton, spDownButton, spPageUp, spPageDown, spThumb };
    // A held button or page steps again after RepeatDelay ms, then every RepeatInterval ms.
    static constexpr unsigned RepeatDelay = 400;
    static constexpr unsigned RepeatInterval = 50;

    // A part's rectangle in the owner's client coordinates; empty when it is not shown.
    virtual base::TRect PartRect(TPart part) const = 0;
    // The track along the bar, [from, to), the thumb's length and the positions at the
    // track's two ends.
    struct TTrack {
        bool Vertical = true;
        int From = 0;
        int To = 0;
        int ThumbLength = 0;
        int Min = 0;
        int Max = 0;
    };
    virtual TTrack Track() const = 0;
    // One step of a button (a line) or of the track beside the thumb (a page).
    virtual void StepPart(TPart part) = 0;
    // The dragged thumb asks for a position (at every move).
    virtual void DragThumbTo(int position) = 0;
    // The pressed or lit part changed: the bar is to be drawn again.
    virtual void ScrollPartsChanged() = 0;

protected:
    ~TspScrollBarHost() = default;
};

class TspScrollTracker {
public:
    using TPart = TspScrollBarHost::TPart;

    explicit TspScrollTracker(TspScrollBarHost& host);

    TPart Pressed() const { return FPressed; }
    TPart Hot() const { return FHot; }
    bool Dragging() const { return FPressed == TspScrollBarHost::spThumb; }
    TPart PartAt(base::TPoint p) const;

    // A press at a point (the owner's client coordinates): a button or the track steps at
    // once and repeats while held; the thumb starts a drag. False when on no part.
    bool Press(base::TPoint p);
    // The mouse moved: the dragged thumb follows, otherwise the part under it is lit (only
    // the pressed one while a part is held).
    void Move(base::TPoint p);
    // The button came up (anywhere): the part held goes; it is returned (spNone: none).
    TPart Release(base::TPoint p);
    // The mouse left the bar's owner.
    void Leave();
    // Drops what is held without a release (the owner was disabled, lost the mouse).
    void Cancel();

private:
    // One step of the part held; false when it has nothing more to do.
    bool Step(TPart part);
    void RepeatTick();
    void SetHot(TPart part);

    TspScrollBarHost& FHost;
    TPart FPressed = TspScrollBarHost::spNone;
    TPart FHot = TspScrollBarHost::spNone;
    base::TPoint FMouse; // the mouse while a part is held
    int FDragOffset = 0; // from the thumb's start to the point that holds it
    tk::TComponentPtr<tk::TTimer> FRepeat;
};

} // namespace xe::skin
