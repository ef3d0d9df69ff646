#include "skin/controls/SkinControlClasses.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinListBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabControl.h"
#include "skin/controls/SkinTrackBar.h"

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
    add("TspSkinPanel", [](tk::TComponent* o) { return new TspSkinPanel(o); });
    add("TspSkinGroupBox", [](tk::TComponent* o) { return new TspSkinGroupBox(o); });
    add("TspSkinLabel", [](tk::TComponent* o) { return new TspSkinLabel(o); });
    add("TspSkinStdLabel", [](tk::TComponent* o) { return new TspSkinStdLabel(o); });
    add("TspSkinGauge", [](tk::TComponent* o) { return new TspSkinGauge(o); });
    add("TspSkinStatusBar", [](tk::TComponent* o) { return new TspSkinStatusBar(o); });
    add("TspSkinEdit", [](tk::TComponent* o) { return new TspSkinEdit(o); });
    add("TspSkinMemo", [](tk::TComponent* o) { return new TspSkinMemo(o); });
    add("TspSkinTrackBar", [](tk::TComponent* o) { return new TspSkinTrackBar(o); });
    add("TspSkinScrollBar", [](tk::TComponent* o) { return new TspSkinScrollBar(o); });
    add("TspSkinListBox", [](tk::TComponent* o) { return new TspSkinListBox(o); });
    add("TspSkinComboBox", [](tk::TComponent* o) { return new TspSkinComboBox(o); });
    add("TspSkinTabControl", [](tk::TComponent* o) { return new TspSkinTabControl(o); });
}

} // namespace xe::skin
