// SPDX-License-Identifier: GPL-3.0-or-later
// The player record in the settings store: one table of its keys (order, members, text forms, fresh values,
// ranges) that the load, the save, the slot list and the delete all go by; likewise the free-spin series.
#pragma once

#include "core/machine_state.h"
#include "platform/settings_store.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>

namespace zem::play {

inline constexpr const char* kApplication = "zem";
inline constexpr const char* kNoticeSection = "notice";
inline constexpr const char* kNoticeKey = "autoplay";

// Section of player slot n (1..6): "player" followed by n.
std::string playerSection(int slot);

// A number of a record the store keeps: a field of 16 or 32 bits, or one reel's entry of a per-reel row.
template <class Owner>
class StoredNumber {
  public:
    using Row = int16_t (Owner::*)[core::kReels + 1];
    constexpr StoredNumber() = default;
    constexpr StoredNumber(int16_t Owner::*field) : small_(field), min_(INT16_MIN), max_(INT16_MAX) {}
    constexpr StoredNumber(int32_t Owner::*field) : large_(field), min_(INT32_MIN), max_(INT32_MAX) {}
    constexpr StoredNumber(Row row, int reel) : row_(row), reel_(reel), min_(INT16_MIN), max_(INT16_MAX) {}

    constexpr bool holds() const { return small_ || large_ || row_; }
    // The values the member can take.
    constexpr int64_t min() const { return min_; }
    constexpr int64_t max() const { return max_; }

    int64_t of(const Owner& o) const {
        if (small_) return o.*small_;
        if (large_) return o.*large_;
        return (o.*row_)[reel_];
    }
    // `value` lies within [min(), max()].
    void set(Owner& o, int64_t value) const {
        if (small_) {
            o.*small_ = static_cast<int16_t>(value);
        } else if (large_) {
            o.*large_ = static_cast<int32_t>(value);
        } else {
            (o.*row_)[reel_] = static_cast<int16_t>(value);
        }
    }

  private:
    int16_t Owner::*small_ = nullptr;
    int32_t Owner::*large_ = nullptr;
    Row row_ = nullptr;
    int reel_ = 0;
    int64_t min_ = 0, max_ = 0;
};

// How a key's value is written: a number as plain decimal text, or the player's name as it was typed.
enum class TextForm { Decimal, Name };

// Which players a key belongs to, and so when it starts afresh.
enum class Scope {
    Machine,  // the sound switch: it stays as it is when another player is chosen
    Player,   // starts afresh when another player is chosen; deleting the details keeps it
    Details,  // the player's credit, statistics and payout: afresh with another player and on a delete
};

struct Range {
    int64_t min, max;
};

// One key of the player record.
struct RecordKey {
    const char* key;
    StoredNumber<core::MachineState> number;  // the member a Decimal key holds
    std::string core::MachineState::*name;    // the member a Name key holds
    TextForm form;
    int32_t fresh;  // what a fresh record holds (a Name key: the empty name)
    Scope scope;
    Range range;  // the stored numbers read; any other leaves the member as it was
};

inline constexpr const char* kNameKey = "currentplayer";

// A key holding a number, which it reads over the whole range of its member.
constexpr RecordKey decimalKey(const char* key, StoredNumber<core::MachineState> number, int32_t fresh,
                                Scope scope) {
    return {key, number, nullptr, TextForm::Decimal, fresh, scope, {number.min(), number.max()}};
}
// The key holding the player's name, which it reads whatever it is.
constexpr RecordKey nameKey(const char* key, std::string core::MachineState::*member, Scope scope) {
    return {key, {}, member, TextForm::Name, 0, scope, {0, 0}};
}

// The record, in the order it is written and read.
// clang-format off
inline constexpr RecordKey kRecord[] = {
    //         key               member                                fresh  scope
    decimalKey("howmanyspins",   &core::MachineState::howmanyspins,   0,     Scope::Details),
    decimalKey("soundonoff",     &core::MachineState::soundonoff,     0,     Scope::Machine),
    decimalKey("machinepay",     &core::MachineState::machinepay,     5,     Scope::Details),
    decimalKey("winroll",        &core::MachineState::winroll,        0,     Scope::Player),
    decimalKey("reelspeed",      &core::MachineState::reelspeed,      0,     Scope::Player),
    decimalKey("amountinvested", &core::MachineState::amountinvested, 0,     Scope::Details),
    decimalKey("wager",          &core::MachineState::wager,          0,     Scope::Details),
    decimalKey("total",          &core::MachineState::total,          0,     Scope::Details),
    decimalKey("bank",           &core::MachineState::bank,           0,     Scope::Details),
    decimalKey("games",          &core::MachineState::games,          0,     Scope::Details),
    nameKey(kNameKey,            &core::MachineState::currentplayer,         Scope::Player),
};
// clang-format on
inline constexpr int kRecordSize = static_cast<int>(std::size(kRecord));

constexpr bool recordKeyWellFormed(const RecordKey& k) {
    if (k.form == TextForm::Name) return k.name && !k.number.holds();
    return !k.name && k.number.holds() && k.number.min() <= k.range.min && k.range.max <= k.number.max() &&
           k.range.min <= k.fresh && k.fresh <= k.range.max;
}
static_assert(std::all_of(std::begin(kRecord), std::end(kRecord), recordKeyWellFormed),
              "every key holds one member, and reads only what it can hold");

template <class Key, size_t N>
constexpr std::array<const char*, N> keysOf(const Key (&table)[N]) {
    std::array<const char*, N> keys{};
    for (size_t i = 0; i < N; ++i) keys[i] = table[i].key;
    return keys;
}

// The keys in the order the record is written and read.
inline constexpr auto kRecordKeys = keysOf(kRecord);

// Puts the key's fresh value into the state.
void resetKey(core::MachineState& s, const RecordKey& k);

// Reads one key of `slot` into the state; a key that is missing or does not convert leaves its value and
// gives false.
bool readKey(core::MachineState& s, platform::SettingsStore& store, int slot, const RecordKey& k);

// Whether two states hold the same record.
bool sameRecord(const core::MachineState& a, const core::MachineState& b);

// A stored text as a number of the given width: optional blanks around an optional sign and decimal digits;
// nothing when it is not such a number or does not fit.
std::optional<int64_t> parseStoredNumber(const std::string& text, int64_t min, int64_t max);

// Reads the keys of `slot` into the state; a key that is missing or does not convert leaves its value.
// Returns how many keys were missing or unreadable.
int readRecord(core::MachineState& s, platform::SettingsStore& store, int slot);

// Writes the keys of `slot` in order, numbers as plain decimal text, then the pending holds (while
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

struct StoredSeries {
    // Every key was readable and they agree with each other: the series can go on where it stopped.
    bool resumable = false;
    int16_t freespinstotal = 0, freespinsplayed = 0, winmultiplier = 1, linesplayed = 25, coinsperline = 1;
    int32_t freespinwin = 0;  // what the series has won so far (0 when even that was unreadable)
    int16_t reelstop[core::kReels + 1] = {};
    int16_t wildhold[core::kReels + 1] = {};
};

// One key of a stored series.
struct SeriesKey {
    const char* key;
    StoredNumber<core::MachineState> saved;  // what a save writes
    StoredNumber<StoredSeries> stored;       // where a read puts it
    Range range;                             // what a series that can go on holds
    std::span<const int64_t> allowed;        // when not empty: the only values within the range it holds
    // A value other than 0 shows that the slot holds a series.
    bool marks;
    // Written as 0 when the series is over, so that the stored one ends with it.
    bool ends;
};

inline constexpr int64_t kMultipliers[] = {1, 2, 3, 5, 10};
inline constexpr int64_t kLineChoices[] = {1, 5, 10, 15, 25};
inline constexpr int64_t kCoinChoices[] = {1, 2, 3, 5, 10, 20};

// The keys of a series, written after the record while the series runs or waits for its collect. A slot
// without "freespinstotal" above 0 and without "freespinwin" above 0 holds no series.
// clang-format off
inline constexpr SeriesKey kSeries[] = {
    // key, saved from, read into,
    //      range, allowed, marks, ends
    {"freespinstotal", &core::MachineState::freespinstotal, &StoredSeries::freespinstotal,
          {1, INT16_MAX}, {}, true, true},
    {"freespinsplayed", &core::MachineState::freespinsplayed, &StoredSeries::freespinsplayed,
          {1, INT16_MAX}, {}, false, true},
    {"freespinwin", &core::MachineState::freespinwin, &StoredSeries::freespinwin,
          {0, INT32_MAX}, {}, true, true},
    {"winmultiplier", &core::MachineState::winmultiplier, &StoredSeries::winmultiplier,
          {1, 10}, kMultipliers, false, false},
    {"linesplayed", &core::MachineState::linesplayed, &StoredSeries::linesplayed,
          {1, 25}, kLineChoices, false, false},
    {"coinsperline", &core::MachineState::coinsperline, &StoredSeries::coinsperline,
          {1, 20}, kCoinChoices, false, false},
    {"reelstop1", {&core::MachineState::reelstop, 1}, {&StoredSeries::reelstop, 1},
          {1, core::kStops}, {}, false, false},
    {"reelstop2", {&core::MachineState::reelstop, 2}, {&StoredSeries::reelstop, 2},
          {1, core::kStops}, {}, false, false},
    {"reelstop3", {&core::MachineState::reelstop, 3}, {&StoredSeries::reelstop, 3},
          {1, core::kStops}, {}, false, false},
    {"reelstop4", {&core::MachineState::reelstop, 4}, {&StoredSeries::reelstop, 4},
          {1, core::kStops}, {}, false, false},
    {"reelstop5", {&core::MachineState::reelstop, 5}, {&StoredSeries::reelstop, 5},
          {1, core::kStops}, {}, false, false},
    {"wildhold2", &core::MachineState::wildhold2, {&StoredSeries::wildhold, 2},
          {0, 1}, {}, false, false},
    {"wildhold3", &core::MachineState::wildhold3, {&StoredSeries::wildhold, 3},
          {0, 1}, {}, false, false},
    {"wildhold4", &core::MachineState::wildhold4, {&StoredSeries::wildhold, 4},
          {0, 1}, {}, false, false},
};
// clang-format on

constexpr bool seriesKeyWellFormed(const SeriesKey& k) {
    const auto inRange = [&](int64_t v) { return k.range.min <= v && v <= k.range.max; };
    return k.saved.holds() && k.stored.holds() && k.stored.min() <= k.range.min &&
           k.range.max <= k.stored.max() && std::all_of(k.allowed.begin(), k.allowed.end(), inRange);
}
static_assert(std::all_of(std::begin(kSeries), std::end(kSeries), seriesKeyWellFormed),
              "every series key reads only what its member can hold");

inline constexpr auto kSeriesKeys = keysOf(kSeries);

// Whether the state holds a series: one running, or one completed whose total waits for the take-win button.
bool seriesOpen(const core::MachineState& s);

// The series stored in `slot`; nothing when the slot holds none.
std::optional<StoredSeries> readSeries(platform::SettingsStore& store, int slot);

// Puts a resumable series into the state: counters, total so far, bet, stops and holds. The series runs
// (`freespinmode` -1) when spins remain and waits for its collect when none do.
void applySeries(core::MachineState& s, const StoredSeries& series);

}  // namespace zem::play
