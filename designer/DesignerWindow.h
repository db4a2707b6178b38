// The designer's window lives in a library of its own (libQmDesignerWindow.so, on SDL2), which
// a program loads only when it opens the window: scripts and everything headless never load
// SDL2. This is what the two sides agree on.
#pragma once

#include <string>

#include "win/WinApi.h"

struct TDesignerWindowOptions {
    std::string FormFile;       // the form to open; empty for a new form
    HMODULE Package = nullptr;  // the package whose palette page and bitmaps are shown
    std::string PackageFile;
    int Scale = 1;           // screen pixels a pixel
    std::string Screenshot;  // write the window's pixels to this PNG after AfterMs, then close
    int AfterMs = 0;
    std::string RecoveryDir;  // where recovery files live
    bool Recover = false;     // open the recovery file of FormFile instead of asking
};

// The library's entry: shows the designer until its window is closed; returns the exit status
// (1 when the form cannot be read or no window can be opened, with the reason on stderr).
using TDesignerWindowMain = int (*)(const TDesignerWindowOptions& options);
constexpr const char* kDesignerWindowMain = "QmDesignerWindowMain";

// Where the window library sits: next to libQmDesigner.
std::string DesignerWindowLibraryPath();
