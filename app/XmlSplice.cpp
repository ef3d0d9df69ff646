#include "app/XmlSplice.h"

#include "platform/base/Files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xe::app {

using namespace xe::base;

namespace {
    // Reads exactly count bytes at offset unless the file ends first.
    int64_t ReadAt(int fd, char* buffer, int64_t count, int64_t offset)
    {
        int64_t done = 0;
        while (done < count) {
            ssize_t n = ::pread(fd, buffer + done, size_t(count - done), off_t(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += n;
        }
        return done;
    }

    bool WriteAll(int fd, std::string_view bytes)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += size_t(n);
        }
        return true;
    }

    class FileHandle {
    public:
        FileHandle(const std::string& name, int flags, mode_t mode = 0)
            : FFd(::open(ToSystemPath(name).c_str(), flags | O_CLOEXEC, mode))
        {
        }
        ~FileHandle()
        {
            if (FFd >= 0)
                ::close(FFd);
        }
        FileHandle(const FileHandle&) = delete;
        FileHandle& operator=(const FileHandle&) = delete;
        int Fd() const { return FFd; }
        bool IsOpen() const { return FFd >= 0; }

    private:
        int FFd;
    };
}

bool TruncateAtDataEnd(const std::string& fileName, int64_t initialWindow)
{
    if (!FileExists(fileName) || initialWindow <= 0)
        return false;
    FileHandle file(fileName, O_RDWR);
    if (!file.IsOpen())
        return false;
    struct stat st;
    if (::fstat(file.Fd(), &st) != 0)
        return false;
    const int64_t size = st.st_size;
    std::string window;
    for (int64_t w = initialWindow; w <= size; w *= 2) {
        window.resize(size_t(w));
        if (ReadAt(file.Fd(), window.data(), w, size - w) < w)
            return false;
        size_t p = window.find(DataEndMarker);
        if (p == std::string::npos)
            continue;
        return ::ftruncate(file.Fd(), off_t(size - w + int64_t(p))) == 0;
    }
    // The window no longer fits in the file: the platform's seek fails and the short read
    // ends the search with the file unchanged.
    return false;
}

std::string ReadWholeFile(const std::string& fileName)
{
    if (!FileExists(fileName))
        return {};
    FileHandle file(fileName, O_RDONLY);
    if (!file.IsOpen())
        return {};
    struct stat st;
    if (::fstat(file.Fd(), &st) != 0)
        return {};
    std::string out(size_t(st.st_size), '\0');
    int64_t n = ReadAt(file.Fd(), out.data(), int64_t(out.size()), 0);
    out.resize(size_t(n));
    return out;
}

void AppendText(const std::string& fileName, std::string_view text)
{
    FileHandle file(fileName, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (!file.IsOpen())
        return;
    WriteAll(file.Fd(), text);
}

} // namespace xe::app
