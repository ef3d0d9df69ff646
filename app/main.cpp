// xmlexport: exports the rows of the configured statement into one XML file. InOut.ini beside
// the executable holds the configuration; the only arguments are --help and --version, and
// the environment settings are checked before anything runs.
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
#include <string>
#include <unistd.h>

namespace {

// Exit codes: what a script that runs the tool can tell.
constexpr int ExitDone = 0; // exported (or stopped by the user), or --help / --version
constexpr int ExitFailed = 1; // the start failed, or an error ended the export
constexpr int ExitUsage = 2; // an argument or setting the tool does not take

char const* const Usage = R"(Usage: xmlexport [--help | --version]

Exports the rows of one SQL statement from a database into one file in the ADO XML
persistence format, 30 rows a page, while a window shows the progress; then waits until
the window is closed. It takes one argument at most, --help or --version.

Configuration: InOut.ini beside the executable (created empty when missing, and the tool
says where), section [Sys]:
  StrSql   the statement; it must yield a numeric column id
  XmlName  the output file (relative to the current directory); Temp<name> is the page
           file beside it while the export runs
  DbName   the database file (SQLite, or Access .mdb/.accdb; relative to the current
           directory)
  DbPass   the database password (may be empty)
Its text is in the ANSI code page (GBK unless XMLEXPORT_CODEPAGE says otherwise); a file
saved as UTF-8 (with or without a byte-order mark) is read as UTF-8.

Environment:
  XMLEXPORT_BACKEND        sdl (a window on the display) or headless (no window: the run
                           closes itself at the end); default: sdl when a display (X11 or
                           Wayland) is reachable, else headless with a note on standard error
  XMLEXPORT_CODEPAGE       the ANSI code page, an iconv name that keeps ASCII as it is
                           (default GBK; for example GB18030, BIG5, CP1252, UTF-8)
  XMLEXPORT_JET3_CODEPAGE  the code page number of a Jet 3 (Access 97) file's text, for a
                           file whose header names the wrong one (for example 936)

Every status text is also written to standard output, errors to standard error.

Exit status:
  0  the export finished (or the user stopped it), or --help / --version
  1  the start failed (configuration, database, password, no display for
     XMLEXPORT_BACKEND=sdl) or an error ended the export
  2  an argument or setting the tool does not take
  128+N  signal N interrupted the export (130 for Ctrl+C, 143 for SIGTERM); the
     output and its Temp file are removed
)";

// An environment setting with a value the tool does not take is refused before anything
// runs: a misspelt value must not quietly become the default. Gives the complaint, or "".
std::string CheckEnvironment()
{
    auto value = [](char const* name) {
        char const* text = std::getenv(name);
        return std::string(text ? text : "");
    };
    std::string const backend = value("XMLEXPORT_BACKEND");
    if (!backend.empty() && backend != "sdl" && backend != "headless")
        return "XMLEXPORT_BACKEND='" + backend
            + "' is not a backend; use sdl or headless, or leave it unset.";
    std::string const codePage = value("XMLEXPORT_CODEPAGE");
    if (!codePage.empty() && !xe::base::IsUsableCodePage(codePage))
        return "XMLEXPORT_CODEPAGE='" + codePage
            + "' is not a code page the tool can take; use an iconv name that keeps ASCII as it is,"
              " such as GBK, GB18030, BIG5, CP1252 or UTF-8 (iconv -l lists the names), or leave it unset.";
    std::string const jet3 = value("XMLEXPORT_JET3_CODEPAGE");
    int64_t number = 0;
    if (!jet3.empty()
        && !(xe::base::TryStrToInt(xe::base::Trim(jet3), number) && number > 0 && number < 65536))
        return "XMLEXPORT_JET3_CODEPAGE='" + jet3
            + "' is not a code page number; use a Windows code page number from 1 to 65535, such as 936 or"
              " 1252, or leave it unset.";
    return "";
}

} // namespace

int main(int argc, char** argv)
{
    using namespace xe;
    if (argc > 2) {
        std::fprintf(stderr,
            "xmlexport: takes one argument at most (--help or --version), not %d\nTry "
            "'xmlexport --help'.\n",
            argc - 1);
        return ExitUsage;
    }
    if (argc == 2) {
        if (std::strcmp(argv[1], "--help") == 0) {
            std::fputs(Usage, stdout);
            return ExitDone;
        }
        if (std::strcmp(argv[1], "--version") == 0) {
            std::printf("xmlexport %s\n", XMLEXPORT_VERSION);
            return ExitDone;
        }
        std::fprintf(stderr, "xmlexport: unknown argument '%s'\nTry 'xmlexport --help'.\n", argv[1]);
        return ExitUsage;
    }
    if (std::string complaint = CheckEnvironment(); !complaint.empty()) {
        std::fprintf(stderr, "xmlexport: %s\n", complaint.c_str());
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
        app::CreateWindows(application);
        app::Frm_outdata->Show();
        try {
            app::Frm_outdata->prcouttabdata();
        } catch (...) {
            // The error's message box is all that is left of the run: a signal ends it.
            app::EndOnInterrupt(ExitFailed);
            throw;
        }
        app::TFrm_outdata const& form = *app::Frm_outdata;
        if (form.Stopped() && app::InterruptSignal() != 0) {
            std::fprintf(stderr,
                "xmlexport: the export was interrupted by %s; no output of this run was kept.\n",
                app::SignalName(app::InterruptSignal()));
            stopCode = 128 + app::InterruptSignal();
            return;
        }
        if (form.Stopped() && form.WindowLost()) {
            std::fputs("xmlexport: the main window was destroyed from outside; the export stopped and no "
                       "output of this run was kept.\n",
                stderr);
            stopCode = ExitFailed;
            return;
        }
        startFailed = form.StartFailed();
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
    if (app::Frm_outdata && app::Frm_outdata->WindowLost()) {
        std::fflush(nullptr);
        _exit(code);
    }
    return code;
}
