// quillmere: renders forms of the package's controls headless to PNG, converts form files,
// and shows forms in a window.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/Commands.h"
#include "hosts/TDesktopHost.h"

namespace {

// The options of a command that opens a window; with needs, only together with that flag.
void AddWindowOptions(CLI::App& cmd, Commands::TWindowOptions& window, CLI::Option* needs) {
    CLI::Option* scale = cmd.add_option("--scale", window.Scale,
                                        "Show each pixel as N x N screen pixels, without smoothing")
                             ->check(CLI::Range(1, TDesktopHost::kMaxScale))
                             ->capture_default_str();
    CLI::Option* shot = cmd.add_option("--screenshot", window.Screenshot,
                                       "Write the window's pixels to this PNG, then close it");
    CLI::Option* after =
        cmd.add_option("--after", window.AfterMs,
                       "With --screenshot: milliseconds the form runs first (0: as it opens)")
            ->check(CLI::Range(0, 3600000))
            ->needs(shot)
            ->capture_default_str();
    if (needs)
        for (CLI::Option* o : {scale, shot, after}) o->needs(needs);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"quillmere: the QEL controls, rendered headless or shown in a window"};
    app.require_subcommand(1);
    // A path is an argument on every system, also one that starts with '/'.
    app.allow_windows_style_options(false);

    Commands::TDemoOptions demo;
    CLI::App* demoCmd = app.add_subcommand(
        "demo", "Render the built-in gallery form to a PNG, or show it in a window (--show)");
    demoCmd->add_option("-o,--output", demo.Output, "PNG file to write")->capture_default_str();
    demoCmd->add_option("--form", demo.FormFile,
                        "Also write the gallery as a text form file, to edit and render again");
    bool demoShow = false;
    Commands::TWindowOptions demoWindow;
    CLI::Option* demoShowFlag =
        demoCmd->add_flag("--show", demoShow, "Show the gallery in a window instead");
    demoShowFlag->excludes(demoCmd->get_option("--output"))
        ->excludes(demoCmd->get_option("--form"));
    AddWindowOptions(*demoCmd, demoWindow, demoShowFlag);

    Commands::TRenderOptions render;
    CLI::App* renderCmd =
        app.add_subcommand("render", "Render a form file (text or binary) to a PNG");
    renderCmd->add_option("form", render.Input, "Form file to read")->required();
    renderCmd
        ->add_option("-o,--output", render.Output,
                     "PNG file to write; with --frames, numbered PNGs or an animated .gif")
        ->required();
    renderCmd->add_option("--frames", render.Frames, "Frames to write as the form runs")
        ->check(CLI::Range(1, 100000))
        ->capture_default_str();
    renderCmd->add_option("--interval", render.IntervalMs, "Milliseconds between frames")
        ->check(CLI::Range(1, 3600000))
        ->capture_default_str();
    renderCmd->add_flag("--designing", render.Designing,
                        "Show the form as a design environment does (design-time outlines)");

    Commands::TShowOptions show;
    CLI::App* showCmd = app.add_subcommand(
        "show",
        "Show a form file in a window: the marquee runs, clicks and keys work, the "
        "window resizes; close it to quit (needs a display)");
    showCmd->add_option("form", show.Input, "Form file to read (text or binary)")->required();
    AddWindowOptions(*showCmd, show.Window, nullptr);

    Commands::TConvertOptions convert;
    CLI::App* convertCmd =
        app.add_subcommand("convert", "Convert a form file: text to binary, binary to text");
    convertCmd->add_option("input", convert.Input, "Form file to read")->required();
    convertCmd->add_option("output", convert.Output, "Form file to write")->required();
    convertCmd->add_flag("--resource-header", convert.ResourceHeader,
                         "Write binary output inside the resource file header that a design "
                         "environment writes");

    Commands::TGlyphsOptions glyphs;
    CLI::App* glyphsCmd =
        app.add_subcommand("glyphs", "Write the list boxes' glyph bitmaps as .bmp files");
    glyphsCmd->add_option("-d,--directory", glyphs.Directory, "Folder to write them into")
        ->capture_default_str();

    Commands::TPaletteOptions palette;
    CLI::App* paletteCmd = app.add_subcommand(
        "palette", "Load a package as a design environment does and list its palette");
    paletteCmd->add_option("package", palette.Package,
                           "Package library to load (default: the one this tool is built with)");
    paletteCmd->add_option("--resources", palette.ResourcesDir,
                           "Also write every resource of the package into this folder");

    Commands::TDesignOptions design;
    CLI::App* designCmd = app.add_subcommand(
        "design",
        "Design a form: place, arrange and edit the package's controls in a window and "
        "save the form file; with --script, run designer commands without a window");
    designCmd->add_option("form", design.Form,
                          "Form file to open (text or binary); none: a new form");
    designCmd->add_option("--package", design.Package,
                          "Package library whose palette to show (default: the one this tool is "
                          "built with)");
    CLI::Option* scriptOption = designCmd->add_option(
        "--script", design.Script, "Run the designer commands in this file, one a line, and exit");
    designCmd
        ->add_option("-o,--output", design.Output, "With --script: save the form here at the end")
        ->needs(scriptOption);
    designCmd->add_flag("--binary", design.Binary, "Save --output as a binary form file")
        ->needs(scriptOption);
    designCmd->add_flag("--recover", design.Recover,
                        "Open the form's recovery file (what autosave kept of unsaved edits)");
    designCmd->add_option(
        "--recovery-dir", design.RecoveryDir,
        "Folder of the recovery files (default: ~/.local/state/quillmere/recovery)");
    AddWindowOptions(*designCmd, design.Window, nullptr);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        std::cerr << "Run 'quillmere --help' for usage.\n";
        return 2;
    }

    // The commands report their own errors; what still escapes them (an allocation that
    // failed where none was expected) ends the command with a message all the same.
    const std::string command = app.get_subcommands().front()->get_name();
    try {
        if (demoCmd->parsed())
            return demoShow ? Commands::ShowGallery(demoWindow) : Commands::Demo(demo);
        if (showCmd->parsed()) return Commands::Show(show);
        if (renderCmd->parsed()) return Commands::Render(render);
        if (convertCmd->parsed()) return Commands::Convert(convert);
        if (glyphsCmd->parsed()) return Commands::Glyphs(glyphs);
        if (paletteCmd->parsed()) return Commands::Palette(palette);
        if (designCmd->parsed()) return Commands::Design(design);
    } catch (const std::exception& e) {
        std::cerr << "quillmere " << command << ": " << Commands::ErrorText(e) << "\n";
        return 1;
    }
    return 2;
}
