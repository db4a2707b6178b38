#include "app/TLoadedPackage.h"

#include <iostream>

#include "app/Commands.h"
#include "modules/Modules.h"
#include "panels/TQELGradient.h"

TLoadedPackage::TLoadedPackage(const std::string& fileName)
    : FFileName(fileName), FModule(LoadPackage(fileName)) {}

TLoadedPackage::~TLoadedPackage() {
    UnloadPackage(FModule);
}

bool TLoadedPackage::Call(const std::string& exportName) const {
    auto proc = reinterpret_cast<void (*)()>(GetPackageProc(FModule, exportName));
    if (!proc) return false;
    proc();
    return true;
}

std::string TLoadedPackage::DefaultFileName() {
    return ModuleFileOf(&Qelpanel::TQELGradient::StaticClassInfo());
}

bool TLoadedPackage::LoadDefault(std::optional<TLoadedPackage>& package, const char* command) {
    try {
        package.emplace(DefaultFileName());
        return true;
    } catch (const std::exception& e) {
        std::cerr << "quillmere " << command << ": " << Commands::ErrorText(e) << "\n";
        return false;
    }
}
