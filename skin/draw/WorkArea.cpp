#include "skin/draw/WorkArea.h"

#include "platform/windows/WinUser.h"

namespace xe::skin {

void GetWorkArea(win::HWND window, bool workArea, base::TRect& rect)
{
    if (win::GetSystemMetrics(win::SM_CMONITORS) > 1) {
        win::MONITORINFO info;
        info.cbSize = sizeof(info);
        win::HMONITOR monitor = win::MonitorFromWindow(window, win::MONITOR_DEFAULTTONEAREST);
        if (monitor && win::GetMonitorInfo(monitor, &info))
            rect = workArea ? info.rcWork : info.rcMonitor;
        return;
    }
    if (workArea)
        win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &rect, 0);
    else
        rect = base::Rect(
            0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
}

} // namespace xe::skin
