#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace xe::app {

// Byte-level routines that join the pages of one export into a single document. Files are
// plain bytes; nothing is decoded. Lengths and positions are 64-bit, so output files above
// 2 GiB are handled. A missing file is no error (nothing to cut, nothing to read); every other
// failure (open, read, write, truncate, close) raises EFileError naming the file, so that a
// full disk never passes for a finished page.

inline constexpr std::string_view DataBeginMarker = "<rs:data>";
inline constexpr std::string_view DataEndMarker = "</rs:data>";

// The search for the closing marker near the end of `size` bytes: windows of initialWindow *
// 2^k bytes at the end, the smallest first, as long as they fit; the first marker inside the
// first window that holds a whole one. lastBytes(w) gives the last w bytes; fewer than w end
// the search. Gives the marker's offset from the start, or nothing.
std::optional<int64_t> FindDataEnd(
    int64_t size, int64_t initialWindow, std::function<std::string_view(int64_t w)> const& lastBytes);
// The same search over bytes in memory.
std::optional<int64_t> FindDataEnd(std::string_view bytes, int64_t initialWindow);

// Cuts the file right before its "</rs:data>". Windows of initialWindow * 2^k bytes at the
// end of the file are searched, the smallest first, as long as they fit in the file; the
// cut is made at the first marker inside the first window that holds a whole one.
// Gives true when the file was cut.
bool TruncateAtDataEnd(std::string const& fileName, int64_t initialWindow);

// The file's bytes, or empty when it is missing.
std::string ReadWholeFile(std::string const& fileName);

// Writes the bytes at the end of the file, creating it when missing.
void AppendText(std::string const& fileName, std::string_view text);

} // namespace xe::app
