#include "platform/base/Exceptions.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/ZLibStreams.h"

#include <gtest/gtest.h>

#include <random>

using namespace xe::skin;
using xe::base::ECompressionError;
using xe::base::EDecompressionError;

namespace {

std::string SampleBytes(size_t size, unsigned seed)
{
    // Half noise, half repetition, so that compression has something to do.
    std::mt19937 rng(seed);
    std::string out;
    for (size_t i = 0; i < size; ++i)
        out += (i / 512) % 2 ? char(rng()) : char('A' + i % 7);
    return out;
}

template <class E> std::string MessageOf(std::function<void()> const& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<no error>";
}

} // namespace

TEST(ZLibStreams, RoundTripAtLevelNineAcrossBufferBoundaries)
{
    for (size_t size : { size_t(0), size_t(1), size_t(4095), size_t(4096), size_t(4097), size_t(100000) }) {
        std::string data = SampleBytes(size, unsigned(size));
        std::string compressed = CompressSkinPackage(data);
        ASSERT_GE(compressed.size(), 2u);
        EXPECT_EQ(uint8_t(compressed[0]), 0x78);
        EXPECT_EQ(uint8_t(compressed[1]), 0xDA) << "level 9 header";
        EXPECT_EQ(DecompressSkinPackage(compressed), data) << size;
    }
}

TEST(ZLibStreams, CompressionWritesAtTheTargetsPositionAndKeepsItsOwn)
{
    TMemoryStream target { std::string("HEAD") };
    target.SetPosition(4);
    TMemoryStream source { SampleBytes(20000, 7) };
    source.SetPosition(123); // CompressStream rewinds the source
    CompressStream(source, target);
    ASSERT_EQ(target.Bytes().substr(0, 4), "HEAD");
    EXPECT_EQ(DecompressSkinPackage(target.Bytes().substr(4)), source.Bytes());

    // Someone moving the target between writes does not disturb the output.
    TMemoryStream shared;
    {
        TCompressionStream z(shared);
        std::string part = SampleBytes(9000, 3);
        z.WriteBuffer(part.data(), int32_t(part.size()));
        shared.SetPosition(0);
        z.WriteBuffer(part.data(), int32_t(part.size()));
        z.Finish();
    }
    EXPECT_EQ(DecompressSkinPackage(shared.Bytes()), SampleBytes(9000, 3) + SampleBytes(9000, 3));
}

TEST(ZLibStreams, DecompressionStopsAtTheEndOfTheZlibStream)
{
    std::string data = SampleBytes(10000, 11);
    std::string withGarbage = CompressSkinPackage(data) + std::string(5000, '\x5A') + "trailing";
    EXPECT_EQ(DecompressSkinPackage(withGarbage), data);

    TMemoryStream source { withGarbage };
    TDecompressionStream z(source);
    std::string out(20000, '\0');
    EXPECT_EQ(z.Read(out.data(), 20000), 10000);
    EXPECT_EQ(z.Read(out.data(), 20000), 0);
}

TEST(ZLibStreams, TruncatedOrBadInputRaises)
{
    std::string data = SampleBytes(50000, 5);
    std::string compressed = CompressSkinPackage(data);
    // A stream cut anywhere before its end (the last cut drops only the checksum's last
    // byte) is a broken stream, not a shorter skin.
    for (size_t keep :
        { size_t(2), size_t(7), compressed.size() / 2, compressed.size() - 5, compressed.size() - 1 })
        EXPECT_EQ(MessageOf<EDecompressionError>([&] { DecompressSkinPackage(compressed.substr(0, keep)); }),
            "compression error")
            << "kept " << keep << " of " << compressed.size();
    EXPECT_EQ(DecompressSkinPackage(compressed), data);

    EXPECT_EQ(MessageOf<EDecompressionError>([] { DecompressSkinPackage("not a zlib stream at all"); }),
        "compression error");
    // A header asking for a preset dictionary cannot be inflated either.
    EXPECT_EQ(
        MessageOf<EDecompressionError>([] { DecompressSkinPackage(std::string("\x78\xBB\0\0\0\0xx", 8)); }),
        "compression error");
    EXPECT_EQ(DecompressSkinPackage(""), "");
}

TEST(ZLibStreams, DecompressionSeeksOnlyToTheStartOrForward)
{
    std::string data = SampleBytes(30000, 9);
    TMemoryStream source { CompressSkinPackage(data) };
    TDecompressionStream z(source);
    char buf[100];

    ASSERT_EQ(z.Read(buf, 100), 100);
    EXPECT_EQ(std::string(buf, 100), data.substr(0, 100));
    EXPECT_EQ(z.Seek(0, soCurrent), 100);

    EXPECT_EQ(z.Seek(9000, soCurrent), 9100); // forward by reading and discarding
    ASSERT_EQ(z.Read(buf, 100), 100);
    EXPECT_EQ(std::string(buf, 100), data.substr(9100, 100));

    EXPECT_EQ(z.Seek(20000, soBeginning), 20000);
    ASSERT_EQ(z.Read(buf, 100), 100);
    EXPECT_EQ(std::string(buf, 100), data.substr(20000, 100));

    source.SetPosition(777); // the rewind also rewinds the source
    EXPECT_EQ(z.Seek(0, soBeginning), 0);
    ASSERT_EQ(z.Read(buf, 100), 100);
    EXPECT_EQ(std::string(buf, 100), data.substr(0, 100));

    char const* invalid = "Invalid stream operation";
    EXPECT_EQ(MessageOf<EDecompressionError>([&] { z.Seek(-1, soCurrent); }), invalid);
    EXPECT_EQ(MessageOf<EDecompressionError>([&] { z.Seek(50, soBeginning); }), invalid); // backwards
    EXPECT_EQ(MessageOf<EDecompressionError>([&] { z.Seek(0, soEnd); }), invalid);
    EXPECT_EQ(MessageOf<EDecompressionError>([&] { z.Write(buf, 1); }), invalid);

    // Seeking past the end stops at the end.
    EXPECT_EQ(z.Seek(1000000, soCurrent), 30000);
}

TEST(ZLibStreams, CompressionStreamOnlyWritesAndTellsItsPosition)
{
    TMemoryStream target;
    TCompressionStream z(target);
    z.WriteBuffer("abcdef", 6);
    EXPECT_EQ(z.Seek(0, soCurrent), 6);
    char buf[4];
    char const* invalid = "Invalid stream operation";
    EXPECT_EQ(MessageOf<ECompressionError>([&] { z.Read(buf, 4); }), invalid);
    EXPECT_EQ(MessageOf<ECompressionError>([&] { z.Seek(0, soBeginning); }), invalid);
    EXPECT_EQ(MessageOf<ECompressionError>([&] { z.Seek(2, soCurrent); }), invalid);
    z.Finish();
    EXPECT_EQ(DecompressSkinPackage(target.Bytes()), "abcdef");
}

TEST(CompressedSkinFile, HeaderVersionAndLength)
{
    std::string compressed = CompressSkinPackage("package");
    std::string out;
    ASSERT_TRUE(ReadCompressedSkinFile(MakeCompressedSkinFile(compressed, 3), out));
    EXPECT_EQ(out, compressed);
    EXPECT_FALSE(ReadCompressedSkinFile(MakeCompressedSkinFile(compressed, 4), out));
    EXPECT_TRUE(out.empty());
    // A negative version is "3 or less" too.
    EXPECT_TRUE(ReadCompressedSkinFile(MakeCompressedSkinFile(compressed, -1), out));
    // Surplus bytes after the announced length are not taken.
    ASSERT_TRUE(ReadCompressedSkinFile(MakeCompressedSkinFile(compressed) + "xyz", out));
    EXPECT_EQ(out, compressed);
    // A length beyond the file, or a file too short for its header, is a read error.
    std::string file = MakeCompressedSkinFile(compressed);
    EXPECT_THROW(ReadCompressedSkinFile(file.substr(0, file.size() - 1), out), xe::base::EReadError);
    EXPECT_THROW(ReadCompressedSkinFile(file.substr(0, 6), out), xe::base::EReadError);
    EXPECT_FALSE(ReadCompressedSkinFile(MakeCompressedSkinFile(""), out));
}
