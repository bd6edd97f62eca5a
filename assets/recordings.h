// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's 25 recordings: their formats and the synthesizer that makes each one as a RIFF WAVE file.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zem::assets {

struct RecordingFormat {
    int number;      // 101..126 without 118
    int rate;        // samples per second
    int bits;        // 8 (unsigned) or 16 (signed)
    double seconds;  // length
    std::string_view role;
};

// Every recording the machine carries, in the order the sound bank loads them.
inline constexpr std::array<RecordingFormat, 25> kRecordings = {{
    {101, 11025, 8, 0.24, "start-up; smallest win"},
    {102, 11025, 8, 0.55, "win"},
    {103, 11025, 8, 0.71, "win; gamble won on black"},
    {104, 11025, 8, 0.71, "win"},
    {105, 44100, 16, 1.93, "free spins triggered"},
    {106, 11025, 8, 1.76, "win"},
    {107, 11025, 8, 1.95, "win; spades guessed; win taken"},
    {108, 11025, 8, 1.95, "win; gamble won on red"},
    {109, 11025, 8, 2.36, "win"},
    {110, 11025, 8, 2.41, "spare jingle"},
    {111, 11025, 8, 2.93, "win; clubs or diamonds guessed"},
    {112, 11025, 16, 1.62, "win; win collected; hearts guessed"},
    {113, 11025, 8, 4.92, "win"},
    {114, 11025, 8, 13.95, "win"},
    {115, 44100, 8, 14.50, "biggest wins"},
    {116, 44100, 8, 0.28, "a reel comes to rest"},
    {117, 22050, 8, 16.94, "free-spin music, looped"},
    {119, 44100, 8, 0.52, "Scatter lands on reel 1"},
    {120, 44100, 8, 0.47, "Scatter lands on reel 2"},
    {121, 44100, 8, 0.44, "Scatter lands on reel 3"},
    {122, 44100, 8, 0.41, "Scatter lands on reel 4"},
    {123, 44100, 8, 0.37, "Scatter lands on reel 5"},
    {124, 22050, 16, 0.06, "button click"},
    {125, 11025, 8, 0.51, "not enough credit; gamble lost"},
    {126, 22050, 8, 0.23, "coin dropped into the credit"},
}};

// The format row of recording `number`, or null when the machine has no such recording.
const RecordingFormat* findRecording(int number);

// Number of samples recording `format` holds: its length at its rate, rounded.
std::size_t sampleCount(const RecordingFormat& format);

// The complete RIFF WAVE file (PCM, mono) of recording `number`; empty for a number the machine does not
// have. The same number always gives the same bytes.
std::vector<uint8_t> synthesizeRecording(int number);

// The header of a RIFF WAVE file as the machine writes and reads it.
struct WaveInfo {
    bool valid = false;  // a RIFF WAVE with a PCM format chunk and a data chunk
    int format = 0;      // 1 = PCM
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::size_t dataOffset = 0;  // where the samples start in the file
    std::size_t dataBytes = 0;
    double seconds() const {
        return rate > 0 && bits > 0 && channels > 0 ? double(dataBytes) / (bits / 8) / channels / rate : 0.0;
    }
};

WaveInfo readWaveInfo(const std::vector<uint8_t>& file);

// The samples of a mono PCM file scaled to [-1, 1]; empty when the file is not one.
std::vector<float> waveSamples(const std::vector<uint8_t>& file);

}  // namespace zem::assets
