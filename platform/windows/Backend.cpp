#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/windows/Backend.h"
#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/SdlBackend.h"

namespace xe::win {

namespace {

std::string Environment(char const* name)
{
    char const* value = std::getenv(name);
    return value ? value : "";
}

// A window on a display a person sees. SDL falls back to its offscreen and dummy drivers
// when X11 and Wayland fail, and a tool on one of those would wait for a close that never
// comes; so only x11 and wayland count. SDL_VIDEODRIVER in the environment still wins over
// the list asked for here, and is checked the same way.
std::unique_ptr<TBackend> OpenDisplay()
{
    std::string drivers;
    if (!Environment("DISPLAY").empty())
        drivers = "x11";
    if (!Environment("WAYLAND_DISPLAY").empty())
        drivers += drivers.empty() ? "wayland" : ",wayland";
    // Nothing named: X11 cannot connect, Wayland only to its default socket.
    if (drivers.empty())
        drivers = Environment("XDG_RUNTIME_DIR").empty() ? "x11" : "x11,wayland";
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    auto backend = std::make_unique<TSdlBackend>();
    char const* driver = SDL_GetCurrentVideoDriver();
    std::string name = driver ? driver : "";
    if (name != "x11" && name != "wayland")
        throw base::EInvalidOperation(
            "Cannot open the display: SDL chose its '" + name + "' video driver, which shows no window.");
    return backend;
}

} // namespace

// The one place that chooses a backend: XMLEXPORT_BACKEND=headless or sdl forces one;
// otherwise a display is used when one is reachable.
std::unique_ptr<TBackend> CreateDefaultBackend()
{
    std::string const choice = Environment("XMLEXPORT_BACKEND");
    if (choice == "headless")
        return std::make_unique<THeadlessBackend>();
    if (choice == "sdl") {
        try {
            return OpenDisplay();
        } catch (base::EInvalidOperation const& e) {
            throw base::EInvalidOperation(
                std::string("XMLEXPORT_BACKEND=sdl asks for a window, but no display is reachable. ")
                + e.what());
        }
    }
    if (!choice.empty())
        throw base::EInvalidOperation(
            "XMLEXPORT_BACKEND='" + choice + "' is not a backend; use sdl or headless, or leave it unset.");
    std::string const display = Environment("DISPLAY");
    std::string const wayland = Environment("WAYLAND_DISPLAY");
    if (display.empty() && wayland.empty())
        return std::make_unique<THeadlessBackend>();
    try {
        return OpenDisplay();
    } catch (base::EInvalidOperation const& e) {
        // A display named in the environment that cannot be used (a stale DISPLAY under ssh,
        // cron or sudo): run without a window, and say why there is none.
        std::string const named = display.empty() ? "WAYLAND_DISPLAY=" + wayland : "DISPLAY=" + display;
        std::fprintf(
            stderr, "No display is reachable (%s): running without a window. %s\n", named.c_str(), e.what());
        std::fflush(stderr);
    }
    return std::make_unique<THeadlessBackend>();
}

} // namespace xe::win
