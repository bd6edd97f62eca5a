// SPDX-License-Identifier: GPL-3.0-or-later
// The sound bank: loading the recordings once and playing them under the sound switch.
#include "sound_bank.h"

#include <algorithm>

namespace zem::play {

namespace {

int slotOf(int number) {
    const auto* it = std::find(SoundBank::kNumbers.begin(), SoundBank::kNumbers.end(), number);
    return it == SoundBank::kNumbers.end() ? -1 : static_cast<int>(it - SoundBank::kNumbers.begin());
}

}  // namespace

SoundBank::SoundBank(platform::SoundOutput& output, const int16_t& soundonoff)
    : output_(output), soundonoff_(soundonoff) {}

void SoundBank::load(const std::function<std::vector<uint8_t>(int)>& fetch) {
    for (std::size_t i = 0; i < kNumbers.size(); ++i) {
        std::vector<uint8_t> wave;
        try {
            if (fetch) wave = fetch(kNumbers[i]);
        } catch (...) {
            wave.clear();  // a recording that cannot be read stays silent
        }
        loaded_[i] = !wave.empty();
        try {
            output_.load(kNumbers[i], std::move(wave));
        } catch (...) {
            loaded_[i] = false;
        }
    }
}

bool SoundBank::known(int number) { return slotOf(number) >= 0; }

bool SoundBank::loaded(int number) const {
    const int slot = slotOf(number);
    return slot >= 0 && loaded_[static_cast<std::size_t>(slot)];
}

void SoundBank::start(int number, bool looped) {
    if (soundonoff_ != -1 || !known(number)) return;
    // An empty entry still takes the channel: the output plays it as silence, as the one channel demands.
    try {
        output_.play(number, looped);
    } catch (...) {
    }
}

void SoundBank::play(int number) { start(number, false); }

void SoundBank::playLooped(int number) { start(number, true); }

void SoundBank::stop() {
    try {
        output_.stop();
    } catch (...) {
    }
}

}  // namespace zem::play
