// SPDX-License-Identifier: GPL-3.0-or-later
// The line masks of every reel and stop, and the pay of each run, from the machine's own tables.
#include "line_evaluation.h"

#include "paylines.h"
#include "pays.h"

namespace zem::core {

LineEvaluator::LineEvaluator(int16_t linesplayed, int16_t coinsperline)
    : lines_(linesplayed), coins_(coinsperline) {
    const int played = linesplayed < kLines ? linesplayed : kLines;
    played_ = played < 1 ? 0 : ((uint32_t{2} << played) - 1) & ~uint32_t{1};  // bits 1..played
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int stop = 1; stop <= kStops; ++stop) {
            StopMasks& m = masks_[reel][stop];
            for (int row = 1; row <= kRows; ++row) {
                uint32_t lines = 0;
                for (int8_t line : linesThroughRow(reel, row)) lines |= uint32_t{1} << line;
                const Symbol symbol = symbolAt(reel, stop, row);
                if (isPaying(symbol)) {
                    m.match[symbol] |= lines;
                    bool known = false;
                    for (int k = 0; k < m.symbols; ++k) known = known || m.symbol[k] == symbol;
                    if (!known) m.symbol[m.symbols++] = static_cast<int8_t>(symbol);
                } else if (symbol == Wild) {
                    m.wild |= lines;
                    for (int paying = 1; paying <= kPayingSymbols; ++paying) m.match[paying] |= lines;
                } else if (symbol == Scatter) {
                    ++m.scatters;
                }
            }
            // Fillers with no line on this stop make every stop read as three symbols.
            if (reel == 1) {
                for (int filler = 1, k = m.symbols; k < kRows; ++filler) {
                    bool used = false;
                    for (int j = 0; j < k; ++j) used = used || m.symbol[j] == filler;
                    if (!used) m.symbol[k++] = static_cast<int8_t>(filler);
                }
            }
        }
    }
    // A run of k reels from reel 1 has the tally sum of the first k weights; the sum decides the pay.
    for (int symbol = 1; symbol <= kPayingSymbols; ++symbol) {
        int sum = kReelWeight[1];
        for (int run = 2; run <= kReels; ++run) {
            sum += kReelWeight[run];
            pays_[symbol].run[run] = linePay(symbol, runForSum(symbol, sum));
        }
        pays_[symbol].twoWins = pays_[symbol].run[2] != 0 ? ~uint32_t{0} : 0;
    }
    for (int scatters = 0; scatters <= kReels; ++scatters)
        scatterPay_[scatters] = int32_t{coinsperline} * scatterFactor(scatters) * linesplayed;
}

// The run masks cost a bit count each; on x86-64 a second build uses the processor's own instruction.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define ZEM_POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#endif
#endif
#ifndef ZEM_POPCOUNT_CLONES
#define ZEM_POPCOUNT_CLONES
#endif

ZEM_POPCOUNT_CLONES OutcomeFigures LineEvaluator::evaluate(const Stops& stops) const {
    const StopMasks& r1 = masks_[1][stops[0]];
    const StopMasks& r2 = masks_[2][stops[1]];
    const StopMasks& r3 = masks_[3][stops[2]];
    const StopMasks& r4 = masks_[4][stops[3]];
    const StopMasks& r5 = masks_[5][stops[4]];
    const uint32_t wild2 = r2.wild, wild23 = wild2 | r3.wild, wild234 = wild23 | r4.wild;
    int64_t pays = 0;
    uint32_t wildRuns = 0;
    // Always three symbols: the fillers have no lines on reel 1, so all their runs are empty.
    for (int k = 0; k < kRows; ++k) {
        const int symbol = r1.symbol[k];
        const uint32_t one = r1.match[symbol] & played_;
        const uint32_t two = one & r2.match[symbol];
        const uint32_t three = two & r3.match[symbol];
        const uint32_t four = three & r4.match[symbol];
        const uint32_t five = four & r5.match[symbol];
        const Pays& p = pays_[symbol];
        // Only winning runs count for the Wild test: a run of 2 wins for the Tomahawk alone.
        const uint32_t runTwo = two & ~three & p.twoWins;
        const uint32_t runThree = three & ~four;
        pays += p.run[2] * std::popcount(runTwo) + p.run[3] * std::popcount(runThree) +
                p.run[4] * std::popcount(four & ~five) + p.run[5] * std::popcount(five);
        wildRuns |= (runTwo & wild2) | (runThree & wild23) | (four & wild234);
    }
    OutcomeFigures f;
    f.scatters = static_cast<int16_t>(r1.scatters + r2.scatters + r3.scatters + r4.scatters + r5.scatters);
    f.win = static_cast<int32_t>(pays * coins_) + scatterPay_[f.scatters];
    f.wildInRun = wildRuns != 0;
    f.wildReels =
        static_cast<uint8_t>((r2.wild != 0 ? 4 : 0) | (r3.wild != 0 ? 8 : 0) | (r4.wild != 0 ? 16 : 0));
    return f;
}

}  // namespace zem::core
