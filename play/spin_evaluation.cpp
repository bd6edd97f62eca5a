// SPDX-License-Identifier: GPL-3.0-or-later
// A spin from its first reel to the end of its evaluation: the draw chain spinreel1..spinreel5, then the
// pays, the booking, the payout decision, the reel animation, the win sound and the credit.
#include "core/checked.h"
#include "core/free_spins.h"
#include "core/money.h"
#include "core/pays.h"
#include "core/spin_draw.h"
#include "machine.h"
#include "ui/picture_lists.h"
#include "win_bands.h"

namespace zem::play {

void Machine::spinreel1() {
    w.doublebutton.enabled = false;
    for (int reel = 2; reel <= 4; ++reel) w.picheld[reel].visible = false;
    if (events.spinStarts) events.spinStarts();
    w.pannomoney.visible = false;
    tmrtick.stop();
    core::clearSpin(s);
    Timerrespin.stop();
    for (int k = 1; k <= 26; ++k) w.lin[k].visible = true;
    for (int k = 1; k <= 6; ++k) w.Lineflash[k].visible = false;
    w.lbllinepay.visible = w.lblscatterpay.visible = false;
    for (int c = 1; c <= 15; ++c) {
        w.flasher[c].visible = false;
        w.flasher[c].picture = ui::picture(ui::ScatterPicture::Highlight);
        w.flasher[c].overlay = {};
    }
    p.doEvents();
    core::spinReel(s, 1, p.random());
    spinreel2();
}

void Machine::spinreel2() {
    core::spinReel(s, 2, p.random());
    spinreel3();
}

void Machine::spinreel3() {
    core::spinReel(s, 3, p.random());
    spinreel4();
}

void Machine::spinreel4() {
    core::spinReel(s, 4, p.random());
    spinreel5();
}

void Machine::spinreel5() {
    core::spinReel(s, 5, p.random());
    evaluatespin();
}

void Machine::evaluatespin() {
    p.doEvents();
    if (s.reelspeed == 0) s.reelspeed = 1;

    if (s.freespinmode == 0) {
        s.freespinsawarded = 0;
        s.freespinwin = 0;
    }
    s.winmultiplier = 1;
    core::payOutcome(s);

    if (s.freespinmode == 0) {
        booking_ = core::bookPaidSpin(s);
    } else {
        core::freespinbusiness(s, p.random());
        booking_ = core::bookFreeSpin(s);
    }
    payoutdraw = core::drawPayout(s.machinepay, p.random());
    if (!core::outcomeStands(s, payoutdraw)) {
        core::voidOutcome(s, booking_);
        // The re-spin is evaluated afresh: no winning run of the voided outcome may linger in it.
        for (int line = 1; line <= core::kLines; ++line) s.linecount[line] = 0;
        spinreel1();
        return;
    }

    // The outcome stands: from here on it is shown. The record is saved now as the spin will leave it, so
    // that the end of the program at any moment of the showing keeps the spin whole (its bet, its win, the
    // series it starts and the Wilds it leaves holding) while the meters still run through it as usual.
    const bool trigger = s.scattercount >= 3;
    if (s.freespinmode == 0) {
        history.paidSpin(s);
    } else {
        history.freeSpin(s);
    }
    pending_ = {true, trigger, trigger, trigger || s.freespinmode == -1, !trigger && s.freespinmode == 0};
    saveRecord(false);

    if (s.freespinmode == 0) showCredit();

    p.doEvents();
    animateReels();
    showHolds();

    s.reelheld2 = s.reelheld3 = s.reelheld4 = 0;
    tmrtick.start();

    if (s.scattercount <= 2 && s.freespinmode == 0) {
        const WinBand band = winBand(s.spinwin);
        s.autodelay = band.autodelay;
        if (band.sound != Sound::None) sounds.play(band.sound);
        if (s.spinwin == 0) rollstep = 0;
        p.doEvents();
    }
    if (s.spinwin < 1) s.tickcount = 50;
    if (events.outcomeShown) events.outcomeShown();
    if (s.scattercount >= 3) announceFreeSpins();
    if (events.spinEvaluated) events.spinEvaluated();

    if (s.freespinmode == -1) {
        endOfFreeSpin();
        return;
    }

    core::addChecked(s.bank, s.spinwin);
    pending_ = {};
    w.btnoptions.enabled = true;
    if (s.spinwin < 1) {
        w.LABWIN.caption = "No Win";
        w.lblwin.caption = "";
    } else {
        Timerwincounter.start();
        if (events.winCredited) events.winCredited();
    }
    if (s.spinwin > 0 && s.freespinstotal < 1 && autoplaymode == 0) w.doublebutton.enabled = true;
}

}  // namespace zem::play
