// The designer on the gallery form: opening it (read, shown, painted, its canonical stream
// kept), one property edit with its repaint, as the window shows it, and one step of a drag.
// The counters say how much of the window a repaint touched: a drag repaints the control's old
// and new place, not the form.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/Gallery.h"
#include "controls/TForm.h"
#include "designer/TDesignerWindow.h"
#include "designer/TDesigner.h"
#include "hosts/THeadlessHost.h"
#include "streaming/FormFiles.h"

namespace {

std::vector<std::uint8_t> GalleryFile() {
    const std::string text = FormFiles::WriteText(*Gallery::Build());
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The gallery opened in the designer and painted, as opening it in the window does.
void OpenGallery(benchmark::State& state) {
    const std::vector<std::uint8_t> file = GalleryFile();
    for (auto _ : state) {
        TDesigner designer;
        designer.Load(file, "gallery.txt");
        designer.Update();
        benchmark::DoNotOptimize(designer.FormHost().Surface().Pixels().data());
    }
}
BENCHMARK(OpenGallery)->Unit(benchmark::kMillisecond);

// The designer's window showing the gallery, for the edits below.
struct TDesignerScene {
    TDesigner Designer;
    std::unique_ptr<TDesignerWindow> Window;
    std::unique_ptr<THeadlessHost> Host;

    TDesignerScene() {
        Designer.Load(GalleryFile(), "gallery.txt");
        Window = std::make_unique<TDesignerWindow>(Designer, nullptr, "");
        Host = std::make_unique<THeadlessHost>(Window.get());
        Designer.Update();
        Host->Render();
    }
    // Paints what the edit made due, on the form's host and in the window; returns the pixels
    // the window repainted, and adds those of the form to formPixels.
    long long Repaint(long long* formPixels = nullptr) {
        const TRect formDue = Designer.FormHost().PendingRect();
        if (formPixels) *formPixels += static_cast<long long>(formDue.Width()) * formDue.Height();
        Designer.Update();
        const TRect due = Host->PendingRect();
        Host->Render();
        return static_cast<long long>(due.Width()) * due.Height();
    }
    // The share of the window and of the form that one iteration repainted, on average.
    void CountShares(benchmark::State& state, long long pixels, long long formPixels) const {
        const TSurface& window = Host->Surface();
        const TSurface& form = Designer.FormHost().Surface();
        state.counters["repainted_share"] =
            static_cast<double>(pixels) / state.iterations() / (window.Width() * window.Height());
        state.counters["form_repainted_share"] =
            static_cast<double>(formPixels) / state.iterations() / (form.Width() * form.Height());
    }
};

// Caption of one gradient panel set through the designer (its setter, an undo step), then the
// repaint of the form and of the window.
void EditAndRepaint(benchmark::State& state) {
    TDesignerScene scene;
    scene.Designer.SelectByName({"VerticalGradient"});
    long long pixels = 0, formPixels = 0;
    int i = 0;
    for (auto _ : state) {
        scene.Designer.SetProperty("Caption", ++i % 2 ? "'Edited'" : "'Vertical, lowered, left'");
        pixels += scene.Repaint(&formPixels);
    }
    // The window's host keeps one dirty rectangle: the inspector's row and the control's place
    // on the surface together.
    scene.CountShares(state, pixels, formPixels);
}
BENCHMARK(EditAndRepaint)->Unit(benchmark::kMicrosecond);

// The repaint alone after an edit: the form's host and the window.
void RepaintAfterEdit(benchmark::State& state) {
    TDesignerScene scene;
    scene.Designer.SelectByName({"VerticalGradient"});
    auto* panel = dynamic_cast<TControl*>(scene.Designer.FindComponent("VerticalGradient"));
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        panel->SetCaption(++i % 2 ? "Edited" : "Vertical, lowered, left");
        state.ResumeTiming();
        scene.Repaint();
    }
}
BENCHMARK(RepaintAfterEdit)->Unit(benchmark::kMicrosecond);

// One step of dragging a list box 8 pixels right and back, with its repaint.
void DragStep(benchmark::State& state) {
    TDesignerScene scene;
    auto* list = dynamic_cast<TControl*>(scene.Designer.FindComponent("CheckListFlat"));
    if (!list) {
        state.SkipWithError("the gallery has no CheckListFlat");
        return;
    }
    const TRect b = scene.Designer.FormBounds(list);
    const TPoint start{b.Left + 10, b.Top + 10};
    scene.Designer.MouseDown(start, {});
    scene.Designer.MouseMove(TPoint{start.X + 8, start.Y}, {});
    scene.Repaint();
    long long pixels = 0, formPixels = 0;
    int i = 0;
    for (auto _ : state) {
        scene.Designer.MouseMove(TPoint{start.X + (++i % 2 ? 16 : 8), start.Y}, {});
        pixels += scene.Repaint(&formPixels);
    }
    scene.Designer.MouseUp(TPoint{start.X + 8, start.Y}, {});
    scene.CountShares(state, pixels, formPixels);
}
BENCHMARK(DragStep)->Unit(benchmark::kMicrosecond);

}  // namespace
