// A package loaded for the tool's lifetime, as a design environment or an application loads
// it: LoadPackage (which runs its Initialize) now, UnloadPackage (Finalize) at the end.
#pragma once

#include <optional>
#include <string>

#include "modules/Packages.h"

class TLoadedPackage {
public:
    // Throws EPackageError naming the file and the cause.
    explicit TLoadedPackage(const std::string& fileName);
    ~TLoadedPackage();
    TLoadedPackage(const TLoadedPackage&) = delete;
    TLoadedPackage& operator=(const TLoadedPackage&) = delete;

    HMODULE Module() const { return FModule; }
    const std::string& FileName() const { return FFileName; }
    // Calls the package's export of that name if it has one; false when it has none.
    bool Call(const std::string& exportName) const;
    // Calls each unit's Register once, as a design environment does: the units of controls,
    // then any other unit the package information names.
    void RegisterUnits() const;

    // The package the tool was built with.
    static std::string DefaultFileName();
    // Loads that package into `package` as the command named starts; when it cannot, says
    // why on standard error ("quillmere <command>: ...") and returns false.
    static bool LoadDefault(std::optional<TLoadedPackage>& package, const char* command);

private:
    std::string FFileName;
    HMODULE FModule;
};
