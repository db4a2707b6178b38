// Forms of 1,000, 10,000 and 100,000 controls: reading and writing them in both formats,
// freeing them, and rendering one of 10,000. The counter per_control is the time each control
// takes; reading should cost the same per control at every size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "controls/TForm.h"
#include "graphics/Graphics.h"
#include "hosts/THeadlessHost.h"
#include "package/Quillmereall.h"
#include "panels/TQELGradient.h"
#include "streaming/FormFiles.h"

namespace {

constexpr int kGroupSize = 100;    // a group panel and the 99 panels inside it
constexpr int kGroupsPerRow = 10;  // groups are 100 x 100 pixels, ten in a row

// count controls: groups of 99 small panels with the properties a designer typically sets.
std::unique_ptr<TForm> BuildForm(int count) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetName("Big");
    const int groups = count / kGroupSize;
    form->SetClientWidth(kGroupsPerRow * 100);
    form->SetClientHeight((groups + kGroupsPerRow - 1) / kGroupsPerRow * 100);
    int n = 0;
    for (int g = 0; g < groups; ++g) {
        auto* group = new Qelpanel::TQELGradient(form.get());
        group->SetName("Group" + std::to_string(g));
        group->SetBounds(g % kGroupsPerRow * 100, g / kGroupsPerRow * 100, 100, 100);
        group->SetParent(form.get());
        ++n;
        for (int i = 0; i < kGroupSize - 1; ++i, ++n) {
            auto* c = new Qelpanel::TQELGradient(form.get());
            c->SetName("Panel" + std::to_string(n));
            c->SetBounds(i % 10 * 10, i / 10 * 10, 10, 10);
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

const std::vector<std::uint8_t>& BinaryForm(int count) {
    static std::map<int, std::vector<std::uint8_t>> forms;
    auto& form = forms[count];
    if (form.empty()) form = FormFiles::WriteBinary(*BuildForm(count));
    return form;
}

const std::string& TextForm(int count) {
    static std::map<int, std::string> forms;
    auto& form = forms[count];
    if (form.empty()) form = FormFiles::BinaryToText(BinaryForm(count));
    return form;
}

void PerControl(benchmark::State& state) {
    state.counters["per_control"] =
        benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Reads the form with read, timing only the reading: freeing it is measured on its own.
template <class F>
void TimeReading(benchmark::State& state, std::size_t bytes, F read) {
    Quillmereall::RegisterUnits();
    for (auto _ : state) {
        std::unique_ptr<TForm> form;
        try {
            form = read();
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            break;
        }
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    PerControl(state);
}

void BM_ReadBinary(benchmark::State& state) {
    const auto& binary = BinaryForm(static_cast<int>(state.range(0)));
    TimeReading(state, binary.size(),
                [&] { return FormFiles::ReadForm(std::span<const std::uint8_t>(binary)); });
}

void BM_ReadText(benchmark::State& state) {
    const auto& text = TextForm(static_cast<int>(state.range(0)));
    TimeReading(state, text.size(), [&] { return FormFiles::ReadForm(std::string_view(text)); });
}

void BM_WriteBinary(benchmark::State& state) {
    auto form = BuildForm(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(FormFiles::WriteBinary(*form));
    PerControl(state);
}

void BM_WriteText(benchmark::State& state) {
    auto form = BuildForm(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(FormFiles::WriteText(*form));
    PerControl(state);
}

// Freeing a form just read, as a program does when it closes one.
void BM_Free(benchmark::State& state) {
    Quillmereall::RegisterUnits();
    const auto& binary = BinaryForm(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TForm> form;
        try {
            form = FormFiles::ReadForm(std::span<const std::uint8_t>(binary));
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            break;
        }
        state.ResumeTiming();
        form.reset();
    }
    PerControl(state);
}

// Painting the whole form of 10,000 controls (1000 x 1000 pixels) on a headless host.
void BM_Render(benchmark::State& state) {
    auto form = BuildForm(static_cast<int>(state.range(0)));
    THeadlessHost host(form.get());
    for (auto _ : state) {
        form->Invalidate();
        benchmark::DoNotOptimize(host.Render().Pixels().data());
    }
    PerControl(state);
}

// With --benchmark_repetitions, the fastest run is reported too: on a busy machine the least
// disturbed one.
double Fastest(const std::vector<double>& runs) {
    return *std::min_element(runs.begin(), runs.end());
}

void FormSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
    b->ComputeStatistics("min", Fastest);
}

}  // namespace

BENCHMARK(BM_ReadBinary)->Apply(FormSizes);
BENCHMARK(BM_ReadText)->Apply(FormSizes);
BENCHMARK(BM_WriteBinary)->Apply(FormSizes);
BENCHMARK(BM_WriteText)->Apply(FormSizes);
BENCHMARK(BM_Free)->Apply(FormSizes);
BENCHMARK(BM_Render)->Arg(10000)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
