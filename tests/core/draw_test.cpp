// SPDX-License-Identifier: GPL-3.0-or-later
// The draw of each reel, what one reel adds to the tally, and the hold of a reel by a Wild.
#include "core/paylines.h"
#include "core/reels.h"
#include "core/spin_draw.h"
#include "support/machine_tables.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

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

TEST(Draw, EachStopTalliesItsOwnReelAlone) {
    // One reel on its own adds its weight to the lines through each row for the symbol in the row (every
    // paying symbol for a Wild), registers its Wild or Scatter, and touches nothing else.
    for (int reel = 1; reel <= 5; ++reel) {
        for (int16_t stop = 1; stop <= 22; ++stop) {
            MachineState s;
            clearSpin(s);
            s.reelstop[reel] = stop;
            tallyReel(s, reel);
            int16_t expected[11][26] = {};
            int16_t expectedWildline[26] = {};
            int expectedScatters = 0;
            int16_t expectedScatterCell = 0, expectedWildCell = 0;
            for (int row = 1; row <= 3; ++row) {
                const Symbol symbol = shown(reel, stop, row);
                for (const LineGeometry& g : kLineTable) {
                    if (g.rows[reel - 1] != row) continue;
                    if (symbol == Wild) {
                        for (int paying = 1; paying <= 10; ++paying)
                            expected[paying][g.line] += kWeights[reel];
                        expectedWildline[g.line] = static_cast<int16_t>(kWeights[reel]);
                    } else if (symbol != Scatter) {
                        expected[symbol][g.line] += kWeights[reel];
                    }
                }
                if (symbol == Scatter) {
                    ++expectedScatters;
                    expectedScatterCell = cellNumber(reel, row);
                }
                if (symbol == Wild) expectedWildCell = cellNumber(reel, row);
            }
            const std::string where = "reel " + std::to_string(reel) + " stop " + std::to_string(stop);
            for (int symbol = 1; symbol <= 10; ++symbol) {
                for (int line = 1; line <= 25; ++line) {
                    ASSERT_EQ(s.tally[symbol][line], expected[symbol][line])
                        << where << " symbol " << symbol << " line " << line;
                }
            }
            for (int line = 1; line <= 25; ++line)
                ASSERT_EQ(s.wildline[line], expectedWildline[line]) << where;
            EXPECT_EQ(s.scattercount, expectedScatters) << where;
            EXPECT_EQ(s.scattercell[reel], expectedScatterCell) << where;
            EXPECT_EQ(s.wildcell[reel], expectedWildCell) << where;
            EXPECT_EQ(s.wildhold(reel), (reel >= 2 && reel <= 4 && expectedWildCell != 0) ? 1 : 0) << where;
        }
    }
}

TEST(Draw, ReelFourAtStopTwentyTwoTalliesTheBottomChief) {
    MachineState s;
    clearSpin(s);
    s.reelstop[4] = 22;
    tallyReel(s, 4);
    for (int line : {3, 7, 9, 17, 18, 21, 22}) EXPECT_EQ(s.tally[Chief][line], 10) << "line " << line;
    for (int line : {2, 6, 8, 15, 19, 20, 23}) EXPECT_EQ(s.tally[Queen][line], 10) << "line " << line;
    for (int line : {1, 4, 5, 10, 11, 12, 13, 14, 16, 24, 25}) EXPECT_EQ(s.tally[Skull][line], 10);
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
    for (int symbol = 1; symbol <= 10; ++symbol) {
        for (int line = 0; line <= 25; ++line) EXPECT_EQ(s.tally[symbol][line], 0);
    }
    for (int line = 0; line <= 25; ++line) EXPECT_EQ(s.wildline[line], 0);
}

TEST(Draw, LaterWildOnALineSetsItsWildline) {
    // Wilds in the middle of reels 2, 3 and 4 all lie on line 1; the last one tallied leaves its weight.
    MachineState s;
    placeStops(s, {2, 1, 10, 10, 2});
    EXPECT_EQ(s.wildcell[2], 5);
    EXPECT_EQ(s.wildcell[3], 8);
    EXPECT_EQ(s.wildcell[4], 11);
    EXPECT_EQ(s.wildline[1], 10);
    EXPECT_EQ(s.wildhold2, 1);
    EXPECT_EQ(s.wildhold3, 1);
    EXPECT_EQ(s.wildhold4, 1);
    // Kings in the middle of reels 1 and 5 with three Wilds between them: King's sum on line 1 is 51.
    EXPECT_EQ(symbolAt(1, 2, 2), King);
    EXPECT_EQ(symbolAt(5, 2, 2), King);
    EXPECT_EQ(s.tally[King][1], 51);
    EXPECT_EQ(s.tally[Queen][1], 7 + 6 + 10);
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

        // Spin 2: the reel is held, not drawn; its Wild is tallied and registered again.
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
        for (int symbol = 1; symbol <= 10; ++symbol) {
            for (int line = 1; line <= 25; ++line) {
                ASSERT_EQ(s.tally[symbol][line], placed.tally[symbol][line]) << "held reel tallied again";
            }
        }
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
