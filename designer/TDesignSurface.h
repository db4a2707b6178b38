// The design surface: the form being designed, shown in its window frame on the workspace,
// with the selection's handles and the outline of a gesture drawn over it. The form paints on
// a host of its own; the surface keeps a copy of those pixels and copies in only what the
// form's host repainted, so a drag repaints only what changed. Mouse and keys go to the
// designer, in form coordinates.
#pragma once

#include <memory>
#include <vector>

#include "controls/TCustomControl.h"
#include "designer/TDesigner.h"
#include "graphics/TBitmap.h"

class TDesignSurface : public TCustomControl, private TDesignerListener {
public:
    // The workspace left around the form's window.
    static constexpr int kMargin = 8;

    TDesignSurface(TComponent* owner, TDesigner& designer);
    ~TDesignSurface() override;

    // Where the form's client area and its window lie in the surface's client coordinates.
    TPoint FormOrigin() const;
    TRect FormWindowRect() const;
    // The client size that shows the whole form window with the margin around it.
    TPoint PreferredClientSize() const;
    // A point of the surface in the form's client coordinates, and back.
    TPoint ToForm(TPoint p) const;
    TRect FromForm(const TRect& r) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    void FormReplaced() override;
    void FormChanged() override;
    void SelectionChanged() override;
    void FormPainted(const TRect& area) override;
    void GestureChanged(const TRect& before, const TRect& after) override;

    // The handles of the selection as drawn: surface rectangles and whether each is solid
    // (one control selected) or gray (several).
    std::vector<TRect> HandleRects() const;
    void RefreshHandles();
    void CopyFormPixels(const TRect& area);
    void FitMirror();
    void PaintWindowFrame();

    TDesigner& FDesigner;
    std::unique_ptr<TBitmap> FMirror;
    std::vector<TRect> FShownHandles;
    std::string FShownCaption;
    bool FMouseDown = false;
};

// The design surface as a picture, grid and handles included: what the script's screenshot
// command writes.
TSurface DesignSurfaceImage(TDesigner& designer);
