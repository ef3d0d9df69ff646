#pragma once

#include "app/AdoConnection.h"
#include "chrome/Gauge.h"
#include "chrome/ImageBtn.h"
#include "chrome/ImageTitle.h"
#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/StdCtrls.h"

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

    void FormShow(tk::TComponent* sender);
    void FormCloseQuery(tk::TComponent* sender, bool& canClose);
    void FormDestroy(tk::TComponent* sender);
    void But_cancelClick(tk::TComponent* sender);
    void IMG_ExitClick(tk::TComponent* sender);
    void ImageBtn1Click(tk::TComponent* sender);

    // Runs the export once; with a failed start it only shows the failed state.
    void prcouttabdata();
    // The page loop: the gauge moves one step a page and the message queue is pumped once
    // a page, so the window's handlers (the close query among them) run between pages.
    void ExportPages();

    // Sets the status text (L_note) and writes it as a line of UTF-8 on standard output.
    void SetStatus(std::string const& text);

    // Where InOut.ini is looked for: the executable's directory (with its separator), as
    // the file system spells it.
    std::string ConfigDirectory;

    std::string FStrSql;
    std::string FXmlName;
    bool FInitFailed = false;
    // Why the start failed (ANSI text, empty when it did not): the configuration value that
    // is missing, or the connection's error.
    std::string FInitError;
    bool FCancelled = false;
    // The run is over (exported, or the start failed): closing asks nothing any more.
    bool FFinished = false;
};

// The main window of the running program, or null.
extern TFrm_outdata* Frm_outdata;

} // namespace xe::app
