#include "skin/data/SkinObjects.h"

namespace xe::skin {

// Key tables. Columns: key, kind, field, value when the key is missing, value of a new
// object. A table lists only the keys its class adds; its base's keys come first.

TKeyTable<TspDataSkinObject> const& TspDataSkinObject::Keys()
{
    using C = TspDataSkinObject;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("hint",               kString,    &C::Hint,               "",        ""),
        Key("rollup",             kBoolean,   &C::RollUp,             false,     false),
        Key("activepictureindex", kInteger,   &C::ActivePictureIndex, -1,        -1),
        Key("skinrectinapicture", kBoolean,   &C::SkinRectInAPicture, false,     false),
        Key("cursorindex",        kInteger,   &C::CursorIndex,        -1,        -1),
        Key("skinrect",           kRect,      &C::SkinRect,           {},        {}),
        Key("activeskinrect",     kRect,      &C::ActiveSkinRect,     {},        {}),
        Key("inactiveskinrect",   kRect,      &C::InActiveSkinRect,   {},        {}),
        Key("morphing",           kBoolean,   &C::Morphing,           false,     false),
        Key("morphkind",          kMorphKind, &C::MorphKind,          mkDefault, mkDefault),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinMenuItem> const& TspDataSkinMenuItem::Keys()
{
    using C = TspDataSkinMenuItem;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("itemleftoffset",     kInteger,   &C::ItemLeftOffset,     0,       0),
        Key("itemrightoffset",    kInteger,   &C::ItemRightOffset,    0,       0),
        Key("dividerrect",        kRect,      &C::DividerRect,        {},      {}),
        Key("dividerleftoffset",  kInteger,   &C::DividerLeftOffset,  0,       0),
        Key("dividerrightoffset", kInteger,   &C::DividerRightOffset, 0,       0),
        Key("textrect",           kRect,      &C::TextRect,           {},      {}),
        Key("fontname",           kString,    &C::FontName,           "Arial", ""),
        Key("fontheight",         kInteger,   &C::FontHeight,         14,      0),
        Key("fontstyle",          kFontStyle, &C::FontStyle,          0,       0),
        Key("fontcolor",          kColor,     &C::FontColor,          0,       0),
        Key("activefontcolor",    kColor,     &C::ActiveFontColor,    0,       0),
        Key("unenabledfontcolor", kColor,     &C::UnEnabledFontColor, 0,       0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinMainMenuItem> const& TspDataSkinMainMenuItem::Keys()
{
    using C = TspDataSkinMainMenuItem;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("itemleftoffset",     kInteger,   &C::ItemLeftOffset,     0,       0),
        Key("itemrightoffset",    kInteger,   &C::ItemRightOffset,    0,       0),
        Key("downrect",           kRect,      &C::DownRect,           {},      {}),
        Key("textrect",           kRect,      &C::TextRect,           {},      {}),
        Key("fontname",           kString,    &C::FontName,           "Arial", ""),
        Key("fontheight",         kInteger,   &C::FontHeight,         14,      0),
        Key("fontstyle",          kFontStyle, &C::FontStyle,          0,       0),
        Key("fontcolor",          kColor,     &C::FontColor,          0,       0),
        Key("activefontcolor",    kColor,     &C::ActiveFontColor,    0,       0),
        Key("downfontcolor",      kColor,     &C::DownFontColor,      0,       0),
        Key("unenabledfontColor", kColor,     &C::UnEnabledFontColor, 0,       0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinButton> const& TspDataSkinButton::Keys()
{
    using C = TspDataSkinButton;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("downrect",         kRect,    &C::DownRect,        {}, {}),
        Key("disableskinrsect", kRect,    &C::DisableSkinRect, {}, {}),
        Key("groupindex",       kInteger, &C::GroupIndex,      -1, -1),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinStdButton> const& TspDataSkinStdButton::Keys()
{
    using C = TspDataSkinStdButton;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("command",           kCommandKind, &C::Command,           cmDefault, cmClose),
        Key("restorerect",       kRect,        &C::RestoreRect,       {},        {}),
        Key("restoreactiverect", kRect,        &C::RestoreActiveRect, {},        {}),
        Key("restoredownrect",   kRect,        &C::RestoreDownRect,   {},        {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinCaption> const& TspDataSkinCaption::Keys()
{
    using C = TspDataSkinCaption;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("defaultcaption",    kBoolean,   &C::DefaultCaption,    false,    false),
        Key("textrect",          kRect,      &C::TextRect,          {},       {}),
        Key("fontname",          kString,    &C::FontName,          "Arial",  ""),
        Key("fontheight",        kInteger,   &C::FontHeight,        14,       0),
        Key("fontstyle",         kFontStyle, &C::FontStyle,         0,        0),
        Key("fontcolor",         kColor,     &C::FontColor,         0,        0),
        Key("activefontcolor",   kColor,     &C::ActiveFontColor,   0,        0),
        Key("alignment",         kAlignment, &C::Alignment,         taCenter, taLeftJustify),
        Key("shadow",            kBoolean,   &C::Shadow,            false,    false),
        Key("shadowcolor",       kColor,     &C::ShadowColor,       0,        0),
        Key("activeshadowcolor", kColor,     &C::ActiveShadowColor, 0,        0),
        Key("framerect",         kRect,      &C::FrameRect,         {},       {}),
        Key("activeframerect",   kRect,      &C::ActiveFrameRect,   {},       {}),
        Key("frametextrect",     kRect,      &C::FrameTextRect,     {},       {}),
        Key("frameleftoffset",   kInteger,   &C::FrameLeftOffset,   0,        0),
        Key("framerightoffset",  kInteger,   &C::FrameRightOffset,  0,        0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinTrackBar> const& TspDataSkinTrackBar::Keys()
{
    using C = TspDataSkinTrackBar;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("buttonrect",           kRect,    &C::ButtonRect,           {},    {}),
        Key("activebuttonrect",     kRect,    &C::ActiveButtonRect,     {},    {}),
        Key("beginpoint",           kPoint,   &C::BeginPoint,           {},    {}),
        Key("endpoint",             kPoint,   &C::EndPoint,             {},    {}),
        Key("minvalue",             kInteger, &C::MinValue,             0,     0),
        Key("maxvalue",             kInteger, &C::MaxValue,             0,     0),
        Key("mousedownchangevalue", kBoolean, &C::MouseDownChangeValue, false, false),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinGauge> const& TspDataSkinGauge::Keys()
{
    using C = TspDataSkinGauge;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("minvalue", kInteger,   &C::MinValue, 0,            0),
        Key("maxvalue", kInteger,   &C::MaxValue, 0,            0),
        Key("kind",     kGaugeKind, &C::Kind,     gkHorizontal, gkHorizontal),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinFrameGaugeObject> const& TspDataSkinFrameGaugeObject::Keys()
{
    using C = TspDataSkinFrameGaugeObject;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("minvalue",        kInteger,         &C::MinValue,        0,            0),
        Key("maxvalue",        kInteger,         &C::MaxValue,        0,            0),
        Key("countframes",     kInteger,         &C::CountFrames,     0,            0),
        Key("framesplacement", kFramesPlacement, &C::FramesPlacement, fpHorizontal, fpHorizontal),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinFrameRegulatorObject> const& TspDataSkinFrameRegulatorObject::Keys()
{
    using C = TspDataSkinFrameRegulatorObject;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("minvalue",        kInteger,         &C::MinValue,        0,            0),
        Key("maxvalue",        kInteger,         &C::MaxValue,        0,            0),
        Key("countframes",     kInteger,         &C::CountFrames,     0,            0),
        Key("framesplacement", kFramesPlacement, &C::FramesPlacement, fpHorizontal, fpHorizontal),
        Key("kind",            kRegulatorKind,   &C::Kind,            rkRound,      rkRound),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinLabel> const& TspDataSkinLabel::Keys()
{
    using C = TspDataSkinLabel;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontName",        kString,    &C::FontName,        "Arial",  ""),
        Key("fontheight",      kInteger,   &C::FontHeight,      14,       0),
        Key("fontstyle",       kFontStyle, &C::FontStyle,       0,        0),
        Key("fontcolor",       kColor,     &C::FontColor,       0,        0),
        Key("activefontcolor", kColor,     &C::ActiveFontColor, 0,        0),
        Key("alignment",       kAlignment, &C::Alignment,       taCenter, taLeftJustify),
        Key("textvalue",       kString,    &C::TextValue,       "",       ""),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinBitLabel> const& TspDataSkinBitLabel::Keys()
{
    using C = TspDataSkinBitLabel;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("textvalue",    kString,    &C::TextValue,    "", ""),
        Key("symbolwidth",  kInteger,   &C::SymbolWidth,  0,  0),
        Key("symbolheight", kInteger,   &C::SymbolHeight, 0,  0),
        Key("symbols",      kTextLines, &C::Symbols,      {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinAnimate> const& TspDataSkinAnimate::Keys()
{
    using C = TspDataSkinAnimate;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("countframes",   kInteger,     &C::CountFrames,   1,         0),
        Key("cycle",         kBoolean,     &C::Cycle,         false,     false),
        Key("buttonstyle",   kBoolean,     &C::ButtonStyle,   false,     false),
        Key("timerinterval", kInteger,     &C::TimerInterval, 50,        0),
        Key("command",       kCommandKind, &C::Command,       cmDefault, cmClose),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataUserObject> const& TspDataUserObject::Keys()
{
    using C = TspDataUserObject;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("rollup",      kBoolean, &C::RollUp,      false, false),
        Key("skinrect",    kRect,    &C::SkinRect,    {},    {}),
        Key("cursorindex", kInteger, &C::CursorIndex, -1,    -1),
    };
    // clang-format on
    return keys;
}

TspDataSkinObject::TspDataSkinObject(std::string idName)
    : TspKeyedRoot(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinMenuItem::TspDataSkinMenuItem(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinMainMenuItem::TspDataSkinMainMenuItem(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinButton::TspDataSkinButton(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinStdButton::TspDataSkinStdButton(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinCaption::TspDataSkinCaption(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinTrackBar::TspDataSkinTrackBar(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

void TspDataSkinTrackBar::LoadFromIni(TMemIniFile const& f)
{
    TspKeyed::LoadFromIni(f);
    Morphing = false;
}

TspDataSkinGauge::TspDataSkinGauge(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinFrameGaugeObject::TspDataSkinFrameGaugeObject(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinFrameRegulatorObject::TspDataSkinFrameRegulatorObject(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinLabel::TspDataSkinLabel(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinBitLabel::TspDataSkinBitLabel(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

void TspDataSkinBitLabel::LoadFromIni(TMemIniFile const& f)
{
    TspKeyed::LoadFromIni(f);
    Morphing = false;
}

TspDataSkinAnimate::TspDataSkinAnimate(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

void TspDataSkinAnimate::LoadFromIni(TMemIniFile const& f)
{
    TspKeyed::LoadFromIni(f);
    Morphing = false;
}

void TspDataUserObject::LoadFromIni(TMemIniFile const& f) { LoadKeys(Keys(), *this, f, IDName); }

void TspDataUserObject::SaveToIni(TMemIniFile& f) const
{
    f.EraseSection(IDName);
    SaveKeys(Keys(), *this, f, IDName);
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
