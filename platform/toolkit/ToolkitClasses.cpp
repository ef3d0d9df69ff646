#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Persistence.h"
#include "platform/toolkit/StdCtrls.h"

namespace xe::tk {

void RegisterToolkitClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterComponentClass("TGraphicControl", [](TComponent* owner) { return new TGraphicControl(owner); });
    RegisterComponentClass("TImage", [](TComponent* owner) { return new TImage(owner); });
    RegisterComponentClass("TLabel", [](TComponent* owner) { return new TLabel(owner); });
    RegisterComponentClass("TSpeedButton", [](TComponent* owner) { return new TSpeedButton(owner); });
    RegisterComponentClass("TTimer", [](TComponent* owner) { return new TTimer(owner); });
    RegisterComponentClass("TMenuItem", [](TComponent* owner) { return new TMenuItem(owner); });
    RegisterComponentClass("TMainMenu", [](TComponent* owner) { return new TMainMenu(owner); });
    RegisterComponentClass("TPopupMenu", [](TComponent* owner) { return new TPopupMenu(owner); });
}

} // namespace xe::tk
