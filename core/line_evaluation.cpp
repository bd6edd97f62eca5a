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
        }
    }
    // A run of k reels from reel 1 has the tally sum of the first k weights; the sum decides the pay.
    for (int symbol = 1; symbol <= kPayingSymbols; ++symbol) {
        int sum = kReelWeight[1];
        for (int run = 2; run <= kReels; ++run) {
            sum += kReelWeight[run];
            pays_[symbol].run[run] = linePay(symbol, runForSum(symbol, sum));
        }
    }
    for (int scatters = 0; scatters <= kReels; ++scatters)
        scatterPay_[scatters] = int32_t{coinsperline} * scatterFactor(scatters) * linesplayed;
}

}  // namespace zem::core
