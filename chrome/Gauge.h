#pragma once

#include "platform/base/Colors.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Controls.h"

#include <cstdint>

namespace xe::chrome {

// The gauge's scratch bitmap.
class TBltBitmap : public gfx::TBitmap {
public:
    // Takes the template's size and fills the whole bitmap with the window-frame colour.
    void MakeLike(gfx::TBitmap const& templateBitmap);
};

enum TGaugeKind : uint8_t { gkText = 0, gkHorizontalBar = 1, gkVerticalBar = 2, gkPie = 3, gkNeedle = 4 };
enum TGaugeBorderStyle : uint8_t { gbsNone = 0, gbsSingle = 1 };

// The whole percentage of progress within min..max: 0 for an empty range, otherwise
// truncated toward zero. The differences wrap as 32-bit values do; the product with 100
// does not overflow.
int GaugePercent(int32_t minValue, int32_t maxValue, int32_t progress);

// (percent * 0.01) * length in 80-bit extended arithmetic, truncated toward zero. The
// constant one hundredth rounds slightly below 0.01 in that format, so the result is one
// less than (percent * length) div 100 for some exact multiples of 100 (10 % of 10 is 0),
// and the bars' pixel extents depend on exactly that.
int ScaleToLength(int percent, int length);

// A windowless progress indicator: a bar, a pie, a needle or a bare percentage, with the
// percentage written over it in colours that invert whatever lies below the text. Every
// paint draws into an off-screen bitmap and copies it in one operation. The control is
// opaque, so a setter that repaints draws it at once on the parent's surface, without
// waiting for the message queue: progress shows while the owner keeps the thread busy.
class TGauge : public tk::TGraphicControl {
public:
    explicit TGauge(tk::TComponent* owner);
    char const* ClassName() const override { return "TGauge"; }

    int32_t MinValue() const { return FMinValue; }
    int32_t MaxValue() const { return FMaxValue; }
    int32_t Progress() const { return FCurValue; }
    // Raises EInvalidOperation "Value must be between %d and %d" for a bound that would
    // cross the other one (unless the control is being loaded); equal bounds are accepted.
    void SetMinValue(int32_t value);
    void SetMaxValue(int32_t value);
    // Clamps into the range; repaints only when the whole percentage changes.
    void SetProgress(int32_t value);
    void AddProgress(int32_t value) { SetProgress(FCurValue + value); }
    int PercentDone() const { return CompletedPercent(); }

    TGaugeKind Kind() const { return FKind; }
    void SetKind(TGaugeKind value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value);
    TGaugeBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TGaugeBorderStyle value);
    base::TColor ForeColor() const { return FForeColor; }
    void SetForeColor(base::TColor value);
    base::TColor BackColor() const { return FBackColor; }
    void SetBackColor(base::TColor value);

    void DefineProperties(tk::TProperties& properties) override;

protected:
    int CompletedPercent() const { return GaugePercent(FMinValue, FMaxValue, FCurValue); }
    void Paint() override;

private:
    base::TRect PaintRect() const;
    void PaintAsText(gfx::TCanvas& canvas, base::TRect const& r) const;
    void PaintAsBar(gfx::TCanvas& canvas, base::TRect const& r) const;
    void PaintAsPie(gfx::TCanvas& canvas, base::TRect const& r) const;
    void PaintAsNeedle(gfx::TCanvas& canvas, base::TRect const& r) const;
    void PaintAsTextLayer(gfx::TBitmap& image, base::TRect const& r);

    int32_t FMinValue = 0;
    int32_t FMaxValue = 100;
    int32_t FCurValue = 0;
    TGaugeKind FKind = gkHorizontalBar;
    bool FShowText = true;
    TGaugeBorderStyle FBorderStyle = gbsSingle;
    base::TColor FForeColor = base::clBlack;
    base::TColor FBackColor = base::clWhite;
};

} // namespace xe::chrome
