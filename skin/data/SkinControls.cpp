#include "skin/data/SkinControls.h"

#include <array>

namespace xe::skin {

namespace {

constexpr std::array<std::string_view, 33> ControlTypeNames { "button", "menubutton", "checkradio", "panel",
    "expanel", "label", "bitlabel", "stdlabel", "gauge", "trackbar", "splitter", "updown", "edit", "memo",
    "spinedit", "listbox", "checklistbox", "combobox", "scrollbar", "scrollbox", "controlbar", "mainmenubar",
    "tab", "grid", "treeview", "listview", "richedit", "slider", "bevel", "framegauge", "frameregulator",
    "animate", "switch" };

} // namespace

bool IsSkinControlType(std::string_view typeName)
{
    for (std::string_view name : ControlTypeNames)
        if (name == typeName)
            return true;
    return false;
}

std::unique_ptr<TspDataSkinControl> CreateSkinControl(std::string_view typeName, std::string const& idName)
{
    if (!IsSkinControlType(typeName))
        return nullptr;
    return std::make_unique<TspDataSkinControl>(idName, std::string(typeName));
}

} // namespace xe::skin
