// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics the options window shows: the fixed texts of each label in their three variants, as one
// table, and the step that fills the labels from the player record.
#pragma once

#include "core/machine_state.h"

#include <array>
#include <string>

namespace zem::options {

// Which texts a refresh uses. With games played the labels show a text and a number; without, the text
// alone, whose trailing blanks differ between the opening of the window and a slot selection.
enum class StatisticsVariant { Opening, Selection, Delete };

enum StatisticLabel {
    kGames,
    kWager,
    kTotalWon,
    kWinLose,
    kReturned,
    kInvested,
    kFreeSpins,
    kStatisticCount
};

struct StatisticTexts {
    const char* values;         // games > 0, followed by the number
    const char* valuesOpening;  // the same at the opening where it differs (Freespins Won), else null
    const char* noGamesOpening;
    const char* noGamesSelection;
};

inline constexpr std::array<StatisticTexts, kStatisticCount> kStatisticTexts = {{
    {"Games Played            ", nullptr, "Games Played      ", "Games Played          "},
    {"Total Wagered           ", nullptr, "Total Wagered     ", "Total Wagered         "},
    {"Total Won                   ", nullptr, "Total Won      ", "Total Won          "},
    {"Winning/Losing           ", nullptr, "Winning/Losing     ", "Winning/Losing      "},
    {"Returned To Player     % ", nullptr, "Returned To Player     ", "Returned To Player "},
    {"Total Invested             ", nullptr, "Total Invested      ", "Total Invested     "},
    {"Freespins Won     ", "Freespins Won            ", "Freespins Won     ", "Freespins Won     "},
}};

// The current-player line of the options window: the opening's text and that of a selection or deletion
// with games played; without games both show the opening's.
inline constexpr const char* kCurrentPlayerOpening = "Current Player    ";
inline constexpr const char* kCurrentPlayerSelection = "Current Player   ";
// After a name was entered or refused.
inline constexpr const char* kCurrentPlayerNamed = "Current Player  ";

// The seven statistics texts and the current-player line for the record `s`, the player's shown name `name`.
struct StatisticsTexts {
    std::array<std::string, kStatisticCount> labels;
    std::string currentPlayer;
};
StatisticsTexts statisticsTexts(const core::MachineState& s, const std::string& name,
                                StatisticsVariant variant);

// The whole percentage of `total` in `wager`, the fraction dropped; nothing when nothing was wagered.
std::string returnedPercentage(int32_t total, int32_t wager);

}  // namespace zem::options
