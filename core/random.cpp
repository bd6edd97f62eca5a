// SPDX-License-Identifier: GPL-3.0-or-later
// Seeding of the real generator and the scripted sequence.
#include "random.h"

#include <random>

namespace zem::core {

namespace {

uint64_t splitmix64(uint64_t& x) {
    uint64_t z = (x += 0x9e3779b97f4a7c15);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
}

}  // namespace

SystemRandom::SystemRandom() : Random(true) {
    std::random_device device;
    std::seed_seq seeds{device(), device(), device(), device(), device(), device(), device(), device()};
    uint32_t words[8];
    seeds.generate(words, words + 8);
    for (int i = 0; i < 4; ++i) state_[i] = (uint64_t{words[2 * i]} << 32) | words[2 * i + 1];
    if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0) state_[0] = 1;  // the one state it cannot leave
}

SystemRandom::SystemRandom(uint64_t seed) : Random(true) {
    for (uint64_t& word : state_) word = splitmix64(seed);
}

double ScriptedRandom::uniform() {
    ++drawn_;
    if (next_ < values_.size()) return values_[next_++];
    return fallback_.uniform();
}

}  // namespace zem::core
