// Bitmaps as GDI objects: a DIB section of 32 bits a pixel, top row first, whose bits are the
// image's pixels. The format an image was read in (bit depth, colour table) is GDI's business
// only when it draws, so it is kept here, beside the handle, for writing the bitmap back.
#include "graphics/BitmapImages.h"

#include <cstring>
#include <map>
#include <mutex>

namespace BitmapImages {
namespace {

struct TFormat {
    int BitsPerPixel = 32;
    std::vector<std::uint32_t> Palette;
};

std::mutex& FormatsMutex() {
    static std::mutex& m = *new std::mutex;
    return m;
}
std::map<HBITMAP, TFormat>& Formats() {
    static auto& formats = *new std::map<HBITMAP, TFormat>;
    return formats;
}

}  // namespace

HBITMAP Create(const TBitmapImage& image) {
    if (image.Pixels.IsEmpty()) return nullptr;
    const BITMAPINFO info = TopDownDib32(image.Width(), image.Height());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return nullptr;
    std::memcpy(bits, image.Pixels.Pixels().data(), image.Pixels.Pixels().size() * sizeof(TPixel));
    std::lock_guard lock(FormatsMutex());
    Formats()[bitmap] = TFormat{image.BitsPerPixel, image.Palette};
    return bitmap;
}

TBitmapImage Read(HBITMAP bitmap) {
    const TPoint size = Size(bitmap);
    if (size.X <= 0 || size.Y <= 0) return TBitmapImage{};
    TBitmapImage image(size.X, size.Y);
    // Drawing may still be queued for the bitmap.
    GdiFlush();
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) == sizeof section &&
        section.dsBmih.biBitCount == 32 && section.dsBmih.biHeight < 0 && section.dsBm.bmBits) {
        std::memcpy(image.Pixels.Pixels().data(), section.dsBm.bmBits,
                    image.Pixels.Pixels().size() * sizeof(TPixel));
    } else {
        // A bitmap of another kind (a device-dependent one from LoadBitmapA): GDI converts.
        BITMAPINFO info = TopDownDib32(size.X, size.Y);
        HDC dc = CreateCompatibleDC(nullptr);
        GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.Y), image.Pixels.Pixels().data(), &info,
                  DIB_RGB_COLORS);
        DeleteDC(dc);
    }
    std::lock_guard lock(FormatsMutex());
    if (auto it = Formats().find(bitmap); it != Formats().end()) {
        image.BitsPerPixel = it->second.BitsPerPixel;
        image.Palette = it->second.Palette;
    }
    return image;
}

TPoint Size(HBITMAP bitmap) {
    BITMAP b{};
    if (!bitmap || GetObjectA(bitmap, sizeof b, &b) == 0) return TPoint{};
    return TPoint{b.bmWidth, b.bmHeight < 0 ? -b.bmHeight : b.bmHeight};
}

void Delete(HBITMAP bitmap) {
    if (!bitmap) return;
    {
        std::lock_guard lock(FormatsMutex());
        Formats().erase(bitmap);
    }
    DeleteObject(bitmap);
}

}  // namespace BitmapImages
