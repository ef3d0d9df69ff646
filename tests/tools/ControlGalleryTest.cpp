// The control gallery: every row's cells show their states from the skin's looks (on the
// colour-coded control test skin), and the gallery of the demonstration skin as skintool
// renders it matches its golden (tests/golden/controls_gallery_demoskin.png, compared
// exactly; XE_UPDATE_GOLDEN=1 writes a new one and still fails).
#include "platform/base/Files.h"
#include "platform/graphics/Png.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/data/SkinData.h"
#include "tests/platform/toolkit/HeadlessFixture.h"
#include "tests/support/ControlTestSkin.h"
#include "tests/support/Golden.h"
#include "tests/support/Pixels.h"
#include "tools/skintool/SkinGallery.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace xe;
using namespace xe::skin;
using xe::test::HasColor;
namespace sc = xe::test::skincolors;

namespace {

int Row(std::string const& name)
{
    auto const& entries = GalleryEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Name == name)
            return int(i);
    return -1;
}

struct ControlGallery : test::HeadlessTest { };

} // namespace

TEST_F(ControlGallery, EachCellShowsItsStateFromTheLooks)
{
    RegisterSkinControlClasses();
    tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    xe::test::MakeControlTestSkin().LoadInto(*data);
    gfx::TBitmap const g = RenderGallery(*data);
    base::TRect const last = GalleryCellRect(int(GalleryEntries().size()) - 1, gsChecked);
    EXPECT_EQ(g.Width(), last.Right);
    EXPECT_EQ(g.Height(), last.Bottom);

    auto cell = [&](std::string const& name, TGalleryState state) {
        int const row = Row(name);
        EXPECT_GE(row, 0) << name;
        return GalleryCellRect(row, state);
    };
    EXPECT_TRUE(HasColor(g, cell("TspSkinButton", gsNormal), sc::ButtonNormal));
    EXPECT_TRUE(HasColor(g, cell("TspSkinButton", gsHot), sc::ButtonActive));
    EXPECT_TRUE(HasColor(g, cell("TspSkinButton", gsPressed), sc::ButtonDown));
    EXPECT_TRUE(HasColor(g, cell("TspSkinButton", gsDisabled), sc::ButtonDisabled));
    EXPECT_FALSE(HasColor(g, cell("TspSkinButton", gsHot), sc::ButtonNormal));
    EXPECT_TRUE(HasColor(g, cell("TspSkinListBox", gsNormal), sc::ListActiveItem));
    EXPECT_TRUE(HasColor(g, cell("TspSkinListBox", gsFocused), sc::ListFocusItem));
    EXPECT_FALSE(HasColor(g, cell("TspSkinListBox", gsNormal), sc::ListFocusItem));
    EXPECT_TRUE(HasColor(g, cell("TspSkinComboBox", gsHot), sc::ComboButtonHot));
    EXPECT_TRUE(HasColor(g, cell("TspSkinComboBox", gsFocused), sc::ComboFocusItem));
    EXPECT_TRUE(HasColor(g, cell("TspSkinComboBox", gsDisabled), sc::ComboButtonDisabled));
    EXPECT_TRUE(HasColor(g, cell("TspSkinTabControl", gsHot), sc::TabHot));
    EXPECT_FALSE(HasColor(g, cell("TspSkinTabControl", gsNormal), sc::TabHot));
    EXPECT_TRUE(HasColor(g, cell("TspSkinTabControl", gsFocused), sc::TabFocus));
    EXPECT_TRUE(HasColor(g, cell("TspSkinMainMenuBar", gsNormal), sc::MenuItem));
    EXPECT_TRUE(HasColor(g, cell("TspSkinMainMenuBar", gsHot), sc::MenuItemHot));
    EXPECT_TRUE(HasColor(g, cell("TspSkinCheckBox", gsChecked), sc::CheckBox.On));
    EXPECT_FALSE(HasColor(g, cell("TspSkinCheckBox", gsNormal), sc::CheckBox.On));
    // A state a row does not show stays empty.
    EXPECT_FALSE(HasColor(g, cell("TspSkinPanel", gsHot), sc::PanelClient));
    EXPECT_TRUE(HasColor(g, cell("TspSkinPanel", gsNormal), sc::PanelClient));
}

TEST(ControlGalleryGolden, DemoSkinGalleryAsSkintoolRendersIt)
{
    base::TTempDir dir;
    std::string const png = dir.File("gallery.png");
    std::string const command = std::string("timeout 60 '") + SKINTOOL_PATH + "' render '"
        + XE_DEMO_SKIN_PACKAGE + "' '" + png + "' --controls >'" + dir.File("stdout") + "' 2>&1 </dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << base::ReadFileBytes(dir.File("stdout"));
    EXPECT_NE(base::ReadFileBytes(dir.File("stdout"))
                  .find(std::to_string(GalleryEntries().size()) + " control classes"),
        std::string::npos);
    xe::test::ExpectMatchesGolden(gfx::LoadPngFromFile(png),
        std::string(XE_SOURCE_DIR) + "/tests/golden/controls_gallery_demoskin.png");
}
