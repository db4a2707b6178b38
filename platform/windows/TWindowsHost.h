// A host that shows a form in the system's own windows: the form is a top-level window and
// every windowed control a child window of its parent's, at its bounds, in its z-order, shown
// while it shows. The system clips each window by its siblings above and its children, sends
// WM_PAINT for what needs repainting (the framework's Invalidate becomes the system's
// invalidation), moves the focus, and delivers the mouse and the keyboard to the window under
// the pointer, the window holding the mouse or the window with the focus; the host hands each
// message to the window's control. Borders are the framework's own: a child window's
// non-client area is its control's border, which the control paints on WM_NCPAINT. Run waits
// for the system's messages, with a system timer for the framework's next tick.
//
// At a scale above 1 each form pixel is shown as scale x scale screen pixels, which the
// system's windows cannot do: the form then paints into the host's surface as on the headless
// host, and one window shows it enlarged.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "hosts/TDesktopHost.h"

class TWindowsHost : public TDesktopHost {
public:
    // Opens the form's window, its client area the form's client area at the scale given,
    // titled with the form's caption. Raises ENoDisplay when no window can be made,
    // std::invalid_argument for a scale outside 1..kMaxScale.
    TWindowsHost(TWinControl* form, int scale = 1);
    ~TWindowsHost() override;
    TWindowsHost(const TWindowsHost&) = delete;
    TWindowsHost& operator=(const TWindowsHost&) = delete;

    int Scale() const { return FScale; }
    // The form's window.
    HWND Window() const { return FWindow; }
    // The window of a windowed control, or null.
    HWND WindowOf(const TWinControl* control) const;
    // Where the windows are shown: "windows".
    static std::string VideoDriver();
    std::string DriverName() const override { return VideoDriver(); }

    // Makes the windows match the controls and paints what is due.
    void Present() override;
    // Handles every message in the thread's queue; false once the form's window was closed.
    bool PumpMessages();
    // Runs the thread's message loop on the real clock until the window is closed or
    // PostQuitMessage, waiting for the system's messages in between; returns the exit code.
    // The loop is back on its virtual clock afterwards.
    int Run() override;
    // The pixels of the window's client area as the screen shows them.
    TSurface ReadPresentedPixels() override;

    void InvalidateRect(const TControl* control, const TRect& surfaceRect) override;
    void PaintPending() override;
    HDC CreateClientContext(const TWinControl* control) override;
    void ReleaseContext(HDC dc) override;
    void SetFocusedControl(TWinControl* control) override;
    void ControlDestroyed(const TControl* control) override;

protected:
    void Presented(const TRect& area) override;

private:
    struct TChild {
        HWND Window = nullptr;
        TRect Bounds{};
        TRect Insets{};
        bool Shown = false;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT FormMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT ChildMessage(TWinControl* control, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // Hands a mouse or key message to a control; the host's part of both kinds of window.
    bool Input(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam);

    // Makes, moves, stacks, shows and hides the child windows as the controls stand.
    void SyncWindows();
    void SyncChildren(TWinControl* parent, HWND parentWindow);
    void DestroyChildWindows();
    // The control of a child window, or the form for the form's window.
    TWinControl* ControlOf(HWND window) const;

    void Resized(int clientWidth, int clientHeight);
    // At a scale above 1: the surface, enlarged, into the window.
    void DrawScaled(HDC dc, const RECT& area);
    TWinControl* ScaledTarget(TPoint surfacePoint, TPoint& clientPoint);
    void ScaledMouse(UINT msg, WPARAM wParam, LPARAM lParam);

    int FScale;
    HWND FWindow = nullptr;
    std::map<const TWinControl*, TChild> FChildren;
    bool FClosed = false;
    bool FSyncing = false;
    TWinControl* FCapture = nullptr;  // at a scale: the window holding the mouse
    unsigned FButtons = 0;            // at a scale: MK_LBUTTON, MK_RBUTTON held
    DWORD FThread = 0;
};
