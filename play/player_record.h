// The player record in the settings store: its eleven keys, their order, text forms and reading rules.
#pragma once

#include "core/machine_state.h"
#include "platform/settings_store.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zem::play {

inline constexpr const char* kApplication = "zem";
inline constexpr const char* kNoticeSection = "notice";
inline constexpr const char* kNoticeKey = "autoplay";

// Section of player slot n (1..6): "player" followed by n.
std::string playerSection(int slot);

// The keys in the order the record is written and read.
inline constexpr const char* kRecordKeys[11] = {"howmanyspins", "soundonoff",     "machinepay",   "winroll",
                                                "reelspeed",    "amountinvested", "wager",        "total",
                                                "bank",         "games",          "currentplayer"};

// A stored text as a number of the given width: optional blanks around an optional sign and decimal digits;
// nothing when it is not such a number or does not fit.
std::optional<int64_t> parseStoredNumber(const std::string& text, int64_t min, int64_t max);

// Reads the eleven keys of `slot` into the state; a key that is missing or does not convert leaves its value.
// Returns how many keys were missing or unreadable.
int readRecord(core::MachineState& s, platform::SettingsStore& store, int slot);

// Writes the eleven keys of `slot` in order, numbers as plain decimal text. Returns whether every write
// succeeded.
bool writeRecord(const core::MachineState& s, platform::SettingsStore& store, int slot);

}  // namespace zem::play
