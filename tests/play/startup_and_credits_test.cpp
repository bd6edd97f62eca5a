// SPDX-License-Identifier: GPL-3.0-or-later
// Startup, shutdown and the player record; coins, notes, lines and the space key.
#include "support/game_fixture.h"

namespace zem::testing {
namespace {

TEST(Startup, FirstRunOnAnEmptyStoreGivesANewPlayerWithNoCredit) {
    Game g;
    g.m.startup();
    EXPECT_EQ(g.m.w.PANELBANK.caption, "0");
    EXPECT_EQ(g.m.w.Lblcredit.caption, "$ 0");
    EXPECT_EQ(g.m.w.orvelle.caption, "Current Player       ");
    EXPECT_EQ(g.m.s.soundonoff, 0);
    EXPECT_EQ(g.m.s.machinepay, 5);
    EXPECT_EQ(g.m.s.reelspeed, 1);
    EXPECT_EQ(g.m.s.winroll, 0);
    EXPECT_EQ(g.m.s.linesplayed, 25);
    EXPECT_EQ(g.m.s.coinsperline, 1);
    EXPECT_TRUE(g.p.recorder().played().empty()) << "sound is off: no start-up sound";
    EXPECT_TRUE(g.m.w.orvelle.visible);
    EXPECT_FALSE(g.m.w.doublebutton.enabled);
    for (int k = 1; k <= 26; ++k) EXPECT_FALSE(g.m.w.lin[k].enabled);
    EXPECT_EQ(g.m.w.lin[26].picture.index, 1);
    EXPECT_EQ(g.m.w.lin[25].picture.index, 25);
}

TEST(Startup, BadStoredValuesAreCorrectedOrIgnored) {
    Game g;
    g.store("machinepay", "0");
    g.store("reelspeed", "-3");
    g.store("bank", "lots");
    g.store("soundonoff", "-1");
    g.store("currentplayer", "Ann Lee");
    g.store("games", "99999999999");  // does not fit 32 bits
    g.m.startup();
    EXPECT_EQ(g.m.s.machinepay, 5);
    EXPECT_EQ(g.m.s.reelspeed, 1);
    EXPECT_EQ(g.m.s.bank, 0);
    EXPECT_EQ(g.m.s.games, 0);
    EXPECT_EQ(g.m.w.orvelle.caption, "Current Player       Ann Lee");
    EXPECT_EQ(g.p.recorder().played(), std::vector<int>{101});

    Game h;
    h.store("reelspeed", "0");
    h.store("bank", "7");
    h.m.startup();
    EXPECT_EQ(h.m.s.reelspeed, 1);
    EXPECT_EQ(h.m.w.PANELBANK.caption, "7");
    EXPECT_EQ(h.m.w.Lblcredit.caption, "$ 0.07");
}

TEST(Shutdown, WritesTheElevenKeysInOrderToTheCurrentSlotWhicheverWayTheWindowCloses) {
    const std::vector<std::string> order(std::begin(play::kRecordKeys), std::end(play::kRecordKeys));
    for (int way = 0; way < 2; ++way) {
        Game g;
        g.store("bank", "1250");
        g.store("currentplayer", "Bo");
        g.m.startup();
        g.m.playerslot = "4";
        g.p.memoryStore().writes.clear();
        if (way == 0) {
            g.p.closeWindow(g.m.w.orvelle);
        } else {
            g.p.click(g.m.w.mnuexit);
        }
        g.p.advance(1);
        ASSERT_TRUE(g.m.closed());
        EXPECT_TRUE(g.p.quitRequested);
        std::vector<std::string> keys;
        for (const auto& wr : g.p.memoryStore().writes) {
            EXPECT_EQ(wr.section, "player4");
            keys.push_back(wr.key);
        }
        EXPECT_EQ(keys, order);
        EXPECT_EQ(g.stored("bank", 4), "1250");
        EXPECT_EQ(g.stored("currentplayer", 4), "Bo");
        EXPECT_EQ(g.stored("machinepay", 4), "5");
        EXPECT_EQ(g.stored("soundonoff", 4), "0");
        EXPECT_FALSE(g.m.tmrautospin.enabled());
        EXPECT_FALSE(g.m.Timerwincounter.enabled());
    }
}

TEST(Credits, CoinsAddTwentyFiveOnceForThreePressesWithin300ms) {
    Game g;
    g.start(0);
    for (int i = 0; i < 3; ++i) {
        g.p.tap(g.m.w.coinsin);
        g.p.advance(99);
    }
    g.p.advance(500);
    EXPECT_EQ(g.m.s.bank, 25);
    EXPECT_EQ(g.m.s.amountinvested, 25);
    EXPECT_EQ(g.m.w.PANELBANK.caption, "25");
    EXPECT_EQ(g.m.w.Lblcredit.caption, "$ 0.25");
    EXPECT_EQ(g.stored("bank"), "25") << "the credit is saved as soon as it settles";
    EXPECT_FALSE(g.m.w.dollar1.visible);
    EXPECT_FALSE(g.m.w.halfcoin1.visible);
    EXPECT_EQ(g.p.recorder().played(), std::vector<int>{126});
    // A fourth press after the animation adds another 25.
    g.p.tap(g.m.w.coinsin);
    g.p.advance(400);
    EXPECT_EQ(g.m.s.bank, 50);
}

TEST(Credits, CoinsArriveOnTheSecondTickAndTheAnimationEndsOnTheThird) {
    Game g;
    g.start(0);
    g.p.tap(g.m.w.coinsin);
    g.p.advance(150);
    EXPECT_TRUE(g.m.w.dollar1.visible);
    EXPECT_EQ(g.m.s.bank, 0);
    g.p.advance(100);
    EXPECT_TRUE(g.m.w.halfcoin1.visible);
    EXPECT_EQ(g.m.s.bank, 25);
    g.p.advance(100);
    EXPECT_FALSE(g.m.tmrcoins.enabled());
}

TEST(Credits, NotesAddFiveThousandAndSilenceTheSound) {
    Game g;
    g.start(0, 1, 0);
    g.p.tap(g.m.w.notes);
    g.p.advance(1);
    EXPECT_EQ(g.m.w.PANELBANK.caption, "5000");
    EXPECT_EQ(g.m.w.Lblcredit.caption, "$ 50");
    EXPECT_EQ(g.m.s.amountinvested, 5000);
    ASSERT_FALSE(g.p.recorder().events.empty());
    EXPECT_EQ(g.p.recorder().events.back().kind, platform::sim::RecordingSoundOutput::Event::Stop)
        << "accepted notes stop every sound, even with the sound off";
    // A credit that would pass the 32-bit limit is not added, and nothing else breaks.
    g.m.s.bank = INT32_MAX - 10;
    g.p.tap(g.m.w.notes);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.bank, INT32_MAX - 10);
}

TEST(Credits, ChoosingLinesRedrawsTheMarkers) {
    Game g;
    g.start();
    g.p.tap(g.m.w.payline[3]);
    g.p.advance(1);
    EXPECT_EQ(g.m.s.linesplayed, 10);
    for (int j = 1; j <= 10; ++j) EXPECT_EQ(g.m.w.lin[j].picture.index, j);
    for (int j = 11; j <= 25; ++j) EXPECT_EQ(g.m.w.lin[j].picture.index, j + 25);
    EXPECT_EQ(g.m.w.lin[26].picture.index, 1);
    EXPECT_TRUE(g.m.w.payline[3].visible) << "shown again on release";
    EXPECT_TRUE(g.p.recorder().played().empty()) << "choosing lines plays nothing";
    EXPECT_EQ(g.m.s.games, 0) << "and starts no spin";
}

TEST(SpaceKey, PlaysTheActionOfTheCurrentCoinsPerLine) {
    Game g;
    g.start();
    g.m.s.coinsperline = 10;
    auto lose = findStops([](const core::MachineState& s) { return s.spinwin == 0 && noWild(s); });
    ASSERT_TRUE(lose);
    g.script(*lose);
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.p.advance(10);
    EXPECT_EQ(g.m.s.coinsperline, 10) << "play action 5 is the one of 10 coins per line";
    EXPECT_EQ(g.m.s.games, 1);
    EXPECT_EQ(g.m.s.wager, 250);
    EXPECT_EQ(g.m.keyguard, 0);
}

TEST(SpaceKey, TooLittleCreditRefusesAnyKeyButLeavesAutoplayAvailable) {
    Game g;
    g.start(40);
    g.m.s.coinsperline = 2;
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.p.advance(10);
    EXPECT_EQ(g.p.recorder().played(), std::vector<int>{125});
    EXPECT_TRUE(g.m.w.pannomoney.visible);
    EXPECT_EQ(
        g.m.w.pannomoney.caption,
        "Not enough credit for this bet !, reduce your bet or click the \"Coins  or Notes Button \" for "
        "more credit.");
    EXPECT_EQ(g.m.s.games, 0);
    EXPECT_TRUE(g.m.w.autoplayon.enabled);

    Game h;
    h.start();
    h.p.typeKey(h.m.w.orvelle, 'z');  // a letter that is no control's key
    h.p.advance(10);
    EXPECT_FALSE(h.m.w.autoplayon.enabled) << "a letter disables autoplay-on until the next spin ends";
    EXPECT_EQ(h.m.s.games, 0);
    auto lose = findStops([](const core::MachineState& s) { return s.spinwin == 0 && noWild(s); });
    h.script(*lose);
    h.bet(1);
    EXPECT_TRUE(h.m.w.autoplayon.enabled);
}

}  // namespace
}  // namespace zem::testing

namespace zem::testing {
namespace {

TEST(Startup, MenuEntriesWithoutTheirWindowStayDisabled) {
    Game g;
    g.m.startup();
    EXPECT_TRUE(g.m.w.mnuexit.enabled);
    EXPECT_FALSE(g.m.w.mnuabout.enabled);
    EXPECT_FALSE(g.m.w.mnuptble.enabled);
    EXPECT_FALSE(g.m.w.mnuhistory.enabled);
    EXPECT_FALSE(g.m.w.Mnupaylines.enabled);

    Game h;
    int opened = 0;
    h.m.openers.about = [&] { ++opened; };
    h.m.startup();
    EXPECT_TRUE(h.m.w.mnuabout.enabled);
    h.p.click(h.m.w.mnuabout);
    h.p.advance(1);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(h.m.w.orvelle.enabled) << "the machine window waits for the other window to close";
}

}  // namespace
}  // namespace zem::testing
