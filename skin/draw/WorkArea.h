#pragma once

#include "platform/base/Geometry.h"
#include "platform/windows/WinDefs.h"

namespace xe::skin {

// The rectangle of the monitor the window is on (the nearest one): its work area when
// workArea is set, else the whole monitor. With a single monitor: the desktop work area, or
// (0, 0, screen width, screen height). If the monitor's information cannot be read, rect is
// left unchanged.
void GetWorkArea(win::HWND window, bool workArea, base::TRect& rect);

} // namespace xe::skin
