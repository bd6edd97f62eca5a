// SPDX-License-Identifier: GPL-3.0-or-later
// A whole machine on the headless back end, with helpers to script outcomes and play as a player does.
#pragma once

#include "core/pays.h"
#include "core/spin_draw.h"
#include "platform/sim/sim_platform.h"
#include "play/machine.h"
#include "play/player_record.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace zem::testing {

using Stops = std::array<int16_t, 5>;

// The first stops (reel 1 slowest) whose outcome, at the given bet, satisfies the predicate.
inline std::optional<Stops> findStops(const std::function<bool(const core::MachineState&)>& wanted,
                                      int16_t lines = 25, int16_t coins = 1) {
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

inline bool noWild(const core::MachineState& s) {
    return s.wildcell[2] == 0 && s.wildcell[3] == 0 && s.wildcell[4] == 0;
}

// An outcome that wins nothing and shows no Wild and no Scatter: a spin that changes nothing but the bet.
inline const Stops& blankStops() {
    static const Stops stops = *findStops(
        [](const core::MachineState& s) { return s.spinwin == 0 && noWild(s) && s.scattercount == 0; });
    return stops;
}

// Three Scatters without a Wild: a series of free spins starts.
inline const Stops& threeScatters() {
    static const Stops stops =
        *findStops([](const core::MachineState& s) { return s.scattercount == 3 && noWild(s); });
    return stops;
}

struct Game {
    platform::sim::SimPlatform p;
    play::Machine m{p, [](int) { return std::vector<uint8_t>{'R', 'I', 'F', 'F'}; }};

    // Sets a stored key of player slot 1 before startup.
    void store(const std::string& key, const std::string& value, int slot = 1) {
        p.memoryStore().values[{"zem", play::playerSection(slot), key}] = value;
    }
    std::optional<std::string> stored(const std::string& key, int slot = 1) {
        return p.memoryStore().read("zem", play::playerSection(slot), key);
    }

    // Starts with a credit and a payout setting that never voids, unless told otherwise.
    void start(int32_t bank = 10000, int16_t machinepay = 1, int16_t sound = -1, int16_t winroll = 0) {
        store("bank", std::to_string(bank));
        store("machinepay", std::to_string(machinepay));
        store("soundonoff", std::to_string(sound));
        store("winroll", std::to_string(winroll));
        store("reelspeed", "1");
        m.startup();
        p.memoryStore().writes.clear();
        p.recorder().events.clear();
    }

    // Queues the draws of one spin: the stops of the reels that are not held, then the payout draw.
    void script(const Stops& stops, int payoutChoice = 1) {
        for (int reel = 1; reel <= 5; ++reel) {
            if (reel >= 2 && reel <= 4 && m.s.wildhold(reel) > 0) continue;
            p.scripted().pushStop(stops[reel - 1]);
        }
        p.scripted().pushChoice(payoutChoice, m.s.machinepay > 0 ? m.s.machinepay : 1);
    }

    // The same for a free spin, whose multiplier is drawn between the stops and the payout draw.
    void scriptFree(const Stops& stops, int multiplierChoice = 25, int payoutChoice = 1) {
        for (int reel = 1; reel <= 5; ++reel) {
            if (reel >= 2 && reel <= 4 && m.s.wildhold(reel) > 0) continue;
            p.scripted().pushStop(stops[reel - 1]);
        }
        p.scripted().pushChoice(multiplierChoice, 25);
        p.scripted().pushChoice(payoutChoice, m.s.machinepay > 0 ? m.s.machinepay : 1);
    }

    // Presses a coins-per-line picture as the player does and lets the spin run.
    void bet(int i) {
        p.tap(m.w.pplay[i]);
        p.advance(1);
    }

    // Runs the idle loop until the roll-up and every pending timer of a paid spin have settled.
    void idle(int64_t ms) { p.advance(ms); }
};

}  // namespace zem::testing
