#include "platform/base/Geometry.h"

#include <algorithm>

namespace xe::base {

bool IntersectRect(TRect& dst, TRect const& a, TRect const& b)
{
    TRect r { std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
        std::min(a.Bottom, b.Bottom) };
    if (IsRectEmpty(r)) {
        dst = {};
        return false;
    }
    dst = r;
    return true;
}

bool UnionRect(TRect& dst, TRect const& a, TRect const& b)
{
    if (IsRectEmpty(a)) {
        dst = IsRectEmpty(b) ? TRect {} : b;
        return !IsRectEmpty(dst);
    }
    if (IsRectEmpty(b)) {
        dst = a;
        return true;
    }
    dst = { std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
        std::max(a.Bottom, b.Bottom) };
    return true;
}

} // namespace xe::base
