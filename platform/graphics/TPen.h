#pragma once

#include "graphics/Graphics.h"
#include "graphics/TGraphicsObject.h"

class TPen : public TGraphicsObject {
    DECLARE_CLASSINFO()

public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clBlack;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
    TPenMode FMode = pmCopy;
};
