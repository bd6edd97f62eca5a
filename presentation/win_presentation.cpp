// SPDX-License-Identifier: GPL-3.0-or-later
// The win show's part in opening the gamble.
#include "win_presentation.h"

#include "play/machine.h"

namespace zem::presentation {

void stopForGamble(play::Machine& m) {
    for (int c = 1; c <= 15; ++c) m.w.flasher[c].visible = false;
    m.tmrlineflash.stop();
    m.Timerscatters.stop();
    m.Timer4.stop();
}

}  // namespace zem::presentation
