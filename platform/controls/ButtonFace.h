// The classic look shared by the framework's buttons, check boxes and drop-down lists.
#pragma once

#include "core/Types.h"

class TCanvas;

// A push button's face: raised (a highlight over a dark shadow, a light over a shadow, the face
// filled), or pushed in (a dark frame over a shadow). Leaves r the face inside the edges.
void DrawButtonFace(TCanvas* canvas, TRect& r, bool pushed);
// The 13 x 13 box of a check box with its top-left corner at (x, y): a sunken edge around a
// window-coloured square (the face colour when disabled), with the check mark when checked.
void DrawCheckGlyph(TCanvas* canvas, int x, int y, bool checked, bool enabled);
constexpr int kCheckGlyphSize = 13;
// The small black triangle pointing down, centred in r: what a drop-down button shows.
void DrawDownArrow(TCanvas* canvas, const TRect& r, TColor color);
