// SPDX-License-Identifier: GPL-3.0-or-later
// Long runs of the game itself, headless: the window's own handlers under a virtual clock, with autoplay,
// held Wilds, voids, free-spin series and their collects, seeded so that a run repeats exactly.
#pragma once

#include <cstdint>
#include <functional>

namespace zem::play {

class Machine;

struct SimulationOptions {
    int16_t payout = 5;       // the payout setting
    int64_t spins = 1000000;  // paid spins to play
    uint64_t seed = 7;
    int16_t lines = 25;
    int16_t coins = 1;
};

struct SimulationResult {
    int64_t spins = 0;       // paid spins played
    int64_t wagered = 0;     // coins bet
    int64_t won = 0;         // every coin won, free spins included
    int64_t hits = 0;        // paid spins whose standing outcome won something
    int64_t freeSeries = 0;  // series started from a paid spin
    int64_t freeSpins = 0;   // free spins played
    int64_t inserted = 0;    // coins put in along the way to keep the credit up
    int64_t virtualMs = 0;   // game time that passed
    double seconds = 0;      // wall time of the run
};

// Plays `options.spins` paid spins. `afterSpin`, when given, sees the machine and the running figures after
// every spin (paid or free) and may check them.
SimulationResult simulate(const SimulationOptions& options,
                          const std::function<void(const Machine&, const SimulationResult&)>& afterSpin = {});

}  // namespace zem::play
