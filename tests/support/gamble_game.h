// SPDX-License-Identifier: GPL-3.0-or-later
// A whole machine with its gamble on the headless back end, with helpers to win, open and bet as a player
// does, the cards scripted.
#pragma once

#include "gamble/gamble.h"
#include "support/game_fixture.h"

#include <string>

namespace zem::testing {

inline const Stops& paysForty() {
    static const Stops stops = paying(40);
    return stops;
}

struct GambleGame : Game {
    gamble::Gamble gamble{m};
    ui::GamblePanel& panel = m.w.gamble;

    // A paid spin of 25 coins on the given outcome, its roll-up left to finish.
    void spin(const Stops& stops) {
        script(stops);
        bet(1);
        idle(3000);
    }
    void openGamble() {
        p.tap(m.w.doublebutton);
        p.advance(1);
    }
    // Presses a bet button with the next card scripted; the reveal and its outcome run to their end.
    void betOn(platform::Control& button, int card) {
        p.scripted().pushChoice(card, 4);
        p.click(button);
        p.advance(1);
    }
    void takeWin() {
        p.click(panel.cancelbet);
        p.advance(1);
    }
    int32_t storedNumber(const std::string& key) { return std::stoi(stored(key).value_or("-1")); }
};

}  // namespace zem::testing
