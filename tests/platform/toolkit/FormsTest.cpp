#include "tests/platform/toolkit/HeadlessFixture.h"

#include "platform/base/Exceptions.h"
#include "platform/toolkit/Persistence.h"

#include <string>
#include <vector>

using namespace xe::tk;
using namespace xe::test;

namespace {

std::vector<std::string>* GLog = nullptr;

class TLoggedForm : public TForm {
public:
    TLoggedForm(TComponent* owner, std::string tag)
        : TForm(owner)
        , Tag(std::move(tag))
    {
        SetBorderStyle(bsNone);
        SetBounds(10, 10, 120, 80);
        SetCaption(Tag);
        OnDestroy = [this](TComponent*) {
            if (GLog)
                GLog->push_back("destroy " + Tag);
        };
    }
    std::string Tag;
};

struct FormsTest : HeadlessTest {
    void SetUp() override
    {
        HeadlessTest::SetUp();
        State.Set(GLog, &Log);
    }
    std::vector<std::string> Log;
};

} // namespace

TEST_F(FormsTest, FirstFormIsTheMainFormAndFormsGoInReverseOrder)
{
    auto* first = App->CreateForm<TLoggedForm>("first");
    auto* second = App->CreateForm<TLoggedForm>("second");
    auto* third = App->CreateForm<TLoggedForm>("third");
    EXPECT_EQ(App->MainForm(), first);
    ASSERT_EQ(Screen->FormCount(), 3);
    EXPECT_EQ(Screen->Forms(0), first);
    EXPECT_EQ(Screen->Forms(1), second);
    EXPECT_EQ(Screen->Forms(2), third);
    App.reset();
    EXPECT_EQ(Log, (std::vector<std::string> { "destroy third", "destroy second", "destroy first" }));
    EXPECT_EQ(Screen->FormCount(), 0);
}

// The application closes its window without a user through the backend's own interface,
// not through a downcast to the headless backend.
TEST_F(FormsTest, ABackendWithoutAUserClosesWindowsThroughItsInterface)
{
    auto* main = App->CreateForm<TLoggedForm>("main");
    main->Show();
    xe::win::TBackend& backend = xe::win::Backend();
    EXPECT_FALSE(backend.UserPresent());
    backend.CloseRequest(main->Handle());
    App->Run();
    EXPECT_TRUE(App->Terminated());
    EXPECT_FALSE(main->Visible());
}

TEST_F(FormsTest, ClosingTheMainFormEndsRunAndOtherFormsOnlyHide)
{
    auto* main = App->CreateForm<TLoggedForm>("main");
    auto* other = App->CreateForm<TLoggedForm>("other");
    main->Show();
    other->Show();
    H->CloseRequest("other");
    H->WaitHidden("other");
    H->CloseRequest("main");
    App->Run();
    EXPECT_TRUE(App->Terminated());
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(main->Visible());
    EXPECT_TRUE(xe::win::IsWindow(other->Handle())); // hidden, not destroyed
    EXPECT_TRUE(Log.empty());
}

TEST_F(FormsTest, CloseQueryCanVetoAClose)
{
    auto* main = App->CreateForm<TLoggedForm>("main");
    bool allow = false;
    int asked = 0;
    main->OnCloseQuery = [&](TComponent*, bool& canClose) {
        ++asked;
        canClose = allow;
    };
    main->Show();
    main->Close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(main->Visible());
    App->ProcessMessages();
    EXPECT_FALSE(App->Terminated());

    allow = true;
    TCloseAction seen = caNone;
    main->OnClose = [&](TComponent*, TCloseAction& action) { seen = action; };
    main->Close();
    EXPECT_EQ(seen, caHide);
    EXPECT_FALSE(main->Visible());
    App->ProcessMessages();
    EXPECT_TRUE(App->Terminated());
}

TEST_F(FormsTest, ModalResultEndsTheNestedLoop)
{
    auto* main = App->CreateForm<TLoggedForm>("main");
    auto* dialog = App->CreateForm<TLoggedForm>("dialog");
    main->Show();
    bool mainEnabledDuring = true;
    H->WaitShown("dialog");
    H->Do([&] {
        mainEnabledDuring = xe::win::IsWindowEnabled(main->Handle());
        dialog->SetModalResult(mrOk);
        // Results are set inside message handling; the loop looks at them after a message.
        xe::win::PostMessage(dialog->Handle(), xe::win::WM_NULL, 0, 0);
    });
    H->Sleep(1); // keeps the script going until the posted message is taken
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(mainEnabledDuring); // the other forms are disabled while it runs
    EXPECT_TRUE(xe::win::IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->Modal());
}

TEST_F(FormsTest, ACloseRequestToAModalFormGivesCancelAndTheCloseQueryStillHolds)
{
    auto* main = App->CreateForm<TLoggedForm>("main");
    auto* dialog = App->CreateForm<TLoggedForm>("dialog");
    main->Show();
    int asked = 0;
    dialog->OnCloseQuery = [&](TComponent*, bool& canClose) { canClose = ++asked > 1; };
    H->WaitShown("dialog");
    H->CloseRequest("dialog"); // vetoed once: the dialog stays
    H->Do([&] { EXPECT_TRUE(dialog->Visible()); });
    H->CloseRequest("dialog");
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    // Showing it again starts with no result.
    H->WaitShown("dialog");
    H->Do([&] {
        dialog->SetModalResult(7);
        xe::win::PostMessage(dialog->Handle(), xe::win::WM_NULL, 0, 0);
    });
    H->Sleep(1);
    EXPECT_EQ(dialog->ShowModal(), 7);
}

TEST_F(FormsTest, DialogCentresOverTheMainFormOnlyTheFirstTime)
{
    auto* main = App->CreateForm<TLoggedForm>("main");
    main->SetBounds(300, 200, 355, 175);
    auto* dialog = App->CreateForm<TLoggedForm>("dialog");
    dialog->SetBounds(0, 0, 200, 135);
    dialog->SetPosition(poMainFormCenter);
    dialog->Show();
    EXPECT_EQ(dialog->Left(), 300 + (355 - 200) / 2);
    EXPECT_EQ(dialog->Top(), 200 + (175 - 135) / 2);
    dialog->Hide();
    dialog->SetBounds(5, 6, 200, 135);
    dialog->Show();
    EXPECT_EQ(dialog->Left(), 5);
    EXPECT_EQ(dialog->Top(), 6);
}

TEST_F(FormsTest, WindowProcCanBeReplacedAndRestored)
{
    auto* main = App->CreateForm<TLoggedForm>("main");
    TWndMethod old = main->WindowProc;
    int seen = 0;
    main->WindowProc = [&](TMessage& m) {
        if (m.Msg == xe::win::WM_USER + 5) {
            ++seen;
            m.Result = 42;
            return;
        }
        old(m);
    };
    EXPECT_EQ(xe::win::SendMessage(main->Handle(), xe::win::WM_USER + 5, 0, 0), 42);
    xe::win::SetWindowText(main->Handle(), "renamed"); // still handled by the old procedure
    EXPECT_EQ(xe::win::GetWindowText(main->Handle()), "renamed");
    main->WindowProc = old;
    EXPECT_EQ(xe::win::SendMessage(main->Handle(), xe::win::WM_USER + 5, 0, 0), 0);
    EXPECT_EQ(seen, 1);
}

TEST_F(FormsTest, TopLevelHandlerWritesTheMessageAndGivesExitCodeOne)
{
    testing::internal::CaptureStderr();
    int code = App->Execute([] { throw xe::base::EDatabaseError("Not a valid password."); });
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err, "Not a valid password.\n");
    EXPECT_EQ(App->Execute([] {}), 0);
}

TEST_F(FormsTest, StoredFormBuildsItsChildrenOnTheForm)
{
    class TStored : public TForm {
    public:
        using TForm::TForm;
        char const* ClassName() const override { return "TStored"; }
    };
    auto* form = App->CreateForm<TStored>();
    ReadComponentText(form,
        "object Stored1: TStored\n"
        "  Left = 40\n"
        "  Top = 30\n"
        "  BorderStyle = bsNone\n"
        "  ClientWidth = 150\n"
        "  ClientHeight = 90\n"
        "  object Label1: TLabel\n"
        "    Left = 4\n"
        "    Top = 5\n"
        "    Width = 60\n"
        "    Height = 13\n"
        "    Caption = 'x'\n"
        "    AutoSize = False\n"
        "  end\n"
        "end\n",
        "Stored1");
    EXPECT_EQ(form->BoundsRect(), xe::base::Bounds(40, 30, 150, 90));
    ASSERT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->Controls(0)->Name(), "Label1");
    EXPECT_EQ(form->Controls(0)->BoundsRect(), xe::base::Bounds(4, 5, 60, 13));
    EXPECT_EQ(form->Controls(0)->Parent(), form);
}
