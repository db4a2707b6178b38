// The rules the three glyph lists share: how every item drawing opens, where the check box
// or radio button sits in the item, and how a new font sets the item height.
#pragma once

#include <initializer_list>
#include <vector>

#include "controls/TCustomListBox.h"
#include "glyphlists/Qellist.h"

namespace Qellist {

// The ink of grayed and disabled items, and of the others.
constexpr TColor kGrayInk = 0x808080;
constexpr TColor kBlackInk = 0x000000;

// Solid brush and pen, the whole item filled with color, then pen and font in the ink:
// gray for a grayed or disabled item, else black. A selected item gets the same background
// and ink as the others; only its glyph shows the selection.
void OpenItem(TCanvas& canvas, TColor color, const TRect& rect, TOwnerDrawState state);

// The top-left corner of the 14 x 14 box: at the item's top-left, moved down by
// (itemHeight - 16) div 2 when the item is taller than 16 pixels.
TPoint BoxOrigin(const TRect& rect, int itemHeight);

// The WM_SETFONT rule, after the window has seen the font: with h the magnitude of
// Font.Height, a font taller than 13 pixels makes the item h + 4 high (when that exceeds
// atLeast); a smaller one is replaced by a font of height 15 and the item made 15 high, in
// that order, so that 15 stands after the nested WM_SETFONT the font change sends.
void ApplyFontRule(TCustomListBox& list, int atLeast = 0);

// SetCheckBoxStyle of the check and radio lists: an equal value changes nothing; a new one
// is stored and switches the control's Color, button face for chsDraw3D and window colour
// for chsNormal, whose change is the only repaint.
void SwitchCheckStyle(TControl& list, TCheckStyle& field, TCheckStyle value);

// The runs of published properties that all three lists publish in the same order: from
// Align to BorderStyle, and from ParentColor to OnMouseUp.
std::vector<TPropInfo> GlyphListLeadingProps();
std::vector<TPropInfo> GlyphListTrailingProps();

// The published properties of the check and radio lists in their property order, with the
// class's CheckBoxStyle entry at its place after TabStop.
std::vector<TPropInfo> CheckStyleListProps(TPropInfo checkBoxStyle);

}  // namespace Qellist
