// SPDX-License-Identifier: GPL-3.0-or-later
// What a spin's win decides: the pause before the next automatic spin and the win sound.
#pragma once

#include "sounds.h"

#include <cstdint>

namespace zem::play {

struct WinBand {
    int16_t autodelay;  // 100 ms ticks
    Sound sound;        // None for none
};

// The band of a win outside free spins: 0 gives autodelay 5 and no sound; 1..5 gives 20 and the welcome
// chime, and so on up to more than 750, which gives 90 and the biggest win's fanfare.
WinBand winBand(int32_t spinwin);

// The roll-up's next step for the amount the meter has counted to.
int16_t nextRollStep(int32_t rollcount);

// Reel animation settings for a reel speed.
struct ReelAnimation {
    int step;        // twips per frame
    int passes;      // passes per reel
    int framePause;  // ms at the end of every frame
};

// Speeds 1, 2, 4, 8 and 10 have their own settings; any other speed animates as the nearest of them (the
// faster one when two are equally near): 0 or less as 1, 7 as 8, above 10 as 10.
ReelAnimation reelAnimation(int16_t reelspeed);

}  // namespace zem::play
