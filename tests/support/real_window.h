// SPDX-License-Identifier: GPL-3.0-or-later
// The real machine window on the Qt back end, offscreen: no sound, a store of its own in a temporary folder,
// and the pictures and recordings the game carries. The machine draws its reels from the back end's own
// generator, or, set up with scripted draws, from a queue the test fills.
#pragma once

#include "assets/pictures.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"
#include "play/player_record.h"
#include "support/scripted_qt.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace zem::testing {

#ifdef ZEM_TEST_OUTPUT_DIR
// Where a test's pictures go: its own folder in the build tree.
inline QString outputPath(const QString& name) {
    return QDir(QStringLiteral(ZEM_TEST_OUTPUT_DIR)).filePath(name);
}
#endif

// Where the machine in the real window draws its reels from: the back end's generator, or a queue the test
// fills.
enum class Draws { Real, Scripted };

struct RealWindowSetup {
    Draws draws = Draws::Real;
    // Pictures painted at the window's scale; none: the carried pictures are scaled.
    platform::qt::ScaledPictureResolver scaledPictures = {};
};

struct RealWindow {
    QTemporaryDir dir;
    zem::platform::qt::QtPlatform platform;
    // The back end with the test's queue of draws in place of its generator.
    ScriptedQt scriptedQt{platform};
    play::Machine machine;

    explicit RealWindow(RealWindowSetup setup = {})
        : platform{zem::platform::qt::QtPlatform::Options{
              [](const zem::platform::PictureRef& ref) { return assets::picture(ref.name, ref.index); },
              zem::platform::qt::QtSoundOutput::Device::None, dir.filePath("zem.ini"),
              std::move(setup.scaledPictures)}},
          machine{setup.draws == Draws::Scripted ? static_cast<zem::platform::Platform&>(scriptedQt)
                                                 : static_cast<zem::platform::Platform&>(platform),
                  [](int n) { return assets::recordingResource(n); }} {}

    // Sets a stored key of a player slot, before startup.
    void store(const std::string& key, const std::string& value, int slot = 1) {
        platform.store().write(play::kApplication, play::playerSection(slot), key, value);
    }

    // The window up with the store's player, as the game starts.
    void start() {
        platform.attach(machine.w.orvelle);
        machine.startup();
        platform.sync();
    }

    // Runs the window's events for a while of real time, or until `done` holds; whether it came to hold.
    bool run(
        int64_t ms, const std::function<bool()>& done = [] { return false; }) {
        const int64_t until = platform.loop().now() + ms;
        while (!done() && platform.loop().now() < until) platform.doEvents();
        return done();
    }

#ifdef ZEM_TEST_OUTPUT_DIR
    // The machine window as it stands now, without its menu bar, also saved under `name` for a look.
    QImage shot(const QString& name) {
        platform.sync();
        const QImage image = platform.grab(machine.w.orvelle, false);
        EXPECT_TRUE(image.save(outputPath(name))) << name.toStdString();
        return image;
    }
#endif
};

}  // namespace zem::testing
