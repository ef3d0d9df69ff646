#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ExtCtrls.h"
#include "tests/platform/toolkit/HeadlessFixture.h"

using namespace xe;
using namespace xe::tk;
using namespace xe::test;

namespace {

class MenusTest : public HeadlessTest { };

TEST(ShortCutTest, TextsMnemonicsAndTheirInverse)
{
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_F4, ssAlt)), "Alt+F4");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_F4, ssCtrl)), "Ctrl+F4");
    EXPECT_EQ(ShortCutToText(ShortCut('A', ssShift | ssCtrl)), "Shift+Ctrl+A");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_DELETE, 0)), "Del");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_RETURN, ssAlt)), "Alt+Enter");
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(ShortCutToText(ShortCut(win::VK_SHIFT, ssCtrl)), ""); // a key without a name
    for (TShortCut s : { TShortCut(ShortCut(win::VK_F4, ssAlt)), TShortCut(ShortCut('7', ssCtrl | ssAlt)),
             TShortCut(ShortCut(win::VK_F12, ssShift)), TShortCut(ShortCut(win::VK_PRIOR, 0)) })
        EXPECT_EQ(TextToShortCut(ShortCutToText(s)), s) << ShortCutToText(s);
    EXPECT_EQ(TextToShortCut("ctrl+f4"), ShortCut(win::VK_F4, ssCtrl));
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Hyper+X"), scNone);

    EXPECT_EQ(GetHotkey("Mi&nimize"), 'N');
    EXPECT_EQ(GetHotkey("Save && &Exit"), 'E');
    EXPECT_EQ(GetHotkey("No && mark"), 0);
    EXPECT_EQ(GetHotkey("Trailing&"), 0);
    EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
    EXPECT_EQ(StripHotkey("Ro&llUp"), "RollUp");
    EXPECT_TRUE(IsAccel('x', "Ma&ximize"));
    EXPECT_FALSE(IsAccel('m', "Ma&ximize"));
}

TEST_F(MenusTest, ItemsFormATreeThatOwnsItsSubItems)
{
    TForm* form = App->CreateForm<TForm>();
    auto* menu = new TPopupMenu(form);
    int changes = 0;
    menu->OnChange = [&](TMenu*) { ++changes; };
    auto* minimize = new TMenuItem(form);
    minimize->SetCaption("Mi&nimize");
    auto* line = new TMenuItem(form);
    line->SetCaption("-");
    auto* close = new TMenuItem(form);
    close->SetCaption("&Close");
    close->SetShortCut(ShortCut(win::VK_F4, ssAlt));
    menu->Items()->Add(minimize);
    menu->Items()->Add(close);
    menu->Items()->Insert(1, line);
    EXPECT_GE(changes, 3);
    ASSERT_EQ(menu->Items()->Count(), 3);
    EXPECT_EQ(menu->Items()->Items(1), line);
    EXPECT_TRUE(line->IsLine());
    EXPECT_EQ(menu->Items()->Find("minimize"), minimize);
    EXPECT_EQ(close->Parent(), menu->Items());
    EXPECT_THROW(menu->Items()->Add(close), base::EInvalidOperation);

    // Short cuts click enabled items only; disabled ones and those below a disabled item
    // are skipped.
    int clicks = 0;
    close->OnClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, close);
        ++clicks;
    };
    EXPECT_TRUE(menu->IsShortCut(ShortCut(win::VK_F4, ssAlt)));
    EXPECT_FALSE(menu->IsShortCut(ShortCut(win::VK_F4, ssCtrl)));
    close->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut(ShortCut(win::VK_F4, ssAlt)));
    close->Click();
    EXPECT_EQ(clicks, 1);
    close->SetEnabled(true);
    auto* sub = new TMenuItem(form);
    sub->SetShortCut(ShortCut('S', ssCtrl));
    minimize->Add(sub);
    EXPECT_EQ(menu->Items()->FindByShortCut(ShortCut('S', ssCtrl)), sub);
    minimize->SetVisible(false);
    EXPECT_EQ(menu->Items()->FindByShortCut(ShortCut('S', ssCtrl)), nullptr);

    // One default item per level.
    minimize->SetDefault(true);
    close->SetDefault(true);
    EXPECT_FALSE(minimize->Default());

    // An item that goes leaves its parent; a parent that goes frees its sub-items.
    TComponent::Free(line);
    EXPECT_EQ(menu->Items()->Count(), 2);
    int owned = form->ComponentCount();
    menu->Items()->Delete(0); // minimize and its sub-item
    EXPECT_EQ(form->ComponentCount(), owned - 2);
    EXPECT_EQ(menu->Items()->Items(0), close);

    // Popup hands the menu and the point to whoever draws menus.
    TPopupMenu* shown = nullptr;
    base::TPoint at;
    xe::test::TProcessState handler;
    handler.Set(TPopupMenu::PopupHandler, [&](TPopupMenu* m, base::TPoint p) {
        shown = m;
        at = p;
    });
    menu->Popup(30, 40);
    handler.Restore();
    EXPECT_EQ(shown, menu);
    EXPECT_EQ(at, (base::TPoint { 30, 40 }));
}

TEST_F(MenusTest, FormKeysShortCutsAndAltF4)
{
    TForm* form = App->CreateForm<TForm>();
    form->SetBounds(100, 100, 300, 200);
    auto* menu = new TMainMenu(form);
    auto* save = new TMenuItem(form);
    save->SetShortCut(ShortCut('S', ssCtrl));
    int saves = 0;
    save->OnClick = [&](TComponent*) { ++saves; };
    menu->Items()->Add(save);
    form->SetMenu(menu);
    std::vector<int> downs;
    std::string typed;
    form->OnKeyDown
        = [&](TComponent*, win::WORD& key, TShiftState shift) { downs.push_back(key | int(shift << 16)); };
    form->OnKeyPress = [&](TComponent*, char& c) { typed += c; };
    bool vetoed = false;
    form->OnCloseQuery = [&](TComponent*, bool& canClose) {
        vetoed = true;
        canClose = false;
    };
    form->Show();
    // The application's loop offers keys to the short cuts before they become characters.
    auto run = [&] {
        while (!H->ScriptDone())
            App->HandleMessage();
        App->ProcessMessages();
    };
    H->Type("hi");
    H->KeyPress('S', { win::VK_CONTROL });
    H->KeyPress(win::VK_F4, { win::VK_MENU });
    run();
    EXPECT_EQ(typed, "hi");
    EXPECT_EQ(saves, 1);
    // The short cut's key never reached OnKeyDown; the modifiers did.
    std::vector<int> expected { 'H', 'I', win::VK_CONTROL | int(ssCtrl << 16),
        win::VK_MENU | int(ssAlt << 16), win::VK_F4 | int(ssAlt << 16) };
    EXPECT_EQ(downs, expected);
    EXPECT_TRUE(vetoed); // Alt+F4 asked the form to close

    // OnShortCut comes before the menu and may take the key.
    int offered = 0;
    form->OnShortCut = [&](TWMKey& key, bool& handled) {
        ++offered;
        handled = key.CharCode == 'S';
    };
    H->KeyPress('S', { win::VK_CONTROL });
    run();
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(offered, 2); // Ctrl, then S: each key once
    // A loop of its own (no application) still gets the short cuts, in the form.
    H->KeyPress('S', { win::VK_CONTROL });
    form->OnShortCut = nullptr;
    H->RunScript();
    EXPECT_EQ(saves, 2);

    // The menu is forgotten when it goes.
    TComponent::Free(menu);
    EXPECT_EQ(form->Menu(), nullptr);
}

TEST_F(MenusTest, MenusKeptElsewhereAreForgottenWhicheverGoesFirst)
{
    // Menus owned by another component than the form that uses them: only their free
    // notification can tell the form.
    TComponentPtr<TComponent> store(new TComponent(nullptr));
    TForm* form = App->CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 100);
    auto* popup = new TPopupMenu(store.get());
    auto* menu = new TMainMenu(store.get());
    form->SetPopupMenu(popup);
    form->SetMenu(menu);
    TComponent::Free(popup);
    TComponent::Free(menu);
    EXPECT_EQ(form->PopupMenu(), nullptr);
    EXPECT_EQ(form->Menu(), nullptr);
    int shown = 0;
    xe::test::TProcessState handler;
    handler.Set(TPopupMenu::PopupHandler, [&](TPopupMenu*, base::TPoint) { ++shown; });
    form->Show();
    H->Click(form->Left() + 20, form->Top() + 20, mbRight);
    H->Type("x");
    H->RunScript();
    EXPECT_EQ(shown, 0);

    // The form going first leaves the menus nothing stale to tell when they go.
    form->SetPopupMenu(new TPopupMenu(store.get()));
    form->SetMenu(new TMainMenu(store.get()));
    TComponent::Free(form);
    store.reset();
}

TEST_F(MenusTest, ControlLayoutHintsAndPopupMenu)
{
    TForm* form = App->CreateForm<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 100);
    auto make = [&](TAlign align, TRect bounds) {
        auto* c = new TGraphicControl(form);
        c->SetParent(form);
        c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        c->SetAlign(align);
        return c;
    };
    TControl* top = make(alTop, base::Bounds(5, 5, 50, 20));
    TControl* left = make(alLeft, base::Bounds(5, 5, 30, 20));
    TControl* client = make(alClient, base::Bounds(0, 0, 1, 1));
    TControl* anchored = make(alNone, base::Bounds(150, 60, 40, 30));
    anchored->SetAnchors(akRight | akBottom);
    TControl* stretched = make(alNone, base::Bounds(10, 80, 100, 10));
    stretched->SetAnchors(akLeft | akTop | akRight);
    EXPECT_EQ(top->BoundsRect(), base::Bounds(0, 0, 200, 20));
    EXPECT_EQ(left->BoundsRect(), base::Bounds(0, 20, 30, 80));
    EXPECT_EQ(client->BoundsRect(), base::Rect(30, 20, 200, 100));
    form->SetBounds(0, 0, 260, 140);
    EXPECT_EQ(top->BoundsRect(), base::Bounds(0, 0, 260, 20));
    EXPECT_EQ(client->BoundsRect(), base::Rect(30, 20, 260, 140));
    EXPECT_EQ(anchored->BoundsRect(), base::Bounds(210, 100, 40, 30));
    EXPECT_EQ(stretched->BoundsRect(), base::Bounds(10, 80, 160, 10));

    // Constraints hold the size, also in the form's size loop.
    anchored->SetConstraints({ 10, 10, 35, 25 });
    EXPECT_EQ(anchored->BoundsRect(), base::Bounds(210, 100, 35, 25));
    anchored->SetBounds(0, 0, 5, 100);
    EXPECT_EQ(anchored->BoundsRect(), base::Bounds(0, 0, 10, 25));
    form->SetConstraints({ 150, 0, 300, 0 });
    win::MINMAXINFO mmi {};
    win::SendMessage(form->Handle(), win::WM_GETMINMAXINFO, 0, win::LPARAM(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.X, 150);
    EXPECT_EQ(mmi.ptMaxTrackSize.X, 300);

    // Hints follow the parent until set.
    EXPECT_FALSE(top->ShowHint());
    form->SetShowHint(true);
    EXPECT_TRUE(top->ShowHint());
    top->SetShowHint(false);
    EXPECT_FALSE(top->ParentShowHint());
    EXPECT_FALSE(top->ShowHint());

    // A right click opens the control's popup menu at the mouse; a freed menu is forgotten.
    auto* popup = new TPopupMenu(form);
    stretched->SetPopupMenu(popup);
    base::TPoint at;
    xe::test::TProcessState handler;
    handler.Set(TPopupMenu::PopupHandler, [&](TPopupMenu*, base::TPoint p) { at = p; });
    form->Show();
    H->Click(form->Left() + 20, form->Top() + 85, mbRight);
    H->RunScript();
    handler.Restore();
    EXPECT_EQ(at, (base::TPoint { form->Left() + 20, form->Top() + 85 }));
    EXPECT_EQ(popup->PopupComponent, stretched);
    TComponent::Free(popup);
    EXPECT_EQ(stretched->PopupMenu(), nullptr);
}

} // namespace
