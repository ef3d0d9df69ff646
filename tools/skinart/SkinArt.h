#pragma once

#include "platform/graphics/Bitmap.h"

#include <string>
#include <vector>

namespace xe::skin {

// The pictures of the confirmation dialog's skin, drawn from code in the style of the
// tool's windows (dark blue panels, a dark metallic caption band, round dark buttons).
// xe_skinartgen writes them beside resources/skin/skin.ini, which names them; a test
// checks that the committed files are what this code draws.
//
// Every 8-bit picture uses one fixed palette (SkinPalette) and only its colours, so the
// files hold exactly the pixels drawn here.
struct TSkinPicture {
    std::string FileName; // beside the skin description that names it
    gfx::TBitmap Bitmap;
};

std::vector<base::TColor> const& SkinPalette();
std::vector<TSkinPicture> DrawSkinPictures();

} // namespace xe::skin
