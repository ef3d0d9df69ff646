#include "skin/controls/SkinControlClasses.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinControl.h"

namespace xe::skin {

void RegisterSkinControlClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterSkinControlMessages();
    auto add
        = [](char const* name, tk::TComponentFactory factory) { tk::RegisterComponentClass(name, factory); };
    add("TspSkinButton", [](tk::TComponent* o) { return new TspSkinButton(o); });
    add("TspSkinToolButton", [](tk::TComponent* o) { return new TspSkinToolButton(o); });
}

} // namespace xe::skin
