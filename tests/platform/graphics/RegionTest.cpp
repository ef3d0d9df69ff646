#include <gtest/gtest.h>

#include <random>

#include "platform/base/Exceptions.h"
#include "platform/graphics/Region.h"

using namespace xe::gfx;
using xe::base::Rect;
using xe::base::TRect;

namespace {

// The pixel set of a region inside a window, as a bit grid, for comparing against plain
// per-pixel boolean logic.
std::vector<bool> Pixels(TRegion const& r, int size = 24)
{
    std::vector<bool> bits(size_t(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            bits[size_t(y * size + x)] = PtInRegion(r, x, y);
    return bits;
}

void ExpectCanonical(TRegion const& r)
{
    // Rectangles do not overlap and are sorted by top, then left.
    auto& rects = r.Rects();
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_FALSE(xe::base::IsRectEmpty(rects[i]));
        if (i > 0) {
            auto& a = rects[i - 1];
            auto& b = rects[i];
            EXPECT_TRUE(a.Top < b.Top || (a.Top == b.Top && a.Right < b.Left)) << i;
        }
    }
}

} // namespace

TEST(RegionTest, RectRegionBasics)
{
    TRegion r = CreateRectRgn(2, 3, 6, 8);
    EXPECT_EQ(RegionKind(r), SIMPLEREGION);
    TRect box;
    EXPECT_EQ(GetRgnBox(r, box), SIMPLEREGION);
    EXPECT_EQ(box, Rect(2, 3, 6, 8));
    EXPECT_TRUE(PtInRegion(r, 2, 3));
    EXPECT_TRUE(PtInRegion(r, 5, 7));
    EXPECT_FALSE(PtInRegion(r, 6, 7)); // right edge excluded
    EXPECT_FALSE(PtInRegion(r, 5, 8)); // bottom edge excluded
    EXPECT_EQ(CreateRectRgn(6, 8, 2, 3), r); // corners in any order

    EXPECT_TRUE(CreateRectRgn(4, 4, 4, 9).Empty());
    EXPECT_EQ(RegionKind(TRegion()), NULLREGION);
    EXPECT_EQ(GetRgnBox(TRegion(), box), NULLREGION);
    EXPECT_EQ(box, TRect {});
}

TEST(RegionTest, CombineModes)
{
    TRegion a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), r;
    EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(r, CreateRectRgn(5, 5, 10, 10));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(r.Rects(), (std::vector<TRect> { Rect(0, 0, 10, 5), Rect(0, 5, 15, 10), Rect(5, 10, 15, 15) }));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(r.Rects(), (std::vector<TRect> { Rect(0, 0, 10, 5), Rect(0, 5, 5, 10) }));
    EXPECT_EQ(CombineRgn(r, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(r.Rects().size(), 4u);
    EXPECT_FALSE(PtInRegion(r, 7, 7));
    EXPECT_TRUE(PtInRegion(r, 12, 7));
    EXPECT_EQ(CombineRgn(r, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(r, a, b, 99), RGN_ERROR);
    // dst may be one of the operands.
    CombineRgn(a, a, b, RGN_AND);
    EXPECT_EQ(a, CreateRectRgn(5, 5, 10, 10));
}

TEST(RegionTest, EqualPixelSetsGiveEqualRegions)
{
    // Two abutting halves merge into the one rectangle; different splits of an L compare equal.
    TRegion halves = CreateRectRgn(0, 0, 5, 10).Union(CreateRectRgn(5, 0, 10, 10));
    EXPECT_EQ(halves, CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(RegionKind(halves), SIMPLEREGION);
    TRegion l1 = CreateRectRgn(0, 0, 2, 6).Union(CreateRectRgn(0, 4, 6, 6));
    TRegion l2 = CreateRectRgn(0, 0, 2, 4).Union(CreateRectRgn(0, 4, 6, 6));
    EXPECT_TRUE(EqualRgn(l1, l2));
    TRegion overlapping({ Rect(0, 0, 4, 4), Rect(2, 2, 6, 6), Rect(1, 1, 3, 3) });
    ExpectCanonical(overlapping);
    EXPECT_EQ(overlapping, CreateRectRgn(0, 0, 4, 4).Union(CreateRectRgn(2, 2, 6, 6)));
}

TEST(RegionTest, RandomCombinationsMatchPixelLogic)
{
    std::mt19937 rng(1234);
    auto randomRegion = [&] {
        std::vector<TRect> rects;
        int n = int(rng() % 5);
        for (int i = 0; i < n; ++i) {
            int l = int(rng() % 20), t = int(rng() % 20);
            rects.push_back(Rect(l, t, l + 1 + int(rng() % 6), t + 1 + int(rng() % 6)));
        }
        return TRegion(rects);
    };
    for (int round = 0; round < 300; ++round) {
        TRegion a = randomRegion(), b = randomRegion();
        auto pa = Pixels(a), pb = Pixels(b);
        for (int mode : { RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF }) {
            TRegion r;
            CombineRgn(r, a, b, mode);
            ExpectCanonical(r);
            auto pr = Pixels(r);
            for (size_t i = 0; i < pr.size(); ++i) {
                bool expected = mode == RGN_AND ? pa[i] && pb[i]
                    : mode == RGN_OR            ? pa[i] || pb[i]
                    : mode == RGN_XOR           ? pa[i] != pb[i]
                                                : pa[i] && !pb[i];
                ASSERT_EQ(pr[i], expected) << "mode " << mode << " pixel " << i << " round " << round;
            }
        }
    }
}

TEST(RegionTest, OffsetAndRectIntersection)
{
    TRegion r = CreateRectRgn(0, 0, 4, 4).Union(CreateRectRgn(10, 0, 12, 2));
    EXPECT_EQ(OffsetRgn(r, 3, -1), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(r, 3, -1));
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_TRUE(PtInRegion(r, 14, 0));
    EXPECT_TRUE(RectInRegion(r, Rect(6, 2, 8, 3)));
    EXPECT_FALSE(RectInRegion(r, Rect(7, -1, 13, 0))); // the gap between the two parts
    EXPECT_FALSE(RectInRegion(r, Rect(8, 0, 8, 5))); // empty
}

TEST(RegionTest, RegionDataRoundTrip)
{
    TRegion r = CreateRectRgn(1, 2, 5, 6).Union(CreateRectRgn(8, 2, 9, 3));
    std::string data = GetRegionData(r);
    ASSERT_EQ(data.size(), 32u + 16u * r.Rects().size());
    EXPECT_EQ(data[0], 32);
    EXPECT_EQ(data[4], 1);
    EXPECT_EQ(data[8], char(r.Rects().size()));
    EXPECT_EQ(ExtCreateRegion(data), r);

    // Data from elsewhere: overlapping rectangles and a zero region-size field are accepted.
    std::string raw(32, '\0');
    raw[0] = 32;
    raw[4] = 1;
    raw[8] = 2;
    auto put = [&](int32_t v) {
        for (int i = 0; i < 4; ++i)
            raw.push_back(char((uint32_t(v) >> (8 * i)) & 0xFF));
    };
    for (int v : { 0, 0, 3, 1, 1, 0, 4, 1 })
        put(v);
    EXPECT_EQ(ExtCreateRegion(raw), CreateRectRgn(0, 0, 4, 1));
}

TEST(RegionTest, MalformedRegionDataIsRejected)
{
    std::string good = GetRegionData(CreateRectRgn(0, 0, 2, 2));
    EXPECT_THROW(ExtCreateRegion(good.substr(0, 20)), xe::base::EReadError);
    EXPECT_THROW(ExtCreateRegion(good.substr(0, good.size() - 1)), xe::base::EReadError);
    std::string badType = good;
    badType[4] = 2;
    EXPECT_THROW(ExtCreateRegion(badType), xe::base::EReadError);
    std::string hugeCount = good;
    hugeCount[11] = char(0x7F);
    EXPECT_THROW(ExtCreateRegion(hugeCount), xe::base::EReadError);
    std::string badSize = good;
    badSize[0] = 8;
    EXPECT_THROW(ExtCreateRegion(badSize), xe::base::EReadError);
}
