#pragma once

#include "skin/data/SkinKeys.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xe::skin {

// Description records of the looks of skinned window controls: buttons, check boxes,
// panels, edits, list and combo boxes, scroll bars, gauges, tabs, grids, menu bars. Each
// is read from the section named like the look; several looks may share one class (a
// skinned control asks for its look by name, as "button" or "vscrollbar"). A look only
// holds values.
//
// Each class's keys, kinds and both defaults (when the key is missing, and in a new
// object) are its table Keys() in SkinControls.cpp; a class reads its base's keys first.
// The comments here give the key and, where not plain, the meaning.

// The named look of a skinned window control (section SKINCONTROLS): the root of the
// description classes of controls. LoadFromIni reads the section named IDName; SaveToIni
// erases it and writes the same keys in the same order.
class TspDataSkinControl : public TspKeyedRoot<TspDataSkinControl> {
public:
    explicit TspDataSkinControl(std::string idName);
    static TKeyTable<TspDataSkinControl> const& Keys();

    int PictureIndex {}; // pictureindex: active picture that holds the look
    int MaskPictureIndex {}; // maskpictureindex
    int CursorIndex {}; // cursorindex
    TRect SkinRect; // skinrect: the look's normal image in that picture
};

// A look cut into corner, edge and client pieces.
class TspDataSkinCustomControl : public TspKeyed<TspDataSkinCustomControl, TspDataSkinControl> {
public:
    explicit TspDataSkinCustomControl(std::string idName);
    static TKeyTable<TspDataSkinCustomControl> const& Keys();

    TPoint LTPoint; // lefttoppoint: cutting points of the corner pieces of SkinRect
    TPoint RTPoint; // righttoppoint
    TPoint LBPoint; // leftbottompoint
    TPoint RBPoint; // rightbottompoint
    TRect ClientRect; // clientrect
};

// A look made of frames (images side by side or one above the other). A frame count
// below 1 is raised to 1 when loading.
class TspDataSkinFrameControl : public TspKeyed<TspDataSkinFrameControl, TspDataSkinControl> {
public:
    explicit TspDataSkinFrameControl(std::string idName);
    void LoadFromIni(TMemIniFile const& f) override;
    static TKeyTable<TspDataSkinFrameControl> const& Keys();

    int FramesCount {}; // framescount: raised to 1 when below
    TspFramesPlacement FramesPlacement {}; // framesplacement
};

class TspDataSkinButtonControl : public TspKeyed<TspDataSkinButtonControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinButtonControl(std::string idName);
    static TKeyTable<TspDataSkinButtonControl> const& Keys();

    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TColor DisabledFontColor {}; // disabledfontcolor
    TColor DownFontColor {}; // downfontcolor
    bool Morphing {}; // morphing
    TspMorphKind MorphKind {}; // morphkind
    TRect ActiveSkinRect; // activeskinrect
    TRect DownSkinRect; // downskinrect
    TRect DisabledSkinRect; // disabledskinrect
};

class TspDataSkinMenuButtonControl : public TspKeyed<TspDataSkinMenuButtonControl, TspDataSkinButtonControl> {
public:
    explicit TspDataSkinMenuButtonControl(std::string idName);
    static TKeyTable<TspDataSkinMenuButtonControl> const& Keys();

    TRect TrackButtonRect; // trackbuttonrect: the arrow part of the button
};

class TspDataSkinCheckRadioControl : public TspKeyed<TspDataSkinCheckRadioControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinCheckRadioControl(std::string idName);
    static TKeyTable<TspDataSkinCheckRadioControl> const& Keys();

    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TColor UnEnabledFontColor {}; // unenabledfontcolor
    TColor FrameFontColor {}; // framefontcolor
    bool Morphing {}; // morphing
    TspMorphKind MorphKind {}; // morphkind
    TRect ActiveSkinRect; // activeskinrect
    TRect CheckImageArea; // checkimagearea
    TRect TextArea; // textarea
    TRect CheckImageRect; // checkimagerect
    TRect UnCheckImageRect; // uncheckimagerect
    TRect ActiveCheckImageRect; // activecheckimagerect
    TRect ActiveUnCheckImageRect; // activeuncheckimagerect
    TRect UnEnabledCheckImageRect; // unenabledcheckimagerect
    TRect UnEnabledUnCheckImageRect; // unenableduncheckimagerect
};

class TspDataSkinPanelControl : public TspKeyed<TspDataSkinPanelControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinPanelControl(std::string idName);
    static TKeyTable<TspDataSkinPanelControl> const& Keys();

    int BGPictureIndex {}; // bgpictureindex
    TRect CaptionRect; // captionrect
    TAlignment Alignment {}; // alignment
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TRect CheckImageRect; // checkimagerect
    TRect UnCheckImageRect; // uncheckimagerect
};

class TspDataSkinExPanelControl : public TspKeyed<TspDataSkinExPanelControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinExPanelControl(std::string idName);
    static TKeyTable<TspDataSkinExPanelControl> const& Keys();

    TRect RollHSkinRect; // rollhskinrect
    TRect RollVSkinRect; // rollvskinrect
    int RollLeftOffset {}; // rollleftoffset
    int RollRightOffset {}; // rollrightoffset
    int RollTopOffset {}; // rolltopoffset
    int RollBottomOffset {}; // rollbottomoffset
    TRect RollVCaptionRect; // rollvcaptionrect
    TRect RollHCaptionRect; // rollhcaptionrect
    TRect CloseButtonRect; // closebuttonrect
    TRect CloseButtonActiveRect; // closebuttonactiverect
    TRect CloseButtonDownRect; // closebuttondownrect
    TRect HRollButtonRect; // hrollbuttonrect
    TRect HRollButtonActiveRect; // hrollbuttonactiverect
    TRect HRollButtonDownRect; // hrollbuttondownrect
    TRect HRestoreButtonRect; // hrestorebuttonrect
    TRect HRestoreButtonActiveRect; // hrestorebuttonactiverect
    TRect HRestoreButtonDownRect; // hrestorebuttondownrect
    TRect VRollButtonRect; // vrollbuttonrect
    TRect VRollButtonActiveRect; // vrollbuttonactiverect
    TRect VRollButtonDownRect; // vrollbuttondownrect
    TRect VRestoreButtonRect; // vrestorebuttonrect
    TRect VRestoreButtonActiveRect; // vrestorebuttonactiverect
    TRect VRestoreButtonDownRect; // vrestorebuttondownrect
    TRect CaptionRect; // captionrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
};

class TspDataSkinLabelControl : public TspKeyed<TspDataSkinLabelControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinLabelControl(std::string idName);
    static TKeyTable<TspDataSkinLabelControl> const& Keys();

    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
};

class TspDataSkinBitLabelControl : public TspKeyed<TspDataSkinBitLabelControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinBitLabelControl(std::string idName);
    static TKeyTable<TspDataSkinBitLabelControl> const& Keys();

    TRect SkinTextRect; // skintextrect
    int SymbolWidth {}; // symbolwidth
    int SymbolHeight {}; // symbolheight
    std::vector<std::string>
        Symbols; // symbols: symbolslinecount, symbolsline0..: one row of symbol cells a line
};

class TspDataSkinStdLabelControl : public TspKeyed<TspDataSkinStdLabelControl, TspDataSkinControl> {
public:
    explicit TspDataSkinStdLabelControl(std::string idName);
    static TKeyTable<TspDataSkinStdLabelControl> const& Keys();

    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor: pure blue when missing
};

class TspDataSkinGaugeControl : public TspKeyed<TspDataSkinGaugeControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinGaugeControl(std::string idName);
    static TKeyTable<TspDataSkinGaugeControl> const& Keys();

    TRect ProgressArea; // progressarea
    TRect ProgressRect; // progressrect
    int BeginOffset {}; // beginoffset
    int EndOffset {}; // endoffset
    bool Vertical {}; // vertical
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
};

class TspDataSkinTrackBarControl : public TspKeyed<TspDataSkinTrackBarControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinTrackBarControl(std::string idName);
    static TKeyTable<TspDataSkinTrackBarControl> const& Keys();

    TRect TrackArea; // trackarea
    TRect ButtonRect; // buttonrect
    TRect ActiveButtonRect; // activebuttonrect
    bool Vertical {}; // vertical
};

class TspDataSkinSplitterControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
};

// The corner points and client rectangle of the base are set back to 0 after loading,
// whatever the section holds: an up-down look is its two buttons.
class TspDataSkinUpDownControl : public TspKeyed<TspDataSkinUpDownControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinUpDownControl(std::string idName);
    void LoadFromIni(TMemIniFile const& f) override;
    static TKeyTable<TspDataSkinUpDownControl> const& Keys();

    TRect UpButtonRect; // upbuttonrect
    TRect ActiveUpButtonRect; // activeupbuttonrect
    TRect DownUpButtonRect; // downupbuttonrect
    TRect DownButtonRect; // downbuttonrect
    TRect ActiveDownButtonRect; // activedownbuttonrect
    TRect DownDownButtonRect; // downdownbuttonrect
};

class TspDataSkinEditControl : public TspKeyed<TspDataSkinEditControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinEditControl(std::string idName);
    static TKeyTable<TspDataSkinEditControl> const& Keys();

    TRect ActiveSkinRect; // activeskinrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor DisabledFontColor {}; // disabledfontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TRect ButtonRect; // buttonrect
    TRect ActiveButtonRect; // activebuttonrect
    TRect DownButtonRect; // downbuttonrect
    TRect UnEnabledButtonRect; // unenabledbuttonrect
};

class TspDataSkinMemoControl : public TspKeyed<TspDataSkinMemoControl, TspDataSkinEditControl> {
public:
    explicit TspDataSkinMemoControl(std::string idName);
    static TKeyTable<TspDataSkinMemoControl> const& Keys();

    TColor BGColor {}; // bgcolor
    TColor ActiveBGColor {}; // activebgcolor
};

class TspDataSkinSpinEditControl : public TspKeyed<TspDataSkinSpinEditControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinSpinEditControl(std::string idName);
    static TKeyTable<TspDataSkinSpinEditControl> const& Keys();

    TRect ActiveSkinRect; // activeskinrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TColor DisabledFontColor {}; // disabledfontcolor
    TRect UpButtonRect; // upbuttonrect
    TRect ActiveUpButtonRect; // activeupbuttonrect
    TRect DownUpButtonRect; // downupbuttonrect
    TRect DownButtonRect; // downbuttonrect
    TRect ActiveDownButtonRect; // activedownbuttonrect
    TRect DownDownButtonRect; // downdownbuttonrect
};

class TspDataSkinListBox : public TspKeyed<TspDataSkinListBox, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinListBox(std::string idName);
    static TKeyTable<TspDataSkinListBox> const& Keys();

    TRect ItemRect; // itemrect
    TRect ActiveItemRect; // activeitemrect
    TRect FocusItemRect; // focusitemrect
    int ItemLeftOffset {}; // itemleftoffset
    int ItemRightOffset {}; // itemrightoffset
    TRect ItemTextRect; // itemtextrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TColor FocusFontColor {}; // focusfontcolor
    TRect CaptionRect; // captionrect
    std::string CaptionFontName; // captionfontname
    int CaptionFontHeight {}; // captionfontheight
    TFontStyles CaptionFontStyle {}; // captionfontstyle
    TColor CaptionFontColor {}; // captionfontcolor
    TRect UpButtonRect; // upbuttonrect
    TRect ActiveUpButtonRect; // activeupbuttonrect
    TRect DownUpButtonRect; // downupbuttonrect
    TRect DownButtonRect; // downbuttonrect
    TRect ActiveDownButtonRect; // activedownbuttonrect
    TRect DownDownButtonRect; // downdownbuttonrect
    TRect CheckButtonRect; // checkbuttonrect
    TRect ActiveCheckButtonRect; // activecheckbuttonrect
    TRect DownCheckButtonRect; // downcheckbuttonrect
    std::string VScrollBarName; // vscrollbarname: look of the vertical scroll bar
    std::string HScrollBarName; // hscrollbarname
    std::string BothScrollBarName; // bothhscrollbarname
};

class TspDataSkinCheckListBox : public TspKeyed<TspDataSkinCheckListBox, TspDataSkinListBox> {
public:
    explicit TspDataSkinCheckListBox(std::string idName);
    static TKeyTable<TspDataSkinCheckListBox> const& Keys();

    TRect CheckImageRect; // checkimagerect
    TRect ItemCheckRect; // itemcheckrect
    TRect UnCheckImageRect; // uncheckimagerect
};

class TspDataSkinComboBox : public TspKeyed<TspDataSkinComboBox, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinComboBox(std::string idName);
    static TKeyTable<TspDataSkinComboBox> const& Keys();

    TRect ItemRect; // itemrect
    TRect FocusItemRect; // focusitemrect
    int ItemLeftOffset {}; // itemleftoffset
    int ItemRightOffset {}; // itemrightoffset
    TRect ItemTextRect; // itemtextrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor FocusFontColor {}; // focusfontcolor
    std::string ListBoxName; // listboxname: look of the drop-down list
    TRect ButtonRect; // buttonrect
    TRect ActiveButtonRect; // activebuttonrect
    TRect DownButtonRect; // downbuttonrect
    TRect UnEnabledButtonRect; // unenabledbuttonrect
};

class TspDataSkinScrollBarControl : public TspKeyed<TspDataSkinScrollBarControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinScrollBarControl(std::string idName);
    static TKeyTable<TspDataSkinScrollBarControl> const& Keys();

    TRect TrackArea; // trackarea
    TRect UpButtonRect; // upbuttonrect
    TRect ActiveUpButtonRect; // activeupbuttonrect
    TRect DownUpButtonRect; // downupbuttonrect
    TRect DownButtonRect; // downbuttonrect
    TRect ActiveDownButtonRect; // activedownbuttonrect
    TRect DownDownButtonRect; // downdownbuttonrect
    TRect ThumbRect; // thumbrect
    TRect ActiveThumbRect; // activethumbrect
    TRect DownThumbRect; // downthumbrect
    int ThumbOffset1 {}; // thumboffset1
    int ThumbOffset2 {}; // thumboffset2
    TRect GlyphRect; // glyphrect
    TRect ActiveGlyphRect; // activeglyphrect
    TRect DownGlyphRect; // downglyphrect
};

class TspDataSkinScrollBoxControl : public TspKeyed<TspDataSkinScrollBoxControl, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinScrollBoxControl(std::string idName);
    static TKeyTable<TspDataSkinScrollBoxControl> const& Keys();

    int BGPictureIndex {}; // bgpictureindex
};

class TspDataSkinControlBar : public TspKeyed<TspDataSkinControlBar, TspDataSkinCustomControl> {
public:
    explicit TspDataSkinControlBar(std::string idName);
    static TKeyTable<TspDataSkinControlBar> const& Keys();

    TRect ItemRect; // itemrect
    int BGPictureIndex {}; // bgpictureindex
};

class TspDataSkinMainMenuBar : public TspKeyed<TspDataSkinMainMenuBar, TspDataSkinControl> {
public:
    explicit TspDataSkinMainMenuBar(std::string idName);
    static TKeyTable<TspDataSkinMainMenuBar> const& Keys();

    TRect ItemsRect; // itemsrect
    std::string MenuBarItem; // menubaritem: skin objects of the bar's items and buttons
    std::string CloseButton; // closebutton
    std::string MinButton; // minbutton
    std::string MaxButton; // maxbutton
    std::string SysMenuButton; // sysmenubutton
    TColor TrackMarkColor {}; // trackmarkcolor
    TColor TrackMarkActiveColor {}; // trackmarkactivecolor
};

class TspDataSkinTabControl : public TspKeyed<TspDataSkinTabControl, TspDataSkinControl> {
public:
    explicit TspDataSkinTabControl(std::string idName);
    static TKeyTable<TspDataSkinTabControl> const& Keys();

    TRect TabRect; // tabrect
    TRect ActiveTabRect; // activetabrect
    TRect FocusTabRect; // focustabrect
    TRect MouseInTabRect; // mouseintabrect
    TRect ClientRect; // clientrect
    int BGPictureIndex {}; // bgpictureindex
    TPoint LTPoint; // lefttoppoint
    TPoint RTPoint; // righttoppoint
    TPoint LBPoint; // leftbottompoint
    TPoint RBPoint; // rightbottompoint
    int TabLeftOffset {}; // tableftoffset
    int TabRightOffset {}; // tabrightoffset
    TRect TabsBGRect; // tabsbgrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TColor FocusFontColor {}; // focusfontcolor
    TColor MouseInFontColor {}; // mouseinfontcolor
    std::string UpDown; // updown: up-down look for scrolling tabs
};

class TspDataSkinGridControl : public TspKeyed<TspDataSkinGridControl, TspDataSkinControl> {
public:
    explicit TspDataSkinGridControl(std::string idName);
    static TKeyTable<TspDataSkinGridControl> const& Keys();

    TRect FixedCellRect; // fixedcellrect
    TRect SelectCellRect; // selectcellrect
    TRect FocusCellRect; // focuscellrect
    int FixedCellLeftOffset {}; // fixedcellleftoffset
    int FixedCellRightOffset {}; // fixedcellrightoffset
    TRect FixedCellTextRect; // fixedcelltextrect
    int CellLeftOffset {}; // cellleftoffset
    int CellRightOffset {}; // cellrightoffset
    TRect CellTextRect; // celltextrect
    TColor LinesColor {}; // linescolor
    TColor BGColor {}; // bgcolor
    int BGPictureIndex {}; // bgpictureindex
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor SelectFontColor {}; // selectfontcolor
    TColor FocusFontColor {}; // focusfontcolor
    std::string FixedFontName; // fixedfontname
    int FixedFontHeight {}; // fixedfontheight
    TFontStyles FixedFontStyle {}; // fixedfontstyle
    TColor FixedFontColor {}; // fixedfontcolor
};

class TspDataSkinTreeView : public TspKeyed<TspDataSkinTreeView, TspDataSkinControl> {
public:
    explicit TspDataSkinTreeView(std::string idName);
    static TKeyTable<TspDataSkinTreeView> const& Keys();

    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor BGColor {}; // bgcolor: white in a new object
};

class TspDataSkinListView : public TspKeyed<TspDataSkinListView, TspDataSkinControl> {
public:
    explicit TspDataSkinListView(std::string idName);
    static TKeyTable<TspDataSkinListView> const& Keys();

    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor BGColor {}; // bgcolor: white in a new object
};

class TspDataSkinRichEdit : public TspKeyed<TspDataSkinRichEdit, TspDataSkinControl> {
public:
    explicit TspDataSkinRichEdit(std::string idName);
    static TKeyTable<TspDataSkinRichEdit> const& Keys();

    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor BGColor {}; // bgcolor: white in a new object
};

class TspDataSkinSlider : public TspKeyed<TspDataSkinSlider, TspDataSkinControl> {
public:
    explicit TspDataSkinSlider(std::string idName);
    static TKeyTable<TspDataSkinSlider> const& Keys();

    TColor BGColor {}; // bgcolor
    TRect HRulerRect; // hrulerrect
    TRect HThumbRect; // hthumbrect
    TRect VRulerRect; // vrulerrect
    TRect VThumbRect; // vthumbrect
    int EdgeSize {}; // edgesize
    TColor PointsColor {}; // pointscolor
};

class TspDataSkinBevel : public TspKeyed<TspDataSkinBevel, TspDataSkinControl> {
public:
    explicit TspDataSkinBevel(std::string idName);
    static TKeyTable<TspDataSkinBevel> const& Keys();

    TColor LightColor {}; // lightcolor
    TColor DarkColor {}; // darkcolor
};

class TspDataSkinFrameGauge : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
};

class TspDataSkinFrameRegulator : public TspKeyed<TspDataSkinFrameRegulator, TspDataSkinFrameControl> {
public:
    explicit TspDataSkinFrameRegulator(std::string idName);
    static TKeyTable<TspDataSkinFrameRegulator> const& Keys();

    TspRegulatorKind Kind {}; // kind
};

class TspDataSkinAnimateControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
};

class TspDataSkinSwitchControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
};

// The look for a SKINCONTROLS type name, or null when the type names no class.
std::unique_ptr<TspDataSkinControl> CreateSkinControl(std::string_view typeName, std::string const& idName);

} // namespace xe::skin
