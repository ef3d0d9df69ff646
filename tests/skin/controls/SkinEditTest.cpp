// The skinned edit and memo on the colour-coded test skin: their looks by state, the text in
// the look's colours, typing, selection by keys and mouse, the clipboard, the limits, the
// memo's lines and scrolling, skin changes, plain drawing without a look, and streaming.
#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Clipbrd.h"
#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinEdit.h"
#include "tests/support/Pixels.h"

#include <string>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::TColor;

namespace {

struct SkinEditTest : SkinControlTest {
    TspSkinEdit* MakeEdit()
    {
        auto* e = new TspSkinEdit(Form);
        e->SetParent(Form);
        e->SetBounds(10, 10, 100, 24);
        e->SetSkinData(Data.get());
        e->OnChange = [this](tk::TComponent*) { ++Changes; };
        return e;
    }
    TspSkinMemo* MakeMemo()
    {
        auto* m = new TspSkinMemo(Form);
        m->SetParent(Form);
        m->SetBounds(10, 60, 120, 44);
        m->SetSkinData(Data.get());
        m->OnChange = [this](tk::TComponent*) { ++Changes; };
        return m;
    }
    void Key(int vk, std::initializer_list<int> modifiers = {})
    {
        H->KeyPress(vk, modifiers);
        Run();
    }
    void Type(std::string const& text)
    {
        H->Type(text);
        Run();
    }
    int Changes = 0;
};

// The edit's text area: its client with the look's 4-pixel margins.
base::TRect const EditText = base::Rect(14, 14, 106, 30);

} // namespace

TEST_F(SkinEditTest, DrawsItsLooksByStateWithTheTextInTheLooksColours)
{
    auto* e = MakeEdit();
    e->SetText("Wg");
    EXPECT_EQ(Changes, 1);
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(10, 10), sc::Edge);
    EXPECT_EQ(shot.Pixel(100, 27), sc::EditNormal);
    EXPECT_GT(CountColor(shot, EditText, sc::EditFont), 5);
    EXPECT_EQ(CountColor(shot, EditText, sc::EditActiveFont), 0);

    // Focused: the active image, the active font colour, and the caret after the text.
    e->SetFocus();
    shot = Shot();
    EXPECT_EQ(shot.Pixel(100, 27), sc::EditActive);
    EXPECT_EQ(CountColor(shot, EditText, sc::EditFont), 0);
    int const activeInk = CountColor(shot, EditText, sc::EditActiveFont);
    EXPECT_GT(activeInk, 5);
    e->SetCaretPos(0);
    // The caret is a column of the text's height: moved into the text it covers other ink.
    EXPECT_NE(CountColor(Shot(), EditText, sc::EditActiveFont), activeInk);

    // A selection is drawn highlighted.
    e->SelectAll();
    shot = Shot();
    EXPECT_GT(CountColor(shot, EditText, base::ColorToRGB(base::clHighlight)), 20);

    // Disabled: the normal image, the disabled font colour, no caret.
    e->SetEnabled(false);
    shot = Shot();
    EXPECT_EQ(shot.Pixel(100, 27), sc::EditNormal);
    EXPECT_GT(CountColor(shot, EditText, sc::EditDisabledFont), 5);
    EXPECT_EQ(CountColor(shot, EditText, sc::EditActiveFont), 0);
}

// On an empty edit the caret is the only ink in the active font colour.
TEST_F(SkinEditTest, CaretBlinksOnlyWhileFocusedInTheActiveWindowAndShowsAfterKeysAndClicks)
{
    auto* e = MakeEdit();
    auto* m = MakeMemo();
    auto caretInk = [&] { return CountColor(Shot(), EditText, sc::EditActiveFont); };
    EXPECT_FALSE(e->CaretBlinking());
    EXPECT_EQ(caretInk(), 0);

    // Shown as the focus arrives, drawn in the text colour, then off and on every 530 ms.
    e->SetFocus();
    EXPECT_TRUE(e->CaretBlinking());
    int const ink = caretInk();
    EXPECT_GT(ink, 5);
    H->RunFor(TspSkinEdit::CaretBlinkTime - 1);
    EXPECT_EQ(caretInk(), ink);
    H->RunFor(1);
    EXPECT_FALSE(e->CaretShown());
    EXPECT_EQ(caretInk(), 0);
    H->RunFor(TspSkinEdit::CaretBlinkTime);
    EXPECT_EQ(caretInk(), ink);
    H->RunFor(TspSkinEdit::CaretBlinkTime);
    ASSERT_FALSE(e->CaretShown());

    // A key (even one that moves nothing) shows it at once and starts the period afresh.
    Key(win::VK_HOME);
    EXPECT_EQ(caretInk(), ink);
    H->RunFor(TspSkinEdit::CaretBlinkTime - 1);
    EXPECT_TRUE(e->CaretShown());
    H->RunFor(1);
    ASSERT_FALSE(e->CaretShown());
    // So does a click.
    Click(50, 20);
    EXPECT_TRUE(e->CaretShown());

    // The focus moving on stops the edit's timer and hides its caret; the memo's starts.
    m->SetFocus();
    EXPECT_FALSE(e->CaretBlinking());
    EXPECT_EQ(caretInk(), 0);
    EXPECT_TRUE(m->CaretBlinking());
    EXPECT_TRUE(m->CaretShown());
    H->RunFor(TspSkinEdit::CaretBlinkTime);
    EXPECT_FALSE(m->CaretShown());
    EXPECT_EQ(caretInk(), 0);
    // Disabled, the focused memo stops blinking and shows no caret.
    m->SetEnabled(false);
    EXPECT_FALSE(m->CaretBlinking());
    EXPECT_FALSE(m->CaretShown());
    m->SetEnabled(true);
    m->SetFocus();
    EXPECT_TRUE(m->CaretShown());

    // Another window taking the keyboard stops the blink and hides the caret; the memo keeps
    // the focus and shows the caret at once when its window is active again.
    auto* other = App->CreateForm<tk::TForm>();
    other->SetBounds(400, 300, 100, 80);
    other->Show();
    win::SetActiveWindow(other->Handle());
    App->ProcessMessages();
    EXPECT_TRUE(m->Focused());
    EXPECT_FALSE(m->CaretBlinking());
    EXPECT_FALSE(m->CaretShown());
    win::SetActiveWindow(Form->Handle());
    App->ProcessMessages();
    EXPECT_TRUE(m->CaretBlinking());
    EXPECT_TRUE(m->CaretShown());
}

TEST_F(SkinEditTest, FollowsASkinChangeAndDrawsPlainWithoutALook)
{
    auto* e = MakeEdit();
    e->SetText("abc");
    EXPECT_EQ(Shot().Pixel(100, 27), sc::EditNormal);
    // The skin's edit image changes colour: the edit follows the skin change.
    int const picture = Data->CtrlList[size_t(Data->IndexOfControl("edit"))]->PictureIndex;
    Skin.Paint(picture, base::Rect(4, 4, 16, 16), base::RGB(1, 200, 1));
    Skin.LoadInto(*Data);
    EXPECT_EQ(Shot().Pixel(100, 27), base::RGB(1, 200, 1));
    // A look name the skin lacks, and no skin at all: a plain white field with the text.
    e->SetSkinDataName("nosuch");
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(100, 27), base::ColorToRGB(base::clWindow));
    EXPECT_GT(CountColor(shot, EditText, base::ColorToRGB(e->Font().Color())), 5);
    e->SetSkinDataName("edit");
    e->SetSkinData(nullptr);
    EXPECT_EQ(Shot().Pixel(100, 27), base::ColorToRGB(base::clWindow));
    EXPECT_EQ(e->Text(), "abc");
}

TEST_F(SkinEditTest, KeysEditSelectAndUseTheClipboard)
{
    auto* e = MakeEdit();
    Paint();
    e->SetFocus();
    Type("hello world");
    EXPECT_EQ(e->Text(), "hello world");
    EXPECT_EQ(Changes, 11);
    Key(win::VK_HOME);
    Key(win::VK_RIGHT, { win::VK_CONTROL, win::VK_SHIFT }); // a word, with the space after it
    EXPECT_EQ(e->SelText(), "hello ");
    Key('C', { win::VK_CONTROL });
    EXPECT_EQ(tk::Clipboard().AsText(), "hello ");
    EXPECT_EQ(e->Text(), "hello world"); // Ctrl+C typed nothing
    Key(win::VK_END);
    Key('V', { win::VK_CONTROL });
    EXPECT_EQ(e->Text(), "hello worldhello ");
    Key(win::VK_BACK); // the space
    Key(win::VK_LEFT);
    Key(win::VK_DELETE); // the "o"
    EXPECT_EQ(e->Text(), "hello worldhell");
    Key(win::VK_END);
    Key(win::VK_LEFT);
    Key(win::VK_HOME, { win::VK_SHIFT });
    EXPECT_EQ(e->SelLength(), 14);
    Key('X', { win::VK_CONTROL });
    EXPECT_EQ(e->Text(), "l");
    EXPECT_EQ(tk::Clipboard().AsText(), "hello worldhel");
    Key('A', { win::VK_CONTROL });
    Type("Z");
    EXPECT_EQ(e->Text(), "Z"); // typing replaces the selection

    // Read-only: nothing changes the text, but it still selects and copies.
    e->SetText("abc");
    e->SetReadOnly(true);
    int const changes = Changes;
    Type("xy");
    Key(win::VK_BACK);
    Key('A', { win::VK_CONTROL });
    Key('X', { win::VK_CONTROL });
    Key('V', { win::VK_CONTROL });
    Key(win::VK_DELETE);
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_EQ(Changes, changes);
    EXPECT_EQ(tk::Clipboard().AsText(), "hello worldhel"); // a cut does nothing at all
    Key('C', { win::VK_CONTROL });
    EXPECT_EQ(tk::Clipboard().AsText(), "abc");

    // The length limit cuts what is typed and what is pasted.
    e->SetReadOnly(false);
    e->SetText("");
    e->SetMaxLength(5);
    Type("abcdefg");
    EXPECT_EQ(e->Text(), "abcde");
    e->SelectAll();
    tk::Clipboard().SetAsText("0123456789\r\nsecond line");
    Key(win::VK_INSERT, { win::VK_SHIFT });
    EXPECT_EQ(e->Text(), "01234");
}

TEST_F(SkinEditTest, MouseFocusesSetsTheCaretAndDragSelects)
{
    auto* e = MakeEdit();
    e->SetText("abcdef");
    e->SetCaretPos(3);
    Paint();
    EXPECT_FALSE(e->Focused());
    Click(100, 22); // right of the text
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->CaretPos(), 6);
    Click(14, 22); // left of the text
    EXPECT_EQ(e->CaretPos(), 0);
    base::TPoint const from = Form->ClientToScreen({ 14, 22 }), to = Form->ClientToScreen({ 100, 22 });
    H->Drag(from.X, from.Y, to.X, to.Y);
    Run();
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelText(), "abcdef");
    // A double click selects the word at the caret.
    e->SetText("one two");
    e->SetCaretPos(5);
    e->DblClick();
    EXPECT_EQ(e->SelText(), "two");
}

TEST_F(SkinEditTest, MemoKeepsLinesScrollsToTheCaretAndFillsItsTextArea)
{
    auto* m = MakeMemo();
    base::TRect const area = base::Rect(14, 64, 126, 100);
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(120, 95), sc::MemoBG);
    m->SetFocus();
    Type("one");
    Key(win::VK_RETURN);
    Type("two");
    Key(win::VK_RETURN);
    Type("three");
    ASSERT_EQ(m->Lines(), (std::vector<std::string> { "one", "two", "three" }));
    EXPECT_EQ(m->CaretLine(), 2);
    int const visible = m->VisibleLineCount();
    ASSERT_LT(visible, 3) << "the memo is meant to show fewer lines than it holds";
    EXPECT_EQ(m->TopLine(), 3 - visible); // scrolled to keep the caret in view
    shot = Shot();
    EXPECT_EQ(shot.Pixel(100, 95), sc::MemoActiveBG); // left of the scroll bar that came
    EXPECT_GT(CountColor(shot, area, sc::EditActiveFont), 5);
    Key(win::VK_UP);
    Key(win::VK_UP);
    EXPECT_EQ(m->CaretLine(), 0);
    EXPECT_EQ(m->TopLine(), 0);
    Key(win::VK_END);
    Key(win::VK_DOWN, { win::VK_SHIFT });
    EXPECT_EQ(m->SelText(), "\ntwo");
    Key(win::VK_NEXT);
    EXPECT_EQ(m->CaretLine(), 2);
    // Backspace at a line's start joins it to the one above.
    Key(win::VK_HOME);
    Key(win::VK_BACK);
    EXPECT_EQ(m->Lines(), (std::vector<std::string> { "one", "twothree" }));
    // A click on the second shown line puts the caret there.
    m->SetLines({ "a", "b", "c", "d" });
    m->SetTopLine(1);
    Click(100, 64 + 2);
    EXPECT_EQ(m->CaretLine(), 1);
}

// Lines that do not fit bring the memo's own scroll bar, drawn from the skin's vertical
// scroll-bar look; it works as the stand-alone bar and never moves the caret.
TEST_F(SkinEditTest, MemoScrollBarDragsPagesAndRepeats)
{
    auto* m = MakeMemo();
    m->SetLines({ "a", "b" });
    EXPECT_TRUE(base::IsRectEmpty(m->ScrollBar().Thumb())); // everything shows: no bar
    std::vector<std::string> lines;
    for (int i = 0; i < 30; ++i)
        lines.push_back("line " + std::to_string(i));
    m->SetLines(lines);
    m->SetCaretPos(0);
    auto shot = Shot();
    base::TRect const up = m->ScrollBar().UpButton(), down = m->ScrollBar().DownButton();
    base::TRect const thumb = m->ScrollBar().Thumb();
    ASSERT_FALSE(base::IsRectEmpty(thumb));
    EXPECT_EQ(up.Right, 116); // at the right of the look's text area (4-pixel margins)
    EXPECT_EQ(shot.Pixel(10 + up.Left + 2, 60 + up.Top + 2), sc::UpButton);
    int const max = m->LineCount() - m->VisibleLineCount();
    auto at = [&](int x, int y) { return Form->ClientToScreen({ 10 + x, 60 + y }); };

    // The thumb dragged half its room: half the lines (rounded); far below and released
    // outside the memo, it ends at the last page and lets go.
    int const room = down.Top - up.Bottom - thumb.Height();
    auto const grip = at(thumb.Left + 2, thumb.Top + 1);
    H->Press(grip.X, grip.Y);
    H->Move(grip.X, grip.Y + room / 2);
    Run();
    EXPECT_EQ(m->TopLine(), (room / 2 * max * 2 + room) / (2 * room));
    H->Move(grip.X + 200, grip.Y + 300);
    H->Release(grip.X + 200, grip.Y + 300);
    H->Move(grip.X, grip.Y);
    Run();
    EXPECT_EQ(m->TopLine(), max);
    EXPECT_EQ(m->CaretLine(), 0); // the bar scrolls; the caret stays

    // The up button held: a line at once, then one each interval after the delay.
    auto const upAt = at(up.Left + 2, up.Top + 2);
    H->Press(upAt.X, upAt.Y);
    H->Sleep(TspScrollBarHost::RepeatDelay + 2 * TspScrollBarHost::RepeatInterval + 10);
    H->Release(upAt.X, upAt.Y);
    Run();
    EXPECT_EQ(m->TopLine(), max - 1 - 1 - 2);
    // A click on the track below the thumb: a page down.
    int const top = m->TopLine();
    base::TRect const below = m->ScrollBar().PartRect(TspScrollBarHost::spPageDown);
    ASSERT_FALSE(base::IsRectEmpty(below));
    Click(10 + below.Left + 2, 60 + below.Bottom - 1);
    EXPECT_EQ(m->TopLine(), std::min(top + m->VisibleLineCount(), max));
    EXPECT_EQ(m->CaretLine(), 0);
}

TEST_F(SkinEditTest, EditAndMemoAreStoredWithTheirText)
{
    auto* e = MakeEdit();
    e->SetName("Edit1");
    e->SetText("it's");
    e->SetReadOnly(true);
    e->SetMaxLength(12);
    auto* m = MakeMemo();
    m->SetName("Memo1");
    m->SetLines({ "first", "", "third" });
    m->SetSkinDataName("edit");
    // Stored with a skin of the form's own, by name.
    tk::RegisterComponentClass("TspSkinData", [](tk::TComponent* o) { return new TspSkinData(o); });
    auto* data = new TspSkinData(Form);
    data->SetName("spSkinData1");
    e->SetSkinData(data);
    m->SetSkinData(data);
    std::string const text = tk::WriteComponentText(Form);
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* e2 = dynamic_cast<TspSkinEdit*>(copy->FindComponent("Edit1"));
    auto* m2 = dynamic_cast<TspSkinMemo*>(copy->FindComponent("Memo1"));
    ASSERT_TRUE(e2 && m2);
    EXPECT_EQ(e2->Text(), "it's");
    EXPECT_TRUE(e2->ReadOnly());
    EXPECT_EQ(e2->MaxLength(), 12);
    EXPECT_TRUE(e2->TabStop());
    EXPECT_EQ(m2->Lines(), (std::vector<std::string> { "first", "", "third" }));
    EXPECT_EQ(m2->SkinDataName(), "edit");
    EXPECT_EQ(e2->BoundsRect(), e->BoundsRect());
    EXPECT_EQ(m2->SkinData(), copy->FindComponent("spSkinData1"));
}
