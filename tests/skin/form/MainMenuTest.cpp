// The main menu on a skinned frame and the popup menu's submenus and scrolling, on the
// headless window system. The dialog's skin gets a main-menu band: its client area starts
// at 46 instead of 29, and the tabs stand on the area 5,28,147,44 (mapped: right edge
// grows with the window).
#include "SkinFormTestUtil.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/MainMenuItem.h"
#include "skin/form/SkinPopupMenu.h"

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TRect;

namespace {

struct MainMenuTest : SkinFormTest {
    void SetUp() override
    {
        SkinFormTest::SetUp();
        App->CreateForm<tk::TForm>(); // the main form; the form under test comes after it
        auto pic = std::make_unique<gfx::TBitmap>(20, 48);
        pic->Fill(base::RGB(200, 200, 220));
        Data->ActivePictures.push_back(std::move(pic));
        auto record = std::make_unique<TspDataSkinMainMenuItem>("mainmenuitem");
        record->ActivePictureIndex = int(Data->ActivePictures.size()) - 1;
        record->SkinRect = Rect(0, 0, 20, 16);
        record->ActiveSkinRect = Rect(0, 16, 20, 32);
        record->DownRect = Rect(0, 32, 20, 48);
        record->TextRect = Rect(3, 1, 17, 15);
        record->ItemLeftOffset = record->ItemRightOffset = 3;
        record->FontName = "Arial";
        record->FontHeight = 12;
        Data->ObjectList.push_back(std::move(record));
        Data->ClientRect = Rect(3, 46, 149, 122);
        Data->LTPoint = { 10, 46 };
        Data->RTPoint = { 141, 46 };
        Data->MainMenuRect = Rect(5, 28, 147, 44);

        Make(tk::bsSizeable, 300, 160);
        Menu = new tk::TMainMenu(Form);
        File = AddItem(Menu->Items(), "&File");
        New = AddItem(File, "&New");
        New->SetShortCut(tk::ShortCut('N', tk::ssCtrl));
        AddItem(File, "&Open");
        AddItem(File, "-");
        AddItem(File, "E&xit");
        Edit = AddItem(Menu->Items(), "&Edit");
        AddItem(Edit, "&Undo");
        More = AddItem(Edit, "&More");
        AddItem(More, "&First");
        AddItem(More, "&Second");
        AddItem(Menu->Items(), "Hidden")->SetVisible(false);
        Help = AddItem(Menu->Items(), "&Help");
        Attach();
        Skinned->SetMainMenu(Menu);
        Skinned->SetSkinData(Data.get());
        Form->SetBounds(50, 50, 300, 160);
        Skinned->OnMainMenuEnter = [this](tk::TComponent*) { Events.push_back("enter"); };
        Skinned->OnMainMenuExit = [this](tk::TComponent*) { Events.push_back("exit"); };
        Form->Show();
        App->ProcessMessages();
    }
    tk::TMenuItem* AddItem(tk::TMenuItem* parent, std::string const& caption)
    {
        auto* item = new tk::TMenuItem(Form);
        item->SetCaption(caption);
        item->OnClick = [this, caption](tk::TComponent*) { Clicks.push_back(tk::StripHotkey(caption)); };
        parent->Add(item);
        return item;
    }
    std::vector<TspSkinMainMenuItem*> Tabs() const { return Skinned->MainMenuItems(); }
    // A tab's centre on the screen.
    base::TPoint At(int tab) const
    {
        TRect const r = Tabs().at(size_t(tab))->ObjectRect;
        return { Form->Left() + (r.Left + r.Right) / 2, Form->Top() + (r.Top + r.Bottom) / 2 };
    }
    void ClickTab(int tab)
    {
        base::TPoint const p = At(tab);
        H->Move(p.X, p.Y);
        H->Sleep(60);
        H->Click(p.X, p.Y);
        H->RunScript();
    }
    TRect WindowRect(win::HWND h) const
    {
        win::RECT r;
        win::GetWindowRect(h, &r);
        return r;
    }
    std::vector<std::string> Shown(TspSkinPopupMenu* menu) const
    {
        std::vector<std::string> r;
        for (int i = 0; i < menu->ItemCount(); ++i)
            r.push_back(menu->Item(i)->Caption());
        return r;
    }
    void Key(int vk, std::initializer_list<int> modifiers = {})
    {
        H->KeyPress(vk, modifiers);
        H->RunScript();
    }

    tk::TMainMenu* Menu = nullptr;
    tk::TMenuItem *File = nullptr, *New = nullptr, *Edit = nullptr, *More = nullptr, *Help = nullptr;
    std::vector<std::string> Clicks;
    std::vector<std::string> Events;
};

} // namespace

TEST_F(MainMenuTest, TabsLineUpHideWhenNarrowAndFollowMenuChanges)
{
    std::vector<TspSkinMainMenuItem*> tabs = Tabs();
    ASSERT_EQ(tabs.size(), 3u) << "one tab per visible top-level item";
    EXPECT_EQ(tabs[0]->MenuItem, File);
    EXPECT_EQ(tabs[2]->MenuItem, Help);
    EXPECT_EQ(Skinned->NewMainMenuRect, Rect(5, 28, 295, 44));
    EXPECT_EQ(tabs[0]->ObjectRect.Left, 5);
    EXPECT_EQ(tabs[0]->ObjectRect.Top, 28);
    EXPECT_EQ(tabs[1]->ObjectRect.Left, tabs[0]->ObjectRect.Right);
    EXPECT_EQ(tabs[2]->ObjectRect.Left, tabs[1]->ObjectRect.Right);
    gfx::TBitmap const shot = win::CaptureWindow(Form->Handle());
    EXPECT_EQ(shot.Pixel(tabs[2]->ObjectRect.Left + 1, 28), base::RGB(200, 200, 220))
        << "painted on the frame";
    EXPECT_EQ(win::SendMessage(Form->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(At(1).X, At(1).Y)),
        win::HTOBJECT);

    // Two long items do not fit at this width: the tabs past the area's right edge hide and
    // are disabled until there is room again.
    AddItem(Menu->Items(), "A rather long caption");
    AddItem(Menu->Items(), "Another long caption");
    App->ProcessMessages();
    tabs = Tabs();
    ASSERT_EQ(tabs.size(), 5u);
    auto fits = [&](TspSkinMainMenuItem* t) { return t->ObjectRect.Right <= Skinned->NewMainMenuRect.Right; };
    EXPECT_TRUE(fits(tabs[3]));
    EXPECT_FALSE(fits(tabs[4]));
    for (TspSkinMainMenuItem* t : tabs) {
        EXPECT_EQ(t->Shown, fits(t)) << t->IDName;
        EXPECT_EQ(t->EnabledState, fits(t)) << t->IDName;
    }
    Form->SetWidth(600);
    App->ProcessMessages();
    for (TspSkinMainMenuItem* t : tabs)
        EXPECT_TRUE(t->Shown && t->EnabledState) << t->IDName;
    tk::TComponent::Free(tabs[4]->MenuItem);
    tk::TComponent::Free(tabs[3]->MenuItem);
    App->ProcessMessages();
    tabs = Tabs();
    ASSERT_EQ(tabs.size(), 3u);

    // State changes reach the same tabs at once; new and removed items rebuild the bar.
    Edit->SetEnabled(false);
    EXPECT_FALSE(tabs[1]->EnabledState);
    Edit->SetEnabled(true);
    EXPECT_TRUE(tabs[1]->EnabledState);
    tk::TMenuItem* tools = AddItem(Menu->Items(), "&Tools");
    App->ProcessMessages();
    ASSERT_EQ(Tabs().size(), 4u);
    EXPECT_EQ(Tabs()[3]->MenuItem, tools);
    tk::TComponent::Free(Help);
    EXPECT_EQ(Tabs()[2]->MenuItem, nullptr) << "a tab forgets its freed item at once";
    App->ProcessMessages();
    ASSERT_EQ(Tabs().size(), 3u);
    EXPECT_EQ(Tabs()[2]->MenuItem, tools);
    EXPECT_EQ(Tabs()[2]->ObjectRect.Left, Tabs()[1]->ObjectRect.Right);
}

TEST_F(MainMenuTest, ClickOpensTheSubmenuUnderTheTabAndTheMenuFollowsTheMouse)
{
    ClickTab(0);
    TspSkinPopupMenu* menu = Skinned->SkinMenu();
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(Shown(menu), (std::vector<std::string> { "&New", "&Open", "-", "E&xit" }));
    TRect const tab = Tabs()[0]->ObjectRect;
    TRect const wr = WindowRect(menu->Handle());
    EXPECT_EQ(wr.Left, Form->Left() + tab.Left);
    EXPECT_EQ(wr.Top, Form->Top() + tab.Bottom);
    EXPECT_TRUE(Tabs()[0]->Pressed);
    EXPECT_TRUE(Skinned->MainMenuActive());
    EXPECT_EQ(Events, (std::vector<std::string> { "enter" }));

    // Along the bar: the next tab takes the open menu over.
    H->Move(At(1).X, At(1).Y);
    H->Sleep(120);
    H->RunScript();
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(Shown(menu), (std::vector<std::string> { "&Undo", "&More" }));
    EXPECT_FALSE(Tabs()[0]->Pressed);
    EXPECT_TRUE(Tabs()[1]->Pressed);
    EXPECT_EQ(WindowRect(menu->Handle()).Left, Form->Left() + Tabs()[1]->ObjectRect.Left);
    EXPECT_EQ(Events, (std::vector<std::string> { "enter" })) << "still in use";

    // A click outside closes it and ends the main menu's use.
    H->Click(700, 600);
    H->RunScript();
    EXPECT_FALSE(menu->Visible());
    EXPECT_FALSE(Tabs()[1]->Pressed);
    EXPECT_FALSE(Skinned->MainMenuActive());
    EXPECT_EQ(Events, (std::vector<std::string> { "enter", "exit" }));

    // With the skin's popup-above setting the menu opens above the tab.
    Data->MainMenuPopupUp = true;
    ClickTab(0);
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(WindowRect(menu->Handle()).Bottom, Form->Top() + Tabs()[0]->ObjectRect.Top);
    H->Click(700, 600);
    H->RunScript();
    EXPECT_FALSE(menu->Visible());

    // A tab without sub-items runs its item.
    ClickTab(2);
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(Clicks, (std::vector<std::string> { "Help" }));
    EXPECT_FALSE(Tabs()[2]->Pressed);
}

TEST_F(MainMenuTest, ItemWithItsOwnSkinnedMenuOpensInThatMenusSkin)
{
    // Edit's own menu names a skin without pictures (the plain look) that opens above; the
    // form's skin opens below in its own look.
    tk::TComponentPtr<TspSkinData> ownData(new TspSkinData(nullptr));
    ownData->MainMenuPopupUp = true;
    auto* ownMenu = new TspSkinPopupMenu(Form);
    ownMenu->SetSkinData(ownData.get());
    Edit->SetSkinMenu(ownMenu);
    TspSkinPopupMenu* menu = Skinned->SkinMenu();
    auto closeMenu = [&] {
        H->Click(700, 600);
        H->RunScript();
        ASSERT_FALSE(menu->Visible());
    };

    ClickTab(1);
    ASSERT_TRUE(menu->Visible());
    EXPECT_FALSE(menu->Skinned());
    TRect const wr = WindowRect(menu->Handle());
    EXPECT_EQ(wr.Bottom, Form->Top() + Tabs()[1]->ObjectRect.Top);
    // Its submenus take the same skin.
    TRect const more = menu->ItemRect(1);
    H->Move(wr.Left + more.Left + 5, wr.Top + more.Top + 3);
    H->RunScript();
    ASSERT_NE(menu->SubMenu(), nullptr);
    EXPECT_FALSE(menu->SubMenu()->Skinned());
    closeMenu();

    ClickTab(0);
    ASSERT_TRUE(menu->Visible());
    EXPECT_TRUE(menu->Skinned());
    EXPECT_EQ(WindowRect(menu->Handle()).Top, Form->Top() + Tabs()[0]->ObjectRect.Bottom);
    closeMenu();

    // An own menu without skin data, or whose skin data is gone, leaves the form's skin.
    ownMenu->SetSkinData(nullptr);
    ClickTab(1);
    ASSERT_TRUE(menu->Visible());
    EXPECT_TRUE(menu->Skinned());
    EXPECT_EQ(WindowRect(menu->Handle()).Top, Form->Top() + Tabs()[1]->ObjectRect.Bottom);
    closeMenu();
    ownMenu->SetSkinData(ownData.get());
    ownData.reset();
    EXPECT_EQ(ownMenu->SkinData(), nullptr);
    delete ownMenu;
    EXPECT_EQ(Edit->SkinMenu(), nullptr);
    ClickTab(1);
    ASSERT_TRUE(menu->Visible());
    EXPECT_TRUE(menu->Skinned());
}

TEST_F(MainMenuTest, SubmenuOpensBesideItsItemAndClosesAloneUntilAChoice)
{
    ClickTab(1);
    TspSkinPopupMenu* menu = Skinned->SkinMenu();
    ASSERT_TRUE(menu->Visible());
    TRect const wr = WindowRect(menu->Handle());
    TRect const more = menu->ItemRect(1);
    H->Move(wr.Left + more.Left + 5, wr.Top + more.Top + 3);
    H->RunScript();
    TspSkinPopupMenu* sub = menu->SubMenu();
    ASSERT_NE(sub, nullptr) << "resting on an item with sub-items opens them";
    EXPECT_EQ(Shown(sub), (std::vector<std::string> { "&First", "&Second" }));
    TRect const sr = WindowRect(sub->Handle());
    EXPECT_EQ(sr.Left, wr.Right);
    EXPECT_EQ(sr.Top - wr.Top, more.Top - menu->ItemRect(0).Top)
        << "its first item level with the parent item";

    // Keys go to the deepest menu: Left closes it alone, Right opens it with its first item
    // lit, Escape closes it alone again.
    Key(win::VK_LEFT);
    EXPECT_EQ(menu->SubMenu(), nullptr);
    EXPECT_TRUE(menu->Visible());
    EXPECT_EQ(menu->ItemIndex(), 1);
    Key(win::VK_RIGHT);
    ASSERT_NE(menu->SubMenu(), nullptr);
    EXPECT_EQ(menu->SubMenu()->ItemIndex(), 0);
    Key(win::VK_ESCAPE);
    EXPECT_EQ(menu->SubMenu(), nullptr);
    EXPECT_TRUE(menu->Visible());
    EXPECT_TRUE(Events.size() == 1 && Skinned->MainMenuActive());

    // A click on a child's item closes the whole chain, then runs the item.
    Key(win::VK_RIGHT);
    sub = menu->SubMenu();
    ASSERT_NE(sub, nullptr);
    TRect const second = sub->ItemRect(1);
    TRect const sr2 = WindowRect(sub->Handle());
    H->Click(sr2.Left + second.Left + 5, sr2.Top + second.Top + 3);
    H->RunScript();
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(menu->SubMenu(), nullptr);
    EXPECT_EQ(Clicks, (std::vector<std::string> { "Second" }));
    EXPECT_FALSE(Skinned->MainMenuActive());
    EXPECT_FALSE(Tabs()[1]->Pressed);
}

TEST_F(MainMenuTest, KeyboardLightsMovesOpensAndLeavesTheBar)
{
    TspSkinPopupMenu* menu = Skinned->SkinMenu();
    auto lit = [&] {
        std::string r;
        for (TspSkinMainMenuItem* t : Tabs())
            r += t->ActiveState ? (t->Pressed ? "P" : "L") : (t->Pressed ? "p" : ".");
        return r;
    };
    Key(win::VK_F10);
    EXPECT_TRUE(Skinned->MainMenuKeyMode());
    EXPECT_EQ(lit(), "L..");
    EXPECT_EQ(Events, (std::vector<std::string> { "enter" }));
    Key(win::VK_RIGHT);
    EXPECT_EQ(lit(), ".L.");
    Key(win::VK_LEFT);
    Key(win::VK_LEFT);
    EXPECT_EQ(lit(), "..L") << "wraps round";
    Key(win::VK_DOWN);
    EXPECT_EQ(Clicks, (std::vector<std::string> { "Help" })) << "a tab without sub-items runs";
    EXPECT_FALSE(Skinned->MainMenuKeyMode());
    EXPECT_EQ(lit(), "...");
    EXPECT_EQ(Events, (std::vector<std::string> { "enter", "exit" }));

    // Down opens the lit tab with its first item lit; Right in the menu moves to the next tab.
    Key(win::VK_F10);
    Key(win::VK_DOWN);
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(Shown(menu).front(), "&New");
    EXPECT_EQ(menu->ItemIndex(), 0);
    Key(win::VK_RIGHT);
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(Shown(menu).front(), "&Undo");
    EXPECT_EQ(menu->ItemIndex(), 0);
    EXPECT_EQ(lit(), ".P.");
    Key(win::VK_RIGHT);
    EXPECT_FALSE(menu->Visible()) << "Help has no submenu: it is only lit";
    EXPECT_EQ(lit(), "..L");
    EXPECT_TRUE(Skinned->MainMenuKeyMode());
    Key(win::VK_ESCAPE);
    EXPECT_FALSE(Skinned->MainMenuActive());
    EXPECT_EQ(lit(), "...");
    EXPECT_EQ(Events, (std::vector<std::string> { "enter", "exit", "enter", "exit" }));

    // Alt with a mnemonic opens that tab; Enter chooses; the form's short cuts run items.
    Key('E', { win::VK_MENU });
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(Shown(menu).front(), "&Undo");
    Key(win::VK_RETURN);
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(Clicks.back(), "Undo");
    EXPECT_FALSE(Skinned->MainMenuActive());
    Key('N', { win::VK_CONTROL });
    EXPECT_EQ(Clicks.back(), "New");
}

TEST_F(MainMenuTest, LongMenuScrollsByItsMarksTheWheelAndTheKeys)
{
    tk::TMenuItem* longMenu = AddItem(Menu->Items(), "&Long");
    for (int i = 0; i < 60; ++i)
        AddItem(longMenu, "Item " + std::to_string(i));
    TspSkinPopupMenu popup(nullptr);
    popup.Popup(longMenu, { 100, 0 }, nullptr);
    ASSERT_TRUE(popup.Visible());
    ASSERT_TRUE(popup.Scrollable());
    EXPECT_EQ(WindowRect(popup.Handle()).Height(), 738) << "as tall as the work area";
    EXPECT_TRUE(popup.ItemShown(0));
    EXPECT_FALSE(popup.ItemShown(59));
    TRect const down = popup.ScrollMarkRect(1);
    EXPECT_GT(popup.ItemRect(0).Top, popup.ScrollMarkRect(-1).Top) << "the items start below the up mark";

    // Resting on the lower mark scrolls one item per step until the end.
    H->Move(100 + (down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2);
    H->RunScript();
    EXPECT_EQ(popup.TopIndex(), 1);
    H->Sleep(130);
    H->Move(100 + down.Left + 1, down.Top + 1);
    H->RunScript();
    EXPECT_EQ(popup.TopIndex(), 3);
    H->Sleep(6000);
    H->Move(100 + down.Left + 2, down.Top + 1);
    H->RunScript();
    EXPECT_TRUE(popup.ItemShown(59)) << "scrolled to the end";
    int const end = popup.TopIndex();
    popup.Scroll(5);
    EXPECT_EQ(popup.TopIndex(), end) << "not past the end";

    // The wheel: one item per notch.
    H->Move(700, 300);
    H->RunScript();
    win::SendMessage(popup.Handle(), win::WM_MOUSEWHEEL, win::WPARAM(120) << 16, 0);
    EXPECT_EQ(popup.TopIndex(), end - 1);
    win::SendMessage(popup.Handle(), win::WM_MOUSEWHEEL, win::WPARAM(uint16_t(-240)) << 16, 0);
    EXPECT_EQ(popup.TopIndex(), end);

    // Keys bring the lit item into view.
    popup.KeyDown(win::VK_DOWN);
    EXPECT_EQ(popup.ItemIndex(), 0);
    EXPECT_EQ(popup.TopIndex(), 0);
    popup.KeyDown(win::VK_UP);
    EXPECT_EQ(popup.ItemIndex(), 59);
    EXPECT_TRUE(popup.ItemShown(59));
    popup.KeyDown(win::VK_RETURN);
    EXPECT_FALSE(popup.Visible());
    EXPECT_EQ(Clicks.back(), "Item 59");
}
