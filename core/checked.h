// SPDX-License-Identifier: GPL-3.0-or-later
// Width-keeping arithmetic: an addition that would leave its integer's range is skipped, never undefined.
#pragma once

#include <cstdint>
#include <limits>

namespace zem::core {

// Adds delta to target when the result fits target's type; returns whether it did.
template <class T>
constexpr bool addChecked(T& target, long long delta) {
    const long long result = static_cast<long long>(target) + delta;
    if (result < static_cast<long long>(std::numeric_limits<T>::min()) ||
        result > static_cast<long long>(std::numeric_limits<T>::max())) {
        return false;
    }
    target = static_cast<T>(result);
    return true;
}

// Whether a value fits in T.
template <class T>
constexpr bool fits(long long value) {
    return value >= static_cast<long long>(std::numeric_limits<T>::min()) &&
           value <= static_cast<long long>(std::numeric_limits<T>::max());
}

}  // namespace zem::core
