#pragma once

#include "skin/data/SkinTypes.h"
#include "skin/draw/ActiveSkinObject.h"

#include <optional>
#include <string>

namespace xe::tk {
class TMenuItem;
}

namespace xe::skin {

class TspDataSkinMainMenuItem;

// One top-level item of the form's main menu, drawn as a tab on the frame's main-menu area.
// The tab lays itself out at every Draw right after the main-menu item before it (or at the
// area's left), as wide as its caption needs; a tab that would pass the area's right edge
// is not drawn and stays disabled until there is room again. Pressing a tab opens the
// item's submenu through the form; while a submenu is open, the mouse entering another tab
// hands the open menu over to it.
//
// The tab's image is a horizontal strip of its picture rectangle (NormalRect, HotRect or
// PressedRect of OwnPicture) stretched to the caption:
//
//   | left offset |   middle, tiled   | right offset |
//                  [ text rectangle ]
class TspSkinMainMenuItem : public TspActiveSkinObject {
public:
    // The menu item is not owned; the form rebuilds its objects when its menu changes.
    TspSkinMainMenuItem(
        TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinMainMenuItem* data, tk::TMenuItem* menuItem);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseDown(int x, int y, win::TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Pressing opens the submenu and marks the form's main menu as in use; releasing lets
    // the tab fade back from its active look.
    void SetPressed(bool value);
    // Places ObjectRect on the main-menu area (measuring the caption on the canvas's
    // surface with the item's font).
    void Layout(gfx::TCanvas& canvas);
    // The tab's image for a source rectangle of OwnPicture, the size of ObjectRect.
    void BuildImage(gfx::TBitmap& image, base::TRect const& source, bool active) const;
    // Whether the linked item has sub-items to open.
    bool HasSubItems() const;

    tk::TMenuItem* MenuItem = nullptr; // the linked top-level item
    bool Pressed = false; // the submenu is open
    bool Shown = true; // the tab fits on the bar
    bool SavedEnabledState = true; // EnabledState to restore when the tab fits again
    std::string FontName = "Arial"; // fontname
    int FontHeight = 14; // fontheight
    gfx::TFontStyles FontStyle = 0; // fontstyle
    base::TColor UnEnabledFontColor = 0; // unenabledfontColor: a disabled menu item
    base::TColor FontColor = 0; // fontcolor
    base::TColor ActiveFontColor = 0; // activefontcolor: lit
    base::TColor DownFontColor = 0; // downfontcolor: pressed
    base::TRect TextRect; // textrect, relative to the tab's image
    base::TRect PressedRect; // downrect, in OwnPicture; HotRect or NormalRect when empty
    int ItemLeftOffset = 0; // itemleftoffset: fixed columns at the left end
    int ItemRightOffset = 0; // itemrightoffset: fixed columns at the right end

private:
    void OpenSubMenu();
    // Where ObjectRect stood before Draw moved it into the frame's bottom band.
    std::optional<base::TRect> FSavedRect;
};

} // namespace xe::skin
