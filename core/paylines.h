// SPDX-License-Identifier: GPL-3.0-or-later
// The 25 fixed paylines: the row each line takes on every reel, and the lines through each row.
#pragma once

#include <cstdint>
#include <span>

namespace zem::core {

inline constexpr int kLines = 25;

// Row (1 top .. 3 bottom) of line `line` (1..25) on reel `reel` (1..5).
int lineRow(int line, int reel);

// Cell number (1..15) that line `line` crosses on reel `reel`.
int16_t lineCell(int line, int reel);

// Lines through row `row` of reel `reel`, in ascending order.
std::span<const int8_t> linesThroughRow(int reel, int row);

}  // namespace zem::core
