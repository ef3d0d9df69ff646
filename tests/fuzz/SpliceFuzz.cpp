// Fuzz entry point of the splice routines on arbitrary output and page files. The input is
// one byte of search window, then the output file and the page file, split at the first
// "\n--page--\n" (no split: the page is empty). The output must be cut exactly as the search
// describes (the smallest window of window * 2^k bytes at the end that holds a whole marker,
// cut at its first one) or left alone, and a spliced page must land right after the cut.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "app/PagedExport.h"
#include "app/XmlSplice.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"

using namespace xe::app;

namespace {

std::string const& Folder()
{
    static std::string const dir = [] {
        char name[] = "/tmp/xe-fuzz-splice-XXXXXX";
        if (!mkdtemp(name))
            std::abort();
        return std::string(name) + "/";
    }();
    return dir;
}

// The output as the search should leave it, or nothing when it should not cut.
bool ExpectedCut(std::string const& bytes, int64_t window, std::string& cut)
{
    int64_t const size = int64_t(bytes.size());
    for (int64_t w = window; w <= size; w *= 2) {
        size_t p = bytes.find(DataEndMarker, size_t(size - w));
        if (p != std::string::npos) {
            cut = bytes.substr(0, p);
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    if (size == 0)
        return 0;
    int64_t const window = data[0] % 64; // 0 and small windows included; the export uses 20
    std::string_view rest(reinterpret_cast<char const*>(data + 1), size - 1);
    size_t split = rest.find("\n--page--\n");
    std::string output(rest.substr(0, split));
    std::string page(split == std::string_view::npos ? std::string_view() : rest.substr(split + 10));

    std::string const outName = Folder() + "out.xml";
    std::string const pageName = Folder() + "Tempout.xml";
    xe::base::WriteFileBytes(outName, output);
    xe::base::WriteFileBytes(pageName, page);
    if (ReadWholeFile(outName) != output)
        std::abort();

    std::string expected;
    bool const shouldCut = window > 0 && ExpectedCut(output, window, expected);
    if (TruncateAtDataEnd(outName, window) != shouldCut)
        std::abort();
    if (ReadWholeFile(outName) != (shouldCut ? expected : output))
        std::abort();

    // The export's own splice: window 20, the page's rows after its "<rs:data>".
    xe::base::WriteFileBytes(outName, output);
    bool const cuts = ExpectedCut(output, 20, expected);
    size_t begin = page.find(DataBeginMarker);
    try {
        SplicePage(outName, pageName);
    } catch (xe::base::EFileError const&) {
        if (begin != std::string::npos && cuts)
            std::abort(); // both markers were there
        return 0;
    }
    if (begin == std::string::npos || !cuts)
        std::abort(); // spliced without a marker
    if (ReadWholeFile(outName) != expected + page.substr(begin + DataBeginMarker.size()))
        std::abort();
    AppendText(outName, "");
    if (ReadWholeFile(outName).size() != expected.size() + page.size() - begin - DataBeginMarker.size())
        std::abort();
    return 0;
}
