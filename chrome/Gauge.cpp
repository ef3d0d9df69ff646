#include "chrome/Gauge.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/toolkit/Persistence.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace xe::chrome {

using base::TColor;
using base::TRect;
using gfx::TCanvas;

// The bar lengths are defined by 80-bit extended arithmetic (see ScaleToLength); refuse to
// build where long double is anything else.
static_assert(
    std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
    "long double must be the x87 80-bit extended format");

namespace {

// 32-bit wrapping difference, as the original integer arithmetic behaves.
int32_t Diff32(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }

// Round to nearest, ties to even, in extended precision.
int RoundEven(long double x) { return int(std::nearbyint(x)); }

void BlackOut(gfx::TBitmap& bitmap)
{
    gfx::PatBlt(bitmap.Canvas(), 0, 0, bitmap.Width(), bitmap.Height(), gfx::BLACKNESS);
}

void Solid(TCanvas& canvas, TColor brush, TColor pen)
{
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = brush;
    canvas.Pen.Style = gfx::psSolid;
    canvas.Pen.Mode = gfx::pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = pen;
}

} // namespace

void TBltBitmap::MakeLike(gfx::TBitmap const& templateBitmap)
{
    SetSize(templateBitmap.Width(), templateBitmap.Height());
    TCanvas& canvas = Canvas();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::clWindowFrame;
    canvas.FillRect(base::Rect(0, 0, Width(), Height()));
}

int GaugePercent(int32_t minValue, int32_t maxValue, int32_t progress)
{
    int32_t range = Diff32(maxValue, minValue);
    if (range == 0)
        return 0;
    return int(int64_t(Diff32(progress, minValue)) * 100 / range);
}

int ScaleToLength(int percent, int length)
{
    // volatile keeps each product rounded to the 80-bit format in the order written.
    long double const volatile hundredth = 0.01L;
    long double volatile scaled = static_cast<long double>(percent) * hundredth;
    long double volatile result = scaled * static_cast<long double>(length);
    return int(std::trunc(result));
}

TGauge::TGauge(tk::TComponent* owner)
    : tk::TGraphicControl(owner)
{
    FControlStyle |= tk::csFramed | tk::csOpaque;
    SetBounds(Left(), Top(), 100, 100);
}

void TGauge::DefineProperties(tk::TProperties& p)
{
    tk::TGraphicControl::DefineProperties(p);
    p.Color(
        "BackColor", [this] { return int64_t(FBackColor); }, [this](int64_t v) { SetBackColor(TColor(v)); },
        int64_t(base::clWhite));
    p.Enum(
        "BorderStyle", { "bsNone", "bsSingle" }, [this] { return int64_t(FBorderStyle); },
        [this](int64_t v) { SetBorderStyle(TGaugeBorderStyle(v)); }, int64_t(gbsSingle));
    p.Color(
        "ForeColor", [this] { return int64_t(FForeColor); }, [this](int64_t v) { SetForeColor(TColor(v)); },
        int64_t(base::clBlack));
    p.Enum(
        "Kind", { "gkText", "gkHorizontalBar", "gkVerticalBar", "gkPie", "gkNeedle" },
        [this] { return int64_t(FKind); }, [this](int64_t v) { SetKind(TGaugeKind(v)); },
        int64_t(gkHorizontalBar));
    p.Integer(
        "MinValue", [this] { return FMinValue; }, [this](int64_t v) { SetMinValue(int32_t(v)); }, 0);
    p.Integer(
        "MaxValue", [this] { return FMaxValue; }, [this](int64_t v) { SetMaxValue(int32_t(v)); }, 100);
    p.Integer(
        "Progress", [this] { return FCurValue; }, [this](int64_t v) { SetProgress(int32_t(v)); }, 0);
    p.Boolean(
        "ShowText", [this] { return FShowText; }, [this](bool v) { SetShowText(v); }, true);
}

void TGauge::SetMinValue(int32_t value)
{
    if (value == FMinValue)
        return;
    if (value > FMaxValue && !IsLoading())
        throw base::EInvalidOperation(
            base::Format("Value must be between %d and %d", -2147483647, Diff32(FMaxValue, 1)));
    FMinValue = value;
    if (FCurValue < value)
        FCurValue = value;
    Repaint();
}

void TGauge::SetMaxValue(int32_t value)
{
    if (value == FMaxValue)
        return;
    if (value < FMinValue && !IsLoading())
        throw base::EInvalidOperation(
            base::Format("Value must be between %d and %d", Diff32(FMinValue, -1), 2147483647));
    FMaxValue = value;
    if (FCurValue > value)
        FCurValue = value;
    Repaint();
}

void TGauge::SetProgress(int32_t value)
{
    int before = CompletedPercent();
    if (value < FMinValue)
        value = FMinValue;
    else if (value > FMaxValue)
        value = FMaxValue;
    if (value == FCurValue)
        return;
    FCurValue = value;
    if (CompletedPercent() != before)
        Repaint();
}

void TGauge::SetKind(TGaugeKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    Repaint();
}

void TGauge::SetShowText(bool value)
{
    if (value == FShowText)
        return;
    FShowText = value;
    Repaint();
}

void TGauge::SetBorderStyle(TGaugeBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    Repaint();
}

void TGauge::SetForeColor(TColor value)
{
    if (value == FForeColor)
        return;
    FForeColor = value;
    Repaint();
}

void TGauge::SetBackColor(TColor value)
{
    if (value == FBackColor)
        return;
    FBackColor = value;
    Repaint();
}

TRect TGauge::PaintRect() const
{
    TRect r = base::Rect(0, 0, Width(), Height());
    if (FBorderStyle == gbsSingle)
        base::InflateRect(r, -1, -1);
    return r;
}

// Every style draws onto the overlay, which starts black; outside the paint rectangle it
// stays black, so a single border shows as a black ring after the XOR.
void TGauge::Paint()
{
    TCanvas& canvas = Canvas();
    int const w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    gfx::TBitmap work(w, h);
    BlackOut(work);
    TRect const r = PaintRect();
    {
        TBltBitmap overlay;
        overlay.MakeLike(work);
        BlackOut(overlay);
        TCanvas& oc = overlay.Canvas();
        switch (FKind) {
        case gkText:
            PaintAsText(oc, r);
            break;
        case gkHorizontalBar:
        case gkVerticalBar:
            PaintAsBar(oc, r);
            break;
        case gkPie:
            PaintAsPie(oc, r);
            break;
        case gkNeedle:
            PaintAsNeedle(oc, r);
            break;
        }
        gfx::BitBlt(work.Canvas(), 0, 0, w, h, overlay, 0, 0, gfx::SRCINVERT);
    }
    if (FShowText)
        PaintAsTextLayer(work, r);
    gfx::BitBlt(canvas, 0, 0, w, h, work, 0, 0, gfx::SRCCOPY);
}

void TGauge::PaintAsText(TCanvas& canvas, TRect const& r) const
{
    Solid(canvas, FBackColor, FForeColor);
    canvas.FillRect(r);
}

void TGauge::PaintAsBar(TCanvas& canvas, TRect const& r) const
{
    int const width = r.Right - r.Left + 1;
    int const height = r.Bottom - r.Top + 1;
    Solid(canvas, FBackColor, FForeColor);
    canvas.FillRect(r);
    canvas.Brush.Color = FForeColor;
    if (FKind == gkHorizontalBar) {
        int fill = ScaleToLength(CompletedPercent(), width);
        if (fill > width)
            fill = width;
        if (fill > 0)
            canvas.FillRect(base::Rect(r.Left, r.Top, fill, height));
    } else {
        int fill = ScaleToLength(CompletedPercent(), height);
        if (fill >= height)
            fill = height - 1;
        canvas.FillRect(base::Rect(r.Left, height - fill, width, height));
    }
}

void TGauge::PaintAsPie(TCanvas& canvas, TRect const& r) const
{
    int width = r.Right - r.Left;
    int height = r.Bottom - r.Top;
    if (FBorderStyle == gbsSingle) {
        ++width;
        ++height;
    }
    Solid(canvas, Color(), FForeColor);
    canvas.FillRect(r);
    canvas.Brush.Color = FBackColor;
    canvas.Ellipse(r.Left, r.Top, width, height);
    int const percent = CompletedPercent();
    if (percent > 0) {
        canvas.Brush.Color = FForeColor;
        long double const angle = (percent / 50.0L + 0.5L) * std::numbers::pi_v<long double>;
        int const x = RoundEven((1 - std::cos(angle)) * (width / 2));
        int const y = RoundEven((1 - std::sin(angle)) * (height / 2));
        canvas.Pie(r.Left, r.Top, width, height, x, y, width / 2, 0);
    }
}

void TGauge::PaintAsNeedle(TCanvas& canvas, TRect const& r) const
{
    int width = r.Right - r.Left;
    int height = r.Bottom - r.Top;
    if (FBorderStyle == gbsSingle) {
        ++width;
        ++height;
    }
    Solid(canvas, Color(), FForeColor);
    canvas.FillRect(r);
    canvas.Brush.Color = FBackColor;
    canvas.Pie(r.Left, r.Top, width, height * 2 - 1, r.Left + width, r.Bottom - 1, r.Left, r.Bottom - 1);
    canvas.MoveTo(r.Left, r.Bottom);
    canvas.LineTo(r.Left + width, r.Bottom);
    int const percent = CompletedPercent();
    if (percent > 0) {
        int const centre = Width() / 2;
        long double const angle = percent / 100.0L * std::numbers::pi_v<long double>;
        canvas.MoveTo(centre, r.Bottom - 1);
        canvas.LineTo(
            RoundEven((1 - std::cos(angle)) * centre), RoundEven((1 - std::sin(angle)) * (r.Bottom - 1)));
    }
}

// White text on black, XORed into the image: every colour under a glyph is inverted.
void TGauge::PaintAsTextLayer(gfx::TBitmap& image, TRect const& r)
{
    TBltBitmap layer;
    layer.MakeLike(image);
    BlackOut(layer);
    TCanvas& canvas = layer.Canvas();
    std::string const text = base::Format("%d%%", CompletedPercent());
    canvas.Font.Assign(Font());
    canvas.Font.SetColor(base::clWhite);
    canvas.SetBkMode(gfx::TRANSPARENT);
    canvas.Brush.Style = gfx::bsClear;
    base::TSize const extent = canvas.TextExtent(text);
    int const x = (r.Right - r.Left + 1 - extent.cx) / 2;
    int const y = (r.Bottom - r.Top + 1 - extent.cy) / 2;
    canvas.TextRect(r, x, y, text);
    gfx::BitBlt(image.Canvas(), 0, 0, image.Width(), image.Height(), layer, 0, 0, gfx::SRCINVERT);
}

} // namespace xe::chrome
