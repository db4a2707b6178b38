#include "designer/TDesignSurface.h"

#include "controls/Frame3D.h"
#include "gdi/TBitmapImage.h"
#include "graphics/Graphics.h"

namespace {

// The classic window frame of a form: a 4-pixel raised border and a 19-pixel caption bar
// with a line under it, as TForm's non-client insets give it.
constexpr int kBorder = 4;
constexpr int kCaptionBar = 18;

TRect Inflated(const TRect& r, int by) {
    return TRect{r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
}

}  // namespace

TDesignSurface::TDesignSurface(TComponent* owner, TDesigner& designer)
    : TCustomControl(owner), FDesigner(designer), FMirror(std::make_unique<TBitmap>()) {
    SetTabStop(true);
    SetColor(clAppWorkSpace);
    FDesigner.AddListener(this);
    FDesigner.Update();
    FitMirror();
    CopyFormPixels(FDesigner.FormHost().Surface().Bounds());
    FShownHandles = HandleRects();
    FShownCaption = FDesigner.Form()->Caption();
}

TDesignSurface::~TDesignSurface() {
    FDesigner.RemoveListener(this);
}

TRect TDesignSurface::FormWindowRect() const {
    const TForm* form = FDesigner.Form();
    return TRect{kMargin, kMargin, kMargin + form->Width(), kMargin + form->Height()};
}

TPoint TDesignSurface::FormOrigin() const {
    const TRect in = FDesigner.Form()->NonClientInsets();
    return TPoint{kMargin + in.Left, kMargin + in.Top};
}

TPoint TDesignSurface::PreferredClientSize() const {
    const TRect w = FormWindowRect();
    return TPoint{w.Right + kMargin, w.Bottom + kMargin};
}

TPoint TDesignSurface::ToForm(TPoint p) const {
    const TPoint o = FormOrigin();
    return TPoint{p.X - o.X, p.Y - o.Y};
}

TRect TDesignSurface::FromForm(const TRect& r) const {
    const TPoint o = FormOrigin();
    return Translated(r, o.X, o.Y);
}

// ---------------------------------------------------------------------------------------------
// What the designer tells.

void TDesignSurface::FitMirror() {
    const TSurface& form = FDesigner.FormHost().Surface();
    if (FMirror->Width() == form.Width() && FMirror->Height() == form.Height()) return;
    FMirror->SetSize(form.Width(), form.Height());
    Invalidate();
}

void TDesignSurface::CopyFormPixels(const TRect& area) {
    FitMirror();
    const TSurface& form = FDesigner.FormHost().Surface();
    if (FMirror->Empty()) return;
    const TRect r = IntersectRects(area, form.Bounds());
    TBitmapImage mirror = FMirror->Image();
    for (int y = r.Top; y < r.Bottom; ++y)
        std::copy(form.Row(y) + r.Left, form.Row(y) + r.Right, mirror.Pixels.Row(y) + r.Left);
    FMirror->SetImage(mirror);
    InvalidateRect(FromForm(r));
}

void TDesignSurface::FormPainted(const TRect& area) {
    CopyFormPixels(area);
    RefreshHandles();
}

void TDesignSurface::FormReplaced() {
    FShownCaption = FDesigner.Form()->Caption();
    FitMirror();
    Invalidate();
    RefreshHandles();
}

void TDesignSurface::FormChanged() {
    // The caption bar shows the form's caption; the frame follows its size.
    if (FDesigner.Form()->Caption() != FShownCaption) {
        FShownCaption = FDesigner.Form()->Caption();
        const TRect w = FormWindowRect();
        InvalidateRect(TRect{w.Left, w.Top, w.Right, w.Top + kBorder + kCaptionBar});
    }
    const TSurface& form = FDesigner.FormHost().Surface();
    if (FMirror->Width() != form.Width() || FMirror->Height() != form.Height()) Invalidate();
    RefreshHandles();
}

void TDesignSurface::SelectionChanged() {
    RefreshHandles();
}

void TDesignSurface::GestureChanged(const TRect& before, const TRect& after) {
    for (const TRect& r : {before, after})
        if (!r.IsEmpty()) InvalidateRect(Inflated(FromForm(r), 1));
}

std::vector<TRect> TDesignSurface::HandleRects() const {
    std::vector<TRect> rects;
    const auto& selection = FDesigner.Selection();
    const bool several = selection.size() > 1;
    for (TComponent* c : selection) {
        auto* control = dynamic_cast<TControl*>(c);
        if (!control || control == FDesigner.Form()) continue;
        const std::vector<TRect> handles = TDesigner::HandleRects(FDesigner.FormBounds(control));
        for (std::size_t i = 0; i < handles.size(); ++i)
            if (!several || i % 2 == 0) rects.push_back(FromForm(handles[i]));
    }
    return rects;
}

void TDesignSurface::RefreshHandles() {
    std::vector<TRect> now = HandleRects();
    if (now == FShownHandles) return;
    for (const TRect& r : FShownHandles) InvalidateRect(r);
    for (const TRect& r : now) InvalidateRect(r);
    FShownHandles = std::move(now);
}

// ---------------------------------------------------------------------------------------------
// Painting.

// (M, M)
//    +--------------------------------+
//    |########## caption bar #########|   border 4, caption bar 18, a line
//    |+------------------------------+|
//    || the form's client area:      ||   copied from the form's host
//    ||   controls, grid, [handles]  ||
//    |+------------------------------+|
//    +--------------------------------+
void TDesignSurface::PaintWindowFrame() {
    TCanvas* canvas = Canvas();
    TRect r = FormWindowRect();
    Frame3D(canvas, r, clBtnFace, cl3DDkShadow, 1);
    Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FrameRect(r);
    canvas->FrameRect(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    const TRect bar{r.Left + 2, r.Top + 2, r.Right - 2, r.Top + 2 + kCaptionBar};
    canvas->Brush()->SetColor(clActiveCaption);
    canvas->FillRect(bar);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(TRect{bar.Left, bar.Bottom, bar.Right, bar.Bottom + 1});
    canvas->Font()->SetColor(clCaptionText);
    canvas->Font()->SetStyle(TFontStyles{fsBold});
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(bar, bar.Left + 2, bar.Top + (kCaptionBar - canvas->TextHeight("W")) / 2,
                     FDesigner.Form()->Caption());
    canvas->Brush()->SetStyle(bsSolid);
}

void TDesignSurface::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    PaintWindowFrame();
    const TPoint o = FormOrigin();
    canvas->Draw(o.X, o.Y, FMirror.get());
    const bool several = FDesigner.Selection().size() > 1;
    canvas->Brush()->SetColor(several ? clGray : clBlack);
    for (const TRect& r : FShownHandles) canvas->FillRect(r);
    const TRect gesture = FDesigner.GestureRect();
    if (!gesture.IsEmpty()) canvas->DrawFocusRect(FromForm(gesture));
}

// ---------------------------------------------------------------------------------------------
// Input.

void TDesignSurface::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FMouseDown = true;
    FDesigner.MouseDown(ToForm(TPoint{x, y}), shift);
    FDesigner.Update();
}

void TDesignSurface::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!FMouseDown) return;
    FDesigner.MouseMove(ToForm(TPoint{x, y}), shift);
    FDesigner.Update();
}

void TDesignSurface::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FMouseDown) return;
    FMouseDown = false;
    FDesigner.MouseUp(ToForm(TPoint{x, y}), shift);
    FDesigner.Update();
}

void TDesignSurface::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key && FDesigner.KeyDown(key, shift)) {
        key = 0;
        FDesigner.Update();
    }
}

// ---------------------------------------------------------------------------------------------

TSurface DesignSurfaceImage(TDesigner& designer) {
    TForm frame(nullptr);
    auto* surface = new TDesignSurface(&frame, designer);
    const TPoint size = surface->PreferredClientSize();
    frame.SetClientWidth(size.X);
    frame.SetClientHeight(size.Y);
    surface->SetBounds(0, 0, size.X, size.Y);
    surface->SetParent(&frame);
    THeadlessHost host(&frame);
    return host.Render();
}
