// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math's subcommand table and dispatch. A new subcommand is one function and one row of kSubcommands.
#include "math_main.h"

#include "math_args.h"
#if ZEM_MATH_HISTORY
#include "math_history.h"
#endif
#include "math_report.h"
#include "math_help.h"
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
#if ZEM_MATH_HISTORY
    {"history", "history --store FILE [--slot 1..6] [--json]", runHistory},
#endif
};

void printUsage(std::ostream& out) {
    out << "usage: zem-math <subcommand> [options]\n";
    for (const Subcommand& command : kSubcommands) out << "  zem-math " << command.usage << '\n';
    out << "\nzem-math <subcommand> --help or zem-math help <subcommand> describes one subcommand;\n"
           "zem-math --version prints the version.\n";
}

void printSubcommandHelp(const Subcommand& command, std::ostream& out) {
    out << "usage: zem-math " << command.usage << '\n';
    if (const std::string_view text = subcommandHelp(command.name); !text.empty()) out << '\n' << text;
}

const Subcommand* findSubcommand(std::string_view name) {
    for (const Subcommand& command : kSubcommands) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

// True when the subcommand's arguments ask for its help instead of a run.
bool asksForHelp(std::span<const std::string_view> args) {
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
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
        if (args.size() == 1) {
            printUsage(out);
            return 0;
        }
        const Subcommand* command = findSubcommand(args[1]);
        if (command == nullptr) {
            err << "zem-math help: unknown subcommand '" << args[1] << "' (known: " << knownNames() << ")\n";
            return 2;
        }
        if (args.size() > 2) {
            err << "zem-math help: one subcommand at a time\n";
            return 2;
        }
        printSubcommandHelp(*command, out);
        return 0;
    }
    if (args[0] == "--version" || args[0] == "-v") {
        out << "zem-math " << mathVersion() << '\n';
        return 0;
    }
    for (const Subcommand& command : kSubcommands) {
        if (command.name != args[0]) continue;
        if (asksForHelp(args.subspan(1))) {
            printSubcommandHelp(command, out);
            return 0;
        }
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
