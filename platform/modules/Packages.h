// Packages: libraries of units whose unit table the framework runs, and the host's loading and
// unloading of them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "win/WinApi.h"

// One unit of a package: its initialization and finalization procedures.
struct PackageUnitEntry {
    void (*Init)();
    void (*FInit)();
};

// A package's unit table, in initialization order.
struct PackageInfoTable {
    std::int32_t UnitCount;
    const PackageUnitEntry* UnitInfo;
};
using PackageInfo = const PackageInfoTable*;

// Runs the initialization procedures in table order. When one throws, those that ran are
// finalized in reverse order and the exception goes on.
void PackageLoad(PackageInfo info);
// Runs the finalization procedures in reverse table order.
void PackageUnload(PackageInfo info);

// A library that cannot be loaded as a package; the message names the file and the cause.
class EPackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Names of what a package library exports for its host.
namespace PackageExports {
constexpr const char* kInitialize = "Initialize";
constexpr const char* kFinalize = "Finalize";
#ifdef _WIN32
constexpr const char* kGetPackageInfoTable = "@GetPackageInfoTable";
#else
constexpr const char* kGetPackageInfoTable = "GetPackageInfoTable";  // "@" means a version in ELF
#endif
}  // namespace PackageExports

// Loads a package library and calls its Initialize; returns the module it registered. A
// package loaded n times is unloaded after n UnloadPackage calls.
HMODULE LoadPackage(const std::string& fileName);
// An export of a package that LoadPackage loaded, from the package's own library; null when it
// has none or the module is not such a package.
void* GetPackageProc(HMODULE module, const std::string& name);
// Calls the package's Finalize and releases the library; a module that LoadPackage did not
// return is refused.
void UnloadPackage(HMODULE module);
