// A tool button with a picture: a glyph (the bitmap's bottom-left pixel's colour shows the face
// through) and an optional caption below it. With a GroupIndex it stays down when clicked and
// lets the other buttons of its group on the same parent up; AllowAllUp lets a click raise it
// again. Flat buttons show their edge only while they are down. Speed buttons never take the
// focus.
#pragma once

#include <memory>

#include "controls/TCustomControl.h"
#include "graphics/TBitmap.h"

class TSpeedButton : public TCustomControl {
    DECLARE_CLASSINFO()

public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* glyph);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);

    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // The glyph with its transparent colour replaced by the face's, made when first drawn.
    const TBitmap* FaceGlyph() const;

    std::unique_ptr<TBitmap> FGlyph;
    mutable std::unique_ptr<TBitmap> FFaceGlyph;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FPressed = false;  // the mouse holds it down over the button
    bool FMouseHeld = false;
};
