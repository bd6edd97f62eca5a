// SPDX-License-Identifier: GPL-3.0-or-later
// The winning-line flash: after a spin, each played winning line in turn is drawn across the reels, its
// marker and the cells of its winning run blinking, five ticks a line, round and round until something stops
// it.
#pragma once

namespace zem::play {
class Machine;
}

namespace zem::presentation {

class LineFlash {
  public:
    // Takes over the tick of the machine's `tmrlineflash`.
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

    static constexpr int kPauseMs = 150;
    static constexpr int kTicksPerLine = 5;

  private:
    play::Machine& m_;
};

}  // namespace zem::presentation
