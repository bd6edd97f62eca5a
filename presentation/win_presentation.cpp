// SPDX-License-Identifier: GPL-3.0-or-later
// What the win show does at each of the machine's play events.
#include "win_presentation.h"

#include "play/machine.h"

namespace zem::presentation {

namespace {
// The flash phase after which the next tick is an off tick, as the spin's start leaves it.
constexpr int16_t kPhaseAtSpin = 16;
// The same, as the payline markers' redraw leaves it.
constexpr int16_t kPhaseAtMarkers = 26;
}  // namespace

WinPresentation::WinPresentation(play::Machine& m)
    : flash(m), animations(m), viewer(m, flash), celebration(m), m_(m) {
    play::PlayEvents& e = m_.events;
    e.playPressed = [this] { animations.rewind(); };
    e.spinStarts = [this] {
        celebration.end();
        flash.stop();
        animations.stop();
        flash.flashphase = kPhaseAtSpin;
    };
    e.outcomeShown = [this] { animations.outcomeShown(); };
    e.spinEvaluated = [this] {
        animations.spinEvaluated();
        flash.spinEvaluated();
    };
    e.winCredited = [this] { celebration.winCredited(); };
    e.meterCounted = [this] { celebration.end(); };
    e.seriesTotal = [this] { celebration.seriesTotal(); };
    e.moneyIn = [this] { flash.stop(); };
    e.markersDrawn = [this] { flash.flashphase = kPhaseAtMarkers; };
    e.gambleOpens = [this] { stopForGamble(); };
    e.closing = [this] {
        flash.stop();
        animations.stop();
    };
}

WinPresentation::~WinPresentation() { m_.events = {}; }

void WinPresentation::stopForGamble() {
    for (int c = 1; c <= 15; ++c) m_.w.flasher[c].visible = false;
    m_.w.lbllinepay.visible = m_.w.lblscatterpay.visible = false;
    flash.stop();
    animations.Timerscatters.stop();
    animations.Timer4.stop();
}

}  // namespace zem::presentation
