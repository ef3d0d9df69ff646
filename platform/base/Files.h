#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace xe::base {

// Paths are ANSI text inside the system (they come from the configuration); every call
// into the operating system converts them to the file system's encoding (UTF-8).
std::string ToSystemPath(std::string_view ansiPath);
std::string FromSystemPath(std::string_view systemPath);

constexpr char PathDelim = '/';

bool FileExists(std::string const& name); // a regular file (or anything not a directory)
bool DirectoryExists(std::string const& name);
// Deletes a file; a missing file is no error. Gives true when no file is left.
bool DeleteFile(std::string const& name);
// Creates the directory and every missing parent. An empty name fails.
bool ForceDirectories(std::string const& dir);

// "dir/sub/name.ext" -> "dir/sub/" (with the separator), "" for a bare name.
std::string ExtractFilePath(std::string_view name);
// "dir/sub/name.ext" -> "dir/sub" (without the separator; "/" stays "/").
std::string ExtractFileDir(std::string_view name);
// "dir/sub/name.ext" -> "name.ext".
std::string ExtractFileName(std::string_view name);
std::string IncludeTrailingPathDelimiter(std::string_view dir);

// The running executable's directory with its trailing separator, as the file system spells
// it (UTF-8 bytes, never converted: a folder name the ANSI code page cannot hold must still
// work). Pass it, and names built on it, to the checked layer below, which takes such paths.
std::string ExecutableDirectory();
std::string CurrentDirectory();

// Whole-file helpers that raise EFileError with the path in the message.
std::string ReadFileBytes(std::string const& name);
void WriteFileBytes(std::string const& name, std::string_view bytes);
int64_t FileSize(std::string const& name); // -1 when missing

// --- The checked file layer -------------------------------------------------------------------
//
// Every operation on the export's files and the configuration goes through here. Each one is
// checked: a failure raises EFileError whose message names the file and the reason. Paths are
// file-system paths (UTF-8 bytes on Linux); callers holding ANSI names convert them with
// ToSystemPath. A test hook can make any operation fail, so that tests reach every error path.

enum class TFileOp { Open, Read, Write, Truncate, Rename, Delete, Close };
char const* FileOpName(TFileOp op);

// Called before every operation of the layer with its kind and path; a non-zero result makes
// the operation fail with that errno value without touching the file. Tests only.
using TFileFaultHook = std::function<int(TFileOp op, std::string const& path)>;
void SetFileFaultHook(TFileFaultHook hook);

enum class TOpenMode {
    Read, // existing file, reading
    ReadWrite, // existing file, reading and writing
    Append, // writing at the end, created when missing
    CreateNew, // a new empty file; fails when the name exists
};

class TFile {
public:
    // Raises EFileError when the file cannot be opened.
    TFile(std::string path, TOpenMode mode);
    // Closes the file if Close() was not called; an error there is ignored, so a caller
    // that cares about the last writes calls Close() itself.
    ~TFile();
    TFile(TFile const&) = delete;
    TFile& operator=(TFile const&) = delete;

    std::string const& Path() const { return FPath; }
    int64_t Size();
    // Reads count bytes at offset; fewer only when the file ends first.
    int64_t ReadAt(char* buffer, int64_t count, int64_t offset);
    // Writes every byte (at the end in Append mode, else at the current position); a short
    // write (full disk, file size limit) is an error.
    void Write(std::string_view bytes);
    // Writes every byte at the offset, the file position unchanged. Not for Append mode, in
    // which every write goes to the end.
    void WriteAt(std::string_view bytes, int64_t offset);
    void Truncate(int64_t size);
    // Flushes the file's data to the device (fsync): what a power cut after it cannot lose.
    void Sync();
    void Close();

private:
    [[noreturn]] void Fail(TFileOp op, int error) const;
    std::string FPath;
    int FFd = -1;
};

// Raises EFileError naming the file (TFileOp, path, errno).
[[noreturn]] void RaiseFileError(TFileOp op, std::string const& path, int error);
// The whole file; raises EFileError when it cannot be opened or read.
std::string ReadSystemFile(std::string const& path);
// Deletes the file; a missing file is no error. Raises EFileError otherwise.
void RemoveSystemFile(std::string const& path);
// Renames a file over another; raises EFileError naming both.
void RenameSystemFile(std::string const& from, std::string const& to);
bool SystemFileExists(std::string const& path); // exists and is not a directory
// Raises EFileError saying what is wrong when the file could not be replaced (deleted and
// written anew) by this process: the name is a folder, the file is read-only (no write bit
// in its mode, which holds for every user), or its folder cannot be written. Nothing is
// touched. A file that does not exist yet needs only a writable folder.
void CheckReplaceable(std::string const& path);
// Creates the directory and every missing parent; false when it cannot.
bool ForceSystemDirectories(std::string const& path);

// A temporary directory for tests and tools, removed with its contents on destruction.
class TTempDir {
public:
    explicit TTempDir(std::string_view prefix = "xe");
    ~TTempDir();
    TTempDir(TTempDir const&) = delete;
    TTempDir& operator=(TTempDir const&) = delete;
    // The directory in the ANSI code page, with a trailing separator.
    std::string const& Path() const { return FPath; }
    std::string File(std::string_view name) const { return FPath + std::string(name); }

private:
    std::string FPath;
};

} // namespace xe::base
