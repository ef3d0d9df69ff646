#include "skin/draw/FBitmap.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

namespace xe::skin {

TFBitmap::TFBitmap(gfx::TBitmap& bitmap)
    : FWidth(std::max(0, bitmap.Width()))
    , FHeight(std::max(0, bitmap.Height()))
{
    if (FWidth == 0 || FHeight == 0) {
        FWidth = FHeight = 0;
        return;
    }
    FRows.resize(size_t(FHeight));
    for (int32_t y = 0; y < FHeight; ++y)
        FRows[size_t(y)] = bitmap.ScanLine(y);
}

TFBitmap::TFBitmap(gfx::TBitmap const& bitmap)
    : FWidth(std::max(0, bitmap.Width()))
    , FHeight(std::max(0, bitmap.Height()))
    , FReadOnly(true)
{
    if (FWidth == 0 || FHeight == 0) {
        FWidth = FHeight = 0;
        return;
    }
    FRows.resize(size_t(FHeight));
    // The rows are only read through a read-only view; MutableRow guards the cast.
    for (int32_t y = 0; y < FHeight; ++y)
        FRows[size_t(y)] = const_cast<uint8_t*>(bitmap.ScanLine(y));
}

TFBitmap::TFBitmap(uint8_t* bits, int32_t width, int32_t height, bool readOnly)
    : FWidth(std::max(0, width))
    , FHeight(std::max(0, height))
    , FReadOnly(readOnly)
{
    if (FWidth == 0 || FHeight == 0 || !bits) {
        FWidth = FHeight = 0;
        return;
    }
    FRows.resize(size_t(FHeight));
    for (int32_t y = 0; y < FHeight; ++y)
        FRows[size_t(y)] = bits + size_t(y) * size_t(RowStride());
}

uint8_t* TFBitmap::MutableRow(int32_t y)
{
    if (FReadOnly)
        throw base::EInvalidOperation("Cannot write to a read-only bitmap view");
    return FRows[size_t(y)];
}

namespace {

// Clips the interval [d, d + len) of a destination of size dLen, read from [s, s + len) of a
// source of size sLen, to both; returns false when nothing is left.
bool ClipSpan(int64_t& d, int64_t& s, int64_t& len, int64_t dLen, int64_t sLen)
{
    if (d < 0) {
        s -= d;
        len += d;
        d = 0;
    }
    if (s < 0) {
        d -= s;
        len += s;
        s = 0;
    }
    len = std::min({ len, dLen - d, sLen - s });
    return len > 0;
}

} // namespace

void CopyPixels(
    TFBitmap& dst, int32_t dx, int32_t dy, TFBitmap const& src, int32_t sx, int32_t sy, int32_t w, int32_t h)
{
    int64_t x0 = dx, y0 = dy, sx0 = sx, sy0 = sy, cw = w, ch = h;
    if (!ClipSpan(x0, sx0, cw, dst.Width(), src.Width())
        || !ClipSpan(y0, sy0, ch, dst.Height(), src.Height()))
        return;
    for (int64_t j = 0; j < ch; ++j) {
        uint8_t* d = dst.MutableRow(int32_t(y0 + j)) + 3 * x0;
        uint8_t const* s = src.Row(int32_t(sy0 + j)) + 3 * sx0;
        // Source and destination may be the same image; memmove keeps an overlapping copy sound.
        std::memmove(d, s, size_t(cw) * 3);
    }
}

void StretchPixels(TFBitmap& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, TFBitmap const& src,
    int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    if (dw < 1 || dh < 1 || sw < 1 || sh < 1)
        return;
    if (!dst.Empty() && !src.Empty() && dst.Row(0) == src.Row(0)) {
        // Stretching within one image: take the source block out first, as a temporary
        // bitmap of the piece's size would.
        int64_t x0 = 0, sx0 = sx, cw = sw, y0 = 0, sy0 = sy, ch = sh;
        if (!ClipSpan(x0, sx0, cw, sw, src.Width()) || !ClipSpan(y0, sy0, ch, sh, src.Height()))
            return;
        std::vector<uint8_t> piece(size_t(sw * 3 + sw % 4) * size_t(sh));
        TFBitmap tmp(piece.data(), sw, sh, false);
        CopyPixels(tmp, 0, 0, src, sx, sy, sw, sh);
        // Where the piece reached outside the image it is black, as a fresh temporary is.
        StretchPixels(dst, dx, dy, dw, dh, tmp, 0, 0, sw, sh);
        return;
    }
    // Column map for the destination columns that land inside both images.
    std::vector<int32_t> colMap;
    int32_t firstCol = 0;
    for (int32_t i = 0; i < dw; ++i) {
        int64_t x = int64_t(dx) + i;
        int64_t s = int64_t(sx) + StretchSource(i, sw, dw);
        bool inside = x >= 0 && x < dst.Width() && s >= 0 && s < src.Width();
        if (colMap.empty() && !inside) {
            firstCol = i + 1;
            continue;
        }
        colMap.push_back(inside ? int32_t(s) : -1);
    }
    while (!colMap.empty() && colMap.back() < 0)
        colMap.pop_back();
    if (colMap.empty())
        return;
    for (int32_t j = 0; j < dh; ++j) {
        int64_t y = int64_t(dy) + j;
        int64_t s = int64_t(sy) + StretchSource(j, sh, dh);
        if (y < 0 || y >= dst.Height() || s < 0 || s >= src.Height())
            continue;
        uint8_t const* srow = src.Row(int32_t(s));
        uint8_t* drow = dst.MutableRow(int32_t(y)) + 3 * (int64_t(dx) + firstCol);
        for (size_t i = 0; i < colMap.size(); ++i, drow += 3) {
            if (colMap[i] < 0)
                continue;
            uint8_t const* p = srow + 3 * colMap[i];
            drow[0] = p[0];
            drow[1] = p[1];
            drow[2] = p[2];
        }
    }
}

} // namespace xe::skin
