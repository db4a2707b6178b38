// The entry of the designer's window library, which the tool loads only to open a window.
#include <iostream>

#include "designer/DesignerWindow.h"
#include "designer/TDesigner.h"
#include "designer/window/TDesignerSession.h"
#include "sdl/TSdlHost.h"

extern "C" __attribute__((visibility("default"))) int QmDesignerWindowMain(
    const TDesignerWindowOptions& options) {
    std::unique_ptr<TDesignerSession> session;
    try {
        session = std::make_unique<TDesignerSession>(options);
    } catch (const ENoDisplay& e) {
        std::cerr << "quillmere design: no display: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "quillmere design: " << e.what() << "\n";
        return 1;
    }
    const TDesigner& designer = session->Designer();
    std::cout << "Designing " << (designer.FileName().empty() ? "a new form" : designer.FileName())
              << " in a window on " << TSdlHost::VideoDriver() << "; close it to quit\n"
              << std::flush;
    try {
        return session->Run();
    } catch (const std::exception& e) {
        std::cerr << "quillmere design: " << e.what() << "\n";
        return 1;
    }
}
