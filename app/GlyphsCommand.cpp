#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "app/Commands.h"
#include "package/GlyphResources.h"

namespace Commands {
namespace {

// A .bmp file is the packed DIB of the resource behind a 14-byte file header: "BM", the file
// size, two reserved words and the offset of the pixels (header and colour table before them).
std::vector<std::uint8_t> BitmapFile(const TResourceEntry& dib) {
    constexpr std::uint32_t kFileHeader = 14, kInfoHeader = 40;
    const std::uint32_t bits = dib.Size >= kInfoHeader ? dib.Data[14] | (dib.Data[15] << 8) : 0;
    const std::uint32_t colours = bits <= 8 ? 4u << bits : 0;
    const std::uint32_t size = kFileHeader + static_cast<std::uint32_t>(dib.Size);
    const std::uint32_t offset = kFileHeader + kInfoHeader + colours;
    std::vector<std::uint8_t> out = {'B', 'M'};
    for (std::uint32_t v : {size, 0u, offset})
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    out.insert(out.end(), dib.Data, dib.Data + dib.Size);
    return out;
}

}  // namespace

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
        const std::vector<std::uint8_t> bytes = BitmapFile(r);
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
