#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace xe::tk {

class TProperties;

// Component state flags; ComponentState() is a set of them.
enum TComponentStateFlag : uint32_t {
    csLoading = 1u << 0, // being read from a stored form; cleared before Loaded()
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
};
using TComponentState = uint32_t;

enum TOperation { opInsert, opRemove };

// The base of everything placed on a form. A component created with an owner is owned by
// it: the owner frees its components, in reverse order of creation, when it is freed.
// Components are therefore created with `new T(owner)`; one without an owner belongs to
// whoever created it (hold it in a TComponentPtr).
//
// Free() is the way to destroy a component: it runs BeforeDestruction() while the object is
// still whole (a form fires OnDestroy there and frees its components while its own handlers
// can still run), then deletes it. A plain `delete` works too but skips that hook.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(TComponent const&) = delete;
    TComponent& operator=(TComponent const&) = delete;

    // Destroys a component (null is fine), running BeforeDestruction first.
    static void Free(TComponent* component);

    virtual char const* ClassName() const { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    std::string const& Name() const { return FName; }
    // Raises EInvalidOperation for a name that is not an identifier or that another
    // component of the same owner already has (letter case ignored).
    virtual void SetName(std::string const& name);

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(size_t(index)); }
    int ComponentIndex() const;
    // An owned component by name (letter case ignored), or null.
    TComponent* FindComponent(std::string const& name) const;

    TComponentState ComponentState() const { return FComponentState; }
    bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
    bool IsLoading() const { return (FComponentState & csLoading) != 0; }
    bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
    // Sets or clears csDesigning on this component and every owned one.
    void SetDesigning(bool value);
    // Loading state of this component alone; the form reader sets and clears it.
    void SetLoading(bool value);

    // Moves ownership: removes the component from its old owner (if any) and adds it here.
    void InsertComponent(TComponent* component);
    // Gives up ownership without freeing; the component then belongs to the caller.
    void RemoveComponent(TComponent* component);
    // Frees every owned component, the last created first.
    void DestroyComponents();

    // Asks to hear, through Notification(c, opRemove), when the component goes away. Works
    // across owners; the subscription is mutual, so whichever goes first tells the other.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Called on the owner (and passed on to every owned component) when a component is
    // inserted into or removed from it, and on free-notification subscribers when a
    // component is destroyed. Overrides drop their references to a removed component and
    // call the inherited version.
    virtual void Notification(TComponent* component, TOperation operation);

    // Called once a stored form has been read completely (references resolved); the
    // loading state is already cleared.
    virtual void Loaded() { }

    // Stored properties of the component, in the order the form writer writes them.
    virtual void DefineProperties(TProperties& properties);

    // The component a stored form nests this one in. A control takes a windowed control as
    // its parent; other components ignore it.
    virtual void SetParentComponent(TComponent*) { }
    virtual TComponent* GetParentComponent() const { return nullptr; }

protected:
    // Runs before the destructor chain while the object is still whole.
    virtual void BeforeDestruction();

private:
    void NotifyRemoval();

    TComponent* FOwner = nullptr;
    std::string FName;
    TComponentState FComponentState = 0;
    std::vector<TComponent*> FComponents; // owned, in creation order
    std::vector<TComponent*> FFreeNotifies;
};

struct TComponentDeleter {
    void operator()(TComponent* component) const { TComponent::Free(component); }
};
// Holder for a component without an owner.
template <class T> using TComponentPtr = std::unique_ptr<T, TComponentDeleter>;

// The owned component of that name as a T; raises EInvalidOperation naming it when there is
// none or it is of another class. Forms bind their stored children to fields with it.
[[noreturn]] void RaiseComponentNotFound(
    TComponent const* owner, std::string const& name, char const* className);
template <class T> T* FindComponentAs(TComponent const* owner, std::string const& name)
{
    T* result = dynamic_cast<T*>(owner->FindComponent(name));
    if (!result)
        RaiseComponentNotFound(owner, name, typeid(T).name());
    return result;
}

// True for a non-empty name of letters, digits and underscores not starting with a digit.
bool IsValidIdent(std::string const& name);

// A reference to a component that the holder does not own. It follows free notification
// the way a weak pointer follows its object: when the component is freed the reference
// becomes null, then OnFree (when set) runs. OnFree must not free the reference itself;
// post a message for work that would.
class TComponentLink {
public:
    TComponentLink();
    explicit TComponentLink(TComponent* component);
    TComponentLink(TComponentLink&&) noexcept;
    TComponentLink& operator=(TComponentLink&&) noexcept;
    ~TComponentLink();

    TComponent* Get() const;
    void Set(TComponent* component);
    void SetOnFree(std::function<void()> onFree);

private:
    class TWatch;
    std::unique_ptr<TWatch> FWatch;
};

template <class T> class TComponentRef : public TComponentLink {
public:
    TComponentRef() = default;
    explicit TComponentRef(T* component)
        : TComponentLink(component)
    {
    }
    T* Get() const { return static_cast<T*>(TComponentLink::Get()); }
    void Set(T* component) { TComponentLink::Set(component); }
    TComponentRef& operator=(T* component)
    {
        Set(component);
        return *this;
    }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }
};

} // namespace xe::tk
