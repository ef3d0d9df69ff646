#include "platform/toolkit/Clipbrd.h"

#include "platform/windows/WinUser.h"

namespace xe::tk {

bool TClipboard::Available() const { return win::WindowSystemRunning() && win::HasClipboard(); }

bool TClipboard::HasText() const { return Available() && !win::GetClipboardText().empty(); }

std::string TClipboard::AsText() const { return Available() ? win::GetClipboardText() : std::string(); }

void TClipboard::SetAsText(std::string const& text)
{
    if (Available())
        win::SetClipboardText(text);
}

TClipboard& Clipboard()
{
    static TClipboard clipboard;
    return clipboard;
}

} // namespace xe::tk
