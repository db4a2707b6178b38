// A bitmap that owns its HBITMAP: what a glyph, a tile or a list box's on/off picture is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/TBitmapImage.h"
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
    HBITMAP Handle() const { return FHandle; }
    void SetHandle(HBITMAP handle);
    // Gives up the handle without freeing it; the bitmap is empty afterwards.
    HBITMAP ReleaseHandle();

    int Width() const;
    int Height() const;
    void SetWidth(int value);
    void SetHeight(int value);
    void SetSize(int width, int height);
    bool Empty() const { return Width() == 0 || Height() == 0; }

    // A copy of the pixels and the format they were read in; empty when the bitmap is.
    TBitmapImage Image() const;
    // Replaces the pixels and format.
    void SetImage(const TBitmapImage& image);

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
    // Lets the canvas's context go, so that the bitmap is selected into none.
    void DetachCanvas() const;
    // Takes the handle (freeing the one it had) or, for none, the size of an empty bitmap.
    void Replace(HBITMAP handle, TPoint emptySize);

    HBITMAP FHandle = nullptr;
    // The size of a bitmap with no pixels, which one side of 0 leaves without a handle.
    TPoint FEmptySize{};
    std::unique_ptr<TCanvas> FCanvas;
};
