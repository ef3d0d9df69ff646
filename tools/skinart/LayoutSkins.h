#pragma once

#include "tools/skinart/SkinArt.h"

#include <string>
#include <vector>

namespace xe::skin {

// Skins of other layouts than the dialog's and the demonstration skin, drawn by code for tests
// and as examples for skin authors (xe_skinartgen --layout NAME writes one). Their pictures
// are coded so that a test can tell where a window pixel came from:
//   - the main picture's pixel (x, y) is RGB(x, y, 16): red and green give the source
//     column and row;
//   - the inactive picture's is RGB(x, y, 48), the roll-up picture's RGB(x, y, 80);
//   - the caption-button sheet (active picture 0) has 16 x 16 cells, one solid colour a
//     cell: RGB(20 + 40 * column, 20 + 30 * row, 200), column 0 normal, 1 hot, 2 pressed;
//     rows close, maximise, restore, minimise, roll up, roll down, system menu, tray.
// The description is complete (every section the packer needs).
struct TLayoutSkin {
    std::string Name; // "leftbuttons", "buttonsrect", "leftrect"
    std::string Description; // the INI text, CR LF lines
    std::vector<TSkinPicture> Pictures; // the files the description names
};

// "leftbuttons": caption buttons laid out from the left of the caption rectangle
//   (buttonsinleft, buttonsoffset 3), stretched left and bottom bands, an inactive picture,
//   a roll-up picture, a right-aligned caption with a shadow, a vertical track bar in the
//   bottom-left corner.
// "buttonsrect": a separate buttons rectangle in the right half (it moves with the right
//   edge), a mask that cuts the corners, the inactive look by an effect (darkness), tiled
//   bands, a right-aligned label in the bottom-right corner, a user object running from the
//   top-right to the bottom-right corner (it grows with the height), a left-aligned caption.
// "leftrect": a buttons rectangle in the left half (it stays), buttons from its right end,
//   a centred caption to its right, stretched top and right bands, a roll-up picture with its
//   own mask.
std::vector<std::string> const& LayoutSkinNames();
// Raises base::EInvalidOperation for an unknown name.
TLayoutSkin DrawLayoutSkin(std::string const& name);

// The colour of the caption-button sheet's cell (column, row).
base::TColor LayoutButtonColor(int column, int row);
constexpr int LayoutPictureWidth = 200;
constexpr int LayoutPictureHeight = 130;

// Writes the description (as NAME.ini) and its pictures into the directory; returns the
// description's path.
std::string WriteLayoutSkin(TLayoutSkin const& skin, std::string const& directory);

} // namespace xe::skin
