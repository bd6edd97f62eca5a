// SPDX-License-Identifier: GPL-3.0-or-later
// A short recording for the sound output's tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace zem::testing {

// A recording of the bank's kind: 8 bit mono, a sine tone.
inline std::vector<uint8_t> tone(int rate, int milliseconds) {
    const int frames = rate * milliseconds / 1000;
    std::vector<uint8_t> v = {'R', 'I', 'F', 'F', 0,  0, 0, 0, 'W', 'A', 'V', 'E',
                              'f', 'm', 't', ' ', 16, 0, 0, 0, 1,   0,   1,   0};
    auto put32 = [&](uint32_t x) {
        for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    };
    put32(static_cast<uint32_t>(rate));
    put32(static_cast<uint32_t>(rate));
    v.insert(v.end(), {1, 0, 8, 0, 'd', 'a', 't', 'a'});
    put32(static_cast<uint32_t>(frames));
    for (int i = 0; i < frames; ++i) {
        v.push_back(static_cast<uint8_t>(128 + std::lround(100 * std::sin(i * 0.2))));
    }
    return v;
}

}  // namespace zem::testing
