#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/TGifEncoder.h"
#include "support/GifReading.h"

namespace {

std::string TempPath(const std::string& name) {
    const auto dir = std::filesystem::path(QM_BINARY_DIR) / "test-output";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

TSurface Square(int x, int y) {
    TSurface s(40, 20, 0x000080);
    for (int j = y; j < y + 5; ++j)
        for (int i = x; i < x + 5; ++i) s.Set(i, j, 0xFF0000);
    return s;
}

}  // namespace

TEST(GifEncoding, FramesComeBackExactlyWithTheirTimes) {
    const std::string path = TempPath("squares.gif");
    {
        TGifEncoder gif(path, 40, 20);
        gif.AddFrame(Square(2, 2), 10);
        gif.AddFrame(Square(10, 8), 10);
        gif.AddFrame(Square(10, 8), 15);  // nothing changed: the frame before lasts longer
        gif.AddFrame(Square(30, 2), 10);
        gif.Close();
        EXPECT_EQ(gif.FramesWritten(), 3);
    }
    const TDecodedGif decoded = ReadGif(path);
    EXPECT_TRUE(decoded.LoopsForever);
    ASSERT_EQ(decoded.Frames.size(), 3u);
    EXPECT_EQ(decoded.Delays, (std::vector<int>{10, 25, 10}));
    EXPECT_EQ(decoded.Frames[0], Square(2, 2));
    EXPECT_EQ(decoded.Frames[1], Square(10, 8));
    EXPECT_EQ(decoded.Frames[2], Square(30, 2));
    // Only the changed rectangle is stored after the first frame.
    EXPECT_EQ(decoded.Areas[1], (TRect{2, 2, 15, 13}));
}

TEST(GifEncoding, ManyColoursAreReducedAndNewOnesKeptExact) {
    TSurface many(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            many.Set(x, y, static_cast<TPixel>((x * 4) << 16 | (y * 4) << 8 | ((x + y) * 2)));
    TSurface next = many;
    for (int x = 0; x < 10; ++x) next.Set(x, 0, 0x123456 + static_cast<TPixel>(x));
    const std::string path = TempPath("many.gif");
    TGifEncoder gif(path, 64, 64);
    gif.AddFrame(many, 5);
    gif.AddFrame(next, 5);
    // A frame in the global table's colours after frames with tables of their own (the
    // library would leak the last of those).
    gif.AddFrame(TSurface(64, 64, 0), 5);
    gif.Close();

    const TDecodedGif decoded = ReadGif(path);
    ASSERT_EQ(decoded.Frames.size(), 3u);
    EXPECT_EQ(decoded.Frames[2].At(63, 63) & 0xFFFFFF, 0u);
    // 4096 colours on a plane in 256 boxes: each box spans about 16 x 16 of them.
    int worst = 0;
    long long sum = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            for (int shift : {0, 8, 16}) {
                const int a = static_cast<int>((decoded.Frames[0].At(x, y) >> shift) & 0xFF);
                const int b = static_cast<int>((many.At(x, y) >> shift) & 0xFF);
                worst = std::max(worst, std::abs(a - b));
                sum += std::abs(a - b);
            }
    EXPECT_LE(worst, 64);
    EXPECT_LE(sum / (64 * 64 * 3), 12);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(decoded.Frames[1].At(x, 0) & 0xFFFFFF, 0x123456u + static_cast<unsigned>(x));
}

TEST(GifEncoding, BadUseIsReportedWithThePath) {
    const std::string missing = TempPath("no-such-dir/x.gif");
    try {
        TGifEncoder gif(missing, 10, 10);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    EXPECT_THROW(TGifEncoder(TempPath("empty.gif"), 0, 10), std::runtime_error);
    EXPECT_THROW(TGifEncoder(TempPath("huge.gif"), 70000, 10), std::runtime_error);
    TGifEncoder gif(TempPath("sizes.gif"), 10, 10);
    EXPECT_THROW(gif.AddFrame(TSurface(11, 10), 10), std::invalid_argument);
}
