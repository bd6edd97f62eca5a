// SPDX-License-Identifier: GPL-3.0-or-later
// The draw, and what each reel's stop registers for the spin.
#include "spin_draw.h"

#include "line_evaluation.h"

#include <cstring>

namespace zem::core {

namespace {

StopRecords makeStopRecords() {
    StopRecords t;
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int stop = 1; stop <= kStops; ++stop) {
            StopRecord& r = t.stop[reel][stop];
            for (int row = 1; row <= kRows; ++row) {
                const Symbol symbol = symbolAt(reel, stop, row);
                if (symbol == Scatter) {
                    ++r.scatters;
                    r.scatterCell = cellNumber(reel, row);
                } else if (symbol == Wild) {
                    r.wildCell = cellNumber(reel, row);
                    r.wildHold = 1;
                }
            }
        }
    }
    return t;
}

}  // namespace

const StopRecords kStopRecords = makeStopRecords();

void clearSpin(MachineState& s) {
    std::memset(s.scattercell, 0, sizeof s.scattercell);
    std::memset(s.wildcell, 0, sizeof s.wildcell);
    s.scattercount = 0;
}

void placeStops(MachineState& s, const std::array<int16_t, kReels>& stops) {
    clearSpin(s);
    for (int reel = 1; reel <= kReels; ++reel) {
        s.reelstop[reel] = stops[reel - 1];
        s.reeltop[reel] = reelTopFor(stops[reel - 1]);
        registerReel(s, reel);
    }
}

}  // namespace zem::core
