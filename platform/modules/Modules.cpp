#include "modules/Modules.h"

#include <algorithm>
#include <mutex>

#include "modules/SharedLibrary.h"

namespace {

// These live on until the process ends, never destroyed: a module linked into the program
// ends after the program's own objects are gone and still needs them.

// Module start and end run under the loader's serialization, but a host may load packages
// from any thread; the list is guarded all the same.
std::recursive_mutex& ListMutex() {
    static std::recursive_mutex& m = *new std::recursive_mutex;
    return m;
}

TLibModule*& Head() {
    static TLibModule* head = nullptr;
    return head;
}

std::vector<TModuleUnloadProc>& UnloadProcs() {
    static std::vector<TModuleUnloadProc>& procs = *new std::vector<TModuleUnloadProc>;
    return procs;
}

}  // namespace

TLibModule* LibModuleList() {
    std::lock_guard lock(ListMutex());
    return Head();
}

void RegisterModule(TLibModule* module) {
    if (!module) return;
    std::lock_guard lock(ListMutex());
    for (TLibModule* m = Head(); m; m = m->Next)
        if (m == module) return;
    module->Next = Head();
    Head() = module;
}

void UnregisterModule(TLibModule* module) {
    if (!module) return;
    std::lock_guard lock(ListMutex());
    const std::vector<TModuleUnloadProc> procs = UnloadProcs();
    for (TModuleUnloadProc proc : procs) proc(module->Instance);
    for (TLibModule** link = &Head(); *link; link = &(*link)->Next) {
        if (*link == module) {
            *link = module->Next;
            module->Next = nullptr;
            return;
        }
    }
}

void AddModuleUnloadProc(TModuleUnloadProc proc) {
    std::lock_guard lock(ListMutex());
    auto& procs = UnloadProcs();
    if (proc && std::find(procs.begin(), procs.end(), proc) == procs.end()) procs.push_back(proc);
}

void RemoveModuleUnloadProc(TModuleUnloadProc proc) {
    std::lock_guard lock(ListMutex());
    auto& procs = UnloadProcs();
    procs.erase(std::remove(procs.begin(), procs.end(), proc), procs.end());
}

std::string ModuleFileOf(const void* address) {
    return SharedLibrary::FileOf(address);
}

std::string ModuleFileName(HMODULE module) {
    if (!module) return {};
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(module, name.data(), static_cast<DWORD>(name.size()));
        // A module loaded as data is none of the loader's, which has no name for it.
        if (n == 0) return SharedLibrary::MappedFileName(module);
        if (n < name.size()) {
            name.resize(n);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

HINSTANCE FindHInstance(const void* address) {
    const std::string file = ModuleFileOf(address);
    if (file.empty()) return nullptr;
    std::lock_guard lock(ListMutex());
    for (TLibModule* m = Head(); m; m = m->Next)
        if (m->Instance && ModuleFileName(m->Instance) == file) return m->Instance;
    return nullptr;
}

HINSTANCE FindResourceHInstance(HINSTANCE instance) {
    std::lock_guard lock(ListMutex());
    for (TLibModule* m = Head(); m; m = m->Next)
        if (m->Instance == instance) return m->ResInstance ? m->ResInstance : instance;
    return instance;
}
