#include "glyphlists/Qellist.h"

#include "classes/TClassRegistry.h"
#include "glyphlists/TQELBmpList.h"
#include "glyphlists/TQELCheckList.h"
#include "glyphlists/TQELRadioList.h"

namespace Qellist {

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

}  // namespace Qellist
