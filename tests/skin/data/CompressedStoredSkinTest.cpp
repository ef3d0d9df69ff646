#include "skin/data/CompressedStoredSkin.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/toolkit/Persistence.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "tests/skin/data/TestBitmaps.h"

#include <gtest/gtest.h>

using namespace xe::skin;
using namespace xe::test;
using xe::base::TTempDir;
using xe::base::WriteFileBytes;
using xe::tk::TComponent;

namespace {

char const* const MinimalDescription
    = "[VERSION]\r\nskinname=Minimal\r\n[PICTURES]\r\n[FORMINFO]\r\nborderwidth=4\r\n"
      "[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n";

std::string StoredPackage(TspCompressedStoredSkin const& s)
{
    TMemoryStream m;
    s.DecompressToStream(m);
    return m.Bytes();
}

} // namespace

TEST(CompressedStoredSkin, DecompressesAfreshAndAppendsAtThePosition)
{
    TspCompressedStoredSkin s(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s.SetCompressedData(CompressSkinPackage("package bytes"));
    EXPECT_FALSE(s.IsEmpty());
    TMemoryStream target { std::string("0123456789") };
    target.SetPosition(4);
    s.DecompressToStream(target);
    EXPECT_EQ(target.Bytes(), "0123package bytes");
    EXPECT_EQ(StoredPackage(s), "package bytes");
}

TEST(CompressedStoredSkin, FileNamesAreOnlyStoredAtRunTimeAndWhileLoading)
{
    TTempDir dir;
    WriteFileBytes(dir.File("skin.ini"), MinimalDescription);
    TspCompressedStoredSkin s(nullptr);
    s.SetFileName(dir.File("skin.ini"));
    EXPECT_EQ(s.FileName(), dir.File("skin.ini"));
    EXPECT_TRUE(s.IsEmpty());
    s.SetCompressedFileName(dir.File("skin.skn"));
    EXPECT_EQ(s.CompressedFileName(), dir.File("skin.skn"));

    s.SetDesigning(true);
    s.SetLoading(true);
    s.SetFileName(dir.File("skin.ini"));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CompressedStoredSkin, PackingAtDesignTime)
{
    TTempDir dir;
    WriteFileBytes(dir.File("skin.ini"), std::string(MinimalDescription) + "[extra]\nlast=line");
    TspCompressedStoredSkin s(nullptr);
    s.SetDesigning(true);
    s.SetFileName(dir.File("skin.ini"));
    EXPECT_EQ(s.FileName(), "skin.ini");
    ASSERT_FALSE(s.IsEmpty());
    EXPECT_EQ(uint8_t(s.CompressedData()[1]), 0xDA);
    std::string package = StoredPackage(s);
    EXPECT_EQ(package,
        Int32Bytes(2) + std::string(5, '\x01') + Int32Bytes(0) + MinimalDescription
            + "[extra]\r\nlast=line\r\n");

    TspSkinData data(nullptr);
    data.SetDesigning(true);
    data.SetCompressedStoredSkin(&s);
    EXPECT_TRUE(data.Empty()) << "nothing is loaded at design time";
    data.SetDesigning(false);
    data.SetCompressedStoredSkin(&s);
    EXPECT_FALSE(data.Empty());
    EXPECT_EQ(data.SkinName, "Minimal");
    EXPECT_EQ(data.BorderWidth, 4);

    // A description without the five sections changes nothing.
    std::string before = s.CompressedData();
    WriteFileBytes(dir.File("other.ini"), "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n");
    s.SetFileName(dir.File("other.ini"));
    EXPECT_EQ(s.CompressedData(), before);

    // A picture that cannot be loaded raises and leaves the component empty.
    WriteFileBytes(dir.File("broken.ini"),
        "[VERSION]\r\n[PICTURES]\r\npicture=none.bmp\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n");
    EXPECT_ANY_THROW(s.SetFileName(dir.File("broken.ini")));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CompressedStoredSkin, PackingWritesPicturesInTheirSlots)
{
    TTempDir dir;
    WriteFileBytes(dir.File("main.bmp"), MakeBmp(12, 10, 8));
    WriteFileBytes(dir.File("mask.bmp"), MakeBmp(12, 10, 1));
    WriteFileBytes(dir.File("a0.bmp"), MakeBmp(5, 6, 24));
    WriteFileBytes(dir.File("a1.bmp"), MakeBmp(7, 3, 8));
    WriteFileBytes(dir.File("skin.ini"),
        "[VERSION]\r\n[PICTURES]\r\npicture=main.bmp\r\nmask=mask.bmp\r\nactivepicturescount=2\r\n"
        "0=a0.bmp\r\n1=a1.bmp\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n");
    std::string package;
    ASSERT_TRUE(BuildSkinPackage(dir.File("skin.ini"), package));
    TSkinPackageInfo info = InspectSkinPackage(package);
    EXPECT_EQ(info.Version, 2);
    ASSERT_EQ(info.Items.size(), 8u);
    EXPECT_TRUE(info.Items[0].Present);
    EXPECT_EQ(info.Items[0].BitDepth, 8);
    EXPECT_FALSE(info.Items[1].Present);
    EXPECT_EQ(info.Items[1].Length, 1u);
    EXPECT_EQ(info.Items[2].BitDepth, 1);
    EXPECT_FALSE(info.Items[3].Present);
    EXPECT_FALSE(info.Items[4].Present);
    EXPECT_EQ(info.Items[5].Width, 5);
    EXPECT_EQ(info.Items[5].BitDepth, 24);
    EXPECT_EQ(info.Items[6].Height, 3);
    EXPECT_EQ(info.Description.substr(0, 11), "[VERSION]\r\n");
}

TEST(CompressedStoredSkin, ImportingACompressedSkinFile)
{
    TTempDir dir;
    std::string compressed = CompressSkinPackage("payload");
    WriteFileBytes(dir.File("good.skn"), MakeCompressedSkinFile(compressed, 3));
    WriteFileBytes(dir.File("future.skn"), MakeCompressedSkinFile(compressed, 4));
    TspCompressedStoredSkin s(nullptr);
    s.SetDesigning(true);
    s.SetCompressedFileName(dir.File("good.skn"));
    EXPECT_EQ(s.CompressedFileName(), "good.skn");
    EXPECT_EQ(s.CompressedData(), compressed);
    s.SetCompressedFileName(dir.File("future.skn"));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CompressedStoredSkin, FormStreamingRoundTripsTheBytes)
{
    RegisterSkinDataClasses();
    TComponent root(nullptr);
    root.SetName("Form1");
    auto* stored = new TspCompressedStoredSkin(&root);
    stored->SetName("spCompressedStoredSkin1");
    stored->SetFileName("skin.ini");
    stored->SetCompressedData(CompressSkinPackage(Int32Bytes(2) + std::string(5, '\x01') + Int32Bytes(0)
        + "[VERSION]\r\nskinname=Streamed\r\n" + std::string(5000, ';')));
    auto* data = new TspSkinData(&root);
    data->SetName("spSkinData1");
    data->SetCompressedStoredSkin(stored);
    std::string text = xe::tk::WriteComponentText(&root);
    EXPECT_NE(text.find("CompressedData = {"), std::string::npos) << text;
    EXPECT_NE(text.find("CompressedStoredSkin = spCompressedStoredSkin1"), std::string::npos) << text;

    TComponent copy(nullptr);
    xe::tk::ReadComponentText(&copy, text, "test");
    auto* stored2 = dynamic_cast<TspCompressedStoredSkin*>(copy.FindComponent("spCompressedStoredSkin1"));
    auto* data2 = dynamic_cast<TspSkinData*>(copy.FindComponent("spSkinData1"));
    ASSERT_TRUE(stored2 && data2);
    EXPECT_EQ(stored2->CompressedData(), stored->CompressedData());
    EXPECT_EQ(stored2->FileName(), "skin.ini");
    EXPECT_EQ(data2->CompressedStoredSkin(), stored2);
    EXPECT_FALSE(data2->Empty()) << "the skin is loaded while the form is read";
    EXPECT_EQ(data2->SkinName, "Streamed");
    EXPECT_EQ(xe::tk::WriteComponentText(&copy), text);
}

TEST(ResourceStrData, BuiltInTableAndLookups)
{
    TspResourceStrData r(nullptr);
    ASSERT_EQ(r.ResStrings().size(), 73u);
    EXPECT_EQ(r.ResStrings().front(), "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(r.ResStrings().back().substr(0, 14), "FLV_FREESPACE=");
    EXPECT_EQ(r.CharSet(), 1);
    EXPECT_EQ(r.GetResStr("MI_CLOSECAPTION"), "&Close");
    EXPECT_EQ(r.GetResStr("MENUBUTTON_HINT"), "System menu");
    EXPECT_EQ(r.GetResStr("FLV_LOOKIN"), "Look in: ");
    EXPECT_EQ(r.GetResStr("NO_SUCH_NAME"), "");
    EXPECT_EQ(r.GetResStr("MI_CLOSE"), ""); // a prefix is not a name

    std::vector<std::string> table { "MINBUTTON_HINT=Klein", "FORMULA=a=b+c", "MINBUTTON_HINT=second" };
    r.SetResStrings(table);
    table[0] = "changed";
    EXPECT_EQ(r.GetResStr("MINBUTTON_HINT"), "Klein") << "the lines are copied";
    EXPECT_EQ(r.GetResStr("FORMULA"), "a=b+c");
    EXPECT_EQ(r.GetResStr("MAXBUTTON_HINT"), "") << "no fall-back once a table is assigned";
}

TEST(ResourceStrData, TableTravelsWithTheForm)
{
    RegisterSkinDataClasses();
    TComponent root(nullptr);
    root.SetName("Form1");
    auto* r = new TspResourceStrData(&root);
    r->SetName("spResourceStrData1");
    std::string plain = xe::tk::WriteComponentText(&root);
    EXPECT_EQ(plain.find("ResStrings"), std::string::npos) << "the built-in table is not written";
    r->SetResStrings({ "MI_CLOSECAPTION=&Schliessen", "CLOSEBUTTON_HINT=Schliessen" });
    r->SetCharSet(0);
    std::string text = xe::tk::WriteComponentText(&root);
    TComponent copy(nullptr);
    xe::tk::ReadComponentText(&copy, text, "test");
    auto* r2 = dynamic_cast<TspResourceStrData*>(copy.FindComponent("spResourceStrData1"));
    ASSERT_TRUE(r2);
    EXPECT_EQ(r2->ResStrings(), r->ResStrings());
    EXPECT_EQ(r2->CharSet(), 0);
}
