// SPDX-License-Identifier: GPL-3.0-or-later
// The win presentation of the machine window: the line flash, the symbol animations, the payline viewer and
// the celebration, each with its own counters and timers, run from the machine's play events. Build it
// before the machine starts up, so that the "PayLines" entry comes up live.
#pragma once

#include "celebration.h"
#include "line_flash.h"
#include "payline_viewer.h"
#include "symbol_animations.h"

namespace zem::presentation {

struct WinPresentation {
    // Takes the machine's play events.
    explicit WinPresentation(play::Machine& m);
    ~WinPresentation();
    WinPresentation(const WinPresentation&) = delete;
    WinPresentation& operator=(const WinPresentation&) = delete;

    LineFlash flash;
    SymbolAnimations animations;
    PaylineViewer viewer;
    Celebration celebration;

    // What opening the gamble does to the win show: the flash and the Scatter and Wild animations stop and
    // the fifteen cell overlays are hidden. The segments stay as they are, and `timerwild` runs on unseen.
    void stopForGamble();

  private:
    play::Machine& m_;
};

}  // namespace zem::presentation
