// What a top-level form shows on: a surface, a record of what needs repainting, and the paint
// pass that repaints it. The headless host paints into memory; a windowed host also presents.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "controls/Controls.h"
#include "controls/TSurfaceDevice.h"
#include "core/Types.h"
#include "gdi/TCallLog.h"
#include "gdi/TSurface.h"
#include "win/WinApi.h"

class TControl;
class TWinControl;

// The state of the modifier keys, as the host last saw it.
TShiftState KeyboardShiftState();
void SetKeyboardShiftState(TShiftState state);

// The largest surface a host paints on: any real screen fits, and its pixels take at most
// 256 MB.
constexpr int kMaxSurfaceSide = 32768;
constexpr std::int64_t kMaxSurfacePixels = std::int64_t{1} << 26;

// A form whose client area is larger than a host's surface may be.
class ESurfaceTooLarge : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TWindowHost {
public:
    // Raises ESurfaceTooLarge, saying how large the form is and what the limits are, when the
    // client area of root does not fit a surface.
    static void CheckSurfaceSize(const TWinControl& root);

    virtual ~TWindowHost();

    // The pixels of the root's client area as painted so far. Where the system draws, they
    // are read back when asked for: ask again after drawing.
    const TSurface& Surface() const { return FDevice.Pixels(); }
    TRect SurfaceBounds() const { return FDevice.Bounds(); }
    TWinControl* Root() const { return FRoot; }

    // Marks a rectangle of the surface for the next paint pass, on behalf of a control.
    virtual void InvalidateRect(const TControl* control, const TRect& surfaceRect);
    // Runs the paint pass: every window that meets the dirty area is repainted there, parents
    // before children, each clipped to its visible client area and to the dirty area. What was
    // repainted, together with what controls drew on their own since the last pass, goes to
    // Presented.
    virtual void PaintPending();
    bool HasPending() const { return !FDirty.IsEmpty(); }
    TRect PendingRect() const { return FDirty; }
    // Marks the whole surface dirty and paints it.
    void PaintAll();

    // What controls asked of the framework, for tests and tools.
    int InvalidateCount(const TControl* control) const;
    int PaintCount(const TControl* control) const;
    void ResetCounts();
    // Records the drawing calls of every context made for the control (null: stop).
    void SetCallLog(const TControl* control, TCallLog* log);
    TCallLog* CallLogFor(const TControl* control) const;

    // A context on the control's client area for drawing outside the paint pass (a control
    // that paints on its own, as the marquee does on a tick): clipped to what of the client
    // area shows (TWinControl::VisibleClientRegion, which leaves out the windows above it),
    // recording into the control's call log, and noting what it draws so that a windowed host
    // can present it. Until it is released the host keeps its clip up to date as windows
    // move, show, hide, come and go.
    virtual HDC CreateClientContext(const TWinControl* control);
    // Frees a context made by CreateClientContext or CreateNullContext.
    virtual void ReleaseContext(HDC dc);
    // A context that draws on nothing, for a control without a window, and its release.
    static HDC CreateNullContext();
    static void ReleaseNullContext(HDC dc);
    // Windows have moved, shown, hidden, come or gone: the contexts made outside the paint
    // pass get their clips again.
    void WindowsChanged();

    // Makes the surface follow the root's client size, as far as the limits allow: of a
    // larger client area, the surface holds the top-left part.
    void ResizeSurface();

    // The control with the keyboard focus; moving the focus sends WM_KILLFOCUS and
    // WM_SETFOCUS.
    TWinControl* FocusedControl() const { return FFocused; }
    virtual void SetFocusedControl(TWinControl* control);
    // Forgets a control that is going away.
    virtual void ControlDestroyed(const TControl* control);

    // Takes the root off this host: its windows are destroyed.
    void Detach();

protected:
    TWindowHost() = default;
    // Shows root on this host: its window and its children's windows are created. Raises
    // ESurfaceTooLarge, before anything else, for a root too large to show.
    void Attach(TWinControl* root);
    // Called after the paint pass touched the rectangle of the surface.
    virtual void Presented(const TRect&) {}
    // Forgets what is due, for a host whose windows the system repaints itself.
    void DiscardPending() {
        FDirty = TRect{};
        FDrawn = TRect{};
    }

private:
    void PaintTree(TWinControl* control, const TRect& area);

    TSurfaceDevice FDevice;
    TWinControl* FRoot = nullptr;
    TRect FDirty{};
    TRect FDrawn{};
    TWinControl* FFocused = nullptr;
    std::map<const TControl*, int> FInvalidates;
    std::map<const TControl*, int> FPaints;
    std::map<const TControl*, TCallLog*> FLogs;
    std::map<HDC, const TWinControl*> FClientContexts;
};
