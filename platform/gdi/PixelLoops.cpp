#include "gdi/PixelLoops.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <cwchar>

namespace PixelLoops {
namespace {

// n pixels from first. Long runs go to the C library's wide-character fill where wchar_t is
// a 32-bit word: it picks the widest stores the processor has, which a portable loop
// compiled for the baseline instruction set does not (about twice memset's time).
void FillPixels(TPixel* first, std::size_t n, TPixel p) {
    if constexpr (sizeof(wchar_t) == sizeof(TPixel)) {
        if (n >= 32) {
            std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(p), n);
            return;
        }
    }
    for (std::size_t i = 0; i < n; ++i) first[i] = p;
}

}  // namespace

void FillSpan(TSurface& s, int y, int x0, int x1, TPixel p) {
    if (x1 <= x0) return;
    FillPixels(s.Row(y) + x0, static_cast<std::size_t>(x1 - x0), p);
}

void FillRect(TSurface& s, const TRect& r, TPixel p) {
    const int w = r.Width();
    if (w <= 0 || r.Height() <= 0) return;
    if (w == s.Width()) {
        // Whole rows are one run of memory.
        FillPixels(s.Row(r.Top), static_cast<std::size_t>(w) * r.Height(), p);
        return;
    }
    const std::size_t stride = static_cast<std::size_t>(s.Width());
    TPixel* row = s.Row(r.Top) + r.Left;
    if (w <= 8) {
        // Narrow columns (a gradient's bands): a short store loop per row, no call.
        for (int y = r.Top; y < r.Bottom; ++y, row += stride)
            for (int x = 0; x < w; ++x) row[x] = p;
        return;
    }
    for (int y = r.Top; y < r.Bottom; ++y, row += stride)
        FillPixels(row, static_cast<std::size_t>(w), p);
}

void Copy(TSurface& s, int x, int y, const TSurface& from, const TRect& src) {
    const int w = src.Width();
    if (w <= 0) return;
    for (int row = 0; row < src.Height(); ++row)
        std::memcpy(s.Row(y + row) + x, from.Row(src.Top + row) + src.Left, sizeof(TPixel) * w);
}

void Invert(TSurface& s, int x, int y) {
    s.Row(y)[x] ^= 0x00FFFFFF;
}

void Resample(TSurface& s, const TRect& dest, const TSurface& from, const int* columns,
              const int* rows) {
    const int w = dest.Width();
    for (int y = dest.Top; y < dest.Bottom; ++y) {
        const int i = y - dest.Top;
        TPixel* out = s.Row(y) + dest.Left;
        if (i > 0 && rows[i] == rows[i - 1]) {
            // The same source row as the row above: copy what was just made.
            std::memcpy(out, s.Row(y - 1) + dest.Left, sizeof(TPixel) * w);
            continue;
        }
        const TPixel* in = from.Row(rows[i]);
        for (int x = 0; x < w; ++x) out[x] = in[columns[x]];
    }
}

void WidenFields(TSurface& out, const TSurface& from, const TRect& src,
                 const std::array<std::uint32_t, 3>& fieldMasks) {
    out.Resize(src.Width(), src.Height());
    // One table a channel: each byte to its top bits widened.
    std::array<std::array<std::uint8_t, 256>, 3> widen{};
    for (std::size_t c = 0; c < 3; ++c) {
        const int n = std::popcount(fieldMasks[c]);
        for (unsigned v = 0; v < 256; ++v) {
            const unsigned top = n >= 1 && n < 8 ? v & (0xFF00u >> n) & 0xFF : v;
            widen[c][v] = static_cast<std::uint8_t>(n >= 1 && n < 8 ? top | top >> n : v);
        }
    }
    for (int y = 0; y < src.Height(); ++y) {
        const TPixel* in = from.Row(src.Top + y) + src.Left;
        TPixel* row = out.Row(y);
        for (int x = 0; x < src.Width(); ++x) {
            const TPixel p = in[x];
            row[x] = (p & 0xFF000000u) | TPixel{widen[0][(p >> 16) & 0xFF]} << 16 |
                     TPixel{widen[1][(p >> 8) & 0xFF]} << 8 | widen[2][p & 0xFF];
        }
    }
}

void PatternFill(TSurface& s, const TRect& r, const TSurface& pattern, TPoint phase) {
    const int pw = pattern.Width(), ph = pattern.Height();
    if (pw <= 0 || ph <= 0 || r.IsEmpty()) return;
    auto wrap = [](std::int64_t v, int n) { return static_cast<int>(((v % n) + n) % n); };
    for (int y = r.Top; y < r.Bottom; ++y) {
        const TPixel* in = pattern.Row(wrap(std::int64_t{y} - phase.Y, ph));
        TPixel* out = s.Row(y);
        int px = wrap(std::int64_t{r.Left} - phase.X, pw);
        for (int x = r.Left; x < r.Right; ++x) {
            out[x] = in[px];
            if (++px == pw) px = 0;
        }
    }
}

void MaskBlend(TSurface& s, const TRect& r, const std::uint8_t* mask, int stride, TPoint origin,
               TPixel ink) {
    auto blend = [ink](TPixel under, unsigned coverage) {
        auto channel = [&](int shift) {
            const unsigned a = (under >> shift) & 0xFF, b = (ink >> shift) & 0xFF;
            return ((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
        };
        return channel(16) | channel(8) | channel(0);
    };
    for (int y = r.Top; y < r.Bottom; ++y) {
        const std::uint8_t* coverage =
            mask + static_cast<std::size_t>(y - origin.Y) * static_cast<std::size_t>(stride);
        TPixel* row = s.Row(y);
        for (int x = r.Left; x < r.Right; ++x) {
            const unsigned c = coverage[x - origin.X];
            if (c == 255)
                row[x] = ink;
            else if (c != 0)
                row[x] = blend(row[x], c);
        }
    }
}

}  // namespace PixelLoops
