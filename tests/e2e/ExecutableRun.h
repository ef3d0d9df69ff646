#pragma once

// The built xmlexport run by the end-to-end tests as a process of its own in a test folder,
// and X client commands on a test's own display. XMLEXPORT_PATH names the built executable.

#include "platform/base/Files.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace xe::test {

// Polls every pollMs until the condition holds; false when the time was up first.
inline bool WaitFor(std::function<bool()> const& condition, int timeoutMs, int pollMs = 50)
{
    auto const end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        poll(nullptr, 0, pollMs);
    }
    return true;
}

struct TRunOptions {
    std::string Display; // the SDL backend on this X display; empty: headless
    bool AsNobody = false; // as the user nobody (a test running as root needs an ordinary user)
};

// A copy of the built executable in the test folder, started there: standard input from
// /dev/null, standard output and error into the folder's files "stdout" and "stderr".
// Gives the process id.
inline pid_t StartExecutable(base::TTempDir const& dir, TRunOptions const& options = {})
{
    namespace fs = std::filesystem;
    fs::copy_file(XMLEXPORT_PATH, dir.File("xmlexport"), fs::copy_options::overwrite_existing);
    fs::permissions(dir.File("xmlexport"), fs::perms::owner_all, fs::perm_options::add);
    pid_t const pid = fork();
    if (pid != 0)
        return pid;
    if (chdir(dir.Path().c_str()) != 0)
        _exit(126);
    if (options.Display.empty()) {
        setenv("XMLEXPORT_BACKEND", "headless", 1);
    } else {
        setenv("DISPLAY", options.Display.c_str(), 1);
        setenv("XMLEXPORT_BACKEND", "sdl", 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
    }
    int in = open("/dev/null", O_RDONLY);
    int out = open(dir.File("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(dir.File("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (options.AsNobody && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        _exit(125);
    execl(dir.File("xmlexport").c_str(), "xmlexport", static_cast<char*>(nullptr));
    _exit(127);
}

// Reaps the process if it has ended: its exit code, 1000 + N when signal N ended it; -1 while
// it runs.
inline int ReapExecutable(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

// Kills and reaps a process that still runs (a test's tear-down).
inline void KillExecutable(pid_t pid)
{
    if (pid > 0 && ReapExecutable(pid) < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

// A file the executable writes in the test folder ("stdout", "stderr"), empty while missing.
inline std::string ReadOutput(base::TTempDir const& dir, std::string const& name)
{
    return base::FileExists(dir.File(name)) ? base::ReadFileBytes(dir.File(name)) : "";
}

// Runs an X client command on the display; its standard output (errors are dropped).
inline std::string XClient(std::string const& display, std::string const& command)
{
    std::string const full = "DISPLAY=" + display + " " + command + " 2>/dev/null";
    std::string result;
    if (FILE* pipe = popen(full.c_str(), "r")) {
        char buffer[256];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.append(buffer, n);
        pclose(pipe);
    }
    return result;
}

} // namespace xe::test
