#include "classes/TClassRegistry.h"

#include <algorithm>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "core/AnsiText.h"
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
// The classes by name, the first registered of each name; made again after any change.
using TByName = std::unordered_map<std::string_view, const TClassInfo*, TTextHash, TTextEqual>;
TByName& ByName() {
    static TByName& m = *new TByName;
    return m;
}
void ClassesChanged() {
    ByName().clear();
}
}  // namespace

void UnregisterModuleClasses(HINSTANCE module) {
    const std::string file = ModuleFileName(module);
    if (file.empty()) return;
    std::lock_guard lock(Mutex());
    std::erase_if(Classes(), [&](const TClassInfo* c) { return ModuleFileOf(c) == file; });
    ClassesChanged();
}

void RegisterClass(const TClassInfo& cls) {
    // The classes of a module are forgotten when it is unregistered, before its code goes.
    static const bool hooked = (AddModuleUnloadProc(&UnregisterModuleClasses), true);
    (void)hooked;
    std::lock_guard lock(Mutex());
    auto& v = Classes();
    if (std::find(v.begin(), v.end(), &cls) == v.end()) v.push_back(&cls);
    ClassesChanged();
}

void UnregisterClass(const TClassInfo& cls) {
    std::lock_guard lock(Mutex());
    auto& v = Classes();
    v.erase(std::remove(v.begin(), v.end(), &cls), v.end());
    ClassesChanged();
}

const TClassInfo* FindClass(const std::string& name) {
    std::lock_guard lock(Mutex());
    TByName& byName = ByName();
    if (byName.empty())
        for (const TClassInfo* c : Classes()) byName.emplace(c->Name, c);
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

std::vector<const TClassInfo*> RegisteredClasses() {
    std::lock_guard lock(Mutex());
    return Classes();
}

}  // namespace TClassRegistry
