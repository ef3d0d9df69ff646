#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/windows/Backend.h"

namespace xe::win {

// The backend without a display. Time is virtual: it advances only when a message loop has
// nothing to do and waits (to the next timer or scripted pause) or when a test calls
// AdvanceClock. Input comes from a script of user actions that the window system takes one
// step at a time when its queue is empty, as a user's input would arrive.
//
// Script points are screen coordinates, or coordinates relative to the top-left corner of
// the window whose text is caption, looked up when the step runs.
class THeadlessBackend final : public TBackend {
public:
    THeadlessBackend();

    char const* Name() const override { return "headless"; }
    bool UserPresent() const override { return false; }
    bool TypesText() const override { return FTypesText; }
    uint64_t Now() override { return FNow; }
    std::vector<TMonitor> Monitors() override { return FMonitors; }

    void CreateNativeWindow(
        HWND window, TRect const& bounds, std::string const& title, TNativeKind kind) override;
    void DestroyNativeWindow(HWND window) override;
    void SetVisible(HWND window, bool visible) override;
    void SetOwner(HWND window, HWND owner, bool modal) override;
    void SetBounds(HWND window, TRect const& bounds) override;
    void SetTitle(HWND window, std::string const& title) override;
    void SetMinimized(HWND window, bool minimized) override;
    void Raise(HWND) override { }
    void SetShape(HWND window, gfx::TRegion const* region) override;
    void SetOpacity(HWND window, uint8_t alpha) override;
    void SetCursorShape(int id) override { FCursorShape = id; }
    void SetCursorPicture(int id, gfx::TBitmap const& picture, TPoint hot, uint32_t transparent) override
    {
        FCursorShape = id;
        FCursorPicture = picture;
        FCursorHotSpot = hot;
        FCursorTransparent = transparent;
    }
    void Present(HWND window, gfx::TBitmap const& surface, TRect const& changed) override;
    void SetMouseCapture(HWND window) override { FMouseCaptured = window != nullptr; }

    bool TrayAvailable() override { return FTrayAvailable; }
    void AddTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip) override;
    void ChangeTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip) override;
    void RemoveTrayIcon(int id) override { FTrayIcons.erase(id); }
    // The clipboard is a string in memory, shared by the windows of this backend only; a
    // test may take it away to play a desktop without one.
    bool HasClipboard() const override { return FHasClipboard; }
    std::string ClipboardText() override { return FHasClipboard ? FClipboard : std::string(); }
    void SetClipboardText(std::string const& text) override
    {
        if (FHasClipboard)
            FClipboard = text;
    }
    void SetHasClipboard(bool has) { FHasClipboard = has; }

    std::optional<TRawEvent> PollEvent() override;
    void WaitEvent(std::optional<uint64_t> deadline) override;

    // --- the screen (tests may change it before creating windows) ---
    void SetMonitors(std::vector<TMonitor> monitors) { FMonitors = std::move(monitors); }

    // --- the notification area (none until a test puts one there) ---
    // A notification area appears or goes; the window system hears of it (TrayChanged)
    // before the next scripted step.
    void SetTrayAvailable(bool available);
    // The registered icons in the order they were added (shown while the area exists).
    int TrayIconCount() const { return int(FTrayIcons.size()); }
    std::string TrayIconTip(int index) const;
    gfx::TBitmap TrayIconPicture(int index) const;
    // Scripted: a click on the index-th icon (press and release), looked up when it runs.
    void ClickTrayIcon(int index = 0, TMouseButton button = mbLeft);

    // --- time ---
    void AdvanceClock(uint64_t ms) { FNow += ms; }
    // A loop that has waited this long of virtual time without a scripted step left raises
    // EWouldWaitForever too: periodic timers alone would otherwise keep it going forever.
    void SetIdleLimit(uint64_t ms) { FIdleLimit = ms; }

    // --- the script ---
    void Move(int x, int y) { Move("", x, y); }
    void Move(std::string const& caption, int x, int y);
    void Press(int x, int y, TMouseButton button = mbLeft) { Press("", x, y, button); }
    void Press(std::string const& caption, int x, int y, TMouseButton button = mbLeft);
    void Release(int x, int y, TMouseButton button = mbLeft) { Release("", x, y, button); }
    void Release(std::string const& caption, int x, int y, TMouseButton button = mbLeft);
    // Move there, press and release.
    void Click(int x, int y, TMouseButton button = mbLeft) { Click("", x, y, button); }
    void Click(std::string const& caption, int x, int y, TMouseButton button = mbLeft);
    // Two clicks at once (well within the double-click time).
    void DoubleClick(int x, int y) { DoubleClick("", x, y); }
    void DoubleClick(std::string const& caption, int x, int y);
    // A turn of the wheel with the mouse there: delta in WHEEL_DELTA units (120 a notch,
    // positive away from the user).
    void Wheel(int x, int y, int delta) { Wheel("", x, y, delta); }
    void Wheel(std::string const& caption, int x, int y, int delta);
    // Press at the start, move in steps to the end, release there.
    void Drag(int x0, int y0, int x1, int y1, int steps = 4, TMouseButton button = mbLeft)
    {
        Drag("", x0, y0, x1, y1, steps, button);
    }
    void Drag(std::string const& caption, int x0, int y0, int x1, int y1, int steps = 4,
        TMouseButton button = mbLeft);
    // Keys by virtual-key code. KeyPress presses and releases one; with modifiers (VK_SHIFT,
    // VK_CONTROL, VK_MENU) they are held around it: KeyPress(VK_F4, {VK_MENU}) is Alt+F4.
    void KeyDown(int vk);
    void KeyUp(int vk);
    void KeyPress(int vk, std::initializer_list<int> modifiers = {});
    // Types text of letters, digits, spaces and US punctuation, with Shift where needed.
    void Type(std::string const& text);
    // Typed characters as a display with a keyboard layout reports them (ANSI code page);
    // while SetTypesText is on, keys make only control characters, as on such a display.
    void SetTypesText(bool on) { FTypesText = on; }
    void TypeText(std::string const& ansi);
    // The user asks to close the window (its task-bar entry's close command).
    void CloseRequest(std::string const& caption);
    void CloseRequest(HWND window) override;
    // The display destroys the window's native window from outside (a window manager's
    // "kill", another client's request).
    void LoseWindow(std::string const& caption);
    // The user minimises or restores the window from outside (task bar).
    void MinimizeRequest(std::string const& caption);
    void RestoreRequest(std::string const& caption);
    // Lets ms of virtual time pass before the next step.
    void Sleep(uint64_t ms);
    // Holds the script until a visible (shown) window with the caption exists, or none does.
    void WaitShown(std::string const& caption);
    void WaitHidden(std::string const& caption);
    // Holds the script until the condition is true; what names it in an error.
    void WaitUntil(std::function<bool()> condition, std::string what);
    // Runs code at this point of the script (from inside the message loop).
    void Do(std::function<void()> action);

    // Runs the message loop until the script is through and nothing is pending; a WM_QUIT
    // stops it (and stays posted). RunFor lets ms of virtual time pass the same way.
    void RunScript();
    void RunFor(uint64_t ms)
    {
        Sleep(ms);
        RunScript();
    }

    bool ScriptDone() const { return FScript.empty(); }
    size_t ScriptLength() const { return FScript.size(); }
    void ClearScript() { FScript.clear(); }

    // --- what was presented ---
    int PresentCount() const { return FPresentCount; }
    // Writes every presented surface as <dir>/frame-<n>-<handle>.png (empty: no dump), for
    // looking at what a test or a headless run showed.
    void SetFrameDump(std::string dir) { FFrameDump = std::move(dir); }
    bool NativeVisible(HWND window) const;
    std::string NativeTitle(HWND window) const;
    bool MouseCaptured() const { return FMouseCaptured; }
    // The shape, opacity and cursor last given to the display.
    bool NativeShaped(HWND window) const;
    gfx::TRegion NativeShape(HWND window) const;
    uint8_t NativeOpacity(HWND window) const;
    bool NativeMinimized(HWND window) const;
    // Shown or minimised: the window has a task-bar entry (a window minimised to the
    // notification area has none).
    bool NativeInTaskbar(HWND window) const;
    TRect NativeBounds(HWND window) const;
    // What the desktop was told the window is: its kind, its owner, whether it is modal.
    TNativeKind NativeKind(HWND window) const;
    HWND NativeOwner(HWND window) const;
    bool NativeModal(HWND window) const;
    int CursorShape() const { return FCursorShape; }
    // The picture of the last picture cursor shown, its hot spot and transparent colour.
    gfx::TBitmap const& CursorPicture() const { return FCursorPicture; }
    TPoint CursorHotSpot() const { return FCursorHotSpot; }
    uint32_t CursorTransparent() const { return FCursorTransparent; }

private:
    enum class TStepKind { Event, Sleep, WaitUntil, Do };
    struct TStep {
        TStepKind Kind = TStepKind::Event;
        TRawEvent Event;
        std::string Caption; // for Event: relative to this window; for close: target
        uint64_t Ms = 0;
        std::function<bool()> Condition;
        std::function<void()> Action;
        std::string What;
    };
    struct TTrayIcon {
        gfx::TBitmap Picture;
        std::string Tip;
    };
    struct TNative {
        TRect Bounds;
        std::string Title;
        bool Visible = false;
        bool Minimized = false;
        std::shared_ptr<gfx::TRegion> Shape;
        uint8_t Opacity = 255;
        TNativeKind Kind = TNativeKind::Normal;
        HWND Owner = nullptr;
        bool Modal = false;
        bool Lost = false; // destroyed by the display: it never shows again
    };

    void Add(TStep step) { FScript.push_back(std::move(step)); }
    void AddEvent(TRawEventKind kind, std::string const& caption, int x, int y, TMouseButton button);
    // Resolves the next step: returns an event, or nullopt when the script is empty or held.
    std::optional<TRawEvent> NextStep();
    bool ScriptHeld();

    uint64_t FNow = 0;
    uint64_t FIdleLimit = 600000;
    uint64_t FLastProgress = 0;
    bool FActionRan = false; // a scripted action ran since the queue last looked
    std::optional<uint64_t> FSleepUntil;
    std::deque<TStep> FScript;
    std::vector<TMonitor> FMonitors;
    std::map<HWND, TNative> FNatives;
    bool FTrayAvailable = false;
    std::string FClipboard;
    bool FHasClipboard = true;
    bool FTypesText = false;
    std::map<int, TTrayIcon> FTrayIcons; // by id: ids grow, so this is the order of adding
    std::deque<TRawEvent> FPending; // reports of the backend itself, before the script
    int FPresentCount = 0;
    std::string FFrameDump;
    bool FMouseCaptured = false;
    int FCursorShape = 0;
    gfx::TBitmap FCursorPicture;
    TPoint FCursorHotSpot;
    uint32_t FCursorTransparent = 0;
};

} // namespace xe::win
