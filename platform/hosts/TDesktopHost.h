// A host that shows a form in a window on the desktop. The window host library (libQmSdlHost,
// TSdlHost on SDL2) is linked by programs that always open a window; a program that opens one
// only now and then loads that library when it does, makes the host through the function the
// library exports (kOpenDesktopHost), and reaches it through this interface, so that it links
// neither the library nor SDL2.
#pragma once

#include <stdexcept>
#include <string>

#include "controls/TWindowHost.h"
#include "gdi/TSurface.h"

class TWinControl;

// No window can be opened: no display, or the window system could not make one. what() says
// why.
class ENoDisplay : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ~ENoDisplay() override;
};

class TDesktopHost : public TWindowHost {
public:
    // The largest pixel scale; beyond it a window of even a small form outgrows any screen.
    static constexpr int kMaxScale = 8;

    ~TDesktopHost() override;

    // Paints what is due and presents what changed.
    virtual void Present() = 0;
    // Runs the thread's message loop on the real clock until the window is closed or
    // PostQuitMessage; returns the exit code.
    virtual int Run() = 0;
    // The pixels the window presented last, at the window's scale.
    virtual TSurface ReadPresentedPixels() = 0;
    // The name of the window system's driver ("x11", "wayland", "offscreen", ...).
    virtual std::string DriverName() const = 0;
};

// What the window host library exports under the name kOpenDesktopHost: opens a window
// showing form, scale x scale screen pixels a pixel. Raises ENoDisplay when no window can be
// opened, std::invalid_argument for a scale outside 1..kMaxScale.
using TOpenDesktopHost = TDesktopHost*(TWinControl* form, int scale);
constexpr const char* kOpenDesktopHost = "QmOpenDesktopHost";
