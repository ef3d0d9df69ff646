#pragma once

#include "skin/data/Streams.h"

#include <zlib.h>

namespace xe::skin {

constexpr int ZBufferSize = 4096;

// Writes everything written to it, deflated at level 9 in the zlib format, into a
// target stream. Finish() flushes the last pieces; the destructor finishes too if the
// caller did not (and swallows an error there, as a destructor must).
//
// The stream keeps its own idea of the target position and puts the target back to it
// before each write, so other users of the target between writes do not disturb it.
// Reading, and every seek but asking for the position, raise "Invalid stream operation".
class TCompressionStream : public TStream {
public:
    explicit TCompressionStream(TStream& target, int level = Z_BEST_COMPRESSION);
    ~TCompressionStream() override;
    TCompressionStream(TCompressionStream const&) = delete;
    TCompressionStream& operator=(TCompressionStream const&) = delete;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(void const* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void Finish();

private:
    void Flush(int32_t bytes);

    TStream& FStrm;
    int64_t FStrmPos;
    z_stream FZRec {};
    char FBuffer[ZBufferSize] {};
    bool FFinished = false;
};

// Inflates a zlib stream read from a source stream. A read returns fewer bytes than
// asked only at the end: when the source has no more bytes, or when the zlib stream
// has ended (bytes after its end are never inflated, so trailing garbage cannot keep a
// reader busy). Seeking works only to the start (which also rewinds the source) and
// forward (by reading and discarding); anything else, and writing, raise "Invalid
// stream operation".
class TDecompressionStream : public TStream {
public:
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;
    TDecompressionStream(TDecompressionStream const&) = delete;
    TDecompressionStream& operator=(TDecompressionStream const&) = delete;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(void const* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    TStream& FStrm;
    int64_t FStrmPos;
    z_stream FZRec {};
    char FBuffer[ZBufferSize] {};
    bool FEnded = false;
};

// Rewinds the source and writes all of it, compressed at level 9 and finished, into the
// target at the target's position.
void CompressStream(TStream& source, TStream& target);

// Rewinds the source, inflates it and writes the output into the target in pieces of
// at most 4096 bytes until the inflater delivers no more.
void DecompressStream(TStream& target, TStream& source);

} // namespace xe::skin
