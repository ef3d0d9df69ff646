// The skinned form's window commands (minimise, maximise, roll-up, tray, close), alpha
// blending and the system menu.
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

TspSkinPopupSource* TspSkinnedForm::SystemMenuSource()
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

} // namespace xe::skin
