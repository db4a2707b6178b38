#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>

#include "app/Commands.h"
#include "app/Gallery.h"
#include "app/TLoadedPackage.h"
#include "controls/TForm.h"
#include "hosts/TDesktopHost.h"
#include "io/PngWriter.h"
#include "loop/TMessageLoop.h"
#include "loop/TTimer.h"
#include "modules/Modules.h"
#include "streaming/FormFiles.h"
#ifdef _WIN32
#include "windows/TWindowsHost.h"
#endif

namespace Commands {

namespace {

#ifdef _WIN32
// The system's own windows, which the framework's library hosts itself.
std::unique_ptr<TDesktopHost> OpenWindow(TForm& form, int scale) {
    return std::make_unique<TWindowsHost>(&form, scale);
}
#else
// The window host library is loaded when a window opens, so that the commands that open none
// start without SDL2 and the libraries it brings. It sits beside the framework's library, in
// the build tree as where it is installed; elsewhere, where the system keeps libraries. It
// stays loaded until the program ends.
std::unique_ptr<TDesktopHost> OpenWindow(TForm& form, int scale) {
    const std::filesystem::path beside =
        std::filesystem::path(ModuleFileOf(&TForm::StaticClassInfo())).parent_path() /
        QM_DESKTOP_HOST_LIBRARY;
    void* library = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const std::string besideError = dlerror();
        library = dlopen(QM_DESKTOP_HOST_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!library) throw std::runtime_error("cannot load the window host: " + besideError);
    }
    auto* open = reinterpret_cast<TOpenDesktopHost*>(dlsym(library, kOpenDesktopHost));
    if (!open)
        throw std::runtime_error(std::string("the window host ") + QM_DESKTOP_HOST_LIBRARY +
                                 " has no " + kOpenDesktopHost);
    return std::unique_ptr<TDesktopHost>(open(&form, scale));
}
#endif

// Shows the form until its window is closed, or until the screenshot is taken.
int ShowForm(TForm& form, const TWindowOptions& options, const std::string& what,
             const std::string& command, TMilliseconds leadTime = 0) {
    std::unique_ptr<TDesktopHost> host;
    try {
        host = OpenWindow(form, options.Scale);
    } catch (const ENoDisplay& e) {
        std::cerr << "quillmere " << command << ": no display: " << ErrorText(e) << "\n";
        return 1;
    } catch (const ESurfaceTooLarge& e) {
        std::cerr << "quillmere " << command << ": " << what << ": " << ErrorText(e) << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "quillmere " << command << ": " << ErrorText(e) << "\n";
        return 1;
    }
    // Timers run on the virtual clock until the window starts its loop.
    if (leadTime > 0) TMessageLoop::Current().Advance(leadTime);
    host->Present();
    std::cout << "Showing " << what << " (" << form.ClientWidth() << " x " << form.ClientHeight()
              << (options.Scale > 1 ? ", scale " + std::to_string(options.Scale) : "")
              << ") in a window on " << host->DriverName() << "; close it to quit\n"
              << std::flush;

    int status = 0;
    auto screenshot = [&] {
        try {
            PngWriter::Write(host->ReadPresentedPixels(), options.Screenshot);
            std::cout << "Wrote the window's pixels to " << options.Screenshot << "\n";
        } catch (const std::exception& e) {
            std::cerr << "quillmere " << command << ": " << ErrorText(e) << "\n";
            status = 1;
        }
    };
    if (!options.Screenshot.empty() && options.AfterMs <= 0) {
        screenshot();
        return status;
    }
    std::unique_ptr<TTimer> timer;
    if (!options.Screenshot.empty()) {
        timer = std::make_unique<TTimer>(nullptr);
        timer->SetInterval(static_cast<std::uint32_t>(options.AfterMs));
        timer->OnTimer = [&](TPersistent*) {
            timer->SetEnabled(false);
            screenshot();
            TMessageLoop::Current().PostQuitMessage(status);
        };
    }
    try {
        const int code = host->Run();
        return status ? status : code;
    } catch (const std::exception& e) {
        std::cerr << "quillmere " << command << ": " << ErrorText(e) << "\n";
        return 1;
    }
}

}  // namespace

int Show(const TShowOptions& options) {
    // As an application does: the package is loaded, then the form makes its controls.
    std::optional<TLoadedPackage> package;
    if (!TLoadedPackage::LoadDefault(package, "show")) return 1;
    std::unique_ptr<TForm> form;
    try {
        form = FormFiles::LoadForm(options.Input);
    } catch (const std::exception& e) {
        std::cerr << "quillmere show: " << ErrorText(e) << "\n";
        return 1;
    }
    return ShowForm(*form, options.Window, options.Input, "show");
}

int ShowGallery(const TWindowOptions& options) {
    std::optional<TLoadedPackage> package;
    if (!TLoadedPackage::LoadDefault(package, "demo")) return 1;
    auto form = Gallery::Build();
    return ShowForm(*form, options, "the gallery", "demo", Gallery::MarqueeLeadTime());
}

}  // namespace Commands
