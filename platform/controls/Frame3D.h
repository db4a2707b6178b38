#pragma once

#include "core/Types.h"

class TCanvas;

// Draws width nested one-pixel frames just inside rect, each as two polylines: from the
// bottom-left corner up and across to the top-right in topColor, then from the top-right down
// and across to the bottom-left in bottomColor, so that the top-right and bottom-left corner
// pixels take bottomColor. Leaves rect shrunk by width on every side, as far as an int holds
// its sides (opposite sides move together, so its middle stays), and the pen in bottomColor
// (when anything was drawn) with width 1. Only the frames that can touch the clip are drawn.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
