// SPDX-License-Identifier: GPL-3.0-or-later
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

// Writes the eleven keys of `slot` in order, numbers as plain decimal text, then the pending holds (while
// there are any, or the store still marks one), then the keys of a free-spin
// series that runs or waits for its collect (or, once none does, the marks that end a stored one), and puts
// it all on disk in one go. Returns whether every write succeeded.
bool writeRecord(const core::MachineState& s, platform::SettingsStore& store, int slot);

// --- the Wilds that hold their reels for the next spin, kept beside the record ---

// The stop that reel 2, 3 or 4 keeps for the next spin because a Wild landed on it; 0 or none: no hold.
// Written while a hold is pending, and once more with 0s when the last one is spent.
inline constexpr const char* kHoldKeys[3] = {"heldstop2", "heldstop3", "heldstop4"};

// Reads the pending holds of `slot` into the state: a reel with a stored stop that shows a Wild holds at that
// stop; every other reel 2..4 holds nothing (a missing, damaged or impossible value is ignored).
void readHolds(core::MachineState& s, platform::SettingsStore& store, int slot);

// --- a free-spin series kept beside the record, so that a restart after a kill or a close resumes it ---

// Keys of a series, written after the eleven while the series runs or waits for its collect. A stored
// "freespinstotal" of 0 (or none) means no series.
inline constexpr const char* kSeriesKeys[14] = {
    "freespinstotal", "freespinsplayed", "freespinwin", "winmultiplier", "linesplayed",
    "coinsperline",   "reelstop1",       "reelstop2",   "reelstop3",     "reelstop4",
    "reelstop5",      "wildhold2",       "wildhold3",   "wildhold4"};

// Whether the state holds a series: one running, or one completed whose total waits for the take-win button.
bool seriesOpen(const core::MachineState& s);

struct StoredSeries {
    // Every key was readable and they agree with each other: the series can go on where it stopped.
    bool resumable = false;
    int16_t freespinstotal = 0, freespinsplayed = 0, winmultiplier = 1, linesplayed = 25, coinsperline = 1;
    int32_t freespinwin = 0;  // what the series has won so far (0 when even that was unreadable)
    int16_t reelstop[core::kReels + 1] = {};
    int16_t wildhold[core::kReels + 1] = {};
};

// The series stored in `slot`; nothing when the slot holds none.
std::optional<StoredSeries> readSeries(platform::SettingsStore& store, int slot);

// Puts a resumable series into the state: counters, total so far, bet, stops and holds. The series runs
// (`freespinmode` -1) when spins remain and waits for its collect when none do.
void applySeries(core::MachineState& s, const StoredSeries& series);

}  // namespace zem::play
