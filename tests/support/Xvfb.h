#pragma once

#include <string>
#include <sys/types.h>

namespace xe::testsupport {

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

} // namespace xe::testsupport
