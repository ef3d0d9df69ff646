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

    // Appends the look to SKINCONTROLS; its keys go to the section of the same name.
    void AddControl(std::string const& name, std::string const& type);
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
};

// Looks of the controls, one function a kind.
void AddButtonLooks(TControlTestSkin& skin); // button, toolbutton
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
