// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math spin: the evaluation of one outcome given by its stops, as one line of JSON.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace zem::tools {

struct SpinArgs {
    std::array<int16_t, 5> stops{};
    int16_t lines = 25;
    int16_t coins = 1;
};

// --stops S1,S2,S3,S4,S5 (required), --lines N (25), --coins N (1).
SpinArgs parseSpinArgs(std::span<const std::string_view> args);

// Places the stops, pays the Scatters and the lines with the machine's own code, and describes the outcome:
// stops, lines and coins, the window (symbol ids of each reel, top to bottom), Scatter and Wild cells, the
// Scatter pay, the spin's win and every winning played line with its run and its pay in coins.
std::string spinReport(const SpinArgs& spin);

// The subcommand: parses its arguments and prints the report.
int runSpin(std::span<const std::string_view> args, std::ostream& out);

}  // namespace zem::tools
