// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics texts, every one compared with its given text and length, and the shown forms of names.
#include "options/statistics_texts.h"

#include "options/player_names.h"

#include <gtest/gtest.h>

namespace zem::options {
namespace {

struct Given {
    const char* text;
    size_t length;
};

TEST(StatisticsTexts, EveryTextOfTheThreeVariantsAsGiven) {
    // label: values, no games at the opening, no games at a selection.
    const Given table[kStatisticCount][3] = {
        {{"Games Played            ", 24}, {"Games Played      ", 18}, {"Games Played          ", 22}},
        {{"Total Wagered           ", 24}, {"Total Wagered     ", 18}, {"Total Wagered         ", 22}},
        {{"Total Won                   ", 28}, {"Total Won      ", 15}, {"Total Won          ", 19}},
        {{"Winning/Losing           ", 25}, {"Winning/Losing     ", 19}, {"Winning/Losing      ", 20}},
        {{"Returned To Player     % ", 25}, {"Returned To Player     ", 23}, {"Returned To Player ", 19}},
        {{"Total Invested             ", 27}, {"Total Invested      ", 20}, {"Total Invested     ", 19}},
        {{"Freespins Won     ", 18}, {"Freespins Won     ", 18}, {"Freespins Won     ", 18}},
    };
    core::MachineState none;
    const StatisticsTexts opening = statisticsTexts(none, "AL", StatisticsVariant::Opening);
    const StatisticsTexts selection = statisticsTexts(none, "AL", StatisticsVariant::Selection);
    for (int k = 0; k < kStatisticCount; ++k) {
        const auto& row = table[k];
        for (const Given& g : row) EXPECT_EQ(std::string(g.text).size(), g.length) << g.text;
        EXPECT_EQ(opening.labels[static_cast<size_t>(k)], row[1].text) << "label " << k;
        EXPECT_EQ(selection.labels[static_cast<size_t>(k)], row[2].text) << "label " << k;
    }
    EXPECT_EQ(opening.currentPlayer, "Current Player    AL");
    EXPECT_EQ(selection.currentPlayer, "Current Player    AL");

    core::MachineState s;
    s.games = 3;
    s.wager = 300;
    s.total = 287;
    s.bank = 150;
    s.amountinvested = 400;
    s.howmanyspins = 2;
    const std::string numbers[kStatisticCount] = {"3", "300", "287", "-250", "95", "400", "2"};
    for (StatisticsVariant v : {StatisticsVariant::Opening, StatisticsVariant::Selection}) {
        const StatisticsTexts t = statisticsTexts(s, "AL", v);
        for (int k = 0; k < kStatisticCount - 1; ++k) {
            EXPECT_EQ(t.labels[static_cast<size_t>(k)], table[k][0].text + numbers[k]) << "label " << k;
        }
    }
    const StatisticsTexts atOpening = statisticsTexts(s, "AL", StatisticsVariant::Opening);
    EXPECT_EQ(atOpening.labels[kFreeSpins], "Freespins Won            2");
    EXPECT_EQ(std::string("Freespins Won            ").size(), 25u);
    EXPECT_EQ(atOpening.currentPlayer, "Current Player    AL");
    const StatisticsTexts atSelection = statisticsTexts(s, "AL", StatisticsVariant::Selection);
    EXPECT_EQ(atSelection.labels[kFreeSpins], "Freespins Won     2");
    EXPECT_EQ(atSelection.currentPlayer, "Current Player   AL");
    EXPECT_EQ(std::string(kCurrentPlayerSelection).size(), 17u);
    EXPECT_EQ(std::string(kCurrentPlayerOpening).size(), 18u);
}

TEST(StatisticsTexts, PercentageAndWinningLosingAtTheirEdges) {
    EXPECT_EQ(returnedPercentage(287, 300), "95");
    EXPECT_EQ(returnedPercentage(300, 300), "100");
    EXPECT_EQ(returnedPercentage(1, 3), "33");
    EXPECT_EQ(returnedPercentage(0, 300), "0");
    EXPECT_EQ(returnedPercentage(40, 0), "") << "nothing wagered: no number, no division";
    EXPECT_EQ(returnedPercentage(2147483647, 1), "214748364700") << "no overflow";
    EXPECT_EQ(returnedPercentage(-1, 3), "-34") << "a damaged store: the fraction dropped downwards";

    core::MachineState s;
    s.games = 1;
    s.bank = -2147483647 - 1;
    s.amountinvested = 2147483647;
    EXPECT_EQ(statisticsTexts(s, "", StatisticsVariant::Selection).labels[kWinLose],
              "Winning/Losing           -4294967295");
}

TEST(PlayerNames, CountedAsSeenShownInUpperCaseAndCut) {
    EXPECT_EQ(visibleLength(""), 0u);
    EXPECT_EQ(visibleLength("abc"), 3u);
    EXPECT_EQ(visibleLength("Zoë"), 3u);
    EXPECT_EQ(visibleLength("e\xCC\x81"), 1u) << "a combining accent belongs to its letter";
    EXPECT_EQ(visibleLength("\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB"), 1u) << "a joined emoji";
    EXPECT_EQ(visibleLength("\xFF\xFE"), 2u);
    EXPECT_EQ(visibleLength("\xE2\x82"), 2u) << "a cut sequence: each byte one";

    EXPECT_EQ(shownName("MaRy"), "MARY");
    EXPECT_EQ(shownName("åsa ñandú"), "ÅSA ÑANDÚ");
    EXPECT_EQ(shownName("ÿ"), "Ÿ");
    EXPECT_EQ(shownName("łódź"), "ŁÓDŹ");
    EXPECT_EQ(shownName("иван"), "ИВАН");
    EXPECT_EQ(shownName("σοφία ώρα"), "ΣΟΦΊΑ ΏΡΑ");
    EXPECT_EQ(shownName("a\nb\tc"), "A B C");
    EXPECT_EQ(shownName(std::string(10000, 'q')), std::string(12, 'Q'));
    EXPECT_EQ(shownName("abcdefghijke\xCC\x81xyz"), "ABCDEFGHIJKE\xCC\x81")
        << "the accent stays with its letter";
    EXPECT_EQ(shownName(std::string("\xC3")), "\xEF\xBF\xBD");
    EXPECT_EQ(shownName(std::string("a\0b", 3)), "A B");
}

}  // namespace
}  // namespace zem::options
