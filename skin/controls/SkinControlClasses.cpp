#include "skin/controls/SkinControlClasses.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadio.h"
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
    add("TspSkinCheckRadioBox", [](tk::TComponent* o) { return new TspSkinCheckRadioBox(o); });
    add("TspSkinCheckBox", [](tk::TComponent* o) { return new TspSkinCheckBox(o); });
    add("TspSkinRadioButton", [](tk::TComponent* o) { return new TspSkinRadioButton(o); });
}

} // namespace xe::skin
