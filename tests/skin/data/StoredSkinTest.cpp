#include "platform/base/Files.h"
#include "platform/toolkit/Persistence.h"
#include "platform/toolkit/Resources.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "tools/skinart/SkinArt.h"
#include "tools/skintool/SkinTool.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace xe::skin;
using xe::base::ReadFileBytes;
using xe::tk::TComponentPtr;

namespace {

const std::string SkinDir = std::string(XE_SOURCE_DIR) + "/resources/skin/";

// The dialog's stored skin, loaded the way the dialog loads it.
class StoredSkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        Stored.reset(new TspCompressedStoredSkin(nullptr));
        Stored->SetCompressedData(ReadFileBytes(SkinDir + "skin.skn"));
        Data.reset(new TspSkinData(nullptr));
        Data->SetCompressedStoredSkin(Stored.get());
        ASSERT_FALSE(Data->Empty());
    }
    template <class T> T& Object(char const* name)
    {
        int i = Data->IndexOfObject(name);
        EXPECT_GE(i, 0) << name;
        auto* o = dynamic_cast<T*>(Data->ObjectList.at(size_t(i)).get());
        EXPECT_TRUE(o) << name;
        return *o;
    }

    TComponentPtr<TspCompressedStoredSkin> Stored;
    TComponentPtr<TspSkinData> Data;
};

} // namespace

TEST_F(StoredSkin, PicturesAndLists)
{
    EXPECT_EQ(uint8_t(Stored->CompressedData()[0]), 0x78);
    EXPECT_EQ(uint8_t(Stored->CompressedData()[1]), 0xDA);
    EXPECT_EQ(Data->Picture().Width(), 152);
    EXPECT_EQ(Data->Picture().Height(), 125);
    EXPECT_EQ(Data->Picture().BitDepth(), 8);
    EXPECT_EQ(Data->Mask().Width(), 152);
    EXPECT_EQ(Data->Mask().Height(), 125);
    EXPECT_EQ(Data->Mask().BitDepth(), 1);
    EXPECT_TRUE(Data->InActivePicture().Empty());
    EXPECT_TRUE(Data->RollUpPicture().Empty());
    EXPECT_TRUE(Data->RollUpMask().Empty());

    int const sizes[6][3]
        = { { 84, 221, 8 }, { 65, 59, 24 }, { 65, 115, 8 }, { 38, 16, 8 }, { 516, 314, 8 }, { 138, 86, 8 } };
    ASSERT_EQ(Data->ActivePictures.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(Data->ActivePictures[i]->Width(), sizes[i][0]) << i;
        EXPECT_EQ(Data->ActivePictures[i]->Height(), sizes[i][1]) << i;
        EXPECT_EQ(Data->ActivePictures[i]->BitDepth(), sizes[i][2]) << i;
    }
    EXPECT_EQ(Data->ActivePictureNames.size(), 6u);

    EXPECT_TRUE(Data->AreaList.empty());
    ASSERT_EQ(Data->ObjectList.size(), 12u);
    char const* objects[] = { "menuitem", "caption", "closebutton", "minimizebutton", "maximizebutton",
        "rollupbutton", "mainmenubaritem", "sysmenubutton", "menubarsysmenubutton", "menubarclosebutton",
        "menubarmaxbutton", "menubarminbutton" };
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Data->IndexOfObject(objects[i]), i);
    ASSERT_EQ(Data->CtrlList.size(), 59u);
    EXPECT_EQ(Data->IndexOfControl("button"), 0);
    EXPECT_EQ(Data->IndexOfControl("vscrollbar"), 16);
    EXPECT_EQ(Data->IndexOfControl("mainmenubar"), 32);
    EXPECT_EQ(Data->IndexOfControl("toolbuttonedit"), 58);
    EXPECT_TRUE(dynamic_cast<TspDataSkinExPanelControl*>(Data->CtrlList[48].get()));
}

TEST_F(StoredSkin, FrameGeometry)
{
    EXPECT_EQ(Data->LTPoint, (TPoint { 10, 29 }));
    EXPECT_EQ(Data->RTPoint, (TPoint { 141, 29 }));
    EXPECT_EQ(Data->LBPoint, (TPoint { 5, 119 }));
    EXPECT_EQ(Data->RBPoint, (TPoint { 146, 119 }));
    EXPECT_EQ(Data->ClientRect, (TRect { 3, 29, 149, 122 }));
    EXPECT_EQ(Data->MaskRectArea, (TRect { 3, 4, 149, 122 }));
    EXPECT_EQ(Data->CaptionRect, (TRect { 5, 4, 147, 26 }));
    EXPECT_EQ(Data->ButtonsRect, TRect());
    EXPECT_EQ(Data->BorderWidth, 3);
    EXPECT_EQ(Data->ButtonsOffset, 2);
    EXPECT_EQ(Data->BGPictureIndex, -1);
    EXPECT_EQ(Data->MDIBGPictureIndex, 5);
    EXPECT_FALSE(Data->LeftStretch || Data->RightStretch || Data->TopStretch || Data->BottomStretch);
    EXPECT_TRUE(Data->AutoRenderingInActiveImage);
    EXPECT_EQ(Data->InActiveEffect, ieBrightness);
    EXPECT_EQ(Data->MaskName, "framemask.bmp");
    EXPECT_EQ(Data->HitTestLTPoint, Data->LTPoint);
}

TEST_F(StoredSkin, CaptionAndButtons)
{
    auto& close = Object<TspDataSkinStdButton>("closebutton");
    EXPECT_EQ(close.Hint, "Close");
    EXPECT_EQ(close.ActivePictureIndex, 0);
    EXPECT_TRUE(close.SkinRectInAPicture);
    EXPECT_EQ(close.SkinRect, (TRect { 0, 0, 21, 21 }));
    EXPECT_EQ(close.ActiveSkinRect, (TRect { 42, 0, 63, 21 }));
    EXPECT_EQ(close.DownRect, (TRect { 21, 0, 42, 21 }));
    EXPECT_TRUE(close.Morphing);
    EXPECT_EQ(close.Command, cmClose);
    EXPECT_EQ(close.GroupIndex, -1);

    auto& caption = Object<TspDataSkinCaption>("caption");
    EXPECT_EQ(caption.SkinRect, (TRect { 5, 4, 147, 27 }));
    EXPECT_TRUE(IsRectEmpty(caption.ActiveSkinRect));
    EXPECT_EQ(caption.TextRect, (TRect { 2, 1, 140, 22 }));
    EXPECT_EQ(caption.FontName, "Arial");
    EXPECT_EQ(caption.FontHeight, 16);
    EXPECT_EQ(caption.FontStyle, fsBold);
    EXPECT_EQ(caption.FontColor, 16777215u);
    EXPECT_EQ(caption.ActiveFontColor, 16777215u);
    EXPECT_EQ(caption.Alignment, taLeftJustify);
    EXPECT_TRUE(caption.Shadow);
    EXPECT_EQ(caption.ShadowColor, 0u);

    Object<TspDataSkinMenuItem>("menuitem");
    Object<TspDataSkinMainMenuBarItem>("mainmenubaritem");
    EXPECT_EQ(Object<TspDataSkinStdButton>("sysmenubutton").Command, cmSysMenu);
    EXPECT_EQ(Object<TspDataSkinMainMenuBarButton>("menubarminbutton").Command, cmMinimize);
}

TEST_F(StoredSkin, ControlLooks)
{
    int i = Data->IndexOfControl("button");
    ASSERT_EQ(i, 0);
    auto* button = dynamic_cast<TspDataSkinButtonControl*>(Data->CtrlList[size_t(i)].get());
    ASSERT_TRUE(button);
    EXPECT_EQ(button->PictureIndex, 4);
    EXPECT_EQ(button->MaskPictureIndex, -1);
    EXPECT_EQ(button->CursorIndex, -1); // no key
    EXPECT_EQ(button->SkinRect, (TRect { 0, 0, 24, 24 }));
    EXPECT_EQ(button->LTPoint, (TPoint { 4, 8 }));
    EXPECT_EQ(button->RTPoint, (TPoint { 18, 9 }));
    EXPECT_EQ(button->LBPoint, TPoint());
    EXPECT_EQ(button->RBPoint, TPoint());
    EXPECT_EQ(button->ClientRect, (TRect { 2, 2, 22, 22 }));
    EXPECT_EQ(button->FontName, "Arial");
    EXPECT_EQ(button->FontHeight, 14);
    EXPECT_EQ(button->DisabledFontColor, 8421504u);
    EXPECT_EQ(button->ActiveSkinRect, (TRect { 48, 0, 72, 24 }));
    EXPECT_EQ(button->DownSkinRect, (TRect { 24, 0, 48, 24 }));
    EXPECT_EQ(button->DisabledSkinRect, (TRect { 111, 83, 135, 107 }));
    EXPECT_FALSE(button->Morphing);

    auto* bar = dynamic_cast<TspDataSkinMainMenuBar*>(
        Data->CtrlList.at(size_t(Data->IndexOfControl("mainmenubar"))).get());
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->MenuBarItem, "mainmenubaritem");
    EXPECT_EQ(bar->CloseButton, "menubarclosebutton");
    EXPECT_EQ(bar->MinButton, "menubarminbutton");
    EXPECT_EQ(bar->MaxButton, "menubarmaxbutton");
    EXPECT_EQ(bar->SysMenuButton, "menubarsysmenubutton");
    for (std::string const& name :
        { bar->MenuBarItem, bar->CloseButton, bar->MinButton, bar->MaxButton, bar->SysMenuButton })
        EXPECT_GE(Data->IndexOfObject(name), 0) << name;

    EXPECT_TRUE(dynamic_cast<TspDataSkinScrollBarControl*>(Data->CtrlList[16].get()));
    EXPECT_EQ(Data->CtrlList[16]->IDName, "vscrollbar");
    EXPECT_TRUE(dynamic_cast<TspDataSkinEditControl*>(Data->CtrlList[58].get()));
    EXPECT_EQ(Data->CtrlList[58]->IDName, "toolbuttonedit");
}

TEST_F(StoredSkin, EveryStoredKeyIsReadAndWrittenBackAsItStands)
{
    // The skin's author wrote the keys independently of the classes: every key of a
    // look's or object's section must be one its class reads, and saving the loaded
    // object must give the same value back.
    TMemoryStream m;
    Stored->DecompressToStream(m);
    TMemIniFile f(InspectSkinPackage(m.Bytes()).Description);
    auto check = [&](std::string const& section, TMemIniFile const& out) {
        for (std::string const& key : f.SectionKeys(section))
            EXPECT_EQ(out.ReadString(section, key, "<not written>"), f.ReadString(section, key, ""))
                << section << "." << key;
    };
    ASSERT_EQ(Data->CtrlList.size(), 59u);
    for (auto const& control : Data->CtrlList) {
        TMemIniFile out;
        control->SaveToIni(out);
        check(control->IDName, out);
    }
    for (auto const& object : Data->ObjectList) {
        TMemIniFile out;
        object->SaveToIni(out);
        check(object->IDName, out);
    }
    TMemIniFile windows;
    Data->PopupWindow.SaveToIni(windows, "POPUPWINDOW");
    Data->HintWindow.SaveToIni(windows, "HINTWINDOW");
    check("POPUPWINDOW", windows);
    check("HINTWINDOW", windows);
}

TEST(StoredSkinSources, CommittedFilesAreWhatTheSourcesMake)
{
    for (auto& picture : DrawSkinPictures())
        EXPECT_TRUE(ReadFileBytes(SkinDir + picture.FileName) == picture.Bitmap.SaveToBytes())
            << picture.FileName
            << " differs from what the generator draws (run xe_skinartgen resources/skin)";
    std::string package;
    ASSERT_TRUE(BuildSkinPackage(SkinDir + "skin.ini", package));
    EXPECT_TRUE(DecompressSkinPackage(ReadFileBytes(SkinDir + "skin.skn")) == package)
        << "resources/skin/skin.skn is stale (build the target xe_skin_package)";
}

TEST(SkinTool, PacksImportsAndLists)
{
    xe::base::TTempDir dir;
    std::ostringstream out, err;
    ASSERT_EQ(RunSkinTool({ "pack", SkinDir + "skin.ini", dir.File("dialog.skn") }, out, err), 0)
        << err.str();
    ASSERT_EQ(RunSkinTool({ "import", dir.File("dialog.skn"), dir.File("raw.z") }, out, err), 0) << err.str();
    std::string raw = ReadFileBytes(dir.File("raw.z"));
    EXPECT_EQ(DecompressSkinPackage(raw), DecompressSkinPackage(ReadFileBytes(SkinDir + "skin.skn")));

    for (char const* file : { "dialog.skn", "raw.z" }) {
        std::ostringstream listing;
        ASSERT_EQ(RunSkinTool({ "list", dir.File(file) }, listing, err), 0) << err.str();
        EXPECT_NE(listing.str().find("version 2"), std::string::npos) << listing.str();
        EXPECT_NE(listing.str().find("516 x 314, 8-bit"), std::string::npos) << listing.str();
        EXPECT_NE(
            listing.str().find("6 active pictures, 0 areas, 12 objects, 59 controls"), std::string::npos)
            << listing.str();
    }

    std::ostringstream quiet;
    EXPECT_EQ(RunSkinTool({}, quiet, quiet), 2);
    EXPECT_EQ(RunSkinTool({ "pack", "only-one" }, quiet, quiet), 2);
    EXPECT_EQ(RunSkinTool({ "list", dir.File("missing.skn") }, quiet, quiet), 1);
    xe::base::WriteFileBytes(dir.File("notaskin.ini"), "[VERSION]\n");
    EXPECT_EQ(RunSkinTool({ "pack", dir.File("notaskin.ini"), dir.File("x.skn") }, quiet, quiet), 1);
    EXPECT_FALSE(xe::base::FileExists(dir.File("x.skn")));
}

TEST(StoredSkinForm, TheDialogsFormCarriesThePackedSkinAsAResource)
{
    // The dialog's stored form names the packed skin, which the build embeds as
    // "skin/skin.skn"; reading the form loads the skin.
    RegisterSkinDataClasses();
    xe::tk::RegisterResourceCopy("skin/skin.skn", ReadFileBytes(SkinDir + "skin.skn"));
    const std::string form = "object Frm_MessageT: TComponent\n"
                             "  object spCompressedStoredSkin1: TspCompressedStoredSkin\n"
                             "    FileName = 'skin.ini'\n"
                             "    CompressedFileName = 'skin.ini'\n"
                             "    CompressedData = resource 'skin/skin.skn'\n"
                             "  end\n"
                             "  object spSkinData1: TspSkinData\n"
                             "    CompressedStoredSkin = spCompressedStoredSkin1\n"
                             "  end\n"
                             "end\n";
    xe::tk::TComponent root(nullptr);
    xe::tk::ReadComponentText(&root, form, "Frm_MessageT");
    auto* data = dynamic_cast<TspSkinData*>(root.FindComponent("spSkinData1"));
    ASSERT_TRUE(data);
    EXPECT_FALSE(data->Empty());
    EXPECT_EQ(data->ObjectList.size(), 12u);
    auto* stored = dynamic_cast<TspCompressedStoredSkin*>(root.FindComponent("spCompressedStoredSkin1"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->FileName(), "skin.ini");
    // Written back, the unchanged data is the same resource reference.
    EXPECT_EQ(xe::tk::WriteComponentText(&root), form);
}
