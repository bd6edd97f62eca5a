// SPDX-License-Identifier: GPL-3.0-or-later
// The winning-line flash on `tmrlineflash`.
#include "line_flash.h"

#include "core/paylines.h"
#include "payline_drawing.h"
#include "play/machine.h"

#include <algorithm>

namespace zem::presentation {

LineFlash::LineFlash(play::Machine& m) : tmrlineflash(m.p.loop(), "tmrlineflash", 100), m_(m) {
    tmrlineflash.onTick = [this] { tick(); };
}

void LineFlash::tick() {
    if (!advance()) return;
    // Everything is drawn before the yield: a spin, gamble or viewer that starts during it is not disturbed
    // by the rest of the tick, which only pauses.
    m_.p.doEvents();
    m_.p.sleep(kPauseMs);
}

bool LineFlash::advance() {
    auto& s = m_.s;
    const int lines = std::clamp<int>(s.linesplayed, 0, core::kLines);

    int winning = 0;
    for (int k = 1; k <= lines; ++k) {
        if (s.linewin[k] > 0) ++winning;
    }
    if (winning == 0) {
        tmrlineflash.stop();
        return false;
    }

    ++flashtick;
    ++flashphase;

    // The line on show: the current one for five ticks, then the next played winning line, wrapping to the
    // lowest after the last. A counter left past the played lines (as the evaluation leaves it) wraps at
    // once.
    while (true) {
        if (flashline > lines || flashline < 1) {
            flashline = 1;
            flashtick = 1;
        } else if (s.linewin[flashline] == 0) {
            ++flashline;
            flashtick = 1;
        } else if (flashtick > kTicksPerLine) {
            ++flashline;
            flashtick = 1;
        } else {
            break;
        }
    }

    if (flashphase > 1) flashphase = 0;
    // The last tick of every line is an off tick, so the next line starts from a clean reel area.
    if (flashtick == kTicksPerLine) flashphase = 0;
    const bool on = flashphase == 1;

    // The line's segments shine on an on tick; its markers show in counter-phase.
    const int line = flashline;
    drawLine(m_, line, on);
    // The line's pay shines with it, in the place its marker leaves.
    showLinePay(m_, line, on);
    for (int marker : lineDrawing(line).marker) {
        if (marker != 0) m_.w.lin[marker].visible = !on;
    }

    // The cells of the winning run blink with the segments; a Wild's cell in the run stays lit on both phases
    // so that its animation shows through.
    const int n = s.linecount[line];
    if (n >= 2 && n <= 5) {
        for (int r = 1; r <= n; ++r) {
            const int c = core::lineCell(line, r);
            const bool wild = r >= 2 && r <= 4 && c == s.wildcell[r];
            m_.w.flasher[c].visible = wild || on;
        }
    }
    return true;
}

void LineFlash::stop() { tmrlineflash.stop(); }

void LineFlash::spinEvaluated() {
    const auto& s = m_.s;
    int line = 1;
    for (; line <= s.linesplayed; ++line) {
        if (s.linecount[line] > 1) tmrlineflash.start();
    }
    flashline = static_cast<int16_t>(line);
}

}  // namespace zem::presentation
