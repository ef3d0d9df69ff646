#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/ExtCtrls.h"
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
}

} // namespace xe::tk
