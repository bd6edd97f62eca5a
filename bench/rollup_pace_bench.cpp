// SPDX-License-Identifier: GPL-3.0-or-later
// The win meter's pace in the real window against the headless model: a 1500-coin win at BET 20 (payout
// level 1) counted up with the win counter on while its lines flash. Each step of the meter is timed on the
// window's own clock (real time) and on the model's virtual clock; the counters give the milliseconds a step
// takes in each and the roll-up ticks delivered. Run it on Xvfb with QT_QPA_PLATFORM=xcb to see the X back
// end.
#include "assets/pictures.h"
#include "platform/qt/qt_platform.h"
#include "presentation/win_presentation.h"
#include "support/game_fixture.h"
#include "support/scripted_qt.h"

#include <QEventLoop>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using zem::testing::Stops;

const Stops& bigWin() {
    static const Stops stops = *zem::testing::findStops(
        [](const zem::core::MachineState& s) {
            return s.spinwin == 1500 && s.scattercount < 2 && zem::testing::noWild(s);
        },
        25, 20);
    return stops;
}

// The times at which the meter showed a new count, from the first tick of the roll-up to its end.
struct Steps {
    std::vector<int64_t> at;
    int64_t ticks = 0;
    int64_t flashTicks = 0;  // ticks of the line flash while the meter counted

    void watch(zem::play::Machine& m, const zem::platform::Timer& flash, std::function<void()> onEnd = {}) {
        auto tick = m.Timerwincounter.onTick;
        m.Timerwincounter.onTick = [this, &m, &flash, tick, onEnd] {
            const std::string before = m.w.LABWIN.caption;
            if (ticks++ == 0) flashTicks = -flash.ticks();
            tick();
            if (!m.Timerwincounter.enabled()) flashTicks += flash.ticks();
            if (m.w.LABWIN.caption != before) at.push_back(m.p.loop().now());
            if (!m.Timerwincounter.enabled() && onEnd) onEnd();
        };
    }
    double longestStep() const {
        int64_t longest = 0;
        for (size_t i = 1; i < at.size(); ++i) longest = std::max(longest, at[i] - at[i - 1]);
        return double(longest);
    }
    double msPerStep() const {
        return at.size() < 2 ? 0.0 : double(at.back() - at.front()) / double(at.size() - 1);
    }
};

void settings(zem::platform::SettingsStore& store) {
    for (const auto& [key, value] : {std::pair{"bank", "100000"},
                                     {"machinepay", "1"},
                                     {"winroll", "1"},
                                     {"soundonoff", "0"},
                                     {"reelspeed", "1"}}) {
        store.write("zem", "player1", key, value);
    }
}

// The model: the machine on the headless back end and its virtual clock.
Steps modelSteps() {
    zem::testing::Game g;
    zem::presentation::WinPresentation show{g.m};
    g.start(100000, 1, 0, 1);
    Steps steps;
    steps.watch(g.m, show.flash.tmrlineflash);
    g.script(bigWin());
    g.bet(6);
    g.idle(30000);
    return steps;
}

void rollUp(benchmark::State& state) {
    const Steps model = modelSteps();
    Steps real;
    for (auto _ : state) {
        QTemporaryDir dir;
        zem::platform::qt::QtPlatform qt{zem::platform::qt::QtPlatform::Options{
            [](const zem::platform::PictureRef& ref) { return zem::assets::picture(ref.name, ref.index); },
            zem::platform::qt::QtSoundOutput::Device::None, dir.filePath("zem.ini")}};
        zem::testing::ScriptedQt p{qt};
        zem::play::Machine m{p, [](int) { return std::vector<uint8_t>{}; }};
        zem::presentation::WinPresentation show{m};
        settings(qt.store());
        qt.attach(m.w.orvelle);
        m.startup();
        qt.sync();
        QEventLoop loop;
        real = Steps{};
        real.watch(m, show.flash.tmrlineflash, [&loop] { loop.quit(); });
        p.scriptSpin(bigWin(), m.s);
        m.w.play[6].press();
        loop.exec();
    }
    state.counters["model_ms_per_step"] = model.msPerStep();
    state.counters["model_steps"] = double(model.at.size());
    state.counters["model_ticks"] = double(model.ticks);
    state.counters["real_ms_per_step"] = real.msPerStep();
    state.counters["real_steps"] = double(real.at.size());
    state.counters["real_ticks"] = double(real.ticks);
    state.counters["model_longest_step_ms"] = model.longestStep();
    state.counters["real_longest_step_ms"] = real.longestStep();
    state.counters["model_flash_ticks"] = double(model.flashTicks);
    state.counters["real_flash_ticks"] = double(real.flashTicks);
}
// One roll-up a run: it takes seconds of real time.
BENCHMARK(rollUp)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
