// SPDX-License-Identifier: GPL-3.0-or-later
// The machine window's module: the state record, the window's controls and timers, and every handler of play
// control, the spin and its evaluation. The handlers live in one file per subsystem.
#pragma once

#include "core/machine_state.h"
#include "core/payout.h"
#include "platform/platform.h"
#include "play/game_history.h"
#include "play/sound_bank.h"
#include "ui/machine_window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zem::play {

using platform::Control;
using platform::Timer;

// What the machine asks of the windows that open from it (options, pay table, about). Empty hooks leave the
// corresponding menu entry or button without effect.
struct WindowOpeners {
    std::function<void()> options;
    std::function<void()> about;
    std::function<void()> paytable;
    std::function<void()> history;  // the last games of the current slot
    std::function<void()> paylineViewer;
    std::function<void()> gamble;
};

// What play tells the win show as it happens; an empty hook does nothing. The show keeps its own counters and
// timers and runs them from these: a hook never changes the game's state or its sounds.
struct PlayEvents {
    // The play action asks for a paid spin (the credit not yet checked).
    std::function<void()> playPressed;
    // A spin begins (a voided spin's fresh draw too).
    std::function<void()> spinStarts;
    // The reels stand on an outcome that stands, its win sound played; a trigger's announcement follows.
    std::function<void()> outcomeShown;
    // The standing outcome's lines are known and any announcement is over.
    std::function<void()> spinEvaluated;
    // A paid spin's win is in the credit; the meter shows it next.
    std::function<void()> winCredited;
    // The meter has counted up to the whole win.
    std::function<void()> meterCounted;
    // A completed series' total stands in the meter, waiting or collected.
    std::function<void()> seriesTotal;
    // A tick of the coins going in.
    std::function<void()> moneyIn;
    // The payline markers were drawn anew for the lines played.
    std::function<void()> markersDrawn;
    // The gamble takes the win.
    std::function<void()> gambleOpens;
    // The machine shuts down.
    std::function<void()> closing;
};

// What the evaluation of a standing outcome has still to book while the outcome is shown. The record is
// saved as if all of it were booked, so that the end of the program during the showing keeps the spin whole.
struct PendingOutcome {
    bool active = false;       // an outcome stands and is being shown
    bool award = false;        // a trigger's award is still to be booked
    bool enterSeries = false;  // the series is still to begin (or go on) after the announcement
    bool countSpin = false;    // the spin is still to be counted in the series
    bool creditWin = false;    // the win is still to go into the credit
};

// Coins the player owns that stand outside the credit for a while (the gamble's amount at risk), and the
// change to the won statistic that taking them would make.
struct HeldCoins {
    int32_t bank = 0;
    int32_t total = 0;
};

class Machine {
  public:
    Machine(platform::Platform& platform, std::function<std::vector<uint8_t>(int)> fetchRecording);
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // --- startup and shutdown ---
    void startup();
    void shutdown();
    // A close request (close box or "&exit"): shuts down at once, or as soon as the running spin returns.
    void requestClose();
    bool closed() const { return closed_; }
    // Runs a close that waited, once nothing it waits for is running any more.
    void closeIfPending();

    // --- the player record in the settings store ---
    void loadRecord(int slot);
    // Writes the current slot's record as the spin being shown will leave it; unless `tell` is false, the
    // first save that fails tells the player, once, that progress is not being kept. Returns whether the
    // record was written.
    bool saveRecord(bool tell = true);
    // The state as the spin being shown will leave it (the state itself between spins).
    core::MachineState settled() const;
    int slotNumber() const;
    // Takes up what the store keeps of `slot`'s play beside its record: the Wilds holding their reels for
    // the next spin, and a free-spin series (whose win goes into the credit when the series cannot go on).
    // Returns whether a series was taken up; it goes on with `resumeSeries`.
    bool takeUpPlay(int slot);
    // Brings the window into the state of the series taken up, and lets it run (or wait for its collect).
    void resumeSeries();
    bool saveFailureShown() const { return saveFailureShown_; }

    // --- credits and bets ---
    void showCredit();
    void coinsPress();
    void coinsTick();
    void notesPress();
    void paylinePress(int i);
    void pplayPress(int i);
    void keyPreview(int& key);
    // The sound key: turns the player's sound on or off and saves it as the options window does.
    void toggleSound();
    void showButtonsTick();
    void redrawMarkers();
    void setKeyboardPlay(bool on) { w.orvelle.keyPreview = on; }
    bool keyboardPlay() const { return w.orvelle.keyPreview; }

    // --- the play handler and autoplay ---
    void playAction(int i);
    void autoplayOnPress();
    void autoplayOffPress();
    void autospinTick();
    void tickTick();
    void optionsPress();
    void aboutChosen();
    void paytableChosen();
    // "&History" or the key H: the window of the last games.
    void historyChosen();
    void setMenusEnabled(bool on);
    // Autoplay off, as the AUTO OFF button turns it off.
    void stopAutoplay();
    // The machine window is disabled while one of its own windows (options, pay table, about) is open.
    bool ownWindowOpen() const { return !w.orvelle.enabled; }
    // The payline viewer shows in place of the reels while its return button is on show.
    bool paylineViewerShown() const { return w.Btnreturn2game.visible; }
    static int playIndexFor(int16_t coinsperline);
    bool spinning() const { return spinDepth_ > 0; }
    // How many spins are running one inside another (a spin that lets events run cannot start a second one).
    int spinDepth() const { return spinDepth_; }
    // A completed free-spin series whose total waits for the take-win button.
    bool seriesWaiting() const;

    // --- the spin ---
    void spinreel1();
    void spinreel2();
    void spinreel3();
    void spinreel4();
    void spinreel5();
    void evaluatespin();
    void animateReels();
    // Shows the HELD ribbon over each reel whose Wild holds it for the next spin, and only there.
    void showHolds();

    // --- free spins ---
    void announceFreeSpins();
    void endOfFreeSpin();
    void respinTick();

    // --- roll-up and collect ---
    void winCounterTick();
    void takewinPress();

    // --- the gamble ---
    // The win the gamble button puts at risk: a series' total just collected, or else the last spin's win.
    int32_t winToGamble() const { return collectedwin > 0 ? collectedwin : s.spinwin; }
    // The gamble takes that win: the meter stops, the win show stops (`events.gambleOpens`). Returns it.
    int32_t gambleTakesWin();

    platform::Platform& p;
    core::MachineState s;
    ui::MachineWindow w;
    SoundBank sounds;
    WindowOpeners openers;
    PlayEvents events;
    // The current slot's last games, recorded as they are played and saved with the record.
    GameHistory history;

    Timer tmrshowbuttons, tmrcoins, tmrautospin, tmrtick, Timerwincounter, Timerrespin;

    // Play control state.
    std::string playerslot = "1";
    int16_t autoplaymode = 0;
    int16_t noticeshown = 0;
    int16_t keyguard = 0;
    int16_t coinphase = 0, cointicks = 0;
    int32_t rollcount = 0;
    int16_t rollstep = 0, rollhold = 0;
    int32_t collectedwin = 0;  // a series' total just collected, on the meter until the next spin
    int16_t payoutdraw = 0;

    // Called each time the play action has run a spin to its end (the simulation's hook).
    std::function<void()> onSpinDone;

    // The gamble's say in saving and closing (empty hooks without a gamble). The record is saved as if the
    // held coins were taken; a close waits while `closeMustWait` holds; `beforeShutdown` puts held coins
    // into the credit before shutdown saves the record.
    std::function<HeldCoins()> heldCoins;
    std::function<bool()> closeMustWait;
    std::function<void()> beforeShutdown;

  private:
    void lockBetControls();
    void unlockBetControls();
    void startFreeSpinMusicIfNew();
    void setLabel(platform::Control& c, int64_t value);

    int spinDepth_ = 0;
    bool closePending_ = false;
    bool closed_ = false;
    bool saveFailureShown_ = false;
    core::Booking booking_;
    PendingOutcome pending_;
    std::function<std::vector<uint8_t>(int)> fetchRecording_;
};

}  // namespace zem::play
