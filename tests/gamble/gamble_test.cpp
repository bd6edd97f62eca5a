// SPDX-License-Identifier: GPL-3.0-or-later
// The card gamble played as a player does: opening on a win, colour and suit bets with scripted cards, the
// history row, the right and the wrong guess, taking the win, presses that must not count, and what the
// store holds when the window closes or the program dies during a gamble.
#include "support/gamble_game.h"
#include "presentation/win_presentation.h"
#include "platform/key_routing.h"
#include "play/game_history.h"

namespace zem::testing {
namespace {

using gamble::Bet;
using Phase = gamble::Gamble::Phase;

constexpr int kHearts = 1, kClubs = 2, kDiamonds = 3, kSpades = 4;

TEST(Gamble, TheWorkedExampleFromAWinOfFortyToThreeHundredTwentyTaken) {
    GambleGame g;
    presentation::WinPresentation show{g.m};
    g.start(1000);
    g.spin(paysForty());
    ASSERT_EQ(g.m.s.spinwin, 40);
    const int32_t credit = 1000 - 25 + 40;
    const int32_t totalBefore = g.m.s.total;
    ASSERT_EQ(g.m.s.bank, credit);
    ASSERT_TRUE(g.m.w.doublebutton.enabled);
    g.p.recorder().events.clear();

    g.openGamble();
    EXPECT_EQ(g.gamble.phase(), Phase::Open);
    EXPECT_TRUE(g.m.w.pandouble.visible);
    EXPECT_EQ(g.panel.risklab.caption, "At Risk  40");
    EXPECT_EQ(g.panel.lblblackred.caption, "Black/Red Win = 80");
    EXPECT_EQ(g.panel.lblsuit.caption, "Suit Win = 160");
    EXPECT_EQ(g.m.s.bank, credit - 40);
    EXPECT_EQ(g.m.w.PANELBANK.caption, std::to_string(credit - 40));
    EXPECT_EQ(g.m.w.Lblcredit.caption, "$ 9.75");
    EXPECT_EQ(g.m.w.LABWIN.caption, "40");
    EXPECT_EQ(g.m.w.lblwin.caption, "$ 0.4");
    EXPECT_EQ(g.p.recorder().played(), std::vector<int>{124});
    EXPECT_EQ(g.panel.piccardholder.picture, (platform::PictureRef{"imagelistcards", 10}));
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(g.panel.suitbet[k].picture, (platform::PictureRef{"imagelistcards", k + 5}));
    // While it is open: no spin, no lines, no coins, no gamble button, no keys; the bet buttons are live.
    EXPECT_FALSE(g.m.w.doublebutton.enabled);
    EXPECT_FALSE(g.m.w.coinsin.enabled);
    EXPECT_FALSE(g.m.keyboardPlay());
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(g.m.w.payline[i].enabled);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_FALSE(g.m.w.play[i].enabled);
        EXPECT_TRUE(g.m.w.pplay[i].enabled);
    }
    EXPECT_TRUE(g.m.w.notes.enabled) << "notes stay as they are";
    for (platform::Control* c : {&g.panel.betred, &g.panel.betblack, &g.panel.cancelbet})
        EXPECT_TRUE(c->acceptsInput()) << c->name;
    EXPECT_FALSE(g.m.Timerwincounter.enabled());
    EXPECT_FALSE(show.flash.tmrlineflash.enabled()) << "the win show stops";
    EXPECT_FALSE(show.animations.Timerscatters.enabled());

    g.p.recorder().events.clear();
    g.betOn(g.panel.betred, kHearts);
    EXPECT_EQ(g.p.recorder().played(), (std::vector<int>{124, 124, 108}));
    EXPECT_EQ(g.panel.risklab.caption, "At Risk  80");
    EXPECT_EQ(g.panel.lblblackred.caption, "Black/Red Win = 160");
    EXPECT_EQ(g.panel.lblsuit.caption, "Suit Win = 320");
    EXPECT_TRUE(g.panel.gamblewin.visible);
    EXPECT_EQ(g.panel.gamblewin.left, 700);
    EXPECT_EQ(g.panel.gamblewin.top, 4800);
    EXPECT_EQ(g.panel.piccardholder.picture, (platform::PictureRef{"imagelistcards", kHearts}));
    EXPECT_TRUE(g.panel.piccardholder.overlay.empty());

    g.p.recorder().events.clear();
    g.betOn(g.panel.betblack, kSpades);
    EXPECT_EQ(g.p.recorder().played(), (std::vector<int>{124, 124, 103}));
    g.betOn(g.panel.betred, kDiamonds);
    EXPECT_EQ(g.panel.risklab.caption, "At Risk  320");
    EXPECT_EQ(g.gamble.atrisk, 320);
    // Right guesses change neither the win meter nor the credit.
    EXPECT_EQ(g.m.w.LABWIN.caption, "40");
    EXPECT_EQ(g.m.s.bank, credit - 40);
    EXPECT_EQ(g.m.w.PANELBANK.caption, std::to_string(credit - 40));

    g.p.recorder().events.clear();
    g.takeWin();
    EXPECT_EQ(g.gamble.phase(), Phase::Closed);
    EXPECT_FALSE(g.m.w.pandouble.visible);
    EXPECT_EQ(g.m.s.bank, credit - 40 + 320);
    EXPECT_EQ(g.m.s.total, totalBefore + 280);
    EXPECT_EQ(g.m.w.PANELBANK.caption, std::to_string(credit + 280));
    EXPECT_EQ(g.m.w.LABWIN.caption, "320");
    EXPECT_EQ(g.m.w.lblwin.caption, "$ 3.2");
    EXPECT_EQ(g.p.recorder().played(), std::vector<int>{107});
    EXPECT_FALSE(g.m.w.doublebutton.enabled);
    EXPECT_TRUE(g.m.w.coinsin.enabled);
    EXPECT_TRUE(g.m.keyboardPlay());
    EXPECT_EQ(g.p.focused, &g.m.w.orvelle);
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(g.m.w.payline[i].enabled);
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(g.m.w.play[i].enabled && g.m.w.pplay[i].enabled);
    EXPECT_EQ(g.storedNumber("bank"), credit + 280);
    EXPECT_EQ(g.storedNumber("total"), totalBefore + 280);

    // The next spin plays as usual.
    g.spin(blankStops());
    EXPECT_EQ(g.m.s.bank, credit + 280 - 25);
}

TEST(Gamble, AWrongGuessAfterRightOnesLosesTheAmountAndClosesThreeSecondsLater) {
    GambleGame g;
    g.start(1000);
    g.spin(paysForty());
    const int32_t totalBefore = g.m.s.total;
    g.openGamble();
    g.betOn(g.panel.suitbet[2], kClubs);
    EXPECT_EQ(g.gamble.atrisk, 160);
    g.betOn(g.panel.betblack, kClubs);
    EXPECT_EQ(g.gamble.atrisk, 320);

    // Watch the pauses of the losing bet: fifteen frames of 50 ms, then the 3-second pause with the panel
    // still up, its banner down, the amounts gone and the bet buttons off.
    std::vector<int> pauses;
    bool panelDuringPause = false, buttonsOffDuringPause = false;
    g.p.onSleep = [&](int ms) {
        pauses.push_back(ms);
        if (ms == 3000) {
            panelDuringPause = g.m.w.pandouble.visible && g.panel.gamblelose.visible &&
                               g.panel.gamblelose.top == 4800 && g.panel.risklab.caption == "No Win  " &&
                               !g.panel.lblblackred.visible && !g.panel.lblsuit.visible;
            buttonsOffDuringPause =
                !g.panel.betred.enabled && !g.panel.betblack.enabled && !g.panel.cancelbet.enabled;
        }
    };
    g.p.recorder().events.clear();
    const int64_t before = g.p.now();
    g.betOn(g.panel.betred, kSpades);
    g.p.onSleep = {};
    EXPECT_EQ(pauses, (std::vector<int>{50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 3000}));
    EXPECT_TRUE(panelDuringPause);
    EXPECT_TRUE(buttonsOffDuringPause);
    EXPECT_GE(g.p.now() - before, 15 * 50 + 3000);
    EXPECT_EQ(g.p.recorder().played(), (std::vector<int>{124, 124, 125}));

    EXPECT_EQ(g.gamble.phase(), Phase::Closed);
    EXPECT_FALSE(g.m.w.pandouble.visible);
    EXPECT_EQ(g.m.s.bank, 1000 - 25 + 40 - 40) << "the credit as it was while the gamble was open";
    EXPECT_EQ(g.m.s.total, totalBefore) << "the win gambled away stays in the won statistic";
    EXPECT_EQ(g.m.w.PANELBANK.caption, "975");
    EXPECT_EQ(g.m.w.LABWIN.caption, "No Win");
    EXPECT_EQ(g.m.w.lblwin.caption, " ");
    EXPECT_FALSE(g.m.w.doublebutton.enabled);
    EXPECT_TRUE(g.m.w.coinsin.enabled);
    EXPECT_TRUE(g.m.keyboardPlay());
    EXPECT_EQ(g.p.focused, &g.m.w.orvelle);
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(g.m.w.payline[i].enabled);
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(g.m.w.play[i].enabled && g.m.w.pplay[i].enabled);
    EXPECT_EQ(g.storedNumber("bank"), 975);
    EXPECT_EQ(g.storedNumber("total"), totalBefore);

    // The gamble cannot be opened again on the lost win; the space key spins again.
    g.openGamble();
    EXPECT_FALSE(g.m.w.pandouble.visible);
    g.script(blankStops());
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.p.advance(1);
    EXPECT_EQ(g.m.s.bank, 950);
}

TEST(Gamble, EachBetWinsOnlyOnItsCards) {
    for (int card = 1; card <= 4; ++card) {
        EXPECT_EQ(gamble::wins(Bet::Red, card), card == kHearts || card == kDiamonds);
        EXPECT_EQ(gamble::wins(Bet::Black, card), card == kClubs || card == kSpades);
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(gamble::wins(gamble::suitBet(k), card), k == card);
    }
    // Through the window: every button against every card.
    struct Button {
        platform::Control& (*of)(ui::GamblePanel&);
        int factor;
        int sound;
    };
    const Button buttons[] = {
        {[](ui::GamblePanel& p) -> platform::Control& { return p.betred; }, 2, 108},
        {[](ui::GamblePanel& p) -> platform::Control& { return p.betblack; }, 2, 103},
        {[](ui::GamblePanel& p) -> platform::Control& { return p.suitbet[1]; }, 4, 112},
        {[](ui::GamblePanel& p) -> platform::Control& { return p.suitbet[2]; }, 4, 111},
        {[](ui::GamblePanel& p) -> platform::Control& { return p.suitbet[3]; }, 4, 111},
        {[](ui::GamblePanel& p) -> platform::Control& { return p.suitbet[4]; }, 4, 107},
    };
    const Bet bets[] = {Bet::Red, Bet::Black, Bet::Hearts, Bet::Clubs, Bet::Diamonds, Bet::Spades};
    for (int b = 0; b < 6; ++b) {
        for (int card = 1; card <= 4; ++card) {
            GambleGame g;
            g.start(1000);
            g.spin(paysForty());
            g.openGamble();
            g.p.recorder().events.clear();
            g.betOn(buttons[b].of(g.panel), card);
            const bool right = gamble::wins(bets[b], card);
            EXPECT_EQ(g.gamble.drawncard, card);
            EXPECT_EQ(g.m.w.pandouble.visible, right) << "button " << b << " card " << card;
            if (right) {
                EXPECT_EQ(g.gamble.atrisk, 40 * buttons[b].factor);
                EXPECT_EQ(g.p.recorder().played().back(), buttons[b].sound);
            } else {
                EXPECT_EQ(g.p.recorder().played().back(), 125);
                EXPECT_EQ(g.m.s.bank, 975);
            }
        }
    }
}

TEST(Gamble, TheHistoryRowFillsThenTurnsRoundAcrossGambles) {
    GambleGame g;
    g.start(1000);
    auto slot = [&](int k) -> platform::Control& { return g.panel.historypic[k]; };
    auto iconOf = [](int card) { return platform::PictureRef{"imagelistcards", card + 5}; };
    for (int k = 1; k <= 5; ++k) EXPECT_FALSE(slot(k).visible);

    // The first gamble: five right colour guesses, then take the win.
    const int firstCards[5] = {kHearts, kDiamonds, kHearts, kClubs, kSpades};
    g.spin(paysForty());
    g.openGamble();
    for (int n = 1; n <= 5; ++n) {
        g.betOn(firstCards[n - 1] == kHearts || firstCards[n - 1] == kDiamonds ? g.panel.betred
                                                                               : g.panel.betblack,
                firstCards[n - 1]);
        EXPECT_EQ(g.gamble.gamblecount, n);
        for (int k = 1; k <= 5; ++k) {
            EXPECT_EQ(slot(k).visible, k <= n) << "after bet " << n << " slot " << k;
            EXPECT_EQ(slot(k).left, 360 + 600 * (k - 1));
            EXPECT_EQ(slot(k).top, 3960);
        }
        EXPECT_EQ(slot(n).picture, iconOf(firstCards[n - 1]));
        if (n == 1) {
            EXPECT_EQ(slot(1).left, 360);
        }
        if (n == 5) {
            EXPECT_EQ(slot(5).left, 2760);
        }
    }
    g.takeWin();
    EXPECT_TRUE(slot(5).visible) << "the row outlives the gamble";

    // The second gamble: the sixth card moves slots 2..5 one place left and shows itself in slot 1 at the
    // right; the history shows the card before it is revealed.
    g.spin(paysForty());
    g.openGamble();
    for (int k = 1; k <= 5; ++k) EXPECT_TRUE(slot(k).visible) << "a new gamble does not clear the row";
    bool shownBeforeReveal = false;
    g.p.onSleep = [&](int) {
        if (g.panel.piccardholder.overlay == platform::PictureRef{"imagelistcards", 10})
            shownBeforeReveal = slot(1).picture == iconOf(kClubs);
    };
    g.betOn(g.panel.betblack, kClubs);
    g.p.onSleep = {};
    EXPECT_TRUE(shownBeforeReveal);
    EXPECT_EQ(g.gamble.gamblecount, 6);
    EXPECT_EQ(slot(1).left, 2760);
    EXPECT_EQ(slot(1).picture, iconOf(kClubs));
    for (int k = 2; k <= 5; ++k) {
        EXPECT_EQ(slot(k).left, 360 + 600 * (k - 2)) << "slot " << k;
        EXPECT_EQ(slot(k).picture, iconOf(firstCards[k - 1]));
    }

    // Bets 7 to 10: the newest always at the right; the tenth puts every slot back in its own place.
    const int moreCards[4] = {kDiamonds, kSpades, kHearts, kClubs};
    for (int n = 7; n <= 10; ++n) {
        const int card = moreCards[n - 7];
        g.betOn(card == kHearts || card == kDiamonds ? g.panel.betred : g.panel.betblack, card);
        const int newest = n - 5;
        EXPECT_EQ(slot(newest).left, 2760) << "bet " << n;
        EXPECT_EQ(slot(newest).picture, iconOf(card));
    }
    EXPECT_EQ(g.gamble.gamblecount, 10);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(slot(k).left, 360 + 600 * (k - 1)) << "slot " << k;
    // Left to right, the last five cards in the order they came.
    const int lastFive[5] = {kClubs, kDiamonds, kSpades, kHearts, kClubs};
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(slot(k).picture, iconOf(lastFive[k - 1]));

    // The eleventh counts as the sixth again.
    g.betOn(g.panel.betred, kHearts);
    EXPECT_EQ(g.gamble.gamblecount, 6);
    EXPECT_EQ(slot(1).left, 2760);
    EXPECT_EQ(slot(1).picture, iconOf(kHearts));
    EXPECT_EQ(slot(2).left, 360);
}

TEST(Gamble, ACollectedFreeSpinTotalIsAtRiskInsteadOfTheLastSpinsWin) {
    GambleGame g;
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(blankStops());
    g.bet(1);
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, 20 * 60 * 1000));
    const int32_t series = g.m.s.freespinwin;
    ASSERT_GT(series, 0);
    EXPECT_FALSE(g.m.w.doublebutton.enabled) << "no gamble while the total waits";
    g.p.click(g.m.w.takewin);
    g.p.advance(1);
    ASSERT_EQ(g.m.collectedwin, series);
    ASSERT_TRUE(g.m.w.doublebutton.enabled);
    const int32_t lastSpinWin = g.m.s.spinwin;
    ASSERT_NE(lastSpinWin, series);
    const int32_t credit = g.m.s.bank, total = g.m.s.total;

    g.openGamble();
    EXPECT_EQ(g.gamble.atrisk, series);
    EXPECT_EQ(g.m.collectedwin, 0);
    EXPECT_EQ(g.panel.risklab.caption, "At Risk  " + std::to_string(series));
    EXPECT_EQ(g.m.s.bank, credit - series);
    g.betOn(g.panel.betred, kDiamonds);
    g.takeWin();
    EXPECT_EQ(g.m.s.bank, credit + series);
    // The won statistic already holds the series total; taking twice that adds the difference.
    EXPECT_EQ(g.m.s.total, total + series);
    EXPECT_EQ(g.storedNumber("total"), total + series);
}

TEST(Gamble, PressesDuringARevealDoNotRunInsideIt) {
    GambleGame g;
    g.start(1000);
    g.spin(paysForty());
    g.openGamble();
    // During the fifth frame of the reveal the player presses every button of the panel: each is disabled,
    // and looks it, while the card shows.
    auto betsLive = [&] {
        int live = 0;
        for (platform::Control* c : {&g.panel.betblack, &g.panel.betred, &g.panel.cancelbet})
            live += c->enabled;
        for (int k = 1; k <= 4; ++k) live += g.panel.suitbet[k].enabled;
        return live;
    };
    int frame = 0;
    int liveDuringReveal = -1;
    g.p.onSleep = [&](int) {
        if (++frame != 5) return;
        liveDuringReveal = betsLive();
        for (platform::Control* c : {&g.panel.betblack, &g.panel.betred, &g.panel.cancelbet}) g.p.click(*c);
        for (int k = 1; k <= 4; ++k) g.p.click(g.panel.suitbet[k]);
        g.p.tap(g.m.w.doublebutton);
    };
    const size_t drawnBefore = g.p.scripted().drawn();
    g.p.scripted().pushChoice(kHearts, 4);
    g.p.scripted().pushChoice(kClubs, 4);  // what a nested bet would draw
    g.p.click(g.panel.betred);
    g.p.advance(1);
    g.p.onSleep = {};
    EXPECT_EQ(frame, 15) << "one reveal, not two";
    EXPECT_EQ(liveDuringReveal, 0);
    EXPECT_EQ(betsLive(), 7) << "all seven live again after a right guess";
    EXPECT_EQ(g.p.scripted().drawn(), drawnBefore + 1);
    EXPECT_EQ(g.gamble.gamblecount, 1);
    EXPECT_EQ(g.gamble.atrisk, 80) << "the right guess counted once";
    EXPECT_TRUE(g.m.w.pandouble.visible) << "no chicken out before the card was decided";
    EXPECT_EQ(g.m.s.bank, 1015 - 40);
    EXPECT_EQ(g.gamble.phase(), Phase::Open);

    // While a lost gamble waits to close every button of the panel is off; a press there does not bet.
    frame = 0;
    int liveWhileLost = -1;
    g.p.onSleep = [&](int ms) {
        if (ms != 3000) return;
        liveWhileLost = betsLive();
        g.p.click(g.panel.suitbet[2]);
    };
    g.betOn(g.panel.betred, kSpades);
    g.p.advance(10);
    g.p.onSleep = {};
    EXPECT_EQ(g.gamble.gamblecount, 2);
    EXPECT_EQ(g.p.scripted().drawn(), drawnBefore + 2);
    EXPECT_FALSE(g.m.w.pandouble.visible);
    EXPECT_EQ(g.m.s.bank, 975);
    EXPECT_EQ(liveWhileLost, 0);
}

TEST(Gamble, NothingStartsASpinWhileTheGambleIsOpen) {
    GambleGame g;
    g.start(1000);
    g.spin(paysForty());
    g.openGamble();
    const size_t drawn = g.p.scripted().drawn();
    for (int i = 1; i <= 6; ++i) g.bet(i);  // the coins-per-line pictures stay live
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.p.tap(g.m.w.autoplayon);
    g.p.advance(2000);
    EXPECT_EQ(g.m.s.games, 1);
    EXPECT_EQ(g.p.scripted().drawn(), drawn);
    EXPECT_EQ(g.m.autoplaymode, 0);
    EXPECT_FALSE(g.m.tmrautospin.enabled());
    EXPECT_TRUE(g.m.w.pandouble.visible);
    EXPECT_EQ(g.gamble.atrisk, 40);
    EXPECT_EQ(g.m.s.bank, 975);
    EXPECT_EQ(g.m.s.coinsperline, 1) << "the bet stays as it was";
    g.takeWin();
    EXPECT_EQ(g.m.s.bank, 1015);
}

TEST(Gamble, TheButtonOpensOnlyOnAWinAndOncePerWin) {
    GambleGame g;
    g.start(1000);
    g.openGamble();
    EXPECT_FALSE(g.m.w.pandouble.visible) << "disabled at start";
    g.spin(blankStops());
    g.p.recorder().events.clear();
    g.openGamble();
    g.gamble.open();
    EXPECT_FALSE(g.m.w.pandouble.visible) << "disabled after a losing spin";
    EXPECT_TRUE(g.p.recorder().played().empty());
    EXPECT_EQ(g.m.s.bank, 975);

    g.spin(paysForty());
    g.openGamble();
    EXPECT_TRUE(g.m.w.pandouble.visible);
    g.openGamble();
    g.gamble.open();
    EXPECT_EQ(g.m.s.bank, 990 - 40) << "opened once";
    g.takeWin();
    g.openGamble();
    g.gamble.open();
    EXPECT_FALSE(g.m.w.pandouble.visible) << "the win was gambled once";
    EXPECT_EQ(g.m.s.bank, 990);

    // A spin while the button's events run takes the win's place: a losing one leaves nothing to gamble.
    g.spin(paysForty());
    g.script(blankStops());
    g.p.tap(g.m.w.doublebutton);
    g.p.tap(g.m.w.pplay[1]);
    g.p.advance(1);
    EXPECT_FALSE(g.m.w.pandouble.visible);
    EXPECT_EQ(g.m.s.bank, 990 + 15 - 25);
}

TEST(Gamble, ClosingTheWindowTakesWhatIsAtRisk) {
    // Closed while open after a right guess: the amount at risk is taken as the take-win button would.
    {
        GambleGame g;
        g.start(1000);
        g.spin(paysForty());
        const int32_t total = g.m.s.total;
        g.openGamble();
        g.betOn(g.panel.suitbet[3], kDiamonds);
        g.p.closeWindow(g.m.w.orvelle);
        g.p.advance(1);
        EXPECT_TRUE(g.m.closed());
        EXPECT_EQ(g.storedNumber("bank"), 975 + 160);
        EXPECT_EQ(g.storedNumber("total"), total + 120);
    }
    // "&exit" during a reveal waits for the card: a right one is taken doubled, a wrong one is lost.
    for (const bool right : {true, false}) {
        GambleGame g;
        g.start(1000);
        g.spin(paysForty());
        const int32_t total = g.m.s.total;
        g.openGamble();
        int frame = 0;
        bool closedDuringReveal = false;
        g.p.onSleep = [&](int) {
            if (++frame == 3) g.p.click(g.m.w.mnuexit);
            if (frame == 10) closedDuringReveal = g.m.closed();
        };
        g.betOn(g.panel.betblack, right ? kSpades : kHearts);
        g.p.onSleep = {};
        EXPECT_FALSE(closedDuringReveal);
        EXPECT_TRUE(g.m.closed());
        EXPECT_GE(frame, 15) << "the reveal ran to its end";
        EXPECT_EQ(g.storedNumber("bank"), right ? 975 + 80 : 975);
        EXPECT_EQ(g.storedNumber("total"), right ? total + 40 : total);
        EXPECT_EQ(g.m.s.bank, g.storedNumber("bank"));
    }
}

TEST(Gamble, ACloseWhileTheGambleOpensOrALostOneClosesWaitsForItsHandler) {
    // The close arrives while the opening lets events run: the gamble opens, then the close takes the win.
    {
        GambleGame g;
        g.start(1000);
        g.spin(paysForty());
        const int32_t total = g.m.s.total;
        g.p.tap(g.m.w.doublebutton);
        g.p.closeWindow(g.m.w.orvelle);
        g.p.advance(1);
        EXPECT_TRUE(g.m.closed());
        EXPECT_EQ(g.m.s.bank, 1015);
        EXPECT_EQ(g.storedNumber("bank"), 1015);
        EXPECT_EQ(g.storedNumber("total"), total);
    }
    // The close arrives while the losing banner falls and is handled in the events let run before the
    // pause: it waits for the panel to close, and the loss stands.
    {
        GambleGame g;
        g.start(1000);
        g.spin(paysForty());
        g.openGamble();
        bool posted = false, closedDuringPause = false;
        g.p.onPaint = [&] {
            if (!posted && g.panel.gamblelose.visible) g.p.closeWindow(g.m.w.orvelle);
            posted = posted || g.panel.gamblelose.visible;
        };
        g.p.onSleep = [&](int ms) {
            if (ms == 3000) closedDuringPause = g.m.closed();
        };
        g.betOn(g.panel.betred, kClubs);
        g.p.onPaint = {};
        g.p.onSleep = {};
        EXPECT_TRUE(posted);
        EXPECT_FALSE(closedDuringPause);
        EXPECT_TRUE(g.m.closed());
        EXPECT_FALSE(g.m.w.pandouble.visible);
        EXPECT_EQ(g.storedNumber("bank"), 975);
    }
}

TEST(Gamble, ItsKeysBetAndTakeAsTheirButtonsDoAndNotWhileACardShows) {
    namespace keys = platform::keys;
    // Each key against the card that wins its bet: a right guess doubles or quadruples the amount at risk.
    struct KeyBet {
        int key, card, factor;
    };
    const KeyBet bets[] = {{keys::kLeft, kHearts, 2}, {keys::kRight, kSpades, 2}, {'u', kHearts, 4},
                           {'i', kClubs, 4},          {'j', kDiamonds, 4},        {'K', kSpades, 4}};
    GambleGame g;
    g.start(100000);
    g.spin(paysForty());
    g.p.typeKey(g.m.w.orvelle, 'g');
    g.p.advance(1);
    ASSERT_EQ(g.gamble.phase(), Phase::Open) << "G opens the gamble";
    int64_t atRisk = 40;
    for (const KeyBet& b : bets) {
        SCOPED_TRACE(platform::keyName(b.key));
        g.p.scripted().pushChoice(b.card, 4);
        g.p.typeKey(g.m.w.orvelle, b.key);
        // A second key while the card is revealed finds the buttons disabled: it bets nothing.
        g.p.typeKey(g.m.w.orvelle, keys::kLeft);
        g.p.advance(1);
        atRisk *= b.factor;
        EXPECT_EQ(g.gamble.atrisk, atRisk);
        EXPECT_EQ(g.gamble.phase(), Phase::Open);
        EXPECT_EQ(g.gamble.gamblecount, &b - bets + 1);
    }
    const int32_t bank = g.m.s.bank;
    g.p.typeKey(g.m.w.orvelle, keys::kReturn);
    g.p.advance(1);
    EXPECT_EQ(g.gamble.phase(), Phase::Closed) << "Enter takes the win";
    EXPECT_EQ(g.m.s.bank, bank + atRisk);
    EXPECT_EQ(g.storedNumber("bank"), g.m.s.bank);
    // With the panel gone its keys do nothing.
    const int32_t taken = g.m.s.bank;
    g.p.scripted().pushChoice(kHearts, 4);
    g.p.typeKey(g.m.w.orvelle, 'u');
    g.p.advance(1);
    EXPECT_EQ(g.gamble.phase(), Phase::Closed);
    EXPECT_EQ(g.m.s.bank, taken);
}

TEST(Gamble, TheStoreHoldsTheWinAtTheLatestDecidedCardAtEveryMoment) {
    GambleGame g;
    g.start(1000);
    g.spin(paysForty());
    const int32_t total = g.m.s.total;
    g.openGamble();
    // Opened: the credit shows 975, the store keeps 1015, as if taken at once.
    EXPECT_EQ(g.m.w.PANELBANK.caption, "975");
    EXPECT_EQ(g.storedNumber("bank"), 1015);
    EXPECT_EQ(g.storedNumber("total"), total);

    // During each reveal the store already holds the card's outcome; a process killed then keeps it.
    struct Seen {
        int32_t bank, total;
    };
    std::vector<Seen> seen;
    g.p.onSleep = [&](int ms) {
        if (ms == 50 && g.panel.piccardholder.overlay == platform::PictureRef{"imagelistcards", 10})
            seen.push_back({g.storedNumber("bank"), g.storedNumber("total")});
    };
    g.betOn(g.panel.betred, kHearts);      // 80
    g.betOn(g.panel.suitbet[4], kSpades);  // 320
    g.betOn(g.panel.betblack, kDiamonds);  // lost
    g.p.onSleep = {};
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].bank, 975 + 80);
    EXPECT_EQ(seen[0].total, total + 40);
    EXPECT_EQ(seen[1].bank, 975 + 320);
    EXPECT_EQ(seen[1].total, total + 280);
    EXPECT_EQ(seen[2].bank, 975);
    EXPECT_EQ(seen[2].total, total);
    EXPECT_EQ(g.storedNumber("bank"), 975);

    // Notes put in during a gamble are saved with the amount at risk still counted.
    g.spin(paysForty());
    g.openGamble();
    g.p.tap(g.m.w.notes);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.bank, 975 - 25 + 5000);
    EXPECT_EQ(g.storedNumber("bank"), 975 - 25 + 40 + 5000);
}

TEST(Gamble, AmountsNeverLeaveTheirRangeAndCanAlwaysBeTaken) {
    GambleGame g;
    g.start(1000);
    g.spin(paysForty());
    // A huge win stands in for the one just credited.
    const int32_t huge = 600'000'000;
    g.m.s.spinwin = huge;
    g.m.s.bank = 1000 + huge;
    g.panel.lblsuit.caption = "before";
    g.openGamble();
    EXPECT_EQ(g.panel.lblblackred.caption, "Black/Red Win = 1200000000");
    EXPECT_EQ(g.panel.lblsuit.caption, "before") << "four times would overflow: the old text stays";
    g.betOn(g.panel.betred, kHearts);
    EXPECT_EQ(g.gamble.atrisk, 1'200'000'000);
    EXPECT_EQ(g.panel.lblblackred.caption, "Black/Red Win = 1200000000") << "twice would overflow";
    g.betOn(g.panel.suitbet[1], kHearts);
    EXPECT_EQ(g.gamble.atrisk, 1'200'000'000) << "a quadrupling that would overflow is skipped";
    EXPECT_TRUE(g.m.w.pandouble.visible) << "the guess was still right";

    // Notes that would leave no room for the amount at risk stay out of the credit.
    g.m.s.bank = INT32_MAX - 1'200'000'000 - 100;
    g.m.notesPress();
    EXPECT_EQ(g.m.s.bank, INT32_MAX - 1'200'000'000 - 100);
    g.takeWin();
    EXPECT_EQ(g.m.s.bank, INT32_MAX - 100);

    // A doubling the credit could not take back is skipped too.
    GambleGame h;
    h.start(1000);
    h.spin(paysForty());
    const int32_t credit = INT32_MAX - 2'000'000'000 + 1;
    h.m.s.spinwin = 1'000'000'000;
    h.m.s.bank = credit + 1'000'000'000;
    h.openGamble();
    EXPECT_EQ(h.m.s.bank, credit);
    h.betOn(h.panel.betred, kDiamonds);
    EXPECT_EQ(h.gamble.atrisk, 1'000'000'000);
    h.takeWin();
    EXPECT_EQ(h.m.s.bank, credit + 1'000'000'000);
}

TEST(Gamble, TheGamesKeptForRecallHoldEveryCardAndWinWhatTheWonStatisticGains) {
    GambleGame g;
    g.start(1000);
    // A gamble taken: red on a diamond, hearts on a heart, taken at 320.
    int32_t total = g.m.s.total;
    g.spin(paysForty());
    g.openGamble();
    g.betOn(g.panel.betred, kDiamonds);
    g.betOn(g.panel.suitbet[1], kHearts);
    g.takeWin();
    auto games = play::readHistory(g.p.memoryStore(), 1);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].cards, (std::vector<play::CardRecord>{{'R', kDiamonds, true, 80}, {'H', kHearts, true, 320}}));
    EXPECT_EQ(games[0].win, 320);
    EXPECT_EQ(games[0].win, g.m.s.total - total);
    EXPECT_EQ(games[0].creditAfter, g.m.s.bank);
    EXPECT_EQ(games[0].creditBefore, 1000);

    // A gamble lost: the won statistic keeps the spin's win, and so does the game; the credit does not.
    total = g.m.s.total;
    const int32_t credit = g.m.s.bank;
    g.spin(paysForty());
    g.openGamble();
    g.betOn(g.panel.betblack, kDiamonds);
    ASSERT_EQ(g.gamble.phase(), Phase::Closed);
    games = play::readHistory(g.p.memoryStore(), 1);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[1].cards, (std::vector<play::CardRecord>{{'B', kDiamonds, false, 0}}));
    EXPECT_EQ(games[1].win, 40);
    EXPECT_EQ(games[1].win, g.m.s.total - total);
    EXPECT_EQ(games[1].creditBefore, credit);
    EXPECT_EQ(games[1].creditAfter, credit - 25);
    EXPECT_EQ(games[1].creditAfter, g.m.s.bank);

    // The program ends while a card is held: the game is stored as the record is, with the amount taken.
    total = g.m.s.total;
    g.spin(paysForty());
    g.openGamble();
    g.betOn(g.panel.betred, kHearts);
    g.m.requestClose();
    games = play::readHistory(g.p.memoryStore(), 1);
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(games[2].win, g.storedNumber("total") - total);
    EXPECT_EQ(games[2].creditAfter, g.storedNumber("bank"));
}

}  // namespace
}  // namespace zem::testing
