#pragma once

#include <cstdint>

namespace xe::base {

// Rectangles are half-open, as on the classic platform: a rectangle covers the pixels
// Left <= x < Right and Top <= y < Bottom, so Right = Left + width. A rectangle whose
// width or height is below 1 is empty.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(TPoint const&, TPoint const&) = default;
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(TSize const&, TSize const&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return { Left, Top }; }
    TPoint BottomRight() const { return { Right, Bottom }; }
    friend bool operator==(TRect const&, TRect const&) = default;
};

inline TPoint Point(int32_t x, int32_t y) { return { x, y }; }
inline TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return { left, top, right, bottom };
}
inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    return { left, top, left + width, top + height };
}

inline int32_t RectWidth(TRect const& r) { return r.Right - r.Left; }
inline int32_t RectHeight(TRect const& r) { return r.Bottom - r.Top; }
inline bool IsRectEmpty(TRect const& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
inline bool EqualRect(TRect const& a, TRect const& b) { return a == b; }
inline bool PtInRect(TRect const& r, TPoint p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline void SetRect(TRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    r = { left, top, right, bottom };
}
inline void SetRectEmpty(TRect& r) { r = {}; }

inline void OffsetRect(TRect& r, int32_t dx, int32_t dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

inline void InflateRect(TRect& r, int32_t dx, int32_t dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

// Stores the intersection in dst and tells whether it is non-empty; an empty
// intersection leaves dst as the empty rectangle (0, 0, 0, 0), as the platform does.
bool IntersectRect(TRect& dst, TRect const& a, TRect const& b);

// Stores the smallest rectangle holding both; empty rectangles do not count.
bool UnionRect(TRect& dst, TRect const& a, TRect const& b);

} // namespace xe::base
