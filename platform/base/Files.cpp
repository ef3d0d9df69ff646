#include "platform/base/Files.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace xe::base {

std::string ToSystemPath(std::string_view ansiPath) { return AnsiToUtf8(ansiPath); }

std::string FromSystemPath(std::string_view systemPath) { return Utf8ToAnsi(systemPath); }

bool FileExists(std::string const& name) { return SystemFileExists(ToSystemPath(name)); }

bool DirectoryExists(std::string const& name)
{
    if (name.empty())
        return false;
    struct stat st { };
    return ::stat(ToSystemPath(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(std::string const& name)
{
    if (name.empty())
        return true;
    try {
        RemoveSystemFile(ToSystemPath(name));
        return true;
    } catch (EFileError const&) {
        return false;
    }
}

bool ForceDirectories(std::string const& dir) { return ForceSystemDirectories(ToSystemPath(dir)); }

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
    return path.substr(0, path.rfind('/') + 1);
}

std::string CurrentDirectory()
{
    std::error_code ec;
    auto path = std::filesystem::current_path(ec);
    return ec ? std::string(".") : FromSystemPath(path.string());
}

std::string ReadFileBytes(std::string const& name)
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

void WriteFileBytes(std::string const& name, std::string_view bytes)
{
    std::FILE* f = std::fopen(ToSystemPath(name).c_str(), "wb");
    if (!f)
        throw EFileError(Format("Cannot create file \"%s\". %s", name.c_str(), std::strerror(errno)));
    size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    bool failed = std::fclose(f) != 0 || written != bytes.size();
    if (failed)
        throw EFileError(Format("Cannot write file \"%s\".", name.c_str()));
}

int64_t FileSize(std::string const& name)
{
    struct stat st { };
    if (::stat(ToSystemPath(name).c_str(), &st) != 0)
        return -1;
    return int64_t(st.st_size);
}

// --- The checked file layer -------------------------------------------------------------------

namespace {
TFileFaultHook& FaultHook()
{
    static TFileFaultHook hook;
    return hook;
}

// The errno the test hook asks for, or 0.
int InjectedFault(TFileOp op, std::string const& path)
{
    TFileFaultHook const& hook = FaultHook();
    return hook ? hook(op, path) : 0;
}
}

char const* FileOpName(TFileOp op)
{
    // In the order of TFileOp.
    static constexpr char const* Names[]
        = { "open", "read", "write", "truncate", "rename", "delete", "close" };
    static_assert(std::size(Names) == size_t(TFileOp::Close) + 1);
    size_t const i = size_t(op);
    return i < std::size(Names) ? Names[i] : "use";
}

void SetFileFaultHook(TFileFaultHook hook) { FaultHook() = std::move(hook); }

void RaiseFileError(TFileOp op, std::string const& path, int error)
{
    // Messages are ANSI text inside the system.
    throw EFileError(Format("Cannot %s file \"%s\". %s.", FileOpName(op), FromSystemPath(path).c_str(),
        Utf8ToAnsi(std::strerror(error)).c_str()));
}

TFile::TFile(std::string path, TOpenMode mode)
    : FPath(std::move(path))
{
    if (int fault = InjectedFault(TFileOp::Open, FPath))
        Fail(TFileOp::Open, fault);
    int flags = O_CLOEXEC;
    switch (mode) {
    case TOpenMode::Read:
        flags |= O_RDONLY;
        break;
    case TOpenMode::ReadWrite:
        flags |= O_RDWR;
        break;
    case TOpenMode::Append:
        flags |= O_WRONLY | O_CREAT | O_APPEND;
        break;
    case TOpenMode::CreateNew:
        flags |= O_WRONLY | O_CREAT | O_EXCL;
        break;
    }
    do
        FFd = ::open(FPath.c_str(), flags, 0644);
    while (FFd < 0 && errno == EINTR);
    if (FFd < 0)
        Fail(TFileOp::Open, errno);
    struct stat st { };
    if (::fstat(FFd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(FFd);
        FFd = -1;
        Fail(TFileOp::Open, EISDIR);
    }
}

TFile::~TFile()
{
    if (FFd >= 0)
        ::close(FFd);
}

void TFile::Fail(TFileOp op, int error) const { RaiseFileError(op, FPath, error); }

int64_t TFile::Size()
{
    struct stat st { };
    if (::fstat(FFd, &st) != 0)
        Fail(TFileOp::Read, errno);
    return int64_t(st.st_size);
}

int64_t TFile::ReadAt(char* buffer, int64_t count, int64_t offset)
{
    if (int fault = InjectedFault(TFileOp::Read, FPath))
        Fail(TFileOp::Read, fault);
    int64_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(FFd, buffer + done, size_t(count - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(TFileOp::Read, errno);
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

void TFile::Write(std::string_view bytes)
{
    if (bytes.empty())
        return;
    if (int fault = InjectedFault(TFileOp::Write, FPath))
        Fail(TFileOp::Write, fault);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(FFd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(TFileOp::Write, errno);
        // No progress without an error: the device takes nothing more.
        if (n == 0)
            Fail(TFileOp::Write, ENOSPC);
        done += size_t(n);
    }
}

void TFile::WriteAt(std::string_view bytes, int64_t offset)
{
    if (bytes.empty())
        return;
    if (int fault = InjectedFault(TFileOp::Write, FPath))
        Fail(TFileOp::Write, fault);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(FFd, bytes.data() + done, bytes.size() - done, off_t(offset + int64_t(done)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(TFileOp::Write, errno);
        if (n == 0)
            Fail(TFileOp::Write, ENOSPC);
        done += size_t(n);
    }
}

void TFile::Truncate(int64_t size)
{
    if (int fault = InjectedFault(TFileOp::Truncate, FPath))
        Fail(TFileOp::Truncate, fault);
    if (::ftruncate(FFd, off_t(size)) != 0)
        Fail(TFileOp::Truncate, errno);
}

void TFile::Sync()
{
    if (int fault = InjectedFault(TFileOp::Write, FPath))
        Fail(TFileOp::Write, fault);
    int rc;
    do
        rc = ::fsync(FFd);
    while (rc != 0 && errno == EINTR);
    // A file system that cannot sync (EINVAL) has nothing more to flush.
    if (rc != 0 && errno != EINVAL && errno != EROFS)
        Fail(TFileOp::Write, errno);
}

void TFile::Close()
{
    if (FFd < 0)
        return;
    int fd = FFd;
    FFd = -1;
    int fault = InjectedFault(TFileOp::Close, FPath);
    // The descriptor is released either way; only the report differs.
    int rc = ::close(fd);
    if (fault)
        Fail(TFileOp::Close, fault);
    if (rc != 0 && errno != EINTR)
        Fail(TFileOp::Close, errno);
}

std::string ReadSystemFile(std::string const& path)
{
    TFile file(path, TOpenMode::Read);
    std::string out(size_t(file.Size()), '\0');
    out.resize(size_t(file.ReadAt(out.data(), int64_t(out.size()), 0)));
    // A file that grew since the size was taken is read to its end.
    char buffer[65536];
    for (;;) {
        int64_t n = file.ReadAt(buffer, sizeof buffer, int64_t(out.size()));
        if (n <= 0)
            break;
        out.append(buffer, size_t(n));
    }
    file.Close();
    return out;
}

void RemoveSystemFile(std::string const& path)
{
    if (int fault = InjectedFault(TFileOp::Delete, path))
        RaiseFileError(TFileOp::Delete, path, fault);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        RaiseFileError(TFileOp::Delete, path, errno);
}

void CheckReplaceable(std::string const& path)
{
    std::string const name = FromSystemPath(path);
    struct stat st { };
    bool const exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        throw EFileError(Format("\"%s\" is a folder, not a file; nothing was written.", name.c_str()));
    size_t const slash = path.rfind(PathDelim);
    std::string const dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (::access(dir.c_str(), W_OK | X_OK) != 0) {
        int const error = errno;
        if (error == ENOENT || error == ENOTDIR)
            throw EFileError(
                Format("The folder of \"%s\" does not exist; nothing was written.", name.c_str()));
        throw EFileError(Format("No permission to write in the folder \"%s\" (%s); \"%s\" was not written.",
            FromSystemPath(dir).c_str(), Utf8ToAnsi(std::strerror(error)).c_str(), name.c_str()));
    }
    if (!exists)
        return;
    // The mode bits say read-only for everyone, root included, whom access() would let by.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw EFileError(
            Format("The file \"%s\" is read-only; it is not replaced. Nothing was written.", name.c_str()));
    if (::access(path.c_str(), W_OK) != 0)
        throw EFileError(
            Format("No permission to write the file \"%s\" (%s); it is not replaced. Nothing was "
                   "written.",
                name.c_str(), Utf8ToAnsi(std::strerror(errno)).c_str()));
}

void RenameSystemFile(std::string const& from, std::string const& to)
{
    int error = InjectedFault(TFileOp::Rename, from);
    if (!error && ::rename(from.c_str(), to.c_str()) != 0)
        error = errno;
    if (error)
        throw EFileError(Format("Cannot rename file \"%s\" to \"%s\". %s.", FromSystemPath(from).c_str(),
            FromSystemPath(to).c_str(), Utf8ToAnsi(std::strerror(error)).c_str()));
}

bool SystemFileExists(std::string const& path)
{
    struct stat st { };
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool ForceSystemDirectories(std::string const& path)
{
    if (path.empty())
        return false;
    std::error_code ec;
    std::filesystem::path p(path);
    if (std::filesystem::is_directory(p, ec))
        return true;
    std::filesystem::create_directories(p, ec);
    return std::filesystem::is_directory(p, ec);
}

TTempDir::TTempDir(std::string_view prefix)
{
    std::string pattern
        = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
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
