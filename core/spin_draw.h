// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a spin: each reel's stop (drawn, or kept by a Wild's hold) and its contribution to the line tally.
#pragma once

#include "machine_state.h"
#include "random.h"

#include <array>

namespace zem::core {

// Clears what the previous spin left in the draw: Scatter and Wild cells, the Scatter count, the tally and
// the Wild lines.
void clearSpin(MachineState& s);

// Fixes the stop of reel `reel` (1..5): a reel 2..4 with a hold request keeps its stop and is marked held,
// every other reel takes a fresh uniform stop 1..22. Sets the reel's picture offset.
void chooseStop(MachineState& s, int reel, Random& random);

// Registers what reel `reel` shows at its stop: adds its weight to the tally of every line through a row
// with a paying symbol (all ten symbols for a Wild), records a Wild's cell, line weight and hold request,
// and counts a Scatter.
void tallyReel(MachineState& s, int reel);

// One reel procedure without its window work: choose the stop, then tally.
inline void spinReel(MachineState& s, int reel, Random& random) {
    chooseStop(s, reel, random);
    tallyReel(s, reel);
}

// Sets the five reels to given stops (each 1..22) with no draw and no hold, clears the spin and tallies it.
void placeStops(MachineState& s, const std::array<int16_t, kReels>& stops);

}  // namespace zem::core
