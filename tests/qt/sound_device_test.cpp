// SPDX-License-Identifier: GPL-3.0-or-later
// The sound output on a real sound server: a private PulseAudio with a null sink, started by the test itself
// before anything in the process opens a sound device, and stopped when the tests end.
#include "platform/qt/qt_sound_output.h"
#include "sound_server.h"
#include "test_tone.h"

#include <QThread>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace zem::platform::qt {
namespace {

using testing::tone;

class OnASoundServer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<testing::PrivateSoundServer>();
        if (server_->running()) server_->useFromThisProcess();
    }
    static void TearDownTestSuite() { server_.reset(); }
    void SetUp() override { ASSERT_TRUE(server_->running()) << server_->error(); }

    static std::unique_ptr<testing::PrivateSoundServer> server_;
};

std::unique_ptr<testing::PrivateSoundServer> OnASoundServer::server_;

// The device thread plays the channel out, also while the game thread sleeps, and the loop goes round.
TEST_F(OnASoundServer, TheRecordingsPlayOutAndTheLoopGoesRound) {
    QtSoundOutput sound;
    ASSERT_TRUE(sound.hasDevice()) << "the sound server's sink was not taken as the audio output";
    sound.load(101, tone(11025, 100));
    sound.load(117, tone(22050, 200));
    auto waitFor = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 500 && !done(); ++i) QThread::msleep(10);  // sleeps only: no event runs here
        return done();
    };
    sound.play(101, false);
    EXPECT_TRUE(waitFor([&] { return !sound.channel().active(); }));

    const uint64_t loopBytes =
        static_cast<uint64_t>(sound.format().bytesPerFrame()) * sound.format().rate / 5;
    const uint64_t start = sound.channel().delivered();
    sound.play(117, true);
    EXPECT_TRUE(waitFor([&] { return sound.channel().delivered() > start + 3 * loopBytes; }));
    EXPECT_TRUE(sound.channel().active());
    sound.stop();
    EXPECT_FALSE(sound.channel().active());
}

}  // namespace
}  // namespace zem::platform::qt
