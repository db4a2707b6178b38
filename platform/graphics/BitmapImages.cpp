// Bitmaps of the framework's own engine: the image is the object.
#include "graphics/BitmapImages.h"

namespace BitmapImages {

HBITMAP Create(const TBitmapImage& image) {
    return image.Pixels.IsEmpty() ? nullptr : new TBitmapImage(image);
}

TBitmapImage Read(HBITMAP bitmap) {
    return bitmap ? *bitmap : TBitmapImage{};
}

TPoint Size(HBITMAP bitmap) {
    return bitmap ? TPoint{bitmap->Width(), bitmap->Height()} : TPoint{};
}

void Delete(HBITMAP bitmap) {
    DeleteObject(bitmap);
}

}  // namespace BitmapImages
