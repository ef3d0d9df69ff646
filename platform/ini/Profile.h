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
//
// The value is ANSI text. A file that begins with a UTF-8 byte-order mark is read as UTF-8
// without the mark, and so is a file without one that is well-formed UTF-8 and holds more
// than ASCII (an editor saved it as UTF-8): its values are converted to the ANSI code page.
// Any other file is taken as ANSI bytes, as written.
constexpr size_t ValueBufferSize = 2048;

// What reading a value found out about its text, for a caller that reports text it cannot use.
struct TProfileText {
    bool Utf8 = false; // the file was read as UTF-8
    bool ByteOrderMark = false; // it began with a UTF-8 byte-order mark
    // The value is faithful ANSI text: false when an ANSI file's bytes do not decode in the
    // code page, or when a UTF-8 file's value holds characters the code page cannot hold.
    bool Lossless = true;
};

std::string GetPrivateProfileString(std::string const& section, std::string const& key,
    std::string const& def, std::string const& fileName, TProfileText* text = nullptr);

// The object form the system uses: each ReadString opens the file again.
class TIniFile {
public:
    explicit TIniFile(std::string fileName)
        : FFileName(std::move(fileName))
    {
    }
    std::string const& FileName() const { return FFileName; }
    std::string ReadString(std::string const& section, std::string const& key, std::string const& def,
        TProfileText* text = nullptr) const
    {
        return GetPrivateProfileString(section, key, def, FFileName, text);
    }

private:
    std::string FFileName;
};

} // namespace xe::ini
