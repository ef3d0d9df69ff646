#pragma once

#include "skin/data/SkinValues.h"

#include <string>

namespace xe::skin {

// A named rectangle of section SKINAREAS.
struct TspDataSkinArea {
    std::string IDName;
    TRect AreaRect;
};

// Frame of popup menu windows (section POPUPWINDOW). Read only; a description is never
// written back from it.
class TspDataSkinPopupWindow {
public:
    void LoadFromIni(TMemIniFile const& f, std::string_view section);

    int WindowPictureIndex = -1; // windowpictureindex -1: picture framing a popup
    int MaskPictureIndex = -1; // maskpictureindex -1
    TPoint LTPoint; // lefttoppoint 0,0: corner cutting points
    TPoint RTPoint; // righttoppoint 0,0
    TPoint LBPoint; // leftbottompoint 0,0
    TPoint RBPoint; // rightbottompoint 0,0
    int CursorIndex = -1; // cursorindex -1
    TRect ItemsRect; // itemsrect 0,0,0,0: area of the items
    TColor ScrollMarkerColor = 0; // scrollmarkercolor 0
    TColor ScrollMarkerActiveColor = 0; // scrollmarkeractivecolor 0
    bool LeftStretch = false; // leftstretch 0: stretched (1) or tiled (0)
    bool RightStretch = false; // rightstretch 0
    bool TopStretch = false; // topstretch 0
    bool BottomStretch = false; // bottomstretch 0
};

// Frame and text of hint windows (section HINTWINDOW). A new object has font height 12;
// loading without the key gives 14.
class TspDataSkinHintWindow {
public:
    void LoadFromIni(TMemIniFile const& f, std::string_view section);

    int WindowPictureIndex = -1; // windowpictureindex -1
    int MaskPictureIndex = -1; // maskpictureindex -1
    TPoint LTPoint; // lefttoppoint 0,0
    TPoint RTPoint; // righttoppoint 0,0
    TPoint LBPoint; // leftbottompoint 0,0
    TPoint RBPoint; // rightbottompoint 0,0
    TRect ClientRect; // clientrect 0,0,0,0: text area
    std::string FontName = "Arial"; // fontname "Arial"
    int FontHeight = 12; // fontheight 14
    TFontStyles FontStyle = 0; // fontstyle none
    TColor FontColor = 0; // fontcolor 0
    bool LeftStretch = false; // leftstretch 0
    bool RightStretch = false; // rightstretch 0
    bool TopStretch = false; // topstretch 0
    bool BottomStretch = false; // bottomstretch 0
};

} // namespace xe::skin
