#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/Component.h"
#include "platform/windows/WinDefs.h"
#include "skin/data/SkinControls.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinWindowData.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xe::skin {

class TspCompressedStoredSkin;
class TspResourceStrData;
class TspSkinData;

// Messages a skin data sends to every form around a change of its content. The first
// parameter is the sending TspSkinData, the second SkinMsgParam.
constexpr unsigned SkinMsg_BeforeChange = xe::win::WM_USER + 201; // a load starts, before clearing
constexpr unsigned SkinMsg_Change = xe::win::WM_USER + 202; // a load has completed
constexpr unsigned SkinMsg_AfterChange = xe::win::WM_USER + 203; // right after SkinMsg_Change
constexpr unsigned SkinMsg_CloseMenus = xe::win::WM_USER + 204; // close the form's open skin menus
constexpr unsigned SkinMsg_ResStrChange = xe::win::WM_USER + 250; // ResourceStrData was assigned
constexpr intptr_t SkinMsgParam = 1000;

// How skin change messages reach the forms: the application's forms in list order, and
// a synchronous send to a form's window. By default these are the toolkit's forms (the
// screen's list, SendMessage to each form's window); tests may put their own in place.
class TSkinFormMessenger {
public:
    virtual ~TSkinFormMessenger() = default;
    // Whether the component is a form that can receive the messages.
    virtual bool IsForm(xe::tk::TComponent* component) = 0;
    virtual std::vector<xe::tk::TComponent*> Forms() = 0;
    virtual void SendSkinMessage(
        xe::tk::TComponent* form, unsigned msg, TspSkinData* skinData, intptr_t param)
        = 0;
};
// Installs the messenger (null: messages go nowhere) and gives the previous one back.
// The default one sends to the toolkit's forms.
TSkinFormMessenger* SetSkinFormMessenger(TSkinFormMessenger* messenger);
TSkinFormMessenger* SkinFormMessenger();

// One loaded skin: the pictures of a skin package, the frame geometry of a skinned form,
// the popup and hint window data and the lists of description objects. Skinned forms and
// controls find their data here by name and treat an Empty container as none.
class TspSkinData : public xe::tk::TComponent {
public:
    explicit TspSkinData(xe::tk::TComponent* owner);
    ~TspSkinData() override;
    char const* ClassName() const override { return "TspSkinData"; }

    // Both references are not owned and are forgotten when their component is freed.
    TspCompressedStoredSkin* CompressedStoredSkin() const;
    // Stores the reference and, unless designing, loads the skin from it at once.
    void SetCompressedStoredSkin(TspCompressedStoredSkin* value);
    TspResourceStrData* ResourceStrData() const;
    // Stores the reference and, unless designing, sends SkinMsg_ResStrChange.
    void SetResourceStrData(TspResourceStrData* value);

    bool Empty() const { return FEmpty; }

    // Loads a skin from the stored component: nothing happens for an empty one. Errors
    // (a bad package, a bad picture, a bad rectangle) raise and end the load; the
    // container then stays Empty with whatever was read before the error.
    void LoadCompressedStoredSkin(TspCompressedStoredSkin* storedSkin);
    // The same from an uncompressed package.
    void LoadFromPackage(std::string_view package);

    void ClearObjects();
    void ClearAll();

    int IndexOfArea(std::string_view name) const;
    int IndexOfObject(std::string_view name) const;
    int IndexOfControl(std::string_view name) const;

    // Sends the message to the owner form first, then to every other form.
    void Broadcast(unsigned msg);

    void DefineProperties(xe::tk::TProperties& properties) override;

    // Pictures of the package; always present, possibly empty.
    xe::gfx::TBitmap& Picture() { return *FPicture; }
    xe::gfx::TBitmap& InActivePicture() { return *FInActivePicture; }
    xe::gfx::TBitmap& Mask() { return *FMask; }
    xe::gfx::TBitmap& RollUpPicture() { return *FRollUpPicture; }
    xe::gfx::TBitmap& RollUpMask() { return *FRollUpMask; }
    // Active pictures: a picture index anywhere in the description is a position here.
    std::vector<std::unique_ptr<xe::gfx::TBitmap>> ActivePictures;

    // Sections VERSION, PICTURES and FORMINFO. Their keys, kinds and both defaults are
    // the tables below, in SkinData.cpp; the container reads them and never writes them.
    static TKeyTable<TspSkinData> const& VersionKeys();
    static TKeyTable<TspSkinData> const& PicturesKeys();
    static TKeyTable<TspSkinData> const& FormInfoKeys();

    // Section VERSION.
    std::string SkinName; // skinname
    std::string SkinAuthor; // skinauthor
    std::string AuthorEmail; // authoremail
    std::string AuthorURL; // authorurl
    std::string SkinComments; // skincomments

    // Section PICTURES. A non-empty mask name switches on the FORMINFO fix-ups.
    std::string PictureName; // picture
    std::string InActivePictureName; // inactivepicture (only the packer reads it)
    std::string MaskName; // mask
    std::string RollUpPictureName; // rolluppicture
    std::string RollUpMaskName; // rollupmask
    std::vector<std::string> ActivePictureNames; // activepicturescount, 0, 1, ...

    // Section FORMINFO, in reading order.
    TPoint LTPoint; // lefttoppoint: corner cutting points
    TPoint RTPoint; // righttoppoint
    TPoint LBPoint; // leftbottompoint
    TPoint RBPoint; // rightbottompoint
    TRect ClientRect; // clientrect
    int BGPictureIndex {}; // bgpictureindex: fills the client area
    int MDIBGPictureIndex {}; // mdibgpictureindex: fills an MDI client area
    bool LeftStretch {}; // leftstretch: stretched (true) or tiled (false)
    bool RightStretch {}; // rightstretch
    bool TopStretch {}; // topstretch
    bool BottomStretch {}; // bottomstretch
    TRect ButtonsRect; // buttonsrect: caption buttons
    TRect CaptionRect; // captionrect
    int ButtonsOffset {}; // buttonsoffset
    bool ButtonsInLeft {}; // buttonsinleft
    TRect MaskRectArea; // maskrectarea: covered by the mask
    TPoint HitTestLTPoint; // hittestlefttoppoint: sizing zone corners
    TPoint HitTestRTPoint; // hittestrighttoppoint
    TPoint HitTestLBPoint; // hittestleftbottompoint
    TPoint HitTestRBPoint; // hittestrightbottompoint
    TPoint RollUpLeftPoint; // rollupleftpoint
    TPoint RollUpRightPoint; // rolluprightpoint
    TRect MainMenuRect; // mainmenurect
    TRect IconRect; // iconrect
    bool MainMenuPopupUp {}; // mainmenupopupup
    int BorderWidth {}; // borderwidth: sizing border
    int FormCursorIndex {}; // cursorindex
    bool AutoRenderingInActiveImage {}; // autorenderinginactiveimage
    TspInActiveEffect InActiveEffect {}; // inactiveeffect

    // A skinned control whose cursor index is not -1 uses screen cursor
    // StartCursorIndex + its cursor index.
    int StartCursorIndex = 1;

    TspDataSkinPopupWindow PopupWindow; // section POPUPWINDOW
    TspDataSkinHintWindow HintWindow; // section HINTWINDOW

    std::vector<TspDataSkinArea> AreaList; // section SKINAREAS
    std::vector<std::unique_ptr<TspDataSkinObject>> ObjectList; // section SKINOBJECTS
    std::vector<std::unique_ptr<TspDataSkinControl>> CtrlList; // section SKINCONTROLS

private:
    void BeginLoad();
    // Reads the package into the container; false when its version is not known.
    bool ReadPackage(std::string_view package);
    void ReadFormInfo(TMemIniFile const& f);
    void ReadAreas(TMemIniFile const& f);
    void ReadObjects(TMemIniFile const& f);
    void ReadControls(TMemIniFile const& f);

    xe::tk::TComponentRef<TspCompressedStoredSkin> FCompressedStoredSkin;
    xe::tk::TComponentRef<TspResourceStrData> FResourceStrData;
    bool FEmpty = true;
    std::unique_ptr<xe::gfx::TBitmap> FPicture;
    std::unique_ptr<xe::gfx::TBitmap> FInActivePicture;
    std::unique_ptr<xe::gfx::TBitmap> FMask;
    std::unique_ptr<xe::gfx::TBitmap> FRollUpPicture;
    std::unique_ptr<xe::gfx::TBitmap> FRollUpMask;
};

// Makes the skin component classes known to the stored-form reader.
void RegisterSkinDataClasses();

} // namespace xe::skin
