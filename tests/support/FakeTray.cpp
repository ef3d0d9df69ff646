#include "tests/support/FakeTray.h"

#include <X11/Xlib.h>

namespace xe::test {

namespace {

constexpr int Slot = 24;
constexpr long SYSTEM_TRAY_REQUEST_DOCK = 0;

} // namespace

TFakeTray::TFakeTray(std::string const& display, int x, int y)
    : FX(x)
    , FY(y)
{
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return;
    FDisplay = d;
    ::Window const root = DefaultRootWindow(d);
    FWindow = XCreateSimpleWindow(d, root, x, y, Slot * 8, Slot, 0, 0, WhitePixel(d, DefaultScreen(d)));
    XMapWindow(d, FWindow);
    Atom const selection = XInternAtom(d, "_NET_SYSTEM_TRAY_S0", False);
    XSetSelectionOwner(d, selection, FWindow, CurrentTime);
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = root;
    e.xclient.message_type = XInternAtom(d, "MANAGER", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = long(selection);
    e.xclient.data.l[2] = long(FWindow);
    XSendEvent(d, root, False, StructureNotifyMask, &e);
    XSync(d, False);
}

TFakeTray::~TFakeTray()
{
    if (FDisplay)
        XCloseDisplay(static_cast<Display*>(FDisplay));
}

void TFakeTray::Pump()
{
    auto* d = static_cast<Display*>(FDisplay);
    if (!d)
        return;
    Atom const opcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type != ClientMessage || e.xclient.message_type != opcode
            || e.xclient.data.l[1] != SYSTEM_TRAY_REQUEST_DOCK)
            continue;
        auto const icon = ::Window(e.xclient.data.l[2]);
        int const slot = int(Docked.size());
        Docked.push_back(icon);
        // Embedding as trays do: into the tray's window, sized to a slot, shown; kept alive
        // (on the root window) should the tray go first.
        XAddToSaveSet(d, icon);
        XReparentWindow(d, icon, FWindow, slot * Slot, 0);
        XResizeWindow(d, icon, Slot, Slot);
        XMapWindow(d, icon);
        XSync(d, False);
    }
}

std::pair<int, int> TFakeTray::IconCentre(size_t n) const
{
    return { FX + int(n) * Slot + Slot / 2, FY + Slot / 2 };
}

} // namespace xe::test
