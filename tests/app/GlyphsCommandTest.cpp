#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/Commands.h"
#include "package/GlyphResources.h"

TEST(GlyphsCommand, WritesEachResourceAsABmpFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(QM_BINARY_DIR) / "glyphs-command-test";
    fs::remove_all(dir);
    ASSERT_EQ(Commands::Glyphs({dir.string()}), 0);
    for (const TResourceEntry& r : Quillmereall::GlyphResources()) {
        std::ifstream in(dir / (r.Name + ".bmp"), std::ios::binary);
        ASSERT_TRUE(in) << r.Name;
        const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                               std::istreambuf_iterator<char>());
        ASSERT_EQ(bytes.size(), 14 + r.Size) << r.Name;
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        auto field = [&](std::size_t at) {
            return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (bytes[at + 3] << 24);
        };
        EXPECT_EQ(field(2), static_cast<int>(bytes.size()));
        EXPECT_EQ(field(6), 0);
        EXPECT_EQ(field(10), 14 + 40 + 64);  // the pixels follow the 16-colour table
        EXPECT_EQ(std::memcmp(bytes.data() + 14, r.Data, r.Size), 0) << r.Name;
    }
    fs::remove_all(dir);
}

TEST(GlyphsCommand, ReportsAFolderItCannotMake) {
    namespace fs = std::filesystem;
    const fs::path file = fs::path(QM_BINARY_DIR) / "glyphs-command-file";
    std::ofstream(file) << "x";
    EXPECT_EQ(Commands::Glyphs({(file / "sub").string()}), 1);
    fs::remove(file);
}
