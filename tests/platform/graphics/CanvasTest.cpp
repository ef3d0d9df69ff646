#include <gtest/gtest.h>

#include <random>

#include "platform/graphics/Canvas.h"

using namespace xe::gfx;
using xe::base::Bounds;
using xe::base::clBlack;
using xe::base::clBlue;
using xe::base::clRed;
using xe::base::clWhite;
using xe::base::Rect;
using xe::base::RGB;
using xe::base::TColor;
using xe::base::TRect;

namespace {

constexpr TColor Bg = RGB(10, 20, 30);

TBitmap Filled(int w, int h, TColor c = Bg)
{
    TBitmap b(w, h);
    b.Fill(c);
    return b;
}

TBitmap Random(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x)
            b.ScanLine(y)[x] = uint8_t(rng());
    return b;
}

// Compares two bitmaps pixel by pixel and reports the first difference with both colours.
::testing::AssertionResult SameImage(TBitmap const& actual, TBitmap const& expected)
{
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height() << " vs "
                                             << expected.Width() << "x" << expected.Height();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.Pixel(x, y) != expected.Pixel(x, y))
                return ::testing::AssertionFailure()
                    << "first difference at (" << x << ", " << y << "): " << std::hex << actual.Pixel(x, y)
                    << " vs " << expected.Pixel(x, y);
    return ::testing::AssertionSuccess();
}

// Expected images are built from plain per-pixel fills, independent of the canvas.
void Paint(TBitmap& b, TRect const& r, TColor c)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            b.SetPixel(x, y, c);
}

int Count(TBitmap const& b, TColor c)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) == c;
    return n;
}

} // namespace

TEST(CanvasTest, FillRectIncludesLeftTopExcludesRightBottom)
{
    TBitmap b = Filled(8, 8);
    b.Canvas().Brush.Color = clRed;
    b.Canvas().FillRect(Rect(2, 3, 5, 7));
    TBitmap expected = Filled(8, 8);
    Paint(expected, Rect(2, 3, 5, 7), clRed);
    EXPECT_TRUE(SameImage(b, expected));

    // One pixel, then empty and inverted rectangles, then a clear brush.
    b.Canvas().FillRect(Rect(0, 0, 1, 1));
    expected.SetPixel(0, 0, clRed);
    b.Canvas().FillRect(Rect(6, 6, 6, 8));
    b.Canvas().FillRect(Rect(7, 7, 6, 6));
    b.Canvas().Brush.Style = bsClear;
    b.Canvas().FillRect(Rect(0, 0, 8, 8));
    EXPECT_TRUE(SameImage(b, expected));

    // Rectangles reaching outside the bitmap are cut at its edges.
    b.Canvas().Brush.Style = bsSolid;
    b.Canvas().Brush.Color = clBlue;
    b.Canvas().FillRect(Rect(-5, 6, 100, 100));
    Paint(expected, Rect(0, 6, 8, 8), clBlue);
    EXPECT_TRUE(SameImage(b, expected));
}

TEST(CanvasTest, FrameRectAndRectangle)
{
    TBitmap b = Filled(10, 10);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    c.FrameRect(Rect(1, 1, 5, 4));
    TBitmap expected = Filled(10, 10);
    Paint(expected, Rect(1, 1, 5, 4), clRed);
    Paint(expected, Rect(2, 2, 4, 3), Bg);
    EXPECT_TRUE(SameImage(b, expected));

    b.Fill(Bg);
    c.Pen.Color = clBlue;
    c.Brush.Color = clWhite;
    c.Rectangle(2, 2, 7, 6);
    expected.Fill(Bg);
    Paint(expected, Rect(2, 2, 7, 6), clBlue);
    Paint(expected, Rect(3, 3, 6, 5), clWhite);
    EXPECT_TRUE(SameImage(b, expected));

    // Corners given the other way round draw the same; a 1 x 1 box is one pen pixel.
    b.Fill(Bg);
    c.Rectangle(7, 6, 2, 2);
    EXPECT_TRUE(SameImage(b, expected));
    b.Fill(Bg);
    c.Rectangle(4, 4, 5, 5);
    EXPECT_EQ(Count(b, clBlue), 1);
    EXPECT_EQ(b.Pixel(4, 4), clBlue);

    // Without a pen the fill is one pixel smaller to the right and bottom.
    b.Fill(Bg);
    c.Pen.Style = psClear;
    c.Rectangle(2, 2, 7, 6);
    expected.Fill(Bg);
    Paint(expected, Rect(2, 2, 6, 5), clWhite);
    EXPECT_TRUE(SameImage(b, expected));

    // A hollow brush leaves the inside alone.
    b.Fill(Bg);
    c.Pen.Style = psSolid;
    c.Brush.Style = bsClear;
    c.Rectangle(1, 1, 9, 9);
    EXPECT_EQ(Count(b, clBlue), 28);
    EXPECT_EQ(b.Pixel(4, 4), Bg);
}

TEST(CanvasTest, LinesExcludeTheirLastPoint)
{
    TBitmap b = Filled(12, 12);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clRed;
    c.MoveTo(1, 8);
    c.LineTo(9, 8);
    TBitmap expected = Filled(12, 12);
    Paint(expected, Rect(1, 8, 9, 9), clRed);
    EXPECT_TRUE(SameImage(b, expected));
    EXPECT_EQ(c.PenPos(), xe::base::Point(9, 8));

    // Vertical, upwards: from 10 to 2 covers rows 3..10.
    c.MoveTo(0, 10);
    c.LineTo(0, 2);
    Paint(expected, Rect(0, 3, 1, 11), clRed);
    EXPECT_TRUE(SameImage(b, expected));

    // A diagonal covers one pixel per column, the end excluded.
    b.Fill(Bg);
    c.MoveTo(1, 1);
    c.LineTo(9, 9);
    EXPECT_EQ(Count(b, clRed), 8);
    for (int i = 1; i < 9; ++i)
        EXPECT_EQ(b.Pixel(i, i), clRed) << i;

    // A zero-length line draws nothing; Polyline joins without double ends.
    b.Fill(Bg);
    c.MoveTo(5, 5);
    c.LineTo(5, 5);
    EXPECT_EQ(Count(b, clRed), 0);
    c.Polyline({ { 1, 1 }, { 5, 1 }, { 5, 5 } });
    EXPECT_EQ(Count(b, clRed), 8);
    EXPECT_EQ(b.Pixel(5, 5), Bg);
}

TEST(CanvasTest, PenModesCombineWithTheDestination)
{
    TBitmap b = Random(9, 3, 7);
    TBitmap original = b;
    TCanvas& c = b.Canvas();
    c.Pen.Color = RGB(0x0F, 0xF0, 0x55);
    c.Pen.Mode = pmXor;
    c.MoveTo(0, 1);
    c.LineTo(9, 1);
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(b.Pixel(x, 1), original.Pixel(x, 1) ^ RGB(0x0F, 0xF0, 0x55));
    c.MoveTo(0, 1);
    c.LineTo(9, 1);
    EXPECT_TRUE(SameImage(b, original)); // XOR twice restores
    c.Pen.Mode = pmNot;
    c.MoveTo(0, 0);
    c.LineTo(9, 0);
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(b.Pixel(x, 0), ~original.Pixel(x, 0) & 0xFFFFFF);
}

namespace {

// Checks that a shape stays inside its box, is mirror-symmetric and touches all four sides.
void ExpectSymmetricInBox(TBitmap const& b, TRect const& box, bool touchesSides)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            bool drawn = b.Pixel(x, y) != Bg;
            if (!xe::base::PtInRect(box, { x, y })) {
                ASSERT_FALSE(drawn) << "outside the box at " << x << "," << y;
                continue;
            }
            int mx = box.Left + box.Right - 1 - x, my = box.Top + box.Bottom - 1 - y;
            ASSERT_EQ(b.Pixel(x, y), b.Pixel(mx, y)) << "not symmetric at " << x << "," << y;
            ASSERT_EQ(b.Pixel(x, y), b.Pixel(x, my)) << "not symmetric at " << x << "," << y;
        }
    if (!touchesSides)
        return;
    bool top = false, bottom = false, left = false, right = false;
    for (int x = box.Left; x < box.Right; ++x) {
        top |= b.Pixel(x, box.Top) != Bg;
        bottom |= b.Pixel(x, box.Bottom - 1) != Bg;
    }
    for (int y = box.Top; y < box.Bottom; ++y) {
        left |= b.Pixel(box.Left, y) != Bg;
        right |= b.Pixel(box.Right - 1, y) != Bg;
    }
    EXPECT_TRUE(top && bottom && left && right) << "box " << box.Width() << "x" << box.Height();
}

} // namespace

TEST(CanvasTest, EllipsesAreSymmetricAndInsideTheirBox)
{
    for (int w = 1; w <= 13; ++w)
        for (int h = 1; h <= 13; ++h) {
            TBitmap b = Filled(20, 20);
            TCanvas& c = b.Canvas();
            c.Pen.Color = clRed;
            c.Brush.Color = clWhite;
            TRect box = Bounds(3, 4, w, h);
            c.Ellipse(box);
            SCOPED_TRACE(testing::Message() << w << "x" << h);
            ExpectSymmetricInBox(b, box, true);
            // The outline is closed: no white pixel has a background 4-neighbour.
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x)
                    if (b.Pixel(x, y) == clWhite) {
                        for (auto [dx, dy] : { std::pair { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } })
                            ASSERT_NE(b.Pixel(x + dx, y + dy), Bg);
                    }
        }
    // A larger circle has cut corners and a filled centre.
    TBitmap b = Filled(20, 20);
    b.Canvas().Brush.Color = clWhite;
    b.Canvas().Ellipse(0, 0, 20, 20);
    EXPECT_EQ(b.Pixel(0, 0), Bg);
    EXPECT_EQ(b.Pixel(10, 10), clWhite);
    EXPECT_EQ(b.Pixel(0, 10), clBlack); // the default pen
    // An empty box draws nothing.
    TBitmap e = Filled(5, 5);
    e.Canvas().Ellipse(2, 2, 2, 5);
    EXPECT_EQ(Count(e, Bg), 25);
}

TEST(CanvasTest, PieGoesCounterClockwiseFromStartToEnd)
{
    // Equal radials give the whole ellipse.
    TBitmap whole = Filled(24, 24), pie = Filled(24, 24);
    whole.Canvas().Brush.Color = clWhite;
    whole.Canvas().Ellipse(2, 2, 21, 21);
    pie.Canvas().Brush.Color = clWhite;
    pie.Canvas().Pie(2, 2, 21, 21, 11, 0, 11, 0);
    EXPECT_TRUE(SameImage(pie, whole));

    // From east to north counter-clockwise is the upper right quarter.
    TBitmap q = Filled(20, 20);
    q.Canvas().Pen.Color = clRed;
    q.Canvas().Brush.Color = clRed;
    q.Canvas().Pie(0, 0, 20, 20, 20, 10, 10, 0);
    EXPECT_EQ(q.Pixel(15, 5), clRed);
    EXPECT_EQ(q.Pixel(4, 4), Bg);
    EXPECT_EQ(q.Pixel(15, 15), Bg);
    EXPECT_EQ(q.Pixel(4, 15), Bg);
    // From north to east counter-clockwise is the other three quarters.
    TBitmap r = Filled(20, 20);
    r.Canvas().Pen.Color = clRed;
    r.Canvas().Brush.Color = clRed;
    r.Canvas().Pie(0, 0, 20, 20, 10, 0, 20, 10);
    EXPECT_EQ(r.Pixel(15, 4), Bg);
    EXPECT_EQ(r.Pixel(5, 5), clRed);
    EXPECT_EQ(r.Pixel(15, 15), clRed);
    EXPECT_EQ(r.Pixel(5, 15), clRed);

    // The upper half at odd and even sizes is symmetric left to right and inside the box.
    for (int w : { 5, 6, 11, 12 }) {
        TBitmap h = Filled(16, 16);
        h.Canvas().Pen.Color = clRed;
        h.Canvas().Brush.Color = clWhite;
        h.Canvas().Pie(1, 1, 1 + w, 1 + w, 1 + w, 1 + w / 2, 1, 1 + w / 2);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool drawn = h.Pixel(x, y) != Bg;
                if (x < 1 || y < 1 || x >= 1 + w || y >= 1 + w) {
                    ASSERT_FALSE(drawn);
                } else {
                    ASSERT_EQ(h.Pixel(x, y), h.Pixel(1 + w - x, y)) << w << ": " << x << "," << y;
                }
            }
        EXPECT_NE(h.Pixel(1 + w / 2, 1), Bg);
        EXPECT_EQ(h.Pixel(1 + w / 2, w), Bg);
    }
}

TEST(CanvasTest, RoundRectAndPolygon)
{
    TBitmap b = Filled(20, 20);
    b.Canvas().Pen.Color = clRed;
    b.Canvas().Brush.Color = clWhite;
    b.Canvas().RoundRect(2, 3, 15, 14, 6, 6);
    ExpectSymmetricInBox(b, Rect(2, 3, 15, 14), true);
    EXPECT_EQ(b.Pixel(2, 3), Bg); // rounded corner
    EXPECT_EQ(b.Pixel(8, 3), clRed); // straight edge
    EXPECT_EQ(b.Pixel(8, 8), clWhite);

    TBitmap t = Filled(12, 12);
    t.Canvas().Pen.Color = clRed;
    t.Canvas().Brush.Color = clWhite;
    t.Canvas().Polygon({ { 1, 1 }, { 10, 1 }, { 1, 10 } });
    EXPECT_EQ(t.Pixel(1, 1), clRed);
    EXPECT_EQ(t.Pixel(10, 1), clRed); // every vertex is drawn in a closed outline
    EXPECT_EQ(t.Pixel(3, 3), clWhite);
    EXPECT_EQ(t.Pixel(9, 9), Bg);
}

TEST(CanvasTest, RasterOperationsMatchTheirFormulas)
{
    struct TCase {
        uint32_t Rop;
        uint8_t (*F)(uint8_t s, uint8_t d, uint8_t p);
    };
    const TCase cases[] = {
        { SRCCOPY, [](uint8_t s, uint8_t, uint8_t) { return s; } },
        { SRCINVERT, [](uint8_t s, uint8_t d, uint8_t) { return uint8_t(s ^ d); } },
        { SRCAND, [](uint8_t s, uint8_t d, uint8_t) { return uint8_t(s & d); } },
        { SRCPAINT, [](uint8_t s, uint8_t d, uint8_t) { return uint8_t(s | d); } },
        { NOTSRCCOPY, [](uint8_t s, uint8_t, uint8_t) { return uint8_t(~s); } },
        { BLACKNESS, [](uint8_t, uint8_t, uint8_t) { return uint8_t(0); } },
        { WHITENESS, [](uint8_t, uint8_t, uint8_t) { return uint8_t(0xFF); } },
        { DSTINVERT, [](uint8_t, uint8_t d, uint8_t) { return uint8_t(~d); } },
        { SRCERASE, [](uint8_t s, uint8_t d, uint8_t) { return uint8_t(s & ~d); } },
        { NOTSRCERASE, [](uint8_t s, uint8_t d, uint8_t) { return uint8_t(~(s | d)); } },
        { MERGEPAINT, [](uint8_t s, uint8_t d, uint8_t) { return uint8_t(~s | d); } },
        { MERGECOPY, [](uint8_t s, uint8_t, uint8_t p) { return uint8_t(s & p); } },
        { PATINVERT, [](uint8_t, uint8_t d, uint8_t p) { return uint8_t(p ^ d); } },
    };
    const TColor brush = RGB(0x12, 0xAB, 0xF0);
    for (auto& tc : cases) {
        for (int w : { 1, 5, 33 }) {
            TBitmap src = Random(w, 4, 11), dst = Random(w, 4, 22), before = dst;
            dst.Canvas().Brush.Color = brush;
            BitBlt(dst.Canvas(), 0, 0, w, 4, src, 0, 0, tc.Rop);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < w * 3; ++x) {
                    uint8_t p = x % 3 == 0 ? 0xF0 : x % 3 == 1 ? 0xAB : 0x12;
                    ASSERT_EQ(dst.ScanLine(y)[x], tc.F(src.ScanLine(y)[x], before.ScanLine(y)[x], p))
                        << std::hex << tc.Rop << " width " << w << " byte " << x;
                }
            // The stretching path applies the same operation.
            TBitmap dst2 = before;
            dst2.Canvas().Brush.Color = brush;
            StretchBlt(dst2.Canvas(), 0, 0, w, 4, src, 0, 0, w, 4, tc.Rop);
            EXPECT_TRUE(SameImage(dst2, dst)) << std::hex << tc.Rop;
        }
    }
    // Operations without a source.
    TBitmap d = Random(6, 2, 5), before = d;
    d.Canvas().Brush.Color = brush;
    EXPECT_TRUE(PatBlt(d.Canvas(), 0, 0, 6, 2, PATINVERT));
    EXPECT_EQ(d.Pixel(3, 1), before.Pixel(3, 1) ^ brush);
    EXPECT_TRUE(PatBlt(d.Canvas(), 0, 0, 3, 2, BLACKNESS));
    EXPECT_EQ(d.Pixel(2, 1), clBlack);
    EXPECT_FALSE(PatBlt(d.Canvas(), 0, 0, 3, 2, SRCCOPY));
}

TEST(CanvasTest, BlitClipsToTheSourceAndDestination)
{
    TBitmap src = Random(4, 4, 3);
    TBitmap dst = Filled(10, 10);
    // The source rectangle reaches past the source bitmap: those destination pixels stay.
    BitBlt(dst.Canvas(), 8, 8, 4, 4, src, 2, 2, SRCCOPY);
    TBitmap expected = Filled(10, 10);
    Paint(expected, Rect(8, 8, 10, 10), 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            expected.SetPixel(8 + x, 8 + y, src.Pixel(2 + x, 2 + y));
    EXPECT_TRUE(SameImage(dst, expected));
    // A negative destination corner.
    BitBlt(dst.Canvas(), -2, -3, 4, 4, src, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.Pixel(0, 0), src.Pixel(2, 3));
    EXPECT_EQ(dst.Pixel(2, 0), Bg);
}

TEST(CanvasTest, BlitWithinOneBitmapReadsTheOriginalPixels)
{
    TBitmap b = Random(10, 3, 9), before = b;
    BitBlt(b.Canvas(), 2, 0, 8, 3, b.Canvas(), 0, 0, SRCCOPY);
    for (int y = 0; y < 3; ++y)
        for (int x = 2; x < 10; ++x)
            ASSERT_EQ(b.Pixel(x, y), before.Pixel(x - 2, y));
}

TEST(CanvasTest, StretchTakesSourceColumnFloorOfXTimesRatio)
{
    TBitmap src(3, 2);
    const TColor cols[3] = { clRed, RGB(0, 255, 0), clBlue };
    for (int x = 0; x < 3; ++x) {
        src.SetPixel(x, 0, cols[x]);
        src.SetPixel(x, 1, cols[x] ^ 0xFFFFFF);
    }
    TBitmap dst = Filled(7, 5);
    StretchBlt(dst.Canvas(), 0, 0, 7, 5, src, 0, 0, 3, 2, SRCCOPY);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(dst.Pixel(x, y), src.Pixel(x * 3 / 7, y * 2 / 5)) << x << "," << y;

    // Shrinking drops columns: 7 to 3 takes columns 0, 2, 4.
    TBitmap wide = Random(7, 1, 4), narrow = Filled(3, 1);
    StretchBlt(narrow.Canvas(), 0, 0, 3, 1, wide, 0, 0, 7, 1, SRCCOPY);
    EXPECT_EQ(narrow.Pixel(0, 0), wide.Pixel(0, 0));
    EXPECT_EQ(narrow.Pixel(1, 0), wide.Pixel(2, 0));
    EXPECT_EQ(narrow.Pixel(2, 0), wide.Pixel(4, 0));

    // A negative source width mirrors.
    TBitmap m = Filled(3, 1);
    StretchBlt(m.Canvas(), 0, 0, 3, 1, src, 3, 0, -3, 1, SRCCOPY);
    EXPECT_EQ(m.Pixel(0, 0), clBlue);
    EXPECT_EQ(m.Pixel(2, 0), clRed);

    // Source columns outside the bitmap leave their destination pixels alone, on every row.
    TBitmap partial = Filled(6, 4);
    StretchBlt(partial.Canvas(), 0, 0, 6, 4, src, 1, 0, 3, 2, SRCCOPY);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(partial.Pixel(x, y), x < 4 ? src.Pixel(1 + x / 2, y / 2) : Bg) << x << "," << y;

    // StretchDraw and CopyRect follow the same rule and the copy mode.
    TBitmap sd = Filled(7, 5);
    sd.Canvas().StretchDraw(Rect(0, 0, 7, 5), src);
    EXPECT_TRUE(SameImage(sd, dst));
    TBitmap cr = Filled(7, 5);
    cr.Canvas().CopyMode = SRCINVERT;
    cr.Canvas().CopyRect(Rect(0, 0, 7, 5), src.Canvas(), Rect(0, 0, 3, 2));
    EXPECT_EQ(cr.Pixel(6, 4), Bg ^ src.Pixel(2, 1));
}

TEST(CanvasTest, ClippingByRectanglesAndRegions)
{
    TBitmap b = Filled(10, 10);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    EXPECT_EQ(c.ExcludeClipRect(Rect(2, 2, 5, 5)), COMPLEXREGION);
    c.FillRect(Rect(0, 0, 10, 10));
    TBitmap expected = Filled(10, 10, clRed);
    Paint(expected, Rect(2, 2, 5, 5), Bg);
    EXPECT_TRUE(SameImage(b, expected));

    c.IntersectClipRect(Rect(0, 0, 4, 10));
    c.Brush.Color = clBlue;
    c.FillRect(Rect(0, 0, 10, 10));
    Paint(expected, Rect(0, 0, 4, 10), clBlue);
    Paint(expected, Rect(2, 2, 4, 5), Bg);
    EXPECT_TRUE(SameImage(b, expected));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 4, 10));
    EXPECT_FALSE(c.PtVisible(3, 3));
    EXPECT_TRUE(c.PtVisible(1, 3));

    // A region replaces the program's clip; nullptr removes it.
    TRegion region = CreateRectRgn(8, 8, 10, 10);
    EXPECT_EQ(c.SelectClipRgn(&region), SIMPLEREGION);
    b.Fill(Bg);
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Count(b, clBlue), 4);
    c.SelectClipRgn(nullptr);
    c.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Count(b, clBlue), 100);

    // Clipping applies to shapes, lines, text and blits alike.
    b.Fill(Bg);
    c.ExcludeClipRect(Rect(0, 0, 10, 5));
    c.Pen.Color = clRed;
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
    c.Ellipse(0, 0, 10, 10);
    BitBlt(c, 0, 0, 10, 10, Random(10, 10, 1), 0, 0, SRCCOPY);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(b.Pixel(x, y), Bg);
}

TEST(CanvasTest, OriginAndSystemClipOfAWindowSurface)
{
    // A window surface: the client area starts at (3, 2) and is 5 x 4.
    TBitmap surface = Filled(12, 10);
    TCanvas c(surface);
    c.SetOrigin({ 3, 2 });
    c.SetClipRect(Rect(0, 0, 5, 4));
    c.Brush.Color = clRed;
    c.FillRect(Rect(-10, -10, 100, 100));
    TBitmap expected = Filled(12, 10);
    Paint(expected, Rect(3, 2, 8, 6), clRed);
    EXPECT_TRUE(SameImage(surface, expected));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 5, 4));

    // The program's clip cannot widen the system clip.
    TRegion everything = CreateRectRgn(-100, -100, 100, 100);
    c.SelectClipRgn(&everything);
    c.Brush.Color = clBlue;
    c.FillRect(Rect(-10, -10, 100, 100));
    Paint(expected, Rect(3, 2, 8, 6), clBlue);
    EXPECT_TRUE(SameImage(surface, expected));
    c.SelectClipRgn(nullptr);

    // Logical coordinates move with the viewport origin; clip rectangles are taken in them.
    c.SetViewportOrg({ 1, 1 });
    c.SetPixel(0, 0, clWhite);
    EXPECT_EQ(surface.Pixel(4, 3), clWhite);
    EXPECT_EQ(c.Pixel(0, 0), clWhite);
    c.IntersectClipRect(Rect(0, 0, 1, 1));
    c.FillRect(Rect(-5, -5, 5, 5));
    EXPECT_EQ(surface.Pixel(4, 3), clBlue);
    EXPECT_EQ(Count(surface, clBlue), 20);
}

TEST(CanvasTest, SaverRestoresState)
{
    TBitmap b = Filled(10, 10);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clRed;
    {
        TCanvasSaver saver(c);
        c.Pen.Color = clBlue;
        c.Brush.Style = bsClear;
        c.Font.SetHeight(-20);
        c.SetBkMode(TRANSPARENT);
        c.SetOrigin({ 5, 5 });
        c.IntersectClipRect(Rect(0, 0, 1, 1));
        {
            TCanvasSaver inner(c);
            c.SetOrigin({ 0, 0 });
        }
        EXPECT_EQ(c.Origin(), xe::base::Point(5, 5));
        EXPECT_EQ(c.ClipRect(), Rect(0, 0, 1, 1));
    }
    EXPECT_EQ(c.Pen.Color, clRed);
    EXPECT_EQ(c.Brush.Style, bsSolid);
    EXPECT_EQ(c.Font.Height(), -11);
    EXPECT_EQ(c.BkMode(), OPAQUE);
    EXPECT_EQ(c.Origin(), xe::base::Point(0, 0));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 10, 10));
    EXPECT_FALSE(c.RestoreDC(-1));
}

TEST(CanvasTest, DrawHonoursTransparencyAndCopyMode)
{
    TBitmap sprite(3, 3);
    sprite.Fill(RGB(255, 0, 255));
    sprite.SetPixel(1, 1, clRed);
    sprite.SetTransparent(true);
    EXPECT_EQ(sprite.TransparentColor(), RGB(255, 0, 255)); // bottom-left pixel
    TBitmap b = Filled(5, 5);
    b.Canvas().Draw(1, 1, sprite);
    EXPECT_EQ(Count(b, Bg), 24);
    EXPECT_EQ(b.Pixel(2, 2), clRed);

    sprite.SetTransparent(false);
    b.Canvas().CopyMode = SRCINVERT;
    b.Canvas().Draw(1, 1, sprite);
    EXPECT_EQ(b.Pixel(1, 1), Bg ^ RGB(255, 0, 255));
    EXPECT_EQ(b.Pixel(2, 2), 0u);
}

TEST(CanvasTest, RandomBlitsMatchAPixelAtATimeReference)
{
    // Plain per-pixel rules: the destination pixel (x, y) of the rectangle takes source pixel
    // (sx + floor(i * sw / w), sy + floor(j * sh / h)) when it is visible and the source exists.
    std::mt19937 rng(2024);
    auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
    const uint32_t rops[] = { SRCCOPY, SRCINVERT, SRCAND, SRCPAINT, NOTSRCCOPY };
    auto apply = [](uint32_t rop, uint8_t s, uint8_t d) -> uint8_t {
        switch (rop) {
        case SRCCOPY:
            return s;
        case SRCINVERT:
            return s ^ d;
        case SRCAND:
            return s & d;
        case SRCPAINT:
            return s | d;
        default:
            return uint8_t(~s);
        }
    };
    for (int round = 0; round < 400; ++round) {
        TBitmap src = Random(pick(1, 9), pick(1, 9), unsigned(round)),
                dst = Random(12, 10, unsigned(round + 1000));
        TBitmap expected = dst;
        TRect clip = Rect(pick(0, 6), pick(0, 5), pick(6, 12), pick(5, 10));
        TCanvas& c = dst.Canvas();
        c.IntersectClipRect(clip);
        int x = pick(-3, 10), y = pick(-3, 8), w = pick(1, 14), h = pick(1, 12);
        int sx = pick(-2, 5), sy = pick(-2, 5), sw = pick(1, 10), sh = pick(1, 10);
        uint32_t rop = rops[rng() % 5];
        if (round % 3 == 0) {
            sw = w;
            sh = h;
            BitBlt(c, x, y, w, h, src, sx, sy, rop);
        } else {
            StretchBlt(c, x, y, w, h, src, sx, sy, sw, sh, rop);
        }
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                int dx = x + i, dy = y + j;
                int px = sx + int(int64_t(i) * sw / w), py = sy + int(int64_t(j) * sh / h);
                if (!xe::base::PtInRect(clip, { dx, dy }) || px < 0 || py < 0 || px >= src.Width()
                    || py >= src.Height())
                    continue;
                for (int k = 0; k < 3; ++k)
                    expected.ScanLine(dy)[dx * 3 + k]
                        = apply(rop, src.ScanLine(py)[px * 3 + k], expected.ScanLine(dy)[dx * 3 + k]);
            }
        ASSERT_TRUE(SameImage(dst, expected)) << "round " << round;
    }
}

TEST(CanvasTest, HugeCoordinatesDrawOnlyTheVisiblePart)
{
    // Geometry may come from skin files; far-away corners must neither overflow nor take long.
    TBitmap b = Filled(20, 20);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clWhite;
    c.Pen.Color = clRed;
    c.Ellipse(-1000000, -1000000, 1000020, 1000020);
    EXPECT_EQ(Count(b, clWhite), 400);
    c.Pie(-1000000, -1000000, 1000020, 1000020, 2000000, 10, 10, -2000000); // upper right quarter
    c.Rectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(b.Pixel(10, 10), clWhite);
    c.Polygon({ { -1000000000, -1000000000 }, { 1000000000, -1000000000 }, { 0, 1000000000 } });
    EXPECT_EQ(b.Pixel(0, 19), clWhite);

    b.Fill(Bg);
    c.MoveTo(INT32_MIN, 5);
    c.LineTo(INT32_MAX, 5);
    EXPECT_EQ(Count(b, clRed), 20);
    c.MoveTo(-2000000000, -2000000000);
    c.LineTo(2000000000, 2000000000);
    EXPECT_EQ(b.Pixel(7, 7), clRed);

    TBitmap src(3, 1);
    src.SetPixel(0, 0, clRed);
    src.SetPixel(2, 0, clBlue);
    b.Fill(Bg);
    StretchBlt(c, -2000000000, 0, INT32_MAX, 1, src, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(b.Pixel(0, 0), src.Pixel(int(int64_t(2000000000) * 3 / INT32_MAX), 0));
    BitBlt(c, 5, 2, INT32_MAX, INT32_MAX, src, INT32_MIN, 0, SRCCOPY);
    EXPECT_EQ(Count(b, Bg), 20 * 20 - 20);
    c.FrameRect(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    c.FillRect(Rect(INT32_MIN, 3, INT32_MAX, 4));
    EXPECT_EQ(Count(b, clWhite), 20);
    c.SetBkMode(TRANSPARENT);
    c.TextOut(INT32_MAX, INT32_MAX, "far away");
    TRect huge = Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    c.DrawText("far away", huge, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.IntersectClipRect(huge);
    c.ExcludeClipRect(Rect(INT32_MIN, INT32_MIN, INT32_MAX, 0));
    c.StretchDraw(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), src); // the middle column
    EXPECT_EQ(Count(b, src.Pixel(1, 0)), 400);
}

TEST(CanvasTest, SmallShapesHaveTheirDocumentedPixels)
{
    // Pixel centres inside the box's ellipse are members; members with an outside 4-neighbour
    // are outline ('#', pen), the rest fill ('o', brush). The gauge's pictures depend on this.
    auto render = [](int w, int h, bool pie) {
        TBitmap b = Filled(w, h);
        b.Canvas().Pen.Color = clRed;
        b.Canvas().Brush.Color = clWhite;
        if (pie)
            b.Canvas().Pie(0, 0, w, h, w, h / 2, w / 2, 0);
        else
            b.Canvas().Ellipse(0, 0, w, h);
        std::vector<std::string> rows;
        for (int y = 0; y < h; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x)
                row += b.Pixel(x, y) == clRed ? '#' : b.Pixel(x, y) == clWhite ? 'o' : '.';
            rows.push_back(row);
        }
        return rows;
    };
    using R = std::vector<std::string>;
    EXPECT_EQ(render(1, 1, false), (R { "#" }));
    EXPECT_EQ(render(2, 3, false), (R { "##", "##", "##" }));
    EXPECT_EQ(render(5, 5, false), (R { ".###.", "#ooo#", "#ooo#", "#ooo#", ".###." }));
    EXPECT_EQ(render(6, 4, false), (R { ".####.", "#oooo#", "#oooo#", ".####." }));
    EXPECT_EQ(render(8, 8, false),
        (R { "..####..", ".#oooo#.", "#oooooo#", "#oooooo#", "#oooooo#", "#oooooo#", ".#oooo#.",
            "..####.." }));
    // From east to north on a 9 x 9 box: the upper right quarter with both radials outlined.
    EXPECT_EQ(render(9, 9, true),
        (R { "....###..", "....#oo#.", "....#ooo#", "....#####", "....#....", ".........", ".........",
            ".........", "........." }));
}
