// zem-math's subcommand table and dispatch. A new subcommand is one function and one row of kSubcommands.
#include "math_main.h"

#include "math_args.h"
#include "math_report.h"
#include "math_simulate.h"
#include "math_spin.h"

#include <string>

namespace zem::tools {

namespace {

constexpr Subcommand kSubcommands[] = {
    {"spin", "spin --stops S1,S2,S3,S4,S5 [--lines 1|5|10|15|25] [--coins 1|2|3|5|10|20]", runSpin},
    {"simulate",
     "simulate [--payout 1|2|5] [--spins N] [--seed N] [--lines 1|5|10|15|25] [--coins 1|2|3|5|10|20]",
     runSimulate},
    {"report", "report [--lines 1|5|10|15|25] [--coins 1|2|3|5|10|20] [--payout 1|2|5] [--json]", runReport},
};

void printUsage(std::ostream& out) {
    out << "usage: zem-math <subcommand> [options]\n";
    for (const Subcommand& command : kSubcommands) out << "  zem-math " << command.usage << '\n';
}

std::string knownNames() {
    std::string names;
    for (const Subcommand& command : kSubcommands)
        names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}

}  // namespace

std::span<const Subcommand> subcommands() { return kSubcommands; }

int zemMath(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "zem-math: no subcommand (known: " << knownNames() << "; zem-math help shows the usage)\n";
        return 2;
    }
    if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        printUsage(out);
        return 0;
    }
    for (const Subcommand& command : kSubcommands) {
        if (command.name != args[0]) continue;
        try {
            return command.run(args.subspan(1), out);
        } catch (const ArgError& error) {
            err << "zem-math " << command.name << ": " << error.what() << '\n';
            return 2;
        }
    }
    err << "zem-math: unknown subcommand '" << args[0] << "' (known: " << knownNames() << ")\n";
    return 2;
}

}  // namespace zem::tools
