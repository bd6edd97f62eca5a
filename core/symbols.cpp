// SPDX-License-Identifier: GPL-3.0-or-later
// Pay table and names of the symbols.
#include "symbols.h"

namespace zem::core {

namespace {

// kPays[symbol][run], runs 2..5.
constexpr int16_t kPays[kSymbolCount + 1][6] = {
    {},                         // spare slot 0
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
    {},                         // Wild pays nothing by itself
    {},                         // Scatter pays by count, not by line
};

constexpr std::string_view kNames[kSymbolCount + 1] = {
    "",     "Chief", "Maiden", "Hoop",     "Skull", "Totem",   "Moccasins",
    "King", "Queen", "Jack",   "Tomahawk", "Wild",  "Scatter",
};

}  // namespace

int16_t linePay(int symbol, int run) {
    if (symbol < 1 || symbol > kSymbolCount || run < 0 || run > 5) return 0;
    return kPays[symbol][run];
}

std::string_view symbolName(int symbol) {
    if (symbol < 0 || symbol > kSymbolCount) return "";
    return kNames[symbol];
}

}  // namespace zem::core
