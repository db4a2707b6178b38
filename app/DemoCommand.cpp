#include <filesystem>
#include <iostream>

#include "app/Commands.h"
#include "app/Gallery.h"
#include "hosts/THeadlessHost.h"
#include "io/PngWriter.h"

namespace Commands {

int Demo(const TDemoOptions& options) {
    auto form = Gallery::Build();
    THeadlessHost host(form.get());
    host.Advance(Gallery::MarqueeLeadTime());
    const TSurface& surface = host.Render();
    try {
        PngWriter::Write(surface, options.Output);
    } catch (const std::exception& e) {
        std::cerr << "quillmere demo: " << e.what() << "\n";
        return 1;
    }
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(options.Output, ec);
    std::cout << "Wrote the gallery (" << surface.Width() << " x " << surface.Height() << ") to "
              << (ec ? options.Output : path.string()) << "\n";
    return 0;
}

}  // namespace Commands
