#include "modules/TUnitState.h"

#include <algorithm>
#include <mutex>

#include "core/AnsiText.h"

namespace {

// These live on until the process ends, never destroyed: a module linked into the program
// ends after the program's own objects are gone and still needs them.

std::mutex& Mutex() {
    static std::mutex& m = *new std::mutex;
    return m;
}

std::vector<const TUnitState*>& Units() {
    static std::vector<const TUnitState*>& units = *new std::vector<const TUnitState*>;
    return units;
}

}  // namespace

TUnitState::TUnitState(const char* name) : FName(name) {
    std::lock_guard lock(Mutex());
    Units().push_back(this);
}

TUnitState::~TUnitState() {
    std::lock_guard lock(Mutex());
    auto& units = Units();
    units.erase(std::remove(units.begin(), units.end(), this), units.end());
}

const TUnitState* TUnitState::Find(const std::string& name) {
    std::lock_guard lock(Mutex());
    for (const TUnitState* u : Units())
        if (SameText(u->Name(), name)) return u;
    return nullptr;
}

std::vector<const TUnitState*> TUnitState::All() {
    std::lock_guard lock(Mutex());
    return Units();
}
