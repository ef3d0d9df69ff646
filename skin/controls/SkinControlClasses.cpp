#include "skin/controls/SkinControlClasses.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinTrackBar.h"

namespace xe::skin {

void RegisterSkinControlClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterSkinControlMessages();
    tk::RegisterComponentClass("TspSkinEdit", [](tk::TComponent* o) { return new TspSkinEdit(o); });
    tk::RegisterComponentClass("TspSkinMemo", [](tk::TComponent* o) { return new TspSkinMemo(o); });
    tk::RegisterComponentClass("TspSkinTrackBar", [](tk::TComponent* o) { return new TspSkinTrackBar(o); });
    tk::RegisterComponentClass("TspSkinScrollBar", [](tk::TComponent* o) { return new TspSkinScrollBar(o); });
}

} // namespace xe::skin
