// SPDX-License-Identifier: GPL-3.0-or-later
// Playing the recordings through a QAudioSink that pulls from the sound channel.
#include "qt_sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>

namespace zem::platform::qt {

namespace {

// The sink pulls from here: the channel's recording, or silence, without end.
class ChannelStream final : public QIODevice {
  public:
    explicit ChannelStream(std::shared_ptr<SoundChannel> channel, int frameBytes)
        : channel_(std::move(channel)), frameBytes_(frameBytes) {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 1 << 20; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 size = maxSize - maxSize % frameBytes_;
        if (size <= 0) return 0;
        channel_->read(reinterpret_cast<uint8_t*>(data), static_cast<size_t>(size));
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    std::shared_ptr<SoundChannel> channel_;
    int frameBytes_;
};

OutputFormat::Sample sampleOf(QAudioFormat::SampleFormat f) {
    switch (f) {
        case QAudioFormat::UInt8:
            return OutputFormat::UInt8;
        case QAudioFormat::Int32:
            return OutputFormat::Int32;
        case QAudioFormat::Float:
            return OutputFormat::Float;
        default:
            return OutputFormat::Int16;
    }
}

QAudioFormat::SampleFormat qtSampleOf(OutputFormat::Sample s) {
    switch (s) {
        case OutputFormat::UInt8:
            return QAudioFormat::UInt8;
        case OutputFormat::Int32:
            return QAudioFormat::Int32;
        case OutputFormat::Float:
            return QAudioFormat::Float;
        default:
            return QAudioFormat::Int16;
    }
}

}  // namespace

QtSoundOutput::QtSoundOutput(Device device) {
    QAudioDevice output;
    if (device == Device::Default) output = QMediaDevices::defaultAudioOutput();

    // 44.1 kHz, 16 bit, mono holds every recording of the bank without loss of rate; a device that does not
    // take it gets its own preferred format.
    QAudioFormat wanted;
    wanted.setSampleRate(44100);
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    if (!output.isNull() && !output.isFormatSupported(wanted)) wanted = output.preferredFormat();
    format_.rate = wanted.sampleRate() > 0 ? wanted.sampleRate() : 44100;
    format_.channels = wanted.channelCount() > 0 ? wanted.channelCount() : 1;
    format_.sample = sampleOf(wanted.sampleFormat());
    wanted.setSampleRate(format_.rate);
    wanted.setChannelCount(format_.channels);
    wanted.setSampleFormat(qtSampleOf(format_.sample));
    channel_ = std::make_shared<SoundChannel>(format_);
    if (output.isNull()) return;

    thread_ = new QThread;
    thread_->setObjectName("zem sound");
    worker_ = new QObject;
    worker_->moveToThread(thread_);
    thread_->start();
    // The sink is made and started in its thread, without the game thread waiting for it.
    auto channel = channel_;
    const int frameBytes = format_.bytesPerFrame();
    QObject* worker = worker_;
    QMetaObject::invokeMethod(worker_, [worker, output, wanted, channel, frameBytes] {
        auto* stream = new ChannelStream(channel, frameBytes);
        stream->setParent(worker);
        // Unbuffered: the sink takes from the channel only what it is about to play, so a new sound is heard
        // after the device's own buffer and not after a read-ahead of the stream's as well.
        stream->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        // The device's own buffer size: smaller ones can stall Qt's PulseAudio sink for good before it
        // starts.
        auto* sink = new QAudioSink(output, wanted, worker);
        sink->start(stream);
    });
}

QtSoundOutput::~QtSoundOutput() {
    if (thread_ == nullptr) return;
    QObject* worker = worker_;
    QMetaObject::invokeMethod(
        worker_,
        [worker] {
            for (QAudioSink* sink : worker->findChildren<QAudioSink*>()) sink->stop();
            delete worker;
        },
        Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait(2000);
    delete thread_;
}

void QtSoundOutput::load(int number, std::vector<uint8_t> wave) {
    std::vector<uint8_t> samples = prepareWave(wave, format_);
    if (samples.empty()) {
        sounds_.erase(number);
        return;
    }
    sounds_[number] = std::make_shared<const std::vector<uint8_t>>(std::move(samples));
}

bool QtSoundOutput::playable(int number) const { return sounds_.count(number) != 0; }

void QtSoundOutput::play(int number, bool looped) {
    auto it = sounds_.find(number);
    // A sound that is not in the bank silences the channel, as any new sound cuts the old one.
    channel_->start(it != sounds_.end() ? it->second : nullptr, looped);
}

void QtSoundOutput::stop() { channel_->stop(); }

}  // namespace zem::platform::qt
