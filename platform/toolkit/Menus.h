#pragma once

// Menus as data and events: items with captions, mnemonics, short cuts and states, main
// menus and popup menus. Drawing and tracking a menu on the screen belong to whoever shows
// it (a skin); this layer only holds the items and runs their actions.

#include "platform/toolkit/Controls.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace xe::tk {

// A short cut: a virtual-key code in the low byte and the modifier flags above it.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(int key, TShiftState shift);
// "Ctrl+F4", "Alt+F4", "Shift+Ctrl+A"; empty for scNone or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The inverse of ShortCutToText (letter case ignored); scNone for text it cannot read.
TShortCut TextToShortCut(std::string const& text);
// The short cut of the key state the window system reports now, with the given key.
TShortCut ShortCutFromKey(int key);

// Mnemonics: a single '&' marks the next character; "&&" is a literal '&'.
// The marked character, upper-cased, or 0.
char GetHotkey(std::string const& caption);
std::string StripHotkey(std::string const& caption);
// Whether the caption's mnemonic is the character (letter case ignored).
bool IsAccel(char key, std::string const& caption);

// One menu item. Sub-items belong to the item they were added to: an item frees the
// sub-items it still holds when it goes, and an item that goes leaves its parent.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    char const* ClassName() const override { return "TMenuItem"; }

    std::string const& Caption() const { return FCaption; } // ANSI code page
    void SetCaption(std::string const& value);
    // A caption of "-" makes a separator.
    bool IsLine() const { return FCaption == "-"; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    std::string Hint;
    int Tag = 0;

    TMenuItem* Parent() const { return FParent; }
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(size_t(index)); }
    int IndexOf(TMenuItem const* item) const;
    // Adds or inserts an item that has no parent yet (EInvalidOperation otherwise).
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes an item out without freeing it; it then belongs to the caller (or its owner).
    void Remove(TMenuItem* item);
    // Takes the item at index out and frees it.
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    // The first sub-item whose caption, without its mnemonic mark, is caption (letter case
    // ignored), or null.
    TMenuItem* Find(std::string const& caption) const;
    // The enabled, visible item (this one or below) with the short cut, or null; the items
    // below a disabled or hidden item are not looked at.
    TMenuItem* FindByShortCut(TShortCut shortCut);

    // A skinned menu of the item's own (null: none): a skinned main menu opens the item's
    // sub-items in that menu's skin instead of its form's. Cleared when that menu is freed.
    TComponent* SkinMenu() const { return FSkinMenu.Get(); }
    void SetSkinMenu(TComponent* value) { FSkinMenu.Set(value); }

    // Runs OnClick when the item is enabled.
    virtual void Click();
    TNotifyEvent OnClick;
    // Told when an item, its sub-items or their states change.
    std::function<void(TMenuItem* item)> OnChange;

    void DefineProperties(TProperties& properties) override;
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return FParent; }

private:
    void Changed();

    std::string FCaption;
    TShortCut FShortCut = scNone;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    bool FDefault = false;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
    TComponentRef<TComponent> FSkinMenu;
};

// A menu: a root item whose sub-items are the menu's items.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    char const* ClassName() const override { return "TMenu"; }

    TMenuItem* Items() const { return FItems; }
    // Clicks the item with the short cut and says whether there was one.
    bool IsShortCut(TShortCut shortCut);
    // Told when an item or its state changes (a skin redraws then).
    std::function<void(TMenu* menu)> OnChange;

private:
    TMenuItem* FItems;
};

// The menu of a form's menu bar.
class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    char const* ClassName() const override { return "TMainMenu"; }
};

// A menu shown at a point. Popup fires OnPopup and hands the menu to PopupHandler, the
// one that draws and tracks popup menus (a skin sets it); without one nothing is shown.
class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;
    char const* ClassName() const override { return "TPopupMenu"; }

    virtual void Popup(int x, int y);
    // The component the menu was last opened for (set by whoever opens it).
    TComponent* PopupComponent = nullptr;
    base::TPoint PopupPoint() const { return FPopupPoint; }
    TNotifyEvent OnPopup;

    static std::function<void(TPopupMenu* menu, base::TPoint screen)> PopupHandler;

private:
    base::TPoint FPopupPoint;
};

} // namespace xe::tk
