// SPDX-License-Identifier: GPL-3.0-or-later
// Reading, converting and playing out WAVE recordings.
#include "wave_data.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zem::platform::qt {

namespace {

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool isTag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

constexpr uint16_t kPcm = 1;
constexpr uint16_t kIeeeFloat = 3;
constexpr uint16_t kExtensible = 0xFFFE;

float sampleAt(const uint8_t* p, const WaveFormat& f) {
    if (f.encoding == WaveFormat::Float) {
        float v;
        const uint32_t bits = le32(p);
        std::memcpy(&v, &bits, sizeof v);
        return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
    }
    switch (f.bitsPerSample) {
        case 8:
            return (static_cast<int>(p[0]) - 128) / 128.0f;
        case 16:
            return static_cast<int16_t>(le16(p)) / 32768.0f;
        case 24: {
            int32_t v =
                static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 | static_cast<uint32_t>(p[1]) << 16 |
                                     static_cast<uint32_t>(p[2]) << 24);
            return static_cast<float>(v / 2147483648.0);
        }
        default:
            return static_cast<float>(static_cast<int32_t>(le32(p)) / 2147483648.0);
    }
}

void writeSample(uint8_t* out, float v, OutputFormat::Sample sample) {
    v = std::clamp(v, -1.0f, 1.0f);
    switch (sample) {
        case OutputFormat::UInt8:
            *out = static_cast<uint8_t>(std::lround(v * 127.0f) + 128);
            break;
        case OutputFormat::Int16: {
            const int16_t s = static_cast<int16_t>(std::lround(v * 32767.0f));
            std::memcpy(out, &s, sizeof s);
            break;
        }
        case OutputFormat::Int32: {
            const int32_t s = static_cast<int32_t>(std::llround(v * 2147483647.0));
            std::memcpy(out, &s, sizeof s);
            break;
        }
        case OutputFormat::Float:
            std::memcpy(out, &v, sizeof v);
            break;
    }
}

}  // namespace

std::optional<WaveFormat> parseWave(const std::vector<uint8_t>& file) {
    const size_t size = file.size();
    if (size < 12 || !isTag(file.data(), "RIFF") || !isTag(file.data() + 8, "WAVE")) return std::nullopt;
    WaveFormat format;
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= size) {
        const uint8_t* chunk = file.data() + at;
        const size_t length = le32(chunk + 4);
        const size_t body = at + 8;
        const size_t available = size - body;
        if (isTag(chunk, "fmt ")) {
            if (length < 16 || available < 16) return std::nullopt;
            const uint8_t* f = file.data() + body;
            uint16_t tag = le16(f);
            format.channels = le16(f + 2);
            format.rate = static_cast<int>(std::min<uint32_t>(le32(f + 4), 1'000'000));
            const uint16_t blockAlign = le16(f + 12);
            format.bitsPerSample = le16(f + 14);
            if (tag == kExtensible && length >= 40 && available >= 40) tag = le16(f + 24);
            if (tag == kPcm) {
                format.encoding = WaveFormat::Integer;
                if (format.bitsPerSample != 8 && format.bitsPerSample != 16 && format.bitsPerSample != 24 &&
                    format.bitsPerSample != 32) {
                    return std::nullopt;
                }
            } else if (tag == kIeeeFloat) {
                format.encoding = WaveFormat::Float;
                if (format.bitsPerSample != 32) return std::nullopt;
            } else {
                return std::nullopt;
            }
            if (format.channels < 1 || format.channels > 8 || format.rate < 1000) return std::nullopt;
            if (blockAlign != format.channels * (format.bitsPerSample / 8)) return std::nullopt;
            haveFormat = true;
        } else if (isTag(chunk, "data")) {
            if (!haveFormat) return std::nullopt;
            const size_t frameBytes = static_cast<size_t>(format.channels) * (format.bitsPerSample / 8);
            const size_t bytes = std::min(length, available);
            format.dataOffset = body;
            format.dataBytes = bytes - bytes % frameBytes;
            return format;
        }
        // Chunks are padded to an even length.
        const size_t next = body + length + (length & 1);
        if (next <= at || next > size) break;
        at = next;
    }
    return std::nullopt;
}

std::vector<float> decodeMono(const std::vector<uint8_t>& file, const WaveFormat& format) {
    const size_t frames = format.frames();
    const size_t bytesPerSample = format.bitsPerSample / 8;
    const size_t frameBytes = bytesPerSample * format.channels;
    std::vector<float> mono(frames);
    if (format.dataOffset + frames * frameBytes > file.size()) return {};
    const uint8_t* p = file.data() + format.dataOffset;
    for (size_t i = 0; i < frames; ++i, p += frameBytes) {
        float sum = 0.0f;
        for (int c = 0; c < format.channels; ++c) sum += sampleAt(p + c * bytesPerSample, format);
        mono[i] = sum / static_cast<float>(format.channels);
    }
    return mono;
}

std::vector<uint8_t> convertSamples(const std::vector<float>& mono, int rate, const OutputFormat& out) {
    if (mono.empty() || rate <= 0 || out.rate <= 0 || out.channels <= 0) return {};
    const size_t frames =
        rate == out.rate ? mono.size()
                         : static_cast<size_t>(std::ceil(static_cast<double>(mono.size()) * out.rate / rate));
    const size_t frameBytes = static_cast<size_t>(out.bytesPerFrame());
    std::vector<uint8_t> bytes(frames * frameBytes);
    const double step = static_cast<double>(rate) / out.rate;
    uint8_t* p = bytes.data();
    for (size_t i = 0; i < frames; ++i) {
        float v;
        if (rate == out.rate) {
            v = mono[i];
        } else {
            const double x = static_cast<double>(i) * step;
            const size_t a = std::min(static_cast<size_t>(x), mono.size() - 1);
            const size_t b = std::min(a + 1, mono.size() - 1);
            const float t = static_cast<float>(x - static_cast<double>(a));
            v = mono[a] + (mono[b] - mono[a]) * t;
        }
        for (int c = 0; c < out.channels; ++c, p += out.bytesPerSample()) writeSample(p, v, out.sample);
    }
    return bytes;
}

std::vector<uint8_t> prepareWave(const std::vector<uint8_t>& file, const OutputFormat& out) {
    const std::optional<WaveFormat> format = parseWave(file);
    if (!format || format->frames() == 0) return {};
    return convertSamples(decodeMono(file, *format), format->rate, out);
}

SoundChannel::SoundChannel(const OutputFormat& format) : format_(format) {}

void SoundChannel::setFormat(const OutputFormat& format) {
    std::lock_guard lock(mutex_);
    format_ = format;
    buffer_.reset();
    position_ = 0;
}

void SoundChannel::start(Buffer buffer, bool looped) {
    std::lock_guard lock(mutex_);
    buffer_ = buffer && !buffer->empty() ? std::move(buffer) : nullptr;
    position_ = 0;
    looped_ = looped;
}

void SoundChannel::stop() {
    std::lock_guard lock(mutex_);
    buffer_.reset();
    position_ = 0;
}

bool SoundChannel::active() const {
    std::lock_guard lock(mutex_);
    return buffer_ != nullptr;
}

uint64_t SoundChannel::delivered() const {
    std::lock_guard lock(mutex_);
    return delivered_;
}

size_t SoundChannel::read(uint8_t* out, size_t size) {
    std::lock_guard lock(mutex_);
    size_t done = 0;
    while (buffer_ && done < size) {
        const size_t left = buffer_->size() - position_;
        const size_t n = std::min(left, size - done);
        std::memcpy(out + done, buffer_->data() + position_, n);
        done += n;
        position_ += n;
        delivered_ += n;
        if (position_ >= buffer_->size()) {
            position_ = 0;
            if (!looped_) buffer_.reset();
        }
    }
    // Silence: the middle value for unsigned bytes, zero for the others.
    std::memset(out + done, format_.sample == OutputFormat::UInt8 ? 0x80 : 0, size - done);
    return size;
}

}  // namespace zem::platform::qt
