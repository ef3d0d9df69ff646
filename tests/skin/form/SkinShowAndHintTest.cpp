// Showing a skinned form (a size cycle, no menu bar of the form's own) and the hints of its
// objects in a hint window drawn from the skin, on the headless window system.
#include "SkinFormTestUtil.h"
#include "platform/toolkit/Menus.h"
#include "skin/form/SkinHint.h"

#include <memory>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::TRect;

namespace {

struct SkinShowTest : SkinFormTest {
    void SetUp() override
    {
        SkinFormTest::SetUp();
        App->CreateForm<tk::TForm>(); // the main form; the forms under test come after it
    }
    // Logs the client widths of WM_SIZE that reach the form's window.
    void LogSizes()
    {
        FLogProc = win::MakeObjectInstance([this](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
            if (m == win::WM_SIZE)
                Widths.push_back(win::LOWORD(uintptr_t(l)));
            return win::CallWindowProc(FPrevious, h, m, w, l);
        });
        FPrevious = reinterpret_cast<win::WNDPROC>(
            win::SetWindowLongPtr(Form->Handle(), win::GWLP_WNDPROC, win::LONG_PTR(FLogProc)));
    }
    void TearDown() override
    {
        if (FLogProc && win::IsWindow(Form->Handle()))
            win::SetWindowLongPtr(Form->Handle(), win::GWLP_WNDPROC, win::LONG_PTR(FPrevious));
        SkinFormTest::TearDown();
        if (FLogProc)
            win::FreeObjectInstance(FLogProc);
    }
    std::vector<int> Widths;

private:
    win::WNDPROC FLogProc = nullptr;
    win::WNDPROC FPrevious = nullptr;
};

TEST_F(SkinShowTest, ShowingRunsASizeCycleAndDropsTheFormsMenu)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->SetBounds(30, 30, 200, 135);
    auto* menu = new tk::TMainMenu(Form);
    Form->SetMenu(menu);
    LogSizes();
    int const client = Form->ClientWidth();
    Form->Show();
    EXPECT_EQ(Widths, (std::vector<int> { client - 1, client })) << "one pixel narrower and back";
    EXPECT_EQ(Form->Width(), 200);
    EXPECT_EQ(Form->Menu(), nullptr) << "the skinned frame shows MainMenu instead";
    EXPECT_EQ(Skinned->MainMenu(), menu) << "a form menu with no MainMenu is not lost";

    // Hiding runs no cycle; showing again runs one more.
    Widths.clear();
    Form->Hide();
    EXPECT_TRUE(Widths.empty());
    Form->Show();
    EXPECT_EQ(Widths.size(), 2u);
}

TEST_F(SkinShowTest, ClientModeShowsWithoutASizeCycle)
{
    Make(tk::bsNone, 152, 125);
    Attach();
    Skinned->SetSupportNCArea(false);
    Skinned->SetSkinData(Data.get());
    LogSizes();
    Form->Show();
    EXPECT_TRUE(Widths.empty());
}

struct SkinHintTest : SkinShowTest {
    void SetUp() override
    {
        SkinShowTest::SetUp();
        Make(tk::bsSizeable, 200, 135);
        Attach();
        Skinned->SetSkinData(Data.get());
        Form->SetBounds(40, 40, 200, 135);
        Hint.reset(new TspSkinHint(nullptr));
        Hint->SetSkinData(Data.get());
        Skinned->SetSkinHint(Hint.get());
        Skinned->ShowObjectHint = true;
        Form->Show();
        App->ProcessMessages();
    }
    void TearDown() override
    {
        Hint.reset();
        SkinShowTest::TearDown();
    }
    // Moves the mouse onto an object and lets the mouse timer see it.
    void Hover(std::string const& name)
    {
        TRect const r = Button(name)->ObjectRect;
        H->Move(40 + r.Left + 4, 40 + r.Top + 4);
        H->Sleep(60);
        H->RunScript();
    }
    tk::TComponentPtr<TspSkinHint> Hint;
};

TEST_F(SkinHintTest, EnteringAnObjectShowsItsHintFromTheSkin)
{
    ASSERT_TRUE(Button("closebutton") && Button("maximizebutton"));
    Hover("closebutton");
    ASSERT_TRUE(Hint->Visible());
    EXPECT_EQ(Hint->Text(), "Close");
    EXPECT_TRUE(Hint->Skinned());
    EXPECT_EQ(win::GetActiveWindow(), Form->Handle()) << "the hint never takes the activation";
    win::RECT r;
    win::GetWindowRect(Hint->Handle(), &r);
    win::POINT cursor;
    win::GetCursorPos(&cursor);
    EXPECT_EQ(r.Left, cursor.X);
    EXPECT_EQ(r.Top, cursor.Y + 20) << "below the pointer";
    // Drawn from the skin's hint picture: its corner pixels are the picture's.
    gfx::TBitmap const shown = win::CaptureWindow(Hint->Handle());
    gfx::TBitmap const& picture = *Data->ActivePictures[size_t(Data->HintWindow.WindowPictureIndex)];
    EXPECT_EQ(shown.Pixel(0, 0), picture.Pixel(0, 0));
    EXPECT_EQ(shown.Pixel(shown.Width() - 1, shown.Height() - 1),
        picture.Pixel(picture.Width() - 1, picture.Height() - 1));
    EXPECT_GT(shown.Width(), picture.Width()) << "widened for the text";

    // The next object's hint replaces it; leaving the objects hides it.
    Hover("maximizebutton");
    EXPECT_EQ(Hint->Text(), "Maximize");
    H->Move(40 + 100, 40 + 80);
    H->Sleep(60);
    H->RunScript();
    EXPECT_FALSE(Hint->Visible());

    // Moving the form hides it.
    Hover("closebutton");
    ASSERT_TRUE(Hint->Visible());
    Form->SetBounds(50, 40, 200, 135);
    EXPECT_FALSE(Hint->Visible());
}

TEST_F(SkinHintTest, NoHintWhenSwitchedOffInactiveOrWithoutAWindow)
{
    Skinned->ShowObjectHint = false;
    Hover("closebutton");
    EXPECT_FALSE(Hint->Visible());
    Hover("maximizebutton");

    // An inactive form lights nothing and shows no hint.
    Skinned->ShowObjectHint = true;
    tk::TForm* other = App->CreateForm<tk::TForm>();
    other->SetBounds(600, 400, 100, 100);
    other->Show();
    App->ProcessMessages();
    Hover("closebutton");
    EXPECT_FALSE(Hint->Visible());

    // The hint window going is noticed, and the objects go on lighting up without it.
    Hint.reset();
    EXPECT_EQ(Skinned->SkinHint(), nullptr);
    win::SetForegroundWindow(Form->Handle());
    App->ProcessMessages();
    Hover("maximizebutton");
    ASSERT_NE(Skinned->Object(Skinned->ActiveObject), nullptr);
    EXPECT_EQ(Skinned->Object(Skinned->ActiveObject)->IDName, "maximizebutton");
}

TEST_F(SkinHintTest, PlainLookWithoutASkinPicture)
{
    Hint->SetSkinData(nullptr);
    Hover("closebutton");
    ASSERT_TRUE(Hint->Visible());
    EXPECT_FALSE(Hint->Skinned());
    gfx::TBitmap const shown = win::CaptureWindow(Hint->Handle());
    gfx::TBitmap info(1, 1);
    info.Canvas().Brush.Color = base::clInfoBk;
    info.Canvas().FillRect(base::Rect(0, 0, 1, 1));
    EXPECT_EQ(shown.Pixel(1, 1), info.Pixel(0, 0));
    EXPECT_NE(shown.Pixel(0, 0), info.Pixel(0, 0)) << "a border";
}

} // namespace
