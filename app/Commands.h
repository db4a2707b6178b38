// The commands of the quillmere tool. Each returns the process's exit status: 0 done,
// 1 bad input or a failure on the way, 2 bad usage.
#pragma once

#include <exception>
#include <string>

namespace Commands {

// What an error says, for a message: an allocation that failed says so in words.
std::string ErrorText(const std::exception& e);

struct TDemoOptions {
    std::string Output = "quillmere-gallery.png";
    std::string FormFile;  // also write the gallery as a text form file here
};
int Demo(const TDemoOptions& options);

struct TRenderOptions {
    std::string Input;       // a form file, text or binary
    std::string Output;      // the PNG to write; with several frames, numbered PNGs or a .gif
    int Frames = 1;          // frames to write, the first as the form stands
    int IntervalMs = 100;    // virtual time between frames
    bool Designing = false;  // show the form as a design environment does
};
int Render(const TRenderOptions& options);

struct TConvertOptions {
    std::string Input;
    std::string Output;
    // Binary output in the resource file a design environment writes, rather than the bare
    // stream.
    bool ResourceHeader = false;
};
int Convert(const TConvertOptions& options);
// How a form is shown in a window.
struct TWindowOptions {
    int Scale = 1;           // screen pixels a form pixel, enlarged without smoothing
    std::string Screenshot;  // write the window's pixels to this PNG, then close the window
    int AfterMs = 0;         // real time the form runs before the screenshot
};
struct TShowOptions {
    std::string Input;  // a form file, text or binary
    TWindowOptions Window;
};
// Shows a form file in a desktop window until the window is closed; 1 when the form cannot
// be read or no window can be opened.
int Show(const TShowOptions& options);
// Shows the built-in gallery in a window, as it stands in the picture demo writes.
int ShowGallery(const TWindowOptions& options);

struct TGlyphsOptions {
    std::string Directory = ".";
};
// Writes the package's glyph bitmaps as .bmp files, one per resource, named after it.
int Glyphs(const TGlyphsOptions& options);

struct TPaletteOptions {
    std::string Package;       // the package library; empty for the one the tool is built with
    std::string ResourcesDir;  // also write every resource of the package here
};
// Loads the package as a design environment does (LoadPackage, which runs Initialize, then each
// unit's Register) and prints its palette pages, description, version, required packages and
// contained units.
int Palette(const TPaletteOptions& options);

struct TDesignOptions {
    std::string Form;         // the form file to open; empty for a new form
    std::string Package;      // the package to load; empty for the one the tool is built with
    std::string Script;       // run these commands without a window, then exit
    std::string Output;       // after the script, save the form here
    bool Binary = false;      // save Output as a binary form
    bool Recover = false;     // open the form's recovery file
    std::string RecoveryDir;  // where recovery files live (default: the user's state folder)
    TWindowOptions Window;
};
// The form designer: in a window, or running a script of its commands (--script), in which
// case an error names the script's line and ends the command with 1.
int Design(const TDesignOptions& options);

}  // namespace Commands
