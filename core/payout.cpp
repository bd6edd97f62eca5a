// SPDX-License-Identifier: GPL-3.0-or-later
// Bookings and the payout decision.
#include "payout.h"

#include "checked.h"

namespace zem::core {

Booking bookPaidSpin(MachineState& s) {
    Booking b;
    b.paid = true;
    b.bet = s.totalBet();
    b.win = s.spinwin;
    b.total = addChecked(s.total, b.win);
    b.wager = addChecked(s.wager, b.bet);
    b.games = addChecked(s.games, 1);
    b.bank = addChecked(s.bank, -static_cast<long long>(b.bet));
    return b;
}

Booking bookFreeSpin(MachineState& s) {
    Booking b;
    addChecked(s.spinwin, static_cast<long long>(s.spinwin) * (s.winmultiplier - 1));
    b.win = s.spinwin;
    b.total = addChecked(s.total, b.win);
    if (s.scattercount < 3) b.freespinwin = addChecked(s.freespinwin, b.win);
    return b;
}

int16_t drawPayout(int16_t machinepay, Random& random) {
    return static_cast<int16_t>(drawOneTo(machinepay, random.uniform()));
}

bool outcomeStands(const MachineState& s, int16_t payoutdraw) {
    if (payoutdraw == 1 || payoutdraw == 3) return true;
    if (s.anyReelHeld()) return true;
    return s.spinwin <= 0;
}

void voidOutcome(MachineState& s, const Booking& b) {
    s.wildhold2 = s.wildhold3 = s.wildhold4 = 0;
    s.reelheld2 = s.reelheld3 = s.reelheld4 = 0;
    if (b.total) addChecked(s.total, -static_cast<long long>(b.win));
    if (b.freespinwin) addChecked(s.freespinwin, -static_cast<long long>(b.win));
    if (b.paid) {
        if (b.wager) addChecked(s.wager, -static_cast<long long>(b.bet));
        if (b.games) addChecked(s.games, -1);
        if (b.bank) addChecked(s.bank, b.bet);
    }
    s.spinwin = 0;
    s.scattercount = 0;
}

}  // namespace zem::core
