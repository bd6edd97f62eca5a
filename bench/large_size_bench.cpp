// SPDX-License-Identifier: GPL-3.0-or-later
// How long a player waits for pictures painted at a scale, in the real window: the LARGE SIZE switch of the
// machine window (the first of a run), and a start on a screen Qt scales (QT_SCALE_FACTOR=2) to the window
// painted. Argument 0 paints on demand on the windows' thread; 1 paints in the painter thread, ahead of need,
// with an empty cache folder (a first run); 2 (the start) with the folder a first run filled. Each case is
// the first of its process: run them one at a time, on a real X server with a window manager, e.g.
//   Xvfb :7 -screen 0 3840x2160x24 &  DISPLAY=:7 openbox &
//   DISPLAY=:7 QT_QPA_PLATFORM=xcb zem-bench-large --benchmark_filter=LargeSizeSwitch/1
//   DISPLAY=:7 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 zem-bench-large --benchmark_filter=ScaledStart/2
#include "assets/painted_pictures.h"
#include "assets/pictures.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using zem::platform::PictureRef;
using zem::platform::qt::QtPlatform;

// The machine window as the game builds it: its pictures painted afresh at any scale, on demand or ahead of
// need and kept in `cache`.
struct PaintedMachine {
    QTemporaryDir dir;
    QtPlatform platform;
    zem::play::Machine machine{platform, [](int) { return std::vector<uint8_t>{}; }};

    PaintedMachine(bool ahead, const QString& cache)
        : platform{QtPlatform::Options{
              [](const PictureRef& ref) { return zem::assets::picture(ref.name, ref.index); },
              zem::platform::qt::QtSoundOutput::Device::None, dir.filePath("zem.ini"),
              [](const PictureRef& ref, double scale) {
                  return zem::assets::paintedPicture(ref.name, ref.index, scale);
              },
              ahead, cache, [] { return zem::assets::paintedPicturesEdition(); }}} {}

    // Shows the window and waits until it is on the screen, painted.
    void start() {
        platform.attach(machine.w.orvelle);
        machine.startup();
        platform.sync();
        shown();
    }
    void shown() {
        QWidget* top = platform.clientOf(machine.w.orvelle)->window();
        top->repaint();
        QApplication::sync();
        QApplication::processEvents();
    }
    // Lets the event loop run for the seconds a player takes to reach the options window, and on until the
    // painter thread has nothing left to do.
    void idle(int ms) {
        QElapsedTimer clock;
        clock.start();
        const auto& supply = platform.pictureSupply();
        while (clock.elapsed() < ms || (supply && !supply->settled() && clock.elapsed() < 60000))
            platform.doEvents();
    }
};

QString cacheFolder(const QTemporaryDir& dir) { return dir.filePath("pictures"); }

// The click on LARGE SIZE to the window painted at its new size, after the seconds a player takes to open
// the options window.
void BM_LargeSizeSwitch(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir cache;
        auto m = std::make_unique<PaintedMachine>(state.range(0) != 0, cacheFolder(cache));
        m->start();
        m->idle(4000);
        state.ResumeTiming();
        m->machine.w.orvelle.fillScreen = true;
        m->platform.sync();
        m->shown();
        state.PauseTiming();
        state.counters["scale"] = m->platform.scaleOf(m->machine.w.orvelle);
        m.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LargeSizeSwitch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The start to the machine window painted (at a device pixel ratio of 2 under QT_SCALE_FACTOR=2).
void BM_ScaledStart(benchmark::State& state) {
    QTemporaryDir cache;
    if (state.range(0) == 2) {
        // A first run fills the cache folder.
        PaintedMachine first(true, cacheFolder(cache));
        first.start();
        first.idle(0);
    }
    for (auto _ : state) {
        auto m = std::make_unique<PaintedMachine>(state.range(0) != 0, cacheFolder(cache));
        m->start();
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ScaledStart)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
