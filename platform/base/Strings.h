#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xe::base {

// Text inside the system is a byte string in the ANSI code page. The code page is a
// platform setting: GBK by default, XMLEXPORT_CODEPAGE (any iconv name) overrides it.
// Conversions happen only at the edges (rendering, SQLite, XML, the terminal, paths).

std::string const& AnsiCodePage();
// For tests and tools; an empty name goes back to the environment's choice. Returns the
// setting it replaces, for putting it back.
std::string SetAnsiCodePage(std::string const& name);
// Whether iconv knows the name and it can be the ANSI code page: it converts both ways and
// keeps ASCII as it is (the configuration's syntax and every path separator are ASCII),
// which rules out UTF-16, UTF-32 and EBCDIC.
bool IsUsableCodePage(std::string const& name);
// Whether the ANSI code page is UTF-8 itself (then UTF-8 text needs no conversion).
bool AnsiIsUtf8();
// Whether the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Invalid or unmappable input never stops a conversion: the offending bytes become a
// replacement character (U+FFFD towards Unicode, '?' towards the ANSI code page) and
// *lossless, when given, is set to false.
std::string AnsiToUtf8(std::string_view ansi, bool* lossless = nullptr);
std::string Utf8ToAnsi(std::string_view utf8, bool* lossless = nullptr);
std::u16string AnsiToUtf16(std::string_view ansi, bool* lossless = nullptr);
std::u32string AnsiToUtf32(std::string_view ansi, bool* lossless = nullptr);
std::string Utf16ToAnsi(std::u16string_view text, bool* lossless = nullptr);
std::string Utf16ToUtf8(std::u16string_view text, bool* lossless = nullptr);
std::u16string Utf8ToUtf16(std::string_view utf8, bool* lossless = nullptr);
std::u32string Utf8ToUtf32(std::string_view utf8, bool* lossless = nullptr);
std::string Utf32ToUtf8(std::u32string_view text);

// Converts between any two iconv encodings with the same replacement rules.
std::string ConvertEncoding(
    std::string_view bytes, char const* from, char const* to, bool* lossless = nullptr);

// A UTF-8 literal of the source, in the ANSI code page: Ansi(u8"完成").
std::string Ansi(std::u8string_view utf8);

// Removes every character with a code from 0 to 32 at either end.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// printf-style formatting for the system's "%d" and "%s" messages.
std::string Format(char const* format, ...) __attribute__((format(printf, 1, 2)));

std::string IntToStr(int64_t value);
// Decimal integer with an optional minus sign; anything else gives the default.
int64_t StrToIntDef(std::string_view s, int64_t def);
bool TryStrToInt(std::string_view s, int64_t& value);

// ASCII-only case handling, safe on multi-byte ANSI text.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);

// The lines of a text. A line ends at CR LF, at LF or at a lone CR; what follows the last line
// end is one more line, empty when the text ends with a line end: "a\r\nb\n" gives "a", "b"
// and "", and "" gives one empty line. The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text);
std::vector<std::u32string_view> SplitLines(std::u32string_view text);

// Position of the first occurrence (0-based), or npos.
size_t FindBytes(std::string_view haystack, std::string_view needle);

} // namespace xe::base
