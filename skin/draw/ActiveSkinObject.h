#pragma once

#include "platform/base/Geometry.h"
#include "platform/windows/WinDefs.h"
#include "skin/data/SkinTypes.h"

#include <string>

namespace xe::gfx {
class TBitmap;
class TCanvas;
}

namespace xe::tk {
class TMenuItem;
}

namespace xe::skin {

class TspActiveSkinObject;
class TspDataSkinObject;
class TspSkinData;

// Window commands that caption buttons ask of their form.
enum TspWindowCommand {
    wcClose,
    wcMaximize, // maximise, or restore a maximised form
    wcMinimize, // minimise, or restore a minimised form
    wcMinimizeToTray,
    wcRollUp, // roll up, or down when rolled up
};

// The two states of a skin switch.
enum TSwitchState { swsOn, swsOff };

// A menu that a skin button can pop up. The form shows it; the button only knows whether
// there is anything to show.
class TspSkinPopupSource {
public:
    virtual ~TspSkinPopupSource() = default;
    virtual bool HasItems() const = 0;
};

// What an active skin object needs from the form that holds it. TspSkinnedForm implements
// it; skin objects never see the form itself. Event calls stand for the form's application
// events (OnMouseDownEvent, ...): the form skips those the application did not assign.
class TSkinObjectHost {
public:
    virtual ~TSkinObjectHost() = default;

    // Whether the frame is drawn as the active one.
    virtual bool IsFormActive() const = 0;
    // Starts the form's morph timer (every 20 ms it calls MorphStep on each fading object).
    virtual void StartMorphTimer() = 0;
    // Draws the object at once on the form's window with Draw(canvas, true); the form skips an
    // object that does not belong to the frame shown now (rolled up or normal).
    virtual void RedrawObject(TspActiveSkinObject& object) = 0;

    virtual void MouseDownEvent(
        std::string const& idName, int x, int y, base::TRect const& objectRect, win::TMouseButton button)
        = 0;
    virtual void MouseUpEvent(
        std::string const& idName, int x, int y, base::TRect const& objectRect, win::TMouseButton button)
        = 0;
    virtual void MouseMoveEvent(std::string const& idName, int x, int y, base::TRect const& objectRect) = 0;
    virtual void MouseEnterEvent(std::string const& idName) = 0;
    virtual void MouseLeaveEvent(std::string const& idName) = 0;
    virtual void PaintEvent(std::string const& idName, gfx::TCanvas& canvas, base::TRect const& objectRect)
        = 0;

    // Form state the caption and its buttons draw from. The defaults describe a plain,
    // normal-sized form with the frame in the non-client area.
    virtual bool SupportNCArea() const { return true; }
    virtual bool RollUpState() const { return false; }
    virtual bool FormMaximized() const { return false; }
    virtual bool FormMinimized() const { return false; }
    virtual bool ShowIcon() const { return false; }
    virtual bool AlwaysMinimizeToTray() const { return false; }
    // The form's caption text (ANSI).
    virtual std::string FormCaption() const { return {}; }
    // Character set of the form's default caption font.
    virtual int DefCaptionCharset() const { return 1; }
    // Draws the form's small icon with its top-left corner at (x, y).
    virtual void DrawFormIcon(gfx::TCanvas& canvas, int x, int y) { (void)canvas, (void)x, (void)y; }

    // The form's objects in list order (button groups look at their fellows).
    virtual int ObjectCount() const { return 0; }
    virtual TspActiveSkinObject* Object(int index) const
    {
        (void)index;
        return nullptr;
    }

    // Window commands; the form decides what each does in its current state.
    virtual void WindowCommand(TspWindowCommand command) { (void)command; }
    // Client-mode dragging by the caption: starts at a point in frame coordinates, stops.
    virtual void StartDragging(int x, int y) { (void)x, (void)y; }
    virtual void StopDragging() { }
    // What a system-menu button pops up: the form's system menu, or none.
    virtual TspSkinPopupSource* SystemMenuSource() { return nullptr; }
    // Where the frame's origin is on the screen.
    virtual base::TPoint FrameScreenOrigin() const { return {}; }
    // Shows the menu at a rectangle in screen coordinates, opening above it when asked.
    virtual void PopupMenuAt(TspSkinPopupSource& menu, base::TRect const& screenRect, bool above)
    {
        (void)menu, (void)screenRect, (void)above;
    }

    // Starts the form's animation timer (every 25 ms it steps each running animation object)
    // unless it is running.
    virtual void StartAnimateTimer() { }
    // Value events of switches, track bars and frame regulators.
    virtual void SwitchChangeStateEvent(std::string const& idName, TSwitchState state)
    {
        (void)idName, (void)state;
    }
    virtual void TrackBarChangeValueEvent(std::string const& idName, int value) { (void)idName, (void)value; }
    virtual void FrameRegulatorChangeValueEvent(std::string const& idName, int value)
    {
        (void)idName, (void)value;
    }

    // The main menu bar: its area on the frame and the frame's client rectangle (frame
    // coordinates), and the mark that the bar is in use. Setting the mark fires the form's
    // OnMainMenuEnter, clearing it OnMainMenuExit, each only when the mark changes.
    virtual base::TRect MainMenuArea() const { return {}; }
    virtual base::TRect FrameClientRect() const { return {}; }
    virtual bool MainMenuActive() const { return false; }
    virtual void SetMainMenuActive(bool value) { (void)value; }
    // Closes any open menu of the form and shows the sub-items of menu under (or above) a
    // rectangle in screen coordinates, for a main-menu item object.
    virtual void PopupMainMenu(TspActiveSkinObject& item, tk::TMenuItem& menu, base::TRect const& screenRect)
    {
        (void)item, (void)menu, (void)screenRect;
    }
};

// A live rectangle of a skinned frame: it changes its image when the mouse is over it, fades
// between its normal and hot images, and reports mouse activity through the form's events.
// Rectangles of the description are in the coordinates of the picture they cut; ObjectRect
// is where the object stands on the current frame. An empty rectangle means no such image.
class TspActiveSkinObject {
public:
    // Takes its fields from the description record when there is one. An activepictureindex
    // that names no active picture leaves the object without OwnPicture and makes the hot
    // rectangle null, in the object and in the record.
    TspActiveSkinObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinObject* data);
    virtual ~TspActiveSkinObject() = default;
    TspActiveSkinObject(TspActiveSkinObject const&) = delete;
    TspActiveSkinObject& operator=(TspActiveSkinObject const&) = delete;

    // Update is true when the object is drawn by itself over a frame image that does not hold
    // it, false when it is drawn as part of the whole frame.
    virtual void Draw(gfx::TCanvas& canvas, bool update);
    virtual void DblClick();
    virtual void MouseDown(int x, int y, win::TMouseButton button);
    virtual void MouseUp(int x, int y, win::TMouseButton button);
    virtual void MouseMove(int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // True while a fade is under way.
    virtual bool CanMorph() const;
    // The application's hold on an object by its name: an object with a value (gauges, track
    // bars, frame gauges and regulators) or a text (labels, bit labels) takes it as its
    // SetValue or SetTextValue does and answers true; any other ignores it and answers false.
    virtual bool TakeValue(int value)
    {
        (void)value;
        return false;
    }
    virtual bool TakeText(std::string const& text)
    {
        (void)text;
        return false;
    }

    // Starts the morph timer when morphing, else has the form redraw the object now.
    void RequestRedraw();
    // One fade step (0.2 toward the current state), then an immediate redraw.
    void MorphStep();
    double MorphFactor() const { return FMorphFactor; }
    void SetMorphFactor(double value); // clamped to 0..1

    TSkinObjectHost* Form = nullptr; // owner, not owned
    bool MouseInside = false;
    gfx::TBitmap* FramePicture = nullptr; // picture, or rolluppicture for a rolled-up object
    gfx::TBitmap* OwnPicture = nullptr; // active picture activepictureindex, or none
    TspSkinData* SkinData = nullptr; // not owned
    std::string IDName; // section name of the description
    std::string HintText; // hint
    base::TRect NormalRect; // skinrect: the normal image
    base::TRect HotRect; // activeskinrect: the hot image, in OwnPicture
    base::TRect InactiveRect; // inactiveskinrect: the image for an inactive form, in OwnPicture
    bool MorphEnabled = false; // morphing
    TspMorphKind MorphMode = mkDefault; // morphkind
    base::TRect ObjectRect; // place on the current frame; starts as NormalRect
    bool ActiveState = false; // hot; the caption keeps the form's activity here
    bool EnabledState = true;
    int CursorNumber = -1; // cursorindex
    bool OnRollUpFrame = false; // rollup
    bool VisibleState = true;
    bool NormalInOwnPicture = false; // skinrectinapicture: NormalRect lies in OwnPicture

protected:
    // Copies rect of picture onto ObjectRect, scaled when the sizes differ. Nothing for no
    // picture or an empty rectangle.
    void CopyToObjectRect(gfx::TCanvas& canvas, gfx::TBitmap const* picture, base::TRect const& rect) const;
    // The picture that NormalRect cuts.
    gfx::TBitmap const* NormalPicture() const { return NormalInOwnPicture ? OwnPicture : FramePicture; }
    // Paints the normal image morphed toward the hot one by MorphFactor.
    void DrawMorphed(gfx::TCanvas& canvas) const;
    // For objects that do not change on hover: marks the mouse in or out (and the object hot
    // or not, with hot) and fires the form's enter or leave event, drawing nothing.
    void NoteMouse(bool inside, bool hot);

private:
    double FMorphFactor = 0; // 0 shows the normal image, 1 the hot one
};

// An object the application draws itself, through the form's OnPaintEvent.
class TspUserObject : public TspActiveSkinObject {
public:
    using TspActiveSkinObject::TspActiveSkinObject;
    void Draw(gfx::TCanvas& canvas, bool update) override;
};

} // namespace xe::skin
