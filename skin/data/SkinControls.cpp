#include "skin/data/SkinControls.h"

namespace xe::skin {

// Key tables. Columns: key, kind, field, value when the key is missing, value of a new
// object. A table lists only the keys its class adds.

TKeyTable<TspDataSkinControl> const& TspDataSkinControl::Keys()
{
    using C = TspDataSkinControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("pictureindex",     kInteger, &C::PictureIndex,     -1, -1),
        Key("maskpictureindex", kInteger, &C::MaskPictureIndex, -1, -1),
        Key("cursorindex",      kInteger, &C::CursorIndex,      -1, -1),
        Key("skinrect",         kRect,    &C::SkinRect,         {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinCustomControl> const& TspDataSkinCustomControl::Keys()
{
    using C = TspDataSkinCustomControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("lefttoppoint",     kPoint, &C::LTPoint,    {}, {}),
        Key("righttoppoint",    kPoint, &C::RTPoint,    {}, {}),
        Key("leftbottompoint",  kPoint, &C::LBPoint,    {}, {}),
        Key("rightbottompoint", kPoint, &C::RBPoint,    {}, {}),
        Key("clientrect",       kRect,  &C::ClientRect, {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinFrameControl> const& TspDataSkinFrameControl::Keys()
{
    using C = TspDataSkinFrameControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("framescount",     kInteger,         &C::FramesCount,     1,            0),
        Key("framesplacement", kFramesPlacement, &C::FramesPlacement, fpHorizontal, fpHorizontal),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinButtonControl> const& TspDataSkinButtonControl::Keys()
{
    using C = TspDataSkinButtonControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontname",          kString,    &C::FontName,          "Arial",   ""),
        Key("fontheight",        kInteger,   &C::FontHeight,        14,        0),
        Key("fontstyle",         kFontStyle, &C::FontStyle,         0,         0),
        Key("fontcolor",         kColor,     &C::FontColor,         0,         0),
        Key("activefontcolor",   kColor,     &C::ActiveFontColor,   0,         0),
        Key("disabledfontcolor", kColor,     &C::DisabledFontColor, 0,         0),
        Key("downfontcolor",     kColor,     &C::DownFontColor,     0,         0),
        Key("morphing",          kBoolean,   &C::Morphing,          false,     false),
        Key("morphkind",         kMorphKind, &C::MorphKind,         mkDefault, mkDefault),
        Key("activeskinrect",    kRect,      &C::ActiveSkinRect,    {},        {}),
        Key("downskinrect",      kRect,      &C::DownSkinRect,      {},        {}),
        Key("disabledskinrect",  kRect,      &C::DisabledSkinRect,  {},        {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinMenuButtonControl> const& TspDataSkinMenuButtonControl::Keys()
{
    using C = TspDataSkinMenuButtonControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("trackbuttonrect", kRect, &C::TrackButtonRect, {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinCheckRadioControl> const& TspDataSkinCheckRadioControl::Keys()
{
    using C = TspDataSkinCheckRadioControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontname",                  kString,    &C::FontName,                  "Arial",   ""),
        Key("fontheight",                kInteger,   &C::FontHeight,                14,        0),
        Key("fontstyle",                 kFontStyle, &C::FontStyle,                 0,         0),
        Key("fontcolor",                 kColor,     &C::FontColor,                 0,         0),
        Key("activefontcolor",           kColor,     &C::ActiveFontColor,           0,         0),
        Key("unenabledfontcolor",        kColor,     &C::UnEnabledFontColor,        0,         0),
        Key("framefontcolor",            kColor,     &C::FrameFontColor,            0,         0),
        Key("morphing",                  kBoolean,   &C::Morphing,                  false,     false),
        Key("morphkind",                 kMorphKind, &C::MorphKind,                 mkDefault, mkDefault),
        Key("activeskinrect",            kRect,      &C::ActiveSkinRect,            {},        {}),
        Key("checkimagearea",            kRect,      &C::CheckImageArea,            {},        {}),
        Key("textarea",                  kRect,      &C::TextArea,                  {},        {}),
        Key("checkimagerect",            kRect,      &C::CheckImageRect,            {},        {}),
        Key("uncheckimagerect",          kRect,      &C::UnCheckImageRect,          {},        {}),
        Key("activecheckimagerect",      kRect,      &C::ActiveCheckImageRect,      {},        {}),
        Key("activeuncheckimagerect",    kRect,      &C::ActiveUnCheckImageRect,    {},        {}),
        Key("unenabledcheckimagerect",   kRect,      &C::UnEnabledCheckImageRect,   {},        {}),
        Key("unenableduncheckimagerect", kRect,      &C::UnEnabledUnCheckImageRect, {},        {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinPanelControl> const& TspDataSkinPanelControl::Keys()
{
    using C = TspDataSkinPanelControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("bgpictureindex",   kInteger,   &C::BGPictureIndex,   -1,       0),
        Key("captionrect",      kRect,      &C::CaptionRect,      {},       {}),
        Key("alignment",        kAlignment, &C::Alignment,        taCenter, taLeftJustify),
        Key("fontname",         kString,    &C::FontName,         "Arial",  ""),
        Key("fontheight",       kInteger,   &C::FontHeight,       14,       0),
        Key("fontstyle",        kFontStyle, &C::FontStyle,        0,        0),
        Key("fontcolor",        kColor,     &C::FontColor,        0,        0),
        Key("checkimagerect",   kRect,      &C::CheckImageRect,   {},       {}),
        Key("uncheckimagerect", kRect,      &C::UnCheckImageRect, {},       {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinExPanelControl> const& TspDataSkinExPanelControl::Keys()
{
    using C = TspDataSkinExPanelControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("rollhskinrect",            kRect,      &C::RollHSkinRect,            {},      {}),
        Key("rollvskinrect",            kRect,      &C::RollVSkinRect,            {},      {}),
        Key("rollleftoffset",           kInteger,   &C::RollLeftOffset,           0,       0),
        Key("rollrightoffset",          kInteger,   &C::RollRightOffset,          0,       0),
        Key("rolltopoffset",            kInteger,   &C::RollTopOffset,            0,       0),
        Key("rollbottomoffset",         kInteger,   &C::RollBottomOffset,         0,       0),
        Key("rollvcaptionrect",         kRect,      &C::RollVCaptionRect,         {},      {}),
        Key("rollhcaptionrect",         kRect,      &C::RollHCaptionRect,         {},      {}),
        Key("closebuttonrect",          kRect,      &C::CloseButtonRect,          {},      {}),
        Key("closebuttonactiverect",    kRect,      &C::CloseButtonActiveRect,    {},      {}),
        Key("closebuttondownrect",      kRect,      &C::CloseButtonDownRect,      {},      {}),
        Key("hrollbuttonrect",          kRect,      &C::HRollButtonRect,          {},      {}),
        Key("hrollbuttonactiverect",    kRect,      &C::HRollButtonActiveRect,    {},      {}),
        Key("hrollbuttondownrect",      kRect,      &C::HRollButtonDownRect,      {},      {}),
        Key("hrestorebuttonrect",       kRect,      &C::HRestoreButtonRect,       {},      {}),
        Key("hrestorebuttonactiverect", kRect,      &C::HRestoreButtonActiveRect, {},      {}),
        Key("hrestorebuttondownrect",   kRect,      &C::HRestoreButtonDownRect,   {},      {}),
        Key("vrollbuttonrect",          kRect,      &C::VRollButtonRect,          {},      {}),
        Key("vrollbuttonactiverect",    kRect,      &C::VRollButtonActiveRect,    {},      {}),
        Key("vrollbuttondownrect",      kRect,      &C::VRollButtonDownRect,      {},      {}),
        Key("vrestorebuttonrect",       kRect,      &C::VRestoreButtonRect,       {},      {}),
        Key("vrestorebuttonactiverect", kRect,      &C::VRestoreButtonActiveRect, {},      {}),
        Key("vrestorebuttondownrect",   kRect,      &C::VRestoreButtonDownRect,   {},      {}),
        Key("captionrect",              kRect,      &C::CaptionRect,              {},      {}),
        Key("fontname",                 kString,    &C::FontName,                 "Arial", ""),
        Key("fontheight",               kInteger,   &C::FontHeight,               14,      0),
        Key("fontstyle",                kFontStyle, &C::FontStyle,                0,       0),
        Key("fontcolor",                kColor,     &C::FontColor,                0,       0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinLabelControl> const& TspDataSkinLabelControl::Keys()
{
    using C = TspDataSkinLabelControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontname",   kString,    &C::FontName,   "Arial", ""),
        Key("fontheight", kInteger,   &C::FontHeight, 14,      0),
        Key("fontstyle",  kFontStyle, &C::FontStyle,  0,       0),
        Key("fontcolor",  kColor,     &C::FontColor,  0,       0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinBitLabelControl> const& TspDataSkinBitLabelControl::Keys()
{
    using C = TspDataSkinBitLabelControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("skintextrect", kRect,      &C::SkinTextRect, {}, {}),
        Key("symbolwidth",  kInteger,   &C::SymbolWidth,  0,  0),
        Key("symbolheight", kInteger,   &C::SymbolHeight, 0,  0),
        Key("symbols",      kTextLines, &C::Symbols,      {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinStdLabelControl> const& TspDataSkinStdLabelControl::Keys()
{
    using C = TspDataSkinStdLabelControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontname",        kString,    &C::FontName,        "Arial",  ""),
        Key("fontheight",      kInteger,   &C::FontHeight,      14,       0),
        Key("fontstyle",       kFontStyle, &C::FontStyle,       0,        0),
        Key("fontcolor",       kColor,     &C::FontColor,       0,        0),
        Key("activefontcolor", kColor,     &C::ActiveFontColor, 16711680, 0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinGaugeControl> const& TspDataSkinGaugeControl::Keys()
{
    using C = TspDataSkinGaugeControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("progressarea", kRect,      &C::ProgressArea, {},      {}),
        Key("progressrect", kRect,      &C::ProgressRect, {},      {}),
        Key("beginoffset",  kInteger,   &C::BeginOffset,  0,       0),
        Key("endoffset",    kInteger,   &C::EndOffset,    0,       0),
        Key("vertical",     kBoolean,   &C::Vertical,     false,   false),
        Key("fontname",     kString,    &C::FontName,     "Arial", ""),
        Key("fontheight",   kInteger,   &C::FontHeight,   14,      0),
        Key("fontstyle",    kFontStyle, &C::FontStyle,    0,       0),
        Key("fontcolor",    kColor,     &C::FontColor,    0,       0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinTrackBarControl> const& TspDataSkinTrackBarControl::Keys()
{
    using C = TspDataSkinTrackBarControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("trackarea",        kRect,    &C::TrackArea,        {},    {}),
        Key("buttonrect",       kRect,    &C::ButtonRect,       {},    {}),
        Key("activebuttonrect", kRect,    &C::ActiveButtonRect, {},    {}),
        Key("vertical",         kBoolean, &C::Vertical,         false, false),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinUpDownControl> const& TspDataSkinUpDownControl::Keys()
{
    using C = TspDataSkinUpDownControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("upbuttonrect",         kRect, &C::UpButtonRect,         {}, {}),
        Key("activeupbuttonrect",   kRect, &C::ActiveUpButtonRect,   {}, {}),
        Key("downupbuttonrect",     kRect, &C::DownUpButtonRect,     {}, {}),
        Key("downbuttonrect",       kRect, &C::DownButtonRect,       {}, {}),
        Key("activedownbuttonrect", kRect, &C::ActiveDownButtonRect, {}, {}),
        Key("downdownbuttonrect",   kRect, &C::DownDownButtonRect,   {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinEditControl> const& TspDataSkinEditControl::Keys()
{
    using C = TspDataSkinEditControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("activeskinrect",      kRect,      &C::ActiveSkinRect,      {},      {}),
        Key("fontname",            kString,    &C::FontName,            "Arial", ""),
        Key("fontheight",          kInteger,   &C::FontHeight,          14,      0),
        Key("fontstyle",           kFontStyle, &C::FontStyle,           0,       0),
        Key("fontcolor",           kColor,     &C::FontColor,           0,       0),
        Key("disabledfontcolor",   kColor,     &C::DisabledFontColor,   0,       0),
        Key("activefontcolor",     kColor,     &C::ActiveFontColor,     0,       0),
        Key("buttonrect",          kRect,      &C::ButtonRect,          {},      {}),
        Key("activebuttonrect",    kRect,      &C::ActiveButtonRect,    {},      {}),
        Key("downbuttonrect",      kRect,      &C::DownButtonRect,      {},      {}),
        Key("unenabledbuttonrect", kRect,      &C::UnEnabledButtonRect, {},      {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinMemoControl> const& TspDataSkinMemoControl::Keys()
{
    using C = TspDataSkinMemoControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("bgcolor",       kColor, &C::BGColor,       0, 0),
        Key("activebgcolor", kColor, &C::ActiveBGColor, 0, 0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinSpinEditControl> const& TspDataSkinSpinEditControl::Keys()
{
    using C = TspDataSkinSpinEditControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("activeskinrect",       kRect,      &C::ActiveSkinRect,       {},      {}),
        Key("fontname",             kString,    &C::FontName,             "Arial", ""),
        Key("fontheight",           kInteger,   &C::FontHeight,           14,      0),
        Key("fontstyle",            kFontStyle, &C::FontStyle,            0,       0),
        Key("fontcolor",            kColor,     &C::FontColor,            0,       0),
        Key("activefontcolor",      kColor,     &C::ActiveFontColor,      0,       0),
        Key("disabledfontcolor",    kColor,     &C::DisabledFontColor,    0,       0),
        Key("upbuttonrect",         kRect,      &C::UpButtonRect,         {},      {}),
        Key("activeupbuttonrect",   kRect,      &C::ActiveUpButtonRect,   {},      {}),
        Key("downupbuttonrect",     kRect,      &C::DownUpButtonRect,     {},      {}),
        Key("downbuttonrect",       kRect,      &C::DownButtonRect,       {},      {}),
        Key("activedownbuttonrect", kRect,      &C::ActiveDownButtonRect, {},      {}),
        Key("downdownbuttonrect",   kRect,      &C::DownDownButtonRect,   {},      {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinListBox> const& TspDataSkinListBox::Keys()
{
    using C = TspDataSkinListBox;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("itemrect",              kRect,      &C::ItemRect,              {},               {}),
        Key("activeitemrect",        kRect,      &C::ActiveItemRect,        {},               {}),
        Key("focusitemrect",         kRect,      &C::FocusItemRect,         {},               {}),
        Key("itemleftoffset",        kInteger,   &C::ItemLeftOffset,        0,                0),
        Key("itemrightoffset",       kInteger,   &C::ItemRightOffset,       0,                0),
        Key("itemtextrect",          kRect,      &C::ItemTextRect,          {},               {}),
        Key("fontname",              kString,    &C::FontName,              "Arial",          ""),
        Key("fontheight",            kInteger,   &C::FontHeight,            14,               0),
        Key("fontstyle",             kFontStyle, &C::FontStyle,             0,                0),
        Key("fontcolor",             kColor,     &C::FontColor,             0,                0),
        Key("activefontcolor",       kColor,     &C::ActiveFontColor,       0,                0),
        Key("focusfontcolor",        kColor,     &C::FocusFontColor,        0,                0),
        Key("captionrect",           kRect,      &C::CaptionRect,           {},               {}),
        Key("captionfontname",       kString,    &C::CaptionFontName,       "Arial",          ""),
        Key("captionfontheight",     kInteger,   &C::CaptionFontHeight,     14,               0),
        Key("captionfontstyle",      kFontStyle, &C::CaptionFontStyle,      0,                0),
        Key("captionfontcolor",      kColor,     &C::CaptionFontColor,      0,                0),
        Key("upbuttonrect",          kRect,      &C::UpButtonRect,          {},               {}),
        Key("activeupbuttonrect",    kRect,      &C::ActiveUpButtonRect,    {},               {}),
        Key("downupbuttonrect",      kRect,      &C::DownUpButtonRect,      {},               {}),
        Key("downbuttonrect",        kRect,      &C::DownButtonRect,        {},               {}),
        Key("activedownbuttonrect",  kRect,      &C::ActiveDownButtonRect,  {},               {}),
        Key("downdownbuttonrect",    kRect,      &C::DownDownButtonRect,    {},               {}),
        Key("checkbuttonrect",       kRect,      &C::CheckButtonRect,       {},               {}),
        Key("activecheckbuttonrect", kRect,      &C::ActiveCheckButtonRect, {},               {}),
        Key("downcheckbuttonrect",   kRect,      &C::DownCheckButtonRect,   {},               {}),
        Key("vscrollbarname",        kString,    &C::VScrollBarName,        "vscrollbar",     ""),
        Key("hscrollbarname",        kString,    &C::HScrollBarName,        "hscrollbar",     ""),
        Key("bothhscrollbarname",    kString,    &C::BothScrollBarName,     "bothhscrollbar", ""),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinCheckListBox> const& TspDataSkinCheckListBox::Keys()
{
    using C = TspDataSkinCheckListBox;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("checkimagerect",   kRect, &C::CheckImageRect,   {}, {}),
        Key("itemcheckrect",    kRect, &C::ItemCheckRect,    {}, {}),
        Key("uncheckimagerect", kRect, &C::UnCheckImageRect, {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinComboBox> const& TspDataSkinComboBox::Keys()
{
    using C = TspDataSkinComboBox;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("itemrect",            kRect,      &C::ItemRect,            {},      {}),
        Key("focusitemrect",       kRect,      &C::FocusItemRect,       {},      {}),
        Key("itemleftoffset",      kInteger,   &C::ItemLeftOffset,      0,       0),
        Key("itemrightoffset",     kInteger,   &C::ItemRightOffset,     0,       0),
        Key("itemtextrect",        kRect,      &C::ItemTextRect,        {},      {}),
        Key("fontname",            kString,    &C::FontName,            "Arial", ""),
        Key("fontheight",          kInteger,   &C::FontHeight,          14,      0),
        Key("fontstyle",           kFontStyle, &C::FontStyle,           0,       0),
        Key("fontcolor",           kColor,     &C::FontColor,           0,       0),
        Key("focusfontcolor",      kColor,     &C::FocusFontColor,      0,       0),
        Key("listboxname",         kString,    &C::ListBoxName,         "",      ""),
        Key("buttonrect",          kRect,      &C::ButtonRect,          {},      {}),
        Key("activebuttonrect",    kRect,      &C::ActiveButtonRect,    {},      {}),
        Key("downbuttonrect",      kRect,      &C::DownButtonRect,      {},      {}),
        Key("unenabledbuttonrect", kRect,      &C::UnEnabledButtonRect, {},      {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinScrollBarControl> const& TspDataSkinScrollBarControl::Keys()
{
    using C = TspDataSkinScrollBarControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("trackarea",            kRect,    &C::TrackArea,            {}, {}),
        Key("upbuttonrect",         kRect,    &C::UpButtonRect,         {}, {}),
        Key("activeupbuttonrect",   kRect,    &C::ActiveUpButtonRect,   {}, {}),
        Key("downupbuttonrect",     kRect,    &C::DownUpButtonRect,     {}, {}),
        Key("downbuttonrect",       kRect,    &C::DownButtonRect,       {}, {}),
        Key("activedownbuttonrect", kRect,    &C::ActiveDownButtonRect, {}, {}),
        Key("downdownbuttonrect",   kRect,    &C::DownDownButtonRect,   {}, {}),
        Key("thumbrect",            kRect,    &C::ThumbRect,            {}, {}),
        Key("activethumbrect",      kRect,    &C::ActiveThumbRect,      {}, {}),
        Key("downthumbrect",        kRect,    &C::DownThumbRect,        {}, {}),
        Key("thumboffset1",         kInteger, &C::ThumbOffset1,         0,  0),
        Key("thumboffset2",         kInteger, &C::ThumbOffset2,         0,  0),
        Key("glyphrect",            kRect,    &C::GlyphRect,            {}, {}),
        Key("activeglyphrect",      kRect,    &C::ActiveGlyphRect,      {}, {}),
        Key("downglyphrect",        kRect,    &C::DownGlyphRect,        {}, {}),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinScrollBoxControl> const& TspDataSkinScrollBoxControl::Keys()
{
    using C = TspDataSkinScrollBoxControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("bgpictureindex", kInteger, &C::BGPictureIndex, -1, 0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinControlBar> const& TspDataSkinControlBar::Keys()
{
    using C = TspDataSkinControlBar;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("itemrect",       kRect,    &C::ItemRect,       {}, {}),
        Key("bgpictureindex", kInteger, &C::BGPictureIndex, -1, 0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinMainMenuBar> const& TspDataSkinMainMenuBar::Keys()
{
    using C = TspDataSkinMainMenuBar;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("itemsrect",            kRect,   &C::ItemsRect,            {}, {}),
        Key("menubaritem",          kString, &C::MenuBarItem,          "", ""),
        Key("closebutton",          kString, &C::CloseButton,          "", ""),
        Key("minbutton",            kString, &C::MinButton,            "", ""),
        Key("maxbutton",            kString, &C::MaxButton,            "", ""),
        Key("sysmenubutton",        kString, &C::SysMenuButton,        "", ""),
        Key("trackmarkcolor",       kColor,  &C::TrackMarkColor,       0,  0),
        Key("trackmarkactivecolor", kColor,  &C::TrackMarkActiveColor, 0,  0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinTabControl> const& TspDataSkinTabControl::Keys()
{
    using C = TspDataSkinTabControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("tabrect",          kRect,      &C::TabRect,          {},      {}),
        Key("activetabrect",    kRect,      &C::ActiveTabRect,    {},      {}),
        Key("focustabrect",     kRect,      &C::FocusTabRect,     {},      {}),
        Key("mouseintabrect",   kRect,      &C::MouseInTabRect,   {},      {}),
        Key("clientrect",       kRect,      &C::ClientRect,       {},      {}),
        Key("bgpictureindex",   kInteger,   &C::BGPictureIndex,   -1,      0),
        Key("lefttoppoint",     kPoint,     &C::LTPoint,          {},      {}),
        Key("righttoppoint",    kPoint,     &C::RTPoint,          {},      {}),
        Key("leftbottompoint",  kPoint,     &C::LBPoint,          {},      {}),
        Key("rightbottompoint", kPoint,     &C::RBPoint,          {},      {}),
        Key("tableftoffset",    kInteger,   &C::TabLeftOffset,    0,       0),
        Key("tabrightoffset",   kInteger,   &C::TabRightOffset,   0,       0),
        Key("tabsbgrect",       kRect,      &C::TabsBGRect,       {},      {}),
        Key("fontname",         kString,    &C::FontName,         "Arial", ""),
        Key("fontheight",       kInteger,   &C::FontHeight,       14,      0),
        Key("fontstyle",        kFontStyle, &C::FontStyle,        0,       0),
        Key("fontcolor",        kColor,     &C::FontColor,        0,       0),
        Key("activefontcolor",  kColor,     &C::ActiveFontColor,  0,       0),
        Key("focusfontcolor",   kColor,     &C::FocusFontColor,   0,       0),
        Key("mouseinfontcolor", kColor,     &C::MouseInFontColor, 0,       0),
        Key("updown",           kString,    &C::UpDown,           "",      ""),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinGridControl> const& TspDataSkinGridControl::Keys()
{
    using C = TspDataSkinGridControl;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fixedcellrect",        kRect,      &C::FixedCellRect,        {},      {}),
        Key("selectcellrect",       kRect,      &C::SelectCellRect,       {},      {}),
        Key("focuscellrect",        kRect,      &C::FocusCellRect,        {},      {}),
        Key("fixedcellleftoffset",  kInteger,   &C::FixedCellLeftOffset,  0,       0),
        Key("fixedcellrightoffset", kInteger,   &C::FixedCellRightOffset, 0,       0),
        Key("fixedcelltextrect",    kRect,      &C::FixedCellTextRect,    {},      {}),
        Key("cellleftoffset",       kInteger,   &C::CellLeftOffset,       0,       0),
        Key("cellrightoffset",      kInteger,   &C::CellRightOffset,      0,       0),
        Key("celltextrect",         kRect,      &C::CellTextRect,         {},      {}),
        Key("linescolor",           kColor,     &C::LinesColor,           0,       0),
        Key("bgcolor",              kColor,     &C::BGColor,              0,       0),
        Key("bgpictureindex",       kInteger,   &C::BGPictureIndex,       -1,      0),
        Key("fontname",             kString,    &C::FontName,             "Arial", ""),
        Key("fontheight",           kInteger,   &C::FontHeight,           14,      0),
        Key("fontstyle",            kFontStyle, &C::FontStyle,            0,       0),
        Key("fontcolor",            kColor,     &C::FontColor,            0,       0),
        Key("selectfontcolor",      kColor,     &C::SelectFontColor,      0,       0),
        Key("focusfontcolor",       kColor,     &C::FocusFontColor,       0,       0),
        Key("fixedfontname",        kString,    &C::FixedFontName,        "Arial", ""),
        Key("fixedfontheight",      kInteger,   &C::FixedFontHeight,      14,      0),
        Key("fixedfontstyle",       kFontStyle, &C::FixedFontStyle,       0,       0),
        Key("fixedfontcolor",       kColor,     &C::FixedFontColor,       0,       0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinTreeView> const& TspDataSkinTreeView::Keys()
{
    using C = TspDataSkinTreeView;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontname",   kString,    &C::FontName,   "Arial", ""),
        Key("fontheight", kInteger,   &C::FontHeight, 14,      0),
        Key("fontstyle",  kFontStyle, &C::FontStyle,  0,       0),
        Key("fontcolor",  kColor,     &C::FontColor,  0,       0),
        Key("bgcolor",    kColor,     &C::BGColor,    0,       16777215),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinListView> const& TspDataSkinListView::Keys()
{
    using C = TspDataSkinListView;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontname",   kString,    &C::FontName,   "Arial", ""),
        Key("fontheight", kInteger,   &C::FontHeight, 14,      0),
        Key("fontstyle",  kFontStyle, &C::FontStyle,  0,       0),
        Key("fontcolor",  kColor,     &C::FontColor,  0,       0),
        Key("bgcolor",    kColor,     &C::BGColor,    0,       16777215),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinRichEdit> const& TspDataSkinRichEdit::Keys()
{
    using C = TspDataSkinRichEdit;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("fontname",   kString,    &C::FontName,   "Arial", ""),
        Key("fontheight", kInteger,   &C::FontHeight, 14,      0),
        Key("fontstyle",  kFontStyle, &C::FontStyle,  0,       0),
        Key("fontcolor",  kColor,     &C::FontColor,  0,       0),
        Key("bgcolor",    kColor,     &C::BGColor,    0,       16777215),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinSlider> const& TspDataSkinSlider::Keys()
{
    using C = TspDataSkinSlider;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("bgcolor",     kColor,   &C::BGColor,     0,  0),
        Key("hrulerrect",  kRect,    &C::HRulerRect,  {}, {}),
        Key("hthumbrect",  kRect,    &C::HThumbRect,  {}, {}),
        Key("vrulerrect",  kRect,    &C::VRulerRect,  {}, {}),
        Key("vthumbrect",  kRect,    &C::VThumbRect,  {}, {}),
        Key("edgesize",    kInteger, &C::EdgeSize,    0,  0),
        Key("pointscolor", kColor,   &C::PointsColor, 0,  0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinBevel> const& TspDataSkinBevel::Keys()
{
    using C = TspDataSkinBevel;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("lightcolor", kColor, &C::LightColor, 0, 0),
        Key("darkcolor",  kColor, &C::DarkColor,  0, 0),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinFrameRegulator> const& TspDataSkinFrameRegulator::Keys()
{
    using C = TspDataSkinFrameRegulator;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("kind", kRegulatorKind, &C::Kind, rkRound, rkRound),
    };
    // clang-format on
    return keys;
}
TspDataSkinControl::TspDataSkinControl(std::string idName)
    : TspKeyedRoot(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinCustomControl::TspDataSkinCustomControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinFrameControl::TspDataSkinFrameControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinButtonControl::TspDataSkinButtonControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinMenuButtonControl::TspDataSkinMenuButtonControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinCheckRadioControl::TspDataSkinCheckRadioControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinPanelControl::TspDataSkinPanelControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinExPanelControl::TspDataSkinExPanelControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinLabelControl::TspDataSkinLabelControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinBitLabelControl::TspDataSkinBitLabelControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinStdLabelControl::TspDataSkinStdLabelControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinGaugeControl::TspDataSkinGaugeControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinTrackBarControl::TspDataSkinTrackBarControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinUpDownControl::TspDataSkinUpDownControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinEditControl::TspDataSkinEditControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinMemoControl::TspDataSkinMemoControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinSpinEditControl::TspDataSkinSpinEditControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinListBox::TspDataSkinListBox(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinCheckListBox::TspDataSkinCheckListBox(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinComboBox::TspDataSkinComboBox(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinScrollBarControl::TspDataSkinScrollBarControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinScrollBoxControl::TspDataSkinScrollBoxControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinControlBar::TspDataSkinControlBar(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinMainMenuBar::TspDataSkinMainMenuBar(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinTabControl::TspDataSkinTabControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinGridControl::TspDataSkinGridControl(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinTreeView::TspDataSkinTreeView(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinListView::TspDataSkinListView(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinRichEdit::TspDataSkinRichEdit(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinSlider::TspDataSkinSlider(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinBevel::TspDataSkinBevel(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}

TspDataSkinFrameRegulator::TspDataSkinFrameRegulator(std::string idName)
    : TspKeyed(std::move(idName))
{
    InitKeys(Keys(), *this);
}
void TspDataSkinFrameControl::LoadFromIni(TMemIniFile const& f)
{
    TspKeyed::LoadFromIni(f);
    if (FramesCount < 1)
        FramesCount = 1;
}

void TspDataSkinUpDownControl::LoadFromIni(TMemIniFile const& f)
{
    TspKeyed::LoadFromIni(f);
    LTPoint = RTPoint = LBPoint = RBPoint = TPoint {};
    ClientRect = TRect {};
}

std::unique_ptr<TspDataSkinControl> CreateSkinControl(std::string_view typeName, std::string const& idName)
{
    if (typeName == "button")
        return std::make_unique<TspDataSkinButtonControl>(idName);
    if (typeName == "menubutton")
        return std::make_unique<TspDataSkinMenuButtonControl>(idName);
    if (typeName == "checkradio")
        return std::make_unique<TspDataSkinCheckRadioControl>(idName);
    if (typeName == "panel")
        return std::make_unique<TspDataSkinPanelControl>(idName);
    if (typeName == "expanel")
        return std::make_unique<TspDataSkinExPanelControl>(idName);
    if (typeName == "label")
        return std::make_unique<TspDataSkinLabelControl>(idName);
    if (typeName == "bitlabel")
        return std::make_unique<TspDataSkinBitLabelControl>(idName);
    if (typeName == "stdlabel")
        return std::make_unique<TspDataSkinStdLabelControl>(idName);
    if (typeName == "gauge")
        return std::make_unique<TspDataSkinGaugeControl>(idName);
    if (typeName == "trackbar")
        return std::make_unique<TspDataSkinTrackBarControl>(idName);
    if (typeName == "splitter")
        return std::make_unique<TspDataSkinSplitterControl>(idName);
    if (typeName == "updown")
        return std::make_unique<TspDataSkinUpDownControl>(idName);
    if (typeName == "edit")
        return std::make_unique<TspDataSkinEditControl>(idName);
    if (typeName == "memo")
        return std::make_unique<TspDataSkinMemoControl>(idName);
    if (typeName == "spinedit")
        return std::make_unique<TspDataSkinSpinEditControl>(idName);
    if (typeName == "listbox")
        return std::make_unique<TspDataSkinListBox>(idName);
    if (typeName == "checklistbox")
        return std::make_unique<TspDataSkinCheckListBox>(idName);
    if (typeName == "combobox")
        return std::make_unique<TspDataSkinComboBox>(idName);
    if (typeName == "scrollbar")
        return std::make_unique<TspDataSkinScrollBarControl>(idName);
    if (typeName == "scrollbox")
        return std::make_unique<TspDataSkinScrollBoxControl>(idName);
    if (typeName == "controlbar")
        return std::make_unique<TspDataSkinControlBar>(idName);
    if (typeName == "mainmenubar")
        return std::make_unique<TspDataSkinMainMenuBar>(idName);
    if (typeName == "tab")
        return std::make_unique<TspDataSkinTabControl>(idName);
    if (typeName == "grid")
        return std::make_unique<TspDataSkinGridControl>(idName);
    if (typeName == "treeview")
        return std::make_unique<TspDataSkinTreeView>(idName);
    if (typeName == "listview")
        return std::make_unique<TspDataSkinListView>(idName);
    if (typeName == "richedit")
        return std::make_unique<TspDataSkinRichEdit>(idName);
    if (typeName == "slider")
        return std::make_unique<TspDataSkinSlider>(idName);
    if (typeName == "bevel")
        return std::make_unique<TspDataSkinBevel>(idName);
    if (typeName == "framegauge")
        return std::make_unique<TspDataSkinFrameGauge>(idName);
    if (typeName == "frameregulator")
        return std::make_unique<TspDataSkinFrameRegulator>(idName);
    if (typeName == "animate")
        return std::make_unique<TspDataSkinAnimateControl>(idName);
    if (typeName == "switch")
        return std::make_unique<TspDataSkinSwitchControl>(idName);
    return nullptr;
}

} // namespace xe::skin
