// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the spin's pays off the tally: the Scatter pay and the line pay.
#pragma once

#include "machine_state.h"

namespace zem::core {

// Run length (2..5) that a tally sum stands for, for `symbol`; 0 when the sum pays nothing.
int runForSum(int symbol, int sum);

// Adds the Scatter pay to spinwin: 2, 3, 4, 5 Scatters pay 1, 5, 10, 20 times the total bet.
void payScatters(MachineState& s);

// Pays every played line whose tally sum is a paying run; sets linewin and linecount of winning lines.
void payLines(MachineState& s);

// Clears the spin's win and winning lines, then pays the Scatters and the lines.
void payOutcome(MachineState& s);

// What the standing outcome pays, piece by piece, in coins at its bet: the Scatters, and one line (0 for a
// line that is not played or pays nothing). With the line pays of every played line they add up to the
// outcome's win before a free spin's multiplier.
int64_t scatterWin(const MachineState& s);
int64_t lineWin(const MachineState& s, int line);

}  // namespace zem::core
