#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/windows/Backend.h"

struct SDL_Window;
struct SDL_Surface;
struct SDL_Cursor;

namespace xe::win {

class TXEmbedTray;

// The backend for a real display, through SDL2: one borderless SDL window per window of
// the window system, at its screen position; surfaces are copied to the SDL windows on
// present. Mouse positions arrive relative to an SDL window and are turned into screen
// coordinates with the position this backend last gave that window.
class TSdlBackend final : public TBackend {
public:
    // Raises base::EInvalidOperation when no display can be opened.
    TSdlBackend();
    ~TSdlBackend() override;

    char const* Name() const override { return "sdl"; }
    bool TypesText() const override { return true; }
    uint64_t Now() override;
    std::vector<TMonitor> Monitors() override;

    void CreateNativeWindow(
        HWND window, TRect const& bounds, std::string const& title, TNativeKind kind) override;
    void DestroyNativeWindow(HWND window) override;
    void SetVisible(HWND window, bool visible) override;
    void SetOwner(HWND window, HWND owner, bool modal) override;
    void SetBounds(HWND window, TRect const& bounds) override;
    void SetTitle(HWND window, std::string const& title) override;
    void SetMinimized(HWND window, bool minimized) override;
    void Raise(HWND window) override;
    void SetShape(HWND window, gfx::TRegion const* region) override;
    void SetOpacity(HWND window, uint8_t alpha) override;
    void Present(HWND window, gfx::TBitmap const& surface, TRect const& changed) override;
    void SetCursorShape(int id) override;
    void SetCursorPicture(int id, gfx::TBitmap const& picture, TPoint hot, uint32_t transparent) override;
    void SetMouseCapture(HWND window) override;
    int CursorShape() const { return FCursorShape; }

    // The notification area through the XEmbed system-tray protocol (X only).
    bool TrayAvailable() override;
    void AddTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip) override;
    void ChangeTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip) override;
    void RemoveTrayIcon(int id) override;
    bool HasClipboard() const override { return true; }
    std::string ClipboardText() override;
    void SetClipboardText(std::string const& text) override;

    std::optional<TRawEvent> PollEvent() override;
    void WaitEvent(std::optional<uint64_t> deadline) override;

private:
    // SDL's X connection (a Display*), null when not on X or before the first window.
    void* XDisplay();
    // An X event that says a native window of ours was destroyed from outside (DestroyNotify):
    // gives true and the WindowLost event for it.
    bool LostWindowXEvent(void const* xevent, std::optional<TRawEvent>& event);

    struct TNative {
        SDL_Window* Window = nullptr;
        TRect Bounds;
        bool Visible = false;
        bool Minimized = false;
        bool Lost = false; // its X window was destroyed from outside
    };
    // The native window, unless there is none or the display destroyed it.
    TNative* Find(HWND window);
    // The X window and connection of a native window (X only); false when there is none.
    bool XWindowOf(HWND window, void*& display, unsigned long& xwindow);
    // Holds the pointer for the window while it has the capture (X only).
    void GrabPointer(HWND window);
    HWND FromSdlId(uint32_t id) const;

    std::map<HWND, TNative> FNatives;
    uint64_t FStart = 0;
    bool FX11Input = false; // mouse input from X events (screen positions)
    std::optional<TPoint> FLastMove; // the last pointer move passed on, to drop the same move twice
    std::map<int, SDL_Cursor*> FCursors; // system cursors by SDL shape, made on first use
    std::map<int, SDL_Cursor*> FPictureCursors; // picture cursors by id, made on first use
    int FCursorShape = 0;
    HWND FPointerGrab = nullptr; // the window holding the pointer grab
    std::unique_ptr<TXEmbedTray> FTray;
};

} // namespace xe::win
