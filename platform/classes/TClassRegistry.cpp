#include "classes/TClassRegistry.h"

#include <algorithm>
#include <mutex>

#include "modules/Modules.h"

namespace TClassRegistry {
namespace {

// These live on until the process ends, never destroyed: a module linked into the program
// ends after the program's own objects are gone and still needs them.
std::mutex& Mutex() {
    static std::mutex& m = *new std::mutex;
    return m;
}
std::vector<const TClassInfo*>& Classes() {
    static std::vector<const TClassInfo*>& v = *new std::vector<const TClassInfo*>;
    return v;
}
}  // namespace

void UnregisterModuleClasses(HINSTANCE module) {
    const std::string file = ModuleFileName(module);
    if (file.empty()) return;
    std::lock_guard lock(Mutex());
    std::erase_if(Classes(), [&](const TClassInfo* c) { return ModuleFileOf(c) == file; });
}

void RegisterClass(const TClassInfo& cls) {
    // The classes of a module are forgotten when it is unregistered, before its code goes.
    static const bool hooked = (AddModuleUnloadProc(&UnregisterModuleClasses), true);
    (void)hooked;
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
