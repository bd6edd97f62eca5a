// SPDX-License-Identifier: GPL-3.0-or-later
// The real machine window for the benchmarks: the Qt back end (no sound, a store in a temporary folder) and
// the machine on it, with the pictures the game carries.
#pragma once

#include "assets/pictures.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"

#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace zem::bench {

struct RealMachine {
    QTemporaryDir dir;
    platform::qt::QtPlatform platform{platform::qt::QtPlatform::Options{
        [](const platform::PictureRef& ref) { return assets::picture(ref.name, ref.index); },
        platform::qt::QtSoundOutput::Device::None, dir.filePath("zem.ini")}};
    play::Machine machine{platform, [](int) { return std::vector<uint8_t>{}; }};

    // Shows the window and starts the machine; called once the subsystems hooked into it are built.
    void start() {
        platform.attach(machine.w.orvelle);
        machine.startup();
        platform.sync();
    }
};

}  // namespace zem::bench
