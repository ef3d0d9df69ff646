#pragma once

#include "skin/controls/SkinControl.h"

namespace xe::skin {

// A progress gauge drawn from a gauge look: the frame cut from its image, and the bar cut
// from the look's progress image into its progress area (which grows with the gauge) as
// far as Value goes from MinValue to MaxValue. The bar keeps the first beginoffset and the
// last endoffset pixels of the progress image and tiles the middle. The look says whether
// the bar grows from the left or, vertical, from the bottom; Vertical picks the "vgauge"
// look instead of "gauge" (while the look name is one of those two).
class TspSkinGauge : public TspSkinControl {
public:
    explicit TspSkinGauge(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinGauge"; }

    int MinValue() const { return FMinValue; }
    void SetMinValue(int value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value);
    // Kept within MinValue .. MaxValue.
    int Value() const { return FValue; }
    void SetValue(int value);
    bool Vertical() const { return FVertical; }
    void SetVertical(bool value);
    // Draws the percentage ("45%") in the look's font over the bar.
    bool ShowProgressText() const { return FShowProgressText; }
    void SetShowProgressText(bool value);
    int Percent() const;

    // The progress area and the bar in it now, in the control's coordinates.
    base::TRect ProgressArea() const;
    base::TRect BarRect() const;

    void DefineProperties(tk::TProperties& properties) override;

protected:
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;

private:
    bool BarVertical() const;

    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 0;
    bool FVertical = false;
    bool FShowProgressText = false;
};

} // namespace xe::skin
