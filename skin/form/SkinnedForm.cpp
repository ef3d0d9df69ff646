// TspSkinnedForm: the component that gives its owner form a skin. This file holds its
// construction, its properties, the window procedure that every message of the form passes
// through, and showing the window. The rest lives beside it, one file a concern:
//   SkinnedFormSkin.cpp      skin changes, the active state, timers
//   SkinnedFormFrame.cpp     frame geometry, hit testing, painting
//   SkinnedFormObjects.cpp   the skin objects, their services, the mouse, hints
//   SkinnedFormCommands.cpp  window commands, alpha blending, the system menu
//   SkinnedFormMainMenu.cpp  the main menu in the caption band
// The system menus: SystemMenu()/SetSystemMenu() are the user's menu (the stored property);
// OwnSystemMenu() is the one the component fills when there is none; BuildSystemMenu() fills
// whichever is shown and ShowSystemMenu() opens it; SystemMenuSource() is what a skin's
// system-menu button asks for to pop it up.
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
// Construction and destruction

TspSkinnedForm::TspSkinnedForm(tk::TComponent* owner)
    : tk::TComponent(owner)
{
    FForm = dynamic_cast<tk::TForm*>(owner);
    if (!FForm)
        throw base::EInvalidOperation("TspSkinnedForm must be owned by a form");
    FDefCaptionFont.SetName("Arial");
    FDefCaptionFont.SetHeight(14);
    FDefCaptionFont.SetStyle(gfx::fsBold);
    FDefCaptionFont.SetColor(base::clBtnText);
    FDefInActiveCaptionFont.Assign(FDefCaptionFont);
    FDefInActiveCaptionFont.SetColor(base::clBtnShadow);
    FDefMenuItemFont.SetName("Arial");
    FDefMenuItemFont.SetHeight(14);
    FDefMenuItemFont.SetColor(base::clWindowText);
    FSkinData.SetOnFree([this] { SkinDataFreed(); });
    FMainMenu.SetOnFree([this] { MainMenuFreed(); });
    FOwnSysMenu = new tk::TPopupMenu(this);
    FTrayMenu = new tk::TPopupMenu(this);
    FSkinMenu = new TspSkinPopupMenu(this);
    FSkinMenu->OnClose = [this] { SkinMenuClosed(); };

    // The component draws its own caption buttons.
    FForm->SetBorderIcons(0);
    // The skin decides the form's size (its minimum, the picture's size in client mode, the
    // roll-up strip): a form that sized itself to its controls would fight it, and a scroll
    // bar would sit inside the skin's client picture. The toolkit's forms keep both settings
    // only to read and write them; they do nothing there either, as no form of the system
    // sizes to its controls or scrolls.
    FForm->SetAutoSize(false);
    FForm->SetAutoScroll(false);
    FPreviousShortCut = FForm->OnShortCut;
    FForm->OnShortCut = [this](tk::TWMKey& key, bool& handled) {
        if (FPreviousShortCut)
            FPreviousShortCut(key, handled);
        if (!handled)
            MainMenuShortCut(key, handled);
    };
    if (IsDesigning())
        return;
    FActivated = FForm->Active();
    FOldWindowProc = FForm->WindowProc;
    FForm->WindowProc = [this](TMessage& m) { WindowProc(m); };
    if (win::HWND h = FForm->Handle()) {
        auto style = win::GetWindowLongPtr(h, win::GWL_STYLE);
        win::SetWindowLongPtr(h, win::GWL_STYLE, style & ~win::LONG_PTR(win::WS_CAPTION));
        // The frame is measured again through the new window procedure.
        win::SetWindowPos(h, nullptr, 0, 0, 0, 0,
            win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE
                | win::SWP_FRAMECHANGED);
    }
}

TspSkinnedForm::~TspSkinnedForm()
{
    if (!IsDesigning() && FForm && FOldWindowProc) {
        FForm->WindowProc = FOldWindowProc;
        StopTimers();
        // A form that goes away takes its window with it; only a form that stays gets its
        // plain frame back.
        bool const formGoes = (FForm->ComponentState() & tk::csDestroying) != 0;
        if (win::HWND h = FForm->Handle(); h && win::IsWindow(h) && !formGoes) {
            if (FFrameRegion)
                win::SetWindowRgn(h, nullptr, win::TRUE);
            // Back to the window system's own frame.
            win::SetWindowPos(h, nullptr, 0, 0, 0, 0,
                win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE
                    | win::SWP_FRAMECHANGED);
        }
    }
    ObjectList.clear();
    HookMainMenu(nullptr);
    ReleaseTrayIcon();
    if (FForm)
        FForm->OnShortCut = std::move(FPreviousShortCut);
}

void TspSkinnedForm::DefineProperties(tk::TProperties& p)
{
    tk::TComponent::DefineProperties(p);
    p.Integer(
        "ClientWidth", [this] { return ClientWidth; }, [this](int64_t v) { ClientWidth = int(v); });
    p.Integer(
        "ClientHeight", [this] { return ClientHeight; }, [this](int64_t v) { ClientHeight = int(v); });
    p.Boolean(
        "HideCaptionButtons", [this] { return FHideCaptionButtons; },
        [this](bool v) { SetHideCaptionButtons(v); });
    p.Boolean(
        "AlwaysShowInTray", [this] { return AlwaysShowInTray; }, [this](bool v) { AlwaysShowInTray = v; });
    p.Binary(
        "LogoBitMap", [this] { return FLogoData; },
        [this](tk::TBinaryData const& v) {
            tk::TPicture picture;
            picture.LoadFromData(v);
            FLogoBitMap = picture.Bitmap();
            FLogoData = v;
        });
    p.Boolean(
        "LogoBitMapTransparent", [this] { return LogoBitMapTransparent; },
        [this](bool v) { LogoBitMapTransparent = v; });
    p.Boolean(
        "AlwaysMinimizeToTray", [this] { return FAlwaysMinimizeToTray; },
        [this](bool v) { FAlwaysMinimizeToTray = v; });
    p.Boolean(
        "UseSkinFontInMenu", [this] { return UseSkinFontInMenu; }, [this](bool v) { UseSkinFontInMenu = v; },
        true);
    p.Boolean(
        "ShowIcon", [this] { return FShowIcon; }, [this](bool v) { SetShowIcon(v); });
    p.Boolean(
        "MaximizeOnFullScreen", [this] { return MaximizeOnFullScreen; },
        [this](bool v) { MaximizeOnFullScreen = v; });
    auto repaintFrame = [this] {
        if (!IsLoading() && !IsDesigning() && !FSkinSupport)
            SendNcPaint();
    };
    DefineFontProperties(p, "DefCaptionFont", FDefCaptionFont, DefaultCaptionFont(false), repaintFrame);
    DefineFontProperties(
        p, "DefInActiveCaptionFont", FDefInActiveCaptionFont, DefaultCaptionFont(true), repaintFrame);
    p.Reference(
        "SkinHint", [this] { return static_cast<tk::TComponent*>(FSkinHint.Get()); },
        [this](tk::TComponent* c) { SetSkinHint(dynamic_cast<TspSkinHint*>(c)); });
    p.Boolean(
        "ShowObjectHint", [this] { return ShowObjectHint; }, [this](bool v) { ShowObjectHint = v; });
    p.Boolean(
        "UseDefaultObjectHint", [this] { return UseDefaultObjectHint; },
        [this](bool v) { UseDefaultObjectHint = v; }, true);
    p.Boolean(
        "UseSkinCursors", [this] { return UseSkinCursors; }, [this](bool v) { UseSkinCursors = v; });
    p.Integer(
        "DefMenuItemHeight", [this] { return DefMenuItemHeight; },
        [this](int64_t v) {
            if (v > 0)
                DefMenuItemHeight = int(v);
        },
        20);
    DefineFontProperties(p, "DefMenuItemFont", FDefMenuItemFont, DefaultMenuItemFont());
    p.Boolean(
        "UseDefaultSysMenu", [this] { return UseDefaultSysMenu; }, [this](bool v) { UseDefaultSysMenu = v; },
        true);
    p.Boolean(
        "SupportNCArea", [this] { return FSupportNCArea; }, [this](bool v) { SetSupportNCArea(v); }, true);
    p.Boolean(
        "AlphaBlendAnimation", [this] { return AlphaBlendAnimation; },
        [this](bool v) { AlphaBlendAnimation = v; });
    p.Integer(
        "AlphaBlendValue", [this] { return FAlphaBlendValue; },
        [this](int64_t v) { SetAlphaBlendValue(int(std::clamp<int64_t>(v, 0, 255))); }, 200);
    p.Boolean(
        "AlphaBlend", [this] { return FAlphaBlend; }, [this](bool v) { SetAlphaBlend(v); });
    p.Boolean(
        "MenusAlphaBlend", [this] { return MenusAlphaBlend; }, [this](bool v) { MenusAlphaBlend = v; });
    p.Boolean(
        "MenusAlphaBlendAnimation", [this] { return MenusAlphaBlendAnimation; },
        [this](bool v) { MenusAlphaBlendAnimation = v; });
    p.Integer(
        "MenusAlphaBlendValue", [this] { return MenusAlphaBlendValue; },
        [this](int64_t v) { MenusAlphaBlendValue = int(std::clamp<int64_t>(v, 0, 255)); }, 200);
    p.Reference(
        "SkinData", [this] { return static_cast<tk::TComponent*>(FSkinData.Get()); },
        [this](tk::TComponent* c) { SetSkinData(dynamic_cast<TspSkinData*>(c)); });
    p.Reference(
        "MenusSkinData", [this] { return static_cast<tk::TComponent*>(FMenusSkinData.Get()); },
        [this](tk::TComponent* c) { SetMenusSkinData(dynamic_cast<TspSkinData*>(c)); });
    p.Reference(
        "MainMenu", [this] { return static_cast<tk::TComponent*>(FMainMenu.Get()); },
        [this](tk::TComponent* c) { SetMainMenu(dynamic_cast<tk::TMainMenu*>(c)); });
    p.Reference(
        "MainMenuBar", [this] { return static_cast<tk::TComponent*>(FMainMenuBar.Get()); },
        [this](tk::TComponent* c) { SetMainMenuBar(dynamic_cast<TspSkinMainMenuBar*>(c)); });
    p.Reference(
        "SystemMenu", [this] { return static_cast<tk::TComponent*>(FSystemMenu.Get()); },
        [this](tk::TComponent* c) { SetSystemMenu(dynamic_cast<tk::TPopupMenu*>(c)); });
    p.Reference(
        "TrayIcon", [this] { return static_cast<tk::TComponent*>(FTrayIcon.Get()); },
        [this](tk::TComponent* c) { SetTrayIcon(dynamic_cast<TspTrayIcon*>(c)); });
    p.Integer(
        "MinHeight", [this] { return MinHeight; }, [this](int64_t v) { MinHeight = int(v); });
    p.Integer(
        "MinWidth", [this] { return MinWidth; }, [this](int64_t v) { MinWidth = int(v); });
    p.Boolean(
        "Sizeable", [this] { return Sizeable; }, [this](bool v) { Sizeable = v; }, true);
    p.Boolean(
        "DraggAble", [this] { return DraggAble; }, [this](bool v) { DraggAble = v; });
    p.Boolean(
        "Magnetic", [this] { return Magnetic; }, [this](bool v) { Magnetic = v; });
    p.Integer(
        "MagneticSize", [this] { return MagneticSize; },
        [this](int64_t v) { MagneticSize = int(std::clamp<int64_t>(v, 0, 255)); }, 10);
    p.Set(
        "BorderIcons", { "biSystemMenu", "biMinimize", "biMaximize", "biRollUp", "biMinimizeToTray" },
        [this] { return int64_t(FBorderIcons); }, [this](int64_t v) { SetBorderIcons(TspBorderIcons(v)); },
        int64_t(biSystemMenu | biMinimize | biMaximize | biRollUp));
}

// ---------------------------------------------------------------------------------------
// The window procedure

void TspSkinnedForm::WindowProc(TMessage& m)
{
    MenuAndHintPreFilter(m);
    switch (m.Msg) {
    case SkinMsg_CloseMenus:
        if (FSkinMenu && FSkinMenu->Visible())
            FSkinMenu->Close();
        return;
    case MainMenuRebuildMsg:
        RebuildMainMenuItems();
        return;
    // Skin changes reach the form's controls too, after the frame.
    case SkinMsg_BeforeChange: {
        auto* sender = reinterpret_cast<TspSkinData*>(m.WParam);
        SkinBeforeChange(sender);
        FForm->Broadcast(m);
        return;
    }
    case SkinMsg_Change:
        SkinChange(reinterpret_cast<TspSkinData*>(m.WParam));
        FForm->Broadcast(m);
        return;
    case SkinMsg_AfterChange:
        FForm->Broadcast(m);
        return;
    case SkinMsg_ResStrChange:
        ReloadObjectHints();
        FForm->Broadcast(m);
        return;
    case win::WM_NCCALCSIZE:
        OnNcCalcSize(m);
        return;
    case win::WM_NCPAINT:
        OnNcPaint();
        m.Result = 0;
        return;
    case win::WM_NCACTIVATE:
        OnNcActivate(m);
        return;
    case win::WM_NCHITTEST:
        OnNcHitTest(m);
        return;
    case win::WM_ERASEBKGND:
        OnEraseBackground(m);
        return;
    case win::WM_SIZE:
        OnSize(m);
        return;
    case win::WM_WINDOWPOSCHANGED:
        CallPrevious(m);
        // WM_SIZE tells client sizes only: a window whose frame already covers it all (a
        // size below the minimum) changes size without one, and its frame must follow.
        if (FSkinSupport && FSupportNCArea && !InSizeMove
            && (FForm->Width() != FrameWidth || FForm->Height() != FrameHeight)) {
            FrameWidth = FForm->Width();
            FrameHeight = FForm->Height();
            UpdateFrame(true);
        }
        return;
    case win::WM_SETTEXT:
        OnSetText(m);
        return;
    case win::WM_ACTIVATE:
        OnActivateMessage(m);
        return;
    case win::WM_SHOWWINDOW:
        OnShowWindow(m);
        return;
    case win::WM_MOVING:
        OnMoving(m);
        return;
    case win::WM_SYSCOMMAND:
        OnSysCommand(m);
        return;
    case win::WM_GETMINMAXINFO:
        if (auto* mmi = reinterpret_cast<win::MINMAXINFO*>(m.LParam); mmi && !IsDesigning()) {
            mmi->ptMinTrackSize = { GetMinWidth(), GetMinHeight() };
            mmi->ptMaxTrackSize = { GetMaxWidth(), GetMaxHeight() };
        }
        break;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
        // An open skin menu takes the keys of the form that opened it.
        if (FSkinMenu->Visible() && FSkinMenu->KeyDown(int(m.WParam))) {
            m.Result = 0;
            return;
        }
        break;
    case win::WM_CHAR:
        if (FSkinMenu->Visible() && FSkinMenu->KeyChar(char(m.WParam))) {
            m.Result = 0;
            return;
        }
        break;
    case win::WM_ENTERSIZEMOVE:
        if (FSupportNCArea) {
            ResetObjectStates();
            EnableTimer(MouseTimerId, FMouseTimer, false, 50);
            ActiveObject = MouseCaptureObject = -1;
            InSizeMove = true;
            win::BOOL full = win::TRUE;
            win::SystemParametersInfo(win::SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
            FullDragWindows = full != 0;
        }
        break;
    case win::WM_EXITSIZEMOVE:
        if (FSupportNCArea) {
            EnableTimer(MouseTimerId, FMouseTimer, false, 50);
            ActiveObject = OldActiveObject = MouseCaptureObject = -1;
            InSizeMove = false;
            // The last sizing rectangle may not be the size the window took.
            if (FSkinSupport && (FrameWidth != FForm->Width() || FrameHeight != FForm->Height())) {
                FrameWidth = FForm->Width();
                FrameHeight = FForm->Height();
                UpdateFrame(true);
            }
            if (FSkinSupport)
                SendNcPaint();
        }
        break;
    case win::WM_SIZING:
        CallPrevious(m);
        // Live resizing: the frame follows the sizing rectangle as it comes, and the
        // WM_SIZE that follows it is not laid out again.
        if (FSupportNCArea && FSkinSupport && InSizeMove && FullDragWindows && m.LParam) {
            auto const* r = reinterpret_cast<win::RECT const*>(m.LParam);
            FrameWidth = r->Right - r->Left;
            FrameHeight = r->Bottom - r->Top;
            UpdateFrame(true);
        }
        return;
    case win::WM_SYNCPAINT:
        // Rolled up, only the frame is there to paint.
        if (FSupportNCArea && FRollUpState) {
            SendNcPaint();
            m.Result = 0;
            return;
        }
        break;
    case win::WM_TIMER:
        if (m.WParam == MorphTimerId) {
            MorphTimerTick();
            return;
        }
        if (m.WParam == MouseTimerId) {
            MouseTimerTick();
            return;
        }
        if (m.WParam == AnimateTimerId) {
            AnimateTimerTick();
            return;
        }
        if (m.WParam == AlphaTimerId && LayeredWindowsAvailable() && (FAlphaBlend || AlphaBlendAnimation)) {
            AlphaTimerTick();
            return;
        }
        break;
    case win::WM_DESTROY:
        StopTimers();
        FSkinMenu->Close();
        break;
    case win::WM_CAPTURECHANGED:
        if (reinterpret_cast<win::HWND>(m.LParam) != FForm->Handle() && FSupportNCArea
            && !IsCaptionObject(MouseCaptureObject))
            MouseCaptureObject = -1;
        break;
    default:
        break;
    }
    CallPrevious(m);
    switch (m.Msg) {
    case win::WM_NCMOUSEMOVE:
    case win::WM_NCLBUTTONDOWN:
    case win::WM_NCLBUTTONUP:
    case win::WM_NCLBUTTONDBLCLK:
    case win::WM_NCRBUTTONDOWN:
    case win::WM_NCRBUTTONUP:
    case win::WM_NCRBUTTONDBLCLK:
        if (FSupportNCArea)
            OnNcMouse(m, int(m.WParam));
        break;
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
    case win::WM_RBUTTONDBLCLK:
        OnClientMouse(m);
        break;
    default:
        break;
    }
}

void RegisterSkinFormClasses()
{
    tk::RegisterComponentClass(
        "TspSkinnedForm", [](tk::TComponent* owner) -> tk::TComponent* { return new TspSkinnedForm(owner); });
    tk::RegisterComponentClass("TspSkinMainMenuBar",
        [](tk::TComponent* owner) -> tk::TComponent* { return new TspSkinMainMenuBar(owner); });
}

// ---------------------------------------------------------------------------------------
// Messages

void TspSkinnedForm::CallPrevious(TMessage& m)
{
    if (FOldWindowProc)
        FOldWindowProc(m);
}

void TspSkinnedForm::OnNcCalcSize(TMessage& m)
{
    m.Result = 0;
    if (!FSupportNCArea || !Framed() || !m.LParam)
        return;
    win::RECT& r = m.WParam ? reinterpret_cast<win::NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                            : *reinterpret_cast<win::RECT*>(m.LParam);
    if (FSkinSupport && !base::IsRectEmpty(FSkinData->ClientRect)) {
        CalcRects();
        TRect const cr = FSkinData->ClientRect;
        int const picW = FSkinData->Picture().Width(), picH = FSkinData->Picture().Height();
        r.Left += cr.Left;
        r.Top += cr.Top;
        r.Right -= picW - cr.Right;
        r.Bottom -= picH - cr.Bottom;
    } else {
        r.Left += 3;
        r.Top += CaptionHeight() + 3;
        r.Right -= 3;
        r.Bottom -= 3;
    }
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
}

void TspSkinnedForm::OnNcPaint()
{
    if (!Framed() || !FSupportNCArea)
        return;
    if (FSkinSupport)
        PaintSkinFrame();
    else
        PaintDefaultFrame();
}

void TspSkinnedForm::OnNcActivate(TMessage& m)
{
    FormActive = m.WParam != 0;
    m.Result = win::TRUE;
    if (!Framed()) {
        UpdateActiveState(false);
    } else {
        SendNcPaint();
        UpdateActiveState(true);
    }
}

void TspSkinnedForm::OnActivateMessage(TMessage& m)
{
    ClientDragging = false;
    FActivated = win::LOWORD(m.WParam) != win::WA_INACTIVE;
    // The object under the mouse is tracked while the form is active: an inactive form
    // (a hidden dialog above all) does not wake the application every 50 ms.
    if (FSkinSupport || FSupportNCArea)
        EnableTimer(MouseTimerId, FMouseTimer, FActivated, 50);
    CallPrevious(m);
    if (FSupportNCArea) {
        SendNcPaint();
        TestActive(-1, -1, false);
        for (auto const& o : ObjectList) {
            o->MouseInside = false;
            o->ActiveState = false;
            if (auto* b = dynamic_cast<TspSkinButtonObject*>(o.get()))
                b->Pressed = false;
        }
        ActiveObject = -1;
        MouseCaptureObject = -1;
    }
    UpdateActiveState(true);
}

void TspSkinnedForm::OnEraseBackground(TMessage& m)
{
    m.Result = 1;
    if (auto* canvas = reinterpret_cast<gfx::TCanvas*>(m.WParam))
        PaintClientBackground(*canvas);
}

void TspSkinnedForm::OnSize(TMessage& m)
{
    CallPrevious(m);
    if (FSkinSupport && FSupportNCArea && InSizeMove && FullDragWindows && FrameWidth == FForm->Width()
        && FrameHeight == FForm->Height())
        return; // laid out by WM_SIZING
    FrameWidth = FForm->Width();
    FrameHeight = FForm->Height();
    if (FSkinSupport && FSupportNCArea) {
        // Every size the window really has gets its frame, the ones a program sets below
        // the minimum included: a stale frame would draw and hit-test the old size.
        UpdateFrame(true);
    } else if (FSkinSupport) {
        if (!FRollUpState && (Stretchable() || ClientIsPictureSize()))
            UpdateFrame(Stretchable());
    } else if (FSupportNCArea) {
        SendNcPaint();
    }
    if (FSupportNCArea && !FLogoBitMap.Empty())
        FForm->Repaint();
    // A translucent window shows what lies under it: a new size repaints it whole.
    if (FAlphaBlend && FAlphaBlendValue < 255 && LayeredWindowsAvailable()) {
        SendNcPaint();
        FForm->Repaint();
    }
}

void TspSkinnedForm::OnSetText(TMessage& m)
{
    CallPrevious(m);
    if (!Framed())
        return;
    SendNcPaint();
    if (!FSkinSupport)
        return;
    for (auto const& o : ObjectList)
        if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get()); c && c->ShowsFormText)
            c->SetCaptionText(FForm->Caption());
}

// ---------------------------------------------------------------------------------------
// Showing the window

void TspSkinnedForm::ShowingWindow()
{
    // The window passes through whole size cycles before it is first seen, so that the
    // frame and the objects fit its final size. (Client mode has no controls placed by the
    // skin here: no skinned control names a skin area.)
    if (FSupportNCArea && FForm->FormStyle() != tk::fsMDIForm && !IsDesigning())
        ForceResize();
    // The skinned frame shows MainMenu; the form's own menu bar would come on top of it. A
    // form menu with no MainMenu set becomes the MainMenu, so that it is not lost.
    if (tk::TMainMenu* menu = FForm->Menu()) {
        FForm->SetMenu(nullptr);
        if (!FMainMenu)
            SetMainMenu(menu);
    }
}

// ---------------------------------------------------------------------------------------
// Property setters

void TspSkinnedForm::SetHideCaptionButtons(bool value)
{
    FHideCaptionButtons = value;
    if (!IsLoading())
        UpdateCaptionButtons();
}

void TspSkinnedForm::SetLogoBitMap(gfx::TBitmap const& value)
{
    FLogoBitMap = value;
    FLogoData = {};
    if (!value.Empty())
        FLogoData.Bytes = value.SaveToBytes();
}

void TspSkinnedForm::SetDefMenuItemFont(gfx::TFont const& value) { FDefMenuItemFont.Assign(value); }

void TspSkinnedForm::SetShowIcon(bool value)
{
    FShowIcon = value;
    if (!IsDesigning() && !IsLoading())
        SendNcPaint();
}

void TspSkinnedForm::DrawFormIcon(gfx::TCanvas& canvas, int x, int y)
{
    if (FFormIcon.Empty()) {
        int w = win::GetSystemMetrics(win::SM_CXSMICON), h = win::GetSystemMetrics(win::SM_CYSMICON);
        if (w == 0)
            w = win::GetSystemMetrics(win::SM_CXSIZE);
        if (h == 0)
            h = win::GetSystemMetrics(win::SM_CYSIZE);
        tk::TIcon const* source = nullptr;
        if (FForm && !FForm->Icon().Empty())
            source = &FForm->Icon();
        else if (tk::Application && !tk::Application->Icon().Empty())
            source = &tk::Application->Icon();
        FFormIcon = source ? source->SizedCopy(w, h) : tk::TIcon::DefaultApplicationIcon().SizedCopy(w, h);
    }
    FFormIcon.Draw(canvas, base::Rect(x, y, x + FFormIcon.Width(), y + FFormIcon.Height()));
}

void TspSkinnedForm::SetDefCaptionFont(gfx::TFont const& value)
{
    FDefCaptionFont.Assign(value);
    if (!IsDesigning() && !IsLoading() && !FSkinSupport)
        SendNcPaint();
}

void TspSkinnedForm::SetDefInActiveCaptionFont(gfx::TFont const& value)
{
    FDefInActiveCaptionFont.Assign(value);
    if (!IsDesigning() && !IsLoading() && !FSkinSupport)
        SendNcPaint();
}

void TspSkinnedForm::SetSupportNCArea(bool value)
{
    FSupportNCArea = value;
    if (IsDesigning() && !value)
        FForm->SetBorderStyle(tk::bsNone);
}

TspSkinData* TspSkinnedForm::SkinData() const { return FSkinData.Get(); }

TspSkinData* TspSkinnedForm::MenusSkinData() const { return FMenusSkinData.Get(); }

void TspSkinnedForm::SetSkinData(TspSkinData* value)
{
    FSkinData.Set(value);
    if (!IsDesigning())
        ChangeSkinData();
}

void TspSkinnedForm::SkinDataFreed()
{
    // A form that is going away keeps its frame as it is.
    if ((ComponentState() & tk::csDestroying) || (FForm->ComponentState() & tk::csDestroying)) {
        FSkinSupport = false;
        FreeObjects();
    } else if (!IsDesigning()) {
        ChangeSkinData();
    }
}

void TspSkinnedForm::SetMenusSkinData(TspSkinData* value) { FMenusSkinData.Set(value); }

void TspSkinnedForm::SetMainMenu(tk::TMainMenu* value)
{
    if (value == FMainMenu)
        return;
    HookMainMenu(value);
    if (FMainMenuBar)
        FMainMenuBar->SetMainMenu(value);
    if (FSkinSupport)
        RebuildMainMenuItems();
}

void TspSkinnedForm::SetMainMenuBar(TspSkinMainMenuBar* value)
{
    if (value == FMainMenuBar.Get())
        return;
    FMainMenuBar = value;
    if (value) {
        value->SetMainMenu(FMainMenu);
        if (!value->SkinData())
            value->SetSkinData(FSkinData);
    }
    if (FSkinSupport)
        RebuildMainMenuItems();
}

void TspSkinnedForm::SetSystemMenu(tk::TPopupMenu* value) { FSystemMenu = value; }

void TspSkinnedForm::SetAlphaBlend(bool value)
{
    if (value == FAlphaBlend)
        return;
    FAlphaBlend = value;
    win::HWND const h = FForm->Handle();
    if (IsDesigning() || IsLoading() || !h || !LayeredWindowsAvailable())
        return;
    auto const ex = win::GetWindowLongPtr(h, win::GWL_EXSTYLE);
    if (value) {
        win::SetWindowLongPtr(h, win::GWL_EXSTYLE, ex | win::LONG_PTR(win::WS_EX_LAYERED));
        SetFormAlpha(FAlphaBlendValue);
    } else {
        win::SetWindowLongPtr(h, win::GWL_EXSTYLE, ex & ~win::LONG_PTR(win::WS_EX_LAYERED));
    }
}

void TspSkinnedForm::SetAlphaBlendValue(int value)
{
    value = std::clamp(value, 0, 255);
    if (value == FAlphaBlendValue)
        return;
    FAlphaBlendValue = value;
    if (FAlphaBlend && !IsDesigning() && !IsLoading() && LayeredWindowsAvailable())
        SetFormAlpha(value);
}

TspTrayIcon* TspSkinnedForm::TrayIcon() const { return FTrayIcon.Get(); }

void TspSkinnedForm::ReleaseTrayIcon()
{
    // The icon may outlive the component: nothing of it may call back here.
    bool const hooked = std::exchange(FRestoreHooked, false);
    if (!FTrayIcon)
        return;
    if (FTrayIcon->PopupMenu == FTrayMenu)
        FTrayIcon->PopupMenu = nullptr;
    if (hooked)
        FTrayIcon->OnRestoreRequest = nullptr;
}

void TspSkinnedForm::SetTrayIcon(TspTrayIcon* value)
{
    if (value != FTrayIcon)
        ReleaseTrayIcon();
    FTrayIcon = value;
    if (!FTrayIcon) {
        if (IsDesigning())
            FBorderIcons &= ~biMinimizeToTray;
        return;
    }
    if (!AlwaysShowInTray)
        FTrayIcon->HideIcon();
    else
        FTrayIcon->ShowIcon();
    if (IsDesigning()) {
        // At design time a tray icon brings its caption button with it.
        FBorderIcons |= biMinimizeToTray;
        return;
    }
    if (!FTrayIcon->PopupMenu) {
        tk::TMenuItem* root = FTrayMenu->Items();
        root->Clear();
        auto add = [&](std::string const& name, std::string const& caption, tk::TNotifyEvent click) {
            auto* item = new tk::TMenuItem(this);
            item->SetName(name);
            item->SetCaption(caption);
            item->OnClick = std::move(click);
            root->Add(item);
            return item;
        };
        add("TRAY_SF_RESTORE", MenuCaption("MI_RESTORECAPTION", "&Restore"),
            [this](tk::TComponent*) { RestoreFromTray(); });
        add("", "-", nullptr);
        add("TRAY_SF_CLOSE", MenuCaption("MI_CLOSECAPTION", "&Close"), [this](tk::TComponent*) {
            FForm->Close();
        })->SetShortCut(tk::ShortCut(win::VK_F4, tk::ssAlt));
        FTrayIcon->PopupMenu = FTrayMenu;
    }
    FTrayIcon->OnRestoreRequest = [this](tk::TComponent*) { RestoreFromTray(); };
    FRestoreHooked = true;
}

void TspSkinnedForm::SetBorderIcons(TspBorderIcons value)
{
    FBorderIcons = value;
    if (IsLoading() || IsDesigning())
        return;
    if (FSkinSupport) {
        // The skin's own objects are made again, so that the skin keeps its buttons.
        CreateSkinObjects();
        UpdateCaptionButtons();
        UpdateFrame(true);
    } else if (FSupportNCArea) {
        CreateDefaultButtons();
        SendNcPaint();
    }
}

} // namespace xe::skin
