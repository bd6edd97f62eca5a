// The draw and the tally. The tally adds a reel's weight to a whole row's line vector at once: each
// (reel, row) has a mask holding the weight on the lanes of the lines through that row.
#include "spin_draw.h"

#include <cstring>

namespace zem::core {

namespace {

struct RowMasks {
    int16_t lanes[kReels + 1][kRows + 1][kTallyLanes] = {};
};

RowMasks makeRowMasks() {
    RowMasks masks;
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int row = 1; row <= kRows; ++row) {
            for (int8_t line : linesThroughRow(reel, row)) masks.lanes[reel][row][line] = kReelWeight[reel];
        }
    }
    return masks;
}

const RowMasks kRowMasks = makeRowMasks();

inline void addMask(int16_t* tally, const int16_t* mask) {
    for (int lane = 0; lane < kTallyLanes; ++lane)
        tally[lane] = static_cast<int16_t>(tally[lane] + mask[lane]);
}

}  // namespace

void clearSpin(MachineState& s) {
    for (int reel = 1; reel <= kReels; ++reel) {
        s.scattercell[reel] = 0;
        s.wildcell[reel] = 0;
    }
    s.scattercount = 0;
    std::memset(s.tally, 0, sizeof s.tally);
    std::memset(s.wildline, 0, sizeof s.wildline);
}

void chooseStop(MachineState& s, int reel, Random& random) {
    if (reel >= 2 && reel <= 4 && s.wildhold(reel) > 0) {
        s.reelheld(reel) = 1;
    } else {
        s.reelstop[reel] = static_cast<int16_t>(drawOneTo(kStops, random.uniform()));
    }
    s.reeltop[reel] = reelTopFor(s.reelstop[reel]);
}

void tallyReel(MachineState& s, int reel) {
    const int stop = s.reelstop[reel];
    if (stop < 1 || stop > kStops) return;
    for (int row = 1; row <= kRows; ++row) {
        const Symbol symbol = symbolAt(reel, stop, row);
        const int16_t* mask = kRowMasks.lanes[reel][row];
        if (isPaying(symbol)) {
            addMask(s.tally[symbol], mask);
        } else if (symbol == Wild) {
            for (int paying = 1; paying <= kPayingSymbols; ++paying) addMask(s.tally[paying], mask);
            for (int8_t line : linesThroughRow(reel, row)) s.wildline[line] = kReelWeight[reel];
            s.wildcell[reel] = cellNumber(reel, row);
            s.wildhold(reel) = 1;
        } else if (symbol == Scatter) {
            ++s.scattercount;
            s.scattercell[reel] = cellNumber(reel, row);
        }
    }
}

void placeStops(MachineState& s, const std::array<int16_t, kReels>& stops) {
    clearSpin(s);
    for (int reel = 1; reel <= kReels; ++reel) {
        s.reelstop[reel] = stops[reel - 1];
        s.reeltop[reel] = reelTopFor(stops[reel - 1]);
        tallyReel(s, reel);
    }
}

}  // namespace zem::core
