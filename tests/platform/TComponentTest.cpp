// What an owner keeps of its components (their order and names, through any changes) and who
// it tells when one comes or goes.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "classes/TComponent.h"
#include "core/AnsiText.h"

namespace {

// A component that writes down what it is told: "A +B" when B joined A's owner, "A -B" when
// B left it or was freed.
class TListener : public TComponent {
public:
    TListener(std::vector<std::string>& journal, bool observeOwner)
        : TComponent(nullptr), FJournal(journal) {
        if (observeOwner) ObserveOwner();
    }

protected:
    void Notification(TComponent* component, bool inserted) override {
        FJournal.push_back(Name() + (inserted ? " +" : " -") + component->Name());
    }

private:
    std::vector<std::string>& FJournal;
};

template <class T>
T* Named(T* component, const char* name) {
    component->SetName(name);
    return component;
}

}  // namespace

TEST(ComponentOwnership, OrderAndNamesHoldThroughAddsRemovalsMovesAndRenames) {
    // The owner against a plain list of what it should hold: components leave from the front,
    // the back and the middle, move to another owner and back, and share names in any case.
    std::mt19937 random(20240611);
    TComponent owner(nullptr), elsewhere(nullptr);
    std::vector<TComponent*> model;
    auto someName = [&] {
        const unsigned n = random() % 24;
        return n < 3 ? std::string() : (random() % 2 ? "Item" : "ITEM") + std::to_string(n);
    };
    auto somePlace = [&]() -> std::size_t {
        switch (random() % 3) {
            case 0:
                return 0;
            case 1:
                return model.size() - 1;
            default:
                return random() % model.size();
        }
    };
    for (int step = 0; step < 2000; ++step) {
        const unsigned op = random() % 6;
        if (op < 2 || model.empty()) {
            model.push_back(Named(new TComponent(&owner), someName().c_str()));
        } else if (op == 2) {
            const std::size_t i = somePlace();
            delete model[i];
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (op == 3) {
            const std::size_t i = somePlace();
            TComponent* moved = model[i];
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
            elsewhere.InsertComponent(moved);
            if (random() % 2) {
                owner.InsertComponent(moved);
                model.push_back(moved);
            }
        } else {
            model[somePlace()]->SetName(someName());
        }

        ASSERT_EQ(owner.ComponentCount(), static_cast<int>(model.size())) << "step " << step;
        for (int n = 0; n < 24; ++n) {
            const std::string name = "item" + std::to_string(n);
            TComponent* first = nullptr;
            for (TComponent* c : model)
                if (SameText(c->Name(), name)) {
                    first = c;
                    break;
                }
            ASSERT_EQ(owner.FindComponent(name), first) << "step " << step << ", " << name;
        }
        // Positions now and then, so that the gaps removals leave pile up in between.
        if (step % 37 != 0) continue;
        for (std::size_t i = 0; i < model.size(); ++i)
            ASSERT_EQ(owner.Components(static_cast<int>(i)), model[i]) << "step " << step;
    }
    EXPECT_THROW(owner.Components(static_cast<int>(model.size())), std::out_of_range);
    EXPECT_THROW(owner.Components(-1), std::out_of_range);
}

TEST(ComponentNotification, ObserversHearOfEveryOtherComponentTheirOwnerGainsOrLoses) {
    std::vector<std::string> journal;
    {
        TComponent owner(nullptr), elsewhere(nullptr);
        owner.InsertComponent(Named(new TListener(journal, true), "A"));
        TComponent* p = Named(new TComponent(nullptr), "P");
        owner.InsertComponent(p);
        TComponent* b = Named(new TListener(journal, true), "B");
        owner.InsertComponent(b);
        TComponent* c = Named(new TComponent(nullptr), "C");
        owner.InsertComponent(c);
        owner.InsertComponent(Named(new TListener(journal, true), "D"));
        owner.InsertComponent(Named(new TListener(journal, false), "Quiet"));
        delete p;
        elsewhere.InsertComponent(c);
        owner.InsertComponent(c);
        delete b;
        TComponent* e = Named(new TListener(journal, true), "E");
        elsewhere.InsertComponent(e);
        owner.InsertComponent(e);
        delete c;
    }
    // In the order the owner holds them, each observer but the one that came or went; freeing
    // the owner tells nobody.
    EXPECT_EQ(journal, (std::vector<std::string>{
                           "A +P",     "A +B",     "A +C", "B +C", "A +D", "B +D", "A +Quiet",
                           "B +Quiet", "D +Quiet", "A -P", "B -P", "D -P", "A -C", "B -C",
                           "D -C",     "A +C",     "B +C", "D +C", "A -B", "D -B", "A +E",
                           "D +E",     "A -C",     "D -C", "E -C"}));
}

TEST(ComponentNotification, FreeNotificationTellsOfTheEndWhoeverOwnsEither) {
    std::vector<std::string> journal;
    TComponent formA(nullptr), formB(nullptr);
    auto* watcher = Named(new TListener(journal, false), "W");
    formA.InsertComponent(watcher);
    TComponent* target = Named(new TComponent(&formB), "T");
    TComponent* dropped = Named(new TComponent(&formB), "X");
    TComponent* sibling = Named(new TComponent(&formA), "S");
    target->FreeNotification(watcher);
    dropped->FreeNotification(watcher);
    dropped->RemoveFreeNotification(watcher);
    sibling->FreeNotification(watcher);
    sibling->FreeNotification(watcher);
    delete target;
    delete dropped;
    delete sibling;
    EXPECT_EQ(journal, (std::vector<std::string>{"W -T", "W -S"}));

    // Both ways: the one that asked is told too, and a partner freed first leaves nothing
    // behind to call.
    auto* other = Named(new TListener(journal, false), "O");
    formB.InsertComponent(other);
    other->FreeNotification(watcher);
    delete watcher;
    EXPECT_EQ(journal.back(), "O -W");
    delete other;
    EXPECT_EQ(journal.size(), 3u);
}
