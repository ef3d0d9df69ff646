#include "skin/data/SkinData.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/toolkit/Persistence.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinPackage.h"
#include "tests/platform/toolkit/HeadlessFixture.h"
#include "tests/skin/data/KeyCases.h"
#include "tests/skin/data/TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace xe::skin;
using namespace xe::test;
using xe::tk::TComponent;
using xe::tk::TComponentPtr;

namespace {

// Records every skin message; the components listed as forms receive them.
class TRecordingMessenger : public TSkinFormMessenger {
public:
    struct Sent {
        TComponent* Form;
        unsigned Msg;
        TspSkinData* Data;
        intptr_t Param;
    };
    TRecordingMessenger() { FPrevious = SetSkinFormMessenger(this); }
    ~TRecordingMessenger() override { SetSkinFormMessenger(FPrevious); }
    bool IsForm(TComponent* c) override
    {
        return std::find(FormList.begin(), FormList.end(), c) != FormList.end();
    }
    std::vector<TComponent*> Forms() override { return FormList; }
    void SendSkinMessage(TComponent* form, unsigned msg, TspSkinData* data, intptr_t param) override
    {
        Log.push_back({ form, msg, data, param });
    }
    std::vector<unsigned> Messages() const
    {
        std::vector<unsigned> out;
        for (Sent const& s : Log)
            out.push_back(s.Msg);
        return out;
    }

    std::vector<TComponent*> FormList;
    std::vector<Sent> Log;

private:
    TSkinFormMessenger* FPrevious;
};

// A package with every slot empty (version 2 unless asked) and the given description.
std::string EmptyPackage(std::string const& text, int32_t version = 2)
{
    std::string p = Int32Bytes(version);
    p += std::string(PackageSlots(version).size(), '\x01');
    p += Int32Bytes(0);
    return p + text;
}

char const* const FrameText
    = "[VERSION]\r\nskinname=Test\r\nskinauthor=Me\r\n"
      "[PICTURES]\r\npicture=main.bmp\r\nmask=mask.bmp\r\n"
      "activepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n"
      "[FORMINFO]\r\nlefttoppoint=10,29\r\nrighttoppoint=141,29\r\n"
      "leftbottompoint=5,119\r\nrightbottompoint=146,119\r\nclientrect=3,29,149,122\r\n"
      "maskrectarea=3,4,149,122\r\ncaptionrect=5,4,147,26\r\nbuttonsrect=0,0,0,0\r\n"
      "borderwidth=3\r\nbuttonsoffset=2\r\nmdibgpictureindex=5\r\n"
      "autorenderinginactiveimage=1\r\ninactiveeffect=iebrightness\r\n"
      "hittestlefttoppoint=0,50\r\n";

TComponentPtr<TspSkinData> LoadText(std::string const& text)
{
    TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    data->LoadFromPackage(EmptyPackage(text));
    return data;
}

} // namespace

static_assert(SkinMsg_BeforeChange == 1225 && SkinMsg_Change == 1226 && SkinMsg_AfterChange == 1227
    && SkinMsg_ResStrChange == 1274 && SkinMsgParam == 1000);

TEST(SkinData, ConstructionState)
{
    TspSkinData data(nullptr);
    EXPECT_TRUE(data.Empty());
    EXPECT_TRUE(data.Picture().Empty());
    EXPECT_TRUE(data.Mask().Empty());
    EXPECT_EQ(data.BGPictureIndex, -1);
    EXPECT_EQ(data.MDIBGPictureIndex, -1);
    EXPECT_EQ(data.FormCursorIndex, -1);
    EXPECT_EQ(data.StartCursorIndex, 1);
    EXPECT_FALSE(data.MainMenuPopupUp);
    EXPECT_EQ(data.HintWindow.FontHeight, 12);
    EXPECT_EQ(data.PopupWindow.WindowPictureIndex, -1);
    EXPECT_EQ(data.IndexOfObject("caption"), -1);
}

TEST(SkinData, AllEmptyPackageLayout)
{
    std::string text = "[VERSION]\r\nskinname=Plain\r\n";
    std::string package = EmptyPackage(text);
    EXPECT_EQ(package.size(), 4 + 5 + 4 + text.size());
    auto data = LoadText(text);
    EXPECT_FALSE(data->Empty());
    EXPECT_EQ(data->SkinName, "Plain");
    EXPECT_TRUE(data->Picture().Empty());
    EXPECT_TRUE(data->ActivePictures.empty());
    EXPECT_TRUE(data->ObjectList.empty());

    TSkinPackageInfo info = InspectSkinPackage(package);
    ASSERT_EQ(info.Items.size(), 6u);
    EXPECT_EQ(info.Items[4].Name, "rollupmask");
    EXPECT_EQ(info.Items[4].Offset, 8u);
    EXPECT_FALSE(info.Items[4].Present);
    EXPECT_EQ(info.Items[5].Offset, 13u);
    EXPECT_EQ(info.Description, text);

    // An empty text is a valid package: it just has no sections.
    auto bare = LoadText("");
    EXPECT_FALSE(bare->Empty());
    EXPECT_EQ(bare->SkinName, "");
}

TEST(SkinData, PackageLayoutOfEveryVersion)
{
    // Each slot gets its own size, so a slot read from the wrong place shows.
    struct SlotImage {
        TSkinSlot Slot;
        int W, H, Depth;
    };
    const SlotImage images[] = { { slPicture, 7, 5, 8 }, { slInActivePicture, 6, 3, 24 }, { slMask, 7, 5, 1 },
        { slRollUpPicture, 9, 2, 8 }, { slRollUpMask, 9, 2, 1 } };
    for (int32_t version = 0; version <= 3; ++version) {
        SCOPED_TRACE(version);
        std::string package = Int32Bytes(version);
        for (SlotImage const& img : images)
            if (PackageHasSlot(version, img.Slot))
                package += '\0' + MakeBmp(img.W, img.H, img.Depth);
        package += Int32Bytes(2) + MakeBmp(3, 4, 24) + MakeBmp(11, 1, 8);
        package += "[VERSION]\r\nskinname=v" + std::to_string(version) + "\r\n";

        TspSkinData data(nullptr);
        data.LoadFromPackage(package);
        ASSERT_FALSE(data.Empty());
        auto check = [&](xe::gfx::TBitmap& b, TSkinSlot slot) {
            const SlotImage& img = images[slot];
            if (PackageHasSlot(version, slot)) {
                EXPECT_EQ(b.Width(), img.W) << SlotKeyName(slot);
                EXPECT_EQ(b.Height(), img.H) << SlotKeyName(slot);
                EXPECT_EQ(b.BitDepth(), img.Depth) << SlotKeyName(slot);
            } else {
                EXPECT_TRUE(b.Empty()) << SlotKeyName(slot);
            }
        };
        check(data.Picture(), slPicture);
        check(data.InActivePicture(), slInActivePicture);
        check(data.Mask(), slMask);
        check(data.RollUpPicture(), slRollUpPicture);
        check(data.RollUpMask(), slRollUpMask);
        ASSERT_EQ(data.ActivePictures.size(), 2u);
        EXPECT_EQ(data.ActivePictures[0]->Width(), 3);
        EXPECT_EQ(data.ActivePictures[1]->Width(), 11);
        EXPECT_EQ(data.SkinName, std::string("v").append(std::to_string(version)));

        TSkinPackageInfo info = InspectSkinPackage(package);
        EXPECT_EQ(info.Items.size(), PackageSlots(version).size() + 3);
        EXPECT_EQ(info.Items.back().Offset + info.Items.back().Length, package.size());
    }
}

TEST(SkinData, UnknownVersionLeavesTheContainerEmpty)
{
    TRecordingMessenger messenger;
    TComponent form(nullptr);
    messenger.FormList = { &form };
    TspSkinData data(&form);
    data.LoadFromPackage(EmptyPackage("[VERSION]\r\nskinname=old\r\n"));
    ASSERT_FALSE(data.Empty());
    messenger.Log.clear();

    data.LoadFromPackage(Int32Bytes(4) + std::string(20, '\x01'));
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(messenger.Messages(), (std::vector<unsigned> { SkinMsg_BeforeChange }));
    // A negative version reads like version 0 (the picture and mask slots only).
    data.LoadFromPackage(EmptyPackage("[VERSION]\r\nskinname=neg\r\n", -1));
    EXPECT_EQ(data.SkinName, "neg");
}

TEST(SkinData, MalformedPackagesRaiseAndNeverReadPastTheEnd)
{
    std::string good = Int32Bytes(2) + '\0' + MakeBmp(7, 5, 8) + std::string(4, '\x01') + Int32Bytes(1)
        + MakeBmp(3, 3, 24) + "[VERSION]\r\nskinname=x\r\n";
    size_t textStart = good.find("[VERSION]");
    // Cut anywhere before the text: an error, and the container stays empty.
    for (size_t cut = 0; cut < textStart; cut += (cut < 80 ? 1 : 7)) {
        TspSkinData data(nullptr);
        EXPECT_ANY_THROW(data.LoadFromPackage(std::string_view(good).substr(0, cut))) << cut;
        EXPECT_TRUE(data.Empty()) << cut;
    }
    // A slot flag followed by a short image; a count larger than what follows.
    std::string shortImage = Int32Bytes(0) + '\0' + MakeBmp(7, 5, 8).substr(0, 60);
    std::string manyActive = EmptyPackage("").substr(0, 9) + Int32Bytes(1000000) + MakeBmp(2, 2, 24);
    std::string hugeImage = Int32Bytes(0) + '\0' + "BM" + Int32Bytes(0x7FFFFFF0) + std::string(60, '\0');
    for (std::string const& bad : { shortImage, manyActive, hugeImage }) {
        TspSkinData data(nullptr);
        EXPECT_ANY_THROW(data.LoadFromPackage(bad));
        EXPECT_TRUE(data.Empty());
    }
    TspSkinData data(nullptr);
    EXPECT_ANY_THROW(data.LoadFromPackage(manyActive));
    EXPECT_EQ(data.ActivePictures.size(), 2u) << "what was read before the error stays";
}

TEST(SkinData, FormInfoValuesAndMaskFixUps)
{
    auto data = LoadText(FrameText);
    EXPECT_EQ(data->SkinAuthor, "Me");
    EXPECT_EQ(data->PictureName, "main.bmp");
    EXPECT_EQ(data->MaskName, "mask.bmp");
    EXPECT_EQ(data->ActivePictureNames, (std::vector<std::string> { "a.bmp", "b.bmp" }));
    EXPECT_EQ(data->LTPoint, (TPoint { 10, 29 }));
    EXPECT_EQ(data->RTPoint, (TPoint { 141, 29 }));
    EXPECT_EQ(data->LBPoint, (TPoint { 5, 119 }));
    EXPECT_EQ(data->RBPoint, (TPoint { 146, 119 }));
    EXPECT_EQ(data->ClientRect, (TRect { 3, 29, 149, 122 }));
    EXPECT_EQ(data->MaskRectArea, (TRect { 3, 4, 149, 122 }));
    EXPECT_EQ(data->CaptionRect, (TRect { 5, 4, 147, 26 }));
    EXPECT_EQ(data->BorderWidth, 3);
    EXPECT_EQ(data->ButtonsOffset, 2);
    EXPECT_EQ(data->BGPictureIndex, -1);
    EXPECT_EQ(data->MDIBGPictureIndex, 5);
    EXPECT_TRUE(data->AutoRenderingInActiveImage);
    EXPECT_EQ(data->InActiveEffect, ieBrightness);
    // With a mask name, a null hit-test point takes its corner point.
    EXPECT_EQ(data->HitTestLTPoint, (TPoint { 10, 29 }));
    EXPECT_EQ(data->HitTestRBPoint, (TPoint { 146, 119 }));

    std::string noMask = FrameText;
    noMask.replace(noMask.find("mask=mask.bmp"), 13, "mask=");
    auto plain = LoadText(noMask);
    EXPECT_EQ(plain->HitTestLTPoint, (TPoint { 0, 50 }));
    EXPECT_EQ(plain->HitTestRBPoint, (TPoint { 0, 0 }));

    auto nullMask = LoadText("[PICTURES]\r\nmask=m.bmp\r\n[FORMINFO]\r\nclientrect=3,29,149,122\r\n");
    EXPECT_EQ(nullMask->MaskRectArea, (TRect { 3, 29, 149, 122 }));
    auto widened = LoadText("[PICTURES]\r\nmask=m.bmp\r\n[FORMINFO]\r\nclientrect=3,29,149,122\r\n"
                            "maskrectarea=10,10,100,200\r\n");
    EXPECT_EQ(widened->MaskRectArea, (TRect { 3, 10, 149, 200 }));
    auto ignored = LoadText("[FORMINFO]\r\nclientrect=3,29,149,122\r\nmaskrectarea=10,10,100,200\r\n");
    EXPECT_EQ(ignored->MaskRectArea, (TRect { 10, 10, 100, 200 }));
}

TEST(SkinData, CornerClamping)
{
    auto clamped
        = LoadText("[FORMINFO]\r\nlefttoppoint=1,1\r\nrighttoppoint=200,1\r\n"
                   "leftbottompoint=1,300\r\nrightbottompoint=200,300\r\nclientrect=3,29,149,122\r\n");
    EXPECT_EQ(clamped->LTPoint, (TPoint { 3, 29 }));
    EXPECT_EQ(clamped->RTPoint, (TPoint { 149, 29 }));
    EXPECT_EQ(clamped->LBPoint, (TPoint { 3, 122 }));
    EXPECT_EQ(clamped->RBPoint, (TPoint { 149, 122 }));

    // A bottom-right point sharing an x or a y with the top-left one: left alone.
    for (char const* rb : { "1,300", "200,1" }) {
        auto kept = LoadText(std::string("[FORMINFO]\r\nlefttoppoint=1,1\r\nrightbottompoint=") + rb
            + "\r\nclientrect=3,29,149,122\r\n");
        EXPECT_EQ(kept->LTPoint, (TPoint { 1, 1 })) << rb;
    }
    auto none = LoadText("[VERSION]\r\n");
    EXPECT_EQ(none->LTPoint, (TPoint { 0, 0 }));
}

TEST(SkinData, PopupAndHintWindowSections)
{
    auto data = LoadText("[POPUPWINDOW]\r\nwindowpictureindex=2\r\nmaskpictureindex=3\r\nlefttoppoint=4,5\r\n"
                         "itemsrect=1,2,3,4\r\nscrollmarkercolor=255\r\ntopstretch=1\r\n"
                         "[HINTWINDOW]\r\nwindowpictureindex=1\r\nfontname=Tahoma\r\nfontstyle=fsitalic\r\n"
                         "clientrect=5,5,20,20\r\nleftstretch=1\r\n");
    EXPECT_EQ(data->PopupWindow.WindowPictureIndex, 2);
    EXPECT_EQ(data->PopupWindow.MaskPictureIndex, 3);
    EXPECT_EQ(data->PopupWindow.LTPoint, (TPoint { 4, 5 }));
    EXPECT_EQ(data->PopupWindow.ItemsRect, (TRect { 1, 2, 3, 4 }));
    EXPECT_EQ(data->PopupWindow.ScrollMarkerColor, 255u);
    EXPECT_TRUE(data->PopupWindow.TopStretch);
    EXPECT_EQ(data->PopupWindow.CursorIndex, -1);
    EXPECT_EQ(data->HintWindow.WindowPictureIndex, 1);
    EXPECT_EQ(data->HintWindow.FontName, "Tahoma");
    EXPECT_EQ(data->HintWindow.FontHeight, 14);
    EXPECT_EQ(data->HintWindow.FontStyle, fsItalic);
    EXPECT_TRUE(data->HintWindow.LeftStretch);

    // ClearObjects resets only the window picture indexes of both.
    data->ClearObjects();
    EXPECT_EQ(data->PopupWindow.WindowPictureIndex, -1);
    EXPECT_EQ(data->HintWindow.WindowPictureIndex, -1);
    EXPECT_EQ(data->PopupWindow.MaskPictureIndex, 3);
    EXPECT_EQ(data->HintWindow.FontName, "Tahoma");
}

TEST(SkinData, ListsAndLookups)
{
    auto data = LoadText("[SKINAREAS]\r\ncount=3\r\n0=top:1,2,3,4\r\n1=nocolon\r\n2=top:5,6,7,8\r\n"
                         "[SKINOBJECTS]\r\ncount=6\r\n0=caption:caption\r\n1=nocolon\r\n2=odd:window\r\n"
                         "3=closebutton:stdbutton\r\n4=caption:label\r\n5=Big:Caption\r\n"
                         "[caption]\r\nfontheight=16\r\n[closebutton]\r\ncommand=cmclose\r\n"
                         "[SKINCONTROLS]\r\ncount=4\r\n0=button:button\r\n1=mystery:gadget\r\n"
                         "2=vscrollbar:scrollbar\r\n3=button:panel\r\n");
    ASSERT_EQ(data->AreaList.size(), 3u);
    EXPECT_EQ(data->AreaList[0].AreaRect, (TRect { 1, 2, 3, 4 }));
    EXPECT_EQ(data->AreaList[1].IDName, "");
    EXPECT_EQ(data->AreaList[1].AreaRect, TRect());
    EXPECT_EQ(data->IndexOfArea("top"), 0);

    ASSERT_EQ(data->ObjectList.size(), 3u);
    EXPECT_EQ(data->IndexOfObject("caption"), 0); // duplicates: the first wins
    EXPECT_EQ(data->IndexOfObject("closebutton"), 1);
    EXPECT_EQ(data->IndexOfObject("Caption"), -1);
    EXPECT_EQ(data->IndexOfObject("odd"), -1);
    auto* caption = dynamic_cast<TspDataSkinCaption*>(data->ObjectList[0].get());
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->FontHeight, 16);
    auto* close = dynamic_cast<TspDataSkinStdButton*>(data->ObjectList[1].get());
    ASSERT_TRUE(close);
    EXPECT_EQ(close->Command, cmClose);

    ASSERT_EQ(data->CtrlList.size(), 3u);
    EXPECT_EQ(data->IndexOfControl("button"), 0);
    EXPECT_EQ(data->IndexOfControl("vscrollbar"), 1);
    EXPECT_TRUE(dynamic_cast<TspDataSkinScrollBarControl*>(data->CtrlList[1].get()));
    EXPECT_EQ(data->IndexOfControl("mystery"), -1);
}

TEST(SkinData, AbsurdCountsCostNothing)
{
    auto data = LoadText("[SKINAREAS]\r\ncount=-5\r\n[SKINOBJECTS]\r\ncount=2147483647\r\n"
                         "0=caption:caption\r\n999999=menuitem:menuitem\r\n"
                         "[SKINCONTROLS]\r\ncount=2000000000\r\n[PICTURES]\r\nactivepicturescount=-1\r\n");
    EXPECT_FALSE(data->Empty());
    EXPECT_TRUE(data->AreaList.empty());
    ASSERT_EQ(data->ObjectList.size(), 2u);
    EXPECT_EQ(data->ObjectList[1]->IDName, "menuitem");
    EXPECT_TRUE(data->CtrlList.empty());
    EXPECT_TRUE(data->ActivePictureNames.empty());
}

TEST(SkinData, ABadRectangleEndsTheLoad)
{
    TRecordingMessenger messenger;
    TComponent form(nullptr);
    messenger.FormList = { &form };
    TspSkinData data(&form);
    std::string text = "[SKINOBJECTS]\r\ncount=2\r\n0=caption:caption\r\n1=closebutton:stdbutton\r\n"
                       "[closebutton]\r\nskinrect=1,2,3\r\n";
    try {
        data.LoadFromPackage(EmptyPackage(text));
        ADD_FAILURE() << "no error";
    } catch (xe::base::EConvertError const& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(data.ObjectList.size(), 2u);
    EXPECT_EQ(messenger.Messages(), (std::vector<unsigned> { SkinMsg_BeforeChange }));
}

TEST(SkinData, ChangeMessagesGoToTheOwnerFormFirst)
{
    TRecordingMessenger messenger;
    TComponent formA(nullptr), owner(nullptr), formB(nullptr);
    messenger.FormList = { &formA, &owner, &formB };
    auto* data = new TspSkinData(&owner);
    data->LoadFromPackage(EmptyPackage("[VERSION]\r\n"));

    std::vector<std::pair<TComponent*, unsigned>> expected;
    for (unsigned msg : { SkinMsg_BeforeChange, SkinMsg_Change, SkinMsg_AfterChange })
        for (TComponent* f : { &owner, &formA, &formB })
            expected.push_back({ f, msg });
    ASSERT_EQ(messenger.Log.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messenger.Log[i].Form, expected[i].first) << i;
        EXPECT_EQ(messenger.Log[i].Msg, expected[i].second) << i;
        EXPECT_EQ(messenger.Log[i].Data, data);
        EXPECT_EQ(messenger.Log[i].Param, 1000);
    }

    // An owner that is not a form gets nothing of its own; ResStrChange goes out even
    // for a null value.
    messenger.Log.clear();
    TComponent notAForm(nullptr);
    TspSkinData other(&notAForm);
    other.SetResourceStrData(nullptr);
    ASSERT_EQ(messenger.Log.size(), 3u);
    EXPECT_EQ(messenger.Log[0].Form, &formA);
    EXPECT_EQ(messenger.Log[0].Msg, SkinMsg_ResStrChange);

    messenger.Log.clear();
    other.SetDesigning(true);
    other.SetResourceStrData(nullptr);
    EXPECT_TRUE(messenger.Log.empty());
}

TEST(SkinData, RemovedComponentsAreForgotten)
{
    TComponent form(nullptr);
    auto* data = new TspSkinData(&form);
    auto* stored = new TspCompressedStoredSkin(&form);
    auto* strings = new TspResourceStrData(nullptr);
    data->SetCompressedStoredSkin(stored); // empty: nothing is loaded
    data->SetResourceStrData(strings);
    EXPECT_TRUE(data->Empty());
    EXPECT_EQ(data->CompressedStoredSkin(), stored);
    TComponent::Free(stored);
    EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
    TComponent::Free(strings); // another owner: heard through the free notification
    EXPECT_EQ(data->ResourceStrData(), nullptr);
}

TEST(SkinData, ClearAllEmptiesPicturesAndNamesButKeepsFormInfo)
{
    auto data = LoadText(FrameText);
    data->ClearAll();
    EXPECT_TRUE(data->Empty());
    EXPECT_TRUE(data->MaskName.empty());
    EXPECT_TRUE(data->ActivePictureNames.empty());
    EXPECT_EQ(data->BorderWidth, 3);
}

namespace {

struct TSkinMessageLog {
    void const* Form;
    unsigned Msg;
    uintptr_t WParam;
    intptr_t LParam;
};
std::vector<TSkinMessageLog>* gSkinLog = nullptr;

class TListeningForm : public xe::tk::TForm {
public:
    using TForm::TForm;
    void WndProc(xe::tk::TMessage& message) override
    {
        if (gSkinLog && message.Msg >= SkinMsg_BeforeChange && message.Msg <= SkinMsg_ResStrChange)
            gSkinLog->push_back({ this, message.Msg, message.WParam, message.LParam });
        TForm::WndProc(message);
    }
};

struct SkinDataForms : xe::test::HeadlessTest {
    void SetUp() override
    {
        HeadlessTest::SetUp();
        gSkinLog = &Log;
    }
    void TearDown() override
    {
        gSkinLog = nullptr;
        HeadlessTest::TearDown();
    }
    std::vector<TSkinMessageLog> Log;
};

} // namespace

TEST_F(SkinDataForms, MessagesReachTheWindowsOfEveryForm)
{
    auto* main = App->CreateForm<TListeningForm>();
    auto* dialog = App->CreateForm<TListeningForm>();
    auto* third = App->CreateForm<TListeningForm>();
    auto* data = new TspSkinData(dialog);
    data->LoadFromPackage(EmptyPackage("[VERSION]\r\n"));
    std::vector<void const*> order;
    for (int round = 0; round < 3; ++round)
        for (void const* f : { (void const*)dialog, (void const*)main, (void const*)third })
            order.push_back(f);
    ASSERT_EQ(Log.size(), order.size());
    for (size_t i = 0; i < Log.size(); ++i) {
        EXPECT_EQ(Log[i].Form, order[i]) << i;
        EXPECT_EQ(Log[i].Msg, SkinMsg_BeforeChange + unsigned(i / 3));
        EXPECT_EQ(Log[i].WParam, uintptr_t(data));
        EXPECT_EQ(Log[i].LParam, 1000);
    }
}

namespace {

// Every key of the frame sections with a value that differs from its defaults. The
// FORMINFO values keep the corners inside the client rectangle and name no mask, so
// the load-time adjustments leave them as they are.
const KeyCases VersionKeys {
    { "skinname", "Night", "" },
    { "skinauthor", "Me", "" },
    { "authoremail", "me@example.org", "" },
    { "authorurl", "http://example.org", "" },
    { "skincomments", "dark", "" },
};

const KeyCases PicturesKeys {
    { "picture", "frame.bmp", "" },
    { "mask", "mask.bmp", "" }, // the fix-ups find nothing to change
    { "rolluppicture", "rollup.bmp", "" },
    { "rollupmask", "rollupmask.bmp", "" },
    { "activepicturescount", "2", "0" },
    { "0", "a.bmp", "-" },
    { "1", "b.bmp", "-" },
};

const KeyCases FormInfoKeys {
    { "lefttoppoint", "10,30", "0,0" },
    { "righttoppoint", "141,31", "0,0" },
    { "leftbottompoint", "5,119", "0,0" },
    { "rightbottompoint", "146,118", "0,0" },
    { "clientrect", "3,29,149,122", "0,0,0,0" },
    { "bgpictureindex", "2", "-1" },
    { "mdibgpictureindex", "5", "-1" },
    { "leftstretch", "1", "0" },
    { "rightstretch", "1", "0" },
    { "topstretch", "1", "0" },
    { "bottomstretch", "1", "0" },
    { "buttonsrect", "100,4,140,20", "0,0,0,0" },
    { "captionrect", "5,4,147,26", "0,0,0,0" },
    { "buttonsoffset", "2", "0" },
    { "buttonsinleft", "1", "0" },
    { "maskrectarea", "3,4,149,122", "0,0,0,0" },
    { "hittestlefttoppoint", "6,7", "0,0" },
    { "hittestrighttoppoint", "8,9", "0,0" },
    { "hittestleftbottompoint", "11,12", "0,0" },
    { "hittestrightbottompoint", "13,14", "0,0" },
    { "rollupleftpoint", "15,16", "0,0" },
    { "rolluprightpoint", "17,18", "0,0" },
    { "mainmenurect", "19,20,21,22", "0,0,0,0" },
    { "iconrect", "23,24,25,26", "0,0,0,0" },
    { "mainmenupopupup", "1", "0" },
    { "borderwidth", "3", "0" },
    { "cursorindex", "4", "-1" },
    { "autorenderinginactiveimage", "1", "0" },
    { "inactiveeffect", "ieinvert", "iebrightness" },
};

const KeyCases PopupWindowKeys {
    { "windowpictureindex", "2", "-1" },
    { "maskpictureindex", "3", "-1" },
    { "lefttoppoint", "6,7", "0,0" },
    { "righttoppoint", "59,8", "0,0" },
    { "leftbottompoint", "9,109", "0,0" },
    { "rightbottompoint", "58,110", "0,0" },
    { "cursorindex", "1", "-1" },
    { "itemsrect", "3,4,62,112", "0,0,0,0" },
    { "scrollmarkercolor", "14737632", "0" },
    { "scrollmarkeractivecolor", "16777215", "0" },
    { "leftstretch", "1", "0" },
    { "rightstretch", "1", "0" },
    { "topstretch", "1", "0" },
    { "bottomstretch", "1", "0" },
};

const KeyCases HintWindowKeys {
    { "windowpictureindex", "3", "-1" },
    { "maskpictureindex", "4", "-1" },
    { "lefttoppoint", "4,5", "0,0" },
    { "righttoppoint", "34,6", "0,0" },
    { "leftbottompoint", "7,12", "0,0" },
    { "rightbottompoint", "33,13", "0,0" },
    { "clientrect", "3,2,35,14", "0,0,0,0" },
    { "fontname", "Tahoma", "Arial" },
    { "fontheight", "13", "14", "12" },
    { "fontstyle", "fsitalic", "" },
    { "fontcolor", "255", "0" },
    { "leftstretch", "1", "0" },
    { "rightstretch", "1", "0" },
    { "topstretch", "1", "0" },
    { "bottomstretch", "1", "0" },
};

std::string Section(std::string const& name, KeyCases const& keys)
{
    std::string text = "[" + name + "]\r\n";
    for (KeyCase const& k : keys)
        text += std::string(k.Name) + "=" + k.Value + "\r\n";
    return text;
}

// The frame sections of a container as its key tables write them.
TMemIniFile FrameSections(TspSkinData const& data)
{
    TMemIniFile out;
    SaveKeys(TspSkinData::VersionKeys(), data, out, "VERSION");
    SaveKeys(TspSkinData::PicturesKeys(), data, out, "PICTURES");
    SaveKeys(TspSkinData::FormInfoKeys(), data, out, "FORMINFO");
    data.PopupWindow.SaveToIni(out, "POPUPWINDOW");
    data.HintWindow.SaveToIni(out, "HINTWINDOW");
    return out;
}

struct FrameSectionCase {
    char const* Name;
    KeyCases const& Keys;
};
const FrameSectionCase FrameSectionCases[] = { { "VERSION", VersionKeys }, { "PICTURES", PicturesKeys },
    { "FORMINFO", FormInfoKeys }, { "POPUPWINDOW", PopupWindowKeys }, { "HINTWINDOW", HintWindowKeys } };

} // namespace

TEST(SkinFrameSections, EveryKeyIsReadIntoItsField)
{
    std::string text;
    for (auto const& c : FrameSectionCases)
        text += Section(c.Name, c.Keys);
    auto data = LoadText(text);
    ASSERT_FALSE(data->Empty());
    TMemIniFile out = FrameSections(*data);
    for (auto const& c : FrameSectionCases) {
        SCOPED_TRACE(c.Name);
        ExpectWritten(out, c.Name, c.Keys, &KeyCase::Value);
    }
    // A few through their fields, so that the tables' fields are the ones callers read.
    EXPECT_EQ(data->FormCursorIndex, 4);
    EXPECT_EQ(data->HitTestRBPoint, (TPoint { 13, 14 }));
    EXPECT_EQ(data->RollUpRightPoint, (TPoint { 17, 18 }));
    EXPECT_EQ(data->InActiveEffect, ieInvert);
    EXPECT_EQ(data->PopupWindow.ScrollMarkerActiveColor, 16777215u);
    EXPECT_EQ(data->HintWindow.RBPoint, (TPoint { 33, 13 }));
}

TEST(SkinFrameSections, ALoadWithoutTheSectionsGivesEveryLoadDefault)
{
    std::string text;
    for (auto const& c : FrameSectionCases)
        text += Section(c.Name, c.Keys);
    TspSkinData data(nullptr);
    data.LoadFromPackage(EmptyPackage(text));
    // The next load reads nothing: each value comes from its key's default, not from
    // what the container held before.
    data.LoadFromPackage(EmptyPackage("[SKINAREAS]\r\ncount=0\r\n"));
    ASSERT_FALSE(data.Empty());
    TMemIniFile out = FrameSections(data);
    for (auto const& c : FrameSectionCases) {
        SCOPED_TRACE(c.Name);
        ExpectWritten(out, c.Name, c.Keys, &KeyCase::AtLoad);
    }
}

TEST(SkinFrameSections, ANewContainerHoldsTheConstructionValues)
{
    TspSkinData data(nullptr);
    TMemIniFile out = FrameSections(data);
    for (auto const& c : FrameSectionCases) {
        SCOPED_TRACE(c.Name);
        ExpectWritten(out, c.Name, c.Keys, &KeyCase::WhenNew);
    }
}

TEST(SkinData, AnEmptyStoredSkinLeavesALoadedContainerAndTheFormsAlone)
{
    TRecordingMessenger messenger;
    TComponent form(nullptr);
    messenger.FormList = { &form };
    TComponentPtr<TspSkinData> data(new TspSkinData(&form));
    data->LoadFromPackage(EmptyPackage(FrameText));
    ASSERT_FALSE(data->Empty());
    messenger.Log.clear();

    TComponentPtr<TspCompressedStoredSkin> empty(new TspCompressedStoredSkin(nullptr));
    ASSERT_TRUE(empty->IsEmpty());
    data->SetCompressedStoredSkin(empty.get());
    data->LoadCompressedStoredSkin(empty.get());
    EXPECT_TRUE(messenger.Log.empty());
    EXPECT_FALSE(data->Empty());
    EXPECT_EQ(data->SkinName, "Test");
    EXPECT_EQ(data->MaskName, "mask.bmp");
    EXPECT_EQ(data->ActivePictureNames.size(), 2u);
}
