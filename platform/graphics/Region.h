#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Geometry.h"

namespace xe::gfx {

// A region is a set of pixels kept as a list of non-overlapping rectangles in a canonical
// band order, so that two regions covering the same pixels hold the same list:
//
//   +-------+           band 1: [0,4) x [0,2)       one rectangle
//   |       |
//   +---+   +-----+     band 2: [0,2) x [2,3)  and  [3,8) x [2,3)
//   |   |   |     |
//   +---+   +-----+
//
// Rectangles are sorted by top, then left; each band holds rectangles of the same top and
// bottom that neither touch nor overlap, and vertically adjacent bands with identical
// spans are merged.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(base::TRect const& rect);
    // Any rectangles, overlapping or not; empty ones are ignored.
    explicit TRegion(std::vector<base::TRect> const& rects);

    std::vector<base::TRect> const& Rects() const { return FRects; }
    bool Empty() const { return FRects.empty(); }
    base::TRect Box() const; // (0,0,0,0) when empty
    bool Contains(int x, int y) const;
    bool Contains(base::TPoint p) const { return Contains(p.X, p.Y); }
    // True when some pixel of the rectangle lies in the region.
    bool Intersects(base::TRect const& rect) const;
    void Offset(int dx, int dy);

    TRegion Union(TRegion const& other) const;
    TRegion Intersect(TRegion const& other) const;
    TRegion Subtract(TRegion const& other) const;
    TRegion Xor(TRegion const& other) const;

    friend bool operator==(TRegion const&, TRegion const&) = default;

private:
    std::vector<base::TRect> FRects;
};

// Combine modes and result kinds as the platform numbers them.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

constexpr int RGN_ERROR = 0; // the platform's ERROR
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

TRegion CreateRectRgn(int left, int top, int right, int bottom);
TRegion CreateRectRgnIndirect(base::TRect const& rect);

// Builds a region from region data:
//
//   offset  0  uint32 dwSize   (32)
//           4  uint32 iType    (1 = rectangles)
//           8  uint32 nCount   number of rectangles
//          12  uint32 nRgnSize bytes of rectangle data (may be 0)
//          16  int32 x4 rcBound
//          32  nCount x { int32 left, top, right, bottom }
//
// Malformed data (short, wrong type, count beyond the data) raises base::EReadError.
TRegion ExtCreateRegion(std::string_view data);
// The region's data in the layout above.
std::string GetRegionData(TRegion const& region);

// dst = a (mode) b; returns the kind of the result. dst may be a or b.
int CombineRgn(TRegion& dst, TRegion const& a, TRegion const& b, int mode);
int OffsetRgn(TRegion& region, int dx, int dy);
bool PtInRegion(TRegion const& region, int x, int y);
bool RectInRegion(TRegion const& region, base::TRect const& rect);
int GetRgnBox(TRegion const& region, base::TRect& box);
bool EqualRgn(TRegion const& a, TRegion const& b);
// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionKind(TRegion const& region);

} // namespace xe::gfx
