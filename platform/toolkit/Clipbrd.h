#pragma once

#include <string>

namespace xe::tk {

// The desktop's clipboard as the controls use it: text only, in the ANSI code page, held by
// the window system's backend. Without a backend clipboard nothing is kept and the text is
// empty.
class TClipboard {
public:
    bool Available() const;
    bool HasText() const;
    std::string AsText() const;
    void SetAsText(std::string const& text);
    void Clear() { SetAsText({}); }
};

// The one clipboard of the application.
TClipboard& Clipboard();

} // namespace xe::tk
