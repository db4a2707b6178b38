#include "classes/TClassRegistry.h"

#include <algorithm>
#include <mutex>

namespace TClassRegistry {
namespace {
std::mutex& Mutex() {
    static std::mutex m;
    return m;
}
std::vector<const TClassInfo*>& Classes() {
    static std::vector<const TClassInfo*> v;
    return v;
}
}  // namespace

void RegisterClass(const TClassInfo& cls) {
    std::lock_guard lock(Mutex());
    auto& v = Classes();
    if (std::find(v.begin(), v.end(), &cls) == v.end()) v.push_back(&cls);
}

void UnregisterClass(const TClassInfo& cls) {
    std::lock_guard lock(Mutex());
    auto& v = Classes();
    v.erase(std::remove(v.begin(), v.end(), &cls), v.end());
}

const TClassInfo* FindClass(const std::string& name) {
    std::lock_guard lock(Mutex());
    for (const TClassInfo* c : Classes())
        if (SameText(c->Name, name)) return c;
    return nullptr;
}

std::vector<const TClassInfo*> RegisteredClasses() {
    std::lock_guard lock(Mutex());
    return Classes();
}

}  // namespace TClassRegistry
