// SPDX-License-Identifier: GPL-3.0-or-later
// The Scatter and Wild animations on `Timerscatters`, `Timer4` and `timerwild`.
#include "symbol_animations.h"

#include "core/reels.h"
#include "payline_drawing.h"
#include "play/machine.h"

namespace zem::presentation {

namespace {

// Whether `cell` is one of reel `reel`'s three cells (a record of 0 is none).
bool onReel(int cell, int reel) {
    return cell >= 1 && cell <= core::kVisibleCells && core::reelOfCell(cell) == reel;
}

// Last ImageList2 picture of the multiplier's four (×2 9..12, ×3 13..16, ×5 17..20, ×10 21..24); 0 for a
// multiplier that has none.
int lastMultiplierPicture(int multiplier) {
    switch (multiplier) {
        case 2:
            return 12;
        case 3:
            return 16;
        case 5:
            return 20;
        case 10:
            return 24;
        default:
            return 0;
    }
}

}  // namespace

SymbolAnimations::SymbolAnimations(play::Machine& m) : m_(m) {
    m_.Timerscatters.onTick = [this] { scatterTick(); };
    m_.Timer4.onTick = [this] { wildTick(); };
    m_.timerwild.onTick = [this] { multiplierTick(); };
}

void SymbolAnimations::scatterTick() {
    auto& a = m_.anim;
    // 39 ticks a round: 20 steps up, 19 down.
    if (a.scattertick >= 2 * kScatterFrames - 1) a.scattertick = 0;
    if (a.scattertick >= kScatterFrames) {
        --a.scatterframe;
    } else {
        ++a.scatterframe;
    }
    if (a.scatterframe > kScatterFrames) a.scatterframe = kScatterFrames;
    ++a.scattertick;
    showScatterPay(m_);
    for (int r = 1; r <= core::kReels; ++r) {
        const int c = m_.s.scattercell[r];
        if (!onReel(c, r)) continue;
        platform::Control& f = m_.w.flasher[c];
        f.picture = {"ImageList1", a.scatterframe};
        f.overlay = {};
        f.visible = true;
    }
}

void SymbolAnimations::wildTick() {
    auto& a = m_.anim;
    // 15 ticks a round: 8 steps up, 7 down.
    if (a.wildtick >= 2 * kWildFrames - 1) a.wildtick = 0;
    if (a.wildtick >= kWildFrames) {
        --a.wildframe;
    } else {
        ++a.wildframe;
    }
    if (a.wildframe >= kWildFrames) a.wildframe = kWildFrames;
    ++a.wildtick;
    for (int r = 2; r <= 4; ++r) {
        const int c = m_.s.wildcell[r];
        if (!onReel(c, r)) continue;
        platform::Control& f = m_.w.flasher[c];
        f.picture = {"ImageList2", a.wildframe};
        f.overlay = {};
    }
}

void SymbolAnimations::multiplierTick() {
    auto& s = m_.s;
    auto& a = m_.anim;
    if (s.spinwin < 1) return;
    if (s.winmultiplier == 1) return;
    if (const int last = lastMultiplierPicture(s.winmultiplier); last != 0) a.multpiclast = last;

    // The multiplier cycles through its four pictures. The free-spin draw leaves the counter past them, so
    // the first tick starts the group (or, for ×10, shows its last picture first).
    ++s.multiplierpic;
    if (s.multiplierpic > a.multpiclast) s.multiplierpic = static_cast<int16_t>(a.multpiclast - 3);
    ++a.discframe;
    if (a.discframe > kWildFrames) a.discframe = 1;
    if (s.multiplierpic < 1) s.multiplierpic = 3;

    for (int r = 2; r <= 4; ++r) {
        const int c = s.wildcell[r];
        if (!onReel(c, r)) continue;
        platform::Control& f = m_.w.flasher[c];
        f.picture = {"ImageList2", a.discframe};
        f.overlay = {"ImageList2", s.multiplierpic};  // laid over the frame, its white transparent
    }
}

}  // namespace zem::presentation
