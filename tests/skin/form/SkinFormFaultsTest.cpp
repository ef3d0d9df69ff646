// Faults that sequences of user actions and program calls once drove the skinned form into:
// objects left on a skin that was set to none or freed, a failed load that left half a
// frame, restores below the new skin's minimum, a form sized to nothing, menus that read
// freed items and menus that opened off the work area. The dialog's skin is 152 x 125 with
// the client rectangle 3,29,149,122: its minimum is 152 x 32.
#include "SkinFormTestUtil.h"
#include "platform/toolkit/StdCtrls.h"
#include "skin/form/SkinPopupMenu.h"

#include <string>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TRect;

namespace {

struct SkinFaultsTest : SkinFormTest {
    void SetUp() override
    {
        SkinFormTest::SetUp();
        MainForm = App->CreateForm<tk::TForm>(); // the forms under test are not the main form
    }
    // A second skin data with the same skin, owned by the test, so that it can be freed.
    tk::TComponentPtr<TspSkinData> OtherSkin()
    {
        tk::TComponentPtr<TspSkinData> other(new TspSkinData(nullptr));
        other->SetCompressedStoredSkin(Stored.get());
        return other;
    }
    void MakeClientMode()
    {
        Make(tk::bsNone, 152, 125);
        Attach();
        Skinned->SetSupportNCArea(false);
    }
    void Activate(bool active)
    {
        win::SendMessage(Form->Handle(), win::WM_NCACTIVATE, active, 0);
        win::SendMessage(Form->Handle(), win::WM_ACTIVATE, active ? win::WA_ACTIVE : win::WA_INACTIVE, 0);
    }
    bool ObjectsInside() const
    {
        for (auto const& o : Skinned->ObjectList)
            if (o->VisibleState && !base::IsRectEmpty(o->ObjectRect)
                && (o->ObjectRect.Right > Form->Width() || o->ObjectRect.Bottom > Form->Height()))
                return false;
        return true;
    }
    win::MINMAXINFO MinMax() const
    {
        win::MINMAXINFO mmi {};
        win::SendMessage(Form->Handle(), win::WM_GETMINMAXINFO, 0, win::LPARAM(&mmi));
        return mmi;
    }

    tk::TForm* MainForm = nullptr;
};

} // namespace

// In client mode a skin set to none or freed takes its objects, its region and the roll-up
// strip with it; the activation changes that follow draw nothing of it (ASan sees the
// freed descriptions otherwise).
TEST_F(SkinFaultsTest, ClientModeSkinSetToNoneOrFreedTakesItsObjects)
{
    MakeClientMode();
    auto other = OtherSkin();
    other->RollUpPicture() = gfx::TBitmap(152, 24);
    other->RollUpMask() = gfx::TBitmap(152, 24);
    Skinned->SetSkinData(other.get());
    auto* label = new tk::TLabel(Form);
    label->SetParent(Form);
    Form->Show();
    App->ProcessMessages();
    ASSERT_FALSE(Skinned->ObjectList.empty());
    Skinned->SetRollUpState(true);
    ASSERT_EQ(Form->Height(), 24);
    ASSERT_TRUE(Skinned->HasFrameRegion());

    int changes = 0;
    Skinned->OnChangeSkinData = [&](tk::TComponent*) { ++changes; };
    other.reset();
    EXPECT_EQ(Skinned->SkinData(), nullptr);
    EXPECT_TRUE(Skinned->ObjectList.empty());
    EXPECT_FALSE(Skinned->HasFrameRegion());
    EXPECT_FALSE(Skinned->RollUpState());
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(Form->Height(), 125);
    EXPECT_EQ(changes, 1);
    Activate(false);
    Activate(true);
    App->ProcessMessages();

    // Set to none: the same.
    Skinned->SetSkinData(Data.get());
    ASSERT_FALSE(Skinned->ObjectList.empty());
    Skinned->SetSkinData(nullptr);
    EXPECT_TRUE(Skinned->ObjectList.empty());
    EXPECT_FALSE(Skinned->MorphTimerActive());
    Activate(false);
    App->ProcessMessages();
}

// A load that fails sends no change message: the form is left on the built-in frame, whole
// at every size, and not on half of the old skin.
TEST_F(SkinFaultsTest, FailedLoadLeavesTheFormOnTheBuiltInFrame)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    auto other = OtherSkin();
    Skinned->SetSkinData(other.get());
    Form->Show();
    App->ProcessMessages();
    ASSERT_TRUE(Skinned->HasFrameRegion());
    ASSERT_EQ(Form->ClientWidth(), 200 - 6);
    ASSERT_EQ(Form->ClientHeight(), 135 - 29 - 3);

    std::string const newerVersion("\xE8\x03\x00\x00", 4); // a package version this build cannot read
    other->LoadFromPackage(newerVersion);
    ASSERT_TRUE(other->Empty());
    EXPECT_FALSE(Skinned->SkinSupport());
    EXPECT_EQ(Caption(), nullptr);
    EXPECT_FALSE(Skinned->HasFrameRegion());
    gfx::TRegion region;
    EXPECT_EQ(win::GetWindowRgn(Form->Handle(), region), gfx::RGN_ERROR) << "no region of the old picture";
    EXPECT_EQ(Form->ClientHeight(), 135 - 19 - 6) << "the built-in frame: 19-pixel caption, 3-pixel borders";

    // Enlarged, it keeps its whole frame: the built-in close button at the new right edge.
    Form->SetBounds(Form->Left(), Form->Top(), 320, 220);
    App->ProcessMessages();
    EXPECT_EQ(win::GetWindowRgn(Form->Handle(), region), gfx::RGN_ERROR);
    TspSkinStdButtonObject const* close = nullptr;
    for (auto const& o : Skinned->ObjectList)
        if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get()); b && b->StdCommand == cmClose)
            close = b;
    ASSERT_NE(close, nullptr);
    EXPECT_GT(close->ObjectRect.Right, 300);

    // A package cut short raises; the form is left the same way.
    Skinned->SetSkinData(Data.get());
    ASSERT_TRUE(Skinned->HasFrameRegion());
    Skinned->SetSkinData(other.get());
    other->SetCompressedStoredSkin(Stored.get());
    ASSERT_TRUE(Skinned->SkinSupport());
    EXPECT_ANY_THROW(other->LoadFromPackage(std::string("\x01\x00\x00\x00\x00", 5)));
    EXPECT_FALSE(Skinned->SkinSupport());
    EXPECT_EQ(Caption(), nullptr);
    EXPECT_FALSE(Skinned->HasFrameRegion());
    Activate(false);
    Activate(true);
    App->ProcessMessages();
}

// A skin with a larger minimum arrives while the form is maximised, minimised or rolled
// up: coming back, the form is at least that minimum and its frame fits the window.
TEST_F(SkinFaultsTest, RestoreAfterASkinSwitchKeepsTheNewMinimum)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->SetBounds(20, 20, 200, 135);
    Form->Show();
    App->ProcessMessages();
    auto wide = OtherSkin();
    wide->Picture() = gfx::TBitmap(300, 140); // minimum 300 x (140 - 93)
    auto check = [&](char const* how) {
        EXPECT_GE(Form->Width(), 300) << how;
        EXPECT_GE(Form->Height(), 47) << how;
        EXPECT_EQ(Skinned->FrameWidth, Form->Width()) << how;
        EXPECT_TRUE(ObjectsInside()) << how;
    };

    Skinned->ChangeWindowState(wsMaximized);
    Skinned->SetSkinData(wide.get());
    Skinned->ChangeWindowState(wsNormal);
    check("maximised");

    Skinned->SetSkinData(Data.get());
    Form->SetBounds(20, 20, 200, 135);
    Skinned->ChangeWindowState(wsMinimized);
    Skinned->SetSkinData(wide.get());
    Skinned->ChangeWindowState(wsNormal);
    check("minimised");

    Skinned->SetSkinData(Data.get());
    Form->SetBounds(20, 20, 200, 45);
    Skinned->SetRollUpState(true);
    Skinned->SetSkinData(wide.get());
    Skinned->SetRollUpState(false);
    check("rolled up");
    EXPECT_FALSE(Skinned->RollUpState());
    Skinned->SetSkinData(Data.get());
}

// A program may set a size below the minimum: the frame is laid out for it all the same.
TEST_F(SkinFaultsTest, FrameFollowsASizeBelowTheMinimum)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->Show();
    App->ProcessMessages();
    TspSkinStdButtonObject const* close = nullptr;
    for (auto const& o : Skinned->ObjectList)
        if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get()); b && b->StdCommand == cmClose)
            close = b;
    ASSERT_NE(close, nullptr);
    int const gap = Form->Width() - close->ObjectRect.Right;
    Form->SetBounds(0, 0, 100, 20);
    EXPECT_EQ(Skinned->FrameWidth, 100);
    EXPECT_EQ(Skinned->FrameHeight, 20);
    EXPECT_EQ(Skinned->NewClRect.Right, 100 - 3);
    EXPECT_EQ(close->ObjectRect.Right, 100 - gap) << "the caption buttons follow the right edge";
    App->ProcessMessages();
    Form->SetBounds(0, 0, 1, 1);
    App->ProcessMessages();
    EXPECT_EQ(Skinned->FrameWidth, 1);
    // The client area was already empty: the window changes size without a WM_SIZE.
    Form->SetBounds(0, 0, 0, 0);
    EXPECT_EQ(Skinned->FrameWidth, 0);
    EXPECT_EQ(Skinned->FrameHeight, 0);
    Form->SetBounds(0, 0, 260, 160);
    EXPECT_EQ(Skinned->NewClRect.Right, 260 - 3);
}

// A client-mode form without a skin keeps the built-in minimum, and a form maximised from
// 0 x 0 comes back from the maximise.
TEST_F(SkinFaultsTest, NoSkinClientFormKeepsAMinimumAndComesBackFromNothing)
{
    MakeClientMode();
    Form->SetBounds(10, 10, 152, 125);
    Form->Show();
    App->ProcessMessages();
    EXPECT_EQ(MinMax().ptMinTrackSize, (base::TPoint { 130, 25 }));
    Skinned->MinWidth = 40;
    EXPECT_EQ(MinMax().ptMinTrackSize.X, 40);
    Skinned->MinWidth = 0;

    Form->SetBounds(10, 10, 0, 0);
    Skinned->ChangeWindowState(wsMaximized);
    ASSERT_GT(Form->Width(), 300);
    Skinned->ChangeWindowState(wsNormal);
    EXPECT_EQ(Skinned->WindowState, wsNormal);
    EXPECT_EQ(Form->BoundsRect(), Rect(10, 10, 10 + 130, 10 + 25));
}

// The skin menu follows its items and its skin data: one freed while the menu is open is
// never read again (ASan), and the menu closes.
TEST_F(SkinFaultsTest, OpenMenuFollowsFreedItemsAndSkinData)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    auto* user = new tk::TPopupMenu(Form);
    auto* mine = new tk::TMenuItem(Form);
    mine->SetCaption("Mine");
    user->Items()->Add(mine);
    Skinned->SetSystemMenu(user);
    Form->Show();
    App->ProcessMessages();
    int closes = 0;
    Skinned->OnSkinMenuClose = [&](tk::TComponent*) { ++closes; };
    TspSkinPopupMenu* menu = Skinned->SkinMenu();

    Skinned->ShowSystemMenu({ 300, 300 });
    ASSERT_TRUE(menu->Visible());
    int const count = menu->ItemCount();
    int shown = -1;
    for (int i = 0; i < count; ++i)
        if (menu->Item(i) == mine)
            shown = i;
    ASSERT_GE(shown, 0);
    tk::TComponent::Free(mine);
    EXPECT_EQ(menu->Item(shown), nullptr);
    // Drawn and keyed before it closes: nothing of the freed item is read.
    win::InvalidateRect(menu->Handle(), nullptr, win::FALSE);
    win::UpdateWindow(menu->Handle());
    for (int i = 0; i < count; ++i)
        menu->KeyDown(win::VK_DOWN);
    App->ProcessMessages();
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(closes, 1);

    // The menus' own skin data freed while its menu is open.
    auto menus = OtherSkin();
    Skinned->SetMenusSkinData(menus.get());
    Skinned->ShowSystemMenu({ 300, 300 });
    ASSERT_TRUE(menu->Visible());
    ASSERT_TRUE(menu->Skinned());
    menus.reset();
    EXPECT_FALSE(menu->Skinned());
    win::InvalidateRect(menu->Handle(), nullptr, win::FALSE);
    win::UpdateWindow(menu->Handle());
    App->ProcessMessages();
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(closes, 2);
}

// Every popup stays on the work area of the monitor under the point, flipped to the left
// of or above the point where it does not fit: a window dragged off the left edge, a
// point at the bottom right, a tray point inside the task bar.
TEST_F(SkinFaultsTest, MenusStayOnTheWorkAreaFlippingWhereTheyDoNotFit)
{
    H->SetMonitors({ { Rect(0, 0, 800, 600), Rect(0, 0, 800, 570) } });
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->Show();
    App->ProcessMessages();
    TspSkinPopupMenu* menu = Skinned->SkinMenu();
    auto shownAt = [&](int x, int y) {
        Skinned->ShowSystemMenu({ x, y });
        win::RECT r {};
        win::GetWindowRect(menu->Handle(), &r);
        menu->Close();
        return TRect(r);
    };
    TRect const plain = shownAt(100, 100);
    int const w = plain.Width(), h = plain.Height();
    ASSERT_EQ(plain, Rect(100, 100, 100 + w, 100 + h));

    EXPECT_EQ(shownAt(-12, 100).Left, 0) << "off the left edge";
    EXPECT_EQ(shownAt(790, 560), Rect(790 - w, 560 - h, 790, 560)) << "flipped left and above";
    TRect const tray = shownAt(780, 590); // in the task bar
    EXPECT_LE(tray.Bottom, 570);
    EXPECT_EQ(tray.Right, 780);
    EXPECT_EQ(shownAt(400, -30).Top, 0);

    // A submenu that does not fit to the right opens to the left of its menu.
    auto* user = new tk::TPopupMenu(Form);
    auto* more = new tk::TMenuItem(Form);
    more->SetCaption("More");
    auto* sub = new tk::TMenuItem(Form);
    sub->SetCaption("Sub");
    more->Add(sub);
    user->Items()->Add(more);
    Skinned->SetSystemMenu(user);
    Skinned->ShowSystemMenu({ 795, 100 });
    ASSERT_TRUE(menu->Visible());
    int index = -1;
    for (int i = 0; i < menu->ItemCount(); ++i)
        if (menu->Item(i) == more)
            index = i;
    ASSERT_GE(index, 0);
    while (menu->ItemIndex() != index)
        menu->KeyDown(win::VK_DOWN);
    menu->KeyDown(win::VK_RIGHT);
    ASSERT_NE(menu->SubMenu(), nullptr);
    win::RECT parent {}, child {};
    win::GetWindowRect(menu->Handle(), &parent);
    win::GetWindowRect(menu->SubMenu()->Handle(), &child);
    EXPECT_EQ(parent.Right, 795);
    EXPECT_EQ(child.Right, parent.Left);
    EXPECT_GE(child.Left, 0);
    menu->Close();
}

// One skin data as both the skin and the menus' skin: freed, both references forget it;
// and after the skin moves to another one, freeing it still reaches the menus' reference.
TEST_F(SkinFaultsTest, SkinDataUsedAsSkinAndMenuSkinIsForgottenByBoth)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    auto shared = OtherSkin();
    Skinned->SetSkinData(shared.get());
    Skinned->SetMenusSkinData(shared.get());
    Form->Show();
    App->ProcessMessages();
    shared.reset();
    EXPECT_EQ(Skinned->SkinData(), nullptr);
    EXPECT_EQ(Skinned->MenusSkinData(), nullptr);
    Skinned->ShowSystemMenu({ 100, 100 });
    EXPECT_FALSE(Skinned->SkinMenu()->Skinned());
    Skinned->SkinMenu()->Close();

    shared = OtherSkin();
    Skinned->SetSkinData(shared.get());
    Skinned->SetMenusSkinData(shared.get());
    Skinned->SetSkinData(Data.get());
    shared.reset();
    EXPECT_EQ(Skinned->MenusSkinData(), nullptr);
    Skinned->ShowSystemMenu({ 100, 100 });
    EXPECT_TRUE(Skinned->SkinMenu()->Skinned()) << "drawn with the form's skin";
    Skinned->SkinMenu()->Close();
}
