#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/windows/Backend.h"

namespace xe::win {

// The notification area on X through the XEmbed system-tray protocol, as the SDL backend
// uses it. Each icon is a small X window of ours that the tray embeds:
// - a tray owns the selection _NET_SYSTEM_TRAY_S<screen>;
// - to dock an icon we make its window (with _XEMBED_INFO "mapped" and a size hint) and send
//   the selection's owner the client message _NET_SYSTEM_TRAY_OPCODE, SYSTEM_TRAY_REQUEST_DOCK;
// - the tray reparents and sizes the window; we paint it and take its button presses;
// - a new tray announces itself with a MANAGER client message on the root window, and the
//   icons dock with it; a tray that goes destroys its selection window (watched), and the
//   icons wait for the next one.
// Every X window here is a stranger's or may go at any time, so the calls that touch them
// run with X errors ignored. Without X it does nothing and no tray is ever available.
class TXEmbedTray {
public:
    // display gives the X connection (a Display*) the icons use, null while there is none;
    // it is asked until it gives one. Its events must reach HandleXEvent.
    explicit TXEmbedTray(std::function<void*()> display);
    // Destroys the icon windows.
    ~TXEmbedTray();
    TXEmbedTray(TXEmbedTray const&) = delete;
    TXEmbedTray& operator=(TXEmbedTray const&) = delete;

    bool Available();
    // An icon stays registered without a tray and docks when one appears.
    void Add(int id, gfx::TBitmap const& picture, std::string const& tip);
    void Change(int id, gfx::TBitmap const& picture, std::string const& tip);
    void Remove(int id);

    // Takes the tray's events among the X events (xevent is an XEvent): true when the event
    // was one, with event set when it is to be reported (TrayChanged, TrayButtonDown/Up).
    bool HandleXEvent(void const* xevent, std::optional<TRawEvent>& event);

private:
    struct TIcon {
        unsigned long XWindow = 0; // 0 while there is none (no tray, or the tray took it away)
        unsigned long Manager = 0; // the tray asked to dock it, 0 for none
        gfx::TBitmap Picture;
        std::string Tip;
    };
    void* XDisplay(); // the X connection (Display*), null when there is none (yet)
    unsigned long Manager(); // the tray's selection owner, 0 for none
    void Dock(TIcon& icon);
    void Drop(TIcon& icon);
    void Paint(TIcon const& icon);
    void SetTip(TIcon const& icon);

    std::function<void*()> FDisplaySource;
    std::map<int, TIcon> FIcons;
    void* FXDisplay = nullptr;
    unsigned long FManager = 0; // the tray last docked with (its destruction is watched)
};

} // namespace xe::win
