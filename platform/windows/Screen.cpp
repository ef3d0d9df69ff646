#include <cstring>

#include "platform/windows/WinUser.h"
#include "platform/windows/WindowSystem.h"

namespace xe::win {

namespace {

std::vector<TMonitor> Monitors()
{
    std::vector<TMonitor> monitors = WS().Backend().Monitors();
    if (monitors.empty())
        monitors.push_back({ { 0, 0, 1024, 768 }, { 0, 0, 1024, 768 } });
    return monitors;
}

TRect VirtualScreen()
{
    TRect all;
    for (TMonitor const& m : Monitors()) {
        TRect u;
        base::UnionRect(u, all, m.Bounds);
        all = u;
    }
    return all;
}

HMONITOR Handle(size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

int64_t DistanceSquared(TRect const& r, TPoint p)
{
    int64_t dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
    int64_t dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
    return dx * dx + dy * dy;
}

} // namespace

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return Monitors().front().Bounds.Width();
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
        return Monitors().front().Bounds.Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CYMENU:
        return 19;
    case SM_SWAPBUTTON:
        return 0;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return 12;
    case SM_CXMAXTRACK:
        return VirtualScreen().Width() + 12;
    case SM_CYMAXTRACK:
        return VirtualScreen().Height() + 12;
    case SM_CXMAXIMIZED:
        return Monitors().front().WorkArea.Width() + 8;
    case SM_CYMAXIMIZED:
        return Monitors().front().WorkArea.Height() + 8;
    case SM_XVIRTUALSCREEN:
        return VirtualScreen().Left;
    case SM_YVIRTUALSCREEN:
        return VirtualScreen().Top;
    case SM_CXVIRTUALSCREEN:
        return VirtualScreen().Width();
    case SM_CYVIRTUALSCREEN:
        return VirtualScreen().Height();
    case SM_CMONITORS:
        return int(Monitors().size());
    default:
        return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT)
{
    switch (action) {
    case SPI_SETDRAGFULLWINDOWS:
        WS().FullDragWindows = uiParam != 0;
        return TRUE;
    case SPI_GETWORKAREA:
        if (!pvParam)
            return FALSE;
        *static_cast<RECT*>(pvParam) = Monitors().front().WorkArea;
        return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
        if (!pvParam)
            return FALSE;
        *static_cast<BOOL*>(pvParam) = WS().FullDragWindows ? TRUE : FALSE;
        return TRUE;
    default:
        return FALSE;
    }
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags)
{
    if (!rect)
        return nullptr;
    std::vector<TMonitor> monitors = Monitors();
    // The monitor sharing the largest area with the rectangle; else the nearest one.
    int64_t bestArea = 0;
    size_t best = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        TRect r;
        if (base::IntersectRect(r, *rect, monitors[i].Bounds) && int64_t(r.Width()) * r.Height() > bestArea) {
            bestArea = int64_t(r.Width()) * r.Height();
            best = i;
        }
    }
    if (bestArea > 0)
        return Handle(best);
    if (flags == MONITOR_DEFAULTTONULL)
        return nullptr;
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return Handle(0);
    TPoint centre { rect->Left + rect->Width() / 2, rect->Top + rect->Height() / 2 };
    int64_t bestDistance = -1;
    for (size_t i = 0; i < monitors.size(); ++i) {
        int64_t d = DistanceSquared(monitors[i].Bounds, centre);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return Handle(best);
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags)
{
    RECT r { point.X, point.Y, point.X + 1, point.Y + 1 };
    return MonitorFromRect(&r, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return flags == MONITOR_DEFAULTTONULL ? nullptr : Handle(0);
    return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    std::vector<TMonitor> monitors = Monitors();
    size_t index = reinterpret_cast<uintptr_t>(monitor);
    if (!info || index == 0 || index > monitors.size())
        return FALSE;
    info->rcMonitor = monitors[index - 1].Bounds;
    info->rcWork = monitors[index - 1].WorkArea;
    info->dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

DWORD GetVersion() { return DWORD(5) | (DWORD(1) << 8) | (DWORD(2600) << 16); }

BOOL GetVersionEx(OSVERSIONINFO* info)
{
    if (!info)
        return FALSE;
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::strncpy(info->szCSDVersion, "Service Pack 3", sizeof(info->szCSDVersion) - 1);
    return TRUE;
}

} // namespace xe::win
