// SPDX-License-Identifier: GPL-3.0-or-later
// The animations of the two special symbols after a spin: the Scatter on every Scatter cell, the Wild on the
// Wild cells, and in free spins the Wild with the multiplier laid over it.
#pragma once

#include "ui/picture_lists.h"

namespace zem::play {
class Machine;
}

namespace zem::presentation {

class SymbolAnimations {
  public:
    // Takes over the ticks of the machine's `Timerscatters`, `Timer4` and `timerwild`.
    explicit SymbolAnimations(play::Machine& m);
    SymbolAnimations(const SymbolAnimations&) = delete;
    SymbolAnimations& operator=(const SymbolAnimations&) = delete;

    // `Timerscatters`: the Scatter frames up and down, shown on every Scatter cell.
    void scatterTick();
    // `Timer4`: the Wild frames up and down on the Wild cells; their visibility is the line flash's.
    void wildTick();
    // `timerwild`: the Wild frames round and round with the free spins' multiplier laid over them.
    void multiplierTick();

    static constexpr int kScatterFrames = static_cast<int>(ui::ScatterPicture::LastFrame);
    static constexpr int kWildFrames = static_cast<int>(ui::WildPicture::LastFrame);

  private:
    play::Machine& m_;
};

}  // namespace zem::presentation
