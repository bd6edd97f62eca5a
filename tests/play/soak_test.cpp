// Long autoplay runs at every payout setting: no coin is ever created or lost, counters stay in range, and
// no spin ever starts inside another.
#include "play/machine.h"
#include "play/simulation.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace zem::testing {
namespace {

TEST(Soak, HundredThousandSpinsAtEachPayoutSettingKeepEveryCoin) {
    for (int16_t payout : {5, 2, 1}) {
        int64_t checks = 0, badCounters = 0, nested = 0, ledgerBreaks = 0;
        play::SimulationOptions options;
        options.payout = payout;
        options.spins = 100000;
        options.seed = 1000 + payout;
        const play::SimulationResult r =
            play::simulate(options, [&](const play::Machine& m, const play::SimulationResult& sofar) {
                ++checks;
                const auto& s = m.s;
                // Credit = inserted - wagered + won; a series total still running or waiting is won but not
                // yet in the credit.
                const int64_t pending = s.freespinwin;
                if (s.bank != sofar.inserted - sofar.wagered + sofar.won - pending) ++ledgerBreaks;
                if (m.spinDepth() != 1) ++nested;  // the hook runs inside the spin that just ended
                if (s.freespinsplayed > s.freespinstotal || s.tickcount < 0 || s.bank < 0 ||
                    (s.freespinmode != 0 && s.freespinmode != -1) || s.scattercount < 0 ||
                    s.scattercount > 5 || s.spinwin < 0) {
                    ++badCounters;
                }
                for (int reel = 1; reel <= 5; ++reel) {
                    if (s.reelstop[reel] < 1 || s.reelstop[reel] > 22) ++badCounters;
                }
                for (int line = 1; line <= 25; ++line) {
                    const int c = s.linecount[line];
                    if (c != 0 && (c < 2 || c > 5)) ++badCounters;
                }
            });
        EXPECT_EQ(r.spins, 100000) << "payout " << payout;
        EXPECT_EQ(checks, r.spins + r.freeSpins);
        EXPECT_EQ(ledgerBreaks, 0) << "payout " << payout;
        EXPECT_EQ(badCounters, 0) << "payout " << payout;
        EXPECT_EQ(nested, 0);
        EXPECT_GT(r.freeSeries, 0);
        std::printf("payout %d: %lld spins, %lld free spins in %lld series, rtp %.4f, %.0f spins/s\n", payout,
                    static_cast<long long>(r.spins), static_cast<long long>(r.freeSpins),
                    static_cast<long long>(r.freeSeries), static_cast<double>(r.won) / r.wagered,
                    static_cast<double>(r.spins) / r.seconds);
    }
}

}  // namespace
}  // namespace zem::testing
