#pragma once

#include <string>
#include <string_view>

#include "platform/graphics/Bitmap.h"

namespace xe::gfx {

// PNG images of bitmaps, for screenshots and golden images. Written as 8-bit RGB; any PNG is
// read (grey, palette, 16-bit and alpha images are converted; alpha is composited on black).
// Errors raise base::EWriteError / base::EReadError with libpng's message.
std::string SavePngToBytes(TBitmap const& bitmap);
void SavePngToFile(TBitmap const& bitmap, std::string const& path);
TBitmap LoadPngFromBytes(std::string_view bytes);
TBitmap LoadPngFromFile(std::string const& path);

} // namespace xe::gfx
