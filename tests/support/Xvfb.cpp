#include "tests/support/Xvfb.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef XE_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace xe::test {

TXvfb::TXvfb()
{
    if (access("/usr/bin/Xvfb", X_OK) != 0) {
        Error = "Xvfb is not installed";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        Error = "no pipe";
        return;
    }
    FPid = fork();
    if (FPid == 0) {
        close(fds[0]);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::string fd = std::to_string(fds[1]);
        execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
            "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p { fds[0], POLLIN, 0 };
    while (poll(&p, 1, 15000) > 0) {
        char c;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        Error = "Xvfb did not start";
        return;
    }
    // The display is announced a moment before every client is let in: wait (at most five
    // seconds) until one gets in.
    std::string probe = "DISPLAY=:" + number + " xwininfo -root >/dev/null 2>&1";
    for (int i = 0; i < 50; ++i) {
        if (std::system(probe.c_str()) == 0) {
            Display = ":" + number;
            return;
        }
        poll(nullptr, 0, 100);
    }
    Error = "Xvfb accepts no clients";
}

TXvfb::~TXvfb()
{
    if (FPid > 0) {
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }
}

namespace {

bool WindowManagerReady(std::string const& display)
{
    std::string const probe
        = "DISPLAY=" + display + " xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'";
    return std::system(probe.c_str()) == 0;
}

bool TrayReady(std::string const& display)
{
#ifdef XE_HAVE_X11
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    std::string const name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(d));
    bool const owned = XGetSelectionOwner(d, XInternAtom(d, name.c_str(), False)) != None;
    XCloseDisplay(d);
    return owned;
#else
    (void)display;
    return false;
#endif
}

} // namespace

TDesktopProgram::TDesktopProgram(
    std::string display, std::vector<std::string> argv, bool (*ready)(std::string const&))
{
    std::string const path = "/usr/bin/" + argv.front();
    if (access(path.c_str(), X_OK) != 0) {
        Error = argv.front() + " is not installed (scripts/setup installs it)";
        return;
    }
    // A program that ends at once (a display that turned its first connection away) gets
    // a second start.
    for (int start = 0; start < 2; ++start) {
        FPid = fork();
        if (FPid == 0) {
            int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            setenv("DISPLAY", display.c_str(), 1);
            std::vector<char*> args;
            for (std::string& a : argv)
                args.push_back(a.data());
            args.push_back(nullptr);
            execv(path.c_str(), args.data());
            _exit(127);
        }
        for (int i = 0; i < 100; ++i) {
            if (ready(display))
                return;
            if (waitpid(FPid, nullptr, WNOHANG) == FPid) {
                FPid = -1;
                break;
            }
            poll(nullptr, 0, 100);
        }
        if (FPid > 0)
            break;
    }
    if (FPid <= 0) {
        Error = argv.front() + " ended at start";
        return;
    }
    Error = argv.front() + " did not become ready within 10 s";
}

TDesktopProgram::~TDesktopProgram() { Stop(); }

void TDesktopProgram::Stop()
{
    if (FPid > 0) {
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }
    FPid = -1;
}

std::unique_ptr<TDesktopProgram> TDesktopProgram::WindowManager(std::string const& display)
{
    return std::unique_ptr<TDesktopProgram>(
        new TDesktopProgram(display, { "openbox", "--sm-disable" }, WindowManagerReady));
}

std::unique_ptr<TDesktopProgram> TDesktopProgram::Tray(std::string const& display)
{
    return std::unique_ptr<TDesktopProgram>(new TDesktopProgram(display,
        { "trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--SetPartialStrut",
            "true", "--SetDockType", "true" },
        TrayReady));
}

} // namespace xe::test
