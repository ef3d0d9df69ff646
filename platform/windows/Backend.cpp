#include <cstdlib>
#include <string>

#include "platform/windows/Backend.h"
#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/SdlBackend.h"

namespace xe::win {

// The one place that chooses a backend: XMLEXPORT_BACKEND=headless or sdl forces one;
// otherwise a display is used when one is reachable.
std::unique_ptr<TBackend> CreateDefaultBackend()
{
    char const* env = std::getenv("XMLEXPORT_BACKEND");
    std::string choice = env ? env : "";
    if (choice == "headless")
        return std::make_unique<THeadlessBackend>();
    if (choice == "sdl")
        return std::make_unique<TSdlBackend>();
    char const* display = std::getenv("DISPLAY");
    char const* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display && *display) || (wayland && *wayland)) {
        try {
            return std::make_unique<TSdlBackend>();
        } catch (base::EInvalidOperation const&) {
            // The display named in the environment cannot be opened: run without one.
        }
    }
    return std::make_unique<THeadlessBackend>();
}

} // namespace xe::win
