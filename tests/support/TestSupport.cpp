#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>

#include "io/PngWriter.h"

TTestForm::TTestForm(int clientWidth, int clientHeight) : Form(std::make_unique<TForm>(nullptr)) {
    Form->SetClientWidth(clientWidth);
    Form->SetClientHeight(clientHeight);
    Host = std::make_unique<THeadlessHost>(Form.get());
    Host->Render();
    Host->ResetCounts();
}

TTestForm::~TTestForm() {
    Host.reset();
    Form.reset();
}

unsigned PixelRGB(const TSurface& s, int x, int y) { return s.At(x, y) & 0x00FFFFFF; }

::testing::AssertionResult MatchesGolden(const TSurface& actual, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path golden = fs::path(QM_SOURCE_DIR) / "tests" / "goldens" / (name + ".png");
    const char* update = std::getenv("QM_UPDATE_GOLDENS");
    if (update && std::string(update) == "1") {
        fs::create_directories(golden.parent_path());
        PngWriter::Write(actual, golden.string());
        return ::testing::AssertionSuccess() << "golden written: " << golden;
    }
    TSurface expected;
    try {
        expected = PngWriter::Read(golden.string());
    } catch (const std::exception& e) {
        return ::testing::AssertionFailure()
               << "no golden " << golden << " (" << e.what()
               << "); run with QM_UPDATE_GOLDENS=1 to write it";
    }
    int differing = 0;
    TSurface diff(actual.Width(), actual.Height(), 0x00FFFFFF);
    if (expected.Width() == actual.Width() && expected.Height() == actual.Height()) {
        for (int y = 0; y < actual.Height(); ++y)
            for (int x = 0; x < actual.Width(); ++x)
                if ((actual.At(x, y) & 0xFFFFFF) != (expected.At(x, y) & 0xFFFFFF)) {
                    ++differing;
                    diff.Set(x, y, 0x00FF0000);
                }
        if (differing == 0) return ::testing::AssertionSuccess();
    }
    const fs::path outDir = fs::path(QM_BINARY_DIR) / "golden-failures";
    fs::create_directories((outDir / name).parent_path());
    PngWriter::Write(actual, (outDir / (name + ".actual.png")).string());
    if (differing) PngWriter::Write(diff, (outDir / (name + ".diff.png")).string());
    auto failure = ::testing::AssertionFailure();
    if (differing)
        failure << differing << " pixels differ from " << golden;
    else
        failure << "size " << actual.Width() << "x" << actual.Height() << " differs from golden "
                << expected.Width() << "x" << expected.Height();
    return failure << "; actual written to " << (outDir / (name + ".actual.png"));
}
