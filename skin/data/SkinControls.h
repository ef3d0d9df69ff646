#pragma once

#include "skin/data/SkinValues.h"

#include <memory>
#include <string>

namespace xe::skin {

// The named look of a skinned window control (section SKINCONTROLS). For now a look
// carries its name and type only; the keys of each type are read by the classes that
// will derive from this one, so that the list's counts and indexes are already those
// of a complete load.
class TspDataSkinControl {
public:
    TspDataSkinControl(std::string idName, std::string controlType)
        : IDName(std::move(idName))
        , ControlType(std::move(controlType))
    {
    }
    virtual ~TspDataSkinControl() = default;

    virtual void LoadFromIni(TMemIniFile const&) { }
    virtual void SaveToIni(TMemIniFile&) const { }

    std::string IDName; // section name and lookup name
    std::string ControlType; // the type name of its SKINCONTROLS entry
};

// True for the type names a SKINCONTROLS entry may carry.
bool IsSkinControlType(std::string_view typeName);

// The look for a SKINCONTROLS type name, or null when the type names no class.
std::unique_ptr<TspDataSkinControl> CreateSkinControl(std::string_view typeName, std::string const& idName);

} // namespace xe::skin
