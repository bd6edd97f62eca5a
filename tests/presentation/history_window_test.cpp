// SPDX-License-Identifier: GPL-3.0-or-later
// The window of the last games played as a player does: opened by "&History" and by H, moved through with
// its buttons and the arrow keys, closed by Escape, its button and its close box, the machine waiting behind
// it; each game shown with its stops, its figures and its winning lines in their colours.
#include "presentation/history_window.h"
#include "presentation/payline_drawing.h"
#include "support/shown_game.h"

namespace zem::testing {
namespace {

using presentation::HistoryWindow;

const Stops& twoLines() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        return winningLines(s) >= 2 && noWild(s) && s.scattercount < 2;
    });
    return stops;
}

struct HistoryGame : ShownGame {
    HistoryWindow history{m};
    HistoryGame() { history.installOpener(); }

    void spin(const Stops& stops) {
        script(stops);
        bet(1);
        idle(3000);
    }
};

TEST(HistoryWindow, OpensOnTheNewestGameAndMovesByButtonsAndArrows) {
    HistoryGame g;
    g.start(10000);
    g.spin(blankStops());
    g.spin(twoLines());
    g.spin(blankStops());
    auto& l = g.history.l;

    g.p.click(g.m.w.mnuhistory);
    g.p.advance(1);
    ASSERT_TRUE(g.history.isOpen());
    EXPECT_TRUE(l.frmhistory.visible);
    EXPECT_EQ(l.frmhistory.caption, "Last 10 Games");
    EXPECT_FALSE(g.m.w.orvelle.enabled) << "the machine waits behind the window";
    EXPECT_EQ(g.history.shown(), 2);
    EXPECT_EQ(l.lbltitle.caption, "Game 3 of 3 - the last");
    EXPECT_FALSE(l.btnnext.enabled);
    EXPECT_TRUE(l.btnprevious.enabled);
    EXPECT_EQ(l.lblwin.caption, "No Win");

    // No spin while it is open, not even by the space key or autoplay's timer.
    const int32_t games = g.m.s.games;
    g.p.typeKey(g.m.w.orvelle, ' ');
    g.m.w.play[1].press();
    g.p.advance(2000);
    EXPECT_EQ(g.m.s.games, games);

    g.p.typeKey(l.frmhistory, platform::keys::kLeft);
    g.p.advance(1);
    EXPECT_EQ(g.history.shown(), 1);
    const play::GameRecord& won = g.m.history.games()[1];
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(l.reel[r].top, core::reelTopFor(twoLines()[r - 1]));
    EXPECT_EQ(l.lblwin.caption, "Won " + std::to_string(won.win));
    EXPECT_EQ(l.lblcredit.caption, "Credit " + std::to_string(won.creditBefore) + " -> " +
                                       std::to_string(won.creditAfter));
    EXPECT_EQ(l.lblbet.caption, "25 lines x 1 coin = bet 25");
    ASSERT_GE(won.lineWins.size(), 2u);
    size_t k = 0;
    for (const play::LineWinRecord& line : won.lineWins) {
        const presentation::LineDrawing& d = presentation::lineDrawing(line.line);
        ++k;
        EXPECT_TRUE(l.lblline[k].visible);
        EXPECT_EQ(l.lblline[k].caption, presentation::lineWinText(line));
        EXPECT_EQ(l.lblline[k].foreground, d.colour) << "the line's figures in its colour";
        for (int s = 1; s <= d.segmentCount; ++s) {
            const platform::Control& c = l.segment[line.line][s];
            EXPECT_TRUE(c.visible);
            EXPECT_EQ(c.foreground, d.colour);
            EXPECT_EQ(c.x1, d.segment[s - 1].x1 - presentation::kHistoryReelShift);
            EXPECT_EQ(c.y2, d.segment[s - 1].y2);
        }
    }
    EXPECT_FALSE(l.lblline[k + 1].visible);

    g.p.click(l.btnprevious);
    g.p.advance(1);
    EXPECT_EQ(g.history.shown(), 0);
    EXPECT_FALSE(l.btnprevious.enabled);
    g.p.typeKey(l.frmhistory, platform::keys::kLeft);
    g.p.advance(1);
    EXPECT_EQ(g.history.shown(), 0) << "nothing before the oldest";
    for (int line = 1; line <= 25; ++line) EXPECT_FALSE(l.segment[line][1].visible) << "no line won";
    g.p.typeKey(l.frmhistory, platform::keys::kRight);
    g.p.click(l.btnnext);
    g.p.advance(1);
    EXPECT_EQ(g.history.shown(), 2);

    g.p.pressEscape(l.frmhistory);
    g.p.advance(1);
    EXPECT_FALSE(g.history.isOpen());
    EXPECT_FALSE(l.frmhistory.visible);
    EXPECT_TRUE(g.m.w.orvelle.enabled);
    g.spin(blankStops());
    EXPECT_EQ(g.m.s.games, games + 1) << "play goes on once it is closed";
}

TEST(HistoryWindow, TheKeyHOpensItAndItsButtonAndCloseBoxCloseIt) {
    HistoryGame g;
    g.start(10000);
    auto& l = g.history.l;
    g.p.typeKey(g.m.w.orvelle, 'h');
    g.p.advance(1);
    ASSERT_TRUE(g.history.isOpen());
    EXPECT_TRUE(l.lblnone.visible) << "no game yet";
    EXPECT_FALSE(l.reelbox[1].visible);
    EXPECT_FALSE(l.btnprevious.enabled);
    EXPECT_FALSE(l.btnnext.enabled);
    g.p.click(l.btnclose);
    g.p.advance(1);
    EXPECT_FALSE(g.history.isOpen());

    g.spin(twoLines());
    g.p.typeKey(g.m.w.orvelle, 'H');
    g.p.advance(1);
    ASSERT_TRUE(g.history.isOpen());
    EXPECT_FALSE(l.lblnone.visible);
    EXPECT_EQ(l.lbltitle.caption, "Game 1 of 1 - the last");
    g.p.closeWindow(l.frmhistory);
    g.p.advance(1);
    EXPECT_FALSE(g.history.isOpen());
    EXPECT_TRUE(g.m.w.orvelle.enabled);

    // Through a free-spin series neither the entry nor the key opens it.
    g.script(threeScatters());
    for (int i = 0; i < 10; ++i) g.scriptFree(blankStops());
    g.bet(1);
    EXPECT_FALSE(g.m.w.mnuhistory.enabled);
    g.m.w.mnuhistory.press();
    g.p.advance(1);
    EXPECT_FALSE(g.history.isOpen());
}

}  // namespace
}  // namespace zem::testing
