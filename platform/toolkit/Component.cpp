#include "platform/toolkit/Component.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>

namespace xe::tk {

using xe::base::EInvalidOperation;

bool IsValidIdent(std::string const& name)
{
    if (name.empty())
        return false;
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!isAlpha(name[0]))
        return false;
    return std::all_of(
        name.begin(), name.end(), [&](char c) { return isAlpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    if (!IsDestroying()) {
        FComponentState |= csDestroying;
        NotifyRemoval();
        DestroyComponents();
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Free(TComponent* component)
{
    if (!component)
        return;
    if (!component->IsDestroying()) {
        component->FComponentState |= csDestroying;
        component->BeforeDestruction();
    }
    // Leave the owner while still whole, so that the owner and its other components can
    // look at what goes away.
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    delete component;
}

void TComponent::BeforeDestruction()
{
    NotifyRemoval();
    DestroyComponents();
}

void TComponent::NotifyRemoval()
{
    // Each subscriber forgets us before it hears about it, so it may not call back.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = other->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
}

void TComponent::SetName(std::string const& name)
{
    if (name == FName)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EInvalidOperation(xe::base::Format("'%s' is not a valid component name", name.c_str()));
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EInvalidOperation(xe::base::Format("A component named %s already exists", name.c_str()));
    }
    FName = name;
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string const& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (xe::base::SameText(c->FName, name))
            return c;
    return nullptr;
}

void TComponent::SetDesigning(bool value)
{
    if (value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~uint32_t(csDesigning);
    for (TComponent* c : FComponents)
        c->SetDesigning(value);
}

void TComponent::SetLoading(bool value)
{
    if (value)
        FComponentState |= csLoading | csReading;
    else
        FComponentState &= ~uint32_t(csLoading | csReading);
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->FOwner == this)
        return;
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EInvalidOperation(
            xe::base::Format("A component named %s already exists", component->FName.c_str()));
    FComponents.push_back(component);
    component->FOwner = this;
    if (IsDesigning())
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->FOwner != this)
        return;
    Notification(component, opRemove);
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        RemoveComponent(last);
        Free(last);
    }
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto& theirs = component->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    FFreeNotifies.erase(
        std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    auto& theirs = component->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component) {
        FFreeNotifies.erase(
            std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    }
    // Pass it on to the owned components; a copy, since a handler may free one of them.
    std::vector<TComponent*> children = FComponents;
    for (TComponent* c : children) {
        if (c != component && std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->Notification(component, operation);
    }
}

void TComponent::DefineProperties(TProperties&) { }

void RaiseComponentNotFound(TComponent const* owner, std::string const& name, char const* className)
{
    TComponent* found = owner->FindComponent(name);
    if (found)
        throw EInvalidOperation(xe::base::Format("%s.%s is a %s, not the class expected (%s)",
            owner->Name().c_str(), name.c_str(), found->ClassName(), className));
    throw EInvalidOperation(xe::base::Format("%s has no component %s", owner->Name().c_str(), name.c_str()));
}

// The hidden subscriber of a TComponentLink: it hears the component go.
class TComponentLink::TWatch : public TComponent {
public:
    TWatch()
        : TComponent(nullptr)
    {
    }
    ~TWatch() override
    {
        if (Target)
            RemoveFreeNotification(Target);
    }
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation != opRemove || component != Target)
            return;
        Target = nullptr;
        if (OnFree)
            OnFree();
    }
    TComponent* Target = nullptr;
    std::function<void()> OnFree;
};

TComponentLink::TComponentLink() = default;
TComponentLink::TComponentLink(TComponent* component) { Set(component); }
TComponentLink::TComponentLink(TComponentLink&&) noexcept = default;
TComponentLink& TComponentLink::operator=(TComponentLink&&) noexcept = default;
TComponentLink::~TComponentLink() = default;

TComponent* TComponentLink::Get() const { return FWatch ? FWatch->Target : nullptr; }

void TComponentLink::Set(TComponent* component)
{
    if (!FWatch) {
        if (!component)
            return;
        FWatch = std::make_unique<TWatch>();
    }
    if (FWatch->Target == component)
        return;
    if (FWatch->Target)
        FWatch->RemoveFreeNotification(FWatch->Target);
    FWatch->Target = component;
    if (component)
        FWatch->FreeNotification(component);
}

void TComponentLink::SetOnFree(std::function<void()> onFree)
{
    if (!FWatch)
        FWatch = std::make_unique<TWatch>();
    FWatch->OnFree = std::move(onFree);
}

} // namespace xe::tk
