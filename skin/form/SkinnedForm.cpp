#include "skin/form/SkinnedForm.h"

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
#include "skin/draw/ValueObjects.h"
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

namespace {

enum { BandTop, BandBottom, BandLeft, BandRight };

// Posted to the form when the main menu's top-level items come or go: the tabs are rebuilt
// once the message that changed the menu (perhaps a tab's own click) is done.
constexpr win::UINT MainMenuRebuildMsg = win::WM_APP + 0x5310;

bool InArea(TRect const& area, TPoint p) { return base::PtInRect(area, p); }

// The built-in frame's caption fonts and the menus' item font as the component starts with.
gfx::TFont DefaultCaptionFont(bool inactive)
{
    gfx::TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetStyle(gfx::fsBold);
    f.SetColor(inactive ? base::clBtnShadow : base::clBtnText);
    return f;
}

gfx::TFont DefaultMenuItemFont()
{
    gfx::TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetColor(base::clWindowText);
    return f;
}

// Where a skin pixel rectangle's corner lies, with the corner areas' right and bottom edges
// counted as inside: a rectangle that ends exactly on a corner's edge still lies in it. So a
// rectangle flush with the picture's right or bottom edge lies in the right or bottom corner
// areas and moves with the frame, which is where such a rectangle is drawn to be.
bool InCorner(TRect const& area, TPoint p)
{
    return p.X >= area.Left && p.X <= area.Right && p.Y >= area.Top && p.Y <= area.Bottom;
}

struct TDcGuard {
    win::HWND Hwnd;
    win::HDC Dc;
    ~TDcGuard()
    {
        if (Dc)
            win::ReleaseDC(Hwnd, Dc);
    }
};

} // namespace

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
    if (FForm)
        FForm->OnShortCut = std::move(FPreviousShortCut);
}

void TspSkinnedForm::Notification(tk::TComponent* component, tk::TOperation operation)
{
    tk::TComponent::Notification(component, operation);
    if (operation != tk::opRemove)
        return;
    if (component == FMainMenu) {
        // Its items go with it: the tabs forget them now and go at the next rebuild.
        FMainMenu = nullptr;
        FPreviousMenuChange = nullptr;
        for (TspSkinMainMenuItem* o : MainMenuItems()) {
            o->MenuItem = nullptr;
            o->EnabledState = o->SavedEnabledState = false;
        }
        MainMenuChanged();
        return;
    }
    if (component == FSystemMenu)
        FSystemMenu = nullptr;
    else if (component == FTrayIcon)
        FTrayIcon = nullptr;
    if (component == FSkinHint)
        FSkinHint = nullptr;
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
        "SkinHint", [this] { return static_cast<tk::TComponent*>(FSkinHint); },
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
        "SkinData", [this] { return static_cast<tk::TComponent*>(FSkinData); },
        [this](tk::TComponent* c) { SetSkinData(dynamic_cast<TspSkinData*>(c)); });
    p.Reference(
        "MenusSkinData", [this] { return static_cast<tk::TComponent*>(FMenusSkinData.Get()); },
        [this](tk::TComponent* c) { SetMenusSkinData(dynamic_cast<TspSkinData*>(c)); });
    p.Reference(
        "MainMenu", [this] { return static_cast<tk::TComponent*>(FMainMenu); },
        [this](tk::TComponent* c) { SetMainMenu(dynamic_cast<tk::TMainMenu*>(c)); });
    p.Reference(
        "SystemMenu", [this] { return static_cast<tk::TComponent*>(FSystemMenu); },
        [this](tk::TComponent* c) { SetSystemMenu(dynamic_cast<tk::TPopupMenu*>(c)); });
    p.Reference(
        "TrayIcon", [this] { return static_cast<tk::TComponent*>(FTrayIcon); },
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
    if (FSkinSupport)
        RebuildMainMenuItems();
}

void TspSkinnedForm::SetSystemMenu(tk::TPopupMenu* value)
{
    if (FSystemMenu)
        FSystemMenu->RemoveFreeNotification(this);
    FSystemMenu = value;
    if (FSystemMenu)
        FSystemMenu->FreeNotification(this);
}

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

void TspSkinnedForm::SetTrayIcon(TspTrayIcon* value)
{
    if (FTrayIcon)
        FTrayIcon->RemoveFreeNotification(this);
    FTrayIcon = value;
    if (!FTrayIcon) {
        if (IsDesigning())
            FBorderIcons &= ~biMinimizeToTray;
        return;
    }
    FTrayIcon->FreeNotification(this);
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

void TspSkinnedForm::CreateSkinObjects()
{
    FreeObjects();
    if (!FSkinData)
        return;
    for (auto const& d : FSkinData->ObjectList) {
        TspDataSkinObject* data = d.get();
        std::unique_ptr<TspActiveSkinObject> object;
        // Menu items, main-menu items and bar buttons are drawn by the menus, not the frame.
        if (dynamic_cast<TspDataSkinMainMenuBarButton*>(data) || dynamic_cast<TspDataSkinMainMenuItem*>(data)
            || dynamic_cast<TspDataSkinMenuItem*>(data))
            continue;
        if (auto* s = dynamic_cast<TspDataSkinStdButton*>(data))
            object = std::make_unique<TspSkinStdButtonObject>(this, FSkinData, s);
        else if (auto* b = dynamic_cast<TspDataSkinButton*>(data))
            object = std::make_unique<TspSkinButtonObject>(this, FSkinData, b);
        else if (auto* c = dynamic_cast<TspDataSkinCaption*>(data))
            object = std::make_unique<TspSkinCaptionObject>(this, FSkinData, c);
        else if (auto* u = dynamic_cast<TspDataUserObject*>(data))
            object = std::make_unique<TspUserObject>(this, FSkinData, u);
        else if (auto* g = dynamic_cast<TspDataSkinGauge*>(data))
            object = std::make_unique<TspSkinGaugeObject>(this, FSkinData, g);
        else if (auto* sw = dynamic_cast<TspDataSkinSwitch*>(data))
            object = std::make_unique<TspSkinSwitchObject>(this, FSkinData, sw);
        else if (auto* t = dynamic_cast<TspDataSkinTrackBar*>(data))
            object = std::make_unique<TspSkinTrackBarObject>(this, FSkinData, t);
        else if (auto* l = dynamic_cast<TspDataSkinLabel*>(data))
            object = std::make_unique<TspSkinLabelObject>(this, FSkinData, l);
        else if (auto* a = dynamic_cast<TspDataSkinAnimate*>(data))
            object = std::make_unique<TspSkinAnimateObject>(this, FSkinData, a);
        else if (auto* bl = dynamic_cast<TspDataSkinBitLabel*>(data))
            object = std::make_unique<TspSkinBitLabelObject>(this, FSkinData, bl);
        else if (auto* r = dynamic_cast<TspDataSkinFrameRegulatorObject*>(data))
            object = std::make_unique<TspSkinFrameRegulatorObject>(this, FSkinData, r);
        else if (auto* fg = dynamic_cast<TspDataSkinFrameGaugeObject*>(data))
            object = std::make_unique<TspSkinFrameGaugeObject>(this, FSkinData, fg);
        if (object)
            ObjectList.push_back(std::move(object));
    }
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
// Skin changes

void TspSkinnedForm::ChangeSkinData()
{
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    FSkinSupport = FSkinData && !FSkinData->Empty();
    if (!FSupportNCArea) {
        // Client mode: the whole skin picture is painted inside the client area.
        if (!FSkinSupport) {
            DropClientSkin();
            if (OnChangeSkinData)
                OnChangeSkinData(this);
            return;
        }
        // A skin without a roll-up picture cannot stay rolled up.
        if (FRollUpState && FSkinData->RollUpPicture().Empty())
            LeaveClientRollUp();
        if (!FRollUpState)
            FitClientToSkin();
        CreateSkinObjects();
        UpdateCaptionButtons();
        if (FRollUpState)
            LayOutClientRollUp();
        InChangeSkinData = true;
        if (OnChangeSkinData)
            OnChangeSkinData(this);
        if (!FRollUpState && (Stretchable() || ClientIsPictureSize()))
            UpdateFrame(Stretchable());
        UpdateActiveState(true);
        InChangeSkinData = false;
        EnableTimer(MouseTimerId, FMouseTimer, IsFormActive(), 50);
        return;
    }
    if (FSkinSupport) {
        CreateSkinObjects();
        UpdateCaptionButtons();
    } else {
        FreeObjects();
        UpdateFrameRegion(true);
    }
    InChangeSkinData = true;
    int const minW = GetMinWidth(), minH = GetMinHeight();
    if (FForm->Width() < minW && FForm->Height() < minH)
        FForm->SetBounds(FForm->Left(), FForm->Top(), minW, minH);
    else if (FForm->Height() < minH)
        FForm->SetHeight(minH);
    else if (FForm->Width() < minW)
        FForm->SetWidth(minW);
    else
        ForceResize();
    if ((FRollUpState || WindowState == wsMinimized) && FForm->Height() != minH)
        FForm->SetHeight(minH);
    if (WindowState == wsMinimized && FForm->Width() != minW)
        FForm->SetWidth(minW);
    FrameWidth = FForm->Width();
    FrameHeight = FForm->Height();
    if (FSkinSupport)
        UpdateFrame(true);
    FForm->Repaint();
    UpdateActiveState(true);
    EnableTimer(MouseTimerId, FMouseTimer, IsFormActive(), 50);
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    InChangeSkinData = false;
    if (ClientWidth > 0)
        FForm->SetClientWidth(ClientWidth);
    if (ClientHeight > 0)
        FForm->SetClientHeight(ClientHeight);
}

bool TspSkinnedForm::Stretchable() const
{
    return FSkinData && FSkinData->LTPoint.X != FSkinData->RBPoint.X
        && FSkinData->LTPoint.Y != FSkinData->RBPoint.Y;
}

bool TspSkinnedForm::ClientIsPictureSize() const
{
    return FSkinData && FForm->ClientWidth() == FSkinData->Picture().Width()
        && FForm->ClientHeight() == FSkinData->Picture().Height();
}

void TspSkinnedForm::FitClientToSkin()
{
    int const picW = FSkinData->Picture().Width(), picH = FSkinData->Picture().Height();
    if (!Stretchable()) {
        // A skin that cannot stretch is shown at its picture's size only.
        FForm->SetClientWidth(picW);
        FForm->SetClientHeight(picH);
        Sizeable = false;
    } else if (!(MinWidth > 0 && MinHeight > 0)) {
        if (FForm->ClientWidth() < picW)
            FForm->SetClientWidth(picW);
        if (FForm->ClientHeight() < picH)
            FForm->SetClientHeight(picH);
    }
}

void TspSkinnedForm::ForceResize()
{
    int const w = FForm->Width();
    if (w - 1 < GetMinWidth()) {
        FForm->SetWidth(w + 1);
        FForm->SetWidth(w);
    } else {
        FForm->SetWidth(w - 1);
        FForm->SetWidth(w);
    }
}

void TspSkinnedForm::DropClientSkin()
{
    // The objects refer to the skin's pictures and descriptions: they go with it, and so
    // do the region and the roll-up strip cut from it.
    StopTimers();
    FreeObjects();
    UpdateFrameRegion(true);
    if (FRollUpState)
        LeaveClientRollUp();
    FForm->Repaint();
}

void TspSkinnedForm::SkinBeforeChange(TspSkinData* sender)
{
    if (sender != FSkinData)
        return;
    // The skin is about to be cleared. Until its change message comes the form stands on
    // the built-in frame, so that a load that fails (and sends no change) leaves a whole
    // window: no objects on freed descriptions, no region of the old picture.
    FSkinSupport = false;
    StopTimers();
    FreeObjects();
    if (!FSupportNCArea) {
        DropClientSkin();
        return;
    }
    UpdateFrameRegion(true);
    FrameWidth = FrameHeight = 0;
    if (FForm->Handle())
        ForceResize();
    SendNcPaint();
}

void TspSkinnedForm::SkinChange(TspSkinData* sender)
{
    if (sender == FSkinData)
        ChangeSkinData();
}

// ---------------------------------------------------------------------------------------
// Active state

bool TspSkinnedForm::IsFormActive() const
{
    // The window system announces a deactivation before it changes the active window, so
    // the state comes from the last WM_ACTIVATE rather than from the active window itself.
    return FActivated;
}

void TspSkinnedForm::UpdateActiveState(bool redraw)
{
    bool const active = IsFormActive();
    for (auto const& o : ObjectList) {
        auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get());
        if (!c)
            continue;
        if (redraw && BelongsToRollUpState(*c)) {
            if (!FSupportNCArea)
                c->ActiveState = active;
            if (!FSupportNCArea || !base::IsRectEmpty(c->HotRect))
                c->RequestRedraw();
        } else if (c->MorphEnabled) {
            c->SetMorphFactor(active ? 1 : 0);
        }
    }
    if (active) {
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

// ---------------------------------------------------------------------------------------
// Timers

void TspSkinnedForm::EnableTimer(win::UINT_PTR id, bool& flag, bool enable, unsigned interval)
{
    win::HWND h = FForm->Handle();
    if (!h)
        return;
    if (enable && !flag)
        win::SetTimer(h, id, interval);
    else if (!enable && flag)
        win::KillTimer(h, id);
    flag = enable;
}

void TspSkinnedForm::StopTimers()
{
    EnableTimer(MorphTimerId, FMorphTimer, false, 20);
    EnableTimer(MouseTimerId, FMouseTimer, false, 50);
    EnableTimer(AnimateTimerId, FAnimateTimer, false, 25);
}

void TspSkinnedForm::StartMorphTimer() { EnableTimer(MorphTimerId, FMorphTimer, true, 20); }

void TspSkinnedForm::StartAnimateTimer() { EnableTimer(AnimateTimerId, FAnimateTimer, true, 25); }

void TspSkinnedForm::AnimateTimerTick()
{
    bool any = false;
    // Go by index: a redraw does not change the list, but an event handler could.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto* a = dynamic_cast<TspSkinAnimateObject*>(ObjectList[i].get());
        if (a && a->ActiveState) {
            a->Step();
            any = true;
        }
    }
    if (!any)
        EnableTimer(AnimateTimerId, FAnimateTimer, false, 25);
}

void TspSkinnedForm::MorphTimerTick()
{
    bool any = false;
    // A redraw may not change the list, but an event handler could: go by index.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TspActiveSkinObject* o = ObjectList[i].get();
        if (o->MorphEnabled && o->CanMorph()) {
            o->MorphStep();
            any = true;
        }
    }
    if (!any)
        EnableTimer(MorphTimerId, FMorphTimer, false, 20);
}

// ---------------------------------------------------------------------------------------
// Geometry

int TspSkinnedForm::CaptionHeight() const
{
    auto const bs = FForm->BorderStyle();
    return bs == tk::bsToolWindow || bs == tk::bsSizeToolWin ? 15 : 19;
}

int TspSkinnedForm::DefaultButtonSize() const
{
    auto const bs = FForm->BorderStyle();
    return bs == tk::bsToolWindow || bs == tk::bsSizeToolWin ? 13 : 17;
}

int TspSkinnedForm::GetMinWidth() const
{
    bool const minimized = WindowState == wsMinimized;
    if (FSupportNCArea) {
        if (!FSkinSupport)
            return MinWidth > 0 ? MinWidth : 130;
        int const picW = FSkinData->Picture().Width();
        return MinWidth > picW && !minimized ? MinWidth : picW;
    }
    // Without a skin a client-mode form keeps the built-in frame's minimum: at 0 x 0 it
    // could not be found again, let alone grasped.
    if (!FSkinSupport)
        return MinWidth > 0 ? MinWidth : 130;
    int const picW = FSkinData->Picture().Width();
    return MinWidth == 0 ? picW : std::min(MinWidth, picW);
}

int TspSkinnedForm::GetMinHeight() const
{
    bool const free = !FRollUpState && WindowState != wsMinimized;
    if (FSupportNCArea) {
        int const h = FSkinSupport ? FSkinData->Picture().Height() - FSkinData->ClientRect.Height()
                                   : CaptionHeight() + 6;
        return MinHeight > h && free ? MinHeight : h;
    }
    if (!FSkinSupport)
        return MinHeight > 0 && free ? MinHeight : CaptionHeight() + 6;
    int const picH = FSkinData->Picture().Height();
    return MinHeight == 0 ? picH : std::min(MinHeight, picH);
}

void TspSkinnedForm::CalcRects()
{
    if (!FSkinSupport)
        return;
    int const fw = FrameWidth > 0 && FrameHeight > 0 ? FrameWidth : FForm->Width();
    int const fh = FrameWidth > 0 && FrameHeight > 0 ? FrameHeight : FForm->Height();
    TspSkinData const& s = *FSkinData;
    int const picW = FSkinData->Picture().Width(), picH = FSkinData->Picture().Height();
    int const dx = fw - picW, dy = fh - picH;
    NewLTPoint = s.LTPoint;
    NewRTPoint = { s.RTPoint.X + dx, s.RTPoint.Y };
    NewLBPoint = { s.LBPoint.X, s.LBPoint.Y + dy };
    NewRBPoint = { s.RBPoint.X + dx, s.RBPoint.Y + dy };
    NewClRect
        = base::Rect(s.ClientRect.Left, s.ClientRect.Top, s.ClientRect.Right + dx, s.ClientRect.Bottom + dy);
    NewCaptionRect = s.CaptionRect;
    if (!base::IsRectEmpty(NewCaptionRect))
        NewCaptionRect.Right += dx;
    NewButtonsRect = s.ButtonsRect;
    if (!base::IsRectEmpty(NewButtonsRect) && NewButtonsRect.Left > picW / 2)
        base::OffsetRect(NewButtonsRect, dx, 0);
    NewHitTestLTPoint = s.HitTestLTPoint;
    NewHitTestRTPoint = { s.HitTestRTPoint.X + dx, s.HitTestRTPoint.Y };
    NewHitTestLBPoint = { s.HitTestLBPoint.X, s.HitTestLBPoint.Y + dy };
    NewHitTestRBPoint = { s.HitTestRBPoint.X + dx, s.HitTestRBPoint.Y + dy };
    NewMaskRectArea = base::Rect(
        s.MaskRectArea.Left, s.MaskRectArea.Top, s.MaskRectArea.Right + dx, s.MaskRectArea.Bottom + dy);
    NewIconRect = MapSkinRect(s.IconRect);
    NewMainMenuRect = s.MainMenuRect;
    bool const stretchable = s.LTPoint.X != s.RBPoint.X && s.LTPoint.Y != s.RBPoint.Y;
    if (stretchable) {
        NewMainMenuRect.Right += dx;
        if (InArea(
                base::Rect(0, s.LBPoint.Y, s.LBPoint.X, picH), { NewMainMenuRect.Left, NewMainMenuRect.Top }))
            base::OffsetRect(NewMainMenuRect, 0, dy);
    }
}

TRect TspSkinnedForm::MapSkinRect(TRect const& r) const
{
    if (!FSkinSupport)
        return r;
    TspSkinData const& s = *FSkinData;
    int const picW = FSkinData->Picture().Width(), picH = FSkinData->Picture().Height();
    TRect const tl = base::Rect(0, 0, s.LTPoint.X, s.LTPoint.Y);
    TRect const tr = base::Rect(s.RTPoint.X, 0, picW, s.RTPoint.Y);
    TRect const bl = base::Rect(0, s.LBPoint.Y, s.LBPoint.X, picH);
    TRect const br = base::Rect(s.RBPoint.X, s.RBPoint.Y, picW, picH);
    int const dx = NewRBPoint.X - s.RBPoint.X, dy = NewRBPoint.Y - s.RBPoint.Y;
    TPoint const a { r.Left, r.Top }, b { r.Right, r.Bottom };
    auto in = [&](TRect const& area) { return InCorner(area, a) && InCorner(area, b); };
    TRect m = r;
    if (in(tl))
        return m;
    if (in(tr)) {
        base::OffsetRect(m, dx, 0);
    } else if (in(bl)) {
        base::OffsetRect(m, 0, dy);
    } else if (in(br)) {
        base::OffsetRect(m, dx, dy);
    } else if (InCorner(tl, a) && InCorner(br, b)) {
        m.Right += dx, m.Bottom += dy;
    } else if (InCorner(tl, a) && InCorner(tr, b)) {
        m.Right += dx;
    } else if (InCorner(bl, a) && InCorner(br, b)) {
        m.Right += dx;
        base::OffsetRect(m, 0, dy);
    } else if (InCorner(tl, a) && InCorner(bl, b)) {
        m.Bottom += dy;
    } else if (InCorner(tr, a) && InCorner(br, b)) {
        base::OffsetRect(m, dx, 0);
        m.Bottom += dy;
    }
    return m;
}

void TspSkinnedForm::CalcObjectRects()
{
    for (auto const& o : ObjectList)
        o->ObjectRect = MapSkinRect(o->NormalRect);
    ArrangeCaptionButtons();
}

void TspSkinnedForm::ArrangeCaptionButtons()
{
    if (!FSkinSupport)
        return;
    TRect area;
    if (!base::IsRectEmpty(NewButtonsRect))
        area = NewButtonsRect;
    else if (!base::IsRectEmpty(NewCaptionRect))
        area = NewCaptionRect;
    else
        return;
    bool const captionArea = base::IsRectEmpty(NewButtonsRect);
    int const offset = FSkinData->ButtonsOffset;
    // Standard buttons and animation objects that act as buttons, each with its command.
    auto commandOf = [](TspActiveSkinObject const* o) -> std::optional<TspCommandKind> {
        if (auto const* b = dynamic_cast<TspSkinStdButtonObject const*>(o);
            b && b->VisibleState && b->StdCaptionButton)
            return b->StdCommand;
        if (auto const* a = dynamic_cast<TspSkinAnimateObject const*>(o);
            a && a->VisibleState && a->ButtonStyle)
            return a->Command;
        return std::nullopt;
    };
    auto sizeOf = [&](TspActiveSkinObject const& b) {
        if (commandOf(&b) == cmSysMenu && FShowIcon) {
            int w = win::GetSystemMetrics(win::SM_CXSMICON), h = win::GetSystemMetrics(win::SM_CYSMICON);
            if (w == 0)
                w = win::GetSystemMetrics(win::SM_CXSIZE);
            if (h == 0)
                h = win::GetSystemMetrics(win::SM_CYSIZE);
            return base::TSize { w, h };
        }
        return base::TSize { b.NormalRect.Width(), b.NormalRect.Height() };
    };
    std::vector<TspActiveSkinObject*> order;
    for (TspCommandKind cmd : { cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray })
        for (auto const& o : ObjectList)
            if (commandOf(o.get()) == cmd) {
                order.push_back(o.get());
                break;
            }
    for (auto const& o : ObjectList)
        if (commandOf(o.get()) == cmDefault)
            order.push_back(o.get());
    TspActiveSkinObject* sysMenu = nullptr;
    for (auto const& o : ObjectList)
        if (commandOf(o.get()) == cmSysMenu) {
            sysMenu = o.get();
            break;
        }
    TspSkinCaptionObject* caption = FirstCaption();
    if (!FSkinData->ButtonsInLeft) {
        int cursor = area.Right;
        for (auto* b : order) {
            base::TSize const sz = sizeOf(*b);
            b->ObjectRect = base::Bounds(cursor - sz.cx, area.Top, sz.cx, sz.cy);
            cursor -= sz.cx + offset;
        }
        // The caption ends at the leftmost button, or at the area's end without buttons.
        if (captionArea && caption)
            caption->ObjectRect.Right = order.empty() ? area.Right : cursor + offset;
        if (sysMenu) {
            base::TSize const sz = sizeOf(*sysMenu);
            int c = NewCaptionRect.Left;
            sysMenu->ObjectRect
                = base::Bounds(c, NewCaptionRect.Top + NewCaptionRect.Height() / 2 - sz.cy / 2, sz.cx, sz.cy);
            c += sz.cx + offset;
            if (caption)
                caption->ObjectRect.Left = c - offset;
        }
    } else {
        int cursor = area.Left;
        if (captionArea && sysMenu)
            order.push_back(sysMenu);
        for (auto* b : order) {
            base::TSize const sz = sizeOf(*b);
            b->ObjectRect = base::Bounds(cursor, area.Top, sz.cx, sz.cy);
            cursor += sz.cx + offset;
        }
        if (captionArea && caption)
            caption->ObjectRect.Left = cursor + offset;
    }
}

void TspSkinnedForm::UpdateFrame(bool stretch)
{
    if (!FSkinSupport || IsDesigning())
        return;
    CalcRects();
    if (stretch)
        CalcObjectRects();
    UpdateFrameRegion(stretch);
    if (OnChangeClientRect)
        OnChangeClientRect(this, NewClRect);
    if (!FSupportNCArea)
        FForm->Repaint();
    else if (!FFrameRegion)
        SendNcPaint();
}

TFrameCut TspSkinnedForm::SourceCut() const
{
    return { FSkinData->LTPoint, FSkinData->RTPoint, FSkinData->LBPoint, FSkinData->RBPoint,
        FSkinData->ClientRect };
}

TFrameCut TspSkinnedForm::MappedCut() const
{
    return { NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect };
}

void TspSkinnedForm::UpdateFrameRegion(bool stretch)
{
    win::HWND const h = FForm->Handle();
    auto removeRegion = [&] {
        if (FFrameRegion && h)
            win::SetWindowRgn(h, nullptr, win::TRUE);
        FFrameRegion.reset();
    };
    if (FForm->BorderStyle() == tk::bsNone && FSupportNCArea) {
        removeRegion();
        return;
    }
    if (!FSkinSupport || FSkinData->Mask().Empty()) {
        if (FFrameRegion) {
            removeRegion();
            for (auto& band : MaskBands)
                band = gfx::TBitmap();
        }
        return;
    }
    gfx::TRegion region;
    if (stretch) {
        int const fw = FrameWidth > 0 ? FrameWidth : FForm->Width();
        TFrameCut const src = SourceCut();
        TFrameCut dst = MappedCut();
        dst.C = NewMaskRectArea;
        for (auto& band : MaskBands)
            band = gfx::TBitmap();
        ComposeMaskBands(src, dst, fw, NewMaskRectArea.Height(), FSkinData->Mask(), FSkinData->MaskRectArea,
            MaskBands[BandTop], MaskBands[BandBottom], MaskBands[BandLeft], MaskBands[BandRight]);
        auto add = [&](gfx::TBitmap const& band, int x, int y) {
            if (band.Empty())
                return;
            for (TRect r : MaskRuns(band, x, y))
                region = region.Union(gfx::TRegion(r));
        };
        add(MaskBands[BandTop], 0, 0);
        add(MaskBands[BandBottom], 0, NewMaskRectArea.Bottom);
        add(MaskBands[BandLeft], 0, NewMaskRectArea.Top);
        add(MaskBands[BandRight], NewMaskRectArea.Right, NewMaskRectArea.Top);
        if (!base::IsRectEmpty(NewMaskRectArea))
            region = region.Union(gfx::TRegion(NewMaskRectArea));
    } else {
        region = RegionFromMask(FSkinData->Mask());
    }
    FFrameRegion = region;
    if (h)
        win::SetWindowRgn(h, &*FFrameRegion, win::TRUE);
}

bool TspSkinnedForm::PointInMask(TPoint p) const
{
    TRect const& a = NewMaskRectArea;
    if (InArea(a, p))
        return true;
    auto black = [](gfx::TBitmap const& band, int x, int y) {
        if (x < 0 || y < 0 || x >= band.Width() || y >= band.Height())
            return false;
        return (band.Pixel(x, y) & 0xFFFFFF) == 0;
    };
    if (p.Y < a.Top)
        return black(MaskBands[BandTop], p.X, p.Y);
    if (p.Y >= a.Bottom)
        return black(MaskBands[BandBottom], p.X, p.Y - a.Bottom);
    if (p.X > a.Left)
        return black(MaskBands[BandRight], p.X - a.Right, p.Y - a.Top);
    return black(MaskBands[BandLeft], p.X, p.Y - a.Top);
}

// ---------------------------------------------------------------------------------------
// Hit testing and the object under the mouse

bool TspSkinnedForm::BelongsToRollUpState(TspActiveSkinObject const& o) const
{
    return FSupportNCArea ? !o.OnRollUpFrame : o.OnRollUpFrame == FRollUpState;
}

bool TspSkinnedForm::TakesPartInMouse(TspActiveSkinObject const& o) const
{
    return BelongsToRollUpState(o) && o.EnabledState && o.VisibleState;
}

int TspSkinnedForm::CaptionObjectAt(TPoint p) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto const* o = ObjectList[i].get();
        if (dynamic_cast<TspSkinCaptionObject const*>(o) && BelongsToRollUpState(*o)
            && InArea(o->ObjectRect, p))
            return int(i);
    }
    return -1;
}

int TspSkinnedForm::SkinHitTest(TPoint p) const
{
    auto captionOrObject = [&] { return CaptionObjectAt(p) != -1 ? win::HTCAPTION : win::HTOBJECT; };
    if (FRollUpState || WindowState == wsMinimized)
        return captionOrObject();
    if (ActiveObject != -1 && CaptionObjectAt(p) == -1 && !InArea(NewClRect, p) && !InSizeMove)
        return win::HTOBJECT;
    if (WindowState == wsMaximized || !Sizeable)
        return InArea(NewClRect, p) ? win::HTCLIENT : captionOrObject();
    return BorderHitTest(p, 0);
}

int TspSkinnedForm::ClientHitTest(TPoint p) const
{
    if (!FSkinSupport || !Sizeable || WindowState == wsMaximized || FRollUpState || ActiveObject != -1)
        return win::HTCLIENT;
    return BorderHitTest(p, win::HTCLIENT);
}

// The border and corner rules; inner is the answer off the border (0: client, caption or
// object as the point lies).
int TspSkinnedForm::BorderHitTest(TPoint p, int inner) const
{
    auto step3 = [&] {
        if (inner)
            return inner;
        if (InArea(NewClRect, p))
            return int(win::HTCLIENT);
        return CaptionObjectAt(p) != -1 ? int(win::HTCAPTION) : int(win::HTOBJECT);
    };
    int const b = FSkinData->BorderWidth;
    int const w = FForm->Width(), h = FForm->Height();
    TPoint const probes[] = { { p.X - b, p.Y }, { p.X, p.Y - b }, { p.X + b, p.Y }, { p.X, p.Y + b } };
    bool border = false;
    bool const masked = !FSkinData->Mask().Empty();
    for (TPoint q : probes) {
        bool const outside = masked ? !PointInMask(q) : !InArea(base::Rect(0, 0, w, h), q);
        if (outside)
            border = true;
    }
    if (masked && InArea(NewMaskRectArea, p))
        border = false;
    if (!border)
        return step3();
    TPoint const lt = NewHitTestLTPoint, rt = NewHitTestRTPoint, lb = NewHitTestLBPoint,
                 rb = NewHitTestRBPoint;
    if (p.X <= lt.X && p.Y <= lt.Y)
        return win::HTTOPLEFT;
    if (p.X >= rt.X && p.Y <= rt.Y)
        return win::HTTOPRIGHT;
    if (p.X <= lb.X && p.Y >= lb.Y)
        return win::HTBOTTOMLEFT;
    if (p.X >= rb.X && p.Y >= rb.Y)
        return win::HTBOTTOMRIGHT;
    if (InArea(base::Rect(lt.X, 0, rt.X, NewClRect.Top), p))
        return win::HTTOP;
    if (InArea(base::Rect(lb.X, NewClRect.Bottom, rb.X, h), p))
        return win::HTBOTTOM;
    if (InArea(base::Rect(0, lt.Y, NewClRect.Left, lb.Y), p))
        return win::HTLEFT;
    if (InArea(base::Rect(NewClRect.Right, rt.Y, w, rb.Y), p))
        return win::HTRIGHT;
    return step3();
}

int TspSkinnedForm::DefaultHitTest(TPoint p)
{
    int const w = FForm->Width(), h = FForm->Height(), ch = CaptionHeight();
    auto captionTest = [&] {
        // The caption rectangle ends where the caption buttons start.
        int right = w - 3;
        for (auto const& o : ObjectList)
            if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
                b && b->VisibleState && b->StdCommand != cmSysMenu)
                right = std::min(right, b->ObjectRect.Left);
        if (InArea(base::Rect(3, 3, right, ch), p))
            return win::HTCAPTION;
        if (InArea(base::Rect(3, ch + 3, w - 3, h - 3), p))
            return win::HTCLIENT;
        return win::HTOBJECT;
    };
    if (WindowState != wsNormal || FRollUpState || !Sizeable)
        return captionTest();
    if (ActiveObject != -1)
        return win::HTOBJECT;
    if (p.X <= 2 && p.Y <= 2)
        return win::HTTOPLEFT;
    if (p.X >= w - 2 && p.Y <= 2)
        return win::HTTOPRIGHT;
    if (p.X <= 2 && p.Y >= h - 2)
        return win::HTBOTTOMLEFT;
    if (p.X >= w - 2 && p.Y >= h - 2)
        return win::HTBOTTOMRIGHT;
    if (p.X <= 2)
        return win::HTLEFT;
    if (p.Y <= 2)
        return win::HTTOP;
    if (p.Y >= h - 2)
        return win::HTBOTTOM;
    if (p.X >= w - 2)
        return win::HTRIGHT;
    return captionTest();
}

void TspSkinnedForm::TestActive(int x, int y, bool test)
{
    if (ObjectList.empty() || (FSupportNCArea && !IsFormActive()))
        return;
    OldActiveObject = ActiveObject;
    int found = -1;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto const* o = ObjectList[i].get();
        if (TakesPartInMouse(*o) && InArea(o->ObjectRect, { x, y })) {
            found = int(i);
            break;
        }
    }
    ActiveObject = test ? found : -1;
    if (MouseCaptureObject != -1 && ActiveObject != MouseCaptureObject)
        ActiveObject = -1;
    if (ActiveObject >= int(ObjectList.size()))
        ActiveObject = -1;
    if (ActiveObject == OldActiveObject)
        return;
    if (TspActiveSkinObject* old = Object(OldActiveObject); old && old->EnabledState && old->VisibleState) {
        old->MouseLeave();
        if (ShowObjectHint && FSkinHint && !old->HintText.empty())
            FSkinHint->HideHint();
    }
    if (TspActiveSkinObject* now = Object(ActiveObject); now && now->EnabledState && now->VisibleState) {
        now->MouseEnter();
        ShowObjectHintOf(ActiveObject);
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
    if (auto* g = dynamic_cast<TspSkinGaugeObject*>(o))
        g->SetValue(value);
    else if (auto* t = dynamic_cast<TspSkinTrackBarObject*>(o))
        t->SetValue(value);
    else if (auto* fg = dynamic_cast<TspSkinFrameGaugeObject*>(o))
        fg->SetValue(value);
    else if (auto* r = dynamic_cast<TspSkinFrameRegulatorObject*>(o))
        r->SetValue(value);
    else
        return false;
    return true;
}

bool TspSkinnedForm::SetObjectText(std::string const& idName, std::string const& text)
{
    TspActiveSkinObject* o = ObjectByIDName(idName);
    if (auto* l = dynamic_cast<TspSkinLabelObject*>(o))
        l->SetTextValue(text);
    else if (auto* b = dynamic_cast<TspSkinBitLabelObject*>(o))
        b->SetTextValue(text);
    else
        return false;
    return true;
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
// Painting

bool TspSkinnedForm::Framed() const { return FForm->BorderStyle() != tk::bsNone; }

void TspSkinnedForm::SendNcPaint()
{
    if (win::HWND h = FForm->Handle())
        win::SendMessage(h, win::WM_NCPAINT, 1, 0);
}

void TspSkinnedForm::RedrawObject(TspActiveSkinObject& object)
{
    if (!BelongsToRollUpState(object))
        return;
    win::HWND const h = FForm->Handle();
    if (!h)
        return;
    if (FSupportNCArea) {
        if (!Framed())
            return;
        TDcGuard dc { h, win::GetWindowDC(h) };
        if (dc.Dc)
            object.Draw(*dc.Dc, true);
    } else {
        TDcGuard dc { h, win::GetDC(h) };
        if (dc.Dc)
            object.Draw(*dc.Dc, true);
    }
}

void TspSkinnedForm::PaintSkinFrame()
{
    if (!FSkinSupport || !FSupportNCArea || base::IsRectEmpty(FSkinData->ClientRect))
        return;
    if (FrameWidth == 0 || FrameHeight == 0) {
        FrameWidth = FForm->Width();
        FrameHeight = FForm->Height();
    }
    if (FrameWidth < GetMinWidth() || FrameHeight < GetMinHeight())
        return;
    CalcRects();
    CalcObjectRects();
    bool const active = IsFormActive();
    gfx::TBitmap const& source = active || FSkinData->InActivePicture().Empty()
        ? FSkinData->Picture()
        : FSkinData->InActivePicture();
    gfx::TBitmap bands[4];
    TStretchFlags const stretch { FSkinData->LeftStretch, FSkinData->TopStretch, FSkinData->RightStretch,
        FSkinData->BottomStretch };
    ComposeFrameBands(SourceCut(), MappedCut(), stretch, FrameWidth, FrameHeight,
        base::Rect(0, 0, source.Width(), source.Height()), source, bands[BandTop], bands[BandBottom],
        bands[BandLeft], bands[BandRight]);
    DrawMainMenuItems(bands[BandTop], bands[BandBottom]);
    for (auto const& o : ObjectList) {
        if (!BelongsToRollUpState(*o) || !o->VisibleState || dynamic_cast<TspSkinMainMenuItem*>(o.get()))
            continue;
        if (o->ObjectRect.Bottom <= NewClRect.Top) {
            if (!bands[BandTop].Empty())
                o->Draw(bands[BandTop].Canvas(), false);
        } else if (!bands[BandBottom].Empty()) {
            TRect const keep = o->ObjectRect;
            base::OffsetRect(o->ObjectRect, 0, -NewClRect.Bottom);
            o->Draw(bands[BandBottom].Canvas(), false);
            o->ObjectRect = keep;
        }
    }
    win::HWND const h = FForm->Handle();
    TDcGuard dc { h, win::GetWindowDC(h) };
    if (!dc.Dc)
        return;
    gfx::TCanvas& canvas = *dc.Dc;
    if (!base::IsRectEmpty(NewClRect))
        canvas.ExcludeClipRect(NewClRect);
    int const topH = bands[BandTop].Height();
    TPoint const at[4] = { { 0, 0 }, { 0, FrameHeight - bands[BandBottom].Height() }, { 0, topH },
        { FrameWidth - bands[BandRight].Width(), topH } };
    bool const effect = !active && FSkinData->AutoRenderingInActiveImage;
    for (int i = 0; i < 4; ++i) {
        if (bands[i].Empty())
            continue;
        if (effect) {
            TspEffectBmp copy(bands[i]);
            copy.InactiveEffect(FSkinData->InActiveEffect);
            copy.Draw(canvas, at[i].X, at[i].Y);
        } else {
            canvas.Draw(at[i].X, at[i].Y, bands[i]);
        }
    }
}

void TspSkinnedForm::PaintDefaultFrame()
{
    if (FrameWidth == 0 || FrameHeight == 0) {
        FrameWidth = FForm->Width();
        FrameHeight = FForm->Height();
    }
    if (ObjectList.empty() && !FSkinSupport)
        CreateDefaultButtons();
    int const ch = CaptionHeight(), size = DefaultButtonSize();
    TRect caption = base::Rect(3, 3, FrameWidth - 3, ch);
    int cursor = FrameWidth - 3;
    auto visibleButton = [&](TspCommandKind cmd) -> TspSkinStdButtonObject* {
        for (auto const& o : ObjectList)
            if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
                b && b->StdCommand == cmd && b->VisibleState)
                return b;
        return nullptr;
    };
    for (TspCommandKind cmd : { cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray })
        if (auto* b = visibleButton(cmd)) {
            b->ObjectRect = base::Rect(cursor - size, 4, cursor, 4 + size);
            cursor -= size;
        }
    caption.Right = cursor;
    if (auto* b = visibleButton(cmSysMenu)) {
        int w = size, h = size;
        if (FShowIcon) {
            w = win::GetSystemMetrics(win::SM_CXSMICON);
            h = win::GetSystemMetrics(win::SM_CYSMICON);
        }
        b->ObjectRect = base::Rect(3, 4, 3 + w, 4 + h);
        caption.Left = 3 + w;
    }
    int const bw = std::max(FrameWidth - 6, 0);
    gfx::TBitmap bitmap(bw, ch);
    gfx::TCanvas& c = bitmap.Canvas();
    c.Brush.Style = gfx::bsSolid;
    c.Brush.Color = base::ColorToRGB(base::clBtnFace);
    c.FillRect(base::Rect(0, 0, bw, ch));
    if (ch - 4 > 1) {
        int const x0 = caption.Left - 3 + 2, x1 = caption.Right - 3 - 6;
        for (int i = 0; i < ch - 5; ++i) {
            c.Pen.Color = base::ColorToRGB(i % 2 == 0 ? base::clBtnHighlight : base::clBtnShadow);
            c.MoveTo(x0, 2 + i);
            c.LineTo(x1, 2 + i);
        }
    }
    c.Font.Assign(IsFormActive() ? FDefCaptionFont : FDefInActiveCaptionFont);
    if (FSkinData && FSkinData->ResourceStrData())
        c.Font.SetCharset(FSkinData->ResourceStrData()->CharSet());
    std::string text = FForm->Caption();
    if (!text.empty()) {
        text = ShortenText(c, text, caption.Width());
        base::TSize const ts = c.TextExtent(text);
        int const x = caption.Left - 3 + caption.Width() / 2 - (ts.cx + 5) / 2;
        int const y = ch / 2 - ts.cy / 2;
        c.Brush.Color = base::ColorToRGB(base::clBtnFace);
        c.TextRect(base::Rect(x, 0, x + ts.cx + 5, ch), x + 3, y, text);
    }
    for (auto const& o : ObjectList) {
        if (!o->VisibleState)
            continue;
        TRect const keep = o->ObjectRect;
        base::OffsetRect(o->ObjectRect, -3, -3);
        o->Draw(c, true);
        o->ObjectRect = keep;
    }
    win::HWND const h = FForm->Handle();
    TDcGuard dc { h, win::GetWindowDC(h) };
    if (!dc.Dc)
        return;
    gfx::TCanvas& canvas = *dc.Dc;
    canvas.ExcludeClipRect(base::Rect(3, ch + 3, FrameWidth - 3, FrameHeight - 3));
    canvas.Draw(3, 3, bitmap);
    TRect r = base::Rect(0, 0, FrameWidth, FrameHeight);
    auto frame3D = [&](base::TColor topLeft, base::TColor bottomRight) {
        canvas.Pen.Color = base::ColorToRGB(topLeft);
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right - 1, r.Top);
        canvas.Pen.Color = base::ColorToRGB(bottomRight);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left - 1, r.Bottom - 1);
        base::InflateRect(r, -1, -1);
    };
    frame3D(base::cl3DLight, base::cl3DDkShadow);
    frame3D(base::clBtnHighlight, base::clBtnShadow);
    frame3D(base::clBtnFace, base::clBtnFace);
}

void TspSkinnedForm::DrawLogo(gfx::TCanvas& canvas)
{
    if (FLogoBitMap.Empty())
        return;
    FLogoBitMap.SetTransparent(LogoBitMapTransparent);
    int const cw = FForm->ClientWidth(), ch = FForm->ClientHeight();
    canvas.Draw(std::max(0, cw / 2 - FLogoBitMap.Width() / 2), std::max(0, ch / 2 - FLogoBitMap.Height() / 2),
        FLogoBitMap);
}

void TspSkinnedForm::PaintClientBackground(gfx::TCanvas& canvas)
{
    int const cw = FForm->ClientWidth(), ch = FForm->ClientHeight();
    TRect const client = base::Rect(0, 0, cw, ch);
    auto tile = [&](gfx::TBitmap const& piece) {
        int const pw = piece.Width(), ph = piece.Height();
        if (pw < 1 || ph < 1)
            return;
        for (int i = 0; i <= cw / pw; ++i)
            for (int j = 0; j <= ch / ph; ++j)
                canvas.Draw(i * pw, j * ph, piece);
    };
    gfx::TCanvasSaver saver(canvas);
    if (FSupportNCArea) {
        if (FSkinSupport && FSkinData->BGPictureIndex >= 0
            && size_t(FSkinData->BGPictureIndex) < FSkinData->ActivePictures.size()) {
            tile(*FSkinData->ActivePictures[size_t(FSkinData->BGPictureIndex)]);
        } else if (FSkinSupport && !base::IsRectEmpty(FSkinData->ClientRect)) {
            TRect const cr = FSkinData->ClientRect;
            gfx::TBitmap piece(cr.Width(), cr.Height());
            piece.Canvas().CopyRect(
                base::Rect(0, 0, cr.Width(), cr.Height()), FSkinData->Picture().Canvas(), cr);
            tile(piece);
        } else {
            canvas.Brush.Style = gfx::bsSolid;
            canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
            canvas.FillRect(client);
        }
        DrawLogo(canvas);
        return;
    }
    if (!FSkinSupport) {
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
        canvas.Pen.Color = base::clBlack;
        canvas.Rectangle(client);
        return;
    }
    int const fw = FrameWidth > 0 ? FrameWidth : FForm->Width();
    int const fh = FrameHeight > 0 ? FrameHeight : FForm->Height();
    gfx::TBitmap image;
    TspSkinData& s = *FSkinData;
    if (FRollUpState && !s.RollUpPicture().Empty()) {
        gfx::TBitmap const& strip = s.RollUpPicture();
        if (s.RollUpLeftPoint.X < s.RollUpRightPoint.X)
            ComposeHorzStrip(s.RollUpLeftPoint.X, strip.Width() - s.RollUpRightPoint.X, image, fw,
                base::Rect(0, 0, strip.Width(), strip.Height()), strip);
        else
            image = strip;
    } else if (s.LTPoint.X || s.LTPoint.Y || s.RBPoint.X || s.RBPoint.Y) {
        ComposeTiledFrameImage(SourceCut(), MappedCut(), image, s.Picture(),
            base::Rect(0, 0, s.Picture().Width(), s.Picture().Height()), fw, fh, true);
    } else {
        image = s.Picture();
    }
    for (auto const& o : ObjectList)
        if (o->OnRollUpFrame == FRollUpState)
            o->Draw(image.Canvas(), true);
    canvas.Draw(0, 0, image);
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
// Window commands

void TspSkinnedForm::WindowCommand(TspWindowCommand command)
{
    switch (command) {
    case wcClose:
        FForm->Close();
        break;
    case wcMaximize:
        ChangeWindowState(WindowState == wsMaximized ? wsNormal : wsMaximized);
        break;
    case wcMinimize:
        if (FAlwaysMinimizeToTray)
            MinimizeToTray();
        else if (!FSupportNCArea || WindowState != wsMinimized)
            ChangeWindowState(wsMinimized);
        else
            ChangeWindowState(wsNormal);
        break;
    case wcMinimizeToTray:
        MinimizeToTray();
        break;
    case wcRollUp:
        SetRollUpState(!FRollUpState);
        break;
    }
}

static bool IsMainForm(tk::TForm const* form)
{
    return tk::Application && tk::Application->MainForm() == form;
}

void TspSkinnedForm::ChangeWindowState(TspWindowState value)
{
    if (WindowState == value)
        return;
    if (!(value == wsMinimized && IsMainForm(FForm)))
        WindowState = value;
    switch (value) {
    case wsNormal:
        DoRestore();
        break;
    case wsMinimized:
        DoMinimize();
        break;
    case wsMaximized:
        DoMaximize();
        break;
    }
}

void TspSkinnedForm::DoMinimize()
{
    if (IsMainForm(FForm) || !FSupportNCArea) {
        win::MinimizeApplication();
        return;
    }
    if (!FOldBoundsSaved) {
        OldBoundsRect = FForm->BoundsRect();
        FOldBoundsSaved = true;
    }
    TPoint const slot = GetMinimizedPosition();
    FForm->SetBounds(slot.X, slot.Y, GetMinWidth(), GetMinHeight());
}

TPoint TspSkinnedForm::GetMinimizedPosition() const
{
    TRect area
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    GetWorkArea(FForm->Handle(), true, area);
    int const w = GetMinWidth(), h = GetMinHeight();
    tk::TForm const* mainForm = tk::Application ? tk::Application->MainForm() : nullptr;
    auto taken = [&](TPoint q) {
        if (!tk::Screen)
            return false;
        for (int i = 0; i < tk::Screen->FormCount(); ++i) {
            tk::TForm* f = tk::Screen->Forms(i);
            if (f == FForm || f == mainForm || !f->Visible() || f->Left() != q.X || f->Top() != q.Y)
                continue;
            for (int k = 0; k < f->ComponentCount(); ++k)
                if (auto* sf = dynamic_cast<TspSkinnedForm*>(f->Components(k));
                    sf && sf->WindowState == wsMinimized)
                    return true;
        }
        return false;
    };
    TPoint p { area.Left, area.Bottom - h };
    while (taken(p)) {
        p.X += w;
        if (p.X + w > area.Right) {
            p.X = area.Left;
            p.Y -= h;
            if (p.Y < area.Top) {
                p = { area.Left, area.Bottom - h };
                break;
            }
        }
    }
    return p;
}

void TspSkinnedForm::DoMaximize()
{
    if (!FOldBoundsSaved) {
        OldBoundsRect = FForm->BoundsRect();
        FOldBoundsSaved = true;
    }
    TRect monitor
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    TRect work = monitor;
    GetWorkArea(FForm->Handle(), false, monitor);
    GetWorkArea(FForm->Handle(), true, work);
    TRect target = monitor;
    if (!MaximizeOnFullScreen) {
        target = work;
        // Without a task bar the form leaves a pixel free, so that a hidden task bar can
        // still be reached.
        if (work == monitor)
            base::InflateRect(target, -1, -1);
    }
    FForm->SetBounds(target.Left, target.Top, target.Width(), target.Height());
}

void TspSkinnedForm::DoRestore()
{
    MaxRollUpState = false;
    TRect old = OldBoundsRect;
    OldBoundsRect = {};
    // Saved bounds are told by a flag, not by their size: a form maximised at 0 x 0 still
    // comes back. With none saved the window stays where it is.
    if (!std::exchange(FOldBoundsSaved, false)) {
        EnableTimer(MouseTimerId, FMouseTimer, true, 50);
        return;
    }
    // The skin may have changed since the bounds were saved: never below its minimum.
    old.Right = old.Left + std::max(old.Width(), GetMinWidth());
    old.Bottom = old.Top + std::max(old.Height(), GetMinHeight());
    if (FSupportNCArea) {
        bool const sameSize = FForm->Width() == old.Width() && FForm->Height() == old.Height();
        FForm->SetBounds(old.Left, old.Top, old.Width(), old.Height());
        EnableTimer(MouseTimerId, FMouseTimer, true, 50);
        if (sameSize)
            ForceResize();
        FForm->Repaint();
    } else {
        FForm->SetBounds(old.Left, old.Top, old.Width(), old.Height());
        EnableTimer(MouseTimerId, FMouseTimer, true, 50);
    }
}

void TspSkinnedForm::SetRollUpState(bool value)
{
    if ((!FSupportNCArea && !FSkinSupport) || !(FBorderIcons & biRollUp) || WindowState == wsMinimized
        || (FRollUpState && WindowState == wsMaximized && !MaxRollUpState))
        return;
    // Rolling up twice would overwrite the height to come back to.
    if (value == FRollUpState)
        return;
    if (WindowState == wsMaximized)
        MaxRollUpState = value;
    FRollUpState = value;
    if (FSupportNCArea) {
        if (value) {
            OldHeight = FForm->Height();
            FForm->SetBounds(FForm->Left(), FForm->Top(), FForm->Width(), GetMinHeight());
        } else {
            // A skin change while rolled up may have raised the minimum.
            FForm->SetBounds(FForm->Left(), FForm->Top(), std::max(FForm->Width(), GetMinWidth()),
                std::max(OldHeight, GetMinHeight()));
        }
    } else {
        ClientRollUp(value);
    }
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

void TspSkinnedForm::ClientRollUp(bool value)
{
    gfx::TBitmap const& picture = FSkinData->RollUpPicture();
    if (picture.Empty()) {
        FRollUpState = false;
        return;
    }
    TestActive(-1, -1, false);
    ActiveObject = -1;
    EnableTimer(MouseTimerId, FMouseTimer, false, 50);
    EnableTimer(MorphTimerId, FMorphTimer, false, 20);
    if (value) {
        OldHeight = FForm->Height();
        LayOutClientRollUp();
    } else {
        for (tk::TControl* c : FHiddenControls)
            c->SetVisible(true);
        FHiddenControls.clear();
        if (Stretchable())
            FForm->SetBounds(FForm->Left(), FForm->Top(), FForm->Width(), OldHeight);
        FitClientToSkin();
        UpdateFrameRegion(Stretchable());
        CalcObjectRects();
        FForm->Repaint();
    }
    EnableTimer(MouseTimerId, FMouseTimer, true, 50);
    StartMorphTimer();
}

void TspSkinnedForm::LayOutClientRollUp()
{
    gfx::TBitmap const& picture = FSkinData->RollUpPicture();
    int const h = picture.Height();
    TPoint const lp = FSkinData->RollUpLeftPoint, rp = FSkinData->RollUpRightPoint;
    bool const stretch = lp.X < rp.X;
    int const width = stretch ? FForm->Width() : picture.Width();
    int const g = stretch ? FForm->Width() - picture.Width() : 0;
    for (auto const& o : ObjectList) {
        if (!o->OnRollUpFrame)
            continue;
        TRect r = o->NormalRect;
        if (r.Left >= rp.X)
            base::OffsetRect(r, g, 0);
        else if (r.Left <= lp.X && r.Right >= rp.X)
            r.Right += g;
        o->ObjectRect = r;
    }
    for (int i = 0; i < FForm->ControlCount(); ++i) {
        tk::TControl* c = FForm->Controls(i);
        if (c->Visible()
            && std::find(FHiddenControls.begin(), FHiddenControls.end(), c) == FHiddenControls.end()) {
            FHiddenControls.push_back(c);
            c->SetVisible(false);
        }
    }
    FForm->SetBounds(FForm->Left(), FForm->Top(), width, h);
    FrameWidth = FForm->Width();
    FrameHeight = FForm->Height();
    // The strip's region: its mask, widened as the picture is; none without a mask.
    win::HWND const hw = FForm->Handle();
    gfx::TBitmap const& mask = FSkinData->RollUpMask();
    if (mask.Empty()) {
        if (FFrameRegion && hw)
            win::SetWindowRgn(hw, nullptr, win::TRUE);
        FFrameRegion.reset();
    } else {
        gfx::TBitmap wide;
        if (stretch)
            ComposeHorzStrip(
                lp.X, mask.Width() - rp.X, wide, width, base::Rect(0, 0, mask.Width(), mask.Height()), mask);
        FFrameRegion = RegionFromMask(stretch ? wide : mask);
        if (hw)
            win::SetWindowRgn(hw, &*FFrameRegion, win::TRUE);
    }
    FForm->Repaint();
}

void TspSkinnedForm::LeaveClientRollUp()
{
    FRollUpState = false;
    for (tk::TControl* c : FHiddenControls)
        c->SetVisible(true);
    FHiddenControls.clear();
    if (OldHeight > 0)
        FForm->SetHeight(OldHeight);
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

void TspSkinnedForm::MinimizeToTray()
{
    if (!FTrayIcon)
        return;
    FTrayIcon->MinimizedToTray = true;
    FTrayIcon->SetMenusSkinData(FMenusSkinData ? FMenusSkinData.Get() : FSkinData.Get());
    FTrayIcon->ShowIcon();
    // The windows leave the task bar only while a notification area shows the icon;
    // otherwise the application is only minimised and its task-bar entry is the way back.
    FTrayIcon->MinimizeApplication();
    if (OnMinimizeToTray)
        OnMinimizeToTray(this);
}

void TspSkinnedForm::RestoreFromTray()
{
    if (!FTrayIcon)
        return;
    FTrayIcon->MinimizedToTray = false;
    FTrayIcon->RestoreApplicationWindow();
    win::RestoreApplication();
    if (!AlwaysShowInTray)
        FTrayIcon->HideIcon();
    if (OnRestoreFromTray)
        OnRestoreFromTray(this);
}

int TspSkinnedForm::GetMaxWidth() const
{
    TRect r
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    GetWorkArea(FForm->Handle(), !MaximizeOnFullScreen, r);
    return r.Width();
}

int TspSkinnedForm::GetMaxHeight() const
{
    TRect r
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    GetWorkArea(FForm->Handle(), !MaximizeOnFullScreen, r);
    return r.Height();
}

void TspSkinnedForm::SnapToWorkArea(int& x, int& y, int w, int h) const
{
    TRect area
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    GetWorkArea(FForm->Handle(), true, area);
    int const m = MagneticSize;
    if (area.Left - m < x && x < area.Left + m)
        x = area.Left;
    if (area.Top - m < y && y < area.Top + m)
        y = area.Top;
    if (area.Right - m < x + w && x + w < area.Right + m)
        x = area.Right - w;
    if (area.Bottom - m < y + h && y + h < area.Bottom + m)
        y = area.Bottom - h;
}

void TspSkinnedForm::OnMoving(TMessage& m)
{
    if (auto* r = reinterpret_cast<win::RECT*>(m.LParam)) {
        int const w = FForm->Width(), h = FForm->Height();
        if (WindowState == wsMaximized) {
            *r = base::Bounds(FForm->Left(), FForm->Top(), w, h);
        } else if (Magnetic) {
            int x = r->Left, y = r->Top;
            SnapToWorkArea(x, y, w, h);
            *r = base::Bounds(x, y, w, h);
        }
    }
    CallPrevious(m);
}

// ---------------------------------------------------------------------------------------
// Alpha blending

bool TspSkinnedForm::LayeredWindowsAvailable() const
{
    win::DWORD const v = win::GetVersion();
    int const major = int(v & 0xFF), minor = int((v >> 8) & 0xFF);
    return major == 5 && minor <= 2;
}

void TspSkinnedForm::SetFormAlpha(int alpha)
{
    if (win::HWND h = FForm->Handle())
        win::SetLayeredWindowAttributes(h, 0, uint8_t(std::clamp(alpha, 0, 255)), win::LWA_ALPHA);
}

void TspSkinnedForm::OnShowWindow(TMessage& m)
{
    win::HWND const h = FForm->Handle();
    bool const layered = h && LayeredWindowsAvailable();
    if (m.WParam) {
        if (layered && (FAlphaBlend || AlphaBlendAnimation)) {
            win::SetWindowLongPtr(h, win::GWL_EXSTYLE,
                win::GetWindowLongPtr(h, win::GWL_EXSTYLE) | win::LONG_PTR(win::WS_EX_LAYERED));
            SetFormAlpha(0);
            win::SetTimer(h, AlphaTimerId, 1);
        }
        ShowingWindow();
    } else if (layered && FAlphaBlend) {
        win::SetWindowLongPtr(h, win::GWL_EXSTYLE,
            win::GetWindowLongPtr(h, win::GWL_EXSTYLE) & ~win::LONG_PTR(win::WS_EX_LAYERED));
    }
    CallPrevious(m);
}

void TspSkinnedForm::AlphaTimerTick()
{
    win::HWND const h = FForm->Handle();
    win::KillTimer(h, AlphaTimerId);
    int const target = FAlphaBlend || !AlphaBlendAnimation ? FAlphaBlendValue : 255;
    if (AlphaBlendAnimation) {
        if (tk::Application)
            tk::Application->ProcessMessages();
        if (!win::IsWindow(h))
            return;
        for (int a = 0; a < target;) {
            a = std::min(a + 5, target);
            SetFormAlpha(a);
        }
    } else if (target != 255) {
        SetFormAlpha(FAlphaBlendValue);
    }
    if (target == 255)
        win::SetWindowLongPtr(h, win::GWL_EXSTYLE,
            win::GetWindowLongPtr(h, win::GWL_EXSTYLE) & ~win::LONG_PTR(win::WS_EX_LAYERED));
}

// ---------------------------------------------------------------------------------------
// The system menu

namespace {

// The system menu as a caption button sees it.
class TSystemMenuSource final : public TspSkinPopupSource {
public:
    bool HasItems() const override { return true; }
};

} // namespace

std::string TspSkinnedForm::MenuCaption(std::string_view name, std::string const& fallback) const
{
    if (FSkinData && FSkinData->ResourceStrData())
        return FSkinData->ResourceStrData()->GetResStr(name);
    return fallback;
}

tk::TMenuItem* TspSkinnedForm::NewMenuItem(
    std::string const& name, std::string const& caption, tk::TNotifyEvent click)
{
    auto* item = new tk::TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    return item;
}

tk::TPopupMenu* TspSkinnedForm::BuildSystemMenu()
{
    bool const mdiChildMaximized = false; // no MDI forms here
    bool const minimized = WindowState == wsMinimized;
    auto minItem = [&] {
        return (FBorderIcons & biMinimize) && !minimized
            ? NewMenuItem("SF_MINITEM", MenuCaption("MI_MINCAPTION", "Mi&nimize"),
                [this](tk::TComponent*) {
                    if (FAlwaysMinimizeToTray)
                        MinimizeToTray();
                    else
                        ChangeWindowState(wsMinimized);
                })
            : nullptr;
    };
    auto maxItem = [&] {
        return (FBorderIcons & biMaximize) && WindowState != wsMaximized
            ? NewMenuItem("SF_MAXITEM", MenuCaption("MI_MAXCAPTION", "Ma&ximize"),
                [this](tk::TComponent*) { ChangeWindowState(wsMaximized); })
            : nullptr;
    };
    auto restoreItem = [&] {
        return WindowState != wsNormal || FRollUpState
            ? NewMenuItem("SF_RESTORE", MenuCaption("MI_RESTORECAPTION", "&Restore"),
                [this](tk::TComponent*) {
                    if (MaxRollUpState || (FRollUpState && WindowState == wsNormal))
                        SetRollUpState(false);
                    else
                        ChangeWindowState(wsNormal);
                })
            : nullptr;
    };
    auto rollUpItem = [&] {
        return (FBorderIcons & biRollUp) && !mdiChildMaximized && !FRollUpState && !minimized
            ? NewMenuItem("SF_ROLLUP", MenuCaption("MI_ROLLUPCAPTION", "Ro&llUp"),
                [this](tk::TComponent*) { SetRollUpState(true); })
            : nullptr;
    };
    auto trayItem = [&] {
        return (FBorderIcons & biMinimizeToTray)
            ? NewMenuItem("SF_MINTOTRAY", MenuCaption("MI_MINTOTRAYCAPTION", "Minimize to &Tray"),
                [this](tk::TComponent*) { MinimizeToTray(); })
            : nullptr;
    };
    auto closeItem = [&] {
        tk::TMenuItem* item = NewMenuItem("SF_CLOSE", MenuCaption("MI_CLOSECAPTION", "&Close"),
            [this](tk::TComponent*) { FForm->Close(); });
        item->SetShortCut(tk::ShortCut(win::VK_F4, tk::ssAlt));
        return item;
    };

    if (FSystemMenu && !UseDefaultSysMenu)
        return FSystemMenu;
    static char const* const standard[]
        = { "SF_MINITEM", "SF_MAXITEM", "SF_RESTORE", "SF_ROLLUP", "SF_MINTOTRAY", "SF_CLOSE" };
    if (FSystemMenu) {
        tk::TMenuItem* root = FSystemMenu->Items();
        for (char const* name : standard)
            for (int i = root->Count() - 1; i >= 0; --i)
                if (root->Items(i)->Name() == name)
                    root->Delete(i);
    }
    // The items of the other form of the menu go too: they hold the names.
    for (char const* name : standard)
        delete FindComponent(name);
    if (FSystemMenu) {
        tk::TMenuItem* root = FSystemMenu->Items();
        for (tk::TMenuItem* item : { trayItem(), rollUpItem(), maxItem(), restoreItem(), minItem() })
            if (item)
                root->Insert(0, item);
        root->Add(closeItem());
        return FSystemMenu;
    }
    tk::TMenuItem* root = FOwnSysMenu->Items();
    root->Clear();
    bool any = false;
    for (tk::TMenuItem* item : { minItem(), maxItem(), restoreItem(), rollUpItem(), trayItem() })
        if (item) {
            root->Add(item);
            any = true;
        }
    if (any)
        root->Add(NewMenuItem("", "-", nullptr));
    root->Add(closeItem());
    return FOwnSysMenu;
}

void TspSkinnedForm::ShowSystemMenu(TPoint screen)
{
    tk::TPopupMenu* menu = BuildSystemMenu();
    if (OnSkinMenuOpen)
        OnSkinMenuOpen(this);
    TspSkinData* data = FMenusSkinData ? FMenusSkinData.Get() : FSkinData.Get();
    int const alpha = MenusAlphaBlend ? MenusAlphaBlendValue : 255;
    PrepareSkinMenu();
    FSkinMenu->Popup(menu->Items(), screen, data, alpha, FForm->Handle());
    if (!FSkinMenu->Visible())
        SkinMenuClosed();
}

void TspSkinnedForm::PrepareSkinMenu()
{
    // The menu properties reach the skin menu as each menu opens.
    FSkinMenu->DefItemHeight = DefMenuItemHeight;
    FSkinMenu->UseSkinFont = UseSkinFontInMenu;
    FSkinMenu->DefItemFont.Assign(FDefMenuItemFont);
    FSkinMenu->AlphaBlendAnimation = MenusAlphaBlendAnimation;
}

void TspSkinnedForm::SkinMenuClosed()
{
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
    if (std::exchange(FMainMenuPopup, false) && !FMainMenuSwitching)
        MainMenuPopupClosed();
}

TspSkinPopupSource* TspSkinnedForm::SystemMenu()
{
    if (!FSysMenuSource)
        FSysMenuSource = std::make_unique<TSystemMenuSource>();
    return FSysMenuSource.get();
}

void TspSkinnedForm::PopupMenuAt(TspSkinPopupSource& menu, TRect const& screenRect, bool above)
{
    if (&menu != FSysMenuSource.get())
        return;
    ShowSystemMenu({ screenRect.Left, above ? screenRect.Top : screenRect.Bottom });
}

void TspSkinnedForm::OnSysCommand(TMessage& m)
{
    if ((m.WParam & 0xFFF0) == win::SC_KEYMENU) {
        MainMenuKeyCommand(m.LParam);
        m.Result = 0;
        return;
    }
    CallPrevious(m);
}

// ---------------------------------------------------------------------------------------
// The main menu

namespace {

bool SameNameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

void CollectItems(tk::TMenuItem const* item, std::set<tk::TMenuItem const*>& out)
{
    for (int i = 0; i < item->Count(); ++i) {
        out.insert(item->Items(i));
        CollectItems(item->Items(i), out);
    }
}

} // namespace

std::vector<TspSkinMainMenuItem*> TspSkinnedForm::MainMenuItems() const
{
    std::vector<TspSkinMainMenuItem*> r;
    for (auto const& o : ObjectList)
        if (auto* m = dynamic_cast<TspSkinMainMenuItem*>(o.get()))
            r.push_back(m);
    return r;
}

void TspSkinnedForm::CreateMainMenuItems()
{
    tk::TMainMenu* menu = FMainMenu;
    if (!menu || !FSkinData)
        return;
    TspDataSkinMainMenuItem* data = nullptr;
    for (auto const& d : FSkinData->ObjectList)
        if (SameNameNoCase(d->IDName, "MAINMENUITEM")) {
            data = dynamic_cast<TspDataSkinMainMenuItem*>(d.get());
            break;
        }
    if (!data)
        return;
    tk::TMenuItem* root = menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        tk::TMenuItem* item = root->Items(i);
        if (!item->Visible())
            continue;
        auto o = std::make_unique<TspSkinMainMenuItem>(this, FSkinData, data, item);
        o->IDName = item->Name().empty() ? tk::StripHotkey(item->Caption()) : item->Name();
        o->EnabledState = o->SavedEnabledState = item->Enabled();
        ObjectList.push_back(std::move(o));
    }
}

void TspSkinnedForm::HookMainMenu(tk::TMainMenu* menu)
{
    if (menu == FMainMenu)
        return;
    if (FMainMenu) {
        FMainMenu->OnChange = std::move(FPreviousMenuChange);
        FMainMenu->RemoveFreeNotification(this);
    }
    FPreviousMenuChange = nullptr;
    FMainMenu = menu;
    if (!menu)
        return;
    FPreviousMenuChange = menu->OnChange;
    menu->OnChange = [this](tk::TMenu* m) {
        if (FPreviousMenuChange)
            FPreviousMenuChange(m);
        MainMenuChanged();
    };
    menu->FreeNotification(this);
}

void TspSkinnedForm::MainMenuChanged()
{
    std::vector<TspSkinMainMenuItem*> const objects = MainMenuItems();
    std::vector<tk::TMenuItem*> shown;
    std::set<tk::TMenuItem const*> live;
    if (FMainMenu) {
        tk::TMenuItem* root = FMainMenu->Items();
        for (int i = 0; i < root->Count(); ++i)
            if (root->Items(i)->Visible())
                shown.push_back(root->Items(i));
        CollectItems(root, live);
    }
    // An open submenu whose items are gone closes before anything draws them.
    if (FMainMenuPopup) {
        bool gone = false;
        for (TspSkinPopupMenu* m = FSkinMenu; m && !gone; m = m->SubMenu())
            for (int i = 0; i < m->ItemCount() && !gone; ++i)
                gone = live.count(m->Item(i)) == 0;
        if (gone)
            FSkinMenu->Close();
    }
    bool same = objects.size() == shown.size() && FMainMenu;
    for (size_t i = 0; same && i < objects.size(); ++i)
        same = objects[i]->MenuItem == shown[i];
    if (same) {
        // The same tabs: only their states and captions change.
        for (TspSkinMainMenuItem* o : objects) {
            bool const enabled = o->MenuItem->Enabled();
            (o->Shown ? o->EnabledState : o->SavedEnabledState) = enabled;
        }
        if (FSkinSupport && !InChangeSkinData) {
            if (FSupportNCArea)
                SendNcPaint();
            else
                FForm->Repaint();
        }
        return;
    }
    // Tabs come or go: a tab whose item is gone forgets it now; the bar is rebuilt once the
    // message under way is done, as a tab may be running its own click.
    for (TspSkinMainMenuItem* o : objects)
        if (live.count(o->MenuItem) == 0) {
            o->MenuItem = nullptr;
            o->EnabledState = o->SavedEnabledState = false;
        }
    win::HWND const h = FForm->Handle();
    if (!FMainMenuRebuildPending && h && !(FForm->ComponentState() & tk::csDestroying)) {
        FMainMenuRebuildPending = true;
        win::PostMessage(h, MainMenuRebuildMsg, 0, 0);
    }
}

void TspSkinnedForm::RebuildMainMenuItems()
{
    FMainMenuRebuildPending = false;
    if (!FSkinSupport)
        return;
    // Carry the pressed and lit states over to the new tabs of the same items.
    std::set<tk::TMenuItem const*> pressed, lit;
    for (TspSkinMainMenuItem* o : MainMenuItems()) {
        if (o->Pressed && o->MenuItem)
            pressed.insert(o->MenuItem);
        if (o->ActiveState && o->MenuItem)
            lit.insert(o->MenuItem);
    }
    if (MouseCaptureObject != -1 && dynamic_cast<TspSkinMainMenuItem*>(Object(MouseCaptureObject))
        && win::GetCapture() == FForm->Handle())
        win::ReleaseCapture();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    std::erase_if(ObjectList, [](auto const& o) { return dynamic_cast<TspSkinMainMenuItem*>(o.get()); });
    CreateMainMenuItems();
    for (TspSkinMainMenuItem* o : MainMenuItems()) {
        o->Pressed = pressed.count(o->MenuItem) != 0;
        o->ActiveState = lit.count(o->MenuItem) != 0;
    }
    if (FSupportNCArea)
        SendNcPaint();
    else
        FForm->Repaint();
}

void TspSkinnedForm::SetMainMenuActive(bool value)
{
    if (!value)
        FMainMenuKeyMode = false;
    if (value == FMainMenuActive)
        return;
    FMainMenuActive = value;
    if (value && OnMainMenuEnter)
        OnMainMenuEnter(this);
    else if (!value && OnMainMenuExit)
        OnMainMenuExit(this);
}

void TspSkinnedForm::PopupMainMenu(TspActiveSkinObject& item, tk::TMenuItem& menu, TRect const& screenRect)
{
    (void)item;
    // The open menu (another tab's, or the system menu) closes first without ending the
    // main menu's use.
    FMainMenuSwitching = true;
    FSkinMenu->Close();
    FMainMenuSwitching = false;
    if (!FSkinMenu->OnBarMove)
        FSkinMenu->OnBarMove = [this](int direction) { MainMenuBarMove(direction); };
    TspSkinData* data = FMenusSkinData ? FMenusSkinData.Get() : FSkinData.Get();
    bool above = FSkinData && FSkinData->MainMenuPopupUp;
    // An item with a skinned menu of its own opens in that menu's skin, above or below the
    // tab as that skin says.
    if (auto* own = dynamic_cast<TspSkinPopupMenu*>(menu.SkinMenu()); own && own->SkinData()) {
        data = own->SkinData();
        above = data->MainMenuPopupUp;
    }
    int const alpha = MenusAlphaBlend ? MenusAlphaBlendValue : 255;
    if (OnSkinMenuOpen)
        OnSkinMenuOpen(this);
    PrepareSkinMenu();
    FMainMenuPopup = true;
    FSkinMenu->PopupUnder(&menu, screenRect, above, data, alpha, FForm->Handle());
    if (!FSkinMenu->Visible())
        SkinMenuClosed();
}

void TspSkinnedForm::MainMenuPopupClosed()
{
    for (TspSkinMainMenuItem* o : MainMenuItems())
        if (o->Pressed)
            o->SetPressed(false);
        else if (o->ActiveState && !o->MouseInside) {
            o->ActiveState = false;
            RedrawObject(*o);
        }
    SetMainMenuActive(false);
}

void TspSkinnedForm::LightMainMenuItem(TspSkinMainMenuItem* item)
{
    for (TspSkinMainMenuItem* o : MainMenuItems()) {
        bool const lit = o == item;
        if (o->ActiveState == lit)
            continue;
        o->ActiveState = lit;
        if (!lit && o->MorphEnabled)
            o->SetMorphFactor(0);
        RedrawObject(*o);
    }
}

void TspSkinnedForm::OpenMainMenuItem(TspSkinMainMenuItem* item, bool byKey)
{
    if (!item || !item->EnabledState)
        return;
    if (!item->HasSubItems()) {
        tk::TMenuItem* const menuItem = item->MenuItem;
        LeaveMainMenu();
        if (menuItem)
            menuItem->Click(); // may free the form: nothing is touched afterwards
        return;
    }
    LightMainMenuItem(item);
    item->SetPressed(true);
    // Opened from the keyboard, the submenu's first item is lit.
    if (byKey && FSkinMenu->Visible())
        FSkinMenu->KeyDown(win::VK_DOWN);
}

void TspSkinnedForm::MainMenuBarMove(int direction)
{
    if (!FMainMenuPopup)
        return;
    std::vector<TspSkinMainMenuItem*> const items = MainMenuItems();
    int const n = int(items.size());
    int current = -1;
    for (int i = 0; i < n; ++i)
        if (items[size_t(i)]->Pressed)
            current = i;
    if (current < 0)
        return;
    for (int k = 1; k < n; ++k) {
        TspSkinMainMenuItem* next = items[size_t(((current + direction * k) % n + n) % n)];
        if (!next->EnabledState)
            continue;
        items[size_t(current)]->SetPressed(false);
        if (next->HasSubItems()) {
            OpenMainMenuItem(next, true);
        } else {
            // A tab without a submenu is only lit; Enter or Down then runs it.
            FMainMenuSwitching = true;
            FSkinMenu->Close();
            FMainMenuSwitching = false;
            FMainMenuKeyMode = true;
            LightMainMenuItem(next);
        }
        return;
    }
}

void TspSkinnedForm::LeaveMainMenu()
{
    FMainMenuKeyMode = false;
    if (FMainMenuPopup)
        FSkinMenu->Close();
    for (TspSkinMainMenuItem* o : MainMenuItems())
        if (o->Pressed)
            o->SetPressed(false);
    LightMainMenuItem(nullptr);
    SetMainMenuActive(false);
}

void TspSkinnedForm::MainMenuKeyCommand(win::LPARAM lp)
{
    if (FMainMenuKeyMode) {
        LeaveMainMenu();
        return;
    }
    FSkinMenu->Close();
    std::vector<TspSkinMainMenuItem*> const items = MainMenuItems();
    auto const usable = [](TspSkinMainMenuItem* o) { return o->EnabledState && o->Shown && o->MenuItem; };
    // Alt with a letter opens the tab with that mnemonic at once.
    if (char const key = char(lp)) {
        for (TspSkinMainMenuItem* o : items)
            if (usable(o) && tk::IsAccel(key, o->MenuItem->Caption())) {
                FMainMenuKeyMode = true;
                SetMainMenuActive(true);
                OpenMainMenuItem(o, true);
                return;
            }
        return;
    }
    TspSkinMainMenuItem* target = nullptr;
    for (TspSkinMainMenuItem* o : items)
        if (o->Pressed && usable(o))
            target = o;
    for (size_t i = 0; !target && i < items.size(); ++i)
        if (usable(items[i]))
            target = items[i];
    if (!target)
        return;
    LightMainMenuItem(target);
    FMainMenuKeyMode = true;
    SetMainMenuActive(true);
}

void TspSkinnedForm::MainMenuShortCut(tk::TWMKey& key, bool& handled)
{
    // An open menu takes its keys through the window procedure.
    if (FSkinMenu->Visible())
        return;
    if (FMainMenuKeyMode) {
        std::vector<TspSkinMainMenuItem*> const items = MainMenuItems();
        int const n = int(items.size());
        int lit = -1;
        for (int i = 0; i < n; ++i)
            if (items[size_t(i)]->ActiveState)
                lit = i;
        auto const usable = [&](int i) {
            TspSkinMainMenuItem* o = items[size_t(i)];
            return o->EnabledState && o->Shown && o->MenuItem;
        };
        int const vk = key.CharCode;
        if (vk == win::VK_LEFT || vk == win::VK_RIGHT) {
            int const step = vk == win::VK_LEFT ? -1 : 1;
            for (int k = 1; k <= n; ++k) {
                int const i = ((lit + step * k) % n + n) % n;
                if (usable(i)) {
                    LightMainMenuItem(items[size_t(i)]);
                    break;
                }
            }
            handled = true;
        } else if (vk == win::VK_DOWN || vk == win::VK_UP || vk == win::VK_RETURN) {
            handled = true;
            if (lit >= 0)
                OpenMainMenuItem(items[size_t(lit)], true);
        } else if (vk == win::VK_ESCAPE) {
            handled = true;
            LeaveMainMenu();
        } else if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
            handled = true;
            for (int i = 0; i < n; ++i)
                if (usable(i) && tk::IsAccel(char(vk), items[size_t(i)]->MenuItem->Caption())) {
                    OpenMainMenuItem(items[size_t(i)], true);
                    break;
                }
        }
        return;
    }
    if (tk::TMainMenu* menu = FMainMenu)
        handled = menu->IsShortCut(tk::ShortCutFromKey(key.CharCode));
}

void TspSkinnedForm::DrawMainMenuItems(gfx::TBitmap& topBand, gfx::TBitmap& bottomBand)
{
    gfx::TBitmap& band = NewClRect.Top < NewMainMenuRect.Top ? bottomBand : topBand;
    if (band.Empty())
        return;
    for (TspSkinMainMenuItem* o : MainMenuItems())
        if (o->VisibleState)
            o->Draw(band.Canvas(), false);
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
    case SkinMsg_BeforeChange: {
        auto* sender = reinterpret_cast<TspSkinData*>(m.WParam);
        SkinBeforeChange(sender);
        return;
    }
    case SkinMsg_Change:
        SkinChange(reinterpret_cast<TspSkinData*>(m.WParam));
        return;
    case SkinMsg_AfterChange:
        return;
    case SkinMsg_ResStrChange:
        ReloadObjectHints();
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
// Object hints

void TspSkinnedForm::SetSkinHint(TspSkinHint* value)
{
    if (FSkinHint == value)
        return;
    if (FSkinHint)
        FSkinHint->RemoveFreeNotification(this);
    FSkinHint = value;
    if (FSkinHint)
        FSkinHint->FreeNotification(this);
}

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
