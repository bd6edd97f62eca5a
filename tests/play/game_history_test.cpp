// SPDX-License-Identifier: GPL-3.0-or-later
// The last games kept for recall, played through the machine window's handlers: what a game keeps, ten per
// slot with the newest last, wins that add up to the won statistic, the store's text read back whole, and a
// damaged entry left out without harm.
#include "core/pays.h"
#include "support/game_fixture.h"
#include "play/game_history.h"

#include <numeric>

namespace zem::testing {
namespace {

const Stops& lineWin() {
    static const Stops stops = *findStops(
        [](const core::MachineState& s) { return s.spinwin >= 50 && noWild(s) && s.scattercount < 2; });
    return stops;
}

std::vector<play::GameRecord> storedGames(Game& g, int slot = 1) {
    return play::readHistory(g.p.memoryStore(), slot);
}

int64_t winsOf(const std::vector<play::GameRecord>& games) {
    return std::accumulate(games.begin(), games.end(), int64_t{0},
                           [](int64_t sum, const play::GameRecord& r) { return sum + r.win; });
}

TEST(GameHistory, TwelveGamesKeepTheLastTenNewestLastWithWinsAddingUpToTheWonStatistic) {
    Game g;
    g.start(10000);
    g.m.history.clock = [n = int64_t{1765000000}]() mutable { return n += 60; };
    std::vector<int32_t> totals{g.m.s.total};
    std::vector<int32_t> banks{g.m.s.bank};
    for (int i = 0; i < 12; ++i) {
        g.script(i % 3 == 0 ? lineWin() : blankStops());
        g.bet(i % 2 == 0 ? 1 : 2);
        g.idle(3000);
        totals.push_back(g.m.s.total);
        banks.push_back(g.m.s.bank);
    }
    const auto games = storedGames(g);
    ASSERT_EQ(games.size(), 10u);
    for (size_t i = 0; i < games.size(); ++i) {
        const play::GameRecord& r = games[i];
        EXPECT_EQ(r.number, static_cast<int64_t>(i + 3)) << "the oldest two gave way, the newest is last";
        EXPECT_EQ(r.time, 1765000000 + 60 * static_cast<int64_t>(i + 3));
        EXPECT_EQ(r.win, totals[i + 3] - totals[i + 2]);
        EXPECT_EQ(r.creditBefore, banks[i + 2]);
        EXPECT_EQ(r.creditAfter, banks[i + 3]);
        EXPECT_EQ(r.coins, (i + 2) % 2 == 0 ? 1 : 2);
        EXPECT_EQ(r.bet, 25 * r.coins);
    }
    EXPECT_EQ(winsOf(games), totals.back() - totals[2]);
    EXPECT_EQ(g.m.history.games(), games) << "what the window shows is what the store holds";

    // A winning game keeps its window, its stops and each winning line's symbol, run and pay.
    const play::GameRecord& won = games[1];  // game 4, on the winning outcome at 2 coins a line
    core::MachineState s;
    s.linesplayed = 25;
    s.coinsperline = won.coins;
    core::placeStops(s, lineWin());
    core::payOutcome(s);
    ASSERT_EQ(won.win, s.spinwin);
    int64_t paid = won.scatterPay;
    for (int reel = 1; reel <= 5; ++reel) {
        EXPECT_EQ(won.stops[reel - 1], lineWin()[reel - 1]);
        for (int row = 1; row <= 3; ++row) EXPECT_EQ(won.symbolAt(reel, row), core::symbolAt(reel, won.stops[reel - 1], row));
    }
    ASSERT_FALSE(won.lineWins.empty());
    for (const play::LineWinRecord& line : won.lineWins) {
        EXPECT_EQ(line.run, s.linecount[line.line]);
        EXPECT_EQ(line.pay, won.coins * core::linePay(line.symbol, line.run));
        paid += line.pay;
    }
    EXPECT_EQ(paid, won.win) << "the lines and the Scatters make the whole win";
}

TEST(GameHistory, ASeriesStaysInItsGameAndAVoidedOutcomeIsNeverRecorded) {
    Game g;
    g.start(10000, 5);
    // A winning outcome voided by the payout draw (2), then its re-spin stands on a blank outcome.
    g.script(lineWin(), 2);
    g.script(blankStops(), 1);
    g.bet(1);
    g.idle(3000);
    auto games = storedGames(g);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].stops[0], blankStops()[0]);
    EXPECT_EQ(games[0].win, 0);
    EXPECT_TRUE(games[0].lineWins.empty());

    const int32_t totalBefore = g.m.s.total;
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(i == 4 ? lineWin() : blankStops());
    g.bet(1);
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, 10 * 60 * 1000));
    games = storedGames(g);
    ASSERT_EQ(games.size(), 2u) << "free spins are no games of their own";
    const play::GameRecord& series = games[1];
    EXPECT_EQ(series.freeSpinsAwarded, 10);
    EXPECT_EQ(series.scatters, 3);
    ASSERT_EQ(series.freeSpins.size(), 10u);
    EXPECT_EQ(series.freeSpins[4].stops[0], lineWin()[0]);
    EXPECT_GT(series.freeSpins[4].win, 0);
    EXPECT_EQ(series.win, g.m.s.total - totalBefore);
    EXPECT_EQ(series.creditAfter, g.m.s.bank) << "the series total is not in the credit before its collect";

    g.p.click(g.m.w.takewin);
    g.p.advance(1);
    games = storedGames(g);
    EXPECT_EQ(games[1].creditAfter, g.m.s.bank);
    EXPECT_EQ(games[1].creditAfter, games[1].creditBefore - 25 + games[1].win);
}

TEST(GameHistory, TheStoredTextReadsBackWholeAndADamagedEntryIsLeftOut) {
    play::GameRecord r;
    r.number = 27;
    r.time = 1765365754;
    r.lines = 10;
    r.coins = 5;
    r.bet = 50;
    r.stops = {5, 12, 3, 7, 19};
    for (int cell = 0; cell < 15; ++cell) r.window[cell] = static_cast<int16_t>(cell % 12 + 1);
    r.lineWins = {{3, 5, 3, 200}, {7, 10, 2, 25}};
    r.scatters = 3;
    r.scatterPay = 250;
    r.freeSpinsAwarded = 25;
    r.freeSpins = {{{1, 2, 3, 4, 5}, 0, 1}, {{22, 22, 22, 22, 22}, 1500, 10}};
    r.cards = {{'R', 1, true, 100}, {'S', 2, false, 0}};
    r.creditBefore = 1000;
    r.creditAfter = 2000;
    r.win = 1975;
    const std::string text = play::formatGame(r);
    ASSERT_EQ(play::parseGame(text), r) << text;

    // Damage of every kind: a missing field, a number out of range, a stray tag, a cut text, a lost card
    // followed by another.
    for (const std::string& damaged :
         {text.substr(0, text.size() / 2), std::string(), std::string("n:1"), text + " z:1",
          std::string("x") + text, text + " n:28"}) {
        EXPECT_FALSE(play::parseGame(damaged)) << damaged;
    }
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    for (const std::string& damaged :
         {replaced("l:10", "l:11"), replaced("s:5.", "s:23."), replaced("c:5", "c:-5"),
          replaced("w:1.", "w:13."), replaced("/7.10.2.25", "/2.10.2.25"), replaced("S2.0.0", "S2.0.5"),
          replaced("R1.1.100", "R1.0.0"), replaced("1500.10", "1500.4"), replaced("v:1975", "v:99999999999")}) {
        EXPECT_FALSE(play::parseGame(damaged)) << damaged;
    }

    // In the store: a damaged entry is left out, the others read, the game plays on and replaces the oldest.
    Game g;
    g.store("game7", text);                          // under its number's key: read
    g.store("game8", replaced("n:27", "n:38"));      // another game, read too
    g.store("game3", replaced("v:1975", "v:x"));     // damaged: left out
    g.store("game5", text);                          // under another key than its number's: left out
    g.start(10000);
    ASSERT_EQ(g.m.history.games().size(), 2u);
    EXPECT_EQ(g.m.history.games()[0].number, 27);
    EXPECT_EQ(g.m.history.games()[1].number, 38);
    g.script(blankStops());
    g.bet(1);
    g.idle(3000);
    const auto games = storedGames(g);
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(games.back().number, 39);
    EXPECT_EQ(g.stored("game9"), play::formatGame(games.back()));
}

}  // namespace
}  // namespace zem::testing
