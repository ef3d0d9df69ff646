#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Exceptions.h"
#include "platform/base/Geometry.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace xe::tk {

// An icon: a picture and an opacity plane (one byte per pixel, 0 transparent, 255 opaque).
// Loaded from .ico bytes it keeps them, so that a copy at another size is made from the entry
// that fits that size best, as a resource copy does.
class TIcon {
public:
    bool Empty() const { return FPicture.Empty(); }
    int Width() const { return FPicture.Width(); }
    int Height() const { return FPicture.Height(); }
    gfx::TBitmap const& Picture() const { return FPicture; }
    std::vector<uint8_t> const& Opacity() const { return FOpacity; }

    // A picture with its opacity plane (empty: opaque). Raises EInvalidOperation when the
    // plane has another size than the picture.
    void Assign(gfx::TBitmap const& picture, std::vector<uint8_t> const& opacity = {});
    // .ico bytes; the entry nearest 32 x 32 becomes the picture. Empty bytes clear the icon.
    // Raises EReadError for bytes that are not a usable icon; the icon is then unchanged.
    void LoadFromData(std::string_view bytes);
    // The .ico bytes the icon was loaded from (empty when it was assigned or is empty).
    std::string const& Data() const { return FData; }
    void Clear();

    // A copy of width x height: from the best .ico entry for that size when loaded from
    // bytes, scaled by nearest neighbour where the sizes still differ.
    TIcon SizedCopy(int width, int height) const;
    // Draws the icon scaled onto rect, transparent where its opacity says so.
    void Draw(gfx::TCanvas& canvas, base::TRect const& rect) const;

    // The icon of an application that has none of its own, drawn in code: a small window.
    static TIcon DefaultApplicationIcon();

private:
    gfx::TBitmap FPicture;
    std::vector<uint8_t> FOpacity; // FPicture's width x height, row by row
    std::string FData;
};

} // namespace xe::tk
