// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's bank of 25 recordings, played by number on the one sound channel under the sound switch.
#pragma once

#include "platform/sound_output.h"
#include "sounds.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zem::play {

class SoundBank {
  public:
    // The recordings in the order they are loaded: 101 .. 117, 119 .. 126.
    static constexpr std::array<int, 25> kNumbers = {101, 102, 103, 104, 105, 106, 107, 108, 109,
                                                     110, 111, 112, 113, 114, 115, 116, 117, 119,
                                                     120, 121, 122, 123, 124, 125, 126};

    // `soundonoff` is the player's sound switch, read at every play: -1 on, anything else off.
    SoundBank(platform::SoundOutput& output, const int16_t& soundonoff);

    // Fetches every recording once, in order, and hands it to the output. A recording that cannot be fetched
    // (empty, or the fetch throws) stays an empty, silent entry.
    void load(const std::function<std::vector<uint8_t>(int)>& fetch);

    // Starts a recording, cutting whatever plays; nothing happens while the switch is off or for a number the
    // bank does not hold.
    void play(int number);
    void play(Sound sound) { play(static_cast<int>(sound)); }
    // The same, repeating until another sound starts or the bank is stopped.
    void playLooped(int number);
    void playLooped(Sound sound) { playLooped(static_cast<int>(sound)); }
    // Silences whatever plays, whatever the switch says.
    void stop();

    // Whether the entry holds a recording (false before loading and for entries that failed).
    bool loaded(int number) const;

  private:
    static bool known(int number);
    void start(int number, bool looped);

    platform::SoundOutput& output_;
    const int16_t& soundonoff_;
    std::array<bool, kNumbers.size()> loaded_{};
};

}  // namespace zem::play
