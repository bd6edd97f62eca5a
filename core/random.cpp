// Seeding of the real generator and the scripted sequence.
#include "random.h"

namespace zem::core {

SystemRandom::SystemRandom() {
    std::random_device device;
    std::seed_seq seeds{device(), device(), device(), device(), device(), device(), device(), device()};
    engine_.seed(seeds);
}

SystemRandom::SystemRandom(uint64_t seed) : engine_(seed) {}

double ScriptedRandom::uniform() {
    ++drawn_;
    if (next_ < values_.size()) return values_[next_++];
    return fallback_.uniform();
}

}  // namespace zem::core
