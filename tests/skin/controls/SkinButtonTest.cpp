#include "tests/skin/controls/SkinControlTestUtil.h"

#include "skin/controls/SkinButton.h"

#include <string>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::RGB;

namespace {

struct SkinButtonTest : SkinControlTest {
    template <class T> T* Make(int x, int y)
    {
        auto* b = new T(Form);
        b->SetParent(Form);
        b->SetBounds(x, y, 60, 30);
        b->SetSkinData(Data.get());
        return b;
    }
    void Press(int x, int y)
    {
        base::TPoint p = Form->ClientToScreen({ x, y });
        H->Press(p.X, p.Y);
        Run();
    }
    void Release(int x, int y)
    {
        base::TPoint p = Form->ClientToScreen({ x, y });
        H->Release(p.X, p.Y);
        Run();
    }
};

TEST_F(SkinButtonTest, ShowsEachStateImageAndClicksByMouseAndKeys)
{
    auto* b = Make<TspSkinButton>(10, 10);
    auto* other = Make<TspSkinButton>(100, 10);
    int clicks = 0;
    b->OnClick = [&](tk::TComponent*) { ++clicks; };
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);
    MoveTo(40, 25);
    EXPECT_EQ(b->CurrentImage(), TspSkinButton::biActive);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonActive);
    Press(40, 25);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonDown);
    // Dragged off it shows up again (active: the press focused it), and a release there does
    // not click.
    MoveTo(200, 120);
    EXPECT_EQ(b->CurrentImage(), TspSkinButton::biActive);
    Release(200, 120);
    EXPECT_EQ(clicks, 0);
    Click(40, 25);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b->Focused());

    // Focused, the mouse elsewhere: still the active image. Space clicks on release and
    // shows down while held; Enter clicks at once.
    MoveTo(200, 120);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonActive);
    H->KeyDown(win::VK_SPACE);
    Run();
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonDown);
    EXPECT_EQ(clicks, 1);
    H->KeyUp(win::VK_SPACE);
    Run();
    EXPECT_EQ(clicks, 2);
    H->KeyPress(win::VK_RETURN);
    Run();
    EXPECT_EQ(clicks, 3);
    // Tab moves on; keys then go to the other button.
    H->KeyPress(win::VK_TAB);
    H->KeyPress(win::VK_RETURN);
    Run();
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);

    // Disabled: the disabled image, no clicks, no focus.
    b->SetEnabled(false);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonDisabled);
    Click(40, 25);
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(b->Focused());

    // A modal result reaches the form.
    other->SetModalResult(tk::mrOk);
    Click(130, 25);
    EXPECT_EQ(Form->ModalResult(), tk::mrOk);
}

TEST_F(SkinButtonTest, CaptionTakesTheFontColourOfTheState)
{
    auto* b = Make<TspSkinButton>(10, 10);
    b->SetBounds(10, 10, 120, 40);
    b->SetCaption("MMMM");
    auto count = [&](base::TColor color) {
        auto shot = Shot();
        int n = 0;
        for (int y = 10; y < 50; ++y)
            for (int x = 10; x < 130; ++x)
                n += shot.Pixel(x, y) == color;
        return n;
    };
    EXPECT_GT(count(sc::ButtonFont), 20);
    MoveTo(20, 15);
    EXPECT_EQ(count(sc::ButtonFont), 0);
    EXPECT_GT(count(sc::ButtonActiveFont), 20);
    b->SetEnabled(false);
    EXPECT_GT(count(sc::ButtonDisabledFont), 20);
    // The control's own font when the skin font is off, still in the look's colour.
    b->SetEnabled(true);
    MoveTo(200, 120);
    b->SetUseSkinFont(false);
    b->Font().SetHeight(-30);
    int big = count(sc::ButtonFont);
    b->SetUseSkinFont(true);
    EXPECT_GT(big, count(sc::ButtonFont));
}

TEST_F(SkinButtonTest, FadesToTheActiveImageWhenTheLookMorphs)
{
    Skin.Set("button", "morphing", "1");
    Skin.LoadInto(*Data);
    auto* b = Make<TspSkinButton>(10, 10);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);
    MoveTo(40, 25);
    EXPECT_TRUE(b->Morphing());
    H->Sleep(20);
    Run();
    EXPECT_NEAR(b->MorphFactor(), 0.2, 1e-9);
    EXPECT_EQ(Shot().Pixel(40, 25), RGB(160, 40, 0)); // 0.2 of the way from red to green
    H->Sleep(100);
    Run();
    EXPECT_EQ(b->MorphFactor(), 1.0);
    EXPECT_FALSE(b->Morphing());
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonActive);
    // And back down when it leaves.
    MoveTo(200, 120);
    H->Sleep(40);
    Run();
    EXPECT_NEAR(b->MorphFactor(), 0.6, 1e-9);
    H->Sleep(100);
    Run();
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);
}

TEST_F(SkinButtonTest, ToolButtonsOfAGroupStayDownOneAtATimeAndTakeNoFocus)
{
    auto* a = Make<TspSkinToolButton>(10, 10);
    auto* b = Make<TspSkinToolButton>(80, 10);
    auto* loose = Make<TspSkinToolButton>(150, 10);
    EXPECT_EQ(a->SkinDataName(), "toolbutton");
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
    Click(20, 20);
    EXPECT_TRUE(a->IsDown());
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    MoveTo(200, 120);
    EXPECT_EQ(Shot().Pixel(20, 20), sc::ButtonDown);
    Click(90, 20);
    EXPECT_FALSE(a->IsDown());
    EXPECT_TRUE(b->IsDown());
    Click(20, 20);
    Click(20, 20); // the down one of a group without AllowAllUp stays down
    EXPECT_TRUE(a->IsDown());
    b->SetIsDown(true);
    Click(90, 20); // with AllowAllUp it comes up
    EXPECT_FALSE(b->IsDown());
    EXPECT_FALSE(a->IsDown());
    Click(160, 20);
    EXPECT_FALSE(loose->IsDown()); // no group: a plain button
    // Plain drawing without a skin: the button face, sunken when down.
    b->SetSkinData(nullptr);
    b->SetIsDown(true);
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(110, 25), base::ColorToRGB(base::clBtnFace));
    EXPECT_EQ(shot.Pixel(80, 10), base::ColorToRGB(base::clBtnShadow));
}

} // namespace
