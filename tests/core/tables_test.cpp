// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's fixed data: pay table, reel weights, strips, cell numbers and the payline table.
#include "core/paylines.h"
#include "core/reels.h"
#include "core/symbols.h"
#include "support/machine_tables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <vector>

namespace zem::testing {
namespace {

using namespace zem::core;

TEST(PayTable, LinePaysMatchThePayTable) {
    for (int symbol = 1; symbol <= 10; ++symbol) {
        for (int run = 0; run <= 5; ++run) {
            EXPECT_EQ(linePay(symbol, run), kPayTable[symbol][run]) << symbolName(symbol) << " run " << run;
        }
    }
    // Only the Tomahawk pays a run of 2; Wild and Scatter pay nothing on a line.
    for (int run = 0; run <= 5; ++run) {
        EXPECT_EQ(linePay(Wild, run), 0);
        EXPECT_EQ(linePay(Scatter, run), 0);
    }
    EXPECT_EQ(linePay(0, 3), 0);
    EXPECT_EQ(linePay(13, 3), 0);
    EXPECT_EQ(linePay(Chief, 6), 0);
    EXPECT_EQ(linePay(Chief, -1), 0);
}

TEST(PayTable, ScatterFactorsAndNames) {
    const int factors[] = {0, 0, 1, 5, 10, 20, 0};
    for (int count = 0; count <= 6; ++count) EXPECT_EQ(scatterFactor(count), factors[count]) << count;
    EXPECT_EQ(scatterFactor(-1), 0);
    const char* names[] = {"Chief", "Maiden", "Hoop", "Skull",    "Totem", "Moccasins",
                           "King",  "Queen",  "Jack", "Tomahawk", "Wild",  "Scatter"};
    for (int id = 1; id <= 12; ++id) EXPECT_EQ(symbolName(id), names[id - 1]);
    EXPECT_EQ(symbolName(0), "");
    EXPECT_EQ(symbolName(13), "");
}

TEST(ReelWeights, EverySubsetHasItsOwnSum) {
    for (int reel = 1; reel <= 5; ++reel) EXPECT_EQ(kReelWeight[reel], kWeights[reel]);
    std::map<int, int> subsetBySum;
    for (int subset = 0; subset < 32; ++subset) {
        int sum = 0;
        for (int reel = 1; reel <= 5; ++reel) {
            if (subset & (1 << (reel - 1))) sum += kReelWeight[reel];
        }
        EXPECT_TRUE(subsetBySum.emplace(sum, subset).second) << "sum " << sum << " is not unique";
    }
    // The sums the line pay reads, with the reels they stand for (bit 0 = reel 1).
    EXPECT_EQ(subsetBySum.at(15), 0b00011);
    EXPECT_EQ(subsetBySum.at(21), 0b00111);
    EXPECT_EQ(subsetBySum.at(31), 0b01111);
    EXPECT_EQ(subsetBySum.at(41), 0b10111);
    EXPECT_EQ(subsetBySum.at(51), 0b11111);
    EXPECT_EQ(subsetBySum.at(25), 0b01011);
    EXPECT_EQ(subsetBySum.at(35), 0b10011);
    EXPECT_EQ(subsetBySum.at(45), 0b11011);
}

TEST(Strips, EveryCellHoldsItsSymbol) {
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int cell = 0; cell < kStripCells; ++cell) {
            EXPECT_EQ(stripSymbol(reel, cell), kStripTable[cell][reel - 1])
                << "reel " << reel << " cell " << cell;
        }
    }
    // Out-of-range lookups give no symbol rather than reading past the table.
    EXPECT_EQ(stripSymbol(0, 3), 0);
    EXPECT_EQ(stripSymbol(6, 3), 0);
    EXPECT_EQ(stripSymbol(1, -1), 0);
    EXPECT_EQ(stripSymbol(1, 29), 0);
}

TEST(Strips, StopsShowThreeConsecutiveCellsAndSetTheOffset) {
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int row = 1; row <= kRows; ++row) {
            EXPECT_EQ(symbolAt(reel, 1, row), kStripTable[row][reel - 1]);
            EXPECT_EQ(symbolAt(reel, 22, row), kStripTable[21 + row][reel - 1]);
        }
    }
    EXPECT_EQ(reelTopFor(1), -1875);
    EXPECT_EQ(reelTopFor(22), -41250);
    // Reel 4 at stop 22 shows Queen, Skull and Chief from top to bottom.
    EXPECT_EQ(symbolAt(4, 22, 1), Queen);
    EXPECT_EQ(symbolAt(4, 22, 2), Skull);
    EXPECT_EQ(symbolAt(4, 22, 3), Chief);
}

TEST(Strips, WildsAndScattersRestOnlyWhereExpected) {
    using Rest = std::set<std::pair<int, int>>;  // (stop, row)
    const Rest wilds[6] = {{}, {}, {{1, 2}, {2, 1}}, {{9, 3}, {10, 2}, {11, 1}}, {{9, 3}, {10, 2}, {11, 1}},
                           {}};
    const Rest scatters[6] = {{},
                              {{1, 1}, {10, 3}, {11, 2}, {12, 1}, {21, 3}, {22, 2}},
                              {{7, 3}, {8, 2}, {9, 1}},
                              {{1, 1}},
                              {{5, 3}, {6, 2}, {7, 1}},
                              {{7, 3}, {8, 2}, {9, 1}}};
    for (int reel = 1; reel <= kReels; ++reel) {
        Rest foundWilds, foundScatters;
        for (int stop = 1; stop <= kStops; ++stop) {
            int specials = 0;
            for (int row = 1; row <= kRows; ++row) {
                const Symbol symbol = symbolAt(reel, stop, row);
                if (symbol == Wild) foundWilds.insert({stop, row});
                if (symbol == Scatter) foundScatters.insert({stop, row});
                specials += (symbol == Wild || symbol == Scatter) ? 1 : 0;
            }
            EXPECT_LE(specials, 1) << "reel " << reel << " stop " << stop << " shows two special symbols";
        }
        EXPECT_EQ(foundWilds, wilds[reel]) << "reel " << reel;
        EXPECT_EQ(foundScatters, scatters[reel]) << "reel " << reel;
    }
}

TEST(Cells, SerpentineNumbering) {
    const int cells[3][5] = {{1, 6, 7, 12, 13}, {2, 5, 8, 11, 14}, {3, 4, 9, 10, 15}};
    for (int row = 1; row <= 3; ++row) {
        for (int reel = 1; reel <= 5; ++reel) {
            EXPECT_EQ(cellNumber(reel, row), cells[row - 1][reel - 1]) << "reel " << reel << " row " << row;
            EXPECT_EQ(reelOfCell(cells[row - 1][reel - 1]), reel);
        }
    }
}

TEST(Paylines, RowsAndCellsOfEveryLine) {
    for (const LineGeometry& g : kLineTable) {
        for (int reel = 1; reel <= 5; ++reel) {
            EXPECT_EQ(lineRow(g.line, reel), g.rows[reel - 1]) << "line " << g.line << " reel " << reel;
            EXPECT_EQ(lineCell(g.line, reel), g.cells[reel - 1]) << "line " << g.line << " reel " << reel;
        }
    }
    EXPECT_EQ(lineRow(0, 1), 0);
    EXPECT_EQ(lineRow(26, 1), 0);
    EXPECT_EQ(lineRow(1, 0), 0);
    EXPECT_EQ(lineRow(1, 6), 0);
    EXPECT_EQ(lineCell(0, 1), 0);
    // Lines 4 and 5 both cross cells 5 and 11.
    EXPECT_EQ(lineCell(4, 2), 5);
    EXPECT_EQ(lineCell(5, 2), 5);
    EXPECT_EQ(lineCell(4, 4), 11);
    EXPECT_EQ(lineCell(5, 4), 11);
}

TEST(Paylines, LinesThroughEachRow) {
    const std::vector<int> rows[5][3] = {
        {{2, 4, 6, 12, 14, 18, 24}, {1, 8, 9, 10, 11, 15, 17, 20, 21, 22, 23}, {3, 5, 7, 13, 16, 19, 25}},
        {{2, 6, 8, 15, 19, 20, 22, 24}, {1, 4, 5, 10, 11, 12, 13, 14, 16}, {3, 7, 9, 17, 18, 21, 23, 25}},
        {{2, 5, 8, 10, 14, 18, 21, 24}, {1, 6, 7, 12, 13, 15, 17, 22, 23}, {3, 4, 9, 11, 16, 19, 20, 25}},
        {{2, 6, 8, 15, 19, 20, 23}, {1, 4, 5, 10, 11, 12, 13, 14, 16, 24, 25}, {3, 7, 9, 17, 18, 21, 22}},
        {{2, 4, 6, 12, 14, 18, 25}, {1, 8, 9, 10, 11, 15, 17, 20, 21, 22, 23}, {3, 5, 7, 13, 16, 19, 24}},
    };
    for (int reel = 1; reel <= 5; ++reel) {
        std::vector<int> all;
        for (int row = 1; row <= 3; ++row) {
            const auto span = linesThroughRow(reel, row);
            const std::vector<int> got(span.begin(), span.end());
            EXPECT_EQ(got, rows[reel - 1][row - 1]) << "reel " << reel << " row " << row;
            EXPECT_LE(got.size(), 11u);
            all.insert(all.end(), got.begin(), got.end());
            // The per-line table and the per-row lists describe the same lines.
            for (int line : got) EXPECT_EQ(rowOf(line, reel), row) << "line " << line << " reel " << reel;
        }
        std::sort(all.begin(), all.end());
        std::vector<int> oneToTwentyFive(25);
        for (int i = 0; i < 25; ++i) oneToTwentyFive[i] = i + 1;
        EXPECT_EQ(all, oneToTwentyFive) << "reel " << reel;
    }
    EXPECT_TRUE(linesThroughRow(0, 1).empty());
    EXPECT_TRUE(linesThroughRow(6, 1).empty());
    EXPECT_TRUE(linesThroughRow(1, 0).empty());
    EXPECT_TRUE(linesThroughRow(1, 4).empty());
}

}  // namespace
}  // namespace zem::testing
