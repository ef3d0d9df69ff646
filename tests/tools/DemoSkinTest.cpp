// The demonstration skin: its committed pictures, the way its description cuts them, and a
// golden image of it on a framed form (tests/golden/demoskin_360x260_active.png, compared
// exactly; XE_UPDATE_GOLDEN=1 writes a new one and still fails).
#include "platform/base/Files.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinPackage.h"
#include "skin/form/SkinnedForm.h"
#include "tests/platform/toolkit/HeadlessFixture.h"
#include "tests/support/Golden.h"
#include "tools/skinart/DemoSkinArt.h"
#include "tools/skintool/SkinRender.h"

#include <gtest/gtest.h>

#include <set>
#include <typeinfo>

using namespace xe;
using namespace xe::skin;
using base::TRect;

namespace {

std::string const DemoDir = std::string(XE_SOURCE_DIR) + "/resources/demoskin/";

// The package the build made from resources/demoskin.
tk::TComponentPtr<TspSkinData> LoadDemoSkin()
{
    tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    std::string compressed;
    EXPECT_TRUE(ReadCompressedSkinFile(base::ReadFileBytes(XE_DEMO_SKIN_PACKAGE), compressed));
    data->LoadFromPackage(DecompressSkinPackage(compressed));
    return data;
}

bool Inside(TRect const& r, gfx::TBitmap const& picture)
{
    return !base::IsRectEmpty(r) && r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width()
        && r.Bottom <= picture.Height();
}
bool Inside(TRect const& r, TRect const& area)
{
    return r.Left >= area.Left && r.Top >= area.Top && r.Right <= area.Right && r.Bottom <= area.Bottom;
}

} // namespace

TEST(DemoSkin, CommittedPicturesAreWhatTheGeneratorDraws)
{
    auto pictures = DrawDemoSkinPictures();
    ASSERT_EQ(pictures.size(), 5u);
    for (auto const& picture : pictures)
        EXPECT_TRUE(base::ReadFileBytes(DemoDir + picture.FileName) == picture.Bitmap.SaveToBytes())
            << picture.FileName << " differs from what the generator draws (run xe_skinartgen --demo "
            << "resources/demoskin)";
    // The build's package is the committed description with these pictures.
    std::string package;
    ASSERT_TRUE(BuildSkinPackage(DemoDir + "demo.ini", package));
    std::string compressed;
    ASSERT_TRUE(ReadCompressedSkinFile(base::ReadFileBytes(XE_DEMO_SKIN_PACKAGE), compressed));
    EXPECT_TRUE(DecompressSkinPackage(compressed) == package);
}

// One object of each kind, every rectangle inside the picture it cuts, the strips and the
// symbol sheet as large as their cells say, and every panel object inside one bottom
// corner of the frame, so that it keeps its size and place relative to that corner.
TEST(DemoSkin, DescriptionCutsItsPictures)
{
    auto data = LoadDemoSkin();
    ASSERT_FALSE(data->Empty());
    gfx::TBitmap const& frame = data->Picture();
    TRect const bottomLeft { 0, data->LBPoint.Y, data->LBPoint.X, frame.Height() };
    TRect const bottomRight { data->RBPoint.X, data->RBPoint.Y, frame.Width(), frame.Height() };

    std::set<std::string> kinds;
    for (auto const& d : data->ObjectList) {
        SCOPED_TRACE(d->IDName);
        auto const& object = *d;
        kinds.insert(typeid(object).name());
        if (dynamic_cast<TspDataSkinCaption*>(d.get())) {
            EXPECT_TRUE(Inside(d->SkinRect, frame));
            continue;
        }
        ASSERT_GE(d->ActivePictureIndex, 0);
        ASSERT_LT(size_t(d->ActivePictureIndex), data->ActivePictures.size());
        gfx::TBitmap const& own = *data->ActivePictures[size_t(d->ActivePictureIndex)];
        EXPECT_TRUE(Inside(d->SkinRect, d->SkinRectInAPicture ? own : frame));
        EXPECT_TRUE(Inside(d->ActiveSkinRect, own));
        TRect const& normal = d->SkinRect;
        if (auto* b = dynamic_cast<TspDataSkinButton*>(d.get())) {
            EXPECT_TRUE(Inside(b->DownRect, own));
        }
        if (auto* m = dynamic_cast<TspDataSkinMainMenuItem*>(d.get())) {
            EXPECT_TRUE(Inside(m->DownRect, own));
            EXPECT_EQ(normal.Height(), data->MainMenuRect.Height());
        }
        if (auto* t = dynamic_cast<TspDataSkinTrackBar*>(d.get())) {
            EXPECT_TRUE(Inside(t->ButtonRect, own));
            EXPECT_TRUE(Inside(t->ActiveButtonRect, own));
            // The thumb, centred on either end of its path, stays inside the track.
            for (auto p : { t->BeginPoint, t->EndPoint })
                EXPECT_TRUE(
                    Inside(base::Rect(p.X - t->ButtonRect.Width() / 2, p.Y - t->ButtonRect.Height() / 2,
                               p.X - t->ButtonRect.Width() / 2 + t->ButtonRect.Width(),
                               p.Y - t->ButtonRect.Height() / 2 + t->ButtonRect.Height()),
                        base::Rect(0, 0, normal.Width(), normal.Height())));
        }
        auto stripOf = [&](int count) {
            EXPECT_EQ(d->ActiveSkinRect.Width(), normal.Width() * count);
            EXPECT_EQ(d->ActiveSkinRect.Height(), normal.Height());
        };
        if (auto* g = dynamic_cast<TspDataSkinFrameGaugeObject*>(d.get()))
            stripOf(g->CountFrames);
        if (auto* r = dynamic_cast<TspDataSkinFrameRegulatorObject*>(d.get()))
            stripOf(r->CountFrames);
        if (auto* a = dynamic_cast<TspDataSkinAnimate*>(d.get()))
            stripOf(a->CountFrames);
        if (auto* l = dynamic_cast<TspDataSkinBitLabel*>(d.get())) {
            EXPECT_EQ(l->Symbols, DemoSymbolRows());
            size_t widest = 0;
            for (auto const& row : l->Symbols)
                widest = std::max(widest, row.size());
            EXPECT_EQ(d->ActiveSkinRect.Width(), int(widest) * l->SymbolWidth);
            EXPECT_EQ(d->ActiveSkinRect.Height(), int(l->Symbols.size()) * l->SymbolHeight);
            EXPECT_EQ(normal.Height(), l->SymbolHeight);
            EXPECT_EQ(normal.Width() % l->SymbolWidth, 0);
        }
        if (!d->SkinRectInAPicture) {
            EXPECT_TRUE(Inside(normal, bottomLeft) || Inside(normal, bottomRight));
        }
    }
    EXPECT_EQ(kinds.size(), 12u) << "caption, stdbutton, mainmenuitem, label, bitlabel, gauge, trackbar, "
                                    "framegauge, frameregulator, switch, animate, button";
    EXPECT_GE(data->IndexOfObject("MAINMENUITEM"), 0);
}

namespace {

struct DemoSkinGolden : tk::test::HeadlessTest {
    void SetUp() override
    {
        HeadlessTest::SetUp();
        Data = LoadDemoSkin();
        ASSERT_FALSE(Data->Empty());
    }
    void TearDown() override
    {
        App.reset();
        Data.reset();
        HeadlessTest::TearDown();
    }
    tk::TComponentPtr<TspSkinData> Data;
};

// Puts the named object into its hot (or on) state; false when the form made no such object.
bool SetHot(TspSkinnedForm& form, std::string const& name)
{
    for (auto const& o : form.ObjectList)
        if (o->IDName == name) {
            o->ActiveState = true;
            return true;
        }
    return false;
}

} // namespace

// The whole demonstration skin on a 360 x 260 active form with a three-item main menu: the
// minimise button, the label and the switch hot (on); the gauge, track bar, frame gauge and
// frame regulator part-way along their ranges; the bit label showing a text of its own, with
// a character the sheet lacks; the animation on its first frame.
TEST_F(DemoSkinGolden, FramedFormWithEveryObjectInAKnownState)
{
    TSkinRenderOptions options;
    options.Width = 360;
    options.Height = 260;
    options.MainMenu = { "&File", "&Edit", "&Help" };
    options.Prepare = [](TspSkinnedForm& form) {
        EXPECT_TRUE(SetHot(form, "minimizebutton"));
        EXPECT_TRUE(SetHot(form, "label"));
        EXPECT_TRUE(SetHot(form, "switch"));
        EXPECT_TRUE(form.SetObjectValue("gauge", 60));
        EXPECT_TRUE(form.SetObjectValue("trackbar", 35));
        EXPECT_TRUE(form.SetObjectValue("framegauge", 50));
        EXPECT_TRUE(form.SetObjectValue("frameregulator", 40));
        EXPECT_TRUE(form.SetObjectText("bitlabel", "12:34 ?"));
    };
    gfx::TBitmap const shot = RenderSkinForm(*Data, options);
    ASSERT_EQ(shot.Width(), 360);
    ASSERT_EQ(shot.Height(), 260);
    xe::test::ExpectMatchesGolden(
        shot, std::string(XE_SOURCE_DIR) + "/tests/golden/demoskin_360x260_active.png");
}
