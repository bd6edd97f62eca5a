// SPDX-License-Identifier: GPL-3.0-or-later
// Outcomes chosen by what they show: the stops of five reels, found by trying every combination against the
// real line and Scatter evaluation, and queued as the draws of a spin.
#pragma once

#include "core/machine_state.h"
#include "core/pays.h"
#include "core/random.h"
#include "core/spin_draw.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zem::testing {

// The stop (1..22) of each of the five reels, reel 1 first.
using Stops = std::array<int16_t, 5>;

// The first stops (reel 1 slowest) whose outcome, at the given bet, satisfies the predicate.
std::optional<Stops> findStops(const std::function<bool(const core::MachineState&)>& wanted,
                               int16_t lines = 25, int16_t coins = 1);

// No Wild stands on reel 2, 3 or 4.
bool noWild(const core::MachineState& s);

// An outcome that wins nothing and shows no Wild and no Scatter: a spin that changes nothing but the bet.
const Stops& blankStops();

// Three Scatters without a Wild: a series of free spins starts.
const Stops& threeScatters();

// An outcome paying exactly `amount` at 25 lines of 1 coin, with no Wild to hold and no free spins; a test
// that asks for an amount no outcome pays fails.
Stops paying(int32_t amount);

// How many played lines won, and which, in ascending order.
int winningLines(const core::MachineState& s);
std::vector<int> linesWon(const core::MachineState& s);

// Queues the draws that stop the reels at `stops`: one for each reel the machine in state `s` does not hold.
void pushStops(core::ScriptedRandom& draws, const Stops& stops, const core::MachineState& s);

}  // namespace zem::testing
