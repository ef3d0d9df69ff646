#include "skin/controls/SkinEdit.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Clipbrd.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>

namespace xe::skin {

using base::TRect;

TspSkinEdit::TspSkinEdit(tk::TComponent* owner)
    : TspSkinEdit(owner, "edit", false)
{
}

TspSkinEdit::TspSkinEdit(tk::TComponent* owner, char const* lookName, bool multiLine)
    : TspSkinControl(owner, lookName)
    , FText(multiLine)
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
    SetCursor(tk::crIBeam);
    SetBounds(Left(), Top(), 121, multiLine ? 89 : 21);
}

void TspSkinEdit::SetText(std::string const& value)
{
    std::string const old = FText.Text();
    FText.SetText(value);
    FScrollX = 0;
    Edited(FText.Text() != old);
}

void TspSkinEdit::SetMaxLength(int value)
{
    std::string const old = FText.Text();
    FText.SetMaxLength(value);
    Edited(FText.Text() != old);
}

void TspSkinEdit::Select(int start, int length)
{
    FText.Select(start, length);
    MovedCaret();
}

void TspSkinEdit::SelectAll()
{
    FText.SelectAll();
    MovedCaret();
}

void TspSkinEdit::SetCaretPos(int pos)
{
    FText.SetCaret(pos);
    MovedCaret();
}

void TspSkinEdit::CopyToClipboard()
{
    if (FText.SelLength() > 0)
        tk::Clipboard().SetAsText(FText.SelText());
}

void TspSkinEdit::CutToClipboard()
{
    if (FReadOnly || FText.SelLength() == 0)
        return;
    CopyToClipboard();
    Edited(FText.DeleteSelection());
}

void TspSkinEdit::PasteFromClipboard()
{
    if (FReadOnly || !tk::Clipboard().HasText())
        return;
    Edited(FText.Insert(tk::Clipboard().AsText()));
}

void TspSkinEdit::ClearSelection()
{
    if (!FReadOnly)
        Edited(FText.DeleteSelection());
}

void TspSkinEdit::Edited(bool changed)
{
    MovedCaret();
    if (changed && OnChange)
        OnChange(this);
}

void TspSkinEdit::MovedCaret()
{
    ScrollToCaret();
    RestartCaret();
    Invalidate();
}

// --- caret blink ---------------------------------------------------------------------------

// The caret blinks only in the active window: another window has the keyboard meanwhile.
bool TspSkinEdit::CaretWanted() const
{
    tk::TForm* form = GetParentForm();
    return Focused() && Enabled() && form && form->Active();
}

void TspSkinEdit::RestartCaret() { RunCaret(CaretWanted()); }

void TspSkinEdit::WndProc(tk::TMessage& message)
{
    // The window hears that it goes inactive while it still is the active one.
    if (message.Msg == CM_DEACTIVATE)
        RunCaret(false);
    else if (message.Msg == CM_ACTIVATE)
        RestartCaret();
    TspSkinControl::WndProc(message);
}

void TspSkinEdit::RunCaret(bool run)
{
    bool const wasShown = CaretShown();
    FCaretOn = run;
    if (run) {
        if (!FCaretTimer) {
            FCaretTimer.reset(new tk::TTimer(nullptr));
            FCaretTimer->SetInterval(CaretBlinkTime);
            FCaretTimer->OnTimer = [this](tk::TComponent*) { CaretTick(); };
        }
        // Off and on again: the next change comes a whole period from now.
        FCaretTimer->SetEnabled(false);
        FCaretTimer->SetEnabled(true);
    } else if (FCaretTimer) {
        FCaretTimer->SetEnabled(false);
    }
    if (wasShown != CaretShown())
        Invalidate();
}

void TspSkinEdit::CaretTick()
{
    if (!CaretWanted()) {
        RestartCaret(); // stops it
        return;
    }
    FCaretOn = !FCaretOn;
    Invalidate();
}

void TspSkinEdit::DoEnter()
{
    TspSkinControl::DoEnter();
    RestartCaret();
}

void TspSkinEdit::DoExit()
{
    // Still the focused control while it hears that it loses the focus.
    RunCaret(false);
    TspSkinControl::DoExit();
}

void TspSkinEdit::EnabledChanged()
{
    TspSkinControl::EnabledChanged();
    RestartCaret();
}

// --- geometry and text ---------------------------------------------------------------------

TRect TspSkinEdit::TextArea() const
{
    if (auto* look = LookAs<TspDataSkinCustomControl>(); look && !base::IsRectEmpty(look->ClientRect)) {
        TRect const& c = look->ClientRect;
        return base::Rect(c.Left, c.Top, Width() - (look->SkinRect.Width() - c.Right),
            Height() - (look->SkinRect.Height() - c.Bottom));
    }
    return base::Rect(3, 3, Width() - 3, Height() - 3);
}

gfx::TFont TspSkinEdit::TextFont() const
{
    if (auto* look = LookAs<TspDataSkinEditControl>()) {
        base::TColor const color = !Enabled() ? look->DisabledFontColor
            : Focused()                       ? look->ActiveFontColor
                                              : look->FontColor;
        return LookFont(look->FontName, look->FontHeight, look->FontStyle, color);
    }
    gfx::TFont font;
    font.Assign(Font());
    if (!Enabled())
        font.SetColor(base::clGrayText);
    return font;
}

int TspSkinEdit::LineHeight() const
{
    gfx::TBitmap scratch(1, 1);
    scratch.Canvas().Font.Assign(TextFont());
    return std::max(scratch.Canvas().TextHeight("Wg"), 1);
}

int TspSkinEdit::TextWidth(std::string_view text) const
{
    if (text.empty())
        return 0;
    gfx::TBitmap scratch(1, 1);
    scratch.Canvas().Font.Assign(TextFont());
    return scratch.Canvas().TextWidth(text);
}

namespace {

// The boundary of line [start, end) of text whose left edge is nearest to x (pixels from
// the line's start), measuring with width.
template <class TWidth> int NearestInLine(TspEditText const& t, int start, int end, int x, TWidth width)
{
    int best = start, bestDistance = x < 0 ? -x : x;
    for (int p = start; p < end;) {
        p = std::min(t.NextBoundary(p), end);
        int const w = width(std::string_view(t.Text()).substr(size_t(start), size_t(p - start)));
        int const distance = w > x ? w - x : x - w;
        if (distance < bestDistance) {
            best = p;
            bestDistance = distance;
        }
        if (w > x)
            break;
    }
    return best;
}

} // namespace

int TspSkinEdit::PositionAt(int x, int) const
{
    TRect const area = TextArea();
    return NearestInLine(FText, 0, int(FText.Text().size()), x - area.Left - 1 + FScrollX,
        [this](std::string_view s) { return TextWidth(s); });
}

void TspSkinEdit::ScrollToCaret()
{
    TRect const area = TextArea();
    int const room = std::max(area.Width() - 3, 1);
    int const caretX = TextWidth(std::string_view(FText.Text()).substr(0, size_t(FText.Caret())));
    if (caretX - FScrollX > room)
        FScrollX = caretX - room;
    if (caretX < FScrollX)
        FScrollX = caretX;
    // No empty space at the right while the text could fill it.
    int const total = TextWidth(FText.Text());
    FScrollX = std::clamp(FScrollX, 0, std::max(total - room, 0));
    if (caretX < FScrollX)
        FScrollX = caretX;
}

// --- drawing -------------------------------------------------------------------------------

namespace {

// One line of text at (x, y) with the part [selFrom, selTo) of it highlighted.
void DrawLine(gfx::TCanvas& canvas, std::string_view line, int x, int y, int lineHeight, int selFrom,
    int selTo, gfx::TFont const& font)
{
    canvas.Brush.Style = gfx::bsClear;
    canvas.Font.Assign(font);
    selFrom = std::clamp(selFrom, 0, int(line.size()));
    selTo = std::clamp(selTo, 0, int(line.size()));
    if (selFrom >= selTo) {
        canvas.TextOut(x, y, line);
        return;
    }
    canvas.TextOut(x, y, line.substr(0, size_t(selFrom)));
    int const left = x + canvas.TextWidth(line.substr(0, size_t(selFrom)));
    std::string_view const sel = line.substr(size_t(selFrom), size_t(selTo - selFrom));
    int const width = canvas.TextWidth(sel);
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(base::clHighlight);
    canvas.FillRect(base::Rect(left, y, left + width, y + lineHeight));
    canvas.Brush.Style = gfx::bsClear;
    canvas.Font.SetColor(base::ColorToRGB(base::clHighlightText));
    canvas.TextOut(left, y, sel);
    canvas.Font.Assign(font);
    canvas.TextOut(left + width, y, line.substr(size_t(selTo)));
}

} // namespace

void TspSkinEdit::DrawText(gfx::TCanvas& canvas, TRect const& area, gfx::TFont const& font)
{
    gfx::TCanvasSaver saver(canvas);
    canvas.Font.Assign(font);
    int const lineHeight = canvas.TextHeight("Wg");
    int const x = area.Left + 1 - FScrollX, y = area.Top + (area.Height() - lineHeight) / 2;
    canvas.IntersectClipRect(area);
    // The selection shows only while the edit has the focus.
    bool const showSelection = Focused() && Enabled();
    DrawLine(canvas, FText.Text(), x, y, lineHeight, FText.SelStart(),
        showSelection ? FText.SelStart() + FText.SelLength() : 0, font);
    if (CaretShown()) {
        int const cx = x + canvas.TextWidth(std::string_view(FText.Text()).substr(0, size_t(FText.Caret())));
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(font.Color());
        canvas.FillRect(base::Rect(cx, y, cx + 1, y + lineHeight));
    }
}

bool TspSkinEdit::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinEditControl>();
    if (!look || !LookPicture())
        return false;
    bool const active = Enabled() && (Focused() || MouseIn()) && !base::IsRectEmpty(look->ActiveSkinRect);
    DrawLookRect(canvas, active ? look->ActiveSkinRect : look->SkinRect, ClientRect());
    DrawText(canvas, TextArea(), TextFont());
    return true;
}

void TspSkinEdit::PaintPlain(gfx::TCanvas& canvas)
{
    TRect const r = ClientRect();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Enabled() ? base::clWindow : base::clBtnFace);
    canvas.FillRect(r);
    canvas.Pen.Color = base::ColorToRGB(base::clBtnShadow);
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.Pen.Color = base::ColorToRGB(base::clBtnHighlight);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Bottom - 1);
    DrawText(canvas, TextArea(), TextFont());
}

// --- mouse and keys ------------------------------------------------------------------------

void TspSkinEdit::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    RestartCaret();
    if (button != tk::mbLeft)
        return;
    if (CanFocus() && !Focused())
        SetFocus();
    FText.SetCaret(PositionAt(x, y), (shift & tk::ssShift) != 0);
    FSelecting = true;
    MovedCaret();
}

void TspSkinEdit::MouseMove(tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseMove(shift, x, y);
    if (FSelecting && (shift & tk::ssLeft)) {
        FText.SetCaret(PositionAt(x, y), true);
        MovedCaret();
    }
}

void TspSkinEdit::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft)
        FSelecting = false;
    TspSkinControl::MouseUp(button, shift, x, y);
}

void TspSkinEdit::DblClick()
{
    // A double click selects the word under the caret.
    FText.MoveWordLeft(false);
    int const start = FText.Caret();
    FText.MoveWordRight(true);
    int end = FText.Caret();
    while (end > start && FText.Text()[size_t(end - 1)] == ' ')
        --end;
    FText.Select(start, end - start);
    FSelecting = false;
    MovedCaret();
    TspSkinControl::DblClick();
}

void TspSkinEdit::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    RestartCaret();
    TspSkinControl::KeyDown(key, shift);
    if (key == 0 || !Enabled())
        return;
    bool const extend = (shift & tk::ssShift) != 0, ctrl = (shift & tk::ssCtrl) != 0;
    bool handled = true;
    switch (key) {
    case win::VK_LEFT:
        ctrl ? FText.MoveWordLeft(extend) : FText.MoveLeft(extend);
        MovedCaret();
        break;
    case win::VK_RIGHT:
        ctrl ? FText.MoveWordRight(extend) : FText.MoveRight(extend);
        MovedCaret();
        break;
    case win::VK_HOME:
        ctrl ? FText.MoveToStart(extend) : FText.MoveHome(extend);
        MovedCaret();
        break;
    case win::VK_END:
        ctrl ? FText.MoveToEnd(extend) : FText.MoveEnd(extend);
        MovedCaret();
        break;
    case win::VK_BACK:
        if (!FReadOnly)
            Edited(FText.DeleteBackward());
        break;
    case win::VK_DELETE:
        if (extend)
            CutToClipboard();
        else if (!FReadOnly)
            Edited(FText.DeleteForward());
        break;
    case win::VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (extend)
            PasteFromClipboard();
        break;
    default:
        handled = false;
        if (ctrl && !(shift & tk::ssAlt)) {
            handled = true;
            switch (key) {
            case 'A':
                SelectAll();
                break;
            case 'C':
                CopyToClipboard();
                break;
            case 'X':
                CutToClipboard();
                break;
            case 'V':
                PasteFromClipboard();
                break;
            default:
                handled = false;
            }
        }
    }
    if (handled)
        key = 0;
}

void TspSkinEdit::KeyPress(char& key)
{
    RestartCaret();
    TspSkinControl::KeyPress(key);
    // Control characters (Backspace, Tab, Enter, Escape, Ctrl chords) are keys, not text.
    if (key == 0 || static_cast<unsigned char>(key) < 0x20 || key == 0x7F || !Enabled())
        return;
    std::string const typed = FText.TakeTypedByte(key);
    key = 0;
    if (FReadOnly || typed.empty())
        return;
    Edited(FText.Insert(typed));
}

void TspSkinEdit::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.String(
        "Text", [this] { return FText.Text(); }, [this](std::string const& v) { SetText(v); });
    p.Boolean(
        "ReadOnly", [this] { return FReadOnly; }, [this](bool v) { SetReadOnly(v); });
    p.Integer(
        "MaxLength", [this] { return int64_t(MaxLength()); }, [this](int64_t v) { SetMaxLength(int(v)); });
}

// --- memo ------------------------------------------------------------------------------------

TspSkinMemo::TspSkinMemo(tk::TComponent* owner)
    : TspSkinEdit(owner, "memo", true)
{
}

std::vector<std::string> TspSkinMemo::Lines() const
{
    std::vector<std::string> lines;
    for (int i = 0; i < FText.LineCount(); ++i)
        lines.push_back(FText.Line(i));
    return lines;
}

void TspSkinMemo::SetLines(std::vector<std::string> const& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    SetText(text);
}

int TspSkinMemo::VisibleLineCount() const { return std::max(TextArea().Height() / LineHeight(), 1); }

void TspSkinMemo::SetTopLine(int value)
{
    value = std::clamp(value, 0, std::max(FText.LineCount() - VisibleLineCount(), 0));
    if (value == FTopLine)
        return;
    FTopLine = value;
    Invalidate();
}

bool TspSkinMemo::DoMouseWheel(tk::TShiftState, int wheelDelta, base::TPoint)
{
    SetTopLine(FTopLine - WheelNotches(wheelDelta) * WheelScrollLines);
    return true;
}

void TspSkinMemo::ScrollToCaret()
{
    int const line = FText.LineOf(FText.Caret()), visible = VisibleLineCount();
    if (line < FTopLine)
        FTopLine = line;
    else if (line >= FTopLine + visible)
        FTopLine = line - visible + 1;
    FTopLine = std::clamp(FTopLine, 0, std::max(FText.LineCount() - 1, 0));
    // Horizontally, as the edit does, on the caret's line.
    TRect const area = TextArea();
    int const room = std::max(area.Width() - 3, 1);
    int const start = FText.LineStart(line);
    int const caretX
        = TextWidth(std::string_view(FText.Text()).substr(size_t(start), size_t(FText.Caret() - start)));
    if (caretX - FScrollX > room)
        FScrollX = caretX - room;
    if (caretX < FScrollX)
        FScrollX = caretX;
}

int TspSkinMemo::PositionAt(int x, int y) const
{
    TRect const area = TextArea();
    int const row = y < area.Top ? -1 : (y - area.Top) / LineHeight();
    int const line = std::clamp(FTopLine + row, 0, FText.LineCount() - 1);
    return NearestInLine(FText, FText.LineStart(line), FText.LineEnd(line), x - area.Left - 1 + FScrollX,
        [this](std::string_view s) { return TextWidth(s); });
}

void TspSkinMemo::DrawText(gfx::TCanvas& canvas, TRect const& area, gfx::TFont const& font)
{
    gfx::TCanvasSaver saver(canvas);
    canvas.Font.Assign(font);
    int const lineHeight = canvas.TextHeight("Wg");
    canvas.IntersectClipRect(area);
    int const selFrom = FText.SelStart();
    int const selTo = Focused() && Enabled() ? selFrom + FText.SelLength() : selFrom;
    int const x = area.Left + 1 - FScrollX;
    for (int line = FTopLine, y = area.Top; line < FText.LineCount() && y < area.Bottom;
         ++line, y += lineHeight) {
        int const start = FText.LineStart(line);
        std::string const text = FText.Line(line);
        DrawLine(canvas, text, x, y, lineHeight, selFrom - start, selTo - start, font);
        if (CaretShown() && FText.LineOf(FText.Caret()) == line) {
            int const cx
                = x + canvas.TextWidth(std::string_view(text).substr(0, size_t(FText.Caret() - start)));
            canvas.Brush.Style = gfx::bsSolid;
            canvas.Brush.Color = base::ColorToRGB(font.Color());
            canvas.FillRect(base::Rect(cx, y, cx + 1, y + lineHeight));
        }
    }
}

bool TspSkinMemo::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinMemoControl>();
    if (!look || !LookPicture())
        return false;
    bool const focused = Enabled() && Focused();
    bool const active = Enabled() && (Focused() || MouseIn()) && !base::IsRectEmpty(look->ActiveSkinRect);
    DrawLookRect(canvas, active ? look->ActiveSkinRect : look->SkinRect, ClientRect());
    TRect const area = TextArea();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = focused ? look->ActiveBGColor : look->BGColor;
    canvas.FillRect(area);
    DrawText(canvas, area, TextFont());
    FBar.Paint(canvas, SkinData());
    return true;
}

void TspSkinMemo::PaintPlain(gfx::TCanvas& canvas)
{
    TspSkinEdit::PaintPlain(canvas);
    FBar.Paint(canvas, SkinData());
}

// --- the built-in scroll bar ---------------------------------------------------------------

TRect TspSkinMemo::InnerBarRect() const
{
    TRect const full = TspSkinEdit::TextArea();
    if (FText.LineCount() <= std::max(full.Height() / LineHeight(), 1))
        return TRect {};
    int const width = TspInnerScrollBar::Thickness(InnerBarLook());
    return base::Rect(std::max(full.Left, full.Right - width), full.Top, full.Right, full.Bottom);
}

TspDataSkinScrollBarControl const* TspSkinMemo::InnerBarLook() const
{
    auto const* look = LookByNameAs<TspDataSkinScrollBarControl>("vscrollbar");
    return look && PictureAt(SkinData(), look->PictureIndex) && !base::IsRectEmpty(look->SkinRect) ? look
                                                                                                   : nullptr;
}

TRect TspSkinMemo::TextArea() const
{
    TRect area = TspSkinEdit::TextArea();
    if (TRect const bar = InnerBarRect(); !base::IsRectEmpty(bar))
        area.Right = bar.Left;
    return area;
}

void TspSkinMemo::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    // A press on the bar scrolls; the caret stays.
    if (button == tk::mbLeft && Enabled() && base::PtInRect(InnerBarRect(), { x, y })) {
        TspSkinControl::MouseDown(button, shift, x, y);
        FBar.Tracker().Press({ x, y });
        return;
    }
    TspSkinEdit::MouseDown(button, shift, x, y);
}

void TspSkinMemo::MouseMove(tk::TShiftState shift, int x, int y)
{
    if (FBar.Tracker().Pressed() != TspScrollBarHost::spNone) {
        TspSkinControl::MouseMove(shift, x, y);
        FBar.Tracker().Move({ x, y });
        return;
    }
    FBar.Tracker().Move({ x, y });
    TspSkinEdit::MouseMove(shift, x, y);
}

void TspSkinMemo::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft)
        FBar.Tracker().Release({ x, y });
    TspSkinEdit::MouseUp(button, shift, x, y);
}

void TspSkinMemo::EnabledChanged()
{
    if (!Enabled())
        FBar.Tracker().Cancel();
    TspSkinEdit::EnabledChanged();
}

void TspSkinMemo::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    RestartCaret();
    bool const extend = (shift & tk::ssShift) != 0;
    if (Enabled()) {
        switch (key) {
        case win::VK_UP:
            FText.MoveUp(extend);
            break;
        case win::VK_DOWN:
            FText.MoveDown(extend);
            break;
        case win::VK_PRIOR:
            FText.MoveUp(extend, VisibleLineCount());
            break;
        case win::VK_NEXT:
            FText.MoveDown(extend, VisibleLineCount());
            break;
        default:
            TspSkinEdit::KeyDown(key, shift);
            return;
        }
        if (OnKeyDown)
            OnKeyDown(this, key, shift);
        MovedCaret();
        key = 0;
        return;
    }
    TspSkinEdit::KeyDown(key, shift);
}

void TspSkinMemo::KeyPress(char& key)
{
    RestartCaret();
    if (key == '\r' && Enabled()) {
        if (OnKeyPress)
            OnKeyPress(this, key);
        if (key == '\r' && !FReadOnly)
            Edited(FText.Insert("\n"));
        key = 0;
        return;
    }
    TspSkinEdit::KeyPress(key);
}

} // namespace xe::skin
