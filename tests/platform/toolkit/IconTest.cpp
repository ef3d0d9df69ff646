#include "platform/toolkit/Icon.h"

#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Persistence.h"
#include "tests/platform/toolkit/HeadlessFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace xe::tk {
namespace {

using base::RGB;
using base::TColor;

void Put16(std::string& s, uint32_t v)
{
    s += char(v & 0xFF);
    s += char(v >> 8 & 0xFF);
}
void Put32(std::string& s, uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// One .ico image: colours from `color` (x, y from the top), transparent where `clear` says;
// for 32 bits `alpha` gives the alpha bytes (the AND mask is then all clear).
struct TImageSpec {
    int Width = 16, Height = 16, BitCount = 24;
    std::vector<TColor> Palette; // up to 8 bits: index = color(x, y) % palette size
    std::function<TColor(int, int)> Color;
    std::function<bool(int, int)> Clear;
    std::function<int(int, int)> Alpha;
};

std::string ImageBytes(TImageSpec const& s)
{
    std::string b;
    Put32(b, 40);
    Put32(b, uint32_t(s.Width));
    Put32(b, uint32_t(s.Height * 2));
    Put16(b, 1);
    Put16(b, uint32_t(s.BitCount));
    for (int i = 0; i < 6; ++i)
        Put32(b, i == 4 ? uint32_t(s.Palette.size()) : 0);
    for (TColor c : s.Palette)
        b += { char(base::GetBValue(c)), char(base::GetGValue(c)), char(base::GetRValue(c)), 0 };
    size_t const xorStride = (size_t(s.Width) * s.BitCount + 31) / 32 * 4;
    for (int y = s.Height - 1; y >= 0; --y) {
        std::string row(xorStride, '\0');
        for (int x = 0; x < s.Width; ++x) {
            TColor const c = s.Color(x, y);
            if (s.BitCount <= 8) {
                size_t const bit = size_t(x) * s.BitCount;
                row[bit / 8] = char(uint8_t(row[bit / 8]) | (c << (8 - s.BitCount - bit % 8)));
            } else {
                size_t const at = size_t(x) * (s.BitCount / 8);
                row[at] = char(base::GetBValue(c));
                row[at + 1] = char(base::GetGValue(c));
                row[at + 2] = char(base::GetRValue(c));
                if (s.BitCount == 32)
                    row[at + 3] = char(s.Alpha ? s.Alpha(x, y) : 0);
            }
        }
        b += row;
    }
    size_t const andStride = (size_t(s.Width) + 31) / 32 * 4;
    for (int y = s.Height - 1; y >= 0; --y) {
        std::string row(andStride, '\0');
        for (int x = 0; x < s.Width; ++x)
            if (s.Clear && s.Clear(x, y))
                row[x / 8] = char(uint8_t(row[x / 8]) | (0x80 >> (x % 8)));
        b += row;
    }
    return b;
}

std::string IcoBytes(std::vector<TImageSpec> const& images)
{
    std::string dir, data;
    Put16(dir, 0);
    Put16(dir, 1);
    Put16(dir, uint32_t(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (TImageSpec const& s : images) {
        std::string const image = ImageBytes(s);
        dir += char(s.Width & 0xFF);
        dir += char(s.Height & 0xFF);
        dir += char(0);
        dir += char(0);
        Put16(dir, 1);
        Put16(dir, uint32_t(s.BitCount));
        Put32(dir, uint32_t(image.size()));
        Put32(dir, uint32_t(offset + data.size()));
        data += image;
    }
    return dir + data;
}

uint8_t OpacityAt(TIcon const& icon, int x, int y) { return icon.Opacity()[size_t(y) * icon.Width() + x]; }

// A 16 x 16 red icon whose right half is transparent.
TImageSpec HalfRed(int bitCount = 24)
{
    TImageSpec s;
    s.BitCount = bitCount;
    s.Color = [](int, int) { return base::clRed; };
    s.Clear = [](int x, int) { return x >= 8; };
    return s;
}

TEST(Icon, DecodesEveryColourDepthWithItsMask)
{
    // 1, 4 and 8 bits go through a colour table; a pixel's index picks from it.
    for (int bits : { 1, 4, 8 }) {
        TImageSpec s;
        s.BitCount = bits;
        s.Palette = { RGB(10, 20, 30), RGB(200, 100, 50) };
        s.Color = [](int x, int y) { return TColor((x + y) % 2); };
        s.Clear = [](int x, int y) { return x == 3 && y == 5; };
        TIcon icon;
        icon.LoadFromData(IcoBytes({ s }));
        ASSERT_EQ(icon.Width(), 16) << bits;
        EXPECT_EQ(icon.Picture().Pixel(0, 0), RGB(10, 20, 30)) << bits;
        EXPECT_EQ(icon.Picture().Pixel(1, 0), RGB(200, 100, 50)) << bits;
        EXPECT_EQ(icon.Picture().Pixel(2, 15), RGB(200, 100, 50)) << bits;
        EXPECT_EQ(OpacityAt(icon, 3, 5), 0) << bits;
        EXPECT_EQ(OpacityAt(icon, 4, 5), 255) << bits;
    }
    // 24 bits: the rows are stored bottom up.
    TImageSpec s = HalfRed();
    s.Color = [](int x, int y) { return y == 0 ? RGB(1, 2, 3) : RGB(uint8_t(x), 0, 0); };
    TIcon icon;
    icon.LoadFromData(IcoBytes({ s }));
    EXPECT_EQ(icon.Picture().Pixel(5, 0), RGB(1, 2, 3));
    EXPECT_EQ(icon.Picture().Pixel(5, 9), RGB(5, 0, 0));
    EXPECT_EQ(OpacityAt(icon, 7, 9), 255);
    EXPECT_EQ(OpacityAt(icon, 8, 9), 0);
    // 32 bits with alpha: the alpha is the opacity, the AND mask is not used.
    s.BitCount = 32;
    s.Alpha = [](int x, int) { return x * 16; };
    icon.LoadFromData(IcoBytes({ s }));
    EXPECT_EQ(OpacityAt(icon, 0, 3), 0);
    EXPECT_EQ(OpacityAt(icon, 10, 3), 160);
    // 32 bits without any alpha fall back to the AND mask.
    s.Alpha = {};
    icon.LoadFromData(IcoBytes({ s }));
    EXPECT_EQ(OpacityAt(icon, 7, 3), 255);
    EXPECT_EQ(OpacityAt(icon, 8, 3), 0);
}

TEST(Icon, PicksTheEntryThatFitsEachSize)
{
    TImageSpec small = HalfRed(), large;
    large.Width = large.Height = 32;
    large.BitCount = 8;
    large.Palette = { base::clBlue };
    large.Color = [](int, int) { return TColor(0); };
    TIcon icon;
    icon.LoadFromData(IcoBytes({ small, large }));
    // Loading keeps the 32 x 32 entry; the small copy comes from the 16 x 16 one.
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Picture().Pixel(20, 20), base::clBlue);
    TIcon const copy16 = icon.SizedCopy(16, 16);
    ASSERT_EQ(copy16.Width(), 16);
    EXPECT_EQ(copy16.Picture().Pixel(2, 2), base::clRed);
    EXPECT_EQ(OpacityAt(copy16, 12, 2), 0);
    // No entry of 8 x 8: the next larger one is scaled down, mask and all.
    TIcon const copy8 = icon.SizedCopy(8, 8);
    ASSERT_EQ(copy8.Width(), 8);
    EXPECT_EQ(copy8.Picture().Pixel(1, 1), base::clRed);
    EXPECT_EQ(OpacityAt(copy8, 3, 1), 255);
    EXPECT_EQ(OpacityAt(copy8, 4, 1), 0);
}

TEST(Icon, MalformedBytesRaiseAReadErrorAndLeaveTheIcon)
{
    std::string const good = IcoBytes({ HalfRed() });
    TIcon icon;
    icon.LoadFromData(good);
    ASSERT_FALSE(icon.Empty());
    auto patched = [&](size_t at, std::string const& bytes) {
        std::string b = good;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    size_t const image = 6 + 16; // the image's header
    std::string const u32max("\xFF\xFF\xFF\xFF", 4);
    for (std::string const& bad :
        { std::string("not an icon"), patched(2, std::string("\x02\x00", 2)), // a cursor file
            patched(4, std::string("\x00\x00", 2)), // no images
            patched(4, std::string("\x00\x10", 2)), // more entries than the file holds
            patched(6 + 12, u32max), // the image lies outside the file
            patched(image + 4, std::string("\x00\x04\x00\x00", 4)), // 1024 wide
            patched(image + 8, std::string("\x21\x00\x00\x00", 4)), // odd double height
            patched(image + 14, std::string("\x10\x00", 2)), // 16 bits per pixel
            patched(image + 16, std::string("\x01\x00\x00\x00", 4)), // compressed
            patched(image, u32max), // header larger than the image
            good.substr(0, good.size() / 2) }) {
        try {
            icon.LoadFromData(bad);
            ADD_FAILURE() << "loaded " << bad.size() << " bytes";
        } catch (base::EReadError const& e) {
            EXPECT_NE(std::string(e.what()).find("icon"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(icon.Data() == good);
    }
    // An entry pointing outside the file is passed over for one that can be read.
    std::string two = IcoBytes({ HalfRed(4), HalfRed() });
    two.replace(6 + 12, 4, u32max);
    icon.LoadFromData(two);
    EXPECT_EQ(icon.Picture().Pixel(0, 0), base::clRed);
}

TEST(Icon, CutAndScrambledFilesNeverReadOutsideTheirBytes)
{
    // Under the sanitizers this guards the bounds checks: every prefix and many random
    // corruptions either load or raise EReadError.
    std::string const good = IcoBytes({ HalfRed(1), HalfRed(8), HalfRed(32) });
    std::mt19937 random(27);
    int loaded = 0;
    for (size_t n = 0; n <= good.size(); ++n) {
        std::string bytes = good.substr(0, n);
        for (int round = 0; round < 3; ++round) {
            TIcon icon;
            try {
                icon.LoadFromData(bytes);
                TIcon const small = icon.SizedCopy(16, 16);
                loaded += small.Width() == 16;
            } catch (base::EReadError const&) {
            }
            if (!bytes.empty())
                bytes[random() % bytes.size()] = char(random());
        }
    }
    EXPECT_GT(loaded, 0);
}

TEST(Icon, DrawsScaledAndTransparentWhereTheMaskSays)
{
    gfx::TBitmap target(40, 40);
    target.Canvas().Brush.Color = base::clLime;
    target.Canvas().FillRect(base::Rect(0, 0, 40, 40));
    TImageSpec s = HalfRed(32);
    s.Alpha = [](int x, int) { return x < 4 ? 255 : x < 8 ? 128 : 0; };
    TIcon icon;
    icon.LoadFromData(IcoBytes({ s }));
    icon.Draw(target.Canvas(), base::Rect(4, 4, 36, 36)); // twice the size
    EXPECT_EQ(target.Pixel(4, 4), base::clRed);
    EXPECT_EQ(target.Pixel(11, 35), base::clRed);
    EXPECT_EQ(target.Pixel(12, 20), RGB(128, 127, 0)); // half red over lime
    EXPECT_EQ(target.Pixel(20, 20), base::clLime);
    EXPECT_EQ(target.Pixel(3, 3), base::clLime);
    EXPECT_EQ(target.Pixel(36, 36), base::clLime);
}

struct IconFormTest : test::HeadlessTest { };

TEST_F(IconFormTest, StoredFormCarriesItsIconBytes)
{
    std::string const ico = IcoBytes({ HalfRed() });
    std::string hex;
    for (unsigned char c : ico) {
        char digits[3];
        snprintf(digits, sizeof digits, "%02X", c);
        hex += digits;
    }
    auto* form = App->CreateForm<TForm>();
    ReadComponentText(form, "object F: TForm\n  Icon = {\n    " + hex + "\n  }\nend\n", "F");
    ASSERT_EQ(form->Icon().Width(), 16);
    EXPECT_EQ(form->Icon().Picture().Pixel(0, 0), base::clRed);
    EXPECT_THROW(ReadComponentText(form, "object F: TForm\n  Icon = {\n    00000100\n  }\nend\n", "F"),
        base::EReadError);
}

} // namespace
} // namespace xe::tk
