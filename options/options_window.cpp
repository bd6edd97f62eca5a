// SPDX-License-Identifier: GPL-3.0-or-later
// The options window's life and its handlers.
#include "options_window.h"

#include "core/machine_math.h"
#include "core/paylines.h"
#include "options/player_names.h"
#include "options/slot_list.h"
#include "play/player_record.h"

#include <algorithm>
#include <cstdio>

namespace zem::options {

using platform::MessageBoxRequest;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

namespace {

// The value each option sets, by the option's index in its group (the sound group counts from 1).
constexpr int16_t kSpeeds[5] = {1, 2, 4, 8, 10};
constexpr int16_t kPays[3] = {5, 2, 1};
constexpr int16_t kSoundValues[3] = {0, -1, 0};

// Marks the option of `group` from index `first` on whose value is `value` (running its click), or clears
// every mark when no option has it. Returns whether one was marked.
template <size_t N>
bool markValue(std::array<platform::Control, N>& group, const int16_t (&values)[N], int16_t value,
               size_t first = 0) {
    for (size_t k = first; k < N; ++k) {
        if (values[k] == value) {
            group[k].mark();
            return true;
        }
    }
    for (platform::Control& c : group) c.marked = false;
    return false;
}

}  // namespace

OptionsWindow::OptionsWindow(play::Machine& machine) : m_(machine), p_(machine.p) {
    w.frmorvelleoptions.onCloseRequest = [this] { close(); };
    w.frmorvelleoptions.onEscape = [this] { close(); };
    w.frmorvelleoptions.owner = &machine.w.orvelle;
    for (int i = 1; i <= 6; ++i) w.machine[i].onClick = [this, i] { selectSlot(i); };
    w.player1.onKey = [this](int& key) { nameKey(key); };
    w.Btndeletedetails.onClick = [this] { deleteDetails(); };
    w.btnokplayer.onClick = [this] { okPress(); };
    for (int k = 1; k <= 2; ++k) {
        w.wincounter[k].onClick = [this, k] { winCounterClick(k); };
        w.sounds[k].onClick = [this, k] { soundClick(k); };
    }
    for (int k = 0; k <= 4; ++k) w.setspeed[k].onClick = [this, k] { speedClick(k); };
    for (int k = 0; k <= 2; ++k) w.Amtpayout[k].onClick = [this, k] { payoutClick(k); };
    w.cmdlargescreen.onClick = [this] { largeScreen(); };
    w.cmdorigonal.onClick = [this] { originalScreen(); };
    m_.openers.options = [this] { open(); };
}

void OptionsWindow::saveRecord() { m_.saveRecord(); }

void OptionsWindow::open() {
    if (isOpen()) return;
    w.resetToLoaded();
    // Centred over the machine window.
    w.frmorvelleoptions.left = m_.w.orvelle.left + (ui::kMachineWidthTwips - ui::kOptionsWidthTwips) / 2;
    w.frmorvelleoptions.top = m_.w.orvelle.top + (ui::kMachineHeightTwips - ui::kOptionsHeightTwips) / 2;
    w.frmorvelleoptions.visible = true;
    m_.sounds.play(play::Sound::Click);
    saveRecord();
    const auto captions = slotCaptions(p_.store());
    for (int i = 1; i <= 6; ++i) w.machine[i].caption = captions[static_cast<size_t>(i)];
    // Marking runs the selection even when the button is marked already: it fills the captions and
    // statistics from the record in force, which was just saved.
    w.machine[m_.slotNumber()].mark();
    refreshGroups();
    refreshStatistics(StatisticsVariant::Opening);
    showPayoutReturns();
}

void OptionsWindow::showPayoutReturns() {
    // Each payout setting's hint says what the machine returns at it over the long run, for the lines played
    // now: the same exact figure the pay table shows.
    const auto lines = static_cast<int16_t>(std::clamp<int>(m_.s.linesplayed, 1, core::kLines));
    for (int k = 0; k <= 2; ++k) {
        char text[96];
        std::snprintf(text, sizeof text, "Set Payout Percentages: this setting returns %.1f %% of the bets",
                      core::returnToPlayer(kPays[k], lines) * 100.0);
        w.Amtpayout[k].hint = text;
    }
}

bool OptionsWindow::playerInPlay() const { return m_.spinning() || play::seriesOpen(m_.s); }

void OptionsWindow::selectSlot(int i) {
    if (i < 1 || i > 6) return;
    const int current = m_.slotNumber();
    if (i != current) {
        // The player shown so far is in the store before another slot is read, with any setting changed
        // here. A spin or series in flight belongs to this player, and a record the store did not take would
        // be lost: in both cases the player stays. A series only taken up in this visit has not begun: it
        // stays in the store with its player's record.
        const bool inFlight = m_.spinning() || (play::seriesOpen(m_.s) && !seriesTakenUp_);
        if (inFlight || !m_.saveRecord()) {
            for (int k = 1; k <= 6; ++k) w.machine[k].marked = k == current;
            return;
        }
        m_.playerslot = std::to_string(i);
        loadSlot(m_.s, p_.store(), i);
        // The player's Wild holds and a free-spin series left unfinished come with the record; the series
        // goes on when the window closes.
        seriesTakenUp_ = m_.takeUpPlay(i);
    }
    // The slot already chosen keeps the record in force, with every setting made in this visit.
    p_.setFocus(w.player1);
    const std::string name = shownName(m_.s.currentplayer);
    w.lblcurrentplayer.caption = std::string(kCurrentPlayerSelection) + name;
    showPlayerOnMachine(name);
    w.machine[i].caption = name.empty() ? kVacant : name;
    refreshStatistics(StatisticsVariant::Selection);
    refreshGroups();
}

void OptionsWindow::showPlayerOnMachine(const std::string& name) {
    m_.showCredit();
    m_.w.orvelle.caption = std::string(ui::kCaptionPrefix) + name;
}

void OptionsWindow::nameKey(int& key) {
    if (key != 13) return;
    key = 0;
    const std::string typed = w.player1.caption;
    const auto refuse = [&](const char* message) {
        p_.messageBox(MessageBoxRequest{message, kMessageTitle, MessageIcon::Information, MessageButtons::Ok,
                                        MessageResult::Ok});
        w.player1.caption.clear();
        w.lblcurrentplayer.caption = std::string(kCurrentPlayerNamed) + shownName(m_.s.currentplayer);
    };
    if (typed.empty()) {
        refuse(kNothingEntered);
        return;
    }
    if (visibleLength(typed) > kNameMaxCharacters) {
        refuse(kNameTooLong);
        return;
    }
    m_.s.currentplayer = typed;
    w.player1.caption.clear();
    const std::string name = shownName(typed);
    w.lblcurrentplayer.caption = std::string(kCurrentPlayerNamed) + name;
    showPlayerOnMachine(name);
    w.machine[m_.slotNumber()].caption = name;
    saveRecord();
}

void OptionsWindow::deleteDetails() {
    // The credit and statistics of a player with a spin or series in flight are not cleared under it.
    if (playerInPlay()) return;
    const MessageResult answer = p_.messageBox(MessageBoxRequest{
        kDeleteQuestion, kMessageTitle, MessageIcon::Stop, MessageButtons::YesNo, MessageResult::No});
    if (answer == MessageResult::Yes) {
        for (const play::RecordKey& k : play::kRecord) {
            if (k.scope == play::Scope::Details) play::resetKey(m_.s, k);
        }
        // The games kept for recall go with the credit and statistics they led to.
        m_.history.clear(p_.store(), m_.slotNumber());
        saveRecord();
        refreshStatistics(StatisticsVariant::Delete);
        m_.w.PANELBANK.caption.clear();
        m_.w.Lblcredit.caption.clear();
    }
    close();
}

void OptionsWindow::okPress() {
    if (!isOpen()) return;
    m_.sounds.play(play::Sound::Click);
    if (m_.s.reelspeed == 0) m_.s.reelspeed = 1;
    saveRecord();
    w.player1.caption.clear();
    m_.w.orvelle.enabled = true;
    m_.w.orvelle.visible = true;
    for (int i = 1; i <= 15; ++i) m_.w.flasher[i].visible = false;
    close();
}

void OptionsWindow::close() {
    if (!isOpen()) return;
    m_.sounds.play(play::Sound::Click);
    m_.w.orvelle.enabled = true;
    for (int i = 1; i <= 15; ++i) m_.w.flasher[i].visible = false;
    m_.w.doublebutton.enabled = false;
    if (m_.s.reelspeed == 0) m_.s.reelspeed = 1;
    saveRecord();
    w.player1.caption.clear();
    m_.w.orvelle.enabled = true;
    m_.w.orvelle.visible = true;
    w.frmorvelleoptions.visible = false;
    p_.setFocus(m_.w.orvelle);
    if (seriesTakenUp_) {
        seriesTakenUp_ = false;
        m_.resumeSeries();
    }
}

void OptionsWindow::refreshStatistics(StatisticsVariant variant) {
    const StatisticsTexts texts = statisticsTexts(m_.s, shownName(m_.s.currentplayer), variant);
    platform::Control* labels[kStatisticCount] = {&w.lblgames,    &w.lblwager,    &w.lbltotalwon,
                                                  &w.lblwinlose,  &w.lblreturned, &w.lblinvested,
                                                  &w.lblfreespins};
    for (int k = 0; k < kStatisticCount; ++k) labels[k]->caption = texts.labels[static_cast<size_t>(k)];
    w.lblcurrentplayer.caption = texts.currentPlayer;
}

void OptionsWindow::refreshGroups() {
    if (m_.s.winroll == 1) {
        w.wincounter[1].caption = " ON ";
        w.wincounter[1].mark();
    } else {
        w.wincounter[2].caption = " OFF";
        w.wincounter[2].mark();
    }
    // Every group marks the setting in force, at the opening and after every selection: a group whose
    // setting has no option shows no mark.
    if (!markValue(w.setspeed, kSpeeds, m_.s.reelspeed)) w.speedlab.caption.clear();
    markValue(w.Amtpayout, kPays, m_.s.machinepay);
    markValue(w.sounds, kSoundValues, m_.s.soundonoff, 1);
}

void OptionsWindow::winCounterClick(int k) {
    if (k == 1) {
        m_.s.winroll = 1;
        w.wincounter[1].caption = " ON";
        w.wincounter[2].caption.clear();
    } else {
        m_.s.winroll = 0;
        w.wincounter[2].caption = " OFF";
        w.wincounter[1].caption.clear();
    }
}

void OptionsWindow::soundClick(int k) {
    if (k < 1 || k > 2) return;
    m_.s.soundonoff = kSoundValues[k];
}

void OptionsWindow::speedClick(int k) {
    if (k < 0 || k > 4) return;
    m_.s.reelspeed = kSpeeds[k];
    w.speedlab.caption = kSpeedPrefix + std::to_string(k + 1);
}

void OptionsWindow::payoutClick(int k) {
    if (k < 0 || k > 2) return;
    m_.s.machinepay = kPays[k];
}

void OptionsWindow::largeScreen() {
    const platform::ScreenSize screen = p_.display().screen();
    if (screen.width == 800 && screen.height == 600) {
        p_.messageBox(MessageBoxRequest{kAlready800x600, kMessageTitle, MessageIcon::Information,
                                        MessageButtons::Ok, MessageResult::Ok});
    } else {
        // A display that does not switch modes gets what the button promises all the same: the machine
        // window scaled up to fill the screen.
        const bool fill = !p_.display().setMode(800, 600);
        m_.w.orvelle.left = 0;
        m_.w.orvelle.top = 0;
        if (fill != m_.w.orvelle.fillScreen) {
            // Painting the pictures at the new size takes a moment the first time: the hourglass shows it.
            m_.w.orvelle.fillScreen = fill;
            p_.setPointer(platform::Pointer::Hourglass);
            p_.paint();
            p_.setPointer(platform::Pointer::Arrow);
        }
    }
    close();
}

void OptionsWindow::originalScreen() {
    p_.display().setMode(0, 0);
    m_.w.orvelle.fillScreen = false;
    m_.w.orvelle.left = 0;
    m_.w.orvelle.top = 0;
    close();
}

}  // namespace zem::options
