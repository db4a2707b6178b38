// PNG files of surfaces: every pixel comes back as it was, in a palette of as few bits a pixel
// as the colours need where they fit one.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "io/PngWriter.h"

namespace {

struct TColourCase {
    int Colours;
    int BitDepth;  // 0: full colour
    int Width;     // odd widths leave part of a byte at the end of packed rows
};

class PngColours : public ::testing::TestWithParam<TColourCase> {};

}  // namespace

TEST_P(PngColours, ComeBackExactlyInTheSmallestFormat) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows build writes PNG files through stb, which writes no palettes";
#endif
    const TColourCase c = GetParam();
    std::mt19937 random(static_cast<unsigned>(c.Colours));
    std::vector<TPixel> colours;
    for (int i = 0; i < c.Colours; ++i) colours.push_back(random() & 0x00FFFFFF);
    TSurface surface(c.Width, 23);
    // Runs of one colour, as controls paint them, and every colour at least once; the unused
    // top byte of a pixel is not part of its colour.
    std::size_t i = 0;
    for (TPixel& p : surface.Pixels()) {
        const std::size_t k = i < colours.size() ? i
                              : random() % 7     ? (i - 1) % colours.size()
                                                 : random() % colours.size();
        p = colours[k] | (random() % 2 ? 0xFF000000u : 0);
        ++i;
    }
    const std::vector<std::uint8_t> png = PngWriter::Encode(surface);
    // The header: bit depth at byte 24, colour type (3: palette, 2: RGB) at 25.
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[24], c.BitDepth ? c.BitDepth : 8);
    EXPECT_EQ(png[25], c.BitDepth ? 3 : 2);

    const auto path = std::filesystem::temp_directory_path() /
                      ("qm-png-" + std::to_string(c.Colours) + "-" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".png");
    PngWriter::Write(surface, path.string());
    const TSurface back = PngWriter::Read(path.string());
    std::filesystem::remove(path);
    for (TPixel& p : surface.Pixels()) p &= 0x00FFFFFF;
    EXPECT_TRUE(back == surface);
}

INSTANTIATE_TEST_SUITE_P(Counts, PngColours,
                         ::testing::Values(TColourCase{1, 1, 13}, TColourCase{2, 1, 9},
                                           TColourCase{3, 2, 7}, TColourCase{4, 2, 5},
                                           TColourCase{5, 4, 3}, TColourCase{16, 4, 31},
                                           TColourCase{17, 8, 40}, TColourCase{256, 8, 61},
                                           TColourCase{257, 0, 61}, TColourCase{3000, 0, 200}));

TEST(PngEmptySurfaces, AreWrittenAsOneBlackPixelAndTheLibrarySaysNothing) {
    for (const TSurface& empty : {TSurface(), TSurface(5, 0), TSurface(0, 7)}) {
        const auto path =
            std::filesystem::temp_directory_path() /
            ("qm-png-empty-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ".png");
        ::testing::internal::CaptureStderr();
        PngWriter::Write(empty, path.string());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        const TSurface back = PngWriter::Read(path.string());
        std::filesystem::remove(path);
        EXPECT_TRUE(back == TSurface(1, 1));
    }
}
