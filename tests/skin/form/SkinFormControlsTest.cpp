#include "tests/skin/controls/SkinControlTestUtil.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListBox.h"
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

// The wheel reaches the controls of a skinned, framed form as it does on a plain one: the
// list under the mouse scrolls, and a turn over the bare client area goes to the focused memo.
TEST_F(SkinControlTest, SkinnedFormPassesTheWheelToItsControls)
{
    Form->SetBorderStyle(tk::bsSizeable);
    auto* list = new TspSkinListBox(Form);
    list->SetParent(Form);
    list->SetBounds(10, 10, 80, 60);
    list->SetSkinData(Data.get());
    std::vector<std::string> items;
    for (int i = 0; i < 30; ++i)
        items.push_back("Item " + std::to_string(i));
    list->SetItems(items);
    auto* memo = new TspSkinMemo(Form);
    memo->SetParent(Form);
    memo->SetBounds(100, 10, 80, 60);
    memo->SetSkinData(Data.get());
    memo->SetLines(items);
    memo->SetCaretPos(0);
    new TspSkinnedForm(Form);
    Paint();
    memo->SetFocus();

    Wheel(20, 20, -120);
    EXPECT_EQ(list->TopIndex(), 3);
    EXPECT_EQ(memo->TopLine(), 0);
    Wheel(20, 100, -240);
    EXPECT_EQ(memo->TopLine(), 6);
    EXPECT_EQ(list->TopIndex(), 3);
}

} // namespace
