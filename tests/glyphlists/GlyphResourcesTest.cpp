#include <gtest/gtest.h>

#include <string>

#include "GlyphTestSupport.h"
#include "gdi/TBitmapImage.h"
#include "package/Quillmereall.h"
#include "support/TestSupport.h"

namespace {

struct TGlyphFormat {
    const char* Name;
    int Size;
    std::uint32_t ImageSize;
};

class GlyphResourceFormat : public ::testing::TestWithParam<TGlyphFormat> {};

}  // namespace

TEST_P(GlyphResourceFormat, IsA4BitDibWithTheStandardPalette) {
    const TGlyphFormat f = GetParam();
    const TResourceEntry& r = GlyphResource(f.Name);
    ASSERT_EQ(r.Size, 40u + 64u + f.ImageSize);
    EXPECT_EQ(r.Language, kLangEnglishUS);
    EXPECT_EQ(DibField32(r, 0), 40u);                                 // header size
    EXPECT_EQ(DibField32(r, 4), static_cast<std::uint32_t>(f.Size));  // width
    EXPECT_EQ(DibField32(r, 8), static_cast<std::uint32_t>(f.Size));  // positive: bottom row first
    EXPECT_EQ(DibField16(r, 12), 1u);                                 // planes
    EXPECT_EQ(DibField16(r, 14), 4u);                                 // bits per pixel
    EXPECT_EQ(DibField32(r, 16), 0u);                                 // no compression
    EXPECT_EQ(DibField32(r, 20), f.ImageSize);
    for (std::size_t at : {24u, 28u, 32u, 36u}) EXPECT_EQ(DibField32(r, at), 0u) << at;
    // Blue, green, red, 0 for the indexes the glyphs use.
    const std::pair<int, std::uint32_t> kColours[] = {{0, 0x000000}, {2, 0x008000}, {6, 0x008080},
                                                      {7, 0xC0C0C0}, {8, 0x808080}, {14, 0x00FFFF},
                                                      {15, 0xFFFFFF}};
    for (auto [index, rgb] : kColours) EXPECT_EQ(DibField32(r, 40 + 4 * index), rgb) << index;
    // Padding bits at the end of each row are zero: 13 pixels leave the low nibble of byte 6.
    if (f.Size == 13) {
        for (int y = 0; y < 13; ++y) EXPECT_EQ(r.Data[104 + 8 * y + 6] & 0x0F, 0) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Glyphs, GlyphResourceFormat,
                         ::testing::Values(TGlyphFormat{"QELBMPON", 14, 112},
                                           TGlyphFormat{"QELBMPOFF", 14, 112},
                                           TGlyphFormat{"QELRADON", 13, 104},
                                           TGlyphFormat{"QELRADOFF", 13, 104}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(GlyphPixels, RadioButtonsHaveTheirRimsAndDot) {
    const TResourceEntry& on = GlyphResource("QELRADON");
    const TResourceEntry& off = GlyphResource("QELRADOFF");
    EXPECT_EQ(DibColorIndex(on, 4, 0), 8);    // grey top of the outer rim
    EXPECT_EQ(DibColorIndex(on, 6, 6), 0);    // black centre
    EXPECT_EQ(DibColorIndex(off, 6, 6), 15);  // white centre
    // The dot's 5 x 5 black core, rows and columns 4 to 8, edged with grey.
    for (int y = 5; y <= 7; ++y)
        for (int x = 4; x <= 8; ++x) EXPECT_EQ(DibColorIndex(on, x, y), 0) << x << "," << y;
    EXPECT_EQ(DibColorIndex(on, 5, 3), 8);
    EXPECT_EQ(DibColorIndex(on, 12, 4), 15);  // white outer rim, lower right
    EXPECT_EQ(DibColorIndex(on, 0, 0), 7);    // silver background
    EXPECT_EQ(DibColorIndex(off, 12, 12), 7);
}

TEST(GlyphPixels, BitmapListBoxesHaveTheirEdgesAndMark) {
    const TResourceEntry& on = GlyphResource("QELBMPON");
    const TResourceEntry& off = GlyphResource("QELBMPOFF");
    EXPECT_EQ(DibColorIndex(off, 11, 2), 14);   // aqua top-right corner
    EXPECT_EQ(DibColorIndex(off, 2, 12), 14);   // aqua bottom-left corner
    EXPECT_EQ(DibColorIndex(off, 2, 5), 6);     // teal left edge
    EXPECT_EQ(DibColorIndex(off, 11, 12), 15);  // white bottom edge
    EXPECT_EQ(DibColorIndex(off, 6, 6), 7);     // silver inside
    // The green mark: the short arm from the left edge at row 8, the point at (4, 12), the
    // long arm up to the right edge at row 1.
    EXPECT_EQ(DibColorIndex(on, 0, 8), 2);
    EXPECT_EQ(DibColorIndex(on, 4, 12), 2);
    EXPECT_EQ(DibColorIndex(on, 13, 1), 2);
    EXPECT_EQ(DibColorIndex(on, 2, 2), 8);     // grey top edge of the box
    EXPECT_EQ(DibColorIndex(on, 11, 11), 15);  // white bottom edge
}

TEST(GlyphPixels, LoadBitmapFindsThemByName) {
    if (!BitmapResourcesReadable()) GTEST_SKIP() << "this build's bitmap reader cannot read DIBs";
    struct TCase {
        const char* Name;
        int Size, X, Y;
        unsigned Rgb;
    };
    for (TCase c :
         {TCase{"QELRADON", 13, 4, 0, 0x808080}, TCase{"QELRADON", 13, 6, 6, 0x000000},
          TCase{"QELRADOFF", 13, 6, 6, 0xFFFFFF}, TCase{"qelbmpoff", 14, 11, 2, 0x00FFFF},
          TCase{"QELBMPOFF", 14, 2, 12, 0x00FFFF}, TCase{"QELBMPON", 14, 0, 8, 0x008000}}) {
        TBitmap glyph;
        glyph.SetHandle(LoadBitmapA(Quillmereall::ModuleInstance(), c.Name));
        EXPECT_EQ(glyph.Width(), c.Size) << c.Name;
        EXPECT_EQ(glyph.Height(), c.Size) << c.Name;
        EXPECT_EQ(PixelRGB(glyph.Image().Pixels, c.X, c.Y), c.Rgb)
            << c.Name << " " << c.X << "," << c.Y;
    }
}

TEST(GlyphPixels, MissingResourceLeavesAnEmptyBitmap) {
    TBitmap bitmap;
    bitmap.SetHandle(LoadBitmapA(Quillmereall::ModuleInstance(), "NOSUCHGLYPH"));
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(LoadBitmapA(nullptr, "QELRADON"), nullptr);
}
