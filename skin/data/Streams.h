#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xe::skin {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// A byte stream with the classic read / write / seek contract: Read and Write move as
// many bytes as they can and return that number; ReadBuffer and WriteBuffer move all of
// them or raise EReadError / EWriteError.
class TStream {
public:
    virtual ~TStream() = default;
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(void const* buffer, int32_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    virtual int64_t Size();

    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(void const* buffer, int32_t count);
    // Copies count bytes from the source's position; a count of 0 copies the whole
    // source from its start. Returns the number of bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A growable stream over memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes)
        : FData(std::move(bytes))
    {
    }

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(void const* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return int64_t(FData.size()); }

    void Clear();
    void SetSize(int64_t size);
    std::string const& Bytes() const { return FData; }
    std::string_view View() const { return FData; }
    void LoadFromFile(std::string const& name);
    void SaveToFile(std::string const& name) const;

private:
    std::string FData;
    int64_t FPosition = 0;
};

} // namespace xe::skin
