// SPDX-License-Identifier: GPL-3.0-or-later
// CPU time of the interface thread for the options window's opening in the real window (offscreen), the
// window shown: the first opening at a number of lines whose returns are not known yet (the window computes
// them itself), one while the startup's warm-up is computing them on its own thread (the window waits for
// it), and one after the warm-up has finished. The CPU column is the interface thread's alone.
#include "bench/real_machine.h"
#include "core/machine_math.h"
#include "options/options_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <thread>

namespace {

constexpr int16_t kLineChoices[] = {1, 5, 10, 15, 25};

struct Rig : zem::bench::RealMachine {
    zem::options::OptionsWindow options{machine};
    Rig() {
        platform.attach(options.w.frmorvelleoptions);
        start();
    }
};

std::unique_ptr<Rig> rig;

// Opens the window at `lines` lines and shows it, timed; closes it untimed.
void openAndShow(benchmark::State& state, int64_t lines) {
    rig->machine.s.linesplayed = static_cast<int16_t>(lines);
    for (auto _ : state) {
        rig->options.open();
        rig->platform.sync();
        state.PauseTiming();
        rig->options.close();
        rig->platform.sync();
        state.ResumeTiming();
    }
}

// Runs first, while nothing is known: the warm-up starts on the lines played, the window opens at once.
void BM_OptionsOpeningWhileWarmingUp(benchmark::State& state) {
    const auto lines = static_cast<int16_t>(state.range(0));
    auto warmUp = std::make_unique<zem::core::ReturnsWarmUp>(std::vector<int16_t>{lines});
    openAndShow(state, lines);
}
BENCHMARK(BM_OptionsOpeningWhileWarmingUp)->Arg(15)->Iterations(1)->Unit(benchmark::kMillisecond);

// One opening per number of lines not yet known: what every first opening cost before the warm-up.
void BM_OptionsFirstOpeningCold(benchmark::State& state) { openAndShow(state, state.range(0)); }
BENCHMARK(BM_OptionsFirstOpeningCold)
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Arg(25)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_OptionsOpeningAfterWarmUp(benchmark::State& state) {
    static const bool warmed = [] {
        zem::core::ReturnsWarmUp warmUp({std::begin(kLineChoices), std::end(kLineChoices)});
        warmUp.finish();
        return true;
    }();
    benchmark::DoNotOptimize(warmed);
    openAndShow(state, state.range(0));
}
BENCHMARK(BM_OptionsOpeningAfterWarmUp)
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Arg(15)
    ->Arg(25)
    ->Unit(benchmark::kMillisecond);

// How long a quit waits for the warm-up: its stop and join, `range(0)` ms after it started (in the
// enumeration, or in the long run of the settings). Its lines are never finished, so every start is afresh.
void BM_WarmUpStop(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto warmUp = std::make_unique<zem::core::ReturnsWarmUp>(std::vector<int16_t>{3});
        std::this_thread::sleep_for(std::chrono::milliseconds(state.range(0)));
        state.ResumeTiming();
        warmUp.reset();
    }
}
BENCHMARK(BM_WarmUpStop)->Arg(20)->Arg(100)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    rig = std::make_unique<Rig>();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rig.reset();
    return 0;
}
