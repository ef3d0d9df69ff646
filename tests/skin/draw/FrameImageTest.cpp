#include "skin/draw/FrameImage.h"

#include "DrawTestUtil.h"
#include "skin/draw/FBitmap.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Point;
using base::Rect;
using base::RGB;
using base::TColor;
using base::TRect;

namespace {

std::vector<std::pair<int, int>> Tiles(int S, int E, int L)
{
    std::vector<std::pair<int, int>> pieces;
    ForEachTile(S, E, L, [&](int start, int len) { pieces.emplace_back(start, len); });
    return pieces;
}

using Pieces = std::vector<std::pair<int, int>>;

// The test frame: a 12 x 10 frame held at R = (2, 1, 14, 11) of a 16 x 12 picture whose other
// pixels are a fence colour, so that a read outside R shows. Every piece has its own colour,
// and the middles are striped so that their tiling shows:
//
//   cols 0    3 4      8 9   12
//   rows 0 +-----+--------+------+   c1 | t0 t1 t2 t3 | c3
//        2 +---+-+        +-+----+   c2 |   client    | c4
//        4 |l0 |  client    | r0 |
//          |l1 |  (3x3      | r1 |
//        6 +---+  quarters) +----+   c5 |             | c8
//        8 |   +-+--------+-+----+   c5 |c6| b0..b3 | c7
//       10 +---+-+--------+------+
const TRect R = Rect(2, 1, 14, 11);
const TFrameCut Cut { Point(4, 4), Point(8, 4), Point(4, 6), Point(8, 6), Rect(3, 2, 9, 8) };
const TColor Fence = RGB(255, 0, 255);
const TColor c1 = RGB(10, 0, 0), c2 = RGB(20, 0, 0), c3 = RGB(30, 0, 0), c4 = RGB(40, 0, 0);
const TColor c5 = RGB(50, 0, 0), c6 = RGB(60, 0, 0), c7 = RGB(70, 0, 0), c8 = RGB(80, 0, 0);
const TColor t[4] = { RGB(0, 1, 0), RGB(0, 2, 0), RGB(0, 3, 0), RGB(0, 4, 0) };
const TColor b[4] = { RGB(0, 11, 0), RGB(0, 12, 0), RGB(0, 13, 0), RGB(0, 14, 0) };
const TColor l[2] = { RGB(0, 0, 1), RGB(0, 0, 2) };
const TColor r[2] = { RGB(0, 0, 11), RGB(0, 0, 12) };
const TColor k[2][2] = { { RGB(1, 1, 1), RGB(2, 2, 2) }, { RGB(3, 3, 3), RGB(4, 4, 4) } }; // [row][col]

gfx::TBitmap FramePicture()
{
    gfx::TBitmap pic(16, 12);
    Fill(pic, Rect(0, 0, 16, 12), Fence);
    auto at = [](TRect q) {
        base::OffsetRect(q, R.Left, R.Top);
        return q;
    };
    Fill(pic, at(Rect(0, 0, 4, 2)), c1);
    Fill(pic, at(Rect(0, 2, 3, 4)), c2);
    Fill(pic, at(Rect(8, 0, 12, 2)), c3);
    Fill(pic, at(Rect(9, 2, 12, 4)), c4);
    Fill(pic, at(Rect(0, 6, 3, 10)), c5);
    Fill(pic, at(Rect(3, 8, 4, 10)), c6);
    Fill(pic, at(Rect(8, 8, 12, 10)), c7);
    Fill(pic, at(Rect(9, 6, 12, 8)), c8);
    for (int i = 0; i < 4; ++i) {
        Fill(pic, at(Rect(4 + i, 0, 5 + i, 2)), t[i]);
        Fill(pic, at(Rect(4 + i, 8, 5 + i, 10)), b[i]);
    }
    for (int i = 0; i < 2; ++i) {
        Fill(pic, at(Rect(0, 4 + i, 3, 5 + i)), l[i]);
        Fill(pic, at(Rect(9, 4 + i, 12, 5 + i)), r[i]);
    }
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            Fill(pic, at(Rect(3 + 3 * j, 2 + 3 * i, 6 + 3 * j, 5 + 3 * i)), k[i][j]);
    return pic;
}

// The frame grown to 20 x 15: right and bottom pieces move by 8 and 5.
int const GW = 20, GH = 15;
const TFrameCut Grown { Point(4, 4), Point(16, 4), Point(4, 11), Point(16, 11), Rect(3, 2, 17, 13) };

// Expected 20 x 15 frame. Stripe index functions give which stripe a column or row shows.
template <typename HorzStripe, typename VertStripe>
gfx::TBitmap ExpectedGrown(HorzStripe horz, VertStripe vert)
{
    gfx::TBitmap e(GW, GH);
    Fill(e, Rect(0, 0, 4, 2), c1);
    Fill(e, Rect(16, 0, 20, 2), c3);
    Fill(e, Rect(0, 2, 3, 4), c2);
    Fill(e, Rect(17, 2, 20, 4), c4);
    Fill(e, Rect(0, 11, 3, 15), c5);
    Fill(e, Rect(3, 13, 4, 15), c6);
    Fill(e, Rect(16, 13, 20, 15), c7);
    Fill(e, Rect(17, 11, 20, 13), c8);
    for (int x = 4; x < 16; ++x) {
        Fill(e, Rect(x, 0, x + 1, 2), t[horz(x - 4)]);
        Fill(e, Rect(x, 13, x + 1, 15), b[horz(x - 4)]);
    }
    for (int y = 4; y < 11; ++y) {
        Fill(e, Rect(0, y, 3, y + 1), l[vert(y - 4)]);
        Fill(e, Rect(17, y, 20, y + 1), r[vert(y - 4)]);
    }
    for (int y = 2; y < 13; ++y)
        for (int x = 3; x < 17; ++x)
            e.SetPixel(x, y, k[(y - 2) % 6 / 3][(x - 3) % 6 / 3]);
    return e;
}

} // namespace

TEST(TilingRule, ExactMultipleEndsWithAnEmptyPiece)
{
    // n = 2: three pieces, the last with cut = L copies nothing.
    EXPECT_EQ(Tiles(0, 6, 3), (Pieces { { 0, 3 }, { 3, 3 } }));
    EXPECT_EQ(Tiles(2, 9, 3), (Pieces { { 2, 3 }, { 5, 3 }, { 8, 1 } }));
}

TEST(TilingRule, ShortSpanGivesOneClippedPiece) { EXPECT_EQ(Tiles(4, 6, 5), (Pieces { { 4, 2 } })); }

TEST(TilingRule, EmptyMiddlesAndReversedSpansDrawNothing)
{
    EXPECT_TRUE(Tiles(0, 10, 0).empty());
    EXPECT_TRUE(Tiles(0, 10, -3).empty());
    EXPECT_TRUE(Tiles(5, 3, 4).empty()); // count 0 but a negative piece length
    EXPECT_TRUE(Tiles(5, 0, 2).empty()); // negative count
    EXPECT_TRUE(Tiles(3, 3, 2).empty());
}

TEST(ComposeFrameImage, ReproducesTheSourceAtItsOwnSize)
{
    std::mt19937 rng(42);
    gfx::TBitmap pic(16, 12);
    Fill(pic, Rect(0, 0, 16, 12), Fence);
    gfx::TBitmap expected(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            TColor c = rng() & 0xFFFFFF;
            pic.SetPixel(R.Left + x, R.Top + y, c);
            expected.SetPixel(x, y, c);
        }
    for (bool stretch : { false, true }) {
        gfx::TBitmap dst;
        ComposeFrameImage(Cut, Cut, dst, pic, R, 12, 10, true, { stretch, stretch, stretch, stretch });
        EXPECT_TRUE(SamePicture(dst, expected)) << "stretch " << stretch;
    }
}

TEST(ComposeFrameImage, GrowsWithTiledEdges)
{
    const gfx::TBitmap pic = FramePicture();
    gfx::TBitmap dst;
    ComposeTiledFrameImage(Cut, Grown, dst, pic, R, GW, GH, true);
    EXPECT_TRUE(SamePicture(dst, ExpectedGrown([](int i) { return i % 4; }, [](int i) { return i % 2; })));
}

TEST(ComposeFrameImage, GrowsWithStretchedEdges)
{
    const gfx::TBitmap pic = FramePicture();
    gfx::TBitmap dst;
    ComposeFrameImage(Cut, Grown, dst, pic, R, GW, GH, true, { true, true, true, true });
    // 4 stripes over 12 columns: three columns each; 2 stripes over 7 rows: rows 0-3, 4-6.
    EXPECT_TRUE(
        SamePicture(dst, ExpectedGrown([](int i) { return i / 3; }, [](int i) { return i < 4 ? 0 : 1; })));
}

TEST(ComposeFrameImage, WithoutClientLeavesTheClientAlone)
{
    const gfx::TBitmap pic = FramePicture();
    gfx::TBitmap dst;
    ComposeTiledFrameImage(Cut, Grown, dst, pic, R, GW, GH, false);
    gfx::TBitmap expected = ExpectedGrown([](int i) { return i % 4; }, [](int i) { return i % 2; });
    Fill(expected, Rect(3, 2, 17, 13), base::clBlack); // a new bitmap is black
    EXPECT_TRUE(SamePicture(dst, expected));
}

TEST(ComposeFrameImage, DegenerateCutOnlySizesTheDestination)
{
    const gfx::TBitmap pic = FramePicture();
    gfx::TBitmap black(GW, GH);
    TFrameCut flat = Cut;
    flat.RB.X = flat.LT.X;
    gfx::TBitmap dst;
    ComposeTiledFrameImage(flat, Grown, dst, pic, R, GW, GH, true);
    EXPECT_TRUE(SamePicture(dst, black));

    flat = Cut;
    flat.RB.Y = flat.LT.Y;
    ComposeTiledFrameImage(flat, Grown, dst, pic, R, GW, GH, true);
    EXPECT_TRUE(SamePicture(dst, black));

    gfx::TBitmap empty;
    ComposeTiledFrameImage(Cut, Grown, dst, empty, R, GW, GH, true);
    EXPECT_TRUE(SamePicture(dst, black));
}

TEST(ComposeFrameImage, EmptyClientAndMiddlesDrawNothingOfThem)
{
    // A zero-width client and zero-length middles must not divide by zero; the corners still come.
    const gfx::TBitmap pic = FramePicture();
    TFrameCut cut = Cut;
    cut.C.Right = cut.C.Left;
    cut.RT.X = cut.LT.X;
    gfx::TBitmap dst;
    ComposeTiledFrameImage(cut, Grown, dst, pic, R, GW, GH, true);
    EXPECT_EQ(dst.Pixel(0, 0), c1);
    EXPECT_EQ(dst.Pixel(8, 0), base::clBlack); // top middle not drawn
    EXPECT_EQ(dst.Pixel(8, 8), base::clBlack); // client not drawn
}

// Sizes smaller than the corners, crossed and far-out points: the builders must stay inside
// both bitmaps (run under the sanitizer build to see it) and keep the requested size.
TEST(ComposeFrameImage, RandomGeometryStaysInside)
{
    std::mt19937 rng(5);
    const gfx::TBitmap pic = FramePicture();
    auto v = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
    for (int round = 0; round < 400; ++round) {
        auto point = [&] { return Point(v(-5, 25), v(-5, 25)); };
        TFrameCut s { point(), point(), point(), point(), Rect(v(-3, 12), v(-3, 12), v(-3, 14), v(-3, 14)) };
        TFrameCut d { point(), point(), point(), point(), Rect(v(-3, 20), v(-3, 20), v(-3, 22), v(-3, 22)) };
        TRect rr = Rect(v(-4, 10), v(-4, 10), v(0, 20), v(0, 20));
        int const w = v(0, 24), h = v(0, 24);
        TStretchFlags f { bool(rng() & 1), bool(rng() & 1), bool(rng() & 1), bool(rng() & 1) };
        gfx::TBitmap dst, top, bottom, left, right;
        ComposeFrameImage(s, d, dst, pic, rr, w, h, true, f);
        ASSERT_EQ(dst.Width(), w);
        ASSERT_EQ(dst.Height(), h);
        ComposeFrameBands(s, d, f, w, h, rr, pic, top, bottom, left, right);
        ComposeMaskBands(s, d, w, h, pic, s.C, top, bottom, left, right);
        ComposeHorzStrip(v(-3, 8), v(-3, 8), dst, w, rr, pic);
        ComposeVertStrip(v(-3, 8), v(-3, 8), dst, h, rr, pic);
    }
}

TEST(ComposeStrip, HorizontalEndsAndTiledMiddle)
{
    // R = columns 1..11 of a 12 x 2 picture: left end 2 columns, middle m0..m4, right end 3.
    const TColor L = RGB(9, 9, 0), Rt = RGB(0, 9, 9);
    const TColor m[5] = { RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0), RGB(5, 0, 0) };
    gfx::TBitmap pic(12, 2);
    Fill(pic, Rect(0, 0, 12, 2), Fence);
    Fill(pic, Rect(1, 0, 3, 2), L);
    for (int i = 0; i < 5; ++i)
        Fill(pic, Rect(3 + i, 0, 4 + i, 2), m[i]);
    Fill(pic, Rect(8, 0, 11, 2), Rt);

    gfx::TBitmap dst;
    ComposeHorzStrip(2, 3, dst, 16, Rect(1, 0, 11, 2), pic);
    gfx::TBitmap expected(16, 2);
    Fill(expected, Rect(0, 0, 2, 2), L);
    for (int x = 2; x < 13; ++x)
        Fill(expected, Rect(x, 0, x + 1, 2), m[(x - 2) % 5]);
    Fill(expected, Rect(13, 0, 16, 2), Rt);
    EXPECT_TRUE(SamePicture(dst, expected));

    // Narrower than both ends: the right end overlaps the left, the middle draws nothing.
    ComposeHorzStrip(2, 3, dst, 4, Rect(1, 0, 11, 2), pic);
    expected.SetSize(4, 2);
    Fill(expected, Rect(0, 0, 1, 2), L);
    Fill(expected, Rect(1, 0, 4, 2), Rt);
    EXPECT_TRUE(SamePicture(dst, expected));
}

TEST(ComposeStrip, VerticalEndsAndTiledMiddle)
{
    const TColor T = RGB(9, 9, 0), B = RGB(0, 9, 9);
    const TColor m[2] = { RGB(1, 0, 0), RGB(2, 0, 0) };
    gfx::TBitmap pic(3, 6);
    Fill(pic, Rect(0, 0, 3, 6), Fence);
    Fill(pic, Rect(1, 0, 3, 1), T);
    Fill(pic, Rect(1, 1, 3, 2), m[0]);
    Fill(pic, Rect(1, 2, 3, 3), m[1]);
    Fill(pic, Rect(1, 3, 3, 5), B);

    gfx::TBitmap dst;
    ComposeVertStrip(1, 2, dst, 8, Rect(1, 0, 3, 5), pic);
    gfx::TBitmap expected(2, 8);
    Fill(expected, Rect(0, 0, 2, 1), T);
    for (int y = 1; y < 6; ++y)
        Fill(expected, Rect(0, y, 2, y + 1), m[(y - 1) % 2]);
    Fill(expected, Rect(0, 6, 2, 8), B);
    EXPECT_TRUE(SamePicture(dst, expected));
}

TEST(ComposeFrameBands, FourTiledBands)
{
    const gfx::TBitmap pic = FramePicture();
    gfx::TBitmap top, bottom, left, right;
    ComposeFrameBands(Cut, Grown, {}, GW, GH, R, pic, top, bottom, left, right);

    // Top and bottom: middle tiled from column 0 over the whole width, then the ends.
    gfx::TBitmap et(GW, 2), eb(GW, 2);
    for (int x = 0; x < GW; ++x) {
        Fill(et, Rect(x, 0, x + 1, 2), t[x % 4]);
        Fill(eb, Rect(x, 0, x + 1, 2), b[x % 4]);
    }
    Fill(et, Rect(0, 0, 4, 2), c1);
    Fill(et, Rect(16, 0, 20, 2), c3);
    Fill(eb, Rect(0, 0, 3, 2), c5);
    Fill(eb, Rect(3, 0, 4, 2), c6);
    Fill(eb, Rect(16, 0, 20, 2), c7);
    EXPECT_TRUE(SamePicture(top, et));
    EXPECT_TRUE(SamePicture(bottom, eb));

    // Sides: the client's 11 rows; the middle tiled from band row 0, then 2 head and 2 tail rows.
    gfx::TBitmap el(3, 11), er(3, 11);
    for (int y = 0; y < 11; ++y) {
        Fill(el, Rect(0, y, 3, y + 1), l[y % 2]);
        Fill(er, Rect(0, y, 3, y + 1), r[y % 2]);
    }
    Fill(el, Rect(0, 0, 3, 2), c2);
    Fill(el, Rect(0, 9, 3, 11), c5);
    Fill(er, Rect(0, 0, 3, 2), c4);
    Fill(er, Rect(0, 9, 3, 11), c8);
    EXPECT_TRUE(SamePicture(left, el));
    EXPECT_TRUE(SamePicture(right, er));
}

TEST(ComposeFrameBands, StretchedBandsAndSkippedBands)
{
    const gfx::TBitmap pic = FramePicture();
    gfx::TBitmap top, bottom, left, right;
    ComposeFrameBands(Cut, Grown, { true, true, false, false }, GW, GH, R, pic, top, bottom, left, right);
    gfx::TBitmap et(GW, 2);
    Fill(et, Rect(0, 0, 4, 2), c1);
    for (int x = 4; x < 16; ++x)
        Fill(et, Rect(x, 0, x + 1, 2), t[(x - 4) / 3]);
    Fill(et, Rect(16, 0, 20, 2), c3);
    EXPECT_TRUE(SamePicture(top, et));
    // Left middle stretched into band rows 2..9 (7 rows): stripe 0 on four rows, 1 on three.
    gfx::TBitmap el(3, 11);
    Fill(el, Rect(0, 0, 3, 2), c2);
    Fill(el, Rect(0, 2, 3, 6), l[0]);
    Fill(el, Rect(0, 6, 3, 9), l[1]);
    Fill(el, Rect(0, 9, 3, 11), c5);
    EXPECT_TRUE(SamePicture(left, el));

    // A band with an empty middle is left as it was.
    TFrameCut cut = Cut;
    cut.RT.X = cut.LT.X;
    cut.RB.Y = cut.RT.Y;
    gfx::TBitmap keepTop(2, 2), keepRight(1, 1);
    Fill(keepTop, Rect(0, 0, 2, 2), Fence);
    Fill(keepRight, Rect(0, 0, 1, 1), Fence);
    gfx::TBitmap wantTop = keepTop, wantRight = keepRight;
    ComposeFrameBands(cut, Grown, {}, GW, GH, R, pic, keepTop, bottom, left, keepRight);
    EXPECT_TRUE(SamePicture(keepTop, wantTop));
    EXPECT_TRUE(SamePicture(keepRight, wantRight));
}
