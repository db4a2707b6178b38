#include "app/TGifEncoder.h"

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

}  // namespace

TGifEncoder::TGifEncoder(const std::string& path, int width, int height)
    : FPath(path), FWidth(width), FHeight(height) {
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        throw std::runtime_error(path + ": a GIF cannot be " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels");
    FFile = std::make_unique<TGifFile>(path);
}

TGifEncoder::~TGifEncoder() = default;

void TGifEncoder::AddFrame(const TSurface& frame, int delay) {
    if (!FFile) throw std::logic_error(FPath + ": the GIF is closed");
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
    if (!FFile) return;
    if (FPending) WritePending();
    const std::unique_ptr<TGifFile> file = std::move(FFile);
    file->Close();
}

void TGifEncoder::WriteHeader(const std::vector<std::uint32_t>& globalPalette) {
    FGlobalPalette = globalPalette;
    // A first frame of more than 256 colours brings its own reduced table; the global one
    // then holds only black and white.
    FFile->WriteScreen(
        FWidth, FHeight,
        FGlobalPalette.empty() ? std::vector<std::uint32_t>{0x000000, 0xFFFFFF} : FGlobalPalette);
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
    try {
        ReduceColours(frame, area, out.Palette, out.Indices);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(FPath + ": " + e.what());
    }
    return out;
}

void TGifEncoder::WritePending() {
    const TPendingFrame& f = *FPending;
    FFile->WriteFrame(f.Area, f.Palette, f.Indices, f.Delay);
    FPending.reset();
    ++FFramesWritten;
}
