#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/Exceptions.h"
#include "platform/windows/WinDefs.h"

namespace xe::gfx {
class TBitmap;
class TRegion;
}

namespace xe::win {

// Input as a display delivers it, before the window system routes it: positions are screen
// coordinates; windows are named by their handles.
enum class TRawEventKind {
    MouseMove, // Pos
    ButtonDown, // Pos, Button
    ButtonUp, // Pos, Button
    CloseRequest, // Window: the user asked to close it (task bar, window manager)
    Activate, // Window: the display gave it the focus; null: the application lost it
    Minimize, // Window: the user minimised it from outside
    Restore, // Window: the user restored it from outside
    KeyDown, // Key: a virtual-key code (the generic VK_SHIFT, VK_CONTROL, VK_MENU for modifiers)
    KeyUp, // Key
    TrayButtonDown, // Key: the notification-area icon (its backend id), Pos, Button
    TrayButtonUp, // Key, Pos, Button
    TrayChanged, // the notification area came or went (the icons follow by themselves)
    Text, // Text: characters typed, as the keyboard layout makes them (ANSI code page)
    Exposed, // Window: the display lost what the window showed; it is to be shown whole again
    WindowLost, // Window: its native window was destroyed from outside
    Wheel, // Pos, Key: the turn in WHEEL_DELTA units (positive away from the user)
};

struct TRawEvent {
    TRawEventKind Kind = TRawEventKind::MouseMove;
    TPoint Pos;
    TMouseButton Button = mbLeft;
    HWND Window = nullptr;
    int Key = 0;
    std::string Text;
};

// Raised by a message loop that has nothing to wait for: no input can come (nothing is
// scripted) and no timer is set, so a real loop would hang.
class EWouldWaitForever : public base::EInvalidOperation {
public:
    using base::EInvalidOperation::EInvalidOperation;
};

// What a native window is to the desktop, fixed when it is created.
enum class TNativeKind {
    Normal, // a top-level window the desktop manages (frames, stacks, focuses)
    Popup, // a menu or tip: above everything, never framed, moved or focused by the desktop
};

struct TMonitor {
    TRect Bounds;
    TRect WorkArea;
};

// What the window system needs of a display. Backends own no window logic: they mirror
// the window system's windows as native ones, show what they are told to, and report raw
// input and time. Everything else (routing, hit testing, activation, loops) stays in the
// window system, so that every backend behaves alike.
class TBackend {
public:
    virtual ~TBackend() = default;
    virtual char const* Name() const = 0;

    // Whether a user sees the windows and can close them. Without one the application shows
    // its progress elsewhere and closes its windows itself, through CloseRequest.
    virtual bool UserPresent() const { return true; }
    // Asks to close the window as a user would, once the message loop takes input; with a
    // user present that is left to the user.
    virtual void CloseRequest(HWND) { }

    // Whether typed characters come as Text events (from the keyboard layout) rather than
    // from the keys: keys then make characters only for control keys and Ctrl or Alt chords.
    virtual bool TypesText() const { return false; }

    // Milliseconds since the backend started: the clock of timers and message times.
    virtual uint64_t Now() = 0;
    // The monitors, the primary one first.
    virtual std::vector<TMonitor> Monitors() = 0;

    // Native windows: one per top-level window, created hidden.
    virtual void CreateNativeWindow(
        HWND window, TRect const& bounds, std::string const& title, TNativeKind kind)
        = 0;
    virtual void DestroyNativeWindow(HWND window) = 0;
    virtual void SetVisible(HWND window, bool visible) = 0;
    // Told before a window is shown: the window it belongs to (null for none), and whether it
    // is that window's modal window, which the desktop then keeps above it.
    virtual void SetOwner(HWND, HWND, bool) { }
    virtual void SetBounds(HWND window, TRect const& bounds) = 0;
    virtual void SetTitle(HWND window, std::string const& title) = 0; // ANSI code page
    virtual void SetMinimized(HWND window, bool minimized) = 0;
    virtual void Raise(HWND window) = 0;
    // The window's shape in window coordinates; null removes it.
    virtual void SetShape(HWND window, gfx::TRegion const* region) = 0;
    virtual void SetOpacity(HWND window, uint8_t alpha) = 0;
    // Shows the changed rectangle (window coordinates) of the window's surface, which has
    // the window's size.
    virtual void Present(HWND window, gfx::TBitmap const& surface, TRect const& changed) = 0;
    // Shows a standard cursor shape (an IDC_ number; 0 hides the cursor).
    virtual void SetCursorShape(int) { }
    // Shows a picture cursor (id above the standard numbers, the same picture for the same
    // id): pixels of the transparent colour are not drawn; hot is the point that aims.
    virtual void SetCursorPicture(int, gfx::TBitmap const&, TPoint, uint32_t) { }
    // Keeps mouse input coming to the application, also from outside its windows, while
    // the window (null: none) has the capture.
    virtual void SetMouseCapture(HWND window) = 0;

    // The desktop's notification area (system tray). Whether one takes icons now.
    virtual bool TrayAvailable() { return false; }
    // Icons are named by ids the window system chooses. An icon stays registered until it is
    // removed: it is shown while a notification area exists and comes back by itself when
    // one appears later (TrayChanged reports both). Clicks on it arrive as TrayButtonDown
    // and TrayButtonUp.
    virtual void AddTrayIcon(int, gfx::TBitmap const&, std::string const&) { }
    virtual void ChangeTrayIcon(int, gfx::TBitmap const&, std::string const&) { }
    virtual void RemoveTrayIcon(int) { }

    // The desktop's clipboard, as text in the ANSI code page; a backend without one keeps
    // nothing and gives empty text.
    virtual bool HasClipboard() const { return false; }
    virtual std::string ClipboardText() { return {}; }
    virtual void SetClipboardText(std::string const&) { }

    // The next raw event if one is ready, without waiting.
    virtual std::optional<TRawEvent> PollEvent() = 0;
    // Waits until an event may be ready or the clock reaches the deadline (when given).
    // A backend that can tell that nothing will ever come raises EWouldWaitForever.
    virtual void WaitEvent(std::optional<uint64_t> deadline) = 0;
};

// Chooses the backend: XMLEXPORT_BACKEND=headless|sdl forces one; otherwise a real display
// is used when one is reachable and the headless backend when not.
std::unique_ptr<TBackend> CreateDefaultBackend();

} // namespace xe::win
