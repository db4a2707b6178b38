#include "ordered/Qelgroup.h"

#include "classes/TClassRegistry.h"
#include "ordered/TOrderedGroupBox.h"
#include "ordered/TOrderedTabSet.h"

namespace Qelgroup {

const TTypeInfo* TypeInfoTLabelType() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TLabelType",
                             "Qelgroup",
                             TOrdType::otUByte,
                             {"ltNumeric", "ltAlphabetic"}};
    return &t;
}

const TTypeInfo* TypeInfoTCheckStyle() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TCheckStyle",
                             "Qelgroup",
                             TOrdType::otUByte,
                             {"chsNormal", "chsDraw3D"}};
    return &t;
}

void RegisterClasses() {
    for (const TClassInfo* cls :
         {&TGroupBox::StaticClassInfo(), &TTabSet::StaticClassInfo(),
          &TOrderedGroupBox::StaticClassInfo(), &TOrderedTabSet::StaticClassInfo()})
        TClassRegistry::RegisterClass(*cls);
}

}  // namespace Qelgroup
