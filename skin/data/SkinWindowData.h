#pragma once

#include "skin/data/SkinKeys.h"

#include <string>

namespace xe::skin {

// A named rectangle of section SKINAREAS.
struct TspDataSkinArea {
    std::string IDName;
    TRect AreaRect;
};

// Frame of popup menu windows (section POPUPWINDOW). The keys, kinds and both defaults
// are the table Keys() in SkinWindowData.cpp. The container only reads the section;
// SaveToIni writes the same keys back, in the same order.
class TspDataSkinPopupWindow {
public:
    TspDataSkinPopupWindow();
    void LoadFromIni(TMemIniFile const& f, std::string_view section);
    void SaveToIni(TMemIniFile& f, std::string_view section) const;
    static TKeyTable<TspDataSkinPopupWindow> const& Keys();

    int WindowPictureIndex {}; // windowpictureindex: picture framing a popup
    int MaskPictureIndex {}; // maskpictureindex
    TPoint LTPoint; // lefttoppoint: corner cutting points
    TPoint RTPoint; // righttoppoint
    TPoint LBPoint; // leftbottompoint
    TPoint RBPoint; // rightbottompoint
    int CursorIndex {}; // cursorindex
    TRect ItemsRect; // itemsrect: area of the items
    TColor ScrollMarkerColor {}; // scrollmarkercolor
    TColor ScrollMarkerActiveColor {}; // scrollmarkeractivecolor: marker under the mouse
    bool LeftStretch {}; // leftstretch: stretched (true) or tiled (false)
    bool RightStretch {}; // rightstretch
    bool TopStretch {}; // topstretch
    bool BottomStretch {}; // bottomstretch
};

// Frame and text of hint windows (section HINTWINDOW). A new object has font height 12;
// loading without the key gives 14.
class TspDataSkinHintWindow {
public:
    TspDataSkinHintWindow();
    void LoadFromIni(TMemIniFile const& f, std::string_view section);
    void SaveToIni(TMemIniFile& f, std::string_view section) const;
    static TKeyTable<TspDataSkinHintWindow> const& Keys();

    int WindowPictureIndex {}; // windowpictureindex
    int MaskPictureIndex {}; // maskpictureindex
    TPoint LTPoint; // lefttoppoint
    TPoint RTPoint; // righttoppoint
    TPoint LBPoint; // leftbottompoint
    TPoint RBPoint; // rightbottompoint
    TRect ClientRect; // clientrect: text area
    std::string FontName; // fontname
    int FontHeight {}; // fontheight
    TFontStyles FontStyle {}; // fontstyle
    TColor FontColor {}; // fontcolor
    bool LeftStretch {}; // leftstretch
    bool RightStretch {}; // rightstretch
    bool TopStretch {}; // topstretch
    bool BottomStretch {}; // bottomstretch
};

} // namespace xe::skin
