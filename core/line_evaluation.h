// SPDX-License-Identifier: GPL-3.0-or-later
// The one evaluation of the line pays, for the game, the tools and the exact figures. Only reel 1's symbol can
// start a run (reel 1 never shows a Wild), so for every stop of reel 1 and every stop of a later reel the lines
// on which that reel continues reel 1's symbol (the same symbol, or a Wild) are one bit mask, bit n for line n.
// A run over the reels is then a chain of ANDs over all 25 lines at once: the lines whose run reaches reel 3
// are those that reach reel 2 and continue on reel 3, and so on.
#pragma once

#include "paylines.h"
#include "reels.h"
#include "symbols.h"

#include <array>
#include <bit>
#include <cstdint>

namespace zem::core {

// The masks and pays of the machine's strips, line table and pay table. Index 0 of a stop stands for a stop
// outside 1..22: a reel there shows nothing, so it continues no run and counts no Scatter.
struct LineTables {
    uint32_t paying[kStops + 1] = {};    // [stop of reel 1] lines whose reel-1 cell shows a paying symbol
    uint32_t tomahawk[kStops + 1] = {};  // lines whose reel-1 cell shows a Tomahawk: its run of 2 pays
    uint32_t rowLines[kRows] = {};       // lines through each row of reel 1
    // [stop of reel 1][row][k]: the pay per coin of a run of k of the row's symbol less that of a run of k - 1
    // (k = 2..5), so that a line's pay is the sum over the runs it reaches.
    int32_t rowStep[kStops + 1][kRows][kReels + 1] = {};
    int8_t lineSymbol[kStops + 1][kLines + 1] = {};             // the paying symbol on reel 1 of each line
    int16_t pay[kPayingSymbols + 1][kReels + 1] = {};           // pay per coin of each run 2..5
    uint32_t match[kReels + 1][kStops + 1][kStops + 1] = {};    // [reel 2..5][stop of reel 1][stop]
    uint32_t wild[kReels + 1][kStops + 1] = {};                 // lines through a Wild of the reel at the stop
    int8_t scatters[kReels + 1][kStops + 1] = {};               // Scatters the reel shows at the stop
};

extern const LineTables kLineTables;

// The table index of a reel's stop: the stop itself within 1..22, 0 otherwise.
constexpr int stopIndex(int stop) { return stop >= 1 && stop <= kStops ? stop : 0; }

// Bits 1..played of the lines played (at most 25).
constexpr uint32_t playedLines(int linesplayed) {
    const int played = linesplayed < kLines ? linesplayed : kLines;
    return played < 1 ? 0 : ((uint32_t{2} << played) - 1) & ~uint32_t{1};
}

// The runs of one outcome over the played lines. reach[k] holds the lines whose run from reel 1 covers at
// least reels 1..k (reach[2] included); `won` the lines that pay: every run of 3 or more, and a Tomahawk's
// run of 2.
struct LineRuns {
    uint32_t reach[kReels + 1] = {};
    uint32_t won = 0;
    // The length of the run on a line of `won` (2..5).
    int run(int line) const {
        return 2 + static_cast<int>((reach[3] >> line) & 1) + static_cast<int>((reach[4] >> line) & 1) +
               static_cast<int>((reach[5] >> line) & 1);
    }
};

// The runs of the outcome at the stop indices `at` (reels 1..5, each 0..22).
inline LineRuns lineRuns(const int (&at)[kReels], uint32_t played) {
    const LineTables& t = kLineTables;
    LineRuns r;
    r.reach[2] = t.paying[at[0]] & played & t.match[2][at[0]][at[1]];
    r.reach[3] = r.reach[2] & t.match[3][at[0]][at[2]];
    r.reach[4] = r.reach[3] & t.match[4][at[0]][at[3]];
    r.reach[5] = r.reach[4] & t.match[5][at[0]][at[4]];
    r.won = r.reach[3] | (r.reach[2] & t.tomahawk[at[0]]);
    return r;
}

// Calls each(line, run, payPerCoin) for every winning line of `r` (reel 1's stop at index `stop1`), line by
// line; returns what they pay per coin. Only the winning lines are visited: a handful at most.
template <class Each>
int64_t forEachWinningLine(int stop1, const LineRuns& r, Each&& each) {
    const LineTables& t = kLineTables;
    const int8_t* symbol = t.lineSymbol[stop1];
    int64_t pays = 0;
    for (uint32_t lines = r.won; lines != 0; lines &= lines - 1) {
        const int line = std::countr_zero(lines);
        const int run = r.run(line);
        const int pay = t.pay[symbol[line]][run];
        each(line, run, pay);
        pays += pay;
    }
    return pays;
}

// The line pays per coin of runs that reach reels 2..`last` (reel 1's stop at index `stop1`), counted row by
// row of reel 1 rather than line by line: what the enumeration adds up for the 22 stops of reel 5.
inline int64_t runPays(int stop1, const LineRuns& r, int last) {
    const LineTables& t = kLineTables;
    int64_t pays = 0;
    for (int row = 0; row < kRows; ++row) {
        for (int k = 2; k <= last; ++k)
            pays += t.rowStep[stop1][row][k] * std::popcount(r.reach[k] & t.rowLines[row]);
    }
    return pays;
}

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
    // The runs up to reel 4 are found once for the 22 stops of reel 5.
    template <class Visit>
    void forEachOutcome(Visit&& visit) const;

  private:
    // Lines of `r.won` whose run holds a Wild of reels 2..4 (at the stop indices `at`).
    static uint32_t wildRuns(const int (&at)[kReels], const LineRuns& r);
    static uint8_t wildReels(const int (&at)[kReels]);

    int16_t lines_, coins_;
    uint32_t played_ = 0;
    int32_t scatterPay_[kReels + 1] = {};
};

inline uint32_t LineEvaluator::wildRuns(const int (&at)[kReels], const LineRuns& r) {
    const LineTables& t = kLineTables;
    const uint32_t wild2 = t.wild[2][at[1]], wild23 = wild2 | t.wild[3][at[2]], wild234 = wild23 | t.wild[4][at[3]];
    // A run of 2 holds reel 2 alone, a run of 3 reels 2..3, a longer run reels 2..4.
    return (r.won & ~r.reach[3] & wild2) | (r.reach[3] & ~r.reach[4] & wild23) | (r.reach[4] & wild234);
}

inline uint8_t LineEvaluator::wildReels(const int (&at)[kReels]) {
    const LineTables& t = kLineTables;
    return static_cast<uint8_t>((t.wild[2][at[1]] != 0 ? 4 : 0) | (t.wild[3][at[2]] != 0 ? 8 : 0) |
                                (t.wild[4][at[3]] != 0 ? 16 : 0));
}

template <class Visit>
void LineEvaluator::forEachOutcome(Visit&& visit) const {
    const LineTables& t = kLineTables;
    Stops stops{};
    int at[kReels] = {};
    for (int s1 = 1; s1 <= kStops; ++s1) {
        at[0] = s1;
        stops[0] = static_cast<int16_t>(s1);
        for (int s2 = 1; s2 <= kStops; ++s2) {
            at[1] = s2;
            stops[1] = static_cast<int16_t>(s2);
            for (int s3 = 1; s3 <= kStops; ++s3) {
                at[2] = s3;
                stops[2] = static_cast<int16_t>(s3);
                for (int s4 = 1; s4 <= kStops; ++s4) {
                    at[3] = s4;
                    stops[3] = static_cast<int16_t>(s4);
                    // Everything but the runs that reach reel 5 is settled before reel 5.
                    at[4] = 0;
                    LineRuns r = lineRuns(at, played_);
                    const int64_t settled = runPays(s1, r, 4);
                    const uint32_t four = r.reach[4];
                    const int scattersBefore =
                        t.scatters[1][s1] + t.scatters[2][s2] + t.scatters[3][s3] + t.scatters[4][s4];
                    OutcomeFigures f;
                    f.wildInRun = wildRuns(at, r) != 0;
                    f.wildReels = wildReels(at);
                    for (int s5 = 1; s5 <= kStops; ++s5) {
                        stops[4] = static_cast<int16_t>(s5);
                        int64_t pays = settled;
                        if (four != 0) {
                            const uint32_t five = four & t.match[5][s1][s5];
                            for (int row = 0; row < kRows; ++row)
                                pays += t.rowStep[s1][row][5] * std::popcount(five & t.rowLines[row]);
                        }
                        f.scatters = static_cast<int16_t>(scattersBefore + t.scatters[5][s5]);
                        f.win = static_cast<int32_t>(pays * coins_) + scatterPay_[f.scatters];
                        visit(stops, f);
                    }
                }
            }
        }
    }
}

}  // namespace zem::core
