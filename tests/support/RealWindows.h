// Helpers for tests that run real windows on an X server of their own: a shell command's
// output, and a message pump bounded by real time.
#pragma once

#include "platform/windows/WinUser.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace xe::test {

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
