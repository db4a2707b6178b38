// The two-colour checkerboards that dithered backgrounds are filled with: a tab set's
// background, a scroll bar's track.
#pragma once

#include "core/Types.h"

class TBitmap;

// An 8 x 8 bitmap with `even` where x + y is even and `odd` elsewhere, for a brush to repeat
// (TBrush::SetBitmap, CreatePatternBrush). System colours are resolved when the bitmap is
// made; bitmaps are shared by all who ask for the same two colours and live as long as the
// program.
TBitmap* CheckerPattern(TColor even, TColor odd);
