// SPDX-License-Identifier: GPL-3.0-or-later
// The pays of five stops read for all lines at once: for every reel and stop, the lines on which each paying
// symbol (or a Wild) stands are one bit mask, so a run over the reels is a chain of ANDs. Built from the
// machine's own strips, line table, tally sums and pay table; the tests hold it to the tally's result on
// every outcome. The exact figures enumerate with it, and fast long runs may repeat it.
#pragma once

#include "reels.h"
#include "symbols.h"

#include <array>
#include <bit>
#include <cstdint>

namespace zem::core {

// What an outcome gives, before any multiplier.
struct OutcomeFigures {
    int32_t win = 0;       // line pays plus the Scatter pay, in coins
    int16_t scatters = 0;  // Scatters in view
    bool wildInRun =
        false;  // a winning played line has a Wild of reels 2..4 in its run (the multiplier's test)
    uint8_t wildReels = 0;  // bit r set when reel r (2..4) shows a Wild: it is held on the next spin
    bool operator==(const OutcomeFigures&) const = default;
};

class LineEvaluator {
  public:
    using Stops = std::array<int16_t, kReels>;  // reels 1..5, each stop 1..22

    LineEvaluator(int16_t linesplayed, int16_t coinsperline);

    int16_t lines() const { return lines_; }
    int16_t coins() const { return coins_; }

    // The figures of one outcome.
    OutcomeFigures evaluate(const Stops& stops) const;

    // Every one of the 22^5 outcomes in order (reel 5 fastest), with its figures: visit(stops, figures).
    // The masks of reels 1..4 are combined once for the 22 stops of reel 5.
    template <class Visit>
    void forEachOutcome(Visit&& visit) const;

  private:
    struct StopMasks {
        uint32_t match[kPayingSymbols + 1] = {};  // lines whose row shows the symbol or a Wild
        uint32_t wild = 0;                        // lines whose row shows a Wild
        int8_t symbol[kRows] = {};                // the paying symbols in view (reel 1 reads these), then
        int8_t symbols = 0;                       // other symbols that stand nowhere in view, up to three
        int8_t scatters = 0;
    };
    struct Pays {
        int32_t run[6] = {};   // pay per coin of a run of 2..5, as the tally sums pay them
        uint32_t twoWins = 0;  // all lines when a run of 2 pays, none otherwise
    };

    int16_t lines_, coins_;
    uint32_t played_ = 0;
    StopMasks masks_[kReels + 1][kStops + 1];
    Pays pays_[kPayingSymbols + 1];
    int32_t scatterPay_[kReels + 1] = {};
};

template <class Visit>
void LineEvaluator::forEachOutcome(Visit&& visit) const {
    Stops stops{};
    struct Partial {
        int symbol;
        uint32_t four;    // lines with a run of at least 4 so far
        int32_t runFour;  // pay of a run of exactly 4, and of 5
        int32_t runFive;
    };
    for (int s1 = 1; s1 <= kStops; ++s1) {
        const StopMasks& r1 = masks_[1][s1];
        stops[0] = static_cast<int16_t>(s1);
        for (int s2 = 1; s2 <= kStops; ++s2) {
            const StopMasks& r2 = masks_[2][s2];
            stops[1] = static_cast<int16_t>(s2);
            for (int s3 = 1; s3 <= kStops; ++s3) {
                const StopMasks& r3 = masks_[3][s3];
                stops[2] = static_cast<int16_t>(s3);
                for (int s4 = 1; s4 <= kStops; ++s4) {
                    const StopMasks& r4 = masks_[4][s4];
                    stops[3] = static_cast<int16_t>(s4);
                    const uint32_t wild2 = r2.wild, wild23 = wild2 | r3.wild, wild234 = wild23 | r4.wild;
                    // Everything but the runs that reach reel 4 is settled before reel 5.
                    int64_t settled = 0;
                    uint32_t wildRuns = 0;
                    Partial partial[kRows];
                    const int symbols = r1.symbols;
                    for (int k = 0; k < symbols; ++k) {
                        const int symbol = r1.symbol[k];
                        const uint32_t one = r1.match[symbol] & played_;
                        const uint32_t two = one & r2.match[symbol];
                        const uint32_t three = two & r3.match[symbol];
                        const uint32_t four = three & r4.match[symbol];
                        const Pays& p = pays_[symbol];
                        const uint32_t runTwo = p.run[2] != 0 ? two & ~three : 0;
                        settled += p.run[2] * std::popcount(runTwo) + p.run[3] * std::popcount(three & ~four);
                        wildRuns |= (runTwo & wild2) | ((three & ~four) & wild23) | (four & wild234);
                        partial[k] = {symbol, four, p.run[4], p.run[5]};
                    }
                    const int scattersBefore = r1.scatters + r2.scatters + r3.scatters + r4.scatters;
                    OutcomeFigures f;
                    f.wildInRun = wildRuns != 0;
                    f.wildReels = static_cast<uint8_t>((r2.wild != 0 ? 4 : 0) | (r3.wild != 0 ? 8 : 0) |
                                                       (r4.wild != 0 ? 16 : 0));
                    for (int s5 = 1; s5 <= kStops; ++s5) {
                        const StopMasks& r5 = masks_[5][s5];
                        stops[4] = static_cast<int16_t>(s5);
                        int64_t pays = settled;
                        for (int k = 0; k < symbols; ++k) {
                            const uint32_t five = partial[k].four & r5.match[partial[k].symbol];
                            pays += partial[k].runFour * std::popcount(partial[k].four & ~five) +
                                    partial[k].runFive * std::popcount(five);
                        }
                        f.scatters = static_cast<int16_t>(scattersBefore + r5.scatters);
                        f.win = static_cast<int32_t>(pays * coins_) + scatterPay_[f.scatters];
                        visit(stops, f);
                    }
                }
            }
        }
    }
}

}  // namespace zem::core
