#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/Menus.h"

#include <string>

namespace xe::skin {

// An application's icon in the desktop's notification area. No notification area is
// reachable from this program's window backends, so the icon is recorded, not shown:
// Shown() says whether it would be on view. A form minimised "to the tray" therefore stays
// on its task-bar entry (the application is minimised, never hidden), so that it cannot be
// lost when no tray exists.
class TspTrayIcon : public tk::TComponent {
public:
    explicit TspTrayIcon(tk::TComponent* owner);
    char const* ClassName() const override { return "TspTrayIcon"; }

    gfx::TBitmap const& Icon() const { return FIcon; }
    void SetIcon(gfx::TBitmap const& value) { FIcon = value; } // copies
    std::string Hint;
    // The menu of the icon (not owned).
    tk::TPopupMenu* PopupMenu = nullptr;

    void ShowIcon() { FShown = true; }
    void HideIcon() { FShown = false; }
    bool Shown() const { return FShown; }
    // Whether a notification area takes the icon (none here: the window stays reachable).
    bool TrayAvailable() const { return false; }

    // Set while the application is minimised to the tray.
    bool MinimizedToTray = false;
    // The icon's owner asks to be restored (a click on the icon, or its menu).
    void RequestRestore()
    {
        if (OnRestoreRequest)
            OnRestoreRequest(this);
    }
    tk::TNotifyEvent OnRestoreRequest;
    // Brings the application's window back on view (it was only minimised).
    void RestoreApplicationWindow() { }

    void Notification(tk::TComponent* component, tk::TOperation operation) override;

private:
    gfx::TBitmap FIcon;
    bool FShown = false;
};

} // namespace xe::skin
