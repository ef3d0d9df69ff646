#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Png.h"

using namespace xe::gfx;
using xe::base::RGB;
using xe::base::TColor;

namespace {

TBitmap Random(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x)
            b.ScanLine(y)[x] = uint8_t(rng());
    return b;
}

// Assembles a BMP image by hand, for layouts the writer does not produce.
struct TBmpBuilder {
    int HeaderSize = 40;
    int32_t Width = 2;
    int32_t Height = 2;
    int Depth = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Masks; // written after a 40-byte header, or inside a larger one
    std::vector<TColor> Palette;
    uint32_t ColorsUsed = 0;
    std::vector<std::vector<uint8_t>> Rows; // file order, unpadded
    std::vector<uint8_t> Codes; // run-length data, used instead of Rows
    int64_t FileSizeDelta = 0; // added to the true size in the size field

    std::string Build() const
    {
        std::string info;
        auto put = [](std::string& s, uint32_t v, int n) {
            for (int i = 0; i < n; ++i)
                s.push_back(char((v >> (8 * i)) & 0xFF));
        };
        if (HeaderSize == 12) {
            put(info, 12, 4);
            put(info, uint32_t(Width), 2);
            put(info, uint32_t(Height), 2);
            put(info, 1, 2);
            put(info, uint32_t(Depth), 2);
        } else {
            put(info, uint32_t(HeaderSize), 4);
            put(info, uint32_t(Width), 4);
            put(info, uint32_t(Height), 4);
            put(info, 1, 2);
            put(info, uint32_t(Depth), 2);
            put(info, Compression, 4);
            put(info, 0, 4);
            put(info, 0, 4);
            put(info, 0, 4);
            put(info, ColorsUsed, 4);
            put(info, 0, 4);
            if (HeaderSize > 40) {
                for (size_t i = 0; i < 4; ++i)
                    put(info, i < Masks.size() ? Masks[i] : 0, 4);
                info.resize(size_t(HeaderSize), '\0');
            } else {
                for (uint32_t m : Masks)
                    put(info, m, 4);
            }
        }
        for (TColor c : Palette) {
            info.push_back(char(xe::base::GetBValue(c)));
            info.push_back(char(xe::base::GetGValue(c)));
            info.push_back(char(xe::base::GetRValue(c)));
            if (HeaderSize != 12)
                info.push_back(0);
        }
        std::string pixels(Codes.begin(), Codes.end());
        for (auto& row : Rows) {
            std::string r(row.begin(), row.end());
            r.resize((r.size() + 3) / 4 * 4, '\0');
            pixels += r;
        }
        std::string file = "BM";
        put(file, uint32_t(int64_t(14 + info.size() + pixels.size()) + FileSizeDelta), 4);
        put(file, 0, 4);
        put(file, uint32_t(14 + info.size()), 4);
        return file + info + pixels;
    }
};

void ExpectRow(TBitmap const& b, int y, std::vector<TColor> colors)
{
    for (size_t x = 0; x < colors.size(); ++x)
        EXPECT_EQ(b.Pixel(int(x), y), colors[x]) << "pixel " << x << "," << y;
}

} // namespace

TEST(BitmapTest, LayoutAndLifetime)
{
    TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.BitDepth(), 24);
    for (int w = 0; w < 9; ++w)
        EXPECT_EQ(TBitmap::StrideFor(w) % 4, 0) << w;
    TBitmap b(5, 3);
    EXPECT_EQ(b.Stride(), 5 * 3 + 1);
    EXPECT_EQ(b.ByteSize(), size_t(16 * 3));
    EXPECT_EQ(b.Pixel(4, 2), 0u);
    b.SetPixel(4, 2, RGB(1, 2, 3));
    // Blue, green, red in memory; row 0 is the top.
    EXPECT_EQ(b.ScanLine(2)[12], 3);
    EXPECT_EQ(b.ScanLine(2)[14], 1);
    b.SetPixel(1, 0, xe::base::clBtnFace); // system colours are resolved
    EXPECT_FALSE(xe::base::IsSystemColor(b.Pixel(1, 0)));

    // Resizing keeps what stays inside and makes new pixels black.
    b.SetSize(6, 4);
    EXPECT_EQ(b.Pixel(4, 2), RGB(1, 2, 3));
    EXPECT_EQ(b.Pixel(5, 3), 0u);
    EXPECT_FALSE(TBitmap(0, 4).Empty() == false);
    // Growing a bitmap that has height but no width starts from black.
    TBitmap thin(0, 4);
    thin.SetSize(2, 4);
    EXPECT_EQ(thin.Pixel(1, 3), 0u);

    // Copies are deep; a moved bitmap keeps its canvas drawing on itself.
    TBitmap copy = b;
    copy.SetPixel(4, 2, 0);
    EXPECT_EQ(b.Pixel(4, 2), RGB(1, 2, 3));
    TCanvas* canvas = &b.Canvas();
    TBitmap moved = std::move(b);
    EXPECT_EQ(&moved.Canvas(), canvas);
    moved.Canvas().Brush.Color = xe::base::clRed;
    moved.Canvas().FillRect(xe::base::Rect(0, 0, 1, 1));
    EXPECT_EQ(moved.Pixel(0, 0), xe::base::clRed);
    // NOLINTNEXTLINE(bugprone-use-after-move): the moved-from state is what this checks
    EXPECT_TRUE(b.Empty());
}

TEST(BitmapTest, RoundTrip24Bits)
{
    for (int w : { 1, 2, 3, 4, 5, 17 }) {
        TBitmap b = Random(w, 3, unsigned(w));
        std::string bytes = b.SaveToBytes();
        EXPECT_EQ(bytes.size(), size_t(54 + TBitmap::StrideFor(w) * 3));
        TBitmap r;
        EXPECT_EQ(r.LoadFromStream(bytes), bytes.size());
        EXPECT_TRUE(SamePixels(r, b)) << w;
        EXPECT_EQ(r.BitDepth(), 24);
        EXPECT_EQ(r.OriginalBytes(), bytes);
        EXPECT_EQ(r.SaveToBytes(), bytes);
    }
}

TEST(BitmapTest, RoundTrip8And1Bits)
{
    // Eight-bit: a palette of the colours used is built; a reload keeps the depth and palette.
    TBitmap b(13, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            b.SetPixel(x, y, RGB(uint8_t(x * 19), uint8_t(y * 40), 7));
    b.SetBitDepth(8);
    std::string bytes = b.SaveToBytes();
    EXPECT_EQ(bytes.size(), size_t(54 + 65 * 4 + 16 * 5));
    TBitmap r;
    r.LoadFromStream(bytes);
    EXPECT_TRUE(SamePixels(r, b));
    EXPECT_EQ(r.BitDepth(), 8);
    EXPECT_EQ(r.Palette().size(), 65u);
    EXPECT_EQ(r.SaveToBytes(), bytes);

    // One bit, any two colours, a width that is not a multiple of 8.
    TBitmap m(13, 3);
    m.Fill(RGB(200, 0, 0));
    m.SetPixel(0, 0, RGB(0, 0, 90));
    m.SetPixel(12, 2, RGB(0, 0, 90));
    m.SetPixel(8, 1, RGB(0, 0, 90));
    m.SetBitDepth(1);
    std::string mono = m.SaveToBytes();
    EXPECT_EQ(mono.size(), size_t(54 + 8 + 4 * 3));
    TBitmap mr;
    mr.LoadFromStream(mono);
    EXPECT_TRUE(SamePixels(mr, m));
    EXPECT_EQ(mr.BitDepth(), 1);

    // Too many colours for the depth: the nearest colour of the loaded table is written.
    mr.SetPixel(5, 1, RGB(220, 10, 10));
    TBitmap again;
    again.LoadFromStream(mr.SaveToBytes());
    EXPECT_EQ(again.Pixel(5, 1), RGB(200, 0, 0));
}

TEST(BitmapTest, ReadsOtherDepthsAndHeaders)
{
    const TColor red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255),
                 white = RGB(255, 255, 255);
    {
        SCOPED_TRACE("4 bits, bottom-up, odd width");
        TBmpBuilder bmp;
        bmp.Depth = 4;
        bmp.Width = 3;
        bmp.Palette = { red, green, blue, white };
        bmp.ColorsUsed = 4;
        bmp.Rows = { { 0x01, 0x20 }, { 0x33, 0x10 } }; // bottom row first
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        EXPECT_EQ(b.BitDepth(), 4);
        ExpectRow(b, 0, { white, white, green });
        ExpectRow(b, 1, { red, green, blue });
    }
    {
        SCOPED_TRACE("8 bits with a short palette; indices beyond it read as black");
        TBmpBuilder bmp;
        bmp.Depth = 8;
        bmp.Width = 3;
        bmp.Height = 1;
        bmp.Palette = { red, blue };
        bmp.ColorsUsed = 2;
        bmp.Rows = { { 1, 0, 200 } };
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        ExpectRow(b, 0, { blue, red, 0 });
    }
    {
        SCOPED_TRACE("24 bits, top-down");
        TBmpBuilder bmp;
        bmp.Height = -2;
        bmp.Rows = { { 0, 0, 255, 0, 255, 0 }, { 255, 0, 0, 255, 255, 255 } };
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        ExpectRow(b, 0, { red, green });
        ExpectRow(b, 1, { blue, white });
    }
    {
        SCOPED_TRACE("32 bits, plain and with bit fields");
        TBmpBuilder bmp;
        bmp.Depth = 32;
        bmp.Width = 1;
        bmp.Height = 1;
        bmp.Rows = { { 10, 20, 30, 99 } };
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        EXPECT_EQ(b.Pixel(0, 0), RGB(30, 20, 10));
        EXPECT_EQ(b.BitDepth(), 32);
        bmp.Compression = 3;
        bmp.Masks = { 0x000000FF, 0x0000FF00, 0x00FF0000 }; // red in the lowest byte
        b.LoadFromStream(bmp.Build());
        EXPECT_EQ(b.Pixel(0, 0), RGB(10, 20, 30));
        bmp.HeaderSize = 124; // V5 header, masks inside it
        b.LoadFromStream(bmp.Build());
        EXPECT_EQ(b.Pixel(0, 0), RGB(10, 20, 30));
    }
    {
        SCOPED_TRACE("16 bits, 5-5-5 by default and 5-6-5 by bit fields");
        TBmpBuilder bmp;
        bmp.Depth = 16;
        bmp.Width = 2;
        bmp.Height = 1;
        bmp.Rows = { { 0x00, 0x7C, 0x1F, 0x00 } };
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        ExpectRow(b, 0, { red, blue });
        bmp.Compression = 3;
        bmp.Masks = { 0xF800, 0x07E0, 0x001F };
        bmp.Rows = { { 0xE0, 0x07, 0x00, 0xF8 } };
        b.LoadFromStream(bmp.Build());
        ExpectRow(b, 0, { green, red });
    }
    {
        SCOPED_TRACE("run-length, 8 bits: runs, literals, row ends, a move and the end code");
        TBmpBuilder bmp;
        bmp.Depth = 8;
        bmp.Compression = 1;
        bmp.Width = 4;
        bmp.Height = 3;
        bmp.Palette = { red, green, blue, white };
        bmp.Codes = { 3, 1, 0, 0, // bottom row: three green, end of row
            0, 3, 2, 3, 0, 0, 1, 1, 0, 0, // three literals (padded), one green
            0, 2, 1, 0, 2, 3, 0, 1 }; // move right one, two white, end of image
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        EXPECT_EQ(b.BitDepth(), 8);
        ExpectRow(b, 0, { red, white, white, red }); // skipped pixels take colour 0
        ExpectRow(b, 1, { blue, white, red, green });
        ExpectRow(b, 2, { green, green, green, red });
    }
    {
        SCOPED_TRACE("run-length, 4 bits");
        TBmpBuilder bmp;
        bmp.Depth = 4;
        bmp.Compression = 2;
        bmp.Width = 5;
        bmp.Palette = { red, green, blue, white };
        bmp.Codes = { 5, 0x12, 0, 0, 0, 3, 0x30, 0x10, 0, 1 };
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        EXPECT_EQ(b.BitDepth(), 4);
        ExpectRow(b, 0, { white, red, green, red, red });
        ExpectRow(b, 1, { green, blue, green, blue, green });
    }
    {
        SCOPED_TRACE("OS/2 core header with 3-byte palette entries");
        TBmpBuilder bmp;
        bmp.HeaderSize = 12;
        bmp.Depth = 1;
        bmp.Width = 9;
        bmp.Height = 1;
        bmp.Palette = { blue, white };
        bmp.Rows = { { 0x80, 0x80 } };
        TBitmap b;
        b.LoadFromStream(bmp.Build());
        ExpectRow(b, 0, { white, blue, blue, blue, blue, blue, blue, blue, white });
        EXPECT_EQ(b.BitDepth(), 1);
    }
}

TEST(BitmapTest, StreamConsumesTheFileSizeField)
{
    TBitmap a = Random(3, 2, 1), b = Random(2, 5, 2);
    std::string first = a.SaveToBytes(), second = b.SaveToBytes();
    std::string stream = first + second + "tail";
    TBitmap r;
    size_t n = r.LoadFromStream(stream);
    EXPECT_EQ(n, first.size());
    EXPECT_TRUE(SamePixels(r, a));
    EXPECT_EQ(r.LoadFromStream(std::string_view(stream).substr(n)), second.size());
    EXPECT_TRUE(SamePixels(r, b));

    // A file-size field beyond the pixel rows takes the extra bytes along.
    TBmpBuilder bmp;
    bmp.Rows = { { 1, 2, 3, 4, 5, 6 }, { 7, 8, 9, 10, 11, 12 } };
    bmp.FileSizeDelta = 6;
    std::string padded = bmp.Build() + "XXXXXXYY";
    EXPECT_EQ(r.LoadFromStream(padded), padded.size() - 2);
    EXPECT_EQ(r.OriginalBytes(), padded.substr(0, padded.size() - 2));
}

TEST(BitmapTest, MalformedImagesAreRejected)
{
    TBitmap keep = Random(2, 2, 5);
    auto expectRejected = [&](std::string const& bytes, char const* what) {
        TBitmap b = keep;
        EXPECT_THROW(b.LoadFromStream(bytes), xe::base::EReadError) << what;
        EXPECT_TRUE(SamePixels(b, keep)) << what;
    };
    // Every truncation of a valid image.
    std::string valid = Random(5, 3, 6).SaveToBytes();
    for (size_t n = 0; n < valid.size(); ++n)
        expectRejected(valid.substr(0, n), "truncated");

    auto variant = [](auto change) {
        TBmpBuilder bmp;
        bmp.Rows = { { 1, 2, 3, 4, 5, 6 }, { 7, 8, 9, 10, 11, 12 } };
        change(bmp);
        return bmp.Build();
    };
    expectRejected("XM" + valid.substr(2), "signature");
    expectRejected(variant([](TBmpBuilder& b) { b.Width = 0; }), "zero width");
    expectRejected(variant([](TBmpBuilder& b) { b.Width = -2; }), "negative width");
    expectRejected(variant([](TBmpBuilder& b) { b.Height = 0; }), "zero height");
    expectRejected(variant([](TBmpBuilder& b) { b.Height = INT32_MIN; }), "height overflow");
    expectRejected(variant([](TBmpBuilder& b) { b.Width = 0x7FFFFFFF; }), "huge width");
    expectRejected(variant([](TBmpBuilder& b) { b.Width = 60000, b.Height = 60000; }), "huge area");
    expectRejected(variant([](TBmpBuilder& b) { b.Width = 20000; }), "rows beyond the data");
    expectRejected(variant([](TBmpBuilder& b) { b.Depth = 7; }), "bit depth");
    expectRejected(variant([](TBmpBuilder& b) { b.Compression = 1; }), "run-length at 24 bits");
    auto rle = [&](auto change) {
        return variant([&](TBmpBuilder& b) {
            b.Depth = 8;
            b.Compression = 1;
            b.Palette = { 0, 0xFFFFFF };
            b.Rows.clear();
            b.Codes = { 2, 1, 0, 1 };
            change(b);
        });
    };
    EXPECT_NO_THROW(TBitmap().LoadFromStream(rle([](TBmpBuilder&) {})));
    expectRejected(rle([](TBmpBuilder& b) { b.Height = -2; }), "top-down run-length");
    expectRejected(rle([](TBmpBuilder& b) { b.Codes = { 0, 5, 1, 1 }; }), "literal beyond the data");
    expectRejected(rle([](TBmpBuilder& b) { b.Codes = { 0, 2, 1 }; }), "move beyond the data");
    expectRejected(rle([](TBmpBuilder& b) { b.Width = 5000, b.Height = 5000; }), "huge run-length image");
    expectRejected(variant([](TBmpBuilder& b) { b.Compression = 99; }), "unknown compression");
    expectRejected(variant([](TBmpBuilder& b) { b.Compression = 3; }), "bit fields at 24 bits");
    expectRejected(variant([](TBmpBuilder& b) { b.HeaderSize = 20; }), "header size");
    expectRejected(variant([](TBmpBuilder& b) { b.FileSizeDelta = -1; }), "size field short of the pixels");
    expectRejected(variant([](TBmpBuilder& b) { b.FileSizeDelta = 1000; }), "size field beyond the data");
    std::string overlap = valid;
    overlap[10] = 20; // pixel offset inside the headers
    expectRejected(overlap, "pixel offset");
    std::string longPalette = variant([](TBmpBuilder& b) {
        b.Depth = 8;
        b.Width = 1;
        b.Rows = { { 0 } };
        b.ColorsUsed = 256;
    });
    expectRejected(longPalette, "palette beyond the data");
}

TEST(BitmapTest, FilesAndPng)
{
    xe::base::TTempDir dir;
    TBitmap b = Random(7, 4, 8);
    std::string bmpPath = dir.File("a.bmp"), pngPath = dir.File("a.png");
    b.SaveToFile(bmpPath);
    TBitmap r;
    r.LoadFromFile(bmpPath);
    EXPECT_TRUE(SamePixels(r, b));

    SavePngToFile(b, pngPath);
    EXPECT_TRUE(SamePixels(LoadPngFromFile(pngPath), b));
    std::string png = SavePngToBytes(b);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_TRUE(SamePixels(LoadPngFromBytes(png), b));
    EXPECT_THROW(LoadPngFromBytes("not a png"), xe::base::EReadError);
    EXPECT_THROW(LoadPngFromBytes(png.substr(0, png.size() / 2)), xe::base::EReadError);
    EXPECT_THROW(SavePngToBytes(TBitmap()), xe::base::EWriteError);
    EXPECT_EQ(TBitmap().SaveToBytes(), "");
}
