#include "skin/data/SkinValues.h"
#include "platform/base/Exceptions.h"

#include <gtest/gtest.h>

using namespace xe::skin;
using xe::base::EConvertError;

namespace {

TPoint P(int x, int y) { return { x, y }; }
TRect R(int l, int t, int r, int b) { return { l, t, r, b }; }

} // namespace

TEST(SkinValues, RectangleRuleKeepsOnlyDigitsAndCommas)
{
    EXPECT_EQ(ParseRect("10,20,30,40"), R(10, 20, 30, 40));
    EXPECT_EQ(ParseRect(" 1 , 2 ,3, 4 "), R(1, 2, 3, 4));
    EXPECT_EQ(ParseRect("-5,-6,7,8"), R(5, 6, 7, 8)); // never negative
    EXPECT_EQ(ParseRect("1x2,3;4,5a,6"), R(12, 34, 5, 6));
    EXPECT_EQ(ParseRect("1,2,3,4,5,6"), R(1, 2, 3, 4)); // surplus fields ignored
    EXPECT_EQ(ParsePoint("0,29"), P(0, 29));
    EXPECT_EQ(ParsePoint("-1,5"), P(1, 5));
    EXPECT_EQ(ParsePoint("  7 ,  8  "), P(7, 8));
}

TEST(SkinValues, FieldWithoutDigitsIsAConversionError)
{
    for (char const* bad : { "", "1,2,3", "1,,3,4", "a,b,c,d", "1,2,3,-" }) {
        try {
            ParseRect(bad);
            ADD_FAILURE() << "no error for '" << bad << "'";
        } catch (EConvertError const& e) {
            EXPECT_EQ(e.Message(), "'' is not a valid integer value") << bad;
        }
    }
    EXPECT_THROW(ParsePoint("5"), EConvertError);
    EXPECT_THROW(ParseRect("99999999999,1,2,3"), EConvertError); // beyond 32 bits
}

TEST(SkinValues, MissingKeysGiveTheirDefaultsAndEmptyValuesFail)
{
    TMemIniFile f("[S]\nrect=1,2,3,4\nempty=\nb1=1\nb2=2\nb3=-1\nbx=yes\ncolor=16777215\n");
    EXPECT_EQ(ReadRect(f, "S", "rect"), R(1, 2, 3, 4));
    EXPECT_EQ(ReadRect(f, "S", "missing"), R(0, 0, 0, 0));
    EXPECT_EQ(ReadRect(f, "NOSECTION", "rect"), R(0, 0, 0, 0));
    EXPECT_EQ(ReadPoint(f, "S", "missing"), P(0, 0));
    EXPECT_THROW(ReadRect(f, "S", "empty"), EConvertError);
    EXPECT_THROW(ReadPoint(f, "S", "empty"), EConvertError);

    // A Boolean is true exactly when its integer value is 1.
    EXPECT_TRUE(ReadBoolean(f, "S", "b1"));
    EXPECT_FALSE(ReadBoolean(f, "S", "b2"));
    EXPECT_FALSE(ReadBoolean(f, "S", "b3"));
    EXPECT_FALSE(ReadBoolean(f, "S", "bx"));
    EXPECT_FALSE(ReadBoolean(f, "S", "missing"));

    EXPECT_EQ(ReadColor(f, "S", "color"), 0xFFFFFFu);
    EXPECT_EQ(ReadColor(f, "S", "missing", 5), 5u);
    EXPECT_EQ(ReadInt(f, "S", "bx", -1), -1); // unparsable
    EXPECT_EQ(ReadStr(f, "S", "missing", "Arial"), "Arial");
}

TEST(SkinValues, FontStylesAlignmentAndEnumerations)
{
    TMemIniFile f("[S]\nfs=fsbold,fsitalic\nfs2=fsunderline fsstrikeout\nfs3=\nfs4=FSBOLD\n"
                  "al1=taleftjustify\nal2=tacenter\nal3=TaCenter\nal4=\n"
                  "mk=mkpush\nmk2=mkPush\nie=ieinvert\nie2=nothing\n"
                  "cmd=cmsysmenu\ncmd2=cmminimizetotray\ncmd3=close\n"
                  "gk=gkvertical\ngk2=x\nfp=fphorizontal\nfp2=?\nrk=rkhorizontal\nrk2=rkround \n");
    EXPECT_EQ(ReadFontStyles(f, "S", "fs"), fsBold | fsItalic);
    EXPECT_EQ(ReadFontStyles(f, "S", "fs2"), fsUnderline | fsStrikeOut);
    EXPECT_EQ(ReadFontStyles(f, "S", "fs3"), 0u);
    EXPECT_EQ(ReadFontStyles(f, "S", "fs4"), 0u);
    EXPECT_EQ(ReadFontStyles(f, "S", "missing"), 0u);

    EXPECT_EQ(ReadAlignment(f, "S", "al1"), taLeftJustify);
    EXPECT_EQ(ReadAlignment(f, "S", "al2"), taCenter);
    EXPECT_EQ(ReadAlignment(f, "S", "al3"), taRightJustify); // case differs: right
    EXPECT_EQ(ReadAlignment(f, "S", "al4"), taRightJustify);
    EXPECT_EQ(ReadAlignment(f, "S", "missing"), taCenter);

    EXPECT_EQ(ReadMorphKind(f, "S", "mk"), mkPush);
    EXPECT_EQ(ReadMorphKind(f, "S", "mk2"), mkDefault);
    EXPECT_EQ(ReadMorphKind(f, "S", "missing"), mkDefault);
    EXPECT_EQ(ReadInActiveEffect(f, "S", "ie"), ieInvert);
    EXPECT_EQ(ReadInActiveEffect(f, "S", "ie2"), ieGrayScale);
    EXPECT_EQ(ReadInActiveEffect(f, "S", "missing"), ieBrightness);

    EXPECT_EQ(ReadCommandKind(f, "S", "cmd"), cmSysMenu);
    EXPECT_EQ(ReadCommandKind(f, "S", "cmd2"), cmMinimizeToTray);
    EXPECT_EQ(ReadCommandKind(f, "S", "cmd3"), cmMinimizeToTray);
    EXPECT_EQ(ReadCommandKind(f, "S", "missing"), cmDefault);
    EXPECT_EQ(ReadGaugeKind(f, "S", "gk"), gkVertical);
    EXPECT_EQ(ReadGaugeKind(f, "S", "gk2"), gkVertical);
    EXPECT_EQ(ReadGaugeKind(f, "S", "missing"), gkHorizontal);
    EXPECT_EQ(ReadFramesPlacement(f, "S", "fp"), fpHorizontal);
    EXPECT_EQ(ReadFramesPlacement(f, "S", "fp2"), fpVertical);
    EXPECT_EQ(ReadRegulatorKind(f, "S", "rk"), rkHorizontal);
    EXPECT_EQ(ReadRegulatorKind(f, "S", "rk2"), rkRound); // the reader trims the line
    EXPECT_EQ(ReadRegulatorKind(f, "S", "missing"), rkRound);
}

TEST(SkinValues, StringListsAndTextLines)
{
    TMemIniFile f("[P]\nactivepicturescount=3\n0=a.bmp\n2=c.bmp\n"
                  "[L]\nsymbolslinecount=2\nsymbolsline0=0123\nsymbolsline1=ABCD\n"
                  "[H]\nactivepicturescount=2000000000\n");
    EXPECT_EQ(ReadStrings(f, "P", "activepictures"), (std::vector<std::string> { "a.bmp", "", "c.bmp" }));
    EXPECT_TRUE(ReadStrings(f, "L", "activepictures").empty());
    EXPECT_EQ(ReadTextLines(f, "L", "symbols"), (std::vector<std::string> { "0123", "ABCD" }));
    // An absurd count cannot exhaust memory.
    EXPECT_EQ(ReadStrings(f, "H", "activepictures").size(), size_t(MaxListCount));

    TMemIniFile out;
    WriteStrings(out, "P", "activepictures", { "x", "y" });
    WriteTextLines(out, "L", "symbols", { "row" });
    EXPECT_EQ(out.Text(),
        "[P]\r\nactivepicturescount=2\r\n0=x\r\n1=y\r\n\r\n[L]\r\nsymbolslinecount=1\r\nsymbolsline0="
        "row\r\n");
}

TEST(SkinValues, WrittenFormsReadBack)
{
    TMemIniFile f;
    WriteRect(f, "S", "r", R(1, 2, 3, 4));
    WritePoint(f, "S", "p", P(5, 6));
    WriteFontStyles(f, "S", "fs", fsStrikeOut | fsBold | fsUnderline);
    WriteFontStyles(f, "S", "none", 0);
    WriteAlignment(f, "S", "a", taLeftJustify);
    WriteBoolean(f, "S", "b", true);
    WriteColor(f, "S", "c", 0xFF000010u); // a system colour code
    EXPECT_EQ(f.ReadString("S", "r", ""), "1,2,3,4");
    EXPECT_EQ(f.ReadString("S", "p", ""), "5,6");
    EXPECT_EQ(f.ReadString("S", "fs", ""), "fsbold,fsunderline,fsstrikeout");
    EXPECT_EQ(f.ReadString("S", "none", "x"), "");
    EXPECT_EQ(f.ReadString("S", "a", ""), "taleftjustify");
    EXPECT_EQ(f.ReadString("S", "b", ""), "1");
    EXPECT_EQ(ReadColor(f, "S", "c"), 0xFF000010u);
}

TEST(SkinValues, EntriesSplitAtTheFirstColon)
{
    std::string name, rest;
    SplitEntry("caption:caption", name, rest);
    EXPECT_EQ(name, "caption");
    EXPECT_EQ(rest, "caption");
    SplitEntry("area:1,2,3,4:x", name, rest);
    EXPECT_EQ(name, "area");
    EXPECT_EQ(rest, "1,2,3,4:x");
    SplitEntry("nocolon", name, rest);
    EXPECT_EQ(name, "");
    EXPECT_EQ(rest, "");

    TMemIniFile f("[O]\ncount=1000000000\n0=a\n5=b\n05=c\n-1=d\nx=e\n");
    EXPECT_EQ(PresentIndexKeys(f, "O", 1000000000), (std::vector<int> { 0, 5 }));
    EXPECT_EQ(PresentIndexKeys(f, "O", 5), (std::vector<int> { 0 }));
    EXPECT_TRUE(PresentIndexKeys(f, "O", 0).empty());
}
