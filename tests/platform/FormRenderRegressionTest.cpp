// Forms that once hung, crashed or overflowed the render path: each is refused with an error
// or read and rendered, also under the sanitizers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "controls/TForm.h"
#include "hosts/THeadlessHost.h"
#include "package/Quillmereall.h"
#include "streaming/EFilerError.h"
#include "streaming/FormFiles.h"

TEST(FormRenderRegressionInputs, AreRefusedOrRendered) {
    Quillmereall::RegisterUnits();
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::path(QM_SOURCE_DIR) / "tests" / "fixtures" / "form_render-regressions";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() == "README.md") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        std::unique_ptr<TForm> form;
        try {
            form = FormFiles::LoadForm(entry.path().string());
        } catch (const std::runtime_error&) {
            continue;
        }
        std::optional<THeadlessHost> host;
        try {
            host.emplace(form.get());
        } catch (const ESurfaceTooLarge&) {
            // What the form holds inside is painted all the same, on a surface that fits.
            form->SetClientWidth(std::min(form->ClientWidth(), 400));
            form->SetClientHeight(std::min(form->ClientHeight(), 400));
            host.emplace(form.get());
        }
        host->Render();
        host->Advance(500);
        host->Render();
    }
    EXPECT_GT(files, 0);
}
