// The skinned form on skins of other layouts than the dialog's: buttons from the left, a
// buttons rectangle on either side, objects anchored to the right and bottom, a mask that
// cuts the corners. Positions are checked to the pixel, since a rule off by one still draws
// a plausible frame.
#include "LayoutSkinFixture.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Region.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/draw/LabelObjects.h"
#include "skin/draw/ValueSwitchAnimationObjects.h"
#include "skin/form/TrayIcon.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TRect;

namespace {

using LayoutSkinForm = LayoutSkinTest;

// The caption buttons' sheet has 16 x 16 cells.
TRect Cell(int left, int top) { return Rect(left, top, left + 16, top + 16); }

} // namespace

// A buttons rectangle in the right half of the picture moves with the right edge; one in the
// left half stays where the picture has it. Buttons run from the rectangle's right end,
// buttonsoffset apart.
TEST_F(LayoutSkinForm, ButtonsRectangleMovesOnlyWhenItLiesInTheRightHalf)
{
    Open("buttonsrect", 300, 180);
    // buttonsrect 120,6,196,22 on a 200-wide picture: 100 to the right on a 300-wide form.
    EXPECT_EQ(Skinned->NewButtonsRect, Rect(220, 6, 296, 22));
    EXPECT_EQ(RectOf("closebutton"), Cell(280, 6));
    EXPECT_EQ(RectOf("maximizebutton"), Cell(262, 6));
    EXPECT_EQ(RectOf("minimizebutton"), Cell(244, 6));
    EXPECT_EQ(RectOf("rollupbutton"), Cell(226, 6));
    // The system-menu button stays at the caption's left, centred in its height.
    EXPECT_EQ(RectOf("sysmenubutton"), Cell(4, 7));
    EXPECT_EQ(RectOf("caption"), Rect(20, 4, 118, 26)) << "from the system-menu button on";

    App.reset();
    App = std::make_unique<tk::TApplication>();
    Open("leftrect", 300, 180);
    EXPECT_EQ(Skinned->NewButtonsRect, Rect(4, 6, 80, 22));
    EXPECT_EQ(RectOf("closebutton"), Cell(64, 6));
    EXPECT_EQ(RectOf("maximizebutton"), Cell(47, 6));
    EXPECT_EQ(RectOf("minimizebutton"), Cell(30, 6));
    EXPECT_EQ(RectOf("rollupbutton"), Cell(13, 6));
}

// From the left: close, maximise, minimise, roll-up, tray, then the system-menu button in the
// same row, each buttonsoffset (3) after the one before; the caption starts one offset after
// the last button's gap.
TEST_F(LayoutSkinForm, ButtonsInLeftRunFromTheCaptionsLeftEdge)
{
    Open("leftbuttons", 300, 180);
    EXPECT_EQ(RectOf("closebutton"), Cell(4, 4));
    EXPECT_EQ(RectOf("maximizebutton"), Cell(23, 4));
    EXPECT_EQ(RectOf("minimizebutton"), Cell(42, 4));
    EXPECT_EQ(RectOf("rollupbutton"), Cell(61, 4));
    EXPECT_EQ(RectOf("traybutton"), Cell(80, 4));
    EXPECT_EQ(RectOf("sysmenubutton"), Cell(99, 4));
    EXPECT_EQ(RectOf("caption"), Rect(121, 4, 296, 26));

    // Without the tray icon the buttons after it close up.
    Skinned->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    App->ProcessMessages();
    EXPECT_EQ(RectOf("sysmenubutton"), Cell(80, 4));
    EXPECT_EQ(RectOf("caption"), Rect(102, 4, 296, 26));
}

// Objects keep their place relative to the corner they lie in; one that runs from the
// top-right corner down into the bottom-right one moves right and grows with the height.
TEST_F(LayoutSkinForm, ObjectsFollowTheCornersTheyLieIn)
{
    Open("buttonsrect", 320, 190); // dx 120, dy 60
    EXPECT_EQ(RectOf("rightband"), Rect(306, 20, 316, 170));
    EXPECT_EQ(RectOf("status"), Rect(250, 164, 316, 184));
    Form->SetBounds(Left, Top, 200, 130);
    App->ProcessMessages();
    EXPECT_EQ(RectOf("rightband"), Rect(186, 20, 196, 110)) << "back at the picture's size";

    App.reset();
    App = std::make_unique<tk::TApplication>();
    Open("leftbuttons", 260, 170);
    EXPECT_EQ(RectOf("vtrack"), Rect(4, 140, 16, 168)) << "bottom-left: down by dy only";
}

// The sizing corners end on the mapped hit-test points, those points included: here the
// mask's fix-up takes them from the corner points (20,30), (180,30), (20,100), (120,100).
TEST_F(LayoutSkinForm, SizingCornersIncludeTheirEdgePixels)
{
    Open("buttonsrect", 300, 180); // RT (280,30), LB (20,150), RB (220,150)
    EXPECT_EQ(Skinned->NewHitTestRTPoint, (base::TPoint { 280, 30 }));
    struct TCase {
        int X, Y, Code;
    } const cases[] = {
        { 280, 1, win::HTTOPRIGHT }, // the corner's left column
        { 279, 1, win::HTTOP },
        { 298, 30, win::HTTOPRIGHT }, // the corner's bottom row
        { 298, 31, win::HTRIGHT },
        { 20, 1, win::HTTOPLEFT },
        { 21, 1, win::HTTOP },
        { 1, 30, win::HTTOPLEFT },
        { 1, 31, win::HTLEFT },
        { 20, 178, win::HTBOTTOMLEFT },
        { 21, 178, win::HTBOTTOM },
        { 1, 150, win::HTBOTTOMLEFT },
        { 1, 149, win::HTLEFT },
        { 220, 178, win::HTBOTTOMRIGHT },
        { 219, 178, win::HTBOTTOM },
        { 298, 150, win::HTBOTTOMRIGHT },
        { 298, 149, win::HTRIGHT },
    };
    for (TCase const& c : cases)
        EXPECT_EQ(Skinned->SkinHitTest({ c.X, c.Y }), c.Code) << c.X << "," << c.Y;
    // The mask cuts the top-left corner: (0,0) is outside the shape, on the border.
    EXPECT_EQ(Skinned->SkinHitTest({ 0, 0 }), win::HTTOPLEFT);
    EXPECT_EQ(Skinned->SkinHitTest({ 100, 60 }), win::HTCLIENT);
}

// The built-in frame's borders: three pixels on the left and top (0..2), two on the right and
// bottom (W-2, W-1).
TEST_F(LayoutSkinForm, BuiltInFrameBordersHaveTheirWidths)
{
    Form = App->CreateForm<tk::TForm>();
    Form->SetBorderStyle(tk::bsSizeable);
    Form->SetBounds(Left, Top, 200, 150);
    Skinned = new TspSkinnedForm(Form);
    Form->Show();
    App->ProcessMessages();
    ASSERT_FALSE(Skinned->SkinSupport());
    struct TCase {
        int X, Y, Code;
    } const cases[] = {
        { 2, 80, win::HTLEFT },
        { 3, 80, win::HTCLIENT },
        { 198, 80, win::HTRIGHT },
        { 197, 80, win::HTOBJECT }, // the frame between the border and the client area
        { 196, 80, win::HTCLIENT },
        { 100, 2, win::HTTOP },
        { 100, 3, win::HTCAPTION },
        { 100, 148, win::HTBOTTOM },
        { 100, 147, win::HTOBJECT },
        { 100, 146, win::HTCLIENT },
        { 2, 2, win::HTTOPLEFT },
        { 198, 2, win::HTTOPRIGHT },
        { 197, 2, win::HTTOP },
        { 2, 148, win::HTBOTTOMLEFT },
        { 198, 148, win::HTBOTTOMRIGHT },
    };
    for (TCase const& c : cases)
        EXPECT_EQ(Skinned->DefaultHitTest({ c.X, c.Y }), c.Code) << c.X << "," << c.Y;
}

// A caption double click maximises only a form that has the maximise icon; without it the
// form rolls up instead.
TEST_F(LayoutSkinForm, CaptionDoubleClickMaximisesOnlyWithTheMaximiseIcon)
{
    Open("leftbuttons", 300, 180, biSystemMenu | biMinimize | biRollUp);
    auto doubleClick = [&] {
        win::SendMessage(
            Form->Handle(), win::WM_NCLBUTTONDBLCLK, win::HTCAPTION, win::MAKELPARAM(Left + 200, Top + 12));
        App->ProcessMessages();
    };
    ASSERT_EQ(HitTest(200, 12), win::HTCAPTION);
    doubleClick();
    EXPECT_EQ(Skinned->WindowState, wsNormal);
    EXPECT_TRUE(Skinned->RollUpState());
    doubleClick();
    EXPECT_FALSE(Skinned->RollUpState());

    Skinned->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    doubleClick();
    EXPECT_EQ(Skinned->WindowState, wsMaximized);
    EXPECT_FALSE(Skinned->RollUpState());
}

// ClientWidth and ClientHeight are applied after every skin change, also the first.
TEST_F(LayoutSkinForm, ClientSizeIsAppliedOnEverySkinChange)
{
    Data = LoadLayoutSkin("leftbuttons");
    auto other = LoadLayoutSkin("buttonsrect");
    Form = App->CreateForm<tk::TForm>();
    Form->SetBorderStyle(tk::bsSizeable);
    Form->SetBounds(Left, Top, 300, 200);
    Skinned = new TspSkinnedForm(Form);
    Skinned->ClientWidth = 250;
    Skinned->ClientHeight = 120;
    Skinned->SetSkinData(Data.get());
    Form->Show();
    App->ProcessMessages();
    EXPECT_EQ(Form->ClientWidth(), 250);
    EXPECT_EQ(Form->ClientHeight(), 120);
    EXPECT_EQ(Form->Width(), 258) << "the client rectangle is 8 narrower than the picture";
    Form->SetBounds(Left, Top, 400, 300);
    Skinned->SetSkinData(other.get());
    App->ProcessMessages();
    EXPECT_EQ(Form->ClientWidth(), 250);
    EXPECT_EQ(Form->ClientHeight(), 120);
    Skinned->SetSkinData(nullptr);
    other.reset();
}

// Minimise, maximise, roll-up and tray buttons act on a release over them, and only there:
// a press, a move off the button and a release elsewhere leave the form as it was.
TEST_F(LayoutSkinForm, CaptionButtonsActOnlyOnAReleaseOverThem)
{
    Open("leftbuttons", 300, 180);
    H->SetTrayAvailable(true);
    Skinned->SetTrayIcon(new TspTrayIcon(Form));
    int toTray = 0;
    Skinned->OnMinimizeToTray = [&](tk::TComponent*) { ++toTray; };
    auto pressAndRelease = [&](std::string const& name, bool inside) {
        TRect const r = RectOf(name);
        int const x = Left + r.Left + 8, y = Top + r.Top + 8;
        H->Move(x, y);
        H->Sleep(60);
        H->Press(x, y);
        H->Sleep(30);
        if (!inside) {
            H->Move(Left + 200, Top + 100);
            H->Sleep(60);
            H->Release(Left + 200, Top + 100);
        } else {
            H->Release(x, y);
        }
        H->Sleep(60);
        H->RunScript();
        App->ProcessMessages();
    };
    auto unchanged = [&](std::string const& name) {
        EXPECT_EQ(Skinned->WindowState, wsNormal) << name;
        EXPECT_FALSE(Skinned->RollUpState()) << name;
        EXPECT_TRUE(Form->Visible()) << name;
        EXPECT_EQ(toTray, 0) << name;
        EXPECT_EQ(Form->BoundsRect(), Rect(Left, Top, Left + 300, Top + 180)) << name;
    };
    for (std::string name : { "minimizebutton", "maximizebutton", "rollupbutton", "traybutton" }) {
        pressAndRelease(name, false);
        unchanged(name);
        EXPECT_EQ(Skinned->MouseCaptureObject, -1) << name;
    }
    // The same gestures ending over the buttons do act.
    pressAndRelease("maximizebutton", true);
    EXPECT_EQ(Skinned->WindowState, wsMaximized);
    Skinned->ChangeWindowState(wsNormal);
    App->ProcessMessages();
    pressAndRelease("rollupbutton", true);
    EXPECT_TRUE(Skinned->RollUpState());
    Skinned->SetRollUpState(false);
    App->ProcessMessages();
    pressAndRelease("minimizebutton", true);
    EXPECT_EQ(Skinned->WindowState, wsMinimized);
    Skinned->ChangeWindowState(wsNormal);
    App->ProcessMessages();
    pressAndRelease("traybutton", true);
    EXPECT_EQ(toTray, 1);
    EXPECT_EQ(H->TrayIconCount(), 1);
}

namespace {

// Where a text drawn at (x, y) with a font, and its shadow at (x + 1, y + 1) when asked,
// leaves ink on a picture: compared with the picture without it.
TRect InkOf(gfx::TBitmap const& background, int x, int y, std::string const& text, std::string const& font,
    int height, gfx::TFontStyles style, base::TColor color, bool shadow, base::TColor shadowColor)
{
    gfx::TBitmap drawn = background;
    gfx::TCanvas& c = drawn.Canvas();
    c.Brush.Style = gfx::bsClear;
    c.Font.SetName(font);
    c.Font.SetStyle(style);
    c.Font.SetHeight(height);
    if (shadow) {
        c.Font.SetColor(shadowColor);
        c.TextOut(x + 1, y + 1, text);
    }
    c.Font.SetColor(color);
    c.TextOut(x, y, text);
    return DiffBox(background, drawn);
}

base::TSize TextSize(std::string const& text, std::string const& font, int height, gfx::TFontStyles style)
{
    gfx::TBitmap b(4, 4);
    gfx::TCanvas& c = b.Canvas();
    c.Font.SetName(font);
    c.Font.SetStyle(style);
    c.Font.SetHeight(height);
    return c.TextExtent(text);
}

} // namespace

// The caption's text sits where its alignment puts it in the text rectangle of the current
// frame, its shadow one pixel right and down: the ink of the drawn caption has exactly the
// bounding box of the same text drawn there by hand. Left (no shadow), right and centred.
TEST_F(LayoutSkinForm, CaptionTextSitsWhereItsAlignmentPutsIt)
{
    std::string const text = "Wg Layout";
    base::TSize const sz = TextSize(text, "Arial", 14, gfx::fsBold);
    struct TCase {
        std::string Skin;
        int X, Y; // where the text starts, window coordinates
        bool Shadow;
    } const cases[] = {
        // Caption 121..296 (text rectangle 4..171 of it, rows 2..20): right-aligned.
        { "leftbuttons", 121 + 171 - sz.cx, 4 + 11 - sz.cy / 2, true },
        // Caption 20..118 (after the system-menu button), text rectangle from 2: left-aligned.
        { "buttonsrect", 20 + 2, 4 + 11 - sz.cy / 2, false },
        // Caption 82..196, text rectangle 2..112: centred.
        { "leftrect", 82 + 55 + 2 - sz.cx / 2, 4 + 11 - sz.cy / 2, true },
    };
    for (TCase const& c : cases) {
        SCOPED_TRACE(c.Skin);
        App.reset();
        App = std::make_unique<tk::TApplication>();
        Open(c.Skin, 300, 180);
        Form->SetCaption("");
        App->ProcessMessages();
        gfx::TBitmap const bare = Shot();
        Form->SetCaption(text);
        App->ProcessMessages();
        TRect const ink = DiffBox(bare, Shot());
        ASSERT_FALSE(base::IsRectEmpty(ink));
        EXPECT_EQ(
            ink, InkOf(bare, c.X, c.Y, text, "Arial", 14, gfx::fsBold, base::clWhite, c.Shadow, base::clRed));
    }
}

// A right-aligned label ends its text at the label's right edge, on any frame size.
TEST_F(LayoutSkinForm, RightAlignedLabelEndsAtItsRightEdge)
{
    Open("buttonsrect", 320, 190);
    TRect const r = RectOf("status");
    ASSERT_EQ(r, Rect(250, 164, 316, 184));
    ASSERT_TRUE(Skinned->SetObjectText("status", ""));
    App->ProcessMessages();
    gfx::TBitmap const bare = Shot();
    ASSERT_TRUE(Skinned->SetObjectText("status", "Ready"));
    App->ProcessMessages();
    TRect const ink = DiffBox(bare, Shot());
    base::TSize const sz = TextSize("Ready", "Arial", 12, 0);
    ASSERT_FALSE(base::IsRectEmpty(ink));
    EXPECT_EQ(
        ink, InkOf(bare, r.Right - sz.cx, r.Top + 10 - sz.cy / 2, "Ready", "Arial", 12, 0, 0, false, 0));
    EXPECT_LE(ink.Right, r.Right);
}

// The vertical track bar's top end is its end point: the largest value puts the thumb there,
// and a click above it stops there.
TEST_F(LayoutSkinForm, VerticalTrackBarEndsAtItsTopPoint)
{
    Open("leftbuttons", 260, 170);
    auto* track = dynamic_cast<TspSkinTrackBarObject*>(Object("vtrack"));
    ASSERT_TRUE(track);
    ASSERT_TRUE(track->Vertical);
    ASSERT_TRUE(Skinned->SetObjectValue("vtrack", 100));
    EXPECT_EQ(track->ButtonPos(), (base::TPoint { 6, 4 }));
    ASSERT_TRUE(Skinned->SetObjectValue("vtrack", 0));
    EXPECT_EQ(track->ButtonPos(), (base::TPoint { 6, 24 }));
    ASSERT_TRUE(Skinned->SetObjectValue("vtrack", 50));
    EXPECT_EQ(track->ButtonPos(), (base::TPoint { 6, 14 }));

    // A click one pixel below the top of the track, above the end point: the thumb jumps to
    // the end point and the value is the maximum; the thumb is drawn from row 1 (4 - 6/2).
    TRect const r = RectOf("vtrack");
    H->Move(Left + r.Left + 6, Top + r.Top + 1);
    H->Sleep(60);
    H->Click(Left + r.Left + 6, Top + r.Top + 1);
    H->Sleep(60);
    H->RunScript();
    EXPECT_EQ(track->ButtonPos(), (base::TPoint { 6, 4 }));
    EXPECT_EQ(track->Value(), 100);
    gfx::TBitmap const shot = Shot();
    EXPECT_EQ(shot.Pixel(r.Left + 6, r.Top + 1), base::RGB(250, 200, 0)) << "the thumb's top row";
    EXPECT_NE(shot.Pixel(r.Left + 6, r.Top), base::RGB(250, 200, 0));
}

namespace {

// The main picture's pixel (x, y) is RGB(x, y, 16): its source column and row.
int SourceX(base::TColor c) { return int(base::GetRValue(c)); }
int SourceY(base::TColor c) { return int(base::GetGValue(c)); }
int Tag(base::TColor c) { return int(base::GetBValue(c)); }

} // namespace

// Between the corner pieces a band tiles its middle (columns 20..180, rows 30..100) unless the
// skin stretches it: "leftbuttons" stretches the left and bottom bands, "leftrect" the top and
// right ones, "buttonsrect" none. The top and bottom bands are tiled from the window's column 0
// and the side bands from the client area's first row; the corner pieces are copied over.
TEST_F(LayoutSkinForm, BandsTileOrStretchAsTheSkinSays)
{
    // On a 300 x 180 form the top and bottom middles are 260 wide, the side middles 120 high.
    // Row 28 lies under the caption objects, in the top band; row 120 of the picture in the
    // bottom band.
    int const stretchedX = 20 + (200 - 20) * 160 / 260, stretchedY = 30 + (90 - 30) * 70 / 120;
    base::TColor const tiledTop = base::RGB(20 + 200 % 160, 28, 16),
                       tiledBottom = base::RGB(20 + 200 % 160, 120, 16);
    base::TColor const tiledLeft = base::RGB(1, 30 + (90 - 30) % 70, 16),
                       tiledRight = base::RGB(198, 30 + (90 - 30) % 70, 16);
    auto near = [](int value, int expected) { return std::abs(value - expected) <= 1; };

    Open("leftbuttons", 300, 180);
    gfx::TBitmap shot = Shot();
    EXPECT_EQ(shot.Pixel(200, 28), tiledTop);
    EXPECT_TRUE(near(SourceX(shot.Pixel(200, 170)), stretchedX))
        << "bottom: " << SourceX(shot.Pixel(200, 170));
    EXPECT_EQ(SourceY(shot.Pixel(200, 170)), 120);
    EXPECT_TRUE(near(SourceY(shot.Pixel(1, 90)), stretchedY)) << "left: " << SourceY(shot.Pixel(1, 90));
    EXPECT_EQ(SourceX(shot.Pixel(1, 90)), 1);
    EXPECT_EQ(shot.Pixel(298, 90), tiledRight);
    EXPECT_EQ(shot.Pixel(290, 2), base::RGB(190, 2, 16)) << "top-right corner piece";
    EXPECT_EQ(shot.Pixel(18, 175), base::RGB(18, 125, 16)) << "bottom-left corner piece";

    App.reset();
    App = std::make_unique<tk::TApplication>();
    Open("leftrect", 300, 180);
    shot = Shot();
    EXPECT_TRUE(near(SourceX(shot.Pixel(200, 28)), stretchedX)) << "top: " << SourceX(shot.Pixel(200, 28));
    EXPECT_EQ(shot.Pixel(200, 170), tiledBottom);
    EXPECT_EQ(shot.Pixel(1, 90), tiledLeft);
    EXPECT_TRUE(near(SourceY(shot.Pixel(298, 90)), stretchedY)) << "right: " << SourceY(shot.Pixel(298, 90));

    App.reset();
    App = std::make_unique<tk::TApplication>();
    Open("buttonsrect", 300, 180);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(200, 28), tiledTop);
    EXPECT_EQ(shot.Pixel(200, 170), base::RGB(20 + 200 % 100, 120, 16)) << "its bottom middle is 20..120";
    EXPECT_EQ(shot.Pixel(1, 90), tiledLeft);
    EXPECT_EQ(shot.Pixel(298, 90), tiledRight);
}

// The mask cuts 5, 3, 2 and 1 pixels off the corners' first and last rows; the cut corners
// move with the window's right and bottom edges.
TEST_F(LayoutSkinForm, MaskCutsTheCornersAtEverySize)
{
    Open("buttonsrect", 300, 180);
    gfx::TRegion shape;
    ASSERT_GT(win::GetWindowRgn(Form->Handle(), shape), gfx::NULLREGION);
    struct TCase {
        int X, Y;
        bool Inside;
    } const cases[] = {
        { 4, 0, false },
        { 5, 0, true },
        { 295, 0, false },
        { 294, 0, true },
        { 0, 3, false },
        { 1, 3, true },
        { 1, 177, false },
        { 2, 177, true },
        { 295, 179, false },
        { 294, 179, true },
        { 150, 0, true },
        { 0, 90, true },
    };
    for (TCase const& c : cases)
        EXPECT_EQ(shape.Contains(c.X, c.Y), c.Inside) << c.X << "," << c.Y;
}

// Inactive, "leftbuttons" shows its inactive picture and "buttonsrect" its main picture
// darkened by its inactive effect; the client area is not part of either.
TEST_F(LayoutSkinForm, InactiveFormsShowTheSkinsInactiveLook)
{
    auto deactivate = [&] {
        tk::TForm* other = App->CreateForm<tk::TForm>();
        other->SetBounds(700, 500, 50, 50);
        other->Show();
        App->ProcessMessages();
        ASSERT_FALSE(Skinned->IsFormActive());
    };
    Open("leftbuttons", 300, 180);
    gfx::TBitmap const active = Shot();
    deactivate();
    gfx::TBitmap const inactive = Shot();
    EXPECT_EQ(Tag(active.Pixel(298, 140)), 16);
    EXPECT_EQ(inactive.Pixel(298, 140), base::RGB(198, 30 + (140 - 30) % 70, 48)) << "the inactive picture";
    EXPECT_EQ(inactive.Pixel(18, 175), base::RGB(18, 125, 48));

    App.reset();
    App = std::make_unique<tk::TApplication>();
    Open("buttonsrect", 300, 180);
    gfx::TBitmap const bright = Shot();
    deactivate();
    gfx::TBitmap const dark = Shot();
    for (auto [x, y] : { std::pair { 298, 140 }, std::pair { 18, 175 }, std::pair { 150, 28 } }) {
        base::TColor const a = bright.Pixel(x, y), d = dark.Pixel(x, y);
        EXPECT_LT(int(base::GetRValue(d)) + base::GetGValue(d) + base::GetBValue(d),
            int(base::GetRValue(a)) + base::GetGValue(a) + base::GetBValue(a))
            << x << "," << y << " darker";
    }
    EXPECT_EQ(dark.Pixel(150, 60), bright.Pixel(150, 60)) << "the client area";
}
