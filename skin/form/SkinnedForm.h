#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Region.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Persistence.h"
#include "skin/draw/ActiveSkinObject.h"
#include "skin/draw/FrameImage.h"
#include "skin/form/SkinMainMenuBar.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace xe::skin {

class TspSkinCaptionObject;
class TspSkinData;
class TspSkinHint;
class TspSkinMainMenuItem;
class TspSkinPopupMenu;
class TspTrayIcon;

// Which caption buttons (and system-menu items) a skinned form has: bits of a set.
using TspBorderIcons = uint32_t;
constexpr TspBorderIcons biSystemMenu = 1;
constexpr TspBorderIcons biMinimize = 2;
constexpr TspBorderIcons biMaximize = 4;
constexpr TspBorderIcons biRollUp = 8;
constexpr TspBorderIcons biMinimizeToTray = 16;

enum TspWindowState { wsNormal, wsMinimized, wsMaximized };

using TChangeClientRectEvent = std::function<void(tk::TComponent* sender, base::TRect const& newClientRect)>;
using TspMouseUpEvent = std::function<void(
    std::string const& idName, int x, int y, base::TRect const& objectRect, win::TMouseButton button)>;
using TMouseDownEvent = TspMouseUpEvent;
using TMouseMoveEvent
    = std::function<void(std::string const& idName, int x, int y, base::TRect const& objectRect)>;
using TMouseEnterEvent = std::function<void(std::string const& idName)>;
using TMouseLeaveEvent = TMouseEnterEvent;
using TPaintEvent
    = std::function<void(std::string const& idName, gfx::TCanvas& canvas, base::TRect const& objectRect)>;
using TSwitchChangeStateEvent = std::function<void(std::string const& idName, TSwitchState state)>;
using TTrackBarChangeValueEvent = std::function<void(std::string const& idName, int value)>;
using TFrameRegulatorChangeValueEvent = TTrackBarChangeValueEvent;
using TspActivateCustomObjectEvent = std::function<void(std::string const& idName, bool& objectVisible)>;

// Timer ids on the form's window; they stay clear of the alpha fade's timer 1.
constexpr win::UINT_PTR MorphTimerId = 0x5301; // 20 ms: fades of the objects
constexpr win::UINT_PTR MouseTimerId = 0x5302; // 50 ms: the object under the mouse
constexpr win::UINT_PTR AnimateTimerId = 0x5303; // 25 ms: animation objects
constexpr win::UINT_PTR AlphaTimerId = 1; // one shot, 1 ms: the alpha fade-in

// Draws and operates the window frame of the form that owns it from a skin: it takes over
// the form's window procedure, answers the non-client messages (frame size, painting,
// activation, hit tests) and keeps the frame's active objects (caption, caption buttons)
// mapped onto the window's size. Without a skin it draws a plain built-in frame. A form
// without a border (bsNone) gets no frame, no region and no painting; the skin then only
// shapes its hit tests (client area, caption band). The window procedure is restored
// when the component goes.
//
// Frame coordinates are window coordinates: origin at the window's top-left corner,
// non-client area included.
class TspSkinnedForm : public tk::TComponent, public TSkinObjectHost {
public:
    // The owner must be a form.
    explicit TspSkinnedForm(tk::TComponent* owner);
    ~TspSkinnedForm() override;
    char const* ClassName() const override { return "TspSkinnedForm"; }

    // --- properties, in their published order ---
    int ClientWidth = 0; // > 0: applied to the form's client width after a skin change
    int ClientHeight = 0; // > 0: the same for its height
    bool HideCaptionButtons() const { return FHideCaptionButtons; }
    void SetHideCaptionButtons(bool value);
    bool AlwaysShowInTray = false;
    gfx::TBitmap const& LogoBitMap() const { return FLogoBitMap; }
    void SetLogoBitMap(gfx::TBitmap const& value); // copies
    bool LogoBitMapTransparent = false;
    bool AlwaysMinimizeToTray() const override { return FAlwaysMinimizeToTray; }
    void SetAlwaysMinimizeToTray(bool value) { FAlwaysMinimizeToTray = value; }
    bool UseSkinFontInMenu = true;
    bool ShowIcon() const override { return FShowIcon; }
    void SetShowIcon(bool value); // repaints the frame
    // Draws the form's icon at the small-icon size: the form's own, else the application's,
    // else the default one. The sized copy is made on first use.
    void DrawFormIcon(gfx::TCanvas& canvas, int x, int y) override;
    bool MaximizeOnFullScreen = false;
    // The window that shows the objects' hints (not owned); forgotten when it goes.
    TspSkinHint* SkinHint() const;
    void SetSkinHint(TspSkinHint* value);
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    bool UseSkinCursors = false;
    gfx::TFont const& DefCaptionFont() const { return FDefCaptionFont; }
    void SetDefCaptionFont(gfx::TFont const& value); // copies; repaints the built-in frame
    gfx::TFont const& DefInActiveCaptionFont() const { return FDefInActiveCaptionFont; }
    void SetDefInActiveCaptionFont(gfx::TFont const& value);
    int DefMenuItemHeight = 20;
    gfx::TFont const& DefMenuItemFont() const { return FDefMenuItemFont; }
    void SetDefMenuItemFont(gfx::TFont const& value); // copies; the menus take it as they open
    bool UseDefaultSysMenu = true;
    bool SupportNCArea() const override { return FSupportNCArea; }
    void SetSupportNCArea(bool value);
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    // Applied at once while AlphaBlend is on.
    void SetAlphaBlendValue(int value);
    bool AlphaBlend() const { return FAlphaBlend; }
    // At run time: on makes the window layered with AlphaBlendValue, off makes it opaque.
    void SetAlphaBlend(bool value);
    bool MenusAlphaBlend = false;
    bool MenusAlphaBlendAnimation = false;
    int MenusAlphaBlendValue = 200;
    TspSkinData* SkinData() const;
    // Stores the skin data and rebuilds the frame from it at once.
    void SetSkinData(TspSkinData* value);
    TspSkinData* MenusSkinData() const;
    void SetMenusSkinData(TspSkinData* value);
    int MinHeight = 0;
    int MinWidth = 0;
    bool Sizeable = true;
    bool DraggAble = false;
    bool Magnetic = false;
    int MagneticSize = 10;
    // The main menu shown as main-menu item objects on the frame (not owned). Setting it
    // rebuilds those objects when a skin is loaded.
    tk::TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(tk::TMainMenu* value);
    // A main-menu bar in the client area (not owned): while set, it shows MainMenu (in the
    // form's skin unless it has one of its own) and the frame shows no menu tabs.
    TspSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar.Get(); }
    void SetMainMenuBar(TspSkinMainMenuBar* value);
    // The user's system menu (not owned); null: the component builds its own.
    tk::TPopupMenu* SystemMenu() const { return FSystemMenu; }
    void SetSystemMenu(tk::TPopupMenu* value);
    TspTrayIcon* TrayIcon() const;
    // Hides the icon unless AlwaysShowInTray; at run time an icon without a popup menu gets
    // the component's tray menu (restore, close) and restores the form on request. The icon
    // left (for another, or as the component goes) keeps neither.
    void SetTrayIcon(TspTrayIcon* value);
    TspBorderIcons BorderIcons() const { return FBorderIcons; }
    // Makes the caption buttons again (the skin's, or the built-in ones without a skin) and
    // applies the icons.
    void SetBorderIcons(TspBorderIcons value);

    // --- events, in their published order ---
    TChangeClientRectEvent OnChangeClientRect;
    tk::TNotifyEvent OnChangeSkinData;
    TspMouseUpEvent OnMouseUpEvent;
    TMouseDownEvent OnMouseDownEvent;
    TMouseMoveEvent OnMouseMoveEvent;
    TMouseEnterEvent OnMouseEnterEvent;
    TMouseLeaveEvent OnMouseLeaveEvent;
    TPaintEvent OnPaintEvent;
    TSwitchChangeStateEvent OnSwitchChangeStateEvent;
    TTrackBarChangeValueEvent OnTrackBarChangeValueEvent;
    TFrameRegulatorChangeValueEvent OnFrameRegulatorChangeValueEvent;
    tk::TNotifyEvent OnActivate;
    tk::TNotifyEvent OnDeActivate;
    TspActivateCustomObjectEvent OnActivateCustomObject;
    tk::TNotifyEvent OnChangeRollUpState;
    tk::TNotifyEvent OnMinimizeToTray;
    tk::TNotifyEvent OnRestoreFromTray;
    tk::TNotifyEvent OnSkinMenuOpen;
    tk::TNotifyEvent OnSkinMenuClose;

    // --- lifecycle ---
    // Rebuilds the objects, the geometry and the frame from the current skin.
    void ChangeSkinData();
    // Takes the form's width one pixel off its value and back, so that the window passes
    // through whole frame-size and size cycles.
    void ForceResize();
    void DefineProperties(tk::TProperties& properties) override;

    // --- state ---
    tk::TForm* Form() const { return FForm; }
    bool SkinSupport() const { return FSkinSupport; }
    bool IsFormActive() const override;
    // For every caption object: redraws it (or, when no redraw is wanted, sets a morphing
    // caption's factor), then fires OnActivate or OnDeActivate.
    void UpdateActiveState(bool redraw);
    bool FormActive = false; // last WM_NCACTIVATE said active
    TspWindowState WindowState = wsNormal;
    bool RollUpState() const override { return FRollUpState; }
    bool InChangeSkinData = false;
    bool InSizeMove = false;
    bool FullDragWindows = true;
    bool ClientDragging = false;

    std::vector<std::unique_ptr<TspActiveSkinObject>> ObjectList;
    int ActiveObject = -1;
    int OldActiveObject = -1;
    int MouseCaptureObject = -1;

    // --- frame geometry (window coordinates), recomputed by CalcRects ---
    int FrameWidth = 0;
    int FrameHeight = 0;
    base::TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    base::TRect NewClRect;
    base::TRect NewCaptionRect;
    base::TRect NewButtonsRect;
    base::TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    base::TRect NewMaskRectArea;
    base::TRect NewIconRect;
    base::TRect NewMainMenuRect;
    // The mask cut into bands around NewMaskRectArea; black is inside the window's shape.
    gfx::TBitmap MaskBands[4]; // top, bottom, left, right
    bool HasFrameRegion() const { return FFrameRegion.has_value(); }

    void CalcRects();
    base::TRect MapSkinRect(base::TRect const& r) const;
    void CalcObjectRects();
    void ArrangeCaptionButtons();
    void UpdateFrame(bool stretch);
    void UpdateFrameRegion(bool stretch);
    void UpdateCaptionButtons();
    void CreateDefaultButtons();
    void RedrawObject(TspActiveSkinObject& object) override;
    // Caption height of the built-in frame: 19, or 15 for tool windows.
    int CaptionHeight() const;
    int DefaultButtonSize() const;
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    // --- window commands ---
    void ChangeWindowState(TspWindowState value);
    void DoMinimize();
    void DoMaximize();
    void DoRestore();
    // Where a minimised form goes: the first free slot along the bottom of the work area.
    base::TPoint GetMinimizedPosition() const;
    void SetRollUpState(bool value);
    void MinimizeToTray();
    void RestoreFromTray();
    // Moves a proposed top-left corner onto the work area's edges within MagneticSize.
    void SnapToWorkArea(int& x, int& y, int w, int h) const;
    // Builds the system menu and opens it at a screen point.
    void ShowSystemMenu(base::TPoint screen);
    // The component's own system menu and tray menu (the user's system menu is SystemMenu).
    tk::TPopupMenu* OwnSystemMenu() const { return FOwnSysMenu; }
    tk::TPopupMenu* TrayMenu() const { return FTrayMenu; }
    // Fills the system menu that ShowSystemMenu opens, without opening it.
    tk::TPopupMenu* BuildSystemMenu();
    TspSkinPopupMenu* SkinMenu() const { return FSkinMenu; }
    bool LayeredWindowsAvailable() const;
    void SetFormAlpha(int alpha);
    base::TRect OldBoundsRect; // valid while a minimise or maximise has saved it
    bool MaxRollUpState = false;
    int OldHeight = 0;

    // Hit testing (window point) and the object under the mouse.
    int SkinHitTest(base::TPoint p) const;
    int ClientHitTest(base::TPoint p) const;
    int DefaultHitTest(base::TPoint p);
    bool PointInMask(base::TPoint p) const;
    void TestActive(int x, int y, bool test);

    // --- services of the objects ---
    void StartMorphTimer() override;
    void MouseDownEvent(std::string const& idName, int x, int y, base::TRect const& objectRect,
        win::TMouseButton button) override;
    void MouseUpEvent(std::string const& idName, int x, int y, base::TRect const& objectRect,
        win::TMouseButton button) override;
    void MouseMoveEvent(std::string const& idName, int x, int y, base::TRect const& objectRect) override;
    void MouseEnterEvent(std::string const& idName) override;
    void MouseLeaveEvent(std::string const& idName) override;
    void PaintEvent(std::string const& idName, gfx::TCanvas& canvas, base::TRect const& objectRect) override;
    void StartAnimateTimer() override;
    void SwitchChangeStateEvent(std::string const& idName, TSwitchState state) override;
    void TrackBarChangeValueEvent(std::string const& idName, int value) override;
    void FrameRegulatorChangeValueEvent(std::string const& idName, int value) override;
    bool FormMaximized() const override { return WindowState == wsMaximized; }
    bool FormMinimized() const override { return WindowState == wsMinimized; }
    std::string FormCaption() const override;
    int DefCaptionCharset() const override { return FDefCaptionFont.Charset(); }
    int ObjectCount() const override { return int(ObjectList.size()); }
    TspActiveSkinObject* Object(int index) const override;
    void WindowCommand(TspWindowCommand command) override;
    base::TPoint FrameScreenOrigin() const override;
    void StartDragging(int x, int y) override;
    void StopDragging() override;
    TspSkinPopupSource* SystemMenuSource() override;
    void PopupMenuAt(TspSkinPopupSource& menu, base::TRect const& screenRect, bool above) override;
    base::TPoint DragAnchor;
    bool MouseInside = false; // client mode: the mouse is over the window

    bool MorphTimerActive() const { return FMorphTimer; }
    bool MouseTimerActive() const { return FMouseTimer; }
    bool AnimateTimerActive() const { return FAnimateTimer; }

    // --- the application's hold on the skin objects, by IDName ---
    TspActiveSkinObject* ObjectByIDName(std::string const& idName) const;
    // Sets the value of a gauge, track bar, frame gauge or frame regulator as its SetValue
    // does; false when no such object has the name.
    bool SetObjectValue(std::string const& idName, int value);
    // Sets the text of a label or bit label and redraws it; false when there is no such one.
    bool SetObjectText(std::string const& idName, std::string const& text);
    // Runs an animation object forward on the animation timer; false when there is none.
    bool StartAnimation(std::string const& idName);

    // --- the main menu ---
    // The form's main menu (tk::TForm::Menu) shows as one main-menu item object per visible
    // top-level item when the skin describes a "MAINMENUITEM". Alt or F10 (SC_KEYMENU) lights
    // the first tab: Left and Right move along the bar, Down or Enter open, Escape leaves.
    tk::TNotifyEvent OnMainMenuEnter;
    tk::TNotifyEvent OnMainMenuExit;
    bool MainMenuActive() const override { return FMainMenuActive; }
    void SetMainMenuActive(bool value) override;
    bool MainMenuKeyMode() const { return FMainMenuKeyMode; }
    // The main-menu item objects in list order.
    std::vector<TspSkinMainMenuItem*> MainMenuItems() const;
    base::TRect MainMenuArea() const override { return NewMainMenuRect; }
    base::TRect FrameClientRect() const override { return NewClRect; }
    void PopupMainMenu(
        TspActiveSkinObject& item, tk::TMenuItem& menu, base::TRect const& screenRect) override;

private:
    void CreateMainMenuItems();
    void HookMainMenu(tk::TMainMenu* menu);
    void MainMenuFreed();
    void MainMenuChanged();
    void RebuildMainMenuItems();
    void MainMenuPopupClosed();
    void MainMenuBarMove(int direction);
    void MainMenuKeyCommand(win::LPARAM lp);
    void MainMenuShortCut(tk::TWMKey& key, bool& handled);
    void MenuAndHintPreFilter(tk::TMessage const& m);
    void LightMainMenuItem(TspSkinMainMenuItem* item);
    void OpenMainMenuItem(TspSkinMainMenuItem* item, bool byKey);
    void LeaveMainMenu();
    void DrawMainMenuItems(gfx::TBitmap& topBand, gfx::TBitmap& bottomBand);
    void WindowProc(tk::TMessage& m);
    void CallPrevious(tk::TMessage& m);
    void FreeObjects();
    void CreateSkinObjects();
    void EnableTimer(win::UINT_PTR id, bool& flag, bool enable, unsigned interval);
    void StopTimers();
    void MorphTimerTick();
    void MouseTimerTick();
    void AnimateTimerTick();
    void SkinBeforeChange(TspSkinData* sender);
    void DropClientSkin(); // client mode: back to no skin, roll-up left
    void SkinDataFreed();
    void ReleaseTrayIcon(); // takes the tray menu and the restore request back from the icon
    void SkinChange(TspSkinData* sender);
    void ReloadObjectHints();
    bool Framed() const; // has a border the component paints
    bool Stretchable() const; // the corner points differ in both coordinates
    bool ClientIsPictureSize() const;
    void FitClientToSkin(); // client mode
    bool BelongsToRollUpState(TspActiveSkinObject const& o) const;
    bool TakesPartInMouse(TspActiveSkinObject const& o) const;
    int CaptionObjectAt(base::TPoint p) const; // index, -1 for none
    bool IsCaptionObject(int index) const;
    int BorderHitTest(base::TPoint p, int inner) const; // the border and corners of the rule
    void ObjectMouseDown(base::TPoint p, win::TMouseButton button);
    void ObjectMouseUp(base::TPoint p, win::TMouseButton button);
    void ObjectMouseMove(base::TPoint p);
    void ObjectDblClick();
    void CaptionDblClick();
    void CaptionObjectDblClick();
    void ClientDrag();
    void ResetObjectStates();
    void SetSkinCursor();
    void AlphaTimerTick();
    void OnShowWindow(tk::TMessage& m);
    void OnMoving(tk::TMessage& m);
    void OnSysCommand(tk::TMessage& m);
    void ClientRollUp(bool value);
    void LayOutClientRollUp(); // the strip's size, objects and region; controls hidden
    void LeaveClientRollUp(); // controls shown, height back, without the skin's help
    void SkinMenuClosed();
    void PrepareSkinMenu();
    // A system-menu caption from the skin data's interface strings, else the built-in one.
    std::string MenuCaption(std::string_view name, std::string const& fallback) const;
    tk::TMenuItem* NewMenuItem(std::string const& name, std::string const& caption, tk::TNotifyEvent click);
    base::TPoint ClientPoint(tk::TMessage const& m) const;
    base::TPoint WindowPoint(tk::TMessage const& m) const;
    TspSkinCaptionObject* FirstCaption() const;
    TFrameCut SourceCut() const;
    TFrameCut MappedCut() const;
    void ShowingWindow(); // WM_SHOWWINDOW showing: size cycle, no menu bar of the form's own
    void ShowObjectHintOf(int index); // when hints are on, the form active and the object has one

    void OnNcCalcSize(tk::TMessage& m);
    void OnNcPaint();
    void OnNcHitTest(tk::TMessage& m);
    void OnNcActivate(tk::TMessage& m);
    void OnActivateMessage(tk::TMessage& m);
    void OnEraseBackground(tk::TMessage& m);
    void OnSize(tk::TMessage& m);
    void OnSetText(tk::TMessage& m);
    void OnNcMouse(tk::TMessage& m, int hit);
    void OnClientMouse(tk::TMessage& m);
    void PaintSkinFrame();
    void PaintDefaultFrame();
    void PaintClientBackground(gfx::TCanvas& canvas);
    void DrawLogo(gfx::TCanvas& canvas);
    void SendNcPaint();

    tk::TForm* FForm = nullptr;
    tk::TWndMethod FOldWindowProc;
    // The components referred to follow free notification: each reference becomes null when
    // its component is freed. One skin data may be both SkinData and MenusSkinData.
    tk::TComponentRef<TspSkinData> FSkinData;
    tk::TComponentRef<TspSkinData> FMenusSkinData;
    bool FSkinSupport = false;
    bool FHideCaptionButtons = false;
    bool FAlwaysMinimizeToTray = false;
    bool FShowIcon = false;
    tk::TIcon FFormIcon; // the sized copy DrawFormIcon draws; empty until first used
    bool FSupportNCArea = true;
    bool FRollUpState = false;
    bool FOldBoundsSaved = false;
    bool FActivated = false;
    TspBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;
    gfx::TBitmap FLogoBitMap;
    gfx::TFont FDefCaptionFont;
    gfx::TFont FDefInActiveCaptionFont;
    gfx::TFont FDefMenuItemFont;
    tk::TBinaryData FLogoData; // LogoBitMap as stored
    std::optional<gfx::TRegion> FFrameRegion;
    bool FMorphTimer = false;
    bool FMouseTimer = false;
    bool FAnimateTimer = false;
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 200;
    int FLastHit = 0; // the answer of the last non-client hit test
    tk::TComponentRef<tk::TPopupMenu> FSystemMenu;
    tk::TComponentRef<TspTrayIcon> FTrayIcon;
    bool FRestoreHooked = false; // the tray icon's OnRestoreRequest is ours
    tk::TComponentRef<TspSkinHint> FSkinHint;
    tk::TPopupMenu* FOwnSysMenu = nullptr; // owned as a component
    tk::TPopupMenu* FTrayMenu = nullptr; // owned as a component
    TspSkinPopupMenu* FSkinMenu = nullptr; // owned as a component
    std::vector<tk::TControl*> FHiddenControls; // client-mode roll-up
    std::unique_ptr<TspSkinPopupSource> FSysMenuSource;
    tk::TComponentRef<tk::TMainMenu> FMainMenu; // its changes rebuild the tabs
    tk::TComponentRef<TspSkinMainMenuBar> FMainMenuBar;
    std::function<void(tk::TMenu*)> FPreviousMenuChange; // the menu's own handler, chained
    tk::TShortCutEvent FPreviousShortCut; // the form's own handler, asked first
    bool FMainMenuActive = false;
    bool FMainMenuKeyMode = false;
    bool FMainMenuPopup = false; // the skin menu shows a tab's submenu
    bool FMainMenuSwitching = false; // one tab's submenu closes for another's
    bool FMainMenuRebuildPending = false;
};

// Makes TspSkinnedForm known to the stored-form reader.
void RegisterSkinFormClasses();

} // namespace xe::skin
