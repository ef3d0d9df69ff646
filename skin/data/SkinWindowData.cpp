#include "skin/data/SkinWindowData.h"

namespace xe::skin {

void TspDataSkinPopupWindow::LoadFromIni(TMemIniFile const& f, std::string_view s)
{
    WindowPictureIndex = ReadInt(f, s, "windowpictureindex", -1);
    MaskPictureIndex = ReadInt(f, s, "maskpictureindex", -1);
    LTPoint = ReadPoint(f, s, "lefttoppoint");
    RTPoint = ReadPoint(f, s, "righttoppoint");
    LBPoint = ReadPoint(f, s, "leftbottompoint");
    RBPoint = ReadPoint(f, s, "rightbottompoint");
    CursorIndex = ReadInt(f, s, "cursorindex", -1);
    ItemsRect = ReadRect(f, s, "itemsrect");
    ScrollMarkerColor = ReadColor(f, s, "scrollmarkercolor");
    ScrollMarkerActiveColor = ReadColor(f, s, "scrollmarkeractivecolor");
    LeftStretch = ReadBoolean(f, s, "leftstretch");
    RightStretch = ReadBoolean(f, s, "rightstretch");
    TopStretch = ReadBoolean(f, s, "topstretch");
    BottomStretch = ReadBoolean(f, s, "bottomstretch");
}

void TspDataSkinHintWindow::LoadFromIni(TMemIniFile const& f, std::string_view s)
{
    WindowPictureIndex = ReadInt(f, s, "windowpictureindex", -1);
    MaskPictureIndex = ReadInt(f, s, "maskpictureindex", -1);
    LTPoint = ReadPoint(f, s, "lefttoppoint");
    RTPoint = ReadPoint(f, s, "righttoppoint");
    LBPoint = ReadPoint(f, s, "leftbottompoint");
    RBPoint = ReadPoint(f, s, "rightbottompoint");
    ClientRect = ReadRect(f, s, "clientrect");
    FontName = ReadStr(f, s, "fontname", "Arial");
    FontHeight = ReadInt(f, s, "fontheight", 14);
    FontStyle = ReadFontStyles(f, s, "fontstyle");
    FontColor = ReadColor(f, s, "fontcolor");
    LeftStretch = ReadBoolean(f, s, "leftstretch");
    RightStretch = ReadBoolean(f, s, "rightstretch");
    TopStretch = ReadBoolean(f, s, "topstretch");
    BottomStretch = ReadBoolean(f, s, "bottomstretch");
}

} // namespace xe::skin
