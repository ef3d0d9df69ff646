#include "chrome/Gauge.h"
#include "chrome/ImageBtn.h"
#include "chrome/ImageTitle.h"
#include "tests/platform/toolkit/HeadlessFixture.h"

#include <string>
#include <vector>

using namespace xe;
using base::TColor;
using chrome::TImageBtn;
using chrome::TImageTitle;

namespace {

constexpr TColor UpColor = base::RGB(200, 0, 0);
constexpr TColor OverColor = base::RGB(0, 200, 0);
constexpr TColor DownColor = base::RGB(0, 0, 200);
constexpr TColor FaceColor = base::RGB(50, 50, 50);

gfx::TBitmap Filled(int w, int h, TColor color)
{
    gfx::TBitmap bitmap(w, h);
    bitmap.Fill(color);
    return bitmap;
}

class TPlainForm : public tk::TForm {
public:
    using tk::TForm::TForm;
};

struct ChromeTest : test::HeadlessTest {
    TPlainForm* Form = nullptr;

    void MakeForm()
    {
        Form = App->CreateForm<TPlainForm>();
        Form->SetBorderStyle(tk::bsNone);
        Form->SetBounds(100, 50, 200, 100);
        Form->SetColor(FaceColor);
    }
    // Colour of the shown picture (its top-left pixel), or "empty".
    static std::string Shown(TImageBtn const& button)
    {
        auto const& bitmap = button.Picture().Bitmap();
        if (bitmap.Empty())
            return "empty";
        TColor c = bitmap.Pixel(0, 0);
        return c == UpColor ? "up" : c == OverColor ? "over" : c == DownColor ? "down" : "other";
    }
    gfx::TBitmap Shot() { return win::CaptureWindow(Form->Handle()); }
};

struct ImageBtnTest : ChromeTest {
    TImageBtn* Button = nullptr;
    std::vector<std::string> Log;

    void SetUp() override
    {
        ChromeTest::SetUp();
        MakeForm();
        Button = new TImageBtn(Form);
        Button->SetParent(Form);
        Button->SetBounds(20, 10, 19, 20);
        Button->SetAutoSize(true);
        Button->SetPicture(Filled(19, 20, UpColor));
        Button->SetMouseUpImage(Filled(19, 20, UpColor));
        Button->SetMouseOverImage(Filled(19, 20, OverColor));
        Button->SetMouseDownImage(Filled(19, 20, DownColor));
        Button->OnClick = [this](tk::TComponent*) { Log.push_back("click while " + Shown(*Button)); };
        Form->Show();
        App->ProcessMessages();
    }
    // Where the button's client point (x, y) lies on the screen.
    base::TPoint At(int x, int y) const { return Form->ClientToScreen({ 20 + x, 10 + y }); }
};

} // namespace

TEST_F(ImageBtnTest, EnterPressClickReleaseLeave)
{
    std::vector<std::string> states;
    auto record = [&] { states.push_back(Shown(*Button)); };
    H->Move(At(5, 5).X, At(5, 5).Y);
    H->Do(record);
    H->Press(At(5, 5).X, At(5, 5).Y);
    H->Do(record);
    H->Release(At(5, 5).X, At(5, 5).Y);
    H->Do(record);
    H->Move(At(6, 6).X, At(6, 6).Y);
    H->Do(record);
    H->Move(At(60, 60).X, At(60, 60).Y);
    H->Do(record);
    H->Move(At(5, 5).X, At(5, 5).Y);
    H->Do(record);
    H->RunScript();
    // After a release over the button the normal image shows, not the hover image; the
    // hover image comes back only after leaving and entering again.
    EXPECT_EQ(states, (std::vector<std::string> { "over", "down", "up", "up", "up", "over" }));
    EXPECT_EQ(Log, (std::vector<std::string> { "click while down" }));
    // The window's surface shows the hover picture now.
    EXPECT_EQ(Shot().Pixel(25, 15), OverColor);
}

TEST_F(ImageBtnTest, RightPressShowsPressedWithoutClick)
{
    std::string duringPress;
    H->Move(At(5, 5).X, At(5, 5).Y);
    H->Press(At(5, 5).X, At(5, 5).Y, win::mbRight);
    H->Do([&] { duringPress = Shown(*Button); });
    H->Release(At(5, 5).X, At(5, 5).Y, win::mbRight);
    H->RunScript();
    EXPECT_EQ(duringPress, "down");
    EXPECT_EQ(Shown(*Button), "up");
    EXPECT_TRUE(Log.empty());
}

TEST_F(ImageBtnTest, DisabledKeepsItsPictureAndDoesNothing)
{
    H->Move(At(5, 5).X, At(5, 5).Y);
    H->RunScript();
    ASSERT_EQ(Shown(*Button), "over");
    Button->SetEnabled(false);
    H->Press(At(5, 5).X, At(5, 5).Y);
    H->Release(At(5, 5).X, At(5, 5).Y);
    H->Move(At(60, 60).X, At(60, 60).Y);
    H->RunScript();
    EXPECT_EQ(Shown(*Button), "over");
    EXPECT_TRUE(Log.empty());
}

TEST_F(ImageBtnTest, UnassignedImagesShowEmptyAndSettersCopy)
{
    auto* bare = new TImageBtn(Form);
    bare->SetParent(Form);
    bare->SetBounds(100, 10, 19, 20);
    gfx::TBitmap mine = Filled(19, 20, UpColor);
    bare->SetPicture(mine);
    bare->SetMouseUpImage(mine);
    mine.Fill(DownColor);
    EXPECT_EQ(bare->MouseUpImage().Pixel(0, 0), UpColor) << "the button keeps its own copy";

    std::string onEnter;
    base::TPoint p = Form->ClientToScreen({ 105, 15 });
    H->Move(p.X, p.Y);
    H->Do([&] { onEnter = Shown(*bare); });
    H->Move(p.X + 100, p.Y + 100);
    H->RunScript();
    EXPECT_EQ(onEnter, "empty");
    EXPECT_EQ(Shown(*bare), "up");
}

namespace {

struct ImageTitleTest : ChromeTest {
    TImageTitle* Title = nullptr;

    void SetUp() override
    {
        ChromeTest::SetUp();
        MakeForm();
        Title = new TImageTitle(Form);
        Title->SetParent(Form);
        Title->SetBounds(1, 0, 150, 30);
        Title->SetPicture(Filled(150, 30, UpColor));
        Form->Show();
        App->ProcessMessages();
    }
};

} // namespace

TEST_F(ImageTitleTest, DragMovesTheWindowWithTheOnePixelJump)
{
    // Press on the image's own point (10, 5): screen (111, 55).
    H->Press(111, 55);
    H->Move(115, 60);
    H->Do([&] {
        // The pointer sits at (10, 5) from the window's corner: the window moved by (4, 5)
        // plus the image's offset of one pixel.
        EXPECT_EQ(Form->Left(), 105);
        EXPECT_EQ(Form->Top(), 55);
    });
    H->Move(135, 80);
    H->Release(135, 80);
    H->RunScript();
    EXPECT_EQ(Form->Left(), 125);
    EXPECT_EQ(Form->Top(), 75);
    EXPECT_FALSE(Title->Dragging());
}

TEST_F(ImageTitleTest, NoMoveWithoutPress)
{
    H->Move(111, 55);
    H->Move(140, 70);
    H->Move(20, 20);
    H->RunScript();
    EXPECT_EQ(Form->Left(), 100);
    EXPECT_EQ(Form->Top(), 50);
}

TEST_F(ImageTitleTest, ReleaseOutsideEndsTheDrag)
{
    H->Press(111, 55);
    // Far outside the image and the window: the capture keeps the moves coming.
    H->Move(500, 400);
    H->Release(500, 400);
    H->Move(600, 450);
    H->RunScript();
    EXPECT_FALSE(Title->Dragging());
    EXPECT_EQ(Form->Left(), 490);
    EXPECT_EQ(Form->Top(), 395);
    EXPECT_FALSE(H->MouseCaptured());
}

TEST_F(ChromeTest, GaugeRepaintsAtOnceOnlyOnPercentChange)
{
    MakeForm();
    auto* gauge = new chrome::TGauge(Form);
    gauge->SetParent(Form);
    gauge->SetBounds(25, 30, 101, 22);
    gauge->SetShowText(false);
    gauge->SetForeColor(DownColor);
    gauge->SetMaxValue(1000);
    Form->Show();
    App->ProcessMessages();

    // Scribble over the gauge and its surroundings on the window's surface.
    constexpr TColor Scribble = base::RGB(1, 99, 1);
    auto scribble = [&] {
        gfx::TCanvas* dc = win::GetDC(Form->Handle());
        dc->Brush.Color = Scribble;
        dc->FillRect(base::Rect(0, 0, 200, 100));
        win::ReleaseDC(Form->Handle(), dc);
    };
    scribble();
    gauge->SetProgress(9); // still 0 %
    EXPECT_EQ(Shot().Pixel(30, 40), Scribble) << "no repaint without a percentage change";
    gauge->SetProgress(500); // 50 %, drawn at once without a message loop
    gfx::TBitmap shot = Shot();
    EXPECT_EQ(shot.Pixel(26, 40), DownColor);
    int const fill = chrome::ScaleToLength(50, 100);
    EXPECT_EQ(shot.Pixel(25 + fill - 1, 40), DownColor);
    EXPECT_EQ(shot.Pixel(25 + fill, 40), base::clWhite);
    EXPECT_EQ(shot.Pixel(25 + 99, 40), base::clWhite);
    EXPECT_EQ(shot.Pixel(25, 30), base::clBlack) << "border";
    EXPECT_EQ(shot.Pixel(24, 40), Scribble) << "nothing outside the gauge is drawn";
    EXPECT_EQ(shot.Pixel(126, 40), Scribble);
    EXPECT_EQ(shot.Pixel(50, 29), Scribble);
}
