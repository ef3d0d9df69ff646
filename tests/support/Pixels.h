#pragma once

// Pixel counts in a picture, for tests that assert what was drawn where.

#include "platform/graphics/Bitmap.h"

namespace xe::test {

// How many pixels of r have the colour.
inline int CountColor(gfx::TBitmap const& picture, base::TRect const& r, base::TColor color)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += picture.Pixel(x, y) == color;
    return n;
}

// Whether any pixel of r has the colour.
inline bool HasColor(gfx::TBitmap const& picture, base::TRect const& r, base::TColor color)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (picture.Pixel(x, y) == color)
                return true;
    return false;
}

} // namespace xe::test
