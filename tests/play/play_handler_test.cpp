// SPDX-License-Identifier: GPL-3.0-or-later
// The play handler, autoplay, the evaluation of a paid spin and the roll-up, played as a player does.
#include "play/win_bands.h"
#include "presentation/win_presentation.h"
#include "support/game_fixture.h"

namespace zem::testing {
namespace {

Stops winning(int32_t amount, int16_t lines = 25, int16_t coins = 1) {
    auto stops = findStops(
        [&](const core::MachineState& s) { return s.spinwin == amount && noWild(s) && s.scattercount < 3; },
        lines, coins);
    EXPECT_TRUE(stops) << "no outcome pays " << amount;
    return stops.value_or(Stops{1, 1, 1, 1, 1});
}

TEST(PlayHandler, ABetLargerThanTheCreditIsRefused) {
    Game g;
    g.start(499);
    g.bet(6);
    EXPECT_EQ(g.p.recorder().played(), (std::vector<int>{124, 125}));
    EXPECT_TRUE(g.m.w.pannomoney.visible);
    EXPECT_EQ(g.m.s.bank, 499);
    EXPECT_EQ(g.m.s.games, 0);
    EXPECT_EQ(g.p.scripted().drawn(), 0u);
    EXPECT_TRUE(g.m.w.coinsin.enabled);
    EXPECT_TRUE(g.m.w.pplay[1].enabled);

    Game h;
    h.start(500);
    h.script(blankStops());
    h.bet(6);
    EXPECT_FALSE(h.m.w.pannomoney.visible);
    EXPECT_EQ(h.m.s.games, 1);
    EXPECT_EQ(h.m.s.bank, 0);
    EXPECT_EQ(h.m.s.wager, 500);
    EXPECT_EQ(h.m.w.lbllast.caption, "500");
}

TEST(PlayHandler, APaidSpinBooksTheBetAndCreditsTheWin) {
    Game g;
    presentation::WinPresentation show{g.m};
    g.start(1000);
    const Stops stops{21, 20, 16, 17, 7};  // Chiefs across the middle, two Scatters: 1525
    g.script(stops);
    g.bet(1);
    EXPECT_EQ(g.m.s.spinwin, 1525);
    EXPECT_EQ(g.m.s.bank, 1000 - 25 + 1525);
    EXPECT_EQ(g.m.s.total, 1525);
    EXPECT_EQ(g.m.s.wager, 25);
    EXPECT_EQ(g.m.s.games, 1);
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(g.m.w.reel[r].top, -1875 * stops[r - 1]) << "reel " << r;
    EXPECT_TRUE(g.m.w.doublebutton.enabled);
    EXPECT_TRUE(show.animations.Timerscatters.enabled()) << "the win show starts";
    EXPECT_TRUE(show.flash.tmrlineflash.enabled());
    EXPECT_EQ(g.m.s.autodelay, 90);
    EXPECT_EQ(g.p.recorder().played().back(), 115);
    EXPECT_EQ(g.stored("bank"), std::to_string(1000 - 25 + 1525)) << "saved once the spin has settled";
    EXPECT_TRUE(g.m.w.pplay[1].enabled);
    EXPECT_TRUE(g.m.w.coinsin.enabled);
}

TEST(PlayHandler, ALosingSpinSaysNoWinAndSpeedsUpAutoplay) {
    Game g;
    g.start(1000);
    g.script(blankStops());
    g.bet(1);
    EXPECT_EQ(g.m.w.LABWIN.caption, "No Win");
    EXPECT_EQ(g.m.w.lblwin.caption, "");
    EXPECT_EQ(g.m.s.autodelay, 5);
    EXPECT_EQ(g.m.s.tickcount, 50);
    EXPECT_FALSE(g.m.w.doublebutton.enabled);
    EXPECT_EQ(g.m.w.PANELBANK.caption, "975");
}

TEST(PlayHandler, ReelAnimationPausesAddUpPerSpeedAndEveryReelEndsOnItsStop) {
    const std::pair<int16_t, int64_t> speeds[] = {{1, 338},
                                                  {2, 4 * (30 + 4 * 30 + 31)},
                                                  {4, 7 * (36 + 4 * 36 + 31)},
                                                  {8, 12 * (42 + 4 * 49 + 31)},
                                                  {10, 3435},
                                                  {0, 338},
                                                  {-5, 338},
                                                  {3, 4 * (30 + 4 * 30 + 31)},
                                                  {5, 7 * (36 + 4 * 36 + 31)},
                                                  {7, 12 * (42 + 4 * 49 + 31)},
                                                  {9, 12 * (42 + 4 * 49 + 31)},
                                                  {300, 3435}};
    for (auto [speed, expected] : speeds) {
        Game g;
        g.start(1000);
        g.m.s.reelspeed = speed;
        g.script(blankStops());
        g.p.sleptMs = 0;
        g.bet(1);
        EXPECT_EQ(g.p.sleptMs, expected) << "reel speed " << speed;
        for (int r = 1; r <= 5; ++r) EXPECT_EQ(g.m.w.reel[r].top, -1875 * blankStops()[r - 1]);
    }
}

TEST(PlayHandler, AHeldReelStandsStillAndItsWinStands) {
    Game g;
    g.start(1000, 5);
    // A Wild lands on reel 2: the next spin holds reel 2.
    auto wild = findStops([](const core::MachineState& s) {
        return s.wildcell[2] != 0 && s.wildcell[3] == 0 && s.wildcell[4] == 0 && s.scattercount == 0;
    });
    ASSERT_TRUE(wild);
    g.script(*wild, 1);
    g.bet(1);
    ASSERT_EQ(g.m.s.wildhold2, 1);
    // The HELD ribbon lies on the Wild's own cell of reel 2, and on no other reel.
    const platform::Control& held = g.m.w.picheld[2];
    ASSERT_TRUE(held.visible);
    EXPECT_FALSE(g.m.w.picheld[3].visible || g.m.w.picheld[4].visible);
    const int row = (held.top + held.height) / core::kCellTwips;
    EXPECT_EQ(core::symbolAt(2, g.m.s.reelstop[2], row), core::Wild);
    const int32_t heldTop = g.m.w.reel[2].top;
    bool moved = false;
    bool markedWhileSpinning = false;
    std::vector<int> reelSounds;
    g.p.onSleep = [&](int) {
        moved = moved || g.m.w.reel[2].top != heldTop;
        markedWhileSpinning = markedWhileSpinning || held.visible;
    };
    // Payout draw 2 would void a win, but a held reel's win always stands.
    Stops next = *wild;
    next[0] = 3;
    g.script(next, 2);
    const int32_t bankBefore = g.m.s.bank;
    g.bet(1);
    EXPECT_FALSE(moved);
    EXPECT_FALSE(markedWhileSpinning) << "the ribbon goes as the spin it holds for starts";
    EXPECT_FALSE(held.visible) << "the hold is spent";
    EXPECT_EQ(g.m.s.reelstop[2], (*wild)[1]);
    EXPECT_EQ(g.m.s.reelheld2, 0) << "the held flag is cleared after the animation";
    EXPECT_EQ(g.m.s.wildhold2, 0) << "the animation clears the hold its Wild requested again";
    EXPECT_EQ(g.m.s.bank, bankBefore - 25 + g.m.s.spinwin);
    int rests = 0;
    for (int n : g.p.recorder().played()) rests += n == 116;
    EXPECT_EQ(rests, 4 + 5) << "the held reel makes no resting sound";
    // The spin after draws reel 2 again: a Wild holds its reel for exactly one further spin.
    g.script(blankStops());
    const size_t drawnBefore = g.p.scripted().drawn();
    g.bet(1);
    EXPECT_EQ(g.p.scripted().drawn() - drawnBefore, 6u) << "five stops and the payout draw";
    EXPECT_EQ(g.m.s.reelstop[2], blankStops()[1]);
}

TEST(PlayHandler, WinBandsChooseTheAutoplayPauseAndTheSound) {
    struct Band {
        int16_t autodelay;
        int sound;  // the recording's number
    };
    const std::pair<int32_t, Band> cases[] = {
        {0, {5, 0}},      {1, {20, 101}},   {5, {20, 101}},    {6, {20, 102}},   {21, {20, 103}},
        {22, {25, 104}},  {40, {25, 103}},  {41, {30, 106}},   {51, {35, 106}},  {101, {35, 107}},
        {150, {40, 108}}, {200, {45, 109}}, {300, {45, 111}},  {450, {50, 112}}, {600, {50, 113}},
        {750, {50, 114}}, {751, {90, 115}}, {1000, {90, 115}}, {1001, {90, 115}}};
    for (auto [win, band] : cases) {
        EXPECT_EQ(play::winBand(win).autodelay, band.autodelay) << win;
        EXPECT_EQ(static_cast<int>(play::winBand(win).sound), band.sound) << win;
    }
}

TEST(Autoplay, TheNoticeIsShownOncePerStore) {
    Game g;
    g.start(100000);
    for (int i = 0; i < 3; ++i) g.script(blankStops());
    g.p.tap(g.m.w.autoplayon);
    g.p.advance(1);
    ASSERT_EQ(g.p.messages.size(), 1u);
    EXPECT_EQ(g.p.messages[0].title, "Slots_orvelle");
    EXPECT_EQ(
        g.p.messages[0].text,
        " ..............PLEASE READ.................\r When you use this function all other Functions are\r"
        "   unavailable to you until you turn the Autoplay OFF \r To turn Autoplay OFF Click on the "
        "Autoplayoff button.\r  \r  This message will not appear again");
    EXPECT_EQ(g.p.memoryStore().read("zem", "notice", "autoplay"), "-1");
    EXPECT_EQ(g.m.autoplaymode, 10);
    EXPECT_EQ(g.m.s.games, 1) << "the first automatic spin runs at once";
    EXPECT_FALSE(g.m.w.pplay[1].enabled) << "bet controls stay locked during autoplay";
    EXPECT_FALSE(g.m.w.coinsin.enabled);
    g.p.tap(g.m.w.autoplayoff);
    g.p.advance(1);
    EXPECT_TRUE(g.m.w.pplay[1].enabled);
    g.p.tap(g.m.w.autoplayon);
    g.p.advance(1);
    EXPECT_EQ(g.p.messages.size(), 1u) << "never shown again";

    // Another player on the same store does not see it either.
    Game h;
    h.p.memoryStore().values[{"zem", "notice", "autoplay"}] = "-1";
    h.start(100000);
    h.script(blankStops());
    h.p.tap(h.m.w.autoplayon);
    h.p.advance(1);
    EXPECT_TRUE(h.p.messages.empty());
}

TEST(Autoplay, ARefusedBetEndsAutoplay) {
    Game g;
    g.start(50);
    g.script(blankStops());
    g.script(blankStops());
    g.p.tap(g.m.w.autoplayon);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.bank, 25);
    g.p.advance(2000);
    EXPECT_EQ(g.m.s.bank, 0);
    g.p.advance(2000);
    EXPECT_EQ(g.m.autoplaymode, 0);
    EXPECT_TRUE(g.m.w.pannomoney.visible);
    EXPECT_TRUE(g.m.w.autoplayon.enabled) << "autoplay can be started again once there is credit";
    EXPECT_EQ(g.m.s.games, 2);
    g.m.s.bank = 1000;  // even with credit again, the next autoplay tick does nothing
    g.p.advance(5000);
    EXPECT_EQ(g.m.s.games, 2);
}

TEST(Autoplay, ABigWinSpacesTheNextAutomaticSpinNineToNinePointFourSeconds) {
    Game g;
    g.start(100000);
    g.script(Stops{21, 20, 16, 17, 7});  // 1525: autodelay 90
    g.script(blankStops());
    int64_t tickStart = -1, secondSpin = -1;
    g.m.onSpinDone = [&] {
        if (tickStart < 0) tickStart = g.p.now();
    };
    // The first frame of the second spin's animation marks its start: its draw took no time.
    g.p.onSleep = [&](int) {
        if (g.m.s.games == 2 && secondSpin < 0) secondSpin = g.p.now();
    };
    g.p.tap(g.m.w.autoplayon);
    g.p.advance(1);
    ASSERT_EQ(g.m.s.autodelay, 90);
    g.p.runUntil([&] { return secondSpin >= 0; }, 30000);
    ASSERT_GT(secondSpin, 0);
    // tmrtick starts at the end of the animation, which is where the first spin's handler returned.
    const int64_t gap = secondSpin - tickStart;
    EXPECT_GE(gap, 9000);
    EXPECT_LE(gap, 9400);
}

TEST(RollUp, AWinOf250CountsUpStepByStep) {
    Game g;
    g.start(100000, 1, 0, 1);
    g.m.rollstep = 10;
    std::vector<std::string> shown;
    const Stops stops = winning(250);
    g.script(stops);
    g.bet(1);
    ASSERT_EQ(g.m.s.spinwin, 250);
    while (g.m.Timerwincounter.enabled()) {
        const std::string before = g.m.w.LABWIN.caption;
        g.p.advance(50);
        if (g.m.w.LABWIN.caption != before) shown.push_back(g.m.w.LABWIN.caption);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"10", "20", "30", "40", "50", "60", "70", "80", "90", "100",
                                               "110", "130", "160", "200", "240", "250"}));
    EXPECT_EQ(g.m.w.lblwin.caption, "$ 2.5");
}

TEST(RollUp, ACountFromAStepOfZeroStillStartsAndTheJumpShowsTheWinAtOnce) {
    Game g;
    g.start(100000, 1, 0, 1);
    ASSERT_EQ(g.m.rollstep, 0);
    g.script(winning(100));
    g.bet(1);
    g.p.advance(50 * 10 + 20);
    EXPECT_EQ(g.m.w.LABWIN.caption, "100");
    EXPECT_FALSE(g.m.Timerwincounter.enabled());

    Game h;
    h.start(100000, 1, 0, 0);
    h.script(winning(7));
    h.bet(1);
    h.p.advance(55);
    EXPECT_EQ(h.m.w.LABWIN.caption, "7");
    EXPECT_EQ(h.m.w.lblwin.caption, "$ 0.07");
    EXPECT_FALSE(h.m.Timerwincounter.enabled());
}

TEST(Reentry, NoPressDuringASpinStartsASecondSpinInsideIt) {
    Game g;
    g.start(100000);
    g.script(blankStops());
    int spinsSeen = 0, deepest = 0;
    g.m.onSpinDone = [&] { ++spinsSeen; };
    // While the first spin lets events run, the player turns autoplay off and hammers every way to spin.
    bool fired = false;
    g.p.onSleep = [&](int) {
        deepest = std::max(deepest, static_cast<int>(g.m.spinning()));
        if (fired) return;
        fired = true;
        g.p.tap(g.m.w.autoplayoff);
        for (int i = 1; i <= 6; ++i) g.p.tap(g.m.w.pplay[i]);
        g.p.typeKey(g.m.w.orvelle, ' ');
        g.m.w.play[3].press();  // a program press lands in the running spin too
    };
    g.bet(1);
    g.p.advance(100);
    EXPECT_EQ(spinsSeen, 1);
    EXPECT_EQ(g.m.s.games, 1);
    EXPECT_EQ(g.m.s.coinsperline, 1);
}

TEST(Reentry, CoinsPerLinePicturesDoNothingWhileTheGamblePanelIsOpen) {
    Game g;
    g.start(100000);
    g.m.w.pandouble.visible = true;
    g.bet(2);
    EXPECT_EQ(g.m.s.games, 0);
    EXPECT_EQ(g.p.scripted().drawn(), 0u);
}

TEST(Ticks, TheIdleCountStopsAtTheTopOfItsRange) {
    Game g;
    g.start(100000);
    g.script(winning(5));
    g.bet(1);
    g.p.advance(3600LL * 1000);
    EXPECT_EQ(g.m.s.tickcount, INT16_MAX);
    EXPECT_FALSE(g.m.closed());
}

}  // namespace
}  // namespace zem::testing
