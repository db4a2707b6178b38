// Reading and writing a form of 1,000 controls, in both formats. The counter per_control is
// the time each control takes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "controls/TForm.h"
#include "graphics/Graphics.h"
#include "package/Quillmereall.h"
#include "panels/TQELGradient.h"
#include "streaming/FormFiles.h"

namespace {

constexpr int kGroups = 10;
constexpr int kControls = 1000;

// Ten panels of 99 panels each, with the properties a designer typically sets.
std::unique_ptr<TForm> BuildForm() {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetName("Big");
    form->SetClientWidth(1000);
    form->SetClientHeight(1000);
    int n = 0;
    for (int g = 0; g < kGroups; ++g) {
        auto* group = new Qelpanel::TQELGradient(form.get());
        group->SetName("Group" + std::to_string(g));
        group->SetBounds(0, g * 100, 1000, 100);
        group->SetParent(form.get());
        ++n;
        for (int i = 0; n < kControls * (g + 1) / kGroups; ++i, ++n) {
            auto* c = new Qelpanel::TQELGradient(form.get());
            c->SetName("Panel" + std::to_string(n));
            c->SetBounds(i * 10, 0, 10, 100);
            c->SetCaption("Panel number " + std::to_string(n));
            c->SetColorStart(clNavy);
            c->SetColorEnd(static_cast<TColor>(n * 1234));
            c->SetGradientType(static_cast<Qelpanel::TGradientType>(n % 3));
            c->SetBevelOuter(bvRaised);
            c->Font()->SetStyle(TFontStyles{fsBold});
            c->SetParent(group);
        }
    }
    return form;
}

void PerControl(benchmark::State& state) {
    state.counters["per_control"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kControls,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_WriteBinary(benchmark::State& state) {
    auto form = BuildForm();
    for (auto _ : state) benchmark::DoNotOptimize(FormFiles::WriteBinary(*form));
    PerControl(state);
}

void BM_WriteText(benchmark::State& state) {
    auto form = BuildForm();
    for (auto _ : state) benchmark::DoNotOptimize(FormFiles::WriteText(*form));
    PerControl(state);
}

void BM_ReadBinary(benchmark::State& state) {
    Quillmereall::RegisterUnits();
    const std::vector<std::uint8_t> binary = FormFiles::WriteBinary(*BuildForm());
    for (auto _ : state) {
        auto form = FormFiles::ReadForm(std::span<const std::uint8_t>(binary));
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * binary.size()));
    PerControl(state);
}

void BM_ReadText(benchmark::State& state) {
    Quillmereall::RegisterUnits();
    const std::string text = FormFiles::WriteText(*BuildForm());
    for (auto _ : state) {
        auto form = FormFiles::ReadForm(std::string_view(text));
        benchmark::DoNotOptimize(form.get());
        // Freeing the form is not reading it.
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    PerControl(state);
}

}  // namespace

BENCHMARK(BM_WriteBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadText)->Unit(benchmark::kMillisecond);
