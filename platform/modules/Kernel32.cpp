// The kernel32 calls of the Win32 surface that concern modules: a module's file name, and
// language resource modules loaded and released as libraries.
#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "core/AnsiText.h"
#include "modules/TModuleRecordImpl.h"
#include "win/WinApi.h"

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    std::string name;
    if (module) {
        name = module->FileName;
    } else {
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self);
        if (n > 0) name.assign(self, static_cast<std::size_t>(n));
    }
    const bool cut = name.size() >= size;
    const DWORD n = cut ? size - 1 : static_cast<DWORD>(name.size());
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return cut ? size : n;
}

HMODULE LoadLibraryA(LPCSTR fileName) {
    if (!fileName || !*fileName) return nullptr;
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto module = std::make_unique<TModuleRecordImpl>();
    module->FileName = fileName;
    module->Library = library;
    if (auto table = reinterpret_cast<TResourceTableProc>(dlsym(library, kResourceTableSymbol))) {
        std::size_t count = 0;
        const TResourceRecord* records = table(&count);
        for (std::size_t i = 0; records && i < count; ++i) {
            const TResourceRecord& r = records[i];
            if (!r.Name || (!r.Data && r.Size != 0)) continue;
            module->Resources.push_back({r.Type, UpperCase(r.Name), r.Language, r.Data, r.Size});
        }
    }
    return module.release();
}

BOOL FreeLibrary(HMODULE module) {
    if (!module) return FALSE;
    // A module record that no library owns (a package's own, compiled into it) stays.
    if (!module->Library) return TRUE;
    void* library = module->Library;
    delete module;
    return dlclose(library) == 0 ? TRUE : FALSE;
}

TModuleRecordImpl DescribeModule(HMODULE module) {
    if (!module) return {};
    TModuleRecordImpl description;
    description.FileName = module->FileName;
    description.Resources = module->Resources;
    return description;
}
