#include "controls/Frame3D.h"

#include "graphics/TCanvas.h"

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    canvas->Pen()->SetWidth(1);
    rect.Bottom -= 1;
    rect.Right -= 1;
    while (width > 0) {
        --width;
        canvas->Pen()->SetColor(topColor);
        canvas->MoveTo(rect.Left, rect.Bottom);
        canvas->LineTo(rect.Left, rect.Top);
        canvas->LineTo(rect.Right, rect.Top);
        canvas->Pen()->SetColor(bottomColor);
        canvas->MoveTo(rect.Right, rect.Top);
        canvas->LineTo(rect.Right, rect.Bottom);
        canvas->LineTo(rect.Left - 1, rect.Bottom);
        rect = TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
    rect.Bottom += 1;
    rect.Right += 1;
}
