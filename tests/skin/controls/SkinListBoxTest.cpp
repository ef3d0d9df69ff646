#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinListBox.h"
#include "tests/support/Pixels.h"

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::RGB;

namespace {

struct SkinListBoxTest : SkinControlTest {
    // At (10,10), 100x70: items from (14,14), 12 high, five whole ones shown.
    TspSkinListBox* Make(int count = 8)
    {
        auto* c = new TspSkinListBox(Form);
        c->SetParent(Form);
        c->SetBounds(10, 10, 100, 70);
        std::vector<std::string> items;
        for (int i = 0; i < count; ++i)
            items.push_back("Item " + std::to_string(i));
        c->SetItems(items);
        c->SetSkinData(Data.get());
        return c;
    }
    void Key(int vk)
    {
        H->KeyDown(vk);
        H->KeyUp(vk);
        Run();
    }
};

TEST_F(SkinListBoxTest, DrawsFrameItemsSelectionAndScrollBarFromTheLooks)
{
    auto* c = Make();
    EXPECT_EQ(c->ItemHeight(), 12);
    EXPECT_EQ(c->VisibleCount(), 5);
    EXPECT_EQ(c->ItemsArea(), Rect(4, 4, 96, 66));
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(10, 10), sc::Edge);
    EXPECT_EQ(shot.Pixel(14, 14), sc::ListItem); // item 0's image, left of its text
    EXPECT_TRUE(HasColor(shot, Rect(16, 14, 60, 26), sc::ListFont));
    EXPECT_EQ(shot.Pixel(14, 75), sc::ListItem); // the sixth item, cut by the frame
    // Eight items do not fit: the bar from the named look, buttons at its ends, the thumb on top.
    EXPECT_EQ(c->ScrollBarRect(), Rect(84, 4, 96, 66));
    EXPECT_EQ(shot.Pixel(100, 15), sc::ScrollUp);
    EXPECT_EQ(shot.Pixel(100, 74), sc::ScrollDown);
    EXPECT_EQ(shot.Pixel(100, 27), sc::ListScrollThumb);
    EXPECT_EQ(shot.Pixel(100, 60), sc::ScrollTrack);
    EXPECT_EQ(shot.Pixel(90, 15), sc::ListItem); // items end at the bar

    // Selected without the focus: the active item; with it, the focus item and font.
    c->SetItemIndex(1);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(14, 27), sc::ListActiveItem);
    EXPECT_TRUE(HasColor(shot, Rect(16, 26, 60, 38), sc::ListActiveFont));
    c->SetFocus();
    shot = Shot();
    EXPECT_EQ(shot.Pixel(14, 27), sc::ListFocusItem);
    EXPECT_TRUE(HasColor(shot, Rect(16, 26, 60, 38), sc::ListFocusFont));
    EXPECT_EQ(shot.Pixel(14, 14), sc::ListItem);

    // The caption look adds a band above the frame, with the caption in it.
    c->SetSkinDataName("captionlistbox");
    c->SetCaption("Tables");
    EXPECT_EQ(c->CaptionBand(), Rect(0, 0, 100, 14));
    shot = Shot();
    EXPECT_EQ(shot.Pixel(11, 11), sc::ListCaption);
    EXPECT_TRUE(HasColor(shot, Rect(10, 10, 110, 24), sc::ListFont));
    EXPECT_EQ(shot.Pixel(10, 24), sc::Edge);

    // Few items: no bar, items run the full width.
    auto* few = Make(2);
    few->SetBounds(120, 10, 100, 70);
    EXPECT_TRUE(base::IsRectEmpty(few->ScrollBarRect()));
    shot = Shot();
    EXPECT_EQ(shot.Pixel(120 + 94, 15), sc::ListItem);
    EXPECT_EQ(shot.Pixel(124, 10 + 4 + 24 + 2), sc::ListClient); // below the items: the frame's client
}

// A scroll-bar look laid out across (wider than tall): the bar is its thin side wide, the
// track and thumb are turned upright, the buttons drawn as they are.
TEST_F(SkinListBoxTest, ScrollBarLookLaidOutAcrossIsTurned)
{
    int const p = Skin.AddPicture(66, 12);
    Skin.Paint(p, Rect(0, 0, 30, 12), sc::ScrollTrack);
    Skin.Paint(p, Rect(30, 0, 42, 12), sc::ScrollUp);
    Skin.Paint(p, Rect(42, 0, 54, 12), sc::ScrollDown);
    Skin.Paint(p, Rect(54, 0, 60, 12), sc::ListScrollThumb);
    Skin.Paint(p, Rect(60, 0, 66, 6), sc::ScrollPressed); // the thumb's far end is marked
    Skin.Paint(p, Rect(60, 6, 66, 12), sc::ListScrollThumb);
    Skin.AddControl("acrossbar", "scrollbar");
    Skin.SetInt("acrossbar", "pictureindex", p);
    Skin.SetRect("acrossbar", "skinrect", Rect(0, 0, 30, 12));
    Skin.SetRect("acrossbar", "upbuttonrect", Rect(30, 0, 42, 12));
    Skin.SetRect("acrossbar", "downbuttonrect", Rect(42, 0, 54, 12));
    Skin.SetRect("acrossbar", "thumbrect", Rect(54, 0, 66, 12));
    Skin.Set("listbox", "vscrollbarname", "acrossbar");
    Skin.LoadInto(*Data);
    auto* c = Make(40);
    EXPECT_EQ(c->ScrollBarRect(), Rect(84, 4, 96, 66));
    EXPECT_EQ(c->UpButton(), Rect(84, 4, 96, 16));
    EXPECT_EQ(c->Thumb(), Rect(84, 16, 96, 28));
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(100, 15), sc::ScrollUp);
    EXPECT_EQ(shot.Pixel(100, 74), sc::ScrollDown);
    // The thumb's image turned clockwise: its near end on top, its far end's top rows at the
    // bottom right.
    EXPECT_EQ(shot.Pixel(102, 28), sc::ListScrollThumb);
    EXPECT_EQ(shot.Pixel(102, 35), sc::ScrollPressed);
    EXPECT_EQ(shot.Pixel(96, 35), sc::ListScrollThumb);
    EXPECT_EQ(shot.Pixel(100, 60), sc::ScrollTrack);
}

TEST_F(SkinListBoxTest, KeyboardMouseWheelAndScrollBarMoveSelectionAndView)
{
    auto* c = Make(20);
    int changes = 0, clicks = 0;
    c->OnChange = [&](tk::TComponent*) { ++changes; };
    c->OnClick = [&](tk::TComponent*) { ++clicks; };
    Paint();

    // A click on the third shown item selects it, focuses and clicks.
    Click(30, 10 + 4 + 2 * 12 + 5);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
    Click(30, 10 + 4 + 2 * 12 + 5); // the same item again: no change
    EXPECT_EQ(changes, 1);

    Key(win::VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 3);
    Key(win::VK_UP);
    Key(win::VK_UP);
    EXPECT_EQ(c->ItemIndex(), 1);
    Key(win::VK_END);
    EXPECT_EQ(c->ItemIndex(), 19);
    EXPECT_EQ(c->TopIndex(), 15); // scrolled so that the last item shows
    Key(win::VK_DOWN); // at the end: stays
    EXPECT_EQ(c->ItemIndex(), 19);
    Key(win::VK_PRIOR);
    EXPECT_EQ(c->ItemIndex(), 15);
    Key(win::VK_PRIOR);
    EXPECT_EQ(c->ItemIndex(), 11);
    EXPECT_EQ(c->TopIndex(), 11);
    Key(win::VK_NEXT);
    EXPECT_EQ(c->ItemIndex(), 15);
    Key(win::VK_HOME);
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(c->TopIndex(), 0);
    EXPECT_EQ(changes, 9);

    // The wheel scrolls three items a notch; the selection stays.
    c->Perform(win::WM_MOUSEWHEEL, win::WPARAM(uint32_t(-120) << 16));
    EXPECT_EQ(c->TopIndex(), 3);
    c->Perform(win::WM_MOUSEWHEEL, win::WPARAM(uint32_t(240) << 16));
    EXPECT_EQ(c->TopIndex(), 0);
    EXPECT_EQ(c->ItemIndex(), 0);

    // The bar's down button, then the track below the thumb (a page).
    Click(100, 10 + 66 - 3);
    EXPECT_EQ(c->TopIndex(), 1);
    EXPECT_EQ(c->Thumb(), Rect(84, 17, 96, 29));
    Click(100, 10 + 40);
    EXPECT_EQ(c->TopIndex(), 6);
    Click(100, 10 + 6); // the up button
    EXPECT_EQ(c->TopIndex(), 5);
    EXPECT_EQ(c->ItemIndex(), 0); // scrolling never selects
    // A click on a shown item of the scrolled list.
    Click(30, 10 + 4 + 5);
    EXPECT_EQ(c->ItemIndex(), 5);
}

// The built-in bar works as the stand-alone one: the thumb drags in proportion with the
// mouse held (beyond the list too), and held buttons and pages repeat.
TEST_F(SkinListBoxTest, ScrollBarThumbDragsAndHeldPartsRepeat)
{
    auto* c = Make(20);
    c->SetItemIndex(2);
    Paint();
    // The track runs from 16 to 54 (list coordinates), the 12-pixel thumb over 26 pixels
    // for top items 0..15.
    EXPECT_EQ(c->Thumb(), Rect(84, 16, 96, 28));
    auto at = [&](int x, int y) { return Form->ClientToScreen({ 10 + x, 10 + y }); };
    auto const grip = at(90, 20);
    H->Press(grip.X, grip.Y);
    H->Move(grip.X, grip.Y + 13); // half the room: item 8 (7.5 rounded)
    Run();
    EXPECT_EQ(c->TopIndex(), 8);
    EXPECT_EQ(c->Thumb(), Rect(84, 29, 96, 41));
    // Far outside the list (the mouse is held for it) the thumb stays at the end; back in,
    // it follows again.
    H->Move(grip.X + 150, grip.Y + 200);
    Run();
    EXPECT_EQ(c->TopIndex(), 15);
    H->Move(grip.X - 300, grip.Y + 2);
    Run();
    EXPECT_EQ(c->TopIndex(), 1);
    // Released outside the list: the drag is over, later moves do nothing.
    H->Release(grip.X + 150, grip.Y + 100);
    H->Move(grip.X, grip.Y + 26);
    Run();
    EXPECT_EQ(c->ScrollBarPressed(), TspScrollBarHost::spNone);
    EXPECT_EQ(c->TopIndex(), 1);
    EXPECT_EQ(c->ItemIndex(), 2); // dragging never selects

    // The down button held: one item at once, then one each interval after the delay.
    auto const down = at(90, 60);
    H->Press(down.X, down.Y);
    H->Sleep(TspScrollBarHost::RepeatDelay + 3 * TspScrollBarHost::RepeatInterval + 10);
    H->Move(down.X, down.Y);
    Run();
    EXPECT_EQ(c->TopIndex(), 1 + 1 + 4);
    H->Release(down.X, down.Y);
    H->Sleep(TspScrollBarHost::RepeatDelay);
    H->Move(down.X, down.Y);
    Run();
    EXPECT_EQ(c->TopIndex(), 6);
    // The track above the thumb held: a page at once, another after the delay, until the
    // thumb reaches the mouse.
    auto const track = at(90, 16);
    H->Press(track.X, track.Y);
    H->Sleep(TspScrollBarHost::RepeatDelay + 10 * TspScrollBarHost::RepeatInterval);
    H->Release(track.X, track.Y);
    Run();
    EXPECT_EQ(c->TopIndex(), 0);
}

TEST_F(SkinListBoxTest, SkinChangeFallbackAndStreaming)
{
    auto* c = Make(3);
    c->SetItemIndex(0);
    EXPECT_EQ(Shot().Pixel(14, 14), sc::ListActiveItem);
    // Without the look: plain white list with the selection in the highlight colour.
    c->SetSkinDataName("nosuchlook");
    EXPECT_EQ(c->ItemHeight(), TspSkinListBox::PlainItemHeight);
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(13, 13), base::ColorToRGB(base::clHighlight));
    EXPECT_EQ(shot.Pixel(13, 40), base::ColorToRGB(base::clWindow));
    c->SetSkinDataName("listbox");
    // A skin without list looks: plain again; the first skin back: skinned.
    xe::test::TControlTestSkin other;
    xe::test::AddButtonLooks(other);
    other.LoadInto(*Data);
    EXPECT_EQ(c->Look(), nullptr);
    EXPECT_EQ(Shot().Pixel(13, 40), base::ColorToRGB(base::clWindow));
    Skin.LoadInto(*Data);
    EXPECT_EQ(Shot().Pixel(14, 14), sc::ListActiveItem);

    // Stored with its items, selection and look name, and read back.
    c->SetName("List1");
    tk::RegisterComponentClass("TspSkinData", [](tk::TComponent* o) { return new TspSkinData(o); });
    auto* data = new TspSkinData(Form);
    data->SetName("spSkinData1");
    c->SetSkinData(data);
    c->SetSkinDataName("captionlistbox");
    c->SetItems({ "alpha", "", "gamma delta" });
    c->SetItemIndex(2);
    std::string text = tk::WriteComponentText(Form);
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* r = dynamic_cast<TspSkinListBox*>(copy->FindComponent("List1"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Items(), (std::vector<std::string> { "alpha", "", "gamma delta" }));
    EXPECT_EQ(r->ItemIndex(), 2);
    EXPECT_EQ(r->SkinDataName(), "captionlistbox");
    EXPECT_EQ(r->SkinData(), copy->FindComponent("spSkinData1"));
    EXPECT_EQ(r->BoundsRect(), c->BoundsRect());
}

} // namespace
