// Screenshots of both windows against golden images (tests/golden/*.png). Text is left out of
// the pixel comparison, since glyphs change with font versions: each text area is masked and
// checked instead by the bounding box of its ink (what the text adds to the picture).
//
// XE_UPDATE_GOLDEN=1 writes the current screenshots as the new goldens (and fails). On a
// mismatch, expected, actual and difference are written side by side beside the test executable.
#include "tests/support/Golden.h"
#include "app/FrmMessageT.h"
#include "app/FrmOutdata.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Png.h"
#include "resources/Embedded.h"
#include "tests/app/AppWindowsFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace xe;
using namespace xe::app;
using base::Ansi;
using base::TRect;

namespace {

enum class TInkAlign { Left, Centre };

struct TTextArea {
    std::string Name;
    TRect Area;
    TInkAlign Align;
};

// The smallest rectangle holding every pixel of area where the two shots differ.
TRect InkBounds(gfx::TBitmap const& withText, gfx::TBitmap const& without, TRect const& area)
{
    TRect ink;
    bool any = false;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (withText.Pixel(x, y) != without.Pixel(x, y)) {
                if (!any)
                    ink = base::Rect(x, y, x + 1, y + 1);
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x + 1);
                ink.Bottom = std::max(ink.Bottom, y + 1);
                any = true;
            }
    return ink;
}

void CheckInk(TTextArea const& text, TRect const& ink)
{
    SCOPED_TRACE(text.Name);
    ASSERT_FALSE(base::IsRectEmpty(ink)) << "no text drawn";
    TRect inside;
    base::IntersectRect(inside, ink, text.Area);
    EXPECT_EQ(inside, ink) << "ink outside the text area";
    // Text of an 11 to 13 pixel font: at least a few pixels high, never taller than 16.
    EXPECT_GE(ink.Height(), 6);
    EXPECT_LE(ink.Height(), 16);
    if (text.Align == TInkAlign::Left) {
        // Left-aligned, allowing for leading blanks (" 数据导出", "  是否确定退出?").
        EXPECT_LE(ink.Left - text.Area.Left, 12);
    } else {
        int dx = (ink.Left + ink.Right) - (text.Area.Left + text.Area.Right);
        int dy = (ink.Top + ink.Bottom) - (text.Area.Top + text.Area.Bottom);
        EXPECT_LE(std::abs(dx), 6) << "not centred horizontally";
        EXPECT_LE(std::abs(dy), 6) << "not centred vertically";
    }
}

// Compares outside the masks (tests/support/Golden.h).
void CompareWithGolden(gfx::TBitmap const& shot, std::vector<TTextArea> const& masks, std::string const& name)
{
    test::ExpectMatchesGolden(
        shot, std::string(XE_SOURCE_DIR) + "/tests/golden/" + name + ".png", [&](int x, int y) {
            for (auto& m : masks)
                if (base::PtInRect(m.Area, { x, y }))
                    return true;
            return false;
        });
}

struct GoldenTest : test::AppWindowsTest {
    gfx::TBitmap Shot(tk::TForm* form)
    {
        App->ProcessMessages();
        return win::CaptureWindow(form->Handle());
    }
    // Screenshots with and without the captions of the given controls.
    std::pair<gfx::TBitmap, gfx::TBitmap> Shots(tk::TForm* form, std::vector<tk::TControl*> const& texts)
    {
        gfx::TBitmap with = Shot(form);
        std::vector<std::string> saved;
        for (auto* c : texts) {
            saved.push_back(c->Caption());
            c->SetCaption("");
        }
        gfx::TBitmap without = Shot(form);
        for (size_t i = 0; i < texts.size(); ++i)
            texts[i]->SetCaption(saved[i]);
        return { with, without };
    }
};

} // namespace

TEST_F(GoldenTest, MainWindowInTheFailedState)
{
    Main->Show();
    testing::internal::CaptureStdout();
    Main->prcouttabdata();
    testing::internal::GetCapturedStdout();

    // The gauge's percentage sits in the middle of the gauge.
    TRect gauge = Main->Gauge1->BoundsRect();
    int cx = (gauge.Left + gauge.Right) / 2;
    std::vector<TTextArea> texts = {
        { "Label2", Main->Label2->BoundsRect(), TInkAlign::Left },
        { "L_note", Main->L_note->BoundsRect(), TInkAlign::Left },
        { "But_cancel", Main->But_cancel->BoundsRect(), TInkAlign::Centre },
        { "Gauge1 text", base::Rect(cx - 25, gauge.Top + 1, cx + 25, gauge.Bottom - 1), TInkAlign::Centre },
    };
    Main->Gauge1->SetShowText(false);
    gfx::TBitmap noPercent = Shot(Main);
    Main->Gauge1->SetShowText(true);
    auto [with, without] = Shots(Main, { Main->Label2, Main->L_note, Main->But_cancel });
    EXPECT_EQ(with.Width(), 355);
    EXPECT_EQ(with.Height(), 175);
    for (size_t i = 0; i < 3; ++i)
        CheckInk(texts[i], InkBounds(with, without, texts[i].Area));
    // The percentage is all the gauge's text: nothing of it lies outside its masked area.
    CheckInk(texts[3], InkBounds(with, noPercent, texts[3].Area));
    EXPECT_EQ(InkBounds(with, noPercent, gauge), InkBounds(with, noPercent, texts[3].Area));
    CompareWithGolden(with, texts, "outdata");
}

TEST_F(GoldenTest, ConfirmationDialogAsAsked)
{
    Main->Show();
    Dialog->Lab_Caption->SetCaption(Ansi(u8"  是否确定退出?"));
    Dialog->Show();
    std::vector<TTextArea> texts = {
        { "Lab_Caption", Dialog->Lab_Caption->BoundsRect(), TInkAlign::Left },
        { "Label9", base::Bounds(Dialog->Label9->Left(), Dialog->Label9->Top(), 97, 16), TInkAlign::Left },
        { "SB_OK", Dialog->SB_OK->BoundsRect(), TInkAlign::Centre },
        { "SB_Cancel", Dialog->SB_Cancel->BoundsRect(), TInkAlign::Centre },
    };
    auto [with, without]
        = Shots(Dialog, { Dialog->Lab_Caption, Dialog->Label9, Dialog->SB_OK, Dialog->SB_Cancel });
    EXPECT_EQ(with.Width(), 200);
    EXPECT_EQ(with.Height(), 135);
    for (auto& t : texts)
        CheckInk(t, InkBounds(with, without, t.Area));
    CompareWithGolden(with, texts, "message");
}
