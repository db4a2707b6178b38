#include "classes/TComponent.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "classes/TypInfo.h"
#include "core/AnsiText.h"
#include "core/Prefetch.h"

// What an owner keeps of the components it owns, so that adding and removing one costs the
// same however many there are. Each component knows its slot and leaves without a search; one
// that leaves from the middle leaves an empty slot behind, and the slots are closed up once
// they outnumber the components or when a position is asked for. The components that observe
// the owner are listed apart, in slot order, and the names are indexed.
class TComponent::TOwnedList {
    // The owned components by name, without regard to case: open addressing over a
    // power-of-two table of hashes and components, at most half full, so that a lookup looks
    // at a slot or two and reaches into a component only for a name whose hash matches.
    class TNameIndex {
    public:
        static constexpr std::size_t kNone = SIZE_MAX;

        // The slot of the component with this name, or kNone.
        std::size_t Find(std::string_view name, std::size_t hash) const {
            if (FEntries.empty()) return kNone;
            for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
                const TEntry& e = FEntries[i];
                if (!e.Component) return kNone;
                if (e.Hash == hash && SameText(e.Component->FName, name)) return i;
            }
        }
        // The slot the name's hash leads to, fetched (a table still empty gives some address).
        void Prefetch(std::size_t hash) const {
            ::Prefetch(reinterpret_cast<std::uintptr_t>(FEntries.data()) +
                       sizeof(TEntry) * (hash & Mask()));
        }
        TComponent* At(std::size_t slot) const { return FEntries[slot].Component; }
        // Another component of the same name takes the slot.
        void Replace(std::size_t slot, TComponent* c) { FEntries[slot].Component = c; }

        void Add(std::size_t hash, TComponent* c) {
            if ((FCount + 1) * 2 > FEntries.size()) Grow();
            Place(TEntry{hash, c});
            ++FCount;
        }

        // Empties the slot and moves up the entries after it that would no longer be found.
        void Erase(std::size_t slot) {
            for (std::size_t next = (slot + 1) & Mask(); FEntries[next].Component;
                 next = (next + 1) & Mask()) {
                const std::size_t home = FEntries[next].Hash & Mask();
                if (((next - home) & Mask()) >= ((next - slot) & Mask())) {
                    FEntries[slot] = FEntries[next];
                    slot = next;
                }
            }
            FEntries[slot] = TEntry{};
            --FCount;
        }

    private:
        struct TEntry {
            std::size_t Hash = 0;
            TComponent* Component = nullptr;  // null: an empty slot
        };

        std::size_t Mask() const { return FEntries.size() - 1; }

        void Place(const TEntry& entry) {
            std::size_t i = entry.Hash & Mask();
            while (FEntries[i].Component) i = (i + 1) & Mask();
            FEntries[i] = entry;
        }

        void Grow() {
            std::vector<TEntry> old(std::max<std::size_t>(16, FEntries.size() * 2));
            old.swap(FEntries);
            for (const TEntry& e : old)
                if (e.Component) Place(e);
        }

        std::vector<TEntry> FEntries;
        std::size_t FCount = 0;
    };

public:
    std::size_t Count() const { return FSlots.size() - FStart - FHoles; }

    TComponent* At(std::size_t index) {
        if (FHoles > 0) Compact();
        return FSlots[FStart + index];
    }

    // The component added last of those still here.
    TComponent* Last() const { return FSlots.back(); }

    template <class F>
    void ForEach(F each) const {
        for (std::size_t s = FStart; s < FSlots.size(); ++s)
            if (TComponent* c = FSlots[s]) each(c);
    }

    void Add(TComponent* c) {
        c->FSlot = FSlots.size();
        FSlots.push_back(c);
        if (c->FObservesOwner) Observe(c);
        NameAdded(c);
    }

    void Remove(TComponent* c) {
        Unslot(c->FSlot);
        if (c->FObservesOwner) {
            // Components leave last first more often than not: look from the end.
            const auto it = std::find(FObservers.rbegin(), FObservers.rend(), c);
            if (it != FObservers.rend()) FObservers.erase(std::next(it).base());
        }
        NameRemoved(c);
    }

    void Observe(TComponent* c) {
        const auto at =
            std::upper_bound(FObservers.begin(), FObservers.end(), c->FSlot,
                             [](std::size_t slot, const TComponent* o) { return slot < o->FSlot; });
        FObservers.insert(at, c);
    }
    const std::vector<TComponent*>& Observers() const { return FObservers; }

    TComponent* Find(std::string_view name) const {
        if (FNamesDropped) {
            for (std::size_t s = FStart; s < FSlots.size(); ++s)
                if (FSlots[s] && SameText(FSlots[s]->FName, name)) return FSlots[s];
            return nullptr;
        }
        const std::size_t slot = FNames.Find(name, TTextHash{}(name));
        return slot == TNameIndex::kNone ? nullptr : FNames.At(slot);
    }

    void PrefetchName(std::string_view name) const {
        if (!FNamesDropped) FNames.Prefetch(TTextHash{}(name));
    }

    // The owner is being freed and its components leave one by one: keeping the index up to
    // date for each would cost more than the rest of freeing them, so names are looked up by
    // going through the components from now on.
    void DropNames() {
        FNames = TNameIndex{};
        FHiddenNames = 0;
        FNamesDropped = true;
    }

    void NameAdded(TComponent* c) {
        if (c->FName.empty() || FNamesDropped) return;
        const std::size_t hash = TTextHash{}(c->FName);
        const std::size_t slot = FNames.Find(c->FName, hash);
        if (slot == TNameIndex::kNone) {
            FNames.Add(hash, c);
            return;
        }
        ++FHiddenNames;
        if (c->FSlot < FNames.At(slot)->FSlot) FNames.Replace(slot, c);
    }

    void NameRemoved(const TComponent* c) {
        if (c->FName.empty() || FNamesDropped) return;
        const std::size_t slot = FNames.Find(c->FName, TTextHash{}(c->FName));
        if (slot == TNameIndex::kNone) return;
        if (FNames.At(slot) != c) {
            --FHiddenNames;
            return;
        }
        // The next component of that name, if there is one, is found by it from now on.
        if (FHiddenNames > 0) {
            for (std::size_t s = FStart; s < FSlots.size(); ++s) {
                TComponent* other = FSlots[s];
                if (other && other != c && SameText(other->FName, c->FName)) {
                    FNames.Replace(slot, other);
                    --FHiddenNames;
                    return;
                }
            }
        }
        FNames.Erase(slot);
    }

private:
    void Unslot(std::size_t slot) {
        FSlots[slot] = nullptr;
        if (slot + 1 == FSlots.size()) {
            FSlots.pop_back();
            while (FSlots.size() > FStart && !FSlots.back()) {
                FSlots.pop_back();
                --FHoles;
            }
            if (FSlots.size() == FStart) {
                FSlots.clear();
                FStart = 0;
            }
        } else if (slot == FStart) {
            for (++FStart; !FSlots[FStart]; ++FStart) --FHoles;
        } else {
            ++FHoles;
        }
        if (FStart + FHoles > Count()) Compact();
    }

    void Compact() {
        std::size_t n = 0;
        for (std::size_t s = FStart; s < FSlots.size(); ++s) {
            if (TComponent* c = FSlots[s]) {
                c->FSlot = n;
                FSlots[n++] = c;
            }
        }
        FSlots.resize(n);
        FStart = FHoles = 0;
    }

    std::vector<TComponent*> FSlots;  // in the order they were added; null where one left
    std::size_t FStart = 0;           // the slots before it are empty, the one at it is not
    std::size_t FHoles = 0;           // empty slots after FStart (the last slot is never empty)
    std::vector<TComponent*> FObservers;
    TNameIndex FNames;             // the first component with each name
    std::size_t FHiddenNames = 0;  // named components whose name an earlier one has
    bool FNamesDropped = false;    // see DropNames
};

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Those that asked hear of it first, while what this component owns is still there.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->DropFreeNotification(this);
        other->Notification(this, false);
    }
    // Owned components go last first, as the framework frees them.
    while (FOwned && FOwned->Count() > 0) {
        TComponent* last = FOwned->Last();
        FOwned->Remove(last);
        last->FOwner = nullptr;
        delete last;
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    if (FOwned) FOwned->DropNames();
}

int TComponent::ComponentCount() const {
    return FOwned ? static_cast<int>(FOwned->Count()) : 0;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw std::out_of_range("component index " + std::to_string(index) + " is out of range");
    return FOwned->At(static_cast<std::size_t>(index));
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty() || !FOwned) return nullptr;
    return FOwned->Find(name);
}

void TComponent::PrefetchName(std::string_view name) const {
    if (!name.empty() && FOwned) FOwned->PrefetchName(name);
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->FOwner == this) return;
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    if (!FOwned) FOwned = std::make_unique<TOwnedList>();
    FOwned->Add(component);
    component->FOwner = this;
    // What a designed form gets is designed too, as the controls a designer places on it.
    if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
    NotifyObservers(component, true);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->FOwner != this) return;
    FOwned->Remove(component);
    component->FOwner = nullptr;
    NotifyObservers(component, false);
}

void TComponent::NotifyObservers(TComponent* component, bool inserted) {
    // By position: an observer may add or remove components while it is told.
    const std::vector<TComponent*>& observers = FOwned->Observers();
    for (std::size_t i = 0; i < observers.size(); ++i)
        if (observers[i] != component) observers[i]->Notification(component, inserted);
}

void TComponent::ObserveOwner() {
    if (FObservesOwner) return;
    FObservesOwner = true;
    if (FOwner) FOwner->FOwned->Observe(this);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    auto link = [](TComponent* from, TComponent* to) {
        if (std::find(from->FFreeNotifies.begin(), from->FFreeNotifies.end(), to) ==
            from->FFreeNotifies.end())
            from->FFreeNotifies.push_back(to);
    };
    link(this, component);
    link(component, this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    DropFreeNotification(component);
    component->DropFreeNotification(this);
}

void TComponent::DropFreeNotification(TComponent* component) {
    std::erase(FFreeNotifies, component);
}

void TComponent::SetName(const std::string& name) {
    if (name == FName) return;
    TOwnedList* siblings = FOwner ? FOwner->FOwned.get() : nullptr;
    if (siblings) siblings->NameRemoved(this);
    FName = name;
    if (siblings) siblings->NameAdded(this);
}

void TComponent::SetDesigning(bool designing, bool owned) {
    if (designing)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (owned && FOwned) FOwned->ForEach([&](TComponent* c) { c->SetDesigning(designing, true); });
}

void TComponent::BeginLoading() {
    FComponentState.Include(csLoading).Include(csReading);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading).Exclude(csReading);
}

void TComponent::Notification(TComponent*, bool) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc,
                             const TComponent* root) const {
    if (root != this || !FOwned) return;
    FOwned->ForEach([&](TComponent* c) {
        if (!c->HasParent()) proc(c);
    });
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
