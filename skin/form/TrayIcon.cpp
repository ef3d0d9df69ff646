#include "skin/form/TrayIcon.h"

namespace xe::skin {

TspTrayIcon::TspTrayIcon(tk::TComponent* owner)
    : tk::TComponent(owner)
{
}

void TspTrayIcon::Notification(tk::TComponent* component, tk::TOperation operation)
{
    tk::TComponent::Notification(component, operation);
    if (operation == tk::opRemove && component == PopupMenu)
        PopupMenu = nullptr;
}

} // namespace xe::skin
