// SPDX-License-Identifier: GPL-3.0-or-later
// The play handler where every spin begins, autoplay, and the buttons that open the other windows.
#include "machine.h"
#include "player_record.h"

namespace zem::play {

namespace {

constexpr int16_t kCoinsByAction[7] = {0, 1, 2, 3, 5, 10, 20};

constexpr const char* kAutoplayNotice =
    " ..............PLEASE READ.................\r"
    " When you use this function all other Functions are\r"
    "   unavailable to you until you turn the Autoplay OFF \r"
    " To turn Autoplay OFF Click on the Autoplayoff button.\r"
    "  \r"
    "  This message will not appear again";

// Counts a running spin for as long as it is in scope.
struct SpinScope {
    explicit SpinScope(int& depth) : depth_(depth) { ++depth_; }
    ~SpinScope() { --depth_; }
    int& depth_;
};

}  // namespace

bool Machine::seriesWaiting() const {
    return s.freespinmode == 0 && s.freespinstotal > 0 && s.freespinsplayed >= s.freespinstotal;
}

void Machine::setMenusEnabled(bool on) {
    // An entry whose window the program does not have stays disabled.
    w.Mnupaylines.enabled = on && static_cast<bool>(openers.paylineViewer);
    w.mnuabout.enabled = on && static_cast<bool>(openers.about);
    w.mnuptble.enabled = on && static_cast<bool>(openers.paytable);
    w.mnuhistory.enabled = on && static_cast<bool>(openers.history);
}

void Machine::lockBetControls() {
    w.coinsin.enabled = false;
    for (int i = 1; i <= 6; ++i) {
        w.play[i].enabled = false;
        w.pplay[i].enabled = false;
    }
    for (int i = 1; i <= 5; ++i) w.payline[i].enabled = false;
    w.btnoptions.enabled = false;
    w.notes.enabled = false;
}

void Machine::unlockBetControls() {
    for (int i = 1; i <= 6; ++i) w.pplay[i].enabled = true;
    for (int i = 1; i <= 5; ++i) w.payline[i].enabled = true;
    w.coinsin.enabled = true;
    w.notes.enabled = true;
}

void Machine::playAction(int i) {
    // One spin at a time: a press that arrives while a spin runs (through a pending event let in by the
    // spin itself) is refused, and so is one while a finished series waits for its take-win button.
    // Nor does a spin start while the gamble panel shows (the coins at risk are not in the credit), while
    // one of the machine's own windows is open over it, or while the payline viewer hides the reels.
    if (spinning() || closed_ || seriesWaiting() || w.pandouble.visible || ownWindowOpen() ||
        paylineViewerShown())
        return;
    SpinScope scope(spinDepth_);
    if (i >= 1 && i <= 6) w.pplay[i].visible = false;
    p.doEvents();
    w.autoplayon.enabled = false;

    const bool freeSpin = s.freespinmode == -1;
    if (!freeSpin) {
        sounds.play(Sound::Click);
        s.tickcount = 0;
        if (events.playPressed) events.playPressed();
        s.multiplierpic = 0;
        collectedwin = 0;
        s.freespinwin = 0;
        rollcount = 0;
        if (!(s.freespinsplayed < s.freespinstotal)) {
            if (i >= 1 && i <= 6) s.coinsperline = kCoinsByAction[i];
            if (s.totalBet() > s.bank) {
                sounds.play(Sound::Buzz);
                w.pannomoney.visible = true;
                unlockBetControls();
                setMenusEnabled(true);
                autoplaymode = 0;
                // Autoplay can be switched on again once there is credit for it.
                w.autoplayon.enabled = true;
                p.doEvents();
                return;
            }
            w.pannomoney.visible = false;
        }
    }

    lockBetControls();
    w.doublebutton.enabled = false;
    if (s.freespinmode == 0) {
        w.LABWIN.caption = "Good Luck";
        w.lblwin.caption = " ";
        w.lbllast.caption = std::to_string(s.totalBet());
        showCredit();
        Timerwincounter.stop();
    }
    for (int r = 1; r <= 5; ++r) s.scattercell[r] = 0;
    for (int line = 1; line <= core::kLines; ++line) s.linecount[line] = 0;

    // The spin's start stops the win show (`events.spinStarts`).
    spinreel1();

    keyguard = 0;
    // Through a series, and while its total waits to be collected, autoplay cannot be switched on.
    const bool series = s.freespinmode == -1 || s.freespinstotal > 0;
    w.autoplayon.enabled = !series;
    for (int k = 1; k <= 26; ++k) w.lin[k].enabled = false;
    saveRecord();
    if (onSpinDone) onSpinDone();

    if (autoplaymode == 0) {
        if (!series) {
            unlockBetControls();
        } else {
            // Through a series the bet stays as the trigger set it; money can still be put in.
            w.coinsin.enabled = true;
            w.notes.enabled = true;
        }
    }
    if (closePending_) {
        closePending_ = false;
        shutdown();
    }
}

void Machine::autoplayOnPress() {
    w.autoplayon.visible = false;
    if (spinning() || seriesWaiting() || w.pandouble.visible) return;
    setKeyboardPlay(false);
    if (auto text = p.store().read(kApplication, kNoticeSection, kNoticeKey)) {
        if (auto value = parseStoredNumber(*text, INT16_MIN, INT16_MAX))
            noticeshown = static_cast<int16_t>(*value);
    }
    if (noticeshown == 0) {
        p.messageBox({kAutoplayNotice, "Slots_orvelle", platform::MessageIcon::Information,
                      platform::MessageButtons::Ok, platform::MessageResult::Ok});
    }
    noticeshown = -1;
    p.store().write(kApplication, kNoticeSection, kNoticeKey, "-1");
    p.store().flush();
    tmrautospin.start();
    setMenusEnabled(false);
    autoplaymode = 10;
    w.autoplayoff.enabled = true;
    w.play[playIndexFor(s.coinsperline)].press();
}

void Machine::autoplayOffPress() {
    w.autoplayoff.visible = false;
    p.doEvents();
    stopAutoplay();
}

void Machine::stopAutoplay() {
    setMenusEnabled(true);
    w.btnoptions.enabled = true;
    autoplaymode = 0;
    // The bet stays locked through a free-spin series until its total is collected.
    if (s.freespinmode == 0 && s.freespinstotal == 0) unlockBetControls();
    tmrautospin.stop();
    setKeyboardPlay(true);
}

void Machine::autospinTick() {
    // A tick that falls while a spin runs (the spin lets events in) waits: clearing the idle count now
    // would make the next spin wait a whole pause again.
    if (spinning() || ownWindowOpen()) return;
    if (autoplaymode > 0 && s.tickcount >= s.autodelay) {
        s.tickcount = 0;
        w.play[playIndexFor(s.coinsperline)].press();
    }
}

void Machine::tickTick() {
    // The idle count stops at the top of its range instead of overflowing.
    if (s.tickcount < INT16_MAX) ++s.tickcount;
}

void Machine::optionsPress() {
    w.btnoptions.visible = false;
    // The options can switch or clear the player: never while a spin runs or a series waits to be played
    // or collected, whose coins belong to the player who started them.
    if (spinning() || seriesOpen(s) || w.pandouble.visible || ownWindowOpen() || !openers.options) return;
    // Opening the options ends autoplay as AUTO OFF does: nothing spins behind the window, and a player
    // chosen there does not find another's autoplay running.
    if (autoplaymode > 0) stopAutoplay();
    sounds.play(Sound::Click);
    w.doublebutton.enabled = false;
    w.orvelle.enabled = false;
    openers.options();
}

void Machine::aboutChosen() {
    if (s.freespinmode == -1 || spinning() || ownWindowOpen() || !openers.about) return;
    sounds.play(Sound::Click);
    w.orvelle.enabled = false;
    openers.about();
}

void Machine::historyChosen() {
    // The history opens when the pay table would: the machine waits behind it as it does behind that one.
    if (s.freespinmode == -1 || spinning() || ownWindowOpen() || !openers.history || !w.mnuhistory.enabled ||
        !w.mnuhistory.visible)
        return;
    sounds.play(124);
    w.pannomoney.visible = false;
    w.orvelle.enabled = false;
    openers.history();
}

void Machine::paytableChosen() {
    if (s.freespinmode == -1 || spinning() || ownWindowOpen() || !openers.paytable) return;
    sounds.play(Sound::Click);
    w.pannomoney.visible = false;
    w.orvelle.enabled = false;
    openers.paytable();
}

}  // namespace zem::play
