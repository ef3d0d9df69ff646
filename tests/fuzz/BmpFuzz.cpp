// Fuzz entry point of the BMP reader (and of region data, which comes from the same skin files).
// Any input must either load or raise EReadError; a loaded image must write and read back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Region.h"

using namespace xe::gfx;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<char const*>(data), size);
    TBitmap bitmap;
    try {
        size_t consumed = bitmap.LoadFromStream(bytes);
        if (consumed > size || consumed < 14 || bitmap.Empty())
            std::abort();
        std::string written = bitmap.SaveToBytes();
        TBitmap again;
        if (again.LoadFromStream(written) != written.size())
            std::abort();
        // Deep-colour images come back unchanged; paletted ones may lose colours that were
        // never in their table (indices past a short palette).
        if (bitmap.BitDepth() >= 24 && !SamePixels(again, bitmap))
            std::abort();
    } catch (xe::base::EReadError const&) {
    }
    try {
        TRegion region = ExtCreateRegion(bytes);
        if (ExtCreateRegion(GetRegionData(region)) != region)
            std::abort();
    } catch (xe::base::EReadError const&) {
    }
    return 0;
}
