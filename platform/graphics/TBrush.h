#pragma once

#include "graphics/Graphics.h"
#include "graphics/TGraphicsObject.h"

class TBitmap;

class TBrush : public TGraphicsObject {
    DECLARE_CLASSINFO()

public:
    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid again.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    // A bitmap makes the brush repeat it instead of filling with its colour. The brush only
    // refers to the bitmap: whoever set it keeps it alive while the brush uses it.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};
