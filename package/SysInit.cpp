// Unit SysInit as compiled into this package: the module's instance, its record with the
// framework, and the module entry with module start and end.
#include "modules/SysInit.h"

#include "modules/Modules.h"
#include "modules/TUnitState.h"
#include "package/Quillmereall.h"

namespace SysInit {

HINSTANCE HInstance = nullptr;

namespace {

TLibModule gLibModule;

// Module start: the language resource module, if there is one for the user's locale, supplies
// the module's resources; then the framework learns of the module.
void InitializeModule() {
    char fileName[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(HInstance, fileName, sizeof fileName);
    // A name cut to the buffer would name some other file, and whatever that file holds
    // would be loaded: only the whole name is looked for.
    HMODULE resources = length < sizeof fileName ? LoadResourceModule(fileName) : nullptr;
    gLibModule.ResInstance = resources ? resources : gLibModule.Instance;
    RegisterModule(&gLibModule);
}

// Module end: the framework forgets the module, and a language resource module is released.
void UninitializeModule() {
    UnregisterModule(&gLibModule);
    if (gLibModule.ResInstance != gLibModule.Instance) FreeLibrary(gLibModule.ResInstance);
    gLibModule.ResInstance = nullptr;
}

TUnitState gUnit("SysInit");

void initialization() {
    gUnit.Initialize();
}
void Finalization() {
    gUnit.Finalize();
}

}  // namespace

PackageUnitEntry UnitEntry() {
    return {&initialization, &Finalization};
}

}  // namespace SysInit

namespace Quillmereall {

BOOL ModuleEntry(HINSTANCE instance, DWORD reason, void*) {
    using namespace SysInit;
    HInstance = instance;
    gLibModule.Instance = instance;
    gLibModule.CodeInstance = nullptr;
    gLibModule.DataInstance = nullptr;
    // The package keeps no thread-local variables: the thread reasons have nothing to do.
    if (reason == DLL_PROCESS_ATTACH) InitializeModule();
    if (reason == DLL_PROCESS_DETACH) UninitializeModule();
    return -1;
}

const TLibModule& LibModule() {
    return SysInit::gLibModule;
}
HINSTANCE ModuleInstance() {
    return SysInit::HInstance;
}

}  // namespace Quillmereall
