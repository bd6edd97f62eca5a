// SPDX-License-Identifier: GPL-3.0-or-later
// The five reel strips, their weights and the numbering of the fifteen visible cells.
#pragma once

#include "symbols.h"

#include <cstdint>

namespace zem::core {

inline constexpr int kReels = 5;
inline constexpr int kRows = 3;
inline constexpr int kStops = 22;        // a reel rests on stops 1..22
inline constexpr int kStripCells = 29;   // cells 0..28 of a reel picture
inline constexpr int kCellTwips = 1875;  // one cell is 125 pixels square
inline constexpr int kVisibleCells = 15;

// Each reel's weight; every subset of the five has its own sum. A Wild line carries its reel's weight.
inline constexpr int16_t kReelWeight[kReels + 1] = {0, 8, 7, 6, 10, 20};

// Symbol on cell `cell` (0..28) of reel `reel` (1..5).
Symbol stripSymbol(int reel, int cell);

// Symbol shown in `row` (1 top .. 3 bottom) of reel `reel` resting at `stop`.
inline Symbol symbolAt(int reel, int stop, int row) { return stripSymbol(reel, stop + row - 1); }

// Cell number (1..15, serpentine order) of reel `reel`, row `row`.
constexpr int16_t cellNumber(int reel, int row) {
    const int base = (reel - 1) * 3;
    return static_cast<int16_t>((reel % 2 == 1) ? base + row : base + 4 - row);
}

// Reel (1..5) that holds cell `cell` (1..15).
constexpr int reelOfCell(int cell) { return (cell - 1) / 3 + 1; }

// Vertical offset, in twips, of the reel picture resting at `stop`.
constexpr int32_t reelTopFor(int stop) { return -kCellTwips * stop; }

}  // namespace zem::core
