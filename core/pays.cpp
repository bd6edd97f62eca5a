// SPDX-License-Identifier: GPL-3.0-or-later
// Scatter and line pays. The line evaluation finds the winning runs of all lines at once; only the winning
// lines are then written one by one. The line wins of a spin are added up first and put on spinwin in one
// checked addition (at most 25 x 20 x 1500 coins).
#include "pays.h"

#include "checked.h"
#include "line_evaluation.h"

#include <cstdint>
#include <cstring>

namespace zem::core {

void payScatters(MachineState& s) {
    const long long pay = static_cast<long long>(s.coinsperline) * scatterFactor(s.scattercount) * s.linesplayed;
    addChecked(s.spinwin, pay);
}

void payLines(MachineState& s) {
    int at[kReels];
    for (int reel = 1; reel <= kReels; ++reel) at[reel - 1] = stopIndex(s.reelstop[reel]);
    const LineRuns runs = lineRuns(at, playedLines(s.linesplayed));
    const int64_t won = forEachWinningLine(at[0], runs, [&s](int line, int run, int) {
        s.linewin[line] = static_cast<int16_t>(line);
        s.linecount[line] = static_cast<int16_t>(run);
    });
    addChecked(s.spinwin, s.coinsperline * won);
}

int64_t scatterWin(const MachineState& s) {
    return static_cast<int64_t>(s.coinsperline) * scatterFactor(s.scattercount) * s.linesplayed;
}

int64_t lineWin(const MachineState& s, int line) {
    const int played = s.linesplayed < kLines ? s.linesplayed : kLines;
    if (line < 1 || line > played || s.linewin[line] == 0) return 0;
    const int run = s.linecount[line];
    if (run < 2 || run > kReels) return 0;
    const int symbol = kLineTables.lineSymbol[stopIndex(s.reelstop[1])][line];
    return static_cast<int64_t>(kLineTables.pay[symbol][run]) * s.coinsperline;
}

void payOutcome(MachineState& s) {
    s.spinwin = 0;
    std::memset(s.linewin, 0, sizeof s.linewin);
    std::memset(s.linecount, 0, sizeof s.linecount);
    payScatters(s);
    payLines(s);
}

}  // namespace zem::core
