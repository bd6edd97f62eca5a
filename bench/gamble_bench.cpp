// SPDX-License-Identifier: GPL-3.0-or-later
// Wall time of one gamble bet in the real machine window (offscreen): the fifteen reveal frames and the
// banner falling through the panel, against the pauses the bet waits for (750 ms for a right guess, 3750 ms
// for a wrong one). The difference is what drawing the reveal and the banner's fall adds.
#include "assets/pictures.h"
#include "bench/real_machine.h"
#include "gamble/gamble.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Rig : zem::bench::RealMachine {
    zem::gamble::Gamble gamble{machine};
    Rig() { start(); }
    // The state a winning spin of 40 coins leaves: credited, the gamble button enabled.
    void win() {
        machine.s.spinwin = 40;
        machine.s.bank += 40;
        machine.w.doublebutton.enabled = true;
    }
};

Rig& rig() {
    static Rig r;
    return r;
}

void gambleBet(benchmark::State& state) {
    Rig& r = rig();
    auto& g = r.gamble;
    double rightWall = 0, wrongWall = 0;
    int64_t rights = 0, wrongs = 0;
    for (auto _ : state) {
        if (g.phase() != zem::gamble::Gamble::Phase::Open) {
            r.win();
            g.open();
        }
        QElapsedTimer t;
        t.start();
        g.bet(zem::gamble::Bet::Red);
        r.platform.sync();
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000.0);
        if (g.phase() == zem::gamble::Gamble::Phase::Open) {
            rightWall += ms - 750;
            ++rights;
            g.chickenOut();
        } else {
            wrongWall += ms - 3750;
            ++wrongs;
        }
    }
    state.counters["right_guesses"] = static_cast<double>(rights);
    if (rights > 0) state.counters["right_drawing_added_ms"] = rightWall / static_cast<double>(rights);
    if (wrongs > 0) state.counters["wrong_drawing_added_ms"] = wrongWall / static_cast<double>(wrongs);
}
BENCHMARK(gambleBet)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
