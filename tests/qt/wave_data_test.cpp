// SPDX-License-Identifier: GPL-3.0-or-later
// Reading WAVE recordings, converting them for the sound device, and the one channel's play-out.
#include "platform/qt/wave_data.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace zem::platform::qt {
namespace {

void put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void putTag(std::vector<uint8_t>& v, const char* tag) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(tag[i]));
}

// A WAVE file with the given format and sample bytes; `claimed` overrides the data chunk's length.
std::vector<uint8_t> wave(int rate, int bits, int channels, const std::vector<uint8_t>& samples,
                          uint16_t formatTag = 1, int64_t claimed = -1) {
    std::vector<uint8_t> v;
    putTag(v, "RIFF");
    put32(v, static_cast<uint32_t>(36 + samples.size()));
    putTag(v, "WAVE");
    putTag(v, "fmt ");
    put32(v, 16);
    put16(v, formatTag);
    put16(v, static_cast<uint16_t>(channels));
    put32(v, static_cast<uint32_t>(rate));
    put32(v, static_cast<uint32_t>(rate * channels * bits / 8));
    put16(v, static_cast<uint16_t>(channels * bits / 8));
    put16(v, static_cast<uint16_t>(bits));
    putTag(v, "data");
    put32(v, static_cast<uint32_t>(claimed >= 0 ? claimed : static_cast<int64_t>(samples.size())));
    v.insert(v.end(), samples.begin(), samples.end());
    return v;
}

std::vector<uint8_t> int16Samples(std::initializer_list<int16_t> values) {
    std::vector<uint8_t> v;
    for (int16_t s : values) put16(v, static_cast<uint16_t>(s));
    return v;
}

int16_t int16At(const std::vector<uint8_t>& bytes, size_t i) {
    int16_t s;
    std::memcpy(&s, bytes.data() + 2 * i, 2);
    return s;
}

TEST(WaveData, ReadsTheFormatsOfTheSoundBank) {
    // 8 bit unsigned mono at 11025 Hz: 128 is silence, 255 and 0 the extremes.
    const auto eight = wave(11025, 8, 1, {128, 255, 0, 192});
    const auto f8 = parseWave(eight);
    ASSERT_TRUE(f8.has_value());
    EXPECT_EQ(f8->rate, 11025);
    EXPECT_EQ(f8->bitsPerSample, 8);
    EXPECT_EQ(f8->frames(), 4u);
    const auto m8 = decodeMono(eight, *f8);
    ASSERT_EQ(m8.size(), 4u);
    EXPECT_FLOAT_EQ(m8[0], 0.0f);
    EXPECT_NEAR(m8[1], 1.0f, 0.01f);
    EXPECT_FLOAT_EQ(m8[2], -1.0f);
    EXPECT_FLOAT_EQ(m8[3], 0.5f);

    // 16 bit signed stereo is mixed down to mono.
    const auto stereo = wave(44100, 16, 2, int16Samples({16384, -16384, 32767, 32767}));
    const auto f16 = parseWave(stereo);
    ASSERT_TRUE(f16.has_value());
    EXPECT_EQ(f16->frames(), 2u);
    const auto m16 = decodeMono(stereo, *f16);
    EXPECT_FLOAT_EQ(m16[0], 0.0f);
    EXPECT_NEAR(m16[1], 1.0f, 0.001f);

    // Chunks before the format and odd-sized chunks are stepped over (with their pad byte).
    std::vector<uint8_t> withList = wave(22050, 8, 1, {1, 2, 3});
    std::vector<uint8_t> list;
    putTag(list, "LIST");
    put32(list, 3);
    list.insert(list.end(), {'a', 'b', 'c', 0});
    withList.insert(withList.begin() + 12, list.begin(), list.end());
    const auto fl = parseWave(withList);
    ASSERT_TRUE(fl.has_value());
    EXPECT_EQ(fl->frames(), 3u);
    EXPECT_EQ(withList[fl->dataOffset], 1);
}

TEST(WaveData, RefusesOrTrimsDamagedFilesWithoutReadingPastThem) {
    EXPECT_FALSE(parseWave({}).has_value());
    EXPECT_FALSE(parseWave({'R', 'I', 'F', 'F'}).has_value());
    auto good = wave(11025, 8, 1, {1, 2, 3, 4});
    auto notWave = good;
    notWave[8] = 'X';
    EXPECT_FALSE(parseWave(notWave).has_value());
    EXPECT_FALSE(parseWave(wave(11025, 4, 1, {1, 2})).has_value());                // 4 bit
    EXPECT_FALSE(parseWave(wave(11025, 8, 0, {1, 2})).has_value());                // no channels
    EXPECT_FALSE(parseWave(wave(11025, 16, 1, {1, 2}, /*ADPCM*/ 2)).has_value());  // compressed
    EXPECT_FALSE(parseWave(wave(0, 8, 1, {1, 2})).has_value());                    // no rate

    // Cut off in the middle of the format chunk.
    EXPECT_FALSE(parseWave(std::vector<uint8_t>(good.begin(), good.begin() + 30)).has_value());

    // The data chunk claims more than there is: only what is there is read, in whole frames.
    const auto cut = wave(11025, 16, 1, {1, 2, 3, 4, 5}, 1, 1'000'000);
    const auto fc = parseWave(cut);
    ASSERT_TRUE(fc.has_value());
    EXPECT_EQ(fc->frames(), 2u);
    EXPECT_EQ(decodeMono(cut, *fc).size(), 2u);

    // A chunk whose length runs past the end of the file ends the search.
    std::vector<uint8_t> runaway;
    putTag(runaway, "RIFF");
    put32(runaway, 100);
    putTag(runaway, "WAVE");
    putTag(runaway, "junk");
    put32(runaway, 0xFFFFFFF0u);
    runaway.resize(runaway.size() + 8, 0);
    EXPECT_FALSE(parseWave(runaway).has_value());

    // Samples before any format are not guessed at.
    std::vector<uint8_t> dataFirst;
    putTag(dataFirst, "RIFF");
    put32(dataFirst, 12);
    putTag(dataFirst, "WAVE");
    putTag(dataFirst, "data");
    put32(dataFirst, 2);
    dataFirst.insert(dataFirst.end(), {1, 2});
    EXPECT_FALSE(parseWave(dataFirst).has_value());
    EXPECT_TRUE(prepareWave(dataFirst, OutputFormat{}).empty());
}

TEST(WaveData, ConvertsToTheDeviceFormat) {
    // 11025 Hz to 44100 Hz: four frames out for each in, the ones between interpolated.
    const auto file = wave(11025, 16, 1, int16Samples({0, 8192}));
    OutputFormat out;  // 44100 Hz, mono, 16 bit
    const auto bytes = prepareWave(file, out);
    ASSERT_EQ(bytes.size(), 8u * 2u);
    EXPECT_EQ(int16At(bytes, 0), 0);
    EXPECT_NEAR(int16At(bytes, 2), 4096, 2);
    EXPECT_NEAR(int16At(bytes, 4), 8192, 2);
    EXPECT_NEAR(int16At(bytes, 7), 8192, 2);  // past the last frame: held

    // The looping music at 22050 Hz doubles exactly, so its loop keeps its length.
    std::vector<uint8_t> music(2205, 128);
    EXPECT_EQ(prepareWave(wave(22050, 8, 1, music), out).size(), 2u * 2205u * 2u);

    // Unsigned 8 bit stereo output: every channel carries the sample, 128 is silence.
    OutputFormat u8{48000, 2, OutputFormat::UInt8};
    const auto same = convertSamples({0.0f, 1.0f, -1.0f}, 48000, u8);
    EXPECT_EQ(same, (std::vector<uint8_t>{128, 128, 255, 255, 1, 1}));

    OutputFormat fl{44100, 1, OutputFormat::Float};
    const auto floats = convertSamples({0.25f}, 44100, fl);
    float v;
    ASSERT_EQ(floats.size(), 4u);
    std::memcpy(&v, floats.data(), 4);
    EXPECT_FLOAT_EQ(v, 0.25f);
}

TEST(SoundChannel, LoopsWithoutAGapAndANewSoundCutsTheOld) {
    SoundChannel channel(OutputFormat{44100, 1, OutputFormat::Int16});
    auto loop = std::make_shared<const std::vector<uint8_t>>(std::vector<uint8_t>{1, 2, 3, 4, 5, 6});
    channel.start(loop, true);
    std::vector<uint8_t> heard;
    // Odd reads across the loop's end: the recording follows itself with nothing between.
    for (size_t chunk : {4u, 6u, 2u, 8u}) {
        std::vector<uint8_t> buffer(chunk);
        EXPECT_EQ(channel.read(buffer.data(), chunk), chunk);
        heard.insert(heard.end(), buffer.begin(), buffer.end());
    }
    std::vector<uint8_t> expected;
    while (expected.size() < heard.size()) expected.insert(expected.end(), loop->begin(), loop->end());
    expected.resize(heard.size());
    EXPECT_EQ(heard, expected);
    EXPECT_TRUE(channel.active());

    // A sound played once ends in silence.
    auto once = std::make_shared<const std::vector<uint8_t>>(std::vector<uint8_t>{9, 9, 9, 9});
    channel.start(once, false);
    std::vector<uint8_t> buffer(8);
    channel.read(buffer.data(), buffer.size());
    EXPECT_EQ(buffer, (std::vector<uint8_t>{9, 9, 9, 9, 0, 0, 0, 0}));
    EXPECT_FALSE(channel.active());

    // A new start begins at the start; stop silences (unsigned silence is 128).
    SoundChannel bytes(OutputFormat{11025, 1, OutputFormat::UInt8});
    bytes.start(loop, true);
    std::vector<uint8_t> two(2);
    bytes.read(two.data(), 2);
    bytes.start(loop, true);
    bytes.read(two.data(), 2);
    EXPECT_EQ(two, (std::vector<uint8_t>{1, 2}));
    bytes.stop();
    bytes.read(two.data(), 2);
    EXPECT_EQ(two, (std::vector<uint8_t>{128, 128}));
    EXPECT_FALSE(bytes.active());
}

}  // namespace
}  // namespace zem::platform::qt
