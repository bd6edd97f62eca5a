// SPDX-License-Identifier: GPL-3.0-or-later
// The one sound channel: recordings are handed over once, then played by number; a new sound cuts the old.
#pragma once

#include <cstdint>
#include <vector>

namespace zem::platform {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Keeps a whole RIFF WAVE file under its number; empty or unplayable data makes a silent entry.
    virtual void load(int number, std::vector<uint8_t> wave) = 0;
    // Starts the recording at once, cutting off whatever plays; returns without waiting. Never fails loudly.
    virtual void play(int number, bool looped) = 0;
    // Silences whatever plays.
    virtual void stop() = 0;
};

}  // namespace zem::platform
