// SPDX-License-Identifier: GPL-3.0-or-later
// Scatter and line pays: the worked outcomes, the lines played, and every outcome against a reference.
#include "core/pays.h"

#include "core/spin_draw.h"
#include "support/machine_tables.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

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

// The line pay as the rules state it: every played line, all ten paying symbols in the order Totem,
// Chief, Maiden, Moccasins, Hoop, Tomahawk, King, Queen, Skull, Jack, each read off its tally sum.
struct ReferencePays {
    int32_t lineWin = 0;
    int16_t linewin[26] = {};
    int16_t linecount[26] = {};
    int payersOnOneLine = 0;  // most paying symbols found on a single line
};

constexpr Symbol kOrder[10] = {Totem, Chief, Maiden, Moccasins, Hoop, Tomahawk, King, Queen, Skull, Jack};

// The sums that pay, each with its run; the run-2 sums pay only the Tomahawk.
struct PayingSum {
    int sum;
    int run;
    bool tomahawkOnly;
};
constexpr PayingSum kPayingSums[] = {{15, 2, true},  {25, 2, true},  {35, 2, true},  {45, 2, true},
                                     {21, 3, false}, {41, 3, false}, {31, 4, false}, {51, 5, false}};

// The same list as a lookup by symbol and sum, so that every outcome can be checked in reasonable time.
struct RunTable {
    int8_t run[11][64] = {};
    RunTable() {
        for (int symbol = 1; symbol <= 10; ++symbol) {
            for (const PayingSum& p : kPayingSums) {
                if (!p.tomahawkOnly || symbol == Tomahawk) run[symbol][p.sum] = static_cast<int8_t>(p.run);
            }
        }
    }
};

const RunTable kRunTable;

int referenceRun(Symbol symbol, int sum) {
    return static_cast<unsigned>(sum) < 64u ? kRunTable.run[symbol][sum] : 0;
}

ReferencePays referenceLinePays(const MachineState& s) {
    ReferencePays r;
    for (int line = 1; line <= s.linesplayed; ++line) {
        int payers = 0;
        for (Symbol symbol : kOrder) {
            const int run = referenceRun(symbol, s.tally[symbol][line]);
            if (run == 0) continue;
            ++payers;
            r.lineWin += s.coinsperline * kPayTable[symbol][run];
            r.linewin[line] = static_cast<int16_t>(line);
            r.linecount[line] = static_cast<int16_t>(run);
        }
        r.payersOnOneLine = std::max(r.payersOnOneLine, payers);
    }
    return r;
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

// Checks payOutcome on `s` (already tallied for `stops`) against the reference; returns false on the first
// difference, after reporting it.
bool payOutcomeMatchesReference(MachineState& s, const Stops& stops) {
    for (int line = 0; line <= 25; ++line) s.linecount[line] = 0;
    payOutcome(s);
    const ReferencePays r = referenceLinePays(s);
    const int32_t expected = r.lineWin + scatterPay(scattersInWindow(stops), s.coinsperline, s.linesplayed);
    bool same = s.spinwin == expected && r.payersOnOneLine <= 1;
    for (int line = 1; line <= 25; ++line) {
        same = same && s.linewin[line] == r.linewin[line] && s.linecount[line] == r.linecount[line];
    }
    if (!same) {
        ADD_FAILURE() << "stops " << stops[0] << "," << stops[1] << "," << stops[2] << "," << stops[3] << ","
                      << stops[4] << " lines " << s.linesplayed << " coins " << s.coinsperline << ": spinwin "
                      << s.spinwin << ", expected " << expected << " (payers on one line "
                      << r.payersOnOneLine << ")";
    }
    return same;
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
    EXPECT_EQ(s.tally[Chief][1], 51);
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
        int sum;  // the payer's tally sum on the line
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
        EXPECT_EQ(s.tally[c.payer][placed->line], c.sum) << "line " << placed->line;
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
    EXPECT_EQ(s.tally[Queen][placed->line], 37);
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
                        if (referenceLinePays(s).lineWin != 0) continue;
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
        for (int symbol = 0; symbol <= 10; ++symbol) dirty.tally[symbol][0] = 51;
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

// Adds what `reel` at `stop` shows to a tally written from the window: for each line, the reel's weight
// for the symbol in the line's row, or for all ten symbols when that is a Wild.
void addReel(int16_t (&tally)[11][26], int reel, int stop) {
    for (int line = 1; line <= 25; ++line) {
        const Symbol symbol = shown(reel, stop, rowOf(line, reel));
        if (symbol == Wild) {
            for (int paying = 1; paying <= 10; ++paying) tally[paying][line] += kWeights[reel];
        } else if (symbol != Scatter) {
            tally[symbol][line] += kWeights[reel];
        }
    }
}

// All 22^5 outcomes at 25 lines and 1 coin, one test per stop of reel 1: the tally equals the one written
// from the window, and payOutcome equals the reference line pay plus the Scatter pay.
class EveryOutcome : public ::testing::TestWithParam<int> {};

TEST_P(EveryOutcome, TallyAndPaysMatchTheReference) {
    int16_t partial[6][11][26] = {};
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 1;
    int failures = 0;
    long outcomes = 0;
    Stops stops{};
    stops[0] = static_cast<int16_t>(GetParam());
    addReel(partial[1], 1, stops[0]);
    for (stops[1] = 1; stops[1] <= 22; ++stops[1]) {
        std::memcpy(partial[2], partial[1], sizeof partial[0]);
        addReel(partial[2], 2, stops[1]);
        for (stops[2] = 1; stops[2] <= 22; ++stops[2]) {
            std::memcpy(partial[3], partial[2], sizeof partial[0]);
            addReel(partial[3], 3, stops[2]);
            for (stops[3] = 1; stops[3] <= 22; ++stops[3]) {
                std::memcpy(partial[4], partial[3], sizeof partial[0]);
                addReel(partial[4], 4, stops[3]);
                for (stops[4] = 1; stops[4] <= 22; ++stops[4]) {
                    std::memcpy(partial[5], partial[4], sizeof partial[0]);
                    addReel(partial[5], 5, stops[4]);
                    placeStops(s, stops);
                    ++outcomes;
                    bool same = true;
                    for (int symbol = 1; symbol <= 10; ++symbol) {
                        same = same && std::memcmp(&s.tally[symbol][1], &partial[5][symbol][1],
                                                   25 * sizeof(int16_t)) == 0;
                    }
                    if (!same) {
                        ADD_FAILURE() << "tally differs from the window at stops " << stops[0] << ","
                                      << stops[1] << "," << stops[2] << "," << stops[3] << "," << stops[4];
                    }
                    if (!same || !payOutcomeMatchesReference(s, stops)) {
                        if (++failures >= 5) return;
                    }
                }
            }
        }
    }
    EXPECT_EQ(outcomes, 22L * 22 * 22 * 22);
}

INSTANTIATE_TEST_SUITE_P(ReelOneStop, EveryOutcome, ::testing::Range(1, 23));

}  // namespace
}  // namespace zem::testing
