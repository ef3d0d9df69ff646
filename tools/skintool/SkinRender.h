#pragma once

#include "platform/base/Colors.h"
#include "platform/graphics/Bitmap.h"

#include <functional>
#include <string>
#include <vector>

namespace xe::tk {
class TForm;
}

namespace xe::skin {

class TspSkinData;
class TspSkinnedForm;

enum TSkinRenderState { rsNormal, rsMaximized, rsRolledUp };

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
    // The form's state. Maximised takes the work area of the screen; rolled up uses the
    // skin's roll-up picture on a client-mode form when the skin has one, else rolls the
    // framed form up to its caption.
    TSkinRenderState State = rsNormal;
    std::string Hover; // an object shown hot (its IDName)
    std::string Down; // an object shown pressed under the mouse
};

// A skinned form on the running window system, as RenderSkinForm draws it, kept open for
// a caller that works with it (hit tests, checks, a live preview). Frees its forms when it
// goes. Raises as RenderSkinForm does, and for a Hover or Down name the form has no object of.
class TSkinPreview {
public:
    TSkinPreview(TspSkinData& skin, TSkinRenderOptions const& options);
    ~TSkinPreview();
    TSkinPreview(TSkinPreview const&) = delete;
    TSkinPreview& operator=(TSkinPreview const&) = delete;

    tk::TForm& Form() const { return *FForm; }
    TspSkinnedForm& Skinned() const { return *FSkinned; }
    // Repaints the whole frame and takes the window's picture; backdrop where the window's
    // shape cuts it away.
    gfx::TBitmap Shot(base::TColor backdrop) const;

private:
    std::vector<tk::TForm*> FForms;
    tk::TForm* FForm = nullptr;
    TspSkinnedForm* FSkinned = nullptr;
};

// A skin drawn on a framed, sizeable form: the whole window (frame and client) after the form
// has been shown at the size asked for. Every custom caption object of the skin is shown.
// Needs a running window system (tests and skintool use the headless backend) and an
// application object. Raises base::EInvalidOperation, naming the sizes, when the skin has no
// frame picture or the size is below what the skin can be drawn at.
gfx::TBitmap RenderSkinForm(TspSkinData& skin, TSkinRenderOptions const& options);

} // namespace xe::skin
