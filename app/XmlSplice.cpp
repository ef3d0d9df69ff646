#include "app/XmlSplice.h"

#include "platform/base/Files.h"

namespace xe::app {

using namespace xe::base;

bool TruncateAtDataEnd(std::string const& fileName, int64_t initialWindow)
{
    std::string const path = ToSystemPath(fileName);
    if (!SystemFileExists(path) || initialWindow <= 0)
        return false;
    TFile file(path, TOpenMode::ReadWrite);
    const int64_t size = file.Size();
    std::string window;
    bool cut = false;
    for (int64_t w = initialWindow; w <= size; w *= 2) {
        window.resize(size_t(w));
        if (file.ReadAt(window.data(), w, size - w) < w)
            break;
        size_t p = window.find(DataEndMarker);
        if (p == std::string::npos)
            continue;
        file.Truncate(size - w + int64_t(p));
        cut = true;
        break;
    }
    // A window that no longer fits in the file ends the search with the file unchanged.
    file.Close();
    return cut;
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
