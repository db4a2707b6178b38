// PNG files in the Windows build, through Debian's stb_image_write and stb_image: header-only
// libraries that build for any target.
#include "io/PngWriter.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

namespace PngWriter {
namespace {

void Append(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

using TFile = std::unique_ptr<FILE, int (*)(FILE*)>;

}  // namespace

std::vector<std::uint8_t> Encode(const TSurface& surface) {
    // An empty surface is one black pixel, as a PNG must have one.
    const int width = surface.IsEmpty() ? 1 : surface.Width();
    const int height = surface.IsEmpty() ? 1 : surface.Height();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3, 0);
    for (int y = 0; !surface.IsEmpty() && y < height; ++y) {
        const TPixel* src = surface.Row(y);
        std::uint8_t* dst = rgb.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            dst[x * 3 + 0] = static_cast<std::uint8_t>(src[x] >> 16);
            dst[x * 3 + 1] = static_cast<std::uint8_t>(src[x] >> 8);
            dst[x * 3 + 2] = static_cast<std::uint8_t>(src[x]);
        }
    }
    std::vector<std::uint8_t> out;
    if (!stbi_write_png_to_func(&Append, &out, width, height, 3, rgb.data(), width * 3))
        throw std::runtime_error("PNG: encoding failed");
    return out;
}

void Write(const TSurface& surface, const std::string& path) {
    std::vector<std::uint8_t> bytes = Encode(surface);
    TFile f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f) throw std::runtime_error(path + ": cannot open for writing");
    if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        throw std::runtime_error(path + ": write failed");
}

TSurface Read(const std::string& path) {
    TFile f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) throw std::runtime_error(path + ": cannot open the file");
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + n);
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                              &channels, 4),
        &stbi_image_free);
    if (!pixels) throw std::runtime_error(path + ": " + stbi_failure_reason());
    TSurface surface(width, height);
    const stbi_uc* p = pixels.get();
    for (std::size_t i = 0; i < surface.Pixels().size(); ++i, p += 4)
        surface.Pixels()[i] = (static_cast<TPixel>(p[0]) << 16) | (p[1] << 8) | p[2];
    return surface;
}

}  // namespace PngWriter
