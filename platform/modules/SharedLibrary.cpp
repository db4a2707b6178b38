// Shared libraries through the dynamic linker.
#include "modules/SharedLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace SharedLibrary {

THandle Open(const std::string& fileName, std::string& error) {
    dlerror();
    void* library = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* e = dlerror();
        error = e ? e : "unknown error";
    }
    return library;
}

void Close(THandle library) {
    if (library) dlclose(library);
}

// dlsym also looks in the libraries the library needs: the symbol counts only when it lies in
// the library's own image.
void* OwnExport(THandle library, const char* name) {
    void* symbol = dlsym(library, name);
    if (!symbol) return nullptr;
    link_map* map = nullptr;
    if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || !map) return nullptr;
    Dl_info info{};
    if (dladdr(symbol, &info) == 0 || info.dli_fbase != reinterpret_cast<void*>(map->l_addr))
        return nullptr;
    return symbol;
}

std::string FileOf(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

std::string MappedFileName(const void*) {
    return {};
}

}  // namespace SharedLibrary
