// SPDX-License-Identifier: GPL-3.0-or-later
// Booking a spin, the payout draw that may void a winning outcome, and taking a voided booking back.
#pragma once

#include "machine_state.h"
#include "random.h"

namespace zem::core {

// What a booking actually changed, so that a void takes back exactly that and nothing more.
struct Booking {
    bool paid = false;  // a paid spin (bet taken) rather than a free spin
    bool total = false, wager = false, games = false, bank = false, freespinwin = false;
    int32_t bet = 0;
    int32_t win = 0;
};

// Paid spin: the win into total, the bet into wager, one game, the bet off the credit.
Booking bookPaidSpin(MachineState& s);

// Free spin: the multiplier applied to the win, the win into total and, unless the spin retriggers, into
// the series total. No bet is taken.
Booking bookFreeSpin(MachineState& s);

// payoutdraw = floor(machinepay * u) + 1.
int16_t drawPayout(int16_t machinepay, Random& random);

// The outcome stands on a draw of 1 or 3, when a reel was held, or when it won nothing.
bool outcomeStands(const MachineState& s, int16_t payoutdraw);

// Voids the outcome: no reel holds anything, the booking is taken back, the win and Scatter count are 0.
void voidOutcome(MachineState& s, const Booking& booking);

}  // namespace zem::core
