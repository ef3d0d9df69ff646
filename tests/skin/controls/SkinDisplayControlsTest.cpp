#include "tests/skin/controls/SkinControlTestUtil.h"

#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinStatusBar.h"
#include "tests/support/Pixels.h"

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::RGB;

namespace {

struct SkinDisplayTest : SkinControlTest {
    template <class T> T* Make(int x, int y, int w, int h)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetBounds(x, y, w, h);
        c->SetSkinData(Data.get());
        return c;
    }
    // How many pixels of the colour lie in the rectangle of the form's client area.
    int Count(base::TRect const& r, base::TColor color) { return CountColor(Shot(), r, color); }
};

TEST_F(SkinDisplayTest, PanelCentresItsCaptionAndGroupBoxTilesItsBackground)
{
    auto* panel = Make<TspSkinPanel>(10, 10, 100, 40);
    panel->SetCaption("MMM");
    auto* group = Make<TspSkinGroupBox>(10, 60, 120, 60);
    group->SetCaption("MMMM");
    EXPECT_EQ(group->CaptionArea(), Rect(4, 4, 116, 16));
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(10, 10), sc::Edge);
    EXPECT_EQ(shot.Pixel(20, 30), sc::PanelClient);
    EXPECT_GT(Count(Rect(40, 20, 80, 40), sc::PanelFont), 10); // centred
    EXPECT_EQ(Count(Rect(14, 14, 30, 46), sc::PanelFont), 0);
    // The background picture tiles the group box's client from its top-left corner; the
    // caption sits at the left of the caption rectangle.
    EXPECT_EQ(shot.Pixel(10 + 100, 60 + 40), sc::GroupBg1);
    EXPECT_EQ(shot.Pixel(10 + 101, 60 + 40), sc::GroupBg2);
    EXPECT_EQ(shot.Pixel(10 + 101, 60 + 41), sc::GroupBg1);
    EXPECT_EQ(Count(Rect(10, 60, 130, 120), sc::GroupClient), 0);
    EXPECT_GT(Count(Rect(14, 64, 50, 76), sc::GroupFont), 10);
    EXPECT_EQ(Count(Rect(80, 64, 126, 76), sc::GroupFont), 0);
    // Plain: a raised panel; an etched group box frame below the caption's middle.
    panel->SetSkinData(nullptr);
    group->SetSkinData(nullptr);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(10, 10), base::ColorToRGB(base::clBtnHighlight));
    EXPECT_EQ(shot.Pixel(109, 49), base::ColorToRGB(base::clBtnShadow));
    EXPECT_EQ(shot.Pixel(10, 60), base::ColorToRGB(group->Color()));
    EXPECT_EQ(shot.Pixel(10, 100), base::ColorToRGB(base::clBtnShadow));
}

TEST_F(SkinDisplayTest, LabelsDrawTheirTextInTheLooksFontAndColours)
{
    auto* label = Make<TspSkinLabel>(10, 10, 100, 24);
    label->SetCaption("MM");
    auto* std = Make<TspSkinStdLabel>(10, 50, 100, 20);
    std->SetCaption("MMM");
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(10, 10), sc::Edge);
    EXPECT_EQ(shot.Pixel(100, 22), sc::LabelClient);
    EXPECT_GT(Count(Rect(14, 14, 60, 30), sc::LabelFont), 10);
    label->SetAlignment(tk::taRightJustify);
    EXPECT_EQ(Count(Rect(14, 14, 60, 30), sc::LabelFont), 0);
    EXPECT_GT(Count(Rect(60, 14, 106, 30), sc::LabelFont), 10);

    // The standard label is only text, over the form, hot in the active colour.
    EXPECT_EQ(Shot().Pixel(105, 65), RGB(1, 2, 3));
    EXPECT_GT(Count(Rect(10, 50, 110, 70), sc::StdLabelFont), 10);
    MoveTo(15, 60);
    EXPECT_EQ(Count(Rect(10, 50, 110, 70), sc::StdLabelFont), 0);
    EXPECT_GT(Count(Rect(10, 50, 110, 70), sc::StdLabelActiveFont), 10);
    // Without a skin: the control's own font colour.
    std->SetSkinData(nullptr);
    std->Font().SetColor(RGB(0, 255, 1));
    EXPECT_GT(Count(Rect(10, 50, 110, 70), RGB(0, 255, 1)), 10);
}

TEST_F(SkinDisplayTest, GaugeDrawsItsBarWithFixedEndsHorizontallyAndVertically)
{
    auto* g = Make<TspSkinGauge>(10, 10, 100, 20);
    g->SetValue(50);
    EXPECT_EQ(g->ProgressArea(), Rect(4, 4, 96, 16));
    EXPECT_EQ(g->BarRect(), Rect(4, 4, 50, 16));
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(10 + 4, 20), sc::BarBegin);
    EXPECT_EQ(shot.Pixel(10 + 6, 20), sc::BarBegin);
    EXPECT_EQ(shot.Pixel(10 + 7, 20), sc::BarMiddle);
    EXPECT_EQ(shot.Pixel(10 + 46, 20), sc::BarMiddle);
    EXPECT_EQ(shot.Pixel(10 + 47, 20), sc::BarEnd);
    EXPECT_EQ(shot.Pixel(10 + 49, 20), sc::BarEnd);
    EXPECT_EQ(shot.Pixel(10 + 50, 20), sc::GaugeBack);
    EXPECT_EQ(shot.Pixel(10 + 2, 20), sc::Edge);
    // Values are kept in range; an empty range draws no bar.
    g->SetValue(150);
    EXPECT_EQ(g->Value(), 100);
    EXPECT_EQ(g->Percent(), 100);
    EXPECT_EQ(Shot().Pixel(10 + 93, 20), sc::BarEnd);
    g->SetMaxValue(-5);
    EXPECT_EQ(g->MinValue(), -5);
    EXPECT_EQ(g->Value(), -5);
    EXPECT_TRUE(base::IsRectEmpty(g->BarRect()));
    EXPECT_EQ(Shot().Pixel(10 + 4, 20), sc::GaugeBack);

    // Vertical: the "vgauge" look, the bar grows from the bottom.
    auto* v = Make<TspSkinGauge>(150, 10, 20, 100);
    v->SetVertical(true);
    EXPECT_EQ(v->SkinDataName(), "vgauge");
    v->SetValue(25);
    EXPECT_EQ(v->BarRect(), Rect(4, 73, 16, 96));
    shot = Shot();
    EXPECT_EQ(shot.Pixel(160, 10 + 72), sc::GaugeBack);
    EXPECT_EQ(shot.Pixel(160, 10 + 73), sc::BarBegin);
    EXPECT_EQ(shot.Pixel(160, 10 + 80), sc::BarMiddle);
    EXPECT_EQ(shot.Pixel(160, 10 + 95), sc::BarEnd);
    // A look name of its own stays when Vertical changes.
    v->SetSkinDataName("gauge");
    v->SetVertical(false);
    EXPECT_EQ(v->SkinDataName(), "gauge");
    v->SetSkinDataName("mine");
    v->SetVertical(true);
    EXPECT_EQ(v->SkinDataName(), "mine");

    // The percentage in the look's font; plain, the bar in the highlight colour.
    g->SetMaxValue(200);
    g->SetValue(100);
    g->SetShowProgressText(true);
    EXPECT_GT(Count(Rect(10, 10, 110, 30), sc::GaugeFont), 5);
    g->SetSkinData(nullptr);
    EXPECT_EQ(Shot().Pixel(10 + 30, 20), base::ColorToRGB(base::clHighlight));
    EXPECT_EQ(Shot().Pixel(10 + 80, 20), base::ColorToRGB(g->Color()));
}

TEST_F(SkinDisplayTest, StatusBarLaysOutItsSectionsAlongTheBottom)
{
    auto* bar = Make<TspSkinStatusBar>(0, 0, 50, 30);
    EXPECT_EQ(bar->Top(), Form->ClientHeight() - 30);
    EXPECT_EQ(bar->Width(), Form->ClientWidth());
    bar->SetPanels({ { 50, "A" }, { 60, "B" }, { 0, "CCCC" } });
    std::vector<base::TRect> expected { Rect(4, 4, 54, 26), Rect(54, 4, 114, 26), Rect(114, 4, 236, 26) };
    EXPECT_EQ(bar->PanelRects(), expected);
    int const top = bar->Top();
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(1, top + 1), sc::Edge);
    EXPECT_EQ(shot.Pixel(54, top + 4), sc::Edge); // each section's own frame
    EXPECT_EQ(shot.Pixel(84, top + 14), sc::StatusPanelClient);
    EXPECT_GT(Count(Rect(114, top + 4, 236, top + 26), sc::StatusPanelFont), 10);
    bar->SetPanelText(1, "MMMM");
    EXPECT_GT(Count(Rect(54, top + 4, 114, top + 26), sc::StatusPanelFont), 10);
    // Sections past the bar's end are cut to it.
    bar->SetPanels({ { 300, "A" }, { 40, "B" } });
    expected = { Rect(4, 4, 236, 26), Rect(236, 4, 236, 26) };
    EXPECT_EQ(bar->PanelRects(), expected);
    // Without the section look the bar still draws, the texts in the control's font.
    bar->SetPanelSkinDataName("nosuch");
    bar->Font().SetColor(RGB(0, 254, 0));
    EXPECT_GT(Count(Rect(4, top + 4, 236, top + 26), RGB(0, 254, 0)), 3);
}

} // namespace
