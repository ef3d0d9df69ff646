#include "platform/base/Geometry.h"
#include "platform/base/Colors.h"

#include <gtest/gtest.h>

using namespace xe::base;

TEST(Geometry, RectanglesAreHalfOpen)
{
    TRect r = Rect(10, 20, 13, 22);
    EXPECT_EQ(RectWidth(r), 3);
    EXPECT_EQ(RectHeight(r), 2);
    EXPECT_TRUE(PtInRect(r, Point(10, 20)));
    EXPECT_TRUE(PtInRect(r, Point(12, 21)));
    EXPECT_FALSE(PtInRect(r, Point(13, 21)));
    EXPECT_FALSE(PtInRect(r, Point(12, 22)));
    EXPECT_EQ(Bounds(10, 20, 3, 2), r);
}

TEST(Geometry, EmptyRectanglesContainNothing)
{
    EXPECT_TRUE(IsRectEmpty(Rect(5, 5, 5, 10)));
    EXPECT_TRUE(IsRectEmpty(Rect(5, 5, 4, 10)));
    EXPECT_FALSE(IsRectEmpty(Rect(5, 5, 6, 6)));
    EXPECT_FALSE(PtInRect(Rect(5, 5, 5, 10), Point(5, 5)));
}

TEST(Geometry, IntersectAndUnion)
{
    TRect out;
    EXPECT_TRUE(IntersectRect(out, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(out, Rect(5, 5, 10, 10));
    // Touching edges do not intersect; the result becomes all zero.
    EXPECT_FALSE(IntersectRect(out, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_EQ(out, TRect {});
    EXPECT_TRUE(UnionRect(out, Rect(0, 0, 2, 2), Rect(5, 5, 6, 7)));
    EXPECT_EQ(out, Rect(0, 0, 6, 7));
    // An empty rectangle does not stretch the union.
    EXPECT_TRUE(UnionRect(out, Rect(100, 100, 100, 100), Rect(5, 5, 6, 7)));
    EXPECT_EQ(out, Rect(5, 5, 6, 7));
}

TEST(Geometry, OffsetAndInflate)
{
    TRect r = Rect(1, 2, 3, 4);
    OffsetRect(r, 10, -2);
    EXPECT_EQ(r, Rect(11, 0, 13, 2));
    InflateRect(r, 1, 2);
    EXPECT_EQ(r, Rect(10, -2, 14, 4));
}

TEST(Colors, SystemColorsResolveThroughTheClassicPalette)
{
    EXPECT_EQ(clBtnFace, 0xFF00000Fu);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clBtnText), clBlack);
    EXPECT_EQ(ColorToRGB(clGradientActiveCaption), RGB(166, 202, 240));
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
    // An index outside the palette does not read past it.
    EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
}
