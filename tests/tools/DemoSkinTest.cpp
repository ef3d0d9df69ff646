// The demonstration skin: its committed pictures, the way its description cuts them, and a
// golden image of it on a framed form (tests/golden/demoskin_360x260_active.png, compared
// exactly; XE_UPDATE_GOLDEN=1 writes a new one and still fails).
#include "platform/base/Files.h"
#include "skin/data/SkinControls.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinPackage.h"
#include "skin/form/SkinnedForm.h"
#include "tests/platform/toolkit/HeadlessFixture.h"
#include "tests/support/Golden.h"
#include "tools/skinart/DemoSkinArt.h"
#include "tools/skintool/SkinRender.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
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
    ASSERT_EQ(pictures.size(), 6u);
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

// Every control the skinned controls look up by default has a look of the class its kind
// needs, cut from the controls' picture: each image rectangle inside the picture, the images
// of one look as large as each other where the control swaps them, corner points and client
// rectangles inside the normal image, and the named looks and objects that a look refers to
// present.
TEST(DemoSkin, EveryControlHasALookInsideItsPicture)
{
    auto data = LoadDemoSkin();
    ASSERT_FALSE(data->Empty());
    using TCheck = std::function<void(TspDataSkinControl&, gfx::TBitmap const&)>;
    auto sameSize = [](TRect const& a, TRect const& b) {
        EXPECT_EQ(a.Width(), b.Width());
        EXPECT_EQ(a.Height(), b.Height());
    };
    auto inside = [](gfx::TBitmap const& p, std::initializer_list<TRect> rects) {
        for (auto const& r : rects)
            EXPECT_TRUE(Inside(r, p)) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    };
    auto custom = [](TspDataSkinControl& c) {
        auto& d = dynamic_cast<TspDataSkinCustomControl&>(c);
        TRect const own { 0, 0, d.SkinRect.Width(), d.SkinRect.Height() };
        EXPECT_FALSE(base::IsRectEmpty(d.ClientRect));
        EXPECT_TRUE(Inside(d.ClientRect, own));
        for (auto p : { d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint })
            EXPECT_TRUE(p.X > 0 && p.Y > 0 && p.X < own.Right && p.Y < own.Bottom) << p.X << "," << p.Y;
        EXPECT_LT(d.LTPoint.X, d.RTPoint.X);
        EXPECT_LT(d.LTPoint.Y, d.LBPoint.Y);
    };
    auto button = [&](TspDataSkinControl& c, gfx::TBitmap const& p) {
        auto& d = dynamic_cast<TspDataSkinButtonControl&>(c);
        custom(c);
        inside(p, { d.ActiveSkinRect, d.DownSkinRect, d.DisabledSkinRect });
        for (auto const& r : { d.ActiveSkinRect, d.DownSkinRect, d.DisabledSkinRect })
            sameSize(r, d.SkinRect);
        EXPECT_NE(d.FontColor, d.DisabledFontColor);
    };
    auto checkRadio = [&](TspDataSkinControl& c, gfx::TBitmap const& p) {
        auto& d = dynamic_cast<TspDataSkinCheckRadioControl&>(c);
        custom(c);
        inside(p,
            { d.ActiveSkinRect, d.CheckImageRect, d.UnCheckImageRect, d.ActiveCheckImageRect,
                d.ActiveUnCheckImageRect, d.UnEnabledCheckImageRect, d.UnEnabledUnCheckImageRect });
        for (auto const& r : { d.UnCheckImageRect, d.ActiveCheckImageRect, d.ActiveUnCheckImageRect,
                 d.UnEnabledCheckImageRect, d.UnEnabledUnCheckImageRect })
            sameSize(r, d.CheckImageRect);
        sameSize(d.CheckImageArea, d.CheckImageRect);
        EXPECT_FALSE(base::IsRectEmpty(d.TextArea));
    };
    auto panel = [&](TspDataSkinControl& c, gfx::TBitmap const&) {
        custom(c);
        auto& d = dynamic_cast<TspDataSkinPanelControl&>(c);
        EXPECT_TRUE(base::IsRectEmpty(d.CaptionRect)
            || Inside(d.CaptionRect, TRect { 0, 0, d.SkinRect.Width(), d.ClientRect.Top }));
    };
    auto gauge = [&](bool vertical) {
        return [&custom, &inside, vertical](TspDataSkinControl& c, gfx::TBitmap const& p) {
            auto& d = dynamic_cast<TspDataSkinGaugeControl&>(c);
            custom(c);
            inside(p, { d.ProgressRect });
            EXPECT_EQ(d.Vertical, vertical);
            EXPECT_TRUE(Inside(d.ProgressArea, TRect { 0, 0, d.SkinRect.Width(), d.SkinRect.Height() }));
            // The fill's thickness is the progress area's.
            if (vertical)
                EXPECT_EQ(d.ProgressRect.Width(), d.ProgressArea.Width());
            else
                EXPECT_EQ(d.ProgressRect.Height(), d.ProgressArea.Height());
        };
    };
    auto track = [&](bool vertical) {
        return [&custom, &inside, &sameSize, vertical](TspDataSkinControl& c, gfx::TBitmap const& p) {
            auto& d = dynamic_cast<TspDataSkinTrackBarControl&>(c);
            custom(c);
            inside(p, { d.ButtonRect, d.ActiveButtonRect });
            sameSize(d.ActiveButtonRect, d.ButtonRect);
            EXPECT_EQ(d.Vertical, vertical);
            EXPECT_TRUE(Inside(d.TrackArea, TRect { 0, 0, d.SkinRect.Width(), d.SkinRect.Height() }));
            // The thumb fits across the track.
            if (vertical)
                EXPECT_LE(d.ButtonRect.Width(), d.SkinRect.Width());
            else
                EXPECT_LE(d.ButtonRect.Height(), d.SkinRect.Height());
        };
    };
    auto edit = [&](TspDataSkinControl& c, gfx::TBitmap const& p) {
        auto& d = dynamic_cast<TspDataSkinEditControl&>(c);
        custom(c);
        inside(p, { d.ActiveSkinRect });
        sameSize(d.ActiveSkinRect, d.SkinRect);
    };
    auto memo = [&](TspDataSkinControl& c, gfx::TBitmap const& p) {
        edit(c, p);
        auto& d = dynamic_cast<TspDataSkinMemoControl&>(c);
        EXPECT_NE(d.BGColor, d.ActiveBGColor);
    };
    auto scroll = [&](bool vertical) {
        return [&custom, &inside, &sameSize, vertical](TspDataSkinControl& c, gfx::TBitmap const& p) {
            auto& d = dynamic_cast<TspDataSkinScrollBarControl&>(c);
            custom(c);
            inside(p,
                { d.UpButtonRect, d.ActiveUpButtonRect, d.DownUpButtonRect, d.DownButtonRect,
                    d.ActiveDownButtonRect, d.DownDownButtonRect, d.ThumbRect, d.ActiveThumbRect,
                    d.DownThumbRect, d.GlyphRect, d.ActiveGlyphRect, d.DownGlyphRect });
            for (auto const& r : { d.ActiveUpButtonRect, d.DownUpButtonRect, d.DownButtonRect,
                     d.ActiveDownButtonRect, d.DownDownButtonRect })
                sameSize(r, d.UpButtonRect);
            sameSize(d.ActiveThumbRect, d.ThumbRect);
            sameSize(d.DownThumbRect, d.ThumbRect);
            sameSize(d.ActiveGlyphRect, d.GlyphRect);
            sameSize(d.DownGlyphRect, d.GlyphRect);
            // The buttons sit at the ends, the track between them; the thumb's fixed ends fit it.
            TRect const& t = d.TrackArea;
            if (vertical) {
                EXPECT_EQ(t.Top, d.UpButtonRect.Height());
                EXPECT_EQ(d.SkinRect.Height() - t.Bottom, d.DownButtonRect.Height());
                EXPECT_LT(d.ThumbOffset1 + d.ThumbOffset2, d.ThumbRect.Height());
            } else {
                EXPECT_EQ(t.Left, d.UpButtonRect.Width());
                EXPECT_EQ(d.SkinRect.Width() - t.Right, d.DownButtonRect.Width());
                EXPECT_LT(d.ThumbOffset1 + d.ThumbOffset2, d.ThumbRect.Width());
            }
        };
    };
    auto listBox = [&](TspDataSkinControl& c, gfx::TBitmap const& p) {
        auto& d = dynamic_cast<TspDataSkinListBox&>(c);
        custom(c);
        inside(p, { d.ItemRect, d.ActiveItemRect, d.FocusItemRect });
        sameSize(d.ActiveItemRect, d.ItemRect);
        sameSize(d.FocusItemRect, d.ItemRect);
        EXPECT_GE(data->IndexOfControl(d.VScrollBarName), 0);
        EXPECT_GE(data->IndexOfControl(d.HScrollBarName), 0);
    };
    auto comboBox = [&](TspDataSkinControl& c, gfx::TBitmap const& p) {
        auto& d = dynamic_cast<TspDataSkinComboBox&>(c);
        custom(c);
        inside(p,
            { d.ItemRect, d.FocusItemRect, d.ButtonRect, d.ActiveButtonRect, d.DownButtonRect,
                d.UnEnabledButtonRect });
        // The button fits right of the text area, inside the field's frame.
        EXPECT_LE(d.ClientRect.Right + d.ButtonRect.Width(), d.RTPoint.X);
        EXPECT_LE(d.ButtonRect.Height(), d.ClientRect.Height());
        EXPECT_NE(dynamic_cast<TspDataSkinListBox*>(
                      data->CtrlList[size_t(data->IndexOfControl(d.ListBoxName))].get()),
            nullptr);
    };
    auto tab = [&](TspDataSkinControl& c, gfx::TBitmap const& p) {
        auto& d = dynamic_cast<TspDataSkinTabControl&>(c);
        inside(p, { d.TabRect, d.ActiveTabRect, d.FocusTabRect, d.MouseInTabRect });
        for (auto const& r : { d.ActiveTabRect, d.FocusTabRect, d.MouseInTabRect })
            sameSize(r, d.TabRect);
        EXPECT_TRUE(Inside(d.ClientRect, TRect { 0, 0, d.SkinRect.Width(), d.SkinRect.Height() }));
    };
    auto menuBar = [&](TspDataSkinControl& c, gfx::TBitmap const&) {
        auto& d = dynamic_cast<TspDataSkinMainMenuBar&>(c);
        int const item = data->IndexOfObject(d.MenuBarItem);
        ASSERT_GE(item, 0);
        EXPECT_NE(dynamic_cast<TspDataSkinMainMenuItem*>(data->ObjectList[size_t(item)].get()), nullptr);
        EXPECT_TRUE(Inside(d.ItemsRect, TRect { 0, 0, d.SkinRect.Width(), d.SkinRect.Height() }));
        EXPECT_EQ(d.SkinRect.Height(), data->ObjectList[size_t(item)]->SkinRect.Height());
    };
    auto plain = [&](TspDataSkinControl& c, gfx::TBitmap const&) { custom(c); };
    std::map<std::string, TCheck> const looks {
        { "button", button },
        { "toolbutton", button },
        { "checkbox", checkRadio },
        { "radiobox", checkRadio },
        { "panel", panel },
        { "groupbox", panel },
        { "statusbar", panel },
        { "label", plain },
        { "gauge", gauge(false) },
        { "vgauge", gauge(true) },
        { "trackbar", track(true) },
        { "htrackbar", track(false) },
        { "edit", edit },
        { "memo", memo },
        { "hscrollbar", scroll(false) },
        { "vscrollbar", scroll(true) },
        { "listbox", listBox },
        { "combobox", comboBox },
        { "tab", tab },
        { "mainmenubar", menuBar },
    };
    for (auto const& [name, check] : looks) {
        SCOPED_TRACE(name);
        int const i = data->IndexOfControl(name);
        ASSERT_GE(i, 0);
        TspDataSkinControl& look = *data->CtrlList[size_t(i)];
        ASSERT_GE(look.PictureIndex, 0);
        ASSERT_LT(size_t(look.PictureIndex), data->ActivePictures.size());
        gfx::TBitmap const& picture = *data->ActivePictures[size_t(look.PictureIndex)];
        EXPECT_TRUE(Inside(look.SkinRect, picture));
        check(look, picture);
    }
    // The standard label draws text only: no picture, but its own colour while hot.
    int const std = data->IndexOfControl("stdlabel");
    ASSERT_GE(std, 0);
    auto* stdLabel = dynamic_cast<TspDataSkinStdLabelControl*>(data->CtrlList[size_t(std)].get());
    ASSERT_NE(stdLabel, nullptr);
    EXPECT_NE(stdLabel->FontColor, stdLabel->ActiveFontColor);
    EXPECT_EQ(data->CtrlList.size(), looks.size() + 1);
}

namespace {

struct DemoSkinGolden : test::HeadlessTest {
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
        EXPECT_TRUE(SetHot(form, "panellabel"));
        EXPECT_TRUE(SetHot(form, "switch"));
        EXPECT_TRUE(form.SetObjectValue("panelgauge", 60));
        EXPECT_TRUE(form.SetObjectValue("paneltrackbar", 35));
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
