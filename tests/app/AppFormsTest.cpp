// The two windows read from their stored forms: layout, round trip, the show handler and the
// failed start, on the headless backend.
#include "app/FrmMessageT.h"
#include "app/FrmOutdata.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Region.h"
#include "platform/toolkit/Persistence.h"
#include "platform/toolkit/Resources.h"
#include "platform/windows/WinUser.h"
#include "resources/Embedded.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/app/AppWindowsFixture.h"
#include "tests/app/ExportFixtures.h"

#include <gtest/gtest.h>

using namespace xe;
using namespace xe::app;
using base::Ansi;
using base::Bounds;

namespace {

using AppFormsTest = test::AppWindowsTest;

// A form of the same class name that does not read its layout itself.
class TBareForm : public tk::TForm {
public:
    TBareForm(tk::TComponent* owner, char const* className)
        : tk::TForm(owner)
        , FClassName(className)
    {
    }
    char const* ClassName() const override { return FClassName; }

private:
    char const* FClassName;
};

} // namespace

TEST_F(AppFormsTest, MainWindowHasEveryChildWhereItBelongs)
{
    EXPECT_EQ(Main->BorderStyle(), tk::bsNone);
    EXPECT_EQ(Main->Left(), 320);
    EXPECT_EQ(Main->Top(), 244);
    EXPECT_EQ(Main->ClientWidth(), 355);
    EXPECT_EQ(Main->ClientHeight(), 175);
    EXPECT_EQ(Main->Color(), base::clBtnFace);
    EXPECT_EQ(Main->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(Main->Font().Height(), -11);

    // Bottom to top, as stored.
    std::vector<std::string> order;
    for (int i = 0; i < Main->ControlCount(); ++i)
        order.push_back(Main->Controls(i)->Name());
    EXPECT_EQ(order,
        (std::vector<std::string> {
            "Image1", "ImageTitle1", "But_cancel", "Label2", "Gauge1", "L_note", "ImageBtn1", "IMG_Exit" }));

    EXPECT_EQ(Main->Image1->BoundsRect(), Bounds(0, 30, 354, 145));
    EXPECT_EQ(Main->Image1->Picture().Width(), 354);
    EXPECT_EQ(Main->ImageTitle1->BoundsRect(), Bounds(1, 0, 354, 30));
    EXPECT_EQ(Main->ImageTitle1->Picture().Height(), 30);
    EXPECT_EQ(Main->But_cancel->BoundsRect(), Bounds(134, 126, 71, 23));
    EXPECT_EQ(Main->But_cancel->Caption(), Ansi(u8"取消"));
    EXPECT_EQ(Main->But_cancel->Font().Color(), base::clWhite);
    EXPECT_EQ(Main->But_cancel->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(Main->But_cancel->Font().Size(), 8);
    EXPECT_EQ(Main->Label2->BoundsRect(), Bounds(81, 8, 88, 13));
    EXPECT_EQ(Main->Label2->Caption(), Ansi(u8" 数据导出"));
    EXPECT_TRUE(Main->Label2->Transparent());
    EXPECT_FALSE(Main->Label2->AutoSize());
    EXPECT_EQ(Main->Label2->Font().Color(), base::clWhite);
    EXPECT_EQ(Main->Gauge1->BoundsRect(), Bounds(25, 88, 313, 22));
    EXPECT_EQ(Main->L_note->BoundsRect(), Bounds(33, 64, 233, 13));
    EXPECT_EQ(Main->L_note->Caption(), "L_note");
    EXPECT_TRUE(Main->L_note->Transparent());
    EXPECT_FALSE(Main->L_note->AutoSize());
    EXPECT_EQ(Main->ImageBtn1->BoundsRect(), Bounds(269, 5, 19, 20));
    EXPECT_EQ(Main->IMG_Exit->BoundsRect(), Bounds(297, 5, 19, 20));
    EXPECT_EQ(Main->ImageBtn1->Picture().Width(), 19);
    EXPECT_EQ(Main->IMG_Exit->Picture().Height(), 20);
    EXPECT_EQ(Main->adoconn->Owner(), Main);
    EXPECT_FALSE(Main->adoconn->Connection().Connected());
}

TEST_F(AppFormsTest, DialogHasEveryChildWhereItBelongs)
{
    EXPECT_EQ(Dialog->BorderStyle(), tk::bsNone);
    EXPECT_EQ(Dialog->BorderIcons(), 0u);
    EXPECT_EQ(Dialog->Caption(), Ansi(u8"提示信息"));
    EXPECT_EQ(Dialog->ClientWidth(), 200);
    EXPECT_EQ(Dialog->ClientHeight(), 135);
    EXPECT_FALSE(Dialog->Visible());
    EXPECT_EQ(Dialog->Image1->BoundsRect(), Bounds(0, 30, 200, 105));
    EXPECT_EQ(Dialog->ImageTitle1->BoundsRect(), Bounds(0, 0, 200, 30));
    EXPECT_EQ(Dialog->Lab_Caption->BoundsRect(), Bounds(29, 48, 148, 33));
    EXPECT_EQ(Dialog->Lab_Caption->Caption(), "");
    EXPECT_TRUE(Dialog->Lab_Caption->WordWrap());
    EXPECT_TRUE(Dialog->Lab_Caption->Transparent());
    EXPECT_EQ(Dialog->Lab_Caption->Font().Name(), Ansi(u8"宋体"));
    EXPECT_EQ(Dialog->Lab_Caption->Font().Height(), -12);
    EXPECT_EQ(Dialog->Label9->Left(), 24);
    EXPECT_EQ(Dialog->Label9->Top(), 10);
    EXPECT_EQ(Dialog->Label9->Caption(), Ansi(u8"提  示"));
    EXPECT_EQ(Dialog->Label9->Font().Style(), gfx::fsBold);
    EXPECT_EQ(Dialog->Label9->Font().Height(), -13);
    EXPECT_EQ(Dialog->SB_OK->BoundsRect(), Bounds(27, 91, 71, 23));
    EXPECT_EQ(Dialog->SB_OK->Caption(), Ansi(u8"确定"));
    EXPECT_EQ(Dialog->SB_OK->Font().Color(), base::RGB(214, 204, 187));
    EXPECT_EQ(Dialog->SB_Cancel->BoundsRect(), Bounds(105, 91, 71, 23));
    EXPECT_EQ(Dialog->SB_Cancel->Caption(), Ansi(u8"取消"));
    EXPECT_EQ(Dialog->IMG_Exit->BoundsRect(), Bounds(169, 5, 19, 20));
}

// The skinned form answers the dialog's hit tests from the skin: the client rectangle, the
// caption band (which moves the dialog) and the skin's object code around them.
TEST_F(AppFormsTest, DialogIsASkinnedFormWithoutFrame)
{
    skin::TspSkinnedForm* skinned = Dialog->spSkinnedForm1;
    ASSERT_TRUE(skinned);
    EXPECT_TRUE(skinned->SkinSupport());
    EXPECT_EQ(skinned->SkinData(), tk::FindComponentAs<skin::TspSkinData>(Dialog, "spSkinData1"));
    EXPECT_EQ(skinned->MenusSkinData(), skinned->SkinData());
    EXPECT_EQ(skinned->BorderIcons(), 0u);
    EXPECT_FALSE(skinned->Sizeable);
    EXPECT_TRUE(skinned->SupportNCArea());
    EXPECT_TRUE(skinned->UseDefaultSysMenu);
    EXPECT_EQ(skinned->AlphaBlendValue(), 200);
    EXPECT_EQ(skinned->DefCaptionFont().Name(), "Arial");
    EXPECT_EQ(skinned->DefCaptionFont().Height(), 14);
    EXPECT_EQ(Dialog->ClientWidth(), 200) << "no non-client area";
    EXPECT_EQ(Dialog->ClientHeight(), 135);
    EXPECT_EQ(skinned->NewClRect, base::Rect(3, 29, 197, 132));
    Dialog->SetBounds(300, 200, 200, 135);
    auto hit = [&](int x, int y) {
        return win::SendMessage(Dialog->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(300 + x, 200 + y));
    };
    EXPECT_EQ(hit(100, 100), win::HTCLIENT) << "SB_OK and SB_Cancel stay reachable";
    EXPECT_EQ(hit(30 + 27, 91 + 10), win::HTCLIENT);
    EXPECT_EQ(hit(5, 4), win::HTCAPTION);
    EXPECT_EQ(hit(169 + 9, 5 + 10), win::HTCAPTION) << "the exit image lies in the caption band";
    EXPECT_EQ(hit(196, 2), win::HTOBJECT);
    EXPECT_EQ(hit(1, 60), win::HTOBJECT);
    gfx::TRegion region;
    EXPECT_EQ(win::GetWindowRgn(Dialog->Handle(), region), gfx::RGN_ERROR);
}

TEST_F(AppFormsTest, StoredFormsRoundTripAndKeepTheirPictureReferences)
{
    for (tk::TForm* form : std::vector<tk::TForm*> { Main, Dialog }) {
        std::string written = tk::WriteComponentText(form);
        EXPECT_NE(written.find("Picture = resource 'pictures/"), std::string::npos) << written;
        TBareForm bare(nullptr, form->ClassName());
        tk::ReadComponentText(&bare, written, form->Name());
        EXPECT_EQ(tk::WriteComponentText(&bare), written);
    }
    // The main window's layout file is exactly what the writer writes.
    EXPECT_EQ(tk::WriteComponentText(Main), std::string(tk::FindResourceData("forms/Frm_outdata.form")));
}

TEST_F(AppFormsTest, FailedStartWithoutConfigurationCreatesItAndSaysSo)
{
    Main->Show();
    EXPECT_EQ(Main->Caption(), Ansi(u8"XML数据导出"));
    EXPECT_TRUE(Main->FInitFailed);
    EXPECT_TRUE(base::FileExists(Dir.File("InOut.ini")));
    EXPECT_EQ(base::FileSize(Dir.File("InOut.ini")), 0);
    testing::internal::CaptureStdout();
    Main->prcouttabdata();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
        std::string(reinterpret_cast<char const*>(u8"数据初始化失败...\n")));
    EXPECT_EQ(Main->L_note->Caption(), Ansi(u8"数据初始化失败..."));
    EXPECT_EQ(Main->But_cancel->Caption(), Ansi(u8"完成"));
}

TEST_F(AppFormsTest, ValidSqliteDatabaseOpensTheConnection)
{
    std::string db = Dir.File("data.db");
    test::CreateSampleDatabase(db, {});
    test::WriteInOutIni(Dir.File("InOut.ini"), "  select * from t\t", "out.xml", db, "");
    Main->Show();
    EXPECT_FALSE(Main->FInitFailed);
    EXPECT_TRUE(Main->adoconn->Connection().Connected());
    EXPECT_EQ(Main->FStrSql, "select * from t");
    EXPECT_EQ(Main->FXmlName, "out.xml");
    EXPECT_FALSE(Main->adoconn->Connection().LoginPrompt);
    // The destroy handler disconnects.
    auto* conn = &Main->adoconn->Connection();
    bool connectedAtDestroy = false;
    Main->OnDestroy = [&, old = Main->OnDestroy](tk::TComponent* sender) {
        old(sender);
        connectedAtDestroy = conn->Connected();
    };
    App.reset();
    EXPECT_FALSE(connectedAtDestroy);
}

TEST_F(AppFormsTest, MissingDatabaseOrBlankValuesFailWithAReason)
{
    test::WriteInOutIni(Dir.File("InOut.ini"), "select * from t", "out.xml", Dir.File("nope.db"), "x");
    Main->Show();
    EXPECT_TRUE(Main->FInitFailed);
    EXPECT_EQ(Main->StartError(), "Could not find file '" + Dir.File("nope.db") + "'.");
    // The window shows only the failed state; the reason goes to standard error.
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Main->prcouttabdata();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Could not find file '" + Dir.File("nope.db") + "'.\n");
    EXPECT_EQ(Main->L_note->Caption(), Ansi(u8"数据初始化失败..."));
    Main->Hide();

    std::string db = Dir.File("data.db");
    test::CreateSampleDatabase(db, {});
    test::WriteInOutIni(Dir.File("InOut.ini"), "select * from t", "   ", db, "");
    Main->Show();
    EXPECT_TRUE(Main->FInitFailed);
    EXPECT_NE(Main->StartError().find("gives no XmlName"), std::string::npos) << Main->StartError();
    EXPECT_FALSE(Main->adoconn->Connection().Connected());
}

TEST_F(AppFormsTest, AfterAFailedStartTheButtonClosesAtOnceWithoutTheDialog)
{
    Main->Show();
    testing::internal::CaptureStdout();
    Main->prcouttabdata();
    testing::internal::GetCapturedStdout();
    std::string out = Dir.File("out.xml");
    base::WriteFileBytes(out, "keep");
    Main->FXmlName = out;
    bool dialogShown = false;
    Dialog->OnShow = [&](tk::TComponent*) { dialogShown = true; };
    ClickControl(*Main, "But_cancel");
    App->Run();
    EXPECT_FALSE(dialogShown);
    EXPECT_FALSE(Main->Visible());
    EXPECT_TRUE(base::FileExists(out));
    EXPECT_FALSE(Main->FCancelled);
}

// The export removes what it wrote when it sees the stop; the close query itself deletes
// nothing, so a file no export has touched (an earlier run's) stays.
TEST_F(AppFormsTest, CloseAsksAndOkStopsWithoutTouchingAnEarlierOutput)
{
    Main->Show();
    std::string out = Dir.File("out.xml");
    base::WriteFileBytes(out, "partial");
    Main->FXmlName = out;
    // First answer Cancel: the window stays and the file too; then OK.
    H->WaitShown(Ansi(u8"提示信息"));
    ClickControl(*Dialog, "SB_Cancel");
    H->WaitHidden(Ansi(u8"提示信息"));
    H->Do([&] {
        EXPECT_TRUE(Main->Visible());
        EXPECT_TRUE(base::FileExists(out));
        Main->Close();
    });
    H->WaitShown(Ansi(u8"提示信息"));
    ClickControl(*Dialog, "SB_OK");
    H->Sleep(1); // the outer loop takes the quit message after the action
    Main->Close();
    App->Run();
    EXPECT_EQ(Dialog->Lab_Caption->Caption(), Ansi(u8"  是否确定退出?"));
    EXPECT_TRUE(Main->FCancelled);
    EXPECT_EQ(base::ReadFileBytes(out), "partial");
    EXPECT_TRUE(App->Terminated());
}

// The dialog's own window commands: its system menu holds only Close (Alt+F4), which
// answers as Cancel does; Alt+F4 itself does the same; the caption band moves the dialog;
// a double click there asks for a roll-up, which the dialog refuses.
TEST_F(AppFormsTest, DialogSystemMenuAltF4AndCaptionBand)
{
    std::string const caption = Ansi(u8"提示信息");
    skin::TspSkinnedForm* skinned = Dialog->spSkinnedForm1;
    skin::TspSkinPopupMenu* menu = skinned->SkinMenu();

    // A right click in the caption band; the menu's one item chosen with the mouse.
    H->WaitShown(caption);
    H->Move(caption, 60, 12);
    H->Sleep(60);
    H->Click(caption, 60, 12, win::mbRight);
    base::TPoint start;
    H->Do([&] {
        start = { Dialog->Left(), Dialog->Top() };
        ASSERT_TRUE(menu->Visible());
        ASSERT_EQ(menu->ItemCount(), 1);
        EXPECT_EQ(menu->Item(0)->Caption(), "&Close");
        EXPECT_EQ(tk::ShortCutToText(menu->Item(0)->ShortCut()), "Alt+F4");
        win::RECT w;
        win::GetWindowRect(menu->Handle(), &w);
        EXPECT_EQ(w.Left, Dialog->Left() + 60) << "opened at the cursor";
        EXPECT_EQ(w.Top, Dialog->Top() + 12);
        base::TRect const r = menu->ItemRect(0);
        H->Click(w.Left + r.Left + 10, w.Top + (r.Top + r.Bottom) / 2);
    });
    EXPECT_EQ(Dialog->ShowModal(), tk::mrCancel);
    EXPECT_EQ(tk::mrCancel, 2);
    EXPECT_FALSE(menu->Visible());

    // Alt+F4.
    H->WaitShown(caption);
    H->KeyPress(win::VK_F4, { win::VK_MENU });
    EXPECT_EQ(Dialog->ShowModal(), tk::mrCancel);

    // The caption band drags the dialog; a double click there leaves it as it is; the menu
    // follows the keyboard too.
    // (The dialog opens where it opened the first time.)
    H->WaitShown(caption);
    H->Move(caption, 60, 12);
    H->Sleep(60);
    H->Drag(start.X + 60, start.Y + 12, start.X + 90, start.Y + 32);
    H->Sleep(1000);
    H->DoubleClick(caption, 60, 12);
    H->Do([&] {
        EXPECT_EQ(Dialog->Left(), start.X + 30);
        EXPECT_EQ(Dialog->Top(), start.Y + 20);
        EXPECT_FALSE(skinned->RollUpState());
        EXPECT_EQ(Dialog->Height(), 135);
    });
    H->Sleep(1000);
    H->Click(caption, 60, 12, win::mbRight);
    H->KeyPress(win::VK_DOWN);
    H->KeyPress(win::VK_RETURN);
    EXPECT_EQ(Dialog->ShowModal(), tk::mrCancel);
}
