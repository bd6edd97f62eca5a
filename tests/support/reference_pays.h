// SPDX-License-Identifier: GPL-3.0-or-later
// The pays of an outcome worked out plainly, as the rules state them, from the tables written out in
// machine_tables.h and nothing of the core's evaluation: on every line each paying symbol has the sum of the
// weights (8, 7, 6, 10, 20) of the reels that show it, or a Wild, in the line's row; the sums 21 and 41 pay a
// run of 3, 31 a run of 4, 51 a run of 5, and 15, 25, 35 and 45 the Tomahawk's run of 2.
#pragma once

#include "support/machine_tables.h"

#include <algorithm>

namespace zem::testing {

// The sums that pay, each with its run; the run-2 sums pay only the Tomahawk.
struct PayingSum {
    int sum;
    int run;
    bool tomahawkOnly;
};
inline constexpr PayingSum kPayingSums[] = {{15, 2, true},  {25, 2, true},  {35, 2, true},  {45, 2, true},
                                            {21, 3, false}, {41, 3, false}, {31, 4, false}, {51, 5, false}};

// The same list as a lookup by symbol and sum, so that every outcome can be checked in reasonable time.
struct RunTable {
    int8_t run[11][64] = {};
    RunTable() {
        for (int symbol = 1; symbol <= 10; ++symbol) {
            for (const PayingSum& p : kPayingSums) {
                if (!p.tomahawkOnly || symbol == Tomahawk) run[symbol][p.sum] = static_cast<int8_t>(p.run);
            }
        }
    }
};

inline int referenceRun(Symbol symbol, int sum) {
    static const RunTable table;
    return static_cast<unsigned>(sum) < 64u ? table.run[symbol][sum] : 0;
}

// Each paying symbol's weight sum on each line, reel by reel.
struct ReferenceTally {
    int16_t sum[11][26] = {};

    // Adds what `reel` at `stop` shows: for each line, the reel's weight for the symbol in the line's row, or
    // for all ten paying symbols when that is a Wild.
    void addReel(int reel, int stop) {
        for (int line = 1; line <= 25; ++line) {
            const Symbol symbol = shown(reel, stop, rowOf(line, reel));
            if (symbol == Wild) {
                for (int paying = 1; paying <= 10; ++paying) sum[paying][line] += kWeights[reel];
            } else if (symbol != Scatter) {
                sum[symbol][line] += kWeights[reel];
            }
        }
    }
};

inline ReferenceTally referenceTally(const Stops& stops) {
    ReferenceTally t;
    for (int reel = 1; reel <= 5; ++reel) t.addReel(reel, stops[reel - 1]);
    return t;
}

// What an outcome pays, line by line, before the bet: every symbol is read on every line.
struct ReferenceOutcome {
    int run[26] = {};         // the winning run on each line, 0 for none
    int payPerCoin[26] = {};  // what the line pays per coin
    bool wildInRun[26] = {};  // a Wild of reels 2..4 stands inside the line's winning run
    int payersOnOneLine = 0;  // most paying symbols found on a single line (one at most, or the rules clash)
    int scatters = 0;
    uint8_t wildReels = 0;  // bit r for each reel r (2..4) that shows a Wild

    // The outcome's win at a bet, before any multiplier.
    int32_t win(int lines, int coins) const {
        static constexpr int kScatterFactor[6] = {0, 0, 1, 5, 10, 20};
        int32_t won = kScatterFactor[scatters] * coins * lines;
        for (int line = 1; line <= lines; ++line) won += coins * payPerCoin[line];
        return won;
    }
    bool anyWildInRun(int lines) const {
        bool any = false;
        for (int line = 1; line <= lines; ++line) any = any || wildInRun[line];
        return any;
    }
};

inline ReferenceOutcome referenceOutcome(const ReferenceTally& t, const Stops& stops) {
    ReferenceOutcome r;
    for (int line = 1; line <= 25; ++line) {
        int payers = 0;
        for (int symbol = 1; symbol <= 10; ++symbol) {
            const int run = referenceRun(static_cast<Symbol>(symbol), t.sum[symbol][line]);
            if (run == 0) continue;
            ++payers;
            r.run[line] = run;
            r.payPerCoin[line] += kPayTable[symbol][run];
            for (int reel = 2; reel <= run && reel <= 4; ++reel)
                r.wildInRun[line] = r.wildInRun[line] || shown(reel, stops[reel - 1], rowOf(line, reel)) == Wild;
        }
        r.payersOnOneLine = std::max(r.payersOnOneLine, payers);
    }
    for (int reel = 1; reel <= 5; ++reel) {
        for (int row = 1; row <= 3; ++row) {
            const Symbol symbol = shown(reel, stops[reel - 1], row);
            r.scatters += symbol == Scatter ? 1 : 0;
            if (symbol == Wild && reel >= 2 && reel <= 4) r.wildReels |= static_cast<uint8_t>(1 << reel);
        }
    }
    return r;
}

inline ReferenceOutcome referenceOutcome(const Stops& stops) { return referenceOutcome(referenceTally(stops), stops); }

}  // namespace zem::testing
