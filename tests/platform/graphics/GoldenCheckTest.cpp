// The golden-picture comparison of tests/support: an update request never passes, and a
// difference leaves expected, actual and difference side by side.
#include "tests/support/Golden.h"

#include "platform/base/Colors.h"
#include "platform/base/Files.h"
#include "platform/graphics/Png.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace xe;
using base::RGB;

namespace {

struct GoldenCheck : test::ProcessStateTest {
    void SetUp() override
    {
        Dir = std::filesystem::temp_directory_path() / ("xe-golden-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Dir);
        Golden = (Dir / "picture.png").string();
        Diff = (Dir / "picture.diff.png").string();
        Picture.SetSize(3, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                Picture.SetPixel(x, y, RGB(uint8_t(10 * x), uint8_t(100 + y), 50));
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }
    std::filesystem::path Dir;
    std::string Golden, Diff;
    gfx::TBitmap Picture;
};

TEST_F(GoldenCheck, UpdateWritesTheGoldenAndStillFails)
{
    State.SetEnvironment("XE_UPDATE_GOLDEN", "1");
    EXPECT_NONFATAL_FAILURE(test::ExpectMatchesGolden(Picture, Golden, {}, Diff), "wrote " + Golden);
    ASSERT_TRUE(base::FileExists(Golden));
    EXPECT_TRUE(gfx::SamePixels(gfx::LoadPngFromFile(Golden), Picture));

    State.SetEnvironment("XE_UPDATE_GOLDEN", nullptr);
    test::ExpectMatchesGolden(Picture, Golden, {}, Diff); // passes once written
    EXPECT_FALSE(base::FileExists(Diff));
}

TEST_F(GoldenCheck, DifferenceIsWrittenSideBySideUnlessIgnored)
{
    gfx::SavePngToFile(Picture, Golden);
    gfx::TBitmap changed = Picture;
    changed.SetPixel(2, 1, RGB(1, 2, 3));

    test::ExpectMatchesGolden(
        changed, Golden, [](int x, int y) { return x == 2 && y == 1; }, Diff);
    EXPECT_FALSE(base::FileExists(Diff));

    EXPECT_NONFATAL_FAILURE(
        test::ExpectMatchesGolden(changed, Golden, {}, Diff), "1 pixels differ, first at (2, 1)");
    ASSERT_TRUE(base::FileExists(Diff));
    gfx::TBitmap diff = gfx::LoadPngFromFile(Diff);
    int const w = 3, gap = 4;
    ASSERT_EQ(diff.Width(), 3 * w + 2 * gap);
    ASSERT_EQ(diff.Height(), 2);
    EXPECT_EQ(diff.Pixel(2, 1), Picture.Pixel(2, 1)); // expected
    EXPECT_EQ(diff.Pixel(w + gap + 2, 1), RGB(1, 2, 3)); // actual
    EXPECT_EQ(diff.Pixel(2 * (w + gap) + 2, 1), RGB(255, 0, 0)); // the differing pixel
    base::TColor same = diff.Pixel(2 * (w + gap) + 1, 1);
    EXPECT_NE(same, RGB(255, 0, 0));
    EXPECT_NE(same, Picture.Pixel(1, 1)); // dimmed

    gfx::TBitmap larger(4, 2);
    EXPECT_NONFATAL_FAILURE(
        test::ExpectMatchesGolden(larger, Golden, {}, Diff), "is 4 x 2, the golden 3 x 2");
}

TEST_F(GoldenCheck, MissingGoldenFails)
{
    EXPECT_NONFATAL_FAILURE(test::ExpectMatchesGolden(Picture, Golden, {}, Diff), "XE_UPDATE_GOLDEN=1");
    EXPECT_FALSE(base::FileExists(Golden));
}

} // namespace
