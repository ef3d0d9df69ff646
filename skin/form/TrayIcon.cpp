#include "skin/form/TrayIcon.h"

#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinPopupMenu.h"

namespace xe::skin {

namespace {

// The message the window system posts for clicks on the icon.
constexpr win::UINT TrayCallbackMessage = win::WM_USER + 1;

} // namespace

TspTrayIcon::TspTrayIcon(tk::TComponent* owner)
    : tk::TComponent(owner)
{
    FMenu = new TspSkinPopupMenu(this);
}

TspTrayIcon::~TspTrayIcon()
{
    OnRestoreRequest = nullptr;
    DestroyHandle();
}

void TspTrayIcon::DestroyHandle()
{
    if (FHandle && win::WindowSystemRunning() && win::IsWindow(FHandle))
        win::DestroyWindow(FHandle); // its icon goes with it
    FHandle = nullptr;
    FRegistered = false;
    if (FInstance)
        win::FreeObjectInstance(FInstance);
    FInstance = nullptr;
}

void TspTrayIcon::Register(win::DWORD message)
{
    if (!win::WindowSystemRunning())
        return;
    if (!FHandle) {
        if (FInstance)
            win::FreeObjectInstance(FInstance);
        // A hidden window of its own takes the clicks, whatever becomes of the forms.
        FInstance = win::MakeObjectInstance([this](win::HWND h, win::UINT msg, win::WPARAM wp,
                                                win::LPARAM lp) { return WndProc(h, msg, wp, lp); });
        FHandle
            = win::CreateWindowEx(win::WS_EX_TOOLWINDOW, "", win::WS_POPUP, 0, 0, 0, 0, nullptr, FInstance);
        if (!FHandle) {
            DestroyHandle();
            return;
        }
    }
    win::NOTIFYICONDATA data;
    data.hWnd = FHandle;
    data.uID = 1;
    data.uFlags = win::NIF_MESSAGE | win::NIF_ICON | win::NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = &FIcon;
    data.szTip = FHint;
    if (message == win::NIM_DELETE) {
        if (FRegistered)
            win::Shell_NotifyIcon(win::NIM_DELETE, &data);
        FRegistered = false;
    } else if (FRegistered)
        win::Shell_NotifyIcon(win::NIM_MODIFY, &data);
    else
        FRegistered = win::Shell_NotifyIcon(win::NIM_ADD, &data) != 0;
}

void TspTrayIcon::SetIcon(gfx::TBitmap const& value)
{
    FIcon = value;
    if (FRegistered)
        Register(win::NIM_MODIFY);
}

void TspTrayIcon::SetHint(std::string const& value)
{
    FHint = value;
    if (FRegistered)
        Register(win::NIM_MODIFY);
}

void TspTrayIcon::ShowIcon()
{
    FShown = true;
    Register(win::NIM_ADD);
}

void TspTrayIcon::HideIcon()
{
    FShown = false;
    Register(win::NIM_DELETE);
}

bool TspTrayIcon::TrayAvailable() const
{
    return FShown && FRegistered && win::WindowSystemRunning() && win::NotificationAreaAvailable();
}

void TspTrayIcon::MinimizeApplication()
{
    if (win::WindowSystemRunning())
        win::HideApplication();
}

void TspTrayIcon::RestoreApplicationWindow()
{
    // Restoring the application brings hidden windows back as well; a menu of the icon
    // that is still open goes first.
    if (FMenu)
        FMenu->Close();
}

win::LRESULT TspTrayIcon::WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp)
{
    if (msg == TrayCallbackMessage) {
        switch (win::UINT(lp)) {
        case win::WM_LBUTTONUP:
        case win::WM_LBUTTONDBLCLK:
            RequestRestore();
            break;
        case win::NIN_AREAGONE:
            // The notification area went while the application was in it: it comes back
            // as from a click on the icon.
            if (MinimizedToTray)
                RequestRestore();
            break;
        case win::WM_RBUTTONUP:
            if (PopupMenu && FMenu) {
                win::POINT cursor;
                win::GetCursorPos(&cursor);
                PopupMenu->PopupComponent = this;
                if (PopupMenu->OnPopup)
                    PopupMenu->OnPopup(PopupMenu);
                FMenu->Popup(PopupMenu->Items(), { cursor.X, cursor.Y }, FMenusSkinData);
            }
            break;
        default:
            break;
        }
        return 0;
    }
    if (msg == win::WM_NCDESTROY) {
        // The window system went down before the component: the icon went with the window.
        FHandle = nullptr;
        FRegistered = false;
    }
    return win::DefWindowProc(h, msg, wp, lp);
}

TspSkinData* TspTrayIcon::MenusSkinData() const { return FMenusSkinData.Get(); }

void TspTrayIcon::SetMenusSkinData(TspSkinData* value) { FMenusSkinData = value; }

TspSkinPopupMenu* TspTrayIcon::Menu() const { return FMenu.Get(); }

} // namespace xe::skin
