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

namespace {

// The frames of a running form, into numbered PNGs or one GIF; returns what to report.
std::string WriteFrames(THeadlessHost& host, const TRenderOptions& options) {
    const bool tty = isatty(STDERR_FILENO);
    const auto files = FrameWriter::Write(
        host, {options.Frames, options.IntervalMs, options.Output}, [tty](int done, int count) {
            if (tty) std::cerr << "\rframe " << done << " of " << count << std::flush;
        });
    if (tty) std::cerr << "\n";
    return ", " + std::to_string(options.Frames) + " frames " + std::to_string(options.IntervalMs) +
           " ms apart, to " +
           (files.size() == 1 ? files.front() : files.front() + " .. " + files.back());
}

}  // namespace

int Render(const TRenderOptions& options) {
    // An application loads the package at run time and creates its controls by class name.
    std::optional<TLoadedPackage> package;
    if (!TLoadedPackage::LoadDefault(package, "render")) return 1;
    // What the form asks for that cannot be given is said with the form's name; the output
    // files' errors name those files.
    auto fail = [&](const std::exception& e, bool aboutTheForm, int status = 1) {
        std::cerr << "quillmere render: " << (aboutTheForm ? options.Input + ": " : "")
                  << ErrorText(e) << "\n";
        return status;
    };
    std::unique_ptr<TForm> form;
    try {
        form = FormFiles::LoadForm(options.Input);
    } catch (const std::exception& e) {
        // The message names the file already.
        std::cerr << "quillmere render: " << ErrorText(e) << "\n";
        return 1;
    }
    if (options.Designing) form->SetDesigning(true);
    // The host's surface is the form's client area, ClientWidth x ClientHeight.
    const int width = form->ClientWidth(), height = form->ClientHeight();
    if (width <= 0 || height <= 0)
        return fail(std::runtime_error("the client area of " + std::to_string(width) + " x " +
                                       std::to_string(height) +
                                       " pixels is empty; there is nothing to render"),
                    true);
    try {
        THeadlessHost host(form.get());
        std::string what = " to " + options.Output;
        if (options.Frames > 1 || FrameWriter::WritesGif(options.Output))
            what = WriteFrames(host, options);
        else
            PngWriter::Write(host.Render(), options.Output);
        std::cout << "Rendered " << options.Input << " (" << width << " x " << height << ")" << what
                  << "\n";
    } catch (const std::invalid_argument& e) {
        return fail(e, false, 2);
    } catch (const ESurfaceTooLarge& e) {
        return fail(e, true);
    } catch (const std::bad_alloc& e) {
        return fail(e, true);
    } catch (const std::exception& e) {
        return fail(e, false);
    }
    return 0;
}

}  // namespace Commands
