#pragma once

#include "graphics/Graphics.h"
#include "graphics/TGraphicsObject.h"

class TBrush : public TGraphicsObject {
    DECLARE_CLASSINFO()

public:
    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid again.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};
