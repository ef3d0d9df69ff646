#include "skin/draw/CaptionGlyphs.h"

#include "DrawTestUtil.h"
#include "platform/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;

namespace {

using Glyph = std::function<void(gfx::TCanvas&, int, int, base::TColor)>;
using Pixels = std::set<std::pair<int, int>>;

// Draws the glyph at (3, 2) of a white 16 x 14 bitmap and returns the bitmap.
gfx::TBitmap Drawn(Glyph const& glyph)
{
    gfx::TBitmap bmp(16, 14);
    Fill(bmp, Rect(0, 0, 16, 14), base::clWhite);
    glyph(bmp.Canvas(), 3, 2, base::clRed);
    return bmp;
}

// The expected picture: red at the given glyph pixels (relative to the origin), white elsewhere.
gfx::TBitmap Expected(Pixels const& px)
{
    gfx::TBitmap bmp(16, 14);
    Fill(bmp, Rect(0, 0, 16, 14), base::clWhite);
    for (auto [x, y] : px)
        bmp.SetPixel(3 + x, 2 + y, base::clRed);
    return bmp;
}

void AddRow(Pixels& px, int y, int x0, int x1) // x0..x1 - 1
{
    for (int x = x0; x < x1; ++x)
        px.insert({ x, y });
}

void AddOutline(Pixels& px, int l, int t, int r, int b)
{
    AddRow(px, t, l, r);
    AddRow(px, b - 1, l, r);
    for (int y = t; y < b; ++y) {
        px.insert({ l, y });
        px.insert({ r - 1, y });
    }
}

} // namespace

TEST(CaptionGlyphs, CloseIsTwoDoubleDiagonals)
{
    Pixels px;
    for (int i = 0; i < 8; ++i) {
        px.insert({ 1 + i, 1 + i }); // (1,1) -> (9,9)
        px.insert({ 9 - i, 1 + i }); // (9,1) -> (1,9)
        px.insert({ 2 + i, 1 + i }); // (2,1) -> (10,9)
        px.insert({ 8 - i, 1 + i }); // (8,1) -> (0,9)
    }
    EXPECT_TRUE(SamePicture(Drawn(DrawCloseGlyph), Expected(px)));
}

TEST(CaptionGlyphs, MinimizeSysMenuTray)
{
    Pixels px;
    AddRow(px, 8, 1, 9);
    AddRow(px, 9, 1, 9);
    EXPECT_TRUE(SamePicture(Drawn(DrawMinimizeGlyph), Expected(px)));

    px.clear();
    AddOutline(px, 1, 3, 9, 6);
    EXPECT_TRUE(SamePicture(Drawn(DrawSysMenuGlyph), Expected(px)));

    px.clear();
    for (int y = 2; y < 7; ++y)
        AddRow(px, y, 2, 7);
    EXPECT_TRUE(SamePicture(Drawn(DrawTrayGlyph), Expected(px)));
}

TEST(CaptionGlyphs, MaximizeAndRestoreAreHollow)
{
    Pixels px;
    AddOutline(px, 0, 0, 11, 10);
    AddOutline(px, 0, 0, 11, 2);
    EXPECT_TRUE(SamePicture(Drawn(DrawMaximizeGlyph), Expected(px)));

    px.clear();
    AddOutline(px, 2, 0, 10, 6);
    AddOutline(px, 2, 0, 10, 2);
    AddOutline(px, 0, 4, 7, 10);
    AddOutline(px, 0, 4, 7, 6);
    EXPECT_TRUE(SamePicture(Drawn(DrawRestoreGlyph), Expected(px)));
}

TEST(CaptionGlyphs, RollTriangles)
{
    // Row lines stop short of their end, so the tip line (i = 0) has no pixel.
    Pixels down, up;
    for (int i = 1; i <= 4; ++i) {
        AddRow(down, 6 - i, 5 - i, 5 + i);
        AddRow(up, 2 + i, 5 - i, 5 + i);
    }
    EXPECT_TRUE(SamePicture(Drawn(DrawRollDownGlyph), Expected(down)));
    EXPECT_TRUE(SamePicture(Drawn(DrawRollUpGlyph), Expected(up)));
}

TEST(CaptionGlyphs, CanvasStateIsRestored)
{
    gfx::TBitmap bmp(16, 14);
    gfx::TCanvas& c = bmp.Canvas();
    c.Pen.Color = base::clBlue;
    c.Brush.Color = base::clLime;
    c.Brush.Style = gfx::bsSolid;
    DrawTrayGlyph(c, 0, 0, base::clRed);
    DrawMaximizeGlyph(c, 0, 0, base::clRed);
    EXPECT_EQ(c.Pen.Color, base::clBlue);
    EXPECT_EQ(c.Brush.Color, base::clLime);
    EXPECT_EQ(c.Brush.Style, gfx::bsSolid);
}
