#pragma once

#include "skin/data/SkinValues.h"

#include <memory>
#include <string>
#include <vector>

namespace xe::skin {

// Description records of a form frame's skin objects: caption, caption buttons, menu
// items and the optional extras. Each is read from the section named like the object;
// a missing section gives every key its default. SaveToIni erases the section and writes
// every key in reading order (the key spellings are those of the description format,
// "unenabledfontColor" and "disableskinrsect" included).

class TspDataSkinObject {
public:
    explicit TspDataSkinObject(std::string idName);
    virtual ~TspDataSkinObject() = default;

    virtual void LoadFromIni(TMemIniFile const& f);
    virtual void SaveToIni(TMemIniFile& f) const;

    std::string IDName; // section name and lookup name
    std::string Hint; // hint, empty
    bool RollUp = false; // rollup 0: object of the rolled-up frame
    int ActivePictureIndex = -1; // activepictureindex -1: picture with the state images
    bool SkinRectInAPicture = false; // skinrectinapicture 0: SkinRect lies in that picture
    int CursorIndex = -1; // cursorindex -1: skin cursor
    TRect SkinRect; // skinrect 0,0,0,0: place and normal image
    TRect ActiveSkinRect; // activeskinrect 0,0,0,0: hot image
    TRect InActiveSkinRect; // inactiveskinrect 0,0,0,0: image for an inactive form
    bool Morphing = false; // morphing 0: state changes are animated
    TspMorphKind MorphKind = mkDefault; // morphkind mkdefault
};

class TspDataSkinMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    int ItemLeftOffset = 0; // itemleftoffset 0
    int ItemRightOffset = 0; // itemrightoffset 0
    TRect DividerRect; // dividerrect 0,0,0,0: separator image
    int DividerLeftOffset = 0; // dividerleftoffset 0
    int DividerRightOffset = 0; // dividerrightoffset 0
    TRect TextRect; // textrect 0,0,0,0
    std::string FontName; // fontname "Arial"
    int FontHeight = 0; // fontheight 14
    TFontStyles FontStyle = 0; // fontstyle none
    TColor FontColor = 0; // fontcolor 0
    TColor ActiveFontColor = 0; // activefontcolor 0
    TColor UnEnabledFontColor = 0; // unenabledfontcolor 0: disabled item
};

class TspDataSkinMainMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    int ItemLeftOffset = 0; // itemleftoffset 0
    int ItemRightOffset = 0; // itemrightoffset 0
    TRect DownRect; // downrect 0,0,0,0: pressed image
    TRect TextRect; // textrect 0,0,0,0
    std::string FontName; // fontname "Arial"
    int FontHeight = 0; // fontheight 14
    TFontStyles FontStyle = 0; // fontstyle none
    TColor FontColor = 0; // fontcolor 0
    TColor ActiveFontColor = 0; // activefontcolor 0
    TColor DownFontColor = 0; // downfontcolor 0
    TColor UnEnabledFontColor = 0; // unenabledfontColor 0 (capital C in the key)
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
    using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
};

class TspDataSkinButton : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    TRect DownRect; // downrect 0,0,0,0: pressed image
    TRect DisableSkinRect; // disableskinrsect 0,0,0,0 (key spelled so): disabled image
    int GroupIndex = -1; // groupindex -1
};

class TspDataSkinStdButton : public TspDataSkinButton {
public:
    using TspDataSkinButton::TspDataSkinButton;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    TspCommandKind Command = cmClose; // command cmdefault
    TRect RestoreRect; // restorerect 0,0,0,0: restore state, normal
    TRect RestoreActiveRect; // restoreactiverect 0,0,0,0: restore state, hot
    TRect RestoreDownRect; // restoredownrect 0,0,0,0: restore state, pressed
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
public:
    using TspDataSkinStdButton::TspDataSkinStdButton;
};

class TspDataSkinCaption : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    bool DefaultCaption = false; // defaultcaption 0
    TRect TextRect; // textrect 0,0,0,0
    std::string FontName; // fontname "Arial"
    int FontHeight = 0; // fontheight 14
    TFontStyles FontStyle = 0; // fontstyle none
    TColor FontColor = 0; // fontcolor 0
    TColor ActiveFontColor = 0; // activefontcolor 0
    TAlignment Alignment = taLeftJustify; // alignment tacenter
    bool Shadow = false; // shadow 0
    TColor ShadowColor = 0; // shadowcolor 0
    TColor ActiveShadowColor = 0; // activeshadowcolor 0
    TRect FrameRect; // framerect 0,0,0,0
    TRect ActiveFrameRect; // activeframerect 0,0,0,0
    TRect FrameTextRect; // frametextrect 0,0,0,0
    int FrameLeftOffset = 0; // frameleftoffset 0
    int FrameRightOffset = 0; // framerightoffset 0
};

class TspDataSkinTrackBar : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    TRect ButtonRect; // buttonrect 0,0,0,0: the thumb
    TRect ActiveButtonRect; // activebuttonrect 0,0,0,0
    TPoint BeginPoint; // beginpoint 0,0: start of the thumb's path
    TPoint EndPoint; // endpoint 0,0: end of the thumb's path
    int MinValue = 0; // minvalue 0
    int MaxValue = 0; // maxvalue 0
    bool MouseDownChangeValue = false; // mousedownchangevalue 0
};

class TspDataSkinGauge : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    int MinValue = 0; // minvalue 0
    int MaxValue = 0; // maxvalue 0
    TspGaugeKind Kind = gkHorizontal; // kind gkhorizontal
};

class TspDataSkinFrameGaugeObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    int MinValue = 0; // minvalue 0
    int MaxValue = 0; // maxvalue 0
    int CountFrames = 0; // countframes 0
    TspFramesPlacement FramesPlacement = fpHorizontal; // framesplacement fphorizontal
};

class TspDataSkinFrameRegulatorObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    int MinValue = 0; // minvalue 0
    int MaxValue = 0; // maxvalue 0
    int CountFrames = 0; // countframes 0
    TspFramesPlacement FramesPlacement = fpHorizontal; // framesplacement fphorizontal
    TspRegulatorKind Kind = rkRound; // kind rkround
};

class TspDataSkinLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    std::string FontName; // fontName "Arial" (capital N in the key)
    int FontHeight = 0; // fontheight 14
    TFontStyles FontStyle = 0; // fontstyle none
    TColor FontColor = 0; // fontcolor 0
    TColor ActiveFontColor = 0; // activefontcolor 0
    TAlignment Alignment = taLeftJustify; // alignment tacenter
    std::string TextValue; // textvalue, empty: the text shown
};

class TspDataSkinBitLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    std::string TextValue; // textvalue, empty
    int SymbolWidth = 0; // symbolwidth 0: width of one symbol cell
    int SymbolHeight = 0; // symbolheight 0: height of one symbol cell
    std::vector<std::string> Symbols; // symbolslinecount, symbolsline0..: one row of cells a line
};

class TspDataSkinSwitch : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
};

class TspDataSkinAnimate : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;

    int CountFrames = 0; // countframes 1
    bool Cycle = false; // cycle 0: the animation repeats
    bool ButtonStyle = false; // buttonstyle 0: behaves as a button
    int TimerInterval = 0; // timerinterval 50 (milliseconds)
    TspCommandKind Command = cmClose; // command cmdefault
};

// A free area of the frame; its three keys replace the common ones.
class TspDataUserObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    void LoadFromIni(TMemIniFile const& f) override;
    void SaveToIni(TMemIniFile& f) const override;
};

// The object for a SKINOBJECTS type name, or null when the type names no class.
std::unique_ptr<TspDataSkinObject> CreateSkinObject(std::string_view typeName, std::string const& idName);

} // namespace xe::skin
