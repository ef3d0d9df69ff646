#include "skin/draw/MaskRegion.h"

#include "DrawTestUtil.h"
#include "platform/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Point;
using base::Rect;
using base::TRect;

namespace {

int32_t Get32(std::string const& d, size_t at)
{
    uint32_t v = uint8_t(d[at]) | uint32_t(uint8_t(d[at + 1])) << 8 | uint32_t(uint8_t(d[at + 2])) << 16
        | uint32_t(uint8_t(d[at + 3])) << 24;
    return int32_t(v);
}

TRect RectAt(std::string const& d, size_t i)
{
    size_t at = 32 + 16 * i;
    return Rect(Get32(d, at), Get32(d, at + 4), Get32(d, at + 8), Get32(d, at + 12));
}

gfx::TBitmap WhiteMask(int w, int h)
{
    gfx::TBitmap m(w, h);
    Fill(m, Rect(0, 0, w, h), base::clWhite);
    return m;
}

// Checks every pixel of box: inside the region exactly where inside(x, y) holds.
::testing::AssertionResult RegionIs(
    gfx::TRegion const& rgn, TRect const& box, std::function<bool(int, int)> inside)
{
    for (int y = box.Top; y < box.Bottom; ++y)
        for (int x = box.Left; x < box.Right; ++x)
            if (gfx::PtInRegion(rgn, x, y) != inside(x, y))
                return ::testing::AssertionFailure()
                    << "pixel (" << x << "," << y << ") " << (inside(x, y) ? "missing" : "should be outside");
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(MaskToRectList, RunsPerRowWithHeaderAndOffset)
{
    // Row 0: black at 1..2 and at 4 (to the row's end); row 1 all black; row 2 none.
    gfx::TBitmap m = WhiteMask(5, 3);
    Fill(m, Rect(1, 0, 3, 1), base::clBlack);
    Fill(m, Rect(4, 0, 5, 1), base::clBlack);
    Fill(m, Rect(0, 1, 5, 2), base::clBlack);
    m.SetPixel(2, 2, base::RGB(0, 0, 1)); // nearly black is outside

    std::string d;
    ASSERT_EQ(MaskToRectList(m, 10, 20, d), size_t(32 + 3 * 16));
    ASSERT_EQ(d.size(), size_t(32 + 3 * 16));
    EXPECT_EQ(Get32(d, 0), 32);
    EXPECT_EQ(Get32(d, 4), 1);
    EXPECT_EQ(Get32(d, 8), 3);
    EXPECT_EQ(Get32(d, 12), 0);
    EXPECT_EQ(Rect(Get32(d, 16), Get32(d, 20), Get32(d, 24), Get32(d, 28)), Rect(10, 20, 15, 23));
    EXPECT_EQ(RectAt(d, 0), Rect(11, 20, 13, 21));
    EXPECT_EQ(RectAt(d, 1), Rect(14, 20, 15, 21));
    EXPECT_EQ(RectAt(d, 2), Rect(10, 21, 15, 22));
}

TEST(MaskToRectList, WhiteAndEmptyMasks)
{
    std::string d = "stale";
    EXPECT_EQ(MaskToRectList(WhiteMask(7, 4), 0, 0, d), size_t(32));
    EXPECT_EQ(Get32(d, 8), 0);
    EXPECT_EQ(Rect(Get32(d, 16), Get32(d, 20), Get32(d, 24), Get32(d, 28)), Rect(0, 0, 7, 4));
    EXPECT_TRUE(RegionFromMask(WhiteMask(7, 4)).Empty());

    gfx::TBitmap empty;
    EXPECT_EQ(MaskToRectList(empty, 0, 0, d), size_t(0));
    EXPECT_TRUE(d.empty());
    EXPECT_TRUE(RegionFromMask(empty).Empty());
}

TEST(MaskToRectList, ManyRunsAreAllKept)
{
    // A checkerboard of 240 x 100 has 12000 runs, more than a fixed 10000-entry buffer holds.
    gfx::TBitmap m = WhiteMask(240, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = (y % 2); x < 240; x += 2)
            m.SetPixel(x, y, base::clBlack);
    std::string d;
    ASSERT_EQ(MaskToRectList(m, 0, 0, d), size_t(32 + 12000 * 16));
    EXPECT_EQ(Get32(d, 8), 12000);
    EXPECT_EQ(RectAt(d, 11999), Rect(239, 99, 240, 100));

    gfx::TRegion rgn = RegionFromMask(m);
    EXPECT_TRUE(RegionIs(rgn, Rect(-1, -1, 241, 101),
        [](int x, int y) { return x >= 0 && y >= 0 && x < 240 && y < 100 && (x + y) % 2 == 0; }));
}

TEST(FrameRegionFromMask, ShapeGrowsWithTheFrame)
{
    // A 12 x 10 mask cut like the frame tests: black except two round corners and a notch in
    // the left middle (mask row 5, which the tiling repeats every other row).
    const TFrameCut cut { Point(4, 4), Point(8, 4), Point(4, 6), Point(8, 6), Rect(3, 2, 9, 8) };
    gfx::TBitmap mask(12, 10);
    Fill(mask, Rect(0, 0, 12, 10), base::clBlack);
    mask.SetPixel(0, 0, base::clWhite);
    mask.SetPixel(11, 0, base::clWhite);
    mask.SetPixel(0, 5, base::clWhite);

    const TFrameCut grown { Point(4, 4), Point(16, 4), Point(4, 11), Point(16, 11), Rect(3, 2, 17, 13) };
    std::optional<gfx::TRegion> rgn = FrameRegionFromMask(cut, grown, 20, mask, cut.C);
    ASSERT_TRUE(rgn.has_value());
    // The left band covers window rows 2..12; its tiled middle starts at band row 0 and the
    // head (band rows 0..1) and tail (band rows 9..10) are copied over it, so the notch shows
    // on band rows 3, 5 and 7, window rows 5, 7 and 9.
    EXPECT_TRUE(RegionIs(*rgn, Rect(-1, -1, 22, 17), [](int x, int y) {
        if (x < 0 || y < 0 || x >= 20 || y >= 15)
            return false;
        if ((x == 0 && y == 0) || (x == 19 && y == 0))
            return false;
        return !(x == 0 && (y == 5 || y == 7 || y == 9));
    }));
}

TEST(FrameRegionFromMask, CrossedPointsGiveNoRegion)
{
    const TFrameCut cut { Point(4, 4), Point(8, 4), Point(4, 6), Point(8, 6), Rect(3, 2, 9, 8) };
    gfx::TBitmap mask(12, 10);
    TFrameCut crossed { Point(4, 4), Point(3, 4), Point(4, 11), Point(16, 11), Rect(3, 2, 17, 13) };
    EXPECT_FALSE(FrameRegionFromMask(cut, crossed, 20, mask, cut.C).has_value());
    crossed = { Point(4, 4), Point(16, 4), Point(4, 3), Point(16, 11), Rect(3, 2, 17, 13) };
    EXPECT_FALSE(FrameRegionFromMask(cut, crossed, 20, mask, cut.C).has_value());
}
