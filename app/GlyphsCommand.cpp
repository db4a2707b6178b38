#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "app/Commands.h"
#include "app/ResourceFiles.h"
#include "package/GlyphResources.h"

namespace Commands {
int Glyphs(const TGlyphsOptions& options) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(options.Directory, ec);
    if (ec) {
        std::cerr << "quillmere glyphs: cannot make " << options.Directory << ": " << ec.message()
                  << "\n";
        return 1;
    }
    for (const TResourceEntry& r : Quillmereall::GlyphResources()) {
        const fs::path path = fs::path(options.Directory) / (r.Name + ".bmp");
        const std::vector<std::uint8_t> bytes = ResourceFiles::BitmapFile(r);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "quillmere glyphs: cannot write " << path.string() << "\n";
            return 1;
        }
        std::cout << "Wrote " << path.string() << "\n";
    }
    return 0;
}

}  // namespace Commands
