#include "platform/windows/XEmbedTray.h"

#include <cstdlib>
#include <utility>

#include "platform/base/Strings.h"

#ifdef XE_HAVE_X11
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace xe::win {

#ifdef XE_HAVE_X11
namespace {

constexpr long SYSTEM_TRAY_REQUEST_DOCK = 0;
constexpr long XEMBED_MAPPED = 1;
constexpr int TrayIconSize = 22; // what trays of a 24 to 26-pixel panel give an icon

Atom TraySelection(Display* d)
{
    std::string const name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(d));
    return XInternAtom(d, name.c_str(), False);
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// Runs calls with X errors ignored, and waits until the server has answered them.
class TIgnoreXErrors {
public:
    explicit TIgnoreXErrors(Display* d)
        : FDisplay(d)
    {
        XSync(d, False);
        FOld = XSetErrorHandler(IgnoreXError);
    }
    ~TIgnoreXErrors()
    {
        XSync(FDisplay, False);
        XSetErrorHandler(FOld);
    }
    TIgnoreXErrors(TIgnoreXErrors const&) = delete;
    TIgnoreXErrors& operator=(TIgnoreXErrors const&) = delete;

private:
    Display* FDisplay;
    int (*FOld)(Display*, XErrorEvent*) = nullptr;
};

// An 8-bit channel value placed in a true-colour visual's mask.
unsigned long Channel(unsigned value, unsigned long mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    int bits = 0;
    while (shift + bits < 64 && ((mask >> (shift + bits)) & 1))
        ++bits;
    unsigned long const v = bits >= 8 ? (unsigned long)value << (bits - 8) : value >> (8 - bits);
    return (v << shift) & mask;
}

} // namespace
#endif

TXEmbedTray::TXEmbedTray(std::function<void*()> display)
    : FDisplaySource(std::move(display))
{
}

TXEmbedTray::~TXEmbedTray()
{
    for (auto& [id, icon] : FIcons)
        Drop(icon);
}

void* TXEmbedTray::XDisplay()
{
#ifdef XE_HAVE_X11
    if (FXDisplay || !FDisplaySource)
        return FXDisplay;
    FXDisplay = FDisplaySource();
    if (auto* d = static_cast<Display*>(FXDisplay)) {
        // A new tray announces itself on the root window.
        ::Window const root = DefaultRootWindow(d);
        XWindowAttributes a;
        if (XGetWindowAttributes(d, root, &a))
            XSelectInput(d, root, a.your_event_mask | StructureNotifyMask);
    }
    return FXDisplay;
#else
    return nullptr;
#endif
}

unsigned long TXEmbedTray::Manager()
{
#ifdef XE_HAVE_X11
    auto* d = static_cast<Display*>(XDisplay());
    return d ? XGetSelectionOwner(d, TraySelection(d)) : 0;
#else
    return 0;
#endif
}

bool TXEmbedTray::Available() { return Manager() != 0; }

void TXEmbedTray::Dock(TIcon& icon)
{
#ifdef XE_HAVE_X11
    auto* d = static_cast<Display*>(XDisplay());
    ::Window const manager = Manager();
    if (!d || !manager || (icon.XWindow && icon.Manager == manager))
        return;
    TIgnoreXErrors guard(d);
    if (!icon.XWindow) {
        ::Window const w
            = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, TrayIconSize, TrayIconSize, 0, 0, 0);
        XSelectInput(d, w, ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);
        Atom const info = XInternAtom(d, "_XEMBED_INFO", False);
        long const data[2] = { 0, XEMBED_MAPPED }; // protocol version, flags
        XChangeProperty(
            d, w, info, info, 32, PropModeReplace, reinterpret_cast<unsigned char const*>(data), 2);
        // Trays size an icon from its size hints: without a minimum and a base size some
        // (trayer) give it a single pixel of width.
        XSizeHints* hints = XAllocSizeHints();
        if (hints) {
            hints->flags = PMinSize | PBaseSize;
            hints->min_width = hints->min_height = TrayIconSize;
            hints->base_width = hints->base_height = TrayIconSize;
            XSetWMNormalHints(d, w, hints);
            XFree(hints);
        }
        icon.XWindow = w;
        SetTip(icon);
    }
    if (manager != FManager) {
        // Its destruction tells that the tray went away.
        XSelectInput(d, manager, StructureNotifyMask);
        FManager = manager;
    }
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = manager;
    e.xclient.message_type = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = SYSTEM_TRAY_REQUEST_DOCK;
    e.xclient.data.l[2] = long(icon.XWindow);
    XSendEvent(d, manager, False, NoEventMask, &e);
    icon.Manager = manager;
#else
    (void)icon;
#endif
}

void TXEmbedTray::Drop(TIcon& icon)
{
#ifdef XE_HAVE_X11
    auto* d = static_cast<Display*>(XDisplay());
    if (!d || !icon.XWindow)
        return;
    TIgnoreXErrors guard(d);
    XDestroyWindow(d, icon.XWindow);
#endif
    icon.XWindow = 0;
    icon.Manager = 0;
}

void TXEmbedTray::SetTip(TIcon const& icon)
{
#ifdef XE_HAVE_X11
    // Trays that show tips take them from the icon window's name.
    auto* d = static_cast<Display*>(XDisplay());
    if (!d || !icon.XWindow)
        return;
    std::string utf8 = base::AnsiToUtf8(icon.Tip);
    XChangeProperty(d, icon.XWindow, XInternAtom(d, "_NET_WM_NAME", False),
        XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
        reinterpret_cast<unsigned char const*>(utf8.data()), int(utf8.size()));
    char* list[1] = { utf8.data() };
    XTextProperty property;
    if (Xutf8TextListToTextProperty(d, list, 1, XStdICCTextStyle, &property) == Success) {
        XSetWMName(d, icon.XWindow, &property);
        XFree(property.value);
    }
#else
    (void)icon;
#endif
}

void TXEmbedTray::Paint(TIcon const& icon)
{
#ifdef XE_HAVE_X11
    auto* d = static_cast<Display*>(XDisplay());
    if (!d || !icon.XWindow)
        return;
    TIgnoreXErrors guard(d);
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, icon.XWindow, &a) || a.width < 1 || a.height < 1 || !a.visual
        || a.visual->c_class != TrueColor)
        return;
    XImage* image = XCreateImage(
        d, a.visual, unsigned(a.depth), ZPixmap, 0, nullptr, unsigned(a.width), unsigned(a.height), 32, 0);
    if (!image)
        return;
    image->data = static_cast<char*>(std::malloc(size_t(image->bytes_per_line) * size_t(a.height)));
    if (!image->data) {
        XDestroyImage(image);
        return;
    }
    gfx::TBitmap const& picture = icon.Picture;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            unsigned r, g, b;
            if (picture.Empty()) {
                // A plain square: a grey face in a dark border.
                bool const edge = x == 0 || y == 0 || x == a.width - 1 || y == a.height - 1;
                r = g = b = edge ? 0x40 : 0xC0;
            } else {
                // The picture stretched over the window (nearest pixel).
                uint8_t const* p
                    = picture.ScanLine(y * picture.Height() / a.height) + (x * picture.Width() / a.width) * 3;
                b = p[0], g = p[1], r = p[2];
            }
            XPutPixel(image, x, y,
                Channel(r, a.visual->red_mask) | Channel(g, a.visual->green_mask)
                    | Channel(b, a.visual->blue_mask));
        }
    GC gc = XCreateGC(d, icon.XWindow, 0, nullptr);
    XPutImage(d, icon.XWindow, gc, image, 0, 0, 0, 0, unsigned(a.width), unsigned(a.height));
    XFreeGC(d, gc);
    XDestroyImage(image);
#else
    (void)icon;
#endif
}

void TXEmbedTray::Add(int id, gfx::TBitmap const& picture, std::string const& tip)
{
    TIcon& icon = FIcons[id];
    icon.Picture = picture;
    icon.Tip = tip;
    Dock(icon);
}

void TXEmbedTray::Change(int id, gfx::TBitmap const& picture, std::string const& tip)
{
    auto it = FIcons.find(id);
    if (it == FIcons.end())
        return;
    it->second.Picture = picture;
    it->second.Tip = tip;
    SetTip(it->second);
    Paint(it->second);
}

void TXEmbedTray::Remove(int id)
{
    auto it = FIcons.find(id);
    if (it == FIcons.end())
        return;
    Drop(it->second);
    FIcons.erase(it);
}

bool TXEmbedTray::HandleXEvent(void const* xevent, std::optional<TRawEvent>& event)
{
#ifdef XE_HAVE_X11
    XEvent const& x = *static_cast<XEvent const*>(xevent);
    auto* d = static_cast<Display*>(FXDisplay);
    if (!d)
        return false;
    if (x.type == ClientMessage && x.xclient.window == DefaultRootWindow(d)
        && x.xclient.message_type == XInternAtom(d, "MANAGER", False)
        && Atom(x.xclient.data.l[1]) == TraySelection(d)) {
        // A tray appeared: the registered icons go into it (those not docked with it yet).
        for (auto& [id, icon] : FIcons)
            Dock(icon);
        event = TRawEvent {};
        event->Kind = TRawEventKind::TrayChanged;
        return true;
    }
    if (x.type == DestroyNotify && FManager && x.xdestroywindow.window == FManager) {
        FManager = 0;
        for (auto& [id, icon] : FIcons)
            Drop(icon);
        event = TRawEvent {};
        event->Kind = TRawEventKind::TrayChanged;
        return true;
    }
    for (auto& [id, icon] : FIcons) {
        if (!icon.XWindow || x.xany.window != icon.XWindow)
            continue;
        if (x.type == DestroyNotify && x.xdestroywindow.window == icon.XWindow)
            icon.XWindow = icon.Manager = 0; // the tray took it with it
        else if ((x.type == Expose && x.xexpose.count == 0) || x.type == MapNotify
            || x.type == ConfigureNotify)
            Paint(icon);
        else if ((x.type == ButtonPress || x.type == ButtonRelease)
            && (x.xbutton.button == 1 || x.xbutton.button == 3)) {
            TRawEvent raw;
            raw.Kind = x.type == ButtonPress ? TRawEventKind::TrayButtonDown : TRawEventKind::TrayButtonUp;
            raw.Pos = { x.xbutton.x_root, x.xbutton.y_root };
            raw.Button = x.xbutton.button == 1 ? mbLeft : mbRight;
            raw.Key = id;
            event = raw;
        }
        return true;
    }
    return false;
#else
    (void)xevent;
    (void)event;
    return false;
#endif
}

} // namespace xe::win
