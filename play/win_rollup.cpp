// SPDX-License-Identifier: GPL-3.0-or-later
// The win meter: counting a win up (or showing it at once), holding a free spin's win, and collecting a
// free-spin series' total with the take-win button.
#include "core/checked.h"
#include "core/money.h"
#include "machine.h"
#include "win_bands.h"

namespace zem::play {

void Machine::winCounterTick() {
    p.doEvents();
    if (s.freespinmode == -1) {
        if (++rollhold > 20) {
            rollhold = 0;
            w.LABWIN.caption = std::to_string(s.freespinwin);
            w.lblwin.caption = core::dollarText(s.freespinwin);
            Timerwincounter.stop();
            w.Lblcurrentwin.caption = std::to_string(s.spinwin);
            rollcount = 0;
            rollstep = 0;
            w.takewin.enabled = false;
            p.doEvents();
            Timerrespin.start();
        }
        return;
    }
    if (collectedwin > 0) {
        // Autoplay has just collected a series: its total stays on the meter until the next spin starts,
        // instead of giving way to the last free spin's own win.
        w.LABWIN.caption = std::to_string(collectedwin);
        w.lblwin.caption = core::dollarText(collectedwin);
        showCredit();
        Timerwincounter.stop();
        rollcount = 0;
        return;
    }
    if (s.winroll == 0) rollcount = s.spinwin;
    // A count that starts from a step of 0 would never leave 0: it starts with the lowest band's step.
    if (rollstep < 1 && rollcount < s.spinwin) rollstep = 10;
    core::addChecked(rollcount, rollstep);
    rollstep = nextRollStep(rollcount);
    if (rollcount >= s.spinwin) {
        w.LABWIN.caption = std::to_string(s.spinwin);
        w.lblwin.caption = core::dollarText(s.spinwin);
        showCredit();
        Timerwincounter.stop();
        rollcount = 0;
        // A meter that jumps to the win has shown no count.
        if (s.winroll != 0 && events.meterCounted) events.meterCounted();
    } else {
        w.LABWIN.caption = std::to_string(rollcount);
        w.lblwin.caption = core::dollarText(rollcount);
    }
}

int32_t Machine::gambleTakesWin() {
    const int32_t win = winToGamble();
    collectedwin = 0;
    Timerwincounter.stop();
    if (events.gambleOpens) events.gambleOpens();
    return win;
}

void Machine::takewinPress() {
    if (events.seriesTotal) events.seriesTotal();
    sounds.play(Sound::Collect);
    keyguard = 0;
    s.freespinsplayed = 0;
    s.freespinstotal = 0;
    s.freespinmode = 0;
    rollcount = 0;
    rollstep = 0;
    s.tickcount = 0;
    w.LABWIN.caption = std::to_string(s.freespinwin);
    w.lblwin.caption = core::dollarText(s.freespinwin);
    core::addChecked(s.bank, s.freespinwin);
    history.collected(s.freespinwin);
    showCredit();
    collectedwin = s.freespinwin;
    s.freespinwin = 0;
    w.spinsleft.visible = false;
    for (int i = 1; i <= 6; ++i) w.pplay[i].enabled = true;
    for (int i = 1; i <= 5; ++i) w.payline[i].enabled = true;
    w.LABLASTBET.visible = true;
    w.lbllast.visible = true;
    w.LABTHISWIN.visible = false;
    w.Lblcurrentwin.visible = false;
    w.panfreespin.visible = true;
    if (autoplaymode > 0) {
        setMenusEnabled(false);
        w.autoplayoff.enabled = true;
    } else {
        setMenusEnabled(true);
        w.autoplayon.enabled = true;
        w.coinsin.enabled = true;
        w.notes.enabled = true;
        tmrautospin.stop();
        w.doublebutton.enabled = true;
        w.takewin.visible = false;
        setKeyboardPlay(true);
    }
    saveRecord();
}

}  // namespace zem::play
