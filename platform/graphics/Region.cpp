#include "platform/graphics/Region.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Exceptions.h"

namespace xe::gfx {

using base::TRect;

namespace {

// Half-open x intervals, sorted, neither touching nor overlapping.
using TSpans = std::vector<std::pair<int32_t, int32_t>>;

// Walks a rectangle list band by band. The rectangles may overlap and come in any order;
// Spans(y) gives the union of the rectangles covering row y, for y increasing.
class TBandWalker {
public:
    explicit TBandWalker(std::vector<TRect> const& rects)
        : FRects(rects)
    {
        std::sort(FRects.begin(), FRects.end(), [](TRect const& a, TRect const& b) { return a.Top < b.Top; });
    }

    void AddEdges(std::vector<int32_t>& edges) const
    {
        for (auto& r : FRects) {
            edges.push_back(r.Top);
            edges.push_back(r.Bottom);
        }
    }

    TSpans Spans(int32_t y)
    {
        while (FNext < FRects.size() && FRects[FNext].Top <= y)
            FActive.push_back(FRects[FNext++]);
        std::erase_if(FActive, [y](TRect const& r) { return r.Bottom <= y; });
        TSpans spans;
        for (auto& r : FActive)
            spans.emplace_back(r.Left, r.Right);
        std::sort(spans.begin(), spans.end());
        TSpans merged;
        for (auto& s : spans) {
            if (!merged.empty() && s.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, s.second);
            else
                merged.push_back(s);
        }
        return merged;
    }

private:
    std::vector<TRect> FRects;
    std::vector<TRect> FActive;
    size_t FNext = 0;
};

bool Covered(TSpans const& spans, size_t& i, int32_t x)
{
    while (i < spans.size() && spans[i].second <= x)
        ++i;
    return i < spans.size() && spans[i].first <= x;
}

// Applies a boolean operation to two span lists.
template <typename Op> TSpans CombineSpans(TSpans const& a, TSpans const& b, Op op)
{
    std::vector<int32_t> xs;
    for (auto& s : a) {
        xs.push_back(s.first);
        xs.push_back(s.second);
    }
    for (auto& s : b) {
        xs.push_back(s.first);
        xs.push_back(s.second);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    TSpans out;
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < xs.size(); ++k) {
        if (!op(Covered(a, ia, xs[k]), Covered(b, ib, xs[k])))
            continue;
        if (!out.empty() && out.back().second == xs[k])
            out.back().second = xs[k + 1];
        else
            out.emplace_back(xs[k], xs[k + 1]);
    }
    return out;
}

// Builds the canonical rectangle list of op(a, b), band by band; bands of equal spans
// that touch vertically are merged, so equal pixel sets give equal lists.
template <typename Op>
std::vector<TRect> Combine(std::vector<TRect> const& a, std::vector<TRect> const& b, Op op)
{
    TBandWalker wa(a), wb(b);
    std::vector<int32_t> ys;
    wa.AddEdges(ys);
    wb.AddEdges(ys);
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<TRect> out;
    size_t prevStart = 0;
    TSpans prevSpans;
    int32_t prevBottom = 0;
    bool havePrev = false;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        int32_t y0 = ys[k], y1 = ys[k + 1];
        TSpans spans = CombineSpans(wa.Spans(y0), wb.Spans(y0), op);
        if (spans.empty()) {
            havePrev = false;
            continue;
        }
        if (havePrev && prevBottom == y0 && spans == prevSpans) {
            for (size_t i = prevStart; i < out.size(); ++i)
                out[i].Bottom = y1;
        } else {
            prevStart = out.size();
            for (auto& s : spans)
                out.push_back({ s.first, y0, s.second, y1 });
            prevSpans = std::move(spans);
        }
        prevBottom = y1;
        havePrev = true;
    }
    return out;
}

uint32_t ReadU32(std::string_view d, size_t at)
{
    uint32_t v;
    std::memcpy(&v, d.data() + at, 4);
    return v;
}

void PutU32(std::string& s, uint32_t v)
{
    char b[4];
    std::memcpy(b, &v, 4);
    s.append(b, 4);
}

} // namespace

TRegion::TRegion(TRect const& rect)
{
    if (!base::IsRectEmpty(rect))
        FRects.push_back(rect);
}

TRegion::TRegion(std::vector<TRect> const& rects)
{
    std::vector<TRect> valid;
    for (auto& r : rects)
        if (!base::IsRectEmpty(r))
            valid.push_back(r);
    FRects = Combine(valid, {}, [](bool a, bool) { return a; });
}

TRect TRegion::Box() const
{
    if (FRects.empty())
        return {};
    TRect box = FRects.front();
    for (auto& r : FRects) {
        box.Left = std::min(box.Left, r.Left);
        box.Top = std::min(box.Top, r.Top);
        box.Right = std::max(box.Right, r.Right);
        box.Bottom = std::max(box.Bottom, r.Bottom);
    }
    return box;
}

bool TRegion::Contains(int x, int y) const
{
    for (auto& r : FRects) {
        if (r.Top > y)
            break; // sorted by top
        if (base::PtInRect(r, { x, y }))
            return true;
    }
    return false;
}

bool TRegion::Intersects(TRect const& rect) const
{
    TRect tmp;
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
    TRegion r;
    r.FRects = Combine(FRects, other.FRects, [](bool a, bool b) { return a || b; });
    return r;
}

TRegion TRegion::Intersect(TRegion const& other) const
{
    TRegion r;
    r.FRects = Combine(FRects, other.FRects, [](bool a, bool b) { return a && b; });
    return r;
}

TRegion TRegion::Subtract(TRegion const& other) const
{
    TRegion r;
    r.FRects = Combine(FRects, other.FRects, [](bool a, bool b) { return a && !b; });
    return r;
}

TRegion TRegion::Xor(TRegion const& other) const
{
    TRegion r;
    r.FRects = Combine(FRects, other.FRects, [](bool a, bool b) { return a != b; });
    return r;
}

TRegion CreateRectRgn(int left, int top, int right, int bottom)
{
    // The platform accepts the corners in any order.
    return TRegion(base::Rect(
        std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)));
}

TRegion CreateRectRgnIndirect(TRect const& rect)
{
    return CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

TRegion ExtCreateRegion(std::string_view data)
{
    constexpr size_t headerSize = 32;
    if (data.size() < headerSize)
        throw base::EReadError("Region data is shorter than its header");
    uint32_t size = ReadU32(data, 0);
    uint32_t type = ReadU32(data, 4);
    uint32_t count = ReadU32(data, 8);
    if (size < headerSize || size > data.size())
        throw base::EReadError("Region data has an invalid header size");
    if (type != 1)
        throw base::EReadError("Region data is not a rectangle list");
    if (count > (data.size() - size) / 16)
        throw base::EReadError("Region data holds fewer rectangles than its header counts");
    std::vector<TRect> rects;
    rects.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        size_t at = size + size_t(i) * 16;
        TRect r;
        r.Left = int32_t(ReadU32(data, at));
        r.Top = int32_t(ReadU32(data, at + 4));
        r.Right = int32_t(ReadU32(data, at + 8));
        r.Bottom = int32_t(ReadU32(data, at + 12));
        rects.push_back(r);
    }
    return TRegion(rects);
}

std::string GetRegionData(TRegion const& region)
{
    std::string s;
    auto& rects = region.Rects();
    TRect box = region.Box();
    PutU32(s, 32);
    PutU32(s, 1);
    PutU32(s, uint32_t(rects.size()));
    PutU32(s, uint32_t(rects.size() * 16));
    for (int32_t v : { box.Left, box.Top, box.Right, box.Bottom })
        PutU32(s, uint32_t(v));
    for (auto& r : rects)
        for (int32_t v : { r.Left, r.Top, r.Right, r.Bottom })
            PutU32(s, uint32_t(v));
    return s;
}

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

bool RectInRegion(TRegion const& region, TRect const& rect) { return region.Intersects(rect); }

int GetRgnBox(TRegion const& region, TRect& box)
{
    box = region.Box();
    return RegionKind(region);
}

bool EqualRgn(TRegion const& a, TRegion const& b) { return a == b; }

} // namespace xe::gfx
