// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a spin: each reel's stop (drawn, or kept by a Wild's hold) and what it shows that the spin keeps:
// its Scatters, its Wild's cell and hold request. The pays are read off the five stops afterwards.
#pragma once

#include "line_evaluation.h"
#include "machine_state.h"
#include "random.h"

#include <array>

namespace zem::core {

// Clears what the previous spin left in the draw: Scatter and Wild cells and the Scatter count.
void clearSpin(MachineState& s);

// Fixes the stop of reel `reel` (1..5): a reel 2..4 with a hold request keeps its stop and is marked held,
// every other reel takes a fresh uniform stop 1..22. Sets the reel's picture offset.
inline void chooseStop(MachineState& s, int reel, Random& random) {
    // A branch on the hold: the last spin decided it, and the prediction lets this spin's draws start before
    // that spin's pays are done.
    if (reel >= 2 && reel <= 4 && s.wildhold(reel) > 0) {
        s.reelheld(reel) = 1;
    } else {
        s.reelstop[reel] = static_cast<int16_t>(drawOneTo(kStops, drawUniform(random)));
    }
    s.reeltop[reel] = reelTopFor(s.reelstop[reel]);
}

// What a reel shows at one stop, beyond its symbols: its Scatters and the cell of the (last) one, and the
// cell of its Wild (a strip's Wilds stand too far apart for two to show at once). Stop 0 stands for a stop
// outside 1..22 and shows nothing.
struct StopRecord {
    int16_t scatters = 0;
    int16_t scatterCell = 0;
    int16_t wildCell = 0;
    int16_t wildHold = 0;  // 1 when a Wild shows
};
struct StopRecords {
    StopRecord stop[kReels + 1][kStops + 1] = {};
};

extern const StopRecords kStopRecords;

// Registers what reel `reel` shows at its stop: counts its Scatters, records the cell of one and of a Wild
// (0 when none shows), and the hold request of a Wild's reel. A reel off its strip (a stop outside 1..22)
// shows nothing.
inline void registerReel(MachineState& s, int reel) {
    if (reel < 1 || reel > kReels) return;
    const StopRecord& r = kStopRecords.stop[reel][stopIndex(s.reelstop[reel])];
    // Plain writes and arithmetic rather than branches: what a reel shows is as random as its draw, and the
    // draw is still being worked out when these are reached.
    s.scattercount = static_cast<int16_t>(s.scattercount + r.scatters);
    s.scattercell[reel] = r.scatterCell;
    s.wildcell[reel] = r.wildCell;
    int16_t& hold = s.wildhold(reel);
    hold = static_cast<int16_t>(hold + (1 - hold) * r.wildHold);  // 1 when a Wild shows, else as it was
}

// One reel procedure without its window work: choose the stop, then register what it shows.
inline void spinReel(MachineState& s, int reel, Random& random) {
    chooseStop(s, reel, random);
    registerReel(s, reel);
}

// Sets the five reels to given stops (each 1..22) with no draw and no hold, clears the spin and registers
// each reel.
void placeStops(MachineState& s, const std::array<int16_t, kReels>& stops);

}  // namespace zem::core
