// The BMP reader against the BMP Suite (references decoded by Pillow, made by
// tools/bmp/make_fixtures.py), hand-made files for the run-length and error paths, and round
// trips of every depth the writer keeps.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "graphics/BmpCodec.h"
#include "graphics/TBitmap.h"
#include "modules/TModuleRecordImpl.h"
#include "win/WinApi.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kFixtures = fs::path(QM_SOURCE_DIR) / "tests" / "fixtures";

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> SuiteFiles(const char* folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kFixtures / "bmpsuite" / folder))
        if (entry.path().extension() == ".bmp") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A reference PNG as pixels in surface layout; the top byte holds alpha when the PNG has it.
struct TReference {
    TSurface Pixels;
    bool HasAlpha = false;
};

TReference ReadReference(const fs::path& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    TReference ref;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        ADD_FAILURE() << path << ": " << png.message;
        return ref;
    }
    ref.HasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    png.format = PNG_FORMAT_BGRA;
    ref.Pixels = TSurface(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, ref.Pixels.Pixels().data(), 0, nullptr)) {
        ADD_FAILURE() << path << ": " << png.message;
        png_image_free(&png);
    }
    if (!ref.HasAlpha)
        for (TPixel& p : ref.Pixels.Pixels()) p &= 0x00FFFFFF;
    return ref;
}

// Pixel-exact comparison with the reference; a reference without alpha means the decoded
// pixels must carry none either.
::testing::AssertionResult MatchesReference(const TBitmapImage& image, const std::string& name) {
    const TReference ref = ReadReference(kFixtures / "bmp" / (name + ".png"));
    if (image.Width() != ref.Pixels.Width() || image.Height() != ref.Pixels.Height())
        return ::testing::AssertionFailure()
               << name << ": " << image.Width() << " x " << image.Height() << ", expected "
               << ref.Pixels.Width() << " x " << ref.Pixels.Height();
    int wrong = 0;
    std::string first;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Pixels.At(x, y) != ref.Pixels.At(x, y) && wrong++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d) is %08X, expected %08X", x, y,
                              image.Pixels.At(x, y), ref.Pixels.At(x, y));
                first = text;
            }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << ": " << wrong << " pixels differ; " << first;
}

std::string RefusalOf(const Bytes& bytes) {
    try {
        BmpCodec::DecodeFile(bytes.data(), bytes.size());
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return {};
}

// A hand-made bitmap file: a 40-byte header, a colour table, and whatever pixel bytes a test
// wants; each field may be overridden.
struct TBmpBuilder {
    std::int32_t Width = 4;
    std::int32_t Height = 2;
    std::uint16_t Bits = 8;
    std::uint32_t Compression = 0;
    std::uint32_t ColorsUsed = 0;
    std::vector<std::uint32_t> Palette{0x000000, 0x0000FF, 0x00FF00, 0xFF0000};  // COLORREF
    Bytes Extra;                    // between the header and the colour table (bit-field masks)
    Bytes Pixels;                   // as stored
    std::int64_t PixelOffset = -1;  // -1: after the colour table

    Bytes File() const {
        Bytes b;
        auto u16 = [&](std::uint32_t v) {
            b.push_back(static_cast<std::uint8_t>(v));
            b.push_back(static_cast<std::uint8_t>(v >> 8));
        };
        auto u32 = [&](std::uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        const std::uint32_t offset =
            PixelOffset >= 0 ? static_cast<std::uint32_t>(PixelOffset)
                             : static_cast<std::uint32_t>(54 + Extra.size() + 4 * Palette.size());
        b.push_back('B');
        b.push_back('M');
        u32(0);  // patched below
        u32(0);
        u32(offset);
        u32(40);
        u32(static_cast<std::uint32_t>(Width));
        u32(static_cast<std::uint32_t>(Height));
        u16(1);
        u16(Bits);
        u32(Compression);
        u32(static_cast<std::uint32_t>(Pixels.size()));
        u32(2835);
        u32(2835);
        u32(ColorsUsed ? ColorsUsed : static_cast<std::uint32_t>(Palette.size()));
        u32(0);
        b.insert(b.end(), Extra.begin(), Extra.end());
        for (std::uint32_t c : Palette) u32(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
        b.resize(std::max<std::size_t>(b.size(), offset));
        b.insert(b.end(), Pixels.begin(), Pixels.end());
        const auto size = static_cast<std::uint32_t>(b.size());
        for (int i = 0; i < 4; ++i) b[2 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        return b;
    }
};

constexpr TPixel kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// --- the BMP Suite ------------------------------------------------------------------------

class BmpSuiteGood : public ::testing::TestWithParam<std::string> {};

TEST_P(BmpSuiteGood, ReadsAsPillowDoes) {
    const Bytes bytes = ReadBytes(kFixtures / "bmpsuite" / "g" / (GetParam() + ".bmp"));
    const TBitmapImage image = BmpCodec::DecodeFile(bytes.data(), bytes.size());
    EXPECT_TRUE(MatchesReference(image, "g/" + GetParam()));
}

INSTANTIATE_TEST_SUITE_P(AllFiles, BmpSuiteGood, ::testing::ValuesIn(SuiteFiles("g")),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// Questionable files: read as the reference does, or refused for the reason given.
const std::map<std::string, std::string> kQuestionableRefusals = {
    {"pal1huffmsb", "OS/2 Huffman 1-D compression"},
    {"rgb24jpeg", "embedded JPEG"},
    {"rgb24png", "embedded PNG"},
    {"rgb24rle24", "OS/2 24-bit run-length compression"},
    {"rgba64", "64 bits per pixel is not a supported depth"},
};

TEST(BmpSuiteQuestionable, ReadsOrRefusesEveryFile) {
    for (const std::string& name : SuiteFiles("q")) {
        SCOPED_TRACE(name);
        const Bytes bytes = ReadBytes(kFixtures / "bmpsuite" / "q" / (name + ".bmp"));
        const auto refusal = kQuestionableRefusals.find(name);
        if (refusal == kQuestionableRefusals.end()) {
            try {
                EXPECT_TRUE(MatchesReference(BmpCodec::DecodeFile(bytes.data(), bytes.size()),
                                             "q/" + name));
            } catch (const EInvalidGraphic& e) {
                ADD_FAILURE() << "refused: " << e.what();
            }
        } else {
            EXPECT_NE(RefusalOf(bytes).find(refusal->second), std::string::npos)
                << RefusalOf(bytes);
            EXPECT_FALSE(fs::exists(kFixtures / "bmp" / "q" / (name + ".png")))
                << "a reference exists for a file the reader refuses";
        }
    }
}

// Bad files: every one refused, each for its own fault, with the offset of the field.
TEST(BmpSuiteBad, RefusesEveryFileNamingTheFault) {
    const std::map<std::string, std::string> expected = {
        {"badbitcount", "offset 28: 30000 bits per pixel"},
        {"badbitssize", "offset 34: image size 2129587950"},
        {"baddens1", "offset 38: horizontal resolution 30000000"},
        {"baddens2", "offset 42: vertical resolution 30000000"},
        {"badfilesize", "offset 2: file size 2111692253"},
        {"badheadersize", "offset 14: header size 66 is not a known bitmap header size"},
        {"badpalettesize", "offset 46: 305402420 colours do not fit"},
        {"badplanes", "offset 26: 30000 colour planes"},
        {"badrle", "goes past the end of the 127-pixel row"},
        {"badrle4", "goes past the end of the 127-pixel row"},
        {"badrle4bis", "leaves the 127-pixel row"},
        {"badrle4ter", "leaves the 127-pixel row"},
        {"badrlebis", "leaves the 127-pixel row"},
        {"badrleter", "leaves the 127-pixel row"},
        {"badwidth", "offset 18: width -127"},
        {"pal8badindex", "is past the 101 entries of the colour table"},
        {"reallybig", "offset 2: file size"},
        {"rgb16-880", "offset 62: the blue mask is empty"},
        {"rletopdown", "offset 22: a run-length compressed bitmap cannot be stored top down"},
        {"shortfile", "offset 2: file size 1086 is more than the 273 bytes"},
    };
    const std::vector<std::string> files = SuiteFiles("b");
    EXPECT_EQ(files.size(), expected.size());
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const std::string message =
            RefusalOf(ReadBytes(kFixtures / "bmpsuite" / "b" / (name + ".bmp")));
        ASSERT_FALSE(message.empty()) << "read without complaint";
        EXPECT_EQ(message.rfind("offset ", 0), 0u) << message;
        ASSERT_TRUE(expected.count(name));
        EXPECT_NE(message.find(expected.at(name)), std::string::npos) << message;
    }
}

TEST(BmpSuiteBad, HugeDimensionsAreRefusedBeforeAllocating) {
    // reallybig.bmp with an honest file size: only the pixel limit stands in the way.
    Bytes bytes = ReadBytes(kFixtures / "bmpsuite" / "b" / "reallybig.bmp");
    for (int i = 0; i < 4; ++i) bytes[2 + i] = 0;
    EXPECT_NE(RefusalOf(bytes).find("offset 18: 3000000 x 2000000 pixels is more than the"),
              std::string::npos)
        << RefusalOf(bytes);
}

// --- layouts and formats ---------------------------------------------------------------

TEST(BmpLayout, TopDownAndBottomUpGiveTheSameImage) {
    TBmpBuilder bmp;
    bmp.Pixels = {1, 1, 1, 1, 2, 2, 2, 3};
    const Bytes bottomUp = bmp.File();
    bmp.Height = -2;
    bmp.Pixels = {2, 2, 2, 3, 1, 1, 1, 1};
    const Bytes topDown = bmp.File();
    const TBitmapImage a = BmpCodec::DecodeFile(bottomUp.data(), bottomUp.size());
    const TBitmapImage b = BmpCodec::DecodeFile(topDown.data(), topDown.size());
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Pixels.At(0, 0), kGreen);
    EXPECT_EQ(a.Pixels.At(3, 0), kBlue);
    EXPECT_EQ(a.Pixels.At(0, 1), kRed);
}

TEST(BmpLayout, PixelOffsetAtTheColourTableMeansThePixelsFollowIt) {
    TBmpBuilder bmp;
    bmp.Pixels = {1, 2, 3, 0, 0, 0, 0, 0};
    Bytes bytes = bmp.File();
    bytes[10] = 54;
    const TBitmapImage image = BmpCodec::DecodeFile(bytes.data(), bytes.size());
    EXPECT_EQ(image.Pixels.At(0, 0), kBlack);
    EXPECT_EQ(image.Pixels.At(0, 1), kRed);
    EXPECT_EQ(image.Pixels.At(2, 1), kBlue);
}

TEST(BmpLayout, ShortColourTableIsBoundedByThePixelOffset) {
    // No colours-used count: the depth allows 256 entries, the pixel offset leaves room for 4.
    TBmpBuilder bmp;
    bmp.ColorsUsed = 0;
    bmp.Pixels = {0, 1, 2, 3, 3, 2, 1, 0};
    Bytes bytes = bmp.File();
    for (int i = 0; i < 4; ++i) bytes[46 + i] = 0;
    const TBitmapImage image = BmpCodec::DecodeFile(bytes.data(), bytes.size());
    EXPECT_EQ(image.Palette.size(), 4u);
    EXPECT_EQ(image.Pixels.At(2, 1), kGreen);
    // In a packed DIB the same table would swallow the pixels.
    EXPECT_THROW(BmpCodec::DecodeDib(bytes.data() + 14, bytes.size() - 14), EInvalidGraphic);
}

TEST(BmpBitFields, AlphaCountsInThirtyTwoBitPixelsOnly) {
    TBmpBuilder bmp;
    bmp.Width = 1;
    bmp.Height = 1;
    bmp.Palette.clear();
    bmp.Compression = 6;  // red, green, blue and alpha masks after the header
    bmp.Bits = 32;
    bmp.Extra = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF};
    bmp.Pixels = {0x11, 0x22, 0x33, 0x80};  // word 0x80332211
    Bytes bytes = bmp.File();
    EXPECT_EQ(BmpCodec::DecodeFile(bytes.data(), bytes.size()).Pixels.At(0, 0), 0x80332211u);

    bmp.Bits = 16;  // 4-4-4-4: alpha is read as opaque colour
    bmp.Extra = {0x00, 0x0F, 0, 0, 0xF0, 0, 0, 0, 0x0F, 0, 0, 0, 0x00, 0xF0, 0, 0};
    bmp.Pixels = {0x3F, 0xF1, 0, 0};  // word 0xF13F: alpha F, red 1, green 3, blue F
    bytes = bmp.File();
    EXPECT_EQ(BmpCodec::DecodeFile(bytes.data(), bytes.size()).Pixels.At(0, 0), 0x1133FFu);
}

TEST(BmpBitFields, MasksMustBeSeparateRunsInsideThePixel) {
    TBmpBuilder bmp;
    bmp.Palette.clear();
    bmp.Compression = 3;
    bmp.Bits = 16;
    bmp.Pixels.assign(16, 0);
    const struct {
        std::uint32_t Red, Green, Blue;
        const char* Fault;
    } cases[] = {
        {0xF800, 0x07E0, 0x0000, "offset 62: the blue mask is empty"},
        {0xF800, 0x0FE0, 0x001F, "offset 58: the green mask 0xFE0 overlaps"},
        {0xF00F, 0x07E0, 0x0010, "offset 54: the red mask 0xF00F is not one run of bits"},
        {0x1F000, 0x07E0, 0x001F, "offset 54: the red mask 0x1F000 reaches past the 16 bits"},
    };
    for (const auto& c : cases) {
        bmp.Extra.clear();
        for (std::uint32_t m : {c.Red, c.Green, c.Blue})
            for (int i = 0; i < 4; ++i) bmp.Extra.push_back(static_cast<std::uint8_t>(m >> 8 * i));
        const std::string message = RefusalOf(bmp.File());
        EXPECT_NE(message.find(c.Fault), std::string::npos) << message;
    }
}

// --- run-length data -----------------------------------------------------------------------

TBitmapImage DecodeRuns(std::uint16_t bits, const Bytes& runs, int width = 6, int height = 3) {
    TBmpBuilder bmp;
    bmp.Bits = bits;
    bmp.Compression = bits == 8 ? 1 : 2;
    bmp.Width = width;
    bmp.Height = height;
    bmp.Pixels = runs;
    const Bytes bytes = bmp.File();
    return BmpCodec::DecodeFile(bytes.data(), bytes.size());
}

std::string Row(const TBitmapImage& image, int y) {
    std::string s;
    for (int x = 0; x < image.Width(); ++x) {
        const TPixel p = image.Pixels.At(x, y);
        s += p == kBlack ? '0' : p == kRed ? 'R' : p == kGreen ? 'G' : p == kBlue ? 'B' : '?';
    }
    return s;
}

TEST(BmpRunLength, Rle8RunsLiteralsMovesAndEndOfLine) {
    const TBitmapImage image =
        DecodeRuns(8, {
                          2, 1,              // RR
                          0, 3, 2, 3, 2, 0,  // literal G B G, padded to a 16-bit boundary
                          0, 0,              // end of line
                          0, 2, 3, 1,        // move 3 right, 1 up: the second row is skipped
                          3, 3,              // BBB from column 3 of the top row
                          0, 1,              // end of bitmap
                      });
    EXPECT_EQ(Row(image, 2), "RRGBG0");
    EXPECT_EQ(Row(image, 1), "000000");
    EXPECT_EQ(Row(image, 0), "000BBB");
}

TEST(BmpRunLength, Rle4OddLiteralRunsKeepTheirLastPixel) {
    const TBitmapImage image =
        DecodeRuns(4,
                   {
                       0, 5, 0x12, 0x31, 0x20, 0,  // literal R G B R G (3 bytes, padded to 4)
                       1, 0x30,                    // B
                       0, 0, 6, 0x12,              // R G R G R G
                   },
                   6, 2);
    EXPECT_EQ(Row(image, 1), "RGBRGB");
    EXPECT_EQ(Row(image, 0), "RGRGRG");
}

TEST(BmpRunLength, DataThatStopShortLeaveTheRestAtIndexZero) {
    // A literal of four pixels of which two bytes are there, then nothing.
    const TBitmapImage image = DecodeRuns(8, {6, 2, 0, 0, 0, 4, 1, 3});
    EXPECT_EQ(Row(image, 2), "GGGGGG");
    EXPECT_EQ(Row(image, 1), "RB0000");
    EXPECT_EQ(Row(image, 0), "000000");
}

TEST(BmpRunLength, RunsThatLeaveTheImageAreRefused) {
    const struct {
        Bytes Runs;
        const char* Fault;
    } cases[] = {
        {{7, 1}, "offset 70: a run of 7 pixels at column 0 goes past the end of the 6-pixel row"},
        {{4, 1, 0, 3, 1, 1, 1, 0}, "offset 72: a run of 3 pixels at column 4 goes past"},
        {{0, 2, 7, 0}, "offset 70: a move of 7 pixels right from column 0 leaves"},
        {{0, 2, 0, 4}, "offset 70: a move of 4 rows up from row 0 leaves the 3 rows"},
        {{0, 0, 0, 0, 0, 0, 1, 1}, "offset 76: a run of 1 pixel follows the last of the 3 rows"},
        {{2, 9}, "offset 71: colour index 9 of pixel (0, 2) is past the 4 entries"},
    };
    for (const auto& c : cases) {
        TBmpBuilder bmp;
        bmp.Compression = 1;
        bmp.Width = 6;
        bmp.Height = 3;
        bmp.Pixels = c.Runs;
        const std::string message = RefusalOf(bmp.File());
        EXPECT_NE(message.find(c.Fault), std::string::npos) << message;
    }
}

// --- damaged data --------------------------------------------------------------------------

TEST(BmpDamage, EveryCutOfAFileIsRefusedOrReadNeverOverrun) {
    // Files and DIBs cut at every length through the headers and tables, then at every
    // 61st: a file's size field catches each cut; a DIB cut inside its runs reads what is
    // there. Neither may read past the bytes given (ASan).
    for (const char* name : {"g/pal4rle", "g/pal8os2", "g/rgb16-565", "q/rgba32h56"}) {
        const Bytes whole = ReadBytes(kFixtures / "bmpsuite" / (std::string(name) + ".bmp"));
        for (std::size_t n = 0; n < whole.size(); n += n < 1200 ? 1 : 61) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_FALSE(RefusalOf(cut).empty()) << name << " cut to " << n << " bytes";
            if (n < 14) continue;
            try {
                BmpCodec::DecodeDib(cut.data() + 14, n - 14);
            } catch (const EInvalidGraphic&) {
            }
        }
    }
}

TEST(BmpDamage, MessagesNameTheFault) {
    EXPECT_EQ(RefusalOf({}),
              "offset 0: a bitmap file starts with a 14-byte file header, but "
              "there are 0 bytes");
    EXPECT_EQ(RefusalOf(Bytes{0x89, 'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              "offset 0: expected \"BM\" at the start of a bitmap file, found 0x89 0x50");
    TBmpBuilder bmp;
    bmp.Pixels = {0, 0, 0, 0, 0, 0, 0, 0};
    Bytes bytes = bmp.File();
    bytes[14] = 200;
    EXPECT_EQ(RefusalOf(bytes),
              "offset 14: header size 200 is not a known bitmap header size "
              "(12, 16, 40, 52, 56, 64, 108 or 124)");
    bmp.PixelOffset = 30;
    EXPECT_EQ(RefusalOf(bmp.File()),
              "offset 10: pixel data offset 30 points into the bitmap header, which ends at "
              "offset 54");
    bmp.PixelOffset = -1;
    bmp.Pixels.resize(5);
    EXPECT_EQ(RefusalOf(bmp.File()),
              "offset 70: expected the 2 rows of pixels (8 bytes), but the data end at offset 75");
}

TEST(BmpDamage, RegressionInputsNeverCrash) {
    // Inputs that once broke the reader, found by fuzzing; each must now read or be refused.
    const fs::path folder = kFixtures / "bmp-regressions";
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".md") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const Bytes bytes = ReadBytes(entry.path());
        for (auto decode : {BmpCodec::DecodeFile, BmpCodec::DecodeDib}) {
            try {
                decode(bytes.data(), bytes.size());
            } catch (const EInvalidGraphic& e) {
                EXPECT_EQ(std::string(e.what()).rfind("offset ", 0), 0u) << e.what();
            }
        }
    }
}

// --- writing -------------------------------------------------------------------------------

TBitmapImage RandomImage(int bits, int width, int height, unsigned salt) {
    std::mt19937 random(salt);
    TBitmapImage image(width, height);
    image.BitsPerPixel = bits;
    if (bits <= 8) {
        const int entries = (1 << bits) - (bits == 8 ? 7 : 0);  // 8 bits: a short table
        for (int i = 0; i < entries; ++i) image.Palette.push_back(random() & 0xFFFFFF);
        // Entries must differ for indexes to survive the trip.
        std::sort(image.Palette.begin(), image.Palette.end());
        image.Palette.erase(std::unique(image.Palette.begin(), image.Palette.end()),
                            image.Palette.end());
    }
    for (TPixel& p : image.Pixels.Pixels()) {
        if (bits <= 8)
            p = PixelFromColorRef(image.Palette[random() % image.Palette.size()]);
        else
            p = random() & (bits == 32 && salt % 2 ? 0xFFFFFFFF : 0x00FFFFFF);
    }
    return image;
}

TEST(BmpWrite, EveryDepthRoundTrips) {
    unsigned salt = 1;
    for (int bits : {1, 4, 8, 24, 32, 32}) {
        for (int width : {1, 7, 13, 33}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, width " + std::to_string(width));
            const TBitmapImage image = RandomImage(bits, width, 5, salt++);
            const Bytes bytes = BmpCodec::EncodeFile(image);
            EXPECT_EQ(BmpCodec::DecodeFile(bytes.data(), bytes.size()), image);
            EXPECT_EQ(bytes[28], bits);
        }
    }
}

TEST(BmpWrite, SuiteImagesRoundTripInTheirOwnDepth) {
    for (const char* folder : {"g", "q"}) {
        for (const std::string& name : SuiteFiles(folder)) {
            if (!fs::exists(kFixtures / "bmp" / folder / (name + ".png"))) continue;
            SCOPED_TRACE(std::string(folder) + "/" + name);
            const Bytes bytes = ReadBytes(kFixtures / "bmpsuite" / folder / (name + ".bmp"));
            const TBitmapImage image = BmpCodec::DecodeFile(bytes.data(), bytes.size());
            const Bytes written = BmpCodec::EncodeFile(image);
            EXPECT_EQ(BmpCodec::DecodeFile(written.data(), written.size()), image);
        }
    }
}

TEST(BmpWrite, AlphaGoesIntoAVersion4HeaderWithMasks) {
    TBitmapImage image(2, 1);
    image.Pixels.Set(0, 0, 0x80FF0000);
    const Bytes bytes = BmpCodec::EncodeFile(image);
    EXPECT_EQ(bytes[14], 108);
    EXPECT_EQ(bytes[30], 3);  // bit fields
    EXPECT_EQ(BmpCodec::DecodeFile(bytes.data(), bytes.size()), image);
    image.Pixels.Set(0, 0, 0x00FF0000);
    EXPECT_EQ(BmpCodec::EncodeFile(image)[14], 40);
}

TEST(BmpWrite, ColoursMissingFromTheTableTakeTheNearestEntry) {
    TBitmapImage image(3, 1);
    image.BitsPerPixel = 1;
    image.Palette = {0x000000, 0xFFFFFF};
    image.Pixels.Set(0, 0, 0x202020);
    image.Pixels.Set(1, 0, 0xE0E0E0);
    image.Pixels.Set(2, 0, 0xFFFFFF);
    const Bytes bytes = BmpCodec::EncodeFile(image);
    EXPECT_EQ(bytes[62], 0b01100000);
}

TEST(BmpWrite, EmptyImagesAreRefused) {
    EXPECT_THROW(BmpCodec::EncodeFile(TBitmapImage(0, 3)), EInvalidGraphic);
}

// A glyph as the package stores it: a packed 4-bit DIB with the 16-colour palette.
TEST(BmpGlyph, FourBitDibReadsAndWritesBackTheSamePixelBytes) {
    const char* rows[] = {
        "7777888877777", "7780000008777", "7808FFFFF0877", "708FF888FF877", "80FF00000FF8F",
        "80F8000008F8F", "80F8000008F8F", "80F8000008F8F", "70FF00000FF8F", "780FF888FF8F7",
        "7788FFFFF87F7", "777788888FF77", "7777FFFFF7777",
    };
    const std::uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                   0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                   0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};  // RGB
    Bytes dib = {40, 0, 0, 0, 13, 0, 0, 0, 13, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0, 104, 0, 0, 0};
    dib.resize(40, 0);
    for (std::uint32_t rgb : vga)
        for (int shift : {0, 8, 16, 24}) dib.push_back(static_cast<std::uint8_t>(rgb >> shift));
    Bytes pixels;
    for (int r = 12; r >= 0; --r) {
        const std::string row = std::string(rows[r]) + "0";
        for (std::size_t x = 0; x < 14; x += 2)
            pixels.push_back(static_cast<std::uint8_t>(std::stoi(row.substr(x, 2), nullptr, 16)));
        pixels.push_back(0);
    }
    ASSERT_EQ(pixels.size(), 104u);
    dib.insert(dib.end(), pixels.begin(), pixels.end());

    const TBitmapImage glyph = BmpCodec::DecodeDib(dib.data(), dib.size());
    EXPECT_EQ(glyph.BitsPerPixel, 4);
    EXPECT_EQ(glyph.Pixels.At(4, 0), 0x808080u);
    EXPECT_EQ(glyph.Pixels.At(6, 6), 0x000000u);
    EXPECT_EQ(glyph.Pixels.At(0, 0), 0xC0C0C0u);

    const Bytes file = BmpCodec::EncodeFile(glyph);
    ASSERT_EQ(file.size(), 14u + dib.size());
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + 14));

    // As a bitmap resource of a module, through LoadBitmapA; a damaged resource loads nothing.
    Bytes damaged = dib;
    damaged[14] = 3;  // 3 bits per pixel
    TModuleRecordImpl module;
    module.Resources = {{RT_BITMAP, "QELRADON", kLangEnglishUS, dib.data(), dib.size()},
                        {RT_BITMAP, "DAMAGED", kLangEnglishUS, damaged.data(), damaged.size()}};
    TBitmap bitmap;
    bitmap.SetHandle(LoadBitmapA(&module, "QELRADON"));
    ASSERT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.Image(), glyph);
    EXPECT_EQ(LoadBitmapA(&module, "DAMAGED"), nullptr);
}

}  // namespace
