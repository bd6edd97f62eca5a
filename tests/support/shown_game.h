// SPDX-License-Identifier: GPL-3.0-or-later
// A whole machine with its win presentation on the headless back end, and a record of what every flash tick
// left on show during its pause.
#pragma once

#include "gamble/gamble.h"
#include "presentation/win_presentation.h"
#include "support/game_fixture.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zem::testing {

// What the window shows while a flash tick pauses.
struct FlashView {
    int line = 0, tick = 0, phase = 0;
    std::array<bool, 7> segment{};  // Lineflash(1..6)
    std::array<bool, 27> marker{};  // lin(1..26)
    std::array<bool, 16> cell{};    // flasher(1..15)
    bool pay = false;               // the line's pay on show, with its text, place and colour
    std::string payText;
    int payLeft = 0, payTop = 0;
    platform::Color payColour;
};

struct ShownGame : Game {
    presentation::WinPresentation show{m};
    std::optional<gamble::Gamble> gamble;
    std::vector<FlashView> flashes;

    ShownGame() {
        p.onSleep = [this](int ms) {
            if (ms != presentation::LineFlash::kPauseMs || !show.flash.tmrlineflash.ticking()) return;
            FlashView v;
            v.line = show.flash.flashline;
            v.tick = show.flash.flashtick;
            v.phase = show.flash.flashphase;
            for (int k = 1; k <= 6; ++k) v.segment[k] = m.w.Lineflash[k].visible;
            for (int k = 1; k <= 26; ++k) v.marker[k] = m.w.lin[k].visible;
            for (int c = 1; c <= 15; ++c) v.cell[c] = m.w.flasher[c].visible;
            const platform::Control& pay = m.w.lbllinepay;
            v.pay = pay.visible;
            v.payText = pay.caption;
            v.payLeft = pay.left;
            v.payTop = pay.top;
            v.payColour = pay.foreground;
            flashes.push_back(v);
        };
    }

    // Presses the gamble button, as the player does, with the gamble there to open.
    void openGamble() {
        if (!gamble) gamble.emplace(m);
        p.tap(m.w.doublebutton);
        p.advance(1);
    }

    // Runs the idle loop until `count` more flash ticks have drawn (or a minute has passed).
    void flashTicks(size_t count) {
        const size_t until = flashes.size() + count;
        p.runUntil([&] { return flashes.size() >= until && !show.flash.tmrlineflash.ticking(); }, 60000);
    }
};

}  // namespace zem::testing
