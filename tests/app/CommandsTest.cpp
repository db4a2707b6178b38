// The render, convert and demo commands: what they write, what they say, and their exit
// statuses (0 done, 1 bad input, 2 bad usage).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/Commands.h"
#include "controls/TForm.h"
#include "graphics/TBitmap.h"
#include "io/PngWriter.h"
#include "streaming/FormFiles.h"
#include "support/ToolRun.h"

namespace {

namespace fs = std::filesystem;

class CliCommands : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() /
               ("qm-commands-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    void TearDown() override { fs::remove_all(FDir); }

    std::string Path(const std::string& name) const { return (FDir / name).string(); }
    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(Path(name), std::ios::binary) << content;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    // Runs the tool itself, for what only its command line decides.
    static int Run(const std::string& arguments) { return RunTool(QM_TOOL_FILE, arguments).Status; }

    fs::path FDir;
};

const char* const kForm = R"(object Form1: TForm1
  Caption = 'Two panels'
  ClientHeight = 60
  ClientWidth = 150
  object Left: TQELGradient
    Left = 0
    Top = 0
    Width = 75
    Height = 60
    Align = alLeft
    ColorStart = clRed
  end
  object Right: TQELGradient
    Left = 75
    Top = 0
    Width = 75
    Height = 60
    Align = alClient
    GradientType = gtConical
  end
end
)";

}  // namespace

TEST_F(CliCommands, RenderWritesTheClientAreaFromTextOrBinary) {
    Write("form.txt", kForm);
    ASSERT_EQ(Commands::Render({Path("form.txt"), Path("text.png")}), 0);
    const TSurface fromText = PngWriter::Read(Path("text.png"));
    EXPECT_EQ(fromText.Width(), 150);
    EXPECT_EQ(fromText.Height(), 60);
    // The left panel starts red at its left edge.
    EXPECT_EQ(fromText.At(0, 30) & 0xFFFFFF, 0xFF0000u);

    ASSERT_EQ(Commands::Convert({Path("form.txt"), Path("form.bin"), false}), 0);
    ASSERT_EQ(Commands::Render({Path("form.bin"), Path("binary.png")}), 0);
    EXPECT_EQ(Read("binary.png"), Read("text.png"));
}

TEST_F(CliCommands, ConvertGoesBothWaysWithoutLoss) {
    Write("form.txt", kForm);
    ASSERT_EQ(Commands::Convert({Path("form.txt"), Path("form.bin"), false}), 0);
    EXPECT_EQ(Read("form.bin").substr(0, 4), "TPF0");
    ASSERT_EQ(Commands::Convert({Path("form.bin"), Path("back.txt"), false}), 0);
    std::string crlf;
    for (char c : std::string(kForm)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(Read("back.txt"), crlf);

    ASSERT_EQ(Commands::Convert({Path("form.txt"), Path("form.res"), true}), 0);
    ASSERT_EQ(Commands::Convert({Path("form.res"), Path("res.txt"), false}), 0);
    EXPECT_EQ(Read("res.txt"), crlf);
}

TEST_F(CliCommands, DemoWritesTheGalleryAsAFormFileThatRendersAgain) {
    ASSERT_EQ(Commands::Demo({Path("gallery.png"), Path("gallery.txt")}), 0);
    EXPECT_EQ(Read("gallery.txt").substr(0, 24), "object Gallery: TForm\r\n ");
    TBitmap probe;
    probe.SetSize(1, 1);
    if (probe.SaveToBytes().empty()) GTEST_SKIP() << "bitmaps cannot be written yet";

    ASSERT_EQ(Commands::Render({Path("gallery.txt"), Path("again.png")}), 0);
    const TSurface demo = PngWriter::Read(Path("gallery.png"));
    const TSurface again = PngWriter::Read(Path("again.png"));
    ASSERT_EQ(again.Width(), demo.Width());
    ASSERT_EQ(again.Height(), demo.Height());
    // The panels band has nothing that a form file leaves out but the marquee's place in its
    // scrolling (the demo runs it; a form read starts it anew), so it comes out the same.
    constexpr int kMarqueeTop = 106, kMarqueeBottom = 124;
    for (int y = 0; y < 180; ++y) {
        if (y >= kMarqueeTop && y < kMarqueeBottom) continue;
        for (int x = 0; x < demo.Width(); ++x)
            ASSERT_EQ(again.At(x, y) & 0xFFFFFF, demo.At(x, y) & 0xFFFFFF) << x << ", " << y;
    }
    // The form read from the file writes the same file again.
    ASSERT_EQ(Commands::Convert({Path("gallery.txt"), Path("gallery.bin"), false}), 0);
    ASSERT_EQ(Commands::Convert({Path("gallery.bin"), Path("back.txt"), false}), 0);
    EXPECT_EQ(Read("back.txt"), Read("gallery.txt"));
    EXPECT_EQ(FormFiles::WriteText(*FormFiles::LoadForm(Path("gallery.txt"))), Read("gallery.txt"));
}

TEST_F(CliCommands, BadInputIsReportedOnStandardErrorWithStatus1) {
    Write("bad.txt", "object F: TForm\n  Colour = clRed\nend\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Commands::Render({Path("bad.txt"), Path("out.png")}), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "quillmere render: " + Path("bad.txt") +
                  ": line 2, column 3: TForm has no property Colour\n");
    EXPECT_FALSE(fs::exists(Path("out.png")));

    Write("bad.bin", std::string("TPF0\x05TForm\x01"
                                 "F\x00\x00\x01",
                                 15));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Commands::Convert({Path("bad.bin"), Path("out.txt"), false}), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "quillmere convert: " + Path("bad.bin") +
                  ": offset 14: unexpected data after the end of the form\n");
    EXPECT_FALSE(fs::exists(Path("out.txt")));

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Commands::Render({Path("missing.txt"), Path("out.png")}), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "quillmere render: " + Path("missing.txt") + ": cannot open the file\n");
}

TEST_F(CliCommands, RenderRefusesAClientAreaItCannotShowAndSaysWhy) {
    struct {
        int Width, Height;
        std::string Says;
    } const cases[] = {
        {100000, 300,
         "the client area of 100000 x 300 pixels is larger than a window may be (at most 32768 "
         "pixels a side and 67108864 pixels in all)"},
        // The form's width saturates; its border still takes 8 pixels of it.
        {2147483647, 2,
         "the client area of 2147483639 x 2 pixels is larger than a window may be (at most "
         "32768 pixels a side and 67108864 pixels in all)"},
        // Without a message of the PNG library's.
        {0, 300, "the client area of 0 x 300 pixels is empty; there is nothing to render"},
    };
    for (const auto& c : cases) {
        Write("big.txt", "object F: TForm\n  ClientWidth = " + std::to_string(c.Width) +
                             "\n  ClientHeight = " + std::to_string(c.Height) + "\nend\n");
        const TToolRun run =
            RunTool(QM_TOOL_FILE, "render " + Path("big.txt") + " -o " + Path("big.png"));
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Output, "quillmere render: " + Path("big.txt") + ": " + c.Says + "\n");
        EXPECT_FALSE(fs::exists(Path("big.png")));
    }
}

TEST_F(CliCommands, ConvertWritesTheOutputOnlyWhenItIsComplete) {
    Write("out.txt", "kept");
    Write("bad.bin", std::string("TPF0\x05TForm\x01"
                                 "F\x00\x00\x01",
                                 15));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Commands::Convert({Path("bad.bin"), Path("out.txt"), false}), 1);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Read("out.txt"), "kept");
    // Nothing half-written is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 2);
}

TEST_F(CliCommands, CommandsThatOpenNoWindowLoadNoWindowSystem) {
#ifdef _WIN32
    GTEST_SKIP() << "the system's windows are user32's, which every program loads";
#endif
    // The dynamic loader names each library it loads.
    const TToolRun run = RunTool(std::string(QM_BINARY_DIR) + "/app/quillmere",
                                 "demo -o " + Path("gallery.png"), "LD_DEBUG=libs");
    EXPECT_EQ(run.Status, 0) << run.Output;
    EXPECT_NE(run.Output.find("libQmVcl"), std::string::npos) << run.Output;
    EXPECT_EQ(run.Output.find("libQmSdlHost"), std::string::npos);
    EXPECT_EQ(run.Output.find("libSDL2"), std::string::npos);
}

TEST_F(CliCommands, BadUsageExitsWith2) {
    Write("form.txt", kForm);
    EXPECT_EQ(Run("render " + Path("form.txt")), 2);   // no -o
    EXPECT_EQ(Run("convert " + Path("form.txt")), 2);  // no output
    EXPECT_EQ(Run("render --no-such-option"), 2);
    EXPECT_EQ(Run(""), 2);
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_EQ(Run("render " + Path("form.txt") + " -o " + Path("x.png")), 0);
}

namespace {
const char* const kMarqueeForm = R"(object Form1: TForm1
  ClientHeight = 18
  ClientWidth = 80
  object Marquee: TScrollingArea
    Left = 0
    Top = 0
    Width = 80
    Height = 18
    Caption = 'Moving'
    ScrollStep = 2
    Enabled = True
    Interval = 100
  end
end
)";
}  // namespace

TEST_F(CliCommands, RenderWritesTheFramesOfARunningForm) {
    Write("m.txt", kMarqueeForm);
    Commands::TRenderOptions options{Path("m.txt"), Path("run.png"), 3, 100};
    ASSERT_EQ(Commands::Render(options), 0);
    const TSurface first = PngWriter::Read(Path("run-000.png"));
    const TSurface third = PngWriter::Read(Path("run-002.png"));
    EXPECT_EQ(first.Width(), 80);
    EXPECT_NE(first, third);  // the caption moved on between the frames

    options.Output = Path("run.gif");
    ASSERT_EQ(Commands::Render(options), 0);
    EXPECT_EQ(Read("run.gif").substr(0, 6), "GIF89a");
    EXPECT_EQ(Run("render " + Path("m.txt") + " --frames 0 -o " + Path("x.png")), 2);
}

TEST_F(CliCommands, RenderDesigningDrawsTheDesignTimeOutline) {
    Write("m.txt", kMarqueeForm);
    Commands::TRenderOptions options{Path("m.txt"), Path("run.png")};
    ASSERT_EQ(Commands::Render(options), 0);
    const TSurface running = PngWriter::Read(Path("run.png"));
    options.Designing = true;
    ASSERT_EQ(Commands::Render(options), 0);
    const TSurface designing = PngWriter::Read(Path("run.png"));
    EXPECT_EQ(running.At(0, 0) & 0xFFFFFF, 0xC0C0C0u);    // the strip's colour
    EXPECT_EQ(designing.At(0, 0) & 0xFFFFFF, 0x000000u);  // the dashed outline starts there
}
