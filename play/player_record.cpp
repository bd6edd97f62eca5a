// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the player record.
#include "player_record.h"

#include "core/reels.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <string_view>
#include <limits>

namespace zem::play {

std::string playerSection(int slot) { return "player" + std::to_string(slot); }

std::optional<int64_t> parseStoredNumber(const std::string& text, int64_t min, int64_t max) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const size_t digitsStart = i;
    int64_t value = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        if (value > (std::numeric_limits<int64_t>::max() - 9) / 10) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digitsStart) return std::nullopt;
    while (i < n && text[i] == ' ') ++i;
    if (i != n) return std::nullopt;
    if (negative) value = -value;
    if (value < min || value > max) return std::nullopt;
    return value;
}

void resetKey(core::MachineState& s, const RecordKey& k) {
    if (k.form == TextForm::Name) {
        (s.*k.name).clear();
    } else {
        k.number.set(s, k.fresh);
    }
}

bool readKey(core::MachineState& s, platform::SettingsStore& store, int slot, const RecordKey& k) {
    const auto text = store.read(kApplication, playerSection(slot), k.key);
    if (!text) return false;
    if (k.form == TextForm::Name) {
        s.*k.name = *text;
        return true;
    }
    const auto value = parseStoredNumber(*text, k.range.min, k.range.max);
    if (!value) return false;
    k.number.set(s, *value);
    return true;
}

bool sameRecord(const core::MachineState& a, const core::MachineState& b) {
    for (const RecordKey& k : kRecord) {
        const bool same = k.form == TextForm::Name ? a.*k.name == b.*k.name : k.number.of(a) == k.number.of(b);
        if (!same) return false;
    }
    return true;
}

int readRecord(core::MachineState& s, platform::SettingsStore& store, int slot) {
    int failures = 0;
    for (const RecordKey& k : kRecord) failures += !readKey(s, store, slot, k);
    return failures;
}

namespace {

// A stored number within [min, max], or nothing.
std::optional<int64_t> readStoredNumber(platform::SettingsStore& store, const std::string& section,
                                        const char* key, int64_t min, int64_t max) {
    const auto text = store.read(kApplication, section, key);
    if (!text) return std::nullopt;
    return parseStoredNumber(*text, min, max);
}

// A stored number of the series as a series that can go on holds it, or nothing.
std::optional<int64_t> readSeriesNumber(platform::SettingsStore& store, const std::string& section,
                                        const SeriesKey& k) {
    const auto value = readStoredNumber(store, section, k.key, k.range.min, k.range.max);
    if (!value || k.allowed.empty()) return value;
    if (std::find(k.allowed.begin(), k.allowed.end(), *value) == k.allowed.end()) return std::nullopt;
    return value;
}

// Whether the store holds a value other than "0" under one of the keys in the section.
bool storeMarks(platform::SettingsStore& store, const std::string& section, std::span<const char* const> keys) {
    for (const char* key : keys) {
        const auto text = store.read(kApplication, section, key);
        if (text && *text != "0") return true;
    }
    return false;
}

// Whether the store marks a series under the section.
bool storeMarksSeries(platform::SettingsStore& store, const std::string& section) {
    for (const SeriesKey& k : kSeries) {
        if (k.marks && storeMarks(store, section, {&k.key, 1})) return true;
    }
    return false;
}

// Where the series' total so far is in the table.
constexpr size_t kWinKey = 2;
static_assert(std::string_view(kSeries[kWinKey].key) == "freespinwin");
constexpr size_t kTotalKey = 0, kPlayedKey = 1;
static_assert(std::string_view(kSeries[kTotalKey].key) == "freespinstotal" &&
              std::string_view(kSeries[kPlayedKey].key) == "freespinsplayed");

bool showsWild(int reel, int stop) {
    for (int row = 1; row <= core::kRows; ++row) {
        if (core::symbolAt(reel, stop, row) == core::Wild) return true;
    }
    return false;
}

int16_t holdOf(const core::MachineState& s, int reel) {
    return reel == 2 ? s.wildhold2 : (reel == 3 ? s.wildhold3 : s.wildhold4);
}

}  // namespace

void readHolds(core::MachineState& s, platform::SettingsStore& store, int slot) {
    const std::string section = playerSection(slot);
    for (int reel = 2; reel <= 4; ++reel) {
        s.wildhold(reel) = 0;
        const auto stop = readStoredNumber(store, section, kHoldKeys[reel - 2], 1, core::kStops);
        if (!stop || !showsWild(reel, static_cast<int>(*stop))) continue;
        s.wildhold(reel) = 1;
        s.reelstop[reel] = static_cast<int16_t>(*stop);
        s.reeltop[reel] = core::reelTopFor(s.reelstop[reel]);
    }
}

bool seriesOpen(const core::MachineState& s) { return s.freespinmode == -1 || s.freespinstotal > 0; }

bool writeRecord(const core::MachineState& s, platform::SettingsStore& store, int slot) {
    const std::string section = playerSection(slot);
    bool ok = true;
    auto put = [&](const char* key, const std::string& value) {
        ok = store.write(kApplication, section, key, value) && ok;
    };
    for (const RecordKey& k : kRecord) {
        put(k.key, k.form == TextForm::Name ? s.*k.name : std::to_string(k.number.of(s)));
    }
    if (holdOf(s, 2) > 0 || holdOf(s, 3) > 0 || holdOf(s, 4) > 0 || storeMarks(store, section, kHoldKeys)) {
        for (int reel = 2; reel <= 4; ++reel) {
            put(kHoldKeys[reel - 2], std::to_string(holdOf(s, reel) > 0 ? s.reelstop[reel] : 0));
        }
    }
    if (seriesOpen(s)) {
        for (const SeriesKey& k : kSeries) put(k.key, std::to_string(k.saved.of(s)));
    } else if (storeMarksSeries(store, section)) {
        // The series was collected (or its win went into the credit): the stored one ends with this save.
        for (const SeriesKey& k : kSeries) {
            if (k.ends) put(k.key, "0");
        }
    }
    return store.flush() && ok;
}

std::optional<StoredSeries> readSeries(platform::SettingsStore& store, int slot) {
    const std::string section = playerSection(slot);
    std::optional<int64_t> value[std::size(kSeries)];
    bool marked = false;
    for (size_t i = 0; i < std::size(kSeries); ++i) {
        value[i] = readSeriesNumber(store, section, kSeries[i]);
        if (kSeries[i].marks && value[i].value_or(0) != 0) marked = true;
    }
    if (!marked) return std::nullopt;

    StoredSeries series;
    series.freespinwin = static_cast<int32_t>(value[kWinKey].value_or(0));
    const bool readable =
        std::all_of(std::begin(value), std::end(value), [](const auto& v) { return v.has_value(); });
    if (!readable || *value[kPlayedKey] > *value[kTotalKey]) return series;
    for (size_t i = 0; i < std::size(kSeries); ++i) kSeries[i].stored.set(series, *value[i]);
    series.resumable = true;
    return series;
}

void applySeries(core::MachineState& s, const StoredSeries& series) {
    s.freespinstotal = series.freespinstotal;
    s.freespinsplayed = series.freespinsplayed;
    s.freespinwin = series.freespinwin;
    s.winmultiplier = series.winmultiplier;
    s.linesplayed = series.linesplayed;
    s.coinsperline = series.coinsperline;
    for (int reel = 1; reel <= core::kReels; ++reel) {
        s.reelstop[reel] = series.reelstop[reel];
        s.reeltop[reel] = core::reelTopFor(series.reelstop[reel]);
        s.wildhold(reel) = series.wildhold[reel];
    }
    s.freespinmode = s.freespinsplayed < s.freespinstotal ? -1 : 0;
}

}  // namespace zem::play
