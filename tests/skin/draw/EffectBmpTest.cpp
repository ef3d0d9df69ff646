#include "skin/draw/EffectBmp.h"

#include "EffectReference.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using base::RGB;
using base::TColor;

namespace {

// An image whose column x has colour cols[x] in every row.
TspEffectBmp Columns(int h, std::vector<TColor> const& cols)
{
    TspEffectBmp img(int(cols.size()), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < int(cols.size()); ++x)
            img.SetPixel(x, y, cols[size_t(x)]);
    return img;
}

// An image whose row y has colour rows[y] in every column.
TspEffectBmp Rows(int w, std::vector<TColor> const& rows)
{
    TspEffectBmp img(w, int(rows.size()));
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < w; ++x)
            img.SetPixel(x, y, rows[size_t(y)]);
    return img;
}

std::string Hex(TColor c)
{
    char buf[16];
    snprintf(buf, sizeof buf, "%06X", unsigned(c));
    return buf;
}

::testing::AssertionResult HasColumns(TspEffectBmp const& img, std::vector<TColor> const& cols)
{
    if (img.Width() != int(cols.size()))
        return ::testing::AssertionFailure() << "width " << img.Width();
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            if (img.Pixel(x, y) != cols[size_t(x)])
                return ::testing::AssertionFailure()
                    << "pixel (" << x << "," << y << ") is " << Hex(img.Pixel(x, y)) << ", expected "
                    << Hex(cols[size_t(x)]);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasRows(TspEffectBmp const& img, std::vector<TColor> const& rows)
{
    if (img.Height() != int(rows.size()))
        return ::testing::AssertionFailure() << "height " << img.Height();
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            if (img.Pixel(x, y) != rows[size_t(y)])
                return ::testing::AssertionFailure()
                    << "pixel (" << x << "," << y << ") is " << Hex(img.Pixel(x, y)) << ", expected "
                    << Hex(rows[size_t(y)]);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameImage(TspEffectBmp const& a, TspEffectBmp const& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return ::testing::AssertionFailure()
                    << "pixel (" << x << "," << y << "): " << Hex(a.Pixel(x, y)) << " vs "
                    << Hex(b.Pixel(x, y));
    return ::testing::AssertionSuccess();
}

// Normal picture columns N0..N3 and active picture columns A0..A3, all distinct. Mixes of an
// N and A column are written out below with t * N + (1 - t) * A worked by hand.
const TColor N0 = RGB(0, 0, 0), N1 = RGB(0, 10, 100), N2 = RGB(1, 20, 200), N3 = RGB(2, 30, 250);
const TColor A0 = RGB(255, 255, 0), A1 = RGB(255, 11, 50), A2 = RGB(2, 21, 0), A3 = RGB(3, 60, 150);

} // namespace

TEST(EffectBmp, OwnsACopyOfItsBitmap)
{
    gfx::TBitmap picture(3, 2);
    picture.Fill(RGB(10, 20, 30));
    TspEffectBmp img(picture);
    img.Invert();
    EXPECT_EQ(picture.Pixel(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(img.Pixel(1, 1), RGB(245, 235, 225));
    EXPECT_EQ(img.RowStride(), 3 * 3 + 3);
    EXPECT_EQ(img.Size(), 12 * 2);

    gfx::TBitmap back;
    img.AssignTo(back);
    EXPECT_EQ(back.Width(), 3);
    EXPECT_EQ(back.Pixel(2, 1), RGB(245, 235, 225));
}

TEST(EffectBmp, PixelAndRowAccessStayInside)
{
    TspEffectBmp img(2, 2);
    img.SetPixel(1, 0, RGB(1, 2, 3));
    EXPECT_EQ(img.Pixel(1, 0), RGB(1, 2, 3));
    EXPECT_EQ(img.RowAddress(0)[3], 3); // blue first
    EXPECT_EQ(img.RowAddress(0)[5], 1);
    img.SetPixel(2, 0, RGB(9, 9, 9));
    img.SetPixel(-1, 0, RGB(9, 9, 9));
    EXPECT_EQ(img.Pixel(2, 0), base::clBlack);
    EXPECT_EQ(img.RowAddress(2), nullptr);

    uint8_t row[6] = { 1, 2, 3, 4, 5, 6 };
    img.SetRow(1, row);
    uint8_t out[6] = {};
    img.GetRow(1, out);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 6), std::vector<uint8_t>(row, row + 6));
    img.SetRow(5, row); // ignored
    img.GetRow(-1, out); // ignored
}

TEST(EffectBmp, BlendAtZeroHalfAndOne)
{
    TspEffectBmp other = Columns(2, { RGB(255, 2, 3), RGB(40, 50, 60) });
    auto normal = [] { return Columns(2, { RGB(0, 1, 2), RGB(20, 30, 40) }); };

    TspEffectBmp img = normal();
    img.Blend(other, 0);
    EXPECT_TRUE(HasColumns(img, { RGB(0, 1, 2), RGB(20, 30, 40) }));
    img = normal();
    img.Blend(other, 1);
    EXPECT_TRUE(HasColumns(img, { RGB(255, 2, 3), RGB(40, 50, 60) }));
    img = normal();
    img.Blend(other, 0.5);
    // 127.5 -> 128, 1.5 -> 2, 2.5 -> 2: ties go to the even neighbour.
    EXPECT_TRUE(HasColumns(img, { RGB(128, 2, 2), RGB(30, 40, 50) }));
    // Factors outside 0..1 are clamped.
    img = normal();
    img.Blend(other, 7);
    EXPECT_TRUE(HasColumns(img, { RGB(255, 2, 3), RGB(40, 50, 60) }));
    img = normal();
    img.Blend(other, -3);
    EXPECT_TRUE(HasColumns(img, { RGB(0, 1, 2), RGB(20, 30, 40) }));
}

TEST(EffectBmp, MorphOfAnotherSizeDoesNothing)
{
    TspEffectBmp other = Columns(2, { A0, A1, A2 });
    using Op = void (TspEffectBmp::*)(TspEffectBmp const&, double);
    for (Op op : { &TspEffectBmp::Blend, &TspEffectBmp::CenterGradient, &TspEffectBmp::LeftGradient,
             &TspEffectBmp::RightGradient, &TspEffectBmp::Push, &TspEffectBmp::LeftSlide,
             &TspEffectBmp::RightSlide }) {
        TspEffectBmp img = Columns(2, { N0, N1, N2, N3 });
        (img.*op)(other, 0.5);
        EXPECT_TRUE(HasColumns(img, { N0, N1, N2, N3 }));
    }
}

TEST(EffectBmp, BlendRectStaysInsideBothImages)
{
    TspEffectBmp other = Columns(1, { RGB(100, 100, 100), RGB(200, 200, 200) });
    TspEffectBmp img = Columns(2, { N0, N0, N0 });
    // Rect reaches past this image's right and bottom; the other image is read from column 1,
    // so only this image's column 1 has a partner (other column 1 + 1 is outside).
    img.BlendRect(other, base::Rect(1, 0, 5, 5), 0, 1, 0.5);
    EXPECT_EQ(img.Pixel(0, 0), N0);
    EXPECT_EQ(img.Pixel(1, 0), RGB(100, 100, 100));
    EXPECT_EQ(img.Pixel(2, 0), N0);
    EXPECT_EQ(img.Pixel(1, 1), N0); // other has one row only
}

TEST(EffectBmp, LeftGradient)
{
    TspEffectBmp other = Columns(2, { A0, A1, A2, A3 });
    TspEffectBmp img = Columns(2, { N0, N1, N2, N3 });
    img.LeftGradient(other, 0); // a raised to 1: column 0 active, column 1 normal
    EXPECT_TRUE(HasColumns(img, { A0, N1, N2, N3 }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.LeftGradient(other, 0.5); // a = 2, t = 0, 0.5, 1
    EXPECT_TRUE(HasColumns(img, { A0, RGB(128, 10, 75), N2, N3 }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.LeftGradient(other, 1); // a = 3, t = 0, 1/3, 2/3, 1
    EXPECT_TRUE(HasColumns(img, { A0, RGB(170, 11, 67), RGB(1, 20, 133), N3 }));
}

TEST(EffectBmp, RightGradient)
{
    TspEffectBmp other = Columns(2, { A0, A1, A2, A3 });
    TspEffectBmp img = Columns(2, { N0, N1, N2, N3 });
    img.RightGradient(other, 0); // b = 3: only the last column, with t = 0
    EXPECT_TRUE(HasColumns(img, { N0, N1, N2, A3 }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.RightGradient(other, 0.5); // b = 2, t = 0 at column 3, 0.5 at column 2
    EXPECT_TRUE(HasColumns(img, { N0, N1, RGB(2, 20, 100), A3 }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.RightGradient(other, 1); // b = 0, t = 0, 0.25, 0.5, 0.75 from the right
    EXPECT_TRUE(HasColumns(img, { RGB(64, 64, 0), RGB(128, 10, 75), RGB(2, 21, 50), A3 }));
}

TEST(EffectBmp, CenterGradientHorizontal)
{
    TspEffectBmp other = Columns(2, { A0, A1, A2, A3 });
    TspEffectBmp img = Columns(2, { N0, N1, N2, N3 });
    img.CenterGradient(other, 0); // h = e = 2, step 0.5
    EXPECT_TRUE(HasColumns(img, { N0, RGB(128, 10, 75), A2, RGB(2, 45, 200) }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.CenterGradient(other, 0.5); // h = 1, e = 3, step 1
    EXPECT_TRUE(HasColumns(img, { N0, A1, A2, A3 }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.CenterGradient(other, 1);
    EXPECT_TRUE(HasColumns(img, { A0, A1, A2, A3 }));
}

TEST(EffectBmp, CenterGradientVertical)
{
    // Taller than wide: the rows fade.
    const std::vector<TColor> normal { N0, N1, N2, N3, N0, N1 };
    const std::vector<TColor> active { A0, A1, A2, A3, A0, A1 };
    TspEffectBmp other = Rows(2, active);
    TspEffectBmp img = Rows(2, normal);
    img.CenterGradient(other, 0); // h = e = 3, step 0.5
    EXPECT_TRUE(HasRows(img, { N0, N1, RGB(2, 20, 100), A3, RGB(128, 128, 0), N1 }));

    img = Rows(2, normal);
    img.CenterGradient(other, 0.5); // b = 3, h = 2, e = 4, step 1
    EXPECT_TRUE(HasRows(img, { N0, N1, A2, A3, A0, N1 }));

    img = Rows(2, normal);
    img.CenterGradient(other, 1); // step 0: every row keeps t = 0
    EXPECT_TRUE(HasRows(img, active));
}

TEST(EffectBmp, Push)
{
    TspEffectBmp other = Columns(2, { A0, A1, A2, A3 });
    TspEffectBmp img = Columns(2, { N0, N1, N2, N3 });
    img.Push(other, 0); // a = 0: the normal image moves one column right
    EXPECT_TRUE(HasColumns(img, { A3, N0, N1, N2 }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.Push(other, 0.5); // a = 2
    EXPECT_TRUE(HasColumns(img, { A1, A2, A3, N0 }));

    img = Columns(2, { N0, N1, N2, N3 });
    img.Push(other, 1);
    EXPECT_TRUE(HasColumns(img, { A0, A1, A2, A3 }));
}

TEST(EffectBmp, Slides)
{
    TspEffectBmp other = Columns(2, { A0, A1, A2, A3 });
    struct Case {
        double k;
        std::vector<TColor> left, right;
    };
    for (Case const& c : { Case { 0, { A3, N1, N2, N3 }, { N0, N1, N2, A0 } },
             Case { 0.5, { A2, A3, N2, N3 }, { N0, N1, A0, A1 } },
             Case { 1, { A1, A2, A3, N3 }, { N0, A0, A1, A2 } } }) {
        TspEffectBmp img = Columns(2, { N0, N1, N2, N3 });
        img.LeftSlide(other, c.k);
        EXPECT_TRUE(HasColumns(img, c.left)) << "left slide k=" << c.k;
        img = Columns(2, { N0, N1, N2, N3 });
        img.RightSlide(other, c.k);
        EXPECT_TRUE(HasColumns(img, c.right)) << "right slide k=" << c.k;
    }
}

TEST(EffectBmp, MorphDispatchesByKind)
{
    TspEffectBmp other = Columns(1, { A0, A1, A2, A3 });
    TspEffectBmp img = Columns(1, { N0, N1, N2, N3 });
    img.Morph(mkPush, other, 0.5);
    EXPECT_TRUE(HasColumns(img, { A1, A2, A3, N0 }));
    img = Columns(1, { N0, N1, N2, N3 });
    img.Morph(mkRightSlide, other, 0.5);
    EXPECT_TRUE(HasColumns(img, { N0, N1, A0, A1 }));
    img = Columns(1, { N0, N1, N2, N3 });
    img.Morph(TspMorphKind(99), other, 1); // a number that names no kind blends
    EXPECT_TRUE(HasColumns(img, { A0, A1, A2, A3 }));
}

TEST(EffectBmp, BrightnessAndDarkness)
{
    TspEffectBmp img = Columns(1, { RGB(0, 2, 3), RGB(255, 255, 100) });
    img.Brightness(0.5);
    // 127.5 -> 128; 128.5 -> 128; 129 ; 255 stays 255; 177.5 -> 178.
    EXPECT_TRUE(HasColumns(img, { RGB(128, 128, 129), RGB(255, 255, 178) }));

    img = Columns(1, { RGB(0, 0, 0), RGB(100, 200, 10) });
    img.Darkness(0.3);
    EXPECT_TRUE(HasColumns(img, { RGB(0, 0, 0), RGB(70, 140, 7) }));

    img = Columns(1, { RGB(100, 200, 10) });
    img.InactiveEffect(ieDarkness);
    EXPECT_TRUE(HasColumns(img, { RGB(70, 140, 7) }));
}

TEST(EffectBmp, GrayscaleKeepsGreysAndWeighsChannels)
{
    TspEffectBmp img(256, 1);
    for (int g = 0; g < 256; ++g)
        img.SetPixel(g, 0, RGB(uint8_t(g), uint8_t(g), uint8_t(g)));
    img.Grayscale();
    for (int g = 0; g < 256; ++g)
        ASSERT_EQ(img.Pixel(g, 0), RGB(uint8_t(g), uint8_t(g), uint8_t(g))) << g;

    img = Columns(1, { RGB(100, 0, 0), RGB(0, 100, 0), RGB(0, 0, 100) });
    img.Grayscale();
    EXPECT_TRUE(HasColumns(img, { RGB(30, 30, 30), RGB(59, 59, 59), RGB(11, 11, 11) }));
}

TEST(EffectBmp, InvertTwiceRestores)
{
    std::mt19937 rng(7);
    TspEffectBmp img(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            img.SetPixel(x, y, rng() & 0xFFFFFF);
    TspEffectBmp copy = img;
    img.Invert();
    EXPECT_EQ(img.Pixel(2, 1), copy.Pixel(2, 1) ^ 0xFFFFFF);
    img.InactiveEffect(ieInvert);
    EXPECT_TRUE(SameImage(img, copy));
}

TEST(EffectBmp, NoiseMovesAllChannelsOfAPixelByOneValueInRange)
{
    TspEffectBmp img(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            img.SetPixel(x, y, RGB(100, 120, 140));
    TspEffectBmp again = img;
    img.Noise(50, 1234);
    again.Noise(50, 1234);
    EXPECT_TRUE(SameImage(img, again));
    int seenMin = 99, seenMax = -99;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            TColor c = img.Pixel(x, y);
            int d = int(base::GetRValue(c)) - 100;
            ASSERT_GE(d, -25);
            ASSERT_LE(d, 24);
            ASSERT_EQ(int(base::GetGValue(c)) - 120, d);
            ASSERT_EQ(int(base::GetBValue(c)) - 140, d);
            seenMin = std::min(seenMin, d);
            seenMax = std::max(seenMax, d);
        }
    // 1200 draws cover the range's ends.
    EXPECT_EQ(seenMin, -25);
    EXPECT_EQ(seenMax, 24);

    // Clamped at the ends of the channel range.
    TspEffectBmp dark = Columns(20, { RGB(0, 255, 3) });
    dark.Noise(50);
    for (int y = 0; y < 20; ++y) {
        TColor c = dark.Pixel(0, y);
        EXPECT_LE(base::GetRValue(c), 24);
        EXPECT_GE(base::GetGValue(c), 230);
    }
}

TEST(EffectBmp, SplitBlurOnOneColourLeavesItUnchanged)
{
    for (auto [w, h, a] : std::vector<std::tuple<int, int, int>> {
             { 2, 2, 1 }, { 7, 5, 1 }, { 7, 5, 3 }, { 1, 6, 1 }, { 6, 1, 1 }, { 1, 1, 1 }, { 4, 3, 10 } }) {
        TspEffectBmp img(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.SetPixel(x, y, RGB(13, 200, 77));
        img.SplitBlur(a);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(img.Pixel(x, y), RGB(13, 200, 77)) << w << "x" << h << " a=" << a;
    }
}

TEST(EffectBmp, SplitBlurWorksInPlaceFromTheTopLeft)
{
    // Grey levels 0 40 / 80 120 with a = 1. Each result feeds the pixels after it:
    // (0,0) = (0+80+40+120)/4 = 60, (1,0) = (60+80+40+120)/4 = 75,
    // (0,1) = (60+80+75+120)/4 = 83, (1,1) = (60+83+75+120)/4 = 84.
    auto grey = [](uint8_t g) { return RGB(g, g, g); };
    TspEffectBmp img = Rows(2, { grey(0), grey(0) });
    img.SetPixel(1, 0, grey(40));
    img.SetPixel(0, 1, grey(80));
    img.SetPixel(1, 1, grey(120));
    img.SplitBlur(1);
    EXPECT_EQ(img.Pixel(0, 0), grey(60));
    EXPECT_EQ(img.Pixel(1, 0), grey(75));
    EXPECT_EQ(img.Pixel(0, 1), grey(83));
    EXPECT_EQ(img.Pixel(1, 1), grey(84));

    TspEffectBmp unchanged = img;
    img.SplitBlur(0);
    EXPECT_TRUE(SameImage(img, unchanged));
}

TEST(EffectBmp, FlipInto)
{
    TspEffectBmp img = Rows(2, { N1, N2, N3 });
    TspEffectBmp out(2, 3);
    img.FlipInto(out);
    EXPECT_TRUE(HasRows(out, { N3, N2, N1 }));
    TspEffectBmp wrong = Rows(2, { A0, A1 });
    img.FlipInto(wrong);
    EXPECT_TRUE(HasRows(wrong, { A0, A1 }));
}

// Every fast path against the pixel-at-a-time reference, on seeded random images of many
// shapes (single rows and columns included) and factors (ties, ends, out of range).
TEST(EffectBmp, FastPathsMatchTheReference)
{
    std::mt19937 rng(20261208);
    auto randomImage = [&](int w, int h) {
        TspEffectBmp img(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.SetPixel(x, y, rng() & 0xFFFFFF);
        return img;
    };
    using Morph = void (TspEffectBmp::*)(TspEffectBmp const&, double);
    using RefMorph = void (*)(TspEffectBmp&, TspEffectBmp const&, double);
    const std::vector<std::pair<Morph, RefMorph>> morphs {
        { &TspEffectBmp::Blend, RefBlend },
        { &TspEffectBmp::LeftGradient, RefLeftGradient },
        { &TspEffectBmp::RightGradient, RefRightGradient },
        { &TspEffectBmp::CenterGradient, RefCenterGradient },
        { &TspEffectBmp::Push, RefPush },
        { &TspEffectBmp::LeftSlide, RefLeftSlide },
        { &TspEffectBmp::RightSlide, RefRightSlide },
    };
    const std::vector<std::pair<int, int>> sizes { { 1, 1 }, { 1, 9 }, { 9, 1 }, { 2, 2 }, { 3, 7 }, { 7, 3 },
        { 16, 16 }, { 33, 5 }, { 5, 33 }, { 300, 300 } }; // 300 x 300 takes the blend's table path
    std::uniform_real_distribution<double> anyK(-0.25, 1.25);
    for (auto [w, h] : sizes) {
        for (int round = 0; round < (w * h > 10000 ? 2 : 12); ++round) {
            double const k
                = round < 5 ? std::vector<double> { 0, 0.5, 1, 0.2, 0.8 }[size_t(round)] : anyK(rng);
            const TspEffectBmp base = randomImage(w, h);
            const TspEffectBmp other = randomImage(w, h);
            for (size_t m = 0; m < morphs.size(); ++m) {
                TspEffectBmp fast = base, ref = base;
                (fast.*morphs[m].first)(other, k);
                morphs[m].second(ref, other, k);
                ASSERT_TRUE(SameImage(fast, ref)) << "morph " << m << " " << w << "x" << h << " k=" << k;
            }
            TspEffectBmp fast = base, ref = base;
            base::TRect r
                = base::Rect(int(rng() % 7) - 2, int(rng() % 7) - 2, int(rng() % 40), int(rng() % 40));
            int const ot = int(rng() % 5) - 2, ol = int(rng() % 5) - 2;
            fast.BlendRect(other, r, ot, ol, k);
            RefBlendRect(ref, other, r, ot, ol, k);
            ASSERT_TRUE(SameImage(fast, ref)) << "blend rect";

            fast = base, ref = base;
            fast.Brightness(k);
            RefBrightness(ref, k);
            ASSERT_TRUE(SameImage(fast, ref)) << "brightness";
            fast = base, ref = base;
            fast.Darkness(k);
            RefDarkness(ref, k);
            ASSERT_TRUE(SameImage(fast, ref)) << "darkness";
            fast = base, ref = base;
            fast.Grayscale();
            RefGrayscale(ref);
            ASSERT_TRUE(SameImage(fast, ref)) << "grayscale";
            int const a = 1 + int(rng() % 4) * (round % 3);
            fast = base, ref = base;
            fast.SplitBlur(a);
            int outside = 0;
            RefSplitBlur(ref, a, outside);
            ASSERT_EQ(outside, 0);
            ASSERT_TRUE(SameImage(fast, ref)) << "split blur a=" << a;
        }
    }
}

TEST(EffectBmp, DrawCopiesOntoTheCanvasClipped)
{
    TspEffectBmp img = Columns(2, { N1, N2, N3 });
    gfx::TBitmap screen(4, 4);
    screen.Fill(base::clWhite);
    img.Draw(screen.Canvas(), -1, 3); // only columns 1..2 of row 0 land inside
    gfx::TBitmap expected(4, 4);
    expected.Fill(base::clWhite);
    expected.SetPixel(0, 3, N2);
    expected.SetPixel(1, 3, N3);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(screen.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
}
