#include "app/TLoadedPackage.h"

#include "core/Modules.h"
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
