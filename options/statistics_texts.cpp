// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the statistics texts from the player record.
#include "statistics_texts.h"

namespace zem::options {

std::string returnedPercentage(int32_t total, int32_t wager) {
    if (wager == 0) return {};
    const int64_t scaled = int64_t{100} * total;
    int64_t percent = scaled / wager;
    // Whole percent with the fraction dropped towards minus infinity, as the floor of the quotient.
    if ((scaled % wager != 0) && ((scaled < 0) != (wager < 0))) --percent;
    return std::to_string(percent);
}

StatisticsTexts statisticsTexts(const core::MachineState& s, const std::string& name,
                                StatisticsVariant variant) {
    StatisticsTexts out;
    const bool values = s.games > 0 || variant == StatisticsVariant::Delete;
    if (!values) {
        for (int k = 0; k < kStatisticCount; ++k) {
            const StatisticTexts& t = kStatisticTexts[static_cast<size_t>(k)];
            out.labels[static_cast<size_t>(k)] =
                variant == StatisticsVariant::Opening ? t.noGamesOpening : t.noGamesSelection;
        }
        out.currentPlayer = std::string(kCurrentPlayerOpening) + name;
        return out;
    }
    const std::string numbers[kStatisticCount] = {
        std::to_string(s.games),
        std::to_string(s.wager),
        std::to_string(s.total),
        std::to_string(int64_t{s.bank} - s.amountinvested),
        returnedPercentage(s.total, s.wager),
        std::to_string(s.amountinvested),
        std::to_string(s.howmanyspins),
    };
    for (int k = 0; k < kStatisticCount; ++k) {
        const StatisticTexts& t = kStatisticTexts[static_cast<size_t>(k)];
        const char* text =
            variant == StatisticsVariant::Opening && t.valuesOpening ? t.valuesOpening : t.values;
        out.labels[static_cast<size_t>(k)] = text + numbers[k];
    }
    out.currentPlayer =
        std::string(variant == StatisticsVariant::Opening ? kCurrentPlayerOpening : kCurrentPlayerSelection) +
        name;
    return out;
}

}  // namespace zem::options
