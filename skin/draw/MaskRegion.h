#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/graphics/Region.h"
#include "skin/draw/FrameImage.h"

namespace xe::gfx {
class TBitmap;
}

namespace xe::skin {

// Mask pictures: a pixel whose blue, green and red are all 0 is inside the shape; any other
// colour is outside.

// The black runs of the mask, one rectangle per run and row, from the top row down and left
// to right within a row, offset by (dx, dy). There is no limit on the number of runs.
std::vector<base::TRect> MaskRuns(gfx::TBitmap const& mask, int dx, int dy);

// Region data of the mask's runs in the layout gfx::ExtCreateRegion reads: a 32-byte header
// (size 32, type 1, the rectangle count, region size 0, bounds (dx, dy, dx + width, dy +
// height)) followed by 16 bytes per rectangle. Returns the data's size in bytes; an empty
// mask gives 0 and empty data.
size_t MaskToRectList(gfx::TBitmap const& mask, int dx, int dy, std::string& data);

// The region of the mask's black pixels.
gfx::TRegion RegionFromMask(gfx::TBitmap const& mask);

// The window shape for a window W wide: the four mask bands (see ComposeMaskBands; the left and
// right bands are as high as the result's client rectangle) placed around the result's client
// rectangle, united with that rectangle. No region (nullopt) when the result points are
// crossed (RT'.X < LT'.X or LB'.Y < LT'.Y) or when nothing at all contributes.
std::optional<gfx::TRegion> FrameRegionFromMask(TFrameCut const& src, TFrameCut const& dstCut, int W,
    gfx::TBitmap const& mask, base::TRect const& maskClient);

} // namespace xe::skin
