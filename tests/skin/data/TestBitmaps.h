#pragma once

#include <cstdint>
#include <string>

namespace xe::test {

// A BMP file image written byte by byte here, independent of the bitmap writer under
// test: bottom-up, uncompressed, 1, 8 or 24 bits, grey palette. Pixel (x, y) has the
// value (x + 2y) in the palette (or as grey), so images differ visibly.
inline std::string MakeBmp(int width, int height, int depth)
{
    auto put16 = [](std::string& s, uint32_t v) {
        s += char(v & 0xFF);
        s += char((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::string& s, uint32_t v) {
        put16(s, v & 0xFFFF);
        put16(s, v >> 16);
    };
    int colors = depth == 24 ? 0 : 1 << depth;
    int stride = ((width * depth + 31) / 32) * 4;
    uint32_t offBits = 14 + 40 + uint32_t(colors) * 4;
    uint32_t size = offBits + uint32_t(stride * height);
    std::string s;
    s += "BM";
    put32(s, size);
    put32(s, 0);
    put32(s, offBits);
    put32(s, 40);
    put32(s, uint32_t(width));
    put32(s, uint32_t(height));
    put16(s, 1);
    put16(s, uint32_t(depth));
    put32(s, 0);
    put32(s, uint32_t(stride * height));
    put32(s, 2835);
    put32(s, 2835);
    put32(s, uint32_t(colors));
    put32(s, 0);
    for (int i = 0; i < colors; ++i) {
        uint8_t g = uint8_t(colors == 2 ? i * 255 : i);
        s += char(g);
        s += char(g);
        s += char(g);
        s += char(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        std::string line(size_t(stride), '\0');
        for (int x = 0; x < width; ++x) {
            int v = (x + 2 * row) & 0xFF;
            if (depth == 24) {
                line[size_t(x * 3)] = char(v);
                line[size_t(x * 3 + 1)] = char(v);
                line[size_t(x * 3 + 2)] = char(v);
            } else if (depth == 8) {
                line[size_t(x)] = char(v);
            } else if (v & 1) {
                line[size_t(x / 8)] = char(uint8_t(line[size_t(x / 8)]) | (0x80 >> (x % 8)));
            }
        }
        s += line;
    }
    return s;
}

inline std::string Int32Bytes(int32_t value)
{
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += char((uint32_t(value) >> (8 * i)) & 0xFF);
    return s;
}

} // namespace xe::test
