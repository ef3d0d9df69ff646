// The main window during an export, on the headless backend: the close query with the
// dialog nested in the export's message pump, and minimising while pages are written.
#include "app/FrmMessageT.h"
#include "app/FrmOutdata.h"
#include "app/PagedExport.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/windows/WinUser.h"
#include "resources/Embedded.h"
#include "tests/app/AppWindowsFixture.h"
#include "tests/app/ExportFixtures.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>

using namespace xe;
using namespace xe::app;
using base::Ansi;

namespace {

struct ExportWindowTest : test::AppWindowsTest {
    std::string DbName = Dir.File("data.db");
    std::string XmlName = Dir.File("out.xml");
    std::vector<int> PagesSeenByDialog;

    void SetUp() override
    {
        AppWindowsTest::SetUp();
        Dialog->OnShow = [this](tk::TComponent*) { PagesSeenByDialog.push_back(Main->Gauge1->Progress()); };
    }

    // 300 rows: ten pages.
    void StartWithRows(int rows)
    {
        test::CreateSampleDatabase(DbName, { .Rows = rows, .Shuffled = true });
        test::WriteInOutIni(Dir.File("InOut.ini"), "select * from t", XmlName, DbName, "");
        Main->Show();
        ASSERT_FALSE(Main->FInitFailed);
    }
    // Runs the export as the start sequence does, then the message loop, closing the
    // window as the headless executable does once the loop is reached.
    std::string RunExportAndLoop()
    {
        testing::internal::CaptureStdout();
        try {
            Main->prcouttabdata();
            H->CloseRequest(Main->Handle());
            App->Run();
        } catch (std::exception const& e) {
            ADD_FAILURE() << "the export raised: " << e.what();
        }
        return testing::internal::GetCapturedStdout();
    }
    void WaitForPage(int page)
    {
        H->WaitUntil(
            [this, page] { return Main->Gauge1->Progress() >= page; }, "page " + std::to_string(page));
    }
    void ClickCloseImage() { ClickControl(*Main, "IMG_Exit"); }
    void AnswerDialog(bool ok)
    {
        H->WaitShown(DialogCaption);
        ClickControl(*Dialog, ok ? "SB_OK" : "SB_Cancel");
    }
};

} // namespace

TEST_F(ExportWindowTest, OkAfterPageThreeOfTenStopsAndLeavesNoFiles)
{
    StartWithRows(300);
    WaitForPage(3);
    ClickCloseImage();
    AnswerDialog(true);
    std::string out = RunExportAndLoop();
    EXPECT_EQ(PagesSeenByDialog, (std::vector<int> { 3 }));
    EXPECT_EQ(Main->Gauge1->MaxValue(), 10);
    EXPECT_EQ(Main->Gauge1->Progress(), 3) << "no page after the confirmation";
    EXPECT_TRUE(Main->FCancelled);
    EXPECT_FALSE(base::FileExists(XmlName));
    EXPECT_FALSE(base::FileExists(TempFileName(XmlName)));
    EXPECT_TRUE(App->Terminated());
    EXPECT_FALSE(Main->Visible());
    EXPECT_EQ(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
}

TEST_F(ExportWindowTest, CancelInTheDialogLetsTheExportFinish)
{
    StartWithRows(300);
    WaitForPage(2);
    ClickCloseImage();
    AnswerDialog(false);
    // The close request of the headless run comes after the export: the done state closes
    // at once, without the dialog.
    std::string out = RunExportAndLoop();
    EXPECT_EQ(PagesSeenByDialog, (std::vector<int> { 2 }));
    EXPECT_FALSE(Main->FCancelled);
    EXPECT_EQ(Main->Gauge1->Progress(), 10);
    EXPECT_EQ(Main->But_cancel->Caption(), Ansi(u8"完成"));
    EXPECT_EQ(Main->L_note->Caption(), Ansi(u8"导出数据成功"));
    EXPECT_NE(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
    EXPECT_EQ(test::CompareRows(test::ReadRowsetFile(XmlName),
                  test::QueryRows(DbName, "select * from t order by id"), { "id", "name", "note" }),
        "");
    EXPECT_FALSE(base::FileExists(TempFileName(XmlName)));
    EXPECT_TRUE(App->Terminated());
}

// Whether closing asks is the run's state: a button reading "done" before the export still
// asks, and a caption changed after it does not bring the question back.
TEST_F(ExportWindowTest, TheCloseQueryFollowsTheRunNotTheButtonCaption)
{
    StartWithRows(30);
    Main->But_cancel->SetCaption(Ansi(u8"完成"));
    H->CloseRequest(Main->Handle());
    AnswerDialog(false);
    H->RunScript();
    EXPECT_EQ(PagesSeenByDialog.size(), 1u) << "the close before the export asks";
    EXPECT_TRUE(Main->Visible());
    EXPECT_FALSE(App->Terminated());

    testing::internal::CaptureStdout();
    try {
        Main->prcouttabdata();
        Main->But_cancel->SetCaption("Done");
        H->CloseRequest(Main->Handle());
        App->Run();
    } catch (std::exception const& e) {
        ADD_FAILURE() << "closing after the export raised: " << e.what();
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(PagesSeenByDialog.size(), 1u) << "the close after the export asks nothing";
    EXPECT_TRUE(App->Terminated());
    EXPECT_FALSE(Main->FCancelled);
    EXPECT_TRUE(base::FileExists(XmlName));
}

TEST_F(ExportWindowTest, MinimiseDuringTheExport)
{
    StartWithRows(300);
    WaitForPage(2);
    ClickControl(*Main, "ImageBtn1");
    bool minimisedDuringExport = false;
    H->Do([&] { minimisedDuringExport = win::IsApplicationMinimized() && Main->Gauge1->Progress() < 10; });
    std::string out = RunExportAndLoop();
    EXPECT_TRUE(minimisedDuringExport);
    EXPECT_TRUE(PagesSeenByDialog.empty());
    EXPECT_EQ(Main->Gauge1->Progress(), 10);
    EXPECT_EQ(test::CompareRows(test::ReadRowsetFile(XmlName),
                  test::QueryRows(DbName, "select * from t order by id"), { "id", "name", "note" }),
        "");
}

TEST_F(ExportWindowTest, DialogCentresOverTheMainWindowOnceThenStaysWhereItWas)
{
    StartWithRows(0);
    std::vector<base::TRect> shown;
    Dialog->OnShow = [&](tk::TComponent*) { shown.push_back(Dialog->BoundsRect()); };
    H->Do([&] { Main->Close(); });
    AnswerDialog(false);
    H->Do([&] { Dialog->SetBounds(10, 20, Dialog->Width(), Dialog->Height()); });
    H->Do([&] { Main->Close(); });
    H->WaitShown(DialogCaption);
    H->Do([&] { shown.push_back(Dialog->BoundsRect()); });
    // The exit image lies in the skinned caption band, which moves the dialog; a close
    // request answers Cancel.
    H->CloseRequest(DialogCaption);
    H->RunScript();
    ASSERT_GE(shown.size(), 2u);
    base::TRect const main = Main->BoundsRect();
    base::TRect const first = shown.front();
    EXPECT_EQ(first.Left + first.Width() / 2, main.Left + main.Width() / 2);
    EXPECT_EQ(first.Top + first.Height() / 2, main.Top + main.Height() / 2);
    EXPECT_EQ(shown.back().Left, 10);
    EXPECT_EQ(shown.back().Top, 20);
    EXPECT_TRUE(Main->Visible()) << "Cancel and a close request keep the window";
    EXPECT_EQ(Dialog->ModalResult(), tk::mrCancel);
}

TEST_F(ExportWindowTest, CloseRequestsWhileTheDialogIsOpenOnlyBringItForward)
{
    StartWithRows(300);
    WaitForPage(2);
    ClickCloseImage();
    H->WaitShown(DialogCaption);
    // A second close from the task bar, a minimise and a restore of the disabled main
    // window, and a click on its close image: none of them reaches the main window.
    H->CloseRequest(Main->Handle());
    H->MinimizeRequest(MainCaption);
    H->RestoreRequest(MainCaption);
    ClickCloseImage();
    H->Do([this] {
        EXPECT_TRUE(Dialog->Visible());
        EXPECT_FALSE(win::IsApplicationMinimized());
        EXPECT_EQ(win::GetActiveWindow(), Dialog->Handle());
    });
    AnswerDialog(false);
    std::string out = RunExportAndLoop();
    EXPECT_EQ(PagesSeenByDialog, (std::vector<int> { 2 }));
    EXPECT_EQ(Main->Gauge1->Progress(), 10);
    EXPECT_NE(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
    EXPECT_EQ(test::CompareRows(test::ReadRowsetFile(XmlName),
                  test::QueryRows(DbName, "select * from t order by id"), { "id", "name", "note" }),
        "");
}

TEST_F(ExportWindowTest, CancelButtonDuringTheExportAsksAndOkStops)
{
    StartWithRows(300);
    WaitForPage(4);
    ClickControl(*Main, "But_cancel");
    H->WaitShown(DialogCaption);
    H->CloseRequest(Main->Handle()); // the second close changes nothing
    AnswerDialog(true);
    std::string out = RunExportAndLoop();
    EXPECT_EQ(PagesSeenByDialog, (std::vector<int> { 4 }));
    EXPECT_EQ(Main->Gauge1->Progress(), 4);
    EXPECT_TRUE(Main->FCancelled);
    EXPECT_FALSE(base::FileExists(XmlName));
    EXPECT_FALSE(base::FileExists(TempFileName(XmlName)));
    EXPECT_EQ(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
}

// The window is painted and shown before the count, which can take many seconds: at the count's
// start its surface already holds what a fresh paint gives (the skin, the export's status).
TEST_F(ExportWindowTest, TheWindowIsPaintedBeforeTheCountStarts)
{
    StartWithRows(300);
    struct TAtCount {
        TFrm_outdata* Main;
        win::THeadlessBackend* H;
        int PresentsAtShow = 0;
        bool Seen = false;
        bool Presented = false;
        bool UpToDate = false;
        int64_t DarkPixels = -1;
        int64_t Pixels = 0;
        std::string Status {};
    } atCount { Main, H, H->PresentCount() };
    auto onStatement = [](unsigned, void* context, void*, void* sql) -> int {
        auto& at = *static_cast<TAtCount*>(context);
        if (at.Seen || sqlite3_strnicmp(static_cast<char const*>(sql), "select count(*)", 15) != 0)
            return 0;
        at.Seen = true;
        win::HWND const h = at.Main->Handle();
        at.Presented = at.H->PresentCount() > at.PresentsAtShow && at.H->NativeVisible(h);
        at.Status = at.Main->L_note->Caption();
        gfx::TBitmap const before = *win::GetWindowSurface(h);
        at.Pixels = int64_t(before.Width()) * before.Height();
        at.DarkPixels = 0;
        for (int y = 0; y < before.Height(); ++y)
            for (int x = 0; x < before.Width(); ++x)
                at.DarkPixels += (before.Pixel(x, y) & 0xFFFFFF) == 0;
        // What a full repaint gives now: the same picture if the window was up to date.
        win::InvalidateRect(h, nullptr, win::TRUE);
        win::UpdateWindow(h);
        at.UpToDate = gfx::SamePixels(*win::GetWindowSurface(h), before);
        return 0;
    };
    sqlite3_trace_v2(Main->adoconn->Connection().Handle(), SQLITE_TRACE_STMT, onStatement, &atCount);
    RunExportAndLoop();
    ASSERT_TRUE(atCount.Seen);
    EXPECT_EQ(atCount.Status, Ansi(u8"正在导出数据..."));
    EXPECT_TRUE(atCount.Presented) << "the window reached the display before the count";
    EXPECT_TRUE(atCount.UpToDate) << "the window was painted with its state before the count";
    EXPECT_LT(atCount.DarkPixels, atCount.Pixels / 2) << "not a black window";
    EXPECT_EQ(Main->Gauge1->Progress(), 10);
}

// A close asked for while the count runs is answered during that statement, not after page 1
// has replaced the old output; OK aborts the statement and leaves that output as it was.
TEST_F(ExportWindowTest, ACloseDuringTheCountIsAnsweredBeforeTheFirstPage)
{
    StartWithRows(20000);
    base::WriteFileBytes(XmlName, "an earlier run's result");
    // The connection's working hook is set only while the export's statements run.
    H->WaitUntil([this] { return bool(Main->adoconn->Connection().OnWorking); }, "a statement under way");
    H->CloseRequest(MainCaption);
    AnswerDialog(true);
    std::string out = RunExportAndLoop();
    EXPECT_EQ(PagesSeenByDialog, (std::vector<int> { 0 }));
    EXPECT_EQ(Main->Gauge1->Progress(), 0);
    EXPECT_TRUE(Main->Stopped());
    EXPECT_EQ(base::ReadFileBytes(XmlName), "an earlier run's result");
    EXPECT_FALSE(base::FileExists(TempFileName(XmlName)));
    EXPECT_FALSE(bool(Main->adoconn->Connection().OnWorking));
    EXPECT_EQ(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
}

// The main window destroyed from outside while the confirmation is open: the dialog goes,
// the export stops after the page under way and removes its output.
TEST_F(ExportWindowTest, LosingTheMainWindowStopsTheExport)
{
    StartWithRows(300);
    WaitForPage(2);
    ClickCloseImage();
    H->WaitShown(DialogCaption);
    H->LoseWindow(MainCaption);
    std::string out = RunExportAndLoop();
    EXPECT_TRUE(Main->WindowLost());
    EXPECT_TRUE(Main->Stopped());
    EXPECT_FALSE(Dialog->Visible());
    EXPECT_EQ(Main->Gauge1->Progress(), 2);
    EXPECT_FALSE(base::FileExists(XmlName));
    EXPECT_FALSE(base::FileExists(TempFileName(XmlName)));
    EXPECT_EQ(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
}

// The dialog's own window destroyed from outside answers it as Cancel and the export goes on.
// The dialog cannot be shown again, so a later close is answered as Cancel at once.
TEST_F(ExportWindowTest, LosingTheDialogWindowCancelsAndLaterClosesAreRefused)
{
    StartWithRows(300);
    WaitForPage(2);
    ClickCloseImage();
    H->WaitShown(DialogCaption);
    H->LoseWindow(DialogCaption);
    WaitForPage(4);
    H->Do([this] {
        EXPECT_FALSE(Dialog->Visible());
        EXPECT_TRUE(win::IsWindowEnabled(Main->Handle()));
    });
    ClickControl(*Main, "IMG_Exit", -6, -6); // a little apart from the first: not a double click
    WaitForPage(6);
    std::string out = RunExportAndLoop();
    EXPECT_EQ(PagesSeenByDialog, (std::vector<int> { 2 }));
    EXPECT_FALSE(Main->FCancelled);
    EXPECT_FALSE(Main->WindowLost());
    EXPECT_EQ(Main->Gauge1->Progress(), 10);
    EXPECT_NE(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
    EXPECT_EQ(test::CompareRows(test::ReadRowsetFile(XmlName),
                  test::QueryRows(DbName, "select * from t order by id"), { "id", "name", "note" }),
        "");
}

TEST_F(ExportWindowTest, LosingTheMainWindowAfterTheExportEndsTheLoop)
{
    StartWithRows(45);
    testing::internal::CaptureStdout();
    Main->prcouttabdata();
    testing::internal::GetCapturedStdout();
    H->LoseWindow(MainCaption);
    App->Run(); // without the loss nothing would end it
    EXPECT_TRUE(App->Terminated());
    EXPECT_FALSE(Main->Stopped());
    EXPECT_EQ(test::CompareRows(test::ReadRowsetFile(XmlName),
                  test::QueryRows(DbName, "select * from t order by id"), { "id", "name", "note" }),
        "");
}

// A signal while the confirmation holds the export: the stop watch answers the dialog and
// the export stops as after OK.
TEST_F(ExportWindowTest, ASignalWhileTheDialogIsOpenStopsTheExport)
{
    InstallInterruptHandlers();
    StartWithRows(300);
    WaitForPage(2);
    ClickCloseImage();
    H->WaitShown(DialogCaption);
    H->Do([] { std::raise(SIGHUP); });
    std::string out = RunExportAndLoop();
    int const signal = InterruptSignal();
    ResetInterrupt();
    for (int s : { SIGINT, SIGTERM, SIGHUP })
        std::signal(s, SIG_DFL);
    EXPECT_EQ(signal, SIGHUP);
    EXPECT_EQ(Dialog->ModalResult(), tk::mrCancel) << "the dialog was answered for the user";
    EXPECT_FALSE(Main->FCancelled);
    EXPECT_TRUE(Main->Stopped());
    EXPECT_EQ(Main->Gauge1->Progress(), 2);
    EXPECT_FALSE(base::FileExists(XmlName));
    EXPECT_FALSE(base::FileExists(TempFileName(XmlName)));
    EXPECT_EQ(out.find(base::AnsiToUtf8(Ansi(u8"导出数据成功"))), std::string::npos) << out;
}
