// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the recordings as synthesized and of the sound bank that plays them on the one channel.
#include "play/sound_bank.h"

#include "assets/recordings.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

using zem::assets::findRecording;
using zem::assets::kRecordings;
using zem::assets::readWaveInfo;
using zem::assets::synthesizeRecording;
using zem::assets::waveSamples;
using zem::play::SoundBank;

// Synthesizing is the slow part; every test shares one copy of each recording.
const std::vector<uint8_t>& recording(int number) {
    static std::map<int, std::vector<uint8_t>> made;
    auto found = made.find(number);
    if (found == made.end()) found = made.emplace(number, synthesizeRecording(number)).first;
    return found->second;
}

// A sound output that remembers what it was given and what the one channel is doing.
class RecordingSoundOutput : public zem::platform::SoundOutput {
  public:
    struct Event {
        enum Kind { Play, Stop } kind;
        int number;
        bool looped;
    };

    void load(int number, std::vector<uint8_t> wave) override {
        loadOrder.push_back(number);
        entries[number] = std::move(wave);
    }
    void play(int number, bool looped) override {
        events.push_back({Event::Play, number, looped});
        playing = number;
        looping = looped;
    }
    void stop() override {
        events.push_back({Event::Stop, 0, false});
        playing = 0;
        looping = false;
    }
    // Whether a sound can be heard: something plays and its entry holds a recording.
    bool audible() const {
        const auto found = entries.find(playing);
        return playing != 0 && found != entries.end() && !found->second.empty();
    }

    std::map<int, std::vector<uint8_t>> entries;
    std::vector<int> loadOrder;
    std::vector<Event> events;
    int playing = 0;
    bool looping = false;
};

double peak(const std::vector<float>& s) {
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    return top;
}

// Strength of frequency `hz` in `s` (Goertzel), over samples [from, from + count).
double strength(const std::vector<float>& s, std::size_t from, std::size_t count, int rate, double hz) {
    const double w = 2.0 * 3.14159265358979 * hz / rate;
    const double coeff = 2.0 * std::cos(w);
    double q1 = 0, q2 = 0;
    for (std::size_t i = from; i < from + count && i < s.size(); ++i) {
        const double q0 = coeff * q1 - q2 + s[i];
        q2 = q1;
        q1 = q0;
    }
    return q1 * q1 + q2 * q2 - q1 * q2 * coeff;
}

// The strongest semitone between MIDI notes 60 and 100 in the window.
int strongestNote(const std::vector<float>& s, std::size_t from, std::size_t count, int rate) {
    int best = 0;
    double bestLevel = -1;
    for (int note = 60; note <= 100; ++note) {
        const double level = strength(s, from, count, rate, 440.0 * std::pow(2.0, (note - 69) / 12.0));
        if (level > bestLevel) {
            bestLevel = level;
            best = note;
        }
    }
    return best;
}

TEST(Recordings, EveryRecordingIsAMonoPcmWaveOfItsRateBitsAndLength) {
    ASSERT_EQ(kRecordings.size(), 25u);
    for (const auto& row : kRecordings) {
        SCOPED_TRACE(row.number);
        const std::vector<uint8_t>& file = recording(row.number);
        ASSERT_GE(file.size(), 44u);
        EXPECT_TRUE(std::equal(file.begin(), file.begin() + 4, "RIFF"));
        EXPECT_TRUE(std::equal(file.begin() + 8, file.begin() + 12, "WAVE"));
        const uint32_t riffSize =
            file[4] | (file[5] << 8) | (file[6] << 16) | (static_cast<uint32_t>(file[7]) << 24);
        EXPECT_EQ(riffSize + 8, file.size());
        const auto info = readWaveInfo(file);
        ASSERT_TRUE(info.valid);
        EXPECT_EQ(info.format, 1);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.rate, row.rate);
        EXPECT_EQ(info.bits, row.bits);
        EXPECT_NEAR(info.seconds(), row.seconds, row.seconds * 0.03);
        // Block align and byte rate agree with the format.
        const uint32_t byteRate =
            file[28] | (file[29] << 8) | (file[30] << 16) | (static_cast<uint32_t>(file[31]) << 24);
        EXPECT_EQ(byteRate, static_cast<uint32_t>(row.rate * row.bits / 8));
        EXPECT_EQ(file[32], row.bits / 8);
    }
}

TEST(Recordings, TheFormatTableIsTheMachinesList) {
    const int expected[25][3] = {
        {101, 11025, 8}, {102, 11025, 8},  {103, 11025, 8},  {104, 11025, 8}, {105, 44100, 16},
        {106, 11025, 8}, {107, 11025, 8},  {108, 11025, 8},  {109, 11025, 8}, {110, 11025, 8},
        {111, 11025, 8}, {112, 11025, 16}, {113, 11025, 8},  {114, 11025, 8}, {115, 44100, 8},
        {116, 44100, 8}, {117, 22050, 8},  {119, 44100, 8},  {120, 44100, 8}, {121, 44100, 8},
        {122, 44100, 8}, {123, 44100, 8},  {124, 22050, 16}, {125, 11025, 8}, {126, 22050, 8}};
    const double seconds[25] = {0.24, 0.55, 0.71, 0.71, 1.93,  1.76,  1.95, 1.95,  2.36,
                                2.41, 2.93, 1.62, 4.92, 13.95, 14.50, 0.28, 16.94, 0.52,
                                0.47, 0.44, 0.41, 0.37, 0.06,  0.51,  0.23};
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(expected[i][0]);
        EXPECT_EQ(kRecordings[static_cast<std::size_t>(i)].number, expected[i][0]);
        EXPECT_EQ(kRecordings[static_cast<std::size_t>(i)].rate, expected[i][1]);
        EXPECT_EQ(kRecordings[static_cast<std::size_t>(i)].bits, expected[i][2]);
        EXPECT_DOUBLE_EQ(kRecordings[static_cast<std::size_t>(i)].seconds, seconds[i]);
        EXPECT_EQ(SoundBank::kNumbers[static_cast<std::size_t>(i)], expected[i][0]);
    }
    EXPECT_EQ(findRecording(118), nullptr);
    EXPECT_TRUE(synthesizeRecording(118).empty());
    EXPECT_TRUE(synthesizeRecording(100).empty());
    EXPECT_TRUE(synthesizeRecording(127).empty());
}

TEST(Recordings, SoundsAreAudibleDistinctAndStartAndEndInSilence) {
    std::vector<std::vector<float>> all;
    for (const auto& row : kRecordings) {
        SCOPED_TRACE(row.number);
        const std::vector<float> s = waveSamples(recording(row.number));
        ASSERT_EQ(s.size(), zem::assets::sampleCount(row));
        EXPECT_GT(peak(s), 0.5) << "too quiet";
        EXPECT_LE(peak(s), 1.0);
        if (row.number != 117) {
            // One step of 8-bit quantization either way is silence.
            EXPECT_LE(std::fabs(s.front()), 1.5 / 128) << "starts with a click";
            EXPECT_LE(std::fabs(s.back()), 1.5 / 128) << "ends with a click";
        }
        all.push_back(s);
    }
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(all[i], all[j])
                << kRecordings[i].number << " and " << kRecordings[j].number << " are the same";
}

TEST(Recordings, EightBitSamplesAreUnsignedAroundMidScale) {
    const std::vector<uint8_t>& coin = recording(126);
    const auto info = readWaveInfo(coin);
    ASSERT_EQ(info.bits, 8);
    // Silence at the start is 128, not 0.
    EXPECT_NEAR(coin[info.dataOffset], 128, 1);
    long sum = 0;
    for (std::size_t i = 0; i < info.dataBytes; ++i) sum += coin[info.dataOffset + i];
    EXPECT_NEAR(static_cast<double>(sum) / static_cast<double>(info.dataBytes), 128.0, 4.0);
}

TEST(Recordings, SynthesisIsDeterministic) {
    for (int number : {101, 117, 124, 126})
        EXPECT_EQ(synthesizeRecording(number), recording(number)) << number;
}

TEST(Recordings, FreeSpinMusicLoopsWithoutAJumpAtTheSeam) {
    const std::vector<float> s = waveSamples(recording(117));
    ASSERT_GT(s.size(), 1000u);
    std::vector<float> steps;
    for (std::size_t i = 1; i < s.size(); ++i) steps.push_back(std::fabs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    const float typical = steps[steps.size() * 9 / 10];
    const float seam = std::fabs(s.front() - s.back());
    EXPECT_LE(seam, typical) << "the loop jumps where the end meets the start";
    // The loop starts at a zero crossing.
    EXPECT_LE(std::fabs(s.front()), 2.0f / 128);
    // The music fills the loop: no second of it is silent.
    const std::size_t second = 22050;
    for (std::size_t from = 0; from + second <= s.size(); from += second) {
        std::vector<float> part(s.begin() + static_cast<long>(from),
                                s.begin() + static_cast<long>(from + second));
        EXPECT_GT(peak(part), 0.2) << "silent at second " << from / second;
    }
}

TEST(Recordings, ScatterChimesRiseReelByReel) {
    int previous = 0;
    for (int number = 119; number <= 123; ++number) {
        const std::vector<float> s = waveSamples(recording(number));
        const int note = strongestNote(s, 44100 / 20, 44100 / 5, 44100);
        EXPECT_GT(note, previous) << number;
        previous = note;
    }
}

TEST(Recordings, ReelStopIsLowAndShortAndClickIsBrief) {
    // The thunk's energy sits low; the click is done within its 60 ms.
    const std::vector<float> thunk = waveSamples(recording(116));
    EXPECT_GT(strength(thunk, 0, 4410, 44100, 70.0), strength(thunk, 0, 4410, 44100, 2000.0));
    const std::vector<float> click = waveSamples(recording(124));
    std::vector<float> tail(click.end() - 200, click.end());
    EXPECT_LT(peak(tail), 0.2);
}

// --- The sound bank ---------------------------------------------------------------------------------------

std::vector<uint8_t> fakeWave(int number) { return std::vector<uint8_t>(8, static_cast<uint8_t>(number)); }

TEST(SoundBank, LoadsTheTwentyFiveRecordingsOnceInOrder) {
    RecordingSoundOutput out;
    int16_t soundonoff = -1;
    SoundBank bank(out, soundonoff);
    std::vector<int> fetched;
    bank.load([&](int number) {
        fetched.push_back(number);
        return fakeWave(number);
    });
    const std::vector<int> order(SoundBank::kNumbers.begin(), SoundBank::kNumbers.end());
    EXPECT_EQ(fetched, order);
    EXPECT_EQ(out.loadOrder, order);
    for (int n : order) {
        EXPECT_EQ(out.entries[n], fakeWave(n));
        EXPECT_TRUE(bank.loaded(n));
    }
    EXPECT_TRUE(out.events.empty()) << "loading plays nothing";
}

TEST(SoundBank, PlaysOnlyWhileTheSwitchIsOnAndReadsItAtEveryPlay) {
    RecordingSoundOutput out;
    int16_t soundonoff = 0;
    SoundBank bank(out, soundonoff);
    bank.load(fakeWave);
    for (int n : SoundBank::kNumbers) {
        bank.play(n);
        bank.playLooped(n);
    }
    EXPECT_TRUE(out.events.empty()) << "switch off: no event makes a sound, the free-spin music included";
    soundonoff = 1;  // only -1 means on
    bank.play(124);
    EXPECT_TRUE(out.events.empty());
    soundonoff = -1;
    bank.play(124);
    ASSERT_EQ(out.events.size(), 1u);
    EXPECT_EQ(out.events[0].kind, RecordingSoundOutput::Event::Play);
    EXPECT_EQ(out.events[0].number, 124);
    EXPECT_FALSE(out.events[0].looped);
    EXPECT_TRUE(out.audible());
}

TEST(SoundBank, FreeSpinMusicLoopsUntilTheNextSoundCutsIt) {
    RecordingSoundOutput out;
    int16_t soundonoff = -1;
    SoundBank bank(out, soundonoff);
    bank.load(fakeWave);
    bank.play(105);
    bank.playLooped(117);
    EXPECT_EQ(out.playing, 117);
    EXPECT_TRUE(out.looping);
    bank.play(112);  // the take-win collects the series
    EXPECT_EQ(out.playing, 112);
    EXPECT_FALSE(out.looping);
    ASSERT_EQ(out.events.size(), 3u);
    EXPECT_TRUE(out.events[1].looped);
}

TEST(SoundBank, OneChannelTheLastSoundStartedIsTheOneHeard) {
    RecordingSoundOutput out;
    int16_t soundonoff = -1;
    SoundBank bank(out, soundonoff);
    bank.load(fakeWave);
    bank.play(116);
    bank.play(119);  // a Scatter on the reel that just stopped cuts the thunk
    EXPECT_EQ(out.playing, 119);
    bank.play(124);
    bank.play(124);  // a second click restarts the first
    ASSERT_EQ(out.events.size(), 4u);
    EXPECT_EQ(out.events[3].number, 124);
    EXPECT_EQ(out.playing, 124);
}

TEST(SoundBank, StopSilencesWhateverTheSwitchSays) {
    for (int16_t setting : {int16_t{-1}, int16_t{0}}) {
        RecordingSoundOutput out;
        int16_t soundonoff = -1;
        SoundBank bank(out, soundonoff);
        bank.load(fakeWave);
        bank.playLooped(117);
        soundonoff = setting;
        bank.stop();
        ASSERT_FALSE(out.events.empty());
        EXPECT_EQ(out.events.back().kind, RecordingSoundOutput::Event::Stop);
        EXPECT_FALSE(out.audible());
    }
}

TEST(SoundBank, AnEntryThatFailedToLoadIsSilentAndTheRestStillLoad) {
    RecordingSoundOutput out;
    int16_t soundonoff = -1;
    SoundBank bank(out, soundonoff);
    bank.load([](int number) -> std::vector<uint8_t> {
        if (number == 113) return {};
        if (number == 114) throw std::runtime_error("unreadable");
        return fakeWave(number);
    });
    EXPECT_FALSE(bank.loaded(113));
    EXPECT_FALSE(bank.loaded(114));
    EXPECT_TRUE(bank.loaded(115));
    EXPECT_EQ(out.loadOrder.size(), 25u) << "every entry reaches the output, empty ones as silence";
    EXPECT_NO_THROW(bank.play(113));
    EXPECT_FALSE(out.audible());
    EXPECT_NO_THROW(bank.play(114));
    EXPECT_FALSE(out.audible());
    bank.play(115);
    EXPECT_TRUE(out.audible());
}

TEST(SoundBank, NumbersOutsideTheBankDoNothing) {
    RecordingSoundOutput out;
    int16_t soundonoff = -1;
    SoundBank bank(out, soundonoff);
    bank.load(fakeWave);
    bank.play(124);
    for (int n : {0, 100, 118, 127, -1}) {
        bank.play(n);
        bank.playLooped(n);
    }
    EXPECT_EQ(out.events.size(), 1u);
    EXPECT_EQ(out.playing, 124);
}

TEST(SoundBank, WithoutLoadingEverySoundIsSilent) {
    RecordingSoundOutput out;
    int16_t soundonoff = -1;
    SoundBank bank(out, soundonoff);
    bank.play(101);
    EXPECT_FALSE(out.audible());
    EXPECT_FALSE(bank.loaded(101));
}

TEST(SoundBank, LoadsTheMachinesOwnRecordings) {
    RecordingSoundOutput out;
    int16_t soundonoff = -1;
    SoundBank bank(out, soundonoff);
    bank.load([](int number) { return recording(number); });
    for (int n : SoundBank::kNumbers) {
        EXPECT_TRUE(bank.loaded(n)) << n;
        EXPECT_TRUE(readWaveInfo(out.entries[n]).valid) << n;
    }
}

}  // namespace
