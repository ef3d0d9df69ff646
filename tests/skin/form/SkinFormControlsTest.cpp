#include "tests/skin/controls/SkinControlTestUtil.h"

#include "skin/controls/SkinButton.h"
#include "skin/form/SkinnedForm.h"

using namespace xe;
using namespace xe::skin;
using namespace xe::test;

namespace {

// A skinned form takes the skin change messages in its window procedure; it passes them on
// to the controls of its form, which follow the skin as on a plain form.
TEST_F(SkinControlTest, SkinnedFormPassesSkinChangesOnToItsControls)
{
    auto* button = new TspSkinButton(Form);
    button->SetParent(Form);
    button->SetBounds(10, 10, 60, 30);
    button->SetSkinData(Data.get());
    new TspSkinnedForm(Form);
    EXPECT_NE(button->Look(), nullptr);

    xe::test::TControlTestSkin other;
    other.AddStatePicture({ base::RGB(7, 7, 7) });
    other.AddControl("panel", "panel");
    other.SetStateLook("panel", 0);
    other.LoadInto(*Data);
    EXPECT_EQ(button->Look(), nullptr);
    Skin.LoadInto(*Data);
    EXPECT_NE(button->LookAs<TspDataSkinButtonControl>(), nullptr);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);
}

} // namespace
