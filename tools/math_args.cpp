// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing and checking of zem-math's options.
#include "math_args.h"

#include <algorithm>
#include <charconv>

namespace zem::tools {

namespace {

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

std::map<std::string, std::string, std::less<>> parseOptions(std::span<const std::string_view> args,
                                                             std::span<const std::string_view> known) {
    std::map<std::string, std::string, std::less<>> values;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--") || arg.size() == 2) throw ArgError("unexpected argument " + quoted(arg));
        std::string_view name = arg.substr(2);
        std::string_view value;
        bool hasValue = false;
        if (const size_t equals = name.find('='); equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            throw ArgError("unknown option --" + std::string(name));
        }
        if (!hasValue) {
            if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
                throw ArgError("--" + std::string(name) + " needs a value");
            }
            value = args[++i];
        }
        if (!values.emplace(std::string(name), std::string(value)).second) {
            throw ArgError("--" + std::string(name) + " is given twice");
        }
    }
    return values;
}

int parseInteger(std::string_view text, std::string_view what) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (!text.empty() && error == std::errc::result_out_of_range && stop == end) {
        throw ArgError(std::string(text) +
                       (text.starts_with('-') ? " is too small for " : " is too large for ") +
                       std::string(what));
    }
    if (text.empty() || error != std::errc{} || stop != end) {
        throw ArgError(std::string(what) + ": " + quoted(text) + " is not a whole number");
    }
    return value;
}

uint64_t parseUnsigned64(std::string_view text, std::string_view what) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const bool digits = !text.empty() && text.front() >= '0' && text.front() <= '9';
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (digits && error == std::errc::result_out_of_range && stop == end) {
        throw ArgError(std::string(text) + " is too large for " + std::string(what));
    }
    if (!digits || error != std::errc{} || stop != end) {
        if (text.starts_with('-') && text.size() > 1 &&
            std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            throw ArgError(std::string(what) + " must not be negative");
        }
        throw ArgError(std::string(what) + ": " + quoted(text) + " is not a whole number");
    }
    return value;
}

std::array<int16_t, 5> parseStops(std::string_view text) {
    std::array<int16_t, 5> stops{};
    size_t count = 0;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string_view part =
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
        const int stop = parseInteger(part, "--stops");
        if (stop < 1 || stop > 22)
            throw ArgError("--stops: " + std::to_string(stop) + " is not a stop (1 to 22)");
        if (count < stops.size()) stops[count] = static_cast<int16_t>(stop);
        ++count;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (count != stops.size()) {
        throw ArgError("--stops needs 5 stops, one per reel, got " + std::to_string(count));
    }
    return stops;
}

int16_t parseLines(std::string_view text) {
    const int lines = parseInteger(text, "--lines");
    for (int allowed : {1, 5, 10, 15, 25}) {
        if (lines == allowed) return static_cast<int16_t>(lines);
    }
    throw ArgError("--lines: " + std::to_string(lines) + " lines cannot be played (1, 5, 10, 15 or 25)");
}

int16_t parseCoins(std::string_view text) {
    const int coins = parseInteger(text, "--coins");
    for (int allowed : {1, 2, 3, 5, 10, 20}) {
        if (coins == allowed) return static_cast<int16_t>(coins);
    }
    throw ArgError("--coins: " + std::to_string(coins) +
                   " coins per line cannot be bet (1, 2, 3, 5, 10 or 20)");
}

}  // namespace zem::tools
