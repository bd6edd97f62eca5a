// SPDX-License-Identifier: GPL-3.0-or-later
// Free-spin series, held Wilds and the payout control, played through the machine window's handlers.
#include "core/free_spins.h"

#include "core/money.h"
#include "support/game_fixture.h"
#include "presentation/win_presentation.h"

namespace zem::testing {
namespace {

const Stops& fiveScatters() {
    static const Stops stops =
        *findStops([](const core::MachineState& s) { return s.scattercount == 5 && noWild(s); });
    return stops;
}

const Stops& lineWin() {
    static const Stops stops = *findStops(
        [](const core::MachineState& s) { return s.spinwin >= 50 && noWild(s) && s.scattercount == 0; });
    return stops;
}

// Plays a series to its end; `next` scripts each spin just before it starts (so holds are known).
struct Series {
    explicit Series(Game& game) : g(game) {}
    Game& g;
    std::vector<std::string> captions;

    void watchCaptions() {
        g.p.onSleep = [this](int) {
            const std::string& c = g.m.w.spinsleft.caption;
            if (g.m.w.spinsleft.visible && (captions.empty() || captions.back() != c)) captions.push_back(c);
        };
    }
    bool runToCollect(int64_t ms = 10 * 60 * 1000) {
        return g.p.runUntil([this] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, ms);
    }
};

TEST(FreeSpins, ThreeScattersGiveExactlyTenFreeSpinsCountedDownToZero) {
    Game g;
    g.start(10000);
    Series series(g);
    series.watchCaptions();
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(blankStops());
    int spins = 0;
    g.m.onSpinDone = [&] { ++spins; };
    g.bet(1);
    EXPECT_EQ(g.m.s.freespinmode, -1);
    EXPECT_EQ(g.m.s.freespinstotal, 11);
    EXPECT_EQ(g.m.s.freespinsawarded, 10);
    EXPECT_EQ(g.m.s.howmanyspins, 1);
    EXPECT_FALSE(g.m.w.panfreespin.visible);
    EXPECT_FALSE(g.m.keyboardPlay());
    const std::vector<int> sounds = g.p.recorder().played();
    ASSERT_GE(sounds.size(), 2u);
    EXPECT_EQ(sounds.back(), 117);
    EXPECT_TRUE(g.p.recorder().currentLooped());
    EXPECT_EQ(sounds[sounds.size() - 2], 105);
    const int32_t triggerWin = g.m.s.spinwin;
    EXPECT_EQ(triggerWin, 5 * 25);
    EXPECT_EQ(g.m.s.bank, 10000 - 25) << "the trigger's win waits in the series total";
    EXPECT_EQ(g.m.s.freespinwin, triggerWin);

    ASSERT_TRUE(series.runToCollect());
    EXPECT_EQ(spins, 11);
    std::vector<std::string> expected = {"     Freespins Awarded = 10"};
    for (int left = 9; left >= 0; --left)
        expected.push_back("     Freespins Remaining  " + std::to_string(left));
    expected.push_back("Freespins Completed          ");
    series.captions.push_back(g.m.w.spinsleft.caption);
    series.captions.erase(std::unique(series.captions.begin(), series.captions.end()), series.captions.end());
    EXPECT_EQ(series.captions, expected);
    EXPECT_EQ(g.m.s.games, 1) << "free spins are not games";
    EXPECT_EQ(g.m.s.wager, 25);
    EXPECT_EQ(g.m.s.freespinmode, 0);
    EXPECT_EQ(g.m.s.freespinsplayed, 11);
    EXPECT_EQ(g.m.w.LABWIN.caption, std::to_string(triggerWin));
    EXPECT_TRUE(g.p.recorder().currentLooped()) << "the music loops until the collect";

    // No spin starts while the total waits; notes (their handler: the panel is hidden) only click.
    g.m.w.play[1].press();
    g.p.advance(1);
    EXPECT_EQ(g.m.s.games, 1);
    g.p.recorder().events.clear();
    g.m.notesPress();
    EXPECT_EQ(g.p.recorder().played(), std::vector<int>{124});
    EXPECT_EQ(g.m.s.bank, 10000 - 25);

    g.p.click(g.m.w.takewin);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.bank, 10000 - 25 + triggerWin);
    EXPECT_EQ(g.m.collectedwin, triggerWin);
    EXPECT_EQ(g.m.s.freespinwin, 0);
    EXPECT_EQ(g.m.s.freespinstotal, 0);
    EXPECT_EQ(g.p.recorder().played().back(), 112);
    EXPECT_FALSE(g.p.recorder().currentLooped());
    EXPECT_TRUE(g.m.w.panfreespin.visible);
    EXPECT_FALSE(g.m.w.takewin.visible);
    EXPECT_FALSE(g.m.w.spinsleft.visible);
    EXPECT_TRUE(g.m.w.pplay[1].enabled);
    EXPECT_TRUE(g.m.w.autoplayon.enabled);
    EXPECT_TRUE(g.m.keyboardPlay());
    EXPECT_EQ(g.stored("bank"), std::to_string(10000 - 25 + triggerWin));
}

TEST(FreeSpins, FiveScattersInTheFourthFreeSpinOfTenGiveTwentySixMore) {
    Game g;
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 3; ++i) g.scriptFree(blankStops());
    g.scriptFree(fiveScatters());
    for (int i = 0; i < 26; ++i) g.scriptFree(blankStops());
    int spins = 0, afterRetrigger = -1;
    g.m.onSpinDone = [&] {
        ++spins;
        if (afterRetrigger >= 0) ++afterRetrigger;
        if (spins == 5) afterRetrigger = 0;
    };
    g.bet(1);
    ASSERT_TRUE(Series(g).runToCollect(20 * 60 * 1000));
    EXPECT_EQ(afterRetrigger, 26);
    EXPECT_EQ(g.m.s.howmanyspins, 2);
    EXPECT_EQ(g.m.s.freespinstotal, 31);
    // The retrigger is no new series: its fanfare and music do not start again.
    int fanfares = 0;
    for (int n : g.p.recorder().played()) fanfares += n == 105;
    EXPECT_EQ(fanfares, 1);
    // Every win of the series is in its total: the trigger's and the retrigger's Scatter pays.
    EXPECT_EQ(g.m.s.freespinwin, 5 * 25 + 20 * 25);
    EXPECT_EQ(g.m.s.total, 5 * 25 + 20 * 25);
}

TEST(FreeSpins, AWildInAWinningRunMultipliesTheFreeSpinsWin) {
    auto wildRun = findStops([](const core::MachineState& s) {
        return core::wildInWinningRun(s) && s.scattercount == 0 && s.spinwin > 0;
    });
    ASSERT_TRUE(wildRun);
    core::MachineState raw;
    core::placeStops(raw, *wildRun);
    core::payOutcome(raw);

    Game g;
    presentation::WinPresentation show{g.m};
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 9; ++i) g.scriptFree(blankStops());
    g.scriptFree(*wildRun, 10);  // r = 10: x3
    g.bet(1);
    ASSERT_TRUE(Series(g).runToCollect());
    EXPECT_EQ(g.m.s.winmultiplier, 3);
    EXPECT_EQ(g.m.s.spinwin, 3 * raw.spinwin);
    EXPECT_EQ(g.m.s.freespinwin, 5 * 25 + 3 * raw.spinwin);
    EXPECT_TRUE(show.animations.timerwild.enabled());
    EXPECT_EQ(g.m.s.multiplierpic, 27);
}

TEST(FreeSpins, AutoplayCollectsTheSeriesByItselfAndGoesOn) {
    Game g;
    g.p.memoryStore().values[{"zem", "notice", "autoplay"}] = "-1";
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(blankStops());
    g.script(blankStops());
    g.p.tap(g.m.w.autoplayon);
    g.p.advance(1);
    EXPECT_FALSE(g.m.tmrautospin.enabled()) << "the trigger stops the autoplay timer";
    g.p.runUntil([&] { return g.m.s.games == 2; }, 10 * 60 * 1000);
    EXPECT_EQ(g.m.s.games, 2);
    EXPECT_EQ(g.m.s.bank, 10000 - 50 + 5 * 25);
    EXPECT_EQ(g.m.autoplaymode, 10);
    EXPECT_FALSE(g.m.w.takewin.visible);
}

// Virtual time from the end of the spin that starts a series to the start of its first free spin.
int64_t firstFreeSpinDelay(bool autoplay) {
    Game g;
    g.p.memoryStore().values[{"zem", "notice", "autoplay"}] = "-1";
    g.start(10000);
    g.script(threeScatters());
    g.scriptFree(blankStops());
    if (autoplay) {
        g.p.tap(g.m.w.autoplayon);
    } else {
        g.bet(1);
    }
    g.p.advance(1);
    EXPECT_TRUE(g.p.runUntil([&] { return !g.m.spinning() && g.m.s.freespinmode == -1; }, 60 * 1000));
    const int64_t end = g.p.now();
    // The free spin's reels start turning inside its handler: the first pause of a spin marks its start.
    int64_t start = -1;
    g.p.onSleep = [&](int) {
        if (start < 0 && g.m.spinning()) start = g.p.now();
    };
    EXPECT_TRUE(g.p.runUntil([&] { return start >= 0; }, 60 * 1000));
    return start - end;
}

TEST(FreeSpins, UnderAutoplayTheFirstFreeSpinComesAsSoonAsWithoutIt) {
    const int64_t manual = firstFreeSpinDelay(false);
    const int64_t automatic = firstFreeSpinDelay(true);
    EXPECT_GT(manual, 0);
    // The free spins run on their own timer; an autoplay tick during the trigger must not delay them.
    EXPECT_LE(automatic, manual + 200);
}

TEST(FreeSpins, UnderAutoplayTheCollectedTotalStaysOnTheWinMeterUntilTheNextSpin) {
    Game g;
    g.p.memoryStore().values[{"zem", "notice", "autoplay"}] = "-1";
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 9; ++i) g.scriptFree(lineWin());
    g.scriptFree(blankStops());  // the last free spin wins nothing
    g.script(blankStops());
    g.p.tap(g.m.w.autoplayon);
    g.p.advance(1);
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.collectedwin > 0; }, 10 * 60 * 1000));
    const int32_t total = g.m.collectedwin;
    EXPECT_GT(total, 0);
    // The roll-up that the collect starts must not replace the series total with the last spin's 0.
    g.p.advance(300);
    EXPECT_EQ(g.m.s.games, 1) << "the next paid spin has not started yet";
    EXPECT_EQ(g.m.w.LABWIN.caption, std::to_string(total));
    EXPECT_EQ(g.m.w.lblwin.caption, core::dollarText(total));
    g.p.runUntil([&] { return g.m.s.games == 2; }, 60 * 1000);
    EXPECT_EQ(g.m.s.games, 2);
}

TEST(Payout, AVoidedOutcomeBooksNothingAndIsNeverShown) {
    // Two winning outcomes voided one inside the other, then a third that stands.
    const Stops first = lineWin();
    const Stops second{21, 20, 16, 17, 7};
    const Stops standing = *findStops([](const core::MachineState& s) {
        return s.spinwin > 0 && s.spinwin < 50 && noWild(s) && s.scattercount == 0;
    });

    Game g;
    g.start(10000, 5);
    g.script(first, 2);
    g.script(second, 4);
    g.script(standing, 3);
    std::vector<int32_t> frames;
    g.p.onSleep = [&](int) { frames.push_back(g.m.w.reel[1].top); };
    g.bet(1);

    Game only;
    only.start(10000, 1);
    only.script(standing);
    only.bet(1);

    EXPECT_EQ(g.m.s.bank, only.m.s.bank);
    EXPECT_EQ(g.m.s.games, only.m.s.games);
    EXPECT_EQ(g.m.s.wager, only.m.s.wager);
    EXPECT_EQ(g.m.s.total, only.m.s.total);
    EXPECT_EQ(g.m.s.spinwin, only.m.s.spinwin);
    EXPECT_EQ(g.m.s.games, 1);
    EXPECT_EQ(g.p.sleptMs, 338) << "one animation, the standing outcome's";
    EXPECT_EQ(frames.back(), -1875 * standing[0]);
    int winSounds = 0;
    for (int n : g.p.recorder().played()) winSounds += n == 115;
    EXPECT_EQ(winSounds, 0) << "the voided 1525 never sounded";
    for (int line = 1; line <= 25; ++line) EXPECT_EQ(g.m.s.linecount[line], only.m.s.linecount[line]);
}

TEST(Payout, LosingSpinsAndSettingOneAlwaysStand) {
    Game g;
    g.start(10000, 5);
    g.script(blankStops(), 2);
    g.bet(1);
    EXPECT_EQ(g.p.scripted().drawn(), 6u);
    EXPECT_EQ(g.m.s.bank, 10000 - 25);

    Game h;
    h.start(10000, 1);
    for (int i = 0; i < 20; ++i) {
        h.script(Stops{21, 20, 16, 17, 7}, 1);
        h.bet(1);
        h.p.advance(10000);
    }
    EXPECT_EQ(h.m.s.games, 20);
    EXPECT_EQ(h.m.s.total, 20 * 1525);
}

TEST(Payout, AVoidedFreeSpinWithThreeScattersLosesItsRetrigger) {
    Game g;
    g.start(10000, 2);
    g.script(threeScatters(), 1);
    g.scriptFree(blankStops(), 25, 1);
    g.bet(1);
    g.p.runUntil([&] { return g.m.s.freespinsplayed == 2; }, 60000);
    const int32_t before = g.m.s.freespinwin;
    const int16_t total = g.m.s.freespinstotal;
    const int16_t triggers = g.m.s.howmanyspins;
    g.scriptFree(threeScatters(), 25, 2);  // voided
    g.scriptFree(blankStops(), 25, 1);
    g.p.runUntil([&] { return g.m.s.freespinsplayed == 3; }, 60000);
    EXPECT_EQ(g.m.s.freespinwin, before);
    EXPECT_EQ(g.m.s.freespinstotal, total);
    EXPECT_EQ(g.m.s.howmanyspins, triggers);
    EXPECT_EQ(g.m.s.total, 5 * 25);
}

}  // namespace
}  // namespace zem::testing
