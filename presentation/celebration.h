// SPDX-License-Identifier: GPL-3.0-or-later
// The celebration of a big moment over the reels: BIG WIN from 20 times the bet, MEGA WIN from 50 times, and
// a free-spin series' total with the spins that won it. It is only a look: it waits for nothing and takes no
// press from anything beneath it.
#pragma once

#include "ui/picture_lists.h"

#include <cstdint>
#include <string>

namespace zem::play {
class Machine;
}

namespace zem::presentation {

class Celebration {
  public:
    // Takes the window's presses; the win presentation hands it the machine's win and series events.
    explicit Celebration(play::Machine& m);
    ~Celebration();
    Celebration(const Celebration&) = delete;
    Celebration& operator=(const Celebration&) = delete;

    static constexpr int kBigWinTimes = 20;
    static constexpr int kMegaWinTimes = 50;

    // The plaque for a win of `win` coins at a bet of `bet`: BIG WIN, MEGA WIN or none.
    static ui::Plaque plaqueFor(int64_t win, int64_t bet);

    // A paid spin's win went into the credit: a big one is celebrated while the meter counts it.
    void winCredited();
    // A completed series' total stands in the meter: its spins and its total are celebrated.
    void seriesTotal();
    // Takes the celebration off the reels (the next spin, the player's next press, the meter done).
    void end();
    bool shown() const;

  private:
    void show(ui::Plaque plaque, const std::string& text);

    play::Machine& m_;
};

}  // namespace zem::presentation
