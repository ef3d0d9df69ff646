// The interrupting signals (SIGINT, SIGTERM, SIGHUP): recorded here for the export and the
// main window to see, or ending the process once the run is over.
#include "app/FrmOutdata.h"

#include <csignal>
#include <unistd.h>

namespace xe::app {

namespace {

volatile sig_atomic_t GSignal = 0;
volatile sig_atomic_t GExitCode = -1;

void OnInterrupt(int signal)
{
    if (GExitCode >= 0)
        _exit(GExitCode);
    if (GSignal == 0)
        GSignal = signal;
}

} // namespace

void InstallInterruptHandlers()
{
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: the flag is looked at between pages, during statements
    // and by the main window's stop watch.
    action.sa_flags = SA_RESTART;
    for (int signal : { SIGINT, SIGTERM, SIGHUP })
        sigaction(signal, &action, nullptr);
}

int InterruptSignal() { return GSignal; }

void EndOnInterrupt(int exitCode)
{
    GExitCode = exitCode;
    // A signal that came just before is no stop any more: the run is over.
    if (GSignal != 0)
        _exit(exitCode);
}

void ResetInterrupt()
{
    GSignal = 0;
    GExitCode = -1;
}

char const* SignalName(int signal)
{
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "a signal";
    }
}

} // namespace xe::app
