#include "app/IniConfig.h"

#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/ini/Profile.h"

namespace xe::app {

using namespace xe::base;

std::string ReadIniValue(
    std::string const& section, std::string const& key, std::string const& fileName, ini::TProfileText* text)
{
    std::string result;
    if (text)
        *text = {};
    if (section.empty() || key.empty())
        return result;
    try {
        EnsureIniFile(fileName);
        ini::TIniFile iniFile(fileName);
        result = Trim(iniFile.ReadString(section, key, "", text));
    } catch (...) {
        result.clear();
        if (text)
            *text = {};
    }
    return result;
}

bool EnsureIniFile(std::string const& fileName)
{
    if (SystemFileExists(fileName))
        return true;
    return CreateFileWithDirs(fileName);
}

bool CreateFileWithDirs(std::string const& fileName)
{
    std::string dir = ExtractFileDir(fileName);
    if (dir.empty())
        return false;
    try {
        if (!ForceSystemDirectories(dir))
            return false;
        // A new file only: never truncate something that appeared in the meantime, and never
        // open a directory or an existing file of that name for writing.
        if (!SystemFileExists(fileName)) {
            TFile file(fileName, TOpenMode::CreateNew);
            file.Close();
        }
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace xe::app
