#include "tests/platform/toolkit/HeadlessFixture.h"

#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/Clipbrd.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/StdCtrls.h"

#include <string>
#include <vector>

using namespace xe::tk;
using namespace xe::test;
using xe::base::RGB;

namespace {

// A graphic control that fills itself with one colour and logs what happens to it.
class TProbe : public TGraphicControl {
public:
    TProbe(TComponent* owner, std::string tag, TColor fill, std::vector<std::string>& log)
        : TGraphicControl(owner)
        , Tag(std::move(tag))
        , Fill(fill)
        , Log(log)
    {
        FControlStyle |= csOpaque;
        OnClick = [this](TComponent*) { Log.push_back(Tag + " click"); };
        OnMouseDown = [this](TComponent*, TMouseButton b, TShiftState, int x, int y) {
            Log.push_back(
                Tag + " down " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        OnMouseUp = [this](TComponent*, TMouseButton b, TShiftState, int x, int y) {
            Log.push_back(Tag + " up " + std::to_string(int(b)) + " " + std::to_string(x) + ","
                + std::to_string(y) + (MouseCapture() ? " captured" : ""));
        };
        OnMouseEnter = [this](TComponent*) { Log.push_back(Tag + " enter"); };
        OnMouseLeave = [this](TComponent*) { Log.push_back(Tag + " leave"); };
    }
    void Paint() override
    {
        ++Paints;
        Canvas().Brush.Color = Fill;
        Canvas().FillRect(ClientRect());
    }
    std::string Tag;
    TColor Fill;
    int Paints = 0;
    std::vector<std::string>& Log;
};

class TPlainForm : public TForm {
public:
    using TForm::TForm;
};

struct ControlsTest : HeadlessTest {
    TPlainForm* MakeForm()
    {
        auto* form = App->CreateForm<TPlainForm>();
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 50, 200, 100);
        return form;
    }
    xe::gfx::TBitmap Shot(TForm* form) { return xe::win::CaptureWindow(form->Handle()); }
};

} // namespace

TEST_F(ControlsTest, GraphicControlsPaintInZOrderOnTheFormSurface)
{
    std::vector<std::string> log;
    auto* form = MakeForm();
    auto* bottom = new TProbe(form, "bottom", xe::base::clRed, log);
    bottom->SetParent(form);
    bottom->SetBounds(10, 10, 50, 40);
    auto* top = new TProbe(form, "top", xe::base::clBlue, log);
    top->SetParent(form);
    top->SetBounds(40, 20, 50, 40);
    form->Show();
    App->ProcessMessages();

    auto shot = Shot(form);
    EXPECT_EQ(shot.Pixel(15, 15), xe::base::clRed);
    EXPECT_EQ(shot.Pixel(45, 25), xe::base::clBlue); // the overlap shows the later control
    EXPECT_EQ(shot.Pixel(85, 55), xe::base::clBlue);
    EXPECT_EQ(shot.Pixel(150, 90), xe::base::ColorToRGB(xe::base::clBtnFace)); // form colour

    bottom->BringToFront();
    App->ProcessMessages();
    shot = Shot(form);
    EXPECT_EQ(shot.Pixel(45, 25), xe::base::clRed);

    // An invisible control leaves the background.
    bottom->Hide();
    App->ProcessMessages();
    shot = Shot(form);
    EXPECT_EQ(shot.Pixel(15, 15), xe::base::ColorToRGB(xe::base::clBtnFace));
    EXPECT_EQ(shot.Pixel(45, 25), xe::base::clBlue);
}

TEST_F(ControlsTest, RepaintOfAnOpaqueControlDrawsAtOnceWithoutTheQueue)
{
    std::vector<std::string> log;
    auto* form = MakeForm();
    auto* probe = new TProbe(form, "p", xe::base::clRed, log);
    probe->SetParent(form);
    probe->SetBounds(10, 10, 20, 20);
    form->Show();
    App->ProcessMessages();
    probe->Fill = xe::base::clLime;
    probe->Repaint(); // no message pumping after this
    EXPECT_EQ(Shot(form).Pixel(15, 15), xe::base::clLime);
}

TEST_F(ControlsTest, PressAndReleaseInsideClicksBeforeTheReleaseNotification)
{
    std::vector<std::string> log;
    auto* form = MakeForm();
    auto* probe = new TProbe(form, "p", xe::base::clRed, log);
    probe->SetParent(form);
    probe->SetBounds(10, 10, 50, 40);
    form->Show();
    App->ProcessMessages();
    auto p = At(*form, 20, 25);
    H->Move(p.X, p.Y);
    H->Press(p.X, p.Y);
    H->Release(p.X, p.Y);
    App->ProcessMessages();
    // Control coordinates; the capture is gone before the click and the release.
    EXPECT_EQ(log, (std::vector<std::string> { "p enter", "p down 0 10,15", "p click", "p up 0 10,15" }));
}

TEST_F(ControlsTest, ReleaseOutsideDoesNotClickButTheCaptureKeepsTheMouse)
{
    std::vector<std::string> log;
    auto* form = MakeForm();
    auto* probe = new TProbe(form, "p", xe::base::clRed, log);
    probe->SetParent(form);
    probe->SetBounds(10, 10, 50, 40);
    int moves = 0;
    probe->OnMouseMove = [&](TComponent*, TShiftState, int, int) { ++moves; };
    form->Show();
    App->ProcessMessages();
    auto p = At(*form, 20, 25);
    auto outside = At(*form, 300, 300); // beyond the form itself
    H->Move(p.X, p.Y);
    H->Press(p.X, p.Y);
    App->ProcessMessages();
    EXPECT_TRUE(probe->MouseCapture());
    int before = moves;
    H->Move(outside.X, outside.Y);
    H->Release(outside.X, outside.Y);
    App->ProcessMessages();
    EXPECT_GT(moves, before); // moves outside the form still reach the control
    EXPECT_FALSE(probe->MouseCapture());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "p up 0 290,290");
    EXPECT_EQ(std::count(log.begin(), log.end(), "p click"), 0);
    EXPECT_NE(std::find(log.begin(), log.end(), "p leave"), log.end());
}

TEST_F(ControlsTest, RightButtonPressesDoNotClickAndDisabledControlsGetNoPress)
{
    std::vector<std::string> log;
    auto* form = MakeForm();
    auto* probe = new TProbe(form, "p", xe::base::clRed, log);
    probe->SetParent(form);
    probe->SetBounds(10, 10, 50, 40);
    form->Show();
    App->ProcessMessages();
    auto p = At(*form, 20, 25);
    H->Click(p.X, p.Y, xe::win::mbRight);
    App->ProcessMessages();
    EXPECT_NE(std::find(log.begin(), log.end(), "p down 1 10,15"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "p up 1 10,15"), log.end());
    EXPECT_EQ(std::count(log.begin(), log.end(), "p click"), 0);
    log.clear();
    H->Click(p.X, p.Y, xe::win::mbMiddle);
    App->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string> { "p down 2 10,15", "p up 2 10,15" }));

    log.clear();
    probe->SetEnabled(false);
    H->Click(p.X, p.Y);
    App->ProcessMessages();
    for (auto& line : log)
        EXPECT_EQ(line.find(" down"), std::string::npos) << line;
}

TEST_F(ControlsTest, EnterAndLeaveFollowThePointerAcrossOverlappingControls)
{
    std::vector<std::string> log;
    auto* form = MakeForm();
    auto* a = new TProbe(form, "a", xe::base::clRed, log);
    a->SetParent(form);
    a->SetBounds(10, 10, 30, 30);
    auto* b = new TProbe(form, "b", xe::base::clBlue, log);
    b->SetParent(form);
    b->SetBounds(30, 10, 30, 30);
    form->Show();
    App->ProcessMessages();
    for (int x : { 15, 35, 100 }) {
        auto p = At(*form, x, 20);
        H->Move(p.X, p.Y);
    }
    App->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string> { "a enter", "a leave", "b enter", "b leave" }));
}

TEST_F(ControlsTest, ParentFontAndColourFollowTheFormUntilSetOnTheControl)
{
    auto* form = MakeForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    form->Font().SetName("Arial");
    EXPECT_EQ(label->Font().Name(), "Arial");
    EXPECT_TRUE(label->ParentFont());
    label->Font().SetColor(xe::base::clWhite);
    EXPECT_FALSE(label->ParentFont());
    form->Font().SetName("Tahoma");
    EXPECT_EQ(label->Font().Name(), "Arial");

    form->SetColor(xe::base::clRed);
    EXPECT_EQ(label->Color(), xe::base::clRed);
    label->SetColor(xe::base::clBlue);
    form->SetColor(xe::base::clLime);
    EXPECT_EQ(label->Color(), xe::base::clBlue);
}

TEST_F(ControlsTest, ImageAutoSizesAndKeepsItsPictureBytesUntilChanged)
{
    auto* form = MakeForm();
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetAutoSize(true);
    xe::gfx::TBitmap bmp(7, 5);
    bmp.Fill(RGB(1, 2, 3));
    std::string bytes = bmp.SaveToBytes();
    image->Picture().LoadFromData({ bytes, "pictures/x.bmp" });
    EXPECT_EQ(image->Width(), 7);
    EXPECT_EQ(image->Height(), 5);
    EXPECT_EQ(image->Picture().Data().Resource, "pictures/x.bmp");
    EXPECT_EQ(image->Picture().Data().Bytes, bytes);
    xe::gfx::TBitmap other(3, 2);
    image->Picture().Assign(other);
    EXPECT_EQ(image->Width(), 3);
    EXPECT_TRUE(image->Picture().Data().Resource.empty());
    EXPECT_EQ(image->Picture().Data().Bytes, other.SaveToBytes());
}

TEST_F(ControlsTest, AutoSizeLabelTakesItsTextSizeAndAFixedOneKeepsItsBounds)
{
    auto* form = MakeForm();
    auto* fixed = new TLabel(form);
    fixed->SetParent(form);
    fixed->SetAutoSize(false);
    fixed->SetBounds(5, 5, 40, 13);
    fixed->SetCaption("a much longer caption than forty pixels");
    EXPECT_EQ(fixed->Width(), 40);
    auto* autoLabel = new TLabel(form);
    autoLabel->SetParent(form);
    autoLabel->SetCaption("ab");
    int narrow = autoLabel->Width();
    autoLabel->SetCaption("abcdefgh");
    EXPECT_GT(autoLabel->Width(), narrow);
    EXPECT_GT(autoLabel->Height(), 5);
}

TEST_F(ControlsTest, LabelsAndButtonsMadeTransparentShowTheFormBelowAtOnce)
{
    auto* form = MakeForm();
    form->SetColor(xe::base::clTeal);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 20);
    label->SetColor(xe::base::clRed);
    auto* button = new TSpeedButton(form);
    EXPECT_FALSE(button->ControlStyle() & csOpaque);
    button->SetTransparent(false);
    EXPECT_TRUE(button->ControlStyle() & csOpaque);
    form->Show();
    App->ProcessMessages();
    EXPECT_TRUE(label->ControlStyle() & csOpaque);
    EXPECT_EQ(Shot(form).Pixel(30, 15), RGB(255, 0, 0));
    label->SetTransparent(true);
    App->ProcessMessages();
    EXPECT_FALSE(label->ControlStyle() & csOpaque);
    EXPECT_EQ(Shot(form).Pixel(30, 15), xe::base::ColorToRGB(xe::base::clTeal));
}

TEST_F(ControlsTest, SpeedButtonShowsItsPressedLookWhilePressedInside)
{
    auto* form = MakeForm();
    auto* button = new TSpeedButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 71, 23);
    button->SetCaption("OK");
    int clicks = 0;
    button->OnClick = [&](TComponent*) { ++clicks; };
    form->Show();
    App->ProcessMessages();
    auto inside = At(*form, 20, 20);
    auto outside = At(*form, 150, 80);
    H->Move(inside.X, inside.Y);
    H->Press(inside.X, inside.Y);
    App->ProcessMessages();
    EXPECT_EQ(button->State(), bsDown);
    // The pressed look: the top-left edge turns to the shadow colour.
    EXPECT_EQ(Shot(form).Pixel(10, 10), xe::base::ColorToRGB(xe::base::clBtnShadow));
    H->Move(outside.X, outside.Y);
    App->ProcessMessages();
    EXPECT_EQ(button->State(), bsUp);
    H->Move(inside.X, inside.Y);
    H->Release(inside.X, inside.Y);
    App->ProcessMessages();
    EXPECT_EQ(button->State(), bsUp);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, ChangingTheFormColourRepaintsItsBackground)
{
    auto* form = MakeForm();
    form->Show();
    App->ProcessMessages();
    EXPECT_EQ(Shot(form).Pixel(150, 90), xe::base::ColorToRGB(xe::base::clBtnFace));
    form->SetColor(xe::base::clTeal);
    App->ProcessMessages();
    EXPECT_EQ(Shot(form).Pixel(150, 90), xe::base::clTeal);
}

// Text goes to the backend's clipboard and comes back byte for byte (GBK bytes included, as
// the toolkit's text is in the ANSI code page); the window system's functions see the same
// text, and emptying it leaves no text.
TEST_F(ControlsTest, ClipboardTextGoesThroughTheBackend)
{
    EXPECT_TRUE(Clipboard().Available());
    EXPECT_FALSE(Clipboard().HasText());
    std::string const text = "abc \xCA\xFD\xBE\xDD\r\nnext";
    Clipboard().SetAsText(text);
    EXPECT_TRUE(Clipboard().HasText());
    EXPECT_EQ(Clipboard().AsText(), text);
    EXPECT_EQ(H->ClipboardText(), text);
    EXPECT_TRUE(xe::win::SetClipboardText("from the window system"));
    EXPECT_EQ(Clipboard().AsText(), "from the window system");
    Clipboard().Clear();
    EXPECT_FALSE(Clipboard().HasText());
    EXPECT_EQ(Clipboard().AsText(), "");
}

TEST_F(ControlsTest, WithoutABackendClipboardNothingIsKept)
{
    H->SetHasClipboard(false);
    EXPECT_FALSE(Clipboard().Available());
    EXPECT_FALSE(xe::win::SetClipboardText("lost"));
    Clipboard().SetAsText("lost");
    EXPECT_FALSE(Clipboard().HasText());
    EXPECT_EQ(xe::win::GetClipboardText(), "");
    H->SetHasClipboard(true);
    EXPECT_EQ(Clipboard().AsText(), "");
}

TEST(Clipboard, WithoutAWindowSystemNothingIsKept)
{
    EXPECT_FALSE(Clipboard().Available());
    Clipboard().SetAsText("lost");
    EXPECT_EQ(Clipboard().AsText(), "");
}
