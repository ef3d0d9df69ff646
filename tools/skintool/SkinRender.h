#pragma once

#include "platform/base/Colors.h"
#include "platform/graphics/Bitmap.h"

#include <functional>
#include <string>
#include <vector>

namespace xe::skin {

class TspSkinData;
class TspSkinnedForm;

struct TSkinRenderOptions {
    int Width = 0; // window size, frame included; 0: the skin's main picture's
    int Height = 0;
    bool Active = true; // false: another form takes the activation before the shot
    std::string Caption; // the form's caption (ANSI)
    // Top-level items of a main menu given to the form when the skin describes a
    // "MAINMENUITEM" (none: no menu).
    std::vector<std::string> MainMenu;
    // Runs after the skinned form has built its objects and before the frame is painted for
    // the picture: the place to put objects into known states.
    std::function<void(TspSkinnedForm& form)> Prepare;
    base::TColor Backdrop = base::clWhite; // pixels outside the window's shape
};

// A skin drawn on a framed, sizeable form: the whole window (frame and client) after the form
// has been shown at the size asked for. Every custom caption object of the skin is shown.
// Needs a running window system (tests and skintool use the headless backend) and an
// application object. Raises base::EInvalidOperation, naming the sizes, when the skin has no
// frame picture or the size is below what the skin can be drawn at.
gfx::TBitmap RenderSkinForm(TspSkinData& skin, TSkinRenderOptions const& options);

} // namespace xe::skin
