#include "app/IniConfig.h"

#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/ini/Profile.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace xe::app {

using namespace xe::base;

std::string ReadIniValue(const std::string& section, const std::string& key, const std::string& fileName)
{
    std::string result;
    if (section.empty() || key.empty())
        return result;
    try {
        EnsureIniFile(fileName);
        ini::TIniFile iniFile(fileName);
        result = Trim(iniFile.ReadString(section, key, ""));
    } catch (...) {
        result.clear();
    }
    return result;
}

bool EnsureIniFile(const std::string& fileName)
{
    if (FileExists(fileName))
        return true;
    return CreateFileWithDirs(fileName);
}

bool CreateFileWithDirs(const std::string& fileName)
{
    std::string dir = ExtractFileDir(fileName);
    if (dir.empty())
        return false;
    try {
        if (!ForceDirectories(dir))
            return false;
        std::string path = ToSystemPath(fileName);
        // O_EXCL: never truncate something that appeared in the meantime, and never open a
        // directory or an existing file of that name for writing.
        if (::access(path.c_str(), F_OK) != 0) {
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0)
                return false;
            ::close(fd);
        }
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace xe::app
