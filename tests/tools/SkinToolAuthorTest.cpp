// skintool's commands for skin authors (render's states, show, check, hittest), run as a user
// runs them, on the demonstration skin and on the layout skins.
#include "platform/base/Files.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Png.h"
#include "tools/skinart/LayoutSkins.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

using namespace xe;

namespace {

struct TRun {
    int ExitCode = -1;
    std::string Out, Err;
    bool Says(std::string const& text) const { return Out.find(text) != std::string::npos; }
};

struct SkinToolAuthor : ::testing::Test {
    TRun Run(std::string const& arguments)
    {
        std::string const command = std::string("XMLEXPORT_BACKEND=headless timeout 60 '") + SKINTOOL_PATH
            + "' " + arguments + " >'" + Dir.File("stdout") + "' 2>'" + Dir.File("stderr") + "' </dev/null";
        int const status = std::system(command.c_str());
        TRun run;
        run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = base::ReadFileBytes(Dir.File("stdout"));
        run.Err = base::ReadFileBytes(Dir.File("stderr"));
        return run;
    }
    static std::string Demo() { return std::string("'") + XE_DEMO_SKIN_PACKAGE + "'"; }
    gfx::TBitmap Png(std::string const& name) { return gfx::LoadPngFromFile(Dir.File(name)); }
    // A layout skin's description and pictures in the test's folder, and its packed file.
    std::string Layout(std::string const& name)
    {
        std::string const ini = skin::WriteLayoutSkin(skin::DrawLayoutSkin(name), Dir.Path() + name);
        TRun run = Run("pack '" + ini + "' '" + Dir.File(name + ".skn") + "'");
        EXPECT_EQ(run.ExitCode, 0) << run.Err;
        return Dir.File(name + ".skn");
    }

    base::TTempDir Dir;
};

gfx::TBitmap DemoButtons()
{
    gfx::TBitmap b;
    b.LoadFromFile(std::string(XE_SOURCE_DIR) + "/resources/demoskin/demobuttons.bmp");
    return b;
}

} // namespace

// The demonstration skin's buttons are 18 x 18 from the right of captionrect (6,5)-(294,23),
// 2 apart: on a 360-wide form close is at 336, maximise at 316. Hot and pressed looks come
// from the sheet's second and third columns, the maximise button's restore look from its
// third row while maximised.
TEST_F(SkinToolAuthor, RenderShowsObjectStatesAndFormStates)
{
    gfx::TBitmap const sheet = DemoButtons();
    TRun run
        = Run("render " + Demo() + " '" + Dir.File("hover.png") + "' --size 360x260 --hover closebutton");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Png("hover.png").Pixel(336 + 9, 5 + 9), sheet.Pixel(18 + 9, 9));
    run = Run("render " + Demo() + " '" + Dir.File("down.png") + "' --size 360x260 --down closebutton");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Png("down.png").Pixel(336 + 9, 5 + 9), sheet.Pixel(36 + 9, 9));
    EXPECT_EQ(Png("down.png").Pixel(316 + 9, 5 + 9), sheet.Pixel(9, 18 + 9)) << "maximise stays normal";

    run = Run("render " + Demo() + " '" + Dir.File("max.png") + "' --size 400x300 --state maximized");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(run.Says("400 x 300, active, maximized")) << run.Out;
    // A pixel where the restore look differs from the maximise look.
    int gx = -1, gy = -1;
    for (int y = 0; y < 18 && gx < 0; ++y)
        for (int x = 0; x < 18 && gx < 0; ++x)
            if (sheet.Pixel(x, 18 + y) != sheet.Pixel(x, 36 + y))
                gx = x, gy = y;
    ASSERT_GE(gx, 0);
    EXPECT_EQ(Png("max.png").Pixel(356 + gx, 5 + gy), sheet.Pixel(gx, 36 + gy)) << "the restore look";

    // Without a roll-up picture the framed form rolls up to its caption: the picture's height
    // less the client rectangle's (230 - 96).
    run = Run("render " + Demo() + " '" + Dir.File("up.png") + "' --size 360x260 --state rolledup");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Png("up.png").Height(), 134);
    EXPECT_EQ(Png("up.png").Width(), 360);
    // With one, the form shows the skin in its client area and rolls up to the picture's
    // height.
    std::string const left = Layout("leftbuttons");
    run = Run("render '" + left + "' '" + Dir.File("lup.png") + "' --size 300x180 --state rolledup");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(Png("lup.png").Height(), 28);

    struct TCase {
        std::string Arguments;
        int ExitCode;
        std::string Message;
    } const cases[] = {
        { "--hover nosuch", 1, "no object 'nosuch' (objects: caption, closebutton" },
        { "--down", 2, "--down needs a value" },
        { "--state sideways", 2, "unknown state 'sideways'" },
    };
    for (auto const& c : cases) {
        run = Run("render " + Demo() + " '" + Dir.File("bad.png") + "' " + c.Arguments);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << c.Arguments << "\n" << run.Err;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << c.Arguments << "\n" << run.Err;
        EXPECT_FALSE(base::FileExists(Dir.File("bad.png")));
    }
}

// Window points of a 360 x 260 demonstration form: the caption band, the client area, a
// sizing border, a caption button and a point past the window.
TEST_F(SkinToolAuthor, HitTestNamesTheCodeAndTheObject)
{
    TRun run = Run("hittest " + Demo() + " --size 360x260 180,12 180,100 0,100 345,14 20,200 400,10");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out,
        "180,12 HTCAPTION caption\n"
        "180,100 HTCLIENT\n"
        "0,100 HTLEFT\n"
        "345,14 HTOBJECT closebutton\n"
        "20,200 HTOBJECT bitlabel\n"
        "400,10 outside the 360 x 260 window\n");
    // A hidden caption button (the tray's, without its border icon) is no object under the
    // mouse: the track bar below it is.
    run = Run("hittest '" + Layout("leftbuttons") + "' --size 300x180 5,165 150,12");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, "5,165 HTOBJECT vtrack\n150,12 HTCAPTION caption\n");
    run = Run("hittest " + Demo() + " --size 360x260 '12;4'");
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Err.find("bad point '12;4'"), std::string::npos) << run.Err;
    run = Run("hittest " + Demo() + " 1,1");
    EXPECT_EQ(run.ExitCode, 2) << "the size is needed";
}

// The skins made here pass; a description with one mistake of each kind is reported with the
// section and key of each, and fails.
TEST_F(SkinToolAuthor, CheckReportsMistakesWithTheirSectionAndKey)
{
    for (std::string const& name : skin::LayoutSkinNames()) {
        TRun run = Run("check '" + Layout(name) + "'");
        EXPECT_EQ(run.ExitCode, 0) << name << "\n" << run.Out << run.Err;
        EXPECT_TRUE(run.Says(": 0 errors, 0 warnings")) << name << "\n" << run.Out;
    }
    TRun run = Run("check '" + std::string(XE_SOURCE_DIR) + "/resources/demoskin/demo.ini'");
    EXPECT_EQ(run.ExitCode, 0) << run.Out << run.Err;
    EXPECT_TRUE(run.Says("demo.ini: 0 errors")) << run.Out;

    skin::TLayoutSkin broken = skin::DrawLayoutSkin("leftbuttons");
    auto replace = [&](std::string const& from, std::string const& to) {
        size_t const at = broken.Description.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        broken.Description.replace(at, from.size(), to);
    };
    replace("count=9\r\n", "count=10\r\n");
    replace("8=vtrack:trackbar\r\n", "8=vtrack:trackbar\r\n9=extra:stdbuton\r\n");
    replace("[SKINCONTROLS]\r\ncount=0", "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel");
    replace("buttonsoffset=3", "buttonsoffset=-4");
    replace("[caption]\r\nskinrect=4,4,196,26", "[caption]\r\nskinrect=4,4,201,26\r\nfontcolour=255");
    replace("[traybutton]\r\nactivepictureindex=0", "[traybutton]\r\nactivepictureindex=2");
    broken.Description += "\r\n[panel]\r\npictureindex=1\r\nskinrect=0,0,12,28\r\nlefttoppoint=20,5\r\n"
                          "\r\n[orphan]\r\nkey=1\r\n";
    gfx::TBitmap mask(100, 50);
    mask.SetBitDepth(1);
    mask.SetPalette({ base::RGB(0, 0, 0), base::RGB(255, 255, 255) });
    broken.Pictures.push_back({ "leftbuttonsmask.bmp", mask });
    replace("mask=\r\n", "mask=leftbuttonsmask.bmp\r\n");
    std::string const ini = skin::WriteLayoutSkin(broken, Dir.Path() + "broken");
    run = Run("check '" + ini + "'");
    EXPECT_EQ(run.ExitCode, 1) << run.Out << run.Err;
    for (char const* line : {
             "error: [PICTURES] mask: the mask is 100 x 50, the picture 200 x 130",
             "error: [SKINOBJECTS] 9: 'extra:stdbuton': unknown type",
             "error: [caption] skinrect: 4,4,201,26 lies outside the picture (200 x 130)",
             "warning: [caption] fontcolour: no class reads this key; did you mean fontcolor?",
             "error: [traybutton] activepictureindex: 2 is no active picture (there are 2)",
             "error: [panel] lefttoppoint: 20,5 lies outside its skinrect (12 x 28)",
             "warning: [orphan]: no list names this section",
             "error: [maximizebutton] skinrect: overlaps closebutton on the frame",
         })
        EXPECT_TRUE(run.Says(line)) << line << "\n" << run.Out;
    run = Run("check '" + Dir.File("missing.skn") + "'");
    EXPECT_EQ(run.ExitCode, 1);
}

// Headless, show goes through a scripted session: the form with every caption button, to the
// tray and back, then closed as a user closes it.
TEST_F(SkinToolAuthor, ShowRunsAScriptedSessionWithoutADisplay)
{
    TRun run = Run("show " + Demo() + " --size 360x260");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    for (char const* line : {
             ": 360 x 260 form, objects: caption closebutton maximizebutton minimizebutton rollupbutton "
             "sysmenubutton panellabel",
             "controls: TspSkinStdLabel TspSkinButton TspSkinCheckBox TspSkinComboBox TspSkinListBox "
             "TspSkinTabControl TspSkinGauge\n",
             "minimised to the tray: 1 tray icon, form minimised\n",
             "restored: form shown\n",
             "closed: form hidden\n",
         })
        EXPECT_TRUE(run.Says(line)) << line << "\n" << run.Out;
    run = Run("show " + Demo() + " --size 10x10");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("below the skin's smallest size"), std::string::npos) << run.Err;
}
