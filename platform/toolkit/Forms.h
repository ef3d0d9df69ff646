#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/Controls.h"
#include "platform/toolkit/Icon.h"
#include "platform/toolkit/Menus.h"
#include "platform/windows/WinDefs.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace xe::tk {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
using TBorderIcons = uint32_t;
constexpr TBorderIcons biSystemMenu = 1;
constexpr TBorderIcons biMinimize = 2;
constexpr TBorderIcons biMaximize = 4;
constexpr TBorderIcons biHelp = 8;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

// The MDI styles are accepted and behave as fsNormal (only single-document forms here).
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

// A key message as OnShortCut sees it.
struct TWMKey {
    win::UINT Msg = 0;
    win::WORD CharCode = 0; // the virtual-key code
    win::LPARAM KeyData = 0;
    win::LRESULT Result = 0;
};
using TShortCutEvent = std::function<void(TWMKey& message, bool& handled)>;

// The modifier keys held now (from the window system's key state).
TShiftState KeyboardShiftState();

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;
using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;

// A top-level window with its graphic controls. The form owns its window from construction
// to destruction (created hidden); the window's procedure runs WindowProc, which a component
// may replace and later restore (calling the previous one for what it does not handle).
// Descendants read their stored layout in their constructor (ReadComponentResource).
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    char const* ClassName() const override { return "TForm"; }

    win::HWND Handle() const { return FHandle; }
    win::HWND WindowHandle() const override { return FHandle; }

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    TPoint ClientToScreen(TPoint point) const override;
    TPoint ScreenToClient(TPoint point) const override;

    void SetCaption(std::string const& value) override;
    void SetVisible(bool value) override;
    void Update() override;
    // The whole client area.
    void Invalidate() override;
    void Repaint() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TFormStyle FormStyle() const { return FFormStyle; }
    // fsStayOnTop keeps the window above the others (WS_EX_TOPMOST).
    void SetFormStyle(TFormStyle value);
    // The window's state; set while hidden it applies when the form is shown.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    // The form's icon (empty: none); the setter copies it. Stored as its .ico bytes.
    TIcon const& Icon() const { return FIcon; }
    void SetIcon(TIcon const& value) { FIcon = value; }
    // Stored and reported; the toolkit neither scrolls nor sizes forms to their controls.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value) { FAutoScroll = value; }
    // The main menu, which the form does not own; its short cuts work on the form.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);
    // Key events reach the form first. The form is the only windowed control here, so its
    // key events fire either way; the property is kept for forms that set it.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    // OnShortCut, then the main menu's short cuts; true when one took the key.
    virtual bool IsShortCut(TWMKey& message);

    // The control with the keyboard focus, or null (the form itself). It gets the key
    // messages after the form's key events. Setting it fires OnExit on the old control and
    // OnEnter on the new one; a control that cannot take the focus raises EInvalidOperation.
    TControl* ActiveControl() const { return FActiveControl.Get(); }
    void SetActiveControl(TControl* control);
    // Moves the focus to the next (or previous) control of the tab order after current,
    // wrapping around; with checkTabStop only to controls with TabStop.
    void SelectNext(TControl* current, bool goForward, bool checkTabStop);
    // The next focusable control after current in tab order, or null.
    TControl* FindNextControl(TControl* current, bool goForward, bool checkTabStop) const;

    // Shows the form: OnShow runs first, then the window appears, painted.
    void Show();
    void Hide();
    // Asks the form to close: a modal form gets ModalResult mrCancel; otherwise OnCloseQuery
    // may veto, OnClose may change the action, and the form hides. Closing the main form
    // also terminates the application.
    void Close();
    bool CloseQuery();
    // Shows the form modally: the other forms are disabled and a nested message loop runs
    // until ModalResult becomes non-zero (or the application terminates: mrCancel).
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Modal() const { return FModal; }
    bool Active() const;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TShortCutEvent OnShortCut;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void WndProc(TMessage& message) override;
    // The window system's default handling of a message.
    void DefaultHandler(TMessage& message);
    void DefineProperties(TProperties& properties) override;

protected:
    void BeforeDestruction() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    // Paints the background and the graphic controls; OnPaint runs between them.
    virtual void PaintWindow(gfx::TCanvas& canvas, TRect const& area);
    // Paints the controls over the background: the background is filled first only when
    // erase is set (WM_ERASEBKGND was not answered), as WM_PAINT does. Both WM_PAINT and
    // PaintWindow come here, so a form that draws over its controls overrides this.
    virtual void PaintHandler(gfx::TCanvas& canvas, TRect const& area, bool erase);
    // Fills the area with the form's colour (the answer to WM_ERASEBKGND).
    void EraseBackground(gfx::TCanvas& canvas, TRect const& area);
    void BoundsChanged(TRect const& oldBounds) override;

private:
    friend class TControl;
    win::DWORD WindowStyle() const;
    void ApplyStyle();
    // Hands a key message on to the focused control, then runs Tab; true when taken.
    bool DeliverKey(TMessage& message);
    // Alt+letter to the control whose caption marks it; true when taken.
    bool DeliverDialogChar(TMessage const& message);
    // WM_MOUSEWHEEL to the control under the mouse, else the focused one; true when taken.
    bool RouteMouseWheel(TMessage& message);
    void PlaceOnFirstShow();
    void SyncBounds();
    win::LRESULT MainWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

    win::HWND FHandle = nullptr;
    win::WNDPROC FObjectInstance = nullptr;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    bool FPlaced = false;
    bool FModal = false;
    TModalResult FModalResult = mrNone;
    bool FModalWindowLost = false; // the display destroyed the form's window while it was modal
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    TIcon FIcon;
    bool FAutoSize = false;
    bool FAutoScroll = true;
    TComponentRef<TMainMenu> FMenu;
    bool FKeyPreview = false;
    TComponentRef<TControl> FActiveControl;
    bool FChangingFocus = false;
    bool FDropChar = false; // the key down was taken: its WM_CHAR is not delivered
};

// Window messages that a form hands on to every control it holds (Broadcast) after its own
// handling: notifications meant for the controls as much as for the form, as the skin
// change messages. Other layers register theirs.
void RegisterControlBroadcast(win::UINT msg);
bool IsControlBroadcast(win::UINT msg);

// The forms of the application in creation order, and which one is active.
class TScreen {
public:
    int FormCount() const { return int(FForms.size()); }
    TForm* Forms(int index) const { return FForms.at(size_t(index)); }
    // The form whose window is the active window, or null.
    TForm* ActiveCustomForm() const;
    TForm* ActiveForm() const { return ActiveCustomForm(); }
    int Width() const;
    int Height() const;

    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

private:
    std::vector<TForm*> FForms;
};

extern TScreen* Screen;

// The application: its forms (owned, freed in reverse order of creation when it goes), the
// main form (the first one created), the message loop and the top-level error handler.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    char const* ClassName() const override { return "TApplication"; }

    // Starts the window system (the default backend unless one was started already).
    void Initialize();
    std::string const& Title() const { return FTitle; } // ANSI code page
    void SetTitle(std::string const& value);

    // Creates a form owned by the application; the first one is the main form.
    template <class T, class... Args> T* CreateForm(Args&&... args)
    {
        T* form = new T(this, std::forward<Args>(args)...);
        FormCreated(form);
        return form;
    }
    TForm* MainForm() const { return FMainForm; }
    // The application's icon, shown by forms without one of their own (empty: none).
    TIcon const& Icon() const { return FIcon; }
    void SetIcon(TIcon const& value) { FIcon = value; }

    // Shows the main form and handles messages until the application is terminated.
    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Waits for one message and handles it; WM_QUIT terminates.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void Minimize();
    void Restore();

    // The top-level handler: writes the error's message to standard error and, when a
    // display shows the windows, also in a modal message box (ShowMessageBox); gives the exit
    // code 1.
    int HandleException(std::exception const& error);
    // Whether HandleException shows the message box: set by Initialize (not headless).
    bool ErrorBox() const { return FErrorBox; }
    void SetErrorBox(bool value) { FErrorBox = value; }
    // Runs body under the top-level handler: 0 when it returns, 1 after an error.
    int Execute(std::function<void()> const& body);

    void Notification(TComponent* component, TOperation operation) override;
    // Whether the key message being dispatched was offered to its form's short cuts
    // already (before TranslateMessage, so that a short cut makes no character).
    bool KeyOffered() const { return FKeyOffered; }

private:
    void FormCreated(TForm* form);
    bool ProcessMessage(win::MSG& msg);

    std::string FTitle;
    TIcon FIcon;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FErrorBox = false;
    bool FKeyOffered = false;
};

// The application object of the process; set while a TApplication exists.
extern TApplication* Application;

} // namespace xe::tk
