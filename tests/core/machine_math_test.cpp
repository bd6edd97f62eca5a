// SPDX-License-Identifier: GPL-3.0-or-later
// The returns kept for the windows: worked out on a thread of their own while others ask for them, or stopped
// half-way, they are the exact figures of each number of lines.
#include "core/machine_math.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace {

using namespace zem::core;

constexpr int16_t kChoices[] = {25, 1, 5, 10, 15};

// Every payout setting's kept return at `lines` is the one the figures give when computed afresh.
void expectKeptReturnsExact(int16_t lines) {
    const MachineFigures exact = machineFigures(lines, 1, {5, 2, 1});
    for (const SettingFigures& s : exact.settings)
        EXPECT_EQ(returnToPlayer(s.payout, lines), s.rtp)
            << "payout " << s.payout << ", " << lines << " lines";
}

TEST(ReturnsWarmUp, AnswersEveryNumberOfLinesWhileOtherThreadsAskForTheSame) {
    ReturnsWarmUp warmUp({std::begin(kChoices), std::end(kChoices)});
    // A caller asking for the lines being computed waits for them; others compute theirs before the warm-up
    // comes to them, and it passes them over.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    double asked[3] = {};
    std::thread a([&] { asked[0] = returnToPlayer(2, 25); });
    std::thread b([&] { asked[1] = returnToPlayer(1, 10); });
    asked[2] = returnToPlayer(5, 15);
    a.join();
    b.join();
    warmUp.finish();
    for (int16_t lines : kChoices) expectKeptReturnsExact(lines);
    EXPECT_EQ(asked[0], returnToPlayer(2, 25));
    EXPECT_EQ(asked[1], returnToPlayer(1, 10));
    EXPECT_EQ(asked[2], returnToPlayer(5, 15));
    EXPECT_NE(returnToPlayer(5, 1), returnToPlayer(5, 25));
}

TEST(ReturnsWarmUp, StoppedAtAnyMomentLeavesNoWrongFigureAndNoCallerWaitingForever) {
    // Stopped before it begins, in the enumeration, and in the long run of the settings. Numbers of lines no
    // other case asks for, so none is known before.
    const struct {
        int16_t lines;
        int delayMs;
    } stops[] = {{2, 0}, {3, 10}, {4, 60}, {6, 120}};
    for (const auto& stop : stops) {
        {
            ReturnsWarmUp warmUp({stop.lines});
            std::this_thread::sleep_for(std::chrono::milliseconds(stop.delayMs));
        }
        expectKeptReturnsExact(stop.lines);
    }
    // A caller waiting for the lines the warm-up is computing computes them itself once it is stopped.
    double waited = 0;
    std::optional<ReturnsWarmUp> warmUp(std::in_place, std::vector<int16_t>{7});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::thread caller([&] { waited = returnToPlayer(5, 7); });
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    warmUp.reset();
    caller.join();
    EXPECT_EQ(waited, machineFigures(7, 1, {5}).settings.front().rtp);
}

}  // namespace
