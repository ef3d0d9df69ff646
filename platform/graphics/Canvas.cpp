#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/base/Strings.h"
#include "platform/graphics/FontEngine.h"

namespace xe::gfx {

using base::TColor;
using base::TPoint;
using base::TRect;

namespace {

struct TBgr {
    uint8_t B, G, R;
};

TBgr ToBgr(TColor color)
{
    color = base::ColorToRGB(color);
    return { base::GetBValue(color), base::GetGValue(color), base::GetRValue(color) };
}

void ApplyRun(uint8_t* p, int n, TBgr c, int mode)
{
    switch (mode) {
    case pmCopy:
        for (int i = 0; i < n; ++i, p += 3) {
            p[0] = c.B;
            p[1] = c.G;
            p[2] = c.R;
        }
        break;
    case pmNot:
        for (int i = 0; i < n * 3; ++i)
            p[i] = uint8_t(~p[i]);
        break;
    case pmXor:
        for (int i = 0; i < n; ++i, p += 3) {
            p[0] ^= c.B;
            p[1] ^= c.G;
            p[2] ^= c.R;
        }
        break;
    case pmNotXor:
        for (int i = 0; i < n; ++i, p += 3) {
            p[0] = uint8_t(~(p[0] ^ c.B));
            p[1] = uint8_t(~(p[1] ^ c.G));
            p[2] = uint8_t(~(p[2] ^ c.R));
        }
        break;
    }
}

// The reference evaluation of a ternary raster operation on one byte: bit i of code is
// the result for pattern bit P, source bit S and destination bit D with i = 4P + 2S + D.
uint8_t Rop3(uint8_t code, uint8_t p, uint8_t s, uint8_t d)
{
    uint8_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((code >> i) & 1))
            continue;
        uint8_t term = uint8_t((i & 4) ? p : ~p) & uint8_t((i & 2) ? s : ~s) & uint8_t((i & 1) ? d : ~d);
        result |= term;
    }
    return result;
}

// d = op(d, s) over n bytes, eight at a time; the rows never overlap.
template <typename Op> void CombineWords(uint8_t* d, uint8_t const* s, size_t n, Op op)
{
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t a, b;
        std::memcpy(&a, d + i, 8);
        std::memcpy(&b, s + i, 8);
        a = op(a, b);
        std::memcpy(d + i, &a, 8);
    }
    for (; i < n; ++i)
        d[i] = uint8_t(op(d[i], s[i]));
}

// Combines n bytes of a row. s may be null for operations without a source; pattern is the
// brush colour as blue, green, red, and d starts on a pixel boundary.
void RopBytes(uint8_t* d, uint8_t const* s, size_t n, uint8_t code, const uint8_t pattern[3])
{
    static const uint8_t zeros[3] = { 0, 0, 0 };
    if (!pattern)
        pattern = zeros;
    switch (code) {
    case 0xCC: // SRCCOPY
        std::memmove(d, s, n);
        return;
    case 0x66: // SRCINVERT
        CombineWords(d, s, n, [](uint64_t a, uint64_t b) { return a ^ b; });
        return;
    case 0x88: // SRCAND
        CombineWords(d, s, n, [](uint64_t a, uint64_t b) { return a & b; });
        return;
    case 0xEE: // SRCPAINT
        CombineWords(d, s, n, [](uint64_t a, uint64_t b) { return a | b; });
        return;
    case 0x33: // NOTSRCCOPY
        for (size_t i = 0; i < n; ++i)
            d[i] = uint8_t(~s[i]);
        return;
    case 0x00: // BLACKNESS
        std::memset(d, 0, n);
        return;
    case 0xFF: // WHITENESS
        std::memset(d, 0xFF, n);
        return;
    case 0x55: // DSTINVERT
        for (size_t i = 0; i < n; ++i)
            d[i] = uint8_t(~d[i]);
        return;
    case 0xAA: // the destination unchanged
        return;
    default:
        for (size_t i = 0; i < n; ++i)
            d[i] = Rop3(code, pattern[i % 3], s ? s[i] : 0, d[i]);
        return;
    }
}

bool UsesSource(uint8_t code)
{
    // The source matters when swapping S changes the truth table.
    return ((code >> 2) & 0x33) != (code & 0x33);
}

// Is the pixel centre (px + 0.5, py + 0.5) of a w x h box inside the box's ellipse?
bool InEllipse(int64_t px, int64_t py, int64_t w, int64_t h)
{
    if (w <= 2 || h <= 2)
        return px >= 0 && py >= 0 && px < w && py < h;
    double a = double(w) / 2.0, b = double(h) / 2.0;
    double dx = (double(px) + 0.5 - a) / a, dy = (double(py) + 0.5 - b) / b;
    return dx * dx + dy * dy <= 1.0 + 1e-9;
}

// A logical rectangle in bitmap coordinates. Edges far outside the bitmap are pulled in to just
// outside it, which draws the same, so that no arithmetic on them can overflow.
TRect ToBitmapRect(TRect const& r, int64_t ox, int64_t oy, int w, int h)
{
    constexpr int64_t margin = 1024;
    auto cx = [&](int64_t v) { return int(std::clamp<int64_t>(v + ox, -margin, w + margin)); };
    auto cy = [&](int64_t v) { return int(std::clamp<int64_t>(v + oy, -margin, h + margin)); };
    return { cx(r.Left), cy(r.Top), cx(r.Right), cy(r.Bottom) };
}

// A text position in bitmap coordinates; text that starts this far away cannot reach the bitmap.
int ToBitmapPos(int64_t v, int64_t offset)
{
    return int(std::clamp<int64_t>(v + offset, -(int64_t(1) << 24), int64_t(1) << 24));
}

TRect OffsetClamped(TRect const& r, int64_t dx, int64_t dy)
{
    auto c = [](int64_t v) { return int(std::clamp<int64_t>(v, -(int64_t(1) << 30), int64_t(1) << 30)); };
    return { c(r.Left + dx), c(r.Top + dy), c(r.Right + dx), c(r.Bottom + dy) };
}

// A negative extent reaches back from its position: the same span with a positive extent.
void MakePositive(int64_t& position, int64_t& extent)
{
    if (extent < 0) {
        position += extent;
        extent = -extent;
    }
}

bool IsCjk(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Characters that may not start a line, and characters that may not end one.
bool NoLineStart(char32_t c)
{
    return std::u32string_view(U",.;:?!)]}%\u3001\u3002\uFF0C\uFF0E\uFF1B\uFF1A\uFF1F\uFF01\uFF09"
                               U"\u300D\u300F\u3011\u300B\u3009\u201D\u2019\u2026\u30FC\uFF5D\uFF3D")
               .find(c)
        != std::u32string_view::npos;
}

bool NoLineEnd(char32_t c)
{
    return std::u32string_view(U"([{\uFF08\u300C\u300E\u3010\u300A\u3008\u201C\u2018\uFF5B\uFF3B").find(c)
        != std::u32string_view::npos;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// State, origin and clipping

TCanvas::TCanvas(TBitmap& bitmap)
    : FBitmap(&bitmap)
{
}

int TCanvas::SetBkMode(int mode)
{
    int old = FBkMode;
    if (mode == TRANSPARENT || mode == OPAQUE)
        FBkMode = mode;
    return old;
}

void TCanvas::SetOrigin(TPoint origin)
{
    FOrigin = origin;
    ClipChanged();
}

void TCanvas::SetViewportOrg(TPoint org) { FViewportOrg = org; }

void TCanvas::OffsetViewportOrg(int dx, int dy)
{
    FViewportOrg = { FViewportOrg.X + dx, FViewportOrg.Y + dy };
}

void TCanvas::SetClipRect(TRect const& deviceRect)
{
    FLimit = deviceRect;
    FHasLimit = true;
    ClipChanged();
}

void TCanvas::ResetClipRect()
{
    FHasLimit = false;
    ClipChanged();
}

std::vector<TRect> const& TCanvas::ClipRects() const
{
    if (FClipDirty || FClipWidth != Width() || FClipHeight != Height()) {
        TRegion area(base::Rect(0, 0, Width(), Height()));
        if (FHasLimit) {
            TRect limit = FLimit;
            base::OffsetRect(limit, FOrigin.X, FOrigin.Y);
            area = area.Intersect(TRegion(limit));
        }
        if (FHasClip) {
            TRegion clip = FClip;
            clip.Offset(FOrigin.X, FOrigin.Y);
            area = area.Intersect(clip);
        }
        FClipRects = area.Rects();
        FClipDirty = false;
        FClipWidth = Width();
        FClipHeight = Height();
    }
    return FClipRects;
}

TRegion TCanvas::DeviceArea() const
{
    if (FHasLimit)
        return TRegion(FLimit);
    return TRegion(base::Rect(-FOrigin.X, -FOrigin.Y, Width() - FOrigin.X, Height() - FOrigin.Y));
}

int TCanvas::ClipKind() const
{
    auto& rects = ClipRects();
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int TCanvas::SelectClipRgn(TRegion const* deviceRegion)
{
    FHasClip = deviceRegion != nullptr;
    FClip = deviceRegion ? *deviceRegion : TRegion();
    ClipChanged();
    return ClipKind();
}

namespace {
// A logical rectangle as a device region; an empty rectangle is no area wherever it lies.
TRegion DeviceRegionOf(TRect const& rect, TPoint viewportOrg)
{
    return TRegion(base::IsRectEmpty(rect) ? TRect {} : OffsetClamped(rect, viewportOrg.X, viewportOrg.Y));
}
}

int TCanvas::IntersectClipRect(TRect const& rect)
{
    CombineRgn(FClip, FHasClip ? FClip : DeviceArea(), DeviceRegionOf(rect, FViewportOrg), RGN_AND);
    FHasClip = true;
    ClipChanged();
    return ClipKind();
}

int TCanvas::ExcludeClipRect(TRect const& rect)
{
    CombineRgn(FClip, FHasClip ? FClip : DeviceArea(), DeviceRegionOf(rect, FViewportOrg), RGN_DIFF);
    FHasClip = true;
    ClipChanged();
    return ClipKind();
}

bool TCanvas::GetClipRgn(TRegion& deviceRegion) const
{
    deviceRegion = FHasClip ? FClip : TRegion();
    return FHasClip;
}

TRect TCanvas::ClipRect() const
{
    TRect box = TRegion(ClipRects()).Box();
    if (base::IsRectEmpty(box))
        return {};
    base::OffsetRect(box, -OffX(), -OffY());
    return box;
}

bool TCanvas::PtVisible(int x, int y) const
{
    TPoint p { x + OffX(), y + OffY() };
    for (auto& r : ClipRects())
        if (base::PtInRect(r, p))
            return true;
    return false;
}

bool TCanvas::RectVisible(TRect const& rect) const
{
    TRect r = ToBitmapRect(rect, OffX(), OffY(), Width(), Height()), tmp;
    if (base::IsRectEmpty(rect))
        return false;
    for (auto& c : ClipRects())
        if (base::IntersectRect(tmp, c, r))
            return true;
    return false;
}

int TCanvas::SaveDC()
{
    FSaved.push_back({ Pen, Brush, Font, CopyMode, FBkMode, FPenPos, FOrigin, FViewportOrg, FLimit, FHasLimit,
        FClip, FHasClip });
    return int(FSaved.size());
}

bool TCanvas::RestoreDC(int saved)
{
    int level = saved < 0 ? int(FSaved.size()) + saved + 1 : saved;
    if (level < 1 || level > int(FSaved.size()))
        return false;
    TState& s = FSaved[size_t(level) - 1];
    Pen = s.Pen;
    Brush = s.Brush;
    auto onChange = std::move(Font.OnChange);
    Font = s.Font;
    Font.OnChange = std::move(onChange);
    CopyMode = s.CopyMode;
    FBkMode = s.BkMode;
    FPenPos = s.PenPos;
    FOrigin = s.Origin;
    FViewportOrg = s.ViewportOrg;
    FLimit = s.Limit;
    FHasLimit = s.HasLimit;
    FClip = std::move(s.Clip);
    FHasClip = s.HasClip;
    FSaved.resize(size_t(level) - 1);
    ClipChanged();
    return true;
}

TCanvasSaver::TCanvasSaver(TCanvas& canvas)
    : FCanvas(canvas)
    , FLevel(canvas.SaveDC())
{
}

TCanvasSaver::~TCanvasSaver() { FCanvas.RestoreDC(FLevel); }

// ---------------------------------------------------------------------------------------------
// Pixels, spans and shapes

void TCanvas::FillSpan(int y, int x0, int x1, TColor rgb, int mode)
{
    if (x0 >= x1)
        return;
    TBgr c = ToBgr(rgb);
    for (auto& r : ClipRects()) {
        if (r.Top > y)
            break;
        if (y >= r.Bottom)
            continue;
        int lo = std::max(x0, r.Left), hi = std::min(x1, r.Right);
        if (lo < hi)
            ApplyRun(FBitmap->ScanLine(y) + lo * 3, hi - lo, c, mode);
    }
}

void TCanvas::FillBox(TRect const& box, TColor rgb, int mode)
{
    TBgr c = ToBgr(rgb);
    TRect part;
    for (auto& r : ClipRects()) {
        if (!base::IntersectRect(part, r, box))
            continue;
        for (int y = part.Top; y < part.Bottom; ++y)
            ApplyRun(FBitmap->ScanLine(y) + part.Left * 3, part.Width(), c, mode);
    }
}

void TCanvas::PlotPen(int x, int y)
{
    int w = std::max(1, Pen.Width);
    int half = (w - 1) / 2;
    if (w == 1)
        FillSpan(y, x, x + 1, Pen.Color, Pen.Mode);
    else
        FillBox(base::Bounds(x - half, y - half, w, w), Pen.Color, Pen.Mode);
}

void TCanvas::LineRaw(int64_t x0, int64_t y0, int64_t x1, int64_t y1)
{
    if (Pen.Style == psClear)
        return;
    int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1, dy = y1 > y0 ? y1 - y0 : y0 - y1;
    if (std::max(dx, dy) > 65536) {
        // A very long line is stepped along its major axis over the visible part only, the
        // minor coordinate rounded from the exact line.
        int64_t margin = std::clamp(Pen.Width, 1, 256);
        bool xMajor = dx >= dy;
        int64_t a0 = xMajor ? x0 : y0, a1 = xMajor ? x1 : y1, b0 = xMajor ? y0 : x0, b1 = xMajor ? y1 : x1;
        int64_t extent = xMajor ? Width() : Height(), other = xMajor ? Height() : Width();
        int64_t step = a0 < a1 ? 1 : -1;
        int64_t from = step > 0 ? std::max(a0, -margin) : std::min(a0, extent + margin);
        int64_t to = step > 0 ? std::min(a1, extent + margin) : std::max(a1, -margin - 1);
        for (int64_t t = from; step > 0 ? t < to : t > to; t += step) {
            int64_t b = b0 + std::llround(double(t - a0) * double(b1 - b0) / double(a1 - a0));
            if (b < -margin || b > other + margin)
                continue;
            if (xMajor)
                PlotPen(int(t), int(b));
            else
                PlotPen(int(b), int(t));
        }
        return;
    }
    int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    dy = -dy;
    int64_t err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        if (x0 >= INT32_MIN && x0 <= INT32_MAX && y0 >= INT32_MIN && y0 <= INT32_MAX)
            PlotPen(int(x0), int(y0));
        int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

TColor TCanvas::Pixel(int x, int y) const { return FBitmap->Pixel(x + OffX(), y + OffY()); }

void TCanvas::SetPixel(int x, int y, TColor color)
{
    FillSpan(y + OffY(), x + OffX(), x + OffX() + 1, color, pmCopy);
}

void TCanvas::FillRect(TRect const& rect)
{
    if (Brush.Style == bsClear || base::IsRectEmpty(rect))
        return;
    FillBox(ToBitmapRect(rect, OffX(), OffY(), Width(), Height()), Brush.Color, pmCopy);
}

void TCanvas::FrameRect(TRect const& rect)
{
    if (Brush.Style == bsClear || base::IsRectEmpty(rect))
        return;
    TRect b = ToBitmapRect(rect, OffX(), OffY(), Width(), Height());
    FillBox({ b.Left, b.Top, b.Right, b.Top + 1 }, Brush.Color, pmCopy);
    if (b.Height() > 1)
        FillBox({ b.Left, b.Bottom - 1, b.Right, b.Bottom }, Brush.Color, pmCopy);
    FillBox({ b.Left, b.Top + 1, b.Left + 1, b.Bottom - 1 }, Brush.Color, pmCopy);
    if (b.Width() > 1)
        FillBox({ b.Right - 1, b.Top + 1, b.Right, b.Bottom - 1 }, Brush.Color, pmCopy);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    TRect b = ToBitmapRect({ std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) }, OffX(),
        OffY(), Width(), Height());
    if (Pen.Style == psClear) {
        // Without a pen the platform fills one pixel less to the right and bottom.
        if (Brush.Style == bsSolid)
            FillBox({ b.Left, b.Top, b.Right - 1, b.Bottom - 1 }, Brush.Color, pmCopy);
        return;
    }
    if (base::IsRectEmpty(b))
        return;
    // The outline lies inside the box; a wide pen grows inwards.
    int w = std::min({ std::max(1, Pen.Width), (b.Width() + 1) / 2, (b.Height() + 1) / 2 });
    FillBox({ b.Left, b.Top, b.Right, b.Top + w }, Pen.Color, Pen.Mode);
    if (b.Bottom - w >= b.Top + w)
        FillBox({ b.Left, b.Bottom - w, b.Right, b.Bottom }, Pen.Color, Pen.Mode);
    else if (b.Bottom > b.Top + w)
        FillBox({ b.Left, b.Top + w, b.Right, b.Bottom }, Pen.Color, Pen.Mode);
    FillBox({ b.Left, b.Top + w, b.Left + w, b.Bottom - w }, Pen.Color, Pen.Mode);
    if (b.Right - w >= b.Left + w)
        FillBox({ b.Right - w, b.Top + w, b.Right, b.Bottom - w }, Pen.Color, Pen.Mode);
    else if (b.Right > b.Left + w)
        FillBox({ b.Left + w, b.Top + w, b.Right, b.Bottom - w }, Pen.Color, Pen.Mode);
    if (Brush.Style == bsSolid)
        FillBox({ b.Left + w, b.Top + w, b.Right - w, b.Bottom - w }, Brush.Color, pmCopy);
}

// Rasterises a shape given by a membership test over its box (box-relative pixel
// coordinates): members with a non-member 4-neighbour form the outline, drawn with the pen;
// the other members are filled with the brush. Without a pen the brush fills every member.
template <typename Inside> void TCanvas::DrawShape(int x1, int y1, int x2, int y2, Inside inside)
{
    int64_t left = std::min(x1, x2), top = std::min(y1, y2);
    int64_t w = std::abs(int64_t(x2) - x1), h = std::abs(int64_t(y2) - y1);
    if (w == 0 || h == 0)
        return;
    int penWidth = std::clamp(Pen.Width, 1, 256);
    // Box coordinates of the part inside the bitmap; only that part is rasterised, with a
    // margin of the pen's width for the outline test.
    int64_t ox = left + OffX(), oy = top + OffY();
    int64_t visLeft = std::max<int64_t>(0, -ox), visRight = std::min<int64_t>(w, Width() - ox);
    int64_t visTop = std::max<int64_t>(0, -oy), visBottom = std::min<int64_t>(h, Height() - oy);
    if (visLeft >= visRight || visTop >= visBottom)
        return;
    int64_t memLeft = std::max<int64_t>(0, visLeft - penWidth), memRight = std::min(w, visRight + penWidth);
    int64_t memTop = std::max<int64_t>(0, visTop - penWidth), memBottom = std::min(h, visBottom + penWidth);
    int64_t memW = memRight - memLeft;
    std::vector<uint8_t> member(size_t(memW * (memBottom - memTop)));
    for (int64_t y = memTop; y < memBottom; ++y)
        for (int64_t x = memLeft; x < memRight; ++x)
            member[size_t((y - memTop) * memW + (x - memLeft))] = inside(x, y) ? 1 : 0;
    auto at = [&](int64_t x, int64_t y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        if (x < memLeft || y < memTop || x >= memRight || y >= memBottom)
            return bool(inside(x, y));
        return member[size_t((y - memTop) * memW + (x - memLeft))] != 0;
    };
    auto isOutline = [&](int64_t x, int64_t y) {
        if (penWidth == 1)
            return !at(x - 1, y) || !at(x + 1, y) || !at(x, y - 1) || !at(x, y + 1);
        for (int dy = -penWidth + 1; dy < penWidth; ++dy)
            for (int dx = -penWidth + 1; dx < penWidth; ++dx)
                if (!at(x + dx, y + dy))
                    return true;
        return false;
    };
    bool pen = Pen.Style == psSolid, brush = Brush.Style == bsSolid;
    for (int64_t y = visTop; y < visBottom; ++y) {
        int64_t x = visLeft;
        while (x < visRight) {
            if (!at(x, y)) {
                ++x;
                continue;
            }
            bool outline = pen && isOutline(x, y);
            int64_t start = x;
            while (x < visRight && at(x, y) && (pen && isOutline(x, y)) == outline)
                ++x;
            if (outline)
                FillSpan(int(oy + y), int(ox + start), int(ox + x), Pen.Color, Pen.Mode);
            else if (brush)
                FillSpan(int(oy + y), int(ox + start), int(ox + x), Brush.Color, pmCopy);
        }
    }
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    int64_t w = std::abs(int64_t(x2) - x1), h = std::abs(int64_t(y2) - y1);
    DrawShape(x1, y1, x2, y2, [w, h](int64_t x, int64_t y) { return InEllipse(x, y, w, h); });
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight)
{
    int64_t w = std::abs(int64_t(x2) - x1), h = std::abs(int64_t(y2) - y1);
    int64_t ew = std::clamp<int64_t>(ellipseWidth, 0, w), eh = std::clamp<int64_t>(ellipseHeight, 0, h);
    DrawShape(x1, y1, x2, y2, [=](int64_t x, int64_t y) {
        if (ew < 2 || eh < 2)
            return true;
        // Corners take the quarters of an ew x eh ellipse.
        int64_t cx = x < ew / 2 ? x : x >= w - ew / 2 ? x - (w - ew) : -1;
        int64_t cy = y < eh / 2 ? y : y >= h - eh / 2 ? y - (h - eh) : -1;
        if (cx < 0 || cy < 0)
            return true;
        return InEllipse(cx, cy, ew, eh);
    });
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    double left = std::min(x1, x2), top = std::min(y1, y2);
    int64_t w = std::abs(int64_t(x2) - x1), h = std::abs(int64_t(y2) - y1);
    double cx = left + double(w) / 2.0, cy = top + double(h) / 2.0;
    // Angles grow counter-clockwise on the screen, so y is negated.
    double start = std::atan2(-(y3 - cy), x3 - cx);
    double end = std::atan2(-(y4 - cy), x4 - cx);
    constexpr double twoPi = 2 * std::numbers::pi;
    auto norm = [](double a) {
        a = std::fmod(a, twoPi);
        return a < 0 ? a + twoPi : a;
    };
    double span = norm(end - start);
    bool whole = (x3 == x4 && y3 == y4) || span < 1e-12 || span > twoPi - 1e-12;
    DrawShape(x1, y1, x2, y2, [=](int64_t x, int64_t y) {
        if (!InEllipse(x, y, w, h))
            return false;
        if (whole)
            return true;
        double dx = left + double(x) + 0.5 - cx, dy = top + double(y) + 0.5 - cy;
        if (std::abs(dx) < 1e-12 && std::abs(dy) < 1e-12)
            return true;
        return norm(std::atan2(-dy, dx) - start) <= span + 1e-12;
    });
}

void TCanvas::Polygon(std::vector<TPoint> const& points)
{
    if (points.empty())
        return;
    int ox = OffX(), oy = OffY();
    if (Brush.Style == bsSolid && points.size() >= 3) {
        int minY = points[0].Y, maxY = points[0].Y;
        for (auto& p : points) {
            minY = std::min(minY, p.Y);
            maxY = std::max(maxY, p.Y);
        }
        std::vector<double> xs;
        // Only the rows inside the bitmap.
        int64_t fromY = std::max<int64_t>(minY, -int64_t(oy)),
                toY = std::min<int64_t>(maxY, int64_t(Height()) - oy);
        for (int y = int(fromY); y < toY; ++y) {
            // Even-odd fill of the pixel centres on this row.
            double yc = y + 0.5;
            xs.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                TPoint a = points[i], b = points[(i + 1) % points.size()];
                if ((a.Y <= yc) == (b.Y <= yc))
                    continue;
                xs.push_back(a.X + (yc - a.Y) * (b.X - a.X) / double(b.Y - a.Y));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                // Columns are limited to the bitmap before converting back to int.
                double from = std::ceil(xs[i] - 0.5) + ox, to = std::ceil(xs[i + 1] - 0.5) + ox;
                FillSpan(y + oy, int(std::clamp(from, -1.0, double(Width()))),
                    int(std::clamp(to, -1.0, double(Width()))), Brush.Color, pmCopy);
            }
        }
    }
    if (points.size() == 1) {
        if (Pen.Style == psSolid)
            LineRaw(int64_t(points[0].X) + ox, int64_t(points[0].Y) + oy, int64_t(points[0].X) + ox + 1,
                int64_t(points[0].Y) + oy);
        return;
    }
    for (size_t i = 0; i < points.size(); ++i) {
        TPoint a = points[i], b = points[(i + 1) % points.size()];
        LineRaw(int64_t(a.X) + ox, int64_t(a.Y) + oy, int64_t(b.X) + ox, int64_t(b.Y) + oy);
    }
}

void TCanvas::MoveTo(int x, int y) { FPenPos = { x, y }; }

void TCanvas::LineTo(int x, int y)
{
    LineRaw(
        int64_t(FPenPos.X) + OffX(), int64_t(FPenPos.Y) + OffY(), int64_t(x) + OffX(), int64_t(y) + OffY());
    FPenPos = { x, y };
}

void TCanvas::Polyline(std::vector<TPoint> const& points)
{
    for (size_t i = 0; i + 1 < points.size(); ++i)
        LineRaw(int64_t(points[i].X) + OffX(), int64_t(points[i].Y) + OffY(),
            int64_t(points[i + 1].X) + OffX(), int64_t(points[i + 1].Y) + OffY());
}

// ---------------------------------------------------------------------------------------------
// Block transfers

struct TBlitter {
    // All coordinates in bitmap pixels. Sizes may be negative to mirror. Destination pixels
    // whose source pixel lies outside src are left alone; with a transparent colour, source
    // pixels of that colour are skipped.
    static void Blit(TCanvas& dst, int64_t x, int64_t y, int64_t w, int64_t h, TBitmap const& srcBitmap,
        int64_t sx, int64_t sy, int64_t sw, int64_t sh, uint32_t rop, TColor const* transparent)
    {
        // Coordinates are widened so that sizes from anywhere (a skin file) cannot overflow.
        uint8_t code = uint8_t((rop >> 16) & 0xFF);
        bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
        MakePositive(x, w);
        MakePositive(y, h);
        MakePositive(sx, sw);
        MakePositive(sy, sh);
        if (w == 0 || h == 0)
            return;
        // Only the part of the destination inside the bitmap is worked on.
        int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
        int64_t right = std::min<int64_t>(x + w, dst.Width()),
                bottom = std::min<int64_t>(y + h, dst.Height());
        if (left >= right || top >= bottom)
            return;
        TRect dest { int(left), int(top), int(right), int(bottom) };
        TBgr pb = ToBgr(dst.Brush.Color);
        uint8_t pattern[3] = { pb.B, pb.G, pb.R };

        if (!UsesSource(code)) {
            TRect part;
            for (auto& r : dst.ClipRects())
                if (base::IntersectRect(part, r, dest))
                    for (int yy = part.Top; yy < part.Bottom; ++yy)
                        RopBytes(dst.FBitmap->ScanLine(yy) + part.Left * 3, nullptr, size_t(part.Width()) * 3,
                            code, pattern);
            return;
        }
        if (sw == 0 || sh == 0 || srcBitmap.Empty())
            return;

        // Source column and row of every visible destination column and row, -1 where the
        // source bitmap has none. Nearest neighbour: destination column i (counted from the
        // rectangle's left) takes source column floor(i * sw / w), rows likewise.
        auto map = [](int from, int to, int64_t origin, int64_t size, int64_t s0, int64_t ssize, bool mirror,
                       int limit) {
            std::vector<int> out(size_t(to - from));
            for (int v = from; v < to; ++v) {
                uint64_t i = uint64_t(v - origin);
                int64_t k = int64_t(i * uint64_t(ssize) / uint64_t(size));
                int64_t c = mirror ? s0 + ssize - 1 - k : s0 + k;
                out[size_t(v - from)] = c >= 0 && c < limit ? int(c) : -1;
            }
            return out;
        };
        std::vector<int> cols = map(dest.Left, dest.Right, x, w, sx, sw, mirrorX, srcBitmap.Width());
        std::vector<int> rows = map(dest.Top, dest.Bottom, y, h, sy, sh, mirrorY, srcBitmap.Height());

        // A source on the destination's own bitmap is read from a copy, so that overlapping
        // moves read the pixels as they were.
        TBitmap copy;
        TBitmap const* src = &srcBitmap;
        if (src == dst.FBitmap) {
            copy = srcBitmap;
            src = &copy;
        }

        bool stretched = w != sw || h != sh || mirrorX || mirrorY;
        bool allColsInside = std::all_of(cols.begin(), cols.end(), [](int c) { return c >= 0; });
        TBgr key {};
        if (transparent)
            key = ToBgr(*transparent);
        TRect part;
        for (auto& r : dst.ClipRects()) {
            if (!base::IntersectRect(part, r, dest))
                continue;
            bool plainCopy = code == 0xCC && !transparent;
            for (int yy = part.Top; yy < part.Bottom; ++yy) {
                int srow = rows[size_t(yy - dest.Top)];
                if (srow < 0)
                    continue;
                uint8_t const* sline = src->ScanLine(srow);
                uint8_t* dline = dst.FBitmap->ScanLine(yy);
                if (!stretched && !transparent) {
                    // Equal sizes: the visible columns with a source are one run.
                    int a = part.Left, b = part.Right;
                    while (a < b && cols[size_t(a - dest.Left)] < 0)
                        ++a;
                    while (b > a && cols[size_t(b - 1 - dest.Left)] < 0)
                        --b;
                    if (a < b)
                        RopBytes(dline + a * 3, sline + cols[size_t(a - dest.Left)] * 3, size_t(b - a) * 3,
                            code, pattern);
                    continue;
                }
                if (plainCopy && allColsInside && yy > part.Top && rows[size_t(yy - 1 - dest.Top)] == srow) {
                    // A repeated source row gives the same pixels as the row above.
                    std::memcpy(dline + part.Left * 3, dst.FBitmap->ScanLine(yy - 1) + part.Left * 3,
                        size_t(part.Width()) * 3);
                    continue;
                }
                for (int xx = part.Left; xx < part.Right; ++xx) {
                    int scol = cols[size_t(xx - dest.Left)];
                    if (scol < 0)
                        continue;
                    uint8_t const* sp = sline + scol * 3;
                    if (plainCopy) {
                        std::memcpy(dline + xx * 3, sp, 3);
                        continue;
                    }
                    if (transparent && sp[0] == key.B && sp[1] == key.G && sp[2] == key.R)
                        continue;
                    RopBytes(dline + xx * 3, sp, 3, code, pattern);
                }
            }
        }
    }

    static int64_t OffX(TCanvas const& c) { return c.OffX(); }
    static int64_t OffY(TCanvas const& c) { return c.OffY(); }
};

bool BitBlt(TCanvas& dst, int x, int y, int w, int h, TCanvas const& src, int sx, int sy, uint32_t rop)
{
    TBlitter::Blit(dst, x + TBlitter::OffX(dst), y + TBlitter::OffY(dst), w, h, src.Bitmap(),
        sx + TBlitter::OffX(src), sy + TBlitter::OffY(src), w, h, rop, nullptr);
    return true;
}

bool BitBlt(TCanvas& dst, int x, int y, int w, int h, TBitmap const& src, int sx, int sy, uint32_t rop)
{
    TBlitter::Blit(
        dst, x + TBlitter::OffX(dst), y + TBlitter::OffY(dst), w, h, src, sx, sy, w, h, rop, nullptr);
    return true;
}

bool StretchBlt(TCanvas& dst, int x, int y, int w, int h, TCanvas const& src, int sx, int sy, int sw, int sh,
    uint32_t rop)
{
    TBlitter::Blit(dst, x + TBlitter::OffX(dst), y + TBlitter::OffY(dst), w, h, src.Bitmap(),
        sx + TBlitter::OffX(src), sy + TBlitter::OffY(src), sw, sh, rop, nullptr);
    return true;
}

bool StretchBlt(TCanvas& dst, int x, int y, int w, int h, TBitmap const& src, int sx, int sy, int sw, int sh,
    uint32_t rop)
{
    TBlitter::Blit(
        dst, x + TBlitter::OffX(dst), y + TBlitter::OffY(dst), w, h, src, sx, sy, sw, sh, rop, nullptr);
    return true;
}

bool PatBlt(TCanvas& dst, int x, int y, int w, int h, uint32_t rop)
{
    if (UsesSource(uint8_t((rop >> 16) & 0xFF)))
        return false;
    static const TBitmap none;
    TBlitter::Blit(
        dst, x + TBlitter::OffX(dst), y + TBlitter::OffY(dst), w, h, none, 0, 0, w, h, rop, nullptr);
    return true;
}

void TCanvas::Draw(int x, int y, TBitmap const& bitmap)
{
    TColor key = bitmap.TransparentColor();
    TBlitter::Blit(*this, int64_t(x) + OffX(), int64_t(y) + OffY(), bitmap.Width(), bitmap.Height(), bitmap,
        0, 0, bitmap.Width(), bitmap.Height(), CopyMode, bitmap.Transparent() ? &key : nullptr);
}

void TCanvas::StretchDraw(TRect const& rect, TBitmap const& bitmap)
{
    TColor key = bitmap.TransparentColor();
    TBlitter::Blit(*this, int64_t(rect.Left) + OffX(), int64_t(rect.Top) + OffY(),
        int64_t(rect.Right) - rect.Left, int64_t(rect.Bottom) - rect.Top, bitmap, 0, 0, bitmap.Width(),
        bitmap.Height(), CopyMode, bitmap.Transparent() ? &key : nullptr);
}

void TCanvas::CopyRect(TRect const& dest, TCanvas const& source, TRect const& sourceRect)
{
    TBlitter::Blit(*this, int64_t(dest.Left) + OffX(), int64_t(dest.Top) + OffY(),
        int64_t(dest.Right) - dest.Left, int64_t(dest.Bottom) - dest.Top, source.Bitmap(),
        int64_t(sourceRect.Left) + source.OffX(), int64_t(sourceRect.Top) + source.OffY(),
        int64_t(sourceRect.Right) - sourceRect.Left, int64_t(sourceRect.Bottom) - sourceRect.Top, CopyMode,
        nullptr);
}

void TCanvas::DrawMasked(TRect const& rect, TBitmap const& picture, std::vector<uint8_t> const& opacity)
{
    int const pw = picture.Width(), ph = picture.Height();
    int64_t const w = int64_t(rect.Right) - rect.Left, h = int64_t(rect.Bottom) - rect.Top;
    if (pw <= 0 || ph <= 0 || w <= 0 || h <= 0)
        return;
    bool const masked = opacity.size() == size_t(pw) * size_t(ph);
    // Only the part of the rectangle that lies on the bitmap is visited.
    int64_t const left = int64_t(rect.Left) + OffX(), top = int64_t(rect.Top) + OffY();
    int64_t const x0 = std::max<int64_t>(left, 0), x1 = std::min<int64_t>(left + w, Width());
    int64_t const y0 = std::max<int64_t>(top, 0), y1 = std::min<int64_t>(top + h, Height());
    for (int64_t y = y0; y < y1; ++y) {
        int const sy = int((y - top) * ph / h);
        for (int64_t x = x0; x < x1; ++x) {
            int const sx = int((x - left) * pw / w);
            int const a = masked ? opacity[size_t(sy) * size_t(pw) + size_t(sx)] : 255;
            if (a == 0)
                continue;
            TColor color = picture.Pixel(sx, sy);
            if (a < 255) {
                TColor const under = FBitmap->Pixel(int(x), int(y));
                auto mix = [a](int s, int d) { return uint8_t((s * a + d * (255 - a) + 127) / 255); };
                color = base::RGB(mix(base::GetRValue(color), base::GetRValue(under)),
                    mix(base::GetGValue(color), base::GetGValue(under)),
                    mix(base::GetBValue(color), base::GetBValue(under)));
            }
            FillSpan(int(y), int(x), int(x) + 1, color, pmCopy);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Text

namespace {

int LineWidth(TFontInstance& font, std::u32string_view text)
{
    int w = 0;
    for (char32_t c : text)
        w += font.Glyph(c).Advance;
    return w;
}

// One line of DrawText's output, and the position of its underlined character or -1.
struct TTextLine {
    std::u32string Text;
    int Underline = -1;
};

// Text with its prefix characters resolved: "&x" underlines x, "&&" is one ampersand. When
// several characters are marked, the last one is underlined.
struct TPrefixedText {
    std::u32string Chars;
    int Underline = -1;
};

TPrefixedText ResolvePrefixesAndTabs(std::u32string_view source, uint32_t flags)
{
    TPrefixedText out;
    std::u32string& chars = out.Chars;
    for (size_t i = 0; i < source.size(); ++i) {
        char32_t c = source[i];
        if (c == U'&' && !(flags & DT_NOPREFIX)) {
            if (++i >= source.size())
                break;
            if (source[i] != U'&')
                out.Underline = int(chars.size());
            chars.push_back(source[i]);
            continue;
        }
        if (c == U'\t' && (flags & DT_EXPANDTABS)) {
            size_t lineStart = chars.find_last_of(U"\r\n");
            size_t column = lineStart == std::u32string::npos ? chars.size() : chars.size() - lineStart - 1;
            chars.append(8 - column % 8, U' ');
            continue;
        }
        chars.push_back(c);
    }
    return out;
}

// Single-line text ignores its line ends; the underline moves with the characters.
void RemoveLineEnds(TPrefixedText& text)
{
    std::u32string flat;
    int newUnderline = -1;
    for (size_t i = 0; i < text.Chars.size(); ++i) {
        char32_t c = text.Chars[i];
        if (c == U'\r' || c == U'\n')
            continue;
        if (int(i) == text.Underline)
            newUnderline = int(flat.size());
        flat.push_back(c);
    }
    text.Chars = std::move(flat);
    text.Underline = newUnderline;
}

// Adds para[a, b) as a line; underline is relative to para.
void AddLine(std::u32string_view para, size_t a, size_t b, int underline, std::vector<TTextLine>& lines)
{
    TTextLine line;
    line.Text = std::u32string(para.substr(a, b - a));
    if (underline >= int(a) && underline < int(b))
        line.Underline = underline - int(a);
    lines.push_back(std::move(line));
}

// A line may break before a word after a blank, and between CJK characters unless the
// character may not start a line or the one before may not end one.
bool CanBreakBefore(std::u32string_view para, size_t i)
{
    if (i == 0 || i >= para.size())
        return false;
    char32_t prev = para[i - 1], cur = para[i];
    if (cur == U' ')
        return false;
    if (prev == U' ')
        return true;
    return (IsCjk(prev) || IsCjk(cur)) && !NoLineStart(cur) && !NoLineEnd(prev);
}

// Where the line that starts at `start` ends: at the last break that keeps its visible part
// within limit; a word wider than the limit is broken where it overflows.
size_t WrapEnd(TFontInstance& font, std::u32string_view para, size_t start, int limit)
{
    int width = 0, widthNoSpace = 0;
    size_t lastBreak = 0;
    for (size_t i = start; i < para.size(); ++i) {
        if (i > start && CanBreakBefore(para, i))
            lastBreak = i;
        width += font.Glyph(para[i]).Advance;
        if (para[i] != U' ')
            widthNoSpace = width;
        if (widthNoSpace > limit && i > start) {
            if (lastBreak > start)
                return lastBreak;
            if (limit > 0)
                return i;
        }
    }
    return para.size();
}

// Breaks one paragraph into lines no wider than limit. Blanks at a break are dropped; blanks
// that open the paragraph are kept.
void WrapParagraph(
    TFontInstance& font, std::u32string_view para, int underline, int limit, std::vector<TTextLine>& lines)
{
    size_t start = 0;
    while (true) {
        while (start < para.size() && para[start] == U' ' && start > 0)
            ++start;
        if (start >= para.size()) {
            if (start == 0)
                AddLine(para, 0, 0, underline, lines);
            return;
        }
        size_t end = WrapEnd(font, para, start, limit);
        size_t trimmed = end;
        while (trimmed > start && para[trimmed - 1] == U' ')
            --trimmed;
        AddLine(para, start, trimmed, underline, lines);
        if (end >= para.size())
            return;
        start = end;
    }
}

// The lines of the text: its paragraphs, each broken to the limit when DT_WORDBREAK asks.
std::vector<TTextLine> LayOutLines(TFontInstance& font, TPrefixedText const& text, uint32_t flags, int limit)
{
    std::vector<TTextLine> lines;
    if (text.Chars.empty())
        return lines;
    bool wrap = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
    std::u32string_view chars = text.Chars;
    std::vector<std::u32string_view> paragraphs;
    if (flags & DT_SINGLELINE)
        paragraphs.push_back(chars);
    else
        paragraphs = base::SplitLines(chars);
    for (std::u32string_view para : paragraphs) {
        int underline = text.Underline < 0 ? -1 : text.Underline - int(para.data() - chars.data());
        if (wrap)
            WrapParagraph(font, para, underline, limit, lines);
        else
            AddLine(para, 0, para.size(), underline, lines);
    }
    return lines;
}

// Lines wider than limit lose characters at their end until "..." fits after them.
void AddEndEllipses(TFontInstance& font, std::vector<TTextLine>& lines, int limit)
{
    const std::u32string dots = U"...";
    int dotsWidth = LineWidth(font, dots);
    for (auto& line : lines) {
        if (LineWidth(font, line.Text) <= limit)
            continue;
        while (!line.Text.empty() && LineWidth(font, line.Text) + dotsWidth > limit)
            line.Text.pop_back();
        if (line.Underline >= int(line.Text.size()))
            line.Underline = -1;
        line.Text += dots;
    }
}

} // namespace

void TCanvas::DrawTextLine(int x, int y, std::u32string_view text, TRect const* clip, int underlineIndex)
{
    TFontInstance& font = FontInstanceFor(Font);
    TFontMetrics const& m = font.Metrics();
    int width = LineWidth(font, text);
    auto clipped = [&](int row, int x0, int x1, TColor color) {
        if (clip) {
            if (row < clip->Top || row >= clip->Bottom)
                return;
            x0 = std::max(x0, clip->Left);
            x1 = std::min(x1, clip->Right);
        }
        FillSpan(row, x0, x1, color, pmCopy);
    };
    if (FBkMode == OPAQUE && Brush.Style == bsSolid)
        for (int row = y; row < y + m.Height; ++row)
            clipped(row, x, x + width, Brush.Color);
    TColor color = base::ColorToRGB(Font.Color());
    int baseline = y + m.Ascent;
    int penX = x;
    for (size_t i = 0; i < text.size(); ++i) {
        TGlyphImage const& g = font.Glyph(text[i]);
        int gx = penX + g.Left, gy = baseline - g.Top;
        for (int row = 0; row < g.Height; ++row) {
            uint8_t const* mask = g.Mask.data() + size_t(row) * g.Width;
            int col = 0;
            while (col < g.Width) {
                if (!mask[col]) {
                    ++col;
                    continue;
                }
                int start = col;
                while (col < g.Width && mask[col])
                    ++col;
                clipped(gy + row, gx + start, gx + col, color);
            }
        }
        if (int(i) == underlineIndex)
            for (int t = 0; t < m.UnderlineThickness; ++t)
                clipped(baseline + m.UnderlineOffset + t, penX, penX + g.Advance, color);
        penX += g.Advance;
    }
    if (Font.Style() & fsUnderline)
        for (int t = 0; t < m.UnderlineThickness; ++t)
            clipped(baseline + m.UnderlineOffset + t, x, x + width, color);
    if (Font.Style() & fsStrikeOut)
        for (int t = 0; t < m.StrikeOutThickness; ++t)
            clipped(baseline - m.StrikeOutOffset + t, x, x + width, color);
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    std::u32string u = base::AnsiToUtf32(text);
    DrawTextLine(ToBitmapPos(x, OffX()), ToBitmapPos(y, OffY()), u, nullptr, -1);
    FPenPos
        = { int(std::clamp<int64_t>(int64_t(x) + LineWidth(FontInstanceFor(Font), u), INT32_MIN, INT32_MAX)),
              y };
}

void TCanvas::TextRect(TRect const& rect, int x, int y, std::string_view text)
{
    TRect clip = ToBitmapRect(rect, OffX(), OffY(), Width(), Height());
    if (Brush.Style == bsSolid)
        FillBox(clip, Brush.Color, pmCopy);
    int saved = FBkMode;
    FBkMode = TRANSPARENT;
    DrawTextLine(ToBitmapPos(x, OffX()), ToBitmapPos(y, OffY()), base::AnsiToUtf32(text), &clip, -1);
    FBkMode = saved;
}

base::TSize TCanvas::TextExtent(std::string_view text)
{
    TFontInstance& font = FontInstanceFor(Font);
    return { LineWidth(font, base::AnsiToUtf32(text)), font.Metrics().Height };
}

TTextMetric TCanvas::TextMetrics()
{
    TFontMetrics const& m = FontInstanceFor(Font).Metrics();
    TTextMetric tm;
    tm.tmHeight = m.Height;
    tm.tmAscent = m.Ascent;
    tm.tmDescent = m.Descent;
    tm.tmInternalLeading = std::max(0, m.Height - m.EmHeight);
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = m.AveCharWidth;
    tm.tmMaxCharWidth = m.MaxCharWidth;
    return tm;
}

int TCanvas::DrawText(std::string_view text, TRect& rect, uint32_t flags)
{
    TFontInstance& font = FontInstanceFor(Font);
    int lineHeight = font.Metrics().Height;
    std::u32string source = base::AnsiToUtf32(text);
    if (source.empty()) {
        // As on the platform: one line high, but a multi-line rectangle gets no height.
        if (flags & DT_CALCRECT) {
            rect.Right = rect.Left;
            rect.Bottom = int(
                std::min<int64_t>(int64_t(rect.Top) + ((flags & DT_SINGLELINE) ? lineHeight : 0), INT32_MAX));
        }
        return lineHeight;
    }

    TPrefixedText prefixed = ResolvePrefixesAndTabs(source, flags);
    if (flags & DT_SINGLELINE)
        RemoveLineEnds(prefixed);
    int limit = int(std::clamp<int64_t>(int64_t(rect.Right) - rect.Left, 0, INT32_MAX));
    std::vector<TTextLine> lines = LayOutLines(font, prefixed, flags, limit);
    if (flags & DT_END_ELLIPSIS)
        AddEndEllipses(font, lines, limit);

    int total = int(lines.size()) * lineHeight;
    if (flags & DT_CALCRECT) {
        int maxWidth = 0;
        for (auto& line : lines)
            maxWidth = std::max(maxWidth, LineWidth(font, line.Text));
        rect.Right = int(std::min<int64_t>(int64_t(rect.Left) + maxWidth, INT32_MAX));
        rect.Bottom = int(std::min<int64_t>(int64_t(rect.Top) + total, INT32_MAX));
        return total;
    }

    int64_t y = rect.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            y = rect.Top + (int64_t(rect.Bottom) - rect.Top - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            y = int64_t(rect.Bottom) - lineHeight;
    }
    TRect clip = ToBitmapRect(rect, OffX(), OffY(), Width(), Height());
    for (auto& line : lines) {
        int w = LineWidth(font, line.Text);
        int64_t x = rect.Left;
        if (flags & DT_CENTER)
            x = rect.Left + (int64_t(rect.Right) - rect.Left - w) / 2;
        else if (flags & DT_RIGHT)
            x = int64_t(rect.Right) - w;
        DrawTextLine(ToBitmapPos(x, OffX()), ToBitmapPos(y, OffY()), line.Text,
            (flags & DT_NOCLIP) ? nullptr : &clip, line.Underline);
        y += lineHeight;
    }
    return total;
}

} // namespace xe::gfx
