// SPDX-License-Identifier: GPL-3.0-or-later
// Command-line arguments of zem-math: options of the form --name value, and the checked values they carry.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zem::tools {

// A bad argument. zem-math prints its message on one line and exits with status 2.
class ArgError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads `--name value` or `--name=value` options, each at most once and each one of `known` (names without
// the dashes). Returns the values by name.
std::map<std::string, std::string, std::less<>> parseOptions(std::span<const std::string_view> args,
                                                             std::span<const std::string_view> known);

// A whole decimal number (an optional minus sign and digits, nothing else) that fits an int. A number
// outside that range is refused as too large or too small for `what`, not as something else.
int parseInteger(std::string_view text, std::string_view what);

// A whole decimal number from 0 to 2^64 - 1 (digits only), e.g. a seed.
uint64_t parseUnsigned64(std::string_view text, std::string_view what);

// Five stops, 1 to 22 each, separated by commas: "21,20,16,17,7".
std::array<int16_t, 5> parseStops(std::string_view text);

// Lines played: 1, 5, 10, 15 or 25.
int16_t parseLines(std::string_view text);

// Coins bet per line: 1, 2, 3, 5, 10 or 20.
int16_t parseCoins(std::string_view text);

}  // namespace zem::tools
