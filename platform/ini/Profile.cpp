#include "platform/ini/Profile.h"

#include "platform/base/Files.h"
#include "platform/base/Strings.h"

#include <cstdio>
#include <sys/stat.h>

namespace xe::ini {

using namespace xe::base;

namespace {
// Splits the file into lines on CR LF, lone CR or lone LF.
template <typename F> void ForEachLine(std::string const& text, F&& f)
{
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
            if (!f(std::string_view(text).substr(start, i - start)))
                return;
            if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
}

bool ReadProfileFile(std::string const& fileName, std::string& text)
{
    if (!SystemFileExists(fileName))
        return false;
    try {
        text = ReadSystemFile(fileName);
        return true;
    } catch (...) {
        return false;
    }
}

// "x", 'x' and  "x"  (with blanks around) lose their quotes; "x' and a lone " keep theirs.
std::string StripMatchingQuotes(std::string value)
{
    size_t first = 0;
    size_t last = value.size();
    while (first < last && static_cast<unsigned char>(value[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(value[last - 1]) <= ' ')
        --last;
    if (last - first >= 2 && (value[first] == '"' || value[first] == '\'') && value[last - 1] == value[first])
        return value.substr(first + 1, last - first - 2);
    return value;
}
}

std::string GetPrivateProfileString(
    std::string const& section, std::string const& key, std::string const& def, std::string const& fileName)
{
    std::string text;
    if (!ReadProfileFile(fileName, text))
        return def;
    bool inSection = false;
    bool found = false;
    std::string value;
    ForEachLine(text, [&](std::string_view raw) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';')
            return true;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = Trim(
                std::string_view(line).substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = SameText(name, section);
            return true;
        }
        if (!inSection)
            return true;
        std::string_view rawLine = raw;
        size_t eq = rawLine.find('=');
        if (eq == std::string_view::npos)
            return true;
        if (!SameText(Trim(rawLine.substr(0, eq)), key))
            return true;
        value = std::string(rawLine.substr(eq + 1));
        found = true;
        return false;
    });
    if (!found)
        return def;
    value = StripMatchingQuotes(std::move(value));
    if (value.size() > ValueBufferSize - 1)
        value.resize(ValueBufferSize - 1);
    return value;
}

} // namespace xe::ini
