// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math: the spin report against the core, bad arguments, and the built program itself.
#include "core/machine_state.h"
#include "core/pays.h"
#include "core/random.h"
#include "core/spin_draw.h"
#include "math_main.h"
#include "math_simulate.h"
#include "support/tool_run.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace zem::core;

using zem::testing::runTool;
using zem::testing::ToolRun;

const char* const kChiefs =
    "{\"stops\":[21,20,16,17,7],\"linesplayed\":25,\"coinsperline\":1,"
    "\"window\":[[7,1,12],[9,1,6],[5,1,2],[9,1,2],[9,1,12]],\"scattercount\":2,\"scattercell\":[3,0,0,0,15],"
    "\"wildcell\":[0,0,0,0,0],\"scatterpay\":25,\"spinwin\":1525,\"lines\":[{\"line\":1,\"run\":5,\"pay\":"
    "1500}]}\n";

TEST(ZemMath, SpinReportsTheChiefsOutcome) {
    const ToolRun run = runTool({"spin", "--stops", "21,20,16,17,7", "--lines", "25", "--coins", "1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kChiefs);
    EXPECT_EQ(run.err, "");
    // 25 lines at 1 coin are the defaults; --name=value is the same as --name value.
    EXPECT_EQ(runTool({"spin", "--stops", "21,20,16,17,7"}).out, kChiefs);
    EXPECT_EQ(runTool({"spin", "--stops=21,20,16,17,7", "--coins=1"}).out, kChiefs);
    // Wilds in the middle of reels 2 to 4 at 5 lines and 3 coins: the Wild cells, and only lines 1 to 5.
    const ToolRun wild = runTool({"spin", "--stops", "2,1,10,10,2", "--lines", "5", "--coins", "3"});
    EXPECT_EQ(wild.status, 0);
    EXPECT_NE(wild.out.find("\"wildcell\":[0,5,8,11,0]"), std::string::npos) << wild.out;
    EXPECT_NE(
        wild.out.find("\"lines\":[{\"line\":1,\"run\":5,\"pay\":525},{\"line\":5,\"run\":2,\"pay\":6}]"),
        std::string::npos)
        << wild.out;
}

// The whole number after each `"key":` in a line of JSON, in order.
std::vector<long> numbersAfter(const std::string& json, const std::string& key) {
    std::vector<long> numbers;
    const std::string marker = "\"" + key + "\":";
    for (size_t at = json.find(marker); at != std::string::npos; at = json.find(marker, at + 1)) {
        numbers.push_back(std::stol(json.substr(at + marker.size())));
    }
    return numbers;
}

TEST(ZemMath, LinePaysAddUpToTheCoreWin) {
    // For a sample of outcomes and bets, the listed line pays and the Scatter pay add up to spinwin as the
    // core computes it, and the lines listed are exactly the core's winning lines with their runs.
    SystemRandom random(31);
    const char* lineChoices[] = {"1", "5", "10", "15", "25"};
    const char* coinChoices[] = {"1", "2", "3", "5", "10", "20"};
    for (int n = 0; n < 300; ++n) {
        std::array<int16_t, 5> stops{};
        std::string text;
        for (int reel = 0; reel < 5; ++reel) {
            stops[reel] = static_cast<int16_t>(drawOneTo(22, random.uniform()));
            text += (reel ? "," : "") + std::to_string(stops[reel]);
        }
        const char* lines = lineChoices[n % 5];
        const char* coins = coinChoices[n % 6];
        const ToolRun run = runTool({"spin", "--stops", text, "--lines", lines, "--coins", coins});
        ASSERT_EQ(run.status, 0) << run.err;
        MachineState s;
        s.linesplayed = static_cast<int16_t>(std::stoi(lines));
        s.coinsperline = static_cast<int16_t>(std::stoi(coins));
        placeStops(s, stops);
        payOutcome(s);
        EXPECT_EQ(numbersAfter(run.out, "spinwin"), std::vector<long>{s.spinwin}) << run.out;
        const std::vector<long> scatterPay = numbersAfter(run.out, "scatterpay");
        ASSERT_EQ(scatterPay.size(), 1u) << run.out;
        const std::vector<long> listed = numbersAfter(run.out, "line");
        const std::vector<long> runs = numbersAfter(run.out, "run");
        const std::vector<long> pays = numbersAfter(run.out, "pay");
        ASSERT_EQ(runs.size(), listed.size());
        ASSERT_EQ(pays.size(), listed.size());
        std::vector<long> winning, winningRuns;
        for (int line = 1; line <= 25; ++line) {
            if (s.linewin[line] == 0) continue;
            winning.push_back(line);
            winningRuns.push_back(s.linecount[line]);
        }
        EXPECT_EQ(listed, winning) << run.out;
        EXPECT_EQ(runs, winningRuns) << run.out;
        long total = scatterPay[0];
        for (long pay : pays) total += pay;
        EXPECT_EQ(total, s.spinwin) << run.out;
    }
}

TEST(ZemMath, BadArgumentsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string_view>> bad = {
        {},
        {"roll"},
        {"spin"},
        {"spin", "--stops", "21,20,16,17"},
        {"spin", "--stops", "21,20,16,17,7,1"},
        {"spin", "--stops", "21,20,16,17,23"},
        {"spin", "--stops", "0,20,16,17,7"},
        {"spin", "--stops", "21,,16,17,7"},
        {"spin", "--stops", "21,20,16,17,7,"},
        {"spin", "--stops", "a,20,16,17,7"},
        {"spin", "--stops", "2.5,20,16,17,7"},
        {"spin", "--stops", "99999999999,1,1,1,1"},
        {"spin", "--stops", "21,20,16,17,7", "--lines", "7"},
        {"spin", "--stops", "21,20,16,17,7", "--lines", "0"},
        {"spin", "--stops", "21,20,16,17,7", "--coins", "4"},
        {"spin", "--stops", "21,20,16,17,7", "--coins", "-1"},
        {"spin", "--stops", "21,20,16,17,7", "--coins"},
        {"spin", "--stops", "--lines", "5"},
        {"spin", "--stops", "21,20,16,17,7", "--bet", "3"},
        {"spin", "--stops", "21,20,16,17,7", "extra"},
        {"spin", "--stops", "21,20,16,17,7", "--lines", "5", "--lines", "5"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (std::string_view arg : args) joined += std::string(arg) + " ";
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << joined;
        EXPECT_EQ(run.out, "") << joined;
        ASSERT_FALSE(run.err.empty()) << joined;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_EQ(run.err.rfind("zem-math", 0), 0u) << run.err;
    }
    const ToolRun help = runTool({"help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("zem-math spin --stops"), std::string::npos);
}

TEST(ZemMath, HelpForTheWholeAndForEachSubcommand) {
    const ToolRun whole = runTool({"--help"});
    EXPECT_EQ(whole.status, 0);
    EXPECT_EQ(whole.err, "");
    for (const auto& command : zem::tools::subcommands()) {
        EXPECT_NE(whole.out.find("zem-math " + std::string(command.usage)), std::string::npos)
            << command.name;
        // Both ways of asking give the same help: the usage line first, and no run of the subcommand.
        const ToolRun asked = runTool({"help", command.name});
        const ToolRun flag = runTool({command.name, "--help"});
        const ToolRun shortFlag = runTool({command.name, "--lines", "5", "-h"});
        EXPECT_EQ(asked.status, 0) << command.name;
        EXPECT_EQ(asked.out.rfind("usage: zem-math " + std::string(command.usage) + "\n", 0), 0u)
            << asked.out;
        EXPECT_EQ(flag.status, 0) << command.name;
        EXPECT_EQ(flag.out, asked.out) << command.name;
        EXPECT_EQ(shortFlag.out, asked.out) << command.name;
        EXPECT_EQ(flag.err, "") << command.name;
    }
    // The subcommands' help explains every option their usage names.
    const ToolRun spin = runTool({"spin", "--help"});
    for (const char* option : {"--stops", "--lines", "--coins", "1 to 22", "default 25"})
        EXPECT_NE(spin.out.find(option), std::string::npos) << option;
    const ToolRun simulate = runTool({"simulate", "--help"});
    for (const char* option : {"--payout", "--spins", "--seed", "--lines", "--coins", "default 1000000"})
        EXPECT_NE(simulate.out.find(option), std::string::npos) << option;

    for (const std::vector<std::string_view>& bad :
         {std::vector<std::string_view>{"help", "roll"},
          std::vector<std::string_view>{"help", "spin", "simulate"}}) {
        const ToolRun run = runTool(bad);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    const ToolRun version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("zem-math ", 0), 0u) << version.out;
    EXPECT_EQ(version.out.find('\n'), version.out.size() - 1) << version.out;
}

// Runs the built program with its output and errors captured in files; `output` sends the output elsewhere.
ToolRun runProgram(const std::string& args, const std::string& output = {}) {
    static int runs = 0;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zem-math-test-" + std::to_string(::getpid()) + "-" + std::to_string(++runs));
    std::filesystem::create_directories(dir);
    const auto out = dir / "out", err = dir / "err";
    const std::string command = std::string("'") + ZEM_MATH_BINARY + "' " + args + " >'" +
                                (output.empty() ? out.string() : output) + "' 2>'" + err.string() + "'";
    ToolRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    auto slurp = [](const std::filesystem::path& path) {
        std::ifstream file(path);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    };
    run.out = slurp(out);
    run.err = slurp(err);
    std::filesystem::remove_all(dir);
    return run;
}

TEST(ZemMathProgram, AnOutputThatCannotBeWrittenIsAFailureThatSaysSo) {
    for (const char* args : {"report --json", "spin --stops 21,20,16,17,7", "--version"}) {
        const ToolRun full = runProgram(args, "/dev/full");
        EXPECT_NE(full.status, 0) << args;
        EXPECT_NE(full.err.find("zem-math: cannot write the output"), std::string::npos)
            << args << ": " << full.err;
    }
}

TEST(ZemMathProgram, SpinAndBadArguments) {
    const ToolRun chiefs = runProgram("spin --stops 21,20,16,17,7 --lines 25 --coins 1");
    EXPECT_EQ(chiefs.status, 0) << chiefs.err;
    EXPECT_EQ(chiefs.out, kChiefs);
    EXPECT_EQ(chiefs.err, "");

    for (const char* args : {"spin --stops 21,20,16,17,23", "spin --stops 21,20,16,17,7 --lines 3", "spun"}) {
        const ToolRun bad = runProgram(args);
        EXPECT_EQ(bad.status, 2) << args;
        EXPECT_EQ(bad.out, "") << args;
        EXPECT_FALSE(bad.err.empty()) << args;
        EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1) << bad.err;
    }
}

}  // namespace

namespace {

TEST(ZemMathSimulate, ASeededRunRepeatsExactlyAndReportsItsFigures) {
    const std::vector<std::string_view> args = {"simulate", "--payout", "5", "--spins",
                                                "2000",     "--seed",   "11"};
    const ToolRun first = runTool(args);
    const ToolRun second = runTool(args);
    ASSERT_EQ(first.status, 0) << first.err;
    auto figures = [](const std::string& json) { return json.substr(0, json.find(",\"seconds\"")); };
    EXPECT_EQ(figures(first.out), figures(second.out));
    for (const char* key : {"\"spins\":2000", "\"wagered\":50000", "\"won\":", "\"rtp\":",
                            "\"hit_frequency\":", "\"free_series\":", "\"free_spins\":", "\"seconds\":"}) {
        EXPECT_NE(first.out.find(key), std::string::npos) << key;
    }
    const ToolRun other = runTool({"simulate", "--spins", "2000", "--seed", "12"});
    EXPECT_NE(figures(first.out), figures(other.out)) << "another seed plays other spins";
}

TEST(ZemMathSimulate, BadArgumentsExitWithTwo) {
    const std::vector<std::vector<std::string_view>> bad = {
        {"simulate", "--payout", "3"}, {"simulate", "--spins", "0"}, {"simulate", "--spins", "x"},
        {"simulate", "--seed", "-1"},  {"simulate", "--lines", "7"}, {"simulate", "--coins", "4"},
        {"simulate", "--turbo", "1"},
    };
    for (const auto& args : bad) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(ZemMathSimulate, NumbersOutOfRangeSaySoAndTheSeedTakesAny64BitValue) {
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> refused = {
        {{"simulate", "--spins", "2147483648"}, "zem-math simulate: 2147483648 is too large for --spins\n"},
        {{"simulate", "--spins", "99999999999999999999"},
         "zem-math simulate: 99999999999999999999 is too large for --spins\n"},
        {{"simulate", "--spins", "-2147483649"}, "zem-math simulate: -2147483649 is too small for --spins\n"},
        {{"simulate", "--spins", "-5"}, "zem-math simulate: --spins must be at least 1\n"},
        {{"simulate", "--seed", "18446744073709551616"},
         "zem-math simulate: 18446744073709551616 is too large for --seed\n"},
        {{"simulate", "--seed", "-1"}, "zem-math simulate: --seed must not be negative\n"},
        {{"simulate", "--seed", "+1"}, "zem-math simulate: --seed: '+1' is not a whole number\n"},
        {{"simulate", "--seed", "1e9"}, "zem-math simulate: --seed: '1e9' is not a whole number\n"},
        {{"simulate", "--seed", ""}, "zem-math simulate: --seed: '' is not a whole number\n"},
        {{"spin", "--stops", "99999999999,1,1,1,1"}, "zem-math spin: 99999999999 is too large for --stops\n"},
        {{"spin", "--stops", "21,20,16,17,7", "--lines", "4294967296"},
         "zem-math spin: 4294967296 is too large for --lines\n"},
    };
    for (const auto& [args, message] : refused) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.err, message);
    }

    using zem::tools::parseSimulateArgs;
    const std::vector<std::string_view> longest = {"--spins", "2147483647"};
    EXPECT_EQ(parseSimulateArgs(longest).spins, 2147483647);
    for (const char* seed : {"0", "2147483648", "9223372036854775808", "18446744073709551615"}) {
        const std::vector<std::string_view> args = {"--seed", seed};
        EXPECT_EQ(parseSimulateArgs(args).seed, std::stoull(seed)) << seed;
    }
    const ToolRun top = runTool({"simulate", "--spins", "300", "--seed", "18446744073709551615"});
    ASSERT_EQ(top.status, 0) << top.err;
    EXPECT_NE(top.out.find("\"seed\":18446744073709551615,"), std::string::npos) << top.out;
    EXPECT_NE(top.out.find("\"spins\":300,"), std::string::npos) << top.out;
    const ToolRun other = runTool({"simulate", "--spins", "300", "--seed", "2147483648"});
    auto played = [](const std::string& json) {
        const size_t from = json.find("\"wagered\"");
        return json.substr(from, json.find(",\"seconds\"") - from);
    };
    EXPECT_NE(played(other.out), played(top.out)) << "different seeds play different spins";
}

}  // namespace
