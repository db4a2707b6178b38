// Components: objects with a name, an owner that frees them, and a state that tells whether
// they are being loaded from a form file or designed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
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
    // The owned components, in the order they were added. Adding and removing one costs the
    // same however many the owner holds; after removals, the first call to Components closes
    // the gaps they left. An index out of range raises std::out_of_range.
    int ComponentCount() const;
    TComponent* Components(int index) const;
    // The owned component with this name (case-insensitive), or null; where several share a
    // name, the one added first.
    TComponent* FindComponent(const std::string& name) const;
    // Starts bringing into the cache where FindComponent will look for the name, for a caller
    // with other work to do first: in a large form the place is far from the cache.
    void PrefetchName(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Asks that component be told (Notification(this, false)) when this one is freed, and this
    // one when component is freed, whoever owns them: what a component does that refers to
    // another.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

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
    // Tells a component that asked for it that another was inserted into or removed from its
    // owner (ObserveOwner), or that a component it asked about is being freed
    // (FreeNotification).
    virtual void Notification(TComponent* component, bool inserted);
    // From now on, Notification is called whenever the owner gains or loses another
    // component, in the order the owner holds its components. A class that overrides
    // Notification calls this in its constructor; the owner calls nobody else, so that a form
    // of many components is read and freed in time linear in their number.
    void ObserveOwner();
    void SetComponentState(TComponentState state) { FComponentState = state; }
    // Marks the component as being freed. A class whose destructor frees what it owns before
    // this class's destructor runs calls it first: the owner then stops indexing the names of
    // the components that leave it.
    void Destroying();

private:
    class TOwnedList;

    void NotifyObservers(TComponent* component, bool inserted);
    void DropFreeNotification(TComponent* component);

    TComponent* FOwner = nullptr;
    std::size_t FSlot = 0;  // where the owner keeps this component
    bool FObservesOwner = false;
    std::unique_ptr<TOwnedList> FOwned;  // made when the first component is inserted
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    std::int32_t FTag = 0;
    TComponentState FComponentState;
};
