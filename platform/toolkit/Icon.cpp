#include "platform/toolkit/Icon.h"

#include <algorithm>
#include <cstdlib>

namespace xe::tk {

namespace {

using base::EReadError;

uint32_t ReadU16(std::string_view b, size_t at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}

uint32_t ReadU32(std::string_view b, size_t at) { return ReadU16(b, at) | ReadU16(b, at + 2) << 16; }

[[noreturn]] void Fail(std::string const& why) { throw EReadError("Invalid icon: " + why); }

// One image of an icon file as its directory describes it.
struct TIcoEntry {
    int Width = 0, Height = 0, BitCount = 0;
    size_t Offset = 0, Size = 0;
};

std::vector<TIcoEntry> ReadDirectory(std::string_view b)
{
    if (b.size() < 6 || ReadU16(b, 0) != 0 || ReadU16(b, 2) != 1)
        Fail("not an icon file");
    size_t const count = ReadU16(b, 4);
    if (count == 0)
        Fail("no images");
    if (b.size() < 6 + count * 16)
        Fail("directory cut short");
    std::vector<TIcoEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        size_t const at = 6 + i * 16;
        TIcoEntry e;
        e.Width = uint8_t(b[at]) ? uint8_t(b[at]) : 256;
        e.Height = uint8_t(b[at + 1]) ? uint8_t(b[at + 1]) : 256;
        e.BitCount = int(ReadU16(b, at + 6));
        e.Size = ReadU32(b, at + 8);
        e.Offset = ReadU32(b, at + 12);
        // Entries outside the file are left out rather than read.
        if (e.Offset > b.size() || e.Size > b.size() - e.Offset)
            continue;
        entries.push_back(e);
    }
    if (entries.empty())
        Fail("every image lies outside the file");
    return entries;
}

// The entry for a size: the smallest one at least as large, else the largest; more colours
// first among equal sizes.
TIcoEntry const& BestEntry(std::vector<TIcoEntry> const& entries, int width, int height)
{
    auto better = [&](TIcoEntry const& a, TIcoEntry const& b) {
        bool const aFits = a.Width >= width && a.Height >= height;
        bool const bFits = b.Width >= width && b.Height >= height;
        if (aFits != bFits)
            return aFits;
        long const aArea = long(a.Width) * a.Height, bArea = long(b.Width) * b.Height;
        if (aArea != bArea)
            return aFits ? aArea < bArea : aArea > bArea;
        return a.BitCount > b.BitCount;
    };
    TIcoEntry const* best = &entries.front();
    for (TIcoEntry const& e : entries)
        if (better(e, *best))
            best = &e;
    return *best;
}

// Decodes one device-independent bitmap image: a header, a colour table for up to 8 bits per
// pixel, the colour rows (bottom up) and the 1-bit AND mask rows (1: transparent).
void DecodeImage(std::string_view image, gfx::TBitmap& picture, std::vector<uint8_t>& opacity)
{
    if (image.size() >= 8 && image.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8))
        Fail("PNG-compressed images are not supported");
    if (image.size() < 40)
        Fail("image header cut short");
    size_t const headerSize = ReadU32(image, 0);
    int32_t const width = int32_t(ReadU32(image, 4));
    int32_t const doubleHeight = int32_t(ReadU32(image, 8));
    int const bitCount = int(ReadU16(image, 14));
    uint32_t const compression = ReadU32(image, 16);
    uint32_t const colorsUsed = ReadU32(image, 32);
    if (headerSize < 40 || headerSize > image.size())
        Fail("bad image header size");
    if (width < 1 || width > 256 || doubleHeight < 2 || doubleHeight > 512 || doubleHeight % 2)
        Fail("bad image size");
    if (compression != 0)
        Fail("compressed images are not supported");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        Fail("unsupported colour depth " + std::to_string(bitCount));
    int const height = doubleHeight / 2;
    size_t paletteSize = 0;
    if (bitCount <= 8) {
        size_t const maxColors = size_t(1) << bitCount;
        if (colorsUsed > maxColors)
            Fail("colour table too large");
        paletteSize = colorsUsed ? colorsUsed : maxColors;
    }
    size_t const xorStride = (size_t(width) * bitCount + 31) / 32 * 4;
    size_t const andStride = (size_t(width) + 31) / 32 * 4;
    size_t const paletteAt = headerSize;
    size_t const xorAt = paletteAt + paletteSize * 4;
    size_t const andAt = xorAt + xorStride * height;
    size_t const end = andAt + andStride * height;
    // 32-bit images may leave the AND mask out; their alpha says it all.
    bool const hasMask = end <= image.size();
    if (andAt > image.size() || (!hasMask && bitCount != 32))
        Fail("image data cut short");

    picture = gfx::TBitmap(width, height);
    opacity.assign(size_t(width) * height, 255);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        size_t const row = xorAt + size_t(height - 1 - y) * xorStride;
        for (int x = 0; x < width; ++x) {
            int r = 0, g = 0, b = 0;
            if (bitCount <= 8) {
                size_t const bit = size_t(x) * bitCount;
                int const shift = 8 - bitCount - int(bit % 8);
                size_t const index = (uint8_t(image[row + bit / 8]) >> shift) & ((1u << bitCount) - 1);
                if (index < paletteSize) {
                    size_t const at = paletteAt + index * 4;
                    b = uint8_t(image[at]), g = uint8_t(image[at + 1]), r = uint8_t(image[at + 2]);
                }
            } else {
                size_t const at = row + size_t(x) * (bitCount / 8);
                b = uint8_t(image[at]), g = uint8_t(image[at + 1]), r = uint8_t(image[at + 2]);
                if (bitCount == 32) {
                    uint8_t const a = uint8_t(image[at + 3]);
                    opacity[size_t(y) * width + x] = a;
                    anyAlpha = anyAlpha || a != 0;
                }
            }
            picture.SetPixel(x, y, base::RGB(uint8_t(r), uint8_t(g), uint8_t(b)));
        }
    }
    // An image without alpha (every alpha 0, or fewer than 32 bits) takes the AND mask.
    if (bitCount == 32 && anyAlpha)
        return;
    for (int y = 0; y < height; ++y) {
        size_t const row = andAt + size_t(height - 1 - y) * andStride;
        for (int x = 0; x < width; ++x) {
            bool const transparent = hasMask && (uint8_t(image[row + x / 8]) >> (7 - x % 8)) & 1;
            opacity[size_t(y) * width + x] = transparent ? 0 : 255;
        }
    }
}

void Scale(gfx::TBitmap const& picture, std::vector<uint8_t> const& opacity, int width, int height,
    gfx::TBitmap& outPicture, std::vector<uint8_t>& outOpacity)
{
    int const pw = picture.Width(), ph = picture.Height();
    outPicture = gfx::TBitmap(width, height);
    outOpacity.assign(size_t(width) * height, 255);
    bool const masked = opacity.size() == size_t(pw) * ph;
    for (int y = 0; y < height; ++y) {
        int const sy = int(int64_t(y) * ph / height);
        for (int x = 0; x < width; ++x) {
            int const sx = int(int64_t(x) * pw / width);
            outPicture.SetPixel(x, y, picture.Pixel(sx, sy));
            if (masked)
                outOpacity[size_t(y) * width + x] = opacity[size_t(sy) * pw + sx];
        }
    }
}

} // namespace

void TIcon::Assign(gfx::TBitmap const& picture, std::vector<uint8_t> const& opacity)
{
    size_t const pixels = size_t(std::max(picture.Width(), 0)) * size_t(std::max(picture.Height(), 0));
    if (!opacity.empty() && opacity.size() != pixels)
        throw base::EInvalidOperation("Icon opacity does not match its picture");
    FPicture = picture;
    FOpacity = opacity.empty() ? std::vector<uint8_t>(pixels, 255) : opacity;
    FData.clear();
}

void TIcon::LoadFromData(std::string_view bytes)
{
    if (bytes.empty()) {
        Clear();
        return;
    }
    std::vector<TIcoEntry> const entries = ReadDirectory(bytes);
    TIcoEntry const& entry = BestEntry(entries, 32, 32);
    gfx::TBitmap picture;
    std::vector<uint8_t> opacity;
    DecodeImage(bytes.substr(entry.Offset, entry.Size), picture, opacity);
    FPicture = std::move(picture);
    FOpacity = std::move(opacity);
    FData.assign(bytes);
}

void TIcon::Clear()
{
    FPicture = gfx::TBitmap();
    FOpacity.clear();
    FData.clear();
}

TIcon TIcon::SizedCopy(int width, int height) const
{
    TIcon copy;
    if (Empty() || width <= 0 || height <= 0)
        return copy;
    gfx::TBitmap picture = FPicture;
    std::vector<uint8_t> opacity = FOpacity;
    if (!FData.empty()) {
        // Another entry may be broken where the loaded one was not: then the loaded one is
        // scaled instead.
        try {
            std::vector<TIcoEntry> const entries = ReadDirectory(FData);
            TIcoEntry const& entry = BestEntry(entries, width, height);
            gfx::TBitmap best;
            std::vector<uint8_t> bestOpacity;
            DecodeImage(std::string_view(FData).substr(entry.Offset, entry.Size), best, bestOpacity);
            picture = std::move(best);
            opacity = std::move(bestOpacity);
        } catch (EReadError const&) {
        }
    }
    if (picture.Width() == width && picture.Height() == height) {
        copy.FPicture = std::move(picture);
        copy.FOpacity = std::move(opacity);
    } else {
        Scale(picture, opacity, width, height, copy.FPicture, copy.FOpacity);
    }
    return copy;
}

void TIcon::Draw(gfx::TCanvas& canvas, base::TRect const& rect) const
{
    canvas.DrawMasked(rect, FPicture, FOpacity);
}

TIcon TIcon::DefaultApplicationIcon()
{
    // A 16 x 16 window: black outline, navy title bar, white client area, transparent margin.
    int const size = 16;
    gfx::TBitmap picture(size, size);
    std::vector<uint8_t> opacity(size_t(size) * size, 0);
    for (int y = 1; y < 15; ++y)
        for (int x = 0; x < 16; ++x) {
            bool const edge = x == 0 || x == 15 || y == 1 || y == 14;
            base::TColor const color = edge ? base::clBlack : y <= 4 ? base::clNavy : base::clWhite;
            picture.SetPixel(x, y, color);
            opacity[size_t(y) * size + x] = 255;
        }
    TIcon icon;
    icon.FPicture = std::move(picture);
    icon.FOpacity = std::move(opacity);
    return icon;
}

} // namespace xe::tk
