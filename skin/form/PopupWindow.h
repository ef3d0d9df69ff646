// What the skin's popup windows (hints, menus) have in common.
#pragma once

#include "platform/windows/WinUser.h"

#include <optional>

namespace xe::skin {

// The first answers of a popup window's procedure: the window paints itself whole through
// paint(canvas), so it is never erased first, and a click never takes the activation from
// the window it opened over. Nothing for any other message.
template <class TPaint>
std::optional<win::LRESULT> PopupWindowMessage(win::HWND h, win::UINT msg, TPaint&& paint)
{
    switch (msg) {
    case win::WM_PAINT: {
        win::PAINTSTRUCT ps;
        if (win::HDC dc = win::BeginPaint(h, &ps))
            paint(*dc);
        win::EndPaint(h, &ps);
        return 0;
    }
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_MOUSEACTIVATE:
        return win::MA_NOACTIVATE;
    default:
        return std::nullopt;
    }
}

} // namespace xe::skin
