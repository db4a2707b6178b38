#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "PackageResourcesSupport.h"
#include "graphics/BmpCodec.h"
#include "graphics/Graphics.h"
#include "graphics/TBitmap.h"
#include "graphics/TCanvas.h"
#include "io/PngWriter.h"
#include "modules/PackageInfo.h"
#include "package/PackageResources.h"
#include "support/TestSupport.h"

namespace {

struct TPaletteBitmap {
    const char* Resource;
    const char* ClassName;
};

// In the order of registration, which is the order the palette shows them in.
constexpr TPaletteBitmap kPaletteBitmaps[] = {
    {"TSCROLLINGAREA", "TScrollingArea"},     {"TTILEBITMAP", "TTileBitmap"},
    {"TQELGRADIENT", "TQELGradient"},         {"TQELBMPLIST", "TQELBmpList"},
    {"TQELRADIOLIST", "TQELRadioList"},       {"TQELCHECKLIST", "TQELCheckList"},
    {"TORDEREDGROUPBOX", "TOrderedGroupBox"}, {"TORDEREDLISTBOX", "TOrderedListBox"},
    {"TORDEREDTABSET", "TOrderedTabSet"},
};

// The standard 16-colour palette as 0xRRGGBB.
constexpr unsigned kStandardColours[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
constexpr unsigned kBlack = 0x000000, kNavy = 0x000080, kSilver = 0xC0C0C0, kGrey = 0x808080,
                   kGreen = 0x008000, kTeal = 0x008080, kRed = 0xFF0000, kYellow = 0xFFFF00,
                   kBlue = 0x0000FF, kAqua = 0x00FFFF, kWhite = 0xFFFFFF;

TBitmapImage DecodePalette(const char* name) {
    const TResourceEntry& r = PackageResource(RT_BITMAP, name);
    return BmpCodec::DecodeDib(r.Data, r.Size);
}

class PaletteBitmap : public ::testing::TestWithParam<TPaletteBitmap> {};

}  // namespace

TEST_P(PaletteBitmap, IsA24By24FourBitDibWithAllSixteenColoursImportant) {
    const TResourceEntry& r = PackageResource(RT_BITMAP, GetParam().Resource);
    EXPECT_EQ(r.Language, kLangNeutral);
    ASSERT_EQ(r.Size, 40u + 64u + 288u);
    EXPECT_EQ(Field32(r, 0), 40u);    // header size
    EXPECT_EQ(Field32(r, 4), 24u);    // width
    EXPECT_EQ(Field32(r, 8), 24u);    // positive height: bottom row first
    EXPECT_EQ(Field16(r, 12), 1u);    // planes
    EXPECT_EQ(Field16(r, 14), 4u);    // bits per pixel
    EXPECT_EQ(Field32(r, 16), 0u);    // no compression
    EXPECT_EQ(Field32(r, 20), 288u);  // image size: 24 rows of 12 bytes
    EXPECT_EQ(Field32(r, 24), 0u);    // resolutions
    EXPECT_EQ(Field32(r, 28), 0u);
    EXPECT_EQ(Field32(r, 32), 0u);   // colours used: the 16 that 4 bits give
    EXPECT_EQ(Field32(r, 36), 16u);  // important colours
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(Field32(r, 40 + 4 * i), kStandardColours[i]) << "colour " << i;

    const TBitmapImage image = BmpCodec::DecodeDib(r.Data, r.Size);
    EXPECT_EQ(image.Width(), 24);
    EXPECT_EQ(image.Height(), 24);
    EXPECT_EQ(image.BitsPerPixel, 4);
    EXPECT_EQ(image.Palette.size(), 16u);
    // Every pixel is one of the palette's colours, and the bottom-left pixel, which the design
    // environment makes transparent, is the silver background.
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_TRUE(std::count(std::begin(kStandardColours), std::end(kStandardColours),
                                   PixelRGB(image.Pixels, x, y)))
                << x << "," << y;
    EXPECT_EQ(PixelRGB(image.Pixels, 0, 23), kSilver);
}

INSTANTIATE_TEST_SUITE_P(Classes, PaletteBitmap, ::testing::ValuesIn(kPaletteBitmaps),
                         [](const auto& info) { return std::string(info.param.ClassName); });

TEST(PalettePictures, ShowEachControlInMiniature) {
    struct TPoint {
        const char* Name;
        int X, Y;
        unsigned Rgb;
        const char* What;
    };
    const TPoint kPoints[] = {
        {"TSCROLLINGAREA", 12, 4, kWhite, "the bar"},
        {"TSCROLLINGAREA", 4, 6, kNavy, "the lettering"},
        {"TSCROLLINGAREA", 6, 21, kNavy, "the arrow's point"},
        {"TTILEBITMAP", 1, 1, kBlack, "the frame"},
        {"TTILEBITMAP", 22, 22, kBlack, "the frame"},
        {"TTILEBITMAP", 2, 2, kWhite, "the area"},
        {"TTILEBITMAP", 3, 3, kRed, "the first tile's picture"},
        {"TTILEBITMAP", 13, 13, kRed, "the same picture in the last tile"},
        {"TTILEBITMAP", 12, 11, kNavy, "the diagonal stroke"},
        {"TQELGRADIENT", 1, 1, kYellow, "the frame"},
        {"TQELGRADIENT", 22, 22, kYellow, "the frame"},
        {"TQELGRADIENT", 3, 10, kBlack, "the start of the shading"},
        {"TQELGRADIENT", 11, 10, kNavy, "its middle"},
        {"TQELGRADIENT", 20, 10, kBlue, "its end"},
        {"TQELBMPLIST", 15, 9, kWhite, "the list"},
        {"TQELBMPLIST", 9, 4, kGreen, "the on bitmap's mark"},
        {"TQELBMPLIST", 4, 10, kTeal, "the off bitmap's edge"},
        {"TQELBMPLIST", 9, 10, kAqua, "the off bitmap's corner"},
        {"TQELBMPLIST", 12, 6, kBlack, "a line"},
        {"TQELRADIOLIST", 4, 6, kBlack, "a button's rim"},
        {"TQELRADIOLIST", 6, 6, kWhite, "an unchosen button"},
        {"TQELRADIOLIST", 6, 12, kBlack, "the chosen button's dot"},
        {"TQELCHECKLIST", 8, 4, kBlack, "a check mark"},
        {"TQELCHECKLIST", 8, 10, kWhite, "the unchecked line"},
        {"TQELCHECKLIST", 12, 18, kBlack, "a line"},
        {"TORDEREDGROUPBOX", 1, 12, kGrey, "the etched frame"},
        {"TORDEREDGROUPBOX", 2, 12, kWhite, "its light line"},
        {"TORDEREDGROUPBOX", 4, 4, kBlue, "the label square"},
        {"TORDEREDGROUPBOX", 6, 4, kWhite, "its number"},
        {"TORDEREDGROUPBOX", 11, 4, kNavy, "the caption"},
        {"TORDEREDLISTBOX", 5, 4, kYellow, "the first square"},
        {"TORDEREDLISTBOX", 5, 19, kYellow, "the last square"},
        {"TORDEREDLISTBOX", 10, 5, kBlack, "a line"},
        {"TORDEREDTABSET", 0, 4, kBlack, "the page's edge"},
        {"TORDEREDTABSET", 1, 5, kWhite, "the first tab's light edge"},
        {"TORDEREDTABSET", 22, 16, kBlack, "the second tab's dark edge"},
        {"TORDEREDTABSET", 5, 9, kBlue, "the first tab's square"},
        {"TORDEREDTABSET", 16, 9, kBlue, "the second tab's square"},
    };
    for (const TPoint& p : kPoints) {
        const TBitmapImage image = DecodePalette(p.Name);
        EXPECT_EQ(PixelRGB(image.Pixels, p.X, p.Y), p.Rgb)
            << p.Name << " (" << p.X << ", " << p.Y << "): " << p.What;
    }
}

TEST(PalettePictures, AreAllDifferent) {
    std::set<std::string> seen;
    for (const TPaletteBitmap& b : kPaletteBitmaps) {
        const std::vector<std::uint8_t> bytes = Bytes(PackageResource(RT_BITMAP, b.Resource));
        EXPECT_TRUE(seen.emplace(bytes.begin(), bytes.end()).second) << b.Resource;
    }
}

namespace {

// The nine palette bitmaps four times their size, nearest neighbour, three to a row, each
// with its class name under it.
TSurface PalettePicture() {
    constexpr int kScale = 4, kCellWidth = 132, kCellHeight = 124, kColumns = 3;
    TBitmap sheet;
    sheet.SetSize(kColumns * kCellWidth, 3 * kCellHeight);
    TCanvas* canvas = sheet.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, sheet.Width(), sheet.Height()});
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetSize(8);
    int i = 0;
    for (const TPaletteBitmap& b : kPaletteBitmaps) {
        const int left = (i % kColumns) * kCellWidth, top = (i / kColumns) * kCellHeight;
        TBitmap picture;
        picture.SetImage(DecodePalette(b.Resource));
        const int x = left + (kCellWidth - 24 * kScale) / 2, y = top + 8;
        canvas->StretchDraw(TRect{x, y, x + 24 * kScale, y + 24 * kScale}, &picture);
        const std::string name = b.ClassName;
        canvas->TextOut(left + (kCellWidth - canvas->TextWidth(name)) / 2, y + 24 * kScale + 4,
                        name);
        ++i;
    }
    return sheet.Image().Pixels;
}

}  // namespace

// The picture of the palette in docs/images is this golden; QM_UPDATE_GOLDENS=1 writes both.
TEST(PalettePictures, MatchGoldenAndTheDocumentationPicture) {
    const TSurface picture = PalettePicture();
    // Nearest neighbour: each bitmap pixel is a 4 x 4 block.
    const TBitmapImage gradient = DecodePalette("TQELGRADIENT");
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelRGB(picture, 2 * 132 + 18 + 4 * 11 + x, 8 + 4 * 10 + y),
                      PixelRGB(gradient.Pixels, 11, 10));
    EXPECT_TRUE(MatchesGolden(picture, "package/palette"));

    namespace fs = std::filesystem;
    const fs::path docs = fs::path(QM_SOURCE_DIR) / "docs" / "images" / "palette.png";
    const char* update = std::getenv("QM_UPDATE_GOLDENS");
    if (update && std::string(update) == "1") {
        PngWriter::Write(picture, docs.string());
        return;
    }
    EXPECT_EQ(PngWriter::Read(docs.string()), picture)
        << docs << " differs from the palette golden; run with QM_UPDATE_GOLDENS=1";
}

TEST(PackageResourceTable, HoldsEveryResourceOnceUnderItsTypeNameAndLanguage) {
    const std::vector<TResourceEntry> resources = Quillmereall::PackageResources();
    EXPECT_EQ(resources.size(), 9u + 3u + 2u + 1u);
    std::set<std::pair<std::uint16_t, std::string>> keys;
    for (const TResourceEntry& r : resources) {
        EXPECT_TRUE(keys.insert({r.Type, r.Name}).second) << r.Name;
        EXPECT_NE(r.Data, nullptr) << r.Name;
        EXPECT_GT(r.Size, 0u) << r.Name;
        // Raw data, icons and version information are whole 32-bit words.
        if (r.Type != RT_BITMAP) {
            EXPECT_EQ(r.Size % 4, 0u) << r.Name;
        }
    }
    struct TKey {
        std::uint16_t Type;
        const char* Name;
        std::uint16_t Language;
    };
    for (TKey k : {TKey{RT_RCDATA, "DESCRIPTION", kLangNeutral},
                   TKey{RT_RCDATA, "PACKAGEINFO", kLangNeutral},
                   TKey{RT_RCDATA, "PACKAGEOPTIONS", kLangNeutral},
                   TKey{RT_GROUP_ICON, "MAINICON", kLangEnglishUS},
                   TKey{RT_ICON, "#1", kLangEnglishUS}, TKey{RT_VERSION, "#1", kLangEnglishUS}})
        EXPECT_EQ(PackageResource(k.Type, k.Name).Language, k.Language) << k.Name;
    // The data stays where it is: a second table points at the same bytes.
    const std::vector<TResourceEntry> again = Quillmereall::PackageResources();
    for (std::size_t i = 0; i < resources.size(); ++i)
        EXPECT_EQ(again[i].Data, resources[i].Data) << resources[i].Name;
}

TEST(PackageRecords, DescriptionIsUtf16WithItsZeroAndPadding) {
    const std::vector<std::uint8_t> expected = {
        'Q', 0, 'E', 0, 'L', 0, ' ', 0, 'Q', 0, 'u', 0, 'i', 0, 'l', 0, 'l', 0,
        'm', 0, 'e', 0, 'r', 0, 'e', 0, ' ', 0, '1', 0, '.', 0, '5', 0, 0,   0,
    };
    const TResourceEntry& r = PackageResource(RT_RCDATA, "DESCRIPTION");
    EXPECT_EQ(Bytes(r), expected);
    EXPECT_EQ(ResourceRecords::DecodeDescription(r.Data, r.Size), "QEL Quillmere 1.5");
}

TEST(PackageRecords, BuildOptionsCarryTheUnitAliasesAndTheDescription) {
    const TResourceEntry& r = PackageResource(RT_RCDATA, "PACKAGEOPTIONS");
    const std::vector<std::uint8_t> bytes = Bytes(r);
    const std::string aliases =
        "WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE;";
    const std::string description = "QEL Quillmere 1.5";
    // Both strings stand in the bytes with their length before them, one after the other.
    std::string expectedTail;
    expectedTail += static_cast<char>(aliases.size());
    expectedTail += aliases;
    expectedTail += static_cast<char>(description.size());
    expectedTail += description;
    ASSERT_EQ(bytes.size(), (44 + expectedTail.size() + 3) / 4 * 4);
    EXPECT_EQ(std::string(bytes.begin() + 44,
                          bytes.begin() + 44 + static_cast<long>(expectedTail.size())),
              expectedTail);

    const ResourceRecords::TPackageOptions options =
        ResourceRecords::DecodePackageOptions(r.Data, r.Size);
    EXPECT_EQ(options.Version, 1u);
    EXPECT_EQ(options.UnitAliases, aliases);
    EXPECT_EQ(options.Description, description);
    EXPECT_EQ(options.Switch('A'), 8);
    EXPECT_EQ(options.Switch('R'), 0);  // range checks off
    EXPECT_EQ(options.Switch('a'), 0);  // not a switch letter
    EXPECT_EQ(options.MinStackSize, 0x4000u);
    EXPECT_EQ(options.MaxStackSize, 0x100000u);
    EXPECT_EQ(options.ImageBase, 0x400000u);
}

TEST(PackageIcon, GroupNamesOne32By32SixteenColourIcon) {
    const TResourceEntry& group = PackageResource(RT_GROUP_ICON, "MAINICON");
    const std::vector<std::uint8_t> expected = {
        0,    0,    1,  0, 1, 0,        // reserved, type 1 (icon), one image
        32,   32,   16, 0, 1, 0, 4, 0,  // 32 x 32, 16 colours, reserved, 1 plane, 4 bits
        0xE8, 0x02, 0,  0,              // 744 bytes of image
        1,    0,                        // icon 1
    };
    EXPECT_EQ(Bytes(group), expected);
}

TEST(PackageIcon, ImageIsTheColourPictureOverItsMask) {
    const TResourceEntry& icon = PackageResource(RT_ICON, "#1");
    ASSERT_EQ(icon.Size, 744u);
    EXPECT_EQ(Field32(icon, 0), 40u);
    EXPECT_EQ(Field32(icon, 4), 32u);
    EXPECT_EQ(Field32(icon, 8), 64u);  // the colour image and the mask, each 32 rows
    EXPECT_EQ(Field16(icon, 12), 1u);
    EXPECT_EQ(Field16(icon, 14), 4u);
    EXPECT_EQ(Field32(icon, 16), 0u);
    EXPECT_EQ(Field32(icon, 20), 512u + 128u);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(Field32(icon, 40 + 4 * i), kStandardColours[i]) << "colour " << i;
    // Row y of the picture is stored at row 31 - y of each part.
    auto colour = [&](int x, int y) {
        const std::uint8_t b = icon.Data[104 + (31 - y) * 16 + x / 2];
        return x % 2 == 0 ? b >> 4 : b & 0x0F;
    };
    auto transparent = [&](int x, int y) {
        return (icon.Data[104 + 512 + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
    };
    // Outside the panel the screen shows through, and the colour there is black, as a mask
    // needs it; the panel itself is opaque.
    for (auto [x, y] : {std::pair{0, 0}, std::pair{31, 0}, std::pair{0, 31}, std::pair{31, 31},
                        std::pair{15, 1}, std::pair{15, 30}}) {
        EXPECT_EQ(transparent(x, y), 1) << x << "," << y;
        EXPECT_EQ(colour(x, y), 0) << x << "," << y;
    }
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) opaque += 1 - transparent(x, y);
    EXPECT_EQ(opaque, 30 * 28);    // the raised panel from (1, 2) to (30, 29)
    EXPECT_EQ(colour(1, 2), 15);   // its light edge
    EXPECT_EQ(colour(30, 29), 0);  // its dark edge
    EXPECT_EQ(colour(4, 5), 11);   // the yellow frame of the gradient
    EXPECT_EQ(colour(5, 8), 0);    // black at the gradient's start
    EXPECT_EQ(colour(26, 8), 12);  // blue at its end
    EXPECT_EQ(colour(4, 16), 0);   // the check box
    EXPECT_EQ(colour(5, 17), 15);
}
