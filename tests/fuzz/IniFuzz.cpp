// Fuzz entry point of the two INI readers: the profile reader (a file read afresh per value) and
// the in-memory INI of the skin description. The input's first line names the section, its
// second line the key; the rest is the file. Nothing may read outside the text; the profile
// value is never longer than its buffer; the in-memory INI writes a text that reads back to
// itself, and every key it lists reads back to the value it holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/base/Files.h"
#include "platform/ini/MemIniFile.h"
#include "platform/ini/Profile.h"

using namespace xe::ini;

namespace {

std::string_view TakeLine(std::string_view& rest)
{
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return line;
}

std::string const& ProfileFile()
{
    static std::string const name = [] {
        char dir[] = "/tmp/xe-fuzz-ini-XXXXXX";
        if (!mkdtemp(dir))
            std::abort();
        return std::string(dir) + "/fuzz.ini";
    }();
    return name;
}

void CheckMemIni(std::string_view text, std::string_view section, std::string_view key)
{
    TMemIniFile ini(text);
    std::string written = ini.Text();
    TMemIniFile again(written);
    if (again.Text() != written)
        std::abort(); // the written text reads back to something else
    for (std::string const& s : ini.Sections()) {
        if (!again.SectionExists(s))
            std::abort();
        for (std::string const& k : ini.SectionKeys(s)) {
            if (again.ReadString(s, k, "\x01") != ini.ReadString(s, k, "\x02"))
                std::abort();
            (void)ini.ReadInteger(s, k, 7);
        }
    }
    // A written value reads back as written while it holds no line break and no blank at an end.
    std::string value(key);
    bool plain = value.find_first_of("\r\n") == std::string::npos
        && (value.empty() || (value.front() > ' ' && value.back() > ' '));
    std::string name(section);
    bool plainName = name.find_first_of("\r\n]") == std::string::npos
        && (name.empty() || (name.front() > ' ' && name.back() > ' '));
    if (plain && plainName) {
        again.WriteString(name, "FuzzKey", value);
        TMemIniFile reread(again.Text());
        if (reread.ReadString(name, "FuzzKey", "\x01") != value)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string_view rest(reinterpret_cast<char const*>(data), size);
    std::string section(TakeLine(rest));
    std::string key(TakeLine(rest));

    xe::base::WriteFileBytes(ProfileFile(), rest);
    std::string value = GetPrivateProfileString(section, key,
        "\x01"
        "default",
        ProfileFile());
    if (value.size() > ValueBufferSize - 1)
        std::abort();
    if (value
            != "\x01"
               "default"
        && value.find_first_of("\r\n") != std::string::npos)
        std::abort(); // a value never spans lines

    CheckMemIni(rest, section, key);
    return 0;
}
