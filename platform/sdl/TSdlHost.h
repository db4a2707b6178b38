// A host that shows a form in a desktop window through SDL2. The form paints into the host's
// surface as on every host; what a paint pass or a control's own drawing changed is copied into
// the window's texture rectangle by rectangle and presented. Mouse, wheel and keyboard events
// become the framework's messages for the window under the pointer, the window that holds the
// mouse while a button is down, or the window with the focus; Tab moves the focus in tab order.
// Resizing the window resizes the form's client area. Run drives the thread's message loop on
// the real clock until the window is closed.
#pragma once

#include <optional>
#include <string>

#include "hosts/TDesktopHost.h"
#include "loop/TClock.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

class TSdlHost : public TDesktopHost {
public:
    // Opens a window showing form, whose client area is scale x scale screen pixels a pixel,
    // enlarged without smoothing. The window title is the form's caption. Raises ENoDisplay
    // when SDL has no video driver or no window can be made, std::invalid_argument for a scale
    // outside 1..kMaxScale.
    TSdlHost(TWinControl* form, int scale = 1);
    ~TSdlHost() override;
    TSdlHost(const TSdlHost&) = delete;
    TSdlHost& operator=(const TSdlHost&) = delete;

    int Scale() const { return FScale; }
    // SDL's identifier of the window, which events for it carry.
    unsigned WindowId() const;
    // The name of the video driver SDL chose ("x11", "wayland", "offscreen", ...).
    static std::string VideoDriver();
    std::string DriverName() const override { return VideoDriver(); }

    // Handles every event in SDL's queue. Returns false once the window was closed.
    bool PumpEvents();
    // Handles one event; returns false when it closes the window.
    bool HandleEvent(const SDL_Event& event);
    // Paints what is due and presents what changed.
    void Present() override;
    // Runs the thread's message loop on the real clock, painting and presenting after each
    // round and waiting for window events in between, until the window is closed or
    // PostQuitMessage; returns the exit code. The loop is back on its virtual clock
    // afterwards.
    int Run() override;
    // The pixels the window presented last, read back from the renderer (Width x Height of
    // the window's drawing area, at the window's scale).
    TSurface ReadPresentedPixels() override;
    // How many times a rectangle was copied into the texture, and the pixels copied, since
    // the window opened: what tests check dirty-rectangle presentation with.
    int UploadCount() const { return FUploads; }
    long long UploadedPixels() const { return FUploadedPixels; }

    void ControlDestroyed(const TControl* control) override;

protected:
    void Presented(const TRect& area) override;

private:
    void CreateTexture();
    void Draw();
    void Resized(int windowWidth, int windowHeight);
    void MouseButton(const SDL_Event& event, bool down);
    void MouseMotion(const SDL_Event& event);
    void MouseWheel(const SDL_Event& event);
    void Key(const SDL_Event& event, bool down);
    void TextInput(const SDL_Event& event);
    // The window under a point of the surface, and the point in its client coordinates.
    TWinControl* Target(TPoint surfacePoint, TPoint& clientPoint);
    // The window that takes mouse messages at a point: the one holding the mouse, or the one
    // under the pointer.
    TWinControl* MouseTarget(TPoint surfacePoint, TPoint& clientPoint);
    TPoint SurfacePoint(int windowX, int windowY) const;

    int FScale;
    bool FOwnsVideo = false;
    SDL_Window* FWindow = nullptr;
    SDL_Renderer* FRenderer = nullptr;
    SDL_Texture* FTexture = nullptr;
    int FTextureWidth = 0;
    int FTextureHeight = 0;
    bool FNeedsDraw = true;
    bool FClosed = false;
    TWinControl* FCapture = nullptr;  // the window holding the mouse while a button is down
    unsigned FButtons = 0;            // the SDL buttons down, as a mask
    unsigned FWakeEvent = 0;          // the event type that ends a wait for events early
    int FUploads = 0;
    long long FUploadedPixels = 0;
    std::string FTitle;  // the caption the window's title shows
};
