// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math's help: each subcommand's description and the program's version.
#pragma once

#include <string_view>

namespace zem::tools {

// What subcommand `name` does and what each of its options means, a few lines ending in a newline; empty for
// a subcommand without a description here (its usage line alone then serves as its help).
std::string_view subcommandHelp(std::string_view name);

// The version of zem that zem-math belongs to ("1.0.0").
std::string_view mathVersion();

}  // namespace zem::tools
