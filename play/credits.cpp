// SPDX-License-Identifier: GPL-3.0-or-later
// Putting money in (COINS, NOTES), choosing the lines and the coins per line, the space key, and the
// pressed look of the picture buttons.
#include "core/checked.h"
#include "machine.h"

namespace zem::play {

namespace {
constexpr int16_t kLinesByButton[6] = {0, 1, 5, 10, 15, 25};

// Coins put in go into the credit only if the coins held outside it (the gamble's amount at risk) can still
// come back into it afterwards.
void addToCredit(Machine& m, int32_t coins) {
    const int32_t held = m.heldCoins ? m.heldCoins().bank : 0;
    if (core::fits<int32_t>(int64_t{m.s.bank} + held + coins)) core::addChecked(m.s.bank, coins);
}
}  // namespace

void Machine::coinsPress() {
    w.coinsin.visible = false;
    if (!tmrcoins.enabled()) tmrcoins.start();
}

void Machine::coinsTick() {
    tmrlineflash.stop();
    ++cointicks;
    if (cointicks >= 3) {
        tmrcoins.stop();
        cointicks = 0;
        coinphase = 0;
        w.dollar1.visible = false;
        w.halfcoin1.visible = false;
        return;
    }
    if (++coinphase >= 3) coinphase = 1;
    if (coinphase == 1) {
        w.dollar1.visible = true;
        w.halfcoin1.visible = false;
    }
    if (coinphase == 2) {
        sounds.play(126);
        w.dollar1.visible = false;
        w.halfcoin1.visible = true;
        w.pannomoney.visible = false;
        addToCredit(*this, 25);
        core::addChecked(s.amountinvested, 25);
        showCredit();
        p.setFocus(w.orvelle);
        setKeyboardPlay(true);
        saveRecord();
    }
}

void Machine::notesPress() {
    w.notes.visible = false;
    if (s.freespinmode == -1) return;
    sounds.play(124);
    if (s.freespinstotal > 0) return;
    sounds.stop();
    addToCredit(*this, 5000);
    w.pannomoney.visible = false;
    core::addChecked(s.amountinvested, 5000);
    showCredit();
    setKeyboardPlay(true);
    saveRecord();
}

void Machine::redrawMarkers() {
    for (int j = 1; j <= 25; ++j) w.lin[j].picture = {"linepics", j};
    w.lin[26].picture = {"linepics", 1};
    for (int j = s.linesplayed + 1; j <= 25; ++j) w.lin[j].picture = {"linepics", j + 25};
    anim.flashphase = 26;  // the marker loop's counter: the next flash tick is an off tick
}

void Machine::paylinePress(int i) {
    if (i >= 1 && i <= 5) s.linesplayed = kLinesByButton[i];
    if (i >= 1 && i <= 5) w.payline[i].visible = false;
    redrawMarkers();
    for (int c = 1; c <= 15; ++c) w.flasher[c].visible = false;
}

void Machine::pplayPress(int i) {
    w.pplay[i].visible = false;
    // With the gamble open the coins-per-line pictures stay live but must not start a spin.
    if (w.pandouble.visible) return;
    w.play[i].press();
}

int Machine::playIndexFor(int16_t coinsperline) {
    switch (coinsperline) {
        case 1:
            return 1;
        case 2:
            return 2;
        case 3:
            return 3;
        case 5:
            return 4;
        case 10:
            return 5;
        case 20:
            return 6;
        default:
            return 1;
    }
}

void Machine::keyPreview(int& key) {
    // H opens the last games as their menu entry does, whatever the credit.
    if (key == 'h' || key == 'H') {
        key = 0;
        historyChosen();
        return;
    }
    // No play from the keyboard in a free spin, nor with the reels hidden by the payline viewer (a COINS
    // tick or the gamble's end may have turned keyboard play back on there).
    if (s.freespinmode == -1 || paylineViewerShown()) {
        key = 0;
        return;
    }
    if (s.totalBet() > s.bank) {
        sounds.play(125);
        w.pannomoney.visible = true;
        p.setFocus(w.orvelle);
        key = 0;
        return;
    }
    w.autoplayon.enabled = false;
    ++keyguard;
    if (keyguard > 1) {
        key = 0;
        return;
    }
    if (key == ' ') {
        w.play[playIndexFor(s.coinsperline)].press();
    }
    keyguard = 0;
    key = 0;
}

void Machine::showButtonsTick() {
    for (int i = 1; i <= 6; ++i) w.pplay[i].visible = true;
    w.btnoptions.visible = true;
    w.autoplayon.visible = true;
    w.doublebutton.visible = true;
    w.notes.visible = true;
    p.doEvents();
}

}  // namespace zem::play
