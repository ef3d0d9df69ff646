#pragma once

#include <string>

namespace xe::ini {

// The platform's profile reader: one value of one key of one section. The file is read
// afresh on every call and never written. Section and key names are compared without
// regard to letter case; the value is the text after the key's equals sign, cut to
// ValueBufferSize - 1 bytes. A value enclosed in one pair of matching quotes (single or
// double, blanks around them aside) loses that pair, as the Windows profile functions drop
// it. A missing or unreadable file (no rights, a directory), a missing section or a missing
// key gives the default. The file name is a file-system path (UTF-8 bytes), never converted.
constexpr size_t ValueBufferSize = 2048;

std::string GetPrivateProfileString(
    std::string const& section, std::string const& key, std::string const& def, std::string const& fileName);

// The object form the system uses: each ReadString opens the file again.
class TIniFile {
public:
    explicit TIniFile(std::string fileName)
        : FFileName(std::move(fileName))
    {
    }
    std::string const& FileName() const { return FFileName; }
    std::string ReadString(std::string const& section, std::string const& key, std::string const& def) const
    {
        return GetPrivateProfileString(section, key, def, FFileName);
    }

private:
    std::string FFileName;
};

} // namespace xe::ini
