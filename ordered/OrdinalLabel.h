// The two rules the ordered-label controls share: how a label number becomes the text of a
// label square, and when a font given to LabelFont counts as a change.
#pragma once

#include <cstdint>
#include <string>

#include "core/Types.h"
#include "ordered/Qelgroup.h"

class TCanvas;
class TFont;

namespace Qelgroup {

// ltNumeric: n in decimal, with a minus sign when negative (at most 11 characters).
// ltAlphabetic: the one character of code page 1252 whose code is the low eight bits of
// n + 64, so that 1 to 26 give "A" to "Z" and the codes run on past "Z" ("[" for 27, "@" for
// 0); where that code is 0 (n = -64, 192, 448, ...) the text is empty.
std::string OrdinalLabelText(std::int32_t n, TLabelType type);

// Whether a font given to LabelFont differs from the label font in what the label shows:
// name (case-sensitive), size in points, style or colour (as 32-bit values, so a system
// colour differs from the RGB it stands for). Character set and pitch do not count, nor two
// heights that give the same size.
bool LabelFontChanged(const TFont& labelFont, const TFont& given);

// The label text on one line, centred both ways in r (DT_SINGLELINE | DT_VCENTER |
// DT_CENTER), in the canvas font on the canvas brush.
void DrawOrdinalLabel(TCanvas* canvas, const std::string& text, TRect r);

}  // namespace Qelgroup
