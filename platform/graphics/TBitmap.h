// A bitmap that owns its HBITMAP: what a glyph, a tile or a list box's on/off picture is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/TGraphicsObject.h"
#include "win/WinApi.h"

class TCanvas;

class TBitmap : public TGraphicsObject {
    DECLARE_CLASSINFO()

public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // The bitmap takes ownership of the handle it is given and frees the one it had.
    HBITMAP Handle() const { return FImage; }
    void SetHandle(HBITMAP handle);
    // Gives up the handle without freeing it; the bitmap is empty afterwards.
    HBITMAP ReleaseHandle();

    int Width() const;
    int Height() const;
    void SetWidth(int value);
    void SetHeight(int value);
    void SetSize(int width, int height);
    bool Empty() const { return Width() == 0 || Height() == 0; }

    // The pixels, or null when empty.
    const TBitmapImage* Image() const { return FImage; }
    TBitmapImage* Image() { return FImage; }

    // Copies another bitmap; a null source empties this one, and a bitmap copied onto itself
    // stays as it is.
    void Assign(const TPersistent* source) override;

    // A canvas that draws into the bitmap.
    TCanvas* Canvas();

    // Windows .bmp files; bad data raises EInvalidGraphic and leaves the bitmap unchanged.
    // An empty bitmap saves as no bytes, and no bytes load as an empty bitmap.
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;
    void LoadFromBytes(const std::uint8_t* data, std::size_t size);
    std::vector<std::uint8_t> SaveToBytes() const;

    void DefineProperties(TFiler& filer) override;

private:
    void EnsureImage();
    TBitmapImage* FImage = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
};
