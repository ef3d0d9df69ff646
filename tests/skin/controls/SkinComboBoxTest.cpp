#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinComboBox.h"
#include "tests/support/Pixels.h"

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;

namespace {

struct SkinComboBoxTest : SkinControlTest {
    // At (10,10), 100x24: the item area (4,4)-(86,20), the button (86,4)-(96,20).
    TspSkinComboBox* Make(int count = 12)
    {
        auto* c = new TspSkinComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(10, 10, 100, 24);
        std::vector<std::string> items;
        for (int i = 0; i < count; ++i)
            items.push_back("Choice " + std::to_string(i));
        c->SetItems(items);
        c->SetItemIndex(0);
        c->SetSkinData(Data.get());
        return c;
    }
    void Key(int vk)
    {
        H->KeyDown(vk);
        H->KeyUp(vk);
        Run();
    }
    // Clicks a point of the drop-down window.
    void ClickList(TspSkinComboBox* c, int x, int y)
    {
        win::RECT r {};
        win::GetWindowRect(c->DropDownHandle(), &r);
        H->Move(r.Left + x, r.Top + y);
        H->Click(r.Left + x, r.Top + y);
        Run();
    }
};

TEST_F(SkinComboBoxTest, DrawsItemAndButtonByState)
{
    auto* c = Make();
    EXPECT_EQ(c->ButtonRect(), Rect(86, 4, 96, 20));
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(10, 10), sc::Edge);
    EXPECT_EQ(shot.Pixel(15, 15), sc::ComboItem);
    EXPECT_TRUE(HasColor(shot, Rect(16, 14, 96, 30), sc::ComboFont));
    EXPECT_EQ(shot.Pixel(100, 20), sc::ComboButton);

    MoveTo(40, 20);
    EXPECT_EQ(Shot().Pixel(100, 20), sc::ComboButtonHot);
    c->SetFocus();
    shot = Shot();
    EXPECT_EQ(shot.Pixel(15, 15), sc::ComboFocusItem);
    EXPECT_TRUE(HasColor(shot, Rect(16, 14, 96, 30), sc::ComboFocusFont));
    c->SetDroppedDown(true);
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_EQ(Shot().Pixel(100, 20), sc::ComboButtonDown);
    c->SetDroppedDown(false);
    MoveTo(200, 120);
    c->SetEnabled(false);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(100, 20), sc::ComboButtonDisabled);
    EXPECT_FALSE(HasColor(shot, Rect(16, 14, 96, 30), sc::ComboFont));

    // Without a look: a plain box with its arrow button; the chosen text stays.
    c->SetEnabled(true);
    c->SetSkinData(nullptr);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(15, 15), base::ColorToRGB(base::clWindow));
    EXPECT_EQ(shot.Pixel(95, 30), base::ColorToRGB(base::clBtnFace));
    EXPECT_TRUE(HasColor(shot, Rect(16, 14, 80, 30), base::ColorToRGB(base::clWindowText)));
}

TEST_F(SkinComboBoxTest, DropDownListPopsUpChoosesAndCloses)
{
    auto* c = Make();
    int changes = 0;
    c->OnChange = [&](tk::TComponent*) { ++changes; };
    Paint();

    // A click on the box opens the list below it in the list-box look, eight items high.
    Click(40, 20);
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_TRUE(c->Focused());
    win::RECT r {};
    win::GetWindowRect(c->DropDownHandle(), &r);
    base::TPoint const below = Form->ClientToScreen({ 10, 34 });
    EXPECT_EQ(r.Left, below.X);
    EXPECT_EQ(r.Top, below.Y);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 8 + 8 * 12);
    EXPECT_EQ(c->DropDownList()->SkinDataName(), "listbox");
    auto list = win::CaptureWindow(c->DropDownHandle());
    EXPECT_EQ(list.Pixel(0, 0), sc::Edge);
    EXPECT_EQ(list.Pixel(4, 5), sc::ListFocusItem); // the chosen item, lit
    EXPECT_EQ(list.Pixel(4, 17), sc::ListItem);
    EXPECT_EQ(list.Pixel(93, 5), sc::ScrollUp); // twelve items: the list scrolls

    // A click on the fourth item chooses it and closes the list.
    ClickList(c, 30, 4 + 3 * 12 + 6);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->Text(), "Choice 3");
    EXPECT_EQ(changes, 1);

    // F4 opens; the arrows move in the list; Enter chooses.
    Key(win::VK_F4);
    ASSERT_TRUE(c->DroppedDown());
    Key(win::VK_DOWN);
    Key(win::VK_DOWN);
    EXPECT_EQ(c->DropDownList()->ItemIndex(), 5);
    EXPECT_EQ(c->ItemIndex(), 3);
    Key(win::VK_RETURN);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 5);
    EXPECT_EQ(changes, 2);

    // Escape closes without a choice.
    Key(win::VK_F4);
    Key(win::VK_DOWN);
    Key(win::VK_ESCAPE);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 5);

    // A press elsewhere closes it without a choice; so does a press on the box itself.
    Click(40, 20);
    ASSERT_TRUE(c->DroppedDown());
    Click(200, 140);
    EXPECT_FALSE(c->DroppedDown());
    Click(40, 20);
    ASSERT_TRUE(c->DroppedDown());
    Click(40, 20);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 5);
    EXPECT_EQ(changes, 2);

    // Alt+Down opens too; closed, the arrows change the choice at once.
    win::WORD key = win::VK_DOWN;
    c->KeyDown(key, tk::ssAlt);
    EXPECT_TRUE(c->DroppedDown());
    c->SetDroppedDown(false);
    Key(win::VK_UP);
    EXPECT_EQ(c->ItemIndex(), 4);
    Key(win::VK_END);
    EXPECT_EQ(c->ItemIndex(), 11);
    EXPECT_EQ(changes, 4);

    // A skin change and the loss of focus close the list.
    c->SetDroppedDown(true);
    Skin.LoadInto(*Data);
    EXPECT_FALSE(c->DroppedDown());
    // Nothing to drop without items.
    c->SetItems({});
    c->SetDroppedDown(true);
    EXPECT_FALSE(c->DroppedDown());
}

TEST_F(SkinComboBoxTest, StoredWithItemsAndChoice)
{
    auto* c = Make(3);
    c->SetName("Combo1");
    c->SetSkinData(nullptr);
    c->SetItemIndex(2);
    c->SetDropDownCount(5);
    std::string text = tk::WriteComponentText(Form);
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* r = dynamic_cast<TspSkinComboBox*>(copy->FindComponent("Combo1"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Items(), c->Items());
    EXPECT_EQ(r->ItemIndex(), 2);
    EXPECT_EQ(r->DropDownCount(), 5);
}

} // namespace
