#pragma once

#include "platform/db/Connection.h"
#include "platform/toolkit/Component.h"

namespace xe::app {

// The main window's connection as a component of its stored form (class name
// "TADOConnection"): the database connection itself plus its two stored properties.
class TAdoConnectionComponent : public tk::TComponent {
public:
    explicit TAdoConnectionComponent(tk::TComponent* owner);
    char const* ClassName() const override { return "TADOConnection"; }

    db::TADOConnection& Connection() { return FConnection; }
    void DefineProperties(tk::TProperties& properties) override;

private:
    db::TADOConnection FConnection;
};

// Registers the classes the tool's stored forms use beyond the toolkit's own.
void RegisterAppClasses();

} // namespace xe::app
