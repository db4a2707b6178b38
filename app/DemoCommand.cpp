#include <filesystem>
#include <iostream>
#include <optional>

#include "app/Commands.h"
#include "app/Gallery.h"
#include "app/TLoadedPackage.h"
#include "hosts/THeadlessHost.h"
#include "io/PngWriter.h"
#include "streaming/FormFiles.h"

namespace Commands {

namespace {
std::string Shown(const std::string& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}
}  // namespace

int Demo(const TDemoOptions& options) {
    // The gallery's controls come from the package, loaded as an application loads it.
    std::optional<TLoadedPackage> package;
    if (!TLoadedPackage::LoadDefault(package, "demo")) return 1;
    auto form = Gallery::Build();
    THeadlessHost host(form.get());
    host.Advance(Gallery::MarqueeLeadTime());
    const TSurface& surface = host.Render();
    try {
        PngWriter::Write(surface, options.Output);
        if (!options.FormFile.empty()) {
            const std::string text = FormFiles::WriteText(*form);
            FormFiles::WriteFile(
                options.FormFile,
                std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        }
    } catch (const std::exception& e) {
        std::cerr << "quillmere demo: " << ErrorText(e) << "\n";
        return 1;
    }
    std::cout << "Wrote the gallery (" << surface.Width() << " x " << surface.Height() << ") to "
              << Shown(options.Output) << "\n";
    if (!options.FormFile.empty())
        std::cout << "Wrote the gallery's form file to " << Shown(options.FormFile) << "\n";
    return 0;
}

}  // namespace Commands
