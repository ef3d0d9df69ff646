#pragma once

#include "skin/data/SkinKeys.h"

#include <memory>
#include <string>
#include <vector>

namespace xe::skin {

// Description records of a form frame's skin objects: caption, caption buttons, menu
// items and the optional extras. Each is read from the section named like the object;
// a missing section gives every key its default. SaveToIni erases the section and writes
// every key in reading order.
//
// Each class's keys, kinds and both defaults (when the key is missing, and in a new
// object) are its table Keys() in SkinObjects.cpp; the comments here give the key and
// the meaning.

class TspDataSkinObject : public TspKeyedRoot<TspDataSkinObject> {
public:
    explicit TspDataSkinObject(std::string idName);
    static TKeyTable<TspDataSkinObject> const& Keys();

    std::string Hint; // hint
    bool RollUp {}; // rollup: object of the rolled-up frame
    int ActivePictureIndex {}; // activepictureindex: picture with the state images
    bool SkinRectInAPicture {}; // skinrectinapicture: SkinRect lies in that picture
    int CursorIndex {}; // cursorindex: skin cursor
    TRect SkinRect; // skinrect: place and normal image
    TRect ActiveSkinRect; // activeskinrect: hot image
    TRect InActiveSkinRect; // inactiveskinrect: image for an inactive form
    bool Morphing {}; // morphing: state changes are animated
    TspMorphKind MorphKind {}; // morphkind
};

class TspDataSkinMenuItem : public TspKeyed<TspDataSkinMenuItem, TspDataSkinObject> {
public:
    explicit TspDataSkinMenuItem(std::string idName);
    static TKeyTable<TspDataSkinMenuItem> const& Keys();

    int ItemLeftOffset {}; // itemleftoffset
    int ItemRightOffset {}; // itemrightoffset
    TRect DividerRect; // dividerrect: separator image
    int DividerLeftOffset {}; // dividerleftoffset
    int DividerRightOffset {}; // dividerrightoffset
    TRect TextRect; // textrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TColor UnEnabledFontColor {}; // unenabledfontcolor: disabled item
};

class TspDataSkinMainMenuItem : public TspKeyed<TspDataSkinMainMenuItem, TspDataSkinObject> {
public:
    explicit TspDataSkinMainMenuItem(std::string idName);
    static TKeyTable<TspDataSkinMainMenuItem> const& Keys();

    int ItemLeftOffset {}; // itemleftoffset
    int ItemRightOffset {}; // itemrightoffset
    TRect DownRect; // downrect: pressed image
    TRect TextRect; // textrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TColor DownFontColor {}; // downfontcolor
    TColor UnEnabledFontColor {}; // unenabledfontColor (capital C in the key): disabled item
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
    using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
};

class TspDataSkinButton : public TspKeyed<TspDataSkinButton, TspDataSkinObject> {
public:
    explicit TspDataSkinButton(std::string idName);
    static TKeyTable<TspDataSkinButton> const& Keys();

    TRect DownRect; // downrect: pressed image
    TRect DisableSkinRect; // disableskinrsect (key spelled so): disabled image
    int GroupIndex {}; // groupindex
};

class TspDataSkinStdButton : public TspKeyed<TspDataSkinStdButton, TspDataSkinButton> {
public:
    explicit TspDataSkinStdButton(std::string idName);
    static TKeyTable<TspDataSkinStdButton> const& Keys();

    TspCommandKind Command {}; // command: window command of the button
    TRect RestoreRect; // restorerect: restore state, normal
    TRect RestoreActiveRect; // restoreactiverect: restore state, hot
    TRect RestoreDownRect; // restoredownrect: restore state, pressed
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
public:
    using TspDataSkinStdButton::TspDataSkinStdButton;
};

class TspDataSkinCaption : public TspKeyed<TspDataSkinCaption, TspDataSkinObject> {
public:
    explicit TspDataSkinCaption(std::string idName);
    static TKeyTable<TspDataSkinCaption> const& Keys();

    bool DefaultCaption {}; // defaultcaption
    TRect TextRect; // textrect
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TAlignment Alignment {}; // alignment
    bool Shadow {}; // shadow
    TColor ShadowColor {}; // shadowcolor
    TColor ActiveShadowColor {}; // activeshadowcolor
    TRect FrameRect; // framerect
    TRect ActiveFrameRect; // activeframerect
    TRect FrameTextRect; // frametextrect
    int FrameLeftOffset {}; // frameleftoffset
    int FrameRightOffset {}; // framerightoffset
};

// Morphing is switched off after loading: a thumb's look does not fade.
class TspDataSkinTrackBar : public TspKeyed<TspDataSkinTrackBar, TspDataSkinObject> {
public:
    explicit TspDataSkinTrackBar(std::string idName);
    void LoadFromIni(TMemIniFile const& f) override;
    static TKeyTable<TspDataSkinTrackBar> const& Keys();

    TRect ButtonRect; // buttonrect: the thumb
    TRect ActiveButtonRect; // activebuttonrect
    TPoint BeginPoint; // beginpoint: start of the thumb's path
    TPoint EndPoint; // endpoint: end of the thumb's path
    int MinValue {}; // minvalue
    int MaxValue {}; // maxvalue
    bool MouseDownChangeValue {}; // mousedownchangevalue
};

class TspDataSkinGauge : public TspKeyed<TspDataSkinGauge, TspDataSkinObject> {
public:
    explicit TspDataSkinGauge(std::string idName);
    static TKeyTable<TspDataSkinGauge> const& Keys();

    int MinValue {}; // minvalue
    int MaxValue {}; // maxvalue
    TspGaugeKind Kind {}; // kind
};

class TspDataSkinFrameGaugeObject : public TspKeyed<TspDataSkinFrameGaugeObject, TspDataSkinObject> {
public:
    explicit TspDataSkinFrameGaugeObject(std::string idName);
    static TKeyTable<TspDataSkinFrameGaugeObject> const& Keys();

    int MinValue {}; // minvalue
    int MaxValue {}; // maxvalue
    int CountFrames {}; // countframes
    TspFramesPlacement FramesPlacement {}; // framesplacement
};

class TspDataSkinFrameRegulatorObject : public TspKeyed<TspDataSkinFrameRegulatorObject, TspDataSkinObject> {
public:
    explicit TspDataSkinFrameRegulatorObject(std::string idName);
    static TKeyTable<TspDataSkinFrameRegulatorObject> const& Keys();

    int MinValue {}; // minvalue
    int MaxValue {}; // maxvalue
    int CountFrames {}; // countframes
    TspFramesPlacement FramesPlacement {}; // framesplacement
    TspRegulatorKind Kind {}; // kind
};

class TspDataSkinLabel : public TspKeyed<TspDataSkinLabel, TspDataSkinObject> {
public:
    explicit TspDataSkinLabel(std::string idName);
    static TKeyTable<TspDataSkinLabel> const& Keys();

    std::string FontName; // fontName (capital N in the key)
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    TColor ActiveFontColor {}; // activefontcolor
    TAlignment Alignment {}; // alignment
    std::string TextValue; // textvalue: the text shown
};

// Morphing is switched off when loading.
class TspDataSkinBitLabel : public TspKeyed<TspDataSkinBitLabel, TspDataSkinObject> {
public:
    explicit TspDataSkinBitLabel(std::string idName);
    void LoadFromIni(TMemIniFile const& f) override;
    static TKeyTable<TspDataSkinBitLabel> const& Keys();

    std::string TextValue; // textvalue
    int SymbolWidth {}; // symbolwidth: width of one symbol cell
    int SymbolHeight {}; // symbolheight: height of one symbol cell
    std::vector<std::string> Symbols; // symbolslinecount, symbolsline0..: one row of cells a line
};

class TspDataSkinSwitch : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
};

// Morphing is switched off when loading.
class TspDataSkinAnimate : public TspKeyed<TspDataSkinAnimate, TspDataSkinObject> {
public:
    explicit TspDataSkinAnimate(std::string idName);
    void LoadFromIni(TMemIniFile const& f) override;
    static TKeyTable<TspDataSkinAnimate> const& Keys();

    int CountFrames {}; // countframes
    bool Cycle {}; // cycle: the animation repeats
    bool ButtonStyle {}; // buttonstyle: behaves as a button
    int TimerInterval {}; // timerinterval (milliseconds)
    TspCommandKind Command {}; // command
};

// A free area of the frame; its three keys replace the common ones.
class TspDataUserObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;
    static TKeyTable<TspDataUserObject> const& Keys();
};

// The object for a SKINOBJECTS type name, or null when the type names no class.
std::unique_ptr<TspDataSkinObject> CreateSkinObject(std::string_view typeName, std::string const& idName);

} // namespace xe::skin
