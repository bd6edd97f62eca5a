// SPDX-License-Identifier: GPL-3.0-or-later
// The slot list and the selection's reading of a slot.
#include "slot_list.h"

#include "options/player_names.h"
#include "play/player_record.h"

#include <limits>

namespace zem::options {

std::array<std::string, 7> slotCaptions(platform::SettingsStore& store) {
    std::array<std::string, 7> captions;
    for (int i = 1; i <= 6; ++i) {
        const auto name = store.read(play::kApplication, play::playerSection(i), "currentplayer");
        captions[static_cast<size_t>(i)] = name && !name->empty() ? shownName(*name) : kVacant;
    }
    return captions;
}

namespace {

template <class T>
bool readKey(platform::SettingsStore& store, const std::string& section, const char* key, T& target) {
    const auto text = store.read(play::kApplication, section, key);
    if (!text) return false;
    const auto value =
        play::parseStoredNumber(*text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    if (!value) return false;
    target = static_cast<T>(*value);
    return true;
}

}  // namespace

int loadSlot(core::MachineState& s, platform::SettingsStore& store, int slot) {
    s.machinepay = 5;
    s.winroll = 0;
    s.reelspeed = 0;
    s.amountinvested = 0;
    s.wager = 0;
    s.total = 0;
    s.bank = 0;
    s.games = 0;
    s.howmanyspins = 0;
    s.currentplayer.clear();

    const std::string section = play::playerSection(slot);
    int failures = 0;
    auto step = [&](bool ok) {
        if (!ok) {
            ++failures;
            s.reelspeed = 1;
        }
    };
    step(readKey(store, section, "howmanyspins", s.howmanyspins));
    step(readKey(store, section, "soundonoff", s.soundonoff));
    step(readKey(store, section, "machinepay", s.machinepay));
    step(readKey(store, section, "winroll", s.winroll));
    step(readKey(store, section, "reelspeed", s.reelspeed));
    step(readKey(store, section, "amountinvested", s.amountinvested));
    step(readKey(store, section, "wager", s.wager));
    step(readKey(store, section, "total", s.total));
    step(readKey(store, section, "bank", s.bank));
    step(readKey(store, section, "games", s.games));
    if (auto name = store.read(play::kApplication, section, "currentplayer")) {
        s.currentplayer = *name;
    } else {
        step(false);
    }
    return failures;
}

}  // namespace zem::options
