// SPDX-License-Identifier: GPL-3.0-or-later
// The draw and the tally. The tally adds a reel's weight to a whole row's line vector at once: each
// (reel, row) has a mask holding the weight on the lanes of the lines through that row, and one symbol's
// tally is 32 lanes of 16 bits, so a row's add is a handful of vector instructions.
#include "spin_draw.h"

#include <bit>
#include <cstring>

namespace zem::core {

namespace {

static_assert(kTallyLanes * sizeof(int16_t) == 64, "a symbol's tally is one 64-byte vector");

// One symbol's tally over all its lanes, as a vector of the compiler (SSE2, AVX2 or NEON registers alike).
typedef int16_t Lanes __attribute__((vector_size(kTallyLanes * sizeof(int16_t))));

// The tally's memory traffic is what a spin costs, so on x86-64 the functions that write it are built three
// times, for 64-, 32- and 16-byte vectors, and the loader picks the widest the processor has.
// Defining ZEM_TALLY_CLONES empty on the command line builds the plain version alone.
#if !defined(ZEM_TALLY_CLONES) && defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define ZEM_TALLY_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#endif
#endif
#ifndef ZEM_TALLY_CLONES
#define ZEM_TALLY_CLONES
#endif

// tally += mask over all lanes. The tally is read and written through memcpy, so its alignment is not
// assumed.
inline void addLanes(int16_t* tally, const Lanes& mask) {
    Lanes sum;
    std::memcpy(&sum, tally, sizeof sum);
    sum += mask;
    std::memcpy(tally, &sum, sizeof sum);
}

// What a reel shows at one stop, laid out so that the tally needs no test per row. Each paying symbol in view
// has one entry: the symbol and the rows it stands in, whose combined mask is added to its tally in one go.
// Unused entries name other symbols with no rows (the all-zero mask), so the three entries always name three
// different tallies and can be loaded, added and stored side by side.
struct StopRecord {
    int8_t symbol[kRows] = {};  // three different paying symbols
    uint8_t rows[kRows] = {};   // bit r - 1 set for each row r that shows the entry's symbol
    uint8_t wildRows = 0;       // bit r - 1 set for each row r with a Wild
    int8_t scatters = 0;        // Scatters shown
    int16_t scatterCell = 0;    // cell of the (last) Scatter, 0 when none
};

struct ReelTables {
    Lanes mask[kReels + 1][1 << kRows] = {};  // the reel's weight on the lanes of the lines through the rows
    StopRecord stop[kReels + 1][kStops + 1] = {};
};

ReelTables makeReelTables() {
    ReelTables t;
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int rows = 0; rows < (1 << kRows); ++rows) {
            for (int row = 1; row <= kRows; ++row) {
                if ((rows & (1 << (row - 1))) == 0) continue;
                for (int8_t line : linesThroughRow(reel, row)) t.mask[reel][rows][line] += kReelWeight[reel];
            }
        }
        for (int stop = 1; stop <= kStops; ++stop) {
            StopRecord& r = t.stop[reel][stop];
            int entries = 0;
            for (int row = 1; row <= kRows; ++row) {
                const Symbol symbol = symbolAt(reel, stop, row);
                const auto bit = static_cast<uint8_t>(1u << (row - 1));
                if (isPaying(symbol)) {
                    int entry = 0;
                    while (entry < entries && r.symbol[entry] != symbol) ++entry;
                    if (entry == entries) r.symbol[entries++] = static_cast<int8_t>(symbol);
                    r.rows[entry] = static_cast<uint8_t>(r.rows[entry] | bit);
                } else if (symbol == Wild) {
                    r.wildRows = static_cast<uint8_t>(r.wildRows | bit);
                } else if (symbol == Scatter) {
                    ++r.scatters;
                    r.scatterCell = cellNumber(reel, row);
                }
            }
            for (int filler = 1; entries < kRows; ++filler) {
                bool used = false;
                for (int entry = 0; entry < entries; ++entry) used = used || r.symbol[entry] == filler;
                if (!used) r.symbol[entries++] = static_cast<int8_t>(filler);
            }
        }
    }
    return t;
}

const ReelTables kTables = makeReelTables();

// A Wild in `row` of `reel`: the reel's weight for every paying symbol on the lines through the row, the
// Wild's line weight and cell, and the hold request of its reel.
ZEM_TALLY_CLONES void tallyWild(MachineState& s, int reel, int row) {
    const Lanes& mask = kTables.mask[reel][1 << (row - 1)];
    for (int paying = 1; paying <= kPayingSymbols; ++paying) addLanes(s.tally[paying], mask);
    for (int8_t line : linesThroughRow(reel, row)) s.wildline[line] = kReelWeight[reel];
    s.wildcell[reel] = cellNumber(reel, row);
    s.wildhold(reel) = 1;
}

}  // namespace

ZEM_TALLY_CLONES void clearSpin(MachineState& s) {
    for (int reel = 1; reel <= kReels; ++reel) {
        s.scattercell[reel] = 0;
        s.wildcell[reel] = 0;
    }
    s.scattercount = 0;
    // Symbol slot 0 is a spare that nothing writes; the ten paying symbols are cleared over all lanes.
    for (int symbol = 1; symbol <= kPayingSymbols; ++symbol)
        std::memset(s.tally[symbol], 0, sizeof s.tally[symbol]);
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

ZEM_TALLY_CLONES void tallyReel(MachineState& s, int reel) {
    if (reel < 1 || reel > kReels) return;
    const int stop = s.reelstop[reel];
    if (stop < 1 || stop > kStops) return;
    const StopRecord& r = kTables.stop[reel][stop];
    const Lanes* masks = kTables.mask[reel];
    // The three entries name three different tallies: load all three, then add, then store.
    int16_t* first = s.tally[r.symbol[0]];
    int16_t* second = s.tally[r.symbol[1]];
    int16_t* third = s.tally[r.symbol[2]];
    Lanes a, b, c;
    std::memcpy(&a, first, sizeof a);
    std::memcpy(&b, second, sizeof b);
    std::memcpy(&c, third, sizeof c);
    a += masks[r.rows[0]];
    b += masks[r.rows[1]];
    c += masks[r.rows[2]];
    std::memcpy(first, &a, sizeof a);
    std::memcpy(second, &b, sizeof b);
    std::memcpy(third, &c, sizeof c);
    s.scattercount = static_cast<int16_t>(s.scattercount + r.scatters);
    // A select rather than a branch: whether a Scatter shows is as random as the draw.
    s.scattercell[reel] = r.scatterCell != 0 ? r.scatterCell : s.scattercell[reel];
    for (unsigned wilds = r.wildRows; wilds != 0; wilds &= wilds - 1)
        tallyWild(s, reel, std::countr_zero(wilds) + 1);
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
