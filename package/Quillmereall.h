// Unit Quillmereall: the package module. Its library's load runs the module entry with
// DLL_PROCESS_ATTACH and its unload with DLL_PROCESS_DETACH; a host then calls Initialize and
// Finalize (modules/Packages.h), and a design environment each unit's Register.
//
// Exported with C names, for hosts that find them with dlsym:
//   Initialize, Finalize, GetPackageInfoTable           the package's entry points
//   Quillmereall_initialization                          the module entry (instance, reason, 0)
//   Quillmereall_PackageLoad, Quillmereall_PackageUnload the same as Initialize and Finalize
//   Quillmereall_GetPackageInfoTable                     the same as GetPackageInfoTable
//   Qelpanel_Register, Qellist_Register, Qelgroup_Register
//   Qelpanel_initialization, Qelpanel_Finalization, and the same for Qellist and Qelgroup
// The classes and their type information are exported under their C++ names.
#pragma once

#include <vector>

#include "modules/Modules.h"
#include "modules/Packages.h"
#include "modules/TModuleRecordImpl.h"
#include "win/WinApi.h"

namespace Quillmereall {

// The module entry: stores the instance in the module record and as SysInit's HInstance,
// runs module start for DLL_PROCESS_ATTACH and module end for DLL_PROCESS_DETACH, nothing for
// the thread reasons, and always reports success (-1).
BOOL ModuleEntry(HINSTANCE instance, DWORD reason, void* reserved);

// The framework's record of this module, registered while the library is loaded.
const TLibModule& LibModule();
// The module's own instance (SysInit's HInstance).
HINSTANCE ModuleInstance();

// The unit table: SysInit, the framework's base-package units, then Qelpanel, Tabs, Qellist
// and Qelgroup.
PackageInfo GetPackageInfoTable();
// The names of the unit table's units, in its order.
std::vector<const char*> UnitNames();

// Makes the classes of every unit of the package known by name, for form files. Loading the
// library does this; calling it again changes nothing.
void RegisterUnits();

}  // namespace Quillmereall

namespace SysInit {
// The unit's initialization and finalization procedures, first in the unit table.
PackageUnitEntry UnitEntry();
}  // namespace SysInit
