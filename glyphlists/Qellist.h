// Unit Qellist: the glyph list boxes, which draw a check box, a radio button or an on/off
// bitmap in front of each item, the glyph showing whether the item is selected.
#pragma once

#include <cstdint>

#include "classes/TypInfo.h"

namespace Qellist {

// The look of the check and radio lists' boxes.
enum TCheckStyle : std::uint8_t {
    chsNormal,  // flat: an outlined square or circle
    chsDraw3D,  // sunken, three-dimensional
};

const TTypeInfo* TypeInfoTCheckStyle();

// Makes the unit's three classes known by name, for form files.
void RegisterClasses();

// Puts the unit's three classes on the palette page "QEL", one call a class:
// TQELBmpList, TQELRadioList, TQELCheckList.
void Register();

// The unit's initialization and finalization procedures: they keep its initialization count
// and do nothing else.
void initialization();
void Finalization();
int InitCount();

}  // namespace Qellist
