#include "app/AdoConnection.h"

#include "chrome/ChromeClasses.h"
#include "platform/toolkit/Persistence.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinnedForm.h"

namespace xe::app {

TAdoConnectionComponent::TAdoConnectionComponent(tk::TComponent* owner)
    : tk::TComponent(owner)
{
}

void TAdoConnectionComponent::DefineProperties(tk::TProperties& p)
{
    tk::TComponent::DefineProperties(p);
    p.String(
        "ConnectionString", [this] { return FConnection.ConnectionString; },
        [this](std::string const& v) { FConnection.ConnectionString = v; });
    p.Boolean(
        "LoginPrompt", [this] { return FConnection.LoginPrompt; },
        [this](bool v) { FConnection.LoginPrompt = v; }, true);
}

void RegisterAppClasses()
{
    chrome::RegisterChromeClasses();
    skin::RegisterSkinDataClasses();
    skin::RegisterSkinFormClasses();
    tk::RegisterComponentClass(
        "TADOConnection", [](tk::TComponent* owner) { return new TAdoConnectionComponent(owner); });
}

} // namespace xe::app
