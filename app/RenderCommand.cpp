#include <iostream>

#include "app/Commands.h"
#include "controls/TForm.h"
#include "hosts/THeadlessHost.h"
#include "io/PngWriter.h"
#include "package/Quillmereall.h"
#include "streaming/FormFiles.h"

namespace Commands {

int Render(const TRenderOptions& options) {
    Quillmereall::RegisterUnits();
    std::unique_ptr<TForm> form;
    try {
        form = FormFiles::LoadForm(options.Input);
    } catch (const std::exception& e) {
        std::cerr << "quillmere render: " << e.what() << "\n";
        return 1;
    }
    // The host's surface is the form's client area, ClientWidth x ClientHeight.
    THeadlessHost host(form.get());
    const TSurface& surface = host.Render();
    try {
        PngWriter::Write(surface, options.Output);
    } catch (const std::exception& e) {
        std::cerr << "quillmere render: " << e.what() << "\n";
        return 1;
    }
    std::cout << "Rendered " << options.Input << " (" << surface.Width() << " x "
              << surface.Height() << ") to " << options.Output << "\n";
    return 0;
}

}  // namespace Commands
