// Fuzz entry point of the skin package loader. Input starting with the zlib header byte
// 0x78 goes through the stored-skin component (decompression, then the package); any
// other input is taken as an uncompressed package. Every input must either load or raise
// one of the system's errors, and a failed load must leave the container empty.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

using namespace xe::skin;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string bytes(reinterpret_cast<char const*>(data), size);
    TspSkinData skin(nullptr);
    try {
        if (size > 0 && data[0] == 0x78) {
            TspCompressedStoredSkin stored(nullptr);
            stored.SetCompressedData(bytes);
            skin.LoadCompressedStoredSkin(&stored);
        } else {
            skin.LoadFromPackage(bytes);
        }
    } catch (xe::base::Exception const&) {
        if (!skin.Empty())
            std::abort();
        return 0;
    }
    // A loaded skin answers lookups with positions inside its lists.
    for (auto const& object : skin.ObjectList)
        if (size_t(skin.IndexOfObject(object->IDName)) >= skin.ObjectList.size())
            std::abort();
    return 0;
}
