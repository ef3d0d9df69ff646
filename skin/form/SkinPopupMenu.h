#pragma once

#include "platform/base/Geometry.h"
#include "platform/graphics/Font.h"
#include "platform/toolkit/Menus.h"

#include <functional>
#include <string>
#include <vector>

namespace xe::skin {

class TspSkinData;

// Shows a menu's items in a borderless top-level window of its own at a screen point and
// tracks the user's choice. The window is drawn from the skin's popup-window picture and
// its menu-item description when the skin has them, else in a plain look. The item under
// the mouse is lit; a click on an item (or Enter) closes the menu and runs the item; a
// click outside or Escape closes it without a choice. The arrow keys move the lit item and
// an item's mnemonic chooses it. The window never takes the activation: the form that
// opened the menu hands it the keys (KeyDown, KeyChar) while it is open.
//
// An item with sub-items opens a child menu beside it when the mouse rests on it, or with
// Right or Enter; Left or Escape closes only the child. A choice in any menu of the chain
// closes them all. A menu taller than the work area shows as many items as fit between two
// scroll marks; resting the mouse on a mark or turning the wheel scrolls it. The menu that
// opened the chain holds the mouse capture and hands each mouse message to the menu under
// the cursor.
class TspSkinPopupMenu : public tk::TComponent {
public:
    explicit TspSkinPopupMenu(tk::TComponent* owner);
    ~TspSkinPopupMenu() override;
    char const* ClassName() const override { return "TspSkinPopupMenu"; }

    // Opens the items of root (its visible sub-items) with the window's top-left corner at
    // the screen point, kept on the point's work area. Opens nothing without visible items.
    // alpha below 255 makes the window translucent.
    void Popup(tk::TMenuItem* root, base::TPoint screen, TspSkinData* skinData, int alpha = 255,
        win::HWND owner = nullptr);
    // The same under a rectangle in screen coordinates (a main-menu tab), or above it when
    // asked or when there is no room below.
    void PopupUnder(tk::TMenuItem* root, base::TRect const& screenRect, bool above, TspSkinData* skinData,
        int alpha = 255, win::HWND owner = nullptr);
    // Closes the menu without a choice (nothing happens when it is closed).
    void Close();
    // The skin this menu stands for when a main-menu item names it as its own skinned menu:
    // that item's sub-items open in this skin and with its popup-above setting (null: the
    // form's skin is used). Cleared when the skin data is freed.
    TspSkinData* SkinData() const;
    void SetSkinData(TspSkinData* value);
    void DefineProperties(tk::TProperties& properties) override;
    bool Visible() const { return FHandle != nullptr; }
    win::HWND Handle() const { return FHandle; }

    // The shown items, their rectangles (window coordinates) and the lit one (-1: none).
    int ItemCount() const { return int(FItems.size()); }
    // Null for an item freed while the menu is open.
    tk::TMenuItem* Item(int index) const { return FItems.at(size_t(index)).Get(); }
    base::TRect ItemRect(int index) const { return ShownRect(index); }
    int ItemIndex() const { return FItemIndex; }
    // Whether the skin's look is used (else the plain one).
    bool Skinned() const { return FSkinned; }
    // The open child menu, or null.
    TspSkinPopupMenu* SubMenu() const { return FChild.get(); }
    // Scrolling: whether the items overflow, the first shown item, and whether an item is
    // shown whole.
    bool Scrollable() const { return FScrollable; }
    int TopIndex() const { return FTopIndex; }
    bool ItemShown(int index) const;
    // Scroll marks, in window coordinates (empty when the menu does not scroll).
    base::TRect ScrollMarkRect(int direction) const; // -1 up, +1 down
    void Scroll(int step);

    // Keys while open; true when the menu took the key.
    bool KeyDown(int vk);
    bool KeyChar(char c);

    // The plain look's item height; the skin's items have their own.
    int DefItemHeight = 20;
    // The items' font: the skin's menu-item font when the skin has one and UseSkinFont is
    // set, else DefItemFont (the plain look always uses it).
    bool UseSkinFont = true;
    gfx::TFont DefItemFont;
    // Fades the window in (alpha rising in steps of 16) as it opens.
    bool AlphaBlendAnimation = false;
    // Fired after the window is shown and after it is gone.
    std::function<void()> OnOpen;
    std::function<void()> OnClose;
    // Left (-1) or Right (+1) pressed in the first menu of the chain where it has nothing to
    // open or close: the main menu moves to the neighbouring tab. Unset, the key does nothing.
    std::function<void(int direction)> OnBarMove;

private:
    win::LRESULT WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp);
    bool LoadItems(tk::TMenuItem* root);
    void Layout(TspSkinData* data);
    // Shortens the window to the work area's height, with scroll marks, when it is taller.
    void FitToArea(base::TRect const& area);
    void Open(int x, int y, int alpha, win::HWND owner, bool capture);
    void Paint(gfx::TCanvas& canvas);
    void PaintScrollMark(gfx::TCanvas& canvas, int direction);
    void SetItemIndex(int index);
    int ItemAt(base::TPoint p) const;
    base::TRect ShownRect(int index) const;
    bool Selectable(int index) const;
    bool HasSubItems(int index) const;
    void MoveBy(int step);
    void Choose(tk::TMenuItem* item);
    void Destroy();
    void ItemFont(gfx::TFont& font) const; // name, height and style of the items' text
    void ReferenceGone();
    TspSkinPopupMenu* Root();
    TspSkinPopupMenu* Deepest();
    base::TRect ScreenRect() const;
    // Mouse messages of any menu of the chain, at a screen point.
    void RouteMouse(win::UINT msg, base::TPoint screen);
    void HoverAt(base::TPoint p);
    void SetScrollHot(int direction);
    bool HandleKey(int vk);
    void OpenChild(int index, bool lightFirst);
    void CloseChild();

    win::HWND FHandle = nullptr;
    win::WNDPROC FInstance = nullptr;
    // The menu follows its items and skin data: when one is freed while the menu is open,
    // it is drawn plain and closes at the next message.
    tk::TComponentRef<TspSkinData> FSkinData;
    tk::TComponentRef<TspSkinData> FGivenSkinData; // as given to Popup, handed to child menus
    tk::TComponentRef<TspSkinData> FOwnSkinData; // the SkinData property
    bool FSkinned = false;
    int FMenuItemIndex = -1; // the skin's menu-item description, -1 for none
    std::vector<tk::TComponentRef<tk::TMenuItem>> FItems;
    std::vector<base::TRect> FRects; // every item, unscrolled
    int FItemIndex = -1;
    // A release chooses only after a press in the menu or a move since it opened: the
    // release of the press that opened it is no choice.
    bool FArmed = false;
    base::TPoint FOpenCursor;
    int FWidth = 0;
    int FHeight = 0;
    int FAlpha = 255;
    win::HWND FOwnerWindow = nullptr;
    base::TRect FInner; // margins around the items: left, top, right, bottom
    bool FScrollable = false;
    int FTopIndex = 0;
    int FItemsTop = 0; // the band the items show in
    int FItemsBottom = 0;
    int FScrollHot = 0; // the scroll mark under the mouse: -1 up, +1 down, 0 none
    TspSkinPopupMenu* FParentMenu = nullptr;
    tk::TComponentPtr<TspSkinPopupMenu> FChild;
    int FChildIndex = -1; // the item whose sub-items the child shows
};

} // namespace xe::skin
