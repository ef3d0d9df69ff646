#pragma once

// The window system's programming interface: free functions with the classic names and
// semantics. All of it runs on the one user-interface thread.
//
// Windows are top-level windows (an owner, no parent); controls without windows of their
// own are drawn by the toolkit on their form's surface. Coordinates are screen pixels
// unless a function says client or window coordinates: window coordinates start at the
// window's top-left corner (non-client area included), client coordinates at the client
// area's. Rectangles are half-open.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows/Backend.h"
#include "platform/windows/WinDefs.h"

namespace xe::gfx {
class TBitmap;
class TRegion;
}

namespace xe::win {

// --- the window system itself --------------------------------------------------------------

// Starts the window system on a backend (by default the one CreateDefaultBackend picks).
// Only this starts it: a window function used before raises EInvalidOperation.
void InitWindowSystem(std::unique_ptr<TBackend> backend = nullptr);
// Destroys every window and the backend; the next use starts afresh.
void DoneWindowSystem();
TBackend& Backend();
// Whether the window system has been started (and not shut down since).
bool WindowSystemRunning();

// --- window procedures -------------------------------------------------------------------

// A window procedure bound to an object, as a method pointer would be.
using TWndMethod = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
// Makes a plain window procedure that calls method, so that an object can be installed as a
// window procedure (CreateWindowEx, SetWindowLongPtr(GWLP_WNDPROC)) and chained with
// CallWindowProc. The number of live instances is limited (EOutOfResources beyond it).
WNDPROC MakeObjectInstance(TWndMethod method);
// Frees an instance; one that is running is freed when it returns.
void FreeObjectInstance(WNDPROC instance);

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// --- windows -----------------------------------------------------------------------------

// Creates a top-level window with procedure wndProc (DefWindowProc when null). Sends
// WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE (with a CREATESTRUCT holding
// param), then WM_SIZE and WM_MOVE, and shows the window when style has WS_VISIBLE.
// Returns null when WM_NCCREATE answers FALSE or WM_CREATE answers -1.
HWND CreateWindowEx(DWORD exStyle, std::string const& windowName, DWORD style, int x, int y, int width,
    int height, HWND owner, WNDPROC wndProc, void* param = nullptr);
// Destroys the window and the windows it owns: WM_DESTROY, WM_NCDESTROY; its timers and
// queued messages go with it. A window may destroy itself inside its own message handling.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
// GWL_STYLE and GWL_EXSTYLE send WM_STYLECHANGING / WM_STYLECHANGED; GWLP_WNDPROC replaces
// the procedure and returns the previous one (as LONG_PTR; cast back to WNDPROC).
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
// Pointer-wide here; kept for code written with the older names.
inline LONG_PTR GetWindowLong(HWND hwnd, int index) { return GetWindowLongPtr(hwnd, index); }
inline LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value)
{
    return SetWindowLongPtr(hwnd, index, value);
}

BOOL SetWindowText(HWND hwnd, std::string const& text); // sends WM_SETTEXT
std::string GetWindowText(HWND hwnd);
int GetWindowTextLength(HWND hwnd);
// The title of the window's task-bar entry; empty means the window text.
void SetTaskbarTitle(HWND hwnd, std::string const& title);

BOOL GetWindowRect(HWND hwnd, RECT* rect); // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect); // (0, 0, width, height) of the client area
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
// The client area in window coordinates.
RECT GetClientAreaInWindow(HWND hwnd);

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
// showCmd is SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED or SW_SHOWNORMAL; rcNormalPosition the
// bounds the window has when restored.
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
// Sets the restored bounds and shows the window with showCmd.
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);
BOOL EnableWindow(HWND hwnd, BOOL enable); // returns TRUE if the window was disabled
BOOL IsWindowEnabled(HWND hwnd);
BOOL BringWindowToTop(HWND hwnd);

HWND GetWindow(HWND hwnd, UINT cmd); // GW_OWNER, GW_HWNDFIRST/LAST/NEXT/PREV (z-order)
// Every top-level window, topmost first.
std::vector<HWND> EnumWindows();
// The first window (topmost first) whose text is windowName, or null.
HWND FindWindow(std::string const& windowName);
// The topmost visible window whose region contains the screen point, or null.
HWND WindowFromPoint(POINT point);

// Window regions, in window coordinates; the system keeps a copy. A region shapes hit
// testing and what is shown. Null removes the region.
int SetWindowRgn(HWND hwnd, gfx::TRegion const* region, BOOL redraw);
// Copies the region into region; returns its kind, or RGN_ERROR when the window has none.
int GetWindowRgn(HWND hwnd, gfx::TRegion& region);
// Alpha of a window with WS_EX_LAYERED (LWA_ALPHA), shown through the backend's window
// opacity. Colour keys are accepted and ignored.
BOOL SetLayeredWindowAttributes(HWND hwnd, DWORD colorKey, uint8_t alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, DWORD* colorKey, uint8_t* alpha, DWORD* flags);

// --- activation, focus, capture ------------------------------------------------------------

HWND GetActiveWindow();
HWND SetActiveWindow(HWND hwnd);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetFocus();
HWND SetFocus(HWND hwnd);

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(POINT* point);
// Key and button state: the high bit (negative result) when it is down. VK_SHIFT,
// VK_CONTROL and VK_MENU are the modifiers.
int16_t GetKeyState(int virtualKey);
// The clipboard's text (ANSI code page), through the backend; false when it has none.
BOOL HasClipboard();
std::string GetClipboardText();
BOOL SetClipboardText(std::string const& text);
int16_t GetAsyncKeyState(int virtualKey);
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
UINT GetDoubleClickTime();

// Cursors. LoadCursor gives the standard shapes (instance null, an IDC_ name); SetCursor
// shows one (null hides the cursor) and returns the previous one.
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// A cursor drawn from a picture (a skin's cursor): pixels of the transparent colour are
// not drawn, hotSpot is the point that aims. DestroyCursor frees it; the standard shapes
// are never destroyed.
HCURSOR CreatePictureCursor(gfx::TBitmap const& picture, POINT hotSpot, uint32_t transparentColor);
BOOL DestroyCursor(HCURSOR cursor);

// --- messages ------------------------------------------------------------------------------

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Order: posted messages, WM_QUIT, WM_PAINT (windows with something to paint), then input
// from the backend (which therefore arrives only when nothing is posted or to be painted),
// then WM_TIMER for due timers. filterMin/filterMax restrict the message numbers (0, 0 = all).
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits for a message; returns FALSE for WM_QUIT. While waiting the backend's clock runs
// (the headless one advances to the next timer or scripted step).
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetMessageTime();
DWORD GetTickCount();
uint64_t GetTickCount64();

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC timerProc = nullptr);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// --- painting ------------------------------------------------------------------------------

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase); // client coordinates; null = all
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, gfx::TRegion const* region, UINT flags);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// A canvas on the client area (origin at the client's top-left, clipped to it) or on the
// whole window. Give it back with ReleaseDC; the backend is then told what may have changed.
// (The window region shapes what is shown, not what is drawn.)
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
// The window's backing surface (a bitmap of the window's size).
gfx::TBitmap const* GetWindowSurface(HWND hwnd);

// --- screen --------------------------------------------------------------------------------

int GetSystemMetrics(int index);
BOOL SystemParametersInfo(UINT action, UINT param, void* pvParam, UINT winIni);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
// Version 5.1 (build 2600): low byte major, next byte minor, high word build.
DWORD GetVersion();
BOOL GetVersionEx(OSVERSIONINFO* info);

// --- the whole application -------------------------------------------------------------------

// Minimises every visible window (the application goes to its task-bar entry) and restores
// them, re-activating the window that was active.
void MinimizeApplication();
void RestoreApplication();
bool IsApplicationMinimized();

// --- the notification area (system tray) ---------------------------------------------------

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 1;
constexpr UINT NIF_ICON = 2;
constexpr UINT NIF_TIP = 4;

// An icon of a window in the notification area. Clicks on it are posted to hWnd as
// uCallbackMessage with wParam = uID and lParam = the mouse message (WM_LBUTTONDOWN,
// WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP); GetCursorPos gives where.
// When the notification area goes away while the application is hidden in it, each icon's
// window gets lParam = NIN_AREAGONE: the icon is no way back any more.
constexpr UINT NIN_AREAGONE = WM_USER + 0x20;
struct NOTIFYICONDATA {
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0; // which of the fields below count (NIF_)
    UINT uCallbackMessage = 0;
    gfx::TBitmap const* hIcon = nullptr; // copied; null or empty: a plain square
    std::string szTip; // ANSI code page
};

// Adds, changes or deletes the icon (hWnd, uID). An added icon stays registered while its
// window lives: it is on view whenever a notification area exists, also one that appears
// later. FALSE for a window that does not exist, an icon added twice or one not there.
BOOL Shell_NotifyIcon(DWORD message, NOTIFYICONDATA const* data);
// Whether the desktop has a notification area that shows icons now.
bool NotificationAreaAvailable();
// Minimises the application and, while one of its icons is on view in the notification area,
// takes its windows off the task bar too: the icon is then the way back (RestoreApplication).
// Without such an icon the application is only minimised, so that it can never be lost, and
// hidden windows come back to the task bar when the notification area goes away. Returns
// whether the windows were taken off the task bar.
bool HideApplication();
bool IsApplicationHidden();

// --- looking at the screen -----------------------------------------------------------------

// The window's surface as shown (whole window, without region or alpha applied).
gfx::TBitmap CaptureWindow(HWND hwnd);
// The screen: the desktop colour with every visible window composited bottom to top, shaped
// by its region and blended by its alpha.
gfx::TBitmap CaptureScreen();
// The same as PNG files (raise base::EWriteError when the file cannot be written).
void SaveWindowScreenshot(HWND hwnd, std::string const& path);
void SaveScreenScreenshot(std::string const& path);

} // namespace xe::win
