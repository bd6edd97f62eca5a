// SPDX-License-Identifier: GPL-3.0-or-later
// Free spins on the machine window: the trigger's announcement, the bookkeeping at the end of every spin of
// a series, and the timer that starts each next free spin.
#include "core/free_spins.h"

#include "core/checked.h"
#include "core/money.h"
#include "machine.h"

namespace zem::play {

namespace {
constexpr const char* kAwarded = "     Freespins Awarded = ";
constexpr const char* kRemaining = "     Freespins Remaining  ";
constexpr const char* kCompleted = "Freespins Completed          ";
}  // namespace

void Machine::announceFreeSpins() {
    core::bookAward(s);
    pending_.award = false;
    w.panfreespin.visible = false;
    if (s.freespinmode == 0) sounds.play(Sound::FreeSpins);
    w.stockade1.visible = true;
    w.flamingarrow1.visible = true;
    w.spinsleft.visible = false;

    // The burning arrow flies in from the right.
    w.flamingarrow1.top = 7400;
    for (int x = 8000; x >= 800; x -= 10) {
        w.flamingarrow1.left = x;
        if (x % 40 == 0) p.paint();
    }
    w.flamingarrow1.visible = false;
    w.noflamearrow1.visible = true;

    // Ten rounds of the four flame frames.
    platform::Control* flames[4] = {&w.flame11, &w.flame21, &w.flame31, &w.flame41};
    for (int round = 0; round < 10; ++round) {
        for (int step = 1; step <= 16; ++step) {
            const int shown = (step - 1) / 4;
            for (int f = 0; f < 4; ++f) flames[f]->visible = f == shown;
            p.sleep(20);
            p.doEvents();
        }
    }
    for (platform::Control* flame : flames) flame->visible = false;
    w.noflamearrow1.visible = false;
    w.stockade1.visible = false;
    w.spinsleft.visible = true;
    w.spinsleft.caption = kAwarded + std::to_string(s.freespinsawarded);

    tmrautospin.stop();
    w.LABLASTBET.visible = false;
    w.lbllast.visible = false;
    w.LABTHISWIN.visible = true;
    w.Lblcurrentwin.visible = true;
    w.LABWIN.caption = std::to_string(s.freespinwin);
    w.lblwin.caption = core::dollarText(s.freespinwin);
    w.Lblcurrentwin.caption = std::to_string(s.spinwin);

    w.Mnupaylines.enabled = false;
    w.mnuabout.enabled = false;
    w.mnuptble.enabled = false;
    w.mnuhistory.enabled = false;
    setKeyboardPlay(false);
    if (s.freespinmode == 0) sounds.playLooped(Sound::FreeSpinMusic);
    p.doEvents();
    p.sleep(1200);
    s.freespinmode = -1;
    pending_.enterSeries = false;
}

void Machine::endOfFreeSpin() {
    w.spinsleft.visible = true;
    if (s.freespinsplayed > 0 && s.scattercount < 3) {
        w.spinsleft.caption = kRemaining + std::to_string(s.freespinstotal - 1 - s.freespinsplayed);
    }
    const bool goesOn = core::countFreeSpin(s);
    pending_ = {};
    if (goesOn) {
        Timerwincounter.start();
        return;
    }
    w.spinsleft.caption = kCompleted;
    if (autoplaymode == 10) {
        tmrautospin.start();
        w.takewin.press();
        Timerwincounter.start();
    } else {
        w.LABWIN.caption = std::to_string(s.freespinwin);
        w.lblwin.caption = core::dollarText(s.freespinwin);
        w.Lblcurrentwin.caption = std::to_string(s.spinwin);
        w.takewin.enabled = true;
        w.takewin.visible = true;
        if (events.seriesTotal) events.seriesTotal();
    }
}

void Machine::respinTick() {
    p.doEvents();
    const int index = playIndexFor(s.coinsperline);
    if (s.tickcount > 65) {
        w.spinsleft.caption = kRemaining + std::to_string(s.freespinstotal - 1 - s.freespinsplayed);
        w.Lblcurrentwin.caption = "";
        s.tickcount = 0;
        w.play[index].press();
        setKeyboardPlay(false);
    }
}

}  // namespace zem::play
