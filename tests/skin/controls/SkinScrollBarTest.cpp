// The skinned scroll bar on the colour-coded test skin: buttons, track and thumb (its ends
// kept, sized by the page), the images of each part by state, steps that repeat while held,
// thumb drags, keys, the scroll events, the vertical look, skin changes, plain drawing
// without a look, and streaming.
#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinScrollBar.h"

#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;

namespace {

struct SkinScrollBarTest : SkinControlTest {
    // 120 x 10 at (10, 10): buttons 10 long at either end (the look's track area 10..30 of
    // 40), the track from x 20 to 120 in the form; with the 12-pixel thumb, 0.88 pixels a
    // step over 0..100.
    TspSkinScrollBar* Make()
    {
        auto* s = new TspSkinScrollBar(Form);
        s->SetParent(Form);
        s->SetBounds(10, 10, 120, 10);
        s->SetSkinData(Data.get());
        s->OnChange = [this](tk::TComponent*) { ++Changes; };
        s->OnScroll = [this](tk::TComponent*, TScrollCode code, int& pos) {
            Codes.push_back(code);
            if (Forced >= 0)
                pos = Forced;
        };
        return s;
    }
    base::TPoint At(int x, int y) { return Form->ClientToScreen({ x, y }); }
    void Key(int vk)
    {
        H->KeyPress(vk);
        Run();
    }
    int Changes = 0;
    int Forced = -1;
    std::vector<TScrollCode> Codes;
};

} // namespace

TEST_F(SkinScrollBarTest, DrawsButtonsTrackAndAThumbWithItsEndsAndGlyph)
{
    auto* s = Make();
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(15, 15), sc::UpButton);
    EXPECT_EQ(shot.Pixel(125, 15), sc::DownButton);
    EXPECT_EQ(s->PartRect(TspSkinScrollBar::spThumb), base::Rect(10, 0, 22, 10));
    EXPECT_EQ(shot.Pixel(20, 11), sc::ThumbEnd);
    EXPECT_EQ(shot.Pixel(21, 11), sc::ThumbEnd);
    EXPECT_EQ(shot.Pixel(23, 11), sc::ScrollThumb);
    EXPECT_EQ(shot.Pixel(31, 11), sc::ThumbEnd);
    EXPECT_EQ(shot.Pixel(25, 15), sc::Glyph); // 4 x 4 on the thumb's centre
    EXPECT_EQ(shot.Pixel(60, 15), sc::ScrollBar);

    // A page size makes the thumb the visible share of the track; its 2-pixel ends stay.
    s->SetPageSize(100);
    shot = Shot();
    EXPECT_EQ(s->PartRect(TspSkinScrollBar::spThumb), base::Rect(10, 0, 60, 10));
    EXPECT_EQ(shot.Pixel(21, 11), sc::ThumbEnd);
    EXPECT_EQ(shot.Pixel(50, 11), sc::ScrollThumb);
    EXPECT_EQ(shot.Pixel(68, 11), sc::ThumbEnd);
    EXPECT_EQ(shot.Pixel(70, 11), sc::ScrollBar);
    s->SetPageSize(0);

    // The part under the mouse shows its active image, the held one its pressed image.
    MoveTo(15, 15);
    EXPECT_EQ(Shot().Pixel(15, 15), sc::UpButtonActive);
    MoveTo(26, 12);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(23, 11), sc::ScrollThumbActive);
    EXPECT_EQ(shot.Pixel(25, 15), sc::GlyphActive);
    EXPECT_EQ(shot.Pixel(15, 15), sc::UpButton);
    H->Press(At(125, 15).X, At(125, 15).Y);
    Run();
    EXPECT_EQ(Shot().Pixel(125, 15), sc::DownButtonDown);
    H->Release(At(125, 15).X, At(125, 15).Y);
    Run();
    H->Press(At(26, 12).X, At(26, 12).Y);
    Run();
    shot = Shot();
    EXPECT_EQ(shot.Pixel(24, 11), sc::ScrollThumbDown);
    EXPECT_EQ(shot.Pixel(25, 15), sc::GlyphDown);
    H->Release(At(26, 12).X, At(26, 12).Y);
    Run();

    // Disabled: no thumb.
    s->SetEnabled(false);
    EXPECT_EQ(Shot().Pixel(23, 11), sc::ScrollBar);
}

TEST_F(SkinScrollBarTest, ButtonsAndPagesStepAndRepeatWhileHeld)
{
    auto* s = Make();
    Paint();
    Click(125, 15);
    EXPECT_EQ(s->Position(), 1);
    EXPECT_EQ(Codes, (std::vector<TScrollCode> { scLineDown, scEndScroll }));
    Click(15, 15);
    EXPECT_EQ(s->Position(), 0);
    EXPECT_EQ(Changes, 2);

    // Held: one step at once, the next after the delay, then one each interval.
    auto const down = At(125, 15);
    H->Press(down.X, down.Y);
    // (A move after each wait ends the script there: the loop then waits no longer.)
    H->Sleep(TspSkinScrollBar::RepeatDelay - 10);
    H->Move(down.X, down.Y);
    Run();
    EXPECT_EQ(s->Position(), 1);
    H->Sleep(10 + 4 * TspSkinScrollBar::RepeatInterval + 10);
    H->Move(down.X, down.Y);
    Run();
    EXPECT_EQ(s->Position(), 6);
    // Moved off the button while held: the steps pause; released: they stop.
    H->Move(down.X - 50, down.Y);
    H->Sleep(5 * TspSkinScrollBar::RepeatInterval);
    H->Move(down.X - 50, down.Y);
    Run();
    EXPECT_EQ(s->Position(), 6);
    H->Release(down.X - 50, down.Y);
    H->Sleep(TspSkinScrollBar::RepeatDelay * 2);
    H->Move(down.X - 50, down.Y);
    Run();
    EXPECT_EQ(s->Position(), 6);

    // A click in the track beside the thumb moves a page; held, pages go on until the
    // thumb reaches the mouse.
    s->SetPosition(0);
    Codes.clear();
    Click(100, 15);
    EXPECT_EQ(s->Position(), 10);
    EXPECT_EQ(Codes.front(), scPageDown);
    auto const track = At(80, 15);
    H->Press(track.X, track.Y);
    H->Sleep(TspSkinScrollBar::RepeatDelay + 20 * TspSkinScrollBar::RepeatInterval);
    H->Release(track.X, track.Y);
    Run();
    EXPECT_EQ(s->Position(), 60);
    EXPECT_TRUE(base::PtInRect(s->PartRect(TspSkinScrollBar::spThumb), { 70, 5 }));
}

TEST_F(SkinScrollBarTest, TheThumbDragsAndKeysScroll)
{
    auto* s = Make();
    Paint();
    // From x 6 into the thumb to 44 pixels further: 44 of the 88 free pixels.
    auto const a = At(26, 15), b = At(70, 15);
    H->Drag(a.X, a.Y, b.X, b.Y);
    Run();
    EXPECT_EQ(s->Position(), 50);
    EXPECT_EQ(Codes.front(), scTrack);
    ASSERT_GE(Codes.size(), 3u);
    EXPECT_EQ(Codes[Codes.size() - 2], scPosition);
    EXPECT_EQ(Codes.back(), scEndScroll);
    EXPECT_TRUE(s->Focused());
    // Past the end: the last position.
    H->Drag(b.X, b.Y, b.X + 200, b.Y);
    Run();
    EXPECT_EQ(s->Position(), 100);

    Codes.clear();
    Key(win::VK_HOME);
    Key(win::VK_RIGHT);
    Key(win::VK_NEXT);
    EXPECT_EQ(s->Position(), 11);
    Key(win::VK_DOWN); // not this bar's direction
    EXPECT_EQ(s->Position(), 11);
    Key(win::VK_END);
    Key(win::VK_PRIOR);
    EXPECT_EQ(s->Position(), 90);
    EXPECT_EQ(Codes, (std::vector<TScrollCode> { scTop, scLineDown, scPageDown, scBottom, scPageUp }));
    // A handler may change where a step goes.
    Forced = 42;
    Key(win::VK_LEFT);
    EXPECT_EQ(s->Position(), 42);
}

TEST_F(SkinScrollBarTest, VerticalLookSkinChangeAndPlainDrawing)
{
    auto* s = Make();
    s->SetKind(sbVertical);
    EXPECT_EQ(s->SkinDataName(), "vscrollbar");
    s->SetBounds(150, 10, 10, 120);
    s->SetPosition(100);
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(155, 15), sc::UpButton);
    EXPECT_EQ(shot.Pixel(155, 125), sc::DownButton);
    EXPECT_EQ(s->PartRect(TspSkinScrollBar::spThumb), base::Rect(0, 98, 10, 110));
    EXPECT_EQ(shot.Pixel(151, 108), sc::ThumbEnd);
    EXPECT_EQ(shot.Pixel(151, 112), sc::ScrollThumb);
    EXPECT_EQ(shot.Pixel(151, 60), sc::ScrollBar);
    Click(155, 15);
    EXPECT_EQ(s->Position(), 99);
    MoveTo(200, 100);

    // The skin's up button changes colour: the bar follows.
    int const picture = Data->CtrlList[size_t(Data->IndexOfControl("vscrollbar"))]->PictureIndex;
    Skin.Paint(picture, base::Rect(0, 40, 10, 50), base::RGB(3, 33, 133));
    Skin.LoadInto(*Data);
    EXPECT_EQ(Shot().Pixel(155, 15), base::RGB(3, 33, 133));

    // Without a look: square buttons of the bar's width, a plain track and thumb.
    s->SetSkinDataName("nosuch");
    s->SetPosition(0);
    shot = Shot();
    EXPECT_EQ(s->PartRect(TspSkinScrollBar::spThumb), base::Rect(0, 10, 10, 20));
    EXPECT_EQ(shot.Pixel(155, 60), base::ColorToRGB(base::clScrollBar));
    EXPECT_EQ(shot.Pixel(155, 24), base::ColorToRGB(base::clBtnFace));
}

TEST_F(SkinScrollBarTest, IsStoredWithItsRangeAndSteps)
{
    auto* s = Make();
    s->SetName("Scroll1");
    s->SetKind(sbVertical);
    s->SetParams(30, -10, 50);
    s->SetPageSize(5);
    s->SetSmallChange(2);
    s->SetLargeChange(7);
    s->SetSkinData(nullptr);
    std::string const text = tk::WriteComponentText(Form);
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* s2 = dynamic_cast<TspSkinScrollBar*>(copy->FindComponent("Scroll1"));
    ASSERT_TRUE(s2);
    EXPECT_EQ(s2->Kind(), sbVertical);
    EXPECT_EQ(s2->SkinDataName(), "vscrollbar");
    EXPECT_EQ(s2->Min(), -10);
    EXPECT_EQ(s2->Max(), 50);
    EXPECT_EQ(s2->Position(), 30);
    EXPECT_EQ(s2->PageSize(), 5);
    EXPECT_EQ(s2->SmallChange(), 2);
    EXPECT_EQ(s2->LargeChange(), 7);
}
