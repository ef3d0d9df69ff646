#include "skin/data/SkinData.h"

#include "platform/base/Strings.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinPackage.h"

#include <algorithm>
#include <utility>

namespace xe::skin {

using namespace xe::base;
using xe::gfx::TBitmap;
using xe::tk::TComponent;
using xe::tk::TOperation;

namespace {

// The application's forms, in the screen's list order; a form owns its window from
// construction, so every form can be sent to.
class TScreenFormMessenger : public TSkinFormMessenger {
public:
    bool IsForm(TComponent* component) override { return dynamic_cast<xe::tk::TForm*>(component) != nullptr; }
    std::vector<TComponent*> Forms() override
    {
        std::vector<TComponent*> out;
        if (xe::tk::Screen)
            for (int i = 0; i < xe::tk::Screen->FormCount(); ++i)
                out.push_back(xe::tk::Screen->Forms(i));
        return out;
    }
    void SendSkinMessage(TComponent* form, unsigned msg, TspSkinData* skinData, intptr_t param) override
    {
        auto* f = dynamic_cast<xe::tk::TForm*>(form);
        if (f && f->Handle())
            xe::win::SendMessage(f->Handle(), msg, xe::win::WPARAM(skinData), xe::win::LPARAM(param));
    }
};

TScreenFormMessenger GScreenMessenger;
TSkinFormMessenger* GMessenger = &GScreenMessenger;

bool IsNullRect(TRect const& r) { return r.Width() <= 0 || r.Height() <= 0; }
bool IsNullPoint(TPoint p) { return p.X == 0 || p.Y == 0; }

template <class List> int IndexOfName(List const& list, std::string_view name)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]->IDName == name)
            return int(i);
    return -1;
}

} // namespace

TSkinFormMessenger* SetSkinFormMessenger(TSkinFormMessenger* messenger)
{
    return std::exchange(GMessenger, messenger);
}

TSkinFormMessenger* SkinFormMessenger() { return GMessenger; }

// Columns: key, kind, field, value when the key is missing, value of a new container.

TKeyTable<TspSkinData> const& TspSkinData::VersionKeys()
{
    using C = TspSkinData;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("skinname",     kString, &C::SkinName,     "", ""),
        Key("skinauthor",   kString, &C::SkinAuthor,   "", ""),
        Key("authoremail",  kString, &C::AuthorEmail,  "", ""),
        Key("authorurl",    kString, &C::AuthorURL,    "", ""),
        Key("skincomments", kString, &C::SkinComments, "", ""),
    };
    // clang-format on
    return keys;
}

// The inactive picture's name is read only by the packer.
TKeyTable<TspSkinData> const& TspSkinData::PicturesKeys()
{
    using C = TspSkinData;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("picture",        kString,  &C::PictureName,        "", ""),
        Key("mask",           kString,  &C::MaskName,           "", ""),
        Key("rolluppicture",  kString,  &C::RollUpPictureName,  "", ""),
        Key("rollupmask",     kString,  &C::RollUpMaskName,     "", ""),
        Key("activepictures", kStrings, &C::ActivePictureNames, {}, {}),
    };
    // clang-format on
    return keys;
}

// The mask fix-ups run between rolluprightpoint and mainmenurect (ReadFormInfo).
TKeyTable<TspSkinData> const& TspSkinData::FormInfoKeys()
{
    using C = TspSkinData;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("lefttoppoint",               kPoint,          &C::LTPoint,                    {},           {}),
        Key("righttoppoint",              kPoint,          &C::RTPoint,                    {},           {}),
        Key("leftbottompoint",            kPoint,          &C::LBPoint,                    {},           {}),
        Key("rightbottompoint",           kPoint,          &C::RBPoint,                    {},           {}),
        Key("clientrect",                 kRect,           &C::ClientRect,                 {},           {}),
        Key("bgpictureindex",             kInteger,        &C::BGPictureIndex,             -1,           -1),
        Key("mdibgpictureindex",          kInteger,        &C::MDIBGPictureIndex,          -1,           -1),
        Key("leftstretch",                kBoolean,        &C::LeftStretch,                false,        false),
        Key("rightstretch",               kBoolean,        &C::RightStretch,               false,        false),
        Key("topstretch",                 kBoolean,        &C::TopStretch,                 false,        false),
        Key("bottomstretch",              kBoolean,        &C::BottomStretch,              false,        false),
        Key("buttonsrect",                kRect,           &C::ButtonsRect,                {},           {}),
        Key("captionrect",                kRect,           &C::CaptionRect,                {},           {}),
        Key("buttonsoffset",              kInteger,        &C::ButtonsOffset,              0,            0),
        Key("buttonsinleft",              kBoolean,        &C::ButtonsInLeft,              false,        false),
        Key("maskrectarea",               kRect,           &C::MaskRectArea,               {},           {}),
        Key("hittestlefttoppoint",        kPoint,          &C::HitTestLTPoint,             {},           {}),
        Key("hittestrighttoppoint",       kPoint,          &C::HitTestRTPoint,             {},           {}),
        Key("hittestleftbottompoint",     kPoint,          &C::HitTestLBPoint,             {},           {}),
        Key("hittestrightbottompoint",    kPoint,          &C::HitTestRBPoint,             {},           {}),
        Key("rollupleftpoint",            kPoint,          &C::RollUpLeftPoint,            {},           {}),
        Key("rolluprightpoint",           kPoint,          &C::RollUpRightPoint,           {},           {}),
        Key("mainmenurect",               kRect,           &C::MainMenuRect,               {},           {}),
        Key("iconrect",                   kRect,           &C::IconRect,                   {},           {}),
        Key("mainmenupopupup",            kBoolean,        &C::MainMenuPopupUp,            false,        false),
        Key("borderwidth",                kInteger,        &C::BorderWidth,                0,            0),
        Key("cursorindex",                kInteger,        &C::FormCursorIndex,            -1,           -1),
        Key("autorenderinginactiveimage", kBoolean,        &C::AutoRenderingInActiveImage, false,        false),
        Key("inactiveeffect",             kInActiveEffect, &C::InActiveEffect,             ieBrightness, ieBrightness),
    };
    // clang-format on
    return keys;
}

TspSkinData::TspSkinData(TComponent* owner)
    : TComponent(owner)
    , FPicture(std::make_unique<TBitmap>())
    , FInActivePicture(std::make_unique<TBitmap>())
    , FMask(std::make_unique<TBitmap>())
    , FRollUpPicture(std::make_unique<TBitmap>())
    , FRollUpMask(std::make_unique<TBitmap>())
{
    InitKeys(VersionKeys(), *this);
    InitKeys(PicturesKeys(), *this);
    InitKeys(FormInfoKeys(), *this);
}

TspSkinData::~TspSkinData()
{
    FEmpty = true;
    ClearObjects();
}

TspCompressedStoredSkin* TspSkinData::CompressedStoredSkin() const { return FCompressedStoredSkin.Get(); }

TspResourceStrData* TspSkinData::ResourceStrData() const { return FResourceStrData.Get(); }

void TspSkinData::SetCompressedStoredSkin(TspCompressedStoredSkin* value)
{
    FCompressedStoredSkin = value;
    if (!IsDesigning() && value)
        LoadCompressedStoredSkin(value);
}

void TspSkinData::SetResourceStrData(TspResourceStrData* value)
{
    FResourceStrData = value;
    if (!IsDesigning())
        Broadcast(SkinMsg_ResStrChange);
}

void TspSkinData::DefineProperties(xe::tk::TProperties& p)
{
    TComponent::DefineProperties(p);
    p.Reference(
        "CompressedStoredSkin", [this] { return static_cast<TComponent*>(FCompressedStoredSkin.Get()); },
        [this](TComponent* c) { SetCompressedStoredSkin(dynamic_cast<TspCompressedStoredSkin*>(c)); });
    p.Reference(
        "ResourceStrData", [this] { return static_cast<TComponent*>(FResourceStrData.Get()); },
        [this](TComponent* c) { SetResourceStrData(dynamic_cast<TspResourceStrData*>(c)); });
}

void TspSkinData::Broadcast(unsigned msg)
{
    TSkinFormMessenger* messenger = GMessenger;
    if (!messenger)
        return;
    TComponent* ownerForm = Owner() && messenger->IsForm(Owner()) ? Owner() : nullptr;
    if (ownerForm)
        messenger->SendSkinMessage(ownerForm, msg, this, SkinMsgParam);
    // A handler may create or free forms; the list is the one taken before sending.
    for (TComponent* form : messenger->Forms())
        if (form != ownerForm)
            messenger->SendSkinMessage(form, msg, this, SkinMsgParam);
}

void TspSkinData::ClearObjects()
{
    AreaList.clear();
    ObjectList.clear();
    CtrlList.clear();
    ActivePictures.clear();
    PopupWindow.WindowPictureIndex = -1;
    HintWindow.WindowPictureIndex = -1;
    ActivePictureNames.clear();
}

void TspSkinData::ClearAll()
{
    ClearObjects();
    *FPicture = TBitmap();
    *FInActivePicture = TBitmap();
    *FMask = TBitmap();
    *FRollUpPicture = TBitmap();
    *FRollUpMask = TBitmap();
    PictureName.clear();
    InActivePictureName.clear();
    MaskName.clear();
    RollUpPictureName.clear();
    RollUpMaskName.clear();
    FEmpty = true;
}

int TspSkinData::IndexOfArea(std::string_view name) const
{
    for (size_t i = 0; i < AreaList.size(); ++i)
        if (AreaList[i].IDName == name)
            return int(i);
    return -1;
}

int TspSkinData::IndexOfObject(std::string_view name) const { return IndexOfName(ObjectList, name); }

int TspSkinData::IndexOfControl(std::string_view name) const { return IndexOfName(CtrlList, name); }

void TspSkinData::BeginLoad()
{
    FEmpty = true;
    Broadcast(SkinMsg_BeforeChange);
    ClearAll();
}

void TspSkinData::LoadCompressedStoredSkin(TspCompressedStoredSkin* storedSkin)
{
    if (!storedSkin || storedSkin->IsEmpty())
        return;
    BeginLoad();
    TMemoryStream stream;
    storedSkin->DecompressToStream(stream);
    if (!ReadPackage(stream.View()))
        return;
    FEmpty = false;
    Broadcast(SkinMsg_Change);
    Broadcast(SkinMsg_AfterChange);
}

void TspSkinData::LoadFromPackage(std::string_view package)
{
    BeginLoad();
    if (!ReadPackage(package))
        return;
    FEmpty = false;
    Broadcast(SkinMsg_Change);
    Broadcast(SkinMsg_AfterChange);
}

bool TspSkinData::ReadPackage(std::string_view package)
{
    TPackageReader r(package);
    int32_t version = r.ReadInt32();
    if (version > MaxSkinPackageVersion)
        return false;
    for (TSkinSlot slot : PackageSlots(version)) {
        TBitmap* target = nullptr;
        switch (slot) {
        case slPicture:
            target = FPicture.get();
            break;
        case slInActivePicture:
            target = FInActivePicture.get();
            break;
        case slMask:
            target = FMask.get();
            break;
        case slRollUpPicture:
            target = FRollUpPicture.get();
            break;
        case slRollUpMask:
            target = FRollUpMask.get();
            break;
        }
        if (r.ReadByte() != 0)
            *target = TBitmap();
        else
            r.ReadBitmap(*target);
    }
    int32_t count = r.ReadInt32();
    for (int32_t i = 0; i < count; ++i) {
        ActivePictures.push_back(std::make_unique<TBitmap>());
        r.ReadBitmap(*ActivePictures.back());
    }

    TMemIniFile f(r.Rest());
    LoadKeys(VersionKeys(), *this, f, "VERSION");
    LoadKeys(PicturesKeys(), *this, f, "PICTURES");

    ReadFormInfo(f);
    PopupWindow.LoadFromIni(f, "POPUPWINDOW");
    HintWindow.LoadFromIni(f, "HINTWINDOW");
    ReadAreas(f);
    ReadObjects(f);
    ReadControls(f);
    return true;
}

void TspSkinData::ReadFormInfo(TMemIniFile const& f)
{
    char const* s = "FORMINFO";
    auto const& keys = FormInfoKeys();
    auto const fixUps
        = std::find_if(keys.begin(), keys.end(), [](auto const& k) { return k.Name == "mainmenurect"; });
    for (auto k = keys.begin(); k != fixUps; ++k)
        k->Load(*this, f, s);

    if (!MaskName.empty()) {
        // The mask covers at least the client area.
        if (IsNullRect(MaskRectArea)) {
            MaskRectArea = ClientRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClientRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClientRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClientRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClientRect.Bottom);
        }
        if (IsNullPoint(HitTestLTPoint))
            HitTestLTPoint = LTPoint;
        if (IsNullPoint(HitTestRTPoint))
            HitTestRTPoint = RTPoint;
        if (IsNullPoint(HitTestLBPoint))
            HitTestLBPoint = LBPoint;
        if (IsNullPoint(HitTestRBPoint))
            HitTestRBPoint = RBPoint;
    }

    for (auto k = fixUps; k != keys.end(); ++k)
        k->Load(*this, f, s);

    // A frame without corner pieces is left alone; otherwise the corners are moved into
    // the client rectangle.
    if (RBPoint.X == LTPoint.X || RBPoint.Y == LTPoint.Y)
        return;
    LTPoint.X = std::max(LTPoint.X, ClientRect.Left);
    LTPoint.Y = std::max(LTPoint.Y, ClientRect.Top);
    RTPoint.X = std::min(RTPoint.X, ClientRect.Right);
    RTPoint.Y = std::max(RTPoint.Y, ClientRect.Top);
    LBPoint.X = std::max(LBPoint.X, ClientRect.Left);
    LBPoint.Y = std::min(LBPoint.Y, ClientRect.Bottom);
    RBPoint.X = std::min(RBPoint.X, ClientRect.Right);
    RBPoint.Y = std::min(RBPoint.Y, ClientRect.Bottom);
}

void TspSkinData::ReadAreas(TMemIniFile const& f)
{
    int count = std::min(ReadInt(f, "SKINAREAS", "count", 0), MaxListCount);
    for (int i = 0; i < count; ++i) {
        std::string name, rest;
        SplitEntry(ReadStr(f, "SKINAREAS", IntToStr(i)), name, rest);
        TspDataSkinArea area { name, {} };
        // An entry without a colon has no rectangle: it stays empty.
        if (!name.empty() || !rest.empty())
            area.AreaRect = ParseRect(rest);
        AreaList.push_back(std::move(area));
    }
}

void TspSkinData::ReadObjects(TMemIniFile const& f)
{
    int count = ReadInt(f, "SKINOBJECTS", "count", 0);
    for (int i : PresentIndexKeys(f, "SKINOBJECTS", count)) {
        std::string name, type;
        SplitEntry(ReadStr(f, "SKINOBJECTS", IntToStr(i)), name, type);
        auto object = CreateSkinObject(type, name);
        if (!object)
            continue;
        ObjectList.push_back(std::move(object));
        ObjectList.back()->LoadFromIni(f);
    }
}

void TspSkinData::ReadControls(TMemIniFile const& f)
{
    int count = ReadInt(f, "SKINCONTROLS", "count", 0);
    for (int i : PresentIndexKeys(f, "SKINCONTROLS", count)) {
        std::string name, type;
        SplitEntry(ReadStr(f, "SKINCONTROLS", IntToStr(i)), name, type);
        auto control = CreateSkinControl(type, name);
        if (!control)
            continue;
        CtrlList.push_back(std::move(control));
        CtrlList.back()->LoadFromIni(f);
    }
}

void RegisterSkinDataClasses()
{
    using xe::tk::RegisterComponentClass;
    RegisterComponentClass("TspCompressedStoredSkin",
        [](TComponent* owner) -> TComponent* { return new TspCompressedStoredSkin(owner); });
    RegisterComponentClass(
        "TspSkinData", [](TComponent* owner) -> TComponent* { return new TspSkinData(owner); });
    RegisterComponentClass(
        "TspResourceStrData", [](TComponent* owner) -> TComponent* { return new TspResourceStrData(owner); });
}

} // namespace xe::skin
