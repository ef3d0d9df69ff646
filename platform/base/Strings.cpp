#include "platform/base/Strings.h"

#include "platform/base/TextFormat.h"
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <map>
#include <utility>

namespace xe::base {

namespace {
std::string& CodePageSetting()
{
    static std::string name;
    return name;
}

// iconv descriptors are costly to open; keep one per pair of encodings.
class IconvCache {
public:
    ~IconvCache()
    {
        for (auto& entry : FHandles)
            iconv_close(entry.second);
    }
    iconv_t Get(std::string const& from, std::string const& to)
    {
        auto key = std::make_pair(from, to);
        auto it = FHandles.find(key);
        if (it != FHandles.end()) {
            iconv(it->second, nullptr, nullptr, nullptr, nullptr);
            return it->second;
        }
        iconv_t handle = iconv_open(to.c_str(), from.c_str());
        if (handle == iconv_t(-1))
            return handle;
        FHandles.emplace(key, handle);
        return handle;
    }

private:
    std::map<std::pair<std::string, std::string>, iconv_t> FHandles;
};

IconvCache& Cache()
{
    thread_local IconvCache cache;
    return cache;
}

// The replacement written into the target encoding when a source character cannot be
// converted: U+FFFD in Unicode targets, '?' elsewhere.
std::string Replacement(std::string const& to)
{
    if (to == "UTF-8")
        return "\xEF\xBF\xBD";
    if (to == "UTF-16LE")
        return std::string("\xFD\xFF", 2);
    if (to == "UTF-32LE")
        return std::string("\xFD\xFF\x00\x00", 4);
    return "?";
}

// Width in bytes of one source unit, to skip an invalid one.
size_t UnitSize(std::string const& from)
{
    if (from == "UTF-16LE")
        return 2;
    if (from == "UTF-32LE")
        return 4;
    return 1;
}
}

std::string const& AnsiCodePage()
{
    std::string& name = CodePageSetting();
    if (name.empty()) {
        char const* env = std::getenv("XMLEXPORT_CODEPAGE");
        name = (env && *env) ? env : "GBK";
    }
    return name;
}

std::string SetAnsiCodePage(std::string const& name) { return std::exchange(CodePageSetting(), name); }

bool IsUsableCodePage(std::string const& name)
{
    if (name.empty())
        return false;
    for (char const* other : { "UTF-8", "UTF-16LE" }) {
        iconv_t there = iconv_open(name.c_str(), other);
        if (there == iconv_t(-1))
            return false;
        iconv_close(there);
        iconv_t back = iconv_open(other, name.c_str());
        if (back == iconv_t(-1))
            return false;
        iconv_close(back);
    }
    std::string ascii;
    for (int c = 1; c < 0x80; ++c)
        ascii += char(c);
    bool lossless = false;
    return ConvertEncoding(ascii, "UTF-8", name.c_str(), &lossless) == ascii && lossless;
}

bool AnsiIsUtf8()
{
    std::string name = UpperCase(AnsiCodePage());
    return name == "UTF-8" || name == "UTF8";
}

bool IsValidUtf8(std::string_view bytes)
{
    bool lossless = false;
    ConvertEncoding(bytes, "UTF-8", "UTF-32LE", &lossless);
    return lossless;
}

std::string ConvertEncoding(std::string_view bytes, char const* fromName, char const* toName, bool* lossless)
{
    if (lossless)
        *lossless = true;
    std::string from = fromName, to = toName;
    if (bytes.empty())
        return {};
    iconv_t cd = Cache().Get(from, to);
    if (cd == iconv_t(-1)) {
        if (lossless)
            *lossless = false;
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2 + 8);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[4096];
    const std::string replacement = Replacement(to);
    const size_t unit = UnitSize(from);
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, size_t(outPtr - buffer));
        if (rc != size_t(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ: an invalid or unmappable sequence; EINVAL: a truncated one at the end.
        if (lossless)
            *lossless = false;
        out += replacement;
        size_t skip = std::min(unit, inLeft);
        // A UTF-8 character the target cannot hold is replaced once, not once per byte.
        if (from == "UTF-8")
            while (skip < inLeft && (uint8_t(in[skip]) & 0xC0) == 0x80)
                ++skip;
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    // Flush any shift state.
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, size_t(outPtr - buffer));
    return out;
}

std::string AnsiToUtf8(std::string_view ansi, bool* lossless)
{
    return ConvertEncoding(ansi, AnsiCodePage().c_str(), "UTF-8", lossless);
}

std::string Utf8ToAnsi(std::string_view utf8, bool* lossless)
{
    return ConvertEncoding(utf8, "UTF-8", AnsiCodePage().c_str(), lossless);
}

namespace {
std::u16string BytesToU16(std::string const& bytes)
{
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = char16_t(uint8_t(bytes[2 * i]) | (uint8_t(bytes[2 * i + 1]) << 8));
    return out;
}
std::u32string BytesToU32(std::string const& bytes)
{
    std::u32string out(bytes.size() / 4, U'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        auto const* p = reinterpret_cast<uint8_t const*>(bytes.data() + 4 * i);
        out[i] = char32_t(p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24));
    }
    return out;
}
std::string U16ToBytes(std::u16string_view text)
{
    std::string out(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = char(text[i] & 0xFF);
        out[2 * i + 1] = char(text[i] >> 8);
    }
    return out;
}
}

std::u16string AnsiToUtf16(std::string_view ansi, bool* lossless)
{
    return BytesToU16(ConvertEncoding(ansi, AnsiCodePage().c_str(), "UTF-16LE", lossless));
}

std::u32string AnsiToUtf32(std::string_view ansi, bool* lossless)
{
    return BytesToU32(ConvertEncoding(ansi, AnsiCodePage().c_str(), "UTF-32LE", lossless));
}

std::string Utf16ToAnsi(std::u16string_view text, bool* lossless)
{
    return ConvertEncoding(U16ToBytes(text), "UTF-16LE", AnsiCodePage().c_str(), lossless);
}

std::string Utf16ToUtf8(std::u16string_view text, bool* lossless)
{
    return ConvertEncoding(U16ToBytes(text), "UTF-16LE", "UTF-8", lossless);
}

std::u16string Utf8ToUtf16(std::string_view utf8, bool* lossless)
{
    return BytesToU16(ConvertEncoding(utf8, "UTF-8", "UTF-16LE", lossless));
}

std::u32string Utf8ToUtf32(std::string_view utf8, bool* lossless)
{
    return BytesToU32(ConvertEncoding(utf8, "UTF-8", "UTF-32LE", lossless));
}

std::string Utf32ToUtf8(std::u32string_view text)
{
    std::string out;
    for (char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

std::string Ansi(std::u8string_view utf8)
{
    return Utf8ToAnsi(std::string_view(reinterpret_cast<char const*>(utf8.data()), utf8.size()));
}

std::string TrimLeft(std::string_view s)
{
    size_t b = 0;
    while (b < s.size() && uint8_t(s[b]) <= 32)
        ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s)
{
    size_t e = s.size();
    while (e > 0 && uint8_t(s[e - 1]) <= 32)
        --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string Format(char const* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(n > 0 ? size_t(n) : 0, '\0');
    if (n > 0)
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    va_end(args);
    return out;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt(std::string_view s, int64_t& value)
{
    if (s.empty())
        return false;
    size_t i = 0;
    bool negative = false;
    if (s[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == s.size())
        return false;
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        uint64_t digit = uint64_t(s[i] - '0');
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

int64_t StrToIntDef(std::string_view s, int64_t def)
{
    int64_t value;
    return TryStrToInt(s, value) ? value : def;
}

namespace {
// Only ASCII letters change case: every other byte may belong to a multi-byte character.
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
}

std::string UpperCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

std::string LowerCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

namespace {
template <typename Char>
std::vector<std::basic_string_view<Char>> SplitLinesOf(std::basic_string_view<Char> text)
{
    std::vector<std::basic_string_view<Char>> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != Char('\r') && text[i] != Char('\n'))
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n'))
            ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}
}

std::vector<std::string_view> SplitLines(std::string_view text) { return SplitLinesOf(text); }

std::vector<std::u32string_view> SplitLines(std::u32string_view text) { return SplitLinesOf(text); }

size_t FindBytes(std::string_view haystack, std::string_view needle) { return haystack.find(needle); }

} // namespace xe::base
