// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math report: enumerates the outcomes and solves the long run with the core's own rules.
#include "math_report.h"

#include "core/symbols.h"
#include "math_args.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <vector>

namespace zem::tools {

ReportArgs parseReportArgs(std::span<const std::string_view> args) {
    // --json is a switch: it takes no value, so it is taken out before the options with values are read.
    std::vector<std::string_view> rest;
    ReportArgs r;
    for (std::string_view arg : args) {
        if (arg == "--json") {
            if (r.json) throw ArgError("--json is given twice");
            r.json = true;
        } else {
            rest.push_back(arg);
        }
    }
    static constexpr std::string_view kKnown[] = {"lines", "coins", "payout"};
    const auto options = parseOptions(rest, kKnown);
    if (const auto it = options.find("lines"); it != options.end()) r.lines = parseLines(it->second);
    if (const auto it = options.find("coins"); it != options.end()) r.coins = parseCoins(it->second);
    if (const auto it = options.find("payout"); it != options.end()) {
        const int payout = parseInteger(it->second, "--payout");
        if (payout != 1 && payout != 2 && payout != 5) throw ArgError("--payout must be 1, 2 or 5");
        r.payout = static_cast<int16_t>(payout);
    }
    return r;
}

namespace {

std::string number(double value, int decimals = 6) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string reportJson(const core::MachineFigures& f, double seconds) {
    std::ostringstream out;
    const core::BaseFigures& b = f.base;
    out << "{\"lines\":" << f.lines << ",\"coins\":" << f.coins << ",\"bet\":" << f.lines * f.coins;
    out << ",\"base\":{\"rtp\":" << number(b.rtp, 8) << ",\"hit_frequency\":" << number(b.hitFrequency, 8)
        << ",\"sd\":" << number(b.sd) << ",\"outcomes\":" << b.outcomes << ",\"scatter_counts\":[";
    for (int k = 0; k <= 5; ++k) out << (k ? "," : "") << b.scatterCounts[k];
    out << "],\"wins\":[";
    for (size_t i = 0; i < b.wins.size(); ++i)
        out << (i ? "," : "") << '[' << b.wins[i].first << ',' << b.wins[i].second << ']';
    out << "]},\"settings\":[";
    for (size_t i = 0; i < f.settings.size(); ++i) {
        const core::SettingFigures& s = f.settings[i];
        out << (i ? "," : "") << "{\"payout\":" << s.payout << ",\"rtp\":" << number(s.rtp, 8)
            << ",\"hit_frequency\":" << number(s.hitFrequency, 8)
            << ",\"free_series_per_spin\":" << number(s.freeSeriesPerSpin, 8)
            << ",\"free_spins_per_spin\":" << number(s.freeSpinsPerSpin, 8)
            << ",\"mean_series_win\":" << number(s.meanSeriesWin) << ",\"sd\":" << number(s.sd)
            << ",\"sd_long_run\":" << number(s.sdLongRun) << ",\"held_share\":" << number(s.heldShare, 8)
            << ",\"voids_per_spin\":" << number(s.voidsPerSpin, 8) << '}';
    }
    // The pay table the figures come from: coins per coin on the line for runs of 2 to 5, and the Scatter's
    // multiples of the bet for 2 to 5 Scatters.
    out << "],\"paytable\":{\"line\":[";
    for (int symbol = core::Chief; symbol <= core::Tomahawk; ++symbol) {
        out << (symbol > core::Chief ? "," : "") << "{\"symbol\":\"" << core::symbolName(symbol)
            << "\",\"pays\":[";
        for (int run = 2; run <= 5; ++run) out << (run > 2 ? "," : "") << core::linePay(symbol, run);
        out << "]}";
    }
    out << "],\"scatter\":[";
    for (int scatters = 2; scatters <= 5; ++scatters)
        out << (scatters > 2 ? "," : "") << core::scatterFactor(scatters);
    out << "]},\"seconds\":" << number(seconds, 3) << '}';
    return out.str();
}

std::string reportText(const core::MachineFigures& f, double seconds) {
    std::ostringstream out;
    const core::BaseFigures& b = f.base;
    out << "zem: exact figures at " << f.lines << " lines, " << f.coins << " coin"
        << (f.coins == 1 ? "" : "s") << " per line (bet " << f.lines * f.coins << ")\n\n";
    out << "One paid spin alone (all " << b.outcomes
        << " outcomes, nothing held, nothing voided, no free spins):\n";
    out << "  return          " << number(b.rtp * 100, 4) << " %\n";
    out << "  hit frequency   " << number(b.hitFrequency * 100, 4) << " %  (1 in "
        << number(1 / b.hitFrequency, 2) << ")\n";
    out << "  sd per spin     " << number(b.sd, 4) << " bets\n";
    out << "  Scatters        ";
    for (int k = 0; k <= 5; ++k)
        out << k << ": "
            << number(100.0 * static_cast<double>(b.scatterCounts[k]) / static_cast<double>(b.outcomes), 4)
            << " %" << (k < 5 ? "   " : "\n");
    // The wins, in bands of the bet.
    const double bet = static_cast<double>(f.lines * f.coins);
    const double bands[] = {0, 1, 2, 5, 10, 20, 50, 100, 1e300};
    const char* names[] = {"0 < win < 1 bet", "1 - 2 bets",   "2 - 5 bets",    "5 - 10 bets",
                           "10 - 20 bets",    "20 - 50 bets", "50 - 100 bets", "100 bets and more"};
    out << "  wins (" << b.wins.size() - (b.wins.empty() || b.wins.front().first != 0 ? 0 : 1)
        << " different amounts):\n";
    for (int band = 0; band < 8; ++band) {
        int64_t outcomes = 0;
        for (const auto& [win, n] : b.wins) {
            const double x = win / bet;
            if (win > 0 && x >= bands[band] && x < bands[band + 1]) outcomes += n;
        }
        char line[96];
        std::snprintf(line, sizeof line, "    %-20s %10.5f %%\n", names[band],
                      100.0 * static_cast<double>(outcomes) / static_cast<double>(b.outcomes));
        out << line;
    }
    if (!b.wins.empty())
        out << "    largest win          " << b.wins.back().first << " coins (" << b.wins.back().second
            << " outcome" << (b.wins.back().second == 1 ? "" : "s") << ")\n";

    out << "\nThe long run, with held Wilds, voids and re-spins, and free-spin series with their multipliers "
           "and "
           "retriggers:\n";
    char head[160];
    std::snprintf(head, sizeof head, "  %-7s %10s %10s %12s %12s %12s %9s %9s\n", "payout", "return", "hits",
                  "series/spin", "free spins", "series win", "sd", "sd (run)");
    out << head;
    for (const core::SettingFigures& s : f.settings) {
        char line[200];
        std::snprintf(line, sizeof line, "  %-7d %8.4f %% %8.4f %% %12.6f %12.6f %9.3f bets %9.4f %9.4f\n",
                      s.payout, s.rtp * 100, s.hitFrequency * 100, s.freeSeriesPerSpin, s.freeSpinsPerSpin,
                      s.meanSeriesWin, s.sd, s.sdLongRun);
        out << line;
    }
    out << "\n  (sd: of one paid spin's return in bets; sd (run): the same with the correlation that held "
           "Wilds "
           "give neighbouring spins, so that n spins return within about 2 sd (run) / sqrt(n) of the mean)\n";
    out << "\ncomputed in " << number(seconds, 3) << " s\n";
    return out.str();
}

int runReport(std::span<const std::string_view> args, std::ostream& out) {
    const ReportArgs r = parseReportArgs(args);
    std::vector<int16_t> payouts;
    if (r.payout != 0) {
        payouts.push_back(r.payout);
    } else {
        payouts.assign(std::begin(core::kPayoutSettings), std::end(core::kPayoutSettings));
    }
    const auto start = std::chrono::steady_clock::now();
    const core::MachineFigures figures = core::machineFigures(r.lines, r.coins, payouts);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out << (r.json ? reportJson(figures, seconds) + "\n" : reportText(figures, seconds));
    return 0;
}

}  // namespace zem::tools
