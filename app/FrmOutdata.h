#pragma once

#include "app/AdoConnection.h"
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
    tk::TImage* ImageTitle1;
    tk::TSpeedButton* But_cancel;
    tk::TLabel* Label2;
    tk::TGraphicControl* Gauge1;
    tk::TLabel* L_note;
    tk::TImage* ImageBtn1;
    tk::TImage* IMG_Exit;
    TAdoConnectionComponent* adoconn;

    void FormShow(tk::TComponent* sender);
    void FormCloseQuery(tk::TComponent* sender, bool& canClose);
    void FormDestroy(tk::TComponent* sender);
    void But_cancelClick(tk::TComponent* sender);
    void IMG_ExitClick(tk::TComponent* sender);
    void ImageBtn1Click(tk::TComponent* sender);

    // Runs the export once; with a failed start it only shows the failed state.
    void prcouttabdata();

    // Sets the status text (L_note) and writes it as a line of UTF-8 on standard output.
    void SetStatus(std::string const& text);

    // Where InOut.ini is looked for: the executable's directory (with its separator).
    std::string ConfigDirectory;

    std::string FStrSql;
    std::string FXmlName;
    bool FInitFailed = false;
    bool FCancelled = false;
};

// The main window of the running program, or null.
extern TFrm_outdata* Frm_outdata;

} // namespace xe::app
