// SPDX-License-Identifier: GPL-3.0-or-later
// The draw of each reel, what one reel registers, and the hold of a reel by a Wild.
#include "core/paylines.h"
#include "core/reels.h"
#include "core/spin_draw.h"
#include "support/machine_tables.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace zem::testing {
namespace {

using namespace zem::core;

TEST(Draw, UniformNumberMapsToStopOneToTwentyTwo) {
    struct Case {
        double u;
        int stop;
    };
    const double below = std::nextafter(1.0, 0.0);
    const Case cases[] = {
        {0.0, 1},
        {std::nextafter(1.0 / 22, 0.0), 1},
        {1.0 / 22, 2},
        {0.5, 12},
        {21.0 / 22, 22},
        {below, 22},
        // A generator that misbehaves must still leave the reel on its strip.
        {1.0, 22},
        {7.5, 22},
        {-0.25, 1},
        {std::numeric_limits<double>::quiet_NaN(), 1},
        {std::numeric_limits<double>::infinity(), 22},
        {-std::numeric_limits<double>::infinity(), 1},
    };
    for (const Case& c : cases) {
        MachineState s;
        ScriptedRandom random({c.u});
        chooseStop(s, 1, random);
        EXPECT_EQ(s.reelstop[1], c.stop) << "u = " << c.u;
        EXPECT_EQ(s.reeltop[1], -1875 * c.stop) << "u = " << c.u;
        EXPECT_EQ(random.drawn(), 1u);
    }
    // Every stop is reachable, by the draw the scripted generator queues for it.
    for (int stop = 1; stop <= kStops; ++stop) {
        MachineState s;
        ScriptedRandom random;
        random.pushStop(stop);
        chooseStop(s, 3, random);
        EXPECT_EQ(s.reelstop[3], stop);
    }
}

TEST(Draw, EachStopRegistersItsOwnReelAlone) {
    // One reel on its own registers its Wild or Scatter, and touches nothing else.
    for (int reel = 1; reel <= 5; ++reel) {
        for (int16_t stop = 1; stop <= 22; ++stop) {
            MachineState s;
            clearSpin(s);
            s.reelstop[reel] = stop;
            registerReel(s, reel);
            int16_t expectedWildline[26] = {};
            int expectedScatters = 0;
            int16_t expectedScatterCell = 0, expectedWildCell = 0;
            for (int row = 1; row <= 3; ++row) {
                const Symbol symbol = shown(reel, stop, row);
                for (const LineGeometry& g : kLineTable) {
                    if (g.rows[reel - 1] == row && symbol == Wild)
                        expectedWildline[g.line] = static_cast<int16_t>(kWeights[reel]);
                }
                if (symbol == Scatter) {
                    ++expectedScatters;
                    expectedScatterCell = cellNumber(reel, row);
                }
                if (symbol == Wild) expectedWildCell = cellNumber(reel, row);
            }
            const std::string where = "reel " + std::to_string(reel) + " stop " + std::to_string(stop);
            for (int line = 1; line <= 25; ++line)
                ASSERT_EQ(s.wildline(line), expectedWildline[line]) << where << " line " << line;
            EXPECT_EQ(s.scattercount, expectedScatters) << where;
            for (int r = 1; r <= 5; ++r) {
                EXPECT_EQ(s.scattercell[r], r == reel ? expectedScatterCell : 0) << where;
                EXPECT_EQ(s.wildcell[r], r == reel ? expectedWildCell : 0) << where;
            }
            EXPECT_EQ(s.wildhold(reel), (reel >= 2 && reel <= 4 && expectedWildCell != 0) ? 1 : 0) << where;
        }
    }
}

TEST(Draw, AStopOffTheStripShowsNothing) {
    // A stop outside 1..22 (a record from elsewhere) registers nothing and pays nothing, and never reads
    // outside the tables.
    for (int16_t stop : {int16_t{0}, int16_t{23}, int16_t{-1}, int16_t{32767}, int16_t{-32768}}) {
        MachineState s;
        placeStops(s, {21, 20, 16, 17, 7});  // Chiefs across the middle with two Scatters
        s.reelstop[5] = stop;
        clearSpin(s);
        for (int reel = 1; reel <= 5; ++reel) registerReel(s, reel);
        payOutcome(s);
        EXPECT_EQ(s.scattercount, 1) << stop;
        EXPECT_EQ(s.scattercell[5], 0) << stop;
        EXPECT_EQ(s.linecount[1], 4) << "the Chiefs of reels 1..4 still pay, stop " << stop;
        EXPECT_EQ(s.spinwin, 600) << stop;
        s.reelstop[1] = stop;
        payOutcome(s);
        EXPECT_EQ(s.spinwin, 0) << "no run starts without reel 1, stop " << stop;
    }
}

TEST(Draw, ReelFourAtStopTwentyTwoCarriesTheBottomChief) {
    // Reel 4 at stop 22 shows Queen, Skull, Chief from the top: it carries a run of each on the lines through
    // its rows, and ends the run of any other symbol there.
    struct RowLines {
        Symbol symbol;
        std::vector<int> lines;
    };
    const RowLines rows[] = {{Chief, {3, 7, 9, 17, 18, 21, 22}},
                             {Queen, {2, 6, 8, 15, 19, 20, 23}},
                             {Skull, {1, 4, 5, 10, 11, 12, 13, 14, 16, 24, 25}}};
    int checked = 0;
    for (const RowLines& r : rows) {
        for (int line : r.lines) {
            for (Symbol symbol : {r.symbol, Jack}) {
                auto stops = stopsForLine(line, {symbol, symbol, symbol, symbol, Jack == symbol ? King : Jack});
                if (!stops) continue;
                (*stops)[3] = 22;
                MachineState s;
                placeStops(s, *stops);
                if (s.wildcell[2] != 0 || s.wildcell[3] != 0) continue;  // a Wild would carry other runs
                payOutcome(s);
                EXPECT_EQ(s.linecount[line], symbol == r.symbol ? 4 : 3) << symbolName(symbol) << " line " << line;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 20);
}

TEST(Draw, ClearSpinForgetsThePreviousSpin) {
    MachineState s;
    placeStops(s, {21, 1, 10, 10, 7});  // two Wilds, two Scatters
    ASSERT_GT(s.scattercount, 0);
    ASSERT_GT(s.wildcell[2], 0);
    clearSpin(s);
    EXPECT_EQ(s.scattercount, 0);
    for (int reel = 1; reel <= 5; ++reel) {
        EXPECT_EQ(s.scattercell[reel], 0);
        EXPECT_EQ(s.wildcell[reel], 0);
    }
    for (int line = 1; line <= 25; ++line) EXPECT_EQ(s.wildline(line), 0);
}

TEST(Draw, LaterWildOnALineSetsItsWildline) {
    // Wilds in the middle of reels 2, 3 and 4 all lie on line 1; the last one tallied leaves its weight.
    MachineState s;
    placeStops(s, {2, 1, 10, 10, 2});
    EXPECT_EQ(s.wildcell[2], 5);
    EXPECT_EQ(s.wildcell[3], 8);
    EXPECT_EQ(s.wildcell[4], 11);
    EXPECT_EQ(s.wildline(1), 10);
    EXPECT_EQ(s.wildhold2, 1);
    EXPECT_EQ(s.wildhold3, 1);
    EXPECT_EQ(s.wildhold4, 1);
    // Kings in the middle of reels 1 and 5 with three Wilds between them: five Kings on line 1.
    EXPECT_EQ(symbolAt(1, 2, 2), King);
    EXPECT_EQ(symbolAt(5, 2, 2), King);
    payOutcome(s);
    EXPECT_EQ(s.linecount[1], 5);
}

TEST(Hold, AWildHoldsItsReelForExactlyOneFurtherSpin) {
    for (int reel = 2; reel <= 4; ++reel) {
        const int16_t wildStop = reel == 2 ? 1 : 10;  // a Wild in the middle row
        const int16_t plainStop = 4;                  // no Wild and no Scatter on reels 2 to 4
        MachineState s;
        ScriptedRandom random;

        // Spin 1: the Wild lands.
        for (int r = 1; r <= 5; ++r) random.pushStop(r == reel ? wildStop : plainStop);
        drawSpin(s, random);
        EXPECT_EQ(random.drawn(), 5u);
        EXPECT_EQ(s.reelstop[reel], wildStop);
        EXPECT_EQ(s.wildhold(reel), 1);
        EXPECT_EQ(s.reelheld(reel), 0);
        EXPECT_EQ(s.wildcell[reel], cellNumber(reel, 2));
        finishReelAnimation(s);
        EXPECT_EQ(s.wildhold(reel), 1) << "a drawn reel keeps its hold request for the next spin";

        // Spin 2: the reel is held, not drawn; its Wild is registered again.
        for (int r = 1; r <= 5; ++r) {
            if (r != reel) random.pushStop(7);
        }
        drawSpin(s, random);
        EXPECT_EQ(random.drawn(), 9u) << "reel " << reel << " must not be drawn while held";
        EXPECT_EQ(random.pending(), 0u);
        EXPECT_EQ(s.reelstop[reel], wildStop);
        EXPECT_EQ(s.reeltop[reel], -1875 * wildStop);
        EXPECT_EQ(s.reelheld(reel), 1);
        EXPECT_EQ(s.wildcell[reel], cellNumber(reel, 2));
        EXPECT_EQ(s.wildhold(reel), 1);
        MachineState placed;
        Stops stops{};
        for (int r = 1; r <= 5; ++r) stops[r - 1] = s.reelstop[r];
        placeStops(placed, stops);
        EXPECT_EQ(s.scattercount, placed.scattercount) << "held reel registered once";
        for (int r = 1; r <= 5; ++r) EXPECT_EQ(s.wildcell[r], placed.wildcell[r]);
        payOutcome(s);
        payOutcome(placed);
        EXPECT_EQ(s.spinwin, placed.spinwin);
        finishReelAnimation(s);
        EXPECT_EQ(s.wildhold(reel), 0);
        EXPECT_EQ(s.reelheld(reel), 0);

        // Spin 3: drawn again, although its Wild was visible in the held spin.
        for (int r = 1; r <= 5; ++r) random.pushStop(r == reel ? plainStop : 3);
        drawSpin(s, random);
        EXPECT_EQ(random.drawn(), 14u);
        EXPECT_EQ(s.reelstop[reel], plainStop);
        EXPECT_EQ(s.reelheld(reel), 0);
        EXPECT_EQ(s.wildhold(reel), 0);
        EXPECT_EQ(s.wildcell[reel], 0);
    }
}

TEST(Hold, TheRealGeneratorDrawsExactlyTheReelsThatAreNotHeld) {
    // The real generator's draw of a reel is worked out whether or not the reel is held; a held reel must
    // still take no number from it. A twin generator hands out numbers only to the reels that are drawn.
    SystemRandom random(4242), twin(4242);
    MachineState s;
    int held = 0;
    for (int spin = 0; spin < 3000; ++spin) {
        int16_t expected[6] = {};
        const int16_t holds[6] = {0, 0, s.wildhold2, s.wildhold3, s.wildhold4, 0};
        for (int reel = 1; reel <= 5; ++reel) {
            expected[reel] = holds[reel] > 0 ? s.reelstop[reel] : static_cast<int16_t>(drawOneTo(22, twin.uniform()));
            held += holds[reel] > 0 ? 1 : 0;
        }
        drawSpin(s, random);
        for (int reel = 1; reel <= 5; ++reel) {
            ASSERT_EQ(s.reelstop[reel], expected[reel]) << "spin " << spin << " reel " << reel;
            ASSERT_EQ(s.reelheld(reel), reel >= 2 && reel <= 4 && holds[reel] > 0 ? 1 : 0) << "spin " << spin;
        }
        finishReelAnimation(s);
    }
    EXPECT_GT(held, 100);
    EXPECT_EQ(random.next(), twin.next());
}

TEST(Hold, ReelsOneAndFiveAreNeverHeld) {
    MachineState s;
    s.wildhold(1) = 1;  // the dummy slot: must not hold anything
    s.wildhold(5) = 1;
    s.reelstop[1] = 5;
    s.reelstop[5] = 5;
    ScriptedRandom random;
    random.pushStop(9);
    random.pushStop(13);
    chooseStop(s, 1, random);
    chooseStop(s, 5, random);
    EXPECT_EQ(s.reelstop[1], 9);
    EXPECT_EQ(s.reelstop[5], 13);
    EXPECT_EQ(random.drawn(), 2u);
}

}  // namespace
}  // namespace zem::testing
