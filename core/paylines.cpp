// SPDX-License-Identifier: GPL-3.0-or-later
// The payline table and the per-row line lists derived from it at compile time.
#include "paylines.h"

#include "reels.h"

#include <array>

namespace zem::core {

namespace {

constexpr int8_t kLineRows[kLines + 1][kReels + 1] = {
    {},                  // spare line 0
    {0, 2, 2, 2, 2, 2},  // line 1: cells 2, 5, 8, 11, 14
    {0, 1, 1, 1, 1, 1},  // line 2: cells 1, 6, 7, 12, 13
    {0, 3, 3, 3, 3, 3},  // line 3: cells 3, 4, 9, 10, 15
    {0, 1, 2, 3, 2, 1},  // line 4: cells 1, 5, 9, 11, 13
    {0, 3, 2, 1, 2, 3},  // line 5: cells 3, 5, 7, 11, 15
    {0, 1, 1, 2, 1, 1},  // line 6: cells 1, 6, 8, 12, 13
    {0, 3, 3, 2, 3, 3},  // line 7: cells 3, 4, 8, 10, 15
    {0, 2, 1, 1, 1, 2},  // line 8: cells 2, 6, 7, 12, 14
    {0, 2, 3, 3, 3, 2},  // line 9: cells 2, 4, 9, 10, 14
    {0, 2, 2, 1, 2, 2},  // line 10: cells 2, 5, 7, 11, 14
    {0, 2, 2, 3, 2, 2},  // line 11: cells 2, 5, 9, 11, 14
    {0, 1, 2, 2, 2, 1},  // line 12: cells 1, 5, 8, 11, 13
    {0, 3, 2, 2, 2, 3},  // line 13: cells 3, 5, 8, 11, 15
    {0, 1, 2, 1, 2, 1},  // line 14: cells 1, 5, 7, 11, 13
    {0, 2, 1, 2, 1, 2},  // line 15: cells 2, 6, 8, 12, 14
    {0, 3, 2, 3, 2, 3},  // line 16: cells 3, 5, 9, 11, 15
    {0, 2, 3, 2, 3, 2},  // line 17: cells 2, 4, 8, 10, 14
    {0, 1, 3, 1, 3, 1},  // line 18: cells 1, 4, 7, 10, 13
    {0, 3, 1, 3, 1, 3},  // line 19: cells 3, 6, 9, 12, 15
    {0, 2, 1, 3, 1, 2},  // line 20: cells 2, 6, 9, 12, 14
    {0, 2, 3, 1, 3, 2},  // line 21: cells 2, 4, 7, 10, 14
    {0, 2, 1, 2, 3, 2},  // line 22: cells 2, 6, 8, 10, 14
    {0, 2, 3, 2, 1, 2},  // line 23: cells 2, 4, 8, 12, 14
    {0, 1, 1, 1, 2, 3},  // line 24: cells 1, 6, 7, 11, 15
    {0, 3, 3, 3, 2, 1},  // line 25: cells 3, 4, 9, 11, 13
};

struct RowLists {
    int8_t lines[kReels + 1][kRows + 1][kLines] = {};
    int8_t count[kReels + 1][kRows + 1] = {};
};

constexpr RowLists makeRowLists() {
    RowLists lists;
    for (int reel = 1; reel <= kReels; ++reel) {
        for (int line = 1; line <= kLines; ++line) {
            const int row = kLineRows[line][reel];
            lists.lines[reel][row][lists.count[reel][row]++] = static_cast<int8_t>(line);
        }
    }
    return lists;
}

constexpr RowLists kRowLists = makeRowLists();

}  // namespace

int lineRow(int line, int reel) {
    if (line < 1 || line > kLines || reel < 1 || reel > kReels) return 0;
    return kLineRows[line][reel];
}

int16_t lineCell(int line, int reel) {
    const int row = lineRow(line, reel);
    return row == 0 ? 0 : cellNumber(reel, row);
}

std::span<const int8_t> linesThroughRow(int reel, int row) {
    if (reel < 1 || reel > kReels || row < 1 || row > kRows) return {};
    return {kRowLists.lines[reel][row], static_cast<size_t>(kRowLists.count[reel][row])};
}

}  // namespace zem::core
