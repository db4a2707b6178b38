#include "app/FrameWriter.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <stdexcept>

#include "app/TGifEncoder.h"
#include "core/AnsiText.h"
#include "io/PngWriter.h"

namespace FrameWriter {
namespace {

// Hundredths of a second from the start to frame index, rounded, so that the delays of a GIF
// add up to the time that passed even when the interval is not a multiple of 10 ms.
long long Centiseconds(long long index, int intervalMs) {
    return (index * intervalMs + 5) / 10;
}

}  // namespace

bool WritesGif(const std::string& output) {
    return EndsText(output, ".gif");
}

std::string FramePath(const std::string& output, int index, int count) {
    std::string stem = output;
    if (EndsText(stem, ".png")) stem.resize(stem.size() - 4);
    const std::size_t digits =
        std::max<std::size_t>(3, std::to_string(std::max(0, count - 1)).size());
    std::string number = std::to_string(index);
    if (number.size() < digits) number.insert(0, digits - number.size(), '0');
    return stem + "-" + number + ".png";
}

std::vector<std::string> Write(THeadlessHost& host, const TFrameOptions& options,
                               const TProgress& progress) {
    if (options.Frames < 1) throw std::invalid_argument("the number of frames must be 1 or more");
    if (options.IntervalMs < 1) throw std::invalid_argument("the interval must be 1 ms or more");
    if (options.Output.empty()) throw std::invalid_argument("no output file given");

    const bool gif = WritesGif(options.Output);
    std::vector<std::string> written;
    std::optional<TGifEncoder> encoder;
    for (int i = 0; i < options.Frames; ++i) {
        if (i > 0) host.Advance(options.IntervalMs);
        const TSurface& frame = host.Render();
        if (gif) {
            if (!encoder) encoder.emplace(options.Output, frame.Width(), frame.Height());
            const long long delay =
                Centiseconds(i + 1, options.IntervalMs) - Centiseconds(i, options.IntervalMs);
            encoder->AddFrame(frame, static_cast<int>(delay));
        } else {
            written.push_back(FramePath(options.Output, i, options.Frames));
            PngWriter::Write(frame, written.back());
        }
        if (progress) progress(i + 1, options.Frames);
    }
    if (encoder) {
        encoder->Close();
        written.push_back(options.Output);
    }
    return written;
}

}  // namespace FrameWriter
