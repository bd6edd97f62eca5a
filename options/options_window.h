// SPDX-License-Identifier: GPL-3.0-or-later
// The options window's handlers: opening, slot selection, name entry, deletion, closing, the setting groups
// and the screen size. It works on the machine's shared player record and writes it to the store.
#pragma once

#include "options/statistics_texts.h"
#include "play/machine.h"
#include "ui/options_window.h"

namespace zem::options {

inline constexpr const char* kMessageTitle = "Slots_orvelle";
inline constexpr const char* kNothingEntered = "Nothing Entered";
inline constexpr const char* kNameTooLong = "Name Too Long";
inline constexpr const char* kDeleteQuestion = "Are you sure you want to Delete Current Player's Details ?";
inline constexpr const char* kAlready800x600 = "Already 800 X 600 resolution !!\r\n";
inline constexpr const char* kSpeedPrefix = "Current Speed =   ";

class OptionsWindow {
  public:
    // Binds the window's events and installs itself as the machine's options opener.
    explicit OptionsWindow(play::Machine& machine);
    OptionsWindow(const OptionsWindow&) = delete;
    OptionsWindow& operator=(const OptionsWindow&) = delete;

    // The window loads and runs its opening steps.
    void open();
    bool isOpen() const { return w.frmorvelleoptions.visible; }

    // --- players and statistics ---
    void selectSlot(int i);
    void nameKey(int& key);
    void deleteDetails();
    void okPress();
    // The close box, the delete button and the screen buttons close the window this way.
    void close();

    // --- settings ---
    void winCounterClick(int k);
    void soundClick(int k);
    void speedClick(int k);
    void payoutClick(int k);
    void largeScreen();
    void originalScreen();

    ui::OptionsWindowLayout w;

  private:
    void showPayoutReturns();
    void refreshStatistics(StatisticsVariant variant);
    void refreshGroups();
    // A spin or a free-spin series of the current player is in flight.
    bool playerInPlay() const;
    void showPlayerOnMachine(const std::string& name);
    void saveRecord();

    play::Machine& m_;
    platform::Platform& p_;
    bool seriesTakenUp_ = false;  // the selected player's series waits for the window to close
};

}  // namespace zem::options
