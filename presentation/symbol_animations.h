// SPDX-License-Identifier: GPL-3.0-or-later
// The animations of the two special symbols after a spin: the Scatter on every Scatter cell, the Wild on the
// Wild cells, and in free spins the Wild with the multiplier laid over it.
#pragma once

#include "ui/picture_lists.h"
#include "platform/event_loop.h"

#include <cstdint>

namespace zem::play {
class Machine;
}

namespace zem::presentation {

class SymbolAnimations {
  public:
    // Runs on its own timers, `Timerscatters`, `Timer4` and `timerwild`.
    explicit SymbolAnimations(play::Machine& m);
    SymbolAnimations(const SymbolAnimations&) = delete;
    SymbolAnimations& operator=(const SymbolAnimations&) = delete;

    // `Timerscatters`: the Scatter frames up and down, shown on every Scatter cell.
    void scatterTick();
    // `Timer4`: the Wild frames up and down on the Wild cells; their visibility is the line flash's.
    void wildTick();
    // `timerwild`: the Wild frames round and round with the free spins' multiplier laid over them.
    void multiplierTick();

    // A paid spin is asked for: the Wild and the multiplier start again from their first frames.
    void rewind();
    // The reels stand on an outcome: the Scatters animate from their first frame when two or more landed.
    void outcomeShown();
    // The lines are known: the Wilds of the winning lines animate (with the multiplier in free spins).
    void spinEvaluated();
    // Stops the three animations where they stand.
    void stop();

    static constexpr int kScatterFrames = static_cast<int>(ui::ScatterPicture::LastFrame);
    static constexpr int kWildFrames = static_cast<int>(ui::WildPicture::LastFrame);

    platform::Timer Timerscatters, Timer4, timerwild;
    int scatterframe = 0, scattertick = 0;
    int wildframe = 0;
    int16_t wildtick = 0;
    int discframe = 0, multpiclast = 0;

  private:
    play::Machine& m_;
};

}  // namespace zem::presentation
