// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve symbols of the machine and the pay table of the ten paying ones.
#pragma once

#include <cstdint>
#include <string_view>

namespace zem::core {

enum Symbol : int8_t {
    Chief = 1,
    Maiden = 2,
    Hoop = 3,
    Skull = 4,
    Totem = 5,
    Moccasins = 6,
    King = 7,
    Queen = 8,
    Jack = 9,
    Tomahawk = 10,
    Wild = 11,
    Scatter = 12,
};

inline constexpr int kPayingSymbols = 10;
inline constexpr int kSymbolCount = 12;

constexpr bool isPaying(int symbol) { return symbol >= Chief && symbol <= Tomahawk; }

// Pay per coin bet on the line for a run of `run` (2..5) of a paying symbol; 0 when the run pays nothing.
int16_t linePay(int symbol, int run);

// Multiple of the total bet paid for `scatters` Scatters anywhere in the window: 2, 3, 4, 5 pay 1, 5, 10, 20.
// A lookup rather than a switch: the count is as random as the draw.
constexpr int16_t scatterFactor(int scatters) {
    constexpr int16_t kFactor[6] = {0, 0, 1, 5, 10, 20};
    return static_cast<unsigned>(scatters) <= 5u ? kFactor[scatters] : int16_t{0};
}

// The symbol's name as the pay table names it ("Chief" .. "Scatter").
std::string_view symbolName(int symbol);

// The order in which the line pay looks at the paying symbols.
inline constexpr Symbol kLinePayOrder[kPayingSymbols] = {Totem,    Chief, Maiden, Moccasins, Hoop,
                                                         Tomahawk, King,  Queen,  Skull,     Jack};

}  // namespace zem::core
