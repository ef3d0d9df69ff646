#include "skin/data/SkinControls.h"
#include "tests/skin/data/KeyCases.h"

#include <gtest/gtest.h>

#include <map>

using namespace xe::skin;
using namespace xe::test;

namespace {

// The keys of each class, grouped as the classes add them; every value differs from both
// defaults and from the other keys' values, so a key read into the wrong field shows.
const KeyCases ControlKeys {
    { "pictureindex", "101", "-1" },
    { "maskpictureindex", "102", "-1" },
    { "cursorindex", "103", "-1" },
    { "skinrect", "4,5,6,7", "0,0,0,0" },
};
const KeyCases CustomControlKeys {
    { "lefttoppoint", "5,6", "0,0" },
    { "righttoppoint", "6,7", "0,0" },
    { "leftbottompoint", "7,8", "0,0" },
    { "rightbottompoint", "8,9", "0,0" },
    { "clientrect", "9,10,11,12", "0,0,0,0" },
};
const KeyCases FrameControlKeys {
    { "framescount", "110", "1", "0" },
    { "framesplacement", "fpvertical", "fphorizontal" },
};
const KeyCases ButtonControlKeys {
    { "fontname", "name12", "Arial", "" },
    { "fontheight", "113", "14", "0" },
    { "fontstyle", "fsbold,fsstrikeout", "" },
    { "fontcolor", "983055", "0" },
    { "activefontcolor", "1048592", "0" },
    { "disabledfontcolor", "1114129", "0" },
    { "downfontcolor", "1179666", "0" },
    { "morphing", "1", "0" },
    { "morphkind", "mkrightslide", "mkdefault" },
    { "activeskinrect", "21,22,23,24", "0,0,0,0" },
    { "downskinrect", "22,23,24,25", "0,0,0,0" },
    { "disabledskinrect", "23,24,25,26", "0,0,0,0" },
};
const KeyCases MenuButtonControlKeys {
    { "trackbuttonrect", "24,25,26,27", "0,0,0,0" },
};
const KeyCases CheckRadioControlKeys {
    { "fontname", "name25", "Arial", "" },
    { "fontheight", "126", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "1835036", "0" },
    { "activefontcolor", "1900573", "0" },
    { "unenabledfontcolor", "1966110", "0" },
    { "framefontcolor", "2031647", "0" },
    { "morphing", "1", "0" },
    { "morphkind", "mkrightslide", "mkdefault" },
    { "activeskinrect", "34,35,36,37", "0,0,0,0" },
    { "checkimagearea", "35,36,37,38", "0,0,0,0" },
    { "textarea", "36,37,38,39", "0,0,0,0" },
    { "checkimagerect", "37,38,39,40", "0,0,0,0" },
    { "uncheckimagerect", "38,39,40,41", "0,0,0,0" },
    { "activecheckimagerect", "39,40,41,42", "0,0,0,0" },
    { "activeuncheckimagerect", "40,41,42,43", "0,0,0,0" },
    { "unenabledcheckimagerect", "41,42,43,44", "0,0,0,0" },
    { "unenableduncheckimagerect", "42,43,44,45", "0,0,0,0" },
};
const KeyCases PanelControlKeys {
    { "bgpictureindex", "143", "-1", "0" },
    { "captionrect", "44,45,46,47", "0,0,0,0" },
    { "alignment", "tarightjustify", "tacenter", "taleftjustify" },
    { "fontname", "name46", "Arial", "" },
    { "fontheight", "147", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "3211313", "0" },
    { "checkimagerect", "50,51,52,53", "0,0,0,0" },
    { "uncheckimagerect", "51,52,53,54", "0,0,0,0" },
};
const KeyCases ExPanelControlKeys {
    { "rollhskinrect", "52,53,54,55", "0,0,0,0" },
    { "rollvskinrect", "53,54,55,56", "0,0,0,0" },
    { "rollleftoffset", "154", "0" },
    { "rollrightoffset", "155", "0" },
    { "rolltopoffset", "156", "0" },
    { "rollbottomoffset", "157", "0" },
    { "rollvcaptionrect", "58,59,60,61", "0,0,0,0" },
    { "rollhcaptionrect", "59,60,61,62", "0,0,0,0" },
    { "closebuttonrect", "60,61,62,63", "0,0,0,0" },
    { "closebuttonactiverect", "61,62,63,64", "0,0,0,0" },
    { "closebuttondownrect", "62,63,64,65", "0,0,0,0" },
    { "hrollbuttonrect", "63,64,65,66", "0,0,0,0" },
    { "hrollbuttonactiverect", "64,65,66,67", "0,0,0,0" },
    { "hrollbuttondownrect", "65,66,67,68", "0,0,0,0" },
    { "hrestorebuttonrect", "66,67,68,69", "0,0,0,0" },
    { "hrestorebuttonactiverect", "67,68,69,70", "0,0,0,0" },
    { "hrestorebuttondownrect", "68,69,70,71", "0,0,0,0" },
    { "vrollbuttonrect", "69,70,71,72", "0,0,0,0" },
    { "vrollbuttonactiverect", "70,71,72,73", "0,0,0,0" },
    { "vrollbuttondownrect", "71,72,73,74", "0,0,0,0" },
    { "vrestorebuttonrect", "72,73,74,75", "0,0,0,0" },
    { "vrestorebuttonactiverect", "73,74,75,76", "0,0,0,0" },
    { "vrestorebuttondownrect", "74,75,76,77", "0,0,0,0" },
    { "captionrect", "75,76,77,78", "0,0,0,0" },
    { "fontname", "name76", "Arial", "" },
    { "fontheight", "177", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "5177423", "0" },
};
const KeyCases LabelControlKeys {
    { "fontname", "name80", "Arial", "" },
    { "fontheight", "181", "14", "0" },
    { "fontstyle", "fsitalic,fsunderline", "" },
    { "fontcolor", "5439571", "0" },
};
const KeyCases BitLabelControlKeys {
    { "skintextrect", "84,85,86,87", "0,0,0,0" },
    { "symbolwidth", "185", "0" },
    { "symbolheight", "186", "0" },
    { "symbolslinecount", "2", "0" },
    { "symbolsline0", "0123456789", "-" },
    { "symbolsline1", ":. ", "-" },
};
const KeyCases StdLabelControlKeys {
    { "fontname", "name87", "Arial", "" },
    { "fontheight", "188", "14", "0" },
    { "fontstyle", "fsbold,fsstrikeout", "" },
    { "fontcolor", "5898330", "0" },
    { "activefontcolor", "5963867", "16711680", "0" },
};
const KeyCases GaugeControlKeys {
    { "progressarea", "92,93,94,95", "0,0,0,0" },
    { "progressrect", "93,94,95,96", "0,0,0,0" },
    { "beginoffset", "194", "0" },
    { "endoffset", "195", "0" },
    { "vertical", "1", "0" },
    { "fontname", "name97", "Arial", "" },
    { "fontheight", "198", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "6553700", "0" },
};
const KeyCases TrackBarControlKeys {
    { "trackarea", "101,102,103,104", "0,0,0,0" },
    { "buttonrect", "102,103,104,105", "0,0,0,0" },
    { "activebuttonrect", "103,104,105,106", "0,0,0,0" },
    { "vertical", "1", "0" },
};
const KeyCases UpDownControlKeys {
    { "upbuttonrect", "105,106,107,108", "0,0,0,0" },
    { "activeupbuttonrect", "106,107,108,109", "0,0,0,0" },
    { "downupbuttonrect", "107,108,109,110", "0,0,0,0" },
    { "downbuttonrect", "108,109,110,111", "0,0,0,0" },
    { "activedownbuttonrect", "109,110,111,112", "0,0,0,0" },
    { "downdownbuttonrect", "110,111,112,113", "0,0,0,0" },
};
const KeyCases EditControlKeys {
    { "activeskinrect", "111,112,113,114", "0,0,0,0" },
    { "fontname", "name112", "Arial", "" },
    { "fontheight", "213", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "7536755", "0" },
    { "disabledfontcolor", "7602292", "0" },
    { "activefontcolor", "7667829", "0" },
    { "buttonrect", "118,119,120,121", "0,0,0,0" },
    { "activebuttonrect", "119,120,121,122", "0,0,0,0" },
    { "downbuttonrect", "120,121,122,123", "0,0,0,0" },
    { "unenabledbuttonrect", "121,122,123,124", "0,0,0,0" },
};
const KeyCases MemoControlKeys {
    { "bgcolor", "7995514", "0" },
    { "activebgcolor", "8061051", "0" },
};
const KeyCases SpinEditControlKeys {
    { "activeskinrect", "124,125,126,127", "0,0,0,0" },
    { "fontname", "name125", "Arial", "" },
    { "fontheight", "226", "14", "0" },
    { "fontstyle", "fsitalic,fsunderline", "" },
    { "fontcolor", "8388736", "0" },
    { "activefontcolor", "8454273", "0" },
    { "disabledfontcolor", "8519810", "0" },
    { "upbuttonrect", "131,132,133,134", "0,0,0,0" },
    { "activeupbuttonrect", "132,133,134,135", "0,0,0,0" },
    { "downupbuttonrect", "133,134,135,136", "0,0,0,0" },
    { "downbuttonrect", "134,135,136,137", "0,0,0,0" },
    { "activedownbuttonrect", "135,136,137,138", "0,0,0,0" },
    { "downdownbuttonrect", "136,137,138,139", "0,0,0,0" },
};
const KeyCases ListBoxKeys {
    { "itemrect", "137,138,139,140", "0,0,0,0" },
    { "activeitemrect", "138,139,140,141", "0,0,0,0" },
    { "focusitemrect", "139,140,141,142", "0,0,0,0" },
    { "itemleftoffset", "240", "0" },
    { "itemrightoffset", "241", "0" },
    { "itemtextrect", "142,143,144,145", "0,0,0,0" },
    { "fontname", "name143", "Arial", "" },
    { "fontheight", "244", "14", "0" },
    { "fontstyle", "fsitalic,fsunderline", "" },
    { "fontcolor", "9568402", "0" },
    { "activefontcolor", "9633939", "0" },
    { "focusfontcolor", "9699476", "0" },
    { "captionrect", "149,150,151,152", "0,0,0,0" },
    { "captionfontname", "name150", "Arial", "" },
    { "captionfontheight", "251", "14", "0" },
    { "captionfontstyle", "fsbold,fsstrikeout", "" },
    { "captionfontcolor", "10027161", "0" },
    { "upbuttonrect", "154,155,156,157", "0,0,0,0" },
    { "activeupbuttonrect", "155,156,157,158", "0,0,0,0" },
    { "downupbuttonrect", "156,157,158,159", "0,0,0,0" },
    { "downbuttonrect", "157,158,159,160", "0,0,0,0" },
    { "activedownbuttonrect", "158,159,160,161", "0,0,0,0" },
    { "downdownbuttonrect", "159,160,161,162", "0,0,0,0" },
    { "checkbuttonrect", "160,161,162,163", "0,0,0,0" },
    { "activecheckbuttonrect", "161,162,163,164", "0,0,0,0" },
    { "downcheckbuttonrect", "162,163,164,165", "0,0,0,0" },
    { "vscrollbarname", "name163", "vscrollbar", "" },
    { "hscrollbarname", "name164", "hscrollbar", "" },
    { "bothhscrollbarname", "name165", "bothhscrollbar", "" },
};
const KeyCases CheckListBoxKeys {
    { "checkimagerect", "166,167,168,169", "0,0,0,0" },
    { "itemcheckrect", "167,168,169,170", "0,0,0,0" },
    { "uncheckimagerect", "168,169,170,171", "0,0,0,0" },
};
const KeyCases ComboBoxKeys {
    { "itemrect", "169,170,171,172", "0,0,0,0" },
    { "focusitemrect", "170,171,172,173", "0,0,0,0" },
    { "itemleftoffset", "271", "0" },
    { "itemrightoffset", "272", "0" },
    { "itemtextrect", "173,174,175,176", "0,0,0,0" },
    { "fontname", "name174", "Arial", "" },
    { "fontheight", "275", "14", "0" },
    { "fontstyle", "fsbold,fsstrikeout", "" },
    { "fontcolor", "11600049", "0" },
    { "focusfontcolor", "11665586", "0" },
    { "listboxname", "name179", "" },
    { "buttonrect", "180,181,182,183", "0,0,0,0" },
    { "activebuttonrect", "181,182,183,184", "0,0,0,0" },
    { "downbuttonrect", "182,183,184,185", "0,0,0,0" },
    { "unenabledbuttonrect", "183,184,185,186", "0,0,0,0" },
};
const KeyCases ScrollBarControlKeys {
    { "trackarea", "184,185,186,187", "0,0,0,0" },
    { "upbuttonrect", "185,186,187,188", "0,0,0,0" },
    { "activeupbuttonrect", "186,187,188,189", "0,0,0,0" },
    { "downupbuttonrect", "187,188,189,190", "0,0,0,0" },
    { "downbuttonrect", "188,189,190,191", "0,0,0,0" },
    { "activedownbuttonrect", "189,190,191,192", "0,0,0,0" },
    { "downdownbuttonrect", "190,191,192,193", "0,0,0,0" },
    { "thumbrect", "191,192,193,194", "0,0,0,0" },
    { "activethumbrect", "192,193,194,195", "0,0,0,0" },
    { "downthumbrect", "193,194,195,196", "0,0,0,0" },
    { "thumboffset1", "294", "0" },
    { "thumboffset2", "295", "0" },
    { "glyphrect", "196,197,198,199", "0,0,0,0" },
    { "activeglyphrect", "197,198,199,200", "0,0,0,0" },
    { "downglyphrect", "198,199,200,201", "0,0,0,0" },
};
const KeyCases ScrollBoxControlKeys {
    { "bgpictureindex", "299", "-1", "0" },
};
const KeyCases ControlBarKeys {
    { "itemrect", "200,201,202,203", "0,0,0,0" },
    { "bgpictureindex", "301", "-1", "0" },
};
const KeyCases MainMenuBarKeys {
    { "itemsrect", "202,203,204,205", "0,0,0,0" },
    { "menubaritem", "name203", "" },
    { "closebutton", "name204", "" },
    { "minbutton", "name205", "" },
    { "maxbutton", "name206", "" },
    { "sysmenubutton", "name207", "" },
    { "trackmarkcolor", "13631696", "0" },
    { "trackmarkactivecolor", "13697233", "0" },
};
const KeyCases TabControlKeys {
    { "tabrect", "210,211,212,213", "0,0,0,0" },
    { "activetabrect", "211,212,213,214", "0,0,0,0" },
    { "focustabrect", "212,213,214,215", "0,0,0,0" },
    { "mouseintabrect", "213,214,215,216", "0,0,0,0" },
    { "clientrect", "214,215,216,217", "0,0,0,0" },
    { "bgpictureindex", "315", "-1", "0" },
    { "lefttoppoint", "216,217", "0,0" },
    { "righttoppoint", "217,218", "0,0" },
    { "leftbottompoint", "218,219", "0,0" },
    { "rightbottompoint", "219,220", "0,0" },
    { "tableftoffset", "320", "0" },
    { "tabrightoffset", "321", "0" },
    { "tabsbgrect", "222,223,224,225", "0,0,0,0" },
    { "fontname", "name223", "Arial", "" },
    { "fontheight", "324", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "14811362", "0" },
    { "activefontcolor", "14876899", "0" },
    { "focusfontcolor", "14942436", "0" },
    { "mouseinfontcolor", "15007973", "0" },
    { "updown", "name230", "" },
};
const KeyCases GridControlKeys {
    { "fixedcellrect", "231,232,233,234", "0,0,0,0" },
    { "selectcellrect", "232,233,234,235", "0,0,0,0" },
    { "focuscellrect", "233,234,235,236", "0,0,0,0" },
    { "fixedcellleftoffset", "334", "0" },
    { "fixedcellrightoffset", "335", "0" },
    { "fixedcelltextrect", "236,237,238,239", "0,0,0,0" },
    { "cellleftoffset", "337", "0" },
    { "cellrightoffset", "338", "0" },
    { "celltextrect", "239,240,241,242", "0,0,0,0" },
    { "linescolor", "15728880", "0" },
    { "bgcolor", "15794417", "0" },
    { "bgpictureindex", "342", "-1", "0" },
    { "fontname", "name243", "Arial", "" },
    { "fontheight", "344", "14", "0" },
    { "fontstyle", "fsbold,fsstrikeout", "" },
    { "fontcolor", "16122102", "0" },
    { "selectfontcolor", "16187639", "0" },
    { "focusfontcolor", "16253176", "0" },
    { "fixedfontname", "name249", "Arial", "" },
    { "fixedfontheight", "350", "14", "0" },
    { "fixedfontstyle", "fsbold,fsstrikeout", "" },
    { "fixedfontcolor", "16515324", "0" },
};
const KeyCases TreeViewKeys {
    { "fontname", "name253", "Arial", "" },
    { "fontheight", "354", "14", "0" },
    { "fontstyle", "fsbold", "" },
    { "fontcolor", "16777472", "0" },
    { "bgcolor", "16843009", "0", "16777215" },
};
const KeyCases ListViewKeys {
    { "fontname", "name258", "Arial", "" },
    { "fontheight", "359", "14", "0" },
    { "fontstyle", "fsbold,fsstrikeout", "" },
    { "fontcolor", "17105157", "0" },
    { "bgcolor", "17170694", "0", "16777215" },
};
const KeyCases RichEditKeys {
    { "fontname", "name263", "Arial", "" },
    { "fontheight", "364", "14", "0" },
    { "fontstyle", "fsitalic,fsunderline", "" },
    { "fontcolor", "17432842", "0" },
    { "bgcolor", "17498379", "0", "16777215" },
};
const KeyCases SliderKeys {
    { "bgcolor", "17563916", "0" },
    { "hrulerrect", "269,270,271,272", "0,0,0,0" },
    { "hthumbrect", "270,271,272,273", "0,0,0,0" },
    { "vrulerrect", "271,272,273,274", "0,0,0,0" },
    { "vthumbrect", "272,273,274,275", "0,0,0,0" },
    { "edgesize", "373", "0" },
    { "pointscolor", "17957138", "0" },
};
const KeyCases BevelKeys {
    { "lightcolor", "18022675", "0" },
    { "darkcolor", "18088212", "0" },
};
const KeyCases FrameRegulatorKeys {
    { "kind", "rkhorizontal", "rkround" },
};
struct ControlCase {
    char const* Type;
    KeyCases Keys;
};

std::vector<ControlCase> AllControlClasses()
{
    return {
        { "button", Join({ ControlKeys, CustomControlKeys, ButtonControlKeys }) },
        { "menubutton", Join({ ControlKeys, CustomControlKeys, ButtonControlKeys, MenuButtonControlKeys }) },
        { "checkradio", Join({ ControlKeys, CustomControlKeys, CheckRadioControlKeys }) },
        { "panel", Join({ ControlKeys, CustomControlKeys, PanelControlKeys }) },
        { "expanel", Join({ ControlKeys, CustomControlKeys, ExPanelControlKeys }) },
        { "label", Join({ ControlKeys, CustomControlKeys, LabelControlKeys }) },
        { "bitlabel", Join({ ControlKeys, CustomControlKeys, BitLabelControlKeys }) },
        { "stdlabel", Join({ ControlKeys, StdLabelControlKeys }) },
        { "gauge", Join({ ControlKeys, CustomControlKeys, GaugeControlKeys }) },
        { "trackbar", Join({ ControlKeys, CustomControlKeys, TrackBarControlKeys }) },
        { "splitter", Join({ ControlKeys, CustomControlKeys }) },
        { "updown", Join({ ControlKeys, CustomControlKeys, UpDownControlKeys }) },
        { "edit", Join({ ControlKeys, CustomControlKeys, EditControlKeys }) },
        { "memo", Join({ ControlKeys, CustomControlKeys, EditControlKeys, MemoControlKeys }) },
        { "spinedit", Join({ ControlKeys, CustomControlKeys, SpinEditControlKeys }) },
        { "listbox", Join({ ControlKeys, CustomControlKeys, ListBoxKeys }) },
        { "checklistbox", Join({ ControlKeys, CustomControlKeys, ListBoxKeys, CheckListBoxKeys }) },
        { "combobox", Join({ ControlKeys, CustomControlKeys, ComboBoxKeys }) },
        { "scrollbar", Join({ ControlKeys, CustomControlKeys, ScrollBarControlKeys }) },
        { "scrollbox", Join({ ControlKeys, CustomControlKeys, ScrollBoxControlKeys }) },
        { "controlbar", Join({ ControlKeys, CustomControlKeys, ControlBarKeys }) },
        { "mainmenubar", Join({ ControlKeys, MainMenuBarKeys }) },
        { "tab", Join({ ControlKeys, TabControlKeys }) },
        { "grid", Join({ ControlKeys, GridControlKeys }) },
        { "treeview", Join({ ControlKeys, TreeViewKeys }) },
        { "listview", Join({ ControlKeys, ListViewKeys }) },
        { "richedit", Join({ ControlKeys, RichEditKeys }) },
        { "slider", Join({ ControlKeys, SliderKeys }) },
        { "bevel", Join({ ControlKeys, BevelKeys }) },
        { "framegauge", Join({ ControlKeys, FrameControlKeys }) },
        { "frameregulator", Join({ ControlKeys, FrameControlKeys, FrameRegulatorKeys }) },
        { "animate", Join({ ControlKeys, FrameControlKeys }) },
        { "switch", Join({ ControlKeys, FrameControlKeys }) },
    };
}

// An up-down look drops the corner points and client rectangle its base reads.
std::map<std::string, std::string> Adjusted(std::string const& type)
{
    if (type != "updown")
        return {};
    return { { "lefttoppoint", "0,0" }, { "righttoppoint", "0,0" }, { "leftbottompoint", "0,0" },
        { "rightbottompoint", "0,0" }, { "clientrect", "0,0,0,0" } };
}

} // namespace

TEST(SkinControls, EveryClassReadsAndWritesItsKeysInOrder)
{
    for (ControlCase const& c : AllControlClasses()) {
        SCOPED_TRACE(c.Type);
        auto control = CreateSkinControl(c.Type, "look");
        ASSERT_TRUE(control);
        control->LoadFromIni(FixtureOf("look", c.Keys));

        TMemIniFile out;
        out.WriteString("look", "stale", "gone after saving");
        control->SaveToIni(out);
        ExpectWritten(out, "look", c.Keys, &KeyCase::Value, Adjusted(c.Type));

        // Saving and loading again gives an equal object.
        auto again = CreateSkinControl(c.Type, "look");
        again->LoadFromIni(out);
        TMemIniFile out2;
        again->SaveToIni(out2);
        EXPECT_EQ(out2.Text(), out.Text());
    }
}

TEST(SkinControls, MissingSectionGivesEveryLoadDefault)
{
    for (ControlCase const& c : AllControlClasses()) {
        SCOPED_TRACE(c.Type);
        auto control = CreateSkinControl(c.Type, "absent");
        control->LoadFromIni(TMemIniFile("[other]\nfontname=x\n"));
        TMemIniFile out;
        control->SaveToIni(out);
        ExpectWritten(out, "absent", c.Keys, &KeyCase::AtLoad);
    }
}

TEST(SkinControls, NewObjectsHoldTheirConstructionValues)
{
    for (ControlCase const& c : AllControlClasses()) {
        SCOPED_TRACE(c.Type);
        TMemIniFile out;
        CreateSkinControl(c.Type, "new")->SaveToIni(out);
        ExpectWritten(out, "new", c.Keys, &KeyCase::WhenNew);
    }
}

TEST(SkinControls, TypeNamesSelectClassesExactly)
{
    auto is = [](char const* type, auto* probe) {
        auto control = CreateSkinControl(type, "x");
        return control && dynamic_cast<std::remove_pointer_t<decltype(probe)>*>(control.get()) != nullptr;
    };
    EXPECT_TRUE(is("button", (TspDataSkinButtonControl*)nullptr));
    EXPECT_FALSE(is("button", (TspDataSkinMenuButtonControl*)nullptr));
    EXPECT_TRUE(is("menubutton", (TspDataSkinButtonControl*)nullptr));
    EXPECT_TRUE(is("memo", (TspDataSkinEditControl*)nullptr));
    EXPECT_TRUE(is("checklistbox", (TspDataSkinListBox*)nullptr));
    EXPECT_TRUE(is("splitter", (TspDataSkinSplitterControl*)nullptr));
    EXPECT_TRUE(is("splitter", (TspDataSkinCustomControl*)nullptr));
    EXPECT_FALSE(is("stdlabel", (TspDataSkinCustomControl*)nullptr));
    EXPECT_FALSE(is("tab", (TspDataSkinCustomControl*)nullptr));
    EXPECT_FALSE(is("mainmenubar", (TspDataSkinCustomControl*)nullptr));
    for (char const* frame : { "framegauge", "frameregulator", "animate", "switch" })
        EXPECT_TRUE(is(frame, (TspDataSkinFrameControl*)nullptr)) << frame;
    EXPECT_TRUE(is("switch", (TspDataSkinSwitchControl*)nullptr));
    EXPECT_TRUE(is("animate", (TspDataSkinAnimateControl*)nullptr));
    EXPECT_TRUE(is("bitlabel", (TspDataSkinBitLabelControl*)nullptr));

    EXPECT_EQ(CreateSkinControl("Button", "x"), nullptr);
    EXPECT_EQ(CreateSkinControl("", "x"), nullptr);
    EXPECT_EQ(CreateSkinControl("userobject", "x"), nullptr);
    EXPECT_EQ(CreateSkinControl("scrollbar", "vscrollbar")->IDName, "vscrollbar");
}

TEST(SkinControls, LoadingAdjustsFrameCountsAndUpDowns)
{
    TMemIniFile f("[zero]\nframescount=0\n[negative]\nframescount=-3\n[five]\nframescount=5\n"
                  "[ud]\nclientrect=1,1,5,5\nlefttoppoint=2,2\nupbuttonrect=1,2,3,4\n"
                  "[label]\nfontcolor=255\n[list]\n[combo]\n[grid]\n");
    for (auto [section, frames] : { std::pair { "zero", 1 }, { "negative", 1 }, { "five", 5 } }) {
        TspDataSkinFrameGauge g(section);
        g.LoadFromIni(f);
        EXPECT_EQ(g.FramesCount, frames) << section;
        TspDataSkinFrameRegulator r(section);
        r.LoadFromIni(f);
        EXPECT_EQ(r.FramesCount, frames) << section;
    }
    TspDataSkinUpDownControl ud("ud");
    ud.LoadFromIni(f);
    EXPECT_EQ(ud.ClientRect, TRect());
    EXPECT_EQ(ud.LTPoint, TPoint());
    EXPECT_EQ(ud.UpButtonRect, (TRect { 1, 2, 3, 4 }));

    TspDataSkinStdLabelControl label("label");
    EXPECT_EQ(label.ActiveFontColor, 0u);
    label.LoadFromIni(f);
    EXPECT_EQ(label.ActiveFontColor, 16711680u);
    EXPECT_EQ(label.FontColor, 255u);
    TspDataSkinListBox list("list");
    list.LoadFromIni(f);
    EXPECT_EQ(list.VScrollBarName, "vscrollbar");
    TspDataSkinComboBox combo("combo");
    combo.LoadFromIni(f);
    EXPECT_EQ(combo.ListBoxName, "");
    TspDataSkinGridControl grid("grid");
    grid.LoadFromIni(f);
    EXPECT_EQ(grid.FixedFontName, "Arial");

    TspDataSkinTreeView tree("tree");
    EXPECT_EQ(tree.BGColor, 16777215u);
    EXPECT_EQ(tree.PictureIndex, -1);
    tree.LoadFromIni(f);
    EXPECT_EQ(tree.BGColor, 0u);
}
