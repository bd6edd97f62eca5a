// SPDX-License-Identifier: GPL-3.0-or-later
// Scatter and line pays: the worked outcomes, the lines played, and every outcome against a reference worked
// out plainly from the window.
#include "core/pays.h"

#include "core/free_spins.h"
#include "core/line_evaluation.h"
#include "core/spin_draw.h"
#include "support/reference_pays.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace zem::testing {
namespace {

using namespace zem::core;

// Coins that line `line` alone pays in outcome `stops`, with the bet's coins per line.
int32_t payOfLine(const Stops& stops, int line, int16_t coins) {
    MachineState s;
    s.coinsperline = coins;
    placeStops(s, stops);
    s.linesplayed = static_cast<int16_t>(line);
    s.spinwin = 0;
    payLines(s);
    const int32_t upToLine = s.spinwin;
    s.linesplayed = static_cast<int16_t>(line - 1);
    s.spinwin = 0;
    payLines(s);
    return upToLine - s.spinwin;
}

int scattersInWindow(const Stops& stops) {
    int count = 0;
    for (int reel = 1; reel <= 5; ++reel) {
        for (int row = 1; row <= 3; ++row) count += shown(reel, stops[reel - 1], row) == Scatter ? 1 : 0;
    }
    return count;
}

int scatterPay(int scatters, int coins, int lines) {
    const int factor[] = {0, 0, 1, 5, 10, 20};
    return factor[scatters] * coins * lines;
}

// Checks payOutcome on `s` (already placed at `stops`) against the reference, line by line, and the
// multiplier's Wild test with it; returns false on the first difference, after reporting it.
bool payOutcomeMatchesReference(MachineState& s, const Stops& stops, const ReferenceOutcome& r) {
    payOutcome(s);
    const int lines = std::min<int>(s.linesplayed, 25);
    bool same = s.spinwin == r.win(lines, s.coinsperline) && r.payersOnOneLine <= 1 &&
                s.scattercount == r.scatters && wildInWinningRun(s) == r.anyWildInRun(lines);
    for (int line = 1; line <= 25; ++line) {
        const int run = line <= lines ? r.run[line] : 0;
        same = same && s.linewin[line] == (run != 0 ? line : 0) && s.linecount[line] == run;
    }
    if (!same) {
        ADD_FAILURE() << "stops " << stops[0] << "," << stops[1] << "," << stops[2] << "," << stops[3] << ","
                      << stops[4] << " lines " << s.linesplayed << " coins " << s.coinsperline << ": spinwin "
                      << s.spinwin << ", expected " << r.win(lines, s.coinsperline) << " (payers on one line "
                      << r.payersOnOneLine << ")";
    }
    return same;
}

bool payOutcomeMatchesReference(MachineState& s, const Stops& stops) {
    return payOutcomeMatchesReference(s, stops, referenceOutcome(stops));
}

TEST(LinePays, ChiefsAcrossTheMiddleWithTwoScatters) {
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    placeStops(s, {21, 20, 16, 17, 7});
    for (int reel = 1; reel <= 5; ++reel) EXPECT_EQ(symbolAt(reel, s.reelstop[reel], 2), Chief);
    payOutcome(s);
    EXPECT_EQ(s.scattercount, 2);
    const int16_t scatterCells[6] = {0, 3, 0, 0, 0, 15};
    for (int reel = 1; reel <= 5; ++reel) EXPECT_EQ(s.scattercell[reel], scatterCells[reel]);
    EXPECT_EQ(referenceTally({21, 20, 16, 17, 7}).sum[Chief][1], 51);
    EXPECT_EQ(s.spinwin, 1525);
    EXPECT_EQ(s.linewin[1], 1);
    EXPECT_EQ(s.linecount[1], 5);
    for (int line = 2; line <= 25; ++line) {
        EXPECT_EQ(s.linewin[line], 0) << "line " << line;
        EXPECT_EQ(s.linecount[line], 0) << "line " << line;
    }
}

TEST(LinePays, WorkedLines) {
    struct Case {
        std::array<Symbol, 5> symbols;
        Symbol payer;
        int sum;  // the payer's weight sum on the line
        int run;  // 0 when the line pays nothing
        int payPerCoin;
    };
    const Case cases[] = {
        {{Jack, Wild, Jack, Wild, Queen}, Jack, 31, 4, 20},
        {{Tomahawk, Tomahawk, Skull, Tomahawk, Tomahawk}, Tomahawk, 45, 2, 2},
        {{Jack, Jack, Skull, Jack, Jack}, Jack, 45, 0, 0},
        {{King, King, King, Queen, King}, King, 41, 3, 15},
        {{Tomahawk, Wild, Jack, Skull, Skull}, Tomahawk, 15, 2, 2},
        {{Tomahawk, Wild, Jack, Tomahawk, Tomahawk}, Tomahawk, 45, 2, 2},
        {{Tomahawk, Wild, Wild, Wild, Chief}, Tomahawk, 31, 4, 20},
        {{King, Wild, Wild, Wild, Jack}, King, 31, 4, 50},
        {{Chief, Wild, Chief, Chief, Chief}, Chief, 51, 5, 1500},
        {{Maiden, Maiden, Totem, Maiden, Maiden}, Maiden, 45, 0, 0},
        {{Hoop, Hoop, Hoop, Hoop, Skull}, Hoop, 31, 4, 250},
        {{Skull, Queen, Skull, Skull, Skull}, Skull, 44, 0, 0},
        {{Totem, Totem, Totem, Totem, Totem}, Totem, 51, 5, 125},
        // A Scatter on reel 1 breaks every run, however many Wilds follow.
        {{Scatter, Wild, Wild, Wild, Queen}, Queen, 43, 0, 0},
    };
    for (const Case& c : cases) {
        const auto placed = placeOnSomeLine(c.symbols);
        ASSERT_TRUE(placed) << "no line can show " << symbolName(c.symbols[0]) << "...";
        MachineState s;
        placeStops(s, placed->stops);
        EXPECT_EQ(referenceTally(placed->stops).sum[c.payer][placed->line], c.sum) << "line " << placed->line;
        for (int16_t coins : {1, 3, 20}) {
            EXPECT_EQ(payOfLine(placed->stops, placed->line, coins), coins * c.payPerCoin)
                << symbolName(c.symbols[0]) << " " << symbolName(c.symbols[1]) << " "
                << symbolName(c.symbols[2]) << " on line " << placed->line << " at " << coins << " coins";
        }
        s.linesplayed = 25;
        payOutcome(s);
        EXPECT_EQ(s.linewin[placed->line], c.run == 0 ? 0 : placed->line);
        if (c.run != 0) {
            EXPECT_EQ(s.linecount[placed->line], c.run);
        }
    }
    // Jack, Wild, Jack, Wild, Queen: Queen's sum is 7 + 10 + 20 and pays nothing.
    const auto placed = placeOnSomeLine({Jack, Wild, Jack, Wild, Queen});
    ASSERT_TRUE(placed);
    MachineState s;
    placeStops(s, placed->stops);
    EXPECT_EQ(referenceTally(placed->stops).sum[Queen][placed->line], 37);
    payOutcome(s);
    EXPECT_EQ(s.linecount[placed->line], 4);  // the Jack's run, not the Queen's
}

TEST(ScatterPays, MultiplesOfTheTotalBet) {
    const Stops withScatter = {1, 7, 1, 5, 7};
    const Stops without = {2, 3, 2, 1, 1};
    for (int scatters = 0; scatters <= 5; ++scatters) {
        Stops stops{};
        for (int reel = 0; reel < 5; ++reel)
            stops[reel] = reel < scatters ? withScatter[reel] : without[reel];
        ASSERT_EQ(scattersInWindow(stops), scatters);
        for (int16_t lines : {1, 5, 10, 15, 25}) {
            for (int16_t coins : {1, 2, 3, 5, 10, 20}) {
                MachineState s;
                s.linesplayed = lines;
                s.coinsperline = coins;
                placeStops(s, stops);
                EXPECT_EQ(s.scattercount, scatters);
                s.spinwin = 7;
                payScatters(s);
                EXPECT_EQ(s.spinwin, 7 + scatterPay(scatters, coins, lines))
                    << scatters << " Scatters, " << lines << " lines, " << coins << " coins";
            }
        }
    }
}

TEST(ScatterPays, TwoScattersAndNoLineWinAtFiftyCoinsBet) {
    // The first outcome, in stop order, with exactly two Scatters and no winning line.
    bool found = false;
    for (int16_t a = 1; a <= 22 && !found; ++a) {
        for (int16_t b = 1; b <= 22 && !found; ++b) {
            for (int16_t c = 1; c <= 22 && !found; ++c) {
                for (int16_t d = 1; d <= 22 && !found; ++d) {
                    for (int16_t e = 1; e <= 22 && !found; ++e) {
                        const Stops stops = {a, b, c, d, e};
                        if (scattersInWindow(stops) != 2) continue;
                        MachineState s;
                        s.linesplayed = 25;
                        s.coinsperline = 2;
                        placeStops(s, stops);
                        if (referenceOutcome(stops).win(25, 2) != 50) continue;
                        found = true;
                        payOutcome(s);
                        EXPECT_EQ(s.spinwin, 50);
                        for (int line = 1; line <= 25; ++line) EXPECT_EQ(s.linewin[line], 0);
                    }
                }
            }
        }
    }
    EXPECT_TRUE(found);
}

TEST(LinePays, OnlyPlayedLinesPay) {
    // Chiefs on reels 1 to 3 of the top row (line 2); reel 1's middle cell is a Scatter, so line 1 is dead.
    const Stops stops = {22, 21, 17, 1, 1};
    ASSERT_EQ(shown(1, 22, 1), Chief);
    ASSERT_EQ(shown(1, 22, 2), Scatter);
    MachineState s;
    s.coinsperline = 2;
    placeStops(s, stops);
    s.linesplayed = 1;
    s.linewin[2] = 2;  // left over from an earlier spin
    payOutcome(s);
    EXPECT_EQ(s.spinwin, 0);
    for (int line = 1; line <= 25; ++line) EXPECT_EQ(s.linewin[line], 0) << "line " << line;
    EXPECT_EQ(s.linecount[2], 0);

    s.linesplayed = 5;
    payOutcome(s);
    EXPECT_EQ(s.linewin[2], 2);
    EXPECT_EQ(s.linecount[2], 3);
    EXPECT_GE(s.spinwin, 600);
    EXPECT_TRUE(payOutcomeMatchesReference(s, stops));

    // Every bet on a sample of outcomes, each against the reference.
    std::mt19937 pick(12345);
    std::uniform_int_distribution<int> stop(1, 22);
    int failures = 0;
    for (int n = 0; n < 4000 && failures < 5; ++n) {
        const Stops sample = {static_cast<int16_t>(stop(pick)), static_cast<int16_t>(stop(pick)),
                              static_cast<int16_t>(stop(pick)), static_cast<int16_t>(stop(pick)),
                              static_cast<int16_t>(stop(pick))};
        for (int16_t lines : {1, 5, 10, 15, 25}) {
            for (int16_t coins : {1, 2, 3, 5, 10, 20}) {
                MachineState t;
                t.linesplayed = lines;
                t.coinsperline = coins;
                placeStops(t, sample);
                if (!payOutcomeMatchesReference(t, sample)) ++failures;
            }
        }
    }
}

TEST(LinePays, LineZeroIsNeverRead) {
    // Whatever stands in the spare entries of line 0 changes no pay.
    for (const Stops& stops : {Stops{21, 20, 16, 17, 7}, Stops{2, 1, 10, 10, 2}, Stops{4, 13, 2, 1, 1}}) {
        MachineState clean;
        placeStops(clean, stops);
        payOutcome(clean);
        MachineState dirty;
        placeStops(dirty, stops);
        dirty.linewin[0] = 7;
        dirty.linecount[0] = 5;
        payOutcome(dirty);
        EXPECT_EQ(dirty.spinwin, clean.spinwin);
        for (int line = 1; line <= 25; ++line) EXPECT_EQ(dirty.linewin[line], clean.linewin[line]);
        EXPECT_EQ(dirty.linewin[0], 0);
    }
}

// The win told piece by piece (each line beside its marker, the Scatters apart) adds up to the outcome's
// win, and each line's piece is what that line alone pays.
TEST(LinePays, EachLinesPayAndTheScatterPayAddUpToTheWin) {
    std::mt19937 draw(21);
    std::uniform_int_distribution<int> stop(1, 22);
    const int16_t bets[][2] = {{25, 1}, {10, 3}, {1, 20}, {15, 5}};
    int winningLines = 0;
    for (int n = 0; n < 4000; ++n) {
        const Stops stops{static_cast<int16_t>(stop(draw)), static_cast<int16_t>(stop(draw)),
                          static_cast<int16_t>(stop(draw)), static_cast<int16_t>(stop(draw)),
                          static_cast<int16_t>(stop(draw))};
        MachineState s;
        s.linesplayed = bets[n % 4][0];
        s.coinsperline = bets[n % 4][1];
        placeStops(s, stops);
        payOutcome(s);
        int64_t told = scatterWin(s);
        for (int line = 1; line <= 25; ++line) {
            const int64_t pay = lineWin(s, line);
            told += pay;
            EXPECT_EQ(pay > 0, line <= s.linesplayed && s.linewin[line] > 0) << "line " << line;
            if (pay > 0) {
                ++winningLines;
                EXPECT_EQ(pay, payOfLine(stops, line, s.coinsperline)) << "line " << line;
            }
        }
        ASSERT_EQ(told, s.spinwin) << stops[0] << "," << stops[1] << "," << stops[2] << "," << stops[3] << ","
                                   << stops[4];
    }
    EXPECT_GT(winningLines, 500);
    EXPECT_EQ(lineWin(MachineState{}, 0), 0);
    EXPECT_EQ(lineWin(MachineState{}, 26), 0);
}

// All 22^5 outcomes, one test per stop of reel 1: the game's pay of each (25 lines, 1 coin), line by line, and
// the figures of every bet, against the reference.
class EveryOutcome : public ::testing::TestWithParam<int> {};

TEST_P(EveryOutcome, PaysMatchTheReference) {
    struct Bet {
        int16_t lines, coins;
    };
    static constexpr Bet kBets[] = {{25, 1}, {15, 5}, {10, 2}, {5, 3}, {1, 20}};
    std::vector<LineEvaluator> evaluators;
    for (const Bet bet : kBets) evaluators.emplace_back(bet.lines, bet.coins);
    ReferenceTally partial[6];
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    int failures = 0;
    long outcomes = 0, wins = 0, multiplied = 0;
    Stops stops{};
    stops[0] = static_cast<int16_t>(GetParam());
    partial[1].addReel(1, stops[0]);
    for (stops[1] = 1; stops[1] <= 22; ++stops[1]) {
        partial[2] = partial[1];
        partial[2].addReel(2, stops[1]);
        for (stops[2] = 1; stops[2] <= 22; ++stops[2]) {
            partial[3] = partial[2];
            partial[3].addReel(3, stops[2]);
            for (stops[3] = 1; stops[3] <= 22; ++stops[3]) {
                partial[4] = partial[3];
                partial[4].addReel(4, stops[3]);
                for (stops[4] = 1; stops[4] <= 22; ++stops[4]) {
                    partial[5] = partial[4];
                    partial[5].addReel(5, stops[4]);
                    const ReferenceOutcome r = referenceOutcome(partial[5], stops);
                    ++outcomes;
                    wins += r.win(25, 1) > 0 ? 1 : 0;
                    multiplied += r.anyWildInRun(25) ? 1 : 0;
                    placeStops(s, stops);
                    bool same = payOutcomeMatchesReference(s, stops, r);
                    for (size_t k = 0; k < evaluators.size(); ++k) {
                        const OutcomeFigures f = evaluators[k].evaluate(stops);
                        const OutcomeFigures expected{r.win(kBets[k].lines, kBets[k].coins),
                                                      static_cast<int16_t>(r.scatters),
                                                      r.anyWildInRun(kBets[k].lines), r.wildReels};
                        if (f == expected) continue;
                        same = false;
                        ADD_FAILURE() << "figures at " << kBets[k].lines << " lines, stops " << stops[0] << ","
                                      << stops[1] << "," << stops[2] << "," << stops[3] << "," << stops[4]
                                      << ": win " << f.win << " expected " << expected.win << ", Wild in run "
                                      << f.wildInRun << " expected " << expected.wildInRun;
                    }
                    if (!same && ++failures >= 5) return;
                }
            }
        }
    }
    EXPECT_EQ(outcomes, 22L * 22 * 22 * 22);
    // The comparison covered wins and Wild runs, not only blanks.
    EXPECT_GT(wins, outcomes / 10);
    EXPECT_GT(multiplied, 0);
}

INSTANTIATE_TEST_SUITE_P(ReelOneStop, EveryOutcome, ::testing::Range(1, 23));

}  // namespace
}  // namespace zem::testing
