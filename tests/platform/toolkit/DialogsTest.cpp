#include "tests/platform/toolkit/HeadlessFixture.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/Dialogs.h"

#include <string>

using namespace xe;
using namespace xe::tk;
using namespace xe::test;

namespace {

class TPlainForm : public TForm {
public:
    TPlainForm(TComponent* owner, std::string const& caption)
        : TForm(owner)
    {
        SetBorderStyle(bsNone);
        SetBounds(100, 100, 300, 200);
        SetCaption(caption);
    }
};

struct DialogsTest : HeadlessTest { };

} // namespace

TEST_F(DialogsTest, TheErrorHandlerShowsTheMessageInABoxUntilOk)
{
    App->SetTitle("Export tool");
    auto* main = App->CreateForm<TPlainForm>("main");
    main->Show();
    App->SetErrorBox(true);
    std::string const text = "Cannot write file \"/data/out.xml\". No space left on device. "
                             "The incomplete output was removed; nothing else was changed.";
    TMessageForm* box = nullptr;
    win::HWND boxWindow = nullptr;
    H->WaitShown("Export tool");
    H->Do([&] {
        boxWindow = win::GetActiveWindow();
        box = dynamic_cast<TMessageForm*>(Screen->ActiveCustomForm());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Caption(), "Export tool");
        EXPECT_EQ(box->Message->Caption(), text);
        EXPECT_TRUE(box->Message->WordWrap());
        // Too long for one line of the widest box: it wraps into several.
        EXPECT_EQ(box->Message->Width(), TMessageForm::MaxTextWidth);
        EXPECT_GT(box->Message->Height(), 2 * 12);
        EXPECT_GT(box->OKButton->Top(), box->Message->Top() + box->Message->Height());
        EXPECT_LE(box->OKButton->Top() + box->OKButton->Height(), box->ClientHeight());
        // The caption band is painted in the caption colour.
        gfx::TBitmap const* surface = win::GetWindowSurface(boxWindow);
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->Pixel(3, 3), base::ColorToRGB(base::clActiveCaption));
        EXPECT_FALSE(win::IsWindowEnabled(main->Handle())) << "the box is modal";
    });
    // Close and minimise requests to the disabled main window leave the box up.
    H->CloseRequest(main->Handle());
    H->MinimizeRequest("main");
    H->Do([&] {
        EXPECT_TRUE(main->Visible());
        EXPECT_FALSE(win::IsApplicationMinimized());
        EXPECT_EQ(win::GetActiveWindow(), boxWindow);
    });
    H->Do([&] {
        base::TPoint ok = box->ClientToScreen(
            { box->OKButton->Left() + box->OKButton->Width() / 2, box->OKButton->Top() + 5 });
        H->Click(ok.X, ok.Y);
    });
    testing::internal::CaptureStderr();
    int code = App->Execute([&] { throw base::EFileError(text); });
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err, text + "\n");
    EXPECT_TRUE(H->ScriptDone()) << "the box ended before OK was clicked";
    EXPECT_EQ(win::FindWindow("Export tool"), nullptr) << "the box is gone after OK";
}

TEST_F(DialogsTest, HeadlessErrorsGoOnlyToStandardError)
{
    App->Initialize();
    EXPECT_FALSE(App->ErrorBox());
    testing::internal::CaptureStderr();
    EXPECT_EQ(App->Execute([] { throw base::EDatabaseError("bad statement"); }), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "bad statement\n");
}
