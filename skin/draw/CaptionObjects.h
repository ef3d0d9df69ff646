#pragma once

#include "skin/data/SkinTypes.h"
#include "skin/draw/ActiveSkinObject.h"

#include <string>

namespace xe::skin {

class TspDataSkinButton;
class TspDataSkinCaption;
class TspDataSkinStdButton;

// The text shortened to fit width pixels on the canvas's font: whole characters are taken
// off the end until the rest followed by "..." fits or nothing is left; the result then ends
// in "...". A text that fits is returned unchanged.
std::string ShortenText(gfx::TCanvas& canvas, std::string const& text, int width);

// The part of the frame that shows the form's title. It rebuilds its image at the size of
// ObjectRect from the frame picture, draws the form's caption on it (shortened with "..."),
// and in client mode starts dragging the form.
class TspSkinCaptionObject : public TspActiveSkinObject {
public:
    TspSkinCaptionObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinCaption* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseDown(int x, int y, win::TMouseButton button) override;
    void MouseUp(int x, int y, win::TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Stores the text and has the form redraw the caption at once.
    void SetCaptionText(std::string const& text);
    std::string const& CaptionText() const { return FCaptionText; }

    // How the image grows with the frame: 0 keeps NormalRect's size; 1 top, 2 bottom, 3 left,
    // 4 right band.
    int PlacementClass() const;
    // The image of source rectangle s of picture at the size of ObjectRect.
    void BuildImage(gfx::TBitmap& image, gfx::TBitmap const& picture, base::TRect const& s) const;
    // The text rectangle on the current frame, relative to ObjectRect.
    base::TRect CurrentTextRect() const;
    // Draws the form's caption text with the text rectangle's origin at (x0, y0).
    void DrawCaptionText(gfx::TCanvas& canvas, int x0, int y0, bool active) const;

    bool ShowsFormText = false; // this caption shows the form's caption text
    std::string FontName; // fontname
    gfx::TFontStyles FontStyle = 0; // fontstyle
    int FontHeight = 14; // fontheight
    base::TColor FontColor = 0; // fontcolor
    base::TColor ActiveFontColor = 0; // activefontcolor
    base::TColor ShadowColor = 0; // shadowcolor
    base::TColor ActiveShadowColor = 0; // activeshadowcolor
    bool Shadow = false; // shadow
    TAlignment Alignment = taCenter; // alignment
    base::TRect TextRect; // textrect, relative to NormalRect
    bool DefaultCaption = false; // defaultcaption
    base::TRect FrameRect; // framerect, in OwnPicture
    base::TRect ActiveFrameRect; // activeframerect, in OwnPicture
    int FrameLeftOffset = 0; // frameleftoffset
    int FrameRightOffset = 0; // framerightoffset
    base::TRect FrameTextRect; // frametextrect: where the text sits in the text frame

private:
    void PaintImage(gfx::TCanvas& canvas, gfx::TBitmap const& image, bool throughInactiveEffect) const;
    std::string FCaptionText;
};

// A picture button of the frame with normal, hot, pressed and disabled images, an optional
// group (one pressed button per group) and an optional popup menu.
class TspSkinButtonObject : public TspActiveSkinObject {
public:
    TspSkinButtonObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinButton* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseDown(int x, int y, win::TMouseButton button) override;
    void MouseUp(int x, int y, win::TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SetPressed(bool value);
    // Pops the menu up under (or above) the button.
    void ShowPopup();
    bool InGroup() const { return GroupIndex != -1; }

    bool Pressed = false;
    bool PopupAbove = false;
    base::TRect PressedRect; // downrect, in OwnPicture
    base::TRect DisabledRect; // disableskinrsect, in OwnPicture
    int GroupIndex = -1; // groupindex; -1: no group
    TspSkinPopupSource* PopupItem = nullptr; // not owned
};

// A caption button carrying a window command (close, maximise, minimise, system menu,
// roll-up, tray, custom). Made without a description it draws a plain default look with the
// command's glyph.
class TspSkinStdButtonObject : public TspSkinButtonObject {
public:
    TspSkinStdButtonObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinStdButton* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void DblClick() override;
    void MouseDown(int x, int y, win::TMouseButton button) override;
    void MouseUp(int x, int y, win::TMouseButton button) override;
    bool CanMorph() const override;

    void ExecuteCommand();
    // Whether the command's state (maximised, minimised, rolled up) selects the restore images.
    bool CommandStateOn() const;

    bool FromSkin = false; // made from a description
    TspCommandKind StdCommand = cmDefault; // command
    bool StdCaptionButton = false; // placed with the caption buttons
    base::TRect RestoreRect; // restorerect, in OwnPicture
    base::TRect RestoreHotRect; // restoreactiverect
    base::TRect RestorePressedRect; // restoredownrect

private:
    void DrawDefault(gfx::TCanvas& canvas);
    bool ShowsFormIcon() const;
};

} // namespace xe::skin
