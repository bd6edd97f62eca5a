// SPDX-License-Identifier: GPL-3.0-or-later
// The celebration over the reels: BIG WIN from 20 times the bet, MEGA WIN from 50, a series' spins and total;
// gone at the next spin, at the player's next press or once the meter has counted, and never in the way.
#include "support/shown_game.h"

namespace zem::testing {
namespace {

// An outcome on line 1 alone at one coin (a bet of 1) that wins at least `low` and less than `high`.
Stops winning(int32_t low, int32_t high) {
    const auto stops = findStops(
        [&](const core::MachineState& s) {
            return s.spinwin >= low && s.spinwin < high && s.scattercount < 3 && noWild(s);
        },
        1, 1);
    EXPECT_TRUE(stops) << "no outcome wins " << low << " to " << high;
    return stops.value_or(blankStops());
}

struct CelebratedGame : ShownGame {
    // A bet of 1 coin on one line, the meter counting up or jumping to the win.
    void startOnOneLine(int16_t winroll) {
        start(10000, 1, -1, winroll);
        p.tap(m.w.payline[1]);
        p.advance(1);
    }
    void spin(const Stops& stops) {
        script(stops);
        bet(1);
    }
    bool shown() const { return m.w.picbigwin.visible && m.w.lblbigwin.visible; }
};

TEST(Celebration, BigAndMegaWinsStayUntilTheNextSpinOrTheMetersCount) {
    CelebratedGame g;
    g.startOnOneLine(0);
    const Stops big = winning(20, 50);
    g.spin(winning(1, 20));
    EXPECT_FALSE(g.shown()) << "a win under 20 times the bet";
    g.spin(big);
    g.idle(5000);
    ASSERT_TRUE(g.shown()) << "a meter that jumps to the win has no count to end it";
    EXPECT_EQ(g.m.w.picbigwin.picture, (platform::PictureRef{"picbigwin", 1}));
    EXPECT_EQ(g.m.w.lblbigwin.caption, std::to_string(g.m.s.spinwin));
    // Not one frame of the next spin's reels runs under it.
    bool shownWhileSpinning = false;
    g.p.onSleep = [&](int) { shownWhileSpinning = shownWhileSpinning || g.shown(); };
    g.spin(winning(50, 1000000));
    EXPECT_FALSE(shownWhileSpinning);
    EXPECT_EQ(g.m.w.picbigwin.picture, (platform::PictureRef{"picbigwin", 2}));
    // A counting meter: on show while it counts, gone when the whole win stands in it.
    g.m.s.winroll = 1;
    g.p.onSleep = {};
    g.spin(big);
    EXPECT_TRUE(g.shown() && g.m.Timerwincounter.enabled());
    g.p.runUntil([&] { return !g.m.Timerwincounter.enabled(); }, 10000);
    EXPECT_FALSE(g.shown());
}

TEST(Celebration, ThePlayersNextPressEndsItAndStillDoesItsWork) {
    CelebratedGame g;
    g.startOnOneLine(0);
    g.spin(winning(20, 50));
    ASSERT_TRUE(g.shown());
    g.p.tap(g.m.w.payline[5]);
    g.p.advance(1);
    EXPECT_FALSE(g.shown());
    EXPECT_EQ(g.m.s.linesplayed, 25) << "the press that ended it chose the lines too";
}

TEST(Celebration, ASeriesEndsSayingItsSpinsAndItsTotalUntilCollectedAndPressedOn) {
    CelebratedGame g;
    g.start(10000);
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(blankStops());
    g.bet(1);
    EXPECT_FALSE(g.shown()) << "the trigger's win belongs to the series";
    ASSERT_TRUE(g.p.runUntil([&] { return g.m.w.takewin.visible && g.m.w.takewin.enabled; }, 600000));
    ASSERT_TRUE(g.shown());
    const std::string says = "10 FREE SPINS  WON " + std::to_string(g.m.s.freespinwin);
    EXPECT_EQ(g.m.w.lblbigwin.caption, says);
    EXPECT_EQ(g.m.w.picbigwin.picture, (platform::PictureRef{"picbigwin", 3})) << "5 times the bet";
    // TAKE WIN collects it, and the celebration stays over the collected total until the next press.
    g.p.click(g.m.w.takewin);
    g.p.advance(1);
    EXPECT_TRUE(g.shown() && g.m.w.lblbigwin.caption == says && g.m.s.freespinstotal == 0);
    g.p.tap(g.m.w.payline[3]);
    g.p.advance(1);
    EXPECT_FALSE(g.shown());
}

}  // namespace
}  // namespace zem::testing
