// xmlexport: exports the rows of the configured statement into one XML file. InOut.ini beside
// the executable holds the configuration; the only arguments are --help and --version.
#include "app/FrmMessageT.h"
#include "app/FrmOutdata.h"
#include "app/PagedExport.h"
#include "platform/base/Strings.h"
#include "platform/db/access/AccessEngine.h"
#include "platform/toolkit/Forms.h"
#include "platform/windows/Backend.h"
#include "platform/windows/WinUser.h"
#include "resources/Embedded.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// Exit codes: what a script that runs the tool can tell.
constexpr int ExitDone = 0; // exported (or stopped by the user), or --help / --version
constexpr int ExitFailed = 1; // the start failed, or an error ended the export
constexpr int ExitUsage = 2; // an argument the tool does not take

char const* const Usage = R"(Usage: xmlexport [--help | --version]

Exports the rows of one SQL statement from a database into one file in the ADO XML
persistence format, 30 rows a page, while a window shows the progress; then waits until
the window is closed. It takes no other arguments.

Configuration: InOut.ini beside the executable (created empty when missing), section [Sys]:
  StrSql   the statement; it must yield a numeric column id
  XmlName  the output file (relative to the current directory); Temp<name> is the page
           file beside it while the export runs
  DbName   the database file (SQLite, or Access .mdb/.accdb)
  DbPass   the database password (may be empty)
Its text is in the ANSI code page (GBK unless XMLEXPORT_CODEPAGE says otherwise).

Environment:
  XMLEXPORT_BACKEND   sdl (a window on the display) or headless (no window: the run
                      closes itself at the end); default: sdl when a display is reachable
  XMLEXPORT_CODEPAGE  the ANSI code page, any iconv name (default GBK)

Every status text is also written to standard output, errors to standard error.

Exit status:
  0  the export finished (or the user stopped it), or --help / --version
  1  the start failed (configuration, database, password) or an error ended the export
  2  an argument the tool does not take
)";

} // namespace

int main(int argc, char** argv)
{
    using namespace xe;
    if (argc > 1) {
        if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
            std::fputs(Usage, stdout);
            return ExitDone;
        }
        if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
            std::printf("xmlexport %s\n", XMLEXPORT_VERSION);
            return ExitDone;
        }
        std::fprintf(stderr, "xmlexport: unknown argument '%s'\nTry 'xmlexport --help'.\n", argv[1]);
        return ExitUsage;
    }
    // A file size limit must end the export with an error naming the file, not kill the
    // process and leave a truncated output behind.
    std::signal(SIGXFSZ, SIG_IGN);
    // Ctrl+C, a terminal closed, a kill: the export stops as after a confirmed close and
    // leaves no incomplete output.
    app::InstallInterruptHandlers();
    // A library may end the process from inside the export (Xlib does when the window
    // manager kills the display connection): what the run has begun goes with it, and the
    // process ends at once, without tearing down a display that is gone.
    std::atexit([] {
        if (!app::RemoveUnfinishedExport())
            return;
        std::fputs("xmlexport: the process ended before the export finished; its incomplete output "
                   "was removed.\n",
            stderr);
        std::fflush(stderr);
        _exit(ExitFailed);
    });
    tk::InstallEmbeddedResources();
    db::RegisterAccessEngine();
    tk::TApplication application;
    bool startFailed = false;
    int stopCode = -1;
    int code = application.Execute([&] {
        win::InitWindowSystem(win::CreateDefaultBackend());
        application.Initialize();
        application.SetTitle(base::Ansi(u8"数据导出"));
        app::Frm_outdata = application.CreateForm<app::TFrm_outdata>();
        app::Frm_MessageT = application.CreateForm<app::TFrm_MessageT>();
        app::Frm_outdata->Show();
        try {
            app::Frm_outdata->prcouttabdata();
        } catch (...) {
            // The error's message box is all that is left of the run: a signal ends it.
            app::EndOnInterrupt(ExitFailed);
            throw;
        }
        app::TFrm_outdata const& form = *app::Frm_outdata;
        if (form.FStopped && app::InterruptSignal() != 0) {
            std::fprintf(stderr,
                "xmlexport: the export was interrupted by %s; no output of this run was kept.\n",
                app::SignalName(app::InterruptSignal()));
            stopCode = 128 + app::InterruptSignal();
            return;
        }
        if (form.FStopped && form.FWindowLost) {
            std::fputs("xmlexport: the main window was destroyed from outside; the export stopped and no "
                       "output of this run was kept.\n",
                stderr);
            stopCode = ExitFailed;
            return;
        }
        startFailed = form.FInitFailed;
        // The output is complete: a signal from now on only ends the process.
        app::EndOnInterrupt(startFailed ? ExitFailed : ExitDone);
        // Without a display nobody can close the window: close it as a user would, once
        // the message loop runs.
        if (!win::Backend().UserPresent())
            win::Backend().CloseRequest(app::Frm_outdata->Handle());
        application.Run();
    });
    if (code == ExitDone)
        code = stopCode >= 0 ? stopCode : startFailed ? ExitFailed : ExitDone;
    // A window destroyed from outside cannot be destroyed again: the display would answer the
    // teardown with an error. Nothing else needs closing (the database is only read).
    if (app::Frm_outdata && app::Frm_outdata->FWindowLost) {
        std::fflush(nullptr);
        _exit(code);
    }
    return code;
}
