#include "io/PngWriter.h"

#include <png.h>

#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace PngWriter {
namespace {

struct TWriteState {
    std::vector<std::uint8_t>* Out;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* state = static_cast<TWriteState*>(png_get_io_ptr(png));
    state->Out->insert(state->Out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// The colours of a surface when it has at most 256, in the order they first appear, and each
// pixel's index among them; false when it has more.
bool Palettize(const TSurface& surface, std::vector<TPixel>& colours,
               std::vector<std::uint8_t>& indices) {
    // Open addressing, four slots for each colour a palette can hold; a run of one colour is
    // looked up once.
    constexpr std::size_t kSlots = 1024;
    std::array<TPixel, kSlots> keys{};
    std::array<std::int16_t, kSlots> places;
    places.fill(-1);
    const std::vector<TPixel>& pixels = surface.Pixels();
    indices.resize(pixels.size());
    TPixel last = 0;
    std::uint8_t lastIndex = 0;
    bool any = false;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const TPixel colour = pixels[i] & 0x00FFFFFF;
        if (!any || colour != last) {
            std::size_t slot = (colour * 2654435761u) >> 22;  // ten bits: kSlots
            while (places[slot] >= 0 && keys[slot] != colour) slot = (slot + 1) & (kSlots - 1);
            if (places[slot] < 0) {
                if (colours.size() == 256) return false;
                keys[slot] = colour;
                places[slot] = static_cast<std::int16_t>(colours.size());
                colours.push_back(colour);
            }
            last = colour;
            lastIndex = static_cast<std::uint8_t>(places[slot]);
            any = true;
        }
        indices[i] = lastIndex;
    }
    return true;
}

int BitsForColours(std::size_t count) {
    return count <= 2 ? 1 : count <= 4 ? 2 : count <= 16 ? 4 : 8;
}

// libpng's errors become the exception's message and its warnings are dropped: nothing of
// it reaches standard error.
void KeepError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

std::vector<std::uint8_t> Encode(const TSurface& surface) {
    // A PNG has a pixel at least: an empty surface is written as one black pixel.
    if (surface.IsEmpty()) return Encode(TSurface(1, 1));
    std::vector<TPixel> colours;
    std::vector<std::uint8_t> indices;
    const bool paletted = Palettize(surface, colours, indices);
    std::vector<png_color> palette;
    for (const TPixel c : colours)
        palette.push_back(png_color{static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                                    static_cast<png_byte>(c)});
    std::vector<std::uint8_t> row(paletted ? 0 : static_cast<std::size_t>(surface.Width()) * 3);

    // Everything with a destructor is made before libpng may jump back here on an error.
    std::vector<std::uint8_t> out;
    std::string error = "encoding failed";
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, KeepError, IgnoreWarning);
    if (!png) throw std::runtime_error("PNG: cannot create the encoder");
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        throw std::runtime_error("PNG: " + error);
    }
    TWriteState state{&out};
    png_set_write_fn(png, &state, WriteBytes, FlushNothing);
    const auto width = static_cast<png_uint_32>(surface.Width());
    const auto height = static_cast<png_uint_32>(surface.Height());
    if (paletted) {
        // What the framework draws (flat colours, text, gradients of a few hundred steps at
        // most) has few colours: a palette and as few bits a pixel as it needs make the file
        // smallest. Filters only scramble palette indices, so rows go unfiltered, and zlib's
        // level 5 gives three quarters of the size of full-colour adaptive filtering at its
        // default level in a quarter of the time.
        png_set_IHDR(png, info, width, height, BitsForColours(colours.size()),
                     PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, 5);
        png_write_info(png, info);
        png_set_packing(png);
        for (png_uint_32 y = 0; y < height; ++y)
            png_write_row(png, indices.data() + static_cast<std::size_t>(y) * width);
    } else {
        // More colours than a palette holds (a photograph tiled on a panel): libpng's adaptive
        // filtering and zlib's default level.
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < surface.Height(); ++y) {
            const TPixel* src = surface.Row(y);
            for (int x = 0; x < surface.Width(); ++x) {
                row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<std::uint8_t>(src[x] >> 16);
                row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(src[x] >> 8);
                row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(src[x]);
            }
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

void Write(const TSurface& surface, const std::string& path) {
    std::vector<std::uint8_t> bytes = Encode(surface);
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f) throw std::runtime_error(path + ": cannot open for writing");
    if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        throw std::runtime_error(path + ": write failed");
}

TSurface Read(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        throw std::runtime_error(path + ": " + image.message);
    image.format = PNG_FORMAT_BGRA;
    TSurface surface(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, surface.Pixels().data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error(path + ": " + image.message);
    }
    for (TPixel& p : surface.Pixels()) p &= 0x00FFFFFF;
    return surface;
}

}  // namespace PngWriter
