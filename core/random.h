// SPDX-License-Identifier: GPL-3.0-or-later
// Uniform random numbers in [0, 1): one interface, a real generator and a scripted one for replays.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zem::core {

class Random {
  public:
    virtual ~Random() = default;
    // A uniform number u with 0 <= u < 1.
    virtual double uniform() = 0;
    // Whether this is the real generator (SystemRandom), which drawUniform() then calls directly.
    bool isSystem() const { return system_; }

  protected:
    explicit Random(bool system = false) : system_(system) {}
    Random(const Random&) = default;
    Random& operator=(const Random&) = default;

  private:
    bool system_;
};

// floor(n * u) + 1 for a uniform u, so 1..n with equal chance when n >= 1. A value that a faulty generator
// might return outside [0, 1), infinities and NaN included, is taken as the nearest end of the range, so the
// result never leaves it and no conversion is undefined.
inline int drawOneTo(int n, double u) {
    if (!(u >= 0.0)) u = 0.0;
    if (u >= 1.0) u = 0x1.fffffffffffffp-1;  // the largest double below 1
    if (n < 1) return static_cast<int>(std::floor(n * u)) + 1;
    const int k = static_cast<int>(n * u) + 1;  // n * u >= 0, so truncation is the floor
    return k < n ? k : n;
}

// xoshiro256**: a small, fast 64-bit generator with a 256-bit state and a period of 2^256 - 1, seeded once,
// from the operating system's entropy or from a given seed (spread over the state by splitmix64).
class SystemRandom final : public Random {
  public:
    SystemRandom();
    explicit SystemRandom(uint64_t seed);
    SystemRandom(const SystemRandom&) = default;
    SystemRandom& operator=(const SystemRandom&) = default;
    double uniform() override { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    uint64_t next() {
        // The words are read and written one by one, in general registers: the draws of a spin follow each
        // other closely, and a vector read of two words the previous draw has just written one by one would
        // wait for those writes to land.
        uint64_t s0 = scalar(state_[0]), s1 = scalar(state_[1]), s2 = scalar(state_[2]), s3 = scalar(state_[3]);
        const uint64_t result = std::rotl(s1 * 5, 7) * 9;
        const uint64_t t = s1 << 17;
        s2 ^= s0;
        s3 ^= s1;
        s1 ^= s2;
        s0 ^= s3;
        s2 ^= t;
        s3 = std::rotl(s3, 45);
        state_[0] = s0;
        state_[1] = s1;
        state_[2] = s2;
        state_[3] = s3;
        return result;
    }

  private:
    static uint64_t scalar(uint64_t word) {
#if defined(__GNUC__)
        asm("" : "+r"(word));  // an empty instruction that keeps the word out of vector registers
#endif
        return word;
    }
    uint64_t state_[4];
};

// random.uniform(), without a virtual call when the generator is the real one: the draws of a spin are the
// same numbers either way, only cheaper.
inline double drawUniform(Random& random) {
    return random.isSystem() ? static_cast<SystemRandom&>(random).uniform() : random.uniform();
}

// Hands out a fixed sequence, then falls back to a seeded generator; counts what it handed out.
class ScriptedRandom final : public Random {
  public:
    ScriptedRandom() : fallback_(1) {}
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)), fallback_(1) {}
    double uniform() override;

    void push(double u) { values_.push_back(u); }
    // Queues the draw that makes a reel stop at `stop` (1..22).
    void pushStop(int stop) { push((stop - 0.5) / 22.0); }
    // Queues the draw that gives floor(n * u) + 1 == k.
    void pushChoice(int k, int n) { push((k - 0.5) / n); }
    size_t drawn() const { return drawn_; }
    size_t pending() const { return values_.size() - next_; }

  private:
    std::vector<double> values_;
    size_t next_ = 0;
    size_t drawn_ = 0;
    SystemRandom fallback_;
};

}  // namespace zem::core
