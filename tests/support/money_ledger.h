// SPDX-License-Identifier: GPL-3.0-or-later
// A player's money as a test books it while it plays: what was put in, bet, won, paid out and lost, and the
// credit that must follow. The amounts are 64-bit, so that a run of any length never meets the 32-bit limits
// of the machine's own statistics.
#pragma once

#include <cstdint>

namespace zem::testing {

struct MoneyLedger {
    int64_t inserted = 0;  // notes and coins put in
    int64_t invested = 0;  // what the machine counted as put in, moved in from its statistic
    int64_t wagered = 0, won = 0;
    int64_t takenOut = 0;  // credit the player took away
    int64_t lost = 0;      // stakes lost in the gamble

    // The credit the books leave, with the bets and wins the machine counts but the books have not yet taken
    // in, less what is not credit yet: a series total still to be paid and a gamble's stake at risk.
    int64_t credit(int64_t wagerNow, int64_t wonNow, int64_t pending = 0, int64_t atRisk = 0) const {
        return inserted - (wagered + wagerNow) + (won + wonNow) - takenOut - lost - pending - atRisk;
    }
    // Whether every coin put in is counted by the machine as invested.
    bool allInvested(int64_t investedNow) const { return invested + investedNow == inserted; }
};

}  // namespace zem::testing
