// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the machine core: a paid spin's draw, registration and pays, the evaluation of given stops, and
// the parts; the evaluation alone, the enumeration of every outcome and the exact report.
#include "core/line_evaluation.h"
#include "core/machine_math.h"
#include "core/machine_state.h"
#include "core/pays.h"
#include "core/random.h"
#include "core/spin_draw.h"

#include <array>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace zem::core;
using Stops = std::array<int16_t, kReels>;

// What the reel animation does to the holds once a spin is shown: a held reel's hold request is released
// and the held flags go back to 0, so a Wild holds its reel for exactly one further spin, as in play.
void settleHolds(MachineState& s) {
    for (int reel = 2; reel <= 4; ++reel) {
        if (s.reelheld(reel) > 0) s.wildhold(reel) = 0;
        s.reelheld(reel) = 0;
    }
}

// 4096 outcomes drawn once from a seeded generator: a fixed set that still varies like play does.
std::vector<Stops> fixedOutcomes() {
    SystemRandom random(7);
    std::vector<Stops> outcomes(4096);
    for (Stops& stops : outcomes) {
        for (int16_t& stop : stops) stop = static_cast<int16_t>(random.uniform() * kStops + 1);
    }
    return outcomes;
}

// (a) A paid spin as the reel procedures run it, 25 lines at 1 coin: clear the last spin, draw (or hold)
// and register the five reels, pay the Scatters and the lines, settle the holds.
void BM_PaidSpin(benchmark::State& bench) {
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    SystemRandom random(20240611);
    int64_t won = 0;
    for (auto _ : bench) {
        clearSpin(s);
        // One call per reel procedure, as spinreel1..spinreel5 make them.
        spinReel(s, 1, random);
        spinReel(s, 2, random);
        spinReel(s, 3, random);
        spinReel(s, 4, random);
        spinReel(s, 5, random);
        payOutcome(s);
        settleHolds(s);
        won += s.spinwin;
        benchmark::DoNotOptimize(s);
    }
    benchmark::DoNotOptimize(won);
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_PaidSpin);

// (b) The evaluation of given stops, 25 lines at 1 coin: place them (clear and register), pay. Over the fixed
// set of 4096 outcomes, and over one outcome alone (Chiefs across the middle with two Scatters, 1525 coins).
void BM_EvaluateOutcome(benchmark::State& bench) {
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    const std::vector<Stops> outcomes = fixedOutcomes();
    size_t next = 0;
    for (auto _ : bench) {
        placeStops(s, outcomes[next++ % outcomes.size()]);
        payOutcome(s);
        benchmark::DoNotOptimize(s);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_EvaluateOutcome);

void BM_EvaluateOneOutcome(benchmark::State& bench) {
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    const Stops chiefs = {21, 20, 16, 17, 7};
    for (auto _ : bench) {
        placeStops(s, chiefs);
        payOutcome(s);
        benchmark::DoNotOptimize(s);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_EvaluateOneOutcome);

// The parts of (a): the five draws alone, and the pays alone on placed outcomes of the fixed set.
void BM_DrawFiveStops(benchmark::State& bench) {
    MachineState s;
    SystemRandom random(20240611);
    for (auto _ : bench) {
        chooseStop(s, 1, random);
        chooseStop(s, 2, random);
        chooseStop(s, 3, random);
        chooseStop(s, 4, random);
        chooseStop(s, 5, random);
        benchmark::DoNotOptimize(s);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_DrawFiveStops);

void BM_PayOutcome(benchmark::State& bench) {
    const std::vector<Stops> outcomes = fixedOutcomes();
    std::vector<MachineState> tallied(1024);
    for (size_t i = 0; i < tallied.size(); ++i) placeStops(tallied[i], outcomes[i]);
    size_t next = 0;
    for (auto _ : bench) {
        MachineState& s = tallied[next++ % tallied.size()];
        payOutcome(s);
        benchmark::DoNotOptimize(s);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_PayOutcome);

}  // namespace

namespace {

// (c) The figures of one outcome alone (its win, Scatters, the multiplier's Wild test and the reels it holds)
// over the fixed set of outcomes, and of all 22^5 outcomes in enumeration order, as the exact figures read
// them.
void BM_OutcomeFigures(benchmark::State& bench) {
    const LineEvaluator evaluator(25, 1);
    const std::vector<Stops> outcomes = fixedOutcomes();
    size_t next = 0;
    for (auto _ : bench) {
        const OutcomeFigures f = evaluator.evaluate(outcomes[next++ % outcomes.size()]);
        benchmark::DoNotOptimize(f);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_OutcomeFigures);

void BM_EnumerateAllOutcomes(benchmark::State& bench) {
    const LineEvaluator evaluator(25, 1);
    for (auto _ : bench) {
        int64_t won = 0;
        evaluator.forEachOutcome([&](const LineEvaluator::Stops&, const OutcomeFigures& f) { won += f.win; });
        benchmark::DoNotOptimize(won);
    }
    bench.SetItemsProcessed(bench.iterations() * 5153632);
}
BENCHMARK(BM_EnumerateAllOutcomes)->Unit(benchmark::kMillisecond);

// (d) The whole exact report: enumeration and the long run of all three payout settings.
void BM_MachineFigures(benchmark::State& bench) {
    for (auto _ : bench) {
        const MachineFigures f = machineFigures(25, 1, {5, 2, 1});
        benchmark::DoNotOptimize(f.settings.front().rtp);
    }
}
BENCHMARK(BM_MachineFigures)->Unit(benchmark::kMillisecond);

}  // namespace
