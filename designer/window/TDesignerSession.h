// The designer in a desktop window: the designer's form on an SDL2 host, the system clipboard,
// the preview in a second window, and the message loop that serves both windows on the real
// clock (the designed form's timers run in it, autosave too).
#pragma once

#include <memory>
#include <string>

#include "designer/DesignerWindow.h"

union SDL_Event;
class TDesigner;
class TDesignerWindow;
class TForm;
class TSdlHost;
class TTimer;

class TDesignerSession {
public:
    // Opens the form (a file that does not exist yet is a new form Save writes there) and the
    // window. Raises ENoDisplay without a window system, std::runtime_error for a form that
    // cannot be read.
    explicit TDesignerSession(const TDesignerWindowOptions& options);
    ~TDesignerSession();
    TDesignerSession(const TDesignerSession&) = delete;
    TDesignerSession& operator=(const TDesignerSession&) = delete;

    TDesigner& Designer() const { return *FDesigner; }
    TDesignerWindow& Window() const { return *FWindow; }
    TSdlHost& Host() const { return *FHost; }
    // The preview's window, while it is open.
    TSdlHost* PreviewHost() const { return FPreview.get(); }

    // Handles one event: a close of the designer's window asks first when the form is not
    // saved; a close of the preview's window closes the preview.
    void HandleEvent(const SDL_Event& event);
    // Handles every event in SDL's queue, then paints and presents what changed.
    void PumpEvents();
    void Present();
    // Runs until the window is closed; with a screenshot asked for, until it is taken.
    int Run();

private:
    void OpenPreview();

    TDesignerWindowOptions FOptions;
    std::unique_ptr<TDesigner> FDesigner;
    std::unique_ptr<TDesignerWindow> FWindow;
    std::unique_ptr<TSdlHost> FHost;
    std::unique_ptr<TForm> FPreviewForm;
    std::unique_ptr<TSdlHost> FPreview;
    bool FQuit = false;
};
