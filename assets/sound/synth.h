// SPDX-License-Identifier: GPL-3.0-or-later
// A small deterministic synthesizer: voices, drums, metal clinks, filters and a room reverb on a float track.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zem::assets::synth {

// Seeded white noise, the only randomness the recordings use.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    // A value in [-1, 1).
    float next();
    // A value in [0, 1).
    double uniform();

  private:
    uint32_t state_;
};

// A mono float signal at a fixed rate; adding past the end is ignored, so notes may ring out of the track.
struct Track {
    Track(int rate, std::size_t length) : rate(rate), samples(length, 0.0f) {}
    int rate;
    std::vector<float> samples;

    std::size_t size() const { return samples.size(); }
    double seconds() const { return static_cast<double>(samples.size()) / rate; }
    void add(long index, double value) {
        if (index >= 0 && static_cast<std::size_t>(index) < samples.size())
            samples[index] += static_cast<float>(value);
    }
    long at(double seconds) const { return static_cast<long>(seconds * rate + 0.5); }
};

// Lets the vector unit run plain SSE code at full speed; called before every long loop of samples.
void clearUpperVectorState();

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double noteHz(double midi);

// One partial of an additive voice: frequency ratio to the fundamental, level, and how fast it dies relative
// to the note's own decay (1 = as the note, 2 = twice as fast).
struct Partial {
    double ratio;
    double level;
    double decayScale = 1.0;
};

// Attack / decay / sustain / release envelope; `decay` is an exponential time constant.
struct Envelope {
    double attack = 0.005;
    double decay = 0.3;
    double sustain = 0.0;
    double release = 0.05;
};

struct Vibrato {
    double rate = 0.0;   // Hz
    double depth = 0.0;  // semitones
    double delay = 0.0;  // seconds before it starts
};

// General additive voice; partials above 45 % of the rate are left out so nothing aliases.
void additive(Track& t, double start, double duration, double hz, double amp,
              const std::vector<Partial>& partials, const Envelope& env, const Vibrato& vib = {});

// Named timbres built on the additive voice.
void bell(Track& t, double start, double midi, double amp, double ring = 0.8);
void glock(Track& t, double start, double midi, double amp, double ring = 0.5);
void marimba(Track& t, double start, double midi, double amp);
void organ(Track& t, double start, double duration, double midi, double amp);
void flute(Track& t, double start, double duration, double midi, double amp, Noise& breath);
void brass(Track& t, double start, double duration, double midi, double amp);
void pluck(Track& t, double start, double midi, double amp, double ring, Noise& noise);
void bass(Track& t, double start, double duration, double midi, double amp);
void pad(Track& t, double start, double duration, double midi, double amp);

// Percussion.
void tom(Track& t, double start, double hz, double amp, double decay, Noise& noise);
void kick(Track& t, double start, double amp);
void shaker(Track& t, double start, double amp, Noise& noise);
void cymbal(Track& t, double start, double amp, double decay, Noise& noise);
void woodBlock(Track& t, double start, double hz, double amp);

// A coin striking metal: a cluster of inharmonic partials; `pitch` scales them.
void clink(Track& t, double start, double amp, double pitch, Noise& noise);

// Filters and effects over the whole track.
void lowpass(Track& t, double cutoffHz);
void highpass(Track& t, double cutoffHz);
void reverb(Track& t, double wet, double room = 0.8, double damp = 0.3);
void normalize(Track& t, double peak);
void fadeIn(Track& t, double seconds);
void fadeOut(Track& t, double seconds);

// Quantizes to RIFF WAVE sample bytes: 8-bit unsigned (silence 128) or 16-bit signed little-endian.
std::vector<uint8_t> quantize(const Track& t, int bits);

}  // namespace zem::assets::synth
