#pragma once

#include "app/AdoConnection.h"
#include "chrome/Gauge.h"
#include "chrome/ImageBtn.h"
#include "chrome/ImageTitle.h"
#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/StdCtrls.h"

#include <memory>
#include <string>

namespace xe::app {

// The main window: status text, progress gauge, one button. Its layout is the stored form
// "forms/Frm_outdata.form". Showing it reads InOut.ini and opens the connection.
class TFrm_outdata : public tk::TForm {
public:
    explicit TFrm_outdata(tk::TComponent* owner);
    char const* ClassName() const override { return "TFrm_outdata"; }

    tk::TImage* Image1;
    chrome::TImageTitle* ImageTitle1;
    tk::TSpeedButton* But_cancel;
    tk::TLabel* Label2;
    chrome::TGauge* Gauge1;
    tk::TLabel* L_note;
    chrome::TImageBtn* ImageBtn1;
    chrome::TImageBtn* IMG_Exit;
    TAdoConnectionComponent* adoconn;
    // Looks for a stop that came from outside while a modal dialog holds the export (a
    // signal, the window's loss) and ends that dialog. Not one of the stored components.
    std::unique_ptr<tk::TTimer> StopWatch;

    void FormShow(tk::TComponent* sender);
    void FormCloseQuery(tk::TComponent* sender, bool& canClose);
    void FormDestroy(tk::TComponent* sender);
    void But_cancelClick(tk::TComponent* sender);
    void IMG_ExitClick(tk::TComponent* sender);
    void ImageBtn1Click(tk::TComponent* sender);

    // The native window is gone (destroyed from outside): the run cannot be watched or
    // closed any more. A running export stops as after a confirmed close; after the export
    // the application ends.
    void WndProc(tk::TMessage& message) override;

    // Runs the export once; with a failed start it only shows the failed state.
    void prcouttabdata();
    // The page loop: the gauge moves one step a page and the message queue is pumped once
    // a page, so the window's handlers (the close query among them) run between pages.
    // Gives false when the run stopped (Stopped()).
    bool ExportPages();

    // Sets the status text (L_note) and writes it as a line of UTF-8 on standard output.
    void SetStatus(std::string const& text);

    // Where InOut.ini is looked for: the executable's directory (with its separator), as
    // the file system spells it.
    std::string ConfigDirectory;

    std::string FStrSql;
    std::string FXmlName;
    bool FInitFailed = false;
    bool FCancelled = false;

    // The start result: whether the start failed (the show handler found no usable
    // configuration or database) and why (ANSI text, empty when it did not fail).
    bool StartFailed() const { return FInitFailed; }
    std::string const& StartError() const { return FInitError; }
    // The main window was destroyed from outside.
    bool WindowLost() const { return FWindowLost; }
    // A stop is due: a confirmed close, the window's loss or an interrupting signal.
    bool StopRequested() const;
    // The export ran and stopped before its end: its output was removed (or never touched).
    bool Stopped() const { return FStopped; }
    // The run is over (exported, or the start failed): closing asks nothing any more.
    bool Finished() const { return FFinished; }

private:
    std::string FInitError;
    bool FWindowLost = false;
    bool FStopped = false;
    bool FFinished = false;
};

// The main window of the running program, or null.
extern TFrm_outdata* Frm_outdata;

// The program's windows as it starts: the application's title, the main window, then the
// dialog (Frm_outdata and Frm_MessageT point at them). The tests start the same way.
void CreateWindows(tk::TApplication& application);

// SIGINT, SIGTERM and SIGHUP. Until EndOnInterrupt is called a signal only records its number:
// the export stops at its next check, as after a confirmed close. After it, a signal ends the
// process at once with the given exit code (the run is over and its output complete).
void InstallInterruptHandlers();
// The number of the first signal that came, 0 when none.
int InterruptSignal();
void EndOnInterrupt(int exitCode);
// "SIGINT" and so on.
char const* SignalName(int signal);
// Forgets a recorded signal and the exit code (tests).
void ResetInterrupt();

} // namespace xe::app
