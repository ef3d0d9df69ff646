#include "platform/base/Files.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace xe::base {

std::string ToSystemPath(std::string_view ansiPath)
{
    return AnsiToUtf8(ansiPath);
}

std::string FromSystemPath(std::string_view systemPath)
{
    return Utf8ToAnsi(systemPath);
}

bool FileExists(const std::string& name)
{
    if (name.empty())
        return false;
    struct stat st;
    return ::stat(ToSystemPath(name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& name)
{
    if (name.empty())
        return false;
    struct stat st;
    return ::stat(ToSystemPath(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string& name)
{
    if (name.empty())
        return true;
    std::string path = ToSystemPath(name);
    if (::unlink(path.c_str()) == 0)
        return true;
    return errno == ENOENT;
}

bool ForceDirectories(const std::string& dir)
{
    if (dir.empty())
        return false;
    std::error_code ec;
    std::filesystem::path path(ToSystemPath(dir));
    if (std::filesystem::is_directory(path, ec))
        return true;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

std::string ExtractFilePath(std::string_view name)
{
    size_t pos = name.rfind(PathDelim);
    return pos == std::string_view::npos ? std::string() : std::string(name.substr(0, pos + 1));
}

std::string ExtractFileDir(std::string_view name)
{
    size_t pos = name.rfind(PathDelim);
    if (pos == std::string_view::npos)
        return {};
    if (pos == 0)
        return "/";
    return std::string(name.substr(0, pos));
}

std::string ExtractFileName(std::string_view name)
{
    size_t pos = name.rfind(PathDelim);
    return std::string(pos == std::string_view::npos ? name : name.substr(pos + 1));
}

std::string IncludeTrailingPathDelimiter(std::string_view dir)
{
    std::string out(dir);
    if (out.empty() || out.back() != PathDelim)
        out += PathDelim;
    return out;
}

std::string ExecutableDirectory()
{
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return IncludeTrailingPathDelimiter(CurrentDirectory());
    std::string path(buffer, size_t(n));
    return FromSystemPath(path.substr(0, path.rfind('/') + 1));
}

std::string CurrentDirectory()
{
    std::error_code ec;
    auto path = std::filesystem::current_path(ec);
    return ec ? std::string(".") : FromSystemPath(path.string());
}

std::string ReadFileBytes(const std::string& name)
{
    std::FILE* f = std::fopen(ToSystemPath(name).c_str(), "rb");
    if (!f)
        throw EFileError(Format("Cannot open file \"%s\". %s", name.c_str(), std::strerror(errno)));
    std::string out;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        out.append(buffer, n);
    bool failed = std::ferror(f);
    std::fclose(f);
    if (failed)
        throw EFileError(Format("Cannot read file \"%s\".", name.c_str()));
    return out;
}

void WriteFileBytes(const std::string& name, std::string_view bytes)
{
    std::FILE* f = std::fopen(ToSystemPath(name).c_str(), "wb");
    if (!f)
        throw EFileError(Format("Cannot create file \"%s\". %s", name.c_str(), std::strerror(errno)));
    size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    bool failed = std::fclose(f) != 0 || written != bytes.size();
    if (failed)
        throw EFileError(Format("Cannot write file \"%s\".", name.c_str()));
}

int64_t FileSize(const std::string& name)
{
    struct stat st;
    if (::stat(ToSystemPath(name).c_str(), &st) != 0)
        return -1;
    return int64_t(st.st_size);
}

TTempDir::TTempDir(std::string_view prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw EFileError("Cannot create a temporary directory.");
    FPath = FromSystemPath(pattern) + "/";
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(ToSystemPath(FPath), ec);
}

} // namespace xe::base
