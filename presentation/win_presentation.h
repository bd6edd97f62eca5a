// SPDX-License-Identifier: GPL-3.0-or-later
// The win presentation of the machine window: the line flash, the symbol animations and the payline viewer,
// bound to the machine's timers and hooks. Build it before the machine starts up, so that the "PayLines"
// entry comes up live.
#pragma once

#include "celebration.h"
#include "line_flash.h"
#include "payline_viewer.h"
#include "symbol_animations.h"

namespace zem::presentation {

struct WinPresentation {
    explicit WinPresentation(play::Machine& m) : flash(m), animations(m), viewer(m), celebration(m) {}
    LineFlash flash;
    SymbolAnimations animations;
    PaylineViewer viewer;
    Celebration celebration;
};

// What opening the gamble does to the win show: the flash and the Scatter and Wild animations stop and the
// fifteen cell overlays are hidden. The segments stay as they are, and `timerwild` runs on unseen.
void stopForGamble(play::Machine& m);

}  // namespace zem::presentation
