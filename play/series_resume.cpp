// SPDX-License-Identifier: GPL-3.0-or-later
// Taking up a free-spin series that an earlier run left in the store (killed, or closed mid-series): the
// series goes on where it stopped, without its announcement and with its music, and nothing it paid is lost.
#include "core/checked.h"
#include "core/money.h"
#include "machine.h"
#include "player_record.h"

namespace zem::play {

namespace {
constexpr const char* kRemaining = "     Freespins Remaining  ";
constexpr const char* kCompleted = "Freespins Completed          ";
}  // namespace

bool Machine::takeUpPlay(int slot) {
    // Whatever the state held of another player's play was saved with that player's record.
    s.freespinmode = 0;
    s.freespinstotal = s.freespinsplayed = 0;
    s.freespinwin = 0;
    history.load(p.store(), slot);
    readHolds(s, p.store(), slot);
    for (int reel = 2; reel <= 4; ++reel) {
        if (s.wildhold(reel) > 0) w.reel[reel].top = s.reeltop[reel];
    }
    showHolds();

    const auto series = readSeries(p.store(), slot);
    if (!series) return false;
    if (!series->resumable) {
        // The counters cannot be trusted, but the win can: it goes into the credit and the series ends.
        core::addChecked(s.bank, series->freespinwin);
        history.collected(series->freespinwin);
        showCredit();
        saveRecord();
        return false;
    }
    applySeries(s, *series);
    for (int reel = 1; reel <= 5; ++reel) w.reel[reel].top = s.reeltop[reel];
    return true;
}

void Machine::resumeSeries() {
    if (!seriesOpen(s)) return;
    redrawMarkers();

    // The window as a series leaves it between two spins: the bet locked, money still accepted, the meter
    // showing the series total.
    lockBetControls();
    w.coinsin.enabled = true;
    w.notes.enabled = true;
    w.autoplayon.enabled = false;
    w.doublebutton.enabled = false;
    w.panfreespin.visible = false;
    w.LABLASTBET.visible = false;
    w.lbllast.visible = false;
    w.LABTHISWIN.visible = true;
    w.Lblcurrentwin.visible = true;
    w.Lblcurrentwin.caption = "";
    w.LABWIN.caption = std::to_string(s.freespinwin);
    w.lblwin.caption = core::dollarText(s.freespinwin);
    w.Mnupaylines.enabled = false;
    w.mnuabout.enabled = false;
    w.mnuptble.enabled = false;
    w.mnuhistory.enabled = false;
    setKeyboardPlay(false);
    w.spinsleft.visible = true;

    if (s.freespinmode == -1) {
        w.spinsleft.caption = kRemaining + std::to_string(s.freespinstotal - s.freespinsplayed);
        sounds.playLooped(Sound::FreeSpinMusic);
        // The next free spin follows as after a spin that won nothing.
        s.tickcount = 50;
        tmrtick.start();
        Timerrespin.start();
    } else {
        // The series was complete: its total waits for the take-win button.
        w.spinsleft.caption = kCompleted;
        w.takewin.enabled = true;
        w.takewin.visible = true;
        if (events.seriesTotal) events.seriesTotal();
    }
}

}  // namespace zem::play
