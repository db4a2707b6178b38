#include "io/PngWriter.h"

#include <png.h>

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

// libpng's errors become the exception's message and its warnings are dropped: nothing of
// it reaches standard error.
void KeepError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

std::vector<std::uint8_t> Encode(const TSurface& surface) {
    std::vector<std::uint8_t> out;
    std::string error = "encoding failed";
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, KeepError, IgnoreWarning);
    if (!png) throw std::runtime_error("PNG: cannot create the encoder");
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(surface.Width()) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        throw std::runtime_error("PNG: " + error);
    }
    TWriteState state{&out};
    png_set_write_fn(png, &state, WriteBytes, FlushNothing);
    // An empty surface is one black pixel.
    const bool empty = surface.IsEmpty();
    png_set_IHDR(png, info, static_cast<png_uint_32>(empty ? 1 : surface.Width()),
                 static_cast<png_uint_32>(empty ? 1 : surface.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (empty) {
        std::uint8_t black[3] = {0, 0, 0};
        png_write_row(png, black);
    } else {
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
