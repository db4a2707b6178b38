#include "modules/Modules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>

#include "modules/TModuleRecordImpl.h"

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
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

HINSTANCE FindHInstance(const void* address) {
    const std::string file = ModuleFileOf(address);
    if (file.empty()) return nullptr;
    std::lock_guard lock(ListMutex());
    for (TLibModule* m = Head(); m; m = m->Next)
        if (m->Instance && m->Instance->FileName == file) return m->Instance;
    return nullptr;
}

HINSTANCE FindResourceHInstance(HINSTANCE instance) {
    std::lock_guard lock(ListMutex());
    for (TLibModule* m = Head(); m; m = m->Next)
        if (m->Instance == instance) return m->ResInstance ? m->ResInstance : instance;
    return instance;
}

std::vector<std::string> ResourceModuleNames(const std::string& moduleFileName,
                                             const std::string& locale) {
    if (moduleFileName.empty()) return {};
    // "de_DE.UTF-8@euro": the encoding and the modifier say nothing of the language.
    const std::string name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return {};
    // The locale becomes part of a file name: nothing that could lead elsewhere.
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
    if (!plain) return {};
    std::vector<std::string> names{moduleFileName + "." + name};
    const std::string language = name.substr(0, name.find_first_of("_-"));
    if (language != name && !language.empty()) names.push_back(moduleFileName + "." + language);
    return names;
}

std::string UserLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

HMODULE LoadResourceModule(const char* moduleFileName) {
    if (!moduleFileName) return nullptr;
    for (const std::string& name : ResourceModuleNames(moduleFileName, UserLocale())) {
        if (access(name.c_str(), R_OK) != 0) continue;
        HMODULE module = LoadLibraryA(name.c_str());
        if (!module) continue;
        if (dlsym(module->Library, kResourceTableSymbol)) return module;
        // A library, but not one that carries resources.
        FreeLibrary(module);
    }
    return nullptr;
}
