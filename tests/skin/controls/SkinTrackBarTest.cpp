// The skinned track bar on the colour-coded test skin: the thumb's place and image by
// state, horizontal and vertical looks, dragging, page clicks, keys, OnChange, skin
// changes, plain drawing without a look, and streaming.
#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinTrackBar.h"

using namespace xe;
using namespace xe::skin;
using namespace xe::test;

namespace {

struct SkinTrackBarTest : SkinControlTest {
    // 104 x 20 at (10, 10): the thumb's centre runs from x 14 to 110 (the look's track area
    // keeps 4 pixels at either end), 12 pixels a step over 0..8.
    TspSkinTrackBar* Make()
    {
        auto* t = new TspSkinTrackBar(Form);
        t->SetParent(Form);
        t->SetBounds(10, 10, 104, 20);
        t->SetRange(0, 8);
        t->SetSkinData(Data.get());
        t->OnChange = [this](tk::TComponent*) { ++Changes; };
        return t;
    }
    void Drag(int x0, int y0, int x1, int y1)
    {
        base::TPoint const a = Form->ClientToScreen({ x0, y0 }), b = Form->ClientToScreen({ x1, y1 });
        H->Drag(a.X, a.Y, b.X, b.Y);
        Run();
    }
    void Key(int vk)
    {
        H->KeyPress(vk);
        Run();
    }
    int Changes = 0;
};

} // namespace

TEST_F(SkinTrackBarTest, DrawsTheThumbAtItsPositionHotAndTurned)
{
    auto* t = Make();
    auto shot = Shot();
    EXPECT_EQ(t->ThumbRect(), base::Rect(1, 5, 7, 15));
    EXPECT_EQ(shot.Pixel(14, 20), sc::Thumb);
    EXPECT_EQ(shot.Pixel(30, 20), sc::TrackNormal);
    EXPECT_EQ(shot.Pixel(10, 10), sc::Edge);
    t->SetPosition(4);
    EXPECT_EQ(Changes, 1);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(14, 20), sc::TrackNormal);
    EXPECT_EQ(shot.Pixel(62, 20), sc::Thumb);
    EXPECT_EQ(shot.Pixel(62, 14), sc::TrackNormal); // the thumb is 10 high, centred
    // Under the mouse the thumb shows its active image; beside it, the normal one.
    MoveTo(62, 20);
    EXPECT_EQ(Shot().Pixel(62, 20), sc::ThumbActive);
    MoveTo(90, 20);
    EXPECT_EQ(Shot().Pixel(62, 20), sc::Thumb);

    // Vertical: the look named trackbar, the thumb's centre running down its track area.
    t->SetOrientation(trVertical);
    EXPECT_EQ(t->SkinDataName(), "trackbar");
    t->SetBounds(150, 10, 20, 104);
    t->SetPosition(8);
    shot = Shot();
    EXPECT_EQ(t->ThumbRect(), base::Rect(5, 97, 15, 103));
    EXPECT_EQ(shot.Pixel(160, 110), sc::Thumb);
    EXPECT_EQ(shot.Pixel(160, 20), sc::TrackNormal);
    // A look chosen by another name stays when the bar turns.
    t->SetSkinDataName("mytrackbar");
    t->SetOrientation(trHorizontal);
    EXPECT_EQ(t->SkinDataName(), "mytrackbar");
}

TEST_F(SkinTrackBarTest, FollowsASkinChangeAndDrawsPlainWithoutALook)
{
    auto* t = Make();
    EXPECT_EQ(Shot().Pixel(14, 20), sc::Thumb);
    int const picture = Data->CtrlList[size_t(Data->IndexOfControl("htrackbar"))]->PictureIndex;
    Skin.Paint(picture, base::Rect(20, 0, 26, 10), base::RGB(7, 77, 177));
    Skin.LoadInto(*Data);
    EXPECT_EQ(Shot().Pixel(14, 20), base::RGB(7, 77, 177));
    t->SetSkinData(nullptr);
    t->SetColor(base::RGB(9, 9, 9));
    auto shot = Shot();
    // The plain thumb is 10 x 20, its centre at the span's start (5 pixels in).
    EXPECT_EQ(t->ThumbRect(), base::Rect(0, 0, 10, 20));
    EXPECT_EQ(shot.Pixel(15, 20), base::ColorToRGB(base::clBtnFace));
    EXPECT_EQ(shot.Pixel(80, 12), base::RGB(9, 9, 9));
    EXPECT_EQ(shot.Pixel(80, 20), base::ColorToRGB(base::clBtnShadow));
}

TEST_F(SkinTrackBarTest, DragsPagesAndFollowsKeys)
{
    auto* t = Make();
    Paint();
    // The thumb dragged from its centre to the centre of step 6 (x 14 + 72), and past the end.
    Drag(14, 20, 86, 20);
    EXPECT_EQ(t->Position(), 6);
    EXPECT_GE(Changes, 1);
    EXPECT_FALSE(t->Dragging());
    EXPECT_TRUE(t->Focused());
    Drag(86, 20, 200, 20);
    EXPECT_EQ(t->Position(), 8);
    // A click beside the thumb moves a page (2) towards the click.
    Click(30, 20);
    EXPECT_EQ(t->Position(), 6);
    t->SetPageSize(3);
    Click(30, 20);
    EXPECT_EQ(t->Position(), 3);
    Changes = 0;
    Key(win::VK_RIGHT);
    EXPECT_EQ(t->Position(), 4);
    Key(win::VK_END);
    EXPECT_EQ(t->Position(), 8);
    Key(win::VK_RIGHT); // at the end: no change
    Key(win::VK_PRIOR);
    EXPECT_EQ(t->Position(), 5);
    Key(win::VK_UP);
    Key(win::VK_HOME);
    EXPECT_EQ(t->Position(), 0);
    EXPECT_EQ(Changes, 5); // every key but the one at the end
}

TEST_F(SkinTrackBarTest, IsStoredWithItsRangeAndOrientation)
{
    auto* t = Make();
    t->SetName("Track1");
    t->SetOrientation(trVertical);
    t->SetRange(-5, 20);
    t->SetPosition(-2);
    t->SetPageSize(3);
    auto* h = Make();
    h->SetName("Track2");
    h->SetRange(20, 30);
    h->SetPosition(25);
    t->SetSkinData(nullptr);
    h->SetSkinData(nullptr);
    std::string const text = tk::WriteComponentText(Form);
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* t2 = dynamic_cast<TspSkinTrackBar*>(copy->FindComponent("Track1"));
    auto* h2 = dynamic_cast<TspSkinTrackBar*>(copy->FindComponent("Track2"));
    ASSERT_TRUE(t2 && h2);
    EXPECT_EQ(t2->Orientation(), trVertical);
    EXPECT_EQ(t2->SkinDataName(), "trackbar");
    EXPECT_EQ(t2->Min(), -5);
    EXPECT_EQ(t2->Max(), 20);
    EXPECT_EQ(t2->Position(), -2);
    EXPECT_EQ(t2->PageSize(), 3);
    EXPECT_EQ(h2->Orientation(), trHorizontal);
    EXPECT_EQ(h2->SkinDataName(), "htrackbar");
    EXPECT_EQ(h2->Min(), 20);
    EXPECT_EQ(h2->Max(), 30);
    EXPECT_EQ(h2->Position(), 25);
}
