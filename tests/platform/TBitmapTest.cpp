// TBitmap: copying, empty bitmaps, and reading and writing files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/BmpCodec.h"
#include "graphics/TBitmap.h"
#include "graphics/TCanvas.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(QM_SOURCE_DIR) / "tests" / "fixtures" / "bmpsuite";

fs::path ScratchFile(const std::string& name) {
    const fs::path dir = fs::path(QM_BINARY_DIR) / "test-scratch";
    fs::create_directories(dir);
    return dir / name;
}

TEST(BitmapAssign, CopiesPixelsAndFormatIndependently) {
    TBitmap source, copy;
    source.LoadFromFile((kSuite / "g" / "pal4.bmp").string());
    copy.Assign(&source);
    ASSERT_NE(copy.Handle(), source.Handle());
    EXPECT_EQ(copy.Image(), source.Image());
    EXPECT_EQ(copy.Image().BitsPerPixel, 4);
    copy.Canvas()->SetPixel(0, 0, 0x563412);
    EXPECT_EQ(copy.Image().Pixels.At(0, 0) & 0xFFFFFF, 0x123456u);
    EXPECT_NE(source.Image().Pixels.At(0, 0) & 0xFFFFFF, 0x123456u);
}

TEST(BitmapAssign, OntoItselfLeavesItUnchanged) {
    TBitmap bitmap;
    bitmap.LoadFromFile((kSuite / "g" / "rgb24.bmp").string());
    const TBitmapImage before = bitmap.Image();
    const HBITMAP handle = bitmap.Handle();
    bitmap.Assign(&bitmap);
    EXPECT_EQ(bitmap.Handle(), handle);
    EXPECT_EQ(bitmap.Image(), before);
}

TEST(BitmapAssign, NullOrAnEmptyBitmapEmptiesIt) {
    TBitmap bitmap, empty;
    bitmap.SetSize(3, 2);
    bitmap.Assign(nullptr);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    bitmap.SetSize(3, 2);
    bitmap.Assign(&empty);
    EXPECT_EQ(bitmap.Handle(), nullptr);
}

TEST(BitmapFiles, SaveAndLoadKeepPixelsAndFormat) {
    TBitmap original, loaded;
    original.LoadFromFile((kSuite / "g" / "pal8.bmp").string());
    const fs::path path = ScratchFile("pal8-copy.bmp");
    original.SaveToFile(path.string());
    loaded.LoadFromFile(path.string());
    EXPECT_EQ(loaded.Image(), original.Image());
}

TEST(BitmapFiles, EmptyBitmapSavesAsNoBytesAndLoadsBackEmpty) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.SaveToBytes().empty());
    bitmap.SetSize(0, 4);
    EXPECT_TRUE(bitmap.SaveToBytes().empty());
    bitmap.SetSize(2, 2);
    bitmap.LoadFromBytes(nullptr, 0);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(BitmapFiles, LoadErrorsNameTheFileAndLeaveTheBitmapAlone) {
    TBitmap bitmap;
    bitmap.SetSize(2, 3);
    const HBITMAP handle = bitmap.Handle();

    const std::string missing = ScratchFile("no-such-file.bmp").string();
    try {
        bitmap.LoadFromFile(missing);
        ADD_FAILURE() << "loaded a file that does not exist";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()), missing + ": cannot open the file");
    }

    const std::string bad = (kSuite / "b" / "badplanes.bmp").string();
    try {
        bitmap.LoadFromFile(bad);
        ADD_FAILURE() << "loaded a bad file";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()).rfind(bad + ": offset 26: ", 0), 0u) << e.what();
    }
    EXPECT_EQ(bitmap.Handle(), handle);
    EXPECT_EQ(bitmap.Width(), 2);
}

TEST(BitmapFiles, SaveErrorsNameTheFile) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    const std::string path = ScratchFile("no-such-dir/out.bmp").string();
    try {
        bitmap.SaveToFile(path);
        ADD_FAILURE() << "wrote into a folder that does not exist";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()), path + ": cannot write the file");
    }
}

}  // namespace
