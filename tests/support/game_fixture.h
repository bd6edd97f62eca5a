// SPDX-License-Identifier: GPL-3.0-or-later
// A whole machine on the headless back end, with helpers to script outcomes and play as a player does.
#pragma once

#include "platform/sim/sim_platform.h"
#include "play/machine.h"
#include "play/player_record.h"
#include "support/outcomes.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace zem::testing {

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
        pushStops(p.scripted(), stops, m.s);
        p.scripted().pushChoice(payoutChoice, m.s.machinepay > 0 ? m.s.machinepay : 1);
    }

    // The same for a free spin, whose multiplier is drawn between the stops and the payout draw.
    void scriptFree(const Stops& stops, int multiplierChoice = 25, int payoutChoice = 1) {
        pushStops(p.scripted(), stops, m.s);
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
