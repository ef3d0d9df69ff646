#include "skin/data/ZLibStreams.h"

#include "platform/base/Exceptions.h"

#include <algorithm>

namespace xe::skin {

using namespace xe::base;

namespace {

int CCheck(int code)
{
    if (code < 0)
        throw ECompressionError("error");
    return code;
}

int DCheck(int code)
{
    // A stream that asks for a preset dictionary cannot be inflated here, and the
    // inflater would make no progress on it; it is as broken as bad data.
    if (code < 0 || code == Z_NEED_DICT)
        throw EDecompressionError("compression error");
    return code;
}

char const* const InvalidStreamOp = "Invalid stream operation";

} // namespace

TCompressionStream::TCompressionStream(TStream& target, int level)
    : FStrm(target)
    , FStrmPos(target.Position())
{
    FZRec.next_out = reinterpret_cast<Bytef*>(FBuffer);
    FZRec.avail_out = ZBufferSize;
    CCheck(deflateInit_(&FZRec, level, ZLIB_VERSION, int(sizeof(z_stream))));
}

TCompressionStream::~TCompressionStream()
{
    try {
        Finish();
    } catch (...) {
    }
    deflateEnd(&FZRec);
}

void TCompressionStream::Flush(int32_t bytes)
{
    FStrm.SetPosition(FStrmPos);
    FStrm.WriteBuffer(FBuffer, bytes);
    FStrmPos = FStrm.Position();
    FZRec.next_out = reinterpret_cast<Bytef*>(FBuffer);
    FZRec.avail_out = ZBufferSize;
}

void TCompressionStream::Finish()
{
    if (FFinished)
        return;
    FFinished = true;
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    while (CCheck(deflate(&FZRec, Z_FINISH)) != Z_STREAM_END && FZRec.avail_out == 0)
        Flush(ZBufferSize);
    if (FZRec.avail_out < uInt(ZBufferSize))
        Flush(ZBufferSize - int32_t(FZRec.avail_out));
}

int32_t TCompressionStream::Read(void*, int32_t) { throw ECompressionError(InvalidStreamOp); }

int32_t TCompressionStream::Write(void const* buffer, int32_t count)
{
    if (FFinished)
        throw ECompressionError(InvalidStreamOp);
    FZRec.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    FZRec.avail_in = uInt(std::max(count, 0));
    while (FZRec.avail_in > 0) {
        CCheck(deflate(&FZRec, Z_NO_FLUSH));
        if (FZRec.avail_out == 0)
            Flush(ZBufferSize);
    }
    return count;
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == soCurrent)
        return int64_t(FZRec.total_in);
    throw ECompressionError(InvalidStreamOp);
}

TDecompressionStream::TDecompressionStream(TStream& source)
    : FStrm(source)
    , FStrmPos(source.Position())
{
    FZRec.next_in = reinterpret_cast<Bytef*>(FBuffer);
    FZRec.avail_in = 0;
    DCheck(inflateInit_(&FZRec, ZLIB_VERSION, int(sizeof(z_stream))));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&FZRec); }

int32_t TDecompressionStream::Read(void* buffer, int32_t count)
{
    if (count <= 0 || FEnded)
        return 0;
    FZRec.next_out = static_cast<Bytef*>(buffer);
    FZRec.avail_out = uInt(count);
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
    while (FZRec.avail_out > 0) {
        if (FZRec.avail_in == 0) {
            FZRec.avail_in = uInt(std::max(FStrm.Read(FBuffer, ZBufferSize), 0));
            if (FZRec.avail_in == 0) {
                // The source has ended. Output still held by the inflater comes out, and a
                // stream whose end marker was read ends here; one that stopped before its
                // end marker is as broken as bad data. No input at all is no stream.
                uInt before = FZRec.avail_out;
                int code = inflate(&FZRec, Z_NO_FLUSH);
                if (code == Z_STREAM_END) {
                    FEnded = true;
                    break;
                }
                if (code == Z_OK && FZRec.avail_out < before)
                    continue;
                if (FZRec.total_in == 0)
                    break;
                throw EDecompressionError("compression error");
            }
            FZRec.next_in = reinterpret_cast<Bytef*>(FBuffer);
            FStrmPos = FStrm.Position();
        }
        if (DCheck(inflate(&FZRec, Z_NO_FLUSH)) == Z_STREAM_END) {
            FEnded = true;
            break;
        }
    }
    return count - int32_t(FZRec.avail_out);
}

int32_t TDecompressionStream::Write(void const*, int32_t) { throw EDecompressionError(InvalidStreamOp); }

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t totalOut = int64_t(FZRec.total_out);
    if (offset == 0 && origin == soBeginning) {
        DCheck(inflateReset(&FZRec));
        FZRec.next_in = reinterpret_cast<Bytef*>(FBuffer);
        FZRec.avail_in = 0;
        FStrm.SetPosition(0);
        FStrmPos = 0;
        FEnded = false;
    } else if ((origin == soCurrent && offset >= 0) || (origin == soBeginning && offset >= totalOut)) {
        if (origin == soBeginning)
            offset -= totalOut;
        char discard[ZBufferSize];
        while (offset > 0) {
            int32_t n = Read(discard, int32_t(std::min<int64_t>(offset, ZBufferSize)));
            if (n == 0)
                break;
            offset -= n;
        }
    } else {
        throw EDecompressionError(InvalidStreamOp);
    }
    return int64_t(FZRec.total_out);
}

void CompressStream(TStream& source, TStream& target)
{
    source.SetPosition(0);
    TCompressionStream compressor(target, Z_BEST_COMPRESSION);
    char buffer[ZBufferSize];
    for (;;) {
        int32_t n = source.Read(buffer, ZBufferSize);
        if (n <= 0)
            break;
        compressor.WriteBuffer(buffer, n);
    }
    compressor.Finish();
}

void DecompressStream(TStream& target, TStream& source)
{
    source.SetPosition(0);
    TDecompressionStream inflater(source);
    char buffer[ZBufferSize];
    for (;;) {
        int32_t n = inflater.Read(buffer, ZBufferSize);
        if (n == 0)
            break;
        target.WriteBuffer(buffer, n);
    }
}

} // namespace xe::skin
