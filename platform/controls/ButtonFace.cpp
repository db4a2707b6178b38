#include "controls/ButtonFace.h"

#include "controls/Frame3D.h"
#include "graphics/Graphics.h"
#include "graphics/TCanvas.h"

void DrawButtonFace(TCanvas* canvas, TRect& r, bool pushed) {
    if (pushed) {
        Frame3D(canvas, r, cl3DDkShadow, cl3DDkShadow, 1);
        Frame3D(canvas, r, clBtnShadow, clBtnFace, 1);
    } else {
        Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(canvas, r, cl3DLight, clBtnShadow, 1);
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(r);
}

//   shadow .............. highlight
//   . dark shadow ..... light .
//   . .  window        .       .
//   . .      x     x   .       .   the mark: seven columns, three pixels high each,
//   . .       x   x    .       .   going down two then up four
//   . .        x x     .       .
void DrawCheckGlyph(TCanvas* canvas, int x, int y, bool checked, bool enabled) {
    TRect r{x, y, x + kCheckGlyphSize, y + kCheckGlyphSize};
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(enabled ? clWindow : clBtnFace);
    canvas->FillRect(r);
    if (!checked) return;
    canvas->Brush()->SetColor(enabled ? clWindowText : clGrayText);
    static constexpr int kMarkTops[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        const int left = r.Left + 1 + i, top = r.Top + 2 + kMarkTops[i];
        canvas->FillRect(TRect{left, top, left + 1, top + 3});
    }
}

void DrawDownArrow(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    const int cx = (r.Left + r.Right) / 2, top = (r.Top + r.Bottom) / 2 - 2;
    for (int row = 0; row < 4; ++row)
        canvas->FillRect(TRect{cx - 3 + row, top + row, cx + 4 - row, top + row + 1});
}
