// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math history: the last games a player slot keeps, for a person or, with --json, for a program.
#pragma once

#include "play/game_history.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zem::tools {

// {"slot": N, "games": [{"time", "lines", "coins", "bet", "stops", "win", "credit_before", "credit_after",
// "line_wins": [{"line", "pay", "symbol", "run"}], "free_spins": [{"stops", "win", "multiplier"}],
// "gamble": [{"bet", "card", "right", "amount"}], "window", "scatters", "scatter_pay", "free_spins_awarded",
// "number"}]}, the games oldest first.
std::string historyJson(int slot, const std::vector<play::GameRecord>& games);

// The same as text for a person.
std::string historyText(int slot, const std::vector<play::GameRecord>& games);

// history --store FILE [--slot N] [--json]
int runHistory(std::span<const std::string_view> args, std::ostream& out);

}  // namespace zem::tools
