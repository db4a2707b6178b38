// Times how long a form takes to render: the form is read once and shown on a headless host,
// then painted whole again and again, each pass with its pixels read back, as `quillmere render`
// paints before it writes the picture. Prints the median of the passes; the process's start,
// the package's loading and the reading of the form are left out.
//   render-timing FORM [PASSES]      (default 10 passes, after one that is not counted)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <vector>

#include "app/TLoadedPackage.h"
#include "controls/TForm.h"
#include "hosts/THeadlessHost.h"
#include "streaming/FormFiles.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: render-timing FORM [PASSES]\n");
        return 2;
    }
    const int passes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    std::optional<TLoadedPackage> package;
    if (!TLoadedPackage::LoadDefault(package, "render-timing")) return 1;
    try {
        auto form = FormFiles::LoadForm(argv[1]);
        THeadlessHost host(form.get());
        host.Render();
        std::vector<double> times;
        for (int i = 0; i < passes; ++i) {
            const auto start = std::chrono::steady_clock::now();
            host.PaintAll();
            const TSurface& pixels = host.Surface();
            const auto end = std::chrono::steady_clock::now();
            if (pixels.IsEmpty()) return 1;
            times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        std::sort(times.begin(), times.end());
        std::printf("%.0f us (median of %d passes of %d x %d)\n", times[times.size() / 2], passes,
                    form->ClientWidth(), form->ClientHeight());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "render-timing: %s\n", e.what());
        return 1;
    }
    return 0;
}
