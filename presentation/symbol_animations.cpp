// SPDX-License-Identifier: GPL-3.0-or-later
// The Scatter and Wild animations on `Timerscatters`, `Timer4` and `timerwild`.
#include "symbol_animations.h"

#include "core/reels.h"
#include "payline_drawing.h"
#include "play/machine.h"
#include "ui/picture_lists.h"

namespace zem::presentation {

namespace {

// Whether `cell` is one of reel `reel`'s three cells (a record of 0 is none).
bool onReel(int cell, int reel) {
    return cell >= 1 && cell <= core::kVisibleCells && core::reelOfCell(cell) == reel;
}

// The last of the four pictures of a multiplier that starts at `first`.
constexpr int lastOfFour(ui::WildPicture first) { return static_cast<int>(first) + 3; }

// The last multiplier picture of the multiplier's four; 0 for a multiplier that has none.
int lastMultiplierPicture(int multiplier) {
    switch (multiplier) {
        case 2:
            return lastOfFour(ui::WildPicture::TimesTwo);
        case 3:
            return lastOfFour(ui::WildPicture::TimesThree);
        case 5:
            return lastOfFour(ui::WildPicture::TimesFive);
        case 10:
            return lastOfFour(ui::WildPicture::TimesTen);
        default:
            return 0;
    }
}
static_assert(lastOfFour(ui::WildPicture::TimesTen) == static_cast<int>(ui::WildPicture::LastOfTimesTen));

}  // namespace

SymbolAnimations::SymbolAnimations(play::Machine& m)
    : Timerscatters(m.p.loop(), "Timerscatters", 100, [this] { scatterTick(); }),
      Timer4(m.p.loop(), "Timer4", 100, [this] { wildTick(); }),
      timerwild(m.p.loop(), "timerwild", 100, [this] { multiplierTick(); }),
      m_(m) {}

void SymbolAnimations::rewind() {
    scatterframe = multpiclast = discframe = wildframe = 0;
    wildtick = 0;
}

void SymbolAnimations::outcomeShown() {
    scattertick = 0;
    scatterframe = 0;
    if (m_.s.scattercount > 1) Timerscatters.start();
}

void SymbolAnimations::spinEvaluated() {
    const auto& s = m_.s;
    for (int line = 1; line <= s.linesplayed; ++line) {
        if (s.wildline(line) >= 1 && s.freespinsplayed == 0) Timer4.start();
        if (s.wildline(line) > 0 && s.freespinmode == -1) timerwild.start();
    }
}

void SymbolAnimations::stop() {
    for (platform::Timer* t : {&Timerscatters, &Timer4, &timerwild}) t->stop();
}

void SymbolAnimations::scatterTick() {
    // 39 ticks a round: 20 steps up, 19 down.
    if (scattertick >= 2 * kScatterFrames - 1) scattertick = 0;
    if (scattertick >= kScatterFrames) {
        --scatterframe;
    } else {
        ++scatterframe;
    }
    if (scatterframe > kScatterFrames) scatterframe = kScatterFrames;
    ++scattertick;
    showScatterPay(m_);
    for (int r = 1; r <= core::kReels; ++r) {
        const int c = m_.s.scattercell[r];
        if (!onReel(c, r)) continue;
        platform::Control& f = m_.w.flasher[c];
        f.picture = ui::scatterFrame(scatterframe);
        f.overlay = {};
        f.visible = true;
    }
}

void SymbolAnimations::wildTick() {
    // 15 ticks a round: 8 steps up, 7 down.
    if (wildtick >= 2 * kWildFrames - 1) wildtick = 0;
    if (wildtick >= kWildFrames) {
        --wildframe;
    } else {
        ++wildframe;
    }
    if (wildframe >= kWildFrames) wildframe = kWildFrames;
    ++wildtick;
    for (int r = 2; r <= 4; ++r) {
        const int c = m_.s.wildcell[r];
        if (!onReel(c, r)) continue;
        platform::Control& f = m_.w.flasher[c];
        f.picture = ui::wildPicture(wildframe);
        f.overlay = {};
    }
}

void SymbolAnimations::multiplierTick() {
    auto& s = m_.s;
    if (s.spinwin < 1) return;
    if (s.winmultiplier == 1) return;
    if (const int last = lastMultiplierPicture(s.winmultiplier); last != 0) multpiclast = last;

    // The multiplier cycles through its four pictures. The free-spin draw leaves the counter past them, so
    // the first tick starts the group (or, for ×10, shows its last picture first).
    ++s.multiplierpic;
    if (s.multiplierpic > multpiclast) s.multiplierpic = static_cast<int16_t>(multpiclast - 3);
    ++discframe;
    if (discframe > kWildFrames) discframe = 1;
    if (s.multiplierpic < 1) s.multiplierpic = 3;

    for (int r = 2; r <= 4; ++r) {
        const int c = s.wildcell[r];
        if (!onReel(c, r)) continue;
        platform::Control& f = m_.w.flasher[c];
        f.picture = ui::wildPicture(discframe);
        f.overlay = ui::wildPicture(s.multiplierpic);  // laid over the frame, its white transparent
    }
}

}  // namespace zem::presentation
