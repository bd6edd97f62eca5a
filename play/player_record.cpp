// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the player record.
#include "player_record.h"

#include "core/reels.h"

#include <algorithm>
#include <initializer_list>
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

namespace {

template <class T>
bool readNumber(platform::SettingsStore& store, const std::string& section, const char* key, T& target) {
    const auto text = store.read(kApplication, section, key);
    if (!text) return false;
    const auto value = parseStoredNumber(*text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    if (!value) return false;
    target = static_cast<T>(*value);
    return true;
}

}  // namespace

int readRecord(core::MachineState& s, platform::SettingsStore& store, int slot) {
    const std::string section = playerSection(slot);
    int failures = 0;
    failures += !readNumber(store, section, "howmanyspins", s.howmanyspins);
    failures += !readNumber(store, section, "soundonoff", s.soundonoff);
    failures += !readNumber(store, section, "machinepay", s.machinepay);
    failures += !readNumber(store, section, "winroll", s.winroll);
    failures += !readNumber(store, section, "reelspeed", s.reelspeed);
    failures += !readNumber(store, section, "amountinvested", s.amountinvested);
    failures += !readNumber(store, section, "wager", s.wager);
    failures += !readNumber(store, section, "total", s.total);
    failures += !readNumber(store, section, "bank", s.bank);
    failures += !readNumber(store, section, "games", s.games);
    if (auto name = store.read(kApplication, section, "currentplayer")) {
        s.currentplayer = *name;
    } else {
        ++failures;
    }
    return failures;
}

namespace {

bool oneOf(int64_t value, std::initializer_list<int64_t> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

// A stored number of the series within [min, max], or nothing.
std::optional<int64_t> readSeriesNumber(platform::SettingsStore& store, const std::string& section,
                                        const char* key, int64_t min, int64_t max) {
    const auto text = store.read(kApplication, section, key);
    if (!text) return std::nullopt;
    return parseStoredNumber(*text, min, max);
}

// Whether the store holds a value other than "0" under one of the keys in the section.
template <size_t N>
bool storeMarks(platform::SettingsStore& store, const std::string& section, const char* const (&keys)[N]) {
    for (const char* key : keys) {
        const auto text = store.read(kApplication, section, key);
        if (text && *text != "0") return true;
    }
    return false;
}

constexpr const char* kSeriesMarks[2] = {"freespinstotal", "freespinwin"};

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
        const auto stop = readSeriesNumber(store, section, kHoldKeys[reel - 2], 1, core::kStops);
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
    put("howmanyspins", std::to_string(s.howmanyspins));
    put("soundonoff", std::to_string(s.soundonoff));
    put("machinepay", std::to_string(s.machinepay));
    put("winroll", std::to_string(s.winroll));
    put("reelspeed", std::to_string(s.reelspeed));
    put("amountinvested", std::to_string(s.amountinvested));
    put("wager", std::to_string(s.wager));
    put("total", std::to_string(s.total));
    put("bank", std::to_string(s.bank));
    put("games", std::to_string(s.games));
    put("currentplayer", s.currentplayer);
    if (holdOf(s, 2) > 0 || holdOf(s, 3) > 0 || holdOf(s, 4) > 0 || storeMarks(store, section, kHoldKeys)) {
        for (int reel = 2; reel <= 4; ++reel) {
            put(kHoldKeys[reel - 2], std::to_string(holdOf(s, reel) > 0 ? s.reelstop[reel] : 0));
        }
    }
    if (seriesOpen(s)) {
        put("freespinstotal", std::to_string(s.freespinstotal));
        put("freespinsplayed", std::to_string(s.freespinsplayed));
        put("freespinwin", std::to_string(s.freespinwin));
        put("winmultiplier", std::to_string(s.winmultiplier));
        put("linesplayed", std::to_string(s.linesplayed));
        put("coinsperline", std::to_string(s.coinsperline));
        for (int reel = 1; reel <= core::kReels; ++reel) {
            put(kSeriesKeys[5 + reel], std::to_string(s.reelstop[reel]));
        }
        for (int reel = 2; reel <= 4; ++reel) put(kSeriesKeys[9 + reel], std::to_string(holdOf(s, reel)));
    } else if (storeMarks(store, section, kSeriesMarks)) {
        // The series was collected (or its win went into the credit): the stored one ends with this save.
        put("freespinstotal", "0");
        put("freespinsplayed", "0");
        put("freespinwin", "0");
    }
    return store.flush() && ok;
}

std::optional<StoredSeries> readSeries(platform::SettingsStore& store, int slot) {
    const std::string section = playerSection(slot);
    constexpr int64_t kMax16 = std::numeric_limits<int16_t>::max();
    constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
    const auto total = readSeriesNumber(store, section, "freespinstotal", 0, kMax16);
    const auto win = readSeriesNumber(store, section, "freespinwin", 0, kMax32);
    if (total.value_or(0) == 0 && win.value_or(0) == 0) return std::nullopt;

    StoredSeries series;
    series.freespinwin = static_cast<int32_t>(win.value_or(0));
    const auto played = readSeriesNumber(store, section, "freespinsplayed", 1, kMax16);
    const auto multiplier = readSeriesNumber(store, section, "winmultiplier", 1, 10);
    const auto lines = readSeriesNumber(store, section, "linesplayed", 1, 25);
    const auto coins = readSeriesNumber(store, section, "coinsperline", 1, 20);
    bool ok = total && *total > 0 && win && played && *played <= *total && multiplier &&
              oneOf(*multiplier, {1, 2, 3, 5, 10}) && lines && oneOf(*lines, {1, 5, 10, 15, 25}) && coins &&
              oneOf(*coins, {1, 2, 3, 5, 10, 20});
    for (int reel = 1; reel <= core::kReels && ok; ++reel) {
        const auto stop = readSeriesNumber(store, section, kSeriesKeys[5 + reel], 1, core::kStops);
        ok = stop.has_value();
        if (ok) series.reelstop[reel] = static_cast<int16_t>(*stop);
    }
    for (int reel = 2; reel <= 4 && ok; ++reel) {
        const auto hold = readSeriesNumber(store, section, kSeriesKeys[9 + reel], 0, 1);
        ok = hold.has_value();
        if (ok) series.wildhold[reel] = static_cast<int16_t>(*hold);
    }
    if (!ok) return series;
    series.resumable = true;
    series.freespinstotal = static_cast<int16_t>(*total);
    series.freespinsplayed = static_cast<int16_t>(*played);
    series.winmultiplier = static_cast<int16_t>(*multiplier);
    series.linesplayed = static_cast<int16_t>(*lines);
    series.coinsperline = static_cast<int16_t>(*coins);
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
