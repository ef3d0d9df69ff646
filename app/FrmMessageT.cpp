#include "app/FrmMessageT.h"

#include "app/AdoConnection.h"
#include "platform/toolkit/Persistence.h"

namespace xe::app {

TFrm_MessageT* Frm_MessageT = nullptr;

TFrm_MessageT::TFrm_MessageT(tk::TComponent* owner)
    : tk::TForm(owner)
{
    RegisterAppClasses();
    tk::ReadComponentResource(this, "forms/Frm_MessageT.form");
    Image1 = tk::FindComponentAs<tk::TImage>(this, "Image1");
    ImageTitle1 = tk::FindComponentAs<chrome::TImageTitle>(this, "ImageTitle1");
    Lab_Caption = tk::FindComponentAs<tk::TLabel>(this, "Lab_Caption");
    Label9 = tk::FindComponentAs<tk::TLabel>(this, "Label9");
    SB_OK = tk::FindComponentAs<tk::TSpeedButton>(this, "SB_OK");
    SB_Cancel = tk::FindComponentAs<tk::TSpeedButton>(this, "SB_Cancel");
    IMG_Exit = tk::FindComponentAs<chrome::TImageBtn>(this, "IMG_Exit");
    spSkinnedForm1 = tk::FindComponentAs<skin::TspSkinnedForm>(this, "spSkinnedForm1");
    SB_OK->OnClick = [this](tk::TComponent* sender) { SB_OKClick(sender); };
    SB_Cancel->OnClick = [this](tk::TComponent* sender) { SB_CancelClick(sender); };
    IMG_Exit->OnClick = [this](tk::TComponent* sender) { IMG_ExitClick(sender); };
}

void TFrm_MessageT::SB_OKClick(tk::TComponent*) { SetModalResult(tk::mrOk); }

void TFrm_MessageT::SB_CancelClick(tk::TComponent*) { SetModalResult(tk::mrCancel); }

void TFrm_MessageT::IMG_ExitClick(tk::TComponent*) { SetModalResult(tk::mrCancel); }

} // namespace xe::app
