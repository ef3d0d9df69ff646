// The skinned form's main menu: tabs drawn in the caption band and their popup menus.
#include "skin/form/SkinnedForm.h"
#include "skin/form/SkinnedFormInternal.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/FBitmap.h"
#include "skin/draw/LabelObjects.h"
#include "skin/draw/MainMenuItem.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/ValueSwitchAnimationObjects.h"
#include "skin/draw/WorkArea.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/TrayIcon.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace xe::skin {

using base::TPoint;
using base::TRect;
using tk::TMessage;

// ---------------------------------------------------------------------------------------
// The main menu

namespace {

bool SameNameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

void CollectItems(tk::TMenuItem const* item, std::set<tk::TMenuItem const*>& out)
{
    for (int i = 0; i < item->Count(); ++i) {
        out.insert(item->Items(i));
        CollectItems(item->Items(i), out);
    }
}

} // namespace

std::vector<TspSkinMainMenuItem*> TspSkinnedForm::MainMenuItems() const
{
    std::vector<TspSkinMainMenuItem*> r;
    for (auto const& o : ObjectList)
        if (auto* m = dynamic_cast<TspSkinMainMenuItem*>(o.get()))
            r.push_back(m);
    return r;
}

void TspSkinnedForm::CreateMainMenuItems()
{
    tk::TMainMenu* menu = FMainMenu;
    // A main-menu bar shows the menu instead.
    if (!menu || !FSkinData || FMainMenuBar)
        return;
    TspDataSkinMainMenuItem* data = nullptr;
    for (auto const& d : FSkinData->ObjectList)
        if (SameNameNoCase(d->IDName, "MAINMENUITEM")) {
            data = dynamic_cast<TspDataSkinMainMenuItem*>(d.get());
            break;
        }
    if (!data)
        return;
    tk::TMenuItem* root = menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        tk::TMenuItem* item = root->Items(i);
        if (!item->Visible())
            continue;
        auto o = std::make_unique<TspSkinMainMenuItem>(this, FSkinData, data, item);
        o->IDName = item->Name().empty() ? tk::StripHotkey(item->Caption()) : item->Name();
        o->EnabledState = o->SavedEnabledState = item->Enabled();
        ObjectList.push_back(std::move(o));
    }
}

void TspSkinnedForm::HookMainMenu(tk::TMainMenu* menu)
{
    if (menu == FMainMenu)
        return;
    if (FMainMenu) {
        FMainMenu->OnChange = std::move(FPreviousMenuChange);
    }
    FPreviousMenuChange = nullptr;
    FMainMenu = menu;
    if (!menu)
        return;
    FPreviousMenuChange = menu->OnChange;
    menu->OnChange = [this](tk::TMenu* m) {
        if (FPreviousMenuChange)
            FPreviousMenuChange(m);
        MainMenuChanged();
    };
}

void TspSkinnedForm::MainMenuFreed()
{
    // Its items go with it: the tabs forget them now and go at the next rebuild.
    FPreviousMenuChange = nullptr;
    for (TspSkinMainMenuItem* o : MainMenuItems()) {
        o->MenuItem = nullptr;
        o->EnabledState = o->SavedEnabledState = false;
    }
    MainMenuChanged();
}

void TspSkinnedForm::MainMenuChanged()
{
    std::vector<TspSkinMainMenuItem*> const objects = MainMenuItems();
    std::vector<tk::TMenuItem*> shown;
    std::set<tk::TMenuItem const*> live;
    if (FMainMenu) {
        tk::TMenuItem* root = FMainMenu->Items();
        for (int i = 0; i < root->Count(); ++i)
            if (root->Items(i)->Visible())
                shown.push_back(root->Items(i));
        CollectItems(root, live);
    }
    // An open submenu whose items are gone closes before anything draws them.
    if (FMainMenuPopup) {
        bool gone = false;
        for (TspSkinPopupMenu* m = FSkinMenu; m && !gone; m = m->SubMenu())
            for (int i = 0; i < m->ItemCount() && !gone; ++i)
                gone = live.count(m->Item(i)) == 0;
        if (gone)
            FSkinMenu->Close();
    }
    bool same = objects.size() == shown.size() && FMainMenu;
    for (size_t i = 0; same && i < objects.size(); ++i)
        same = objects[i]->MenuItem == shown[i];
    if (same) {
        // The same tabs: only their states and captions change.
        for (TspSkinMainMenuItem* o : objects) {
            bool const enabled = o->MenuItem->Enabled();
            (o->Shown ? o->EnabledState : o->SavedEnabledState) = enabled;
        }
        if (FSkinSupport && !InChangeSkinData) {
            if (FSupportNCArea)
                SendNcPaint();
            else
                FForm->Repaint();
        }
        return;
    }
    // Tabs come or go: a tab whose item is gone forgets it now; the bar is rebuilt once the
    // message under way is done, as a tab may be running its own click.
    for (TspSkinMainMenuItem* o : objects)
        if (live.count(o->MenuItem) == 0) {
            o->MenuItem = nullptr;
            o->EnabledState = o->SavedEnabledState = false;
        }
    win::HWND const h = FForm->Handle();
    if (!FMainMenuRebuildPending && h && !(FForm->ComponentState() & tk::csDestroying)) {
        FMainMenuRebuildPending = true;
        win::PostMessage(h, MainMenuRebuildMsg, 0, 0);
    }
}

void TspSkinnedForm::RebuildMainMenuItems()
{
    FMainMenuRebuildPending = false;
    if (!FSkinSupport)
        return;
    // Carry the pressed and lit states over to the new tabs of the same items.
    std::set<tk::TMenuItem const*> pressed, lit;
    for (TspSkinMainMenuItem* o : MainMenuItems()) {
        if (o->Pressed && o->MenuItem)
            pressed.insert(o->MenuItem);
        if (o->ActiveState && o->MenuItem)
            lit.insert(o->MenuItem);
    }
    if (MouseCaptureObject != -1 && dynamic_cast<TspSkinMainMenuItem*>(Object(MouseCaptureObject))
        && win::GetCapture() == FForm->Handle())
        win::ReleaseCapture();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    std::erase_if(ObjectList, [](auto const& o) { return dynamic_cast<TspSkinMainMenuItem*>(o.get()); });
    CreateMainMenuItems();
    for (TspSkinMainMenuItem* o : MainMenuItems()) {
        o->Pressed = pressed.count(o->MenuItem) != 0;
        o->ActiveState = lit.count(o->MenuItem) != 0;
    }
    if (FSupportNCArea)
        SendNcPaint();
    else
        FForm->Repaint();
}

void TspSkinnedForm::SetMainMenuActive(bool value)
{
    if (!value)
        FMainMenuKeyMode = false;
    if (value == FMainMenuActive)
        return;
    FMainMenuActive = value;
    if (value && OnMainMenuEnter)
        OnMainMenuEnter(this);
    else if (!value && OnMainMenuExit)
        OnMainMenuExit(this);
}

void TspSkinnedForm::PopupMainMenu(TspActiveSkinObject& item, tk::TMenuItem& menu, TRect const& screenRect)
{
    (void)item;
    // The open menu (another tab's, or the system menu) closes first without ending the
    // main menu's use.
    FMainMenuSwitching = true;
    FSkinMenu->Close();
    FMainMenuSwitching = false;
    if (!FSkinMenu->OnBarMove)
        FSkinMenu->OnBarMove = [this](int direction) { MainMenuBarMove(direction); };
    TspSkinData* data = FMenusSkinData ? FMenusSkinData.Get() : FSkinData.Get();
    bool above = FSkinData && FSkinData->MainMenuPopupUp;
    // An item with a skinned menu of its own opens in that menu's skin, above or below the
    // tab as that skin says.
    if (auto* own = dynamic_cast<TspSkinPopupMenu*>(menu.SkinMenu()); own && own->SkinData()) {
        data = own->SkinData();
        above = data->MainMenuPopupUp;
    }
    int const alpha = MenusAlphaBlend ? MenusAlphaBlendValue : 255;
    if (OnSkinMenuOpen)
        OnSkinMenuOpen(this);
    PrepareSkinMenu();
    FMainMenuPopup = true;
    FSkinMenu->PopupUnder(&menu, screenRect, above, data, alpha, FForm->Handle());
    if (!FSkinMenu->Visible())
        SkinMenuClosed();
}

void TspSkinnedForm::MainMenuPopupClosed()
{
    for (TspSkinMainMenuItem* o : MainMenuItems())
        if (o->Pressed)
            o->SetPressed(false);
        else if (o->ActiveState && !o->MouseInside) {
            o->ActiveState = false;
            RedrawObject(*o);
        }
    SetMainMenuActive(false);
}

void TspSkinnedForm::LightMainMenuItem(TspSkinMainMenuItem* item)
{
    for (TspSkinMainMenuItem* o : MainMenuItems()) {
        bool const lit = o == item;
        if (o->ActiveState == lit)
            continue;
        o->ActiveState = lit;
        if (!lit && o->MorphEnabled)
            o->SetMorphFactor(0);
        RedrawObject(*o);
    }
}

void TspSkinnedForm::OpenMainMenuItem(TspSkinMainMenuItem* item, bool byKey)
{
    if (!item || !item->EnabledState)
        return;
    if (!item->HasSubItems()) {
        tk::TMenuItem* const menuItem = item->MenuItem;
        LeaveMainMenu();
        if (menuItem)
            menuItem->Click(); // may free the form: nothing is touched afterwards
        return;
    }
    LightMainMenuItem(item);
    item->SetPressed(true);
    // Opened from the keyboard, the submenu's first item is lit.
    if (byKey && FSkinMenu->Visible())
        FSkinMenu->KeyDown(win::VK_DOWN);
}

void TspSkinnedForm::MainMenuBarMove(int direction)
{
    if (!FMainMenuPopup)
        return;
    std::vector<TspSkinMainMenuItem*> const items = MainMenuItems();
    int const n = int(items.size());
    int current = -1;
    for (int i = 0; i < n; ++i)
        if (items[size_t(i)]->Pressed)
            current = i;
    if (current < 0)
        return;
    for (int k = 1; k < n; ++k) {
        TspSkinMainMenuItem* next = items[size_t(((current + direction * k) % n + n) % n)];
        if (!next->EnabledState)
            continue;
        items[size_t(current)]->SetPressed(false);
        if (next->HasSubItems()) {
            OpenMainMenuItem(next, true);
        } else {
            // A tab without a submenu is only lit; Enter or Down then runs it.
            FMainMenuSwitching = true;
            FSkinMenu->Close();
            FMainMenuSwitching = false;
            FMainMenuKeyMode = true;
            LightMainMenuItem(next);
        }
        return;
    }
}

void TspSkinnedForm::LeaveMainMenu()
{
    FMainMenuKeyMode = false;
    if (FMainMenuPopup)
        FSkinMenu->Close();
    for (TspSkinMainMenuItem* o : MainMenuItems())
        if (o->Pressed)
            o->SetPressed(false);
    LightMainMenuItem(nullptr);
    SetMainMenuActive(false);
}

void TspSkinnedForm::MainMenuKeyCommand(win::LPARAM lp)
{
    if (FMainMenuKeyMode) {
        LeaveMainMenu();
        return;
    }
    FSkinMenu->Close();
    std::vector<TspSkinMainMenuItem*> const items = MainMenuItems();
    auto const usable = [](TspSkinMainMenuItem* o) { return o->EnabledState && o->Shown && o->MenuItem; };
    // Alt with a letter opens the tab with that mnemonic at once.
    if (char const key = char(lp)) {
        for (TspSkinMainMenuItem* o : items)
            if (usable(o) && tk::IsAccel(key, o->MenuItem->Caption())) {
                FMainMenuKeyMode = true;
                SetMainMenuActive(true);
                OpenMainMenuItem(o, true);
                return;
            }
        return;
    }
    TspSkinMainMenuItem* target = nullptr;
    for (TspSkinMainMenuItem* o : items)
        if (o->Pressed && usable(o))
            target = o;
    for (size_t i = 0; !target && i < items.size(); ++i)
        if (usable(items[i]))
            target = items[i];
    if (!target)
        return;
    LightMainMenuItem(target);
    FMainMenuKeyMode = true;
    SetMainMenuActive(true);
}

void TspSkinnedForm::MainMenuShortCut(tk::TWMKey& key, bool& handled)
{
    // An open menu takes its keys through the window procedure.
    if (FSkinMenu->Visible())
        return;
    if (FMainMenuKeyMode) {
        std::vector<TspSkinMainMenuItem*> const items = MainMenuItems();
        int const n = int(items.size());
        int lit = -1;
        for (int i = 0; i < n; ++i)
            if (items[size_t(i)]->ActiveState)
                lit = i;
        auto const usable = [&](int i) {
            TspSkinMainMenuItem* o = items[size_t(i)];
            return o->EnabledState && o->Shown && o->MenuItem;
        };
        int const vk = key.CharCode;
        if (vk == win::VK_LEFT || vk == win::VK_RIGHT) {
            int const step = vk == win::VK_LEFT ? -1 : 1;
            for (int k = 1; k <= n; ++k) {
                int const i = ((lit + step * k) % n + n) % n;
                if (usable(i)) {
                    LightMainMenuItem(items[size_t(i)]);
                    break;
                }
            }
            handled = true;
        } else if (vk == win::VK_DOWN || vk == win::VK_UP || vk == win::VK_RETURN) {
            handled = true;
            if (lit >= 0)
                OpenMainMenuItem(items[size_t(lit)], true);
        } else if (vk == win::VK_ESCAPE) {
            handled = true;
            LeaveMainMenu();
        } else if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
            handled = true;
            for (int i = 0; i < n; ++i)
                if (usable(i) && tk::IsAccel(char(vk), items[size_t(i)]->MenuItem->Caption())) {
                    OpenMainMenuItem(items[size_t(i)], true);
                    break;
                }
        }
        return;
    }
    if (tk::TMainMenu* menu = FMainMenu)
        handled = menu->IsShortCut(tk::ShortCutFromKey(key.CharCode));
}

void TspSkinnedForm::DrawMainMenuItems(gfx::TBitmap& topBand, gfx::TBitmap& bottomBand)
{
    gfx::TBitmap& band = NewClRect.Top < NewMainMenuRect.Top ? bottomBand : topBand;
    if (band.Empty())
        return;
    for (TspSkinMainMenuItem* o : MainMenuItems())
        if (o->VisibleState)
            o->Draw(band.Canvas(), false);
}

} // namespace xe::skin
