#include "tests/support/Xvfb.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace xe::testsupport {

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

} // namespace xe::testsupport
