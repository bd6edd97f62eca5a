// Speed of the machine core: one paid spin's draw, tally and pays, and the evaluation of a given outcome.
#include "core/machine_state.h"
#include "core/pays.h"
#include "core/random.h"
#include "core/spin_draw.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

using namespace zem::core;

// A paid spin as the reel procedures run it: clear the last spin, draw (or hold) and tally five reels, pay
// the Scatters and the lines. After each spin the holds are settled as the reel animation settles them, so
// a Wild holds its reel for exactly one further spin, as in play.
void BM_PaidSpin(benchmark::State& bench) {
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    SystemRandom random(20240611);
    int64_t won = 0;
    for (auto _ : bench) {
        clearSpin(s);
        for (int reel = 1; reel <= kReels; ++reel) spinReel(s, reel, random);
        payOutcome(s);
        for (int reel = 2; reel <= 4; ++reel) {
            if (s.reelheld(reel) > 0) s.wildhold(reel) = 0;
            s.reelheld(reel) = 0;
        }
        won += s.spinwin;
        benchmark::DoNotOptimize(s);
    }
    benchmark::DoNotOptimize(won);
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_PaidSpin);

// The evaluation of known stops: place them, tally, pay. Alternates a big win (Chiefs across the middle
// with two Scatters) with a spin holding a Wild on reels 3 and 4, so both the single-symbol and the
// all-symbol tally paths are timed.
void BM_EvaluateOutcome(benchmark::State& bench) {
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    const std::array<int16_t, kReels> outcomes[2] = {{21, 20, 16, 17, 7}, {3, 5, 10, 10, 12}};
    int which = 0;
    for (auto _ : bench) {
        placeStops(s, outcomes[which]);
        payOutcome(s);
        which ^= 1;
        benchmark::DoNotOptimize(s);
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_EvaluateOutcome);

}  // namespace
