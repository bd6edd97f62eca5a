// Scatter and line pays. Only the symbol on reel 1 can pay a line: every paying sum holds reel 1's weight 8,
// and reel 1 never shows a Wild, so the line pay looks at that one symbol instead of walking all ten.
#include "pays.h"

#include "checked.h"

namespace zem::core {

int runForSum(int symbol, int sum) {
    switch (sum) {
        case 21:
        case 41:
            return 3;
        case 31:
            return 4;
        case 51:
            return 5;
        case 15:
        case 25:
        case 35:
        case 45:
            return symbol == Tomahawk ? 2 : 0;
        default:
            return 0;
    }
}

void payScatters(MachineState& s) {
    const int16_t factor = scatterFactor(s.scattercount);
    if (factor == 0) return;
    const long long pay = static_cast<long long>(s.coinsperline) * factor * s.linesplayed;
    addChecked(s.spinwin, pay);
}

namespace {

void payLine(MachineState& s, int line, int symbol) {
    const int run = runForSum(symbol, s.tally[symbol][line]);
    if (run == 0) return;
    const int16_t pay = linePay(symbol, run);
    if (pay == 0) return;
    addChecked(s.spinwin, static_cast<long long>(s.coinsperline) * pay);
    s.linewin[line] = static_cast<int16_t>(line);
    s.linecount[line] = static_cast<int16_t>(run);
}

}  // namespace

void payLines(MachineState& s) {
    const int played = s.linesplayed < kLines ? s.linesplayed : kLines;
    const int stop1 = s.reelstop[1];
    for (int line = 1; line <= played; ++line) {
        const int symbol = (stop1 >= 1 && stop1 <= kStops) ? symbolAt(1, stop1, lineRow(line, 1)) : 0;
        if (isPaying(symbol)) {
            payLine(s, line, symbol);
        } else if (symbol != Scatter) {
            for (Symbol candidate : kLinePayOrder) payLine(s, line, candidate);
        }
    }
}

void payOutcome(MachineState& s) {
    s.spinwin = 0;
    for (int line = 1; line <= kLines; ++line) s.linewin[line] = 0;
    payScatters(s);
    payLines(s);
}

}  // namespace zem::core
