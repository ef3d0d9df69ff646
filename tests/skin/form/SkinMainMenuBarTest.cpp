#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinListBox.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinnedForm.h"
#include "tests/support/Pixels.h"

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;

namespace {

struct SkinMainMenuBarTest : SkinControlTest {
    void SetUp() override
    {
        SkinControlTest::SetUp();
        Menu = new tk::TMainMenu(Form);
        Menu->SetName("MainMenu1");
        File = Add(Menu->Items(), "File");
        Open = Add(File, "Open");
        Add(File, "Exit");
        Edit = Add(Menu->Items(), "Edit");
        Add(Edit, "Copy");
        Edit->SetEnabled(false);
        Help = Add(Menu->Items(), "Help");
        Hidden = Add(Menu->Items(), "Hidden");
        Hidden->SetVisible(false);
        Open->OnClick = [this](tk::TComponent*) { ++Opened; };
        Help->OnClick = [this](tk::TComponent*) { ++Helped; };
    }
    tk::TMenuItem* Add(tk::TMenuItem* parent, std::string const& caption)
    {
        auto* item = new tk::TMenuItem(Form);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    // At (0,10), 240 wide.
    TspSkinMainMenuBar* Make()
    {
        auto* c = new TspSkinMainMenuBar(Form);
        c->SetParent(Form);
        c->SetBounds(0, 10, 240, 30);
        c->SetMainMenu(Menu);
        c->SetSkinData(Data.get());
        return c;
    }
    base::TRect At(TspSkinMainMenuBar* c, base::TRect r)
    {
        base::OffsetRect(r, c->Left(), c->Top());
        return r;
    }
    tk::TMainMenu* Menu = nullptr;
    tk::TMenuItem *File = nullptr, *Open = nullptr, *Edit = nullptr, *Help = nullptr, *Hidden = nullptr;
    int Opened = 0, Helped = 0;
};

TEST_F(SkinMainMenuBarTest, DrawsTheBarAndItsItemsFromTheNamedObjects)
{
    auto* c = Make();
    EXPECT_EQ(c->Height(), 16); // the look's height
    ASSERT_EQ(c->ItemCount(), 3); // the hidden item is left out
    EXPECT_EQ(c->Item(2), Help);
    // Items from the area's left, side by side, as wide as the image less its text plus the text.
    base::TRect const r0 = c->ItemRect(0), r1 = c->ItemRect(1);
    EXPECT_EQ(r0.Left, 4);
    EXPECT_EQ(r0.Height(), 14);
    EXPECT_EQ(r1.Left, r0.Right);
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(1, 15), sc::MenuBar);
    EXPECT_EQ(shot.Pixel(238, 15), sc::MenuBar);
    EXPECT_EQ(shot.Pixel(r0.Left, 10), sc::MenuItem);
    EXPECT_TRUE(HasColor(shot, At(c, r0), sc::MenuItemFont));
    EXPECT_TRUE(HasColor(shot, At(c, r1), sc::MenuItemDisabledFont)); // Edit is disabled

    // The mouse lights an enabled item, not a disabled one.
    MoveTo(r0.Left + 3, 13);
    EXPECT_EQ(c->HotIndex(), 0);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(r0.Left, 10), sc::MenuItemHot);
    EXPECT_TRUE(HasColor(shot, At(c, r0), sc::MenuItemHotFont));
    MoveTo(r1.Left + 3, 13);
    EXPECT_EQ(Shot().Pixel(r1.Left, 10), sc::MenuItem);

    // The window buttons at the ends, from their objects.
    c->SetShowButtons(true);
    EXPECT_EQ(c->ButtonRect(TspSkinMainMenuBar::bbClose), Rect(228, 2, 240, 14));
    EXPECT_EQ(c->ButtonRect(TspSkinMainMenuBar::bbMaximize), Rect(216, 2, 228, 14));
    EXPECT_EQ(c->ButtonRect(TspSkinMainMenuBar::bbSysMenu), Rect(0, 2, 12, 14));
    EXPECT_EQ(c->ItemRect(0).Left, 12); // the items make room for the system-menu button
    shot = Shot();
    EXPECT_EQ(shot.Pixel(230, 14), sc::MenuClose);
    EXPECT_EQ(shot.Pixel(218, 14), sc::MenuMax);
    EXPECT_EQ(shot.Pixel(206, 14), sc::MenuMin);
    EXPECT_EQ(shot.Pixel(2, 14), sc::MenuSys);
    MoveTo(230, 14);
    EXPECT_EQ(Shot().Pixel(230, 14), sc::MenuButtonHot);

    // Without the look: a plain bar in the button face.
    c->SetSkinDataName("none");
    EXPECT_EQ(Shot().Pixel(150, 12), base::ColorToRGB(base::clBtnFace));
}

TEST_F(SkinMainMenuBarTest, OpensSubmenusRunsItemsAndWindowButtons)
{
    auto* c = Make();
    Paint();
    base::TRect const r0 = c->ItemRect(0);
    // A press on File opens its submenu under it, drawn pressed.
    Click(r0.Left + 3, 13);
    ASSERT_NE(c->Popup(), nullptr);
    EXPECT_EQ(c->PressedIndex(), 0);
    EXPECT_EQ(c->Popup()->ItemCount(), 2);
    win::RECT pr {};
    win::GetWindowRect(c->Popup()->Handle(), &pr);
    EXPECT_EQ(pr.Top, Form->ClientToScreen({ 0, 10 + r0.Bottom }).Y);
    EXPECT_EQ(pr.Left, Form->ClientToScreen({ r0.Left, 0 }).X);
    EXPECT_EQ(Shot().Pixel(r0.Left, 10), sc::MenuItemDown);
    // The open menu takes the keys through the bar: Escape closes it.
    EXPECT_TRUE(c->Focused());
    H->KeyDown(win::VK_ESCAPE);
    H->KeyUp(win::VK_ESCAPE);
    Run();
    EXPECT_EQ(c->Popup(), nullptr);
    EXPECT_FALSE(c->Focused());

    // With another control focused: Down and Enter choose Open, which runs and closes the
    // menu, and the focus goes back.
    auto* list = new TspSkinListBox(Form);
    list->SetParent(Form);
    list->SetBounds(10, 60, 100, 60);
    list->SetFocus();
    Click(r0.Left + 3, 13);
    ASSERT_NE(c->Popup(), nullptr);
    EXPECT_TRUE(c->Focused());
    for (int vk : { win::VK_DOWN, win::VK_RETURN }) {
        H->KeyDown(vk);
        H->KeyUp(vk);
        Run();
    }
    EXPECT_EQ(Opened, 1);
    EXPECT_EQ(c->Popup(), nullptr);
    EXPECT_EQ(c->PressedIndex(), -1);
    EXPECT_TRUE(list->Focused());
    EXPECT_FALSE(c->TabStop()); // Tab never stops on the bar

    // A disabled item opens nothing; one without sub-items runs at once.
    Click(c->ItemRect(1).Left + 3, 13);
    EXPECT_EQ(c->Popup(), nullptr);
    Click(c->ItemRect(2).Left + 3, 13);
    EXPECT_EQ(Helped, 1);
    EXPECT_EQ(c->Popup(), nullptr);

    // The maximise button toggles the form's state; close closes it.
    c->SetShowButtons(true);
    Click(220, 14);
    EXPECT_EQ(Form->WindowState(), tk::wsMaximized);
    Click(c->ButtonRect(TspSkinMainMenuBar::bbMaximize).Left + 2, 14);
    EXPECT_EQ(Form->WindowState(), tk::wsNormal);
    Click(c->ButtonRect(TspSkinMainMenuBar::bbClose).Left + 2, 14);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(SkinMainMenuBarTest, SkinnedFormHandsItsMenuToTheBarAndBothAreStored)
{
    tk::RegisterComponentClass("TspSkinData", [](tk::TComponent* o) { return new TspSkinData(o); });
    RegisterSkinFormClasses();
    tk::RegisterComponentClass("TMainMenu", [](tk::TComponent* o) { return new tk::TMainMenu(o); });
    auto* skinned = new TspSkinnedForm(Form);
    skinned->SetName("spSkinnedForm1");
    // The skin also has tabs for the frame, which the bar replaces.
    Skin.AddObject("MAINMENUITEM", "mainmenuitem");
    Skin.SetInt("MAINMENUITEM", "activepictureindex",
        Skin.Ini.ReadInteger("testmenubaritem", "activepictureindex", -1));
    Skin.SetRect("MAINMENUITEM", "skinrect", Rect(0, 16, 30, 30));
    Skin.SetRect("MAINMENUITEM", "textrect", Rect(4, 0, 26, 14));
    auto* data = new TspSkinData(Form);
    data->SetName("spSkinData1");
    Skin.LoadInto(*data);
    skinned->SetSkinData(data);
    skinned->SetMainMenu(Menu);
    EXPECT_FALSE(skinned->MainMenuItems().empty()); // tabs without a bar
    skinned->SetSkinData(data);
    skinned->SetMainMenu(Menu);
    auto* bar = new TspSkinMainMenuBar(Form);
    bar->SetName("MenuBar1");
    bar->SetParent(Form);
    skinned->SetMainMenuBar(bar);
    EXPECT_EQ(bar->MainMenu(), Menu);
    EXPECT_EQ(bar->SkinData(), data);
    EXPECT_TRUE(skinned->MainMenuItems().empty()); // no tabs on the frame
    skinned->SetMainMenu(nullptr);
    EXPECT_EQ(bar->MainMenu(), nullptr);
    skinned->SetMainMenu(Menu);
    bar->SetShowButtons(true);

    std::string text = tk::WriteComponentText(Form);
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* rb = dynamic_cast<TspSkinMainMenuBar*>(copy->FindComponent("MenuBar1"));
    auto* rf = dynamic_cast<TspSkinnedForm*>(copy->FindComponent("spSkinnedForm1"));
    ASSERT_TRUE(rb && rf);
    EXPECT_EQ(rf->MainMenuBar(), rb);
    EXPECT_EQ(rb->MainMenu(), copy->FindComponent("MainMenu1"));
    EXPECT_EQ(rb->SkinData(), copy->FindComponent("spSkinData1"));
    EXPECT_TRUE(rb->ShowButtons());
}

} // namespace
