// SPDX-License-Identifier: GPL-3.0-or-later
// The one sound channel on Qt Multimedia: recordings converted once to the device's format, fed to one audio
// sink from a thread of its own, so that sound goes on while the game thread pauses.
#pragma once

#include "platform/sound_output.h"
#include "wave_data.h"

#include <map>
#include <memory>
#include <vector>

class QAudioSink;
class QIODevice;
class QObject;
class QThread;

namespace zem::platform::qt {

class QtSoundOutput final : public SoundOutput {
  public:
    enum class Device { Default, None };
    // Opens the default audio output; with Device::None, or when the machine has none, the channel is silent.
    explicit QtSoundOutput(Device device = Device::Default);
    ~QtSoundOutput() override;
    QtSoundOutput(const QtSoundOutput&) = delete;
    QtSoundOutput& operator=(const QtSoundOutput&) = delete;

    void load(int number, std::vector<uint8_t> wave) override;
    void play(int number, bool looped) override;
    void stop() override;

    // Whether an audio device takes the sound.
    bool hasDevice() const { return thread_ != nullptr; }
    // The format recordings are converted to.
    const OutputFormat& format() const { return format_; }
    // Whether recording `number` was loaded and can be played.
    bool playable(int number) const;
    // The channel the device reads from.
    SoundChannel& channel() { return *channel_; }

  private:
    OutputFormat format_;
    std::shared_ptr<SoundChannel> channel_;
    std::map<int, SoundChannel::Buffer> sounds_;
    QThread* thread_ = nullptr;
    QObject* worker_ = nullptr;  // lives in the thread; owns the sink and the stream
};

}  // namespace zem::platform::qt
