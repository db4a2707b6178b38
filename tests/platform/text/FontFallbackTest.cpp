#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "text/TFontInstance.h"
#include "text/TFontResolver.h"

namespace {

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

TLogFont Named(const std::string& name, bool bold = false, bool italic = false) {
    TLogFont lf;
    lf.Name = name;
    lf.Bold = bold;
    lf.Italic = italic;
    return lf;
}

}  // namespace

TEST(FontFallback, WindowsFamiliesResolveToTheirMetricCompatibleFaces) {
    struct TCase {
        const char* Name;
        bool Bold, Italic;
        const char* File;
    } const cases[] = {
        {"MS Sans Serif", false, false, "LiberationSans-Regular.ttf"},
        {"Arial", true, false, "LiberationSans-Bold.ttf"},
        {"arial", false, true, "LiberationSans-Italic.ttf"},
        {"Times New Roman", true, true, "LiberationSerif-BoldItalic.ttf"},
        {"Courier New", false, false, "LiberationMono-Regular.ttf"},
        {"Liberation Serif", false, false, "LiberationSerif-Regular.ttf"},
    };
    for (const TCase& c : cases) {
        const TResolvedFace face = TFontResolver::Resolve(c.Name, c.Bold, c.Italic);
        EXPECT_EQ(FileName(face.FilePath), c.File) << c.Name;
    }
}

TEST(FontFallback, AFamilyThatIsNotInstalledGetsTheDefaultFaceForItsPitch) {
    EXPECT_EQ(FileName(TFontResolver::Resolve("No Such Family", false, false).FilePath),
              "LiberationSans-Regular.ttf");
    EXPECT_EQ(FileName(TFontResolver::Resolve("No Such Family", true, false).FilePath),
              "LiberationSans-Bold.ttf");
    EXPECT_EQ(FileName(TFontResolver::Resolve("No Such Family", false, false, true).FilePath),
              "LiberationMono-Regular.ttf");
}

TEST(FontFallback, OddNamesStillDrawText) {
    const std::string names[] = {"",
                                 " ",
                                 "No Such Family",
                                 std::string(300, 'x'),
                                 std::string("Bad\xFF\xFEName"),
                                 "Arial\tBold",
                                 "../../etc"};
    for (const std::string& name : names) {
        auto font = TFontInstance::Get(Named(name));
        EXPECT_FALSE(font->FilePath().empty()) << "\"" << name << "\"";
        EXPECT_GT(font->Metrics().tmHeight, 0);
        EXPECT_GT(font->TextWidth("Abc", 3), 0);
        EXPECT_GT(font->Glyph('A').Width, 0);
    }
}

TEST(FontFallback, ExtremeHeightsNeverExhaustMemory) {
    for (int height : {0, 1, -1, 100000, -100000, 2147483647, -2147483647 - 1, -4000}) {
        TLogFont lf;
        lf.Height = height;
        auto font = TFontInstance::Get(lf);
        EXPECT_GT(font->Metrics().tmHeight, 0) << height;
        const TGlyph& g = font->Glyph('W');
        EXPECT_LE(static_cast<long long>(g.Width) * g.Height, 4096LL * 4096LL) << height;
    }
}

TEST(FontFallback, FontsNobodyHoldsAreLetGoAndHeldOnesKept) {
    TLogFont heldFont, droppedFont;
    heldFont.Height = -13;
    droppedFont.Height = -14;
    const auto held = TFontInstance::Get(heldFont);
    const std::weak_ptr<const TFontInstance> dropped = TFontInstance::Get(droppedFont);
    // A form may ask for any number of sizes; the cache must not keep them all.
    for (int h = 100; h < 400; ++h) {
        TLogFont lf;
        lf.Height = -h;
        TFontInstance::Get(lf);
    }
    EXPECT_TRUE(dropped.expired());
    EXPECT_EQ(TFontInstance::Get(heldFont), held);
}
