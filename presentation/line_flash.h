// SPDX-License-Identifier: GPL-3.0-or-later
// The winning-line flash: after a spin, each played winning line in turn is drawn across the reels, its
// marker and the cells of its winning run blinking, five ticks a line, round and round until something stops
// it.
#pragma once

#include "platform/event_loop.h"

#include <cstdint>

namespace zem::play {
class Machine;
}

namespace zem::presentation {

class LineFlash {
  public:
    // Runs on its own timer, `tmrlineflash`.
    explicit LineFlash(play::Machine& m);
    LineFlash(const LineFlash&) = delete;
    LineFlash& operator=(const LineFlash&) = delete;

    // One tick: draws the next step of the flash, lets pending events run, then holds the thread 150 ms.
    void tick();
    // The drawing part of a tick, without the yield and the pause; false when no played line won, in which
    // case the flash has stopped itself and nothing was drawn.
    bool advance();

    // Stops the flash where it stands; the window keeps what the last tick drew, and the counters stay for a
    // resume.
    void stop();
    // The spin's standing outcome is known: the flash starts when a played line has a winning run, from the
    // line past the played ones (which wraps to the first at once).
    void spinEvaluated();

    platform::Timer tmrlineflash;
    // The line on show, the ticks it has been on show and the on/off phase of the tick.
    int16_t flashline = 0, flashtick = 0, flashphase = 0;

    static constexpr int kPauseMs = 150;
    static constexpr int kTicksPerLine = 5;

  private:
    play::Machine& m_;
};

}  // namespace zem::presentation
