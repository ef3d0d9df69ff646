// Screenshots of skinned frames against golden images (tests/golden/skinform_*.png), compared
// exactly: the frame is cut from the skin's pictures by our own code. The captions are empty
// so that no glyphs enter the comparison; the caption text is checked by where its ink lies.
//
// XE_UPDATE_GOLDEN=1 writes the current screenshots as the new goldens (and still fails). On a
// mismatch expected, actual and difference are written side by side beside the test executable.
#include "SkinFormTestUtil.h"
#include "tests/support/Golden.h"

#include "platform/base/Strings.h"
#include "platform/graphics/Png.h"

#include <cstdlib>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::TRect;

namespace {

void CompareWithGolden(gfx::TBitmap const& shot, std::string const& name)
{
    xe::test::ExpectMatchesGolden(shot, std::string(XE_SOURCE_DIR) + "/tests/golden/" + name + ".png");
}

struct SkinFormGolden : SkinFormTest {
    void Show(int width, int height, bool skinned)
    {
        Make(tk::bsSizeable, width, height);
        Form->SetCaption("");
        Attach();
        if (skinned)
            Skinned->SetSkinData(Data.get());
        Form->SetBounds(20, 20, width, height);
        Form->Show();
        App->ProcessMessages();
    }
    gfx::TBitmap Shot()
    {
        App->ProcessMessages();
        return win::CaptureWindow(Form->Handle());
    }
    void Deactivate()
    {
        tk::TForm* other = App->CreateForm<tk::TForm>();
        other->SetBounds(600, 400, 40, 40);
        other->Show();
        App->ProcessMessages();
        ASSERT_FALSE(Skinned->IsFormActive());
    }
};

} // namespace

TEST_F(SkinFormGolden, FrameAtThePicturesSize)
{
    Show(152, 125, true);
    CompareWithGolden(Shot(), "skinform_152x125");
}

TEST_F(SkinFormGolden, LargerFrameActiveAndInactive)
{
    Show(320, 210, true);
    CompareWithGolden(Shot(), "skinform_320x210_active");
    Deactivate();
    CompareWithGolden(Shot(), "skinform_320x210_inactive");
}

TEST_F(SkinFormGolden, DefaultFrameWithoutSkin)
{
    Show(240, 150, false);
    CompareWithGolden(Shot(), "skinform_default");
}

// A caption wider than its band is shortened: its ink stays inside the caption object's
// text area, left of the caption buttons.
TEST_F(SkinFormGolden, LongCaptionStaysInItsBand)
{
    Show(200, 135, true);
    gfx::TBitmap const without = Shot();
    Form->SetCaption("A caption far too long for the caption band of this window");
    gfx::TBitmap const with = Shot();
    TspSkinCaptionObject* caption = Caption();
    ASSERT_TRUE(caption);
    TRect ink;
    bool any = false;
    for (int y = 0; y < with.Height(); ++y)
        for (int x = 0; x < with.Width(); ++x)
            if (with.Pixel(x, y) != without.Pixel(x, y)) {
                ink = any ? base::Rect(std::min(ink.Left, x), std::min(ink.Top, y),
                          std::max(ink.Right, x + 1), std::max(ink.Bottom, y + 1))
                          : base::Rect(x, y, x + 1, y + 1);
                any = true;
            }
    ASSERT_TRUE(any) << "no caption drawn";
    TRect text = caption->CurrentTextRect();
    base::OffsetRect(text, caption->ObjectRect.Left, caption->ObjectRect.Top);
    // One pixel of slack on the right and below for the shadow.
    EXPECT_GE(ink.Left, text.Left);
    EXPECT_LE(ink.Right, text.Right + 1);
    EXPECT_GE(ink.Top, caption->ObjectRect.Top);
    EXPECT_LE(ink.Bottom, caption->ObjectRect.Bottom + 1);
    EXPECT_GT(ink.Width(), text.Width() / 2) << "the shortened text still fills the band";
}
