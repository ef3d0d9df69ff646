// The main window's export: prcouttabdata frames the run with the status texts, ExportPages
// runs the pages with the window's gauge and message pump between them (and during long
// statements).
#include "app/FrmOutdata.h"
#include "app/PagedExport.h"
#include "platform/base/Clock.h"
#include "platform/base/Strings.h"
#include "platform/db/Connection.h"
#include "platform/toolkit/Dialogs.h"
#include "platform/windows/Backend.h"
#include "platform/windows/WinUser.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace xe::app {

using base::Ansi;

namespace {

class TWindowSteps : public TExportSteps {
public:
    explicit TWindowSteps(TFrm_outdata& form)
        : FForm(form)
        , FProgress(false)
    {
    }
    // A progress line left open by an error is ended before the error's message.
    ~TWindowSteps() override { FProgress.Finish(); }

    void Start(int64_t pageCount, int64_t rowCount) override
    {
        FForm.Gauge1->SetMaxValue(int32_t(std::min<int64_t>(pageCount, INT32_MAX)));
        FForm.Gauge1->SetProgress(0);
        // Without a display the terminal shows the progress instead of the gauge.
        FShowProgress = !win::Backend().UserPresent() && FProgress.Active();
        if (FShowProgress)
            FProgress.Start(pageCount, rowCount);
    }
    bool Cancelled() override { return FForm.StopRequested(); }
    void PageDone(int64_t page, int64_t) override
    {
        FForm.Gauge1->SetProgress(FForm.Gauge1->Progress() + 1);
        if (FShowProgress)
            FProgress.PageDone(page);
        if (tk::Application)
            tk::Application->ProcessMessages();
    }

private:
    TFrm_outdata& FForm;
    TTerminalProgress FProgress;
    bool FShowProgress = false;
};

} // namespace

void TFrm_outdata::prcouttabdata()
{
    if (FInitFailed) {
        SetStatus(Ansi(u8"数据初始化失败..."));
        FFinished = true;
        But_cancel->SetCaption(Ansi(u8"完成"));
        if (!FInitError.empty()) {
            std::string line = base::AnsiToUtf8(FInitError) + "\n";
            std::fwrite(line.data(), 1, line.size(), stderr);
            std::fflush(stderr);
            // Started from a desktop, nobody reads standard error: the window says why too,
            // and stays in the failed state until its user closes it.
            if (tk::Application && tk::Application->ErrorBox())
                tk::ShowMessageBox(FInitError);
        }
        return;
    }
    FCancelled = false;
    FFinished = false;
    SetStatus(Ansi(u8"正在导出数据..."));
    // The window shows its state before the first statement, which may take a while.
    if (tk::Application)
        tk::Application->ProcessMessages();
    FStopped = !ExportPages();
    FFinished = true;
    But_cancel->SetCaption(Ansi(u8"完成"));
    // A stopped run removed its output: the window is closed by then, but the status line on
    // standard output must not claim a success.
    SetStatus(FStopped ? Ansi(u8"导出已取消") : Ansi(u8"导出数据成功"));
}

bool TFrm_outdata::ExportPages()
{
    TWindowSteps steps(*this);
    db::TADOConnection& connection = adoconn->Connection();
    // During a long statement (the count, the ordered copies, a table copy) the window keeps
    // answering, a few dozen times a second; a stop asked for there aborts the statement.
    uint64_t lastPump = 0;
    connection.OnWorking = [this, &lastPump] {
        uint64_t const now = base::GetTickCount64();
        if (now - lastPump >= 20 || lastPump == 0) {
            lastPump = now;
            if (tk::Application)
                tk::Application->ProcessMessages();
        }
        return StopRequested();
    };
    struct TForget {
        db::TADOConnection& Connection;
        ~TForget() { Connection.OnWorking = nullptr; }
    } forget { connection };
    return RunPagedExport(connection, FStrSql, FXmlName, steps);
}

} // namespace xe::app
