// Painting a check list: a list of 1,000,000 items scrolled to the middle against one of 10
// items, both showing ten rows. Only the visible items are drawn, so the two should cost
// about the same; the large one also paints its scroll bar.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "controls/TForm.h"
#include "glyphlists/TQELCheckList.h"
#include "hosts/THeadlessHost.h"

namespace {

void PaintCheckList(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(170);
    auto* list = new Qellist::TQELCheckList(&form);
    list->SetBounds(8, 8, 180, 4 + 10 * 15);
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) items.push_back("Item " + std::to_string(i));
    list->Items()->SetAll(std::move(items));
    for (int i = count / 2; i < count / 2 + 10 && i < count; i += 2) list->SetSelected(i, true);
    list->SetParent(&form);
    THeadlessHost host(&form);
    host.Render();
    list->SetTopIndex(count / 2);
    for (auto _ : state) {
        list->Invalidate();
        host.Render();
        benchmark::DoNotOptimize(host.Surface().Pixels().data());
    }
    state.counters["visible"] = list->VisibleItemCount();
}

}  // namespace

BENCHMARK(PaintCheckList)->Arg(10)->Arg(11)->Arg(1000000)->Unit(benchmark::kMicrosecond);
