// SPDX-License-Identifier: GPL-3.0-or-later
// A whole machine with its win presentation on the headless back end, and a record of what every flash tick
// left on show during its pause.
#pragma once

#include "presentation/win_presentation.h"
#include "tests/play/game_fixture.h"

#include <array>
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
    std::vector<FlashView> flashes;

    ShownGame() {
        p.onSleep = [this](int ms) {
            if (ms != presentation::LineFlash::kPauseMs || !m.tmrlineflash.ticking()) return;
            FlashView v;
            v.line = m.anim.flashline;
            v.tick = m.anim.flashtick;
            v.phase = m.anim.flashphase;
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

    // Runs the idle loop until `count` more flash ticks have drawn (or a minute has passed).
    void flashTicks(size_t count) {
        const size_t until = flashes.size() + count;
        p.runUntil([&] { return flashes.size() >= until && !m.tmrlineflash.ticking(); }, 60000);
    }
};

inline int winningLines(const core::MachineState& s) {
    int n = 0;
    for (int line = 1; line <= s.linesplayed; ++line) n += s.linewin[line] > 0;
    return n;
}

// The lines that won, in ascending order.
inline std::vector<int> linesWon(const core::MachineState& s) {
    std::vector<int> lines;
    for (int line = 1; line <= s.linesplayed; ++line) {
        if (s.linewin[line] > 0) lines.push_back(line);
    }
    return lines;
}

}  // namespace zem::testing
