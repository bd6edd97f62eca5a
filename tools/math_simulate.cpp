// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math simulate: the machine window's own handlers on the headless back end under autoplay.
#include "math_simulate.h"

#include "math_args.h"

#include <cstdio>
#include <sstream>

namespace zem::tools {

play::SimulationOptions parseSimulateArgs(std::span<const std::string_view> args) {
    static constexpr std::string_view kKnown[] = {"payout", "spins", "seed", "lines", "coins"};
    const auto options = parseOptions(args, kKnown);
    play::SimulationOptions o;
    if (const auto it = options.find("payout"); it != options.end()) {
        const int payout = parseInteger(it->second, "--payout");
        if (payout != 1 && payout != 2 && payout != 5) throw ArgError("--payout must be 1, 2 or 5");
        o.payout = static_cast<int16_t>(payout);
    }
    if (const auto it = options.find("spins"); it != options.end()) {
        const int spins = parseInteger(it->second, "--spins");
        if (spins < 1) throw ArgError("--spins must be at least 1");
        o.spins = spins;
    }
    if (const auto it = options.find("seed"); it != options.end())
        o.seed = parseUnsigned64(it->second, "--seed");
    if (const auto it = options.find("lines"); it != options.end()) o.lines = parseLines(it->second);
    if (const auto it = options.find("coins"); it != options.end()) o.coins = parseCoins(it->second);
    return o;
}

std::string simulateReport(const play::SimulationOptions& o, const play::SimulationResult& r) {
    auto ratio = [](int64_t a, int64_t b) {
        return b == 0 ? 0.0 : static_cast<double>(a) / static_cast<double>(b);
    };
    char rtp[32], hits[32], seconds[32];
    std::snprintf(rtp, sizeof rtp, "%.6f", ratio(r.won, r.wagered));
    std::snprintf(hits, sizeof hits, "%.6f", ratio(r.hits, r.spins));
    std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
    std::ostringstream out;
    out << "{\"payout\":" << o.payout << ",\"seed\":" << o.seed << ",\"lines\":" << o.lines
        << ",\"coins\":" << o.coins << ",\"spins\":" << r.spins << ",\"wagered\":" << r.wagered
        << ",\"won\":" << r.won << ",\"rtp\":" << rtp << ",\"hit_frequency\":" << hits
        << ",\"free_series\":" << r.freeSeries << ",\"free_spins\":" << r.freeSpins
        << ",\"inserted\":" << r.inserted << ",\"game_seconds\":" << r.virtualMs / 1000
        << ",\"seconds\":" << seconds << "}";
    return out.str();
}

int runSimulate(std::span<const std::string_view> args, std::ostream& out) {
    const play::SimulationOptions options = parseSimulateArgs(args);
    out << simulateReport(options, play::simulate(options)) << '\n';
    return 0;
}

}  // namespace zem::tools
