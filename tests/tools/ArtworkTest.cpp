#include "tools/Artwork.h"

#include "platform/base/Files.h"

#include <gtest/gtest.h>

#include <set>

using namespace xe;

// The committed pictures are what the generator draws: anyone can change the drawing code
// and regenerate them (xe_artworkgen resources/pictures), and nobody edits them by hand.
TEST(ArtworkTest, RegenerationGivesTheCommittedBytes)
{
    auto art = tools::DrawArtwork();
    ASSERT_EQ(art.size(), 10u);
    for (auto& picture : art) {
        std::string path = std::string(XE_SOURCE_DIR) + "/resources/pictures/" + picture.FileName;
        ASSERT_TRUE(base::FileExists(path)) << path;
        EXPECT_TRUE(picture.Bitmap.SaveToBytes() == base::ReadFileBytes(path))
            << picture.FileName << " differs from what tools/Artwork.cpp draws; run xe_artworkgen";
    }
}

TEST(ArtworkTest, PicturesHaveTheSizesTheWindowsNeed)
{
    std::set<std::string> names;
    for (auto& picture : tools::DrawArtwork()) {
        names.insert(picture.FileName);
        auto const& b = picture.Bitmap;
        if (picture.FileName == "outdata_panel.bmp")
            EXPECT_EQ(std::make_pair(b.Width(), b.Height()), std::make_pair(354, 145));
        else if (picture.FileName == "outdata_title.bmp")
            EXPECT_EQ(std::make_pair(b.Width(), b.Height()), std::make_pair(354, 30));
        else if (picture.FileName == "message_panel.bmp")
            EXPECT_EQ(std::make_pair(b.Width(), b.Height()), std::make_pair(200, 105));
        else if (picture.FileName == "message_title.bmp")
            EXPECT_EQ(std::make_pair(b.Width(), b.Height()), std::make_pair(200, 30));
        else
            EXPECT_EQ(std::make_pair(b.Width(), b.Height()), std::make_pair(19, 20)) << picture.FileName;
        EXPECT_EQ(b.BitDepth(), 24) << picture.FileName;
    }
    EXPECT_EQ(names.size(), 10u);
}

TEST(ArtworkTest, ButtonStatesDifferInTheGlyphAndSitOnTheTitleBar)
{
    auto art = tools::DrawArtwork();
    auto find = [&](std::string const& name) -> gfx::TBitmap const& {
        for (auto& a : art)
            if (a.FileName == name)
                return a.Bitmap;
        throw std::runtime_error(name);
    };
    // The glyph's centre pixel takes the state's colour; the corners are the title bar's.
    auto const& up = find("close_up.bmp");
    auto const& over = find("close_over.bmp");
    auto const& down = find("close_down.bmp");
    EXPECT_NE(up.Pixel(9, 10), over.Pixel(9, 10));
    EXPECT_NE(over.Pixel(9, 10), down.Pixel(9, 10));
    EXPECT_EQ(up.Pixel(0, 0), find("outdata_title.bmp").Pixel(268, 5));
    EXPECT_EQ(find("min_up.bmp").Pixel(0, 19), find("message_title.bmp").Pixel(169, 24));
}
