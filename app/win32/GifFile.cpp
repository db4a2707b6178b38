// GIF files in the Windows build, which has no giflib (nor do the system's image codecs write
// an animation's delays and frame places): the format written byte by byte, the pixels with
// the format's LZW compression, more than 256 colours reduced by median cut.
#include "app/GifFile.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <unordered_map>

namespace {

constexpr int kMaxColors = 256;
constexpr int kMaxCode = 4095;  // codes are at most 12 bits

// The bits a colour table of that many entries takes: 1 to 8, the table padded to 2^bits.
int TableBits(std::size_t entries) {
    int bits = 1;
    while ((std::size_t{1} << bits) < entries && bits < 8) ++bits;
    return bits;
}

void Put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void PutTable(std::vector<std::uint8_t>& out, const std::vector<std::uint32_t>& palette, int bits) {
    for (std::size_t i = 0; i < (std::size_t{1} << bits); ++i) {
        const std::uint32_t c = i < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(c >> 16));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
}

// The pixels as the format compresses them: variable-length LZW codes, least significant bit
// first, in blocks of at most 255 bytes. A code grows a bit once the next free code no longer
// fits, as the decoder expects it to; a full table starts again with a clear code.
void PutLzw(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& indices, int minBits) {
    const int clear = 1 << minBits, end = clear + 1;
    int bits = minBits + 1, next = end + 1;
    std::unordered_map<std::uint32_t, int> table;
    std::vector<std::uint8_t> data;
    std::uint32_t accumulator = 0;
    int pending = 0;
    auto emit = [&](int code) {
        accumulator |= static_cast<std::uint32_t>(code) << pending;
        pending += bits;
        while (pending >= 8) {
            data.push_back(static_cast<std::uint8_t>(accumulator & 0xFF));
            accumulator >>= 8;
            pending -= 8;
        }
        if (next >= (1 << bits) && bits < 12) ++bits;
    };
    emit(clear);
    if (!indices.empty()) {
        int prefix = indices[0];
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | indices[i];
            if (auto it = table.find(key); it != table.end()) {
                prefix = it->second;
                continue;
            }
            emit(prefix);
            if (next >= kMaxCode) {
                emit(clear);
                table.clear();
                bits = minBits + 1;
                next = end + 1;
            } else {
                table.emplace(key, next++);
            }
            prefix = indices[i];
        }
        emit(prefix);
    }
    emit(end);
    if (pending > 0) data.push_back(static_cast<std::uint8_t>(accumulator & 0xFF));

    out.push_back(static_cast<std::uint8_t>(minBits));
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
}

}  // namespace

struct TGifFile::TState {
    std::FILE* File = nullptr;
    int TableBits = 1;  // of the screen's table
};

TGifFile::TGifFile(const std::string& path) : FPath(path), FState(std::make_unique<TState>()) {
    FState->File = std::fopen(path.c_str(), "wb");
    if (!FState->File) throw std::runtime_error(path + ": cannot create the file");
}

TGifFile::~TGifFile() {
    if (FState->File) std::fclose(FState->File);
}

namespace {

void Write(std::FILE* file, const std::vector<std::uint8_t>& bytes, const std::string& path,
           const char* what) {
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw std::runtime_error(path + ": " + what);
}

}  // namespace

void TGifFile::WriteScreen(int width, int height, const std::vector<std::uint32_t>& palette) {
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, width);
    Put16(out, height);
    FState->TableBits = TableBits(std::max<std::size_t>(2, palette.size()));
    // A table follows; eight bits of colour resolution; no sorting.
    out.push_back(static_cast<std::uint8_t>(0x80 | (7 << 4) | (FState->TableBits - 1)));
    out.push_back(0);  // background colour
    out.push_back(0);  // aspect ratio: none given
    PutTable(out, palette, FState->TableBits);
    // The application extension that makes viewers loop the animation forever.
    const char loop[] = "NETSCAPE2.0";
    out.insert(out.end(), {0x21, 0xFF, 11});
    out.insert(out.end(), loop, loop + 11);
    out.insert(out.end(), {3, 1, 0, 0, 0});
    Write(FState->File, out, FPath, "cannot write the header");
}

void TGifFile::WriteFrame(const TRect& area, const std::vector<std::uint32_t>& palette,
                          const std::vector<std::uint8_t>& indices, int delay) {
    std::vector<std::uint8_t> out;
    // The graphic control extension: the frame stays as it is drawn; its delay; no
    // transparent colour.
    out.insert(out.end(), {0x21, 0xF9, 4, 1 << 2});
    Put16(out, delay);
    out.insert(out.end(), {0, 0});
    out.push_back(0x2C);
    Put16(out, area.Left);
    Put16(out, area.Top);
    Put16(out, area.Width());
    Put16(out, area.Height());
    int bits = FState->TableBits;
    if (palette.empty()) {
        out.push_back(0);
    } else {
        bits = TableBits(std::max<std::size_t>(2, palette.size()));
        out.push_back(static_cast<std::uint8_t>(0x80 | (bits - 1)));
        PutTable(out, palette, bits);
    }
    PutLzw(out, indices, std::max(2, bits));
    Write(FState->File, out, FPath, "cannot write a frame");
}

void TGifFile::Close() {
    std::FILE* file = FState->File;
    if (!file) return;
    FState->File = nullptr;
    const bool written = std::fputc(0x3B, file) != EOF;
    if (std::fclose(file) != 0 || !written)
        throw std::runtime_error(FPath + ": cannot finish the file");
}

// Median cut: the colours start in one box; the box whose colours spread widest along one of
// red, green and blue is split there at the median pixel, until there are 256 boxes or no box
// has two colours. Each box gives the table its pixels' mean colour.
void ReduceColours(const TSurface& frame, const TRect& area, std::vector<std::uint32_t>& palette,
                   std::vector<std::uint8_t>& indices) {
    struct TColour {
        std::uint32_t Rgb;
        std::uint32_t Count;
    };
    std::unordered_map<std::uint32_t, std::uint32_t> counts;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) ++counts[frame.At(x, y) & 0x00FFFFFF];
    std::vector<TColour> colours;
    for (const auto& [rgb, count] : counts) colours.push_back({rgb, count});
    std::sort(colours.begin(), colours.end(),
              [](const TColour& a, const TColour& b) { return a.Rgb < b.Rgb; });
    auto channel = [](std::uint32_t rgb, int c) {
        return static_cast<int>((rgb >> (16 - 8 * c)) & 0xFF);
    };

    struct TBox {
        std::size_t Begin, End;  // into colours
        int Channel = 0, Spread = 0;
    };
    auto measure = [&](TBox& box) {
        box.Spread = -1;
        for (int c = 0; c < 3; ++c) {
            int lo = 255, hi = 0;
            for (std::size_t i = box.Begin; i < box.End; ++i) {
                lo = std::min(lo, channel(colours[i].Rgb, c));
                hi = std::max(hi, channel(colours[i].Rgb, c));
            }
            if (hi - lo > box.Spread) {
                box.Spread = hi - lo;
                box.Channel = c;
            }
        }
    };
    std::vector<TBox> boxes{TBox{0, colours.size()}};
    measure(boxes[0]);
    while (static_cast<int>(boxes.size()) < kMaxColors) {
        auto widest =
            std::max_element(boxes.begin(), boxes.end(), [](const TBox& a, const TBox& b) {
                return (a.End - a.Begin > 1 ? a.Spread : -1) <
                       (b.End - b.Begin > 1 ? b.Spread : -1);
            });
        if (widest->End - widest->Begin < 2) break;
        TBox box = *widest;
        std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.Begin),
                  colours.begin() + static_cast<std::ptrdiff_t>(box.End),
                  [&](const TColour& a, const TColour& b) {
                      return channel(a.Rgb, box.Channel) < channel(b.Rgb, box.Channel);
                  });
        std::uint64_t total = 0, seen = 0;
        for (std::size_t i = box.Begin; i < box.End; ++i) total += colours[i].Count;
        std::size_t split = box.Begin + 1;
        for (std::size_t i = box.Begin; i + 1 < box.End; ++i) {
            seen += colours[i].Count;
            split = i + 1;
            if (2 * seen >= total) break;
        }
        TBox low{box.Begin, split}, high{split, box.End};
        measure(low);
        measure(high);
        *widest = low;
        boxes.push_back(high);
    }
    palette.clear();
    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    for (const TBox& box : boxes) {
        std::uint64_t sum[3] = {}, n = 0;
        for (std::size_t i = box.Begin; i < box.End; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += static_cast<std::uint64_t>(channel(colours[i].Rgb, c)) * colours[i].Count;
            n += colours[i].Count;
            indexOf[colours[i].Rgb] = static_cast<std::uint8_t>(palette.size());
        }
        std::uint32_t mean = 0;
        for (int c = 0; c < 3; ++c)
            mean |= static_cast<std::uint32_t>((sum[c] + n / 2) / std::max<std::uint64_t>(n, 1))
                    << (16 - 8 * c);
        palette.push_back(mean);
    }
    indices.clear();
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            indices.push_back(indexOf[frame.At(x, y) & 0x00FFFFFF]);
}
