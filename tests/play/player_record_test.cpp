// SPDX-License-Identifier: GPL-3.0-or-later
// The player record and a stored series on their own: every key written and read back at the limits of what
// it holds, a change to any one key seen by the comparison the store's checks rely on, and a series whose
// stored choices are not the game's never resumed.
#include "platform/sim/sim_platform.h"
#include "play/player_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace zem::testing {
namespace {

using I16 = std::numeric_limits<int16_t>;
using I32 = std::numeric_limits<int32_t>;

core::MachineState recordAt(bool highest) {
    core::MachineState s;
    const int16_t small = highest ? I16::max() : I16::min();
    const int32_t large = highest ? I32::max() : I32::min();
    s.howmanyspins = s.soundonoff = s.machinepay = s.winroll = s.reelspeed = small;
    s.amountinvested = s.wager = s.total = s.bank = s.games = large;
    s.currentplayer = highest ? "Zoë = 1; [x]" : "";
    return s;
}

TEST(PlayerRecord, EveryKeyTravelsAtTheLimitsOfWhatItHoldsAndAChangeToAnyOneIsSeen) {
    for (const bool highest : {false, true}) {
        platform::sim::MemoryStore store;
        const core::MachineState saved = recordAt(highest);
        ASSERT_TRUE(play::writeRecord(saved, store, 4));
        EXPECT_EQ(store.values.at({"zem", "player4", "bank"}), std::to_string(saved.bank));
        EXPECT_EQ(store.values.at({"zem", "player4", "soundonoff"}), std::to_string(saved.soundonoff));

        core::MachineState read;
        ASSERT_EQ(play::readRecord(read, store, 4), 0);
        EXPECT_EQ(read.howmanyspins, saved.howmanyspins);
        EXPECT_EQ(read.soundonoff, saved.soundonoff);
        EXPECT_EQ(read.machinepay, saved.machinepay);
        EXPECT_EQ(read.winroll, saved.winroll);
        EXPECT_EQ(read.reelspeed, saved.reelspeed);
        EXPECT_EQ(read.amountinvested, saved.amountinvested);
        EXPECT_EQ(read.wager, saved.wager);
        EXPECT_EQ(read.total, saved.total);
        EXPECT_EQ(read.bank, saved.bank);
        EXPECT_EQ(read.games, saved.games);
        EXPECT_EQ(read.currentplayer, saved.currentplayer);
        EXPECT_TRUE(play::sameRecord(read, saved));

        // One past a 16-bit key's limit does not fit it: that key alone stays as it was.
        store.values[{"zem", "player4", "winroll"}] = highest ? "32768" : "-32769";
        core::MachineState again;
        EXPECT_EQ(play::readRecord(again, store, 4), 1);
        EXPECT_EQ(again.winroll, core::MachineState{}.winroll);
        store.values[{"zem", "player4", "winroll"}] = std::to_string(saved.winroll);

        // Whichever single key the store holds differently, the record read is not the one saved.
        for (const char* key : play::kRecordKeys) {
            platform::sim::MemoryStore changed = store;
            changed.values[{"zem", "player4", key}] = "7";
            core::MachineState other;
            play::readRecord(other, changed, 4);
            EXPECT_FALSE(play::sameRecord(other, saved)) << key;
        }
    }
}

core::MachineState runningSeries() {
    core::MachineState s;
    s.freespinmode = -1;
    s.freespinstotal = 16;
    s.freespinsplayed = 3;
    s.freespinwin = I32::max();
    s.winmultiplier = 10;
    s.linesplayed = 15;
    s.coinsperline = 20;
    const int16_t stops[] = {0, 1, 7, core::kStops, 12, 20};
    for (int reel = 1; reel <= core::kReels; ++reel) s.reelstop[reel] = stops[reel];
    s.wildhold3 = 1;
    return s;
}

TEST(PlayerRecord, ASeriesTravelsWholeAndOneOutsideTheGamesChoicesOnlyPaysItsWin) {
    platform::sim::MemoryStore store;
    const core::MachineState saved = runningSeries();
    ASSERT_TRUE(play::writeRecord(saved, store, 1));
    const auto series = play::readSeries(store, 1);
    ASSERT_TRUE(series && series->resumable);
    core::MachineState read;
    play::applySeries(read, *series);
    EXPECT_EQ(read.freespinmode, -1);
    EXPECT_EQ(read.freespinstotal, 16);
    EXPECT_EQ(read.freespinsplayed, 3);
    EXPECT_EQ(read.freespinwin, I32::max());
    EXPECT_EQ(read.winmultiplier, 10);
    EXPECT_EQ(read.linesplayed, 15);
    EXPECT_EQ(read.coinsperline, 20);
    for (int reel = 1; reel <= core::kReels; ++reel) EXPECT_EQ(read.reelstop[reel], saved.reelstop[reel]) << reel;
    EXPECT_EQ(read.wildhold2 + read.wildhold4, 0);
    EXPECT_EQ(read.wildhold3, 1);

    // Values within a key's bounds that the game never offers, and counters that disagree.
    const std::pair<const char*, const char*> damaged[] = {
        {"winmultiplier", "4"}, {"linesplayed", "7"}, {"coinsperline", "4"}, {"freespinsplayed", "17"},
        {"reelstop2", "0"},     {"wildhold4", "2"},   {"freespinsplayed", "0"}};
    for (const auto& [key, text] : damaged) {
        platform::sim::MemoryStore changed = store;
        changed.values[{"zem", "player1", key}] = text;
        const auto broken = play::readSeries(changed, 1);
        ASSERT_TRUE(broken.has_value()) << key;
        EXPECT_FALSE(broken->resumable) << key << " " << text;
        EXPECT_EQ(broken->freespinwin, I32::max()) << "the win is kept to be paid: " << key;
    }

    // Once the series is over, the next save ends the stored one: no series is read from the slot.
    core::MachineState over = saved;
    over.freespinmode = 0;
    over.freespinstotal = over.freespinsplayed = 0;
    over.freespinwin = 0;
    ASSERT_TRUE(play::writeRecord(over, store, 1));
    EXPECT_FALSE(play::readSeries(store, 1).has_value());
    EXPECT_EQ(store.values.at({"zem", "player1", "freespinstotal"}), "0");
}

}  // namespace
}  // namespace zem::testing
