#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinTabControl.h"
#include "tests/support/Pixels.h"

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;

namespace {

struct SkinTabControlTest : SkinControlTest {
    // At (10,10), 200x100, three tabs.
    TspSkinTabControl* Make()
    {
        auto* c = new TspSkinTabControl(Form);
        c->SetParent(Form);
        c->SetBounds(10, 10, 200, 100);
        c->SetTabs({ "General", "Tables", "Log" });
        c->SetSkinData(Data.get());
        return c;
    }
    // A tab's rectangle in form coordinates.
    base::TRect At(TspSkinTabControl* c, int index)
    {
        base::TRect r = c->TabRect(index);
        base::OffsetRect(r, 10, 10);
        return r;
    }
    void Key(int vk)
    {
        H->KeyDown(vk);
        H->KeyUp(vk);
        Run();
    }
};

TEST_F(SkinTabControlTest, DrawsTabsByStateThePageAndTheBand)
{
    auto* c = Make();
    EXPECT_EQ(c->TabIndex(), 0);
    EXPECT_EQ(c->TabHeight(), 12);
    EXPECT_EQ(c->DisplayRect(), Rect(4, 16, 196, 96));
    // Tabs sit side by side, each wide enough for its text and the fixed ends.
    EXPECT_EQ(c->TabRect(1).Left, c->TabRect(0).Right);
    EXPECT_GT(c->TabRect(0).Width(), c->TabRect(2).Width());
    auto shot = Shot();
    base::TRect t0 = At(c, 0), t1 = At(c, 1), t2 = At(c, 2);
    EXPECT_EQ(shot.Pixel(t0.Left, t0.Top), sc::TabActive);
    EXPECT_TRUE(HasColor(shot, t0, sc::TabActiveFont));
    EXPECT_EQ(shot.Pixel(t1.Left, t1.Top), sc::TabNormal);
    EXPECT_TRUE(HasColor(shot, t1, sc::TabFont));
    EXPECT_EQ(shot.Pixel(t2.Right + 2, 12), sc::TabsBand); // right of the last tab
    EXPECT_EQ(shot.Pixel(10, 22), sc::Edge); // the page's frame below the row
    EXPECT_EQ(shot.Pixel(100, 60), sc::TabClient);

    // The mouse over a tab lights it; the focus marks the active one.
    MoveTo(t2.Left + 3, t2.Top + 3);
    EXPECT_EQ(c->HotIndex(), 2);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(t2.Left, t2.Top), sc::TabHot);
    EXPECT_TRUE(HasColor(shot, t2, sc::TabHotFont));
    MoveTo(100, 60);
    EXPECT_EQ(c->HotIndex(), -1);
    c->SetFocus();
    shot = Shot();
    EXPECT_EQ(shot.Pixel(t0.Left, t0.Top), sc::TabFocus);
    EXPECT_TRUE(HasColor(shot, t0, sc::TabFocusFont));

    // Without the look: plain tabs on a button-face page.
    c->SetSkinDataName("none");
    EXPECT_EQ(c->TabHeight(), TspSkinTabControl::PlainTabHeight);
    EXPECT_EQ(Shot().Pixel(100, 60), base::ColorToRGB(base::clBtnFace));
}

TEST_F(SkinTabControlTest, ClickKeysAndChangingEvent)
{
    auto* c = Make();
    std::vector<int> changes;
    bool refuse = false;
    c->OnChanging = [&](tk::TComponent*, bool& allow) { allow = !refuse; };
    c->OnChange = [&](tk::TComponent*) { changes.push_back(c->TabIndex()); };
    Paint();
    base::TRect t1 = At(c, 1);
    Click(t1.Left + 3, t1.Top + 3);
    EXPECT_EQ(c->TabIndex(), 1);
    EXPECT_TRUE(c->Focused());
    Click(60, 60); // the page: nothing changes
    EXPECT_EQ(c->TabIndex(), 1);
    Key(win::VK_RIGHT);
    EXPECT_EQ(c->TabIndex(), 2);
    Key(win::VK_RIGHT); // the last tab: stays
    EXPECT_EQ(c->TabIndex(), 2);
    // Ctrl+Tab goes round; Ctrl+Shift+Tab back.
    H->KeyDown(win::VK_CONTROL);
    Key(win::VK_TAB);
    EXPECT_EQ(c->TabIndex(), 0);
    EXPECT_TRUE(c->Focused()); // the focus stays
    H->KeyDown(win::VK_SHIFT);
    Key(win::VK_TAB);
    EXPECT_EQ(c->TabIndex(), 2);
    H->KeyUp(win::VK_SHIFT);
    H->KeyUp(win::VK_CONTROL);
    Run();
    Key(win::VK_LEFT);
    EXPECT_EQ(changes, (std::vector<int> { 1, 2, 0, 2, 1 }));
    // OnChanging refuses: the tab stays and OnChange is silent.
    refuse = true;
    Key(win::VK_HOME);
    Click(At(c, 2).Left + 3, At(c, 2).Top + 3);
    EXPECT_EQ(c->TabIndex(), 1);
    EXPECT_EQ(changes.size(), 5u);
    // Setting it in code fires nothing.
    c->SetTabIndex(0);
    EXPECT_EQ(changes.size(), 5u);
}

TEST_F(SkinTabControlTest, StoredWithTabsAndActiveTab)
{
    auto* c = Make();
    c->SetName("Tabs1");
    c->SetSkinData(nullptr);
    c->SetTabIndex(2);
    std::string text = tk::WriteComponentText(Form);
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* r = dynamic_cast<TspSkinTabControl*>(copy->FindComponent("Tabs1"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Tabs(), c->Tabs());
    EXPECT_EQ(r->TabIndex(), 2);
}

// More tabs than fit: two arrows at the right of the tab row shift the first tab shown, and
// a tab chosen by key comes into view.
TEST_F(SkinTabControlTest, ArrowsScrollTabsThatDoNotFit)
{
    auto* few = Make();
    EXPECT_TRUE(base::IsRectEmpty(few->ScrollRightRect()));
    std::vector<std::string> tabs;
    for (int i = 0; i < 8; ++i)
        tabs.push_back("Tab number " + std::to_string(i));
    few->SetTabs(tabs);
    auto* c = few;
    // Plain arrows (the test look names no up-down look), as high as the tab row.
    EXPECT_EQ(c->ScrollRightRect(), Rect(184, 0, 200, 12));
    EXPECT_EQ(c->ScrollLeftRect(), Rect(168, 0, 184, 12));
    auto shot = Shot();
    base::TRect right = c->ScrollRightRect();
    base::OffsetRect(right, 10, 10);
    EXPECT_TRUE(HasColor(shot, right, base::ColorToRGB(base::clBtnText))); // the arrow's ink
    EXPECT_FALSE(HasColor(shot, right, sc::TabNormal)); // no tab drawn under it
    EXPECT_EQ(c->TabAtPos({ 190, 5 }), -1);

    // The right arrow shifts one tab; the active tab stays.
    Click(10 + 190, 10 + 5);
    EXPECT_EQ(c->FirstTab(), 1);
    EXPECT_EQ(c->TabIndex(), 0);
    EXPECT_TRUE(base::IsRectEmpty(c->TabRect(0)));
    EXPECT_EQ(c->TabRect(1).Left, 0);
    // Up to the last tab in full view, and no further.
    for (int i = 0; i < 10; ++i)
        Click(10 + 190, 10 + 5);
    int const last = c->FirstTab();
    EXPECT_GT(last, 1);
    EXPECT_LE(c->TabRect(7).Right, c->ScrollLeftRect().Left);
    Click(10 + 175, 10 + 5); // the left arrow
    EXPECT_EQ(c->FirstTab(), last - 1);
    EXPECT_GT(c->TabRect(7).Right, c->ScrollLeftRect().Left); // one tab back, the last is cut

    // Keys choose tabs out of view and bring them in.
    c->SetFocus();
    Key(win::VK_END);
    EXPECT_EQ(c->TabIndex(), 7);
    EXPECT_EQ(c->FirstTab(), last);
    Key(win::VK_HOME);
    EXPECT_EQ(c->TabIndex(), 0);
    EXPECT_EQ(c->FirstTab(), 0);
    // A click on a shown tab still chooses it.
    Click(10 + 190, 10 + 5);
    base::TRect const t = At(c, 2);
    Click(t.Left + 3, t.Top + 3);
    EXPECT_EQ(c->TabIndex(), 2);
}

} // namespace
