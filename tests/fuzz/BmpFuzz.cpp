// Fuzz entry point of the BMP reader (and of region data, which comes from the same skin files).
// Any input must either load or raise EReadError; a loaded image must write and read back.
// Images of more than a million pixels are left out: a run-length image of a few dozen bytes may
// declare millions of pixels, which the reader fills in a blink but the fuzzer's instrumentation
// of every comparison slows past its timeout. The reader's limits are tested on their own.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Region.h"

using namespace xe::gfx;

namespace {

// The pixel count the headers declare, read as the reader reads it (a 12-byte core header
// holds 16-bit sizes, the others 32-bit ones); 0 when the input is too short to say.
int64_t DeclaredPixels(uint8_t const* data, size_t size)
{
    auto u16 = [&](size_t at) { return int64_t(data[at] | data[at + 1] << 8); };
    auto i32 = [&](size_t at) { return int64_t(int32_t(uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16)); };
    if (size < 26)
        return 0;
    if (i32(14) == 12)
        return u16(18) * u16(20);
    return std::abs(i32(18)) * std::abs(i32(22));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<char const*>(data), size);
    if (DeclaredPixels(data, size) <= (int64_t(1) << 20)) {
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
    }
    try {
        TRegion region = ExtCreateRegion(bytes);
        if (ExtCreateRegion(GetRegionData(region)) != region)
            std::abort();
    } catch (xe::base::EReadError const&) {
    }
    return 0;
}
