#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/FrameWriter.h"
#include "io/PngWriter.h"
#include "panels/TScrollingArea.h"
#include "support/GifReading.h"
#include "support/TestSupport.h"

namespace {

std::string OutputDir() {
    const auto dir = std::filesystem::path(QM_BINARY_DIR) / "test-output" / "frames";
    std::filesystem::create_directories(dir);
    return dir.string();
}

// A form with one marquee, and a copy of every frame the writer renders.
struct TMarqueeFrames : ::testing::Test {
    TTestForm Form{120, 30};
    std::vector<TSurface> Seen;
    Qelpanel::TScrollingArea* Marquee = nullptr;

    void SetUp() override {
        Marquee = new Qelpanel::TScrollingArea(Form.Form.get());
        Marquee->SetCaption("Frames");
        Form.Add(Marquee, TRect{0, 6, 120, 24});
    }
    std::vector<std::string> Write(int frames, int interval, const std::string& output) {
        FrameWriter::TFrameOptions options{frames, interval, output};
        return FrameWriter::Write(*Form.Host, options,
                                  [&](int, int) { Seen.push_back(Form.Host->Surface()); });
    }
};

}  // namespace

TEST(FrameNames, NumberTheFramesAfterTheOutput) {
    EXPECT_EQ(FrameWriter::FramePath("run.png", 0, 10), "run-000.png");
    EXPECT_EQ(FrameWriter::FramePath("out/RUN.PNG", 12, 13), "out/RUN-012.png");
    EXPECT_EQ(FrameWriter::FramePath("run", 7, 1500), "run-0007.png");
    EXPECT_TRUE(FrameWriter::WritesGif("a.GIF"));
    EXPECT_FALSE(FrameWriter::WritesGif("gif.png"));
}

TEST_F(TMarqueeFrames, NumberedPngsShowTheMarqueeMoving) {
    const std::string out = OutputDir() + "/marquee.png";
    const std::vector<std::string> files = Write(3, 500, out);
    ASSERT_EQ(files, (std::vector<std::string>{OutputDir() + "/marquee-000.png",
                                               OutputDir() + "/marquee-001.png",
                                               OutputDir() + "/marquee-002.png"}));
    ASSERT_EQ(Seen.size(), 3u);
    for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(PngWriter::Read(files[i]), Seen[i]);
    // The caption starts beyond the right edge and has come in by 10 pixels a frame.
    EXPECT_EQ(Marquee->TextOffset(), 120 + Marquee->TextWidth() - 20);
    EXPECT_NE(Seen[1], Seen[2]);
}

TEST_F(TMarqueeFrames, AGifHoldsEveryFrameWithItsTime) {
    const std::string out = OutputDir() + "/marquee.gif";
    EXPECT_EQ(Write(40, 35, out), std::vector<std::string>{out});
    const TDecodedGif gif = ReadGif(out);
    ASSERT_EQ(Seen.size(), 40u);
    // The first frame shows the empty strip until the caption comes in; frames that change
    // nothing lengthen the one before.
    int shown = 0, total = 0;
    for (std::size_t i = 0; i < gif.Frames.size(); ++i) {
        total += gif.Delays[i];
        while (shown < 40 && Seen[static_cast<std::size_t>(shown)] == gif.Frames[i]) ++shown;
    }
    EXPECT_EQ(shown, 40);
    EXPECT_EQ(total, 140);  // 40 frames of 35 ms, in hundredths of a second
}

TEST_F(TMarqueeFrames, BadOptionsAndPathsAreReported) {
    EXPECT_THROW(Write(0, 100, OutputDir() + "/x.png"), std::invalid_argument);
    EXPECT_THROW(Write(2, 0, OutputDir() + "/x.png"), std::invalid_argument);
    EXPECT_THROW(Write(2, 100, ""), std::invalid_argument);
    EXPECT_THROW(Write(2, 100, OutputDir() + "/missing/x.png"), std::runtime_error);
    EXPECT_THROW(Write(2, 100, OutputDir() + "/missing/x.gif"), std::runtime_error);
}
