#include "platform/ini/MemIniFile.h"

#include <gtest/gtest.h>

using namespace xe::ini;

TEST(MemIniFile, ReadsEveryLineEnding)
{
    TMemIniFile ini("[A]\r\nx=1\ry=2\nz= three \r\n\r\n[B]\nw=4");
    EXPECT_EQ(ini.ReadString("a", "X", ""), "1");
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
    EXPECT_EQ(ini.ReadString("A", "z", ""), "three");
    EXPECT_EQ(ini.ReadInteger("B", "w", 0), 4);
    EXPECT_EQ(ini.Sections(), (std::vector<std::string> { "A", "B" }));
    EXPECT_EQ(ini.SectionKeys("A"), (std::vector<std::string> { "x", "y", "z" }));
}

TEST(MemIniFile, IntegersAreSignAndDigitsOnly)
{
    TMemIniFile ini("[S]\na=-12\nb=+3\nc=0x10\nd=1.5\ne=\nf=99999999999\ng=7 \n");
    EXPECT_EQ(ini.ReadInteger("S", "a", 9), -12);
    EXPECT_EQ(ini.ReadInteger("S", "b", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "c", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "d", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "e", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "f", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "g", 9), 7); // the line is trimmed
    EXPECT_EQ(ini.ReadInteger("S", "missing", 9), 9);
    EXPECT_TRUE(ini.ReadBool("S", "a", false));
    EXPECT_TRUE(ini.ReadBool("S", "d", true));
}

TEST(MemIniFile, WritesKeepOrderAndRoundTrip)
{
    TMemIniFile ini;
    ini.WriteString("FORMINFO", "lefttoppoint", "10,29");
    ini.WriteInteger("FORMINFO", "borderwidth", 3);
    ini.WriteBool("FORMINFO", "stretch", false);
    ini.WriteString("SKINOBJECTS", "count", "12");
    ini.WriteInteger("FORMINFO", "borderwidth", 4);
    EXPECT_EQ(ini.Text(),
        "[FORMINFO]\r\nlefttoppoint=10,29\r\nborderwidth=4\r\nstretch=0\r\n\r\n[SKINOBJECTS]\r\ncount="
        "12\r\n");
    TMemIniFile back(ini.Text());
    EXPECT_EQ(back.Text(), ini.Text());
    back.EraseSection("forminfo");
    EXPECT_FALSE(back.SectionExists("FORMINFO"));
    EXPECT_TRUE(back.SectionExists("skinobjects"));
}

TEST(MemIniFile, LinesOutsideSectionsAndCommentsAreSkipped)
{
    TMemIniFile ini("x=1\n;[S]\n[S]\n;k=2\nk=3\n");
    EXPECT_EQ(ini.Sections(), std::vector<std::string> { "S" });
    EXPECT_EQ(ini.ReadString("S", "k", ""), "3");
}

TEST(MemIniFile, LinesWithoutAnEqualsSignAreNoEntries)
{
    // A stray word in a skin description must neither become a key nor shadow a later one.
    TMemIniFile ini("[FORMINFO]\nstray words here\nclientrect\nclientrect=3,29,149,122\n[S]\nflag\n");
    EXPECT_EQ(ini.ReadString("FORMINFO", "clientrect", "d"), "3,29,149,122");
    EXPECT_EQ(ini.SectionKeys("FORMINFO"), std::vector<std::string> { "clientrect" });
    EXPECT_FALSE(ini.ValueExists("S", "flag"));
    EXPECT_EQ(ini.ReadInteger("S", "flag", 7), 7);
    EXPECT_TRUE(ini.SectionExists("S"));
}
