#include "tests/skin/controls/SkinControlTestUtil.h"

#include "skin/controls/SkinCheckRadio.h"

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::RGB;

namespace {

struct SkinCheckRadioTest : SkinControlTest {
    template <class T> T* Make(int y, int group = 0)
    {
        auto* b = new T(Form);
        b->SetParent(Form);
        b->SetBounds(10, y, 120, 30);
        b->SetGroupIndex(group);
        b->SetSkinData(Data.get());
        return b;
    }
    // The check image sits at 4,5 + half the growth in height (10) of the box.
    base::TColor ImageAt(int y) { return Shot().Pixel(10 + 8, y + 5 + 5 + 4); }
};

TEST_F(SkinCheckRadioTest, CheckBoxShowsTheImageOfItsStateAndTogglesByMouseAndSpace)
{
    auto const& c = sc::CheckBox;
    auto* box = Make<TspSkinCheckBox>(10);
    auto* other = Make<TspSkinCheckBox>(50);
    box->SetCaption("MMMMMM");
    int changes = 0;
    box->OnChange = [&](tk::TComponent*) { ++changes; };
    EXPECT_EQ(ImageAt(10), c.Off);
    EXPECT_EQ(Shot().Pixel(12, 12), sc::Edge);
    EXPECT_EQ(Shot().Pixel(100, 20), c.Back);
    Click(100, 20);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(changes, 1);
    // Hot and focused: the active background and check image.
    EXPECT_EQ(ImageAt(10), c.OnActive);
    EXPECT_EQ(Shot().Pixel(125, 20), c.ActiveBack);
    Click(100, 20);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(ImageAt(10), c.OffActive);
    // Space toggles the focused box on release.
    MoveTo(200, 150);
    H->KeyDown(win::VK_SPACE);
    Run();
    EXPECT_FALSE(box->Checked());
    H->KeyUp(win::VK_SPACE);
    Run();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(changes, 3);
    // The caption takes the text area and the font colour of the state.
    auto shot = Shot();
    int text = 0;
    for (int y = 10; y < 40; ++y)
        for (int x = 25; x < 128; ++x)
            text += shot.Pixel(x, y) == c.ActiveFont;
    EXPECT_GT(text, 20);
    // Disabled: the disabled images, and clicks do nothing.
    box->SetEnabled(false);
    EXPECT_EQ(ImageAt(10), c.OnDisabled);
    Click(100, 20);
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(other->Checked());
    // Plain without a look: a box with a filled mark.
    box->SetEnabled(true);
    box->SetSkinDataName("nosuch");
    box->SetColor(RGB(9, 9, 9));
    shot = Shot();
    EXPECT_EQ(shot.Pixel(10 + 6, 10 + 14), base::ColorToRGB(base::clWindowText)); // the mark
    EXPECT_EQ(shot.Pixel(10 + 60, 10 + 2), RGB(9, 9, 9));
}

TEST_F(SkinCheckRadioTest, RadioButtonsOfAGroupAreCheckedOneAtATime)
{
    auto const& c = sc::RadioBox;
    auto* a = Make<TspSkinRadioButton>(10, 1);
    auto* b = Make<TspSkinRadioButton>(45, 1);
    auto* other = Make<TspSkinRadioButton>(80, 2);
    EXPECT_EQ(a->SkinDataName(), "radiobox");
    EXPECT_TRUE(a->Radio());
    other->SetChecked(true);
    Click(100, 20);
    EXPECT_TRUE(a->Checked());
    Click(100, 55);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    Click(100, 55); // a checked radio button stays checked
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked()); // another group
    MoveTo(200, 150);
    Form->SetActiveControl(nullptr);
    EXPECT_EQ(ImageAt(10), c.Off);
    EXPECT_EQ(ImageAt(45), c.On);
    a->SetChecked(true);
    EXPECT_FALSE(b->Checked());

    // Arrow keys walk the group (wrapping, skipping a disabled member and other groups),
    // checking and clicking the button they reach.
    auto* third = Make<TspSkinRadioButton>(115, 1);
    auto* d = Make<TspSkinRadioButton>(150, 1);
    d->SetEnabled(false);
    int clicks = 0;
    third->OnClick = [&](tk::TComponent*) { ++clicks; };
    a->SetFocus();
    H->KeyPress(win::VK_DOWN);
    H->KeyPress(win::VK_RIGHT);
    Run();
    EXPECT_TRUE(third->Focused());
    EXPECT_TRUE(third->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(clicks, 1);
    H->KeyPress(win::VK_DOWN); // past the disabled one, round to a
    Run();
    EXPECT_TRUE(a->Focused());
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(other->Checked());
    H->KeyPress(win::VK_UP);
    Run();
    EXPECT_TRUE(third->Checked());
}

} // namespace
