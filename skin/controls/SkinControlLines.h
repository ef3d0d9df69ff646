#pragma once

// A list of strings stored as one property: the lines joined by line feeds.

#include <string>
#include <vector>

namespace xe::skin {

inline std::string JoinLines(std::vector<std::string> const& lines)
{
    std::string s;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            s += '\n';
        s += lines[i];
    }
    return s;
}

// An empty text is no line; otherwise every line feed starts another line.
inline std::vector<std::string> SplitLines(std::string const& text)
{
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (;;) {
        size_t const end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace xe::skin
