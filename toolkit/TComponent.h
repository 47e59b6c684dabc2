#pragma once
// A component belongs to an owner that destroys it (in reverse order of creation) and is
// told when it goes away. Components that refer to one another ask for that notice with
// FreeNotification, so a reference never outlives what it names.
#include <string>
#include <vector>

#include "toolkit/TObject.h"

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_[index]; }

    // `other` is told (Notification, opRemove) when this component is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Set-up in one batch: ReadState runs the given property setters with Loading() true,
    // so that a component can hold back work that needs all of them (a tray icon joins the
    // notification area only once its tip, menus and pictures are set); Loaded runs when
    // all are in place and ends the loading.
    virtual void ReadState(const std::function<void()>& readProperties);
    virtual void Loaded();
    bool Loading() const { return loading_; }

    // Runs Loaded on every owned component still loading, then on this one.
    void FinishLoading();

protected:
    virtual void Notification(TComponent& component, TOperation operation);

    // Points a reference at another component (or none), moving the removal notice from the
    // old one to the new. False when it already named it. Only for a component named by one
    // reference: a second reference to the same one would lose its notice.
    template <class T>
    bool ReferTo(T*& reference, T* component) {
        if (reference == component) return false;
        if (reference) reference->RemoveFreeNotification(this);
        reference = component;
        if (component) component->FreeNotification(this);
        return true;
    }

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool loading_ = false;
};
