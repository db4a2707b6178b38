// Unit Qelgroup: the ordered-label controls, a group box, a list box and a tab set that draw a
// filled label square holding an ordinal number or letter in front of their caption, items or
// tabs.
#pragma once

#include <cstdint>
#include <vector>

#include "classes/TypInfo.h"

namespace Qelgroup {

enum TLabelType : std::uint8_t { ltNumeric, ltAlphabetic };

// The same two values as the glyph lists' check style, declared again by this unit; none of
// its classes uses it.
enum TCheckStyle : std::uint8_t { chsNormal, chsDraw3D };

const TTypeInfo* TypeInfoTLabelType();
const TTypeInfo* TypeInfoTCheckStyle();

// The published properties of one of the unit's classes: the seven it declares again,
// unchanged (Anchors, Constraints, BiDiMode, ParentBiDiMode, DragMode, DragKind, DragCursor),
// then its own.
std::vector<TPropInfo> PublishedProps(std::vector<TPropInfo> own);

// Makes the unit's three classes known by name to form files; the framework classes they
// derive from (TGroupBox, TListBox, TTabSet) are known as long as the framework is loaded.
void RegisterClasses();

// Puts the unit's three classes on the palette page "QEL", one call a class:
// TOrderedGroupBox, TOrderedListBox, TOrderedTabSet.
void Register();

// The unit's initialization and finalization procedures: they keep its initialization count
// and do nothing else.
void initialization();
void Finalization();
int InitCount();

}  // namespace Qelgroup
