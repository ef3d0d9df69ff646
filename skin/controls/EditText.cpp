#include "skin/controls/EditText.h"

#include "platform/base/Strings.h"

#include <algorithm>
#include <cctype>

namespace xe::skin {

int AnsiCharLength(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    auto const lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80)
        return 1;
    if (base::AnsiIsUtf8()) {
        int const n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (int(bytes.size()) < n)
            return 1;
        for (int i = 1; i < n; ++i)
            if ((static_cast<unsigned char>(bytes[size_t(i)]) & 0xC0) != 0x80)
                return 1;
        return n;
    }
    // Double-byte code pages (GBK): a lead byte from 0x81 takes the next byte with it.
    if (lead >= 0x81 && lead <= 0xFE && bytes.size() >= 2 && static_cast<unsigned char>(bytes[1]) >= 0x40)
        return 2;
    return 1;
}

int TspEditText::CharLengthAt(int pos) const
{
    if (pos < 0 || pos >= int(FText.size()))
        return 0;
    return AnsiCharLength(std::string_view(FText).substr(size_t(pos)));
}

int TspEditText::Snap(int pos) const
{
    pos = std::clamp(pos, 0, int(FText.size()));
    // Walk from the start of the line: double-byte trail bytes look like lead bytes, so only
    // a walk from a known boundary finds them.
    int const from = int(FText.rfind('\n', size_t(pos > 0 ? pos - 1 : 0)));
    int p = from == int(std::string::npos) || from >= pos ? 0 : from + 1;
    while (p < pos) {
        int const next = NextBoundary(p);
        if (next > pos)
            break;
        p = next;
    }
    return p;
}

int TspEditText::PrevBoundary(int pos) const
{
    if (pos <= 0)
        return 0;
    return Snap(pos - 1);
}

void TspEditText::SetText(std::string_view text)
{
    FText.clear();
    FCaret = FAnchor = 0;
    FPending.clear();
    Insert(text);
    FCaret = FAnchor = int(FText.size());
}

void TspEditText::SetMaxLength(int value)
{
    FMaxLength = std::max(value, 0);
    if (FMaxLength > 0 && int(FText.size()) > FMaxLength) {
        FText.resize(size_t(Snap(FMaxLength)));
        FCaret = std::min(FCaret, int(FText.size()));
        FAnchor = std::min(FAnchor, int(FText.size()));
    }
}

void TspEditText::SetCaret(int pos, bool extend)
{
    FCaret = Snap(pos);
    if (!extend)
        FAnchor = FCaret;
}

void TspEditText::Select(int start, int length)
{
    FAnchor = Snap(start);
    FCaret = Snap(start + std::max(length, 0));
}

bool TspEditText::DeleteSelection()
{
    if (FCaret == FAnchor)
        return false;
    int const start = SelStart();
    FText.erase(size_t(start), size_t(SelLength()));
    FCaret = FAnchor = start;
    return true;
}

bool TspEditText::Insert(std::string_view text)
{
    std::string clean;
    if (!FMultiLine) {
        // A single line takes what comes before the first line break, as a one-line edit
        // does with pasted lines.
        clean = text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
    } else {
        clean.reserve(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            // "\r\n" and a lone "\r" are one line break.
            if (text[i] == '\r') {
                if (i + 1 < text.size() && text[i + 1] == '\n')
                    continue;
                clean += '\n';
            } else
                clean += text[i];
        }
    }
    bool changed = DeleteSelection();
    if (FMaxLength > 0) {
        int const room = FMaxLength - int(FText.size());
        if (room <= 0)
            return changed;
        if (int(clean.size()) > room) {
            // Whole characters only.
            int keep = 0;
            while (keep < int(clean.size())) {
                int const n = AnsiCharLength(std::string_view(clean).substr(size_t(keep)));
                if (keep + n > room)
                    break;
                keep += n;
            }
            clean.resize(size_t(keep));
        }
    }
    if (clean.empty())
        return changed;
    FText.insert(size_t(FCaret), clean);
    FCaret = FAnchor = FCaret + int(clean.size());
    return true;
}

bool TspEditText::DeleteBackward()
{
    if (DeleteSelection())
        return true;
    if (FCaret == 0)
        return false;
    int const from = PrevBoundary(FCaret);
    FText.erase(size_t(from), size_t(FCaret - from));
    FCaret = FAnchor = from;
    return true;
}

bool TspEditText::DeleteForward()
{
    if (DeleteSelection())
        return true;
    if (FCaret >= int(FText.size()))
        return false;
    FText.erase(size_t(FCaret), size_t(CharLengthAt(FCaret)));
    return true;
}

void TspEditText::MoveLeft(bool extend)
{
    if (!extend && FCaret != FAnchor)
        SetCaret(SelStart());
    else
        SetCaret(PrevBoundary(FCaret), extend);
}

void TspEditText::MoveRight(bool extend)
{
    if (!extend && FCaret != FAnchor)
        SetCaret(SelStart() + SelLength());
    else
        SetCaret(std::min(NextBoundary(FCaret), int(FText.size())), extend);
}

namespace {
bool IsWordByte(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); }
} // namespace

void TspEditText::MoveWordLeft(bool extend)
{
    int p = FCaret;
    while (p > 0 && !IsWordByte(FText[size_t(p - 1)]))
        p = PrevBoundary(p);
    while (p > 0 && IsWordByte(FText[size_t(p - 1)]))
        p = PrevBoundary(p);
    SetCaret(p, extend);
}

void TspEditText::MoveWordRight(bool extend)
{
    int p = FCaret;
    int const size = int(FText.size());
    while (p < size && IsWordByte(FText[size_t(p)]))
        p = NextBoundary(p);
    while (p < size && !IsWordByte(FText[size_t(p)]))
        p = NextBoundary(p);
    SetCaret(p, extend);
}

int TspEditText::LineCount() const { return 1 + int(std::count(FText.begin(), FText.end(), '\n')); }

int TspEditText::LineStart(int line) const
{
    int pos = 0;
    for (int i = 0; i < line; ++i) {
        size_t const nl = FText.find('\n', size_t(pos));
        if (nl == std::string::npos)
            return int(FText.size());
        pos = int(nl) + 1;
    }
    return pos;
}

int TspEditText::LineEnd(int line) const
{
    size_t const nl = FText.find('\n', size_t(LineStart(line)));
    return nl == std::string::npos ? int(FText.size()) : int(nl);
}

int TspEditText::LineOf(int pos) const
{
    pos = std::clamp(pos, 0, int(FText.size()));
    return int(std::count(FText.begin(), FText.begin() + pos, '\n'));
}

std::string TspEditText::Line(int line) const
{
    int const start = LineStart(line);
    return FText.substr(size_t(start), size_t(LineEnd(line) - start));
}

void TspEditText::MoveHome(bool extend) { SetCaret(LineStart(LineOf(FCaret)), extend); }

void TspEditText::MoveEnd(bool extend) { SetCaret(LineEnd(LineOf(FCaret)), extend); }

void TspEditText::MoveUp(bool extend, int lines)
{
    int const line = LineOf(FCaret), column = FCaret - LineStart(line);
    int const target = std::max(line - lines, 0);
    if (target == line) {
        SetCaret(LineStart(line), extend);
        return;
    }
    SetCaret(std::min(LineStart(target) + column, LineEnd(target)), extend);
}

void TspEditText::MoveDown(bool extend, int lines)
{
    int const line = LineOf(FCaret), column = FCaret - LineStart(line);
    int const target = std::min(line + lines, LineCount() - 1);
    if (target == line) {
        SetCaret(LineEnd(line), extend);
        return;
    }
    SetCaret(std::min(LineStart(target) + column, LineEnd(target)), extend);
}

std::string TspEditText::TakeTypedByte(char c)
{
    FPending += c;
    int const need = AnsiCharLength(FPending);
    auto const lead = static_cast<unsigned char>(FPending[0]);
    bool const waiting = FPending.size() == 1 && lead >= 0x80
        && (base::AnsiIsUtf8() ? lead >= 0xC0 : (lead >= 0x81 && lead <= 0xFE));
    bool const utf8Partial = base::AnsiIsUtf8() && lead >= 0xC0 && need == 1
        && int(FPending.size()) < (lead >= 0xF0 ? 4
                   : lead >= 0xE0               ? 3
                                                : 2);
    if (waiting || utf8Partial)
        return {};
    std::string out;
    out.swap(FPending);
    return out;
}

} // namespace xe::skin
