#include "skin/draw/MaskRegion.h"

#include "platform/graphics/Bitmap.h"
#include "skin/draw/FBitmap.h"

namespace xe::skin {

using base::TRect;

std::vector<TRect> MaskRuns(gfx::TBitmap const& mask, int dx, int dy)
{
    std::vector<TRect> runs;
    const TFBitmap m(mask);
    const int32_t w = m.Width();
    for (int32_t y = 0; y < m.Height(); ++y) {
        uint8_t const* row = m.Row(y);
        int32_t x = 0;
        while (x < w) {
            uint8_t const* p = row + 3 * x;
            if ((p[0] | p[1] | p[2]) != 0) {
                ++x;
                continue;
            }
            const int32_t x0 = x;
            do {
                ++x;
                p += 3;
            } while (x < w && (p[0] | p[1] | p[2]) == 0);
            runs.push_back({ x0 + dx, y + dy, x + dx, y + dy + 1 });
        }
    }
    return runs;
}

namespace {

void Put32(std::string& out, size_t at, int64_t value)
{
    const uint32_t v = uint32_t(value);
    out[at] = char(v & 0xFF);
    out[at + 1] = char((v >> 8) & 0xFF);
    out[at + 2] = char((v >> 16) & 0xFF);
    out[at + 3] = char((v >> 24) & 0xFF);
}

} // namespace

size_t MaskToRectList(gfx::TBitmap const& mask, int dx, int dy, std::string& data)
{
    data.clear();
    if (mask.Empty())
        return 0;
    const std::vector<TRect> runs = MaskRuns(mask, dx, dy);
    data.assign(32 + 16 * runs.size(), '\0');
    Put32(data, 0, 32);
    Put32(data, 4, 1);
    Put32(data, 8, int64_t(runs.size()));
    Put32(data, 12, 0);
    Put32(data, 16, dx);
    Put32(data, 20, dy);
    Put32(data, 24, int64_t(dx) + mask.Width());
    Put32(data, 28, int64_t(dy) + mask.Height());
    size_t at = 32;
    for (TRect const& r : runs) {
        Put32(data, at, r.Left);
        Put32(data, at + 4, r.Top);
        Put32(data, at + 8, r.Right);
        Put32(data, at + 12, r.Bottom);
        at += 16;
    }
    return data.size();
}

gfx::TRegion RegionFromMask(gfx::TBitmap const& mask)
{
    std::string data;
    if (MaskToRectList(mask, 0, 0, data) == 0)
        return gfx::TRegion();
    return gfx::ExtCreateRegion(data);
}

std::optional<gfx::TRegion> FrameRegionFromMask(
    TFrameCut const& src, TFrameCut const& dstCut, int W, gfx::TBitmap const& mask, TRect const& maskClient)
{
    if (dstCut.RT.X < dstCut.LT.X || dstCut.LB.Y < dstCut.LT.Y)
        return std::nullopt;
    TRect const& C_ = dstCut.C;
    gfx::TBitmap top, bottom, left, right;
    ComposeMaskBands(src, dstCut, W, C_.Height(), mask, maskClient, top, bottom, left, right);

    std::optional<gfx::TRegion> result;
    auto add = [&](gfx::TBitmap const& band, int dx, int dy) {
        std::string data;
        if (MaskToRectList(band, dx, dy, data) == 0)
            return;
        gfx::TRegion r = gfx::ExtCreateRegion(data);
        result = result ? result->Union(r) : std::move(r);
    };
    add(top, 0, 0);
    add(bottom, 0, C_.Bottom);
    add(left, 0, C_.Top);
    add(right, C_.Right, C_.Top);
    if (!base::IsRectEmpty(C_)) {
        gfx::TRegion client(C_);
        result = result ? result->Union(client) : std::move(client);
    }
    return result;
}

} // namespace xe::skin
