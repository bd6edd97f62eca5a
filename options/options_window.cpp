// The options window's life and its handlers.
#include "options_window.h"

#include "core/machine_math.h"
#include "core/paylines.h"
#include "options/player_names.h"
#include "options/slot_list.h"

#include <algorithm>
#include <cstdio>

namespace zem::options {

using platform::MessageBoxRequest;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

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
    m_.sounds.play(124);
    saveRecord();
    const auto captions = slotCaptions(p_.store());
    for (int i = 1; i <= 6; ++i) w.machine[i].caption = captions[static_cast<size_t>(i)];
    // Marking runs the selection even when the button is marked already: it reads the record just saved back
    // and fills the captions and statistics.
    w.machine[m_.slotNumber()].mark();
    refreshGroups(true);
    refreshStatistics(StatisticsVariant::Opening);
    showPayoutReturns();
}

void OptionsWindow::showPayoutReturns() {
    // Each payout setting's hint says what the machine returns at it over the long run, for the lines played
    // now: the same exact figure the pay table shows.
    constexpr int16_t kPays[3] = {5, 2, 1};
    const auto lines = static_cast<int16_t>(std::clamp<int>(m_.s.linesplayed, 1, core::kLines));
    for (int k = 0; k <= 2; ++k) {
        char text[96];
        std::snprintf(text, sizeof text, "Set Payout Percentages: this setting returns %.1f %% of the bets",
                      core::returnToPlayer(kPays[k], lines) * 100.0);
        w.Amtpayout[k].hint = text;
    }
}

void OptionsWindow::selectSlot(int i) {
    if (i < 1 || i > 6) return;
    // The player shown so far is in the store before another slot is read, with any setting changed here.
    if (i != m_.slotNumber()) saveRecord();
    m_.playerslot = std::to_string(i);
    loadSlot(m_.s, p_.store(), i);
    p_.setFocus(w.player1);
    const std::string name = shownName(m_.s.currentplayer);
    w.lblcurrentplayer.caption = std::string(kCurrentPlayerSelection) + name;
    showPlayerOnMachine(name);
    w.machine[i].caption = name.empty() ? kVacant : name;
    refreshStatistics(StatisticsVariant::Selection);
    refreshGroups(false);
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
    const MessageResult answer = p_.messageBox(MessageBoxRequest{
        kDeleteQuestion, kMessageTitle, MessageIcon::Stop, MessageButtons::YesNo, MessageResult::No});
    if (answer == MessageResult::Yes) {
        core::MachineState& s = m_.s;
        s.machinepay = 5;
        s.amountinvested = 0;
        s.games = 0;
        s.wager = 0;
        s.total = 0;
        s.bank = 0;
        s.howmanyspins = 0;
        saveRecord();
        refreshStatistics(StatisticsVariant::Delete);
        m_.w.PANELBANK.caption.clear();
        m_.w.Lblcredit.caption.clear();
    }
    close();
}

void OptionsWindow::okPress() {
    if (!isOpen()) return;
    m_.sounds.play(124);
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
    m_.sounds.play(124);
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
}

void OptionsWindow::refreshStatistics(StatisticsVariant variant) {
    const StatisticsTexts texts = statisticsTexts(m_.s, shownName(m_.s.currentplayer), variant);
    platform::Control* labels[kStatisticCount] = {&w.lblgames,    &w.lblwager,    &w.lbltotalwon,
                                                  &w.lblwinlose,  &w.lblreturned, &w.lblinvested,
                                                  &w.lblfreespins};
    for (int k = 0; k < kStatisticCount; ++k) labels[k]->caption = texts.labels[static_cast<size_t>(k)];
    w.lblcurrentplayer.caption = texts.currentPlayer;
}

void OptionsWindow::refreshGroups(bool opening) {
    if (m_.s.winroll == 1) {
        w.wincounter[1].caption = " ON ";
        w.wincounter[1].mark();
    } else {
        w.wincounter[2].caption = " OFF";
        w.wincounter[2].mark();
    }
    constexpr int16_t kSpeeds[5] = {1, 2, 4, 8, 10};
    for (int k = 0; k <= 4; ++k) {
        if (m_.s.reelspeed == kSpeeds[k]) {
            w.setspeed[k].mark();
            break;
        }
    }
    if (m_.s.reelspeed != 1 && m_.s.reelspeed != 2 && m_.s.reelspeed != 4 && m_.s.reelspeed != 8 &&
        m_.s.reelspeed != 10) {
        for (platform::Control& c : w.setspeed) c.marked = false;
    }
    if (!opening) return;
    constexpr int16_t kPays[3] = {5, 2, 1};
    for (int k = 0; k <= 2; ++k) {
        if (m_.s.machinepay == kPays[k]) w.Amtpayout[k].mark();
    }
    if (m_.s.soundonoff == -1) w.sounds[1].mark();
    if (m_.s.soundonoff == 0) w.sounds[2].mark();
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

void OptionsWindow::soundClick(int k) { m_.s.soundonoff = k == 1 ? -1 : 0; }

void OptionsWindow::speedClick(int k) {
    constexpr int16_t kSpeeds[5] = {1, 2, 4, 8, 10};
    if (k < 0 || k > 4) return;
    m_.s.reelspeed = kSpeeds[k];
    w.speedlab.caption = kSpeedPrefix + std::to_string(k + 1);
}

void OptionsWindow::payoutClick(int k) {
    constexpr int16_t kPays[3] = {5, 2, 1};
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
