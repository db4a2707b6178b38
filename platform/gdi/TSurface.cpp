#include "gdi/TSurface.h"

#include <algorithm>

TSurface::TSurface(int width, int height, TPixel fill) { Resize(width, height, fill); }

void TSurface::Resize(int width, int height, TPixel fill) {
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FPixels.assign(static_cast<std::size_t>(FWidth) * FHeight, fill);
}

void TSurface::Fill(TPixel p) { std::fill(FPixels.begin(), FPixels.end(), p); }
