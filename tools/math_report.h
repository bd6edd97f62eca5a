// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math report: the machine's exact figures, for a person or, with --json, for a program.
#pragma once

#include "core/machine_math.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace zem::tools {

struct ReportArgs {
    int16_t lines = 25;
    int16_t coins = 1;
    int16_t payout = 0;  // 0: every payout setting
    bool json = false;
};

// [--lines 1|5|10|15|25] [--coins 1|2|3|5|10|20] [--payout 1|2|5] [--json]
ReportArgs parseReportArgs(std::span<const std::string_view> args);

// The figures as one JSON object: lines, coins, base {rtp, hit_frequency, sd, outcomes, scatter_counts,
// wins}, settings [{payout, rtp, hit_frequency, free_series_per_spin, free_spins_per_spin, mean_series_win,
// sd, sd_long_run, held_share, voids_per_spin}], seconds.
std::string reportJson(const core::MachineFigures& figures, double seconds);

// The same as text for a person.
std::string reportText(const core::MachineFigures& figures, double seconds);

int runReport(std::span<const std::string_view> args, std::ostream& out);

}  // namespace zem::tools
