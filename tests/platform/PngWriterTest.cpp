#include <gtest/gtest.h>

#include <filesystem>

#include "io/PngWriter.h"

TEST(PngWriting, AnEmptySurfaceIsOneBlackPixelAndTheLibrarySaysNothing) {
    const std::string path = (std::filesystem::temp_directory_path() / "qm-png-empty.png").string();
    ::testing::internal::CaptureStderr();
    PngWriter::Write(TSurface(0, 300), path);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(PngWriter::Read(path), TSurface(1, 1, 0));
    std::filesystem::remove(path);
}
