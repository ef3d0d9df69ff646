#pragma once

#include "skin/controls/EditText.h"
#include "skin/controls/InnerScrollBar.h"
#include "skin/controls/SkinControl.h"

#include <string>
#include <vector>

namespace xe::skin {

// A single-line text field drawn from an `edit` look: the normal image, the active image
// while focused or under the mouse, the text in the look's font and colours (disabled,
// active). Caret and selection by mouse (a drag or Shift+click) and keys (arrows, Ctrl for
// words, Home/End, Shift to select, Ctrl+A), editing (typing, Backspace, Delete), and the
// clipboard (Ctrl+C/X/V, Ctrl+Insert, Shift+Delete/Insert). ReadOnly keeps the text but
// still selects and copies; MaxLength limits it in bytes (whole characters only).
class TspSkinEdit : public TspSkinControl {
public:
    explicit TspSkinEdit(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinEdit"; }

    std::string const& Text() const { return FText.Text(); }
    // Replaces the text (OnChange when it differs); the caret goes to the end.
    void SetText(std::string const& value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    int MaxLength() const { return FText.MaxLength(); }
    void SetMaxLength(int value);

    int SelStart() const { return FText.SelStart(); }
    int SelLength() const { return FText.SelLength(); }
    std::string SelText() const { return FText.SelText(); }
    void Select(int start, int length);
    void SelectAll();
    int CaretPos() const { return FText.Caret(); }
    void SetCaretPos(int pos);

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void ClearSelection();
    // Selects the word at the caret (what a double click does).
    void DblClick() override;

    // The text changed, by the user or by SetText.
    tk::TNotifyEvent OnChange;

    // The caret blinks while the control has the focus and is enabled: shown when the focus
    // arrives and after every key or click, then hidden and shown every CaretBlinkTime ms.
    static constexpr unsigned CaretBlinkTime = 530;
    bool CaretShown() const { return FCaretOn && Focused() && Enabled(); }
    // The blink timer runs (only while focused and enabled).
    bool CaretBlinking() const { return FCaretTimer && FCaretTimer->Enabled(); }

    void DefineProperties(tk::TProperties& properties) override;

protected:
    TspSkinEdit(tk::TComponent* owner, char const* lookName, bool multiLine);

    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void WndProc(tk::TMessage& message) override;
    // Shows the caret and starts its blink afresh (or stops it when the control is not
    // focused and enabled, or its form's window is not the active one).
    void RestartCaret();
    bool CaretWanted() const;

    // The text area in control coordinates: the look's client rectangle with its margins
    // kept at this size, or a 3-pixel inset without a look (the memo leaves out its bar).
    virtual base::TRect TextArea() const;
    // The font text is drawn in now (look or control font, colour by state).
    gfx::TFont TextFont() const;
    int LineHeight() const;
    int TextWidth(std::string_view text) const;
    // The position (byte offset) nearest to a point of the control.
    virtual int PositionAt(int x, int y) const;
    // Draws the text, selection and caret into the text area.
    virtual void DrawText(gfx::TCanvas& canvas, base::TRect const& area, gfx::TFont const& font);
    // Keeps the caret inside the text area (horizontal scrolling; the memo scrolls lines too).
    virtual void ScrollToCaret();
    // An edit took place: repaint, and OnChange when the text changed.
    void Edited(bool changed);
    void MovedCaret();

    TspEditText FText;
    bool FReadOnly = false;
    bool FSelecting = false; // the left button is down and drags the selection
    int FScrollX = 0; // pixels of the text scrolled out at the left

private:
    void RunCaret(bool run);
    void CaretTick();

    bool FCaretOn = false;
    tk::TComponentPtr<tk::TTimer> FCaretTimer; // made on first focus
};

// A text of several lines drawn from a `memo` look: as the edit, with its text area filled
// with the look's `bgcolor` (`activebgcolor` while focused), Enter starting a line, Up/Down
// and Page Up/Page Down moving between lines, and the lines scrolled to keep the caret in view.
// When the lines do not fit, a vertical scroll bar (from the skin's `vscrollbar` look, or
// plain) stands at the right of the text area and scrolls them.
class TspSkinMemo : public TspSkinEdit, private TspInnerScrollBar::TSource {
public:
    explicit TspSkinMemo(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinMemo"; }

    std::vector<std::string> Lines() const;
    void SetLines(std::vector<std::string> const& lines);
    int LineCount() const { return FText.LineCount(); }
    // The first line shown.
    int TopLine() const { return FTopLine; }
    void SetTopLine(int value);
    int VisibleLineCount() const;
    // The caret's line and column (bytes).
    int CaretLine() const { return FText.LineOf(FText.Caret()); }
    // The built-in scroll bar (its pieces are empty while every line shows).
    TspInnerScrollBar const& ScrollBar() const { return FBar; }

protected:
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    void KeyPress(char& key) override;
    int PositionAt(int x, int y) const override;
    void DrawText(gfx::TCanvas& canvas, base::TRect const& area, gfx::TFont const& font) override;
    void ScrollToCaret() override;
    // The wheel scrolls the lines; the caret stays where it is.
    bool DoMouseWheel(tk::TShiftState shift, int wheelDelta, base::TPoint mousePos) override;
    base::TRect TextArea() const override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void EnabledChanged() override;

private:
    base::TRect InnerBarRect() const override;
    TspDataSkinScrollBarControl const* InnerBarLook() const override;
    int InnerBarPosition() const override { return FTopLine; }
    int InnerBarMax() const override { return std::max(FText.LineCount() - VisibleLineCount(), 0); }
    int InnerBarPage() const override { return VisibleLineCount(); }
    void InnerBarScrollTo(int position) override { SetTopLine(position); }
    void InnerBarChanged() override { Invalidate(); }

    int FTopLine = 0;
    TspInnerScrollBar FBar { *this };
};

} // namespace xe::skin
