#include "controls/TWindowHost.h"

#include <algorithm>
#include <string>

#include "controls/TWinControl.h"

namespace {
TShiftState gShiftState;
}

TShiftState KeyboardShiftState() {
    return gShiftState;
}
void SetKeyboardShiftState(TShiftState state) {
    gShiftState = state;
}

TWindowHost::~TWindowHost() {
    Detach();
}

void TWindowHost::CheckSurfaceSize(const TWinControl& root) {
    const std::int64_t w = root.ClientWidth(), h = root.ClientHeight();
    if (w <= kMaxSurfaceSide && h <= kMaxSurfaceSide && w * h <= kMaxSurfacePixels) return;
    throw ESurfaceTooLarge("the client area of " + std::to_string(w) + " x " + std::to_string(h) +
                           " pixels is larger than a window may be (at most " +
                           std::to_string(kMaxSurfaceSide) + " pixels a side and " +
                           std::to_string(kMaxSurfacePixels) + " pixels in all)");
}

void TWindowHost::Attach(TWinControl* root) {
    CheckSurfaceSize(*root);
    Detach();
    FRoot = root;
    root->SetHost(this);
    ResizeSurface();
    root->HandleNeeded();
    FDirty = FDevice.Bounds();
}

void TWindowHost::Detach() {
    if (!FRoot) return;
    TWinControl* root = FRoot;
    FRoot = nullptr;
    FFocused = nullptr;
    root->DestroyHandle();
    root->SetHost(nullptr);
}

void TWindowHost::ResizeSurface() {
    if (!FRoot) return;
    const int w = std::min(FRoot->ClientWidth(), kMaxSurfaceSide);
    const int h = static_cast<int>(std::min<std::int64_t>(
        std::min(FRoot->ClientHeight(), kMaxSurfaceSide), kMaxSurfacePixels / std::max(w, 1)));
    if (w == FDevice.Bounds().Width() && h == FDevice.Bounds().Height()) return;
    FDevice.Resize(w, h);
    FDirty = FDevice.Bounds();
    FDrawn = TRect{};
}

void TWindowHost::InvalidateRect(const TControl* control, const TRect& surfaceRect) {
    ++FInvalidates[control];
    FDirty = UnionRects(FDirty, IntersectRects(surfaceRect, FDevice.Bounds()));
}

int TWindowHost::InvalidateCount(const TControl* control) const {
    auto it = FInvalidates.find(control);
    return it == FInvalidates.end() ? 0 : it->second;
}

int TWindowHost::PaintCount(const TControl* control) const {
    auto it = FPaints.find(control);
    return it == FPaints.end() ? 0 : it->second;
}

void TWindowHost::ResetCounts() {
    FInvalidates.clear();
    FPaints.clear();
}

void TWindowHost::SetCallLog(const TControl* control, TCallLog* log) {
    if (log)
        FLogs[control] = log;
    else
        FLogs.erase(control);
}

TCallLog* TWindowHost::CallLogFor(const TControl* control) const {
    auto it = FLogs.find(control);
    return it == FLogs.end() ? nullptr : it->second;
}

void TWindowHost::SetFocusedControl(TWinControl* control) {
    if (control == FFocused) return;
    TWinControl* old = FFocused;
    FFocused = control;
    if (old) old->Perform(WM_KILLFOCUS);
    if (control) control->Perform(WM_SETFOCUS);
}

void TWindowHost::ControlDestroyed(const TControl* control) {
    if (FFocused == control) FFocused = nullptr;
    FInvalidates.erase(control);
    FPaints.erase(control);
    FLogs.erase(control);
    std::erase_if(FClientContexts, [&](const auto& entry) { return entry.second == control; });
}

HDC TWindowHost::CreateClientContext(const TWinControl* control) {
    HDC dc = FDevice.CreateContext(control->ClientOrigin(), control->VisibleClientRegion(),
                                   CallLogFor(control), &FDrawn);
    FClientContexts[dc] = control;
    return dc;
}

void TWindowHost::ReleaseContext(HDC dc) {
    FClientContexts.erase(dc);
    TSurfaceDevice::ReleaseContext(dc);
}

HDC TWindowHost::CreateNullContext() {
    return TSurfaceDevice::CreateNullContext();
}

void TWindowHost::ReleaseNullContext(HDC dc) {
    TSurfaceDevice::ReleaseContext(dc);
}

void TWindowHost::WindowsChanged() {
    for (const auto& [dc, control] : FClientContexts)
        TSurfaceDevice::SetVisibleRegion(dc, control->VisibleClientRegion());
}

void TWindowHost::PaintAll() {
    FDirty = FDevice.Bounds();
    PaintPending();
}

void TWindowHost::PaintPending() {
    // Painting may invalidate again (a control that changes itself while painting); those
    // requests wait for the next pass instead of looping here.
    if (!FRoot) return;
    const TRect area = FDirty;
    FDirty = TRect{};
    if (!area.IsEmpty()) PaintTree(FRoot, area);
    const TRect changed = IntersectRects(UnionRects(area, FDrawn), FDevice.Bounds());
    FDrawn = TRect{};
    if (!changed.IsEmpty()) Presented(changed);
}

void TWindowHost::PaintTree(TWinControl* control, const TRect& area) {
    if (!control->HandleAllocated() || !control->Visible()) return;
    TRect windowClip = control->SurfaceWindowRect();
    if (TWinControl* parent = control->Parent())
        windowClip = IntersectRects(windowClip, parent->VisibleClientClip());
    windowClip = IntersectRects(windowClip, area);
    if (windowClip.IsEmpty()) return;

    // The paint pass's contexts: what they draw is presented with the pass's area.
    struct TContext {
        HDC Dc;
        ~TContext() { TSurfaceDevice::ReleaseContext(Dc); }
    };
    TCallLog* log = CallLogFor(control);
    const TRect in = control->NonClientInsets();
    if (in.Left || in.Top || in.Right || in.Bottom) {
        const TRect w = control->SurfaceWindowRect();
        const TContext nc{FDevice.CreateContext(TPoint{w.Left, w.Top}, windowClip, log, nullptr)};
        control->PaintNonClient(nc.Dc);
    }
    const TRect clientClip = IntersectRects(control->VisibleClientClip(), area);
    if (clientClip.IsEmpty()) return;
    const TContext dc{FDevice.CreateContext(control->ClientOrigin(), clientClip, log, nullptr)};
    control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Dc));
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.Dc));
    ++FPaints[control];
    for (int i = 0; i < control->ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(control->Controls(i)))
            PaintTree(child, clientClip);
}
