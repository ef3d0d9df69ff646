#pragma once

#include "skin/controls/SkinControl.h"

namespace xe::skin {

enum TTrackBarOrientation { trHorizontal, trVertical };

// A track bar drawn from a `trackbar` look: the track (the look's image at the control's
// size) and the thumb (`buttonrect`, `activebuttonrect` while under the mouse or dragged),
// whose centre runs along `trackarea` from Min to Max. Horizontal bars use the look named
// `htrackbar`, vertical ones `trackbar`, unless SkinDataName names another. The thumb is
// dragged; a click beside it moves by PageSize towards the click; arrows move by 1, Page Up
// and Page Down by PageSize, Home and End to the ends.
class TspSkinTrackBar : public TspSkinControl {
public:
    explicit TspSkinTrackBar(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinTrackBar"; }

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    // Max below Min is raised to Min; the position is kept inside.
    void SetMin(int value) { SetRange(value, std::max(value, FMax)); }
    void SetMax(int value) { SetRange(std::min(FMin, value), value); }
    void SetRange(int min, int max);
    void SetPosition(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value) { FPageSize = std::max(value, 1); }
    TTrackBarOrientation Orientation() const { return FOrientation; }
    // Turns the bar, and its default look with it.
    void SetOrientation(TTrackBarOrientation value);

    // The thumb's rectangle in control coordinates.
    base::TRect ThumbRect() const;
    bool Dragging() const { return FDragging; }

    tk::TNotifyEvent OnChange;

    void DefineProperties(tk::TProperties& properties) override;

protected:
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    // A notch away from the user steps back one, as the Up key does.
    bool DoMouseWheel(tk::TShiftState shift, int wheelDelta, base::TPoint mousePos) override;

private:
    bool Vertical() const { return FOrientation == trVertical; }
    // The thumb's size, and the span its centre runs along (on the bar's axis).
    base::TSize ThumbSize() const;
    void Span(int& from, int& to) const;
    int PositionAtCentre(int centre) const;
    void SetThumbHot(bool value);

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FPageSize = 2;
    TTrackBarOrientation FOrientation = trHorizontal;
    bool FDragging = false;
    bool FThumbHot = false;
    int FDragOffset = 0; // from the thumb's centre to the point that holds it
};

} // namespace xe::skin
