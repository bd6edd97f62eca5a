// SPDX-License-Identifier: GPL-3.0-or-later
// The spin's pays, read off its five stops: the Scatter pay and the line pay.
#pragma once

#include "machine_state.h"

namespace zem::core {

// Adds the Scatter pay to spinwin: 2, 3, 4, 5 Scatters pay 1, 5, 10, 20 times the total bet.
void payScatters(MachineState& s);

// Pays every played line on which reel 1's symbol runs over 3 or more reels (Wilds standing in), or a
// Tomahawk over 2; sets linewin (the line's number) and linecount (the run) of each winning line.
void payLines(MachineState& s);

// Clears the spin's win and its winning lines and runs, then pays the Scatters and the lines.
void payOutcome(MachineState& s);

// What the standing outcome pays, piece by piece, in coins at its bet: the Scatters, and one line (0 for a
// line that is not played or did not win). With the line pays of every played line they add up to the
// outcome's win before a free spin's multiplier.
int64_t scatterWin(const MachineState& s);
int64_t lineWin(const MachineState& s, int line);

}  // namespace zem::core
