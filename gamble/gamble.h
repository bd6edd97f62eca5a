// SPDX-License-Identifier: GPL-3.0-or-later
// The card gamble: after a win the player bets it on the colour (2:1) or the suit (4:1) of a face-down card,
// again after every right guess, until a wrong guess loses it or the take-win button banks it.
#pragma once

#include "play/machine.h"

#include <cstdint>

namespace zem::gamble {

// The cards: 1 hearts, 2 clubs, 3 diamonds, 4 spades. Hearts and diamonds are red.
enum class Bet { Red, Black, Hearts, Clubs, Diamonds, Spades };

// The suit bet of `suitbet`(k), k = 1..4.
Bet suitBet(int k);
// Whether `bet` wins on `card`: red on 1 and 3, black on 2 and 4, a suit on its own card only.
bool wins(Bet bet, int card);
// The letter the game history keeps for a bet: R, B, H, C, D, S.
char betLetter(Bet bet);
// What a right guess multiplies the amount at risk by: 2 for a colour, 4 for a suit.
int payFactor(Bet bet);
// The sound of a right guess.
play::Sound winSound(Bet bet);

class Gamble {
  public:
    // Hooks itself into the machine: the gamble button, the panel's buttons, saving and closing.
    explicit Gamble(play::Machine& machine);
    ~Gamble();
    Gamble(const Gamble&) = delete;
    Gamble& operator=(const Gamble&) = delete;

    // Press on the gamble button: puts the last win (or the free-spin total just collected) at risk.
    void open();
    // Press on RED, BLACK or a suit button: draws a card, reveals it and settles the bet.
    void bet(Bet bet);
    // Press on TAKE WIN: the amount at risk goes into the credit.
    void chickenOut();

    enum class Phase { Closed, Open, Revealing, Lost };
    Phase phase() const { return phase_; }
    // The amount put at risk when the gamble opened.
    int32_t stake() const { return stake_; }

    int32_t atrisk = 0;       // what the player holds on the table: the stake, doubled or quadrupled since
    int16_t gamblecount = 0;  // bets since the window came up; 1..10 once used, drives the history row
    int drawncard = 0;        // the last card drawn

  private:
    play::HeldCoins held() const;
    void takeBeforeShutdown();
    void showAmounts();
    void updateHistory();
    void reveal();
    void fall(platform::Control& banner);
    void rightGuess(Bet bet);
    void wrongGuess();
    void releaseControls();
    // RED, BLACK, TAKE WIN and the four suit buttons together.
    void setBetsEnabled(bool on);

    play::Machine& m_;
    Phase phase_ = Phase::Closed;
    int32_t stake_ = 0;
    int32_t decided_ = 0;  // what the player holds at the latest decided card
    bool busy_ = false;    // a handler that lets events run is under way
};

}  // namespace zem::gamble
