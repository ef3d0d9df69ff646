#include "platform/ini/Profile.h"

#include "platform/base/Files.h"
#include "platform/base/Strings.h"

#include <cstdio>
#include <sys/stat.h>

namespace xe::ini {

using namespace xe::base;

namespace {
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

bool HasNonAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}
}

std::string GetPrivateProfileString(std::string const& section, std::string const& key,
    std::string const& def, std::string const& fileName, TProfileText* textInfo)
{
    TProfileText info;
    if (textInfo)
        *textInfo = info;
    std::string text;
    if (!ReadProfileFile(fileName, text))
        return def;
    // The structure (brackets, equals signs, line ends) is ASCII in UTF-8 and in every code
    // page the tool takes, so the lines are parsed as they are and only the value converted.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
        info.ByteOrderMark = true;
        info.Utf8 = true;
    } else {
        info.Utf8 = !AnsiIsUtf8() && HasNonAscii(text) && IsValidUtf8(text);
    }
    bool inSection = false;
    bool found = false;
    std::string value;
    for (std::string_view raw : SplitLines(text)) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = Trim(
                std::string_view(line).substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = SameText(name, section);
            continue;
        }
        if (!inSection)
            continue;
        size_t eq = raw.find('=');
        if (eq == std::string_view::npos || !SameText(Trim(raw.substr(0, eq)), key))
            continue;
        value = std::string(raw.substr(eq + 1));
        found = true;
        break;
    }
    if (!found) {
        if (textInfo)
            *textInfo = info;
        return def;
    }
    value = StripMatchingQuotes(std::move(value));
    if (info.Utf8)
        value = Utf8ToAnsi(value, &info.Lossless);
    else
        AnsiToUtf8(value, &info.Lossless);
    if (value.size() > ValueBufferSize - 1)
        value.resize(ValueBufferSize - 1);
    if (textInfo)
        *textInfo = info;
    return value;
}

} // namespace xe::ini
