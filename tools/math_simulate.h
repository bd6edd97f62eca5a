// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math simulate: many paid spins of the whole game, headless and seeded, reported as one line of JSON.
#pragma once

#include "play/simulation.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace zem::tools {

// --payout 1|2|5 (5), --spins N (1000000, at most 2^31 - 1), --seed N (7, 0 to 2^64 - 1), --lines (25),
// --coins (1).
play::SimulationOptions parseSimulateArgs(std::span<const std::string_view> args);

// The figures of a run as JSON: spins, wagered, won, rtp, hit_frequency, free_series, free_spins, seconds.
std::string simulateReport(const play::SimulationOptions& options, const play::SimulationResult& result);

int runSimulate(std::span<const std::string_view> args, std::ostream& out);

}  // namespace zem::tools
