// Fuzz entry point of the stored-form reader. Any text must either read or raise an error of
// the system's own kind; a form that reads must write back and read to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/Exceptions.h"
#include "platform/toolkit/Persistence.h"
#include "resources/Embedded.h"

using namespace xe::tk;

namespace {

class TFuzzRoot : public TComponent {
public:
    TFuzzRoot()
        : TComponent(nullptr)
    {
    }
    char const* ClassName() const override { return "TFuzzRoot"; }
    void DefineProperties(TProperties& p) override
    {
        p.Integer(
            "Tag", [this] { return Tag; }, [this](int64_t v) { Tag = v; });
        p.String(
            "Text", [this] { return Text; }, [this](std::string const& v) { Text = v; });
        p.Binary(
            "Data", [this] { return Data; }, [this](TBinaryData const& v) { Data = v; });
        p.Reference(
            "Link", [this] { return Link; }, [this](TComponent* v) { Link = v; });
    }
    int64_t Tag = 0;
    std::string Text;
    TBinaryData Data;
    TComponent* Link = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    static bool installed = (InstallEmbeddedResources(), true);
    (void)installed;
    std::string_view text(reinterpret_cast<char const*>(data), size);
    std::string written;
    try {
        TFuzzRoot root;
        ReadComponentText(&root, text, "Fuzz");
        written = WriteComponentText(&root);
    } catch (xe::base::Exception const&) {
        return 0;
    }
    TFuzzRoot again;
    try {
        ReadComponentText(&again, written, "Fuzz");
    } catch (xe::base::Exception const&) {
        std::abort(); // the writer wrote something its reader refuses
    }
    if (WriteComponentText(&again) != written)
        std::abort();
    return 0;
}
