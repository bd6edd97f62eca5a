// Uniform random numbers in [0, 1): one interface, a real generator and a scripted one for replays.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace zem::core {

class Random {
  public:
    virtual ~Random() = default;
    // A uniform number u with 0 <= u < 1.
    virtual double uniform() = 0;
};

// A 64-bit Mersenne Twister seeded once, from the operating system's entropy or from a given seed.
class SystemRandom final : public Random {
  public:
    SystemRandom();
    explicit SystemRandom(uint64_t seed);
    double uniform() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

  private:
    std::mt19937_64 engine_;
};

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
