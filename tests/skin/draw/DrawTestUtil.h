#pragma once

#include "platform/base/Colors.h"
#include "platform/base/Geometry.h"
#include "platform/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace xe::test {

// Plain fill by SetPixel, independent of the code under test.
inline void Fill(gfx::TBitmap& bmp, base::TRect const& r, base::TColor c)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            bmp.SetPixel(x, y, c);
}

inline std::string Hex(base::TColor c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", unsigned(c));
    return buf;
}

// Same size and pixels; on failure names the first differing pixel with both colours.
inline ::testing::AssertionResult SamePicture(gfx::TBitmap const& actual, gfx::TBitmap const& expected)
{
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height()
                                             << ", expected " << expected.Width() << "x" << expected.Height();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.Pixel(x, y) != expected.Pixel(x, y))
                return ::testing::AssertionFailure()
                    << "pixel (" << x << "," << y << ") is " << Hex(actual.Pixel(x, y)) << ", expected "
                    << Hex(expected.Pixel(x, y));
    return ::testing::AssertionSuccess();
}

} // namespace xe::test
