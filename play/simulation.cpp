// SPDX-License-Identifier: GPL-3.0-or-later
// The simulation drives the machine as a player on autoplay would, topping the credit up with notes.
#include "simulation.h"

#include "machine.h"
#include "platform/sim/sim_platform.h"
#include "player_record.h"

#include <chrono>
#include <string>

namespace zem::play {

SimulationResult simulate(const SimulationOptions& options,
                          const std::function<void(const Machine&, const SimulationResult&)>& afterSpin) {
    const auto wallStart = std::chrono::steady_clock::now();
    platform::sim::SimPlatform p;
    p.useSeededRandom(options.seed);
    // A long run keeps only what it needs: the stored record's current values and the sound heard now.
    p.memoryStore().keepWrites = false;
    p.recorder().keepEvents = false;
    auto& values = p.memoryStore().values;
    values[{kApplication, playerSection(1), "machinepay"}] = std::to_string(options.payout);
    values[{kApplication, playerSection(1), "bank"}] = "100000";
    values[{kApplication, kNoticeSection, kNoticeKey}] = "-1";

    Machine m(p, [](int) { return std::vector<uint8_t>{}; });
    m.startup();
    m.s.linesplayed = options.lines;
    m.s.coinsperline = options.coins;

    SimulationResult r;
    r.inserted = m.s.bank;
    const int32_t bet = m.s.totalBet();
    // The statistics are read and zeroed after every spin so that long runs never meet their 32-bit limits.
    auto takeStatistics = [&m](int64_t& wager, int64_t& total) {
        wager = m.s.wager;
        total = m.s.total;
        m.s.wager = 0;
        m.s.total = 0;
        m.s.games = 0;
    };
    int64_t ignoredWager = 0, ignoredTotal = 0;
    takeStatistics(ignoredWager, ignoredTotal);
    int16_t spinsBefore = m.s.howmanyspins;

    m.onSpinDone = [&] {
        int64_t wager = 0, total = 0;
        takeStatistics(wager, total);
        r.wagered += wager;
        r.won += total;
        if (wager > 0) {
            ++r.spins;
            if (m.s.spinwin > 0) ++r.hits;
            if (m.s.howmanyspins != spinsBefore) ++r.freeSeries;
        } else {
            ++r.freeSpins;
        }
        m.s.howmanyspins = spinsBefore = 0;
        if (afterSpin) afterSpin(m, r);
        // Keep the credit up for the next bet, outside a series, as a player at the machine would.
        if (m.s.freespinstotal == 0 && m.s.bank < 2 * bet) {
            const int32_t before = m.s.bank;
            m.notesPress();
            r.inserted += m.s.bank - before;
        }
    };
    m.s.howmanyspins = spinsBefore = 0;

    p.tap(m.w.autoplayon);
    p.advance(1);
    while (r.spins < options.spins && m.autoplaymode != 0) {
        p.runUntil([&] { return r.spins >= options.spins; }, 60 * 60 * 1000);
        // An autoplay ended by a refused bet (it cannot happen while notes keep the credit up) would stop
        // here.
        if (m.autoplaymode == 0 && r.spins < options.spins) break;
    }
    r.virtualMs = p.now();
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return r;
}

}  // namespace zem::play
