// SPDX-License-Identifier: GPL-3.0-or-later
// The one state record through which the reels, the pays, free spins, play control and gamble meet.
#pragma once

#include "paylines.h"
#include "reels.h"
#include "symbols.h"

#include <cstdint>
#include <string>

namespace zem::core {

// Per-line arrays have entries 0..25 (0 is never evaluated).
inline constexpr int kLineSlots = kLines + 1;

struct MachineState {
    // The player record: statistics and settings kept in the settings store.
    int32_t bank = 0;            // credit, coins
    int32_t games = 0;           // paid spins played
    int32_t wager = 0;           // coins bet on paid spins
    int32_t total = 0;           // coins won, free spins included
    int32_t amountinvested = 0;  // coins inserted with COINS and NOTES
    int16_t howmanyspins = 0;    // free-spin features won
    int16_t machinepay = 5;      // payout setting: 5, 2 or 1
    int16_t reelspeed = 1;       // 1, 2, 4, 8 or 10; 0 is taken as 1
    int16_t soundonoff = 0;      // -1 on, 0 off
    int16_t winroll = 0;         // 1 win meter counts up, 0 jumps
    std::string currentplayer;

    // The bet.
    int16_t linesplayed = 25;
    int16_t coinsperline = 1;

    // The draw.
    int16_t reelstop[kReels + 1] = {};
    int32_t reeltop[kReels + 1] = {};
    int16_t wildcell[kReels + 1] = {};
    int16_t scattercell[kReels + 1] = {};
    int16_t scattercount = 0;
    int16_t wildhold2 = 0, wildhold3 = 0, wildhold4 = 0;
    int16_t reelheld2 = 0, reelheld3 = 0, reelheld4 = 0;

    // The pays.
    int32_t spinwin = 0;
    int16_t linewin[kLineSlots] = {};
    int16_t linecount[kLineSlots] = {};

    // Free spins.
    int16_t winmultiplier = 1;
    int16_t multiplierpic = 0;
    int16_t freespinmode = 0;  // -1 while a series runs
    int16_t freespinstotal = 0;
    int16_t freespinsplayed = 0;
    int16_t freespinsawarded = 0;
    int32_t freespinwin = 0;

    // Pacing of automatic and free spins.
    int16_t autodelay = 0;
    int16_t tickcount = 0;

    // The hold request of reel 2, 3 or 4 (a Wild landed there); a dummy for reels 1 and 5.
    int16_t& wildhold(int reel) {
        switch (reel) {
            case 2:
                return wildhold2;
            case 3:
                return wildhold3;
            case 4:
                return wildhold4;
            default:
                return spareFlag_;
        }
    }
    // Whether reel 2, 3 or 4 was held (not redrawn) in the current spin; a dummy for reels 1 and 5.
    int16_t& reelheld(int reel) {
        switch (reel) {
            case 2:
                return reelheld2;
            case 3:
                return reelheld3;
            case 4:
                return reelheld4;
            default:
                return spareFlag_;
        }
    }
    // The weight of the last reel whose Wild line `line` (1..25) crosses, 0 when it crosses none: read off
    // the Wild cells.
    int16_t wildline(int line) const {
        for (int reel = kReels; reel >= 1; --reel) {
            if (wildcell[reel] != 0 && wildcell[reel] == lineCell(line, reel)) return kReelWeight[reel];
        }
        return 0;
    }
    bool anyReelHeld() const { return reelheld2 > 0 || reelheld3 > 0 || reelheld4 > 0; }
    int32_t totalBet() const { return int32_t{coinsperline} * linesplayed; }

  private:
    int16_t spareFlag_ = 0;
};

}  // namespace zem::core
