#include "app/XmlSplice.h"

#include "platform/base/Files.h"

namespace xe::app {

using namespace xe::base;

std::optional<int64_t> FindDataEnd(
    int64_t size, int64_t initialWindow, std::function<std::string_view(int64_t w)> const& lastBytes)
{
    if (initialWindow <= 0)
        return std::nullopt;
    // A window that no longer fits ends the search.
    for (int64_t w = initialWindow; w <= size; w *= 2) {
        std::string_view window = lastBytes(w);
        if (int64_t(window.size()) < w)
            break;
        size_t p = window.find(DataEndMarker);
        if (p != std::string_view::npos)
            return size - w + int64_t(p);
    }
    return std::nullopt;
}

std::optional<int64_t> FindDataEnd(std::string_view bytes, int64_t initialWindow)
{
    return FindDataEnd(int64_t(bytes.size()), initialWindow,
        [bytes](int64_t w) { return bytes.substr(bytes.size() - size_t(w)); });
}

bool TruncateAtDataEnd(std::string const& fileName, int64_t initialWindow)
{
    std::string const path = ToSystemPath(fileName);
    if (!SystemFileExists(path) || initialWindow <= 0)
        return false;
    TFile file(path, TOpenMode::ReadWrite);
    int64_t const size = file.Size();
    std::string window;
    std::optional<int64_t> cut = FindDataEnd(size, initialWindow, [&](int64_t w) {
        window.resize(size_t(w));
        window.resize(size_t(file.ReadAt(window.data(), w, size - w)));
        return std::string_view(window);
    });
    if (cut)
        file.Truncate(*cut);
    file.Close();
    return cut.has_value();
}

std::string ReadWholeFile(std::string const& fileName)
{
    std::string const path = ToSystemPath(fileName);
    if (!SystemFileExists(path))
        return {};
    return ReadSystemFile(path);
}

void AppendText(std::string const& fileName, std::string_view text)
{
    TFile file(ToSystemPath(fileName), TOpenMode::Append);
    file.Write(text);
    file.Close();
}

} // namespace xe::app
