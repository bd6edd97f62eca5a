// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math's help texts, one per subcommand, kept apart from the dispatch so each reads as a whole.
#include "math_help.h"

namespace zem::tools {

namespace {

struct HelpText {
    std::string_view name;
    std::string_view text;
};

constexpr HelpText kHelp[] = {
    {"spin",
     "Evaluates one outcome: the reels stopped at the given stops, and prints it as one line of JSON (the\n"
     "window's symbols, the Scatter and Wild cells, the Scatter pay, the spin's win and every winning "
     "played\n"
     "line with its run and pay in coins).\n"
     "\n"
     "  --stops S1,S2,S3,S4,S5  the stop of each reel, 1 to 22, reel 1 first (required)\n"
     "  --lines N               paylines played: 1, 5, 10, 15 or 25 (default 25)\n"
     "  --coins N               coins bet per line: 1, 2, 3, 5, 10 or 20 (default 1)\n"},
    {"simulate",
     "Plays many paid spins of the whole game headless, as autoplay does (held Wilds, voided outcomes,\n"
     "free-spin series and their collects, coins put in when the credit runs short), and prints the figures\n"
     "as one line of JSON: spins, coins wagered and won, return to player, hit frequency, free-spin series\n"
     "and spins, coins inserted, game time and wall time.\n"
     "\n"
     "  --payout L  the payout setting: 1, 2 or 5 (default 5)\n"
     "  --spins N   paid spins to play, at least 1 (default 1000000)\n"
     "  --seed N    seed of the random draws; the same seed repeats the same run (default 7)\n"
     "  --lines N   paylines played: 1, 5, 10, 15 or 25 (default 25)\n"
     "  --coins N   coins bet per line: 1, 2, 3, 5, 10 or 20 (default 1)\n"},
    {"history",
     "Prints the last games a player slot keeps in a settings file, newest last: for each its time, bet and\n"
     "stops, the credit before and after it, what it won (its spin, its free-spin series and the gamble's\n"
     "gain), each winning line, the Scatter pay, the free spins and the gamble's cards. With --json, as one\n"
     "JSON object {\"slot\": N, \"games\": [...]}. A file that cannot be read ends with a message and\n"
     "status 2.\n"
     "\n"
     "  --store FILE  the settings file (the game keeps it as ~/.config/zem/zem.ini)\n"
     "  --slot N      the player slot, 1 to 6 (default 1)\n"
     "  --json        JSON instead of text\n"},
};

}  // namespace

std::string_view subcommandHelp(std::string_view name) {
    for (const HelpText& help : kHelp) {
        if (help.name == name) return help.text;
    }
    return {};
}

std::string_view mathVersion() { return ZEM_VERSION; }

}  // namespace zem::tools
