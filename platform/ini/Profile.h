#pragma once

#include <string>

namespace xe::ini {

// The platform's profile reader: one value of one key of one section. The file is read
// afresh on every call and never written. Section and key names are compared without
// regard to letter case; the value is the text after the key's equals sign, cut to
// ValueBufferSize - 1 bytes. A missing or unreadable file (no rights, a directory), a
// missing section or a missing key gives the default.
constexpr size_t ValueBufferSize = 2048;

std::string GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& def,
    const std::string& fileName);

// The object form the system uses: each ReadString opens the file again.
class TIniFile {
public:
    explicit TIniFile(std::string fileName)
        : FFileName(std::move(fileName))
    {
    }
    const std::string& FileName() const { return FFileName; }
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const
    {
        return GetPrivateProfileString(section, key, def, FFileName);
    }

private:
    std::string FFileName;
};

} // namespace xe::ini
