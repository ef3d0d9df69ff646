#pragma once

#include "chrome/ImageBtn.h"
#include "chrome/ImageTitle.h"
#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/StdCtrls.h"
#include "skin/form/SkinnedForm.h"

namespace xe::app {

// The confirmation dialog asked before an export under way is abandoned. Its layout is the
// stored form "forms/Frm_MessageT.form"; its close result is its modal result: 1 for OK,
// 2 for Cancel (the exit image and any other close request give 2 as well).
class TFrm_MessageT : public tk::TForm {
public:
    explicit TFrm_MessageT(tk::TComponent* owner);
    char const* ClassName() const override { return "TFrm_MessageT"; }

    tk::TImage* Image1;
    chrome::TImageTitle* ImageTitle1;
    tk::TLabel* Lab_Caption;
    tk::TLabel* Label9;
    tk::TSpeedButton* SB_OK;
    tk::TSpeedButton* SB_Cancel;
    chrome::TImageBtn* IMG_Exit;
    // Takes over the window procedure: the skin's caption band moves the dialog.
    skin::TspSkinnedForm* spSkinnedForm1;

    void SB_OKClick(tk::TComponent* sender);
    void SB_CancelClick(tk::TComponent* sender);
    void IMG_ExitClick(tk::TComponent* sender);
};

// The dialog of the running program (created hidden at start), or null.
extern TFrm_MessageT* Frm_MessageT;

} // namespace xe::app
