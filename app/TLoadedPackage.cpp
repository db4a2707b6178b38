#include "app/TLoadedPackage.h"

#include <algorithm>
#include <iostream>

#include "app/Commands.h"
#include "modules/Modules.h"
#include "modules/PackageInfo.h"
#include "modules/TModuleRecordImpl.h"
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

void TLoadedPackage::RegisterUnits() const {
    std::vector<std::string> units{"Qelpanel", "Qellist", "Qelgroup"};
    const TModuleRecordImpl module = DescribeModule(FModule);
    if (const TResourceEntry* r = module.Find(RT_RCDATA, "PACKAGEINFO", kLangEnglishUS)) {
        try {
            for (const auto& unit : ResourceRecords::DecodePackageInfo(r->Data, r->Size).Contains)
                if (std::find(units.begin(), units.end(), unit.Name) == units.end())
                    units.push_back(unit.Name);
        } catch (const std::exception&) {
            // Without readable package information the units of controls are all there is.
        }
    }
    for (const std::string& unit : units) Call(unit + "_Register");
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
