// SPDX-License-Identifier: GPL-3.0-or-later
// Free-spin rules: the award per Scatter count, the multiplier draw and the Wild-in-run test.
#pragma once

#include "machine_state.h"
#include "random.h"

namespace zem::core {

struct FreeSpinAward {
    int16_t announced = 0;     // free spins announced to the player
    int16_t addedOutside = 0;  // added to freespinstotal by a trigger outside a series (the trigger counts)
    int16_t addedInside = 0;   // added by a retrigger inside a running series
};

// 3, 4, 5 Scatters give 10, 15, 20 free spins; fewer give none.
FreeSpinAward freeSpinAward(int scatters);

struct Multiplier {
    int16_t value = 1;  // 2, 3, 5 or 10
    int16_t pic = 0;    // first picture index handed to the Wild animation
};

// Multiplier for a draw r = 1..25: 1 gives x10, 2..5 x5, 6..14 x3, 15..25 x2.
Multiplier multiplierForDraw(int r);

// Whether some played line has a Wild of reels 2..4 inside its winning run.
bool wildInWinningRun(const MachineState& s);

// Draws the free spin's multiplier; it stays 1 unless a Wild takes part in a winning run.
void freespinbusiness(MachineState& s, Random& random);

// Books a trigger's award: one more feature won, the spins added to the series (the trigger counts outside a
// series), the number announced, and the spin's win into the series total.
void bookAward(MachineState& s);

// Counts a spin evaluated in a series. Returns false when it was the series' last: the series is then
// complete (`freespinmode` 0) and its total waits for the collect.
bool countFreeSpin(MachineState& s);

}  // namespace zem::core
