// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math spin: one outcome through placeStops and payOutcome, reported as JSON.
#include "math_spin.h"

#include "core/machine_state.h"
#include "core/pays.h"
#include "core/spin_draw.h"
#include "math_args.h"

#include <sstream>

namespace zem::tools {

using namespace zem::core;

SpinArgs parseSpinArgs(std::span<const std::string_view> args) {
    static constexpr std::string_view kKnown[] = {"stops", "lines", "coins"};
    const auto options = parseOptions(args, kKnown);
    SpinArgs spin;
    const auto stops = options.find("stops");
    if (stops == options.end()) throw ArgError("--stops S1,S2,S3,S4,S5 is required");
    spin.stops = parseStops(stops->second);
    if (const auto lines = options.find("lines"); lines != options.end())
        spin.lines = parseLines(lines->second);
    if (const auto coins = options.find("coins"); coins != options.end())
        spin.coins = parseCoins(coins->second);
    return spin;
}

namespace {

template <class T>
void writeList(std::ostream& out, const T* values, int first, int last) {
    out << '[';
    for (int i = first; i <= last; ++i) out << (i > first ? "," : "") << values[i];
    out << ']';
}

}  // namespace

std::string spinReport(const SpinArgs& spin) {
    MachineState s;
    s.linesplayed = spin.lines;
    s.coinsperline = spin.coins;
    placeStops(s, spin.stops);
    payOutcome(s);

    std::ostringstream out;
    out << "{\"stops\":";
    writeList(out, s.reelstop, 1, kReels);
    out << ",\"linesplayed\":" << s.linesplayed << ",\"coinsperline\":" << s.coinsperline;
    out << ",\"window\":[";
    for (int reel = 1; reel <= kReels; ++reel) {
        out << (reel > 1 ? "," : "") << '[';
        for (int row = 1; row <= kRows; ++row) {
            out << (row > 1 ? "," : "") << static_cast<int>(symbolAt(reel, s.reelstop[reel], row));
        }
        out << ']';
    }
    out << "],\"scattercount\":" << s.scattercount << ",\"scattercell\":";
    writeList(out, s.scattercell, 1, kReels);
    out << ",\"wildcell\":";
    writeList(out, s.wildcell, 1, kReels);
    out << ",\"scatterpay\":" << int32_t{s.coinsperline} * scatterFactor(s.scattercount) * s.linesplayed;
    out << ",\"spinwin\":" << s.spinwin << ",\"lines\":[";
    bool first = true;
    for (int line = 1; line <= s.linesplayed; ++line) {
        if (s.linewin[line] == 0) continue;
        // Only the symbol on reel 1 can pay a line.
        const Symbol symbol = symbolAt(1, s.reelstop[1], lineRow(line, 1));
        const int32_t pay = int32_t{s.coinsperline} * linePay(symbol, s.linecount[line]);
        out << (first ? "" : ",") << "{\"line\":" << line << ",\"run\":" << s.linecount[line]
            << ",\"pay\":" << pay << '}';
        first = false;
    }
    out << "]}";
    return out.str();
}

int runSpin(std::span<const std::string_view> args, std::ostream& out) {
    out << spinReport(parseSpinArgs(args)) << '\n';
    return 0;
}

}  // namespace zem::tools
