// SPDX-License-Identifier: GPL-3.0-or-later
// The line masks of every reel and stop, and the pay of each run, from the machine's own tables.
#include "line_evaluation.h"

namespace zem::core {

namespace {

// Bit n for every line n through `row` of `reel`.
uint32_t linesThrough(int reel, int row) {
    uint32_t lines = 0;
    for (int8_t line : linesThroughRow(reel, row)) lines |= uint32_t{1} << line;
    return lines;
}

LineTables makeLineTables() {
    LineTables t;
    for (int symbol = 1; symbol <= kPayingSymbols; ++symbol) {
        for (int run = 2; run <= kReels; ++run) t.pay[symbol][run] = linePay(symbol, run);
    }
    for (int row = 1; row <= kRows; ++row) t.rowLines[row - 1] = linesThrough(1, row);
    for (int stop1 = 1; stop1 <= kStops; ++stop1) {
        Symbol first[kRows];  // reel 1's symbol in each row
        for (int row = 1; row <= kRows; ++row) {
            const Symbol symbol = first[row - 1] = symbolAt(1, stop1, row);
            if (!isPaying(symbol)) continue;
            const uint32_t lines = t.rowLines[row - 1];
            t.paying[stop1] |= lines;
            if (symbol == Tomahawk) t.tomahawk[stop1] |= lines;
            for (int8_t line : linesThroughRow(1, row)) t.lineSymbol[stop1][line] = static_cast<int8_t>(symbol);
            for (int run = 2; run <= kReels; ++run)
                t.rowStep[stop1][row - 1][run] = t.pay[symbol][run] - t.pay[symbol][run - 1];
        }
        for (int reel = 2; reel <= kReels; ++reel) {
            for (int stop = 1; stop <= kStops; ++stop) {
                uint32_t& match = t.match[reel][stop1][stop];
                for (int row = 1; row <= kRows; ++row) {
                    const Symbol symbol = symbolAt(reel, stop, row);
                    for (int8_t line : linesThroughRow(reel, row)) {
                        const Symbol start = first[lineRow(line, 1) - 1];
                        if (isPaying(start) && (symbol == Wild || symbol == start)) match |= uint32_t{1} << line;
                    }
                }
            }
        }
    }
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int stop = 1; stop <= kStops; ++stop) {
            for (int row = 1; row <= kRows; ++row) {
                const Symbol symbol = symbolAt(reel, stop, row);
                if (symbol == Wild) t.wild[reel][stop] |= linesThrough(reel, row);
                if (symbol == Scatter) ++t.scatters[reel][stop];
            }
        }
    }
    return t;
}

}  // namespace

const LineTables kLineTables = makeLineTables();

LineEvaluator::LineEvaluator(int16_t linesplayed, int16_t coinsperline)
    : lines_(linesplayed), coins_(coinsperline), played_(playedLines(linesplayed)) {
    for (int scatters = 0; scatters <= kReels; ++scatters)
        scatterPay_[scatters] = int32_t{coinsperline} * scatterFactor(scatters) * linesplayed;
}

OutcomeFigures LineEvaluator::evaluate(const Stops& stops) const {
    const LineTables& t = kLineTables;
    int at[kReels];
    int scatters = 0;
    for (int reel = 0; reel < kReels; ++reel) {
        at[reel] = stopIndex(stops[reel]);
        scatters += t.scatters[reel + 1][at[reel]];
    }
    const LineRuns r = lineRuns(at, played_);
    OutcomeFigures f;
    f.scatters = static_cast<int16_t>(scatters);
    f.win = static_cast<int32_t>(forEachWinningLine(at[0], r, [](int, int, int) {}) * coins_) + scatterPay_[scatters];
    f.wildInRun = wildRuns(at, r) != 0;
    f.wildReels = wildReels(at);
    return f;
}

}  // namespace zem::core
