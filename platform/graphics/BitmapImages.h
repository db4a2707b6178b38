// The bitmap objects behind HBITMAP, made from pixels and read back as pixels. The framework's
// own engine keeps a TBitmapImage as the object itself; on Windows a bitmap is a DIB section
// of 32 bits a pixel, so that drawing on it is as exact as on the engine's surfaces, and the
// format it was read in is kept beside it for writing it back.
#pragma once

#include "core/Types.h"
#include "gdi/TBitmapImage.h"
#include "win/WinApi.h"

namespace BitmapImages {

// A new bitmap holding the image's pixels and format; null for an empty image.
HBITMAP Create(const TBitmapImage& image);
// The pixels and format of a bitmap, however it was made; empty for a null handle. The bitmap
// must not be selected into a context.
TBitmapImage Read(HBITMAP bitmap);
// Width and height; 0 x 0 for a null handle.
TPoint Size(HBITMAP bitmap);
// Frees a bitmap that no context has selected.
void Delete(HBITMAP bitmap);

}  // namespace BitmapImages
