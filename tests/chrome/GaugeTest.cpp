#include "chrome/Gauge.h"

#include "platform/base/Exceptions.h"

#include <gtest/gtest.h>

#include <climits>

using namespace xe;
using base::TColor;
using chrome::TGauge;

namespace {

constexpr TColor Fore = base::RGB(10, 40, 200);
constexpr TColor Back = base::RGB(250, 240, 230);
constexpr TColor Face = base::RGB(90, 160, 30);

// Counts the repaints a setter asks for.
class TCountingGauge : public TGauge {
public:
    TCountingGauge()
        : TGauge(nullptr)
    {
    }
    int Repaints = 0;

    void Repaint() override { ++Repaints; }
};

gfx::TBitmap Paint(TGauge& gauge)
{
    gfx::TBitmap target(gauge.Width(), gauge.Height());
    target.Fill(base::RGB(1, 2, 3));
    gauge.PaintTo(target.Canvas());
    return target;
}

using TGaugePtr = tk::TComponentPtr<TGauge>;

TGaugePtr MakeGauge(int width, int height, chrome::TGaugeKind kind, bool border)
{
    TGaugePtr holder(new TGauge(nullptr));
    TGauge& gauge = *holder;
    gauge.SetBounds(0, 0, width, height);
    gauge.SetKind(kind);
    gauge.SetBorderStyle(border ? chrome::gbsSingle : chrome::gbsNone);
    gauge.SetShowText(false);
    gauge.SetForeColor(Fore);
    gauge.SetBackColor(Back);
    gauge.SetColor(Face);
    return holder;
}

std::string ErrorOf(auto&& action)
{
    try {
        action();
    } catch (base::EInvalidOperation const& e) {
        return e.Message();
    }
    return "(no error)";
}

} // namespace

TEST(GaugeArithmetic, ScaleToLengthFollowsExtendedPrecision)
{
    // One hundredth rounds below 0.01 in 80 bits, so some exact multiples come out one less.
    EXPECT_EQ(chrome::ScaleToLength(10, 10), 0);
    EXPECT_EQ(chrome::ScaleToLength(30, 10), 2);
    EXPECT_EQ(chrome::ScaleToLength(5, 20), 0);
    EXPECT_EQ(chrome::ScaleToLength(50, 312), 156);
    EXPECT_EQ(chrome::ScaleToLength(100, 21), 21);
    EXPECT_EQ(chrome::ScaleToLength(0, 500), 0);
    // Away from multiples of 100 the result is the plain integer quotient.
    for (int percent = 0; percent <= 100; ++percent) {
        for (int length = 1; length < 400; ++length) {
            if (percent * length % 100 != 0) {
                ASSERT_EQ(chrome::ScaleToLength(percent, length), percent * length / 100)
                    << percent << " " << length;
            }
        }
    }
}

TEST(GaugeArithmetic, PercentTruncatesAndSurvivesLargeRanges)
{
    EXPECT_EQ(chrome::GaugePercent(0, 0, 0), 0);
    EXPECT_EQ(chrome::GaugePercent(0, 3, 1), 33);
    EXPECT_EQ(chrome::GaugePercent(0, 3, 2), 66);
    EXPECT_EQ(chrome::GaugePercent(-10, 10, 0), 50);
    // (progress - min) * 100 does not overflow 32 bits.
    EXPECT_EQ(chrome::GaugePercent(0, 2000000000, 1000000000), 50);
    EXPECT_EQ(chrome::GaugePercent(0, INT_MAX, INT_MAX), 100);
}

TEST(GaugeRange, DefaultsAndBoundErrors)
{
    TGauge gauge(nullptr);
    EXPECT_EQ(gauge.Width(), 100);
    EXPECT_EQ(gauge.Height(), 100);
    EXPECT_EQ(gauge.MinValue(), 0);
    EXPECT_EQ(gauge.MaxValue(), 100);
    EXPECT_EQ(gauge.Kind(), chrome::gkHorizontalBar);
    EXPECT_EQ(gauge.BorderStyle(), chrome::gbsSingle);
    EXPECT_TRUE(gauge.ShowText());

    EXPECT_EQ(ErrorOf([&] { gauge.SetMinValue(101); }), "Value must be between -2147483647 and 99");
    EXPECT_EQ(gauge.MinValue(), 0);
    EXPECT_EQ(ErrorOf([&] { gauge.SetMaxValue(-1); }), "Value must be between 1 and 2147483647");
    EXPECT_EQ(gauge.MaxValue(), 100);

    // Equal bounds are accepted; the percentage is then 0.
    gauge.SetMaxValue(0);
    EXPECT_EQ(gauge.MaxValue(), 0);
    EXPECT_EQ(gauge.PercentDone(), 0);
    gauge.SetMaxValue(10);
    gauge.SetMinValue(10);
    EXPECT_EQ(gauge.MinValue(), 10);
    EXPECT_EQ(gauge.Progress(), 10) << "raising the minimum drags progress along";
}

TEST(GaugeRange, LoadingAcceptsBoundsInAnyOrder)
{
    TGauge gauge(nullptr);
    gauge.SetLoading(true);
    gauge.SetMinValue(500);
    gauge.SetMaxValue(1000);
    gauge.SetLoading(false);
    EXPECT_EQ(gauge.MinValue(), 500);
    EXPECT_EQ(gauge.MaxValue(), 1000);
}

TEST(GaugeRange, ProgressClampsAndRepaintsOnlyOnPercentChange)
{
    TCountingGauge gauge;
    gauge.SetProgress(150);
    EXPECT_EQ(gauge.Progress(), 100);
    gauge.SetProgress(-5);
    EXPECT_EQ(gauge.Progress(), 0);

    gauge.SetMaxValue(1000);
    gauge.Repaints = 0;
    gauge.SetProgress(9);
    EXPECT_EQ(gauge.Progress(), 9);
    EXPECT_EQ(gauge.Repaints, 0);
    gauge.SetProgress(10);
    EXPECT_EQ(gauge.Repaints, 1);
    gauge.SetProgress(10);
    EXPECT_EQ(gauge.Repaints, 1);

    // Lowering the maximum below progress clamps it and repaints.
    gauge.SetMaxValue(5);
    EXPECT_EQ(gauge.Progress(), 5);
    EXPECT_EQ(gauge.Repaints, 2);
    // The plain setters repaint only on a change.
    gauge.SetKind(chrome::gkHorizontalBar);
    gauge.SetForeColor(base::clBlack);
    EXPECT_EQ(gauge.Repaints, 2);
    gauge.SetKind(chrome::gkPie);
    EXPECT_EQ(gauge.Repaints, 3);
}

TEST(GaugePaint, HorizontalBarAtHalfOn313x22)
{
    TGaugePtr gauge = MakeGauge(313, 22, chrome::gkHorizontalBar, true);
    gauge->SetProgress(50);
    gfx::TBitmap image = Paint(*gauge);
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 313; ++x) {
            TColor expected;
            if (x == 0 || y == 0 || x == 312 || y == 21)
                expected = base::clBlack; // the border ring
            else if (x <= 155)
                expected = Fore;
            else
                expected = Back;
            ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y;
        }
}

TEST(GaugePaint, EmptyAndFullBarsWithoutBorder)
{
    TGaugePtr gauge = MakeGauge(40, 10, chrome::gkHorizontalBar, false);
    gfx::TBitmap empty = Paint(*gauge);
    gauge->SetProgress(100);
    gfx::TBitmap full = Paint(*gauge);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(empty.Pixel(x, y), Back);
            ASSERT_EQ(full.Pixel(x, y), Fore);
        }
}

TEST(GaugePaint, VerticalBarRows)
{
    // Without a border the top row stays unfilled even at 100 %.
    TGaugePtr plain = MakeGauge(12, 22, chrome::gkVerticalBar, false);
    plain->SetProgress(100);
    gfx::TBitmap a = Paint(*plain);
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(a.Pixel(x, 0), Back);
        for (int y = 1; y < 22; ++y)
            ASSERT_EQ(a.Pixel(x, y), Fore) << x << "," << y;
    }
    // With a border the whole paint rectangle fills.
    TGaugePtr framed = MakeGauge(12, 22, chrome::gkVerticalBar, true);
    framed->SetProgress(100);
    gfx::TBitmap b = Paint(*framed);
    for (int y = 1; y < 21; ++y)
        for (int x = 1; x < 11; ++x)
            ASSERT_EQ(b.Pixel(x, y), Fore) << x << "," << y;
    EXPECT_EQ(b.Pixel(0, 5), base::clBlack);
    EXPECT_EQ(b.Pixel(5, 21), base::clBlack);
    // At 50 % of H = 23 rows (no border): F = 11, rows 12..21 filled.
    plain->SetProgress(50);
    gfx::TBitmap c = Paint(*plain);
    EXPECT_EQ(c.Pixel(3, 11), Back);
    EXPECT_EQ(c.Pixel(3, 12), Fore);
    EXPECT_EQ(c.Pixel(3, 21), Fore);
}

TEST(GaugePaint, PieGrowsClockwiseFromTwelve)
{
    TGaugePtr gauge = MakeGauge(101, 101, chrome::gkPie, false);
    gfx::TBitmap none = Paint(*gauge);
    EXPECT_EQ(none.Pixel(0, 0), Face) << "corners show the control colour";
    EXPECT_EQ(none.Pixel(75, 25), Back);
    EXPECT_EQ(none.Pixel(25, 75), Back);

    gauge->SetProgress(25);
    gfx::TBitmap quarter = Paint(*gauge);
    EXPECT_EQ(quarter.Pixel(75, 25), Fore) << "upper right quarter";
    EXPECT_EQ(quarter.Pixel(75, 75), Back);
    EXPECT_EQ(quarter.Pixel(25, 75), Back);
    EXPECT_EQ(quarter.Pixel(25, 25), Back);
    EXPECT_EQ(quarter.Pixel(0, 0), Face);

    gauge->SetProgress(75);
    gfx::TBitmap threeQuarters = Paint(*gauge);
    EXPECT_EQ(threeQuarters.Pixel(75, 75), Fore);
    EXPECT_EQ(threeQuarters.Pixel(25, 75), Fore);
    EXPECT_EQ(threeQuarters.Pixel(25, 25), Back);

    gauge->SetProgress(100);
    gfx::TBitmap whole = Paint(*gauge);
    EXPECT_EQ(whole.Pixel(25, 25), Fore);
    EXPECT_EQ(whole.Pixel(50, 50), Fore);
    EXPECT_EQ(whole.Pixel(0, 0), Face);
}

TEST(GaugePaint, NeedlePointsByPercent)
{
    TGaugePtr gauge = MakeGauge(101, 51, chrome::gkNeedle, false);
    gfx::TBitmap zero = Paint(*gauge);
    // Upper half ellipse, unfilled: no needle.
    for (int y = 10; y < 50; ++y)
        ASSERT_NE(zero.Pixel(50, y), Fore) << y;
    EXPECT_EQ(zero.Pixel(0, 0), Face);

    gauge->SetProgress(50);
    gfx::TBitmap up = Paint(*gauge);
    // The needle runs straight up from (50, 49) to (50, 0), last point excluded.
    for (int y = 1; y <= 49; ++y)
        ASSERT_EQ(up.Pixel(50, y), Fore) << y;
    EXPECT_NE(up.Pixel(40, 30), Fore);
    EXPECT_NE(up.Pixel(60, 30), Fore);

    gauge->SetProgress(100);
    gfx::TBitmap right = Paint(*gauge);
    // Pointing right along row 49.
    for (int x = 51; x < 99; ++x)
        ASSERT_EQ(right.Pixel(x, 49), Fore) << x;
    EXPECT_NE(right.Pixel(50, 30), Fore);
}

TEST(GaugePaint, TextInvertsWhateverLiesBelow)
{
    // The text layer is XORed in: the difference it makes must be the same over the bar's
    // filled part and the unfilled part, and nothing outside the paint rectangle changes.
    auto textDifference = [](TColor fore, TColor back) {
        TGaugePtr gauge = MakeGauge(120, 30, chrome::gkHorizontalBar, true);
        gauge->SetForeColor(fore);
        gauge->SetBackColor(back);
        gauge->SetProgress(42);
        gfx::TBitmap plain = Paint(*gauge);
        gauge->SetShowText(true);
        gfx::TBitmap text = Paint(*gauge);
        gfx::TBitmap diff(120, 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                diff.SetPixel(x, y, base::ColorToRGB(text.Pixel(x, y)) ^ base::ColorToRGB(plain.Pixel(x, y)));
        return diff;
    };
    gfx::TBitmap a = textDifference(Fore, Back);
    gfx::TBitmap b = textDifference(base::RGB(255, 0, 0), base::RGB(0, 0, 0));
    EXPECT_TRUE(gfx::SamePixels(a, b));
    int changed = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            TColor d = a.Pixel(x, y);
            if (x == 0 || y == 0 || x == 119 || y == 29) {
                ASSERT_EQ(d, 0u) << "border " << x << "," << y;
            }
            if (d != 0) {
                ++changed;
                // White glyphs: each channel is inverted alike.
                EXPECT_EQ(base::GetRValue(d), base::GetGValue(d));
                EXPECT_EQ(base::GetGValue(d), base::GetBValue(d));
                // Centred text: nothing near the left or right end.
                EXPECT_GT(x, 30);
                EXPECT_LT(x, 90);
            }
        }
    EXPECT_GT(changed, 10);
}

TEST(GaugePaint, BltBitmapMakeLikeTakesSizeAndFrameColour)
{
    gfx::TBitmap templ(7, 3);
    chrome::TBltBitmap blt;
    blt.MakeLike(templ);
    EXPECT_EQ(blt.Width(), 7);
    EXPECT_EQ(blt.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(base::ColorToRGB(blt.Pixel(x, y)), base::ColorToRGB(base::clWindowFrame));
}
