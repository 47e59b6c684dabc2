#include "toolkit/TComponent.h"

#include <algorithm>

namespace {
void Erase(std::vector<TComponent*>& list, TComponent* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
}  // namespace

TComponent::TComponent(TComponent* owner) : owner_(nullptr) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Those who asked are told first, while everything they may look at still exists.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        Erase(other->freeNotifies_, this);
        other->Notification(*this, TOperation::opRemove);
    }
    // Owned components go in reverse order of creation; each one removes itself.
    while (!components_.empty()) delete components_.back();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component) {
    component->owner_ = this;
    components_.push_back(component);
    Notification(*component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Erase(components_, component);
    component->owner_ = nullptr;
    Notification(*component, TOperation::opRemove);
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    Erase(freeNotifies_, other);
    Erase(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent& component, TOperation operation) {
    if (operation == TOperation::opRemove) RemoveFreeNotification(&component);
    // A removal is passed on to everything this component owns, so siblings that refer to
    // the removed component can drop their reference.
    if (operation == TOperation::opRemove) {
        for (int i = ComponentCount() - 1; i >= 0; --i) components_[i]->Notification(component, operation);
    }
}

void TComponent::ReadState(const std::function<void()>& readProperties) {
    loading_ = true;
    readProperties();
}

void TComponent::Loaded() { loading_ = false; }

void TComponent::FinishLoading() {
    for (TComponent* component : std::vector<TComponent*>(components_)) {
        if (component->Loading()) component->Loaded();
    }
    if (loading_) Loaded();
}
