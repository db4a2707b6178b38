#include "package/Quillmereall.h"

#include "glyphlists/Qellist.h"
#include "ordered/Qelgroup.h"
#include "panels/Qelpanel.h"
#include "package/GlyphResources.h"

namespace Quillmereall {
namespace {

TModuleRecordImpl& ModuleRecord() {
    static TModuleRecordImpl record{"", GlyphResources()};
    return record;
}

}  // namespace

HINSTANCE HInstance = &ModuleRecord();

void RegisterUnits() {
    Qelpanel::Register();
    Qellist::RegisterClasses();
    Qelgroup::RegisterClasses();
}

namespace {

// Runs when the library is loaded, after HInstance above: the package's classes become known
// by name to form files.
struct TModuleStart {
    TModuleStart() { RegisterUnits(); }
} gModuleStart;

}  // namespace
}  // namespace Quillmereall
