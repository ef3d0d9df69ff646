#include "platform/windows/SdlBackend.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <algorithm>

#include "platform/base/Strings.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Region.h"
#include "platform/windows/XEmbedTray.h"

#ifdef XE_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#endif

namespace xe::win {

namespace {

#ifdef XE_HAVE_X11
int (*GPreviousXErrorHandler)(Display*, XErrorEvent*) = nullptr;

// Xlib's own handler ends the process on any error. A request about a window that has just
// gone (a menu's window destroyed while the input method or the window system still
// addresses it) is a race, not a fault of ours: it is ignored. Other errors go on as before.
int TolerateGoneWindows(Display* d, XErrorEvent* e)
{
    if (e->error_code == BadWindow || e->error_code == BadDrawable)
        return 0;
    return GPreviousXErrorHandler ? GPreviousXErrorHandler(d, e) : 0;
}

// Puts the handler (back) in place: SDL may set Xlib's handler for a while and restore an
// older one. The first one replaced (Xlib's own) stays the one other errors go to: SDL's
// handlers pass errors on to the handler they found, which may be this one.
void KeepXErrorHandler()
{
    auto* previous = XSetErrorHandler(TolerateGoneWindows);
    if (previous != TolerateGoneWindows && !GPreviousXErrorHandler)
        GPreviousXErrorHandler = previous;
}
#endif

TRect FromSdl(SDL_Rect const& r) { return base::Bounds(r.x, r.y, r.w, r.h); }

TMouseButton ButtonFromSdl(uint8_t button)
{
    return button == SDL_BUTTON_RIGHT ? mbRight : button == SDL_BUTTON_MIDDLE ? mbMiddle : mbLeft;
}

// The virtual-key code of an SDL key, or 0 for keys the window system does not know.
int VirtualKeyFromSdl(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return int('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return int('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + int(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + int(key - SDLK_KP_1);
    switch (key) {
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_LGUI:
        return VK_LWIN;
    case SDLK_RGUI:
        return VK_RWIN;
    case SDLK_APPLICATION:
        return VK_APPS;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_END:
        return VK_END;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR:
        return VK_NUMLOCK;
    case SDLK_SCROLLLOCK:
        return VK_SCROLL;
    case SDLK_KP_0:
        return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY:
        return VK_MULTIPLY;
    case SDLK_KP_PLUS:
        return VK_ADD;
    case SDLK_KP_MINUS:
        return VK_SUBTRACT;
    case SDLK_KP_PERIOD:
        return VK_DECIMAL;
    case SDLK_KP_DIVIDE:
        return VK_DIVIDE;
    case SDLK_SEMICOLON:
        return VK_OEM_1;
    case SDLK_EQUALS:
        return VK_OEM_PLUS;
    case SDLK_COMMA:
        return VK_OEM_COMMA;
    case SDLK_MINUS:
        return VK_OEM_MINUS;
    case SDLK_PERIOD:
        return VK_OEM_PERIOD;
    case SDLK_SLASH:
        return VK_OEM_2;
    case SDLK_BACKQUOTE:
        return VK_OEM_3;
    case SDLK_LEFTBRACKET:
        return VK_OEM_4;
    case SDLK_BACKSLASH:
        return VK_OEM_5;
    case SDLK_RIGHTBRACKET:
        return VK_OEM_6;
    case SDLK_QUOTE:
        return VK_OEM_7;
    default:
        return 0;
    }
}

SDL_SystemCursor SdlCursorFor(int id)
{
    switch (id) {
    case 32513:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:
        return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648:
        return SDL_SYSTEM_CURSOR_NO;
    case 32649:
        return SDL_SYSTEM_CURSOR_HAND;
    case 32650:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

} // namespace

TSdlBackend::TSdlBackend()
{
    // The first click on a window that is not focused is a click, as on the platform.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The window system captures the mouse itself (X's own grab of a held button keeps
    // the moves coming); SDL's automatic capture would let an open menu's grab go.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    // Closing windows is the window system's business, not a reason to quit.
    SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Interrupt and terminate signals keep their usual effect instead of becoming events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Surfaces go to the display directly: a framebuffer emulated through a renderer
    // showed each frame only when the next one came.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A display server that has just started may refuse its first clients: try a few times
    // before running without a display.
#ifdef XE_HAVE_X11
    // In place before SDL opens its connections, so that SDL puts it back when it closes
    // them: the close reports what is still pending, such as an error about a window that has
    // just gone, and Xlib's own handler would end the process for it.
    KeepXErrorHandler();
#endif
    bool opened = false;
    for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
        if (attempt > 0)
            SDL_Delay(100);
        opened = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }
    if (!opened)
        throw base::EInvalidOperation(std::string("Cannot open the display: ") + SDL_GetError());
    FStart = SDL_GetTicks64();
    FTray = std::make_unique<TXEmbedTray>([this] { return XDisplay(); });
    // Typed characters come from the keyboard layout, whatever it is.
    SDL_StartTextInput();
#ifdef XE_HAVE_X11
    // On X the pointer's screen position comes with every event. SDL passes on positions
    // relative to the window, which are stale for events made before the window last
    // moved (a window dragged by its title image moves under the pointer).
    if (std::string(SDL_GetCurrentVideoDriver()) == "x11") {
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
        FX11Input = true;
        KeepXErrorHandler();
    }
#endif
}

TSdlBackend::~TSdlBackend()
{
    SDL_SetCursor(SDL_GetDefaultCursor());
    for (auto& [id, cursor] : FCursors)
        SDL_FreeCursor(cursor);
    FCursors.clear();
    for (auto& [id, cursor] : FPictureCursors)
        SDL_FreeCursor(cursor);
    FPictureCursors.clear();
    FTray.reset(); // its windows go before the connection
    SDL_StopTextInput();
#ifdef XE_HAVE_X11
    if (FX11Input)
        KeepXErrorHandler();
#endif
    for (auto& [hwnd, native] : FNatives)
        SDL_DestroyWindow(native.Window);
    FNatives.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // Only a full quit lets SDL release its connection to the session bus.
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

uint64_t TSdlBackend::Now() { return SDL_GetTicks64() - FStart; }

std::vector<TMonitor> TSdlBackend::Monitors()
{
    std::vector<TMonitor> monitors;
    int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds;
        SDL_Rect usable;
        if (SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0)
            usable = bounds;
        // On X, SDL reads the work area a window manager publishes (_NET_WORKAREA).
        monitors.push_back({ FromSdl(bounds), FromSdl(usable) });
    }
    return monitors;
}

TSdlBackend::TNative* TSdlBackend::Find(HWND window)
{
    auto it = FNatives.find(window);
    return it == FNatives.end() || it->second.Lost ? nullptr : &it->second;
}

HWND TSdlBackend::FromSdlId(uint32_t id) const
{
    for (auto const& [hwnd, native] : FNatives)
        if (SDL_GetWindowID(native.Window) == id)
            return hwnd;
    return nullptr;
}

void TSdlBackend::CreateNativeWindow(
    HWND window, TRect const& bounds, std::string const& title, TNativeKind kind)
{
    // A popup is override-redirect on X, typed as a popup menu: no window manager frames,
    // moves or stacks anything over it.
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (kind == TNativeKind::Popup)
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    SDL_Window* w = SDL_CreateWindow(base::AnsiToUtf8(title).c_str(), bounds.Left, bounds.Top,
        std::max(1, bounds.Width()), std::max(1, bounds.Height()), flags);
    if (!w)
        throw base::EOutOfResources(std::string("Cannot create a window: ") + SDL_GetError());
    FNatives[window] = TNative { w, bounds, false, false };
#ifdef XE_HAVE_X11
    if (FX11Input)
        KeepXErrorHandler();
#endif
}

void TSdlBackend::DestroyNativeWindow(HWND window)
{
    if (window == FPointerGrab)
        GrabPointer(nullptr);
    if (auto it = FNatives.find(window); it != FNatives.end()) {
        SDL_DestroyWindow(it->second.Window);
        FNatives.erase(it);
    }
}

void TSdlBackend::SetVisible(HWND window, bool visible)
{
    TNative* n = Find(window);
    if (!n || n->Visible == visible)
        return;
    n->Visible = visible;
    if (visible) {
        SDL_ShowWindow(n->Window);
        // Without a window manager nothing moves a window, but one may have: put it back.
        SDL_SetWindowPosition(n->Window, n->Bounds.Left, n->Bounds.Top);
    } else
        SDL_HideWindow(n->Window);
}

bool TSdlBackend::XWindowOf(HWND window, void*& display, unsigned long& xwindow)
{
#ifdef XE_HAVE_X11
    TNative* n = Find(window);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!n || !SDL_GetWindowWMInfo(n->Window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return true;
#else
    (void)window;
    (void)display;
    (void)xwindow;
    return false;
#endif
}

void TSdlBackend::SetOwner(HWND window, HWND owner, bool modal)
{
#ifdef XE_HAVE_X11
    // ICCCM and EWMH: transient for its owner, typed as a dialog, and modal where it is, so
    // that a window manager keeps it above its owner. Set before each mapping, as a window
    // manager forgets a withdrawn window's state.
    void* d = nullptr;
    unsigned long xwindow = 0;
    if (!XWindowOf(window, d, xwindow))
        return;
    auto* display = static_cast<Display*>(d);
    void* ownerDisplay = nullptr;
    unsigned long ownerWindow = 0;
    if (!owner || !XWindowOf(owner, ownerDisplay, ownerWindow))
        ownerWindow = 0;
    auto atom = [&](char const* name) { return XInternAtom(display, name, False); };
    if (SDL_GetWindowFlags(Find(window)->Window) & SDL_WINDOW_POPUP_MENU)
        return; // a popup keeps its own type
    if (ownerWindow) {
        XSetTransientForHint(display, xwindow, ownerWindow);
        Atom const type = atom("_NET_WM_WINDOW_TYPE_DIALOG");
        XChangeProperty(display, xwindow, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<unsigned char const*>(&type), 1);
    } else {
        XDeleteProperty(display, xwindow, atom("WM_TRANSIENT_FOR"));
        Atom const type = atom("_NET_WM_WINDOW_TYPE_NORMAL");
        XChangeProperty(display, xwindow, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<unsigned char const*>(&type), 1);
    }
    // The state property keeps what SDL put there, with or without the modal state.
    Atom const modalState = atom("_NET_WM_STATE_MODAL");
    std::vector<Atom> states;
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, xwindow, atom("_NET_WM_STATE"), 0, 64, False, XA_ATOM, &actualType,
            &actualFormat, &count, &after, &data)
            == Success
        && data) {
        if (actualFormat == 32)
            for (unsigned long i = 0; i < count; ++i)
                if (Atom const a = reinterpret_cast<Atom const*>(data)[i]; a != modalState)
                    states.push_back(a);
        XFree(data);
    }
    if (modal && ownerWindow)
        states.push_back(modalState);
    XChangeProperty(display, xwindow, atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char const*>(states.data()), int(states.size()));
    XFlush(display);
#else
    (void)window;
    (void)owner;
    (void)modal;
#endif
}

void TSdlBackend::GrabPointer(HWND window)
{
#ifdef XE_HAVE_X11
    // SDL captures the mouse only for the window with the keyboard focus, which a popup
    // menu never has (nor anything while the application sits in the tray). Presses
    // outside every window of the application then come to the grab window, with their
    // screen positions, so that a click elsewhere closes a menu.
    void* d = nullptr;
    unsigned long xwindow = 0;
    if (FPointerGrab && FPointerGrab != window && XWindowOf(FPointerGrab, d, xwindow)) {
        XUngrabPointer(static_cast<Display*>(d), CurrentTime);
        XFlush(static_cast<Display*>(d));
    }
    bool const again = FPointerGrab && FPointerGrab == window;
    FPointerGrab = nullptr;
    if (!window || !XWindowOf(window, d, xwindow))
        return;
    auto* display = static_cast<Display*>(d);
    unsigned const mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    if (XGrabPointer(display, xwindow, True, mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime)
        == GrabSuccess)
        FPointerGrab = window;
    if (!again) {
        // Keys reach a menu through the window that has the focus; when none of the
        // application's windows has it (the application is in the tray), the menu takes it.
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        bool ours = false;
        for (auto& [hwnd, native] : FNatives) {
            void* od = nullptr;
            unsigned long other = 0;
            if (XWindowOf(hwnd, od, other) && other == focus)
                ours = true;
        }
        if (!ours)
            XSetInputFocus(display, xwindow, RevertToPointerRoot, CurrentTime);
    }
    XFlush(display);
#else
    (void)window;
#endif
}

void TSdlBackend::SetBounds(HWND window, TRect const& bounds)
{
    TNative* n = Find(window);
    if (!n)
        return;
    if (bounds.Width() != n->Bounds.Width() || bounds.Height() != n->Bounds.Height())
        SDL_SetWindowSize(n->Window, std::max(1, bounds.Width()), std::max(1, bounds.Height()));
    if (bounds.Left != n->Bounds.Left || bounds.Top != n->Bounds.Top)
        SDL_SetWindowPosition(n->Window, bounds.Left, bounds.Top);
    n->Bounds = bounds;
}

void TSdlBackend::SetTitle(HWND window, std::string const& title)
{
    TNative* n = Find(window);
    if (!n)
        return;
    std::string utf8 = base::AnsiToUtf8(title);
    SDL_SetWindowTitle(n->Window, utf8.c_str());
#ifdef XE_HAVE_X11
    // SDL writes WM_NAME in the process's locale, which is the C locale here: every client
    // that reads WM_NAME (xprop, xdotool, older window managers, task lists) would see
    // mojibake. Compound text, made from UTF-8 by Xlib whatever the locale, reads right
    // everywhere. (_NET_WM_NAME, which SDL writes as UTF-8, is fine as it is.)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(n->Window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    char* list[1] = { utf8.data() };
    XTextProperty property;
    if (Xutf8TextListToTextProperty(info.info.x11.display, list, 1, XStdICCTextStyle, &property) != Success)
        return;
    XSetWMName(info.info.x11.display, info.info.x11.window, &property);
    XFree(property.value);
    XFlush(info.info.x11.display);
#endif
}

void TSdlBackend::SetMinimized(HWND window, bool minimized)
{
    TNative* n = Find(window);
    if (!n || n->Minimized == minimized)
        return;
    n->Minimized = minimized;
    // The window goes to its task-bar entry. (Without a window manager nothing iconifies
    // it; hiding it instead would leave no entry to restore it from where there is one.)
    if (minimized)
        SDL_MinimizeWindow(n->Window);
    else {
        SDL_RestoreWindow(n->Window);
        SDL_SetWindowPosition(n->Window, n->Bounds.Left, n->Bounds.Top);
    }
}

void TSdlBackend::Raise(HWND window)
{
    TNative* n = Find(window);
    if (!n || !n->Visible || n->Minimized)
        return;
#ifdef XE_HAVE_X11
    // A popup goes on top without taking the focus, which SDL would ask the window manager
    // for (and which would make SDL drop the menu's pointer grab).
    void* d = nullptr;
    unsigned long xwindow = 0;
    if ((SDL_GetWindowFlags(n->Window) & SDL_WINDOW_POPUP_MENU) && XWindowOf(window, d, xwindow)) {
        XRaiseWindow(static_cast<Display*>(d), xwindow);
        XFlush(static_cast<Display*>(d));
        return;
    }
#endif
    SDL_RaiseWindow(n->Window);
}

void TSdlBackend::SetShape(HWND window, gfx::TRegion const* region)
{
#ifdef XE_HAVE_X11
    TNative* n = Find(window);
    if (!n)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(n->Window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    Display* display = info.info.x11.display;
    ::Window xwindow = info.info.x11.window;
    if (!region) {
        XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> rects;
        for (TRect const& r : region->Rects())
            rects.push_back(XRectangle {
                short(r.Left), short(r.Top), (unsigned short)(r.Width()), (unsigned short)(r.Height()) });
        XShapeCombineRectangles(
            display, xwindow, ShapeBounding, 0, 0, rects.data(), int(rects.size()), ShapeSet, Unsorted);
    }
    XFlush(display);
#else
    (void)window;
    (void)region;
#endif
}

void TSdlBackend::SetOpacity(HWND window, uint8_t alpha)
{
    if (TNative* n = Find(window))
        SDL_SetWindowOpacity(n->Window, float(alpha) / 255.0f);
}

void TSdlBackend::Present(HWND window, gfx::TBitmap const& surface, TRect const& changed)
{
    TNative* n = Find(window);
    if (!n || surface.Empty())
        return;
    SDL_Surface* target = SDL_GetWindowSurface(n->Window);
    if (!target)
        return;
    // The bitmap's rows are blue, green, red bytes, padded to 4 bytes.
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(surface.Bits()),
        surface.Width(), surface.Height(), 24, surface.Stride(), SDL_PIXELFORMAT_BGR24);
    if (!source)
        return;
    SDL_Rect r { changed.Left, changed.Top, changed.Width(), changed.Height() };
    SDL_Rect d = r;
    SDL_BlitSurface(source, &r, target, &d);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurfaceRects(n->Window, &r, 1);
}

void TSdlBackend::SetCursorShape(int id)
{
    FCursorShape = id;
    if (id == 0) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_SystemCursor shape = SdlCursorFor(id);
    SDL_Cursor*& cursor = FCursors[int(shape)];
    if (!cursor)
        cursor = SDL_CreateSystemCursor(shape);
    if (cursor)
        SDL_SetCursor(cursor);
    SDL_ShowCursor(SDL_ENABLE);
}

void TSdlBackend::SetMouseCapture(HWND window)
{
#ifdef XE_HAVE_X11
    // A popup (an open menu) grabs the pointer itself; other windows need SDL's capture
    // only for a button held outside them.
    TNative const* n = Find(window);
    bool const popup = n && (SDL_GetWindowFlags(n->Window) & SDL_WINDOW_POPUP_MENU);
    if (FX11Input && (popup || FPointerGrab)) {
        GrabPointer(popup ? window : nullptr);
        if (popup)
            return;
    }
#endif
    SDL_CaptureMouse(window ? SDL_TRUE : SDL_FALSE);
}

void TSdlBackend::SetCursorPicture(int id, gfx::TBitmap const& picture, TPoint hot, uint32_t transparent)
{
    SDL_Cursor*& cursor = FPictureCursors[id];
    if (!cursor) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(
            0, picture.Width(), picture.Height(), 32, SDL_PIXELFORMAT_ARGB8888);
        if (!s)
            return;
        for (int y = 0; y < picture.Height(); ++y) {
            uint8_t const* src = picture.ScanLine(y);
            auto* dst = reinterpret_cast<uint32_t*>(
                static_cast<uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch));
            for (int x = 0; x < picture.Width(); ++x) {
                // The picture's pixels are blue, green, red.
                uint32_t b = src[x * 3], g = src[x * 3 + 1], r = src[x * 3 + 2];
                bool clear = (r | (g << 8) | (b << 16)) == (transparent & 0xFFFFFF);
                dst[x] = (clear ? 0u : 0xFF000000u) | (r << 16) | (g << 8) | b;
            }
        }
        cursor = SDL_CreateColorCursor(s, hot.X, hot.Y);
        SDL_FreeSurface(s);
    }
    if (!cursor)
        return;
    FCursorShape = id;
    SDL_SetCursor(cursor);
    SDL_ShowCursor(SDL_ENABLE);
}

void* TSdlBackend::XDisplay()
{
#ifdef XE_HAVE_X11
    if (!FX11Input)
        return nullptr;
    // SDL's own connection, so that events of the icon windows wake SDL's waits and come
    // with its events. It is reached through a window; there is always one (the icon's
    // owner) when an icon is added.
    for (auto& [hwnd, native] : FNatives) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(native.Window, &info) && info.subsystem == SDL_SYSWM_X11)
            return info.info.x11.display;
    }
#endif
    return nullptr;
}

bool TSdlBackend::TrayAvailable() { return FTray->Available(); }

// SDL's clipboard holds UTF-8; the window system's text is in the ANSI code page.
std::string TSdlBackend::ClipboardText()
{
    if (!SDL_HasClipboardText())
        return {};
    char* utf8 = SDL_GetClipboardText();
    if (!utf8)
        return {};
    std::string text = base::Utf8ToAnsi(utf8);
    SDL_free(utf8);
    return text;
}

void TSdlBackend::SetClipboardText(std::string const& text)
{
    SDL_SetClipboardText(base::AnsiToUtf8(text).c_str());
}

void TSdlBackend::AddTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip)
{
    FTray->Add(id, picture, tip);
}

void TSdlBackend::ChangeTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip)
{
    FTray->Change(id, picture, tip);
}

void TSdlBackend::RemoveTrayIcon(int id) { FTray->Remove(id); }

bool TSdlBackend::LostWindowXEvent(void const* xevent, std::optional<TRawEvent>& event)
{
#ifdef XE_HAVE_X11
    XEvent const& x = *static_cast<XEvent const*>(xevent);
    if (x.type != DestroyNotify || x.xdestroywindow.event != x.xdestroywindow.window)
        return false;
    for (auto& [hwnd, native] : FNatives) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (native.Lost || !native.Window || !SDL_GetWindowWMInfo(native.Window, &info)
            || info.subsystem != SDL_SYSWM_X11 || info.info.x11.window != x.xdestroywindow.window)
            continue;
        // SDL would wait in vain for the map and unmap events of a window that is gone:
        // nothing but its destruction reaches it any more.
        native.Lost = true;
        event = TRawEvent {};
        event->Kind = TRawEventKind::WindowLost;
        event->Window = hwnd;
        return true;
    }
    return false;
#else
    (void)xevent;
    (void)event;
    return false;
#endif
}

std::optional<TRawEvent> TSdlBackend::PollEvent()
{
#ifdef XE_HAVE_X11
    if (FX11Input)
        KeepXErrorHandler();
#endif
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        TRawEvent raw;
        switch (e.type) {
#ifdef XE_HAVE_X11
        case SDL_SYSWMEVENT: {
            if (!FX11Input || !e.syswm.msg || e.syswm.msg->subsystem != SDL_SYSWM_X11)
                continue;
            XEvent const& x = e.syswm.msg->msg.x11.event;
            if (FPointerGrab
                && (x.type == FocusIn || x.type == FocusOut || x.type == ButtonRelease
                    || ((x.type == EnterNotify || x.type == LeaveNotify)
                        && x.xcrossing.mode == NotifyNormal))) {
                // SDL lets every grab go when the focus moves, the pointer crosses a window
                // or the buttons come up: the menu's grab is taken again. (Taking it makes
                // only crossings of the grab mode, so this does not feed itself.)
                GrabPointer(FPointerGrab);
            }
            if (std::optional<TRawEvent> tray; FTray->HandleXEvent(&x, tray)) {
                if (tray)
                    return tray;
                continue;
            }
            if (std::optional<TRawEvent> lost; LostWindowXEvent(&x, lost))
                return lost;
            if (x.type == MotionNotify) {
                raw.Kind = TRawEventKind::MouseMove;
                raw.Pos = { x.xmotion.x_root, x.xmotion.y_root };
                if (FLastMove == raw.Pos)
                    continue;
                FLastMove = raw.Pos;
                return raw;
            }
            if ((x.type == ButtonPress || x.type == ButtonRelease) && x.xbutton.button >= 1
                && x.xbutton.button <= 3) {
                raw.Kind = x.type == ButtonPress ? TRawEventKind::ButtonDown : TRawEventKind::ButtonUp;
                raw.Pos = { x.xbutton.x_root, x.xbutton.y_root };
                raw.Button = x.xbutton.button == 1 ? mbLeft : x.xbutton.button == 3 ? mbRight : mbMiddle;
                return raw;
            }
            // X reports a notch of the wheel as a press (and release) of button 4 (away from
            // the user) or 5 (toward); the press is the turn.
            if (x.type == ButtonPress && (x.xbutton.button == 4 || x.xbutton.button == 5)) {
                raw.Kind = TRawEventKind::Wheel;
                raw.Pos = { x.xbutton.x_root, x.xbutton.y_root };
                raw.Key = x.xbutton.button == 4 ? WHEEL_DELTA : -WHEEL_DELTA;
                return raw;
            }
            continue;
        }
#endif
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            // On X, presses, releases and moves with a button held are taken from the X events
            // above, which carry screen positions. Moves without a button come only from SDL:
            // SDL asks X for its extended input events, and X then sends this client those
            // instead of the plain motion events, except under a button's implicit grab. The
            // window did not move under the pointer then, so its position relative to the
            // window is sound.
            if (FX11Input && (e.type != SDL_MOUSEMOTION || e.motion.state != 0))
                continue;
            uint32_t id = e.type == SDL_MOUSEMOTION ? e.motion.windowID : e.button.windowID;
            HWND hwnd = FromSdlId(id);
            TNative* n = Find(hwnd);
            if (!n)
                continue;
            int x = e.type == SDL_MOUSEMOTION ? e.motion.x : e.button.x;
            int y = e.type == SDL_MOUSEMOTION ? e.motion.y : e.button.y;
            raw.Pos = { n->Bounds.Left + x, n->Bounds.Top + y };
            raw.Kind = e.type == SDL_MOUSEMOTION ? TRawEventKind::MouseMove
                : e.type == SDL_MOUSEBUTTONDOWN  ? TRawEventKind::ButtonDown
                                                 : TRawEventKind::ButtonUp;
            if (e.type != SDL_MOUSEMOTION)
                raw.Button = ButtonFromSdl(e.button.button);
            else if (FLastMove == raw.Pos)
                continue;
            else
                FLastMove = raw.Pos;
            return raw;
        }
        case SDL_MOUSEWHEEL: {
            // On X the wheel comes from the button events above, with screen positions.
            if (FX11Input || e.wheel.y == 0)
                continue;
            TNative* n = Find(FromSdlId(e.wheel.windowID));
            if (!n)
                continue;
            int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            raw.Kind = TRawEventKind::Wheel;
            raw.Pos = { n->Bounds.Left + e.wheel.mouseX, n->Bounds.Top + e.wheel.mouseY };
            raw.Key = notches * WHEEL_DELTA;
            return raw;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            int vk = VirtualKeyFromSdl(e.key.keysym.sym);
            if (!vk)
                continue;
            raw.Kind = e.type == SDL_KEYDOWN ? TRawEventKind::KeyDown : TRawEventKind::KeyUp;
            raw.Key = vk;
            raw.Window = FromSdlId(e.key.windowID);
            return raw;
        }
        case SDL_TEXTINPUT: {
            // The characters as the keyboard layout makes them (dead keys and input methods
            // included), in the ANSI code page.
            raw.Kind = TRawEventKind::Text;
            raw.Text = base::Utf8ToAnsi(e.text.text);
            raw.Window = FromSdlId(e.text.windowID);
            if (raw.Text.empty())
                continue;
            return raw;
        }
        case SDL_WINDOWEVENT: {
            HWND hwnd = FromSdlId(e.window.windowID);
            TNative* n = Find(hwnd);
            if (!n)
                continue;
            raw.Window = hwnd;
            switch (e.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                raw.Kind = TRawEventKind::CloseRequest;
                return raw;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                // A popup takes keys at most; it never becomes the active window.
                if (SDL_GetWindowFlags(n->Window) & SDL_WINDOW_POPUP_MENU)
                    continue;
                raw.Kind = TRawEventKind::Activate;
                return raw;
            case SDL_WINDOWEVENT_MINIMIZED:
                if (n->Minimized)
                    continue;
                raw.Kind = TRawEventKind::Minimize;
                return raw;
            case SDL_WINDOWEVENT_RESTORED:
                if (!n->Minimized)
                    continue;
                raw.Kind = TRawEventKind::Restore;
                return raw;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                // The display lost the window's pixels, or SDL made its copy of them anew
                // (which it does on any configure event, a window manager's included): the
                // window system shows its whole surface again.
                raw.Kind = TRawEventKind::Exposed;
                return raw;
            default:
                continue;
            }
        }
        default:
            continue;
        }
    }
    return std::nullopt;
}

void TSdlBackend::WaitEvent(std::optional<uint64_t> deadline)
{
    if (!deadline) {
        SDL_WaitEvent(nullptr);
        return;
    }
    uint64_t now = Now();
    if (*deadline <= now)
        return;
    SDL_WaitEventTimeout(nullptr, int(std::min<uint64_t>(*deadline - now, 0x7FFFFFFF)));
}

} // namespace xe::win
