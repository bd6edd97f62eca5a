// SPDX-License-Identifier: GPL-3.0-or-later
// Free spins: the award per Scatter count, the multiplier draw and whether a Wild takes part in a win.
#include "core/free_spins.h"

#include "core/paylines.h"
#include "core/pays.h"
#include "core/spin_draw.h"
#include "support/machine_tables.h"

#include <gtest/gtest.h>
#include <limits>

namespace zem::testing {
namespace {

using namespace zem::core;

TEST(FreeSpins, AwardPerScatterCount) {
    struct Row {
        int scatters, announced, outside, inside;
    };
    const Row rows[] = {{0, 0, 0, 0},    {1, 0, 0, 0},    {2, 0, 0, 0}, {3, 10, 11, 10},
                        {4, 15, 16, 15}, {5, 20, 21, 20}, {6, 0, 0, 0}, {-1, 0, 0, 0}};
    for (const Row& r : rows) {
        const FreeSpinAward award = freeSpinAward(r.scatters);
        EXPECT_EQ(award.announced, r.announced) << r.scatters;
        EXPECT_EQ(award.addedOutside, r.outside) << r.scatters;
        EXPECT_EQ(award.addedInside, r.inside) << r.scatters;
    }
}

TEST(FreeSpins, MultiplierBands) {
    int countBy[11] = {};
    for (int r = 1; r <= 25; ++r) {
        const Multiplier m = multiplierForDraw(r);
        const int expected = r == 1 ? 10 : r <= 5 ? 5 : r <= 14 ? 3 : 2;
        const int pic = expected == 5 ? 31 : expected == 3 ? 27 : 23;
        EXPECT_EQ(m.value, expected) << "r = " << r;
        EXPECT_EQ(m.pic, pic) << "r = " << r;
        ++countBy[m.value];
    }
    EXPECT_EQ(countBy[10], 1);
    EXPECT_EQ(countBy[5], 4);
    EXPECT_EQ(countBy[3], 9);
    EXPECT_EQ(countBy[2], 11);
}

// A free-spin state whose only win is line `line` with a run of `run`, and one Wild at `wildReel`'s cell on
// that line (or at another cell of the reel when `onLine` is false).
MachineState withWinningLine(int line, int run, int wildReel, bool onLine) {
    MachineState s;
    s.linesplayed = 25;
    s.linecount[line] = static_cast<int16_t>(run);
    const int16_t cell = lineCell(line, wildReel);
    s.wildcell[wildReel] =
        onLine ? cell
               : static_cast<int16_t>(cell == cellNumber(wildReel, 1) ? cellNumber(wildReel, 2)
                                                                      : cellNumber(wildReel, 1));
    return s;
}

TEST(FreeSpins, WildCountsOnlyInsideTheRun) {
    for (int line = 1; line <= 25; ++line) {
        for (int run = 2; run <= 5; ++run) {
            for (int reel = 2; reel <= 4; ++reel) {
                // A run of 2 takes reels 1-2, a run of 3 reels 1-3; runs of 4 and 5 look at reels 2 to 4.
                const bool inRun = reel <= run;
                EXPECT_EQ(wildInWinningRun(withWinningLine(line, run, reel, true)), inRun)
                    << "line " << line << " run " << run << " Wild on reel " << reel;
                EXPECT_FALSE(wildInWinningRun(withWinningLine(line, run, reel, false)))
                    << "line " << line << " run " << run << " Wild off the line on reel " << reel;
            }
        }
        // Runs outside 2..5 are skipped, even with the Wild on the line.
        for (int run : {0, 1, 6}) EXPECT_FALSE(wildInWinningRun(withWinningLine(line, run, 2, true)));
    }
    // A line beyond the lines played does not count.
    MachineState s = withWinningLine(10, 3, 2, true);
    s.linesplayed = 5;
    EXPECT_FALSE(wildInWinningRun(s));
    s.linesplayed = 10;
    EXPECT_TRUE(wildInWinningRun(s));
}

TEST(FreeSpins, MultiplierDrawnAndKeptOnlyWithAWildInARun) {
    for (int r = 1; r <= 25; ++r) {
        const Multiplier band = multiplierForDraw(r);
        MachineState with = withWinningLine(4, 3, 3, true);
        ScriptedRandom random;
        random.pushChoice(r, 25);
        freespinbusiness(with, random);
        EXPECT_EQ(random.drawn(), 1u);
        EXPECT_EQ(with.winmultiplier, band.value) << "r = " << r;
        EXPECT_EQ(with.multiplierpic, band.pic) << "r = " << r;

        MachineState without = withWinningLine(4, 3, 4, true);  // the Wild stands beyond the run
        random.pushChoice(r, 25);
        freespinbusiness(without, random);
        EXPECT_EQ(without.winmultiplier, 1) << "r = " << r;
        EXPECT_EQ(without.multiplierpic, band.pic) << "the picture index follows the draw";
    }
}

TEST(FreeSpins, MultiplierDrawStaysInItsBands) {
    const double values[] = {1.0, 2.0, std::numeric_limits<double>::infinity(), -0.1,
                             std::numeric_limits<double>::quiet_NaN()};
    const int expected[] = {2, 2, 2, 10, 10};
    for (int i = 0; i < 5; ++i) {
        MachineState s = withWinningLine(1, 5, 2, true);
        ScriptedRandom random({values[i]});
        freespinbusiness(s, random);
        EXPECT_EQ(s.winmultiplier, expected[i]) << values[i];
    }
}

TEST(FreeSpins, RealOutcomesWithAWild) {
    // A Tomahawk run of 2 whose reel-2 cell holds the Wild is multiplied.
    const auto two = placeOnSomeLine({Tomahawk, Wild, Jack, Skull, Skull});
    ASSERT_TRUE(two);
    MachineState s;
    placeStops(s, two->stops);
    payOutcome(s);
    ASSERT_EQ(s.linecount[two->line], 2);
    EXPECT_TRUE(wildInWinningRun(s));

    // A run of 5 whose only Wild is on reel 4 is multiplied.
    const auto five = placeOnSomeLine({King, King, King, Wild, King});
    ASSERT_TRUE(five);
    MachineState t;
    placeStops(t, five->stops);
    payOutcome(t);
    ASSERT_EQ(t.linecount[five->line], 5);
    EXPECT_TRUE(wildInWinningRun(t));

    // An outcome that wins only by its Scatters, with a Wild in view: multiplier 1.
    bool found = false;
    for (int16_t a : {1, 10, 11, 12, 21, 22}) {
        for (int16_t b = 1; b <= 22 && !found; ++b) {
            for (int16_t e : {7, 8, 9}) {
                MachineState u;
                placeStops(u, {a, b, 10, 3, e});  // reel 3 shows a Wild in the middle
                payOutcome(u);
                bool lineWin = false;
                for (int line = 1; line <= 25; ++line) lineWin = lineWin || u.linewin[line] != 0;
                if (lineWin || u.scattercount < 2 || found) continue;
                found = true;
                ASSERT_GT(u.wildcell[3], 0);
                ScriptedRandom random;
                random.pushChoice(1, 25);
                freespinbusiness(u, random);
                EXPECT_EQ(u.winmultiplier, 1);
            }
        }
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace zem::testing
