// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math: the table of subcommands and the program's entry, with its streams passed in.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace zem::tools {

// One subcommand: its name, its usage line, and what runs it on the arguments after the name.
struct Subcommand {
    std::string_view name;
    std::string_view usage;
    int (*run)(std::span<const std::string_view> args, std::ostream& out);
};

// Every subcommand zem-math knows, in the order the usage lists them.
std::span<const Subcommand> subcommands();

// Runs zem-math on its arguments (without the program name). Returns the exit status: 0 when done, 2 for a
// missing or unknown subcommand or a bad argument, reported in one line on err. "help" or --help prints the
// usage on out.
int zemMath(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace zem::tools
