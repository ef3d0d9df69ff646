#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace xe::gfx {
class TBitmap;
}

namespace xe::skin {

// A pixel-addressable view over 24-bit top-down pixel rows: three bytes blue, green, red per
// pixel, each row RowStride = Width * 3 + Width mod 4 bytes long. The view does not own the
// pixels; the bitmap (or buffer) it was made from must outlive it and keep its size.
// A view made from a const bitmap is read-only: MutableRow refuses to hand out its rows.
class TFBitmap {
public:
    explicit TFBitmap(gfx::TBitmap& bitmap);
    explicit TFBitmap(gfx::TBitmap const& bitmap);
    // Over raw pixel memory laid out as above (Height rows of RowStride bytes).
    TFBitmap(uint8_t* bits, int32_t width, int32_t height, bool readOnly);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    int32_t RowStride() const { return FWidth * 3 + FWidth % 4; }
    int32_t RowGap() const { return FWidth % 4; }
    int32_t Size() const { return RowStride() * FHeight; }
    bool ReadOnly() const { return FReadOnly; }
    bool Empty() const { return FWidth <= 0 || FHeight <= 0; }

    uint8_t const* Row(int32_t y) const { return FRows[size_t(y)]; }
    // Throws EInvalidOperation on a read-only view.
    uint8_t* MutableRow(int32_t y);

    // Black in the mask sense: blue, green and red all 0.
    bool IsBlack(int32_t x, int32_t y) const
    {
        uint8_t const* p = FRows[size_t(y)] + 3 * x;
        return (p[0] | p[1] | p[2]) == 0;
    }

private:
    std::vector<uint8_t*> FRows;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    bool FReadOnly = false;
};

// 1:1 copy of the w x h block at (sx, sy) of src to (dx, dy) of dst. Only the part whose
// source and destination both lie inside their images is copied; the rest is left alone.
void CopyPixels(
    TFBitmap& dst, int32_t dx, int32_t dy, TFBitmap const& src, int32_t sx, int32_t sy, int32_t w, int32_t h);

// Scales the sw x sh block at (sx, sy) of src into the dw x dh block at (dx, dy) of dst by
// dropping or repeating rows and columns (no smoothing). Destination pixels whose source
// pixel lies outside src, and destination pixels outside dst, are left alone. A block of
// width or height below 1 draws nothing.
void StretchPixels(TFBitmap& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, TFBitmap const& src,
    int32_t sx, int32_t sy, int32_t sw, int32_t sh);

// The source coordinate that destination coordinate i (0 <= i < dstLen) of a stretch takes,
// relative to the start of the source span.
inline int32_t StretchSource(int32_t i, int32_t srcLen, int32_t dstLen)
{
    return int32_t(int64_t(i) * srcLen / dstLen);
}

// The tiling rule shared by every builder: pieces of length L laid from S toward E, each taken
// from the start of the source middle, the last one clipped at E. f(start, length) is called
// for every piece of positive length. A middle of length 0 or less, or a span shorter than a
// piece's negative remainder, draws nothing.
template <typename F> void ForEachTile(int32_t S, int32_t E, int32_t L, F&& f)
{
    if (L <= 0)
        return;
    int64_t n = (int64_t(E) - S) / L; // truncates toward zero
    if (n < 0)
        return;
    for (int64_t i = 0; i <= n; ++i) {
        int64_t start = S + i * L;
        int64_t cut = start + L - E;
        if (cut < 0)
            cut = 0;
        int64_t len = L - cut;
        if (len > 0)
            f(int32_t(start), int32_t(len));
    }
}

} // namespace xe::skin
