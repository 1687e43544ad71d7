#include "platform/gui/component.h"

#include <algorithm>

TComponent::TComponent(TComponent *owner) : owner_(owner) {
    if (owner_ != nullptr) owner_->owned_.push_back(this);
}

TComponent::~TComponent() {
    while (!owned_.empty()) delete owned_.back();  // each removes itself from owned_
    if (owner_ != nullptr) {
        auto &siblings = owner_->owned_;
        siblings.erase(std::find(siblings.rbegin(), siblings.rend(), this).base() - 1);
    }
}

void TComponent::EndLoading() {
    loading_ = false;
    Loaded();
}

TComponent *TComponent::FindComponent(const QString &name) const {
    for (TComponent *c : owned_)
        if (c->name_.compare(name, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}
