#include "app/TGifEncoder.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace {

constexpr int kMaxColors = 256;
constexpr int kMaxDelay = 65535;

std::uint32_t Rgb(TPixel p) {
    return p & 0x00FFFFFF;
}

// The smallest rectangle holding every pixel in which the two surfaces differ.
TRect ChangedArea(const TSurface& a, const TSurface& b) {
    int left = a.Width(), right = -1, top = -1, bottom = -1;
    for (int y = 0; y < a.Height(); ++y) {
        const TPixel* ra = a.Row(y);
        const TPixel* rb = b.Row(y);
        int first = -1, last = -1;
        for (int x = 0; x < a.Width(); ++x)
            if (Rgb(ra[x]) != Rgb(rb[x])) {
                if (first < 0) first = x;
                last = x;
            }
        if (first < 0) continue;
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (top < 0) return TRect{};
    return TRect{left, top, right + 1, bottom + 1};
}

// The distinct colours of an area in order of first appearance, or none if there are more
// than 256.
std::optional<std::vector<std::uint32_t>> ExactPalette(const TSurface& s, const TRect& area) {
    std::vector<std::uint32_t> palette;
    std::unordered_map<std::uint32_t, int> seen;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const std::uint32_t c = Rgb(s.At(x, y));
            if (seen.emplace(c, 0).second) {
                if (static_cast<int>(palette.size()) == kMaxColors) return std::nullopt;
                palette.push_back(c);
            }
        }
    return palette;
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

TGifEncoder::TGifEncoder(const std::string& path, int width, int height)
    : FPath(path), FWidth(width), FHeight(height) {
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        throw std::runtime_error(path + ": a GIF cannot be " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels");
    int error = 0;
    // Opened here rather than by name, so that the file gets the usual permissions (the
    // library would make it readable by its owner only).
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) throw std::runtime_error(path + ": cannot create the file");
    FGif = EGifOpenFileHandle(fd, &error);
    if (!FGif) {
        close(fd);
        Fail("cannot create the file", error);
    }
    EGifSetGifVersion(FGif, true);
}

TGifEncoder::~TGifEncoder() {
    if (!FGif) return;
    int error = 0;
    EGifCloseFile(FGif, &error);
}

void TGifEncoder::Fail(const std::string& what, int error) const {
    const char* reason = GifErrorString(error);
    throw std::runtime_error(FPath + ": " + what +
                             (reason ? std::string(" (") + reason + ")" : ""));
}

void TGifEncoder::AddFrame(const TSurface& frame, int delay) {
    if (!FGif) throw std::logic_error(FPath + ": the GIF is closed");
    if (frame.Width() != FWidth || frame.Height() != FHeight)
        throw std::invalid_argument(FPath + ": a frame of " + std::to_string(frame.Width()) +
                                    " x " + std::to_string(frame.Height()) +
                                    " in an animation of " + std::to_string(FWidth) + " x " +
                                    std::to_string(FHeight));
    delay = std::clamp(delay, 0, kMaxDelay);
    if (!FHeaderWritten) {
        WriteHeader(ExactPalette(frame, frame.Bounds()).value_or(std::vector<std::uint32_t>{}));
        FPending = Encode(frame, frame.Bounds());
        FPending->Delay = delay;
        FPrevious = frame;
        return;
    }
    const TRect changed = ChangedArea(FPrevious, frame);
    if (changed.IsEmpty() && FPending->Delay + delay <= kMaxDelay) {
        FPending->Delay += delay;
        return;
    }
    WritePending();
    // An unchanged frame whose time no longer fits the frame before gets one pixel of its own.
    FPending = Encode(frame, changed.IsEmpty() ? TRect{0, 0, 1, 1} : changed);
    FPending->Delay = delay;
    FPrevious = frame;
}

void TGifEncoder::Close() {
    if (!FGif) return;
    if (FPending) WritePending();
    int error = 0;
    GifFileType* gif = FGif;
    FGif = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) Fail("cannot finish the file", error);
}

void TGifEncoder::WriteHeader(const std::vector<std::uint32_t>& globalPalette) {
    FGlobalPalette = globalPalette;
    // A first frame of more than 256 colours brings its own reduced table; the global one
    // then holds only black and white.
    ColorMapObject* map = MakeColorMap(
        FGlobalPalette.empty() ? std::vector<std::uint32_t>{0x000000, 0xFFFFFF} : FGlobalPalette);
    const int status = EGifPutScreenDesc(FGif, FWidth, FHeight, 8, 0, map);
    GifFreeMapObject(map);
    if (status != GIF_OK) Fail("cannot write the header", FGif->Error);
    // The application extension that makes viewers loop the animation forever.
    static const char kLoopName[] = "NETSCAPE2.0";
    static const unsigned char kLoopForever[] = {1, 0, 0};
    if (EGifPutExtensionLeader(FGif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(FGif, 11, kLoopName) != GIF_OK ||
        EGifPutExtensionBlock(FGif, 3, kLoopForever) != GIF_OK ||
        EGifPutExtensionTrailer(FGif) != GIF_OK)
        Fail("cannot write the header", FGif->Error);
    FHeaderWritten = true;
}

TGifEncoder::TPendingFrame TGifEncoder::Encode(const TSurface& frame, const TRect& area) const {
    TPendingFrame out;
    out.Area = area;
    const std::size_t w = static_cast<std::size_t>(area.Width());
    const std::size_t n = w * static_cast<std::size_t>(area.Height());
    out.Indices.resize(n);
    std::unordered_map<std::uint32_t, std::uint8_t> index;
    auto indexAll = [&](const std::vector<std::uint32_t>& palette) {
        for (std::size_t i = 0; i < palette.size(); ++i)
            index.emplace(palette[i], static_cast<std::uint8_t>(i));
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) {
                auto it = index.find(Rgb(frame.At(x, y)));
                if (it == index.end()) return false;
                out.Indices[static_cast<std::size_t>(y - area.Top) * w +
                            static_cast<std::size_t>(x - area.Left)] = it->second;
            }
        return true;
    };
    if (!FGlobalPalette.empty() && indexAll(FGlobalPalette)) return out;
    index.clear();
    if (auto exact = ExactPalette(frame, area)) {
        out.Palette = *exact;
        indexAll(out.Palette);
        return out;
    }
    // More than 256 colours: median cut.
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
    if (GifQuantizeBuffer(static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()),
                          &size, red.data(), green.data(), blue.data(), out.Indices.data(),
                          colors.data()) != GIF_OK)
        throw std::runtime_error(FPath + ": cannot reduce the colours of a frame");
    for (int i = 0; i < size; ++i) {
        const GifColorType& c = colors[static_cast<std::size_t>(i)];
        out.Palette.push_back((std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) |
                              c.Blue);
    }
    return out;
}

void TGifEncoder::WritePending() {
    const TPendingFrame& f = *FPending;
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, f.Delay, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(FGif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
        GIF_OK)
        Fail("cannot write a frame", FGif->Error);
    ColorMapObject* local = f.Palette.empty() ? nullptr : MakeColorMap(f.Palette);
    // Without a table of its own, the library forgets the previous frame's table instead of
    // freeing it; free it first.
    if (!local && FGif->Image.ColorMap) {
        GifFreeMapObject(FGif->Image.ColorMap);
        FGif->Image.ColorMap = nullptr;
    }
    const int status = EGifPutImageDesc(FGif, f.Area.Left, f.Area.Top, f.Area.Width(),
                                        f.Area.Height(), false, local);
    if (local) GifFreeMapObject(local);
    if (status != GIF_OK) Fail("cannot write a frame", FGif->Error);
    std::vector<GifPixelType> row(static_cast<std::size_t>(f.Area.Width()));
    for (int y = 0; y < f.Area.Height(); ++y) {
        std::copy_n(f.Indices.begin() + static_cast<std::ptrdiff_t>(y) * f.Area.Width(), row.size(),
                    row.begin());
        if (EGifPutLine(FGif, row.data(), f.Area.Width()) != GIF_OK)
            Fail("cannot write a frame", FGif->Error);
    }
    FPending.reset();
    ++FFramesWritten;
}
