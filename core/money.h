// SPDX-License-Identifier: GPL-3.0-or-later
// The dollar form of an amount of coins: "$ " and coins / 100 in its shortest decimal form.
#pragma once

#include <cstdint>
#include <string>

namespace zem::core {

// 2550 -> "25.5", 1200 -> "12", 5 -> "0.05", -250 -> "-2.5". Integer arithmetic only.
std::string dollars(int64_t coins);

// "$ " followed by dollars(coins).
inline std::string dollarText(int64_t coins) { return "$ " + dollars(coins); }

}  // namespace zem::core
