#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

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

size_t TBitmap::LoadFromStream(std::string_view bytes)
{
    (void)bytes;
    throw base::EReadError("BMP reading: not implemented yet"); // unfinished
}

void TBitmap::LoadFromFile(std::string const& path)
{
    std::string bytes = base::ReadFileBytes(path);
    LoadFromStream(bytes);
}

std::string TBitmap::SaveToBytes() const
{
    throw base::EWriteError("BMP writing: not implemented yet"); // unfinished
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
