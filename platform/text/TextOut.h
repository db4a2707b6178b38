// Text output on a device context: ExtTextOut's meaning (position, background cells,
// clipping) on top of the glyphs of the selected font.
#pragma once

#include "gdi/TDeviceContext.h"

namespace Text {

// Writes n characters with the top of their cells at (x, y), in the context's font and text
// colour; with OPAQUE background mode the cells are filled with the background colour first.
// Nothing falls outside clip (logical), if given, nor outside the context's clip.
void TextOut(TDeviceContext& dc, int x, int y, const char* text, int n,
             const TRect* clip = nullptr);
// TextOut with ExtTextOut's options over rect (logical, in either corner order).
void ExtTextOut(TDeviceContext& dc, int x, int y, unsigned options, const TRect* rect,
                const char* text, int n);
// Width and height (tmHeight) of n characters in the context's font.
TPoint TextExtent(const TDeviceContext& dc, const char* text, int n);

}  // namespace Text
