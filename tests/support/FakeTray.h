#pragma once

#include <string>
#include <utility>
#include <vector>

namespace xe::test {

// A minimal XEmbed system tray on an X server of a test's own, on its own connection: it
// owns the selection _NET_SYSTEM_TRAY_S0, announces itself on the root window (MANAGER),
// records the dock requests it gets and embeds each icon window into its strip of 24-pixel
// slots at (x, y). Destroying it closes the connection, which takes the selection and the
// tray's window away as a tray that quits would.
class TFakeTray {
public:
    TFakeTray(std::string const& display, int x, int y);
    ~TFakeTray();
    TFakeTray(TFakeTray const&) = delete;
    TFakeTray& operator=(TFakeTray const&) = delete;

    bool Ok() const { return FDisplay != nullptr; }
    // Handles the requests that have arrived.
    void Pump();
    // The icon windows that asked to dock, in order.
    std::vector<unsigned long> Docked;
    // The screen point at the middle of the n-th docked icon.
    std::pair<int, int> IconCentre(size_t n) const;

private:
    void* FDisplay = nullptr;
    unsigned long FWindow = 0;
    int FX;
    int FY;
};

} // namespace xe::test
