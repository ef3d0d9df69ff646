// skintool render through the built executable, on the package the build makes of the
// demonstration skin.
#include "platform/base/Files.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Png.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

using namespace xe;

namespace {

struct TRun {
    int ExitCode = -1;
    std::string Out, Err;
};

struct SkinToolRender : ::testing::Test {
    TRun Run(std::string const& arguments)
    {
        std::string const command = std::string("timeout 60 '") + SKINTOOL_PATH + "' " + arguments + " >'"
            + Dir.File("stdout") + "' 2>'" + Dir.File("stderr") + "' </dev/null";
        int const status = std::system(command.c_str());
        TRun run;
        run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = base::ReadFileBytes(Dir.File("stdout"));
        run.Err = base::ReadFileBytes(Dir.File("stderr"));
        return run;
    }
    std::string Render(std::string const& options, std::string const& png = "out.png")
    {
        return std::string("render '") + XE_DEMO_SKIN_PACKAGE + "' '" + Dir.File(png) + "' " + options;
    }
    static bool Grey(base::TColor c)
    {
        return base::GetRValue(c) == base::GetGValue(c) && base::GetGValue(c) == base::GetBValue(c);
    }

    base::TTempDir Dir;
};

} // namespace

// The frame keeps its corners and grows in the middle; the objects of the bottom-right corner
// move with it; the mask's cut corners show the white backdrop; inactive, the frame goes
// through the skin's grey-scale effect while the client area stays as it is.
TEST_F(SkinToolRender, DrawsTheSkinOnAFormOfTheSizeAskedFor)
{
    TRun run = Run(Render("--size 360x260"));
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("360 x 260, active"), std::string::npos) << run.Out;
    gfx::TBitmap const active = gfx::LoadPngFromFile(Dir.File("out.png"));
    ASSERT_EQ(active.Width(), 360);
    ASSERT_EQ(active.Height(), 260);
    gfx::TBitmap frame;
    frame.LoadFromFile(std::string(XE_SOURCE_DIR) + "/resources/demoskin/demoframe.bmp");
    int const dx = 360 - frame.Width(), dy = 260 - frame.Height();
    EXPECT_EQ(active.Pixel(0, 0), base::clWhite);
    EXPECT_EQ(active.Pixel(359, 259), base::clWhite);
    EXPECT_EQ(active.Pixel(4, 0), frame.Pixel(4, 0));
    // The button (bottom-right corner) and the label's frame (bottom-left corner).
    for (int x = 196; x < 286; x += 7)
        for (int y = 190; y < 214; y += 5)
            ASSERT_EQ(active.Pixel(x + dx, y + dy), frame.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(active.Pixel(10, 148 + dy), frame.Pixel(10, 148));
    EXPECT_EQ(active.Pixel(180, 120), frame.Pixel(100, 100)) << "the client area";
    EXPECT_FALSE(Grey(active.Pixel(8, 2)));

    run = Run(Render("--inactive --size 360x260", "inactive.png"));
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    gfx::TBitmap const inactive = gfx::LoadPngFromFile(Dir.File("inactive.png"));
    EXPECT_TRUE(Grey(inactive.Pixel(8, 2)));
    EXPECT_TRUE(Grey(inactive.Pixel(200 + dx, 200 + dy)));
    EXPECT_EQ(inactive.Pixel(180, 120), active.Pixel(180, 120));
}

TEST_F(SkinToolRender, WithoutASizeTheFormHasThePicturesSize)
{
    TRun run = Run(Render(""));
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    gfx::TBitmap const shot = gfx::LoadPngFromFile(Dir.File("out.png"));
    EXPECT_EQ(shot.Width(), 300);
    EXPECT_EQ(shot.Height(), 230);
}

TEST_F(SkinToolRender, RefusesBadFilesAndSizes)
{
    struct TCase {
        std::string Arguments;
        int ExitCode;
        std::string Message;
    };
    base::WriteFileBytes(Dir.File("junk.skn"), std::string(64, 'x'));
    std::string const demo = std::string("'") + XE_DEMO_SKIN_PACKAGE + "' '" + Dir.File("out.png") + "'";
    TCase const cases[] = {
        { "render '" + Dir.File("missing.skn") + "' '" + Dir.File("out.png") + "'", 1, "missing.skn" },
        { "render '" + Dir.File("junk.skn") + "' '" + Dir.File("out.png") + "'", 1, "not a skin package" },
        { "render " + demo + " --size 360", 2, "bad size '360'" },
        { "render " + demo + " --size 0x100", 2, "bad size '0x100'" },
        { "render " + demo + " --size 360x-5", 2, "bad size" },
        { "render " + demo + " --size 99999x100", 2, "bad size" },
        { "render " + demo + " --size", 2, "bad size" },
        { "render " + demo + " --size 200x100", 1, "below the skin's smallest size 300x134" },
        { "render " + demo + " --sizes 360x260", 2, "unknown option --sizes" },
        { "render '" + std::string(XE_DEMO_SKIN_PACKAGE) + "'", 2, "usage:" },
    };
    for (TCase const& c : cases) {
        TRun run = Run(c.Arguments);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << c.Arguments << "\n" << run.Err;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << c.Arguments << "\n" << run.Err;
        EXPECT_FALSE(base::FileExists(Dir.File("out.png"))) << c.Arguments;
    }
}
