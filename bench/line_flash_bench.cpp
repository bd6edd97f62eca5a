// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of the winning-line flash in the real machine window (offscreen): the drawing steps of the tick,
// then bringing the widgets in line with the model and painting what changed, as happens before the tick's
// 150 ms pause. Counters give the pixels painted per tick against the window's 794 x 588.
#include "assets/pictures.h"
#include "bench/real_machine.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"
#include "presentation/win_presentation.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <vector>

namespace {

struct Rig : zem::bench::RealMachine {
    zem::presentation::WinPresentation show{machine};
    Rig() {
        start();
        QApplication::processEvents();
    }
};

Rig& rig() {
    static Rig r;
    return r;
}

// Pixels painted, all widgets together.
class PaintArea final : public QObject {
  public:
    double pixels = 0;
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += double(r.width()) * r.height();
        }
        return false;
    }
};

// Winning lines with runs of five: the diagonal lines 4 and 5 and the six-segment lines 14 to 21 (arg 0), or
// line 1 alone, whose two markers blink (arg 1).
void flashTick(benchmark::State& state) {
    Rig& r = rig();
    auto& m = r.machine;
    for (int k = 1; k <= 25; ++k) m.s.linewin[k] = m.s.linecount[k] = 0;
    std::vector<int> lines =
        state.range(0) == 0 ? std::vector<int>{4, 5, 14, 15, 16, 17, 18, 19, 20, 21} : std::vector<int>{1};
    for (int line : lines) {
        m.s.linewin[line] = static_cast<int16_t>(line);
        m.s.linecount[line] = 5;
    }
    r.show.flash.flashline = 26;
    PaintArea area;
    qApp->installEventFilter(&area);
    for (auto _ : state) {
        r.show.flash.advance();
        r.platform.paint();
    }
    qApp->removeEventFilter(&area);
    const double ticks = static_cast<double>(state.iterations());
    state.counters["pause_ms"] = zem::presentation::LineFlash::kPauseMs;
    state.counters["painted_px_per_tick"] = area.pixels / ticks;
    state.counters["painted_share_of_window_pct"] = 100.0 * area.pixels / ticks / (794.0 * 588.0);
    state.counters["widget_paints_per_tick"] = area.paints / ticks;
    state.SetLabel(state.range(0) == 0 ? "lines 4, 5, 14..21, runs of 5" : "line 1, run of 5");
}
BENCHMARK(flashTick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
