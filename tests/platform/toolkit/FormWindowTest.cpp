// A form's window: its background, its window state, its style and the cursor over it.
#include "platform/toolkit/Forms.h"
#include "tests/platform/toolkit/HeadlessFixture.h"

using namespace xe;
using namespace xe::tk;
using namespace xe::test;

namespace {

class FormWindowTest : public HeadlessTest { };

// A component that takes over the form's window procedure and paints the client
// background itself, as a skin does.
struct TBackgroundPainter {
    TForm* Form;
    TWndMethod Old;
    explicit TBackgroundPainter(TForm* form)
        : Form(form)
        , Old(form->WindowProc)
    {
        form->WindowProc = [this](TMessage& m) {
            if (m.Msg == win::WM_ERASEBKGND) {
                auto* dc = reinterpret_cast<gfx::TCanvas*>(m.WParam);
                dc->Brush.Color = base::RGB(200, 0, 0);
                dc->FillRect(Form->ClientRect());
                m.Result = 1;
                return;
            }
            Old(m);
        };
    }
    ~TBackgroundPainter() { Form->WindowProc = Old; }
};

TEST_F(FormWindowTest, FormFillsItsBackgroundOnlyWhenErasingWasNotAnswered)
{
    TForm* form = App->CreateForm<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 100, 80);
    form->SetColor(base::RGB(0, 0, 255));
    {
        TBackgroundPainter painter(form);
        form->Show();
        H->RunScript();
        EXPECT_EQ(win::GetWindowSurface(form->Handle())->Pixel(50, 40), base::RGB(200, 0, 0));
        // A repaint without erasing keeps the skin's background too.
        win::InvalidateRect(form->Handle(), nullptr, win::FALSE);
        H->RunScript();
        EXPECT_EQ(win::GetWindowSurface(form->Handle())->Pixel(50, 40), base::RGB(200, 0, 0));
    }
    form->Invalidate();
    H->RunScript();
    EXPECT_EQ(win::GetWindowSurface(form->Handle())->Pixel(50, 40), base::RGB(0, 0, 255));
}

TEST_F(FormWindowTest, WindowStateFormStyleAndCursorOverControls)
{
    TForm* form = App->CreateForm<TForm>();
    form->SetBounds(100, 100, 300, 200);
    form->SetWindowState(wsMaximized); // hidden: applies at show
    EXPECT_FALSE(win::IsZoomed(form->Handle()));
    form->Show();
    EXPECT_TRUE(win::IsZoomed(form->Handle()));
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->BoundsRect(), base::Rect(0, 0, 1024, 738)); // the work area
    form->SetWindowState(wsMinimized);
    EXPECT_TRUE(win::IsIconic(form->Handle()));
    form->SetWindowState(wsNormal);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_EQ(form->BoundsRect(), base::Bounds(100, 100, 300, 200));

    TForm* other = App->CreateForm<TForm>();
    other->SetFormStyle(fsStayOnTop);
    other->Show();
    form->Show();
    EXPECT_EQ(win::EnumWindows().front(), other->Handle());

    // The cursor of the control under the mouse, else the form's, else the frame's own.
    other->Hide();
    form->SetBorderStyle(bsNone);
    auto* control = new TGraphicControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 50, 50);
    control->SetCursor(crHandPoint);
    H->Move(form->Left() + 20, form->Top() + 20);
    H->RunScript();
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_HAND));
    H->Move(form->Left() + 100, form->Top() + 100);
    H->RunScript();
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_ARROW));
    form->SetCursor(crIBeam);
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_IBEAM)); // at once
}

} // namespace
