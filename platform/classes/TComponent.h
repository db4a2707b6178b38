// Components: objects with a name, an owner that frees them, and a state that tells whether
// they are being loaded from a form file or designed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classes/TPersistent.h"
#include "core/Types.h"

enum TComponentStateItem : std::uint8_t {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance,
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
    DECLARE_CLASSINFO()

public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<std::size_t>(index)); }
    // The owned component with this name (case-insensitive), or null.
    TComponent* FindComponent(const std::string& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    std::string Name() const { return FName; }
    virtual void SetName(const std::string& name);
    std::int32_t Tag() const { return FTag; }
    void SetTag(std::int32_t tag) { FTag = tag; }

    TComponentState ComponentState() const { return FComponentState; }
    // Puts this component and everything it owns into or out of the designing state, as a
    // design environment does with the forms it edits.
    void SetDesigning(bool designing, bool owned = true);
    // Marks the start of reading from a form file; Loaded ends it.
    void BeginLoading();
    // Called once every property has been read from a form file.
    virtual void Loaded();

    // The tree a form file stores. GetChildren hands proc the components written inside this
    // one when root is the component at the top of the file: here, when this is the root, the
    // owned components that have no parent.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc,
                             const TComponent* root) const;
    // Whether the component sits inside a parent (a control) rather than only its owner.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // Puts the component inside the component a form file nests it in.
    virtual void SetParentComponent(TComponent*) {}

protected:
    // Called on each owned component when another is inserted or removed.
    virtual void Notification(TComponent* component, bool inserted);
    void SetComponentState(TComponentState state) { FComponentState = state; }

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::string FName;
    std::int32_t FTag = 0;
    TComponentState FComponentState;
};
