#include "support/GifReading.h"

#include <gif_lib.h>

#include <cstring>
#include <stdexcept>

TDecodedGif ReadGif(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) throw std::runtime_error(path + ": " + GifErrorString(error));
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        throw std::runtime_error(path + ": cannot read the GIF");
    }
    TDecodedGif out;
    TSurface canvas(gif->SWidth, gif->SHeight);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& b = image.ExtensionBlocks[e];
            if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
                std::memcmp(b.Bytes, "NETSCAPE2.0", 11) == 0)
                out.LoopsForever = true;
        }
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const GifColorType& c = map->Colors[image.RasterBits[y * d.Width + x]];
                canvas.Set(d.Left + x, d.Top + y,
                           (TPixel{c.Red} << 16) | (TPixel{c.Green} << 8) | c.Blue);
            }
        out.Frames.push_back(canvas);
        out.Delays.push_back(control.DelayTime);
        out.Areas.push_back(TRect{d.Left, d.Top, d.Left + d.Width, d.Top + d.Height});
    }
    DGifCloseFile(gif, &error);
    return out;
}
