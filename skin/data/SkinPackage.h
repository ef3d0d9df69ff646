#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xe::gfx {
class TBitmap;
}

namespace xe::skin {

// A skin package is one byte string holding a skin's pictures and its description
// (all integers 32-bit little-endian, signed):
//
//   +---------+--------------+-------------------+--------+-----------------+---------------+
//   | version | picture slot | inactivepicture   | mask   | rolluppicture,  | N | N images  |
//   |  (4)    | flag [+ BMP] | slot (v2, v3)     | slot   | rollupmask      |(4)| back to   |
//   |         |              |                   |        | slots (v1, v2)  |   | back      |
//   +---------+--------------+-------------------+--------+-----------------+---+-----------+
//   | description text: CR LF lines up to the end of the package (no length, no end mark) |
//   +---------------------------------------------------------------------------------------+
//
// A slot is one flag byte, 1 for an empty slot and 0 when a BMP file image follows. A
// BMP image takes the bytes its file-size field (offset 2) tells. The packer writes
// version 2; versions 0 to 3 are read. The package is stored zlib-compressed.

constexpr int32_t SkinPackageVersion = 2;
constexpr int32_t MaxSkinPackageVersion = 3;

enum TSkinSlot { slPicture, slInActivePicture, slMask, slRollUpPicture, slRollUpMask };

// Whether a package of this version carries the slot.
bool PackageHasSlot(int32_t version, TSkinSlot slot);
// The slots of a version in package order.
std::vector<TSkinSlot> PackageSlots(int32_t version);
char const* SlotKeyName(TSkinSlot slot); // "picture", "inactivepicture", ...

// Reads a package front to back. Every read is checked against the end of the bytes: a
// short read raises EReadError("Stream read error") and nothing past the end is touched.
class TPackageReader {
public:
    explicit TPackageReader(std::string_view bytes)
        : FBytes(bytes)
    {
    }
    int32_t ReadInt32();
    uint8_t ReadByte();
    // Loads the BMP image at the current position and moves past it.
    void ReadBitmap(xe::gfx::TBitmap& bitmap);
    // Skips the BMP image at the current position, returning its length.
    size_t SkipBitmap();
    std::string_view Rest() const { return FBytes.substr(FPos); }
    size_t Position() const { return FPos; }
    size_t Remaining() const { return FBytes.size() - FPos; }

private:
    std::string_view FBytes;
    size_t FPos = 0;
};

// The lines of a text: CR LF, a lone CR or a lone LF end a line; a last line without an
// end counts, an end at the very end adds no empty line.
std::vector<std::string> SplitTextLines(std::string_view text);

// Builds the package of a description file and the bitmaps beside it (those its
// PICTURES section names). Returns false, building nothing, when the description lacks
// one of the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS. A
// picture that cannot be loaded raises the bitmap reader's error.
bool BuildSkinPackage(std::string const& descriptionFile, std::string& package);

// zlib stream at level 9, and back.
std::string CompressSkinPackage(std::string_view package);
std::string DecompressSkinPackage(std::string_view compressed);

// A compressed skin file: version (4), length L (4), L bytes of compressed package.
std::string MakeCompressedSkinFile(std::string_view compressed, int32_t version = SkinPackageVersion);
// The compressed bytes of such a file; false (and nothing) when the version is above 3
// or the length is not positive. A length beyond the file raises EReadError.
bool ReadCompressedSkinFile(std::string_view file, std::string& compressed);

// What a package holds, for listing and checks.
struct TSkinPackageItem {
    std::string Name; // "picture", ..., "activepicture 3", "description"
    size_t Offset = 0; // of the flag byte (slots) or of the data
    size_t Length = 0; // bytes taken, flag included
    bool Present = false; // false for an empty slot
    int Width = 0;
    int Height = 0;
    int BitDepth = 0;
};
struct TSkinPackageInfo {
    int32_t Version = 0;
    std::vector<TSkinPackageItem> Items;
    std::string Description;
};
// Parses the layout (decoding every image); raises on malformed input.
TSkinPackageInfo InspectSkinPackage(std::string_view package);

} // namespace xe::skin
