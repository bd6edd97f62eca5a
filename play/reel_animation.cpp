// SPDX-License-Identifier: GPL-3.0-or-later
// The reels' run into their stops: all five spin up together, then reels 1 to 5 settle one after another
// while the reels after them keep turning. A held reel stands still throughout and makes no sound, and from the
// settle until the spin it holds for starts a HELD ribbon lies over its Wild.
#include "core/symbols.h"
#include "machine.h"
#include "win_bands.h"

namespace zem::play {

void Machine::animateReels() {
    const ReelAnimation a = reelAnimation(s.reelspeed);
    const bool reelSounds = s.freespinmode == 0;
    auto held = [this](int reel) { return reel >= 2 && reel <= 4 && s.reelheld(reel) > 0; };
    auto move = [this](int reel, int32_t y) { w.reel[reel].top = y; };
    auto frameEnd = [this, &a] { p.sleep(a.framePause); };

    // Spin-up: six passes of every reel, measured on reel 1's stop.
    for (int pass = 0; pass < 6; ++pass) {
        for (int32_t y = s.reeltop[1] - 4050; y <= s.reeltop[1]; y += a.step) {
            move(1, y);
            for (int reel = 2; reel <= 4; ++reel) {
                if (held(reel)) {
                    s.wildhold(reel) = 0;
                } else {
                    move(reel, y);
                }
            }
            move(5, y);
            frameEnd();
        }
    }

    // Reels 1 to 4 settle 600 twips into their stops while the reels after them turn on.
    for (int n = 1; n <= 4; ++n) {
        const int32_t target = s.reeltop[n] + 600;
        int32_t d = 0;
        if (reelSounds) {
            if (!held(n)) sounds.play(Sound::ReelStop);
            if (s.scattercell[n] > 0 && (n < 4 || s.scattercount >= 2)) sounds.play(scatterSound(n));
        }
        for (int pass = 0; pass < a.passes; ++pass) {
            for (int32_t y = s.reeltop[n + 1] - 4050; y <= s.reeltop[n + 1]; y += a.step) {
                if (d < 600) {
                    d += 20;
                    if (!held(n)) move(n, target - d);
                }
                for (int after = n + 1; after <= 5; ++after) {
                    if (!held(after)) move(after, y);
                }
                frameEnd();
            }
        }
    }

    // Reel 5 settles on its own.
    const int32_t target = s.reeltop[5] + 600;
    if (reelSounds) {
        sounds.play(Sound::ReelStop);
        if (s.scattercell[5] > 0 && s.scattercount >= 2) sounds.play(Sound::ScatterReel5);
    }
    for (int32_t d = 0; d <= 600; d += 20) {
        move(5, target - d);
        frameEnd();
    }
}

void Machine::showHolds() {
    // The ribbon lies across the foot of the Wild's own cell, so the player sees which symbol holds the reel.
    for (int reel = 2; reel <= 4; ++reel) {
        Control& mark = w.picheld[reel];
        mark.visible = s.wildhold(reel) > 0;
        for (int row = 1; row <= core::kRows && mark.visible; ++row) {
            if (core::symbolAt(reel, s.reelstop[reel], row) == core::Wild)
                mark.top = row * core::kCellTwips - ui::kHeldMarkHeight;
        }
    }
}

}  // namespace zem::play
