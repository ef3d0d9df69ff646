#include "skin/data/SkinObjects.h"
#include "skin/data/SkinWindowData.h"
#include "tests/skin/data/KeyCases.h"

#include <gtest/gtest.h>

#include <map>

using namespace xe::skin;
using namespace xe::test;

namespace {

const KeyCases BaseKeys {
    { "hint", "Close", "" },
    { "rollup", "1", "0" },
    { "activepictureindex", "3", "-1" },
    { "skinrectinapicture", "1", "0" },
    { "cursorindex", "2", "-1" },
    { "skinrect", "1,2,3,4", "0,0,0,0" },
    { "activeskinrect", "5,6,7,8", "0,0,0,0" },
    { "inactiveskinrect", "9,10,11,12", "0,0,0,0" },
    { "morphing", "1", "0" },
    { "morphkind", "mkpush", "mkdefault" },
};

const KeyCases MenuItemKeys {
    { "itemleftoffset", "4", "0" },
    { "itemrightoffset", "5", "0" },
    { "dividerrect", "1,1,2,2", "0,0,0,0" },
    { "dividerleftoffset", "6", "0" },
    { "dividerrightoffset", "7", "0" },
    { "textrect", "3,3,4,4", "0,0,0,0" },
    { "fontname", "Tahoma", "Arial", "" },
    { "fontheight", "11", "14", "0" },
    { "fontstyle", "fsbold,fsitalic", "" },
    { "fontcolor", "255", "0" },
    { "activefontcolor", "65280", "0" },
    { "unenabledfontcolor", "8421504", "0" },
};

const KeyCases MainMenuItemKeys {
    { "itemleftoffset", "4", "0" },
    { "itemrightoffset", "5", "0" },
    { "downrect", "1,1,2,2", "0,0,0,0" },
    { "textrect", "3,3,4,4", "0,0,0,0" },
    { "fontname", "Tahoma", "Arial", "" },
    { "fontheight", "11", "14", "0" },
    { "fontstyle", "fsunderline", "" },
    { "fontcolor", "255", "0" },
    { "activefontcolor", "65280", "0" },
    { "downfontcolor", "16711680", "0" },
    { "unenabledfontColor", "8421504", "0" },
};

const KeyCases ButtonKeys {
    { "downrect", "21,0,42,21", "0,0,0,0" },
    { "disableskinrsect", "63,0,84,21", "0,0,0,0" },
    { "groupindex", "2", "-1" },
};

const KeyCases StdButtonKeys {
    { "command", "cmsysmenu", "cmdefault", "cmclose" },
    { "restorerect", "1,2,3,4", "0,0,0,0" },
    { "restoreactiverect", "2,3,4,5", "0,0,0,0" },
    { "restoredownrect", "3,4,5,6", "0,0,0,0" },
};

const KeyCases CaptionKeys {
    { "defaultcaption", "1", "0" },
    { "textrect", "2,1,140,22", "0,0,0,0" },
    { "fontname", "Tahoma", "Arial", "" },
    { "fontheight", "16", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "16777215", "0" },
    { "activefontcolor", "255", "0" },
    { "alignment", "tarightjustify", "tacenter", "taleftjustify" },
    { "shadow", "1", "0" },
    { "shadowcolor", "8", "0" },
    { "activeshadowcolor", "9", "0" },
    { "framerect", "1,2,3,4", "0,0,0,0" },
    { "activeframerect", "2,3,4,5", "0,0,0,0" },
    { "frametextrect", "3,4,5,6", "0,0,0,0" },
    { "frameleftoffset", "7", "0" },
    { "framerightoffset", "8", "0" },
};

const KeyCases TrackBarKeys {
    { "buttonrect", "1,2,3,4", "0,0,0,0" },
    { "activebuttonrect", "2,3,4,5", "0,0,0,0" },
    { "beginpoint", "1,2", "0,0" },
    { "endpoint", "30,2", "0,0" },
    { "minvalue", "-5", "0" },
    { "maxvalue", "100", "0" },
    { "mousedownchangevalue", "1", "0" },
};

const KeyCases GaugeKeys {
    { "minvalue", "-5", "0" },
    { "maxvalue", "100", "0" },
    { "kind", "gkvertical", "gkhorizontal" },
};

const KeyCases FrameGaugeKeys {
    { "minvalue", "-5", "0" },
    { "maxvalue", "100", "0" },
    { "countframes", "7", "0" },
    { "framesplacement", "fpvertical", "fphorizontal" },
};

const KeyCases LabelKeys {
    { "fontName", "Tahoma", "Arial", "" },
    { "fontheight", "11", "14", "0" },
    { "fontstyle", "fsstrikeout", "" },
    { "fontcolor", "255", "0" },
    { "activefontcolor", "65280", "0" },
    { "alignment", "tarightjustify", "tacenter", "taleftjustify" },
    { "textvalue", "12:00", "" },
};

const KeyCases BitLabelKeys {
    { "textvalue", "12:00", "" },
    { "symbolwidth", "8", "0" },
    { "symbolheight", "12", "0" },
    { "symbolslinecount", "2", "0" },
    { "symbolsline0", "0123456789", "-" },
    { "symbolsline1", ":. ", "-" },
};

const KeyCases AnimateKeys {
    { "countframes", "4", "1", "0" },
    { "cycle", "1", "0" },
    { "buttonstyle", "1", "0" },
    { "timerinterval", "30", "50", "0" },
    { "command", "cmrollup", "cmdefault", "cmclose" },
};

const KeyCases UserObjectKeys {
    { "rollup", "1", "0" },
    { "skinrect", "1,2,3,4", "0,0,0,0" },
    { "cursorindex", "2", "-1" },
};

struct ClassCase {
    char const* Type;
    KeyCases Keys;
    bool MorphingForcedOff = false;
};

std::vector<ClassCase> AllClasses()
{
    KeyCases frameRegulator = Join({ BaseKeys, FrameGaugeKeys });
    frameRegulator.push_back({ "kind", "rkhorizontal", "rkround" });
    return {
        { "menuitem", Join({ BaseKeys, MenuItemKeys }) },
        { "mainmenuitem", Join({ BaseKeys, MainMenuItemKeys }) },
        { "mainmenubaritem", Join({ BaseKeys, MainMenuItemKeys }) },
        { "button", Join({ BaseKeys, ButtonKeys }) },
        { "stdbutton", Join({ BaseKeys, ButtonKeys, StdButtonKeys }) },
        { "mainmenubarbutton", Join({ BaseKeys, ButtonKeys, StdButtonKeys }) },
        { "caption", Join({ BaseKeys, CaptionKeys }) },
        { "trackbar", Join({ BaseKeys, TrackBarKeys }), true },
        { "gauge", Join({ BaseKeys, GaugeKeys }) },
        { "framegauge", Join({ BaseKeys, FrameGaugeKeys }) },
        { "frameregulator", frameRegulator },
        { "label", Join({ BaseKeys, LabelKeys }) },
        { "bitlabel", Join({ BaseKeys, BitLabelKeys }), true },
        { "switch", BaseKeys },
        { "animate", Join({ BaseKeys, AnimateKeys }), true },
        { "userobject", UserObjectKeys },
    };
}

} // namespace

TEST(SkinObjects, EveryClassReadsAndWritesItsKeysInOrder)
{
    for (ClassCase const& c : AllClasses()) {
        SCOPED_TRACE(c.Type);
        auto object = CreateSkinObject(c.Type, "obj");
        ASSERT_TRUE(object);
        object->LoadFromIni(FixtureOf("obj", c.Keys));

        TMemIniFile out;
        out.WriteString("obj", "stale", "gone after saving");
        object->SaveToIni(out);
        std::map<std::string, std::string> changed;
        if (c.MorphingForcedOff)
            changed["morphing"] = "0";
        ExpectWritten(out, "obj", c.Keys, &KeyCase::Value, changed);

        // Saving and loading again gives an equal object.
        auto again = CreateSkinObject(c.Type, "obj");
        again->LoadFromIni(out);
        TMemIniFile out2;
        again->SaveToIni(out2);
        EXPECT_EQ(out2.Text(), out.Text());
    }
}

TEST(SkinObjects, MissingSectionGivesEveryLoadDefault)
{
    for (ClassCase const& c : AllClasses()) {
        SCOPED_TRACE(c.Type);
        auto object = CreateSkinObject(c.Type, "absent");
        object->LoadFromIni(TMemIniFile("[other]\nhint=x\n"));
        TMemIniFile out;
        object->SaveToIni(out);
        ExpectWritten(out, "absent", c.Keys, &KeyCase::AtLoad);
    }
}

TEST(SkinObjects, NewObjectsHoldTheirConstructionValues)
{
    for (ClassCase const& c : AllClasses()) {
        SCOPED_TRACE(c.Type);
        TMemIniFile out;
        CreateSkinObject(c.Type, "new")->SaveToIni(out);
        ExpectWritten(out, "new", c.Keys, &KeyCase::WhenNew);
    }
}

TEST(SkinObjects, TypeNamesSelectClassesExactly)
{
    EXPECT_TRUE(
        dynamic_cast<TspDataSkinMainMenuBarButton*>(CreateSkinObject("mainmenubarbutton", "a").get()));
    EXPECT_TRUE(dynamic_cast<TspDataSkinStdButton*>(CreateSkinObject("mainmenubarbutton", "a").get()));
    EXPECT_TRUE(dynamic_cast<TspDataSkinMainMenuItem*>(CreateSkinObject("mainmenubaritem", "a").get()));
    EXPECT_TRUE(dynamic_cast<TspDataUserObject*>(CreateSkinObject("userobject", "a").get()));
    EXPECT_EQ(CreateSkinObject("Caption", "a"), nullptr);
    EXPECT_EQ(CreateSkinObject("", "a"), nullptr);
    EXPECT_EQ(CreateSkinObject("window", "a"), nullptr);
    EXPECT_EQ(CreateSkinObject("caption", "cap")->IDName, "cap");
}

TEST(SkinObjects, ConstructionDefaults)
{
    TspDataSkinStdButton b("closebutton");
    EXPECT_EQ(b.ActivePictureIndex, -1);
    EXPECT_EQ(b.CursorIndex, -1);
    EXPECT_EQ(b.GroupIndex, -1);
    EXPECT_EQ(b.DownRect, TRect());
    EXPECT_FALSE(b.Morphing);
    EXPECT_FALSE(b.RollUp);
    EXPECT_TRUE(b.Hint.empty());

    // Own fields of the other classes start at zero or empty until they are loaded.
    TspDataSkinAnimate a("anim");
    EXPECT_EQ(a.CountFrames, 0);
    EXPECT_EQ(a.TimerInterval, 0);
    TspDataSkinCaption c("caption");
    EXPECT_TRUE(c.FontName.empty());
    EXPECT_EQ(c.FontHeight, 0);
    TspDataSkinBitLabel bl("bits");
    EXPECT_TRUE(bl.Symbols.empty());

    TspDataSkinPopupWindow popup;
    EXPECT_EQ(popup.WindowPictureIndex, -1);
    EXPECT_EQ(popup.MaskPictureIndex, -1);
    EXPECT_EQ(popup.CursorIndex, -1);
    TspDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontName, "Arial");
    EXPECT_EQ(hint.FontHeight, 12);
    hint.LoadFromIni(TMemIniFile(""), "HINTWINDOW");
    EXPECT_EQ(hint.FontHeight, 14);
}

TEST(SkinObjects, EdgeValuesOfParticularKeys)
{
    TMemIniFile f("[b1]\nmorphing=1\n[b2]\ncommand=cmminimizetotray\n[b3]\ncommand=shutdown\n"
                  "[u]\nactivepictureindex=4\nhint=nope\nskinrect=1,1,5,5\n"
                  "[anim]\ntimerinterval=-3\n");
    TspDataSkinStdButton b1("b1"), b2("b2"), b3("b3");
    b1.LoadFromIni(f);
    b2.LoadFromIni(f);
    b3.LoadFromIni(f);
    EXPECT_EQ(b1.Command, cmDefault);
    EXPECT_EQ(b2.Command, cmMinimizeToTray);
    EXPECT_EQ(b3.Command, cmMinimizeToTray);

    TspDataUserObject u("u");
    u.LoadFromIni(f);
    EXPECT_EQ(u.ActivePictureIndex, -1);
    EXPECT_EQ(u.Hint, "");
    EXPECT_EQ(u.SkinRect, (TRect { 1, 1, 5, 5 }));

    TspDataSkinAnimate a("anim");
    a.LoadFromIni(f);
    EXPECT_EQ(a.CountFrames, 1);
    EXPECT_EQ(a.TimerInterval, -3);
}
