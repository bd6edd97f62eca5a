// SPDX-License-Identifier: GPL-3.0-or-later
// Free-spin award table and multiplier.
#include "free_spins.h"

#include "checked.h"

namespace zem::core {

FreeSpinAward freeSpinAward(int scatters) {
    switch (scatters) {
        case 3:
            return {10, 11, 10};
        case 4:
            return {15, 16, 15};
        case 5:
            return {20, 21, 20};
        default:
            return {};
    }
}

Multiplier multiplierForDraw(int r) {
    if (r <= 1) return {10, 23};
    if (r <= 5) return {5, 31};
    if (r <= 14) return {3, 27};
    return {2, 23};
}

bool wildInWinningRun(const MachineState& s) {
    const int played = s.linesplayed < kLines ? s.linesplayed : kLines;
    for (int line = 1; line <= played; ++line) {
        const int run = s.linecount[line];
        if (run < 2 || run > 5) continue;
        // A run of 2 can hold the Wild on reel 2, a run of 3 on reels 2..3, longer runs on reels 2..4.
        const int lastReel = run == 2 ? 2 : (run == 3 ? 3 : 4);
        for (int reel = 2; reel <= lastReel; ++reel) {
            if (s.wildcell[reel] != 0 && s.wildcell[reel] == lineCell(line, reel)) return true;
        }
    }
    return false;
}

void freespinbusiness(MachineState& s, Random& random) {
    const int r = drawOneTo(25, random.uniform());
    const Multiplier m = multiplierForDraw(r);
    s.winmultiplier = m.value;
    s.multiplierpic = m.pic;
    if (!wildInWinningRun(s)) s.winmultiplier = 1;
}

void bookAward(MachineState& s) {
    addChecked(s.howmanyspins, 1);
    const FreeSpinAward award = freeSpinAward(s.scattercount);
    addChecked(s.freespinstotal, s.freespinmode == 0 ? award.addedOutside : award.addedInside);
    s.freespinsawarded = award.announced;
    addChecked(s.freespinwin, s.spinwin);
}

bool countFreeSpin(MachineState& s) {
    addChecked(s.freespinsplayed, 1);
    if (s.scattercount >= 3 || s.freespinsplayed != s.freespinstotal) return true;
    s.freespinmode = 0;
    return false;
}

}  // namespace zem::core
