#pragma once

// The control gallery: every skinned control class in each of its states, drawn from one
// skin on one picture, so that a skin author sees every control look at once.

#include "platform/base/Geometry.h"
#include "platform/graphics/Bitmap.h"

#include <functional>
#include <string>
#include <vector>

namespace xe::tk {
class TForm;
}

namespace xe::skin {

class TspSkinControl;
class TspSkinData;

enum TGalleryState { gsNormal, gsHot, gsPressed, gsFocused, gsDisabled, gsChecked, gsStateCount };
char const* GalleryStateName(TGalleryState state);

// One row of the gallery: a control class, its cell size, how to make a filled-in one on
// the form, the states it shows, and, for states that need more than the usual (mouse over
// it, a press in its middle, the focus, disabled), how to put it in them.
struct TGalleryEntry {
    std::string Name;
    int Width = 100;
    int Height = 24;
    std::function<TspSkinControl*(tk::TForm& form)> Make;
    std::vector<TGalleryState> States;
    // Returns true when it put the control in the state; false leaves it to the usual way.
    std::function<bool(TspSkinControl& control, TGalleryState state)> Apply = {};
};

// The rows, in order. Adding a control class is adding an entry here.
std::vector<TGalleryEntry> const& GalleryEntries();

// Where a row's cell for a state lies in the gallery's picture (its control sits 8 pixels in).
base::TRect GalleryCellRect(int entry, TGalleryState state);

// Draws the gallery with the skin: a row per entry, a column per state, with the names of
// both. Needs a running window system and application.
gfx::TBitmap RenderGallery(TspSkinData& skin);

} // namespace xe::skin
