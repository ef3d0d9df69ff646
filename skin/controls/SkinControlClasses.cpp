#include "skin/controls/SkinControlClasses.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinListBox.h"
#include "skin/controls/SkinTabControl.h"

namespace xe::skin {

void RegisterSkinControlClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterSkinControlMessages();
    tk::RegisterComponentClass("TspSkinComboBox", [](tk::TComponent* o) { return new TspSkinComboBox(o); });
    tk::RegisterComponentClass("TspSkinListBox", [](tk::TComponent* o) { return new TspSkinListBox(o); });
    tk::RegisterComponentClass(
        "TspSkinTabControl", [](tk::TComponent* o) { return new TspSkinTabControl(o); });
}

} // namespace xe::skin
