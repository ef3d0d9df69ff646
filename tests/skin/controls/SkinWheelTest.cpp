// The mouse wheel over skinned controls on a form: the form hands the turn to the control
// under the mouse, else to the focused one, and each control acts as its toolkit
// counterpart does (lists and memos scroll, a closed combo box chooses, an open one scrolls
// its list, track and scroll bars move).
#include "tests/skin/controls/SkinControlTestUtil.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinListBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinTrackBar.h"

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;

namespace {

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> v;
    for (int i = 0; i < count; ++i)
        v.push_back("Item " + std::to_string(i));
    return v;
}

struct SkinWheelTest : SkinControlTest {
    void SetUp() override
    {
        SkinControlTest::SetUp();
        List = Place(new TspSkinListBox(Form), 0, 0, 80, 60);
        List->SetItems(Numbered(30));
        List->SetItemIndex(1);
        Memo = Place(new TspSkinMemo(Form), 80, 0, 80, 60);
        Memo->SetLines(Numbered(40));
        Memo->SetCaretPos(0);
        Combo = Place(new TspSkinComboBox(Form), 160, 0, 80, 20);
        Combo->SetItems(Numbered(20));
        Combo->SetItemIndex(5);
        Combo->OnChange = [this](tk::TComponent*) { ++ComboChanges; };
        Track = Place(new TspSkinTrackBar(Form), 0, 70, 120, 24);
        Track->SetRange(0, 10);
        Track->SetPosition(5);
        Bar = Place(new TspSkinScrollBar(Form), 0, 110, 160, 16);
        Bar->SetParams(50, 0, 100);
        Bar->SetSmallChange(2);
        Button = Place(new TspSkinButton(Form), 170, 100, 60, 24);
        Paint();
    }
    template <class T> T* Place(T* c, int x, int y, int w, int h)
    {
        c->SetParent(Form);
        c->SetBounds(x, y, w, h);
        c->SetSkinData(Data.get());
        return c;
    }
    TspSkinListBox* List = nullptr;
    TspSkinMemo* Memo = nullptr;
    TspSkinComboBox* Combo = nullptr;
    TspSkinTrackBar* Track = nullptr;
    TspSkinScrollBar* Bar = nullptr;
    TspSkinButton* Button = nullptr;
    int ComboChanges = 0;
};

TEST_F(SkinWheelTest, EachControlUnderTheMouseTakesTheWheelWithoutBeingFocused)
{
    // List and memo: three lines a notch toward the user, back again away; the selection
    // and the caret stay.
    Wheel(40, 30, -240);
    EXPECT_EQ(List->TopIndex(), 6);
    EXPECT_EQ(List->ItemIndex(), 1);
    Wheel(40, 30, 120);
    EXPECT_EQ(List->TopIndex(), 3);
    int const caret = Memo->CaretPos();
    Wheel(120, 30, -120);
    EXPECT_EQ(Memo->TopLine(), 3);
    EXPECT_EQ(Memo->CaretPos(), caret);
    // Only the control under the mouse moved, and none took the focus.
    EXPECT_EQ(List->TopIndex(), 3);
    EXPECT_EQ(Form->ActiveControl(), nullptr);

    // The closed combo box chooses one item a notch, telling OnChange.
    Wheel(200, 10, -120);
    EXPECT_EQ(Combo->ItemIndex(), 6);
    Wheel(200, 10, 240);
    EXPECT_EQ(Combo->ItemIndex(), 4);
    EXPECT_EQ(ComboChanges, 2);

    // Track bar: a step a notch, away from the user back (as Up); scroll bar: three small
    // changes a notch, kept within its range.
    Wheel(60, 80, 120);
    EXPECT_EQ(Track->Position(), 4);
    Wheel(60, 80, -360);
    EXPECT_EQ(Track->Position(), 7);
    Wheel(80, 118, -120);
    EXPECT_EQ(Bar->Position(), 56);
    Wheel(80, 118, 120 * 40);
    EXPECT_EQ(Bar->Position(), 0);
}

TEST_F(SkinWheelTest, FineTurnsAddUpToNotchesAndDisabledControlsPassTheTurnOn)
{
    // Fine-grained wheels send parts of a notch: they act once they make a whole one.
    Wheel(40, 30, -60);
    EXPECT_EQ(List->TopIndex(), 0);
    Wheel(40, 30, -60);
    EXPECT_EQ(List->TopIndex(), 3);

    // A disabled track bar is not under the mouse for the wheel: the focused list takes it.
    List->SetFocus();
    Track->SetEnabled(false);
    Wheel(60, 80, -120);
    EXPECT_EQ(Track->Position(), 5);
    EXPECT_EQ(List->TopIndex(), 6);
}

TEST_F(SkinWheelTest, TurnsNoControlUnderTheMouseTakesGoToTheFocusedControl)
{
    Memo->SetFocus();
    // Over a button (which has no use for the wheel) and over the bare form.
    Wheel(200, 110, -120);
    EXPECT_EQ(Memo->TopLine(), 3);
    Wheel(200, 140, -120);
    EXPECT_EQ(Memo->TopLine(), 6);
    // Without a focused control such a turn does nothing.
    Form->SetActiveControl(nullptr);
    Wheel(200, 140, -120);
    EXPECT_EQ(Memo->TopLine(), 6);
    EXPECT_EQ(List->TopIndex(), 0);
}

TEST_F(SkinWheelTest, OpenComboBoxScrollsItsListNotItsChoice)
{
    Click(200, 10);
    ASSERT_TRUE(Combo->DroppedDown());
    TspSkinListBox* list = Combo->DropDownList();
    ASSERT_NE(list, nullptr);
    int const top = list->TopIndex();
    // The drop-down holds the mouse: the turn reaches it wherever the mouse is.
    Wheel(40, 30, -120);
    EXPECT_EQ(list->TopIndex(), top + 3);
    EXPECT_EQ(Combo->ItemIndex(), 5);
    EXPECT_EQ(List->TopIndex(), 0);
    // Sent to the combo box itself (focused, the list open) it scrolls the list too.
    Combo->Perform(win::WM_MOUSEWHEEL, win::WPARAM(uint16_t(int16_t(120))) << 16);
    EXPECT_EQ(list->TopIndex(), top);
    EXPECT_EQ(ComboChanges, 0);
}

} // namespace
