#include "glyphlists/Qellist.h"

#include "classes/ComponentPalette.h"
#include "classes/TClassRegistry.h"
#include "modules/TUnitState.h"
#include "glyphlists/TQELBmpList.h"
#include "glyphlists/TQELCheckList.h"
#include "glyphlists/TQELRadioList.h"

namespace Qellist {
namespace {
TUnitState gUnit("Qellist");
}  // namespace

const TTypeInfo* TypeInfoTCheckStyle() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TCheckStyle",
                             "Qellist",
                             TOrdType::otUByte,
                             {"chsNormal", "chsDraw3D"}};
    return &t;
}

void RegisterClasses() {
    TClassRegistry::RegisterClass(TQELBmpList::StaticClassInfo());
    TClassRegistry::RegisterClass(TQELRadioList::StaticClassInfo());
    TClassRegistry::RegisterClass(TQELCheckList::StaticClassInfo());
}

void Register() {
    for (const TClassInfo* cls :
         {&TQELBmpList::StaticClassInfo(), &TQELRadioList::StaticClassInfo(),
          &TQELCheckList::StaticClassInfo()}) {
        const TClassInfo* const classes[] = {cls};
        RegisterComponents("QEL", classes, 0);
    }
}

void initialization() {
    gUnit.Initialize();
}
void Finalization() {
    gUnit.Finalize();
}
int InitCount() {
    return gUnit.InitCount();
}

}  // namespace Qellist
