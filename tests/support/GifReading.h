// Reads an animated GIF back for the tests: every frame composed over the ones before, as a
// viewer shows it, with its delay and the rectangle it stored.
#pragma once

#include <string>
#include <vector>

#include "gdi/TSurface.h"

struct TDecodedGif {
    std::vector<TSurface> Frames;
    std::vector<int> Delays;  // hundredths of a second
    std::vector<TRect> Areas;
    bool LoopsForever = false;
};

// Throws std::runtime_error when the file is not a readable GIF.
TDecodedGif ReadGif(const std::string& path);
