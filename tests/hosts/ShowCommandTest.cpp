// The show command and demo --show: what they put in the window, and what they say without a
// display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/Commands.h"
#include "app/Gallery.h"
#include "hosts/OffscreenWindows.h"
#include "hosts/THeadlessHost.h"
#include "io/PngWriter.h"
#include "loop/TMessageLoop.h"
#include "package/Quillmereall.h"
#include "streaming/FormFiles.h"
#include "support/ToolRun.h"

namespace {

namespace fs = std::filesystem;

const char* const kForm = R"(object Form1: TForm1
  Caption = 'Shown'
  ClientHeight = 70
  ClientWidth = 160
  object Panel: TQELGradient
    Left = 0
    Top = 0
    Width = 80
    Height = 70
    Align = alClient
    Caption = 'Hello'
    GradientType = gtConical
  end
  object Steps: TOrderedListBox
    Left = 90
    Top = 4
    Width = 60
    Height = 60
    Align = alRight
    Items.Strings = (
      'One'
      'Two')
  end
end
)";

class ShowCommand : public ::testing::Test {
protected:
    void SetUp() override {
        UseOffscreenWindows();
        FDir = fs::temp_directory_path() /
               ("qm-show-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FDir);
        fs::create_directories(FDir);
        std::ofstream(Path("form.txt"), std::ios::binary) << kForm;
    }
    void TearDown() override {
        fs::remove_all(FDir);
        UseOffscreenWindows();
    }
    std::string Path(const std::string& name) const { return (FDir / name).string(); }
    // Runs the tool, keeping what it wrote for Output().
    int Run(const std::string& environment, const std::string& arguments) {
        FLastRun = RunTool(std::string(QM_BINARY_DIR) + "/app/quillmere", arguments, environment);
        return FLastRun.Status;
    }
    const std::string& Output() const { return FLastRun.Output; }

    fs::path FDir;
    TToolRun FLastRun;
};

TEST_F(ShowCommand, TheWindowShowsWhatRenderWrites) {
    Commands::TShowOptions options;
    options.Input = Path("form.txt");
    options.Window.Screenshot = Path("window.png");
    ASSERT_EQ(Commands::Show(options), 0);

    Quillmereall::RegisterUnits();
    auto form = FormFiles::LoadForm(options.Input);
    THeadlessHost host(form.get());
    EXPECT_EQ(PngWriter::Read(options.Window.Screenshot), host.Render());
}

TEST_F(ShowCommand, TheGalleryWindowStartsAsTheDemoPicture) {
    Commands::TWindowOptions options;
    options.Screenshot = Path("gallery-window.png");
    ASSERT_EQ(Commands::ShowGallery(options), 0);
    EXPECT_TRUE(TMessageLoop::Current().UsesVirtualClock());

    Commands::TDemoOptions demo;
    demo.Output = Path("gallery.png");
    ASSERT_EQ(Commands::Demo(demo), 0);
    EXPECT_EQ(PngWriter::Read(options.Screenshot), PngWriter::Read(demo.Output));
}

TEST_F(ShowCommand, AScreenshotAfterAWhileIsTakenOnTheRealClock) {
    Commands::TShowOptions options;
    options.Input = Path("form.txt");
    options.Window.Screenshot = Path("later.png");
    options.Window.AfterMs = 120;
    options.Window.Scale = 2;
    ASSERT_EQ(Commands::Show(options), 0);
    const TSurface shot = PngWriter::Read(options.Window.Screenshot);
    EXPECT_EQ(shot.Width(), 320);
    EXPECT_EQ(shot.Height(), 140);
}

TEST_F(ShowCommand, WithoutADisplayItSaysSoAndFails) {
    EXPECT_EQ(Run("SDL_VIDEODRIVER=nonexistent-driver", "show " + Path("form.txt")), 1);
    EXPECT_NE(Output().find("quillmere show: no display: "), std::string::npos) << Output();
    EXPECT_EQ(Run("SDL_VIDEODRIVER=nonexistent-driver", "demo --show"), 1);
    EXPECT_NE(Output().find("quillmere demo: no display: "), std::string::npos) << Output();
}

TEST_F(ShowCommand, WithoutAWindowSystemItDoesNotOpenAWindowNobodySees) {
    // SDL would fall back to its offscreen driver; the command must not run on unseen.
    EXPECT_EQ(
        Run("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER", "show " + Path("form.txt")), 1);
    EXPECT_NE(Output().find("quillmere show: no display: no window system"), std::string::npos)
        << Output();
}

TEST_F(ShowCommand, BadFormsAndBadUsageAreRefusedBeforeAWindowOpens) {
    std::ofstream(Path("bad.txt"), std::ios::binary) << "object F: TForm\n  Left = x\nend\n";
    EXPECT_EQ(Run("", "show " + Path("bad.txt")), 1);
    EXPECT_NE(Output().find("quillmere show: "), std::string::npos) << Output();
    EXPECT_NE(Output().find("line 2"), std::string::npos) << Output();
    EXPECT_EQ(Run("", "show " + Path("missing.txt")), 1);
    std::ofstream(Path("wide.txt"), std::ios::binary)
        << "object F: TForm\n  ClientWidth = 100000\n  ClientHeight = 300\nend\n";
    EXPECT_EQ(Run("", "show " + Path("wide.txt")), 1);
    EXPECT_NE(Output().find("quillmere show: " + Path("wide.txt") +
                            ": the client area of 100000 x 300 pixels is larger"),
              std::string::npos)
        << Output();

    EXPECT_EQ(Run("", "show " + Path("form.txt") + " --scale 0"), 2);
    EXPECT_EQ(Run("", "show " + Path("form.txt") + " --scale 9"), 2);
    EXPECT_EQ(Run("", "show " + Path("form.txt") + " --after 10"), 2)
        << "--after only goes with --screenshot";
    EXPECT_EQ(Run("", "demo --scale 2"), 2) << "--scale only goes with --show";
    EXPECT_EQ(Run("", "demo --show -o x.png"), 2);
    EXPECT_EQ(Run("", "show"), 2);
}

TEST_F(ShowCommand, HelpNamesTheWindowOptions) {
    EXPECT_EQ(Run("", "show --help"), 0);
    for (const char* word : {"--scale", "--screenshot", "--after", "form", "display"})
        EXPECT_NE(Output().find(word), std::string::npos) << word << " in\n" << Output();
    EXPECT_EQ(Run("", "demo --help"), 0);
    EXPECT_NE(Output().find("--show"), std::string::npos) << Output();
}

}  // namespace
