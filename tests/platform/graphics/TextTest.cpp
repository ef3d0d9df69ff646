#include <gtest/gtest.h>

#include <random>

#include "platform/base/Strings.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontEngine.h"

using namespace xe::gfx;
using xe::base::Ansi;
using xe::base::clBlack;
using xe::base::clWhite;
using xe::base::Rect;
using xe::base::RGB;
using xe::base::TColor;
using xe::base::TRect;

// Tests of text compare metrics and the regions glyphs cover, never exact glyph pixels.

namespace {

constexpr TColor Bg = RGB(10, 20, 30);
constexpr TColor Ink = RGB(200, 100, 50);

TBitmap Filled(int w, int h, TColor c = Bg)
{
    TBitmap b(w, h);
    b.Fill(c);
    return b;
}

// The bounding box of pixels of colour c (empty if none).
TRect InkBox(TBitmap const& b, TColor c = Ink)
{
    TRect box { INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN };
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.Left == INT32_MAX ? TRect {} : box;
}

bool Inside(TRect const& inner, TRect const& outer)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right
        && inner.Bottom <= outer.Bottom;
}

} // namespace

TEST(TextTest, FontNamesMapToInstalledFaces)
{
    EXPECT_EQ(FontFamilyFor("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(FontFamilyFor("arial"), "Liberation Sans");
    EXPECT_EQ(FontFamilyFor("No Such Font"), "Liberation Sans");
    EXPECT_EQ(FontFamilyFor("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(FontFamilyFor("Courier New"), "Liberation Mono");
    EXPECT_EQ(FontFamilyFor(Ansi(u8"宋体")), "WenQuanYi Micro Hei");
    EXPECT_EQ(FontFamilyFor(Ansi(u8"微软雅黑")), "WenQuanYi Micro Hei");
    EXPECT_EQ(FontFamilyFor("SimSun"), "WenQuanYi Micro Hei");

    TFont font;
    EXPECT_NE(FontInstanceFor(font).FaceFile().find("LiberationSans-Regular"), std::string::npos);
    font.SetStyle(fsBold | fsItalic);
    EXPECT_NE(FontInstanceFor(font).FaceFile().find("LiberationSans-BoldItalic"), std::string::npos);
    font.SetName(Ansi(u8"宋体"));
    EXPECT_NE(FontInstanceFor(font).FaceFile().find("wqy-microhei"), std::string::npos);
    // Instances are cached.
    EXPECT_EQ(&FontInstanceFor(font), &FontInstanceFor(font));
}

TEST(TextTest, FontSizeAndHeight)
{
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(font.Size(), 12);
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetColor(clWhite);
    font.SetColor(clWhite);
    EXPECT_EQ(changes, 1);

    // A positive height is the cell height, a negative one the character height.
    TBitmap b(1, 1);
    b.Canvas().Font.SetHeight(20);
    TTextMetric cell = b.Canvas().TextMetrics();
    EXPECT_NEAR(cell.tmHeight, 20, 1);
    b.Canvas().Font.SetHeight(-20);
    TTextMetric em = b.Canvas().TextMetrics();
    EXPECT_GT(em.tmHeight, 20);
    EXPECT_EQ(em.tmHeight - em.tmInternalLeading, 20);
    EXPECT_EQ(em.tmAscent + em.tmDescent, em.tmHeight);
}

TEST(TextTest, MetricsArePositiveAndConsistent)
{
    TBitmap b(1, 1);
    TCanvas& c = b.Canvas();
    for (char const* name : { "MS Sans Serif", "Arial", "Times New Roman" }) {
        c.Font.SetName(name);
        SCOPED_TRACE(name);
        int w = c.TextWidth("Hello");
        EXPECT_GT(w, 10);
        EXPECT_GT(c.TextHeight("Hello"), 8);
        EXPECT_EQ(c.TextWidth("HelloHello"), 2 * w);
        EXPECT_EQ(c.TextWidth(""), 0);
        EXPECT_EQ(c.TextHeight(""), c.TextHeight("Hello"));
        EXPECT_EQ(c.TextExtent("Hello").cx, w);
        EXPECT_LT(c.TextWidth("ii"), c.TextWidth("WW"));
        EXPECT_EQ(c.TextWidth("a\tb\x01"), c.TextWidth("ab")); // control characters take no room
    }
    // CJK text: every ideograph takes the same positive width, in any face.
    std::string cjk = Ansi(u8"数据导出");
    for (char const* name : { "MS Sans Serif", "\xcb\xce\xcc\xe5" /* 宋体 */ }) {
        c.Font.SetName(name);
        int one = c.TextWidth(Ansi(u8"数"));
        EXPECT_GT(one, 5);
        EXPECT_EQ(c.TextWidth(cjk), 4 * one);
        EXPECT_GT(c.TextHeight(cjk), 8);
    }
    // Larger and bolder fonts are wider.
    c.Font.SetName("Arial");
    int normal = c.TextWidth("Export");
    c.Font.SetStyle(fsBold);
    EXPECT_GT(c.TextWidth("Export"), normal);
    c.Font.SetStyle(0);
    c.Font.SetSize(16);
    EXPECT_GT(c.TextWidth("Export"), normal * 3 / 2);
}

TEST(TextTest, TextOutDrawsMonochromeInsideItsCell)
{
    for (char const* text : { "Progress 42%", "\xca\xfd\xbe\xdd" /* 数据 */ }) {
        TBitmap b = Filled(120, 40);
        TCanvas& c = b.Canvas();
        c.Font.SetColor(Ink);
        c.SetBkMode(TRANSPARENT);
        c.TextOut(5, 6, text);
        xe::base::TSize size = c.TextExtent(text);
        TRect ink = InkBox(b);
        EXPECT_FALSE(xe::base::IsRectEmpty(ink)) << text;
        EXPECT_TRUE(Inside(ink, xe::base::Bounds(5, 6, size.cx, size.cy))) << text;
        // Only two colours: no anti-aliasing.
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x)
                ASSERT_TRUE(b.Pixel(x, y) == Bg || b.Pixel(x, y) == Ink);
        EXPECT_EQ(c.PenPos(), xe::base::Point(5 + size.cx, 6));
    }
    // An opaque background fills the whole cell with the brush.
    TBitmap b = Filled(100, 30);
    TCanvas& c = b.Canvas();
    c.Font.SetColor(Ink);
    c.Brush.Color = clWhite;
    c.TextOut(2, 3, "Abc");
    xe::base::TSize size = c.TextExtent("Abc");
    EXPECT_EQ(InkBox(b, clWhite).Left, 2);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            bool inCell = x >= 2 && x < 2 + size.cx && y >= 3 && y < 3 + size.cy;
            ASSERT_EQ(b.Pixel(x, y) != Bg, inCell) << x << "," << y;
        }
    // Underline adds a line across the whole text below the baseline.
    TBitmap u = Filled(100, 30);
    u.Canvas().Font.SetColor(Ink);
    u.Canvas().SetBkMode(TRANSPARENT);
    u.Canvas().Font.SetStyle(fsUnderline);
    u.Canvas().TextOut(2, 3, "Abc");
    int baseline = 3 + u.Canvas().TextMetrics().tmAscent;
    int row = -1;
    for (int y = baseline; y < 3 + size.cy && row < 0; ++y)
        if (u.Pixel(2, y) == Ink && u.Pixel(2 + size.cx - 1, y) == Ink)
            row = y;
    EXPECT_GE(row, baseline);
}

TEST(TextTest, SmallDigitsKeepAGapBetweenNeighbours)
{
    // The gauge writes its percentage in an 8-point sans face: round glyphs must not run
    // into each other ("100%" must not read as "1XX%").
    for (int height : { -11, -12, -13 }) {
        TBitmap b = Filled(80, 30);
        TCanvas& c = b.Canvas();
        c.Font.SetName("MS Sans Serif");
        c.Font.SetHeight(height);
        c.Font.SetColor(Ink);
        c.SetBkMode(TRANSPARENT);
        c.TextOut(2, 2, "00");
        int zero = c.TextWidth("0");
        auto columnHasInk = [&](int x) {
            for (int y = 0; y < 30; ++y)
                if (b.Pixel(x, y) == Ink)
                    return true;
            return false;
        };
        // Somewhere between the two glyphs' centres there is a column without ink.
        bool gap = false;
        for (int x = 2 + zero / 2; x < 2 + zero + zero / 2; ++x)
            gap = gap || !columnHasInk(x);
        EXPECT_TRUE(gap) << "height " << height;
    }
}

TEST(TextTest, WhiteTextXoredInvertsExactlyTheCoveredPixels)
{
    // The gauge's text layer: white text on black, combined with XOR.
    TBitmap layer = Filled(80, 20, clBlack);
    layer.Canvas().Font.SetColor(clWhite);
    layer.Canvas().SetBkMode(TRANSPARENT);
    layer.Canvas().TextOut(10, 2, "42%");
    TBitmap dst(80, 20);
    std::mt19937 rng(3);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            dst.SetPixel(x, y, rng() & 0xFFFFFF);
    TBitmap before = dst;
    BitBlt(dst.Canvas(), 0, 0, 80, 20, layer, 0, 0, SRCINVERT);
    int inverted = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) {
            if (layer.Pixel(x, y) == clWhite) {
                ASSERT_EQ(dst.Pixel(x, y), before.Pixel(x, y) ^ 0xFFFFFF);
                ++inverted;
            } else {
                ASSERT_EQ(layer.Pixel(x, y), clBlack);
                ASSERT_EQ(dst.Pixel(x, y), before.Pixel(x, y));
            }
        }
    EXPECT_GT(inverted, 10);
}

TEST(TextTest, DrawTextCalcRectAndAlignment)
{
    TBitmap b = Filled(200, 60);
    TCanvas& c = b.Canvas();
    c.Font.SetColor(Ink);
    c.SetBkMode(TRANSPARENT);
    TRect r = Rect(10, 10, 10, 10);
    int h = c.DrawText("Export data", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, c.TextHeight("Export data"));
    EXPECT_EQ(r, Rect(10, 10, 10 + c.TextWidth("Export data"), 10 + h));
    EXPECT_EQ(InkBox(b), TRect {}); // nothing drawn

    // Left, centre and right put the same ink at shifted places.
    TRect area = Rect(20, 5, 180, 55);
    TRect boxes[3];
    uint32_t aligns[3] = { DT_LEFT, DT_CENTER, DT_RIGHT };
    for (int i = 0; i < 3; ++i) {
        b.Fill(Bg);
        TRect rr = area;
        c.DrawText("Export", rr, aligns[i] | DT_SINGLELINE | DT_VCENTER);
        boxes[i] = InkBox(b);
        EXPECT_TRUE(Inside(boxes[i], area));
    }
    int w = c.TextWidth("Export");
    EXPECT_EQ(boxes[1].Left - boxes[0].Left, (area.Width() - w) / 2);
    EXPECT_EQ(boxes[2].Left - boxes[0].Left, area.Width() - w);
    EXPECT_EQ(boxes[0].Top, boxes[2].Top);
    // Vertically centred: the cell starts at (height - line height) / 2.
    TRect top = area;
    b.Fill(Bg);
    c.DrawText("Export", top, DT_SINGLELINE);
    EXPECT_EQ(boxes[0].Top - InkBox(b).Top, (area.Height() - c.TextHeight("Export")) / 2);

    // Prefixes: "&File" shows "File" with an underlined F; DT_NOPREFIX shows the ampersand.
    TRect p1 = Rect(0, 0, 0, 0), p2 = p1;
    c.DrawText("&File", p1, DT_CALCRECT | DT_SINGLELINE);
    c.DrawText("&File", p2, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(p1.Right, c.TextWidth("File"));
    EXPECT_EQ(p2.Right, c.TextWidth("&File"));
    TRect p3 = p1;
    c.DrawText("A&&B", p3, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(p3.Right, c.TextWidth("A&B"));
}

TEST(TextTest, WordBreakKeepsLinesInsideTheWidth)
{
    TBitmap b = Filled(300, 300);
    TCanvas& c = b.Canvas();
    c.Font.SetColor(Ink);
    c.SetBkMode(TRANSPARENT);
    const std::string latin = "The export writes every row of the statement into one XML file";
    const std::string cjk
        = Ansi(u8"导出过程中请不要关闭窗口，否则输出文件将被删除。数据导出完成后请关闭窗口。");
    for (std::string const& text : { latin, cjk }) {
        for (int width : { 60, 100, 151 }) {
            TRect calc = Rect(5, 5, 5 + width, 5);
            int height = c.DrawText(text, calc, DT_CALCRECT | DT_WORDBREAK);
            int lineHeight = c.TextHeight("A");
            EXPECT_LE(calc.Width(), width);
            EXPECT_GT(height, lineHeight); // more than one line
            EXPECT_EQ(height % lineHeight, 0);
            EXPECT_EQ(calc.Bottom - calc.Top, height);

            b.Fill(Bg);
            TRect draw = Rect(5, 5, 5 + width, 295);
            EXPECT_EQ(c.DrawText(text, draw, DT_WORDBREAK), height);
            TRect ink = InkBox(b);
            EXPECT_TRUE(Inside(ink, Rect(5, 5, 5 + width, 5 + height))) << width;
        }
    }
    // Latin text breaks between words only: every line is a whole number of words.
    TRect one = Rect(0, 0, c.TextWidth("The export") + 2, 0);
    c.DrawText("The export writes", one, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(one.Height(), 2 * c.TextHeight("A"));
    EXPECT_EQ(one.Width(), c.TextWidth("The export"));
    // Explicit line breaks and single-line mode.
    TRect lines = Rect(0, 0, 300, 0);
    EXPECT_EQ(c.DrawText("a\r\nb\nc", lines, DT_CALCRECT), 3 * c.TextHeight("A"));
    TRect empty = Rect(3, 4, 300, 50);
    EXPECT_EQ(c.DrawText("", empty, DT_CALCRECT | DT_WORDBREAK), c.TextHeight("A"));
    EXPECT_EQ(empty, Rect(3, 4, 3, 4));
    TRect single = Rect(0, 0, 300, 0);
    EXPECT_EQ(c.DrawText("a\r\nb", single, DT_CALCRECT | DT_SINGLELINE), c.TextHeight("A"));
}

TEST(TextTest, EndEllipsisAndClipping)
{
    TBitmap b = Filled(200, 40);
    TCanvas& c = b.Canvas();
    c.Font.SetColor(Ink);
    c.SetBkMode(TRANSPARENT);
    TRect r = Rect(10, 5, 70, 30);
    c.DrawText("A rather long status text", r, DT_SINGLELINE | DT_END_ELLIPSIS);
    TRect ink = InkBox(b);
    EXPECT_TRUE(Inside(ink, r));
    TRect calc = r;
    c.DrawText("A rather long status text", calc, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(calc.Width(), r.Width());
    EXPECT_GE(calc.Width(), c.TextWidth("..."));

    // Without the ellipsis the text is cut at the rectangle, unless DT_NOCLIP.
    b.Fill(Bg);
    c.DrawText("A rather long status text", r, DT_SINGLELINE);
    EXPECT_TRUE(Inside(InkBox(b), r));
    b.Fill(Bg);
    c.DrawText("A rather long status text", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBox(b).Right, r.Right);

    // TextRect fills its rectangle with the brush and cuts the text at it.
    b.Fill(Bg);
    c.Brush.Color = clWhite;
    TRect box = Rect(10, 5, 40, 20);
    c.TextRect(box, 12, 6, "A rather long status text");
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            TColor p = b.Pixel(x, y);
            if (xe::base::PtInRect(box, { x, y })) {
                ASSERT_TRUE(p == clWhite || p == Ink);
            } else {
                ASSERT_EQ(p, Bg);
            }
        }
    EXPECT_GT(InkBox(b).Right, box.Right - 5); // the text runs on past the rectangle
}
