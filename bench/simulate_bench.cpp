// SPDX-License-Identifier: GPL-3.0-or-later
// Paid spins per second of `zem-math simulate`, this build's program beside a baseline build's, run one after
// the other with the same arguments in the same benchmark run. The baseline is the program named by the
// environment variable ZEM_MATH_BASELINE (bench/simulate_before_after builds one from an earlier commit);
// without it only this build's program and the in-process run are measured.
#include "play/simulation.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int64_t kSpins = 20000;

// Runs one `simulate` of kSpins paid spins and returns its JSON line, or "" when the program failed.
std::string runProgram(const std::string& program, int payout) {
    const std::string command = "'" + program + "' simulate --payout " + std::to_string(payout) +
                                " --spins " + std::to_string(kSpins) + " --seed 7";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return "";
    std::string out;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    return pclose(pipe) == 0 ? out : "";
}

void measureProgram(benchmark::State& state, const std::string& program) {
    const int payout = static_cast<int>(state.range(0));
    std::string line;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        line = runProgram(program, payout);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (line.empty()) {
            state.SkipWithError(("cannot run " + program).c_str());
            return;
        }
    }
    state.counters["paid_spins_per_s"] = benchmark::Counter(
        static_cast<double>(kSpins) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    // The figures must match between the builds; the line is shown so that they can be compared.
    state.SetLabel(line.substr(0, line.find(",\"seconds\"")));
}

void BM_SimulateBaselineProgram(benchmark::State& state) {
    const char* baseline = std::getenv("ZEM_MATH_BASELINE");
    if (baseline == nullptr || *baseline == '\0') {
        state.SkipWithError("ZEM_MATH_BASELINE is not set");
        return;
    }
    measureProgram(state, baseline);
}

void BM_SimulateThisProgram(benchmark::State& state) { measureProgram(state, ZEM_MATH_PROGRAM); }

void BM_SimulateInProcess(benchmark::State& state) {
    zem::play::SimulationOptions options;
    options.payout = static_cast<int16_t>(state.range(0));
    options.spins = kSpins;
    for (auto _ : state) {
        const zem::play::SimulationResult result = zem::play::simulate(options);
        benchmark::DoNotOptimize(result.won);
    }
    state.counters["paid_spins_per_s"] = benchmark::Counter(
        static_cast<double>(kSpins) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Each program case alternates with the other at the same payout setting, so that a busy machine slows both.
BENCHMARK(BM_SimulateBaselineProgram)->Arg(5)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimulateThisProgram)->Arg(5)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimulateBaselineProgram)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimulateThisProgram)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimulateInProcess)->Arg(5)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
