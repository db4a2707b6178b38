// The panels' costly paints: one marquee tick, and a large panel tiled with a small bitmap
// against the same panel showing one bitmap of its own size.
#include <benchmark/benchmark.h>

#include <memory>

#include "controls/TForm.h"
#include "gdi/Gdi.h"
#include "graphics/Graphics.h"
#include "graphics/TBitmap.h"
#include "graphics/TCanvas.h"
#include "hosts/THeadlessHost.h"
#include "panels/TScrollingArea.h"
#include "panels/TTileBitmap.h"

namespace {

std::unique_ptr<TForm> FormOfSize(int width, int height) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetClientWidth(width);
    form->SetClientHeight(height);
    return form;
}

// One tick of an 800 x 18 marquee: the caption measured, the strip filled, the caption drawn.
void MarqueeTick(benchmark::State& state) {
    auto form = FormOfSize(800, 18);
    auto* marquee = new Qelpanel::TScrollingArea(form.get());
    marquee->SetBounds(0, 0, 800, 18);
    marquee->SetCaption(
        "Quillmere: the marquee moves its caption two pixels to the left every tick");
    marquee->SetParent(form.get());
    THeadlessHost host(form.get());
    host.Render();
    // Bring the caption into the middle of the strip.
    for (int i = 0; i < 300; ++i) marquee->ShiftText(nullptr);
    for (auto _ : state) {
        marquee->ShiftText(nullptr);
        if (marquee->TextOffset() < 400) marquee->SetScrollStep(-2);
        if (marquee->TextOffset() > 700) marquee->SetScrollStep(2);
        benchmark::DoNotOptimize(host.Surface().Pixels().data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(MarqueeTick);

// A 1920 x 1080 tile panel with its raised bevel, painted with a 16 x 16 bitmap (68 rows of
// 120 tiles) or with one 1920 x 1080 bitmap (a single tile).
void TilePanel(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    auto form = FormOfSize(1920, 1080);
    auto* panel = new Qelpanel::TTileBitmap(form.get());
    panel->SetBounds(0, 0, 1920, 1080);
    TBitmap tile;
    tile.SetSize(side, side == 1920 ? 1080 : side);
    tile.Canvas()->Brush()->SetColor(clTeal);
    tile.Canvas()->Ellipse(0, 0, side, side);
    panel->SetBitmap(&tile);
    panel->SetParent(form.get());
    THeadlessHost host(form.get());
    host.Render();
    for (auto _ : state) {
        panel->Repaint();
        benchmark::DoNotOptimize(host.Surface().Pixels().data());
    }
    state.SetBytesProcessed(state.iterations() * 1920LL * 1080 * 4);
}
BENCHMARK(TilePanel)->Arg(16)->Arg(1920)->Unit(benchmark::kMillisecond);

// One blit of a 1920 x 1080 bitmap onto a surface of that size, without a control.
void BlitFullBitmap(benchmark::State& state) {
    TBitmap picture;
    picture.SetSize(1920, 1080);
    TSurface surface(1920, 1080);
    TDeviceContext dc(&surface);
    const TBitmapImage image = picture.Image();
    for (auto _ : state) {
        Gdi::DrawBitmap(dc, 0, 0, image);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
    state.SetBytesProcessed(state.iterations() * 1920LL * 1080 * 4);
}
BENCHMARK(BlitFullBitmap)->Unit(benchmark::kMillisecond);

}  // namespace
