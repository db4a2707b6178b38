#include "ordered/Qelgroup.h"

#include "classes/ComponentPalette.h"
#include "classes/TClassRegistry.h"
#include "controls/TControl.h"
#include "modules/TUnitState.h"
#include "ordered/TOrderedGroupBox.h"
#include "ordered/TOrderedListBox.h"
#include "ordered/TOrderedTabSet.h"

namespace Qelgroup {
namespace {
TUnitState gUnit("Qelgroup");
}  // namespace

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

std::vector<TPropInfo> PublishedProps(std::vector<TPropInfo> own) {
    namespace P = ControlProps;
    std::vector<TPropInfo> props{P::Anchors(),        P::Constraints(), P::BiDiMode(),
                                 P::ParentBiDiMode(), P::DragMode(),    P::DragKind(),
                                 P::DragCursor()};
    for (TPropInfo& p : own) props.push_back(std::move(p));
    return props;
}

void RegisterClasses() {
    // Their framework bases are registered by the framework's own libraries.
    for (const TClassInfo* cls : {&TOrderedGroupBox::StaticClassInfo(),
                                  &TOrderedListBox::StaticClassInfo(),
                                  &TOrderedTabSet::StaticClassInfo()})
        TClassRegistry::RegisterClass(*cls);
}

void Register() {
    for (const TClassInfo* cls :
         {&TOrderedGroupBox::StaticClassInfo(), &TOrderedListBox::StaticClassInfo(),
          &TOrderedTabSet::StaticClassInfo()}) {
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

}  // namespace Qelgroup
