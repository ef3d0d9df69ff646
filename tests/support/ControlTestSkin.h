#pragma once

// A skin for tests of the skinned controls, built in memory: every look is cut from a
// picture of its own whose state images are solid colours, so that a test tells from a
// pixel which image a control drew. Looks are added by appending: a control's tests add a
// function Add<Kind>Looks below and call it from MakeControlTestSkin.

#include "platform/base/Colors.h"
#include "platform/base/Geometry.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ini/MemIniFile.h"

#include <string>
#include <vector>

namespace xe::skin {
class TspSkinData;
}

namespace xe::test {

using base::RGB;
using base::TColor;
using base::TRect;

// Colours of the standard looks.
namespace skincolors {
// The 4-pixel border of every state image (its corner and band pieces).
constexpr TColor Edge = RGB(40, 40, 40);
// The rest of a picture, outside every image.
constexpr TColor Unused = RGB(255, 0, 128);
// button (and toolbutton): the client of each state image, and the font colours.
constexpr TColor ButtonNormal = RGB(200, 0, 0);
constexpr TColor ButtonActive = RGB(0, 200, 0);
constexpr TColor ButtonDown = RGB(0, 0, 200);
constexpr TColor ButtonDisabled = RGB(128, 128, 128);
constexpr TColor ButtonFont = RGB(255, 255, 0);
constexpr TColor ButtonActiveFont = RGB(0, 255, 255);
constexpr TColor ButtonDownFont = RGB(255, 0, 255);
constexpr TColor ButtonDisabledFont = RGB(90, 90, 90);
// listbox (and captionlistbox): the frame's client, the item images, the caption band, and
// the font colours; listscrollbar: the scroll bar those looks name.
constexpr TColor ListClient = RGB(10, 60, 10);
constexpr TColor ListItem = RGB(30, 30, 90);
constexpr TColor ListActiveItem = RGB(90, 30, 30);
constexpr TColor ListFocusItem = RGB(30, 90, 30);
constexpr TColor ListCaption = RGB(70, 70, 0);
constexpr TColor ListFont = RGB(250, 250, 250);
constexpr TColor ListActiveFont = RGB(250, 200, 0);
constexpr TColor ListFocusFont = RGB(0, 250, 200);
constexpr TColor ScrollTrack = RGB(60, 0, 60);
constexpr TColor ScrollUp = RGB(0, 120, 120);
constexpr TColor ScrollDown = RGB(120, 120, 0);
constexpr TColor ListScrollThumb = RGB(160, 80, 0);
constexpr TColor ScrollPressed = RGB(220, 220, 220);
// combobox: the frame's client, the chosen item's images, the button's and the fonts.
constexpr TColor ComboClient = RGB(0, 40, 80);
constexpr TColor ComboItem = RGB(40, 80, 0);
constexpr TColor ComboFocusItem = RGB(80, 0, 40);
constexpr TColor ComboButton = RGB(100, 100, 180);
constexpr TColor ComboButtonHot = RGB(100, 180, 100);
constexpr TColor ComboButtonDown = RGB(180, 100, 100);
constexpr TColor ComboButtonDisabled = RGB(150, 150, 150);
constexpr TColor ComboFont = RGB(240, 240, 100);
constexpr TColor ComboFocusFont = RGB(100, 240, 240);
// tab: the page's client, the tab images, the band behind the tabs and the fonts.
constexpr TColor TabClient = RGB(20, 20, 60);
constexpr TColor TabNormal = RGB(60, 20, 20);
constexpr TColor TabActive = RGB(20, 60, 20);
constexpr TColor TabFocus = RGB(60, 60, 20);
constexpr TColor TabHot = RGB(20, 60, 60);
constexpr TColor TabsBand = RGB(60, 20, 60);
constexpr TColor TabFont = RGB(255, 128, 0);
constexpr TColor TabActiveFont = RGB(128, 255, 0);
constexpr TColor TabFocusFont = RGB(0, 128, 255);
constexpr TColor TabHotFont = RGB(255, 0, 0);
// mainmenubar: the bar, its item object's images and fonts, its buttons' images.
constexpr TColor MenuBar = RGB(30, 30, 30);
constexpr TColor MenuItem = RGB(50, 100, 150);
constexpr TColor MenuItemHot = RGB(150, 100, 50);
constexpr TColor MenuItemDown = RGB(100, 150, 50);
constexpr TColor MenuItemFont = RGB(255, 255, 254);
constexpr TColor MenuItemHotFont = RGB(255, 254, 0);
constexpr TColor MenuItemDownFont = RGB(0, 254, 255);
constexpr TColor MenuItemDisabledFont = RGB(128, 128, 127);
constexpr TColor MenuClose = RGB(200, 50, 50);
constexpr TColor MenuMin = RGB(50, 200, 50);
constexpr TColor MenuMax = RGB(50, 50, 200);
constexpr TColor MenuSys = RGB(200, 200, 50);
constexpr TColor MenuButtonHot = RGB(250, 150, 150);
constexpr TColor MenuButtonDown = RGB(150, 150, 250);
// checkbox and radiobox: backgrounds, the 10x10 check images and the font colours.
struct TCheckColors {
    TColor Back, ActiveBack, On, Off, OnActive, OffActive, OnDisabled, OffDisabled, Font, ActiveFont,
        DisabledFont;
};
constexpr TCheckColors CheckBox { RGB(0, 100, 0), RGB(0, 100, 100), RGB(250, 0, 0), RGB(0, 0, 250),
    RGB(250, 150, 0), RGB(0, 150, 250), RGB(120, 0, 0), RGB(0, 0, 120), RGB(255, 255, 1), RGB(1, 255, 255),
    RGB(91, 91, 91) };
constexpr TCheckColors RadioBox { RGB(0, 101, 0), RGB(0, 101, 101), RGB(251, 0, 0), RGB(0, 0, 251),
    RGB(251, 150, 0), RGB(0, 150, 251), RGB(121, 0, 0), RGB(0, 0, 121), RGB(255, 255, 2), RGB(2, 255, 255),
    RGB(92, 92, 92) };
// panel (caption centred, no background picture) and groupbox (caption rectangle 4,4,16,16
// left-aligned, a 2x2 background picture of GroupBg1 and GroupBg2 tiled over the client).
constexpr TColor PanelClient = RGB(50, 50, 150);
constexpr TColor PanelFont = RGB(255, 200, 0);
constexpr TColor GroupClient = RGB(60, 160, 60);
constexpr TColor GroupBg1 = RGB(10, 200, 10);
constexpr TColor GroupBg2 = RGB(10, 10, 200);
constexpr TColor GroupFont = RGB(255, 250, 250);
// label (text in its client rectangle) and stdlabel (text only).
constexpr TColor LabelClient = RGB(150, 50, 50);
constexpr TColor LabelFont = RGB(250, 250, 0);
constexpr TColor StdLabelFont = RGB(0, 0, 255);
constexpr TColor StdLabelActiveFont = RGB(255, 0, 0);
// gauge and vgauge: the frame's client, and the progress image's begin, middle and end
// pieces (3 pixels at each end), drawn in the progress area 4,4,16,16.
constexpr TColor GaugeBack = RGB(30, 30, 30);
constexpr TColor BarBegin = RGB(255, 128, 0);
constexpr TColor BarMiddle = RGB(0, 255, 0);
constexpr TColor BarEnd = RGB(128, 0, 255);
constexpr TColor GaugeFont = RGB(255, 255, 254);
// statusbar (panel class, client rectangle 4,4,16,16) and statuspanel (label class).
constexpr TColor StatusClient = RGB(70, 70, 70);
constexpr TColor StatusPanelClient = RGB(0, 90, 90);
constexpr TColor StatusPanelFont = RGB(255, 254, 255);
// edit and memo: the client of the normal and the active (focused, hot) image, the font
// colours and the memo's text-area colours.
constexpr TColor EditNormal = RGB(230, 210, 170);
constexpr TColor EditActive = RGB(170, 230, 210);
constexpr TColor EditFont = RGB(120, 0, 0);
constexpr TColor EditActiveFont = RGB(0, 0, 120);
constexpr TColor EditDisabledFont = RGB(0, 120, 0);
constexpr TColor MemoBG = RGB(250, 240, 200);
constexpr TColor MemoActiveBG = RGB(200, 240, 250);
// trackbar (vertical) and htrackbar: the track's client and the thumb images.
constexpr TColor TrackNormal = RGB(150, 150, 210);
constexpr TColor Thumb = RGB(255, 128, 0);
constexpr TColor ThumbActive = RGB(128, 255, 0);
// hscrollbar and vscrollbar: the bar, the buttons by state, the thumb (its ends and its
// middle by state) and the grip glyph by state.
constexpr TColor ScrollBar = RGB(100, 100, 160);
constexpr TColor UpButton = RGB(10, 60, 110);
constexpr TColor UpButtonActive = RGB(20, 70, 120);
constexpr TColor UpButtonDown = RGB(30, 80, 130);
constexpr TColor DownButton = RGB(110, 60, 10);
constexpr TColor DownButtonActive = RGB(120, 70, 20);
constexpr TColor DownButtonDown = RGB(130, 80, 30);
constexpr TColor ThumbEnd = RGB(60, 0, 60);
constexpr TColor ScrollThumb = RGB(200, 100, 200);
constexpr TColor ScrollThumbActive = RGB(210, 110, 210);
constexpr TColor ScrollThumbDown = RGB(220, 120, 220);
constexpr TColor Glyph = RGB(0, 40, 0);
constexpr TColor GlyphActive = RGB(0, 50, 0);
constexpr TColor GlyphDown = RGB(0, 60, 0);
}

class TControlTestSkin {
public:
    // State images are StateSize square, side by side from x = 0; each has a border of
    // StateEdge pixels in skincolors::Edge around a client of its own colour.
    static constexpr int StateSize = 20;
    static constexpr int StateEdge = 4;
    static TRect StateRect(int index);

    // A new active picture of the size, filled with skincolors::Unused; its index.
    int AddPicture(int width, int height);
    // A picture holding one state image per colour; its index.
    int AddStatePicture(std::vector<TColor> const& clients);
    // Paints a solid rectangle on a picture (check images, glyphs, bars).
    void Paint(int picture, TRect const& rect, TColor color);
    // Paints a state image (border and client) into rect of a picture.
    void PaintState(int picture, TRect const& rect, TColor client);

    // Appends the look to SKINCONTROLS; its keys go to the section of the same name.
    void AddControl(std::string const& name, std::string const& type);
    // Appends a skin object to SKINOBJECTS; its keys go to the section of the same name.
    void AddObject(std::string const& name, std::string const& type);
    void Set(std::string const& section, std::string const& key, std::string const& value);
    void SetInt(std::string const& section, std::string const& key, int value);
    void SetRect(std::string const& section, std::string const& key, TRect const& rect);
    void SetColor(std::string const& section, std::string const& key, TColor color);
    // pictureindex, skinrect = state image 0 and the corner points and client rectangle of
    // a state image.
    void SetStateLook(std::string const& section, int picture);

    // The uncompressed package, and the skin loaded from it (with the change messages).
    std::string Package() const;
    void LoadInto(skin::TspSkinData& data) const;

    std::vector<gfx::TBitmap> Pictures;
    ini::TMemIniFile Ini;

private:
    std::vector<std::string> FControls;
    std::vector<std::string> FObjects;
};

// Looks of the controls, one function a kind.
void AddButtonLooks(TControlTestSkin& skin); // button, toolbutton
// listbox, captionlistbox, listscrollbar: items 12 high at (0,20) of the picture (normal,
// active, focus), the caption image 14 high, scroll pieces 12 square.
void AddListLooks(TControlTestSkin& skin);
// combobox: the item images 20x12, the buttons 10x20 kept beside the frame image; its list
// is the listbox look.
void AddComboLooks(TControlTestSkin& skin);
// tab: tab images 20x12 at (0,20) of the picture (normal, active, focus, mouse-in) and the
// band behind them; the page is the state image.
void AddTabLooks(TControlTestSkin& skin);
// mainmenubar (the bar 40x16 with its items' area 4 in from either end) and the skin
// objects it names: testmenubaritem (images 30x14, text 4 in from either end) and the four
// buttons testmenubarclose/min/max/sys (12x12; hot and pressed images shared).
void AddMenuBarLooks(TControlTestSkin& skin);
// checkbox, radiobox: backgrounds StateRect(0) and (1); check images 10x10 in a row at y 20
// (check, uncheck, active check, active uncheck, disabled check, disabled uncheck), drawn at
// checkimagearea 4,5,14,15; text area 15,2,18,18.
void AddCheckRadioLooks(TControlTestSkin& skin);
void AddPanelLooks(TControlTestSkin& skin); // panel, groupbox, statusbar
void AddLabelLooks(TControlTestSkin& skin); // label, stdlabel, statuspanel
void AddGaugeLooks(TControlTestSkin& skin); // gauge, vgauge
// edit and memo: state images 0 normal, 1 active.
void AddEditLooks(TControlTestSkin& skin);
// htrackbar: a 20 x 20 track with trackarea 4,0,16,20 and a 6 x 10 thumb; trackbar: the same
// turned (trackarea 0,4,20,16, a 10 x 6 thumb).
void AddTrackBarLooks(TControlTestSkin& skin);
// hscrollbar: a 40 x 10 bar with trackarea 10,0,30,10 (10-pixel buttons), a 12 x 10 thumb
// with 2-pixel ends (thumboffset1, 2) and a 4 x 4 glyph; vscrollbar: the same turned.
void AddScrollBarLooks(TControlTestSkin& skin);

// Every look above.
TControlTestSkin MakeControlTestSkin();

} // namespace xe::test
