// SPDX-License-Identifier: GPL-3.0-or-later
// The winning-line flash after real spins: its blink pattern, the order of the lines, the cells of the run,
// and what each of its stoppers leaves on the window.
#include "core/paylines.h"
#include "presentation/payline_drawing.h"
#include "support/shown_game.h"

#include <map>
#include <string>

namespace zem::testing {
namespace {

bool plain(const core::MachineState& s) { return noWild(s) && s.scattercount == 0; }

// One played line wins, with a run of at least three, and nothing else shows.
const Stops& oneLine() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        return plain(s) && winningLines(s) == 1 && linesWon(s)[0] >= 2 && s.linecount[linesWon(s)[0]] >= 3;
    });
    return stops;
}

const Stops& onlyLineOne() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        return plain(s) && winningLines(s) == 1 && s.linewin[1] == 1 && s.linecount[1] >= 3;
    });
    return stops;
}

const Stops& threeLines() {
    static const Stops stops =
        *findStops([](const core::MachineState& s) { return plain(s) && winningLines(s) == 3; });
    return stops;
}

const Stops& runOfTwo() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        return plain(s) && winningLines(s) == 1 && s.linecount[linesWon(s)[0]] == 2;
    });
    return stops;
}

// A line whose winning run holds a Wild of reel 2, 3 or 4, and no Scatter.
const Stops& wildInRun() {
    static const Stops stops = *findStops([](const core::MachineState& s) {
        if (s.scattercount != 0 || winningLines(s) != 1) return false;
        const int line = linesWon(s)[0];
        for (int r = 2; r <= 4 && r <= s.linecount[line]; ++r) {
            if (s.wildcell[r] != 0 && s.wildcell[r] == core::lineCell(line, r)) return true;
        }
        return false;
    });
    return stops;
}

std::vector<int> phases(const std::vector<FlashView>& views, size_t from, size_t count) {
    std::vector<int> out;
    for (size_t i = from; i < from + count && i < views.size(); ++i) out.push_back(views[i].phase);
    return out;
}

TEST(LineFlash, OneWinningLineBlinksOffOnFirstThenOnOffOverAndOver) {
    ShownGame g;
    g.start();
    g.script(oneLine());
    g.bet(1);
    ASSERT_TRUE(g.show.flash.tmrlineflash.enabled());
    EXPECT_EQ(g.show.flash.flashline, 26) << "the evaluation leaves the counter past the played lines";
    const int line = linesWon(g.m.s)[0];
    const presentation::LineDrawing& d = presentation::lineDrawing(line);
    g.flashTicks(15);
    ASSERT_GE(g.flashes.size(), 15u);

    EXPECT_EQ(phases(g.flashes, 0, 5), (std::vector<int>{0, 1, 0, 1, 0})) << "the first line after a spin";
    EXPECT_EQ(phases(g.flashes, 5, 5), (std::vector<int>{1, 0, 1, 0, 0})) << "the same line, shown again";
    EXPECT_EQ(phases(g.flashes, 10, 5), (std::vector<int>{1, 0, 1, 0, 0}));
    for (size_t i = 0; i < 15; ++i) {
        const FlashView& v = g.flashes[i];
        EXPECT_EQ(v.line, line);
        EXPECT_EQ(v.tick, static_cast<int>(i % 5) + 1);
        const bool on = v.phase == 1;
        for (int k = 1; k <= d.segmentCount; ++k)
            EXPECT_EQ(v.segment[k], on) << "tick " << i << " segment " << k;
        for (int k = d.segmentCount + 1; k <= 6; ++k) EXPECT_FALSE(v.segment[k]);
        EXPECT_EQ(v.marker[line], !on) << "the marker blinks against the line";
        for (int k = 1; k <= 26; ++k) {
            if (k != line) {
                EXPECT_TRUE(v.marker[k]) << "marker " << k;
            }
        }
        for (int r = 1; r <= 5; ++r) {
            const int c = core::lineCell(line, r);
            EXPECT_EQ(v.cell[c], on && r <= g.m.s.linecount[line]) << "tick " << i << " reel " << r;
        }
    }
    // The segments carry the line's own end points and colour.
    const platform::Control& first = g.m.w.Lineflash[1];
    EXPECT_EQ(first.x1, d.segment[0].x1);
    EXPECT_EQ(first.y2, d.segment[0].y2);
    EXPECT_EQ(first.foreground, d.colour);
    EXPECT_EQ(first.lineWidth, 10);
    // A tick holds the thread 150 ms, so a line stays on show for about three quarters of a second.
    EXPECT_TRUE(g.show.flash.tmrlineflash.enabled());
}

TEST(LineFlash, LinesAreShownInAscendingOrderAndTheCycleWraps) {
    ShownGame g;
    g.start();
    g.script(threeLines());
    g.bet(1);
    const std::vector<int> won = linesWon(g.m.s);
    ASSERT_EQ(won.size(), 3u);
    g.flashTicks(20);
    ASSERT_GE(g.flashes.size(), 20u);
    for (size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(g.flashes[i].line, won[(i / 5) % 3]) << "tick " << i;
    }
    EXPECT_EQ(phases(g.flashes, 5, 5), (std::vector<int>{1, 0, 1, 0, 0})) << "a later line starts on";
    EXPECT_EQ(phases(g.flashes, 15, 5), (std::vector<int>{1, 0, 1, 0, 0})) << "after the wrap";
    // Moving on, the line just shown has been left off: only the line on show is ever drawn.
    for (const FlashView& v : g.flashes) {
        for (int line : won) {
            if (line != v.line) {
                EXPECT_TRUE(v.marker[line]) << "marker of line " << line;
            }
        }
    }
}

// Whether a control's rectangle in the window overlaps any reel window.
bool overReels(const play::Machine& m, const platform::Control& c) {
    for (int r = 1; r <= 5; ++r) {
        const platform::Control& reel = m.w.Picture[r];
        if (c.left < reel.left + reel.width && reel.left < c.left + c.width &&
            c.top < reel.top + reel.height && reel.top < c.top + c.height)
            return true;
    }
    return false;
}

TEST(LineFlash, EachLineShowsItsPayInItsColourWhereItsMarkerWasAndTheScattersTheirs) {
    ShownGame g;
    g.start();
    g.script(threeLines());
    g.bet(2);  // 2 coins a line
    const std::vector<int> lines = linesWon(g.m.s);
    g.flashTicks(16);
    std::map<int, std::string> told;
    for (const FlashView& v : g.flashes) {
        SCOPED_TRACE("line " + std::to_string(v.line) + " tick " + std::to_string(v.tick));
        EXPECT_EQ(v.pay, v.phase == 1) << "the pay shines with its line, the marker in counter-phase";
        if (!v.pay) continue;
        const presentation::LineDrawing& d = presentation::lineDrawing(v.line);
        const platform::Control& marker = g.m.w.lin[d.marker[0]];
        EXPECT_FALSE(v.marker[d.marker[0]]);
        EXPECT_EQ(v.payLeft, marker.left);
        EXPECT_EQ(v.payTop, marker.top);
        EXPECT_EQ(v.payColour, d.colour);
        told[v.line] = v.payText;
    }
    ASSERT_EQ(told.size(), 3u) << "each of the three lines told its pay";
    int64_t sum = 0;
    for (const auto& [line, text] : told) sum += std::stoll(text);
    EXPECT_EQ(sum, g.m.s.spinwin) << "no Scatter: the three pays make the win";
    EXPECT_FALSE(overReels(g.m, g.m.w.lbllinepay)) << "nothing covers a symbol";

    // Two Scatters pay 1 x the bet of 25: the Scatter pay stands beside the reels while they animate.
    const Stops twoScatters = *findStops(
        [](const core::MachineState& s) { return s.scattercount == 2 && noWild(s) && winningLines(s) == 0; });
    g.script(twoScatters);
    g.bet(1);
    EXPECT_FALSE(g.m.w.lbllinepay.visible) << "a new spin takes the last line's pay away";
    g.idle(500);
    ASSERT_TRUE(g.show.animations.Timerscatters.enabled());
    EXPECT_TRUE(g.m.w.lblscatterpay.visible);
    EXPECT_EQ(g.m.w.lblscatterpay.caption, std::to_string(g.m.s.spinwin));
    EXPECT_EQ(g.m.s.spinwin, 25);
    EXPECT_FALSE(overReels(g.m, g.m.w.lblscatterpay));
    // The payline viewer takes it away with the reels.
    g.p.click(g.m.w.Mnupaylines);
    g.idle(100);
    EXPECT_FALSE(g.m.w.lblscatterpay.visible);
}

TEST(LineFlash, LineOneBlinksBothItsMarkersTogether) {
    ShownGame g;
    g.start();
    g.script(onlyLineOne());
    g.bet(1);
    g.flashTicks(10);
    ASSERT_GE(g.flashes.size(), 10u);
    bool sawOn = false, sawOff = false;
    for (const FlashView& v : g.flashes) {
        EXPECT_EQ(v.line, 1);
        EXPECT_EQ(v.marker[1], v.marker[26]);
        EXPECT_EQ(v.marker[1], v.phase == 0);
        sawOn |= v.phase == 1;
        sawOff |= v.phase == 0;
    }
    EXPECT_TRUE(sawOn && sawOff);
}

TEST(LineFlash, ARunOfTwoBlinksOnlyTheCellsOfReelsOneAndTwo) {
    ShownGame g;
    g.start();
    g.script(runOfTwo());
    g.bet(1);
    const int line = linesWon(g.m.s)[0];
    ASSERT_EQ(g.m.s.linecount[line], 2);
    g.flashTicks(10);
    const int c1 = core::lineCell(line, 1), c2 = core::lineCell(line, 2);
    for (const FlashView& v : g.flashes) {
        EXPECT_EQ(v.cell[c1], v.phase == 1);
        EXPECT_EQ(v.cell[c2], v.phase == 1);
        for (int c = 1; c <= 15; ++c) {
            if (c != c1 && c != c2) {
                EXPECT_FALSE(v.cell[c]) << "cell " << c;
            }
        }
        // The segments still span all five reels.
        if (v.phase == 1) {
            EXPECT_TRUE(v.segment[presentation::lineDrawing(line).segmentCount]);
        }
    }
}

TEST(LineFlash, AWildInTheRunStaysLitOnBothPhases) {
    ShownGame g;
    g.start();
    g.script(wildInRun());
    g.bet(1);
    const int line = linesWon(g.m.s)[0];
    int wildReel = 0;
    for (int r = 2; r <= 4 && r <= g.m.s.linecount[line]; ++r) {
        if (g.m.s.wildcell[r] == core::lineCell(line, r)) wildReel = r;
    }
    ASSERT_NE(wildReel, 0);
    g.flashTicks(10);
    const int wild = g.m.s.wildcell[wildReel];
    int offTicks = 0;
    for (size_t i = 1; i < g.flashes.size(); ++i) {
        const FlashView& v = g.flashes[i];
        EXPECT_TRUE(v.cell[wild]) << "tick " << i;
        EXPECT_EQ(v.cell[core::lineCell(line, 1)], v.phase == 1) << "reel 1 still blinks";
        offTicks += v.phase == 0;
    }
    EXPECT_GT(offTicks, 3);
    // The first tick after a spin is an off tick: the Wild's cell comes on with it all the same.
    EXPECT_EQ(g.flashes[0].phase, 0);
    EXPECT_TRUE(g.flashes[0].cell[wild]);
}

TEST(LineFlash, StopsItselfWhenFewerLinesLeaveNoWinningLine) {
    ShownGame g;
    g.start();
    g.script(oneLine());
    g.bet(1);
    ASSERT_GE(linesWon(g.m.s)[0], 2);
    g.flashTicks(3);
    const int64_t slept = g.p.sleptMs;
    const size_t drawn = g.flashes.size();
    g.p.tap(g.m.w.payline[1]);  // 1 line
    g.idle(2000);
    EXPECT_EQ(g.m.s.linesplayed, 1);
    EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
    EXPECT_EQ(g.flashes.size(), drawn) << "the stopping tick draws nothing";
    EXPECT_EQ(g.p.sleptMs, slept) << "and does not pause";
    for (int c = 1; c <= 15; ++c) EXPECT_FALSE(g.m.w.flasher[c].visible) << "the line choice hid the cells";
}

TEST(LineFlash, FewerLinesStillShowTheWinningLinesThatArePlayed) {
    // Winning lines on both sides of line 5.
    static const Stops stops = *findStops([](const core::MachineState& s) {
        const std::vector<int> won = linesWon(s);
        return plain(s) && won.size() >= 2 && won.front() <= 5 && won.back() > 5;
    });
    ShownGame g;
    g.start();
    g.script(stops);
    g.bet(1);
    g.flashTicks(2);
    const size_t atPress = g.flashes.size();
    g.p.tap(g.m.w.payline[2]);  // 5 lines
    g.idle(1);
    ASSERT_EQ(g.m.s.linesplayed, 5);
    const size_t from = g.flashes.size();
    g.flashTicks(15);
    ASSERT_GE(g.flashes.size(), from + 15);
    EXPECT_EQ(g.flashes[atPress].phase, 0) << "the markers drawn anew, the next tick is an off tick";
    for (size_t i = from; i < g.flashes.size(); ++i) EXPECT_LE(g.flashes[i].line, 5);
    EXPECT_TRUE(g.show.flash.tmrlineflash.enabled());
}

TEST(LineFlash, AVoidedWinIsNeverFlashed) {
    // A winning outcome voided by the payout control, then a losing re-spin.
    ShownGame g;
    g.start(10000, 5);
    g.script(oneLine(), 2);
    g.script(blankStops(), 1);
    g.bet(1);
    EXPECT_EQ(g.m.s.games, 1);
    EXPECT_EQ(g.m.s.spinwin, 0);
    EXPECT_FALSE(g.show.flash.tmrlineflash.enabled()) << "no run of the voided outcome starts the flash";
    g.idle(3000);
    EXPECT_TRUE(g.flashes.empty());
    for (int k = 1; k <= 6; ++k) EXPECT_FALSE(g.m.w.Lineflash[k].visible);
    for (int c = 1; c <= 15; ++c) EXPECT_FALSE(g.m.w.flasher[c].visible);

    // Started by hand (as the viewer's return does) it stops at its first tick without drawing.
    g.show.flash.tmrlineflash.start();
    g.idle(500);
    EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
    EXPECT_TRUE(g.flashes.empty());
}

TEST(LineFlash, AVoidedWinLeavesNoCellsInTheRespinsFlash) {
    // The voided outcome wins on one line; the re-spin that stands wins on another.
    const Stops& voided = oneLine();
    ShownGame probe;
    probe.start();
    probe.script(voided);
    probe.bet(1);
    const int voidedLine = linesWon(probe.m.s)[0];
    const Stops standing = *findStops([&](const core::MachineState& s) {
        return plain(s) && winningLines(s) == 1 && linesWon(s)[0] != voidedLine;
    });

    ShownGame g;
    g.start(10000, 5);
    g.script(voided, 2);
    g.script(standing, 1);
    g.bet(1);
    const int line = linesWon(g.m.s)[0];
    ASSERT_NE(line, voidedLine);
    EXPECT_EQ(g.m.s.linecount[voidedLine], 0);
    g.flashTicks(10);
    for (const FlashView& v : g.flashes) {
        EXPECT_EQ(v.line, line);
        for (int r = 1; r <= 5; ++r) {
            const int c = core::lineCell(voidedLine, r);
            bool inRun = false;
            for (int q = 1; q <= g.m.s.linecount[line]; ++q) inRun |= core::lineCell(line, q) == c;
            if (!inRun) {
                EXPECT_FALSE(v.cell[c]) << "cell " << c << " of the voided run";
            }
        }
    }
}

TEST(LineFlash, EachStopperLeavesTheWindowAsItShould) {
    auto runToOnTick = [](ShownGame& g) {
        g.start();
        g.script(oneLine());
        g.bet(1);
        g.p.runUntil(
            [&] {
                return !g.flashes.empty() && g.flashes.back().phase == 1 &&
                       !g.show.flash.tmrlineflash.ticking();
            },
            10000);
        ASSERT_EQ(g.flashes.back().phase, 1);
        ASSERT_TRUE(g.m.w.Lineflash[1].visible);
    };

    {  // The start of the next spin clears the reel area and shows every marker.
        ShownGame g;
        runToOnTick(g);
        g.script(blankStops());
        g.bet(1);
        EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
        for (int k = 1; k <= 6; ++k) EXPECT_FALSE(g.m.w.Lineflash[k].visible);
        for (int k = 1; k <= 26; ++k) EXPECT_TRUE(g.m.w.lin[k].visible);
        for (int c = 1; c <= 15; ++c) {
            EXPECT_FALSE(g.m.w.flasher[c].visible);
            EXPECT_EQ(g.m.w.flasher[c].picture, (platform::PictureRef{"ImageList1", 21}));
        }
    }
    {  // Opening the gamble hides the cells and leaves the segments as the last tick drew them.
        ShownGame g;
        runToOnTick(g);
        g.openGamble();
        ASSERT_EQ(g.gamble->phase(), gamble::Gamble::Phase::Open);
        EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
        EXPECT_FALSE(g.show.animations.Timer4.enabled());
        EXPECT_FALSE(g.show.animations.Timerscatters.enabled());
        for (int c = 1; c <= 15; ++c) EXPECT_FALSE(g.m.w.flasher[c].visible);
        const size_t drawn = g.flashes.size();
        const bool segment = g.m.w.Lineflash[1].visible;
        EXPECT_EQ(segment, g.flashes.back().segment[1]) << "the segment as the last tick left it";
        g.idle(2000);
        EXPECT_EQ(g.flashes.size(), drawn);
        EXPECT_EQ(g.m.w.Lineflash[1].visible, segment);
    }
    {  // COINS stops it as it stands; the money goes in.
        ShownGame g;
        runToOnTick(g);
        const int32_t bank = g.m.s.bank;
        g.p.tap(g.m.w.coinsin);
        g.idle(1000);
        EXPECT_EQ(g.m.s.bank, bank + 25);
        EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
        // What the last tick drew stays on the window.
        const FlashView& last = g.flashes.back();
        EXPECT_EQ(g.m.w.Lineflash[1].visible, last.phase == 1);
        EXPECT_EQ(g.m.w.lin[last.line].visible, last.phase == 0);
        for (int c = 1; c <= 15; ++c) EXPECT_EQ(g.m.w.flasher[c].visible, last.cell[c]) << "cell " << c;
    }
    {  // The viewer hides segments and cells.
        ShownGame g;
        runToOnTick(g);
        g.p.click(g.m.w.Mnupaylines);
        g.idle(1);
        EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
        for (int k = 1; k <= 6; ++k) EXPECT_FALSE(g.m.w.Lineflash[k].visible);
        for (int c = 1; c <= 15; ++c) EXPECT_FALSE(g.m.w.flasher[c].visible);
    }
    {  // Closing the window.
        ShownGame g;
        runToOnTick(g);
        g.m.requestClose();
        EXPECT_FALSE(g.show.flash.tmrlineflash.enabled());
    }
}

}  // namespace
}  // namespace zem::testing

namespace zem::testing {
namespace {

TEST(LineFlash, AutoplayRunsOnThroughTheWinShow) {
    // Autoplay presses the next spin from inside the flash's yield: every spin still runs alone, and every
    // coin is accounted for, free-spin series included.
    ShownGame g;
    g.start(1000000);
    g.p.useSeededRandom(2026);
    int nested = 0, flashedSpins = 0;
    g.m.onSpinDone = [&] {
        nested += g.m.spinDepth() != 1;
        flashedSpins += g.show.flash.tmrlineflash.enabled();
    };
    g.p.tap(g.m.w.autoplayon);
    g.p.runUntil([&] { return g.m.s.games >= 300; }, 24LL * 3600 * 1000);
    g.p.tap(g.m.w.autoplayoff);
    g.p.runUntil([&] { return !g.m.spinning() && g.m.s.freespinmode == 0 && g.m.s.freespinstotal == 0; },
                 3600 * 1000);
    EXPECT_GE(g.m.s.games, 300);
    EXPECT_EQ(nested, 0);
    EXPECT_GT(flashedSpins, 50) << "the flash ran after many of the spins";
    EXPECT_FALSE(g.flashes.empty());
    EXPECT_EQ(g.m.s.bank, 1000000 - g.m.s.wager + g.m.s.total);
}

}  // namespace
}  // namespace zem::testing
