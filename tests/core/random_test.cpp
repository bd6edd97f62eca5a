// SPDX-License-Identifier: GPL-3.0-or-later
// The random generator: the published xoshiro256** sequence, seeding, and an even spread over the stops.
#include "core/random.h"

#include "core/machine_state.h"
#include "core/spin_draw.h"

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

using namespace zem::core;

// The generator as published, written out here to check the machine's one against.
struct ReferenceXoshiro {
    uint64_t s[4];
    uint64_t next() {
        const uint64_t result = std::rotl(s[1] * 5, 7) * 9;
        const uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = std::rotl(s[3], 45);
        return result;
    }
};

uint64_t referenceSplitmix(uint64_t& x) {
    uint64_t z = (x += 0x9e3779b97f4a7c15);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
}

TEST(Random, SeededGeneratorFollowsThePublishedSequence) {
    ReferenceXoshiro known{{1, 2, 3, 4}};
    EXPECT_EQ(known.next(), 11520u);
    EXPECT_EQ(known.next(), 0u);
    EXPECT_EQ(known.next(), 1509978240u);
    EXPECT_EQ(known.next(), 1215971899390074240u);
    uint64_t x = 0;
    EXPECT_EQ(referenceSplitmix(x), 0xe220a8397b1dcdafu);
    EXPECT_EQ(referenceSplitmix(x), 0x6e789e6aa1b965f4u);

    for (uint64_t seed : {uint64_t{0}, uint64_t{1}, uint64_t{20240611}, ~uint64_t{0}}) {
        uint64_t sx = seed;
        ReferenceXoshiro reference{};
        for (uint64_t& word : reference.s) word = referenceSplitmix(sx);
        SystemRandom machine(seed);
        SystemRandom again(seed);
        for (int i = 0; i < 1000; ++i) {
            const uint64_t expected = reference.next();
            ASSERT_EQ(machine.next(), expected) << "seed " << seed << " draw " << i;
            ASSERT_EQ(again.uniform(), static_cast<double>(expected >> 11) * 0x1.0p-53);
        }
    }
    SystemRandom one(1), two(2);
    EXPECT_NE(one.next(), two.next());
    SystemRandom fromEntropy, fromEntropyToo;
    EXPECT_NE(fromEntropy.next(), fromEntropyToo.next());
}

TEST(Random, StopsAreEvenlySpread) {
    // 220000 draws of reel 1: every stop 10000 times give or take chance. The chi-square bound is far
    // beyond what an even spread reaches (0.01 % tail for 21 degrees of freedom is about 52).
    SystemRandom random(99);
    MachineState s;
    long counts[23] = {};
    double sum = 0;
    for (int n = 0; n < 220000; ++n) {
        const double u = random.uniform();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        sum += u;
        ScriptedRandom once({u});
        chooseStop(s, 1, once);
        ASSERT_GE(s.reelstop[1], 1);
        ASSERT_LE(s.reelstop[1], 22);
        ++counts[s.reelstop[1]];
    }
    double chiSquare = 0;
    for (int stop = 1; stop <= 22; ++stop) {
        const double d = static_cast<double>(counts[stop]) - 10000.0;
        chiSquare += d * d / 10000.0;
    }
    EXPECT_LT(chiSquare, 52.0);
    EXPECT_NEAR(sum / 220000, 0.5, 0.005);
}

}  // namespace
