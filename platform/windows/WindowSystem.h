#pragma once

// The window system's state, shared by the files of this folder. Other layers use the free
// functions of WinUser.h.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Region.h"
#include "platform/windows/Backend.h"
#include "platform/windows/WinDefs.h"

namespace xe::win {

// Set by the system in WM_WINDOWPOSCHANGED when the client area did not move or resize;
// DefWindowProc sends WM_MOVE and WM_SIZE only when they are clear.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;
// Set in WM_WINDOWPOSCHANGED when the window was minimised, maximised or restored; WM_SIZE
// follows then even though the client area kept its size.
constexpr UINT SWP_STATECHANGED = 0x8000;

struct NOTIFYICONDATA;

struct TWindow {
    HWND Handle = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    TRect Bounds; // screen coordinates
    TRect Client; // window coordinates
    std::string Text;
    std::string TaskbarTitle;
    WNDPROC Proc = nullptr;
    HWND Owner = nullptr;
    LONG_PTR UserData = 0;
    LONG_PTR Id = 0;
    TRect RestoreBounds; // bounds before maximising

    gfx::TBitmap Surface;
    std::optional<gfx::TRegion> Region; // window coordinates
    uint8_t Alpha = 255;
    DWORD LayeredFlags = 0;
    DWORD ColorKey = 0;

    gfx::TRegion Update; // client coordinates
    bool Erase = false;
    bool NcPaint = false; // the whole frame is to be repainted
    gfx::TRegion NcUpdate; // window coordinates: the part of the frame to repaint otherwise
    bool SyncPaint = false; // uncovered by another window: WM_SYNCPAINT is due
    bool InternalPaint = false;
    TRect Dirty; // window coordinates, changed since the last present

    bool Destroying = false;

    bool Visible() const { return (Style & WS_VISIBLE) != 0; }
    bool Enabled() const { return (Style & WS_DISABLED) == 0; }
    bool Minimized() const { return (Style & WS_MINIMIZE) != 0; }
    // Shown on the screen: visible and not minimised.
    bool Showing() const { return Visible() && !Minimized(); }
    uint8_t EffectiveAlpha() const
    {
        return (ExStyle & WS_EX_LAYERED) && (LayeredFlags & LWA_ALPHA) ? Alpha : 255;
    }
};

class TWindowSystem {
public:
    explicit TWindowSystem(std::unique_ptr<TBackend> backend);
    ~TWindowSystem();

    TBackend& Backend() { return *FBackend; }
    std::shared_ptr<TWindow> Find(HWND hwnd) const;
    TWindow* Get(HWND hwnd) const; // null for a stale handle

    // --- windows (WindowSystem.cpp) ---
    HWND Create(DWORD exStyle, std::string const& name, DWORD style, TRect bounds, HWND owner, WNDPROC proc,
        void* param);
    bool Destroy(HWND hwnd);
    bool SetPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    bool Show(HWND hwnd, int cmd);
    // Minimises or restores from minimised, with the position-change messages.
    void ChangeMinimized(HWND hwnd, bool minimized);
    void BringToTop(HWND hwnd);
    void Activate(HWND hwnd, int how);
    void ActivateNext(HWND leaving);
    void ChangeFocus(HWND hwnd);
    HWND SetCaptureWindow(HWND hwnd);
    std::vector<HWND> const& ZOrder() const { return FZOrder; }
    HWND HitWindow(TPoint screen, int* hitCode);
    void MinimizeApplication();
    void RestoreApplication();
    // Answers a close, minimise or restore request made to a disabled window: the
    // application comes back if it was minimised and the enabled window on top (the modal
    // dialog) is brought forward and activated.
    void BringModalForward();
    // Windows with WS_EX_TOPMOST stay above the others, keeping their order.
    void KeepTopmostOnTop();

    // --- the notification area (WindowSystem.cpp) ---
    bool NotifyIcon(DWORD message, NOTIFYICONDATA const& data);
    bool HideApplication();
    // The windows come back on the task bar (still minimised).
    void UnhideApplication();
    // Tray input and changes from the backend.
    void TrayEvent(TRawEvent const& event);
    bool AppHidden = false;

    HWND Active = nullptr;
    HWND Focus = nullptr;
    HWND Capture = nullptr;
    bool AppMinimized = false;

    // --- queue, timers, input (Queue.cpp) ---
    void Post(const MSG& msg);
    // Queues a message ahead of the others (the character TranslateMessage makes of a key).
    void PostFront(const MSG& msg);
    void PostQuit(int code);
    bool Peek(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
    bool Get(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
    LRESULT Dispatch(const MSG* msg);
    UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
    bool KillTimer(HWND hwnd, UINT_PTR id);
    std::optional<uint64_t> NextTimerDue() const;
    void ProcessRawEvent(TRawEvent const& event);
    void DropWindowMessages(HWND hwnd);

    TPoint CursorPos;
    uint32_t Buttons = 0; // bit per TMouseButton
    bool Keys[256] {}; // virtual keys held down
    bool AltAlone = false; // Alt went down and no other key or button since
    bool KeyMenuPending = false; // Alt came up alone: its WM_SYSKEYUP asks for the menu
    HCURSOR Cursor = nullptr;
    bool FullDragWindows = true; // SPI_GETDRAGFULLWINDOWS
    void ChangeCursor(HCURSOR cursor);
    struct TPictureCursor {
        gfx::TBitmap Picture;
        TPoint HotSpot;
        uint32_t Transparent = 0;
    };
    std::map<HCURSOR, TPictureCursor> PictureCursors;
    uintptr_t NextPictureCursor = 0x10000; // above every standard shape
    DWORD LastMessageTime = 0;
    TRACKMOUSEEVENT Tracking {};

    // --- the move and size loop (DefWindowProc.cpp) ---
    void RunSizeMoveLoop(HWND hwnd, bool sizing, WPARAM edge);
    void TrackSizeMove(TPoint cursor);
    void EndSizeMove();
    // The left button came up: the loop ends, placing the window where it was dragged.
    void FinishSizeMove();
    bool InSizeMove() const { return FSizeMove.Active; }
    MINMAXINFO DefaultMinMaxInfo(HWND hwnd);

    // --- painting (Painting.cpp) ---
    void InvalidateAll(TWindow& w, bool erase, bool frame);
    bool NeedsPaint(TWindow const& w) const;
    void PaintNow(HWND hwnd); // WM_NCPAINT and WM_PAINT at once, if needed
    // Sends WM_NCPAINT for the invalid part of the frame, if any: 1 for the whole frame,
    // else the region in screen coordinates.
    void SendNcPaint(HWND hwnd);
    // Marks part of a window (window coordinates) for repainting, the frame part only.
    void InvalidateFrame(TWindow& w, gfx::TRegion const& windowArea);
    // What of the screen a window covers (its shape, when it has one).
    gfx::TRegion ScreenArea(TWindow const& w) const;
    // The windows below `above` in the z-order whose frame the screen area lost by it now
    // shows are told to repaint that part (WM_SYNCPAINT, delivered by the queue).
    void Uncover(HWND above, gfx::TRegion const& lost);
    // Where keys go: the focus window, else the active one, else the capture window.
    HWND KeyTarget() const;
    static TNativeKind NativeKindOf(DWORD style, DWORD exStyle);
    // Shows the native window of a window that has become visible.
    void ShowNative(TWindow& w);
    void SendSyncPaints();
    void MarkDirty(TWindow& w, TRect const& windowRect);
    void FlushPresent();
    HDC MakeDC(HWND hwnd, bool wholeWindow, gfx::TRegion const* clip);
    bool FreeDC(HDC dc);

    // Default painting of DefWindowProc.
    void DefaultEraseBackground(HWND hwnd, HDC dc);
    void DefaultNcPaint(HWND hwnd, HRGN region = nullptr);

private:
    void RouteMouse(TRawEvent const& event);
    void RouteWheel(TRawEvent const& event);
    void RouteKey(TRawEvent const& event);
    void RouteText(TRawEvent const& event);
    void SendSetCursor(HWND target, int hit, UINT mouseMessage);
    void ResizeSurface(TWindow& w);
    void RemoveFromZOrder(HWND hwnd);

    struct TTimer {
        HWND Window = nullptr;
        UINT_PTR Id = 0;
        UINT Elapse = 0;
        uint64_t Due = 0;
        TIMERPROC Proc = nullptr;
        uint64_t Seq = 0;
    };
    struct TLastPress {
        HWND Window = nullptr;
        TMouseButton Button = mbLeft;
        bool NonClient = false;
        uint64_t Time = 0;
        TPoint Pos;
    };
    struct TSizeMove {
        bool Active = false;
        HWND Window = nullptr;
        bool Sizing = false;
        WPARAM Edge = 0;
        TPoint Start;
        TPoint Last;
        TRect StartRect;
        MINMAXINFO Limits {};
        TRect Outline; // where the window goes when it is not dragged in full
        bool Moved = false;
    };

    struct TDc {
        std::shared_ptr<TWindow> Window; // keeps the surface alive while the canvas is out
        std::unique_ptr<gfx::TCanvas> Canvas;
        TRect Area; // window coordinates the canvas may draw on
    };

    std::unique_ptr<TBackend> FBackend;
    std::map<HDC, TDc> FDcs;
    std::map<HWND, std::shared_ptr<TWindow>> FWindows;
    std::vector<HWND> FZOrder; // topmost first
    uintptr_t FNextHandle = 0x100;
    std::deque<MSG> FPosted;
    bool FQuitPosted = false;
    int FQuitCode = 0;
    std::vector<TTimer> FTimers;
    uint64_t FTimerSeq = 0;
    UINT_PTR FNextThreadTimer = 0x7F00;
    TLastPress FLastPress;
    TSizeMove FSizeMove;
    std::vector<HWND> FAppMinimizedWindows;
    struct TTrayIcon {
        HWND Owner = nullptr;
        UINT Id = 0;
        UINT CallbackMessage = 0;
        int BackendId = 0;
        gfx::TBitmap Picture;
        std::string Tip;
    };
    std::vector<TTrayIcon> FTrayIcons;
    int FNextTrayId = 1;
    std::optional<std::pair<int, uint64_t>> FLastTrayPress; // icon, time
    TTrayIcon* FindTrayIcon(HWND owner, UINT id);
    void RemoveTrayIcons(HWND owner);
    HWND FAppActive = nullptr;
};

// The cursor of a move (arrow) or of a size loop on an edge (WMSZ_ code).
LPCSTR SizingCursor(bool sizing, WPARAM edge);

// The one window system, started on first use.
TWindowSystem& WS();

} // namespace xe::win
