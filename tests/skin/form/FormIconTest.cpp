#include "tests/skin/form/SkinFormTestUtil.h"

#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"

#include <gtest/gtest.h>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;

namespace {

using base::TColor;

// 16 x 16 in one colour; transparent from column `clearFrom` on.
tk::TIcon SolidIcon(TColor color, int clearFrom = 16)
{
    gfx::TBitmap picture(16, 16);
    picture.Canvas().Brush.Color = color;
    picture.Canvas().FillRect(base::Rect(0, 0, 16, 16));
    std::vector<uint8_t> opacity(256, 255);
    for (int y = 0; y < 16; ++y)
        for (int x = clearFrom; x < 16; ++x)
            opacity[size_t(y) * 16 + x] = 0;
    tk::TIcon icon;
    icon.Assign(picture, opacity);
    return icon;
}

struct FormIconTest : SkinFormTest {
    // The system-menu button's pixels of a new form showing its icon, skinned or built in.
    gfx::TBitmap ButtonPixels(tk::TIcon const& formIcon, bool skinned)
    {
        Make(tk::bsSizeable, 260, 160);
        Form->SetIcon(formIcon);
        Attach();
        if (skinned)
            Skinned->SetSkinData(Data.get());
        Skinned->SetShowIcon(true);
        Form->Show();
        App->ProcessMessages();
        auto* sys = Button("sysmenubutton");
        EXPECT_TRUE(sys && sys->VisibleState);
        if (!sys)
            return {};
        Rect = sys->ObjectRect;
        gfx::TBitmap const window = win::CaptureWindow(Form->Handle());
        gfx::TBitmap pixels(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                pixels.SetPixel(x, y, window.Pixel(Rect.Left + x, Rect.Top + y));
        delete Form;
        Form = nullptr;
        Skinned = nullptr;
        return pixels;
    }
    base::TRect Rect;
};

TEST_F(FormIconTest, ButtonShowsTheIconWhereOpaqueAndTheFrameWhereTransparent)
{
    for (bool skinned : { false, true }) {
        // The same form once with a fully transparent icon gives the frame under the icon.
        gfx::TBitmap const frame = ButtonPixels(SolidIcon(base::clRed, 0), skinned);
        gfx::TBitmap const half = ButtonPixels(SolidIcon(base::clRed, 8), skinned);
        EXPECT_EQ(Rect.Width(), 16) << skinned;
        EXPECT_EQ(Rect.Height(), 16) << skinned;
        int red = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                if (x < 8)
                    EXPECT_EQ(half.Pixel(x, y), base::clRed) << skinned << " " << x << "," << y;
                else
                    EXPECT_EQ(half.Pixel(x, y), frame.Pixel(x, y)) << skinned << " " << x << "," << y;
                red += frame.Pixel(x, y) == base::clRed;
            }
        EXPECT_EQ(red, 0) << skinned;
    }
}

TEST_F(FormIconTest, FormIconBeforeApplicationIconBeforeTheDefault)
{
    App->SetIcon(SolidIcon(base::clBlue));
    EXPECT_EQ(ButtonPixels(SolidIcon(base::clRed), false).Pixel(8, 8), base::clRed);
    EXPECT_EQ(ButtonPixels(tk::TIcon(), false).Pixel(8, 8), base::clBlue);
    App->SetIcon(tk::TIcon());
    gfx::TBitmap const fallback = ButtonPixels(tk::TIcon(), false);
    gfx::TBitmap const expected = tk::TIcon::DefaultApplicationIcon().Picture();
    EXPECT_EQ(fallback.Pixel(8, 8), expected.Pixel(8, 8));
    EXPECT_EQ(fallback.Pixel(8, 3), base::clNavy);
    EXPECT_EQ(fallback.Pixel(0, 8), base::clBlack);
}

TEST_F(FormIconTest, MalformedStoredIconIsAnErrorAndTheDefaultIsDrawn)
{
    Make(tk::bsSizeable, 260, 160);
    EXPECT_THROW(tk::ReadComponentText(Form,
                     "object F: TForm\n  Icon = {\n    0000010001001010000001001800FFFF\n  }\nend\n", "F"),
        base::EReadError);
    EXPECT_TRUE(Form->Icon().Empty());
    delete Form;
    EXPECT_EQ(ButtonPixels(tk::TIcon(), true).Pixel(8, 3), base::clNavy);
}

} // namespace
