// The GIF89a file an animation is written into: the logical screen with its colour table and
// the extension that makes viewers loop the animation forever, then the frames, each with its
// delay, its place on the screen, its own colour table or none, and its pixels as indices into
// the table it uses. Colour tables hold 0x00RRGGBB entries, at most 256. The Linux build writes
// through giflib; the Windows build, which has no giflib, through a writer of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "gdi/TSurface.h"

class TGifFile {
public:
    // Creates the file; throws std::runtime_error naming the path when it cannot.
    explicit TGifFile(const std::string& path);
    // Closes the file if Close was not called; errors are lost then.
    ~TGifFile();
    TGifFile(const TGifFile&) = delete;
    TGifFile& operator=(const TGifFile&) = delete;

    void WriteScreen(int width, int height, const std::vector<std::uint32_t>& palette);
    // An empty palette: the frame uses the screen's.
    void WriteFrame(const TRect& area, const std::vector<std::uint32_t>& palette,
                    const std::vector<std::uint8_t>& indices, int delay);
    // Writes the trailer; throws std::runtime_error naming the path.
    void Close();

private:
    struct TState;
    std::string FPath;
    std::unique_ptr<TState> FState;
};

// The colours of an area of a frame reduced to at most 256 by median cut: the table, and the
// index of each pixel of the area, row by row.
void ReduceColours(const TSurface& frame, const TRect& area, std::vector<std::uint32_t>& palette,
                   std::vector<std::uint8_t>& indices);
