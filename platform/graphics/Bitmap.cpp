#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <unordered_map>

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/graphics/Canvas.h"

namespace xe::gfx {

using base::TColor;

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::TBitmap(TBitmap const& other) { Assign(other); }

TBitmap::TBitmap(TBitmap&& other) noexcept
    : FWidth(other.FWidth)
    , FHeight(other.FHeight)
    , FBitDepth(other.FBitDepth)
    , FPixels(std::move(other.FPixels))
    , FPalette(std::move(other.FPalette))
    , FTransparent(other.FTransparent)
    , FTransparentColor(other.FTransparentColor)
    , FOriginalBytes(std::move(other.FOriginalBytes))
    , FCanvas(std::move(other.FCanvas))
{
    if (FCanvas)
        FCanvas->FBitmap = this;
    other.FWidth = other.FHeight = 0;
    other.FPixels.clear();
}

TBitmap& TBitmap::operator=(TBitmap const& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept
{
    if (this == &other)
        return *this;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FBitDepth = other.FBitDepth;
    FPixels = std::move(other.FPixels);
    FPalette = std::move(other.FPalette);
    FTransparent = other.FTransparent;
    FTransparentColor = other.FTransparentColor;
    FOriginalBytes = std::move(other.FOriginalBytes);
    // Our canvas stays bound to us; the other's canvas stays with the other.
    other.FWidth = other.FHeight = 0;
    other.FPixels.clear();
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height)
{
    if (width < 0 || height < 0)
        throw base::EInvalidOperation("Invalid bitmap size");
    if (width == FWidth && height == FHeight)
        return;
    std::vector<uint8_t> pixels(size_t(StrideFor(width)) * size_t(height), 0);
    int keepW = std::min(width, FWidth), keepH = std::min(height, FHeight);
    // A zero-width bitmap has no pixel storage at all, so there is nothing to keep.
    if (keepW == 0)
        keepH = 0;
    for (int y = 0; y < keepH; ++y)
        std::memcpy(pixels.data() + size_t(y) * StrideFor(width), ScanLine(y), size_t(keepW) * 3);
    FPixels = std::move(pixels);
    FWidth = width;
    FHeight = height;
    FOriginalBytes.clear();
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return base::clBlack;
    uint8_t const* p = ScanLine(y) + x * 3;
    return base::RGB(p[2], p[1], p[0]);
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    color = base::ColorToRGB(color);
    uint8_t* p = ScanLine(y) + x * 3;
    p[0] = base::GetBValue(color);
    p[1] = base::GetGValue(color);
    p[2] = base::GetRValue(color);
}

void TBitmap::Fill(TColor color)
{
    if (Empty())
        return;
    color = base::ColorToRGB(color);
    uint8_t* row = ScanLine(0);
    for (int x = 0; x < FWidth; ++x) {
        row[x * 3] = base::GetBValue(color);
        row[x * 3 + 1] = base::GetGValue(color);
        row[x * 3 + 2] = base::GetRValue(color);
    }
    for (int y = 1; y < FHeight; ++y)
        std::memcpy(ScanLine(y), row, size_t(Stride()));
}

void TBitmap::SetBitDepth(int depth)
{
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32)
        throw base::EInvalidOperation("Unsupported bit depth");
    FBitDepth = depth;
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentColor == base::clDefault)
        return Pixel(0, FHeight - 1);
    return base::ColorToRGB(FTransparentColor);
}

void TBitmap::Assign(TBitmap const& source)
{
    if (&source == this)
        return;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FBitDepth = source.FBitDepth;
    FPixels = source.FPixels;
    FPalette = source.FPalette;
    FTransparent = source.FTransparent;
    FTransparentColor = source.FTransparentColor;
    FOriginalBytes = source.FOriginalBytes;
}

// A BMP file image:
//
//   offset 0   "BM"
//          2   uint32 file size: the bytes the image takes in a stream
//          6   reserved
//         10   uint32 offset of the pixel rows
//         14   information header: 12 bytes (OS/2 core: uint16 width, height, planes, bits),
//              or 40 and more (int32 width, height (negative: top-down), uint16 planes, bits,
//              uint32 compression, image size, x/y resolution, colours used, important;
//              V2..V5 add the channel masks at 54 and more)
//              [three uint32 channel masks after a 40-byte header with BI_BITFIELDS]
//              colour table: 4 bytes (blue, green, red, 0) per entry, 3 with the core header
//              pixel rows, each padded to 4 bytes, bottom-up unless the height is negative;
//              or run-length codes (BI_RLE8, BI_RLE4; see DecodeRle), always bottom-up
namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;
constexpr int64_t MaxDimension = 65535;
constexpr int64_t MaxPixels = int64_t(1) << 26;

[[noreturn]] void Malformed(std::string const& what) { throw base::EReadError("Invalid BMP image: " + what); }

class TReader {
public:
    explicit TReader(std::string_view bytes)
        : FBytes(bytes)
    {
    }
    void Need(uint64_t end) const
    {
        if (end > FBytes.size())
            Malformed("the data is truncated");
    }
    uint32_t U16(size_t at) const
    {
        Need(uint64_t(at) + 2);
        return uint32_t(uint8_t(FBytes[at])) | uint32_t(uint8_t(FBytes[at + 1])) << 8;
    }
    uint32_t U32(size_t at) const
    {
        Need(uint64_t(at) + 4);
        return U16(at) | U16(at + 2) << 16;
    }
    uint8_t const* Data(size_t at) const { return reinterpret_cast<uint8_t const*>(FBytes.data()) + at; }

private:
    std::string_view FBytes;
};

// Expands a channel under a bit mask to 8 bits.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    uint32_t Max = 0;
    explicit TChannel(uint32_t mask)
        : Mask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1))
            ++Shift;
        Max = mask >> Shift;
    }
    uint8_t operator()(uint32_t pixel) const
    {
        if (!Max)
            return 0;
        uint64_t v = (pixel & Mask) >> Shift;
        return uint8_t(std::min<uint64_t>(255, (v * 255 + Max / 2) / Max));
    }
};

// Writes colour `index` of the table as pixel x of a 24-bit row; an index beyond the table is black.
void PutIndexed(uint8_t* row, int x, std::vector<TColor> const& palette, uint32_t index)
{
    TColor c = index < palette.size() ? palette[index] : base::clBlack;
    row[x * 3] = base::GetBValue(c);
    row[x * 3 + 1] = base::GetGValue(c);
    row[x * 3 + 2] = base::GetRValue(c);
}

// Decodes run-length pixel data (bottom-up) into top-down 24-bit rows:
//
//   n > 0, v        n pixels of index v (RLE4: the two nibbles of v in turn)
//   0, 0            end of the row
//   0, 1            end of the image
//   0, 2, dx, dy    move right dx and up dy rows
//   0, n >= 3, ...  n literal indices (bytes, or nibbles for RLE4), padded to 16 bits
//
// Pixels the data skips keep colour 0 of the table; pixels beyond the row are dropped. Data
// that ends without the end-of-image code ends the image there.
std::vector<uint8_t> DecodeRle(
    std::string_view data, bool fourBits, int width, int height, std::vector<TColor> const& palette)
{
    std::vector<uint8_t> index(size_t(width) * size_t(height), 0);
    size_t p = 0;
    auto next = [&]() -> uint32_t {
        if (p >= data.size())
            Malformed("the run-length data ends inside a code");
        return uint8_t(data[p++]);
    };
    int64_t x = 0, y = 0; // y counts rows from the bottom
    auto put = [&](uint32_t v) {
        if (x < width && y < height)
            index[size_t(height - 1 - y) * size_t(width) + size_t(x)] = uint8_t(v);
        ++x;
    };
    while (y < height && p < data.size()) {
        uint32_t count = next(), value = next();
        if (count > 0) {
            for (uint32_t i = 0; i < count; ++i)
                put(fourBits ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += next();
            y += next();
        } else {
            uint32_t literalBytes = fourBits ? (value + 1) / 2 : value;
            uint32_t byte = 0;
            for (uint32_t i = 0; i < value; ++i) {
                if (!fourBits) {
                    put(next());
                } else {
                    if (!(i & 1))
                        byte = next();
                    put((i & 1) ? byte & 0x0F : byte >> 4);
                }
            }
            if (literalBytes & 1)
                next();
        }
    }
    std::vector<uint8_t> pixels(size_t(TBitmap::StrideFor(width)) * size_t(height), 0);
    for (int r = 0; r < height; ++r) {
        uint8_t* dst = pixels.data() + size_t(TBitmap::StrideFor(width)) * size_t(r);
        for (int c = 0; c < width; ++c)
            PutIndexed(dst, c, palette, index[size_t(r) * size_t(width) + size_t(c)]);
    }
    return pixels;
}

struct TBmpImage {
    int Width = 0, Height = 0, Depth = 24;
    std::vector<uint8_t> Pixels; // top-down 24-bit rows of TBitmap::StrideFor(Width)
    std::vector<TColor> Palette;
    size_t Consumed = 0;
};

// What the headers say about the image, checked.
struct TBmpHeader {
    uint32_t FileSize = 0;
    uint32_t OffBits = 0;
    uint64_t HeaderEnd = 0; // end of the headers and of any masks after them
    size_t EntrySize = 4; // bytes a colour table entry takes
    int64_t Width = 0, Height = 0; // the height made positive
    bool TopDown = false;
    uint32_t Depth = 0, Compression = BI_RGB, ColorsUsed = 0;
    uint32_t Masks[3] = { 0, 0, 0 }; // red, green, blue
    bool Rle() const { return Compression == BI_RLE8 || Compression == BI_RLE4; }
};

// Reads the file header and the information header.
TBmpHeader ReadBmpHeaders(TReader const& in, std::string_view bytes)
{
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        Malformed(bytes.size() < 2 ? "the data is truncated" : "no BM signature");
    TBmpHeader h;
    h.FileSize = in.U32(2);
    h.OffBits = in.U32(10);
    uint32_t headerSize = in.U32(14);
    h.HeaderEnd = 14 + uint64_t(headerSize);
    if (headerSize == 12) {
        h.Width = in.U16(18);
        h.Height = in.U16(20);
        h.Depth = in.U16(24);
        h.EntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        h.Width = int32_t(in.U32(18));
        h.Height = int32_t(in.U32(22));
        h.Depth = in.U16(28);
        h.Compression = in.U32(30);
        h.ColorsUsed = in.U32(46);
        if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
            // The masks belong to the header from V2 on, else they follow it.
            size_t at = headerSize >= 52 ? 54 : size_t(h.HeaderEnd);
            for (int i = 0; i < 3; ++i)
                h.Masks[i] = in.U32(at + 4 * size_t(i));
            if (headerSize < 52)
                h.HeaderEnd += h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
        }
    } else {
        Malformed("unsupported header size " + std::to_string(headerSize));
    }
    in.Need(h.HeaderEnd);
    return h;
}

// Rejects sizes, depths and compressions the decoder does not take, and makes the height
// positive.
void CheckBmpFormat(TBmpHeader& h)
{
    if (h.Width <= 0)
        Malformed("width " + std::to_string(h.Width));
    if (h.Height == 0 || h.Height == INT32_MIN)
        Malformed("height " + std::to_string(h.Height));
    h.TopDown = h.Height < 0;
    h.Height = h.TopDown ? -h.Height : h.Height;
    auto tooLarge = [&] {
        Malformed("size " + std::to_string(h.Width) + " x " + std::to_string(h.Height) + " is too large");
    };
    if (h.Width > MaxDimension || h.Height > MaxDimension || h.Width * h.Height > MaxPixels)
        tooLarge();
    uint32_t depth = h.Depth;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        Malformed(std::to_string(depth) + " bits per pixel");
    if (h.Rle()) {
        if (depth != (h.Compression == BI_RLE8 ? 8u : 4u))
            Malformed("run-length compression with " + std::to_string(depth) + " bits per pixel");
        if (h.TopDown)
            Malformed("a run-length image cannot be top-down");
        // A few bytes of codes can describe a large image; such sizes are held lower.
        if (h.Width * h.Height > MaxPixels / 4)
            tooLarge();
    } else if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
        if (depth != 16 && depth != 32)
            Malformed("bit fields with " + std::to_string(depth) + " bits per pixel");
    } else if (h.Compression != BI_RGB) {
        Malformed("unknown compression " + std::to_string(h.Compression));
    }
    if (h.Compression == BI_RGB && depth == 16) {
        h.Masks[0] = 0x7C00;
        h.Masks[1] = 0x03E0;
        h.Masks[2] = 0x001F;
    }
}

// Reads the colour table of an image of 8 bits or less and moves HeaderEnd past it; then
// places the pixel data (an offset of 0 means right after the headers).
std::vector<TColor> ReadColorTable(TReader const& in, TBmpHeader& h)
{
    std::vector<TColor> palette;
    if (h.Depth <= 8) {
        uint64_t count = h.ColorsUsed ? h.ColorsUsed : (1u << h.Depth);
        count = std::min<uint64_t>(count, 1u << h.Depth);
        // A colour table may be shorter than the header says when the pixels follow sooner.
        if (h.OffBits > h.HeaderEnd)
            count = std::min<uint64_t>(count, (h.OffBits - h.HeaderEnd) / h.EntrySize);
        in.Need(h.HeaderEnd + count * h.EntrySize);
        for (uint64_t i = 0; i < count; ++i) {
            uint8_t const* e = in.Data(size_t(h.HeaderEnd + i * h.EntrySize));
            palette.push_back(base::RGB(e[2], e[1], e[0]));
        }
        h.HeaderEnd += count * h.EntrySize;
    }
    if (h.OffBits == 0)
        h.OffBits = uint32_t(h.HeaderEnd);
    else if (h.OffBits < h.HeaderEnd)
        Malformed("the pixel data overlaps the headers");
    return palette;
}

// Converts the uncompressed pixel rows to top-down 24-bit rows.
void DecodeRows(TReader const& in, TBmpHeader const& h, uint64_t srcStride, TBmpImage& image)
{
    int w = image.Width, rows = image.Height;
    size_t stride = size_t(TBitmap::StrideFor(w));
    image.Pixels.assign(stride * size_t(rows), 0);
    TChannel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]);
    auto const& pal = image.Palette;
    for (int r = 0; r < rows; ++r) {
        uint8_t const* src = in.Data(size_t(h.OffBits + srcStride * uint64_t(r)));
        uint8_t* dst = image.Pixels.data() + stride * size_t(h.TopDown ? r : rows - 1 - r);
        auto putMasked = [&](int x, uint32_t v) {
            dst[x * 3] = blue(v);
            dst[x * 3 + 1] = green(v);
            dst[x * 3 + 2] = red(v);
        };
        switch (h.Depth) {
        case 1:
            for (int x = 0; x < w; ++x)
                PutIndexed(dst, x, pal, (src[x >> 3] >> (7 - (x & 7))) & 1);
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                PutIndexed(dst, x, pal, (x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4);
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                PutIndexed(dst, x, pal, src[x]);
            break;
        case 16:
            for (int x = 0; x < w; ++x)
                putMasked(x, uint32_t(src[x * 2]) | uint32_t(src[x * 2 + 1]) << 8);
            break;
        case 24:
            std::memcpy(dst, src, size_t(w) * 3);
            break;
        case 32:
            for (int x = 0; x < w; ++x) {
                uint8_t const* p = src + x * 4;
                if (h.Compression == BI_RGB) {
                    dst[x * 3] = p[0];
                    dst[x * 3 + 1] = p[1];
                    dst[x * 3 + 2] = p[2];
                } else {
                    putMasked(x,
                        uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
                }
            }
            break;
        }
    }
}

// Reads one image. With exactSize, the file-size field must cover the image and lie within
// bytes (a stream of several images); otherwise it is not used (a file).
TBmpImage ReadBmp(std::string_view bytes, bool exactSize)
{
    TReader in(bytes);
    TBmpHeader h = ReadBmpHeaders(in, bytes);
    CheckBmpFormat(h);
    TBmpImage image;
    image.Width = int(h.Width);
    image.Height = int(h.Height);
    image.Depth = h.Depth == 16 ? 24 : int(h.Depth);
    image.Palette = ReadColorTable(in, h);

    if (h.Rle()) {
        uint64_t end = bytes.size();
        if (exactSize) {
            in.Need(h.FileSize);
            end = h.FileSize;
        }
        if (h.OffBits > end)
            Malformed("the pixel data lies beyond the image");
        image.Consumed = size_t(end);
        image.Pixels = DecodeRle(bytes.substr(h.OffBits, size_t(end - h.OffBits)), h.Compression == BI_RLE4,
            image.Width, image.Height, image.Palette);
        return image;
    }

    uint64_t srcStride = ((uint64_t(h.Width) * h.Depth + 31) / 32) * 4;
    uint64_t dataEnd = h.OffBits + srcStride * uint64_t(h.Height);
    in.Need(dataEnd);
    if (exactSize) {
        if (h.FileSize < dataEnd)
            Malformed("the file size field does not cover the pixel data");
        in.Need(h.FileSize);
        image.Consumed = h.FileSize;
    } else {
        image.Consumed = bytes.size();
    }

    DecodeRows(in, h, srcStride, image);
    return image;
}

void Put16(std::string& s, uint32_t v)
{
    s.push_back(char(v & 0xFF));
    s.push_back(char((v >> 8) & 0xFF));
}

void Put32(std::string& s, uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

std::vector<TColor> DefaultPalette(int depth)
{
    std::vector<TColor> pal;
    if (depth == 1)
        return { base::clBlack, base::clWhite };
    if (depth == 4)
        return { base::clBlack, base::clMaroon, base::clGreen, base::clOlive, base::clNavy, base::clPurple,
            base::clTeal, base::clGray, base::clSilver, base::clRed, base::clLime, base::clYellow,
            base::clBlue, base::clFuchsia, base::clAqua, base::clWhite };
    for (int i = 0; i < 256; ++i) // 3 bits red, 3 green, 2 blue
        pal.push_back(base::RGB(
            uint8_t((i >> 5) * 255 / 7), uint8_t(((i >> 2) & 7) * 255 / 7), uint8_t((i & 3) * 255 / 3)));
    return pal;
}

int Nearest(std::vector<TColor> const& pal, TColor c)
{
    int best = 0;
    int64_t bestDist = INT64_MAX;
    for (size_t i = 0; i < pal.size(); ++i) {
        int64_t dr = int(base::GetRValue(pal[i])) - base::GetRValue(c);
        int64_t dg = int(base::GetGValue(pal[i])) - base::GetGValue(c);
        int64_t db = int(base::GetBValue(pal[i])) - base::GetBValue(c);
        int64_t d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    return best;
}

} // namespace

size_t TBitmap::Decode(std::string_view bytes, bool exactSize)
{
    TBmpImage image = ReadBmp(bytes, exactSize);
    FWidth = image.Width;
    FHeight = image.Height;
    FBitDepth = image.Depth;
    FPixels = std::move(image.Pixels);
    FPalette = std::move(image.Palette);
    return image.Consumed;
}

size_t TBitmap::LoadFromStream(std::string_view bytes)
{
    size_t consumed = Decode(bytes, true);
    FOriginalBytes = std::string(bytes.substr(0, consumed));
    return consumed;
}

void TBitmap::LoadFromFile(std::string const& path)
{
    std::string bytes = base::ReadFileBytes(path);
    Decode(bytes, false);
    FOriginalBytes = std::move(bytes);
}

std::string TBitmap::SaveToBytes() const
{
    if (Empty())
        return {};
    int depth = FBitDepth == 32 ? 24 : FBitDepth;
    std::vector<TColor> palette;
    std::unordered_map<TColor, int> indexOf;
    if (depth <= 8) {
        // Keep the loaded colour table when it holds every colour, else build one from the
        // colours used, else fall back to a fixed table and the nearest colours.
        size_t maxColors = size_t(1) << depth;
        palette.assign(FPalette.begin(), FPalette.begin() + ptrdiff_t(std::min(FPalette.size(), maxColors)));
        for (size_t i = 0; i < palette.size(); ++i)
            indexOf.emplace(palette[i], int(i));
        bool fits = true;
        for (int y = 0; y < FHeight && fits; ++y)
            for (int x = 0; x < FWidth; ++x) {
                TColor c = Pixel(x, y);
                if (indexOf.contains(c))
                    continue;
                if (palette.size() >= maxColors) {
                    fits = false;
                    break;
                }
                indexOf.emplace(c, int(palette.size()));
                palette.push_back(c);
            }
        if (!fits) {
            palette = FPalette.empty() ? DefaultPalette(depth) : FPalette;
            palette.resize(std::min(palette.size(), maxColors));
            indexOf.clear();
        }
    }
    size_t paletteBytes = palette.size() * 4;
    size_t rowBytes = ((size_t(FWidth) * depth + 31) / 32) * 4;
    size_t offBits = 14 + 40 + paletteBytes;
    size_t total = offBits + rowBytes * size_t(FHeight);
    std::string s;
    s.reserve(total);
    s += "BM";
    Put32(s, uint32_t(total));
    Put32(s, 0);
    Put32(s, uint32_t(offBits));
    Put32(s, 40);
    Put32(s, uint32_t(FWidth));
    Put32(s, uint32_t(FHeight)); // bottom-up
    Put16(s, 1);
    Put16(s, uint32_t(depth));
    Put32(s, BI_RGB);
    Put32(s, uint32_t(rowBytes * size_t(FHeight)));
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, uint32_t(palette.size()));
    Put32(s, 0);
    for (TColor c : palette) {
        s.push_back(char(base::GetBValue(c)));
        s.push_back(char(base::GetGValue(c)));
        s.push_back(char(base::GetRValue(c)));
        s.push_back(0);
    }
    std::vector<uint8_t> row(rowBytes);
    for (int y = FHeight - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        if (depth == 24) {
            std::memcpy(row.data(), ScanLine(y), size_t(FWidth) * 3);
        } else {
            for (int x = 0; x < FWidth; ++x) {
                TColor c = Pixel(x, y);
                auto it = indexOf.find(c);
                int index = it != indexOf.end() ? it->second : Nearest(palette, c);
                if (depth == 8)
                    row[size_t(x)] = uint8_t(index);
                else if (depth == 4)
                    row[size_t(x) >> 1] |= uint8_t((x & 1) ? index : index << 4);
                else if (index)
                    row[size_t(x) >> 3] |= uint8_t(0x80 >> (x & 7));
            }
        }
        s.append(reinterpret_cast<char const*>(row.data()), row.size());
    }
    return s;
}

void TBitmap::SaveToFile(std::string const& path) const { base::WriteFileBytes(path, SaveToBytes()); }

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}

bool SamePixels(TBitmap const& a, TBitmap const& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), size_t(a.Width()) * 3) != 0)
            return false;
    return true;
}

} // namespace xe::gfx
