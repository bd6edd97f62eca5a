// SPDX-License-Identifier: GPL-3.0-or-later
// A free-spin series that outlives its run: saved after every spin, resumed by the next start after a kill or
// a close, with the same total; the record's own keys untouched; a store that cannot be written.
#include "support/game_fixture.h"

#include <map>
#include <memory>

namespace zem::testing {
namespace {

using Values = decltype(platform::sim::MemoryStore::values);

const Stops& lineWin() {
    static const Stops stops = *findStops(
        [](const core::MachineState& s) { return s.spinwin >= 50 && noWild(s) && s.scattercount == 0; });
    return stops;
}

// A free spin with a Wild on reel 3 and no Scatter: reel 3 holds for the spin after it.
const Stops& wildOnReel3() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        return s.wildcell[3] > 0 && s.wildcell[2] == 0 && s.wildcell[4] == 0 && s.scattercount == 0;
    });
    return stops;
}

// The store at every pause of what `play` shows (each frame of the reels, each step of an announcement):
// every moment a kill may come while a spin is shown.
std::vector<Values> storesWhileShown(Game& g, const std::function<void()>& play) {
    std::vector<Values> seen;
    g.p.onSleep = [&](int) {
        if (seen.empty() || seen.back() != g.p.memoryStore().values) seen.push_back(g.p.memoryStore().values);
    };
    play();
    g.p.onSleep = nullptr;
    return seen;
}

// A new run of the game on the store a kill left behind.
std::unique_ptr<Game> restartOn(const Values& v) {
    auto h = std::make_unique<Game>();
    h->p.memoryStore().values = v;
    h->m.startup();
    return h;
}

int64_t number(const Values& v, const std::string& key) {
    const auto it = v.find({"zem", "player1", key});
    return it == v.end() ? 0 : std::stoll(it->second);
}

// The ten free spins of the series: line wins and blanks, a Wild that holds reel 3 in the fifth.
const Stops& freeOutcome(int spin) {
    if (spin == 5) return wildOnReel3();
    return spin % 3 == 0 ? lineWin() : blankStops();
}

// Scripts the free spins from `next` (1..10) on, each when the one before it is done (a hold decides which
// stops a spin draws), and lets the series run until its total waits for the collect. `afterFirst` sees the
// machine when the first of them is done.
bool finishSeries(Game& g, int next, const std::function<void()>& afterFirst = {}) {
    int scripted = next;
    g.scriptFree(freeOutcome(next));
    g.m.onSpinDone = [&] {
        if (scripted == next && afterFirst) afterFirst();
        if (++scripted <= 10) g.scriptFree(freeOutcome(scripted));
    };
    const bool done =
        g.p.runUntil([&] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, 20 * 60 * 1000);
    g.m.onSpinDone = nullptr;
    return done;
}

TEST(SeriesResume, AKillAtAnySaveResumesTheSeriesWithTheSameTotal) {
    // The series played through without a break, keeping the store as it stood after every save: a kill at
    // any moment leaves one of these behind.
    Game g;
    g.start(10000);
    std::vector<Values> saves;
    g.script(threeScatters());
    g.bet(1);
    saves.push_back(g.p.memoryStore().values);
    int scripted = 1;
    g.scriptFree(freeOutcome(1));
    g.m.onSpinDone = [&] {
        saves.push_back(g.p.memoryStore().values);
        if (++scripted <= 10) g.scriptFree(freeOutcome(scripted));
    };
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, 20 * 60 * 1000));
    g.p.click(g.m.w.takewin);
    g.p.advance(1);
    const int32_t bank = g.m.s.bank, total = g.m.s.total;
    ASSERT_GT(total, 5 * 25) << "the series' own spins won something";
    ASSERT_EQ(saves.size(), 11u);

    for (size_t k = 0; k < saves.size(); ++k) {
        SCOPED_TRACE("restart after save " + std::to_string(k));
        const Values& v = saves[k];
        // Every save balances: the credit and the series total so far hold what the statistics say.
        EXPECT_EQ(number(v, "bank") + number(v, "freespinwin"),
                  10000 - number(v, "wager") + number(v, "total"));
        EXPECT_EQ(number(v, "freespinsplayed"), static_cast<int64_t>(k + 1));

        Game h;
        h.p.memoryStore().values = v;
        h.m.startup();
        EXPECT_EQ(h.m.s.freespinstotal, 11);
        EXPECT_EQ(h.m.s.freespinsplayed, static_cast<int16_t>(k + 1));
        EXPECT_EQ(h.m.s.freespinwin, number(v, "freespinwin"));
        EXPECT_EQ(h.m.w.LABWIN.caption, std::to_string(number(v, "freespinwin")));
        EXPECT_FALSE(h.m.keyboardPlay());
        EXPECT_FALSE(h.m.w.autoplayon.enabled);
        EXPECT_FALSE(h.m.w.pplay[1].enabled);
        // No announcement: no fanfare, no stockade; the music plays on.
        const std::vector<int> sounds = h.p.recorder().played();
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 105), 0);
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 101), 0);
        EXPECT_FALSE(h.m.w.stockade1.visible);
        if (k + 1 < 11) {
            EXPECT_EQ(h.m.s.freespinmode, -1);
            EXPECT_EQ(h.p.recorder().current(), 117);
            EXPECT_TRUE(h.p.recorder().currentLooped());
            EXPECT_EQ(h.m.w.spinsleft.caption, "     Freespins Remaining  " + std::to_string(11 - (k + 1)));
        } else {
            EXPECT_EQ(h.m.s.freespinmode, 0);
            EXPECT_EQ(h.m.w.spinsleft.caption, "Freespins Completed          ");
        }
        if (k == 5) {
            // The save after the fifth free spin holds reel 3 for the sixth.
            EXPECT_EQ(h.m.s.wildhold3, 1);
            EXPECT_EQ(h.m.s.reelstop[3], wildOnReel3()[2]);
        }
        const int16_t heldStop = h.m.s.reelstop[3];
        const bool held = h.m.s.wildhold3 > 0;
        int16_t nextStop = 0;
        if (k + 1 < 11) {
            ASSERT_TRUE(finishSeries(h, static_cast<int>(k) + 1, [&] { nextStop = h.m.s.reelstop[3]; }));
            // A held reel keeps its stop through the restart (the next spin draws no stop for it).
            if (held) {
                EXPECT_EQ(nextStop, heldStop);
            }
        }
        h.p.click(h.m.w.takewin);
        h.p.advance(1);
        EXPECT_EQ(h.m.s.bank, bank);
        EXPECT_EQ(h.m.s.total, total);
        EXPECT_EQ(h.stored("bank"), std::to_string(bank));
        EXPECT_EQ(h.stored("freespinstotal"), "0");
        EXPECT_EQ(h.stored("freespinwin"), "0");
    }
}

TEST(SeriesResume, ClosingTheWindowMidSeriesKeepsItForTheNextStart) {
    Game g;
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(blankStops());
    g.bet(1);
    g.p.advance(20000);
    ASSERT_EQ(g.m.s.freespinmode, -1);
    const int16_t played = g.m.s.freespinsplayed;
    g.p.closeWindow(g.m.w.orvelle);
    g.p.advance(1);
    ASSERT_TRUE(g.m.closed());
    EXPECT_EQ(g.stored("bank"), std::to_string(10000 - 25)) << "the series total waits in the series";
    EXPECT_EQ(g.stored("freespinwin"), std::to_string(5 * 25));

    Game h;
    h.p.memoryStore().values = g.p.memoryStore().values;
    h.m.startup();
    EXPECT_EQ(h.m.s.freespinsplayed, played);
    for (int i = played; i <= 10; ++i) h.scriptFree(blankStops());
    ASSERT_TRUE(h.p.runUntil([&] { return h.m.w.takewin.visible && h.m.w.takewin.enabled; }, 20 * 60 * 1000));
    h.p.click(h.m.w.takewin);
    h.p.advance(1);
    EXPECT_EQ(h.m.s.bank, 10000 - 25 + 5 * 25);
    EXPECT_EQ(h.stored("bank"), std::to_string(10000 - 25 + 5 * 25));
}

TEST(SeriesResume, AStoreWithoutASeriesBehavesAsBefore) {
    Game g;
    g.store("bank", "500");
    g.store("soundonoff", "-1");
    g.m.startup();
    EXPECT_EQ(g.m.s.freespinmode, 0);
    EXPECT_EQ(g.m.s.freespinstotal, 0);
    EXPECT_EQ(g.p.recorder().played(), std::vector<int>{101});
    EXPECT_TRUE(g.p.memoryStore().writes.empty()) << "startup writes nothing";
    EXPECT_TRUE(g.m.keyboardPlay());

    // A plain spin saves the eleven keys (as its reels start, and at its end) and nothing else but the game
    // it is, once, with the first of them.
    g.p.memoryStore().writes.clear();
    g.script(blankStops());
    g.bet(1);
    std::vector<std::string> keys, eleven(std::begin(play::kRecordKeys), std::end(play::kRecordKeys));
    const auto& writes = g.p.memoryStore().writes;
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.front().key, "game1");
    for (size_t k = 1; k < writes.size(); ++k) keys.push_back(writes[k].key);
    EXPECT_EQ(keys.size(), 2 * eleven.size());
    for (size_t k = 0; k < keys.size(); ++k) EXPECT_EQ(keys[k], eleven[k % eleven.size()]);
}

TEST(SavedOutcome, AKillWhileASpinIsShownFindsItTakenWholeWithTheSeriesItStarts) {
    // The reels, the fanfare, the burning arrow and the flames show an outcome the store already holds.
    Game g;
    g.start(10000);
    g.script(threeScatters());
    const std::vector<Values> shown = storesWhileShown(g, [&] { g.bet(1); });
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), g.p.memoryStore().values) << "the spin's end saves nothing new";
    ASSERT_GT(g.m.s.freespinwin, 0);
    for (const Values& v : shown) {
        const auto h = restartOn(v);
        EXPECT_EQ(h->m.s.bank, 10000 - 25);
        EXPECT_EQ(h->m.s.games, 1);
        EXPECT_EQ(h->m.s.howmanyspins, 1);
        EXPECT_EQ(h->m.s.freespinmode, -1) << "the series goes on";
        EXPECT_EQ(h->m.s.freespinstotal, 11);
        EXPECT_EQ(h->m.s.freespinsplayed, 1);
        EXPECT_EQ(h->m.s.freespinwin, g.m.s.freespinwin);
    }

    // An outcome the payout setting voids is never shown nor saved; the one that stands is saved with its win
    // in the credit, once: neither the roll-up nor a restart pays it again.
    Game k;
    k.start(10000, 5);
    k.script(lineWin(), 2);
    k.script(lineWin(), 1);
    const std::vector<Values> standing = storesWhileShown(k, [&] { k.bet(1); });
    k.idle(10000);
    const int32_t win = k.m.s.spinwin;
    ASSERT_GE(win, 50);
    EXPECT_EQ(k.m.s.bank, 10000 - 25 + win);
    ASSERT_FALSE(standing.empty());
    for (const Values& v : standing) {
        EXPECT_EQ(number(v, "games"), 1);
        EXPECT_EQ(number(v, "total"), win);
        const auto h = restartOn(v);
        h->idle(10000);
        EXPECT_EQ(h->m.s.bank, 10000 - 25 + win);
    }
    EXPECT_EQ(k.stored("bank"), std::to_string(10000 - 25 + win));
}

TEST(SavedOutcome, AWildHoldOfAPaidSpinOutlivesAKillAndAClose) {
    const Stops& wild = wildOnReel3();
    Game g;
    g.start(10000);
    g.script(wild);
    std::vector<Values> moments = storesWhileShown(g, [&] { g.bet(1); });
    g.idle(10000);
    g.p.closeWindow(g.m.w.orvelle);
    g.p.advance(1);
    ASSERT_TRUE(g.m.closed());
    moments.push_back(g.p.memoryStore().values);
    for (const Values& v : moments) {
        const auto h = restartOn(v);
        ASSERT_EQ(h->m.s.wildhold3, 1);
        EXPECT_EQ(h->m.s.wildhold2 + h->m.s.wildhold4, 0);
        EXPECT_EQ(h->m.w.reel[3].top, core::reelTopFor(wild[2])) << "the held reel shows its Wild";
        EXPECT_TRUE(h->m.w.picheld[3].visible) << "and says it is held";
        EXPECT_FALSE(h->m.w.picheld[2].visible || h->m.w.picheld[4].visible);
        // The next spin draws no stop for reel 3: it keeps the Wild's, and the hold is spent.
        h->script(blankStops());
        h->bet(1);
        EXPECT_EQ(h->m.s.reelstop[3], wild[2]);
        EXPECT_EQ(h->m.s.games, 2);
        EXPECT_EQ(h->stored("heldstop3"), "0");
    }

    // A stored hold that cannot be one is ignored: no number, off the strip, a stop without a Wild.
    int16_t plain = 1;
    while (core::symbolAt(3, plain, 1) == core::Wild || core::symbolAt(3, plain, 2) == core::Wild ||
           core::symbolAt(3, plain, 3) == core::Wild) {
        ++plain;
    }
    for (const std::string& bad : std::vector<std::string>{"abc", "23", "-4", "", std::to_string(plain)}) {
        Game d;
        d.store("heldstop3", bad);
        d.start(100);
        EXPECT_EQ(d.m.s.wildhold3, 0) << bad;
        d.script(blankStops());
        d.bet(1);
        EXPECT_EQ(d.m.s.games, 1) << bad;
    }
}

TEST(SeriesResume, ADamagedSeriesPaysItsWinIntoTheCreditAndOtherSlotsKeepTheirs) {
    Game g;
    g.store("bank", "1000");
    g.store("freespinstotal", "11");
    g.store("freespinsplayed", "four");
    g.store("freespinwin", "300");
    g.store("bank", "70", 3);
    g.store("total", "9", 3);
    g.store("currentplayer", "Cy", 3);
    g.store("freespinstotal", "16", 3);
    g.store("freespinwin", "450", 3);
    g.m.startup();
    EXPECT_EQ(g.m.s.freespinmode, 0);
    EXPECT_EQ(g.m.s.bank, 1300);
    EXPECT_EQ(g.m.w.PANELBANK.caption, "1300");
    EXPECT_TRUE(g.m.keyboardPlay());
    EXPECT_EQ(g.stored("bank"), "1300");
    EXPECT_EQ(g.stored("freespinstotal"), "0");
    EXPECT_EQ(g.stored("freespinwin"), "0");
    // Slot 3's series waits, untouched, for its player to be chosen.
    EXPECT_EQ(g.stored("bank", 3), "70");
    EXPECT_EQ(g.stored("total", 3), "9");
    EXPECT_EQ(g.stored("currentplayer", 3), "Cy");
    EXPECT_EQ(g.stored("freespinwin", 3), "450");

    // A second start finds nothing more to pay.
    Game h;
    h.p.memoryStore().values = g.p.memoryStore().values;
    h.m.startup();
    EXPECT_EQ(h.m.s.bank, 1300);
    EXPECT_TRUE(h.p.memoryStore().writes.empty());
}

TEST(UnwritableStore, PlayGoesOnAndThePlayerIsToldOnce) {
    Game g;
    g.start(10000);
    g.p.memoryStore().failWrites = true;
    for (int i = 0; i < 3; ++i) {
        g.script(blankStops());
        g.bet(1);
        g.p.advance(3000);
    }
    EXPECT_EQ(g.m.s.games, 3);
    EXPECT_EQ(g.m.s.bank, 10000 - 3 * 25);
    ASSERT_EQ(g.p.messages.size(), 1u);
    EXPECT_NE(g.p.messages[0].text.find("not being saved"), std::string::npos);
    EXPECT_TRUE(g.m.saveFailureShown());
}

}  // namespace
}  // namespace zem::testing
