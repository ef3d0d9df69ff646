#pragma once

#include "skin/controls/ScrollTracker.h"
#include "skin/controls/SkinControl.h"

#include <functional>

namespace xe::skin {

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
// A scroll step or drag is about to set the position: the handler may change scrollPos.
using TScrollEvent = std::function<void(tk::TComponent* sender, TScrollCode code, int& scrollPos)>;

// A scroll bar drawn from a `hscrollbar` or `vscrollbar` look (by Kind, unless SkinDataName
// names another): the bar (the look's image at the control's size), a button at either end
// (normal, hot, pressed images), and between them, in `trackarea`, the thumb (its image's
// first `thumboffset1` and last `thumboffset2` pixels kept, the middle tiled to its length;
// hot and dragged images) with the grip glyph on its centre. The buttons step by
// SmallChange and the track beside the thumb by LargeChange, repeating while held (after
// RepeatDelay, every RepeatInterval ms); the thumb drags. PageSize, when set, sizes the
// thumb as the visible part of Min..Max+PageSize.
// The parts (TPart) and the repeat times come from TspScrollBarHost.
class TspSkinScrollBar : public TspSkinControl, public TspScrollBarHost {
public:
    explicit TspSkinScrollBar(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinScrollBar"; }

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    void SetMin(int value) { SetParams(FPosition, value, std::max(value, FMax)); }
    void SetMax(int value) { SetParams(FPosition, std::min(FMin, value), value); }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    // Sets the range (Max raised to Min) and the position inside it; OnChange when the
    // position changed.
    void SetParams(int position, int min, int max);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = std::max(value, 1); }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = std::max(value, 1); }

    // Geometry in control coordinates.
    base::TRect PartRect(TPart part) const override;
    TPart PartAt(int x, int y) const { return FTracker.PartAt({ x, y }); }
    // The part held down by the mouse, and the one under it.
    TPart PressedPart() const { return FTracker.Pressed(); }
    TPart HotPart() const { return FTracker.Hot(); }

    tk::TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void DefineProperties(tk::TProperties& properties) override;

protected:
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    // A notch scrolls three small changes, back when turned away from the user.
    bool DoMouseWheel(tk::TShiftState shift, int wheelDelta, base::TPoint mousePos) override;
    void EnabledChanged() override;

private:
    bool Vertical() const { return FKind == sbVertical; }
    // Lengths along the bar: the two buttons, and the track between them.
    void Layout(int& upLength, int& downLength, int& trackFrom, int& trackTo) const;
    int ThumbLength(int trackLength) const;
    int MinThumbLength() const;
    // Runs a step: OnScroll (which may change the new position), then the position.
    void Scroll(TScrollCode code, int position);
    // The tracker's questions and requests.
    TTrack Track() const override;
    void StepPart(TPart part) override;
    void DragThumbTo(int position) override;
    void ScrollPartsChanged() override { Invalidate(); }
    // Draws the look's piece src stretched or strip-composed into dst.
    void DrawThumb(gfx::TCanvas& canvas, TspDataSkinScrollBarControl const& look, base::TRect const& src,
        base::TRect const& dst) const;

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 10;
    TspScrollTracker FTracker { *this };
};

} // namespace xe::skin
