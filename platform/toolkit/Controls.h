#pragma once

#include "platform/base/Colors.h"
#include "platform/base/Geometry.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/toolkit/Component.h"
#include "platform/windows/WinDefs.h"

#include <functional>
#include <string>
#include <vector>

namespace xe::tk {

using base::TColor;
using base::TPoint;
using base::TRect;
using win::mbLeft;
using win::mbMiddle;
using win::mbRight;
using win::TMouseButton;

class TWinControl;
class TForm;
class TPopupMenu;

// Keyboard and mouse state of a mouse event.
using TShiftState = uint32_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent
    = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
// Key events: a handler may change the key, or set it to 0 to swallow it.
using TKeyEvent = std::function<void(TComponent* sender, win::WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;

// A window message as a control's WindowProc sees it.
struct TMessage {
    win::UINT Msg = 0;
    win::WPARAM WParam = 0;
    win::LPARAM LParam = 0;
    win::LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

// Control style flags; ControlStyle() is a set of them.
using TControlStyle = uint32_t;
constexpr TControlStyle csCaptureMouse = 1; // a left press captures the mouse until the release
constexpr TControlStyle csClickEvents = 2; // a left press and release inside makes a click
constexpr TControlStyle csOpaque = 4; // paints every pixel of its rectangle
constexpr TControlStyle csSetCaption = 8; // the name is copied into the caption while designing
constexpr TControlStyle csFramed = 16;
constexpr TControlStyle csAcceptsControls = 32;
constexpr TControlStyle csFocusable = 64; // takes the keyboard focus (by a click, Tab or SetFocus)
constexpr TControlStyle csWantTabs = 128; // when focused, Tab goes to it instead of moving the focus

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Cursors: the standard shapes are negative; 0 means "the parent's (or the system's)".
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
// The window-system cursor of a TCursor: a standard shape, or one registered with
// SetCustomCursor (positive numbers); the arrow for anything else, null for crNone.
win::HCURSOR CursorHandle(TCursor cursor);
void SetCustomCursor(TCursor cursor, win::HCURSOR handle);

// How a control is placed in its parent when the parent's client area changes.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAnchors = uint32_t;
constexpr TAnchors akLeft = 1;
constexpr TAnchors akTop = 2;
constexpr TAnchors akRight = 4;
constexpr TAnchors akBottom = 8;

// Limits on a control's size; 0 means no limit.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool operator==(TSizeConstraints const&) const = default;
};

// TShiftState from the key and button flags of a mouse message.
TShiftState ShiftStateFromKeys(win::WPARAM keys);

// A visual component: a rectangle on its parent's client area with a caption, a font and a
// colour (each optionally taken from the parent), visibility, enabled state and mouse
// events. Bounds are in the parent's client coordinates.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    char const* ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    // The form the control lies on (itself for a form), or null.
    TForm* GetParentForm() const;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return base::Bounds(FLeft, FTop, FWidth, FHeight); }
    virtual TRect ClientRect() const { return base::Rect(0, 0, FWidth, FHeight); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual TPoint ClientToScreen(TPoint point) const;
    virtual TPoint ScreenToClient(TPoint point) const;

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible too.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    std::string const& Caption() const { return FCaption; } // ANSI code page
    virtual void SetCaption(std::string const& value);

    // The font. Changing it makes the control keep its own font (ParentFont false).
    gfx::TFont& Font() { return FFont; }
    gfx::TFont const& Font() const { return FFont; }
    void SetFont(gfx::TFont const& font) { FFont.Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);

    // The cursor over the control; crDefault takes the parent's.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    std::string const& Hint() const { return FHint; }
    void SetHint(std::string const& value) { FHint = value; }
    // ShowHint follows the parent's while ParentShowHint is set; setting it clears that.
    bool ShowHint() const;
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value) { FParentShowHint = value; }
    // Opened at the mouse by a right click on the control (the control does not own it).
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* value);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    TSizeConstraints const& Constraints() const { return FConstraints; }
    // Applies the limits to the current size at once.
    void SetConstraints(TSizeConstraints const& value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }

    // Whether the mouse is captured for this control (the form's window holds the capture).
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Keyboard focus. Only controls with csFocusable in their style take it; the form keeps
    // the focused one as its ActiveControl and sends it the key messages. TabOrder is the
    // control's place in its parent's tab list (-1 without a parent); Tab and Shift+Tab
    // move the focus along it, to controls with TabStop.
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }
    int TabOrder() const;
    void SetTabOrder(int value);
    // Focusable, visible and enabled, and so is every parent below the form (the form
    // itself may still be hidden).
    virtual bool CanFocus() const;
    bool Focused() const;
    // Makes the control the form's ActiveControl; raises EInvalidOperation when it cannot
    // take the focus.
    void SetFocus();

    // Marks the control's rectangle for painting at the next WM_PAINT.
    virtual void Invalidate();
    // Paints the control now: an opaque control draws straight onto its parent's surface
    // (with whatever lies above it); otherwise the parent repaints that rectangle at once.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Paints whatever is invalid in the window now.
    virtual void Update();
    void BringToFront();
    void SendToBack();

    // The message entry of a windowless control; the parent routes mouse messages here in
    // the control's own client coordinates. A component may replace it (and restore it).
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& message);
    void Perform(win::UINT msg, win::WPARAM wParam = 0, win::LPARAM lParam = 0);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnEnter; // the control got the focus
    TNotifyEvent OnExit; // the control lost the focus
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void DefineProperties(TProperties& properties) override;

    // Parent font or colour changed; controls that follow it copy it.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();

    // Toolkit-internal messages for enter/leave (the classic CM_MOUSEENTER/CM_MOUSELEAVE).
    static constexpr win::UINT CM_MOUSEENTER = 0xB013;
    static constexpr win::UINT CM_MOUSELEAVE = 0xB014;
    // The control got (CM_ENTER) or lost (CM_EXIT) the focus: DoEnter / DoExit.
    static constexpr win::UINT CM_ENTER = 0xB00A;
    static constexpr win::UINT CM_EXIT = 0xB00B;
    // The form's window became active (CM_ACTIVATE) or inactive (CM_DEACTIVATE); sent to
    // the form's focused control, which keeps the focus either way.
    static constexpr win::UINT CM_ACTIVATE = 0xB000;
    static constexpr win::UINT CM_DEACTIVATE = 0xB001;

    // Paints this control's content with origin at its top-left; graphic controls override.
    virtual void PaintTo(gfx::TCanvas&) { }

    virtual void Click();
    virtual void DblClick();
    // Alt+key reached the form (key: the letter or digit, upper case). A control whose
    // caption marks that key ("&Save") acts as if clicked and returns true.
    virtual bool DialogChar(char) { return false; }

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // WM_MOUSEWHEEL: wheelDelta in WHEEL_DELTA units (120 a notch, positive away from the
    // user), mousePos on the screen. Returns whether the control took it; the form then
    // offers an untaken turn to the focused control.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    // CM_MOUSEENTER / CM_MOUSELEAVE: fire OnMouseEnter / OnMouseLeave.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // WM_KEYDOWN / WM_KEYUP / WM_CHAR reaching the focused control: fire the key events.
    // An override handles the key and sets it to 0 when it took it.
    virtual void KeyDown(win::WORD& key, TShiftState shift);
    virtual void KeyUp(win::WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // CM_ENTER / CM_EXIT: fire OnEnter / OnExit.
    virtual void DoEnter();
    virtual void DoExit();
    virtual void FontChanged();
    virtual void TextChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    virtual void VisibleChanged();
    virtual void BoundsChanged(TRect const& oldBounds);
    // The canvas font for drawing this control (the control's font).
    void PrepareFont(gfx::TCanvas& canvas) const;
    // Sets the bounds fields alone (a form follows its window with it).
    void UpdateBoundsRect(TRect const& bounds);
    // Pieces of DefineProperties that descendants pick from.
    void DefineCaptionProperty(TProperties& properties);
    void DefineColorProperties(TProperties& properties);
    void DefineFontProperties(TProperties& properties);
    // Cursor, hints, popup menu, align, anchors and constraints.
    void DefineLayoutProperties(TProperties& properties);
    // TabOrder and TabStop, for focusable controls; tabStopDefault is the class's default.
    void DefineTabProperties(TProperties& properties, bool tabStopDefault);
    // The size within Constraints.
    int ConstrainWidth(int width) const;
    int ConstrainHeight(int height) const;

    TControlStyle FControlStyle = csCaptureMouse | csClickEvents;

private:
    friend class TWinControl;
    void HandleMouseMessage(TMessage& message);
    void HandleKeyMessage(TMessage& message);
    // Gives up the focus when this control, or one inside it, has it.
    void RemoveFocus();

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FCaption;
    gfx::TFont FFont;
    bool FParentFont = true;
    bool FSettingParentFont = false;
    TColor FColor = base::clWindow;
    bool FParentColor = true;
    bool FClicked = false;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TComponentRef<TPopupMenu> FPopupMenu;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    TSizeConstraints FConstraints;
    bool FTabStop = false;
};

// A control without a window of its own: it paints on its parent's surface, in z-order
// (creation order, bottom to top), and gets its mouse input through the parent's client
// messages.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    char const* ClassName() const override { return "TGraphicControl"; }

    // Valid inside Paint(): the parent's canvas with the origin at the control's top-left,
    // clipped to the control's rectangle.
    gfx::TCanvas& Canvas() const;
    bool HasCanvas() const { return FCanvas != nullptr; }

    void PaintTo(gfx::TCanvas& canvas) override;

protected:
    virtual void Paint() { }
    // Sets or clears csOpaque; true when that changed it. A control that is not opaque
    // shows what lies below it.
    bool SetOpaque(bool value);

private:
    gfx::TCanvas* FCanvas = nullptr;
};

// A control that contains others. Here only forms are windowed controls: they own the
// window and draw their graphic children on its surface.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    char const* ClassName() const override { return "TWinControl"; }

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(size_t(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The topmost visible control containing the client point; disabled ones only when
    // allowDisabled. Null when none.
    TControl* ControlAtPos(TPoint point, bool allowDisabled = false) const;
    // Moves the control in the z-order (0 = bottom).
    void SetChildOrder(TControl* control, int order);
    // The children in tab order, and the focusable controls inside this one (depth first,
    // in tab order), which Tab walks.
    std::vector<TControl*> const& TabList() const { return FTabList; }
    void GetTabOrderList(std::vector<TControl*>& list) const;
    // Whether control is this one or lies inside it.
    bool ContainsControl(TControl const* control) const;
    // Sends the message to every child's WindowProc, and on into children that hold
    // controls.
    void Broadcast(TMessage& message);

    // Paints the graphic controls that intersect clip (client coordinates), bottom to top,
    // starting with `from` (all when null).
    void PaintControls(gfx::TCanvas& canvas, TRect const& clip, TControl* from = nullptr);

    // The control that has the mouse captured, and the one the mouse is over.
    TControl* CaptureControl() const { return FCaptureControl; }
    void SetCaptureControl(TControl* control);
    TControl* MouseControl() const { return FMouseControl; }
    // Sends CM_MOUSELEAVE to the old and CM_MOUSEENTER to the new control under the mouse.
    void UpdateMouseControl(TControl* control);

    void Notification(TComponent* component, TOperation operation) override;

    // Handle of the window showing the client area (the form's), or null.
    virtual win::HWND WindowHandle() const { return nullptr; }

    void ColorChangedNotify();

    // Places the aligned controls in the client area and moves the anchored ones with its
    // edges; run when the client size changes and when a control's alignment does.
    void AlignControls(bool force = false);
    // The control under the client point's cursor: its own, or the parent's up the chain.
    TCursor CursorAt(TPoint client) const;

protected:
    void FontChanged() override;
    // Routes a client mouse message to the control it belongs to; true when one took it.
    bool RouteMouseMessage(TMessage& message);
    // The window lost the capture to someone else.
    void CaptureLost();

private:
    friend class TControl;
    std::vector<TControl*> FControls;
    std::vector<TControl*> FTabList;
    base::TSize FAlignedClient { -1, -1 }; // the client size the anchors were last taken at
    bool FAligning = false;
    TControl* FCaptureControl = nullptr;
    TControl* FMouseControl = nullptr;
};

// The stored properties of a font that a component owns, as "<prefix>.Charset", ".Color",
// ".Height", ".Name" and ".Style"; values equal to def are not written. changed runs after
// each one read.
void DefineFontProperties(TProperties& properties, std::string const& prefix, gfx::TFont& font,
    gfx::TFont const& def, std::function<void()> changed = {});

} // namespace xe::tk
