// The skinned form's active skin objects: creating them from the skin, the services they
// ask of the form, the mouse over them, and their hints.
#include "skin/form/SkinnedForm.h"
#include "skin/form/SkinnedFormInternal.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/FBitmap.h"
#include "skin/draw/LabelObjects.h"
#include "skin/draw/MainMenuItem.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/ValueSwitchAnimationObjects.h"
#include "skin/draw/WorkArea.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/TrayIcon.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace xe::skin {

using base::TPoint;
using base::TRect;
using tk::TMessage;

// ---------------------------------------------------------------------------------------
// Objects

void TspSkinnedForm::FreeObjects()
{
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    ObjectList.clear();
}

TspActiveSkinObject* TspSkinnedForm::Object(int index) const
{
    if (index < 0 || index >= int(ObjectList.size()))
        return nullptr;
    return ObjectList[size_t(index)].get();
}

namespace {

// The active object of a description record, or null for a record the frame does not draw:
// menu items, main-menu items and bar buttons are drawn by the menus. This is the one place
// that maps description classes to object classes (the descriptions know nothing of drawing);
// a derived description comes before its base.
std::unique_ptr<TspActiveSkinObject> MakeSkinObject(
    TSkinObjectHost* host, TspSkinData* skinData, TspDataSkinObject* data)
{
    if (dynamic_cast<TspDataSkinMainMenuBarButton*>(data) || dynamic_cast<TspDataSkinMainMenuItem*>(data)
        || dynamic_cast<TspDataSkinMenuItem*>(data))
        return nullptr;
    if (auto* s = dynamic_cast<TspDataSkinStdButton*>(data))
        return std::make_unique<TspSkinStdButtonObject>(host, skinData, s);
    if (auto* b = dynamic_cast<TspDataSkinButton*>(data))
        return std::make_unique<TspSkinButtonObject>(host, skinData, b);
    if (auto* c = dynamic_cast<TspDataSkinCaption*>(data))
        return std::make_unique<TspSkinCaptionObject>(host, skinData, c);
    if (auto* u = dynamic_cast<TspDataUserObject*>(data))
        return std::make_unique<TspUserObject>(host, skinData, u);
    if (auto* g = dynamic_cast<TspDataSkinGauge*>(data))
        return std::make_unique<TspSkinGaugeObject>(host, skinData, g);
    if (auto* sw = dynamic_cast<TspDataSkinSwitch*>(data))
        return std::make_unique<TspSkinSwitchObject>(host, skinData, sw);
    if (auto* t = dynamic_cast<TspDataSkinTrackBar*>(data))
        return std::make_unique<TspSkinTrackBarObject>(host, skinData, t);
    if (auto* l = dynamic_cast<TspDataSkinLabel*>(data))
        return std::make_unique<TspSkinLabelObject>(host, skinData, l);
    if (auto* a = dynamic_cast<TspDataSkinAnimate*>(data))
        return std::make_unique<TspSkinAnimateObject>(host, skinData, a);
    if (auto* bl = dynamic_cast<TspDataSkinBitLabel*>(data))
        return std::make_unique<TspSkinBitLabelObject>(host, skinData, bl);
    if (auto* r = dynamic_cast<TspDataSkinFrameRegulatorObject*>(data))
        return std::make_unique<TspSkinFrameRegulatorObject>(host, skinData, r);
    if (auto* fg = dynamic_cast<TspDataSkinFrameGaugeObject*>(data))
        return std::make_unique<TspSkinFrameGaugeObject>(host, skinData, fg);
    return nullptr;
}

} // namespace

void TspSkinnedForm::CreateSkinObjects()
{
    FreeObjects();
    if (!FSkinData)
        return;
    for (auto const& d : FSkinData->ObjectList)
        if (auto object = MakeSkinObject(this, FSkinData, d.get()))
            ObjectList.push_back(std::move(object));
    CreateMainMenuItems();
}

TspSkinCaptionObject* TspSkinnedForm::FirstCaption() const
{
    for (auto const& o : ObjectList)
        if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get()))
            return c;
    return nullptr;
}

void TspSkinnedForm::CreateDefaultButtons()
{
    FreeObjects();
    struct TDef {
        char const* Name;
        TspCommandKind Command;
    };
    static TDef const defs[] = { { "closebutton", cmClose }, { "maxbutton", cmMaximize },
        { "minbutton", cmMinimize }, { "rollupbutton", cmRollUp }, { "sysmenubutton", cmSysMenu },
        { "traybutton", cmMinimizeToTray } };
    for (TDef const& d : defs) {
        auto b = std::make_unique<TspSkinStdButtonObject>(this, FSkinData, nullptr);
        b->IDName = d.Name;
        b->StdCommand = d.Command;
        b->StdCaptionButton = true;
        b->NormalRect = b->ObjectRect = base::Rect(0, 0, 1, 1);
        ObjectList.push_back(std::move(b));
    }
    UpdateCaptionButtons();
}

namespace {

// The window command of a caption button or an animation object; null for other objects.
TspCommandKind const* CaptionCommand(TspActiveSkinObject const* o)
{
    if (auto const* b = dynamic_cast<TspSkinStdButtonObject const*>(o))
        return &b->StdCommand;
    if (auto const* a = dynamic_cast<TspSkinAnimateObject const*>(o))
        return &a->Command;
    return nullptr;
}

} // namespace

void TspSkinnedForm::UpdateCaptionButtons()
{
    for (auto const& o : ObjectList) {
        TspActiveSkinObject* b = o.get();
        TspCommandKind const* command = CaptionCommand(b);
        if (!command)
            continue;
        if (FHideCaptionButtons) {
            b->EnabledState = false;
            b->VisibleState = false;
            continue;
        }
        if (*command == cmDefault) {
            bool visible = false;
            if (OnActivateCustomObject)
                OnActivateCustomObject(b->IDName, visible);
            b->VisibleState = visible;
            continue;
        }
        TspBorderIcons icon = 0;
        switch (*command) {
        case cmMinimizeToTray:
            icon = biMinimizeToTray;
            break;
        case cmRollUp:
            icon = biRollUp;
            break;
        case cmMaximize:
            icon = biMaximize;
            break;
        case cmMinimize:
            icon = biMinimize;
            break;
        case cmSysMenu:
        case cmClose:
            // The close button goes with biSystemMenu. A form's border icons mean this
            // everywhere else (a window without a system menu has no close box), the
            // borderless rule hides every caption button with it, and the close command
            // stays within reach: Alt+F4 and the system menu's close item do not depend on
            // the button. Keeping the button would give BorderIcons a meaning of its own
            // for the skinned frame.
            icon = biSystemMenu;
            break;
        case cmDefault:
            break;
        }
        bool const on = (FBorderIcons & icon) != 0;
        b->EnabledState = on;
        b->VisibleState = on;
    }
    bool marked = false;
    for (auto const& o : ObjectList)
        if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get()); c && c->ShowsFormText) {
            c->SetCaptionText(FForm->Caption());
            marked = true;
        }
    if (!marked)
        if (TspSkinCaptionObject* c = FirstCaption()) {
            c->ShowsFormText = true;
            c->SetCaptionText(FForm->Caption());
        }
    ReloadObjectHints();
}

void TspSkinnedForm::ReloadObjectHints()
{
    if (!UseDefaultObjectHint || !FSkinData)
        return;
    TspResourceStrData* strings = FSkinData->ResourceStrData();
    for (auto const& o : ObjectList) {
        TspCommandKind const* command = CaptionCommand(o.get());
        if (!command)
            continue;
        char const* key = nullptr;
        char const* text = nullptr;
        switch (*command) {
        case cmClose:
            key = "CLOSEBUTTON_HINT", text = "Close";
            break;
        case cmMaximize:
            key = "MAXBUTTON_HINT", text = "Maximize";
            break;
        case cmMinimize:
            key = "MINBUTTON_HINT", text = "Minimize";
            break;
        case cmSysMenu:
            key = "MENUBUTTON_HINT", text = "System menu";
            break;
        case cmRollUp:
            key = "ROLLUPBUTTON_HINT", text = "Roll Up";
            break;
        case cmMinimizeToTray:
            key = "TRAYBUTTON_HINT", text = "Minimize to Tray";
            break;
        case cmDefault:
            break;
        }
        if (key)
            o->HintText = strings ? strings->GetResStr(key) : std::string(text);
    }
}

// ---------------------------------------------------------------------------------------
// Services of the objects

void TspSkinnedForm::MouseDownEvent(
    std::string const& idName, int x, int y, TRect const& objectRect, win::TMouseButton button)
{
    if (OnMouseDownEvent)
        OnMouseDownEvent(idName, x, y, objectRect, button);
}

void TspSkinnedForm::MouseUpEvent(
    std::string const& idName, int x, int y, TRect const& objectRect, win::TMouseButton button)
{
    if (OnMouseUpEvent)
        OnMouseUpEvent(idName, x, y, objectRect, button);
}

void TspSkinnedForm::MouseMoveEvent(std::string const& idName, int x, int y, TRect const& objectRect)
{
    if (OnMouseMoveEvent)
        OnMouseMoveEvent(idName, x, y, objectRect);
}

void TspSkinnedForm::MouseEnterEvent(std::string const& idName)
{
    if (OnMouseEnterEvent)
        OnMouseEnterEvent(idName);
}

void TspSkinnedForm::MouseLeaveEvent(std::string const& idName)
{
    if (OnMouseLeaveEvent)
        OnMouseLeaveEvent(idName);
}

void TspSkinnedForm::PaintEvent(std::string const& idName, gfx::TCanvas& canvas, TRect const& objectRect)
{
    if (OnPaintEvent)
        OnPaintEvent(idName, canvas, objectRect);
}

void TspSkinnedForm::SwitchChangeStateEvent(std::string const& idName, TSwitchState state)
{
    if (OnSwitchChangeStateEvent)
        OnSwitchChangeStateEvent(idName, state);
}

void TspSkinnedForm::TrackBarChangeValueEvent(std::string const& idName, int value)
{
    if (OnTrackBarChangeValueEvent)
        OnTrackBarChangeValueEvent(idName, value);
}

void TspSkinnedForm::FrameRegulatorChangeValueEvent(std::string const& idName, int value)
{
    if (OnFrameRegulatorChangeValueEvent)
        OnFrameRegulatorChangeValueEvent(idName, value);
}

TspActiveSkinObject* TspSkinnedForm::ObjectByIDName(std::string const& idName) const
{
    for (auto const& o : ObjectList)
        if (o->IDName == idName)
            return o.get();
    return nullptr;
}

bool TspSkinnedForm::SetObjectValue(std::string const& idName, int value)
{
    TspActiveSkinObject* o = ObjectByIDName(idName);
    return o && o->TakeValue(value);
}

bool TspSkinnedForm::SetObjectText(std::string const& idName, std::string const& text)
{
    TspActiveSkinObject* o = ObjectByIDName(idName);
    return o && o->TakeText(text);
}

bool TspSkinnedForm::StartAnimation(std::string const& idName)
{
    auto* a = dynamic_cast<TspSkinAnimateObject*>(ObjectByIDName(idName));
    if (!a)
        return false;
    a->Start();
    return true;
}

std::string TspSkinnedForm::FormCaption() const { return FForm->Caption(); }

TPoint TspSkinnedForm::FrameScreenOrigin() const { return { FForm->Left(), FForm->Top() }; }

// ---------------------------------------------------------------------------------------
// Mouse

TPoint TspSkinnedForm::WindowPoint(TMessage const& m) const
{
    TPoint const screen = win::LParamToPoint(m.LParam);
    return { screen.X - FForm->Left(), screen.Y - FForm->Top() };
}

// A client message's point; in the non-client mode moved into window coordinates.
TPoint TspSkinnedForm::ClientPoint(TMessage const& m) const
{
    TPoint p = win::LParamToPoint(m.LParam);
    if (FSupportNCArea) {
        TRect const client = win::GetClientAreaInWindow(FForm->Handle());
        p.X += client.Left;
        p.Y += client.Top;
    }
    return p;
}

bool TspSkinnedForm::IsCaptionObject(int index) const
{
    return dynamic_cast<TspSkinCaptionObject*>(Object(index)) != nullptr;
}

void TspSkinnedForm::ResetObjectStates()
{
    for (auto const& o : ObjectList) {
        o->MouseInside = false;
        o->ActiveState = false;
        if (auto* b = dynamic_cast<TspSkinButtonObject*>(o.get()))
            b->Pressed = false;
        else if (auto* a = dynamic_cast<TspSkinAnimateObject*>(o.get()))
            a->Reset();
        else if (auto* sw = dynamic_cast<TspSkinSwitchObject*>(o.get()))
            sw->ActiveState = sw->State() == swsOn; // a switch shows its state, not hover
        else if (auto* t = dynamic_cast<TspSkinTrackBarObject*>(o.get()))
            t->CancelDragging();
        else if (auto* r = dynamic_cast<TspSkinFrameRegulatorObject*>(o.get()))
            r->CancelDragging();
    }
}

void TspSkinnedForm::MouseTimerTick()
{
    if (!FSupportNCArea && !FSkinSupport)
        return;
    win::POINT cursor;
    win::GetCursorPos(&cursor);
    if (FSupportNCArea) {
        if (InSizeMove) {
            EnableTimer(MouseTimerId, FMouseTimer, false, 50);
            return;
        }
        TPoint const p { cursor.X - FForm->Left(), cursor.Y - FForm->Top() };
        if (!InArea(NewClRect, p))
            TestActive(p.X, p.Y, true);
        else if (ActiveObject != -1)
            TestActive(-1, -1, true);
    } else {
        if (!ClientDragging) {
            if (win::WindowFromPoint(cursor) == FForm->Handle()) {
                TPoint const c = FForm->ScreenToClient(cursor);
                TestActive(c.X, c.Y, true);
            } else {
                TestActive(-1, -1, false);
                MouseInside = false;
                EnableTimer(MouseTimerId, FMouseTimer, false, 50);
            }
        }
        if (UseSkinCursors)
            SetSkinCursor();
    }
}

void TspSkinnedForm::SetSkinCursor()
{
    if (!FSkinSupport)
        return;
    int index = FSkinData->FormCursorIndex;
    if (TspActiveSkinObject* o = Object(ActiveObject); o && o->CursorNumber != -1)
        index = o->CursorNumber;
    tk::TCursor const cursor = index == -1 ? tk::crDefault : tk::TCursor(FSkinData->StartCursorIndex + index);
    if (FForm->Cursor() != cursor)
        FForm->SetCursor(cursor);
}

void TspSkinnedForm::OnNcHitTest(TMessage& m)
{
    if (!FSupportNCArea && !FSkinSupport) {
        CallPrevious(m);
        return;
    }
    TPoint const screen = win::LParamToPoint(m.LParam);
    if (FSupportNCArea) {
        TPoint const p { screen.X - FForm->Left(), screen.Y - FForm->Top() };
        m.Result = FSkinSupport ? SkinHitTest(p) : DefaultHitTest(p);
        if (!FMouseTimer && m.Result == win::HTOBJECT) {
            TestActive(p.X, p.Y, true);
            EnableTimer(MouseTimerId, FMouseTimer, true, 50);
        }
        return;
    }
    TPoint const c = FForm->ScreenToClient(screen);
    if (!MouseInside) {
        MouseInside = true;
        TestActive(c.X, c.Y, true);
        EnableTimer(MouseTimerId, FMouseTimer, true, 50);
    }
    m.Result = ClientHitTest(c);
}

void TspSkinnedForm::ObjectMouseDown(TPoint p, win::TMouseButton button)
{
    if (FSupportNCArea) {
        TspActiveSkinObject* o = Object(ActiveObject);
        if (!o)
            return;
        // A caption press belongs to the window system's move loop: no capture.
        if (!IsCaptionObject(ActiveObject))
            win::SetCapture(FForm->Handle());
        MouseCaptureObject = ActiveObject;
        o->MouseDown(p.X, p.Y, button);
        return;
    }
    ClientDragging = false;
    TestActive(p.X, p.Y, true);
    if (TspActiveSkinObject* o = Object(ActiveObject)) {
        MouseCaptureObject = ActiveObject;
        o->MouseDown(p.X, p.Y, button);
    } else if (button == win::mbLeft && WindowState != wsMaximized && DraggAble) {
        ClientDragging = true;
        DragAnchor = FForm->ClientToScreen(p);
    }
}

void TspSkinnedForm::ObjectMouseUp(TPoint p, win::TMouseButton button)
{
    if (!FSupportNCArea)
        ClientDragging = false;
    int const captured = MouseCaptureObject;
    TspActiveSkinObject* o = Object(captured);
    MouseCaptureObject = -1;
    if (!o)
        return;
    if (FSupportNCArea && !IsCaptionObject(captured))
        win::ReleaseCapture();
    // The object may close the form: nothing of this component is used afterwards.
    o->MouseUp(p.X, p.Y, button);
}

void TspSkinnedForm::ObjectMouseMove(TPoint p)
{
    if (!FSupportNCArea && ClientDragging)
        return;
    if (TspActiveSkinObject* o = Object(MouseCaptureObject))
        o->MouseMove(p.X, p.Y);
    else if (TspActiveSkinObject* a = Object(ActiveObject))
        a->MouseMove(p.X, p.Y);
}

void TspSkinnedForm::ObjectDblClick()
{
    if (TspActiveSkinObject* o = Object(ActiveObject))
        o->DblClick();
}

void TspSkinnedForm::CaptionDblClick()
{
    if (!Sizeable)
        SetRollUpState(!FRollUpState);
    else if (WindowState == wsMinimized)
        ChangeWindowState(wsNormal);
    else if (WindowState == wsNormal) {
        if (!FRollUpState && (FBorderIcons & biMaximize))
            ChangeWindowState(wsMaximized);
        else
            SetRollUpState(!FRollUpState);
    } else if (MaxRollUpState)
        SetRollUpState(!FRollUpState);
    else
        ChangeWindowState(wsNormal);
}

void TspSkinnedForm::CaptionObjectDblClick()
{
    if (!IsCaptionObject(ActiveObject))
        return;
    if (FRollUpState)
        SetRollUpState(false);
    else if (Sizeable)
        ChangeWindowState(WindowState == wsNormal ? wsMaximized : wsNormal);
    else
        SetRollUpState(true);
}

void TspSkinnedForm::ClientDrag()
{
    win::POINT cursor;
    win::GetCursorPos(&cursor);
    if (cursor == DragAnchor)
        return;
    int x = FForm->Left() + cursor.X - DragAnchor.X;
    int y = FForm->Top() + cursor.Y - DragAnchor.Y;
    if (Magnetic)
        SnapToWorkArea(x, y, FForm->Width(), FForm->Height());
    FForm->SetBounds(x, y, FForm->Width(), FForm->Height());
    DragAnchor = cursor;
}

void TspSkinnedForm::StartDragging(int x, int y)
{
    if (WindowState == wsMaximized)
        return;
    ClientDragging = true;
    DragAnchor = { FForm->Left() + x, FForm->Top() + y };
}

void TspSkinnedForm::StopDragging() { ClientDragging = false; }

// Non-client messages after the form has had them; hit is the message's hit code.
void TspSkinnedForm::OnNcMouse(TMessage& m, int hit)
{
    TPoint const p = WindowPoint(m);
    switch (m.Msg) {
    case win::WM_NCMOUSEMOVE:
        ObjectMouseMove(p);
        break;
    case win::WM_NCLBUTTONDOWN:
        if (InSizeMove) {
            // The move or size loop that this press started has ended.
            InSizeMove = false;
            break;
        }
        TestActive(p.X, p.Y, true);
        ObjectMouseDown(p, win::mbLeft);
        if (hit == win::HTCAPTION)
            MouseCaptureObject = -1;
        break;
    case win::WM_NCLBUTTONUP:
        ObjectMouseUp(p, win::mbLeft);
        break;
    case win::WM_NCLBUTTONDBLCLK:
        TestActive(p.X, p.Y, true);
        ObjectMouseDown(p, win::mbLeft);
        ObjectDblClick();
        if (hit == win::HTCAPTION) {
            CaptionDblClick();
            MouseCaptureObject = -1;
        }
        break;
    case win::WM_NCRBUTTONDOWN:
        TestActive(p.X, p.Y, true);
        ObjectMouseDown(p, win::mbRight);
        if (hit == win::HTCAPTION) {
            MouseCaptureObject = -1;
            win::ReleaseCapture();
            win::POINT cursor;
            win::GetCursorPos(&cursor);
            ShowSystemMenu(cursor);
        }
        break;
    case win::WM_NCRBUTTONUP:
        ObjectMouseUp(p, win::mbRight);
        break;
    case win::WM_NCRBUTTONDBLCLK:
        TestActive(p.X, p.Y, true);
        ObjectMouseDown(p, win::mbRight);
        if (hit == win::HTCAPTION)
            MouseCaptureObject = -1;
        break;
    default:
        break;
    }
}

// Client messages after the form has had them.
void TspSkinnedForm::OnClientMouse(TMessage& m)
{
    TPoint const p = ClientPoint(m);
    if (FSupportNCArea) {
        switch (m.Msg) {
        case win::WM_MOUSEMOVE:
            // While an object holds the mouse it learns whether the mouse is still on it:
            // the captured mouse reaches the form as client messages even over the frame,
            // and a held button must light up again when the mouse comes back onto it.
            if (MouseCaptureObject != -1) {
                TestActive(p.X, p.Y, true);
                ObjectMouseMove(p);
            }
            break;
        case win::WM_LBUTTONUP:
            if (MouseCaptureObject != -1)
                TestActive(p.X, p.Y, true);
            ObjectMouseUp({ -1, -1 }, win::mbLeft);
            break;
        case win::WM_RBUTTONUP:
            if (MouseCaptureObject != -1)
                TestActive(p.X, p.Y, true);
            ObjectMouseUp({ -1, -1 }, win::mbRight);
            break;
        case win::WM_LBUTTONDBLCLK:
            ObjectMouseDown(p, win::mbLeft);
            ObjectDblClick();
            CaptionObjectDblClick();
            break;
        case win::WM_RBUTTONDBLCLK:
            ObjectMouseDown(p, win::mbRight);
            break;
        default:
            break;
        }
        return;
    }
    if (!FSkinSupport)
        return;
    switch (m.Msg) {
    case win::WM_MOUSEMOVE:
        ObjectMouseMove(p);
        if (ClientDragging)
            ClientDrag();
        break;
    case win::WM_LBUTTONDOWN:
        ObjectMouseDown(p, win::mbLeft);
        break;
    case win::WM_LBUTTONUP:
        ObjectMouseUp(p, win::mbLeft);
        break;
    case win::WM_LBUTTONDBLCLK:
        ObjectMouseDown(p, win::mbLeft);
        ObjectDblClick();
        CaptionObjectDblClick();
        break;
    case win::WM_RBUTTONDOWN:
        ObjectMouseDown(p, win::mbRight);
        break;
    case win::WM_RBUTTONUP:
        ObjectMouseUp(p, win::mbRight);
        break;
    case win::WM_RBUTTONDBLCLK:
        ObjectMouseDown(p, win::mbRight);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Object hints

TspSkinHint* TspSkinnedForm::SkinHint() const { return FSkinHint.Get(); }

void TspSkinnedForm::SetSkinHint(TspSkinHint* value) { FSkinHint = value; }

void TspSkinnedForm::ShowObjectHintOf(int index)
{
    TspActiveSkinObject const* o = Object(index);
    if (!o || o->HintText.empty() || !ShowObjectHint || !FSkinHint || !IsFormActive())
        return;
    // Below the pointer, as hints go.
    win::POINT cursor;
    win::GetCursorPos(&cursor);
    FSkinHint->ActivateHint({ cursor.X, cursor.Y + 20 }, o->HintText);
}

// Messages that end what hovers over the form: they hide the object hint and close an open
// skin menu, or leave the main menu's keyboard mode.
void TspSkinnedForm::MenuAndHintPreFilter(TMessage const& m)
{
    switch (m.Msg) {
    case win::WM_MOVE:
    case win::WM_SIZE:
    case win::WM_ACTIVATE:
    case win::WM_KILLFOCUS:
    case win::WM_CANCELMODE:
    case win::WM_MOUSEACTIVATE:
    case win::WM_NCLBUTTONDOWN:
    case win::WM_NCRBUTTONDOWN:
    case win::WM_NCMBUTTONDOWN:
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN:
    case win::WM_PARENTNOTIFY:
    case win::WM_DESTROY:
        break;
    default:
        return;
    }
    if (FSkinHint && FSkinHint->Visible())
        FSkinHint->HideHint();
    // Focus and activation changes leave an open menu be: under X the pointer may carry
    // the focus onto the menu's own window as it opens. The menu closes itself on a click
    // outside it.
    bool const focus
        = m.Msg == win::WM_ACTIVATE || m.Msg == win::WM_KILLFOCUS || m.Msg == win::WM_MOUSEACTIVATE;
    if (FSkinMenu && FSkinMenu->Visible()) {
        if (!focus)
            FSkinMenu->Close();
    } else if (FMainMenuKeyMode && (m.Msg != win::WM_ACTIVATE || win::LOWORD(m.WParam) == win::WA_INACTIVE))
        LeaveMainMenu();
}

} // namespace xe::skin
