// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math report: the JSON a program reads, the text a person reads, and the exact returns against what
// the game itself pays over long seeded runs.
#include "core/machine_math.h"
#include "math_report.h"
#include "play/simulation.h"
#include "support/tool_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using zem::testing::runTool;
using zem::testing::ToolRun;

TEST(ZemMathReport, JsonHoldsTheBaseAndEverySetting) {
    const ToolRun r = runTool({"report", "--json", "--lines", "25", "--coins", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(doc.isObject());
    const QJsonObject o = doc.object();
    EXPECT_EQ(o["lines"].toInt(), 25);
    EXPECT_EQ(o["coins"].toInt(), 2);
    const QJsonObject base = o["base"].toObject();
    EXPECT_NEAR(base["rtp"].toDouble(), 0.8055, 0.00005) << "coins per line do not change the return";
    EXPECT_GT(base["hit_frequency"].toDouble(), 0.5);
    EXPECT_EQ(base["outcomes"].toInteger(), 5153632);
    // The win distribution is in coins at 2 coins per line: every amount even, counts adding up.
    qint64 outcomes = 0;
    for (const QJsonValue& pair : base["wins"].toArray()) {
        EXPECT_EQ(pair.toArray()[0].toInt() % 2, 0);
        outcomes += pair.toArray()[1].toInteger();
    }
    EXPECT_EQ(outcomes, 5153632);
    const QJsonArray settings = o["settings"].toArray();
    ASSERT_EQ(settings.size(), 3);
    std::vector<int> payouts;
    for (const QJsonValue& v : settings) {
        const QJsonObject s = v.toObject();
        payouts.push_back(s["payout"].toInt());
        for (const char* key : {"rtp", "hit_frequency", "free_series_per_spin", "sd", "sd_long_run"})
            EXPECT_GT(s[key].toDouble(), 0.0) << key;
        EXPECT_NEAR(s["rtp"].toDouble(),
                    zem::core::returnToPlayer(static_cast<int16_t>(s["payout"].toInt()), 25), 1e-8);
    }
    EXPECT_EQ(payouts, (std::vector<int>{5, 2, 1}));
    EXPECT_GE(o["seconds"].toDouble(), 0.0);
}

TEST(ZemMathReport, TextNamesTheReturnsAndOneSettingCanBeAsked) {
    const ToolRun text = runTool({"report"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("80.55"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("108.6"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("computed in"), std::string::npos);

    const ToolRun one = runTool({"report", "--payout=2", "--json"});
    ASSERT_EQ(one.status, 0);
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(one.out)).object();
    ASSERT_EQ(o["settings"].toArray().size(), 1);
    EXPECT_EQ(o["settings"].toArray()[0].toObject()["payout"].toInt(), 2);

    for (const auto& bad : std::vector<std::vector<std::string_view>>{{"report", "--payout", "3"},
                                                                      {"report", "--json", "--json"},
                                                                      {"report", "--lines", "7"},
                                                                      {"report", "--spins", "5"}}) {
        const ToolRun r = runTool(bad);
        EXPECT_EQ(r.status, 2) << bad.back();
        EXPECT_FALSE(r.err.empty());
    }
}

// The game's own handlers, played headless for many paid spins at each setting, return what the report says
// within four standard errors; the hits and the series started are held to their binomial errors likewise.
TEST(ZemMathReport, SimulationAgreesWithTheExactFiguresAtEverySetting) {
    const zem::core::MachineFigures exact = zem::core::machineFigures(25, 1, {5, 2, 1});
    const int64_t spins = 200000;
    for (const zem::core::SettingFigures& s : exact.settings) {
        zem::play::SimulationOptions options;
        options.payout = s.payout;
        options.spins = spins;
        options.seed = 20261209 + static_cast<uint64_t>(s.payout);
        const zem::play::SimulationResult r = zem::play::simulate(options);
        ASSERT_EQ(r.spins, spins);
        const double n = static_cast<double>(r.spins);
        const double rtp = static_cast<double>(r.won) / static_cast<double>(r.wagered);
        EXPECT_NEAR(rtp, s.rtp, 4 * s.sdLongRun / std::sqrt(n)) << "payout " << s.payout;
        const double hits = static_cast<double>(r.hits) / n;
        EXPECT_NEAR(hits, s.hitFrequency, 4 * std::sqrt(s.hitFrequency * (1 - s.hitFrequency) / n))
            << "payout " << s.payout;
        const double series = static_cast<double>(r.freeSeries) / n;
        EXPECT_NEAR(series, s.freeSeriesPerSpin, 4 * std::sqrt(s.freeSeriesPerSpin / n))
            << "payout " << s.payout;
    }
}

}  // namespace
