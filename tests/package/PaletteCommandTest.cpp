// quillmere palette: the tool loads the package as a design environment does and lists it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PackageTestSupport.h"
#include "graphics/BmpCodec.h"

namespace {

namespace fs = std::filesystem;

struct TRun {
    int Status;
    std::string Output;  // standard output and standard error
};

TRun RunTool(const std::string& arguments) {
    const std::string command = std::string(QM_TOOL_FILE) + " " + arguments + " 2>&1";
    TRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        run.Output.append(chunk, n);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(PaletteCommand, ListsTheNineClassesInRegistrationOrder) {
    const TRun run = RunTool("palette");
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_NE(run.Output.find("Palette page \"QEL\", 9 classes:"), std::string::npos) << run.Output;
    std::size_t at = 0;
    for (const char* name :
         {"TScrollingArea", "TTileBitmap", "TQELGradient", "TQELBmpList", "TQELRadioList",
          "TQELCheckList", "TOrderedGroupBox", "TOrderedListBox", "TOrderedTabSet"}) {
        const std::size_t found = run.Output.find(std::string(name) + " ", at);
        ASSERT_NE(found, std::string::npos) << name << " after byte " << at << "\n" << run.Output;
        at = found;
    }
    for (const char* line : {"Package ", "Description ", "Version ", "Requires ", "Contains "})
        EXPECT_NE(run.Output.find(line), std::string::npos) << line;
}

TEST(PaletteCommand, LoadsThePackageItIsGiven) {
    const TRun run = RunTool(std::string("palette ") + QM_PACKAGE_FILE);
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_NE(run.Output.find(QM_PACKAGE_FILE), std::string::npos);
}

TEST(PaletteCommand, WritesEveryResourceAsAFile) {
    TTempDir dir("palette-resources");
    const fs::path out = dir.Path / "res";
    const TRun run = RunTool("palette --resources " + out.string());
    ASSERT_EQ(run.Status, 0) << run.Output;
    int bitmaps = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        const fs::path& p = entry.path();
        const auto bytes = ReadBytes(p);
        EXPECT_FALSE(bytes.empty()) << p;
        if (p.extension() == ".bmp") {
            ++bitmaps;
            EXPECT_EQ(p.filename().string().rfind("BITMAP_", 0), 0u) << p;
            EXPECT_NO_THROW(BmpCodec::DecodeFile(bytes.data(), bytes.size())) << p;
        }
    }
    EXPECT_GE(bitmaps, 4);
    for (const char* glyph : {"QELBMPON", "QELBMPOFF", "QELRADON", "QELRADOFF"}) {
        const auto bytes = ReadBytes(out / ("BITMAP_" + std::string(glyph) + ".bmp"));
        ASSERT_FALSE(bytes.empty()) << glyph;
        const TBitmapImage image = BmpCodec::DecodeFile(bytes.data(), bytes.size());
        const int size = std::string(glyph).find("RAD") != std::string::npos ? 13 : 14;
        EXPECT_EQ(image.Width(), size) << glyph;
        EXPECT_EQ(image.BitsPerPixel, 4) << glyph;
    }
}

TEST(PaletteCommand, RefusesWhatIsNotAPackageWithStatus1) {
    TTempDir dir("palette-errors");
    const std::string missing = (dir.Path / "missing.so").string();
    TRun run = RunTool("palette " + missing);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Output.find("cannot load package " + missing), std::string::npos) << run.Output;
    run = RunTool(std::string("palette ") + QM_LANGUAGE_MODULE_FILE);
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Output.find("is not a package"), std::string::npos) << run.Output;
    const std::string file = (dir.Path / "file").string();
    std::ofstream(file) << "x";
    run = RunTool("palette --resources " + file + "/sub");
    EXPECT_EQ(run.Status, 1) << run.Output;
    EXPECT_EQ(RunTool("palette --help").Status, 0);
}
