#pragma once

#include "platform/base/Geometry.h"
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
    // Closes the menu without a choice (nothing happens when it is closed).
    void Close();
    bool Visible() const { return FHandle != nullptr; }
    win::HWND Handle() const { return FHandle; }

    // The shown items, their rectangles (window coordinates) and the lit one (-1: none).
    int ItemCount() const { return int(FItems.size()); }
    tk::TMenuItem* Item(int index) const { return FItems.at(size_t(index)); }
    base::TRect ItemRect(int index) const { return FRects.at(size_t(index)); }
    int ItemIndex() const { return FItemIndex; }
    // Whether the skin's look is used (else the plain one).
    bool Skinned() const { return FSkinned; }

    // Keys while open; true when the menu took the key.
    bool KeyDown(int vk);
    bool KeyChar(char c);

    int DefItemHeight = 20;
    // Fired after the window is shown and after it is gone.
    std::function<void()> OnOpen;
    std::function<void()> OnClose;

private:
    win::LRESULT WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp);
    void Layout(TspSkinData* data);
    void Paint(gfx::TCanvas& canvas);
    void SetItemIndex(int index);
    int ItemAt(base::TPoint p) const;
    bool Selectable(int index) const;
    void MoveBy(int step);
    void Choose(int index);
    void Destroy();

    win::HWND FHandle = nullptr;
    win::WNDPROC FInstance = nullptr;
    TspSkinData* FSkinData = nullptr;
    bool FSkinned = false;
    int FMenuItemIndex = -1; // the skin's menu-item description, -1 for none
    std::vector<tk::TMenuItem*> FItems;
    std::vector<base::TRect> FRects;
    int FItemIndex = -1;
    // A release chooses only after a press in the menu or a move since it opened: the
    // release of the press that opened it is no choice.
    bool FArmed = false;
    base::TPoint FOpenCursor;
    int FWidth = 0;
    int FHeight = 0;
};

} // namespace xe::skin
