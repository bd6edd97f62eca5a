// SPDX-License-Identifier: GPL-3.0-or-later
// The synthesizer's voices, percussion, filters and reverb.
#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zem::assets::synth {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Level of an attack / decay / sustain / release envelope `t` seconds into a note held for `held` seconds.
double envelopeAt(const Envelope& e, double t, double held, double decayScale) {
    if (t < 0.0) return 0.0;
    double level;
    if (t < e.attack) {
        level = t / e.attack;
    } else {
        const double d = (t - e.attack) * decayScale / e.decay;
        level = e.sustain + (1.0 - e.sustain) * std::exp(-d);
    }
    if (t > held) {
        const double r = (t - held) / e.release;
        level *= r >= 1.0 ? 0.0 : (1.0 - r) * (1.0 - r);
    }
    return level;
}

// Second-order filter section (direct form I) with the usual audio-cookbook coefficients.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    static Biquad lowpass(double rate, double cutoff, double q = 0.7071) {
        const double w = kTwoPi * std::min(cutoff, rate * 0.49) / rate;
        const double alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        const double a0 = 1 + alpha;
        Biquad f;
        f.b0 = (1 - c) / 2 / a0;
        f.b1 = (1 - c) / a0;
        f.b2 = (1 - c) / 2 / a0;
        f.a1 = -2 * c / a0;
        f.a2 = (1 - alpha) / a0;
        return f;
    }
    static Biquad highpass(double rate, double cutoff, double q = 0.7071) {
        const double w = kTwoPi * std::min(cutoff, rate * 0.49) / rate;
        const double alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        const double a0 = 1 + alpha;
        Biquad f;
        f.b0 = (1 + c) / 2 / a0;
        f.b1 = -(1 + c) / a0;
        f.b2 = (1 + c) / 2 / a0;
        f.a1 = -2 * c / a0;
        f.a2 = (1 - alpha) / a0;
        return f;
    }
    static Biquad bandpass(double rate, double centre, double q) {
        const double w = kTwoPi * std::min(centre, rate * 0.49) / rate;
        const double alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        const double a0 = 1 + alpha;
        Biquad f;
        f.b0 = alpha / a0;
        f.b1 = 0;
        f.b2 = -alpha / a0;
        f.a1 = -2 * c / a0;
        f.a2 = (1 - alpha) / a0;
        return f;
    }
    double run(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// Lowpass comb filter and allpass of the room reverb.
struct Comb {
    std::vector<float> line;
    std::size_t pos = 0;
    float store = 0;
    float run(float in, float feedback, float damp) {
        const float out = line[pos];
        store = out * (1 - damp) + store * damp;
        line[pos] = in + store * feedback;
        if (++pos == line.size()) pos = 0;
        return out;
    }
};

struct Allpass {
    std::vector<float> line;
    std::size_t pos = 0;
    float run(float in) {
        const float buffered = line[pos];
        const float out = -in + buffered;
        line[pos] = in + buffered * 0.5f;
        if (++pos == line.size()) pos = 0;
        return out;
    }
};

}  // namespace

void clearUpperVectorState() {
#if defined(__x86_64__) && defined(__GNUC__)
    // Some libraries leave the upper halves of the AVX registers in use (a process with a Qt GUI does); the
    // plain SSE arithmetic of the voices then pays a transition penalty on every instruction and runs ten
    // times slower.
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) __asm__ volatile("vzeroupper");
#endif
}

float Noise::next() {
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<double>(state_) / 2147483648.0 - 1.0);
}

double Noise::uniform() { return (next() + 1.0) * 0.5; }

double noteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

void additive(Track& t, double start, double duration, double hz, double amp,
              const std::vector<Partial>& partials, const Envelope& env, const Vibrato& vib) {
    clearUpperVectorState();
    const long first = t.at(start);
    const long count = static_cast<long>((duration + env.release) * t.rate) + 1;
    const double nyquistGuard = t.rate * 0.45;
    std::vector<double> phase(partials.size(), 0.0);
    for (long i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / t.rate;
        double f = hz;
        if (vib.depth > 0.0 && time > vib.delay) {
            const double fadeIn = std::min(1.0, (time - vib.delay) / 0.25);
            f *= std::pow(2.0, vib.depth * fadeIn * std::sin(kTwoPi * vib.rate * (time - vib.delay)) / 12.0);
        }
        double sum = 0.0;
        for (std::size_t p = 0; p < partials.size(); ++p) {
            const double pf = f * partials[p].ratio;
            if (pf >= nyquistGuard) continue;
            phase[p] += kTwoPi * pf / t.rate;
            if (phase[p] > kTwoPi) phase[p] -= kTwoPi;
            sum += partials[p].level * envelopeAt(env, time, duration, partials[p].decayScale) *
                   std::sin(phase[p]);
        }
        t.add(first + i, amp * sum);
    }
}

void bell(Track& t, double start, double midi, double amp, double ring) {
    static const std::vector<Partial> kBell = {{1.0, 1.0, 1.0},   {2.0, 0.42, 1.5},  {2.76, 0.30, 2.0},
                                               {4.07, 0.16, 2.8}, {5.43, 0.08, 3.6}, {0.5, 0.10, 0.7},
                                               {3.0, 0.06, 2.4}};
    Envelope env{0.002, ring, 0.0, 0.03};
    additive(t, start, ring * 4.0, noteHz(midi), amp, kBell, env);
}

void glock(Track& t, double start, double midi, double amp, double ring) {
    static const std::vector<Partial> kGlock = {
        {1.0, 1.0, 1.0}, {2.76, 0.22, 2.5}, {5.40, 0.10, 4.0}, {8.93, 0.04, 6.0}};
    Envelope env{0.001, ring, 0.0, 0.03};
    additive(t, start, ring * 4.0, noteHz(midi), amp, kGlock, env);
}

void marimba(Track& t, double start, double midi, double amp) {
    static const std::vector<Partial> kMarimba = {{1.0, 1.0, 1.0}, {3.93, 0.28, 3.0}, {9.4, 0.06, 6.0}};
    Envelope env{0.002, 0.22, 0.0, 0.03};
    additive(t, start, 0.9, noteHz(midi), amp, kMarimba, env);
}

void organ(Track& t, double start, double duration, double midi, double amp) {
    static const std::vector<Partial> kOrgan = {{1.0, 0.8},  {2.0, 0.45}, {3.0, 0.28},
                                                {4.0, 0.16}, {6.0, 0.08}, {8.0, 0.05}};
    Envelope env{0.012, 0.35, 0.75, 0.09};
    additive(t, start, duration, noteHz(midi), amp, kOrgan, env, {5.5, 0.05, 0.2});
}

void flute(Track& t, double start, double duration, double midi, double amp, Noise& breath) {
    static const std::vector<Partial> kFlute = {{1.0, 1.0}, {2.0, 0.22}, {3.0, 0.09}, {4.0, 0.03}};
    Envelope env{0.045, 0.3, 0.82, 0.12};
    const double hz = noteHz(midi);
    additive(t, start, duration, hz, amp, kFlute, env, {5.0, 0.14, 0.18});
    // Breath: noise through a band around the note, following the envelope, strongest at the attack.
    Biquad band = Biquad::bandpass(t.rate, std::min(hz * 2.0, t.rate * 0.4), 2.0);
    const long first = t.at(start);
    const long count = static_cast<long>((duration + env.release) * t.rate);
    for (long i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / t.rate;
        const double chiff = 1.0 + 3.0 * std::exp(-time / 0.03);
        t.add(first + i, amp * 0.16 * chiff * envelopeAt(env, time, duration, 1.0) * band.run(breath.next()));
    }
}

void brass(Track& t, double start, double duration, double midi, double amp) {
    clearUpperVectorState();
    // A band-limited sawtooth whose brightness swells at the attack and settles, as a horn's does.
    const double hz = noteHz(midi);
    const int harmonics = std::max(1, static_cast<int>(t.rate * 0.45 / hz));
    const Envelope env{0.03, 0.25, 0.78, 0.1};
    const long first = t.at(start);
    const long count = static_cast<long>((duration + env.release) * t.rate);
    double phase = 0.0;
    for (long i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / t.rate;
        double f = hz;
        if (time > 0.18)
            f *= std::pow(2.0, 0.07 * std::sin(kTwoPi * 5.2 * (time - 0.18)) *
                                   std::min(1.0, (time - 0.18) / 0.3) / 12.0);
        phase += kTwoPi * f / t.rate;
        if (phase > kTwoPi) phase -= kTwoPi;
        const double level = envelopeAt(env, time, duration, 1.0);
        // Brightness: how many harmonics speak, rising with the attack.
        const double bright = 2.0 + 9.0 * std::min(1.0, time / 0.06) * (0.65 + 0.35 * level);
        double sum = 0.0;
        for (int n = 1; n <= harmonics && n <= 24; ++n) {
            const double w = std::exp(-(n - 1) / bright) / n;
            sum += w * std::sin(n * phase);
        }
        t.add(first + i, amp * level * sum);
    }
}

void pluck(Track& t, double start, double midi, double amp, double ring, Noise& noise) {
    clearUpperVectorState();
    const double hz = noteHz(midi);
    const std::size_t period = std::max<std::size_t>(2, static_cast<std::size_t>(t.rate / hz + 0.5));
    std::vector<double> line(period);
    double mean = 0.0;
    for (auto& v : line) {
        v = noise.next();
        mean += v;
    }
    mean /= static_cast<double>(period);
    for (auto& v : line) v -= mean;
    // Loss per round trip chosen so the string falls by 60 dB in `ring` seconds.
    const double loss = std::pow(0.001, 1.0 / (ring * hz));
    const long first = t.at(start);
    const long count = static_cast<long>(ring * t.rate);
    std::size_t pos = 0;
    double prev = 0.0;
    for (long i = 0; i < count; ++i) {
        const double cur = line[pos];
        const double next = 0.5 * (cur + prev) * loss;
        prev = cur;
        line[pos] = next;
        if (++pos == period) pos = 0;
        const double fade = i > count - 200 ? static_cast<double>(count - i) / 200.0 : 1.0;
        t.add(first + i, amp * cur * fade);
    }
}

void bass(Track& t, double start, double duration, double midi, double amp) {
    static const std::vector<Partial> kBass = {
        {1.0, 1.0}, {2.0, 0.42, 1.4}, {3.0, 0.2, 1.8}, {4.0, 0.08, 2.2}};
    Envelope env{0.008, 0.35, 0.55, 0.08};
    additive(t, start, duration, noteHz(midi), amp, kBass, env);
}

void pad(Track& t, double start, double duration, double midi, double amp) {
    static const std::vector<Partial> kPad = {
        {1.0, 0.7}, {1.003, 0.5}, {2.0, 0.22}, {2.997, 0.1}, {4.0, 0.05}};
    Envelope env{0.18, 0.8, 0.7, 0.3};
    additive(t, start, duration, noteHz(midi), amp, kPad, env, {4.2, 0.04, 0.3});
}

void tom(Track& t, double start, double hz, double amp, double decay, Noise& noise) {
    clearUpperVectorState();
    const long first = t.at(start);
    const long count = static_cast<long>(decay * 6.0 * t.rate);
    double phase = 0.0;
    Biquad thump = Biquad::lowpass(t.rate, 900.0);
    for (long i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / t.rate;
        const double f = hz * (1.0 + 0.7 * std::exp(-time / 0.035));
        phase += kTwoPi * f / t.rate;
        const double body = std::sin(phase) * std::exp(-time / decay);
        const double skin = thump.run(noise.next()) * std::exp(-time / 0.012) * 0.9;
        t.add(first + i, amp * (body + skin));
    }
}

void kick(Track& t, double start, double amp) {
    clearUpperVectorState();
    const long first = t.at(start);
    const long count = static_cast<long>(0.5 * t.rate);
    double phase = 0.0;
    for (long i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / t.rate;
        const double f = 48.0 + 80.0 * std::exp(-time / 0.03);
        phase += kTwoPi * f / t.rate;
        t.add(first + i, amp * std::sin(phase) * std::exp(-time / 0.12));
    }
}

void shaker(Track& t, double start, double amp, Noise& noise) {
    clearUpperVectorState();
    const long first = t.at(start);
    const long count = static_cast<long>(0.09 * t.rate);
    Biquad hp = Biquad::highpass(t.rate, std::min(6000.0, t.rate * 0.3));
    for (long i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / t.rate;
        const double env = std::min(1.0, time / 0.008) * std::exp(-time / 0.025);
        t.add(first + i, amp * env * hp.run(noise.next()));
    }
}

void cymbal(Track& t, double start, double amp, double decay, Noise& noise) {
    clearUpperVectorState();
    const long first = t.at(start);
    const long count = static_cast<long>(decay * 5.0 * t.rate);
    Biquad hp = Biquad::highpass(t.rate, std::min(5000.0, t.rate * 0.25));
    Biquad hp2 = Biquad::highpass(t.rate, std::min(3000.0, t.rate * 0.2));
    for (long i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / t.rate;
        t.add(first + i, amp * std::exp(-time / decay) * hp2.run(hp.run(noise.next())));
    }
}

void woodBlock(Track& t, double start, double hz, double amp) {
    static const std::vector<Partial> kWood = {{1.0, 1.0, 1.0}, {2.71, 0.45, 1.8}, {4.8, 0.12, 3.0}};
    Envelope env{0.0008, 0.035, 0.0, 0.01};
    additive(t, start, 0.25, hz, amp, kWood, env);
}

void clink(Track& t, double start, double amp, double pitch, Noise& noise) {
    // Partials of a small struck disc: clustered and inharmonic, the high ones dying first.
    static const std::array<Partial, 6> kCoin = {Partial{1.00, 1.0, 1.0}, Partial{1.47, 0.75, 1.3},
                                                 Partial{2.09, 0.6, 1.6}, Partial{2.56, 0.45, 2.0},
                                                 Partial{3.22, 0.3, 2.6}, Partial{1.02, 0.5, 1.1}};
    std::vector<Partial> partials(kCoin.begin(), kCoin.end());
    for (auto& p : partials) p.ratio *= 1.0 + 0.01 * noise.next();  // no two coins ring alike
    Envelope env{0.0005, 0.09, 0.0, 0.01};
    additive(t, start, 0.5, 2350.0 * pitch, amp * 0.5, partials, env);
    // The strike itself.
    const long first = t.at(start);
    const long count = static_cast<long>(0.004 * t.rate) + 1;
    Biquad hp = Biquad::highpass(t.rate, std::min(4000.0, t.rate * 0.3));
    for (long i = 0; i < count; ++i)
        t.add(first + i, amp * 0.6 * hp.run(noise.next()) * (1.0 - static_cast<double>(i) / count));
}

void lowpass(Track& t, double cutoffHz) {
    clearUpperVectorState();
    Biquad f = Biquad::lowpass(t.rate, cutoffHz);
    for (auto& s : t.samples) s = static_cast<float>(f.run(s));
}

void highpass(Track& t, double cutoffHz) {
    clearUpperVectorState();
    Biquad f = Biquad::highpass(t.rate, cutoffHz);
    for (auto& s : t.samples) s = static_cast<float>(f.run(s));
}

void reverb(Track& t, double wet, double room, double damp) {
    clearUpperVectorState();
    static constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static constexpr std::array<int, 4> kAllpasses = {556, 441, 341, 225};
    const double scale = t.rate / 44100.0;
    std::vector<Comb> combs;
    for (int len : kCombs)
        combs.push_back(Comb{std::vector<float>(std::max(1, static_cast<int>(len * scale)), 0.0f)});
    std::vector<Allpass> allpasses;
    for (int len : kAllpasses)
        allpasses.push_back(Allpass{std::vector<float>(std::max(1, static_cast<int>(len * scale)), 0.0f)});
    const float feedback = static_cast<float>(0.7 + 0.28 * room);
    const float d = static_cast<float>(damp);
    for (auto& s : t.samples) {
        const float in = s * 0.015f;
        float out = 0.0f;
        for (auto& c : combs) out += c.run(in, feedback, d);
        for (auto& a : allpasses) out = a.run(out);
        s = static_cast<float>(s + wet * out * 2.0);
    }
}

void normalize(Track& t, double peak) {
    float top = 0.0f;
    for (float s : t.samples) top = std::max(top, std::fabs(s));
    if (top <= 0.0f) return;
    const float gain = static_cast<float>(peak / top);
    for (auto& s : t.samples) s *= gain;
}

void fadeIn(Track& t, double seconds) {
    const auto n = std::min<std::size_t>(t.size(), static_cast<std::size_t>(seconds * t.rate));
    for (std::size_t i = 0; i < n; ++i) t.samples[i] *= static_cast<float>(i) / static_cast<float>(n);
}

void fadeOut(Track& t, double seconds) {
    const auto n = std::min<std::size_t>(t.size(), static_cast<std::size_t>(seconds * t.rate));
    const std::size_t size = t.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(n);  // 0 at the very end
        t.samples[size - 1 - i] *= static_cast<float>(x * x);
    }
}

std::vector<uint8_t> quantize(const Track& t, int bits) {
    std::vector<uint8_t> out;
    if (bits == 8) {
        out.reserve(t.size());
        for (float s : t.samples) {
            const long v = std::lround(128.0 + 127.0 * std::clamp(static_cast<double>(s), -1.0, 1.0));
            out.push_back(static_cast<uint8_t>(std::clamp(v, 0L, 255L)));
        }
    } else {
        out.reserve(t.size() * 2);
        for (float s : t.samples) {
            const long v = std::lround(32767.0 * std::clamp(static_cast<double>(s), -1.0, 1.0));
            const auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
            out.push_back(static_cast<uint8_t>(u & 0xFF));
            out.push_back(static_cast<uint8_t>(u >> 8));
        }
    }
    return out;
}

}  // namespace zem::assets::synth
