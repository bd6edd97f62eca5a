// Reading and writing the player record.
#include "player_record.h"

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
    return store.flush() && ok;
}

}  // namespace zem::play
