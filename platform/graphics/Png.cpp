#include "platform/graphics/Png.h"

#include <png.h>

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"

namespace xe::gfx {

namespace {

// Frees the simplified-API state on every path out.
struct TPngImage {
    png_image Image {};
    TPngImage() { Image.version = PNG_IMAGE_VERSION; }
    ~TPngImage() { png_image_free(&Image); }
};

} // namespace

std::string SavePngToBytes(TBitmap const& bitmap)
{
    if (bitmap.Empty())
        throw base::EWriteError("Cannot write an empty bitmap as PNG");
    TPngImage png;
    png.Image.width = png_uint_32(bitmap.Width());
    png.Image.height = png_uint_32(bitmap.Height());
    png.Image.format = PNG_FORMAT_BGR;
    png_alloc_size_t size = 0;
    // The row stride is counted in components, which are bytes here.
    if (!png_image_write_to_memory(&png.Image, nullptr, &size, 0, bitmap.Bits(), bitmap.Stride(), nullptr))
        throw base::EWriteError(std::string("PNG writing failed: ") + png.Image.message);
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(
            &png.Image, bytes.data(), &size, 0, bitmap.Bits(), bitmap.Stride(), nullptr))
        throw base::EWriteError(std::string("PNG writing failed: ") + png.Image.message);
    bytes.resize(size);
    return bytes;
}

void SavePngToFile(TBitmap const& bitmap, std::string const& path)
{
    base::WriteFileBytes(path, SavePngToBytes(bitmap));
}

TBitmap LoadPngFromBytes(std::string_view bytes)
{
    TPngImage png;
    if (!png_image_begin_read_from_memory(&png.Image, bytes.data(), bytes.size()))
        throw base::EReadError(std::string("Invalid PNG image: ") + png.Image.message);
    if (png.Image.width == 0 || png.Image.height == 0 || png.Image.width > 65535 || png.Image.height > 65535
        || uint64_t(png.Image.width) * png.Image.height > (uint64_t(1) << 26))
        throw base::EReadError("Invalid PNG image: size out of range");
    png.Image.format = PNG_FORMAT_BGR;
    TBitmap bitmap(int(png.Image.width), int(png.Image.height));
    png_color black { 0, 0, 0 };
    if (!png_image_finish_read(&png.Image, &black, bitmap.Bits(), bitmap.Stride(), nullptr))
        throw base::EReadError(std::string("Invalid PNG image: ") + png.Image.message);
    return bitmap;
}

TBitmap LoadPngFromFile(std::string const& path) { return LoadPngFromBytes(base::ReadFileBytes(path)); }

} // namespace xe::gfx
