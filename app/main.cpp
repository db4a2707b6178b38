// quillmere: renders forms of the package's controls headless to PNG.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/Commands.h"

int main(int argc, char** argv) {
    CLI::App app{"quillmere: the QEL controls, rendered headless or shown in a window"};
    app.require_subcommand(1);

    Commands::TDemoOptions demo;
    CLI::App* demoCmd = app.add_subcommand("demo", "Render the built-in gallery form to a PNG");
    demoCmd->add_option("-o,--output", demo.Output, "PNG file to write")->capture_default_str();

    Commands::TGlyphsOptions glyphs;
    CLI::App* glyphsCmd =
        app.add_subcommand("glyphs", "Write the list boxes' glyph bitmaps as .bmp files");
    glyphsCmd->add_option("-d,--directory", glyphs.Directory, "Folder to write them into")
        ->capture_default_str();

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

    if (demoCmd->parsed()) return Commands::Demo(demo);
    if (glyphsCmd->parsed()) return Commands::Glyphs(glyphs);
    return 2;
}
