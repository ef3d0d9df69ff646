#pragma once

#include <string>
#include <string_view>

namespace xe::skin {

// The text of an edit or memo with its caret and selection, apart from drawing. Text is in
// the ANSI code page; positions are byte offsets that always lie on character boundaries
// (a double-byte character, or a UTF-8 sequence when the code page is UTF-8, is moved over
// and deleted whole). A memo's lines are separated by "\n"; a single-line text holds none.
class TspEditText {
public:
    explicit TspEditText(bool multiLine = false)
        : FMultiLine(multiLine)
    {
    }

    std::string const& Text() const { return FText; }
    // Replaces the whole text (a single line keeps what precedes the first line break; cut
    // at MaxLength); the caret goes to the end, nothing selected.
    void SetText(std::string_view text);

    // 0 is no limit; a smaller limit than the text cuts the text.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);

    int Caret() const { return FCaret; }
    int SelStart() const { return FCaret < FAnchor ? FCaret : FAnchor; }
    int SelLength() const { return FCaret < FAnchor ? FAnchor - FCaret : FCaret - FAnchor; }
    std::string SelText() const { return FText.substr(size_t(SelStart()), size_t(SelLength())); }
    // Moves the caret to pos (snapped to a boundary); with extend the selection runs from
    // where it started to pos.
    void SetCaret(int pos, bool extend = false);
    void Select(int start, int length);
    void SelectAll() { Select(0, int(FText.size())); }

    // Editing; each returns whether the text changed. Insert replaces the selection and takes
    // what fits under MaxLength (whole characters only); "\r\n" and "\r" become "\n" in a
    // memo, and a single line takes what precedes the first line break.
    bool Insert(std::string_view text);
    bool DeleteBackward(); // Backspace: the selection, or the character before the caret
    bool DeleteForward(); // Delete: the selection, or the character after the caret
    bool DeleteSelection();

    // Caret moves (extend: Shift held).
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    void MoveWordLeft(bool extend);
    void MoveWordRight(bool extend);
    void MoveHome(bool extend); // start of the caret's line
    void MoveEnd(bool extend); // end of the caret's line
    void MoveUp(bool extend, int lines = 1); // memo: same column or the line's end
    void MoveDown(bool extend, int lines = 1);
    void MoveToStart(bool extend) { SetCaret(0, extend); }
    void MoveToEnd(bool extend) { SetCaret(int(FText.size()), extend); }

    // Lines: the count, and the line and column (bytes) of a position.
    int LineCount() const;
    int LineStart(int line) const;
    int LineEnd(int line) const;
    int LineOf(int pos) const;
    std::string Line(int line) const;

    // A typed byte: a double-byte character's lead byte (or an unfinished UTF-8 sequence) is
    // held until its last byte comes, so that a character goes in whole. Returns what to
    // insert now (possibly nothing).
    std::string TakeTypedByte(char c);

    // The length of the character at pos, and the boundary before pos.
    int CharLengthAt(int pos) const;
    int PrevBoundary(int pos) const;
    int NextBoundary(int pos) const { return pos + CharLengthAt(pos); }
    // The largest boundary at or before pos.
    int Snap(int pos) const;

private:
    bool FMultiLine;
    std::string FText;
    int FMaxLength = 0;
    int FCaret = 0;
    int FAnchor = 0;
    std::string FPending; // bytes of a character being typed
};

// The length in bytes of the ANSI character that starts with these bytes (1 for a lone or
// broken lead byte).
int AnsiCharLength(std::string_view bytes);

} // namespace xe::skin
