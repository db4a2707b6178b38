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
#include "support/ToolRun.h"

namespace {

namespace fs = std::filesystem;

using TRun = TToolRun;

TRun RunTool(const std::string& arguments) {
    return ::RunTool(QM_TOOL_FILE, arguments);
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
    for (const char* line :
         {"Description  QEL Quillmere 1.5\n", "Version      1.5.0.0\n",
          "Requires     VCLX50, vcl50\n",
          "Contains     QuillmereAll (main unit, package unit), Qelgroup, SysInit, Qellist, "
          "Qelpanel\n",
          "   1  TScrollingArea    Qelpanel  bitmap 24 x 24, 4 bits\n",
          "   9  TOrderedTabSet    Qelgroup  bitmap 24 x 24, 4 bits\n"})
        EXPECT_NE(run.Output.find(line), std::string::npos) << line << run.Output;
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
    EXPECT_EQ(bitmaps, 4 + 9);
    // The palette bitmaps also as pictures, and the records byte for byte as the module has them.
    for (const char* name : {"TSCROLLINGAREA", "TTILEBITMAP", "TQELGRADIENT", "TQELBMPLIST",
                             "TQELRADIOLIST", "TQELCHECKLIST", "TORDEREDGROUPBOX",
                             "TORDEREDLISTBOX", "TORDEREDTABSET"}) {
        const auto bmp = ReadBytes(out / ("BITMAP_" + std::string(name) + ".bmp"));
        ASSERT_FALSE(bmp.empty()) << name;
        const TBitmapImage image = BmpCodec::DecodeFile(bmp.data(), bmp.size());
        EXPECT_EQ(image.Width(), 24) << name;
        EXPECT_EQ(image.Height(), 24) << name;
        const auto png = ReadBytes(out / ("BITMAP_" + std::string(name) + ".png"));
        ASSERT_GE(png.size(), 8u) << name;
        EXPECT_EQ(png[1], 'P') << name;
    }
    const auto description = ReadBytes(out / "RCDATA_DESCRIPTION.bin");
    const std::string text = "QEL Quillmere 1.5";
    ASSERT_EQ(description.size(), ((text.size() + 1) * 2 + 3) / 4 * 4);
    for (std::size_t i = 0; i < text.size(); ++i) EXPECT_EQ(description[2 * i], text[i]);
    EXPECT_EQ(ReadBytes(out / "RCDATA_PACKAGEINFO.bin").size(), 84u);
    const auto icon = ReadBytes(out / "GROUP_ICON_MAINICON.ico");
    ASSERT_GE(icon.size(), 6u + 16u);
    EXPECT_EQ(icon[2], 1);  // an icon file
    EXPECT_EQ(icon[4], 1);  // of one image
    EXPECT_EQ(icon[6], 32);
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
