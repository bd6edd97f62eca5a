// SPDX-License-Identifier: GPL-3.0-or-later
// Long runs with a player who gambles: every coin stays accounted for through spins, free-spin series,
// gambles won, lost and taken, and the store always holds what the window holds, the game in flight among
// the games kept for recall included.
#include "gamble/gamble.h"
#include "platform/sim/sim_platform.h"
#include "play/game_history.h"
#include "play/machine.h"
#include "play/player_record.h"
#include "support/money_ledger.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace zem::testing {
namespace {

using Phase = gamble::Gamble::Phase;

struct Tally {
    int64_t checks = 0, ledgerBreaks = 0, storeBreaks = 0, meterBreaks = 0, historyBreaks = 0;
    int64_t gambles = 0, bets = 0, lost = 0, taken = 0, series = 0;
    int64_t biggestTaken = 0;
};

// Plays `spins` paid spins of 25 coins by hand. After a win the player gambles about half the time, betting
// on a colour or a suit at random and taking the win at random; a series is played out and collected.
Tally play(int16_t payout, int64_t spins, uint64_t seed) {
    platform::sim::SimPlatform p;
    p.useSeededRandom(seed);
    auto& values = p.memoryStore().values;
    const std::string section = play::playerSection(1);
    values[{play::kApplication, section, "machinepay"}] = std::to_string(payout);
    values[{play::kApplication, section, "bank"}] = "100000";
    values[{play::kApplication, section, "reelspeed"}] = "1";
    values[{play::kApplication, section, "winroll"}] = "0";
    play::Machine m(p, [](int) { return std::vector<uint8_t>{}; });
    gamble::Gamble g(m);
    m.startup();
    core::SystemRandom player(seed * 7919 + 13);

    // What came in before the run; the stakes lost are the amounts put at risk when the lost gambles opened.
    MoneyLedger ledger;
    ledger.inserted = m.s.bank - m.s.amountinvested;
    Tally t;
    int32_t totalAtGameStart = m.s.total;
    auto stored = [&](const char* key) {
        const auto text = p.memoryStore().read(play::kApplication, section, key);
        return text ? std::stoll(*text) : -1;
    };
    auto check = [&] {
        ++t.checks;
        const auto& s = m.s;
        // The machine's own statistics hold the run's bets, wins and money put in; a series total is won
        // before it is in the credit.
        if (s.bank != ledger.credit(s.wager, s.total, s.freespinwin) + s.amountinvested) {
            ++t.ledgerBreaks;
        }
        if (stored("bank") != s.bank || stored("total") != s.total || stored("wager") != s.wager ||
            stored("games") != s.games || stored("amountinvested") != s.amountinvested) {
            ++t.storeBreaks;
        }
        // The stored game in flight: what it won is what the won statistic gained since it began, and it
        // leaves the credit where the record does.
        const auto games = play::readHistory(p.memoryStore(), 1);
        if (games.empty() || games.back().win != stored("total") - totalAtGameStart ||
            games.back().creditAfter != stored("bank")) {
            ++t.historyBreaks;
        }
    };
    m.onSpinDone = check;

    auto& panel = m.w.gamble;
    platform::Control* buttons[6] = {&panel.betred,     &panel.betblack,   &panel.suitbet[1],
                                     &panel.suitbet[2], &panel.suitbet[3], &panel.suitbet[4]};
    while (m.s.games < spins) {
        // The headless back end records every write and sound for the checks of short tests; a long run
        // keeps none of it.
        p.memoryStore().writes.clear();
        p.recorder().events.clear();
        if (m.s.bank < 25) {
            p.tap(m.w.notes);
            p.advance(1);
        }
        const int32_t games = m.s.games;
        totalAtGameStart = m.s.total;
        p.tap(m.w.pplay[1]);
        p.advance(1);
        if (m.s.games != games + 1) {
            ADD_FAILURE() << "a spin did not start";
            break;
        }
        if (m.s.freespinmode == -1 || m.s.freespinstotal > 0) {
            ++t.series;
            if (!p.runUntil([&] { return m.w.takewin.visible && m.w.takewin.enabled; }, 60 * 60 * 1000)) {
                ADD_FAILURE() << "a series did not end";
                break;
            }
            p.click(m.w.takewin);
            p.advance(1);
        }
        if (!m.w.doublebutton.enabled || player.uniform() >= 0.5) continue;

        p.tap(m.w.doublebutton);
        p.advance(1);
        if (g.phase() != Phase::Open) {
            ADD_FAILURE() << "the gamble did not open";
            break;
        }
        ++t.gambles;
        const int32_t stake = g.stake();
        while (g.phase() == Phase::Open) {
            if (player.uniform() < 0.3) {
                t.biggestTaken = std::max<int64_t>(t.biggestTaken, g.atrisk);
                p.click(panel.cancelbet);
                p.advance(1);
                ++t.taken;
                break;
            }
            const int b = core::drawOneTo(6, player.uniform()) - 1;
            p.click(*buttons[b]);
            p.advance(1);
            ++t.bets;
            if (g.phase() == Phase::Closed) {
                ledger.lost += stake;
                ++t.lost;
            }
        }
        if (g.phase() != Phase::Closed || m.w.pandouble.visible) {
            ADD_FAILURE() << "the gamble did not close";
            break;
        }
        check();
        if (m.w.PANELBANK.caption != std::to_string(m.s.bank)) ++t.meterBreaks;
    }
    return t;
}

TEST(GambleSoak, HundredThousandSpinsAtEachPayoutSettingWithAGamblingPlayerKeepEveryCoin) {
    for (int16_t payout : {5, 2, 1}) {
        const Tally t = play(payout, 100000, 2000 + payout);
        EXPECT_EQ(t.ledgerBreaks, 0) << "payout " << payout;
        EXPECT_EQ(t.storeBreaks, 0) << "payout " << payout;
        EXPECT_EQ(t.meterBreaks, 0) << "payout " << payout;
        EXPECT_EQ(t.historyBreaks, 0) << "payout " << payout;
        EXPECT_GT(t.checks, 100000);
        EXPECT_GT(t.gambles, 1000);
        EXPECT_GT(t.lost, 0);
        EXPECT_GT(t.taken, 0);
        EXPECT_GT(t.series, 0);
        std::printf(
            "payout %d: %lld checks, %lld gambles, %lld bets, %lld lost, %lld taken (largest %lld), "
            "%lld series\n",
            payout, static_cast<long long>(t.checks), static_cast<long long>(t.gambles),
            static_cast<long long>(t.bets), static_cast<long long>(t.lost), static_cast<long long>(t.taken),
            static_cast<long long>(t.biggestTaken), static_cast<long long>(t.series));
    }
}

}  // namespace
}  // namespace zem::testing
