#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xe::base {

// Paths are ANSI text inside the system (they come from the configuration); every call
// into the operating system converts them to the file system's encoding (UTF-8).
std::string ToSystemPath(std::string_view ansiPath);
std::string FromSystemPath(std::string_view systemPath);

constexpr char PathDelim = '/';

bool FileExists(const std::string& name); // a regular file (or anything not a directory)
bool DirectoryExists(const std::string& name);
// Deletes a file; a missing file is no error. Gives true when no file is left.
bool DeleteFile(const std::string& name);
// Creates the directory and every missing parent. An empty name fails.
bool ForceDirectories(const std::string& dir);

// "dir/sub/name.ext" -> "dir/sub/" (with the separator), "" for a bare name.
std::string ExtractFilePath(std::string_view name);
// "dir/sub/name.ext" -> "dir/sub" (without the separator; "/" stays "/").
std::string ExtractFileDir(std::string_view name);
// "dir/sub/name.ext" -> "name.ext".
std::string ExtractFileName(std::string_view name);
std::string IncludeTrailingPathDelimiter(std::string_view dir);

// The running executable's directory with its trailing separator, in the ANSI code page.
std::string ExecutableDirectory();
std::string CurrentDirectory();

// Whole-file helpers that raise EFileError with the path in the message.
std::string ReadFileBytes(const std::string& name);
void WriteFileBytes(const std::string& name, std::string_view bytes);
int64_t FileSize(const std::string& name); // -1 when missing

// A temporary directory for tests and tools, removed with its contents on destruction.
class TTempDir {
public:
    explicit TTempDir(std::string_view prefix = "xe");
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    // The directory in the ANSI code page, with a trailing separator.
    const std::string& Path() const { return FPath; }
    std::string File(std::string_view name) const { return FPath + std::string(name); }

private:
    std::string FPath;
};

} // namespace xe::base
