// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing the machine window up with player 1's record, and taking it down with the current player's saved.
#include "core/checked.h"
#include "core/free_spins.h"
#include "core/money.h"
#include "machine.h"
#include "player_record.h"

namespace zem::play {

void Machine::loadRecord(int slot) { readRecord(s, p.store(), slot); }

namespace {
constexpr const char* kNotSavedNotice =
    "Your progress is not being saved: the game cannot write its settings file.\r";
constexpr const char* kNotSavedConsequence =
    "You can go on playing, but your credit and statistics will be lost when the game ends.";
}  // namespace

core::MachineState Machine::settled() const {
    core::MachineState r = s;
    if (!pending_.active) return r;
    // A reel held in this spin has spent its hold; the Wilds that landed elsewhere hold for the next one.
    for (int reel = 2; reel <= 4; ++reel) {
        if (r.reelheld(reel) > 0) r.wildhold(reel) = 0;
    }
    if (pending_.award) core::bookAward(r);
    if (pending_.enterSeries) r.freespinmode = -1;
    if (pending_.countSpin) core::countFreeSpin(r);
    if (pending_.creditWin) core::addChecked(r.bank, r.spinwin);
    return r;
}

bool Machine::saveRecord(bool tell) {
    // Coins held outside the credit (at risk in a gamble) are saved as the player would hold them after
    // taking them, so that a crash can neither lose them nor undo a lost card.
    const HeldCoins held = heldCoins ? heldCoins() : HeldCoins{};
    core::MachineState taken = settled();
    core::addChecked(taken.bank, held.bank);
    core::addChecked(taken.total, held.total);
    // The game in flight goes into the store with the record, in the same save.
    const bool historyWritten = history.write(p.store(), slotNumber());
    const bool saved = writeRecord(taken, p.store(), slotNumber()) && historyWritten;
    if (saved || saveFailureShown_ || !tell) return saved;
    saveFailureShown_ = true;
    // What the store knows of the cause (a device or a link at the file's place) goes between the two.
    const std::string why = p.store().whyNotSaved();
    p.messageBox({kNotSavedNotice + (why.empty() ? why : why + "\r") + kNotSavedConsequence, "Slots_orvelle",
                  platform::MessageIcon::Information, platform::MessageButtons::Ok,
                  platform::MessageResult::Ok});
    return false;
}

int Machine::slotNumber() const {
    if (playerslot.size() == 1 && playerslot[0] >= '1' && playerslot[0] <= '6') return playerslot[0] - '0';
    return 1;
}

void Machine::startup() {
    w.orvelle.left = 0;
    w.orvelle.top = 0;
    w.orvelle.visible = true;
    sounds.load(fetchRecording_);
    playerslot = "1";
    s.machinepay = 5;
    loadRecord(1);
    w.orvelle.caption = std::string(ui::kCaptionPrefix) + s.currentplayer;
    showCredit();
    p.setPointer(platform::Pointer::Arrow);
    if (s.machinepay == 0) s.machinepay = 5;
    if (s.reelspeed < 1) s.reelspeed = 1;
    s.linesplayed = 25;
    s.coinsperline = 1;
    redrawMarkers();
    for (int i = 1; i <= 26; ++i) w.lin[i].enabled = false;
    setKeyboardPlay(true);
    setMenusEnabled(true);  // entries whose window the program lacks stay disabled
    tmrshowbuttons.start();
    p.setFocus(w.orvelle);
    // A series an earlier run left unfinished goes on, with its music instead of the start-up sound.
    if (takeUpPlay(1)) {
        resumeSeries();
    } else {
        sounds.play(Sound::Welcome);
    }
}

void Machine::requestClose() {
    if (closed_) return;
    // A close that arrives while a spin runs waits for the spin to return, so that its bet and its win are
    // both in the record that is saved.
    if (spinning() || (closeMustWait && closeMustWait())) {
        closePending_ = true;
        return;
    }
    shutdown();
}

void Machine::closeIfPending() {
    if (!closePending_ || spinning() || (closeMustWait && closeMustWait())) return;
    closePending_ = false;
    shutdown();
}

void Machine::shutdown() {
    if (closed_) return;
    closed_ = true;
    sounds.play(Sound::Click);
    const int slot = slotNumber();
    if (beforeShutdown) beforeShutdown();
    // A free-spin series, running or waiting for the take-win button, is saved with the record and goes on
    // at the next start, so the coins it already won stay the player's.
    history.write(p.store(), slot);
    writeRecord(settled(), p.store(), slot);
    p.display().setMode(0, 0);
    if (events.closing) events.closing();
    for (Timer* t : {&tmrautospin, &Timerwincounter}) t->stop();
    p.doEvents();
    tmrshowbuttons.stop();
    for (Timer* t : {&tmrcoins, &tmrtick, &Timerrespin}) t->stop();
    w.orvelle.visible = false;
    p.quit();
}

void Machine::showCredit() {
    w.PANELBANK.caption = std::to_string(s.bank);
    w.Lblcredit.caption = core::dollarText(s.bank);
}

}  // namespace zem::play
