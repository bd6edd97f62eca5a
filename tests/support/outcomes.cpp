// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/outcomes.h"

#include <gtest/gtest.h>

namespace zem::testing {

std::optional<Stops> findStops(const std::function<bool(const core::MachineState&)>& wanted, int16_t lines,
                               int16_t coins) {
    core::MachineState s;
    s.linesplayed = lines;
    s.coinsperline = coins;
    for (int16_t a = 1; a <= 22; ++a)
        for (int16_t b = 1; b <= 22; ++b)
            for (int16_t c = 1; c <= 22; ++c)
                for (int16_t d = 1; d <= 22; ++d)
                    for (int16_t e = 1; e <= 22; ++e) {
                        const Stops stops{a, b, c, d, e};
                        core::placeStops(s, stops);
                        for (int line = 1; line <= core::kLines; ++line) s.linecount[line] = 0;
                        core::payOutcome(s);
                        if (wanted(s)) return stops;
                    }
    return std::nullopt;
}

bool noWild(const core::MachineState& s) {
    return s.wildcell[2] == 0 && s.wildcell[3] == 0 && s.wildcell[4] == 0;
}

const Stops& blankStops() {
    static const Stops stops = *findStops(
        [](const core::MachineState& s) { return s.spinwin == 0 && noWild(s) && s.scattercount == 0; });
    return stops;
}

const Stops& threeScatters() {
    static const Stops stops =
        *findStops([](const core::MachineState& s) { return s.scattercount == 3 && noWild(s); });
    return stops;
}

Stops paying(int32_t amount) {
    auto stops = findStops(
        [&](const core::MachineState& s) { return s.spinwin == amount && noWild(s) && s.scattercount < 3; });
    EXPECT_TRUE(stops) << "no outcome pays " << amount;
    return stops.value_or(Stops{1, 1, 1, 1, 1});
}

int winningLines(const core::MachineState& s) {
    int n = 0;
    for (int line = 1; line <= s.linesplayed; ++line) n += s.linewin[line] > 0;
    return n;
}

std::vector<int> linesWon(const core::MachineState& s) {
    std::vector<int> lines;
    for (int line = 1; line <= s.linesplayed; ++line) {
        if (s.linewin[line] > 0) lines.push_back(line);
    }
    return lines;
}

void pushStops(core::ScriptedRandom& draws, const Stops& stops, const core::MachineState& s) {
    const int16_t held[6] = {0, 0, s.wildhold2, s.wildhold3, s.wildhold4, 0};
    for (int reel = 1; reel <= 5; ++reel) {
        if (held[reel] > 0) continue;
        draws.pushStop(stops[static_cast<size_t>(reel - 1)]);
    }
}

}  // namespace zem::testing
