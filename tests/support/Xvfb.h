#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace xe::test {

// An X server of a test's own: Xvfb picks a free display and reports it on a pipe; the
// constructor returns once a client gets in (or says why not in Error). The server is
// stopped on destruction. Tests skip, with Error as the reason, when Ok() is false.
class TXvfb {
public:
    TXvfb();
    ~TXvfb();
    TXvfb(TXvfb const&) = delete;
    TXvfb& operator=(TXvfb const&) = delete;

    bool Ok() const { return !Display.empty(); }

    std::string Display; // ":N" once the server accepts clients
    std::string Error;

private:
    pid_t FPid = -1;
};

// A desktop program of a test's own on its X server: started on the display, waited for until
// it is ready, stopped (SIGTERM) on destruction or by Stop(). Tests fail, with Error as the
// reason, when Ok() is false: scripts/setup installs both.
class TDesktopProgram {
public:
    // A real window manager: ready once it announces itself (_NET_SUPPORTING_WM_CHECK).
    static std::unique_ptr<TDesktopProgram> WindowManager(std::string const& display);
    // A real XEmbed tray at the bottom right, reserving its strip of the screen (the work area
    // ends above it): ready once it owns the tray selection.
    static std::unique_ptr<TDesktopProgram> Tray(std::string const& display);
    ~TDesktopProgram();
    TDesktopProgram(TDesktopProgram const&) = delete;
    TDesktopProgram& operator=(TDesktopProgram const&) = delete;

    bool Ok() const { return Error.empty(); }
    void Stop();
    std::string Error;

private:
    TDesktopProgram(std::string display, std::vector<std::string> argv, bool (*ready)(std::string const&));
    pid_t FPid = -1;
};

} // namespace xe::test
