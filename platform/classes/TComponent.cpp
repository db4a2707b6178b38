#include "classes/TComponent.h"

#include <algorithm>

#include "classes/TypInfo.h"

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState.Include(csDestroying);
    // Owned components go last first, as the framework frees them.
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        delete last;
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->FOwner == this) return;
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    // What a designed form gets is designed too, as the controls a designer places on it.
    if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
    for (TComponent* c : FComponents)
        if (c != component) c->Notification(component, true);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end()) return;
    FComponents.erase(it);
    component->FOwner = nullptr;
    for (TComponent* c : FComponents) c->Notification(component, false);
}

void TComponent::SetName(const std::string& name) { FName = name; }

void TComponent::SetDesigning(bool designing, bool owned) {
    if (designing)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (owned)
        for (TComponent* c : FComponents) c->SetDesigning(designing, true);
}

void TComponent::BeginLoading() { FComponentState.Include(csLoading).Include(csReading); }

void TComponent::Loaded() { FComponentState.Exclude(csLoading).Exclude(csReading); }

void TComponent::Notification(TComponent*, bool) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc,
                             const TComponent* root) const {
    if (root != this) return;
    for (TComponent* c : FComponents)
        if (!c->HasParent()) proc(c);
}

const TClassInfo& TComponent::StaticClassInfo() {
    using namespace PropBuild;
    static const TClassInfo info{
        "TComponent",
        &TPersistent::StaticClassInfo(),
        "Classes",
        {
            NotStored(Str("Name", TypeInfoString(), &TComponent::Name, &TComponent::SetName)),
            Ord("Tag", TypeInfoInteger(), &TComponent::Tag, &TComponent::SetTag, 0),
        },
        nullptr};
    return info;
}
