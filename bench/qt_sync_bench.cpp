// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one animation frame on the Qt back end: the five reel strips move inside their reel windows, then
// the widgets are brought in line and the changed parts painted, as before each pause of the reel animation.
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using namespace zem::platform;

constexpr int T = 15;

QImage benchPicture(const PictureRef& ref) {
    if (ref.name == "strip") {
        // A strip of 29 cells of 125 px, each a different shade, so every frame paints different pixels.
        QImage image(125, 3625, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            const int cell = y / 125;
            std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), image.width(),
                        qRgb(40 + cell * 7, 200 - cell * 5, (y * 3) & 0xFF));
        }
        return image;
    }
    if (ref.name == "background") {
        QImage image(794, 588, QImage::Format_RGB32);
        image.fill(qRgb(120, 20, 20));
        return image;
    }
    return {};
}

// Counts the widgets painted, to show that every frame really paints its five reel windows.
class PaintCounter final : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

struct ReelWindow {
    ReelWindow() : window("orvelle") {
        window.clientWidth = 11910;
        window.clientHeight = 8820;
        window.picture = {"background", 0};
        window.visible = true;
        const int lefts[5] = {990, 3010, 5070, 7110, 9150};
        for (int r = 0; r < 5; ++r) {
            boxes[r] = std::make_unique<Control>(ControlKind::PictureBox, "Picture" + std::to_string(r + 1));
            boxes[r]->left = lefts[r];
            boxes[r]->top = 1025;
            boxes[r]->width = 1875;
            boxes[r]->height = 5625;
            window.add(*boxes[r]);
            strips[r] = std::make_unique<Control>(ControlKind::Image, "reel", r + 1);
            strips[r]->width = 125 * T;
            strips[r]->height = 3625 * T;
            strips[r]->picture = {"strip", 0};
            window.add(*strips[r], boxes[r].get());
        }
    }
    Window window;
    std::unique_ptr<Control> boxes[5];
    std::unique_ptr<Control> strips[5];
};

void BM_ReelFrameSyncAndRepaint(benchmark::State& state) {
    zem::platform::qt::QtPlatform platform(zem::platform::qt::QtPlatform::Options{
        benchPicture, zem::platform::qt::QtSoundOutput::Device::None, {}});
    ReelWindow reels;
    platform.attach(reels.window);
    platform.doEvents();
    QApplication::processEvents();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    // Each reel moves by a step of its own per frame, as at different speeds, and wraps round its strip. A
    // step of 0 jumps far each frame, so every visible pixel of the five reel windows is painted anew.
    const int step = static_cast<int>(state.range(0));
    int frame = 0;
    for (auto _ : state) {
        ++frame;
        for (int r = 0; r < 5; ++r) {
            const int pixels = step > 0 ? frame * step * (r + 1) : frame * 977 * (r + 1);
            reels.strips[r]->top = -(pixels % 3250) * T;
        }
        platform.paint();
    }
    qApp->removeEventFilter(&counter);
    state.counters["paints_per_frame"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    state.SetLabel(step > 0 ? "5 strips of 125x3625 px stepping in 125x375 px reel windows"
                            : "5 strips of 125x3625 px jumping in 125x375 px reel windows");
}
BENCHMARK(BM_ReelFrameSyncAndRepaint)->Arg(0)->Arg(25)->Unit(benchmark::kMicrosecond);

// The same with nothing changed: the cost of a yield's sync alone.
void BM_SyncWithoutChanges(benchmark::State& state) {
    zem::platform::qt::QtPlatform platform(zem::platform::qt::QtPlatform::Options{
        benchPicture, zem::platform::qt::QtSoundOutput::Device::None, {}});
    ReelWindow reels;
    platform.attach(reels.window);
    platform.doEvents();
    for (auto _ : state) platform.paint();
}
BENCHMARK(BM_SyncWithoutChanges)->Unit(benchmark::kMicrosecond);

}  // namespace
