#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/Menus.h"
#include "platform/windows/WinDefs.h"

#include <string>

namespace xe::skin {

class TspSkinData;
class TspSkinPopupMenu;

// An application's icon in the desktop's notification area. While the icon is shown it is
// registered with the window system, which puts it into a notification area whenever one
// exists (also one that appears later). A left click or a double click on it asks for the
// application's window back (OnRestoreRequest); a right click opens PopupMenu at the
// cursor, drawn with MenusSkinData() in the skin's look (a plain look without one).
//
// Minimising to the tray hides the application's windows only while a notification area
// shows the icon; without one the application is only minimised and stays on its task-bar
// entry, so that it can never be lost.
class TspTrayIcon : public tk::TComponent {
public:
    explicit TspTrayIcon(tk::TComponent* owner);
    ~TspTrayIcon() override;
    char const* ClassName() const override { return "TspTrayIcon"; }

    // The icon's picture (empty: a plain square) and its tip; both copied, shown at once.
    gfx::TBitmap const& Icon() const { return FIcon; }
    void SetIcon(gfx::TBitmap const& value);
    std::string const& Hint() const { return FHint; }
    void SetHint(std::string const& value);
    // The menu of the icon and the skin its menu is drawn with: not owned, each forgotten
    // when it is freed.
    tk::TComponentRef<tk::TPopupMenu> PopupMenu;
    TspSkinData* MenusSkinData() const;
    void SetMenusSkinData(TspSkinData* value);

    void ShowIcon();
    void HideIcon();
    bool Shown() const { return FShown; }
    // Whether a notification area shows the icon now (it is shown and an area exists).
    bool TrayAvailable() const;

    // Set while the application is minimised to the tray.
    bool MinimizedToTray = false;
    // The icon's owner asks to be restored (a click on the icon, or its menu).
    void RequestRestore()
    {
        if (OnRestoreRequest)
            OnRestoreRequest(this);
    }
    tk::TNotifyEvent OnRestoreRequest;
    // Minimises the application; its windows leave the task bar too when the notification
    // area shows the icon (the icon is then the way back).
    void MinimizeApplication();
    // Brings the application's windows back onto the task bar (they are then restored).
    void RestoreApplicationWindow();

    // The menu window that a right click opened.
    TspSkinPopupMenu* Menu() const;

private:
    win::LRESULT WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp);
    void Register(win::DWORD message);
    void DestroyHandle();

    gfx::TBitmap FIcon;
    std::string FHint;
    tk::TComponentRef<TspSkinData> FMenusSkinData;
    bool FShown = false;
    bool FRegistered = false; // the window system has the icon
    win::HWND FHandle = nullptr; // a hidden window that receives the icon's clicks
    win::WNDPROC FInstance = nullptr;
    tk::TComponentRef<TspSkinPopupMenu> FMenu; // owned as a component
};

} // namespace xe::skin
