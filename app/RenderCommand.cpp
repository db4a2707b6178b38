#include <unistd.h>

#include <iostream>
#include <optional>
#include <stdexcept>

#include "app/Commands.h"
#include "app/FrameWriter.h"
#include "app/TLoadedPackage.h"
#include "controls/TForm.h"
#include "hosts/THeadlessHost.h"
#include "io/PngWriter.h"
#include "streaming/FormFiles.h"

namespace Commands {

int Render(const TRenderOptions& options) {
    // An application loads the package at run time and creates its controls by class name.
    std::optional<TLoadedPackage> package;
    if (!TLoadedPackage::LoadDefault(package, "render")) return 1;
    std::unique_ptr<TForm> form;
    try {
        form = FormFiles::LoadForm(options.Input);
    } catch (const std::exception& e) {
        std::cerr << "quillmere render: " << e.what() << "\n";
        return 1;
    }
    if (options.Designing) form->SetDesigning(true);
    // The host's surface is the form's client area, ClientWidth x ClientHeight.
    THeadlessHost host(form.get());
    const int width = form->ClientWidth(), height = form->ClientHeight();
    if (options.Frames > 1 || FrameWriter::WritesGif(options.Output)) {
        try {
            const bool tty = isatty(STDERR_FILENO);
            const auto files = FrameWriter::Write(
                host, {options.Frames, options.IntervalMs, options.Output},
                [tty](int done, int count) {
                    if (tty) std::cerr << "\rframe " << done << " of " << count << std::flush;
                });
            if (tty) std::cerr << "\n";
            std::cout << "Rendered " << options.Input << " (" << width << " x " << height << "), "
                      << options.Frames << " frames " << options.IntervalMs << " ms apart, to "
                      << (files.size() == 1 ? files.front() : files.front() + " .. " + files.back())
                      << "\n";
        } catch (const std::invalid_argument& e) {
            std::cerr << "quillmere render: " << e.what() << "\n";
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "quillmere render: " << e.what() << "\n";
            return 1;
        }
        return 0;
    }
    const TSurface& surface = host.Render();
    try {
        PngWriter::Write(surface, options.Output);
    } catch (const std::exception& e) {
        std::cerr << "quillmere render: " << e.what() << "\n";
        return 1;
    }
    std::cout << "Rendered " << options.Input << " (" << width << " x " << height << ") to "
              << options.Output << "\n";
    return 0;
}

}  // namespace Commands
