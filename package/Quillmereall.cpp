#include "package/Quillmereall.h"

#include <vector>

#include "glyphlists/Qellist.h"
#include "modules/FrameworkUnits.h"
#include "ordered/Qelgroup.h"
#include "panels/Qelpanel.h"
#include "vclx/Tabs.h"

namespace Quillmereall {
namespace {

struct TUnitTable {
    std::vector<PackageUnitEntry> Entries;
    std::vector<const char*> Names;
    PackageInfoTable Table;
};

const TUnitTable& UnitTable() {
    static const TUnitTable table = [] {
        TUnitTable t;
        auto add = [&t](const char* name, PackageUnitEntry entry) {
            t.Names.push_back(name);
            t.Entries.push_back(entry);
        };
        add("SysInit", SysInit::UnitEntry());
        const auto base = FrameworkUnits::BasePackage();
        const auto baseNames = FrameworkUnits::BasePackageNames();
        for (std::size_t i = 0; i < base.size(); ++i) add(baseNames[i], base[i]);
        add("Qelpanel", {&Qelpanel::initialization, &Qelpanel::Finalization});
        add("Tabs", Tabs::UnitEntry());
        add("Qellist", {&Qellist::initialization, &Qellist::Finalization});
        add("Qelgroup", {&Qelgroup::initialization, &Qelgroup::Finalization});
        t.Table = {static_cast<std::int32_t>(t.Entries.size()), t.Entries.data()};
        return t;
    }();
    return table;
}

}  // namespace

PackageInfo GetPackageInfoTable() {
    return &UnitTable().Table;
}
std::vector<const char*> UnitNames() {
    return UnitTable().Names;
}

void RegisterUnits() {
    Qelpanel::RegisterClasses();
    Qellist::RegisterClasses();
    Qelgroup::RegisterClasses();
}

namespace {

// Form files create components by class name: the package's classes are known by name while
// its library is loaded, in every host, whether or not it calls Initialize. Unregistering the
// module at unload takes them out again.
struct TClassTables {
    TClassTables() { RegisterUnits(); }
} gClassTables;

}  // namespace
}  // namespace Quillmereall

// The exports, with C names.
extern "C" {

void Initialize() {
    PackageLoad(Quillmereall::GetPackageInfoTable());
}
void Finalize() {
    PackageUnload(Quillmereall::GetPackageInfoTable());
}
PackageInfo GetPackageInfoTable() {
    return Quillmereall::GetPackageInfoTable();
}

#ifndef _WIN32  // on Windows the library's entry point is exported under this name
BOOL Quillmereall_initialization(HINSTANCE instance, DWORD reason, void* reserved) {
    return Quillmereall::ModuleEntry(instance, reason, reserved);
}
#endif
void Quillmereall_PackageLoad() {
    Initialize();
}
void Quillmereall_PackageUnload() {
    Finalize();
}
PackageInfo Quillmereall_GetPackageInfoTable() {
    return Quillmereall::GetPackageInfoTable();
}

void Qelpanel_Register() {
    Qelpanel::Register();
}
void Qellist_Register() {
    Qellist::Register();
}
void Qelgroup_Register() {
    Qelgroup::Register();
}

void Qelpanel_initialization() {
    Qelpanel::initialization();
}
void Qelpanel_Finalization() {
    Qelpanel::Finalization();
}
void Qellist_initialization() {
    Qellist::initialization();
}
void Qellist_Finalization() {
    Qellist::Finalization();
}
void Qelgroup_initialization() {
    Qelgroup::initialization();
}
void Qelgroup_Finalization() {
    Qelgroup::Finalization();
}

}  // extern "C"
