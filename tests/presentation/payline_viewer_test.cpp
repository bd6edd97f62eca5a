// SPDX-License-Identifier: GPL-3.0-or-later
// The payline viewer played as a player does: the "PayLines" entry, mouse moves over the markers and the
// return button.
#include "presentation/payline_drawing.h"
#include "support/shown_game.h"

namespace zem::testing {
namespace {

using presentation::lineDrawing;

std::vector<bool> segmentsShown(const play::Machine& m) {
    std::vector<bool> shown;
    for (int k = 1; k <= 6; ++k) shown.push_back(m.w.Lineflash[k].visible);
    return shown;
}

// The segments show line `line` from the table: end points and colour of each drawn segment.
void expectDrawn(const play::Machine& m, int line) {
    const presentation::LineDrawing& d = lineDrawing(line);
    for (int k = 1; k <= d.segmentCount; ++k) {
        const platform::Control& s = m.w.Lineflash[k];
        const presentation::Segment& want = d.segment[static_cast<size_t>(k - 1)];
        EXPECT_TRUE(s.visible) << "line " << line << " segment " << k;
        EXPECT_EQ((std::array{s.x1, s.y1, s.x2, s.y2}), (std::array{want.x1, want.y1, want.x2, want.y2}))
            << "line " << line << " segment " << k;
        EXPECT_EQ(s.foreground, d.colour);
    }
    for (int k = d.segmentCount + 1; k <= 6; ++k) EXPECT_FALSE(m.w.Lineflash[k].visible);
}

TEST(PaylineViewer, EntryHidesTheReelsAndMakesTheMarkersLive) {
    ShownGame g;
    g.start();
    EXPECT_TRUE(g.m.w.Mnupaylines.enabled) << "the entry is live once the viewer is there";
    // In the game a marker takes no mouse moves.
    g.p.mouseMove(g.m.w.lin[14]);
    g.idle(1);
    EXPECT_EQ(segmentsShown(g.m), std::vector<bool>(6, false));

    g.p.click(g.m.w.Mnupaylines);
    g.idle(1);
    EXPECT_TRUE(g.show.viewer.active());
    for (int r = 1; r <= 5; ++r) {
        EXPECT_FALSE(g.m.w.reel[r].visible);
        EXPECT_FALSE(g.m.w.Picture[r].visible);
    }
    for (int k = 1; k <= 26; ++k) {
        EXPECT_TRUE(g.m.w.lin[k].enabled);
        EXPECT_TRUE(g.m.w.lin[k].visible);
    }
    EXPECT_FALSE(g.m.w.panfreespin.visible);
    EXPECT_FALSE(g.m.keyboardPlay());
    EXPECT_FALSE(g.m.w.mnuabout.visible);
    EXPECT_FALSE(g.m.w.mnuptble.visible);
    EXPECT_FALSE(g.m.w.mnuhistory.visible);
    EXPECT_FALSE(g.m.w.Mnupaylines.visible);
    EXPECT_TRUE(g.m.w.mnuexit.visible);
    EXPECT_TRUE(g.m.w.Btnreturn2game.visible);
    EXPECT_EQ(g.m.w.Btnreturn2game.caption,
              "Move Mouse Curser Over Line Markers To View PayLines ( CLICK TO RETURN TO GAME )");

    // The space key does not spin in the viewer.
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.idle(1000);
    EXPECT_EQ(g.m.s.games, 0);
}

TEST(PaylineViewer, HoveringAMarkerDrawsItsLineWhole) {
    ShownGame g;
    g.start();
    g.p.click(g.m.w.Mnupaylines);
    g.idle(1);
    for (int k = 1; k <= 25; ++k) {
        g.p.mouseMove(g.m.w.lin[k], {0, 0, 300, 200});
        g.idle(1);
        expectDrawn(g.m, k);
    }

    // lin(26) is line 1's second marker: from a six-segment line it leaves only segment 1.
    g.p.mouseMove(g.m.w.lin[18]);
    g.idle(1);
    EXPECT_EQ(segmentsShown(g.m), std::vector<bool>(6, true));
    g.p.mouseMove(g.m.w.lin[26], {2, 1, 0, 0});  // buttons and shift keys make no difference
    g.idle(1);
    expectDrawn(g.m, 1);
    EXPECT_EQ(segmentsShown(g.m), (std::vector<bool>{true, false, false, false, false, false}));

    // Two segments to four: 1..4 on, 5 and 6 off.
    g.p.mouseMove(g.m.w.lin[14]);
    g.p.mouseMove(g.m.w.lin[4]);
    g.p.mouseMove(g.m.w.lin[6]);
    g.idle(1);
    EXPECT_EQ(segmentsShown(g.m), (std::vector<bool>{true, true, true, true, false, false}));
    expectDrawn(g.m, 6);

    // The same marker again changes nothing; markers and cells stay as they are.
    g.p.mouseMove(g.m.w.lin[6]);
    g.idle(1);
    expectDrawn(g.m, 6);
    for (int k = 1; k <= 26; ++k) EXPECT_TRUE(g.m.w.lin[k].visible);
    for (int c = 1; c <= 15; ++c) EXPECT_FALSE(g.m.w.flasher[c].visible);
}

TEST(PaylineViewer, ReturnBringsTheGameBackAndResumesTheFlash) {
    ShownGame g;
    g.start();
    const Stops twoScatters{21, 20, 16, 17, 7};  // line wins and two Scatters
    g.script(twoScatters);
    g.bet(1);
    g.flashTicks(3);
    // COINS stops the flash; the viewer's return starts it again.
    g.p.tap(g.m.w.coinsin);
    g.idle(1000);
    ASSERT_FALSE(g.show.flash.tmrlineflash.enabled());
    const int16_t lineBefore = g.show.flash.flashline, tickBefore = g.show.flash.flashtick;
    const int32_t bank = g.m.s.bank;
    g.m.w.notes.enabled = false;
    g.m.w.coinsin.enabled = false;

    g.p.click(g.m.w.Mnupaylines);
    g.p.mouseMove(g.m.w.lin[14]);
    g.idle(1);
    EXPECT_TRUE(g.show.animations.Timerscatters.enabled())
        << "the viewer does not stop the Scatter animation";
    g.idle(2000);
    for (int c = 1; c <= 15; ++c) {
        EXPECT_FALSE(g.m.w.flasher[c].shown()) << "cell " << c << " is not seen with its reel window hidden";
    }

    const size_t drawn = g.flashes.size();
    g.p.click(g.m.w.Btnreturn2game);
    g.idle(1);
    EXPECT_FALSE(g.show.viewer.active());
    EXPECT_TRUE(g.show.flash.tmrlineflash.enabled());
    EXPECT_FALSE(g.m.tmrautospin.enabled()) << "autoplay was off";
    EXPECT_TRUE(g.m.w.panfreespin.visible);
    EXPECT_TRUE(g.m.w.notes.enabled);
    EXPECT_TRUE(g.m.w.coinsin.enabled);
    EXPECT_TRUE(g.m.keyboardPlay());
    EXPECT_TRUE(g.m.w.mnuabout.visible);
    EXPECT_TRUE(g.m.w.mnuptble.visible);
    EXPECT_TRUE(g.m.w.mnuhistory.visible);
    EXPECT_TRUE(g.m.w.Mnupaylines.visible);
    for (int r = 1; r <= 5; ++r) EXPECT_TRUE(g.m.w.reel[r].visible && g.m.w.Picture[r].visible);
    for (int k = 1; k <= 26; ++k) EXPECT_TRUE(g.m.w.lin[k].visible && !g.m.w.lin[k].enabled);
    EXPECT_EQ(g.m.s.bank, bank) << "the viewer changes no game state";

    // The flash continues where it stopped: the same line, the next tick.
    g.flashTicks(1);
    ASSERT_GT(g.flashes.size(), drawn);
    const FlashView& next = g.flashes[drawn];
    if (tickBefore < 5) {
        EXPECT_EQ(next.line, lineBefore);
        EXPECT_EQ(next.tick, tickBefore + 1);
    }
    // The Scatter animation shows its cells again on its own next tick.
    g.idle(300);
    for (int r = 1; r <= 5; ++r) {
        if (g.m.s.scattercell[r] != 0) {
            EXPECT_TRUE(g.m.w.flasher[g.m.s.scattercell[r]].visible);
        }
    }

    // The space key plays again.
    g.script(blankStops());
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.idle(1000);
    EXPECT_EQ(g.m.s.games, 2);
}

TEST(PaylineViewer, EscapeLeavesTheViewerAsTheReturnButtonDoesAndDoesNothingInTheGame) {
    ShownGame g;
    g.start();
    g.p.pressEscape(g.m.w.orvelle);
    g.idle(1);
    EXPECT_FALSE(g.show.viewer.active());
    for (int r = 1; r <= 5; ++r) EXPECT_TRUE(g.m.w.reel[r].visible) << "Escape in the game changed the reels";

    g.p.click(g.m.w.Mnupaylines);
    g.idle(1);
    ASSERT_TRUE(g.show.viewer.active());
    g.p.pressEscape(g.m.w.orvelle);
    g.idle(1);
    EXPECT_FALSE(g.show.viewer.active());
    EXPECT_FALSE(g.m.w.Btnreturn2game.visible);
    EXPECT_TRUE(g.m.keyboardPlay());
    for (int r = 1; r <= 5; ++r) EXPECT_TRUE(g.m.w.reel[r].visible && g.m.w.Picture[r].visible);
    for (int k = 1; k <= 26; ++k) EXPECT_FALSE(g.m.w.lin[k].enabled);
}

TEST(PaylineViewer, ReturnResumesAutoplayOnlyWhenItWasOn) {
    for (int16_t mode : {int16_t{0}, int16_t{10}}) {
        ShownGame g;
        g.start();
        g.show.viewer.enter();
        EXPECT_FALSE(g.m.tmrautospin.enabled());
        g.m.autoplaymode = mode;
        g.show.viewer.returnToGame();
        EXPECT_EQ(g.m.tmrautospin.enabled(), mode > 0);
        // With no winning line the flash stops at its first tick.
        EXPECT_TRUE(g.show.flash.tmrlineflash.enabled());
        g.m.autoplaymode = 0;
        g.idle(200);
        EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
        EXPECT_TRUE(g.flashes.empty());
    }
}

TEST(PaylineViewer, TheEntryWaitsWhileASpinRuns) {
    // A menu click let in by the spin itself would leave a viewer whose markers the spin's end takes back.
    ShownGame g;
    g.start();
    g.script(blankStops());
    g.p.click(g.m.w.Mnupaylines);  // handled at the spin's first yield
    g.m.w.play[1].press();
    EXPECT_FALSE(g.p.loop().hasPendingInput());
    EXPECT_EQ(g.m.s.games, 1);
    EXPECT_FALSE(g.show.viewer.active());
    for (int r = 1; r <= 5; ++r) EXPECT_TRUE(g.m.w.reel[r].visible);
}

TEST(PaylineViewer, NoSpinStartsWhileTheViewerShows) {
    // COINS pressed just before the viewer opens turns keyboard play back on at its tick, inside the viewer;
    // the space key and every other way to spin must still leave the reels hidden.
    ShownGame g;
    g.start(100);
    g.script(blankStops());
    g.p.tap(g.m.w.coinsin);
    g.p.click(g.m.w.Mnupaylines);
    g.idle(500);
    ASSERT_TRUE(g.show.viewer.active());
    EXPECT_EQ(g.m.s.bank, 125);
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.idle(10);
    g.m.w.play[1].press();
    g.idle(3000);
    EXPECT_EQ(g.m.s.games, 0);
    EXPECT_EQ(g.m.s.bank, 125);
    EXPECT_TRUE(g.show.viewer.active());
    for (int r = 1; r <= 5; ++r) EXPECT_FALSE(g.m.w.reel[r].visible);
    EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());

    // Back in the game the space key plays.
    g.p.click(g.m.w.Btnreturn2game);
    g.idle(1);
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.idle(10);
    EXPECT_EQ(g.m.s.games, 1);
}

}  // namespace
}  // namespace zem::testing
