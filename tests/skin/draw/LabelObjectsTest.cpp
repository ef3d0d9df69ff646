#include "skin/draw/LabelObjects.h"

#include "DrawTestUtil.h"
#include "RecordingHost.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/SkinObjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TColor;
using base::TRect;
using Lines = std::vector<std::string>;

namespace {

TColor const Ink = base::RGB(255, 0, 0), HotInk = base::RGB(0, 0, 255);

// The box around the pixels of one colour, empty when there are none.
TRect InkBox(gfx::TBitmap const& b, TColor c)
{
    TRect r { b.Width(), b.Height(), 0, 0 };
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) {
                r.Left = std::min(r.Left, x), r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1), r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r;
}

struct LabelFixture {
    PatternSkin Skin;
    RecordingHost Host;
    TspDataSkinLabel Data { "label" };
    LabelFixture()
    {
        Data.SkinRect = Rect(4, 8, 44, 28); // 40 x 20
        Data.FontColor = Ink;
        Data.ActiveFontColor = HotInk;
        Data.TextValue = "MW";
    }
    gfx::TBitmap Drawn(TspActiveSkinObject& o)
    {
        gfx::TBitmap s(64, 64);
        s.Fill(base::clWhite);
        o.Draw(s.Canvas(), false);
        return s;
    }
};

} // namespace

TEST(SkinLabel, DrawsItsTextAlignedAndClippedOverItsPicture)
{
    LabelFixture f;
    f.Data.Alignment = taCenter;
    TspSkinLabelObject label(&f.Host, &f.Skin.Data, &f.Data);
    gfx::TBitmap s = f.Drawn(label);
    EXPECT_EQ(s.Pixel(4, 8), FramePx(4, 8)) << "the normal picture, drawn with the whole frame too";
    TRect const ink = InkBox(s, Ink);
    ASSERT_FALSE(base::IsRectEmpty(ink));
    EXPECT_TRUE(base::IsRectEmpty(InkBox(s, HotInk)));
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 24, 2) << "centred";
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 18, 3);

    label.Alignment = taLeftJustify;
    EXPECT_LE(InkBox(f.Drawn(label), Ink).Left, 4 + 2);
    label.Alignment = taRightJustify;
    EXPECT_GE(InkBox(f.Drawn(label), Ink).Right, 44 - 2);

    label.SetTextValue("MWMWMWMWMWMW"); // wider than the label
    EXPECT_EQ(f.Host.Log, Lines { "redraw label" });
    TRect const wide = InkBox(f.Drawn(label), Ink);
    EXPECT_GE(wide.Left, 4);
    EXPECT_LE(wide.Right, 44) << "clipped to ObjectRect";
    EXPECT_GE(wide.Top, 8);
    EXPECT_LE(wide.Bottom, 28);
}

TEST(SkinLabel, HoverChangesPictureAndColour)
{
    LabelFixture f;
    TspSkinLabelObject plain(&f.Host, &f.Skin.Data, &f.Data);
    plain.MouseEnter();
    EXPECT_EQ(f.Host.Log, (Lines { "redraw label", "enter label" })) << "the colours differ";
    gfx::TBitmap s = f.Drawn(plain);
    EXPECT_FALSE(base::IsRectEmpty(InkBox(s, HotInk)));
    EXPECT_TRUE(base::IsRectEmpty(InkBox(s, Ink)));
    EXPECT_EQ(s.Pixel(4, 8), FramePx(4, 8)) << "no hot picture: the normal one";

    f.Data.ActiveSkinRect = Rect(0, 40, 20, 50);
    f.Data.ActivePictureIndex = 0;
    TspSkinLabelObject hot(&f.Host, &f.Skin.Data, &f.Data);
    hot.MouseEnter();
    s = f.Drawn(hot);
    EXPECT_EQ(s.Pixel(4, 8), OwnPx(0, 40)) << "the hot picture, scaled to the label";
    EXPECT_EQ(s.Pixel(43, 27), OwnPx(19, 49));
    hot.MouseLeave();
    EXPECT_EQ(f.Drawn(hot).Pixel(4, 8), FramePx(4, 8));

    // Same colours and no hot picture: hovering changes nothing and redraws nothing, and a
    // repaint under the mouse keeps the text.
    f.Data.ActiveSkinRect = TRect {};
    f.Data.ActiveFontColor = Ink;
    TspSkinLabelObject still(&f.Host, &f.Skin.Data, &f.Data);
    f.Host.Log.clear();
    still.MouseEnter();
    still.MouseLeave();
    still.MouseEnter();
    EXPECT_EQ(f.Host.Log, (Lines { "enter label", "leave label", "enter label" }));
    EXPECT_FALSE(base::IsRectEmpty(InkBox(f.Drawn(still), Ink)));
}

TEST(SkinLabel, FadesBetweenItsLooks)
{
    LabelFixture f;
    f.Data.ActiveSkinRect = Rect(4, 8, 44, 28);
    f.Data.ActivePictureIndex = 0;
    f.Data.Morphing = true;
    TspSkinLabelObject label(&f.Host, &f.Skin.Data, &f.Data);
    label.MouseEnter();
    EXPECT_EQ(f.Host.Log, (Lines { "morph", "enter label" }));
    label.SetMorphFactor(0.4);
    TColor const mixed = f.Drawn(label).Pixel(4, 8);
    // Blue channel 50 in the normal picture, 200 in the hot one.
    EXPECT_GT(int(mixed >> 16 & 0xFF), 50);
    EXPECT_LT(int(mixed >> 16 & 0xFF), 200);
    label.SetMorphFactor(1);
    EXPECT_EQ(f.Drawn(label).Pixel(4, 8), OwnPx(4, 8));
}

// The symbol sheet: 3 x 4 cells from (0,40) of picture 0; '1' stands in both rows.
TEST(SkinBitLabel, DrawsCellsUntilTheRightEdge)
{
    PatternSkin skin;
    RecordingHost host;
    TspDataSkinBitLabel d("digits");
    d.SkinRect = Rect(0, 0, 8, 4); // two cells and two columns of a third
    d.ActiveSkinRect = Rect(0, 40, 12, 48);
    d.ActivePictureIndex = 0;
    d.SymbolWidth = 3;
    d.SymbolHeight = 4;
    d.Symbols = { "0123", "4561" };
    d.TextValue = "1x23";
    TspSkinBitLabelObject label(&host, &skin.Data, &d);
    label.ObjectRect = Rect(10, 20, 18, 24);
    gfx::TBitmap s(64, 64);
    s.Fill(base::clWhite);
    label.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(10, 20), OwnPx(3, 40)) << "'1' from the first row";
    EXPECT_EQ(s.Pixel(12, 23), OwnPx(5, 43));
    EXPECT_EQ(s.Pixel(13, 20), FramePx(3, 0)) << "an unknown character shows the background";
    EXPECT_EQ(s.Pixel(16, 20), OwnPx(6, 40)) << "'2' cut at the edge";
    EXPECT_EQ(s.Pixel(17, 23), OwnPx(7, 43));
    EXPECT_EQ(s.Pixel(18, 20), base::clWhite) << "nothing past the label, no '3'";

    label.SetTextValue("4");
    EXPECT_EQ(host.Log, Lines { "redraw digits" });
    label.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(10, 20), OwnPx(0, 44));
    EXPECT_EQ(s.Pixel(16, 20), FramePx(6, 0));
}
