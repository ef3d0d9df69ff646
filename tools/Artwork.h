#pragma once

#include "platform/graphics/Bitmap.h"

#include <string>
#include <vector>

namespace xe::tools {

// The pictures of the two windows, drawn from code so that anyone can change and redraw
// them. The generator (ArtworkGen) writes them as 24-bit BMP files under
// resources/pictures/; a test checks that the committed files are what this code draws.
struct TArtwork {
    std::string FileName; // below resources/pictures/
    gfx::TBitmap Bitmap;
};

std::vector<TArtwork> DrawArtwork();

} // namespace xe::tools
