// xmlexport: exports the rows of the configured statement into one XML file. It takes no
// arguments; InOut.ini beside the executable holds the configuration.
#include "app/FrmMessageT.h"
#include "app/FrmOutdata.h"
#include "platform/base/Strings.h"
#include "platform/db/access/AccessEngine.h"
#include "platform/toolkit/Forms.h"
#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"
#include "resources/Embedded.h"

int main()
{
    using namespace xe;
    tk::InstallEmbeddedResources();
    db::RegisterAccessEngine();
    tk::TApplication application;
    return application.Execute([&] {
        application.Initialize();
        application.SetTitle(base::Ansi(u8"数据导出"));
        app::Frm_outdata = application.CreateForm<app::TFrm_outdata>();
        app::Frm_MessageT = application.CreateForm<app::TFrm_MessageT>();
        app::Frm_outdata->Show();
        app::Frm_outdata->prcouttabdata();
        // Without a display nobody can close the window: close it as a user would, once
        // the message loop runs.
        if (win::THeadlessBackend* headless = win::HeadlessBackend())
            headless->CloseRequest(app::Frm_outdata->Handle());
        application.Run();
    });
}
