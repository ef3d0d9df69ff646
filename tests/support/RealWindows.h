// Helpers for tests that run real windows on an X server of their own: the window system
// started on it, a shell command's output, and a message pump bounded by real time.
#pragma once

#include "platform/base/Exceptions.h"
#include "platform/windows/SdlBackend.h"
#include "platform/windows/WinUser.h"
#include "tests/support/ProcessState.h"
#include "tests/support/Xvfb.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <poll.h>
#include <string>

namespace xe::test {

// Starts the window system on SDL on xvfb's display, with the environment pointing there, and
// stops it when state goes (a failed assertion included). Returns the backend, or null with
// the reason in error when SDL cannot use the display. A freshly started Xvfb now and then
// turns SDL's first connection away; a few tries tell that apart from a display SDL cannot use.
inline win::TSdlBackend* StartSdlWindows(TXvfb const& xvfb, TProcessState& state, std::string& error)
{
    state.SetEnvironment("DISPLAY", xvfb.Display.c_str());
    state.SetEnvironment("SDL_VIDEODRIVER", "x11");
    std::unique_ptr<win::TSdlBackend> backend;
    for (int attempt = 0; !backend; ++attempt) {
        try {
            backend = std::make_unique<win::TSdlBackend>();
        } catch (base::EInvalidOperation const& e) {
            if (attempt == 4) {
                error = "Xvfb runs on " + xvfb.Display + " but SDL cannot use it: " + e.what();
                return nullptr;
            }
            poll(nullptr, 0, 200);
        }
    }
    win::TSdlBackend* sdl = backend.get();
    win::InitWindowSystem(std::move(backend));
    state.AddUndo(win::DoneWindowSystem);
    return sdl;
}

// The standard output of a shell command (empty when it cannot run).
inline std::string Shell(std::string const& command)
{
    std::string out;
    if (FILE* f = popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, f))
            out.append(buffer, n);
        pclose(f);
    }
    return out;
}

// Pumps messages until done() or until ms of real time have passed. A 50 ms timer wakes the
// loop to look again, so a missing event fails the test instead of hanging it.
inline bool PumpUntil(std::function<bool()> const& done, unsigned ms)
{
    uint64_t const deadline = win::GetTickCount64() + ms;
    win::UINT_PTR const timer
        = win::SetTimer(nullptr, 0, 50, [](win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {});
    win::MSG msg;
    while (!done() && win::GetTickCount64() < deadline && win::GetMessage(&msg, nullptr, 0, 0)) {
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
    win::KillTimer(nullptr, timer);
    return done();
}

} // namespace xe::test
