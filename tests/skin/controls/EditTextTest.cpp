// The text model of the skinned edit and memo: caret, selection, limits, line breaks and
// double-byte characters kept whole.
#include "skin/controls/EditText.h"

#include "platform/base/Strings.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

using xe::skin::TspEditText;

namespace {

struct EditText : xe::test::ProcessStateTest {
    void SetUp() override { xe::base::SetAnsiCodePage("GBK"); }
};

// "数据" in GBK: two double-byte characters.
std::string const Shu = "\xCA\xFD", Ju = "\xBE\xDD";

} // namespace

TEST_F(EditText, TypingSelectingAndDeletingKeepCharactersWhole)
{
    TspEditText t;
    t.SetText("ab" + Shu + Ju + "cd");
    EXPECT_EQ(t.Caret(), 8);
    t.MoveLeft(false);
    t.MoveLeft(false);
    EXPECT_EQ(t.Caret(), 6); // before "cd"
    t.MoveLeft(true); // Shift+Left selects the whole of 据
    EXPECT_EQ(t.SelStart(), 4);
    EXPECT_EQ(t.SelText(), Ju);
    t.MoveLeft(true);
    EXPECT_EQ(t.SelText(), Shu + Ju);
    EXPECT_TRUE(t.Insert("X"));
    EXPECT_EQ(t.Text(), "abXcd");
    EXPECT_EQ(t.Caret(), 3);
    EXPECT_TRUE(t.DeleteBackward());
    EXPECT_TRUE(t.DeleteForward());
    EXPECT_EQ(t.Text(), "abd");
    EXPECT_EQ(t.Caret(), 2);
    // A caret placed inside a double-byte character snaps to its start.
    t.SetText(Shu + Ju);
    t.SetCaret(3);
    EXPECT_EQ(t.Caret(), 2);
    EXPECT_TRUE(t.DeleteBackward());
    EXPECT_EQ(t.Text(), Ju);
    EXPECT_FALSE(t.DeleteBackward()); // at the start
    t.MoveEnd(false);
    EXPECT_FALSE(t.DeleteForward()); // at the end
    // Moving without Shift collapses a selection to its side.
    t.SetText("hello");
    t.Select(1, 3);
    t.MoveRight(false);
    EXPECT_EQ(t.Caret(), 4);
    EXPECT_EQ(t.SelLength(), 0);
    t.Select(1, 3);
    t.MoveLeft(false);
    EXPECT_EQ(t.Caret(), 1);
    t.MoveHome(true);
    EXPECT_EQ(t.SelText(), "h");
    t.SelectAll();
    EXPECT_EQ(t.SelText(), "hello");
}

TEST_F(EditText, MaxLengthTakesWholeCharactersAndASingleLineNoBreaks)
{
    TspEditText t;
    t.SetMaxLength(5);
    EXPECT_TRUE(t.Insert("ab" + Shu + Ju));
    EXPECT_EQ(t.Text(), "ab" + Shu); // 据 would make 6 bytes
    EXPECT_TRUE(t.Insert("cd"));
    EXPECT_EQ(t.Text(), "ab" + Shu + "c");
    EXPECT_FALSE(t.Insert("e")); // full
    t.SelectAll();
    EXPECT_TRUE(t.Insert("xyz"));
    EXPECT_EQ(t.Text(), "xyz");
    t.SetMaxLength(2);
    EXPECT_EQ(t.Text(), "xy");
    EXPECT_LE(t.Caret(), 2);
    // A pasted text with lines: a single line takes its first line.
    TspEditText line;
    line.Insert("first\r\nsecond");
    EXPECT_EQ(line.Text(), "first");
    EXPECT_EQ(line.LineCount(), 1);
}

TEST_F(EditText, MemoLinesAndVerticalMoves)
{
    TspEditText t(true);
    t.SetText("one\r\nthree33\rxy");
    EXPECT_EQ(t.Text(), "one\nthree33\nxy");
    ASSERT_EQ(t.LineCount(), 3);
    EXPECT_EQ(t.Line(1), "three33");
    t.SetCaret(2); // "on|e"
    t.MoveDown(false);
    EXPECT_EQ(t.LineOf(t.Caret()), 1);
    EXPECT_EQ(t.Caret() - t.LineStart(1), 2);
    t.MoveEnd(false);
    t.MoveDown(true); // the short last line: its end
    EXPECT_EQ(t.Caret(), int(t.Text().size()));
    EXPECT_EQ(t.SelText(), "\nxy");
    t.MoveDown(false); // on the last line: to its end
    EXPECT_EQ(t.Caret(), int(t.Text().size()));
    t.MoveUp(false, 5); // past the top: the first line
    EXPECT_EQ(t.LineOf(t.Caret()), 0);
    t.MoveUp(false);
    EXPECT_EQ(t.Caret(), 0);
    // Backspace at a line's start joins the lines.
    t.SetCaret(t.LineStart(2));
    EXPECT_TRUE(t.DeleteBackward());
    EXPECT_EQ(t.Text(), "one\nthree33xy");
}

TEST_F(EditText, TypedBytesMakeWholeCharactersAndWordsAreSkipped)
{
    TspEditText t;
    EXPECT_EQ(t.TakeTypedByte('\xCA'), ""); // a lead byte waits for its trail byte
    EXPECT_EQ(t.TakeTypedByte('\xFD'), Shu);
    EXPECT_EQ(t.TakeTypedByte('a'), "a");
    t.SetText("alpha, beta gamma");
    t.MoveWordLeft(false);
    EXPECT_EQ(t.Caret(), 12);
    t.MoveWordLeft(true);
    EXPECT_EQ(t.SelText(), "beta ");
    t.SetCaret(0);
    t.MoveWordRight(false);
    EXPECT_EQ(t.Caret(), 7);
    // In a UTF-8 code page a character is its whole sequence.
    xe::base::SetAnsiCodePage("UTF-8");
    TspEditText u;
    EXPECT_EQ(u.TakeTypedByte('\xE6'), "");
    EXPECT_EQ(u.TakeTypedByte('\x95'), "");
    EXPECT_EQ(u.TakeTypedByte('\xB0'), "\xE6\x95\xB0");
    u.SetText("a\xE6\x95\xB0");
    u.MoveLeft(true);
    EXPECT_EQ(u.SelText(), "\xE6\x95\xB0");
}
