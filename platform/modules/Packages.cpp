#include "modules/Packages.h"

#include <map>
#include <mutex>
#include <vector>

#include "modules/Modules.h"
#include "modules/SharedLibrary.h"

void PackageLoad(PackageInfo info) {
    if (!info || !info->UnitInfo) return;
    std::int32_t done = 0;
    try {
        for (; done < info->UnitCount; ++done)
            if (info->UnitInfo[done].Init) info->UnitInfo[done].Init();
    } catch (...) {
        while (done-- > 0)
            if (info->UnitInfo[done].FInit) info->UnitInfo[done].FInit();
        throw;
    }
}

void PackageUnload(PackageInfo info) {
    if (!info || !info->UnitInfo) return;
    for (std::int32_t i = info->UnitCount; i-- > 0;)
        if (info->UnitInfo[i].FInit) info->UnitInfo[i].FInit();
}

namespace {

// These live on until the process ends, never destroyed: a module linked into the program
// ends after the program's own objects are gone and still needs them.

using TPackageProc = void (*)();

// The libraries LoadPackage opened, per module, one entry a load.
std::mutex& Mutex() {
    static std::mutex& m = *new std::mutex;
    return m;
}
using TLoaded = std::map<HMODULE, std::vector<void*>>;
TLoaded& Loaded() {
    static TLoaded& loaded = *new TLoaded;
    return loaded;
}

}  // namespace

HMODULE LoadPackage(const std::string& fileName) {
    std::string error;
    void* library = SharedLibrary::Open(fileName, error);
    if (!library) throw EPackageError("cannot load package " + fileName + ": " + error);
    auto fail = [&](const std::string& why) {
        SharedLibrary::Close(library);
        throw EPackageError(fileName + " is not a package: " + why);
    };
    auto initialize = reinterpret_cast<TPackageProc>(
        SharedLibrary::OwnExport(library, PackageExports::kInitialize));
    if (!initialize) fail("it exports no Initialize");
    if (!SharedLibrary::OwnExport(library, PackageExports::kFinalize))
        fail("it exports no Finalize");
    HMODULE module = FindHInstance(reinterpret_cast<const void*>(initialize));
    if (!module) fail("it registered no module when it was loaded");
    try {
        initialize();
    } catch (const std::exception& e) {
        SharedLibrary::Close(library);
        throw EPackageError("cannot initialize package " + fileName + ": " + e.what());
    }
    std::lock_guard lock(Mutex());
    Loaded()[module].push_back(library);
    return module;
}

void* GetPackageProc(HMODULE module, const std::string& name) {
    void* library = nullptr;
    {
        std::lock_guard lock(Mutex());
        auto it = Loaded().find(module);
        if (it == Loaded().end()) return nullptr;
        library = it->second.back();
    }
    return SharedLibrary::OwnExport(library, name.c_str());
}

void UnloadPackage(HMODULE module) {
    void* library = nullptr;
    {
        std::lock_guard lock(Mutex());
        auto it = Loaded().find(module);
        if (it == Loaded().end())
            throw EPackageError("UnloadPackage: not a module that LoadPackage loaded");
        library = it->second.back();
        it->second.pop_back();
        if (it->second.empty()) Loaded().erase(it);
    }
    if (auto finalize = reinterpret_cast<TPackageProc>(
            SharedLibrary::OwnExport(library, PackageExports::kFinalize)))
        finalize();
    SharedLibrary::Close(library);
}
