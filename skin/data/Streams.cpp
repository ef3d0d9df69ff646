#include "skin/data/Streams.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"

#include <algorithm>
#include <cstring>

namespace xe::skin {

using namespace xe::base;

int64_t TStream::Size()
{
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int32_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(void const* buffer, int32_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr int32_t BufSize = 0xF000;
    std::string buffer(BufSize, '\0');
    int64_t done = 0;
    while (done < count) {
        int32_t n = int32_t(std::min<int64_t>(BufSize, count - done));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        done += n;
    }
    return done;
}

int32_t TMemoryStream::Read(void* buffer, int32_t count)
{
    if (count <= 0 || FPosition >= int64_t(FData.size()))
        return 0;
    int64_t n = std::min<int64_t>(count, int64_t(FData.size()) - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, size_t(n));
    FPosition += n;
    return int32_t(n);
}

int32_t TMemoryStream::Write(void const* buffer, int32_t count)
{
    if (count <= 0)
        return 0;
    size_t end = size_t(FPosition) + size_t(count);
    if (end > FData.size())
        FData.resize(end);
    std::memcpy(FData.data() + FPosition, buffer, size_t(count));
    FPosition = int64_t(end);
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    switch (origin) {
    case soBeginning:
        FPosition = offset;
        break;
    case soCurrent:
        FPosition += offset;
        break;
    case soEnd:
        FPosition = int64_t(FData.size()) + offset;
        break;
    }
    if (FPosition < 0)
        FPosition = 0;
    return FPosition;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::SetSize(int64_t size)
{
    FData.resize(size_t(std::max<int64_t>(size, 0)));
    FPosition = std::min<int64_t>(FPosition, int64_t(FData.size()));
}

void TMemoryStream::LoadFromFile(std::string const& name)
{
    FData = ReadFileBytes(name);
    FPosition = 0;
}

void TMemoryStream::SaveToFile(std::string const& name) const { WriteFileBytes(name, FData); }

} // namespace xe::skin
