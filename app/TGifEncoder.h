// An animated GIF written frame by frame, without holding the animation in memory. Each frame
// is stored as the rectangle that changed since the one before, drawn over it, and a frame
// that changes nothing lengthens the one before. Colours are exact wherever a table of 256
// holds them (a global table from the first frame, or a frame's own table), and reduced by
// median cut otherwise. The animation loops forever.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/GifFile.h"
#include "gdi/TSurface.h"

class TGifEncoder {
public:
    // Creates the file; throws std::runtime_error naming the path when it cannot, or when the
    // size is not one a GIF can have (1 to 65535 each way).
    TGifEncoder(const std::string& path, int width, int height);
    // Closes the file if Close was not called; errors are lost then.
    ~TGifEncoder();
    TGifEncoder(const TGifEncoder&) = delete;
    TGifEncoder& operator=(const TGifEncoder&) = delete;

    // Adds a frame of the encoder's size, shown for delay hundredths of a second (0 to 65535).
    void AddFrame(const TSurface& frame, int delay);
    // Writes what is pending and the trailer; throws std::runtime_error naming the path.
    void Close();

    int FramesWritten() const { return FFramesWritten; }

private:
    // A frame waiting for the next one, which may lengthen it.
    struct TPendingFrame {
        TRect Area{};
        std::vector<std::uint32_t> Palette;  // 0x00RRGGBB; empty: the global table
        std::vector<std::uint8_t> Indices;   // Area's pixels, row by row
        int Delay = 0;
    };

    void WriteHeader(const std::vector<std::uint32_t>& globalPalette);
    void WritePending();
    TPendingFrame Encode(const TSurface& frame, const TRect& area) const;
    std::string FPath;
    int FWidth;
    int FHeight;
    std::unique_ptr<TGifFile> FFile;
    std::vector<std::uint32_t> FGlobalPalette;
    TSurface FPrevious;
    std::optional<TPendingFrame> FPending;
    int FFramesWritten = 0;
    bool FHeaderWritten = false;
};
