// SPDX-License-Identifier: GPL-3.0-or-later
// Dollar text of a coin amount.
#include "money.h"

namespace zem::core {

std::string dollars(int64_t coins) {
    const bool negative = coins < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(coins) : static_cast<uint64_t>(coins);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 100);
    const unsigned cents = static_cast<unsigned>(magnitude % 100);
    if (cents == 0) return text;
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
    return text;
}

}  // namespace zem::core
