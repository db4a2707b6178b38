// The commands of the quillmere tool. Each returns the process's exit status: 0 done,
// 1 bad input or a failure on the way, 2 bad usage.
#pragma once

#include <string>

namespace Commands {

struct TDemoOptions {
    std::string Output = "quillmere-gallery.png";
};
int Demo(const TDemoOptions& options);

struct TGlyphsOptions {
    std::string Directory = ".";
};
// Writes the package's glyph bitmaps as .bmp files, one per resource, named after it.
int Glyphs(const TGlyphsOptions& options);

}  // namespace Commands
