#include "skin/data/SkinObjects.h"

namespace xe::skin {

TspDataSkinObject::TspDataSkinObject(std::string idName)
    : IDName(std::move(idName))
{
}

void TspDataSkinObject::LoadFromIni(TMemIniFile const& f)
{
    std::string const& s = IDName;
    Hint = ReadStr(f, s, "hint");
    RollUp = ReadBoolean(f, s, "rollup");
    ActivePictureIndex = ReadInt(f, s, "activepictureindex", -1);
    SkinRectInAPicture = ReadBoolean(f, s, "skinrectinapicture");
    CursorIndex = ReadInt(f, s, "cursorindex", -1);
    SkinRect = ReadRect(f, s, "skinrect");
    ActiveSkinRect = ReadRect(f, s, "activeskinrect");
    InActiveSkinRect = ReadRect(f, s, "inactiveskinrect");
    Morphing = ReadBoolean(f, s, "morphing");
    MorphKind = ReadMorphKind(f, s, "morphkind");
}

void TspDataSkinObject::SaveToIni(TMemIniFile& f) const
{
    std::string const& s = IDName;
    f.EraseSection(s);
    WriteStr(f, s, "hint", Hint);
    WriteBoolean(f, s, "rollup", RollUp);
    WriteInt(f, s, "activepictureindex", ActivePictureIndex);
    WriteBoolean(f, s, "skinrectinapicture", SkinRectInAPicture);
    WriteInt(f, s, "cursorindex", CursorIndex);
    WriteRect(f, s, "skinrect", SkinRect);
    WriteRect(f, s, "activeskinrect", ActiveSkinRect);
    WriteRect(f, s, "inactiveskinrect", InActiveSkinRect);
    WriteBoolean(f, s, "morphing", Morphing);
    WriteMorphKind(f, s, "morphkind", MorphKind);
}

void TspDataSkinMenuItem::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    ItemLeftOffset = ReadInt(f, s, "itemleftoffset", 0);
    ItemRightOffset = ReadInt(f, s, "itemrightoffset", 0);
    DividerRect = ReadRect(f, s, "dividerrect");
    DividerLeftOffset = ReadInt(f, s, "dividerleftoffset", 0);
    DividerRightOffset = ReadInt(f, s, "dividerrightoffset", 0);
    TextRect = ReadRect(f, s, "textrect");
    FontName = ReadStr(f, s, "fontname", "Arial");
    FontHeight = ReadInt(f, s, "fontheight", 14);
    FontStyle = ReadFontStyles(f, s, "fontstyle");
    FontColor = ReadColor(f, s, "fontcolor");
    ActiveFontColor = ReadColor(f, s, "activefontcolor");
    UnEnabledFontColor = ReadColor(f, s, "unenabledfontcolor");
}

void TspDataSkinMenuItem::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteInt(f, s, "itemleftoffset", ItemLeftOffset);
    WriteInt(f, s, "itemrightoffset", ItemRightOffset);
    WriteRect(f, s, "dividerrect", DividerRect);
    WriteInt(f, s, "dividerleftoffset", DividerLeftOffset);
    WriteInt(f, s, "dividerrightoffset", DividerRightOffset);
    WriteRect(f, s, "textrect", TextRect);
    WriteStr(f, s, "fontname", FontName);
    WriteInt(f, s, "fontheight", FontHeight);
    WriteFontStyles(f, s, "fontstyle", FontStyle);
    WriteColor(f, s, "fontcolor", FontColor);
    WriteColor(f, s, "activefontcolor", ActiveFontColor);
    WriteColor(f, s, "unenabledfontcolor", UnEnabledFontColor);
}

void TspDataSkinMainMenuItem::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    ItemLeftOffset = ReadInt(f, s, "itemleftoffset", 0);
    ItemRightOffset = ReadInt(f, s, "itemrightoffset", 0);
    DownRect = ReadRect(f, s, "downrect");
    TextRect = ReadRect(f, s, "textrect");
    FontName = ReadStr(f, s, "fontname", "Arial");
    FontHeight = ReadInt(f, s, "fontheight", 14);
    FontStyle = ReadFontStyles(f, s, "fontstyle");
    FontColor = ReadColor(f, s, "fontcolor");
    ActiveFontColor = ReadColor(f, s, "activefontcolor");
    DownFontColor = ReadColor(f, s, "downfontcolor");
    UnEnabledFontColor = ReadColor(f, s, "unenabledfontColor");
}

void TspDataSkinMainMenuItem::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteInt(f, s, "itemleftoffset", ItemLeftOffset);
    WriteInt(f, s, "itemrightoffset", ItemRightOffset);
    WriteRect(f, s, "downrect", DownRect);
    WriteRect(f, s, "textrect", TextRect);
    WriteStr(f, s, "fontname", FontName);
    WriteInt(f, s, "fontheight", FontHeight);
    WriteFontStyles(f, s, "fontstyle", FontStyle);
    WriteColor(f, s, "fontcolor", FontColor);
    WriteColor(f, s, "activefontcolor", ActiveFontColor);
    WriteColor(f, s, "downfontcolor", DownFontColor);
    WriteColor(f, s, "unenabledfontColor", UnEnabledFontColor);
}

void TspDataSkinButton::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    DownRect = ReadRect(f, s, "downrect");
    DisableSkinRect = ReadRect(f, s, "disableskinrsect");
    GroupIndex = ReadInt(f, s, "groupindex", -1);
}

void TspDataSkinButton::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteRect(f, s, "downrect", DownRect);
    WriteRect(f, s, "disableskinrsect", DisableSkinRect);
    WriteInt(f, s, "groupindex", GroupIndex);
}

void TspDataSkinStdButton::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinButton::LoadFromIni(f);
    std::string const& s = IDName;
    Command = ReadCommandKind(f, s, "command");
    RestoreRect = ReadRect(f, s, "restorerect");
    RestoreActiveRect = ReadRect(f, s, "restoreactiverect");
    RestoreDownRect = ReadRect(f, s, "restoredownrect");
}

void TspDataSkinStdButton::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinButton::SaveToIni(f);
    std::string const& s = IDName;
    WriteCommandKind(f, s, "command", Command);
    WriteRect(f, s, "restorerect", RestoreRect);
    WriteRect(f, s, "restoreactiverect", RestoreActiveRect);
    WriteRect(f, s, "restoredownrect", RestoreDownRect);
}

void TspDataSkinCaption::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    DefaultCaption = ReadBoolean(f, s, "defaultcaption");
    TextRect = ReadRect(f, s, "textrect");
    FontName = ReadStr(f, s, "fontname", "Arial");
    FontHeight = ReadInt(f, s, "fontheight", 14);
    FontStyle = ReadFontStyles(f, s, "fontstyle");
    FontColor = ReadColor(f, s, "fontcolor");
    ActiveFontColor = ReadColor(f, s, "activefontcolor");
    Alignment = ReadAlignment(f, s, "alignment");
    Shadow = ReadBoolean(f, s, "shadow");
    ShadowColor = ReadColor(f, s, "shadowcolor");
    ActiveShadowColor = ReadColor(f, s, "activeshadowcolor");
    FrameRect = ReadRect(f, s, "framerect");
    ActiveFrameRect = ReadRect(f, s, "activeframerect");
    FrameTextRect = ReadRect(f, s, "frametextrect");
    FrameLeftOffset = ReadInt(f, s, "frameleftoffset", 0);
    FrameRightOffset = ReadInt(f, s, "framerightoffset", 0);
}

void TspDataSkinCaption::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteBoolean(f, s, "defaultcaption", DefaultCaption);
    WriteRect(f, s, "textrect", TextRect);
    WriteStr(f, s, "fontname", FontName);
    WriteInt(f, s, "fontheight", FontHeight);
    WriteFontStyles(f, s, "fontstyle", FontStyle);
    WriteColor(f, s, "fontcolor", FontColor);
    WriteColor(f, s, "activefontcolor", ActiveFontColor);
    WriteAlignment(f, s, "alignment", Alignment);
    WriteBoolean(f, s, "shadow", Shadow);
    WriteColor(f, s, "shadowcolor", ShadowColor);
    WriteColor(f, s, "activeshadowcolor", ActiveShadowColor);
    WriteRect(f, s, "framerect", FrameRect);
    WriteRect(f, s, "activeframerect", ActiveFrameRect);
    WriteRect(f, s, "frametextrect", FrameTextRect);
    WriteInt(f, s, "frameleftoffset", FrameLeftOffset);
    WriteInt(f, s, "framerightoffset", FrameRightOffset);
}

void TspDataSkinTrackBar::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    ButtonRect = ReadRect(f, s, "buttonrect");
    ActiveButtonRect = ReadRect(f, s, "activebuttonrect");
    BeginPoint = ReadPoint(f, s, "beginpoint");
    EndPoint = ReadPoint(f, s, "endpoint");
    MinValue = ReadInt(f, s, "minvalue", 0);
    MaxValue = ReadInt(f, s, "maxvalue", 0);
    MouseDownChangeValue = ReadBoolean(f, s, "mousedownchangevalue");
    Morphing = false; // a thumb's look does not fade
}

void TspDataSkinTrackBar::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteRect(f, s, "buttonrect", ButtonRect);
    WriteRect(f, s, "activebuttonrect", ActiveButtonRect);
    WritePoint(f, s, "beginpoint", BeginPoint);
    WritePoint(f, s, "endpoint", EndPoint);
    WriteInt(f, s, "minvalue", MinValue);
    WriteInt(f, s, "maxvalue", MaxValue);
    WriteBoolean(f, s, "mousedownchangevalue", MouseDownChangeValue);
}

void TspDataSkinGauge::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    MinValue = ReadInt(f, s, "minvalue", 0);
    MaxValue = ReadInt(f, s, "maxvalue", 0);
    Kind = ReadGaugeKind(f, s, "kind");
}

void TspDataSkinGauge::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteInt(f, s, "minvalue", MinValue);
    WriteInt(f, s, "maxvalue", MaxValue);
    WriteGaugeKind(f, s, "kind", Kind);
}

void TspDataSkinFrameGaugeObject::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    MinValue = ReadInt(f, s, "minvalue", 0);
    MaxValue = ReadInt(f, s, "maxvalue", 0);
    CountFrames = ReadInt(f, s, "countframes", 0);
    FramesPlacement = ReadFramesPlacement(f, s, "framesplacement");
}

void TspDataSkinFrameGaugeObject::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteInt(f, s, "minvalue", MinValue);
    WriteInt(f, s, "maxvalue", MaxValue);
    WriteInt(f, s, "countframes", CountFrames);
    WriteFramesPlacement(f, s, "framesplacement", FramesPlacement);
}

void TspDataSkinFrameRegulatorObject::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    MinValue = ReadInt(f, s, "minvalue", 0);
    MaxValue = ReadInt(f, s, "maxvalue", 0);
    CountFrames = ReadInt(f, s, "countframes", 0);
    FramesPlacement = ReadFramesPlacement(f, s, "framesplacement");
    Kind = ReadRegulatorKind(f, s, "kind");
}

void TspDataSkinFrameRegulatorObject::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteInt(f, s, "minvalue", MinValue);
    WriteInt(f, s, "maxvalue", MaxValue);
    WriteInt(f, s, "countframes", CountFrames);
    WriteFramesPlacement(f, s, "framesplacement", FramesPlacement);
    WriteRegulatorKind(f, s, "kind", Kind);
}

void TspDataSkinLabel::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    FontName = ReadStr(f, s, "fontName", "Arial");
    FontHeight = ReadInt(f, s, "fontheight", 14);
    FontStyle = ReadFontStyles(f, s, "fontstyle");
    FontColor = ReadColor(f, s, "fontcolor");
    ActiveFontColor = ReadColor(f, s, "activefontcolor");
    Alignment = ReadAlignment(f, s, "alignment");
    TextValue = ReadStr(f, s, "textvalue");
}

void TspDataSkinLabel::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteStr(f, s, "fontName", FontName);
    WriteInt(f, s, "fontheight", FontHeight);
    WriteFontStyles(f, s, "fontstyle", FontStyle);
    WriteColor(f, s, "fontcolor", FontColor);
    WriteColor(f, s, "activefontcolor", ActiveFontColor);
    WriteAlignment(f, s, "alignment", Alignment);
    WriteStr(f, s, "textvalue", TextValue);
}

void TspDataSkinBitLabel::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    Morphing = false;
    TextValue = ReadStr(f, s, "textvalue");
    SymbolWidth = ReadInt(f, s, "symbolwidth", 0);
    SymbolHeight = ReadInt(f, s, "symbolheight", 0);
    Symbols = ReadTextLines(f, s, "symbols");
}

void TspDataSkinBitLabel::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteStr(f, s, "textvalue", TextValue);
    WriteInt(f, s, "symbolwidth", SymbolWidth);
    WriteInt(f, s, "symbolheight", SymbolHeight);
    WriteTextLines(f, s, "symbols", Symbols);
}

void TspDataSkinAnimate::LoadFromIni(TMemIniFile const& f)
{
    TspDataSkinObject::LoadFromIni(f);
    std::string const& s = IDName;
    Morphing = false;
    CountFrames = ReadInt(f, s, "countframes", 1);
    Cycle = ReadBoolean(f, s, "cycle");
    ButtonStyle = ReadBoolean(f, s, "buttonstyle");
    TimerInterval = ReadInt(f, s, "timerinterval", 50);
    Command = ReadCommandKind(f, s, "command");
}

void TspDataSkinAnimate::SaveToIni(TMemIniFile& f) const
{
    TspDataSkinObject::SaveToIni(f);
    std::string const& s = IDName;
    WriteInt(f, s, "countframes", CountFrames);
    WriteBoolean(f, s, "cycle", Cycle);
    WriteBoolean(f, s, "buttonstyle", ButtonStyle);
    WriteInt(f, s, "timerinterval", TimerInterval);
    WriteCommandKind(f, s, "command", Command);
}

void TspDataUserObject::LoadFromIni(TMemIniFile const& f)
{
    std::string const& s = IDName;
    RollUp = ReadBoolean(f, s, "rollup");
    SkinRect = ReadRect(f, s, "skinrect");
    CursorIndex = ReadInt(f, s, "cursorindex", -1);
}

void TspDataUserObject::SaveToIni(TMemIniFile& f) const
{
    std::string const& s = IDName;
    f.EraseSection(s);
    WriteBoolean(f, s, "rollup", RollUp);
    WriteRect(f, s, "skinrect", SkinRect);
    WriteInt(f, s, "cursorindex", CursorIndex);
}

std::unique_ptr<TspDataSkinObject> CreateSkinObject(std::string_view typeName, std::string const& idName)
{
    if (typeName == "menuitem")
        return std::make_unique<TspDataSkinMenuItem>(idName);
    if (typeName == "mainmenuitem")
        return std::make_unique<TspDataSkinMainMenuItem>(idName);
    if (typeName == "mainmenubaritem")
        return std::make_unique<TspDataSkinMainMenuBarItem>(idName);
    if (typeName == "button")
        return std::make_unique<TspDataSkinButton>(idName);
    if (typeName == "stdbutton")
        return std::make_unique<TspDataSkinStdButton>(idName);
    if (typeName == "mainmenubarbutton")
        return std::make_unique<TspDataSkinMainMenuBarButton>(idName);
    if (typeName == "caption")
        return std::make_unique<TspDataSkinCaption>(idName);
    if (typeName == "trackbar")
        return std::make_unique<TspDataSkinTrackBar>(idName);
    if (typeName == "gauge")
        return std::make_unique<TspDataSkinGauge>(idName);
    if (typeName == "framegauge")
        return std::make_unique<TspDataSkinFrameGaugeObject>(idName);
    if (typeName == "frameregulator")
        return std::make_unique<TspDataSkinFrameRegulatorObject>(idName);
    if (typeName == "label")
        return std::make_unique<TspDataSkinLabel>(idName);
    if (typeName == "bitlabel")
        return std::make_unique<TspDataSkinBitLabel>(idName);
    if (typeName == "switch")
        return std::make_unique<TspDataSkinSwitch>(idName);
    if (typeName == "animate")
        return std::make_unique<TspDataSkinAnimate>(idName);
    if (typeName == "userobject")
        return std::make_unique<TspDataUserObject>(idName);
    return nullptr;
}

} // namespace xe::skin
