// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's tables written out independently of core/, and small helpers of the tests that check the core
// against them.
#pragma once

#include "core/machine_state.h"
#include "core/random.h"
#include "core/spin_draw.h"
#include "core/symbols.h"
#include "support/outcomes.h"

#include <array>
#include <optional>
#include <vector>

namespace zem::testing {

using core::Chief;
using core::Hoop;
using core::Jack;
using core::King;
using core::Maiden;
using core::Moccasins;
using core::Queen;
using core::Scatter;
using core::Skull;
using core::Symbol;
using core::Tomahawk;
using core::Totem;
using core::Wild;

// The reel pictures, cell 0 at the top; one row per cell, reels 1 to 5 across.
inline constexpr Symbol kStripTable[29][5] = {
    {Tomahawk, King, Skull, Scatter, King},         // 0
    {Scatter, Tomahawk, Scatter, Totem, Tomahawk},  // 1
    {Jack, Wild, Tomahawk, Hoop, Skull},            // 2
    {King, King, Queen, Moccasins, King},           // 3
    {Tomahawk, Queen, Skull, King, Queen},          // 4
    {Skull, Tomahawk, Hoop, Tomahawk, Hoop},        // 5
    {Jack, Jack, Jack, Moccasins, Totem},           // 6
    {Totem, Queen, Totem, Scatter, Jack},           // 7
    {Tomahawk, Moccasins, Skull, Totem, Chief},     // 8
    {Queen, Scatter, Moccasins, Hoop, Scatter},     // 9
    {Moccasins, Totem, Hoop, Queen, Totem},         // 10
    {Tomahawk, Hoop, Wild, Wild, Tomahawk},         // 11
    {Scatter, Queen, Tomahawk, Jack, Moccasins},    // 12
    {Jack, Jack, Skull, Tomahawk, Queen},           // 13
    {Moccasins, Maiden, Jack, King, Hoop},          // 14
    {Queen, King, Queen, Skull, Jack},              // 15
    {Maiden, Tomahawk, Totem, Tomahawk, Skull},     // 16
    {Jack, Skull, Chief, Jack, Totem},              // 17
    {Hoop, Maiden, Maiden, Chief, Maiden},          // 18
    {King, Queen, Tomahawk, Maiden, Chief},         // 19
    {Skull, Jack, Totem, Tomahawk, Moccasins},      // 20
    {King, Chief, Jack, Totem, King},               // 21
    {Chief, Moccasins, King, Queen, Jack},          // 22
    {Scatter, Tomahawk, Hoop, Skull, Tomahawk},     // 23
    {Tomahawk, Totem, Tomahawk, Chief, Skull},      // 24
    {Totem, Wild, Totem, Wild, Queen},              // 25
    {Queen, King, Queen, King, Chief},              // 26
    {King, Queen, Skull, Totem, Moccasins},         // 27
    {Skull, Jack, King, Jack, Queen},               // 28
};

// Row (1 top, 2 middle, 3 bottom) of each line on reels 1 to 5, and the cells it crosses.
struct LineGeometry {
    int line;
    int rows[5];
    int cells[5];
};
inline constexpr LineGeometry kLineTable[25] = {
    {1, {2, 2, 2, 2, 2}, {2, 5, 8, 11, 14}},  {2, {1, 1, 1, 1, 1}, {1, 6, 7, 12, 13}},
    {3, {3, 3, 3, 3, 3}, {3, 4, 9, 10, 15}},  {4, {1, 2, 3, 2, 1}, {1, 5, 9, 11, 13}},
    {5, {3, 2, 1, 2, 3}, {3, 5, 7, 11, 15}},  {6, {1, 1, 2, 1, 1}, {1, 6, 8, 12, 13}},
    {7, {3, 3, 2, 3, 3}, {3, 4, 8, 10, 15}},  {8, {2, 1, 1, 1, 2}, {2, 6, 7, 12, 14}},
    {9, {2, 3, 3, 3, 2}, {2, 4, 9, 10, 14}},  {10, {2, 2, 1, 2, 2}, {2, 5, 7, 11, 14}},
    {11, {2, 2, 3, 2, 2}, {2, 5, 9, 11, 14}}, {12, {1, 2, 2, 2, 1}, {1, 5, 8, 11, 13}},
    {13, {3, 2, 2, 2, 3}, {3, 5, 8, 11, 15}}, {14, {1, 2, 1, 2, 1}, {1, 5, 7, 11, 13}},
    {15, {2, 1, 2, 1, 2}, {2, 6, 8, 12, 14}}, {16, {3, 2, 3, 2, 3}, {3, 5, 9, 11, 15}},
    {17, {2, 3, 2, 3, 2}, {2, 4, 8, 10, 14}}, {18, {1, 3, 1, 3, 1}, {1, 4, 7, 10, 13}},
    {19, {3, 1, 3, 1, 3}, {3, 6, 9, 12, 15}}, {20, {2, 1, 3, 1, 2}, {2, 6, 9, 12, 14}},
    {21, {2, 3, 1, 3, 2}, {2, 4, 7, 10, 14}}, {22, {2, 1, 2, 3, 2}, {2, 6, 8, 10, 14}},
    {23, {2, 3, 2, 1, 2}, {2, 4, 8, 12, 14}}, {24, {1, 1, 1, 2, 3}, {1, 6, 7, 11, 15}},
    {25, {3, 3, 3, 2, 1}, {3, 4, 9, 11, 13}},
};

inline constexpr int kWeights[6] = {0, 8, 7, 6, 10, 20};

// Pay per coin for runs 2..5 of each paying symbol, ids 1..10.
inline constexpr int kPayTable[11][6] = {
    {},
    {0, 0, 0, 300, 600, 1500},  // Chief
    {0, 0, 0, 100, 250, 800},   // Maiden
    {0, 0, 0, 100, 250, 800},   // Hoop
    {0, 0, 0, 50, 75, 150},     // Skull
    {0, 0, 0, 20, 40, 125},     // Totem
    {0, 0, 0, 20, 50, 150},     // Moccasins
    {0, 0, 0, 15, 50, 175},     // King
    {0, 0, 0, 10, 20, 100},     // Queen
    {0, 0, 0, 5, 20, 100},      // Jack
    {0, 0, 2, 10, 20, 100},     // Tomahawk
};

// Symbol shown by reel (1..5) at stop (1..22) in row (1..3), from the literal strips.
inline Symbol shown(int reel, int stop, int row) { return kStripTable[stop + row - 1][reel - 1]; }

inline int rowOf(int line, int reel) { return kLineTable[line - 1].rows[reel - 1]; }

// First stop (1..22) at which `reel` shows `symbol` in `row`.
inline std::optional<int16_t> stopShowing(int reel, int row, Symbol symbol) {
    for (int16_t stop = 1; stop <= 22; ++stop) {
        if (shown(reel, stop, row) == symbol) return stop;
    }
    return std::nullopt;
}

// Stops that put `symbols` (reels 1..5) on `line`, if every reel can show its symbol in that line's row.
inline std::optional<Stops> stopsForLine(int line, const std::array<Symbol, 5>& symbols) {
    Stops stops{};
    for (int reel = 1; reel <= 5; ++reel) {
        const auto stop = stopShowing(reel, rowOf(line, reel), symbols[reel - 1]);
        if (!stop) return std::nullopt;
        stops[reel - 1] = *stop;
    }
    return stops;
}

// The first line (1..25) on which `symbols` can stand, with its stops.
struct PlacedLine {
    int line = 0;
    Stops stops{};
};
inline std::optional<PlacedLine> placeOnSomeLine(const std::array<Symbol, 5>& symbols) {
    for (int line = 1; line <= 25; ++line) {
        if (const auto stops = stopsForLine(line, symbols)) return PlacedLine{line, *stops};
    }
    return std::nullopt;
}

// What the reel animation does to the holds: a held reel's hold request is released while the reels
// spin, and every held flag goes back to 0 once they have stopped.
inline void finishReelAnimation(core::MachineState& s) {
    for (int reel = 2; reel <= 4; ++reel) {
        if (s.reelheld(reel) > 0) s.wildhold(reel) = 0;
        s.reelheld(reel) = 0;
    }
}

// A spin as the reel procedures draw it: clear the last one, then draw (or hold) and register reels 1..5.
inline void drawSpin(core::MachineState& s, core::Random& random) {
    core::clearSpin(s);
    for (int reel = 1; reel <= 5; ++reel) core::spinReel(s, reel, random);
}

}  // namespace zem::testing
