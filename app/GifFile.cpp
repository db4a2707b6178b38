// GIF files through giflib.
#include "app/GifFile.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

struct TGifFile::TState {
    GifFileType* Gif = nullptr;
};

namespace {

constexpr int kMaxColors = 256;

[[noreturn]] void Fail(const std::string& path, const std::string& what, int error) {
    const char* reason = GifErrorString(error);
    throw std::runtime_error(path + ": " + what + (reason ? std::string(" (") + reason + ")" : ""));
}

// A colour map object of the palette, padded to the power of two GIF requires.
ColorMapObject* MakeColorMap(const std::vector<std::uint32_t>& palette) {
    const int size = 1 << GifBitSize(std::max<int>(2, static_cast<int>(palette.size())));
    std::vector<GifColorType> colors(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colors[i] = GifColorType{static_cast<GifByteType>(palette[i] >> 16),
                                 static_cast<GifByteType>(palette[i] >> 8),
                                 static_cast<GifByteType>(palette[i])};
    return GifMakeMapObject(size, colors.data());
}

}  // namespace

TGifFile::TGifFile(const std::string& path) : FPath(path), FState(std::make_unique<TState>()) {
    int error = 0;
    // Opened here rather than by name, so that the file gets the usual permissions (the
    // library would make it readable by its owner only).
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) throw std::runtime_error(path + ": cannot create the file");
    FState->Gif = EGifOpenFileHandle(fd, &error);
    if (!FState->Gif) {
        close(fd);
        Fail(path, "cannot create the file", error);
    }
    EGifSetGifVersion(FState->Gif, true);
}

TGifFile::~TGifFile() {
    if (!FState->Gif) return;
    int error = 0;
    EGifCloseFile(FState->Gif, &error);
}

void TGifFile::WriteScreen(int width, int height, const std::vector<std::uint32_t>& palette) {
    GifFileType* gif = FState->Gif;
    ColorMapObject* map = MakeColorMap(palette);
    const int status = EGifPutScreenDesc(gif, width, height, 8, 0, map);
    GifFreeMapObject(map);
    if (status != GIF_OK) Fail(FPath, "cannot write the header", gif->Error);
    // The application extension that makes viewers loop the animation forever.
    static const char kLoopName[] = "NETSCAPE2.0";
    static const unsigned char kLoopForever[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif, 11, kLoopName) != GIF_OK ||
        EGifPutExtensionBlock(gif, 3, kLoopForever) != GIF_OK ||
        EGifPutExtensionTrailer(gif) != GIF_OK)
        Fail(FPath, "cannot write the header", gif->Error);
}

void TGifFile::WriteFrame(const TRect& area, const std::vector<std::uint32_t>& palette,
                          const std::vector<std::uint8_t>& indices, int delay) {
    GifFileType* gif = FState->Gif;
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
        GIF_OK)
        Fail(FPath, "cannot write a frame", gif->Error);
    ColorMapObject* local = palette.empty() ? nullptr : MakeColorMap(palette);
    // Without a table of its own, the library forgets the previous frame's table instead of
    // freeing it; free it first.
    if (!local && gif->Image.ColorMap) {
        GifFreeMapObject(gif->Image.ColorMap);
        gif->Image.ColorMap = nullptr;
    }
    const int status =
        EGifPutImageDesc(gif, area.Left, area.Top, area.Width(), area.Height(), false, local);
    if (local) GifFreeMapObject(local);
    if (status != GIF_OK) Fail(FPath, "cannot write a frame", gif->Error);
    std::vector<GifPixelType> row(static_cast<std::size_t>(area.Width()));
    for (int y = 0; y < area.Height(); ++y) {
        std::copy_n(indices.begin() + static_cast<std::ptrdiff_t>(y) * area.Width(), row.size(),
                    row.begin());
        if (EGifPutLine(gif, row.data(), area.Width()) != GIF_OK)
            Fail(FPath, "cannot write a frame", gif->Error);
    }
}

void TGifFile::Close() {
    GifFileType* gif = FState->Gif;
    if (!gif) return;
    FState->Gif = nullptr;
    int error = 0;
    if (EGifCloseFile(gif, &error) != GIF_OK) Fail(FPath, "cannot finish the file", error);
}

void ReduceColours(const TSurface& frame, const TRect& area, std::vector<std::uint32_t>& palette,
                   std::vector<std::uint8_t>& indices) {
    const std::size_t w = static_cast<std::size_t>(area.Width());
    const std::size_t n = w * static_cast<std::size_t>(area.Height());
    std::vector<GifByteType> red(n), green(n), blue(n);
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const std::size_t i = static_cast<std::size_t>(y - area.Top) * w +
                                  static_cast<std::size_t>(x - area.Left);
            const TPixel p = frame.At(x, y);
            red[i] = static_cast<GifByteType>(p >> 16);
            green[i] = static_cast<GifByteType>(p >> 8);
            blue[i] = static_cast<GifByteType>(p);
        }
    int size = kMaxColors;
    std::vector<GifColorType> colors(kMaxColors);
    indices.resize(n);
    if (GifQuantizeBuffer(static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()),
                          &size, red.data(), green.data(), blue.data(), indices.data(),
                          colors.data()) != GIF_OK)
        throw std::runtime_error("cannot reduce the colours of a frame");
    palette.clear();
    for (int i = 0; i < size; ++i) {
        const GifColorType& c = colors[static_cast<std::size_t>(i)];
        palette.push_back((std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue);
    }
}
