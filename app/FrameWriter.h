// Writes the frames of a form as it runs: the first as it stands, each next one after the
// interval has passed on the virtual clock, into numbered PNG files or one animated GIF.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "hosts/THeadlessHost.h"

namespace FrameWriter {

struct TFrameOptions {
    int Frames = 1;        // 1 or more
    int IntervalMs = 100;  // 1 or more
    std::string Output;    // ends in .gif (any case): one animated GIF; else numbered PNGs
};

// Whether the frames go into one animated GIF.
bool WritesGif(const std::string& output);
// The file of frame index out of count when frames go to PNG files: the output without its
// .png ending, a dash, the index with at least three digits, ".png"
// ("run.png" -> "run-000.png", "run-001.png", ...).
std::string FramePath(const std::string& output, int index, int count);

// Called after each frame with the frames done and the frames in all.
using TProgress = std::function<void(int done, int count)>;

// Renders and writes the frames of the form on host. Returns the files written. Throws
// std::invalid_argument for bad options and std::runtime_error, naming the file, when one
// cannot be written.
std::vector<std::string> Write(THeadlessHost& host, const TFrameOptions& options,
                               const TProgress& progress = {});

}  // namespace FrameWriter
