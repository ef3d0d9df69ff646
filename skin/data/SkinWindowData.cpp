#include "skin/data/SkinWindowData.h"

namespace xe::skin {

// Columns: key, kind, field, value when the key is missing, value of a new object.

TKeyTable<TspDataSkinPopupWindow> const& TspDataSkinPopupWindow::Keys()
{
    using C = TspDataSkinPopupWindow;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("windowpictureindex",      kInteger, &C::WindowPictureIndex,      -1,    -1),
        Key("maskpictureindex",        kInteger, &C::MaskPictureIndex,        -1,    -1),
        Key("lefttoppoint",            kPoint,   &C::LTPoint,                 {},    {}),
        Key("righttoppoint",           kPoint,   &C::RTPoint,                 {},    {}),
        Key("leftbottompoint",         kPoint,   &C::LBPoint,                 {},    {}),
        Key("rightbottompoint",        kPoint,   &C::RBPoint,                 {},    {}),
        Key("cursorindex",             kInteger, &C::CursorIndex,             -1,    -1),
        Key("itemsrect",               kRect,    &C::ItemsRect,               {},    {}),
        Key("scrollmarkercolor",       kColor,   &C::ScrollMarkerColor,       0,     0),
        Key("scrollmarkeractivecolor", kColor,   &C::ScrollMarkerActiveColor, 0,     0),
        Key("leftstretch",             kBoolean, &C::LeftStretch,             false, false),
        Key("rightstretch",            kBoolean, &C::RightStretch,            false, false),
        Key("topstretch",              kBoolean, &C::TopStretch,              false, false),
        Key("bottomstretch",           kBoolean, &C::BottomStretch,           false, false),
    };
    // clang-format on
    return keys;
}

TKeyTable<TspDataSkinHintWindow> const& TspDataSkinHintWindow::Keys()
{
    using C = TspDataSkinHintWindow;
    // clang-format off
    static TKeyTable<C> const keys {
        Key("windowpictureindex", kInteger,   &C::WindowPictureIndex, -1,      -1),
        Key("maskpictureindex",   kInteger,   &C::MaskPictureIndex,   -1,      -1),
        Key("lefttoppoint",       kPoint,     &C::LTPoint,            {},      {}),
        Key("righttoppoint",      kPoint,     &C::RTPoint,            {},      {}),
        Key("leftbottompoint",    kPoint,     &C::LBPoint,            {},      {}),
        Key("rightbottompoint",   kPoint,     &C::RBPoint,            {},      {}),
        Key("clientrect",         kRect,      &C::ClientRect,         {},      {}),
        Key("fontname",           kString,    &C::FontName,           "Arial", "Arial"),
        Key("fontheight",         kInteger,   &C::FontHeight,         14,      12),
        Key("fontstyle",          kFontStyle, &C::FontStyle,          0,       0),
        Key("fontcolor",          kColor,     &C::FontColor,          0,       0),
        Key("leftstretch",        kBoolean,   &C::LeftStretch,        false,   false),
        Key("rightstretch",       kBoolean,   &C::RightStretch,       false,   false),
        Key("topstretch",         kBoolean,   &C::TopStretch,         false,   false),
        Key("bottomstretch",      kBoolean,   &C::BottomStretch,      false,   false),
    };
    // clang-format on
    return keys;
}

TspDataSkinPopupWindow::TspDataSkinPopupWindow() { InitKeys(Keys(), *this); }

void TspDataSkinPopupWindow::LoadFromIni(TMemIniFile const& f, std::string_view section)
{
    LoadKeys(Keys(), *this, f, section);
}

void TspDataSkinPopupWindow::SaveToIni(TMemIniFile& f, std::string_view section) const
{
    f.EraseSection(section);
    SaveKeys(Keys(), *this, f, section);
}

TspDataSkinHintWindow::TspDataSkinHintWindow() { InitKeys(Keys(), *this); }

void TspDataSkinHintWindow::LoadFromIni(TMemIniFile const& f, std::string_view section)
{
    LoadKeys(Keys(), *this, f, section);
}

void TspDataSkinHintWindow::SaveToIni(TMemIniFile& f, std::string_view section) const
{
    f.EraseSection(section);
    SaveKeys(Keys(), *this, f, section);
}

} // namespace xe::skin
