// SPDX-License-Identifier: GPL-3.0-or-later
// RIFF WAVE recordings: reading the header and samples, converting them to the sound output's format, and the
// one channel that plays a converted recording once or in a loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace zem::platform::qt {

// What a WAVE file holds: its format and where its samples lie in the file.
struct WaveFormat {
    enum Encoding { Integer, Float };
    Encoding encoding = Integer;
    int channels = 0;
    int rate = 0;           // frames per second
    int bitsPerSample = 0;  // 8 (unsigned), 16, 24, 32 (signed) or 32 float
    size_t dataOffset = 0;
    size_t dataBytes = 0;  // whole frames only
    size_t frames() const { return dataBytes / (static_cast<size_t>(channels) * (bitsPerSample / 8)); }
};

// Reads the header of a PCM or float WAVE file. Nothing for data that is not one, is cut short before its
// samples, or has a format out of reason; a data chunk that claims more bytes than the file holds is cut to
// what is there.
std::optional<WaveFormat> parseWave(const std::vector<uint8_t>& file);

// The samples of a parsed file, mixed down to one channel, as numbers in [-1, 1].
std::vector<float> decodeMono(const std::vector<uint8_t>& file, const WaveFormat& format);

// The format the sound device takes.
struct OutputFormat {
    enum Sample { UInt8, Int16, Int32, Float };
    int rate = 44100;
    int channels = 1;
    Sample sample = Int16;
    int bytesPerSample() const { return sample == UInt8 ? 1 : sample == Int16 ? 2 : 4; }
    int bytesPerFrame() const { return bytesPerSample() * channels; }
};

// Mono samples at `rate`, resampled (linear interpolation) and written in the output's format, every channel
// the same.
std::vector<uint8_t> convertSamples(const std::vector<float>& mono, int rate, const OutputFormat& out);

// A whole file made ready for the output; empty when the file cannot be played.
std::vector<uint8_t> prepareWave(const std::vector<uint8_t>& file, const OutputFormat& out);

// The one channel: the device thread reads from it, the game thread starts and stops recordings on it. A
// looped recording wraps around without a gap; silence fills the rest.
class SoundChannel {
  public:
    using Buffer = std::shared_ptr<const std::vector<uint8_t>>;

    explicit SoundChannel(const OutputFormat& format = {});
    void setFormat(const OutputFormat& format);

    // Starts a recording from its beginning, cutting off the one that plays; an empty buffer is silence.
    void start(Buffer buffer, bool looped);
    void stop();
    // Fills `size` bytes (whole frames) with what plays next; returns how many were written (always `size`).
    size_t read(uint8_t* out, size_t size);
    // Whether a recording is sounding now.
    bool active() const;
    // Bytes of recordings handed to the device so far (silence not counted).
    uint64_t delivered() const;

  private:
    mutable std::mutex mutex_;
    OutputFormat format_;
    Buffer buffer_;
    size_t position_ = 0;
    bool looped_ = false;
    uint64_t delivered_ = 0;
};

}  // namespace zem::platform::qt
