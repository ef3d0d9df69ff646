#include "platform/graphics/Region.h"

#include "platform/base/Exceptions.h"

namespace xe::gfx {

// unfinished: placeholder bodies until the band algorithm lands.

TRegion::TRegion(base::TRect const& rect)
{
    if (!base::IsRectEmpty(rect))
        FRects.push_back(rect);
}

TRegion::TRegion(std::vector<base::TRect> const& rects)
{
    for (auto& r : rects)
        if (!base::IsRectEmpty(r))
            FRects.push_back(r);
}

base::TRect TRegion::Box() const
{
    base::TRect box;
    for (auto& r : FRects)
        base::UnionRect(box, box, r);
    return box;
}

bool TRegion::Contains(int x, int y) const
{
    for (auto& r : FRects)
        if (base::PtInRect(r, { x, y }))
            return true;
    return false;
}

bool TRegion::Intersects(base::TRect const& rect) const
{
    base::TRect tmp;
    for (auto& r : FRects)
        if (base::IntersectRect(tmp, r, rect))
            return true;
    return false;
}

void TRegion::Offset(int dx, int dy)
{
    for (auto& r : FRects)
        base::OffsetRect(r, dx, dy);
}

TRegion TRegion::Union(TRegion const& other) const
{
    TRegion r = *this;
    r.FRects.insert(r.FRects.end(), other.FRects.begin(), other.FRects.end());
    return r;
}

TRegion TRegion::Intersect(TRegion const& other) const
{
    TRegion r;
    base::TRect tmp;
    for (auto& a : FRects)
        for (auto& b : other.FRects)
            if (base::IntersectRect(tmp, a, b))
                r.FRects.push_back(tmp);
    return r;
}

TRegion TRegion::Subtract(TRegion const&) const { return *this; }
TRegion TRegion::Xor(TRegion const& other) const { return Union(other); }

TRegion CreateRectRgn(int left, int top, int right, int bottom)
{
    return TRegion(base::Rect(left, top, right, bottom));
}

TRegion CreateRectRgnIndirect(base::TRect const& rect) { return TRegion(rect); }

TRegion ExtCreateRegion(std::string_view) { throw base::EReadError("Region data: not implemented yet"); }
std::string GetRegionData(TRegion const&) { return {}; }

int RegionKind(TRegion const& region)
{
    return region.Empty() ? NULLREGION : region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int CombineRgn(TRegion& dst, TRegion const& a, TRegion const& b, int mode)
{
    switch (mode) {
    case RGN_AND:
        dst = a.Intersect(b);
        break;
    case RGN_OR:
        dst = a.Union(b);
        break;
    case RGN_XOR:
        dst = a.Xor(b);
        break;
    case RGN_DIFF:
        dst = a.Subtract(b);
        break;
    case RGN_COPY:
        dst = a;
        break;
    default:
        return RGN_ERROR;
    }
    return RegionKind(dst);
}

int OffsetRgn(TRegion& region, int dx, int dy)
{
    region.Offset(dx, dy);
    return RegionKind(region);
}

bool PtInRegion(TRegion const& region, int x, int y) { return region.Contains(x, y); }
bool RectInRegion(TRegion const& region, base::TRect const& rect) { return region.Intersects(rect); }

int GetRgnBox(TRegion const& region, base::TRect& box)
{
    box = region.Box();
    return RegionKind(region);
}

bool EqualRgn(TRegion const& a, TRegion const& b) { return a == b; }

} // namespace xe::gfx
