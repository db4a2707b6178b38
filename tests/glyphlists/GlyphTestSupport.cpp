#include "GlyphTestSupport.h"

#include <gtest/gtest.h>

#include "gdi/TBitmapImage.h"
#include "package/Quillmereall.h"

TResourceEntry GlyphResource(const std::string& name) {
    const TModuleRecordImpl module = DescribeModule(Quillmereall::ModuleInstance());
    const TResourceEntry* r = module.Find(RT_BITMAP, name, kLangEnglishUS);
    if (!r) {
        ADD_FAILURE() << "no bitmap resource " << name;
        return TResourceEntry{RT_BITMAP, "", 0, nullptr, 0};
    }
    return *r;
}

std::uint32_t DibField32(const TResourceEntry& r, std::size_t at) {
    return static_cast<std::uint32_t>(r.Data[at]) |
           (static_cast<std::uint32_t>(r.Data[at + 1]) << 8) |
           (static_cast<std::uint32_t>(r.Data[at + 2]) << 16) |
           (static_cast<std::uint32_t>(r.Data[at + 3]) << 24);
}

std::uint16_t DibField16(const TResourceEntry& r, std::size_t at) {
    return static_cast<std::uint16_t>(r.Data[at] | (r.Data[at + 1] << 8));
}

int DibColorIndex(const TResourceEntry& r, int x, int y) {
    const int width = static_cast<int>(DibField32(r, 4)),
              height = static_cast<int>(DibField32(r, 8));
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4;
    const std::size_t row = 40 + 64 + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    const std::uint8_t byte = r.Data[row + static_cast<std::size_t>(x) / 2];
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

std::unique_ptr<TBitmap> GlyphBitmap(const std::string& name) {
    const TResourceEntry& r = GlyphResource(name);
    const int width = static_cast<int>(DibField32(r, 4)),
              height = static_cast<int>(DibField32(r, 8));
    TBitmapImage image(width, height);
    image.BitsPerPixel = 4;
    // Colour table entries are blue, green, red, 0: read as a little-endian word, a pixel.
    TPixel table[16];
    for (int i = 0; i < 16; ++i) {
        table[i] = DibField32(r, 40 + 4 * static_cast<std::size_t>(i)) & 0xFFFFFF;
        image.Palette.push_back(ColorRefFromPixel(table[i]));
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.Pixels.Set(x, y, table[DibColorIndex(r, x, y)]);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetImage(image);
    return bitmap;
}

::testing::AssertionResult BoxIs(const TSurface& s, int x0, int y0, const char* const (&rows)[14],
                                 unsigned ink) {
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) {
            unsigned want = 0;
            switch (rows[y][x]) {
                case 'G':
                    want = kTestBackground;
                    break;
                case 'S':
                    want = 0x808080;
                    break;
                case 'W':
                    want = 0xFFFFFF;
                    break;
                case 'K':
                    want = 0x000000;
                    break;
                case 'F':
                    want = 0xC0C0C0;
                    break;
                case 'I':
                    want = ink;
                    break;
            }
            const unsigned got = s.At(x0 + x, y0 + y) & 0xFFFFFF;
            if (got != want)
                return ::testing::AssertionFailure() << "box pixel (" << x << ", " << y << ") is "
                                                     << std::hex << got << ", expected " << want;
        }
    return ::testing::AssertionSuccess();
}

bool BitmapResourcesReadable() {
    HBITMAP h = LoadBitmapA(Quillmereall::ModuleInstance(), "QELRADON");
    if (!h) return false;
    DeleteObject(h);
    return true;
}
