// SPDX-License-Identifier: GPL-3.0-or-later
// The enumeration of every outcome against the evaluation of each, on all 22^5 outcomes; and the exact
// figures' own checks that a wrong count would break.
#include "core/line_evaluation.h"

#include "core/free_spins.h"
#include "core/machine_math.h"
#include "core/machine_state.h"
#include "core/pays.h"
#include "core/spin_draw.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace zem::core;

// The enumeration works out reel 5 apart from reels 1..4; on every outcome it must give what the evaluation
// of those stops alone gives, and that, the game's pay (each checked against the reference in pays_test).
TEST(LineEvaluation, EnumerationGivesTheGamesResultOnEveryOutcomeAtEveryNumberOfLines) {
    struct Bet {
        int16_t lines, coins;
    };
    for (const Bet bet : {Bet{25, 1}, Bet{15, 5}, Bet{10, 2}, Bet{5, 3}, Bet{1, 20}}) {
        const LineEvaluator evaluator(bet.lines, bet.coins);
        MachineState s;
        s.linesplayed = bet.lines;
        s.coinsperline = bet.coins;
        int64_t outcomes = 0, mismatches = 0, wins = 0, multiplied = 0;
        evaluator.forEachOutcome([&](const LineEvaluator::Stops& stops, const OutcomeFigures& f) {
            ++outcomes;
            const OutcomeFigures direct = evaluator.evaluate(stops);
            // The game's path on a sample: every 97th outcome.
            bool gameAgrees = true;
            if (outcomes % 97 == 0) {
                placeStops(s, stops);
                payOutcome(s);
                gameAgrees = s.spinwin == f.win && s.scattercount == f.scatters &&
                             wildInWinningRun(s) == f.wildInRun &&
                             ((s.wildhold2 > 0 ? 4 : 0) | (s.wildhold3 > 0 ? 8 : 0) | (s.wildhold4 > 0 ? 16 : 0)) ==
                                 f.wildReels;
                s.wildhold2 = s.wildhold3 = s.wildhold4 = 0;
            }
            if (!(f == direct) || !gameAgrees) {
                if (++mismatches <= 5) {
                    ADD_FAILURE() << "lines " << bet.lines << " stops " << stops[0] << ',' << stops[1] << ','
                                  << stops[2] << ',' << stops[3] << ',' << stops[4] << ": win " << f.win << '/'
                                  << direct.win << " (game " << s.spinwin << "), Wild in run " << f.wildInRun
                                  << '/' << direct.wildInRun;
                }
            }
            wins += f.win > 0 ? 1 : 0;
            multiplied += f.wildInRun ? 1 : 0;
        });
        EXPECT_EQ(outcomes, 22 * 22 * 22 * 22 * 22);
        EXPECT_EQ(mismatches, 0) << "lines " << bet.lines;
        // The comparison covered wins and Wild runs, not only blanks.
        EXPECT_GT(wins, outcomes / 10);
        EXPECT_GT(multiplied, 1000);
    }
}

TEST(MachineMath, BaseFiguresAddUpAndMatchTheMeasuredReturn) {
    const MachineFigures f = machineFigures(25, 1, {5, 2, 1});
    const BaseFigures& b = f.base;
    EXPECT_EQ(b.outcomes, 5153632);
    int64_t scatters = 0, outcomes = 0;
    for (int64_t n : b.scatterCounts) scatters += n;
    double won = 0;
    for (const auto& [win, n] : b.wins) {
        outcomes += n;
        won += static_cast<double>(win) * static_cast<double>(n);
    }
    EXPECT_EQ(scatters, b.outcomes);
    EXPECT_EQ(outcomes, b.outcomes);
    EXPECT_NEAR(won / static_cast<double>(b.outcomes) / 25.0, b.rtp, 1e-12);
    EXPECT_NEAR(b.rtp, 0.8055, 0.00005);
    // Five Scatters at once: reels 1..5 each at a stop with a Scatter in view.
    EXPECT_EQ(b.scatterCounts[5], 6 * 3 * 1 * 3 * 3);
    ASSERT_FALSE(b.wins.empty());
    EXPECT_EQ(b.wins.front().first, 0);
    EXPECT_NEAR(b.hitFrequency, 1.0 - static_cast<double>(b.wins.front().second) / 5153632.0, 1e-12);

    ASSERT_EQ(f.settings.size(), 3u);
    const SettingFigures& five = f.settings[0];
    const SettingFigures& two = f.settings[1];
    const SettingFigures& one = f.settings[2];
    EXPECT_EQ(five.payout, 5);
    EXPECT_EQ(one.payout, 1);
    // Fewer voids return more, and every setting returns more than it takes as the tables stand.
    EXPECT_LT(five.rtp, two.rtp);
    EXPECT_LT(two.rtp, one.rtp);
    EXPECT_GT(five.rtp, 1.0);
    EXPECT_NEAR(five.rtp, 1.0865, 0.0005);
    // No voids at setting 1: a paid spin's hits are the base hits plus the held spins' extra.
    EXPECT_EQ(one.voidsPerSpin, 0.0);
    EXPECT_GT(five.voidsPerSpin, two.voidsPerSpin);
    EXPECT_GT(one.hitFrequency, b.hitFrequency);
    // A series gives on average more than the announced 10 spins (retriggers) and each spin is free.
    for (const SettingFigures& s : f.settings) {
        EXPECT_GT(s.freeSpinsPerSpin / s.freeSeriesPerSpin, 10.0) << s.payout;
        EXPECT_LT(s.freeSpinsPerSpin / s.freeSeriesPerSpin, 20.0) << s.payout;
        EXPECT_GT(s.sd, 1.0);
        EXPECT_GT(s.sdLongRun, 0.0);
        EXPECT_GT(s.heldShare, 0.0);
        EXPECT_LT(s.heldShare, 0.5);
    }
    // With no voids, the share of paid spins that trigger is the Scatter chance under the held states'
    // mix; without holds it would be exactly the base chance, and holds change reels 2..4 only slightly.
    const double baseTrigger =
        static_cast<double>(b.scatterCounts[3] + b.scatterCounts[4] + b.scatterCounts[5]) / 5153632.0;
    EXPECT_NEAR(one.freeSeriesPerSpin, baseTrigger, baseTrigger * 0.2);
}

TEST(MachineMath, ReturnToPlayerIsTheReportsFigureAndKeptOnceComputed) {
    const MachineFigures f = machineFigures(10, 1, {5, 2, 1});
    for (const SettingFigures& s : f.settings) EXPECT_DOUBLE_EQ(returnToPlayer(s.payout, 10), s.rtp);
    EXPECT_DOUBLE_EQ(returnToPlayer(5, 10), returnToPlayer(5, 10));
    EXPECT_NE(returnToPlayer(5, 10), returnToPlayer(1, 10));
    EXPECT_DOUBLE_EQ(standingChance(5), 0.4);
    EXPECT_DOUBLE_EQ(standingChance(2), 0.5);
    EXPECT_DOUBLE_EQ(standingChance(1), 1.0);
}

}  // namespace
