#pragma once

// TspSkinMainMenuBar: a main menu as a bar inside a form's client area. The bar's picture
// and the area its items go in come from a main-menu-bar look; each item is drawn from the
// skin object the look names as its menu-bar item (normal, hot and pressed images with
// fixed ends, font colours per state), and the bar's buttons (minimise, maximise, close at
// the right, the system menu at the left) from the button objects it names. A press on an
// item opens its submenu as a skinned popup menu under it; an item without sub-items runs
// at once. The buttons act on the bar's form. While a submenu is open the bar holds the
// keyboard focus and hands the keys to it (Left and Right move to the neighbouring item);
// the focus then goes back where it was.

#include "skin/controls/SkinControl.h"

#include "platform/toolkit/Menus.h"

namespace xe::skin {

class TspSkinPopupMenu;

class TspSkinMainMenuBar : public TspSkinControl {
public:
    explicit TspSkinMainMenuBar(tk::TComponent* owner);
    ~TspSkinMainMenuBar() override;
    char const* ClassName() const override { return "TspSkinMainMenuBar"; }

    // The menu whose visible top-level items the bar shows (not owned).
    tk::TMainMenu* MainMenu() const { return FMainMenu.Get(); }
    void SetMainMenu(tk::TMainMenu* value);
    // Whether the window buttons show.
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool value);

    // The bar's buttons, in the order of Buttons(): system menu, minimise, maximise, close.
    enum TBarButton { bbSysMenu, bbMinimize, bbMaximize, bbClose, bbCount };

    // The shown items (visible top-level items) and their rectangles (client coordinates).
    int ItemCount() const;
    tk::TMenuItem* Item(int index) const;
    base::TRect ItemRect(int index) const;
    int ItemAtPos(base::TPoint p) const;
    // A button's rectangle, empty when it does not show.
    base::TRect ButtonRect(TBarButton button) const;
    // The lit item (mouse over it), the one whose submenu is open, -1 for none.
    int HotIndex() const { return FHotIndex; }
    int PressedIndex() const { return FPressedIndex; }
    // The open submenu, or null.
    TspSkinPopupMenu* Popup() const;

    void DefineProperties(tk::TProperties& properties) override;
    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    void KeyPress(char& key) override;

    static constexpr int PlainHeight = 20;

protected:
    // The bar takes its look's height.
    void GetSkinData() override;
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    TspDataSkinMainMenuItem* ItemLook() const;
    TspDataSkinMainMenuBarButton* ButtonLook(TBarButton button) const;
    gfx::TBitmap const* ObjectPicture(TspDataSkinObject const* object) const;
    base::TRect ItemsArea() const;
    int ItemWidth(int index) const;
    gfx::TFont ItemFont(base::TColor color) const;
    void OpenItem(int index);
    void SetHotIndex(int index);
    void PaintButtons(gfx::TCanvas& canvas);
    void RunButton(TBarButton button);
    // Takes the focus for the open submenu, and gives it back.
    void TakeFocus();
    void GiveFocusBack();

    tk::TComponentRef<tk::TMainMenu> FMainMenu;
    tk::TComponentPtr<TspSkinPopupMenu> FPopup;
    tk::TComponentRef<tk::TControl> FPreviousFocus;
    bool FShowButtons = false;
    int FHotIndex = -1;
    int FPressedIndex = -1;
    int FHotButton = -1;
    int FDownButton = -1;
};

} // namespace xe::skin
