#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Colors.h"

namespace xe::gfx {

class TCanvas;

// A bitmap keeps its pixels as a top-down 24-bit DIB: each row holds blue, green, red per
// pixel and is padded to 4 bytes, so Stride() = width * 3 + width % 4. Row 0 is the top.
// The bit depth a bitmap was loaded with (1, 4, 8, 24, 32) is remembered so that saving
// writes it back the same way where the writer supports it (1, 4, 8 and 24 bits; 32 bits
// is written as 24).
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(TBitmap const& other);
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap const& other);
    TBitmap& operator=(TBitmap&& other) noexcept;
    ~TBitmap();

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Resizes, keeping the pixels that stay inside; new pixels are black.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }
    bool Empty() const { return FWidth <= 0 || FHeight <= 0; }

    int Stride() const { return FWidth * 3 + FWidth % 4; }
    static int StrideFor(int width) { return width * 3 + width % 4; }
    uint8_t* ScanLine(int y) { return FPixels.data() + size_t(y) * size_t(Stride()); }
    uint8_t const* ScanLine(int y) const { return FPixels.data() + size_t(y) * size_t(Stride()); }
    uint8_t* Bits() { return FPixels.data(); }
    uint8_t const* Bits() const { return FPixels.data(); }
    size_t ByteSize() const { return FPixels.size(); }

    // Pixel access without clipping checks beyond the bitmap's bounds: outside pixels read
    // as black and ignore writes. System colours are resolved.
    base::TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, base::TColor color);
    // Fills the whole bitmap with one colour.
    void Fill(base::TColor color);

    int BitDepth() const { return FBitDepth; }
    void SetBitDepth(int depth); // 1, 4, 8, 24 or 32; anything else raises EInvalidOperation
    // The palette of a bitmap loaded with 1, 4 or 8 bits (RGB colours), used again on saving.
    std::vector<base::TColor> const& Palette() const { return FPalette; }
    void SetPalette(std::vector<base::TColor> palette) { FPalette = std::move(palette); }

    // Transparent drawing (Draw/StretchDraw skip pixels of TransparentColor). The default
    // transparent colour, clDefault, means the bottom-left pixel.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }
    base::TColor TransparentColor() const;
    void SetTransparentColor(base::TColor color) { FTransparentColor = color; }

    // Copies pixels, depth, palette, transparency and original bytes.
    void Assign(TBitmap const& source);

    // Reads one complete BMP file image from the start of bytes (file header included) and
    // returns the number of bytes it takes, as its file-size field tells (at least the end
    // of its pixel data). Malformed input raises base::EReadError; the bitmap is then unchanged.
    size_t LoadFromStream(std::string_view bytes);
    void LoadFromFile(std::string const& path);
    // A BMP file image at BitDepth().
    std::string SaveToBytes() const;
    void SaveToFile(std::string const& path) const;

    // The BMP bytes this bitmap was last loaded from (empty if it was not loaded, or after
    // SetSize). Drawing does not clear them: whoever writes a picture back byte for byte must
    // know that it is unmodified.
    std::string const& OriginalBytes() const { return FOriginalBytes; }
    void ClearOriginalBytes() { FOriginalBytes.clear(); }

    // The canvas drawing on this bitmap, created on first use.
    TCanvas& Canvas();
    bool HasCanvas() const { return FCanvas != nullptr; }

private:
    // Decodes the BMP image at the start of bytes into the pixels, size, depth and colour table;
    // with exactSize its file-size field bounds it. Returns the bytes the image took.
    size_t Decode(std::string_view bytes, bool exactSize);

    int FWidth = 0;
    int FHeight = 0;
    int FBitDepth = 24;
    std::vector<uint8_t> FPixels;
    std::vector<base::TColor> FPalette;
    bool FTransparent = false;
    base::TColor FTransparentColor = base::clDefault;
    std::string FOriginalBytes;
    std::unique_ptr<TCanvas> FCanvas;
};

// True when both bitmaps have the same size and the same pixels (padding ignored).
bool SamePixels(TBitmap const& a, TBitmap const& b);

} // namespace xe::gfx
